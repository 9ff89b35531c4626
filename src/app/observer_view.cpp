#include "app/observer_view.h"

#include <cmath>

#include "app/app_texts.h"
#include "app/point_of_interest.h"
#include "astro/delta_t.h"
#include "eclipse/contact.h"
#include "eclipse/report.h"
#include "places/delta_t_visibility.h"
#include "places/local_sky_text.h"
#include "text/number_text.h"

namespace varomintel {

namespace {

using K = AppText;

static_assert(static_cast<int>(K::kHeaderVisible) - static_cast<int>(K::kHeaderContact) == kObserverColumns - 1);

// The clock of the window's time scale: universal time shifted by the zone, or
// terrestrial time.
struct Clock {
  double zone = 0;    // hours
  double deltaT = 0;  // seconds, 0 in terrestrial time
  std::string scale;  // "UT", "UT+1.00", "TT"
};

Clock ClockOf(const SelectedEclipse& s, const TimeSettings& settings) {
  if (!settings.universalTime) return {0, 0, "TT"};
  const double zone = settings.timeZone;
  return {zone, s.deltaT, zone == 0 ? std::string("UT") : "UT" + FormatTimeZone(zone)};
}

std::string Degrees(double value, int decimals, bool sign) {
  std::string text = FormatFixed(value == 0 ? 0.0 : value, decimals);
  if (text == "-0" || text == "-0.0") text.erase(0, 1);
  if (sign && text.front() != '-') text.insert(text.begin(), '+');
  return text + "\u00B0";
}

// "47.5547°N  7.5°O": the place as the entries hold it, up to four decimals (a place
// clicked on the map has one), with the language's hemisphere letters.
std::string PlaceText(const GeoPoint& place, std::uint8_t l) {
  const auto unsigned4 = [](double value) {
    std::string text = FormatFixed(std::abs(value), 4);
    while (text.back() == '0' && text[text.size() - 2] != '.') text.pop_back();
    return text;
  };
  const bool south = std::round(place.latitude * 1e4) < 0, west = std::round(place.longitude * 1e4) < 0;
  return unsigned4(place.latitude) + "\u00B0" + (south ? 'S' : 'N') + "  " + unsigned4(place.longitude) + "\u00B0" +
         (west ? WestLetter(l) : EastLetter(l));
}

std::string Date(const EclipseRecord& e, double t, const Clock& c) {
  std::string d = FormatContactDate(e, t, c.zone, c.deltaT);
  d.erase(0, d.find_first_not_of(' '));
  return d;
}

}  // namespace

Observer ObserverAt(const GeoPoint& place) { return {place.latitude, place.longitude, 0.0}; }

ObserverTable ObserverTableOf(const SelectedEclipse& s, const TimeSettings& settings,
                              const std::optional<GeoPoint>& place) {
  const std::uint8_t l = ValidLanguageIndex(settings.language);
  ObserverTable table;
  if (!place || s.index == 0) {
    table.hint = Text(K::kNoPlace, l);
    return table;
  }
  table.placeMarked = true;
  const EclipseRecord& e = s.record;
  const double deltaT = DeltaTFor(e, settings);  // the sky's, in either time scale
  const Observer observer = ObserverAt(*place);
  const LocalEclipseView view = ViewFromPlace(e, deltaT, observer);
  const Clock clock = ClockOf(s, settings);

  table.place = std::string(Text(K::kPlace, l)) + PlaceText(*place, l) + Text(K::kSeaLevel, l);
  table.timeScale = std::string(Text(K::kTimesIn, l)) + clock.scale;
  table.deltaT = DeltaTLineOf(e, settings);
  table.historiansDate =
      HistoriansMaxDate(e, s.circumstances, settings.universalTime ? settings.timeZone : 0.0, s.deltaT, l);
  const double model = DeltaT(e.Year, e.Month), sigma = DeltaTSigma(e.Year, e.Month);
  if (sigma > 1) table.verdicts.emplace_back(DeltaTVerdictTitle(l));
  for (int c = 0; c < kObserverColumns; ++c)
    table.header[static_cast<std::size_t>(c)] = Text(static_cast<AppText>(static_cast<int>(K::kHeaderContact) + c), l);
  table.converged = view.converged;
  const std::string maxDate = view.contacts[Contact::Max] ? Date(e, view.contacts[Contact::Max]->t, clock) : "";
  for (const Contact k : kListContacts) {
    const auto& c = view.contacts[k];
    if (!c) continue;
    ObserverRow row;
    row.visible = c->sky.moonVisible;
    const std::string date = Date(e, c->t, clock);
    const std::string time = FormatContactClock(e, c->t, clock.zone, clock.deltaT);
    row.cells = {ContactName(k),
                 date == maxDate ? time : date + "\n" + time,
                 Degrees(c->sky.moonApparentAltitudeDeg, 1, true),
                 AzimuthText(c->sky.moonAzimuthDeg, l),
                 Degrees(c->shadowAxisAltitudeDeg, 1, true),
                 Degrees(c->sky.sunAltitudeDeg, 1, true),
                 TwilightText(c->sky.twilight, l),
                 VisibleAnswer(c->sky.moonVisible, l)};
    table.rows.push_back(std::move(row));
    if (sigma > 1)
      table.verdicts.push_back(std::string(ContactName(k)) + ": " +
                               DeltaTVerdictText(VisibilityOverDeltaT(e, c->t, observer, model, sigma), model, sigma, l));
  }
  if (view.eclipse && view.crossings.empty()) table.crossings.emplace_back(NoCrossingText(l));
  for (const HorizonCrossing& x : view.crossings) {
    const LocalSkyAt sky = SkyAt(e, deltaT, observer, x.t);
    const std::string date = Date(e, x.t, clock);
    const std::string when = (date == maxDate ? "" : date + " ") +
                             FormatContactClock(e, x.t, clock.zone, clock.deltaT) + Text(K::kAzimuth, l) +
                             AzimuthText(sky.moonAzimuthDeg, l) + Text(K::kSun, l) + Degrees(sky.sunAltitudeDeg, 1, true) +
                             " (" + TwilightText(sky.twilight, l) + ")";
    table.crossings.push_back(HorizonCrossingText(x.rising, when, l));
  }
  table.summary = LocalSummary(e, deltaT, observer, view, l);
  table.legend = Text(K::kLegend, l);
  return table;
}

ObserverNow ObserverNowOf(const SelectedEclipse& s, const TimeSettings& settings,
                          const std::optional<GeoPoint>& place, double t) {
  ObserverNow now;
  if (!place || s.index == 0) return now;
  const std::uint8_t l = ValidLanguageIndex(settings.language);
  const EclipseRecord& e = s.record;
  now.sky = SkyAt(e, DeltaTFor(e, settings), ObserverAt(*place), t);
  const Clock clock = ClockOf(s, settings);
  now.moon = FormatContactClock(e, t, clock.zone, clock.deltaT) + " " + clock.scale + Text(K::kMoonNow, l) +
             Degrees(now.sky.moonApparentAltitudeDeg, 1, true) + Text(K::kAzimuth, l) + AzimuthText(now.sky.moonAzimuthDeg, l) +
             ", " + Text(now.sky.moonVisible ? K::kVisible : K::kBelow, l);
  now.sun = std::string(Text(K::kSunNow, l)) + Degrees(now.sky.sunAltitudeDeg, 1, true) + Text(K::kColon, l) +
            TwilightText(now.sky.twilight, l);
  return now;
}

std::optional<SkyPanorama> SkyPanoramaFor(const SelectedEclipse& s, const TimeSettings& settings,
                                          const std::optional<GeoPoint>& place) {
  if (!place || s.index == 0) return std::nullopt;
  return SkyPanoramaOf(s.record, DeltaTFor(s.record, settings), ObserverAt(*place));
}

SkyScene SkySceneFor(const SelectedEclipse& s, const TimeSettings& settings, const SkyPanorama& panorama, double t) {
  return SkySceneOf(s.record, panorama, t, settings.universalTime, settings.timeZone,
                    ValidLanguageIndex(settings.language), "");
}

std::optional<double> ZenithTurnAt(const SelectedEclipse& s, const TimeSettings& settings,
                                   const std::optional<GeoPoint>& place, double t) {
  if (!place || s.index == 0) return std::nullopt;
  return SkyAt(s.record, DeltaTFor(s.record, settings), ObserverAt(*place), t).moonParallacticAngleDeg;
}

const char* ReportTabCaption(std::uint8_t language) { return Text(K::kReport, language); }
const char* PlaceTabCaption(std::uint8_t language) { return Text(K::kAtPlace, language); }

}  // namespace varomintel
