#include "places/export_records.h"

#include <cmath>
#include <utility>

#include "astro/calendar.h"
#include "astro/trig_func.h"

namespace varomintel {

namespace {

constexpr double kUnixEpochJulianDay = 2440587.5;  // 1970-01-01T00:00:00 UT
constexpr long long kSecondsPerDay = 86400;

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

GregorianInstant GregorianFromJulianDay(double julianDayUT) {
  // Seconds from the Unix epoch; a double holds them to far below a second over the catalogue.
  const double s = std::nearbyint((julianDayUT - kUnixEpochJulianDay) * kSecondsPerDay);
  const long long seconds = static_cast<long long>(std::fmax(std::fmin(s, 9e15), -9e15));
  const long long days = FloorDiv(seconds, kSecondsPerDay);
  const long long ofDay = seconds - days * kSecondsPerDay;
  // civil_from_days: days since 1970-01-01 to year, month, day of the proleptic Gregorian calendar.
  const long long z = days + 719468;
  const long long era = FloorDiv(z, 146097);
  const long long doe = z - era * 146097;                                // [0, 146096]
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);         // [0, 365]
  const long long mp = (5 * doy + 2) / 153;                              // [0, 11], March first
  GregorianInstant g;
  g.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  g.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  g.year = yoe + era * 400 + (g.month <= 2 ? 1 : 0);
  g.hour = static_cast<int>(ofDay / 3600);
  g.minute = static_cast<int>(ofDay / 60 % 60);
  g.second = static_cast<int>(ofDay % 60);
  return g;
}

double ContactJulianDayUT(const EclipseRecord& eclipse, double deltaT, double t) {
  return DateToJD(eclipse.Year, eclipse.Month, eclipse.Day, eclipse.T0Hour - deltaT / 3600.0 + t, 0, 0);
}

UtcInstant UtcInstantOf(const EclipseRecord& eclipse, double deltaT, double t) {
  UtcInstant i;
  i.julianDayUT = ContactJulianDayUT(eclipse, deltaT, t);
  i.dated = std::isfinite(i.julianDayUT);
  if (i.dated) i.utc = GregorianFromJulianDay(i.julianDayUT);
  return i;
}

PlaceResultRecord PlaceResultOf(const EclipseRecord& eclipse, double deltaT, const Place& place,
                                const Observer& observer) {
  PlaceResultRecord r;
  r.phase = place.PhaseType;
  r.magnitude = place.Magnitude;
  r.magnitudeIsUmbral = eclipse.EclipseType >= EclipseTypeCode::PartialUmbral;
  for (std::size_t i = 0; i < kListContacts.size(); ++i) {
    const Contact k = kListContacts[i];
    PlaceContactRecord& c = r.contacts[i];
    c.seen = ContactVisible(place, k);
    if (!c.seen) continue;
    const double t = place.ContactTime[k];
    c.instant = UtcInstantOf(eclipse, deltaT, t);
    c.hoursFromT0 = t;
    c.list = ContactUniversalTime(eclipse, deltaT, t);
    c.altitudeDeg = place.ContactAltitude[k] * RadToDeg;
    const LocalSkyAt sky = SkyAt(eclipse, deltaT, observer, t);
    c.apparentAltitudeDeg = sky.moonApparentAltitudeDeg;
    c.azimuthDeg = sky.moonAzimuthDeg;
  }
  return r;
}

CalendarEclipse CalendarEclipseFromHit(const CityHistHit& hit) {
  return CalendarEclipse{hit.index, hit.eclipse, hit.deltaT, hit.place, true};
}

CalendarEvents CalendarEventsOf(const std::vector<CalendarEclipse>& eclipses, const CalendarPlace& place) {
  CalendarEvents out;
  const Observer observer{place.latitude, place.longitude, place.heightM};
  // One second in hours: a moonrise or moonset closer than this to P1 or P4 is no news.
  constexpr double kSecondHours = 1.0 / 3600;
  for (const CalendarEclipse& e : eclipses) {
    const Place& p = e.place;
    if (!ContactExists(p.PhaseType, Contact::P1) || !ContactExists(p.PhaseType, Contact::P4)) continue;
    const auto utc = [&e](double t) { return GregorianFromJulianDay(ContactJulianDayUT(e.eclipse, e.deltaT, t)); };
    const double p1 = p.ContactTime[Contact::P1], p4 = p.ContactTime[Contact::P4];
    if (utc(p1).year < 1 || utc(p4).year > 9999) {
      if (e.listed) ++out.omitted;
      continue;
    }
    const VisibleSpan span = VisiblePart(e.eclipse, e.deltaT, observer, p1, p4);
    if (!span.visible) {
      if (e.listed) ++out.unseen;
      continue;
    }
    if (!e.listed) ++out.added;
    CalendarEvent event;
    event.eclipse = &e;
    event.start = utc(span.first);
    event.end = utc(span.last);
    for (const Contact k : kListContacts) {
      if (!ContactExists(p.PhaseType, k) || p.ContactAltitude[k] == kAltitudeNotComputed) continue;
      const double t = p.ContactTime[k];
      event.contacts.push_back(CalendarContact{k, t, utc(t), SkyAt(e.eclipse, e.deltaT, observer, t)});
    }
    if (span.first > p1 + kSecondHours) event.moonrise = CalendarCut{true, span.first, utc(span.first)};
    if (span.last < p4 - kSecondHours) event.moonset = CalendarCut{true, span.last, utc(span.last)};
    out.events.push_back(std::move(event));
  }
  return out;
}

}  // namespace varomintel
