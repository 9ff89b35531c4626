// What an observer at one place really sees of a lunar eclipse: the Moon's topocentric
// apparent altitude and azimuth, the Sun's altitude and the darkness of the sky, the
// moonrise and moonset within the eclipse, and the part of it that is above the horizon.
//
// The Moon and the Sun come from the eclipse's own elements, so no ephemeris is needed:
// the shadow axis points away from the Sun (declination d, Greenwich hour angle M), the
// Moon lies at the angular offset (x, y) from it (x towards the east, y towards the north,
// sqrt(x^2 + y^2) the separation), and the Moon's geocentric semidiameter, the contact
// radius minus f1, gives its distance with the IAU ratio k of the Moon's radius to the
// Earth's. Against a full ephemeris the altitudes agree within a few hundredths of a
// degree (see tests/places/test_local_sky_ephemeris.cpp).
//
// References: Meeus, Astronomical Algorithms, 2nd ed. (Willmann-Bell 1998): ch. 11
// (the observer's geocentric position, rho sin phi', rho cos phi'), ch. 13 (horizontal
// coordinates), ch. 16 (refraction, Saemundsson's formula 16.4), ch. 40 (topocentric
// place: parallax in right ascension and declination).
#pragma once

#include <optional>
#include <vector>

#include "eclipse/catalogue.h"
#include "eclipse/contact.h"
#include "places/local_circumstances.h"
#include "places/place.h"

