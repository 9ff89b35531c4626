#include "places/local_circumstances.h"

#include <cmath>

#include "astro/trig_func.h"
#include "eclipse/elements.h"

namespace varomintel {

namespace {

// 0.00417807 degrees of hour angle per second of Delta T (360.9856 degrees / 86400 s).
constexpr double kHourAnglePerSecond = 0.00417807;

// Radians. Below it the hour angle's rounding (some 1e-13 at most) stays far inside the
// margin of kSurelySetSine; real eclipses have angles of some ten radians.
constexpr double kSurelyDecidedAngle = 1000;

// The element state at t. Nothing in it depends on the place: the hour angle of the
// shadow axis is kept as its Greenwich part mu, to which the place adds its longitude.
struct State {
  double x = 0, y = 0, xr = 0, yr = 0;  // arcseconds, arcseconds per hour
  double d = 0, mu = 0;                 // radians
  double L1 = 0, L2 = 0, L3 = 0, f1 = 0;  // arcseconds
  double n2 = 0, n = 0;
};

State EvaluateState(const EclipseRecord& e, double t) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  State s;
  s.x = Evaluate(e.X, t, t2, t3);
  s.y = Evaluate(e.Y, t, t2, t3);
  s.xr = Rate(e.X, t, t2);
  s.yr = Rate(e.Y, t, t2);
  s.d = Evaluate(e.D, t, t2) * DegToRad;
  // Only the linear part of the hour angle.
  s.mu = EvaluateLinear(e.M, t) * DegToRad;
  s.L1 = Evaluate(e.PenContactRadius, t, t2);
  s.L2 = Evaluate(e.UmbContactRadius, t, t2);
  s.L3 = Evaluate(e.TotalityRadius, t, t2);
  s.f1 = Evaluate(e.F1, t, t2);
  s.n2 = s.xr * s.xr + s.yr * s.yr;
  s.n = std::sqrt(s.n2);
  return s;
}

// The part of the state that a refinement step needs: the Moon's place and motion and
// one radius, computed as EvaluateState computes them (the same values to the bit).
struct Motion {
  double x = 0, y = 0, xr = 0, yr = 0, n2 = 0, n = 0, L = 0;
};

template <typename RadiusOf>
Motion EvaluateMotion(const EclipseRecord& e, double t, const RadiusOf& radius) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  Motion m;
  m.x = Evaluate(e.X, t, t2, t3);
  m.y = Evaluate(e.Y, t, t2, t3);
  m.xr = Rate(e.X, t, t2);
  m.yr = Rate(e.Y, t, t2);
  m.L = radius(t, t2);
  m.n2 = m.xr * m.xr + m.yr * m.yr;
  m.n = std::sqrt(m.n2);
  return m;
}

struct Refined {
  double t = 0;
  State state;  // the last evaluation
  bool converged = true;
};

// Greatest eclipse: from t = 0, t += -(x x' + y y')/n^2 until the correction is below
// the tolerance. The state is that of the last evaluation (before the last correction).
Refined GreatestEclipse(const EclipseRecord& e) {
  Refined r;
  const auto noRadius = [](double, double) { return 0.0; };
  for (int step = 0;; ++step) {
    const double evaluated = r.t;
    const Motion s = EvaluateMotion(e, r.t, noRadius);
    const double delta = -(s.x * s.xr + s.y * s.yr) / s.n2;
    const bool ends = !std::isfinite(delta) || step == kMaxRefineSteps;
    if (ends) r.converged = false;
    else r.t += delta;
    if (ends || std::fabs(delta) < kRefineToleranceHours) {
      r.state = EvaluateState(e, evaluated);
      return r;
    }
  }
}

enum class Radius { Penumbral, Umbral, Totality };

double RadiusOf(const State& s, Radius which) {
  switch (which) {
    case Radius::Penumbral: return s.L1;
    case Radius::Umbral: return s.L2;
    case Radius::Totality: return s.L3;
  }
  return s.L1;
}

struct Pair {
  Refined first, last;
};

