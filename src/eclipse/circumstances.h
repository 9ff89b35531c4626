// Circumstances of a lunar eclipse from its Besselian elements: greatest eclipse, the
// magnitudes there, the eight contacts with the penumbra and umbra, and the type.
#pragma once

#include <array>

#include "eclipse/catalogue.h"
#include "eclipse/contact.h"
#include "eclipse/elements.h"

namespace varomintel {


// Position of the Moon and of the shadow axis at one instant.
struct ContactPosition {
  double x = 0, y = 0;  // arcseconds
  double d = 0, M = 0;  // radians, M in (-pi, pi]
};

// All instants are t: hours of TT from T0 of the record. An instant of exactly 0 means
// that the contact does not occur; every reader tests it so.
struct EclipseCircumstances {
  double TimeMax = 0;
  double XMax = 0, YMax = 0;  // arcseconds
  double PenMag = 0, UmbMag = 0;
  double TimeP1 = 0, TimeP2 = 0, TimeP3 = 0, TimeP4 = 0;
  double TimeU1 = 0, TimeU2 = 0, TimeU3 = 0, TimeU4 = 0;
  PerContact<ContactPosition> AtContact;  // Max: the position at TimeMax
  double DMax = 0, MMax = 0;  // d and M at TimeMax, radians
  double YAtXZero = 0;        // y where x passes through 0 from negative to positive

  double Time(Contact c) const;
  const ContactPosition& At(Contact c) const { return AtContact[c]; }
};

// Each search takes at most this many evaluations; real eclipses need a few dozen.
inline constexpr int kMaxSearchSteps = 10000;

struct CircumstancesResult {
  EclipseCircumstances circumstances;
  EclipseTypeCode type{};  // computed type (the record's own when no contact occurs)
  ElementValues atMax;     // the elements at TimeMax
  bool converged = true;   // false when a search reached kMaxSearchSteps
  const char* failedSearch = nullptr;  // the first search that did not converge
};

// Given: the record; Delta T in seconds (0 for terrestrial time; it only affects M).
// Returned: the circumstances, the computed type and the elements at greatest eclipse.
// Every instant comes from a bracketing step search (step, reverse with a third of the
// step at each sign change, stop below a tolerance) on the element polynomials; each
// search ends on the side where its function is negative: just before the turning point
// for greatest eclipse, just inside the boundary circle for a contact. A search that
// reaches kMaxSearchSteps is reported through `converged`; its contact counts as not
// occurring.
CircumstancesResult ComputeCircumstances(const EclipseRecord& record, double deltaT);

}  // namespace varomintel
