// Local circumstances of a lunar eclipse at one place: the contact instants, the Moon's
// altitude at each contact, magnitude and phase type. The list texts built from them are
// in places/list_text.h.
//
// The contacts are found from the Besselian elements by Newton-like corrections of the
// instant of least distance and of the instants at which the Moon's centre is at the
// contact radius, in the manner of Meeus, Elements of Solar Eclipses 1951-2200
// (Willmann-Bell 1989), applied to the Moon in the Earth's shadow. The instants are the
// same everywhere; the place enters only through the hour angle of the altitude, which
// has no refraction, parallax or height correction.
#pragma once

#include <array>
#include <string>

#include "eclipse/catalogue.h"
#include "places/place.h"

namespace varomintel {

// Corrections below this end a refinement (hours).
inline constexpr double kRefineToleranceHours = 0.000001;
// A refinement that has not met the tolerance after this many corrections gives up at
// the instant reached; real eclipses need fewer than ten.
inline constexpr int kMaxRefineSteps = 100;

// The starting half-width of U1/U4 when the umbral contact radius is not reached
// (|q| > 1): the city list starts 0.001 hours from maximum, the city history at maximum
// (also for |q| = 1).
enum class UmbralGuard { CityList, CityHistory };

struct LocalResult {
  bool eclipse = false;   // false: penumbral magnitude below 0, nothing computed beyond MAX
  bool converged = true;  // false: a refinement reached kMaxRefineSteps or met a zero rate
};

// Given: the eclipse, Delta T (seconds), the latitude and the west longitude (radians,
// west positive), the guard of the run.
// Returned: the result fields of `place` (ContactTime, ContactAltitude, Magnitude,
// PhaseType); every altitude is first set to kAltitudeNotComputed.
LocalResult LocalCircumstances(const EclipseRecord& eclipse, double deltaT, double latitude,
                               double westLongitude, Place& place,
                               UmbralGuard guard = UmbralGuard::CityList);

// The part of the local circumstances that is the same for every place: the contact
// instants and the element values there (x, y and the radii do not depend on the place;
// only the hour angle does, through the longitude). A run over many places prepares it
// once and applies it to each place, with the same result as LocalCircumstances.
struct LocalEclipse {
  bool eclipse = false;    // penumbral magnitude 0 or more
  bool converged = true;
  LocalPhase phaseType = LocalPhase::Penumbral;
  double magnitude = 0;
  double deltaTHourAngle = 0;  // radians: 0.00417807 degrees per second of Delta T
  PerContact<double> time;         // hours of TT from T0
  PerContact<double> mu;           // Greenwich hour angle of the shadow axis, radians
  PerContact<double> sinD, cosD;   // of the axis declination
  // Of mu - deltaTHourAngle, set by PrepareSeenDecisions: with the place's west longitude
  // w, cos(H) = cosB cos(w) + sinB sin(w).
  PerContact<double> sinB, cosB;
  bool seenDecisions = false;  // sinB and cosB are set
  PerContact<bool> computed;
};
LocalEclipse PrepareLocalEclipse(const EclipseRecord& eclipse, double deltaT,
                                 UmbralGuard guard = UmbralGuard::CityList);
LocalResult ApplyLocalEclipse(const LocalEclipse& prepared, double latitude, double westLongitude,
                              Place& place);

// The sine of the altitude below which ApplyLocalEclipseSeen takes a contact for set
// without computing its altitude. Both ways of computing the sine (the hour angle's cosine
// taken directly, or as the sum of products) are within some 1e-14 of the true value, so
// this margin leaves every decision as ApplyLocalEclipse makes it.
inline constexpr double kSurelySetSine = -1e-9;

// ApplyLocalEclipse for a run that only shows the contacts seen: the same result, the
// same times and, for every contact whose altitude is above 0 (and for any near 0), the
// same altitude to the last bit; the altitude of a contact that is surely below the
// horizon is not computed and holds kAltitudeBelowHorizon. After PrepareSeenDecisions the
// decision costs a product of sines and cosines per contact instead of an inverse sine
// and a cosine; without it (one place, many eclipses) the cosine is computed and only the
// inverse sine of a contact below the horizon is left out.
// Fills sinB and cosB of a prepared eclipse for ApplyLocalEclipseSeen: for a run over
// many places, whose cost per place is then the lower.
void PrepareSeenDecisions(LocalEclipse& prepared);
LocalResult ApplyLocalEclipseSeen(const LocalEclipse& prepared, double latitude, double westLongitude,
                                  Place& place);

}  // namespace varomintel
