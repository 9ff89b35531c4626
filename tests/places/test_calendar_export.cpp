// The building blocks of the iCalendar export: the proleptic Gregorian instant of a Julian
// day, the escaping of TEXT values and the folding of content lines (RFC 5545); and the
// events of real eclipses at places where the Moon rises or sets during them.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "astro/delta_t.h"
#include "astro/trig_func.h"
#include "eclipse/catalogue.h"
#include "places/calendar_export.h"
#include "places/city_hist.h"
#include "places/local_circumstances.h"
#include "places/local_sky.h"
#include "places/local_sky_text.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

struct JulianDayRow {
  const char* name;
  double julianDay;
  GregorianInstant want;
};

std::ostream& operator<<(std::ostream& o, const JulianDayRow& r) { return o << r.name; }

class GregorianInstants : public ::testing::TestWithParam<JulianDayRow> {};

// Meeus, Astronomical Algorithms (2nd ed. 1998), ch. 7, pp. 61-62 for 1600..2000; the
// proleptic Gregorian start of the era and of JD 0 (-4713 Nov 24, noon) from the same
// day count; 9999 Dec 31 as the last day iCalendar can write.
INSTANTIATE_TEST_SUITE_P(
    Published, GregorianInstants,
    ::testing::Values(JulianDayRow{"J2000", 2451545.0, {2000, 1, 1, 12, 0, 0}},
                      JulianDayRow{"Y1987Jan27", 2446822.5, {1987, 1, 27, 0, 0, 0}},
                      JulianDayRow{"Y1988Jun19Noon", 2447332.0, {1988, 6, 19, 12, 0, 0}},
                      JulianDayRow{"Y1900Jan1", 2415020.5, {1900, 1, 1, 0, 0, 0}},
                      JulianDayRow{"Y1600Dec31", 2305812.5, {1600, 12, 31, 0, 0, 0}},
                      JulianDayRow{"Y1957Oct4", 2436116.31, {1957, 10, 4, 19, 26, 24}},
                      JulianDayRow{"Gregorian1582Oct15", 2299160.5, {1582, 10, 15, 0, 0, 0}},
                      JulianDayRow{"Year1Jan1", 1721425.5, {1, 1, 1, 0, 0, 0}},
                      JulianDayRow{"Year0Dec31", 1721424.5, {0, 12, 31, 0, 0, 0}},
                      JulianDayRow{"JulianDayZero", 0.0, {-4713, 11, 24, 12, 0, 0}},
                      JulianDayRow{"Year9999Dec31", 5373483.5, {9999, 12, 31, 0, 0, 0}},
                      JulianDayRow{"RoundsToTheNextDay", 2451544.5 - 0.4 / 86400, {2000, 1, 1, 0, 0, 0}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(GregorianInstants, FromJulianDay) {
  const JulianDayRow& r = GetParam();
  const GregorianInstant g = GregorianFromJulianDay(r.julianDay);
  EXPECT_EQ(g.year, r.want.year);
  EXPECT_EQ(g.month, r.want.month);
  EXPECT_EQ(g.day, r.want.day);
  EXPECT_EQ(g.hour, r.want.hour);
  EXPECT_EQ(g.minute, r.want.minute);
  EXPECT_EQ(g.second, r.want.second);
  const std::string iso = IsoUtcText(g);
  EXPECT_EQ(iso.empty(), g.year < 1 || g.year > 9999) << iso;
}

TEST(CalendarText, EscapesWhatRfc5545Requires) {
  struct Row {
    std::string in, want;
  };
  const Row rows[] = {
      {"Zürich", "Zürich"},
      {"a,b;c\\d", "a\\,b\\;c\\\\d"},
      {"one\ntwo\r\nthree", "one\\ntwo\\nthree"},
      {"tab\there", "tab here"},
      {":colon \"quoted\"", ":colon \"quoted\""},
      // Bytes that are not UTF-8 never reach the calendar: each maximal broken part is U+FFFD.
      {"a\x80\xC0\xAF", "a\uFFFD\uFFFD\uFFFD"},    // stray continuation, overlong lead
      {"\xE2\x80,x", "\uFFFD\\,x"},                 // a cut three-octet character
      {"\xED\xA0\x80\xF4\x90", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // a surrogate, above U+10FFFF
  };
  for (const Row& r : rows) EXPECT_EQ(EscapeCalendarText(r.in), r.want) << r.in;
}

// Unfolding (RFC 5545 §3.1): CR LF followed by one blank is removed.
std::string Unfold(const std::string& folded) {
  std::string out;
  for (std::size_t i = 0; i < folded.size(); ++i) {
    if (folded.compare(i, 3, "\r\n ") == 0) {
      i += 2;
      continue;
    }
    out += folded[i];
  }
  return out;
}

TEST(CalendarText, FoldsAt75OctetsWithoutSplittingACharacter) {
  const std::vector<std::string> lines = {
      "SUMMARY:short",
      std::string("DESCRIPTION:") + std::string(63, 'x'),  // exactly 75 octets: not folded
      std::string("DESCRIPTION:") + std::string(64, 'x'),  // 76: folded once
      "DESCRIPTION:" + [] {
        std::string s;
        for (int i = 0; i < 60; ++i) s += i % 3 ? "ü" : "\u2013";  // 2- and 3-octet characters
        return s;
      }(),
  };
  for (const std::string& line : lines) {
    const std::string folded = FoldCalendarLine(line);
    ASSERT_GE(folded.size(), 2u);
    EXPECT_EQ(folded.substr(folded.size() - 2), "\r\n");
    EXPECT_EQ(Unfold(folded.substr(0, folded.size() - 2)), line);
    std::size_t start = 0, physical = 0;
    for (std::size_t end; (end = folded.find("\r\n", start)) != std::string::npos; start = end + 2, ++physical) {
      EXPECT_LE(end - start, 75u) << line;
      // A physical line never starts inside a UTF-8 character (after its blank).
      const std::size_t first = start + (physical > 0 ? 1 : 0);
      if (first < end) {
        EXPECT_NE(static_cast<unsigned char>(folded[first]) & 0xC0, 0x80);
      }
    }
    EXPECT_EQ(physical, line.size() <= 75 ? 1u : physical) << line;
  }
  // A line that is not UTF-8 (a run of continuation octets leaves no place to cut between
  // characters) is still folded at 75 octets and given back whole by unfolding.
  for (const std::size_t run : {74u, 75u, 200u}) {
    const std::string line = "X-WR-CALNAME:" + std::string(run, '\x80');
    const std::string folded = FoldCalendarLine(line);
    EXPECT_EQ(Unfold(folded.substr(0, folded.size() - 2)), line) << run;
    std::size_t start = 0;
    for (std::size_t end; (end = folded.find("\r\n", start)) != std::string::npos; start = end + 2)
      EXPECT_LE(end - start, 75u) << run;
  }
  EXPECT_EQ(FoldCalendarLine(lines[1]).size(), 77u);
  EXPECT_EQ(FoldCalendarLine(lines[2]), lines[2].substr(0, 75) + "\r\n x\r\n");
}

const Catalogue& Shipped() {
  static const CatalogueLoad load = LoadCatalogue(testing::DataDir() + "/" + std::string(kCatalogueFileName));
  return load.catalogue;
}

int IndexOf(int year, int month, int day) {
  for (int i = 1; i <= Shipped().Count(); ++i) {
    const EclipseRecord& r = Shipped().At(i);
    if (r.Year == year && r.Month == month && r.Day == day) return i;
  }
  return 0;
}

// The eclipse with its local circumstances at the place, as the city-history search
// hands it to the calendar.
CalendarEclipse EclipseAt(int index, const Observer& o) {
  const EclipseRecord& r = Shipped().At(index);
  CalendarEclipse e{index, r, DeltaT(r.Year, r.Month), {}, true};
  LocalCircumstances(r, e.deltaT, o.latitudeDeg * DegToRad, -o.longitudeDeg * DegToRad, e.place,
                     UmbralGuard::CityHistory);
  return e;
}

// "20250907T175104Z" of an instant (hours of TT from T0).
std::string DateTimeText(const CalendarEclipse& e, double t) {
  const GregorianInstant g = GregorianFromJulianDay(ContactJulianDayUT(e.eclipse, e.deltaT, t));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04lld%02d%02dT%02d%02d%02dZ", g.year, g.month, g.day, g.hour, g.minute, g.second);
  return buf;
}

// The value of a property of the only event, unfolded; nullopt when the event lacks it.
std::optional<std::string> Property(const std::string& calendar, const std::string& name) {
  const std::string text = Unfold(calendar);
  const std::size_t at = text.find("\r\n" + name + ":", text.find("BEGIN:VEVENT"));
  if (at == std::string::npos) return std::nullopt;
  const std::size_t from = at + 3 + name.size();
  return text.substr(from, text.find("\r\n", from) - from);
}

// Where the upper limb crosses the horizon between a and b (hours), rising or setting,
// found by a bisection on the routine's altitude at one-minute steps: an independent
// search for the event's cut.
double HorizonCrossingBetween(const CalendarEclipse& e, const Observer& o, double a, double b, bool rising) {
  const auto up = [&](double t) { return SkyAt(e.eclipse, e.deltaT, o, t).upperLimbApparentAltitudeDeg > 0; };
  for (double t = a; t < b; t += 1.0 / 60) {
    const double u = std::fmin(t + 1.0 / 60, b);
    if (up(t) == rising || up(u) != rising) continue;
    double lo = t, hi = u;
    for (int i = 0; i < 40; ++i) (up((lo + hi) / 2) == rising ? hi : lo) = (lo + hi) / 2;
    return (lo + hi) / 2;
  }
  return std::nan("");
}

enum class Cut { Contact, Horizon, Instant };

struct EventRow {
  const char* name;
  int year, month, day;
  Observer observer;
  bool event;       // the calendar has an event for it
  Cut start, end;   // the event starts at P1 or at moonrise, ends at P4, moonset, or is an instant
  bool onList;      // the city-history list has it (the shadow axis up at a contact)
};

std::ostream& operator<<(std::ostream& o, const EventRow& r) { return o << r.name; }

class CalendarEvents : public ::testing::TestWithParam<EventRow> {};

// Published visibility: 2025 Sep 7 total, the Moon rising eclipsed over Europe after P1
// at 15:28 UT; 2022 Nov 8 total, the Moon setting during totality over eastern North
// America and seen whole from Hawaii (P1 08:02 to P4 13:56 UT, by night); 2009 Feb 9
// penumbral, P4 at 16:38 UT before moonrise at Zurich although the shadow axis was
// 0.4 degrees up then. Off the list: 1998 Aug 8 penumbral at Tromso, the shadow axis
// 0.7 degrees below the horizon at P1 and lower after, while refraction still shows the
// setting Moon's upper limb for a few minutes. The instant: the place west of Zurich on the same parallel where
// the 2025 Moon rises at P4 (found by a bisection on the longitude).
INSTANTIATE_TEST_SUITE_P(
    RealEclipses, CalendarEvents,
    ::testing::Values(EventRow{"RisesDuringTotality", 2025, 9, 7, {47.3769, 8.5417, 408}, true, Cut::Horizon,
                               Cut::Contact, true},
                      EventRow{"SetsDuringTotality", 2022, 11, 8, {40.71, -74.01, 10}, true, Cut::Contact,
                               Cut::Horizon, true},
                      EventRow{"SeenWhole", 2022, 11, 8, {21.31, -157.86, 0}, true, Cut::Contact, Cut::Contact, true},
                      EventRow{"AxisUpMoonDown", 2009, 2, 9, {47.3769, 8.5417, 408}, false, Cut::Contact, Cut::Contact, true},
                      EventRow{"RisesAtP4", 2025, 9, 7, {47.3769, 0, 0}, true, Cut::Horizon, Cut::Instant, true},
                      EventRow{"AxisDownMoonUp", 1998, 8, 8, {69.65, 18.96, 0}, true, Cut::Contact, Cut::Horizon,
                               false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(CalendarEvents, RunFromTheFirstToTheLastInstantTheMoonIsUp) {
  const EventRow& row = GetParam();
  const int index = IndexOf(row.year, row.month, row.day);
  ASSERT_GT(index, 0);
  Observer o = row.observer;
  if (row.end == Cut::Instant) {
    // Eastward the Moon rises before P4, westward after it.
    double east = 8.5417, west = -80;
    const auto seen = [&](double lon) {
      const CalendarEclipse e = EclipseAt(index, {o.latitudeDeg, lon, 0});
      return VisiblePart(e.eclipse, e.deltaT, {o.latitudeDeg, lon, 0}, e.place.ContactTime[Contact::P1],
                         e.place.ContactTime[Contact::P4]).visible;
    };
    ASSERT_TRUE(seen(east));
    ASSERT_FALSE(seen(west));
    for (int i = 0; i < 60; ++i) ((seen((east + west) / 2)) ? east : west) = (east + west) / 2;
    o.longitudeDeg = east;
  }
  const CalendarEclipse e = EclipseAt(index, o);
  ASSERT_TRUE(ContactExists(e.place.PhaseType, Contact::P4));
  // The list has an eclipse when its shadow axis is up at a contact (the unseen one too).
  EXPECT_EQ(SeesEclipse(e.place), row.onList);
  // The city-history search of the year hands the eclipse on for the calendar, marked as on
  // the list or not, without a list line or a count for one off the list.
  const EclipseRecord& r = Shipped().At(index);
  const int year = UniversalYear(r, e.deltaT);
  CityHistBlockCallbacks callbacks;
  callbacks.keepSeen = true;
  std::string lines;
  callbacks.format = [](std::string& text, const CityHistFound& found) { text += std::to_string(found.index) + "\n"; };
  std::vector<CalendarEclipse> candidates;
  callbacks.onBlock = [&](std::string_view text, const std::vector<CityHistSeen>& seen, const std::string&,
                          const CityHistOutcome&) {
    lines += text;
    for (const CityHistSeen& k : seen)
      if (k.index == index) candidates.push_back(CalendarEclipse{k.index, r, k.deltaT, k.place, k.listed});
  };
  const std::atomic<bool> stop{false};
  const CityHistInput input{&Shipped(), "", o.latitudeDeg * DegToRad, -o.longitudeDeg * DegToRad, o.heightM, year, year};
  const CityHistOutcome outcome = RunCityHistBlocks(input, callbacks, stop);
  ASSERT_EQ(candidates.size(), 1u);
  EXPECT_EQ(candidates[0].listed, row.onList);
  EXPECT_EQ(lines.find(std::to_string(index) + "\n") != std::string::npos, row.onList) << lines;
  EXPECT_EQ(outcome.found, static_cast<int>(std::count(lines.begin(), lines.end(), '\n')));
  const CalendarPlace place{"", o.latitudeDeg, o.longitudeDeg, o.heightM};
  const CalendarFile file = CityHistCalendar(candidates, place, 1, "-//Test//EN", "20260101T000000Z");
  EXPECT_EQ(file.events, row.event ? 1 : 0);
  EXPECT_EQ(file.unseen, row.event ? 0 : 1);
  EXPECT_EQ(file.added, row.event && !row.onList ? 1 : 0);
  EXPECT_EQ(file.omitted, 0);
  if (!row.event) {
    EXPECT_EQ(file.text.find("BEGIN:VEVENT"), std::string::npos);
    return;
  }
  const double p1 = e.place.ContactTime[Contact::P1], p4 = e.place.ContactTime[Contact::P4];
  const double start = row.start == Cut::Contact ? p1 : HorizonCrossingBetween(e, o, p1 - 1e-3, p4, true);
  const double end = row.end == Cut::Horizon ? HorizonCrossingBetween(e, o, p1, p4, false) : p4;
  ASSERT_TRUE(std::isfinite(start) && std::isfinite(end));
  // The bisection's instant and the routine's agree far below the half second that could
  // round them apart; P1 or P4 itself is exact.
  EXPECT_EQ(Property(file.text, "DTSTART"), DateTimeText(e, start));
  if (row.end == Cut::Instant) {
    EXPECT_LT(std::fabs(start - p4) * 3600, 0.05);
    EXPECT_EQ(Property(file.text, "DTEND"), std::nullopt);
  } else {
    EXPECT_EQ(Property(file.text, "DTEND"), DateTimeText(e, end));
    EXPECT_GT(*Property(file.text, "DTEND"), *Property(file.text, "DTSTART"));
  }
  // The description names the cut and gives every contact with the sky at it.
  const std::string description = Property(file.text, "DESCRIPTION").value_or("");
  const auto readable = [&](double t) {
    const std::string s = DateTimeText(e, t);
    return s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2) + " " + s.substr(9, 2) + ":" +
           s.substr(11, 2) + ":" + s.substr(13, 2) + " UTC";
  };
  EXPECT_EQ(description.find("Moonrise: " + readable(start)) != std::string::npos,
            row.start == Cut::Horizon)
      << description;
  EXPECT_EQ(description.find("Moonset: " + readable(end)) != std::string::npos, row.end == Cut::Horizon)
      << description;
  for (const Contact k : kListContacts) {
    if (!ContactExists(e.place.PhaseType, k)) continue;
    const LocalSkyAt sky = SkyAt(e.eclipse, e.deltaT, o, e.place.ContactTime[k]);
    char expected[160];
    std::snprintf(expected, sizeof expected, "%s\\, Moon's altitude %.1f\u00B0\\, azimuth %.0f\u00B0 (%s)\\, %s",
                  readable(e.place.ContactTime[k]).c_str(), sky.moonApparentAltitudeDeg, sky.moonAzimuthDeg,
                  CompassPoint(sky.moonAzimuthDeg, 1), TwilightText(sky.twilight, 1));
    const std::size_t at = description.find(expected);
    EXPECT_NE(at, std::string::npos) << expected << "\n" << description;
    if (at == std::string::npos) continue;
    const std::size_t lineEnd = description.find("\\n", at);
    const bool below = description.substr(at, lineEnd - at).find("Moon below the horizon") != std::string::npos;
    EXPECT_EQ(below, !sky.moonVisible) << ContactName(k);
  }
}

}  // namespace
}  // namespace varomintel