namespace varomintel {

// The observer on the Earth's ellipsoid (geodetic coordinates).
struct Observer {
  double latitudeDeg = 0;   // degrees, north positive
  double longitudeDeg = 0;  // degrees, east positive
  double heightM = 0;       // metres above the ellipsoid (sea level)
};

// The heights a place on or above the Earth can have, in metres above the ellipsoid: from
// below the deepest dry depression (the Dead Sea shore, -430 m, with room for mines) to the
// edge of space (the Karman line, 100 km). Outside them the topocentric formulas still give
// numbers, but for no observer.
inline constexpr double kMinObserverHeightM = -1000;
inline constexpr double kMaxObserverHeightM = 100000;
inline bool IsObserverHeight(double heightM) {
  return heightM >= kMinObserverHeightM && heightM <= kMaxObserverHeightM;  // false for NaN
}

// The sky's darkness by the Sun's geometric altitude h (centre, no refraction): day while
// its upper limb is up (h > -0.833 degrees: 34' of refraction and 16' of semidiameter),
// then civil (h > -6), nautical (h > -12), astronomical twilight (h > -18), night.
enum class Twilight { Day, Civil, Nautical, Astronomical, Night };
Twilight TwilightOf(double sunAltitudeDeg);
// "day", "civil", "nautical", "astronomical", "night".
const char* TwilightName(Twilight twilight);

// Refraction of the standard atmosphere, 10 degrees C and 1010 hPa, for a true
// (airless) altitude: Saemundsson (Meeus eq. 16.4), R = 1.02' / tan(h + 10.3/(h + 5.11)).
// The formula has its largest value, 0.744 degrees, at h = -1.9006 degrees; below that the
// refraction is held at it, so that the apparent altitude rises with the true one
// everywhere (it is then no more than a continuation for root finding: such a Moon is
// below the astronomical horizon). Degrees in, degrees out.
double RefractionDeg(double trueAltitudeDeg);

// The Moon and the Sun at one instant, as seen from the place.
struct LocalSkyAt {
  double moonApparentAltitudeDeg = 0;  // centre, topocentric, with refraction
  double moonTrueAltitudeDeg = 0;      // centre, topocentric, without refraction
  double moonAzimuthDeg = 0;           // from north through east, [0, 360)
  double moonSemidiameterDeg = 0;      // topocentric
  // The parallactic angle at the Moon: the position angle of the zenith (from the north
  // through the east) at the Moon's topocentric place, Meeus eq. 14.1 with its local hour
  // angle H, declination d and the geodetic latitude phi,
  //   tan q = sin H / (tan phi cos d - sin d cos H),
  // in the form multiplied by cos phi, which holds at the poles too. Degrees, -180..180:
  // positive west of the meridian. Turning a north-up picture of the Moon clockwise by q
  // puts the observer's up at the top.
  double moonParallacticAngleDeg = 0;
  double moonDistanceEarthRadii = 0;   // from the observer
  // The upper limb's apparent altitude: the true altitude of the limb with its own
  // refraction. Above 0 the Moon is visible (the astronomical horizon; the observer's
  // height lowers no horizon here, as local terrain usually decides that).
  double upperLimbApparentAltitudeDeg = 0;
  bool moonVisible = false;
  double sunAltitudeDeg = 0;           // centre, geometric (no refraction), geocentric
  double sunAzimuthDeg = 0;            // from north through east
  Twilight twilight = Twilight::Night;
};

// Given: the eclipse, Delta T (seconds: the eclipse's own, DeltaT(Year, Month), also
// where times are shown in terrestrial time, since it turns the Earth under the sky),
// the place, t (hours of TT from T0).
// Returned: the Moon and the Sun at that instant. Nothing is kept between calls.
LocalSkyAt SkyAt(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double t);

// The instant at which the Moon's upper limb crosses the horizon (its apparent altitude
// is 0), rising or setting.
struct HorizonCrossing {
  double t = 0;      // hours of TT from T0, within a hundredth of a second
  bool rising = false;
};

// Given: the eclipse, Delta T, the place and an interval [tBegin, tEnd] (hours of TT).
// Returned: every moonrise and moonset within it, in time order. The interval is scanned
// in steps of a quarter hour and a step is split where the altitude's curvature could
// hide a pair of crossings, so that a Moon that grazes the horizon is not missed.
std::vector<HorizonCrossing> MoonHorizonCrossings(const EclipseRecord& eclipse, double deltaT,
                                                  const Observer& observer, double tBegin, double tEnd);

// The part of an interval in which the Moon is visible.
struct VisibleSpan {
  bool visible = false;  // the Moon is up at some instant of the interval
  double first = 0;      // hours of TT: the first and last instant it is up
  double last = 0;
};

// Given: as MoonHorizonCrossings. Returned: the first and last instant of [tBegin, tEnd]
// at which the Moon is up (a moonset and a later moonrise inside leave a gap that this
// span covers). Cheap when the Moon stays far from the horizon: the shadow axis's
// altitude alone then decides.
VisibleSpan VisiblePart(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double tBegin,
                        double tEnd);

// One contact as seen from the place.
struct ContactSky {
  double t = 0;                        // hours of TT from T0
  double shadowAxisAltitudeDeg = 0;    // the lists' altitude: geocentric, of the shadow axis
  LocalSkyAt sky;
};

// The whole view of one eclipse from one place.
struct LocalEclipseView {
  bool eclipse = false;     // false: penumbral magnitude below 0, nothing else is set
  bool converged = true;    // false: a contact's refinement gave up
  LocalPhase phase = LocalPhase::Penumbral;
  double magnitude = 0;     // umbral when 0 or more, otherwise penumbral
  // The seven contacts of kListContacts; empty for a contact of a deeper phase than the
  // eclipse has.
  PerContact<std::optional<ContactSky>> contacts;
  std::vector<HorizonCrossing> crossings;  // between P1 and P4
  VisibleSpan visible;                     // the visible part of P1..P4
};

// Given: the eclipse, Delta T (seconds) and the place.
// Returned: the contacts of the local circumstances (the city-history search's, so the
// instants and the shadow-axis altitudes are those of the lists) with the sky at each,
// the moonrises and moonsets between P1 and P4 and the visible part of the eclipse.
LocalEclipseView ViewFromPlace(const EclipseRecord& eclipse, double deltaT, const Observer& observer);

// The first and last instant (hours of TT) at which the Moon is visible within the phase
// that runs from contact `begin` to contact `end` (P1..P4, U1..U4 or U2..U3); not visible
// when the phase does not occur or the Moon is below the horizon throughout it.
// Found from the view's contacts and crossings alone.
VisibleSpan VisiblePhase(const LocalEclipseView& view, Contact begin, Contact end);

}  // namespace varomintel