// Contacts for one radius: a start half-width from the state at maximum, then
// t += -(x x' + y y')/n^2 -/+ sqrt(1 - q^2) L/n with q = (x' y - x y')/(n L), a zero
// step when |q| >= 1 (the radius is not reached: the contact keeps the instant so far).
Pair Contacts(const EclipseRecord& e, const Refined& max, Radius which, bool umbralCityListGuard) {
  const State& m = max.state;
  const double Lm = RadiusOf(m, which);
  const double qm = (m.xr * m.y - m.x * m.yr) / (m.n * Lm);
  double tau = 0;
  if (umbralCityListGuard) {
    tau = std::fabs(qm) > 1 ? 0.001 : std::sqrt(1 - qm * qm) * Lm / m.n;
  } else if (std::fabs(qm) < 1) {
    tau = std::sqrt(1 - qm * qm) * Lm / m.n;
  }
  const Quadratic& radiusPolynomial = which == Radius::Penumbral ? e.PenContactRadius
                                      : which == Radius::Umbral  ? e.UmbContactRadius
                                                                 : e.TotalityRadius;
  const auto radius = [&](double t, double t2) { return Evaluate(radiusPolynomial, t, t2); };
  const auto refine = [&](double start, double sign) {
    Refined r;
    r.t = start;
    for (int step = 0;; ++step) {
      const double evaluated = r.t;
      const Motion s = EvaluateMotion(e, r.t, radius);
      const double L = s.L;
      const double q = (s.xr * s.y - s.x * s.yr) / (s.n * L);
      double delta = 0;
      if (!(std::fabs(q) >= 1)) delta = -(s.x * s.xr + s.y * s.yr) / s.n2 + sign * std::sqrt(1 - q * q) * L / s.n;
      const bool ends = !std::isfinite(delta) || step == kMaxRefineSteps;
      if (ends) r.converged = false;
      else r.t += delta;
      if (ends || std::fabs(delta) < kRefineToleranceHours) {
        // The state of the last evaluation, whole.
        r.state = EvaluateState(e, evaluated);
        return r;
      }
    }
  };
  return {refine(max.t - tau, -1), refine(max.t + tau, +1)};
}

}  // namespace

LocalEclipse PrepareLocalEclipse(const EclipseRecord& eclipse, double deltaT, UmbralGuard guard) {
  LocalEclipse le;
  le.deltaTHourAngle = kHourAnglePerSecond * deltaT * DegToRad;
  const auto keep = [&](Contact k, const Refined& r) {
    le.time[k] = r.t;
    le.mu[k] = r.state.mu;
    le.sinD[k] = std::sin(r.state.d);
    le.cosD[k] = std::cos(r.state.d);
    le.computed[k] = true;
    le.converged = le.converged && r.converged;
  };
  // The refinements are pure functions of the record, so the greatest eclipse found here
  // is the one every contact pair starts from.
  const Refined max = GreatestEclipse(eclipse);
  keep(Contact::Max, max);

  const State& s = max.state;
  const double m = std::sqrt(s.x * s.x + s.y * s.y);
  const double moonDiameter = 2 * (s.L1 - s.f1);
  const double penumbral = (s.L1 - m) / moonDiameter;
  const double umbral = (s.L2 - m) / moonDiameter;
  // Below 0 no eclipse at all; a NaN magnitude (degenerate record) is none either.
  if (!(penumbral >= 0)) return le;
  le.eclipse = true;
  le.magnitude = umbral >= 0 ? umbral : penumbral;
  le.phaseType = LocalPhase::Penumbral;
  if (umbral > 0) le.phaseType = LocalPhase::Partial;
  if (umbral > 1) le.phaseType = LocalPhase::Total;

  const auto keepPair = [&](const Pair& pair, Contact first, Contact last) {
    keep(first, pair.first);
    keep(last, pair.last);
  };
  keepPair(Contacts(eclipse, max, Radius::Penumbral, false), Contact::P1, Contact::P4);
  if (le.phaseType != LocalPhase::Penumbral)
    keepPair(Contacts(eclipse, max, Radius::Umbral, guard == UmbralGuard::CityList), Contact::U1, Contact::U4);
  if (le.phaseType == LocalPhase::Total)
    keepPair(Contacts(eclipse, max, Radius::Totality, false), Contact::U2, Contact::U3);
  return le;
}

