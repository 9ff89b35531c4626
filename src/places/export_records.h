// What the exports write, computed before they write it: the instants of contacts in UTC,
// a place's result of a list run with the Moon's sky at each contact seen, and the events
// of a city-history calendar. The writers (the JSON documents of varomintel-cli and the
// iCalendar file) take these records and only format them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "eclipse/catalogue.h"
#include "eclipse/contact.h"
#include "places/city_hist.h"
#include "places/list_text.h"
#include "places/local_sky.h"
#include "places/place.h"

namespace varomintel {

// A UTC instant in the proleptic Gregorian calendar (ISO 8601 and RFC 5545 count every
// date in it, also before 1582), whole seconds.
struct GregorianInstant {
  long long year = 0;  // astronomical numbering: 0 is 1 BC
  int month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// Given: Julian day in UT (days). Returned: the instant rounded to the nearest second.
// Fliegel & Van Flandern's day count in Hinnant's form ("chrono-compatible low-level date
// algorithms", civil_from_days), valid for any day number.
GregorianInstant GregorianFromJulianDay(double julianDayUT);

// Julian day (UT) of a contact instant t (hours of TT from T0 of the record), as the list
// texts convert it.
double ContactJulianDayUT(const EclipseRecord& eclipse, double deltaT, double t);

// An instant of an eclipse in universal time.
struct UtcInstant {
  double julianDayUT = 0;  // may be NaN or infinite for a record far out of range
  bool dated = false;      // julianDayUT is finite: `utc` holds its date
  GregorianInstant utc;
};
// Given: the eclipse, Delta T (seconds), t (hours of TT from T0).
UtcInstant UtcInstantOf(const EclipseRecord& eclipse, double deltaT, double t);

// One contact of a place's result, as seen there.
struct PlaceContactRecord {
  bool seen = false;           // false: the contact does not occur or the Moon is down
  UtcInstant instant;
  double hoursFromT0 = 0;      // TT
  ContactInstant list;         // the lists' universal-time date and clock
  double altitudeDeg = 0;      // the lists' altitude: the shadow axis's, geocentric
  double apparentAltitudeDeg = 0;  // the Moon's, topocentric, with refraction
  double azimuthDeg = 0;           // the Moon's, from north through east
};

// A place's result of a list run.
struct PlaceResultRecord {
  LocalPhase phase = LocalPhase::Penumbral;
  double magnitude = 0;
  bool magnitudeIsUmbral = false;  // the eclipse is umbral (type 3 and up)
  // In the order of kListContacts.
  std::array<PlaceContactRecord, kListContacts.size()> contacts{};
};

// Given: the eclipse (with its computed type), Delta T (the eclipse's own, seconds), the
// place's result of the run and the observer at the place.
// Returned: the record, with the Moon's sky computed for the contacts seen only.
PlaceResultRecord PlaceResultOf(const EclipseRecord& eclipse, double deltaT, const Place& place,
                                const Observer& observer);

// What the calendar keeps of one eclipse found by the city-history search (the hit's
// references do not outlive its callback).
struct CalendarEclipse {
  int index = 0;              // 1-based catalogue index
  EclipseRecord eclipse;
  double deltaT = 0;          // seconds
  Place place;                // the local circumstances of this eclipse
  bool listed = true;         // false: off the list, a candidate only (CityHistSeen::listed)
};
CalendarEclipse CalendarEclipseFromHit(const CityHistHit& hit);

struct CalendarPlace {
  std::string name;          // may be empty
  double latitude = 0;       // degrees, north positive
  double longitude = 0;      // degrees, east positive
  double heightM = 0;        // metres above sea level: the observer's parallax
};

// One contact of an event: its instant and the Moon and the sky there.
struct CalendarContact {
  Contact contact = Contact::Max;
  double t = 0;              // hours of TT from T0
  GregorianInstant utc;
  LocalSkyAt sky;
};

// A moonrise or moonset that cuts an event.
struct CalendarCut {
  bool occurs = false;       // more than a second inside P1..P4
  double t = 0;              // hours of TT from T0
  GregorianInstant utc;
};

// One eclipse seen from the place: the part of P1..P4 in which the Moon is up.
struct CalendarEvent {
  const CalendarEclipse* eclipse = nullptr;  // into the eclipses the events were made of
  GregorianInstant start, end;  // the first and last instant the Moon is up, to the second
  std::vector<CalendarContact> contacts;  // the contacts that exist, in kListContacts order
  CalendarCut moonrise, moonset;
};

struct CalendarEvents {
  std::vector<CalendarEvent> events;
  int omitted = 0;   // eclipses of the list left out: P1..P4 reaches outside the years 1..9999
  int unseen = 0;    // eclipses of the list left out: the Moon is below the horizon throughout P1..P4
  int added = 0;     // events of eclipses not on the list (the shadow axis down, the Moon up)
};

// Given: the eclipses in search order (with the candidates off the list among them) and
// the place. Returned: an event for each eclipse with the Moon up at some instant of P1..P4,
// in that order; it runs from the first to the last such instant (moonrise and moonset
// cut it; a moonset and a later moonrise within leave the gap inside). The events point
// into `eclipses`, which must outlive them.
CalendarEvents CalendarEventsOf(const std::vector<CalendarEclipse>& eclipses, const CalendarPlace& place);

}  // namespace varomintel
