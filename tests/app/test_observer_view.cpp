// The panel of the marked place: the table, the sentence and the Moon at the slider's
// time against the routine itself, in both time scales, with and without a zone, in the
// three languages, at a place where the Moon rises during the eclipse and at one where it
// stands high throughout, and without a place.
#include <algorithm>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <regex>
#include <ostream>
#include <string>

#include "../support/synthetic_eclipse.h"
#include "app/observer_view.h"
#include "app/point_of_interest.h"
#include "astro/delta_t.h"
#include "eclipse/contact.h"
#include "eclipse/report.h"
#include "places/delta_t_visibility.h"
#include "places/local_sky.h"
#include "places/local_sky_text.h"
#include "text/number_text.h"

namespace varomintel {
namespace {

struct ObserverRowCase {
  const char* name;
  bool universalTime;
  double zone;  // hours
  std::uint8_t language;
  std::optional<GeoPoint> place;
  bool moonrise;  // the Moon rises between P1 and P4
};
void PrintTo(const ObserverRowCase& c, std::ostream* os) { *os << c.name; }

// The synthetic eclipse has the shadow's axis at Greenwich hour angle -12 + 15 t degrees:
// at greatest eclipse (t = 0.3 h) the Moon culminates near 7.5 degrees east and rises on
// the equator near 80 degrees west, where the eclipse, six hours long, begins before it.
const GeoPoint kRising{0.0, -80.0};
const GeoPoint kHigh{10.0, 7.5};
const GeoPoint kHighTyped{-10.0625, 7.5};  // typed with four decimals, south

// The seconds of the day of a time cell's clock, the cell's last line "hh:mm:ss".
double SecondsOfDay(const std::string& cell) {
  const std::string clock = cell.substr(cell.size() - 8);
  return std::stoi(clock.substr(0, 2)) * 3600.0 + std::stoi(clock.substr(3, 2)) * 60.0 + std::stoi(clock.substr(6, 2));
}

// The number that begins a cell such as "+23.4°" or "074° ENE".
double Leading(const std::string& cell) { return std::stod(cell); }

class ObserverPanel : public ::testing::TestWithParam<ObserverRowCase> {};

TEST_P(ObserverPanel, ShowsWhatTheRoutineGivesInTheWindowsTimeAndLanguage) {
  const ObserverRowCase& row = GetParam();
  const Catalogue catalogue({testing::LinearEclipse::Passing(1200).Record(1997, 9, 16, 18)});
  TimeSettings settings;
  settings.universalTime = row.universalTime;
  settings.timeZone = row.zone;
  settings.language = row.language;
  const SelectedEclipse selection = SelectEclipseAt(catalogue, 1, settings);
  const EclipseRecord& e = selection.record;
  const double deltaT = DeltaT(e.Year, e.Month);  // the sky's, also where the window shows TT
  ASSERT_GT(deltaT, 30.0);

  const ObserverTable table = ObserverTableOf(selection, settings, row.place);
  const ObserverNow now = ObserverNowOf(selection, settings, row.place, 0.3);
  const std::uint8_t l = row.language;
  if (!row.place) {
    EXPECT_FALSE(table.placeMarked);
    const char* map = std::array<const char*, 3>{"Weltkarte", "world map", "carte du monde"}[l];
    EXPECT_NE(table.hint.find(map), std::string::npos) << table.hint;
    EXPECT_TRUE(table.rows.empty());
    EXPECT_TRUE(now.moon.empty());
    EXPECT_TRUE(now.sun.empty());
    return;
  }
  ASSERT_TRUE(table.placeMarked);
  EXPECT_TRUE(table.hint.empty());
  const Observer observer{row.place->latitude, row.place->longitude, 0};
  const LocalEclipseView view = ViewFromPlace(e, deltaT, observer);
  ASSERT_TRUE(view.eclipse);

  // The place by its coordinates, as the map names them, and the time scale.
  const bool typed = row.place->latitude == kHighTyped.latitude;
  const std::string coordinates = typed ? "10.0625\u00B0S  7.5\u00B0E" : CoordinateText(*row.place, l);
  EXPECT_NE(table.place.find(coordinates), std::string::npos) << table.place;
  const std::string scale = !row.universalTime ? "TT" : row.zone == 0 ? "UT" : "UT" + FormatTimeZone(row.zone);
  EXPECT_EQ(table.timeScale.substr(table.timeScale.size() - scale.size()), scale);
  const char* contact = std::array<const char*, 3>{"Kontakt", "Contact", "Contact"}[l];
  EXPECT_EQ(table.header[0], contact);

  // A row per contact, with the routine's sky in the window's clock.
  std::size_t r = 0;
  for (const Contact k : kListContacts) {
    const auto& c = view.contacts[k];
    if (!c) continue;
    ASSERT_LT(r, table.rows.size());
    const ObserverRow& shown = table.rows[r++];
    EXPECT_EQ(shown.cells[0], ContactName(k));
    const double clock = (e.T0Hour + c->t + (row.universalTime ? row.zone : 0)) * 3600 -
                         (row.universalTime ? deltaT : 0);
    const double off = std::remainder(SecondsOfDay(shown.cells[1]) - clock, 86400.0);
    EXPECT_LE(std::abs(off), 1.0) << ContactName(k) << " " << shown.cells[1];
    EXPECT_NEAR(Leading(shown.cells[2]), c->sky.moonApparentAltitudeDeg, 0.051) << ContactName(k);
    EXPECT_NEAR(Leading(shown.cells[3]), c->sky.moonAzimuthDeg, 0.51) << ContactName(k);
    EXPECT_NE(shown.cells[3].find(CompassPoint(c->sky.moonAzimuthDeg, l)), std::string::npos);
    EXPECT_NEAR(Leading(shown.cells[4]), c->shadowAxisAltitudeDeg, 0.051) << ContactName(k);
    EXPECT_NEAR(Leading(shown.cells[5]), c->sky.sunAltitudeDeg, 0.051) << ContactName(k);
    EXPECT_EQ(shown.cells[6], TwilightText(c->sky.twilight, l));
    EXPECT_EQ(shown.visible, c->sky.moonVisible);
    const char* yes = std::array<const char*, 3>{"ja", "yes", "oui"}[l];
    EXPECT_EQ(shown.cells[7] == yes, c->sky.moonVisible) << ContactName(k);
  }
  EXPECT_EQ(r, table.rows.size());

  // Moonrise: at the place of the row, within the eclipse, named in the language.
  const char* rise = std::array<const char*, 3>{"Mondaufgang", "Moonrise", "Lever de la Lune"}[l];
  const bool rising = !view.crossings.empty() && view.crossings.front().rising;
  EXPECT_EQ(rising, row.moonrise);
  ASSERT_FALSE(table.crossings.empty());
  EXPECT_EQ(table.crossings.front().rfind(rise, 0) == 0, row.moonrise) << table.crossings.front();
  if (row.moonrise) {
    EXPECT_FALSE(table.rows.front().visible);  // P1 before moonrise
    EXPECT_TRUE(table.rows.back().visible);
  }
  EXPECT_EQ(table.summary, LocalSummary(e, deltaT, observer, view, l));

  // The slider's time (greatest eclipse here): the clock of the Max row and the routine's Moon.
  const LocalSkyAt sky = SkyAt(e, deltaT, observer, 0.3);
  EXPECT_DOUBLE_EQ(now.sky.moonApparentAltitudeDeg, sky.moonApparentAltitudeDeg);
  EXPECT_DOUBLE_EQ(now.sky.moonAzimuthDeg, sky.moonAzimuthDeg);
  EXPECT_EQ(now.moon.substr(0, 8), FormatContactClock(e, 0.3, row.universalTime ? row.zone : 0,
                                                      row.universalTime ? deltaT : 0));
  EXPECT_NE(now.moon.find(" " + scale + " "), std::string::npos) << now.moon;
  const std::string altitude = (sky.moonApparentAltitudeDeg < 0 ? "" : "+") +
                               FormatFixed(sky.moonApparentAltitudeDeg, 1) + "\u00B0";
  EXPECT_NE(now.moon.find(altitude), std::string::npos) << now.moon << " / " << altitude;
  EXPECT_NE(now.sun.find(TwilightText(sky.twilight, l)), std::string::npos) << now.sun;
}

INSTANTIATE_TEST_SUITE_P(
    ObserverView, ObserverPanel,
    ::testing::Values(ObserverRowCase{"no_place_German", true, 0, 0, std::nullopt, false},
                      ObserverRowCase{"no_place_French", false, 0, 2, std::nullopt, false},
                      ObserverRowCase{"terrestrial_time_English_moonrise", false, 0, 1, kRising, true},
                      ObserverRowCase{"universal_time_French_moonrise", true, 0, 2, kRising, true},
                      ObserverRowCase{"zone_minus_5_German_moonrise", true, -5, 0, kRising, true},
                      ObserverRowCase{"zone_plus_2_English_high", true, 2, 1, kHigh, false},
                      ObserverRowCase{"terrestrial_time_German_high", false, 0, 0, kHigh, false},
                      ObserverRowCase{"typed_place_French", true, 0, 2, kHighTyped, false}),
    [](const ::testing::TestParamInfo<ObserverRowCase>& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------------------------------
// Delta T and the verdicts over its uncertainty, in the four languages: an ancient eclipse
// (sigma about 9 minutes at -720, an hour at -4000) seen where the Moon rises during it and
// where it stands high, and a modern one (sigma 0.1 s: no verdicts).

// Where on the equator the place of a row stands: where the Moon rises or sets at greatest
// eclipse, or where it culminates then (found by scanning the equator with the routine).
enum class MoonAtMax { Rising, Setting, High };

struct VerdictCase {
  const char* name;
  int year;
  MoonAtMax where;
  std::uint8_t language;
  std::optional<double> ownDeltaT;  // s
};
void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

GeoPoint PlaceWhere(MoonAtMax where, const EclipseRecord& e, double deltaT, double tMax) {
  GeoPoint best{0.0, 0.0};
  double bestScore = 1e9;
  for (double lon = -179.5; lon < 180; lon += 0.5) {
    const Observer o{0.0, lon, 0.0};
    const double now = SkyAt(e, deltaT, o, tMax).moonApparentAltitudeDeg;
    const double later = SkyAt(e, deltaT, o, tMax + 0.1).moonApparentAltitudeDeg;
    const bool rising = later > now;
    double score = where == MoonAtMax::High ? -now : std::abs(now);
    if (where != MoonAtMax::High && rising != (where == MoonAtMax::Rising)) score += 1000;
    if (score < bestScore) {
      bestScore = score;
      best.longitude = lon;
    }
  }
  return best;
}

class PanelVerdicts : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(PanelVerdicts, AreTheCoresVerdictsInWordsAndAgreeWithTheSkyAcrossTwoSigma) {
  const VerdictCase& row = GetParam();
  const Catalogue catalogue({testing::LinearEclipse::Passing(1200).Record(row.year, 3, 19, 18)});
  TimeSettings settings;
  settings.language = row.language;
  settings.ownDeltaT = row.ownDeltaT;
  const SelectedEclipse selection = SelectEclipseAt(catalogue, 1, settings);
  const EclipseRecord& e = selection.record;
  const double model = DeltaT(e.Year, e.Month), sigma = DeltaTSigma(e.Year, e.Month);
  const double sky = row.ownDeltaT.value_or(model);
  const GeoPoint place = PlaceWhere(row.where, e, sky, selection.circumstances.TimeMax);
  const ObserverTable table = ObserverTableOf(selection, settings, place);
  ASSERT_TRUE(table.placeMarked);

  // Delta T as the report gives it, with the own value before the model's.
  EXPECT_EQ(table.deltaT.find(DeltaTText(model, sigma)) != std::string::npos, true) << table.deltaT;
  EXPECT_EQ(table.deltaT.find("\u00b1") != std::string::npos, sigma > 1) << table.deltaT;
  if (row.ownDeltaT) {
    EXPECT_EQ(table.deltaT.rfind("Delta T = " + FormatFixed(*row.ownDeltaT, 0) + " s (", 0), 0u) << table.deltaT;
  }

  // Before 1582 the panel and the report give the date with the historian's year, after it neither.
  const std::string julian = HistoriansMaxDate(e, selection.circumstances, 0.0, selection.deltaT, row.language);
  EXPECT_EQ(julian.empty(), row.year > 1582) << julian;
  EXPECT_EQ(table.historiansDate, julian);
  if (row.year == -720 && row.language == 1) {
    EXPECT_EQ(julian.substr(10), " (721 BC, Julian calendar)") << julian;
  }
  EXPECT_EQ(std::count_if(selection.report.begin(), selection.report.end(),
                          [&](const ReportLine& line) { return !julian.empty() && line.text == julian; }),
            julian.empty() ? 0 : 1);

  const Observer observer = ObserverAt(place);
  const LocalEclipseView view = ViewFromPlace(e, sky, observer);
  if (!(sigma > 1)) {
    EXPECT_TRUE(table.verdicts.empty());
    return;
  }
  ASSERT_EQ(table.verdicts.size(), table.rows.size() + 1);
  EXPECT_EQ(table.verdicts.front(), DeltaTVerdictTitle(row.language));
  std::size_t r = 1;
  int depends = 0;
  for (const Contact k : kListContacts) {
    const auto& c = view.contacts[k];
    if (!c) continue;
    SCOPED_TRACE(ContactName(k));
    const std::string& line = table.verdicts[r++];
    const std::string head = std::string(ContactName(k)) + ": ";
    ASSERT_EQ(line.rfind(head, 0), 0u) << line;
    const std::string words = line.substr(head.size());
    // Centred on the model's value whatever Delta T the sky is drawn with.
    const DeltaTVisibility v = VisibilityOverDeltaT(e, c->t, observer, model, sigma);
    EXPECT_EQ(words, DeltaTVerdictText(v, model, sigma, row.language));
    // And the words against the sky itself at 41 values across model +- 2 sigma.
    int visible = 0;
    for (int i = 0; i <= 40; ++i) visible += SkyAt(e, model - 2 * sigma + sigma * i / 10, observer, c->t).moonVisible;
    if (visible == 41) {
      EXPECT_EQ(v.verdict, DeltaTVerdict::Certain) << words;
    } else if (visible == 0) {
      EXPECT_EQ(v.verdict, DeltaTVerdict::Impossible) << words;
    } else {
      EXPECT_EQ(v.verdict, DeltaTVerdict::Depends) << words;
      // Each bound the words give lies where the sky changes: the Moon is up on one side of
      // it only (half a minute either way turns the Earth by an eighth of a degree).
      int bounds = 0;
      const std::regex number("(-?[0-9]+) s");
      for (auto m = std::sregex_iterator(words.begin(), words.end(), number); m != std::sregex_iterator(); ++m) {
        const double bound = std::stod((*m)[1].str());
        EXPECT_NE(SkyAt(e, bound - 30, observer, c->t).moonVisible, SkyAt(e, bound + 30, observer, c->t).moonVisible)
            << words << " at " << bound;
        ++bounds;
      }
      EXPECT_GT(bounds, 0) << words;
      ++depends;
    }
  }
  // Near the horizon at greatest eclipse the visibility of that contact at least depends on
  // Delta T; high in the sky no contact's does.
  EXPECT_EQ(depends > 0, row.where != MoonAtMax::High) << place.longitude;
}

INSTANTIATE_TEST_SUITE_P(
    ObserverView, PanelVerdicts,
    ::testing::Values(VerdictCase{"ancient_rising_German", -720, MoonAtMax::Rising, 0, std::nullopt},
                      VerdictCase{"ancient_setting_English_own_value", -720, MoonAtMax::Setting, 1, 21000.0},
                      VerdictCase{"ancient_high_French", -720, MoonAtMax::High, 2, std::nullopt},
                      VerdictCase{"remote_past_rising_Spanish", -4000, MoonAtMax::Rising, 3, std::nullopt},
                      VerdictCase{"remote_past_high_English", -4000, MoonAtMax::High, 1, std::nullopt},
                      VerdictCase{"modern_rising_English", 2022, MoonAtMax::Rising, 1, std::nullopt}),
    [](const ::testing::TestParamInfo<VerdictCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