namespace {

// The sine of the Moon's altitude at contact k: no refraction, parallax or height correction.
double AltitudeSine(const LocalEclipse& le, Contact k, double sinPhi, double cosPhi, double westLongitude) {
  const double H = le.mu[k] - westLongitude - le.deltaTHourAngle;
  return le.sinD[k] * sinPhi + le.cosD[k] * cosPhi * std::cos(H);
}
double Altitude(const LocalEclipse& le, Contact k, double sinPhi, double cosPhi, double westLongitude) {
  return ArcSinClamped(AltitudeSine(le, k, sinPhi, cosPhi, westLongitude));
}

// The two ways of applying the prepared eclipse, which differ only in `altitude`.
template <typename AltitudeOf>
LocalResult Apply(const LocalEclipse& le, Place& place, const AltitudeOf& altitude) {
  place.ContactAltitude.fill(kAltitudeNotComputed);
  place.ContactTime[Contact::Max] = le.time[Contact::Max];
  place.ContactAltitude[Contact::Max] = altitude(Contact::Max);
  if (!le.eclipse) return LocalResult{false, le.converged};
  place.Magnitude = le.magnitude;
  place.PhaseType = le.phaseType;
  for (const Contact k : kListContacts) {
    if (k == Contact::Max || !le.computed[k]) continue;
    place.ContactTime[k] = le.time[k];
    place.ContactAltitude[k] = altitude(k);
  }
  return LocalResult{true, le.converged};
}

}  // namespace

LocalResult ApplyLocalEclipse(const LocalEclipse& le, double latitude, double westLongitude, Place& place) {
  const double sinPhi = std::sin(latitude);
  const double cosPhi = std::cos(latitude);
  return Apply(le, place, [&](Contact k) { return Altitude(le, k, sinPhi, cosPhi, westLongitude); });
}

void PrepareSeenDecisions(LocalEclipse& le) {
  for (const Contact k : kListContacts) {
    // An angle beyond kSurelyDecidedAngle (from a damaged record) is never decided by the
    // products: NaN makes every comparison false.
    const double B = le.mu[k] - le.deltaTHourAngle;
    const bool decidable = le.computed[k] && std::fabs(B) < kSurelyDecidedAngle;
    le.sinB[k] = decidable ? std::sin(B) : NAN;
    le.cosB[k] = decidable ? std::cos(B) : NAN;
  }
  le.seenDecisions = true;
}

LocalResult ApplyLocalEclipseSeen(const LocalEclipse& le, double latitude, double westLongitude, Place& place) {
  const double sinPhi = std::sin(latitude);
  const double cosPhi = std::cos(latitude);
  const bool decidable = le.seenDecisions && std::fabs(westLongitude) < kSurelyDecidedAngle;
  const double sinW = decidable ? std::sin(westLongitude) : 0;
  const double cosW = decidable ? std::cos(westLongitude) : 0;
  if (!decidable) {
    // The sine as ApplyLocalEclipse computes it: below 0 the inverse sine would be below 0 too.
    return Apply(le, place, [&](Contact k) {
      const double sine = AltitudeSine(le, k, sinPhi, cosPhi, westLongitude);
      return sine < 0 ? kAltitudeBelowHorizon : ArcSinClamped(sine);
    });
  }
  return Apply(le, place, [&](Contact k) {
    // cos(B - w) with B = mu - deltaTHourAngle, as a sum of products.
    const double sine = le.sinD[k] * sinPhi + le.cosD[k] * cosPhi * (le.cosB[k] * cosW + le.sinB[k] * sinW);
    return sine < kSurelySetSine ? kAltitudeBelowHorizon : Altitude(le, k, sinPhi, cosPhi, westLongitude);
  });
}

LocalResult LocalCircumstances(const EclipseRecord& eclipse, double deltaT, double latitude, double westLongitude,
                               Place& place, UmbralGuard guard) {
  return ApplyLocalEclipse(PrepareLocalEclipse(eclipse, deltaT, guard), latitude, westLongitude, place);
}

}  // namespace varomintel
