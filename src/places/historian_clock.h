// The historian's clock: an instant of an eclipse counted as the old records count time,
// from the sunset, sunrise, moonrise and moonset around it, in seasonal hours, from
// midnight and in local apparent solar time.
//
// Sunrise and sunset are the instants at which the Sun's upper limb is on the apparent
// horizon, as for the Moon (local_sky.h): the true altitude of the limb (centre plus a
// semidiameter of 16') with Saemundsson's refraction at 0. The Sun and the Moon come from
// the eclipse's own elements, extrapolated up to kClockSearchHours from T0: their
// polynomials describe slow, smooth motions (the Sun's declination and the Earth's turn;
// the Moon's offset from the shadow axis), and against a full ephemeris they keep the
// altitudes within a few hundredths of a degree that far (tests/places/
// test_local_sky_ephemeris.cpp), a few seconds of a rise or set time.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "eclipse/catalogue.h"
#include "places/local_sky.h"

namespace varomintel {

// How far (hours) before and after an instant a rise or set is looked for: one lunar day
// (24.84 h) and a margin. A Sun or Moon that does not cross the horizon within it stays
// up or down (polar day or night, a circumpolar Moon).
inline constexpr double kClockSearchHours = 26;

// The Sun's upper limb's apparent altitude (degrees) at t (hours of TT from T0), from the
// eclipse's elements; above 0 the Sun is up.
double SunUpperLimbDeg(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double t);

// The rises and sets around one instant t; instants in hours of TT from T0, empty when
// there is none within kClockSearchHours.
struct HorizonEvents {
  std::optional<double> lastSunset, nextSunrise;   // before and after t
  std::optional<double> lastSunrise, nextSunset;   // the day around t, when the Sun is up
  std::optional<double> lastMoonrise, nextMoonset;
  std::optional<double> lastMoonset, nextMoonrise;
  bool sunUp = false;
};

// The historian's clock at one instant; hours, empty where the event it counts from does
// not exist (`notes` says why).
struct HistorianClock {
  std::optional<double> hoursAfterSunset;    // since the last sunset
  std::optional<double> hoursBeforeSunrise;  // until the next sunrise
  // The seasonal hour: a twelfth of the night (sunset to sunrise) at night, of the day
  // (sunrise to sunset) by day.
  std::optional<double> seasonalHourH;
  // From midnight, the midpoint between the sunset and the following sunrise; negative
  // before it. At night only.
  std::optional<double> hoursFromMidnight;
  std::optional<double> hoursAfterMoonrise;  // since the last moonrise
  std::optional<double> hoursBeforeMoonset;  // until the next moonset
  double localApparentTimeH = 0;             // [0, 24): the Sun's local hour angle + 12 h
  // Codes of the missing values: "midnight_sun", "polar_night", "daytime" (no midnight
  // by day), "moon_does_not_rise", "moon_does_not_set".
  std::vector<std::string> notes;
};

// Given: the eclipse, Delta T (seconds), the place, t (hours of TT from T0).
HorizonEvents HorizonEventsAround(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double t);
HistorianClock ClockAt(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double t);

// ClockAt for every contact of a view, with one search for the rises and sets around the
// whole eclipse; the same values within the crossings' tolerance (a few milliseconds).
PerContact<HistorianClock> ClocksOfView(const EclipseRecord& eclipse, double deltaT, const Observer& observer,
                                        const LocalEclipseView& view);

// "HH:MM:SS" of hours in [0, 24), to the nearest second.
std::string ClockText(double hours);

// One rise or set of the Sun or the Moon, rising or setting, nearest to `guess` within
// `halfWidth` hours of it; for following one event while Delta T changes.
enum class Body { Sun, Moon };
std::optional<double> CrossingNear(const EclipseRecord& eclipse, double deltaT, const Observer& observer, Body body,
                                   bool rising, double guess, double halfWidth);

}  // namespace varomintel
