#include "places/sky_panorama.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "eclipse/eclipse_type.h"
#include "eclipse/report.h"
#include "places/calendar_export.h"
#include "places/export_records.h"
#include "places/list_text.h"
#include "places/local_sky_text.h"
#include "places/place_texts.h"
#include "text/number_text.h"

namespace varomintel {

namespace {

// The value equal to `deg` modulo 360 nearest to `near`.
double NearestTurn(double deg, double near) { return deg - 360.0 * std::round((deg - near) / 360.0); }

// The date as FormatContactDate writes it, without the blanks before a short year.
std::string TrimmedDate(const EclipseRecord& e, double t, double zone, double deltaT) {
  std::string d = FormatContactDate(e, t, zone, deltaT);
  d.erase(0, d.find_first_not_of(' '));
  return d;
}

}  // namespace

SkyPanorama SkyPanoramaOf(const EclipseRecord& eclipse, double deltaT, const Observer& observer) {
  SkyPanorama out;
  out.observer = observer;
  out.deltaT = deltaT;
  out.view = ViewFromPlace(eclipse, deltaT, observer);
  const auto& p1 = out.view.contacts[Contact::P1];
  const auto& p4 = out.view.contacts[Contact::P4];
  if (!out.view.eclipse || !p1 || !p4) return out;
  out.eclipse = true;

  // The instants: a regular step from P1 to P4 with every contact and crossing inserted.
  std::vector<double> times;
  const int steps = std::max(1, static_cast<int>(std::ceil((p4->t - p1->t) / kSkyPathStepHours)));
  for (int i = 0; i <= steps; ++i) times.push_back(i == steps ? p4->t : p1->t + i * (p4->t - p1->t) / steps);
  for (const Contact k : kListContacts)
    if (const auto& c = out.view.contacts[k]) times.push_back(c->t);
  for (const HorizonCrossing& x : out.view.crossings) times.push_back(x.t);
  std::sort(times.begin(), times.end());
  times.erase(std::unique(times.begin(), times.end()), times.end());

  double previous = 0;
  for (const double t : times) {
    const LocalSkyAt sky = SkyAt(eclipse, deltaT, observer, t);
    const double azimuth = out.path.empty() ? sky.moonAzimuthDeg : NearestTurn(sky.moonAzimuthDeg, previous);
    previous = azimuth;
    out.path.push_back({t, sky.moonApparentAltitudeDeg, azimuth});
  }

  const auto [west, east] = std::minmax_element(out.path.begin(), out.path.end(),
                                                [](const auto& a, const auto& b) { return a.azimuthDeg < b.azimuthDeg; });
  double left = west->azimuthDeg - kSkyAzimuthMarginDeg, right = east->azimuthDeg + kSkyAzimuthMarginDeg;
  if (right - left > 360) {
    const double middle = 0.5 * (west->azimuthDeg + east->azimuthDeg);
    left = middle - 180;
    right = middle + 180;
  }
  // Whole degrees at the edges keep the grid's labels where a reader expects them; a shift
  // that puts both edges within 0..360 when they fit there.
  left = std::floor(left);
  right = std::ceil(right);
  if (right - left > 360) right = left + 360;
  const double shift = left < 0 && right <= 360 ? 0 : -360.0 * std::floor(left / 360.0);
  out.azimuthLeftDeg = left + shift;
  out.azimuthRightDeg = right + shift;
  for (SkyPathPoint& p : out.path) p.azimuthDeg += shift;

  double highest = kSkyAltitudeBottomDeg;
  for (const SkyPathPoint& p : out.path) highest = std::max(highest, p.altitudeDeg);
  out.altitudeBottomDeg = kSkyAltitudeBottomDeg;
  out.altitudeTopDeg = std::max(kSkyLowestTopDeg, 10 * std::ceil((highest + kSkyHeadroomDeg) / 10));
  return out;
}

LocalSkyAt SkyPanoramaAt(const EclipseRecord& eclipse, const SkyPanorama& panorama, double t) {
  return SkyAt(eclipse, panorama.deltaT, panorama.observer, t);
}

SkyScene SkySceneOf(const EclipseRecord& eclipse, const SkyPanorama& panorama, double t, bool universalTime,
                    double zone, std::uint8_t languageIndex, const std::string& placeName) {
  const std::uint8_t l = languageIndex;
  SkyScene s;
  s.record = &eclipse;
  s.panorama = &panorama;
  s.t = t;
  s.language = l;
  s.sky = SkyPanoramaAt(eclipse, panorama, t);
  s.elements = EvaluateElements(eclipse, t, panorama.deltaT);
  // The clock: universal time in the zone, or terrestrial time (no Delta T, no zone).
  const double shownZone = universalTime ? zone : 0.0;
  const double shownDeltaT = universalTime ? panorama.deltaT : 0.0;
  const std::string scale = !universalTime ? std::string("TT") : zone == 0 ? std::string("UTC") : "UTC" + FormatTimeZone(zone);
  // Hours and minutes, rounded to the minute.
  const auto clock = [&](double at) { return FormatContactClock(eclipse, at + 0.5 / 60, shownZone, shownDeltaT).substr(0, 5); };

  const Observer& o = panorama.observer;
  const double metres = std::round(o.heightM);
  s.caption.push_back((placeName.empty() ? std::string() : placeName + ", ") + FormatLatitude(o.latitudeDeg) + " " +
                      FormatLongitude(o.longitudeDeg) +
                      (metres == 0 ? std::string() : Text(PlacesText::kHeight, l) + FormatFixed(metres, 0) + " m"));
  s.caption.push_back(TrimmedDate(eclipse, t, shownZone, shownDeltaT) + "  " +
                      FormatContactClock(eclipse, t, shownZone, shownDeltaT) + " " + scale + "     " +
                      EclipseTypeLongName(eclipse.EclipseType, l));
  s.caption.push_back(std::string(Text(PlacesText::kSkySun, l)) + " " + std::to_string(std::lround(s.sky.sunAltitudeDeg)) + "°, " +
                      TwilightText(s.sky.twilight, l));
  s.caption.push_back(LocalSummary(eclipse, panorama.deltaT, o, panorama.view, l));
  for (const Contact k : kListContacts)
    if (const auto& c = panorama.view.contacts[k]) s.contactLabels[k] = std::string(ContactName(k)) + " " + clock(c->t);
  for (const HorizonCrossing& x : panorama.view.crossings) s.crossingLabels.push_back(HorizonCrossingText(x.rising, clock(x.t), l));
  s.timeUtc = IsoUtcText(GregorianFromJulianDay(ContactJulianDayUT(eclipse, panorama.deltaT, t)));
  return s;
}

double PanoramaAzimuth(const SkyPanorama& panorama, double azimuthDeg) {
  return NearestTurn(azimuthDeg, 0.5 * (panorama.azimuthLeftDeg + panorama.azimuthRightDeg));
}

}  // namespace varomintel
