#include "eclipse/circumstances.h"

#include <cmath>

namespace varomintel {

double EclipseCircumstances::Time(Contact c) const {
  switch (c) {
    case Contact::P1: return TimeP1;
    case Contact::P2: return TimeP2;
    case Contact::P3: return TimeP3;
    case Contact::P4: return TimeP4;
    case Contact::U1: return TimeU1;
    case Contact::U2: return TimeU2;
    case Contact::U3: return TimeU3;
    case Contact::U4: return TimeU4;
    case Contact::Max: return TimeMax;
  }
  return 0;
}

namespace {

struct SearchOutcome {
  double t;
  bool converged;
};

// Bracketing step search for s(t): step by h until s > 0, reverse with a third of the
// step and step until s < 0, reverse again; repeat until |h| < eps. The result is the
// last t, where s < 0.
template <class S>
SearchOutcome StepSearch(const S& s, double t0, double h0, double eps) {
  double t = t0;
  double h = h0;
  int steps = 0;
  do {
    do {
      t += h;
      if (++steps > kMaxSearchSteps) return {t, false};
    } while (!(s(t) > 0));
    h = -h / 3;
    do {
      t += h;
      if (++steps > kMaxSearchSteps) return {t, false};
    } while (!(s(t) < 0));
    h = -h / 3;
  } while (!(std::fabs(h) < eps));
  return {t, true};
}

// The search functions evaluate only the polynomials they need, with the same arithmetic
// as EvaluateElements, so that their values agree with it to the last bit.
struct Powers {
  double t, t2, t3;
  explicit Powers(double tt) : t(tt), t2(tt * tt), t3(tt * tt * tt) {}
};

double DistanceL(const EclipseRecord& r, const Powers& p) {
  const double x = Evaluate(r.X, p.t, p.t2, p.t3);
  const double y = Evaluate(r.Y, p.t, p.t2, p.t3);
  return std::sqrt(x * x + y * y);
}

}  // namespace

CircumstancesResult ComputeCircumstances(const EclipseRecord& r, double deltaT) {
  CircumstancesResult result;
  EclipseCircumstances& c = result.circumstances;
  auto note = [&](const SearchOutcome& o, const char* name) {
    if (!o.converged && result.converged) {
      result.converged = false;
      result.failedSearch = name;
    }
    return o.converged;
  };

  // 1. Greatest eclipse: s = x x' + y y', half the rate of change of L^2.
  const auto approach = [&](double t) {
    const Powers p(t);
    const double x = Evaluate(r.X, p.t, p.t2, p.t3);
    const double y = Evaluate(r.Y, p.t, p.t2, p.t3);
    return x * Rate(r.X, p.t, p.t2) + y * Rate(r.Y, p.t, p.t2);
  };
  const SearchOutcome max = StepSearch(approach, -2.0, 0.2, 1e-6);
  note(max, "greatest eclipse");
  c.TimeMax = max.t;
  ElementValues e = EvaluateElements(r, c.TimeMax, deltaT);
  c.XMax = e.x;
  c.YMax = e.y;

  // 2. Magnitudes at greatest eclipse.
  const double rmoo = e.PenContactRadius - e.f1;
  c.PenMag = (e.PenContactRadius - e.L) / 2 / rmoo;
  c.UmbMag = (e.UmbContactRadius - e.L) / 2 / rmoo;

  // 3.-4. Contacts, pair by pair, each searched from TimeMax when its condition holds there.
  const auto contactPair = [&](const Quadratic* radius, bool innerPenumbra, double& first, double& second,
                               double h1, double eps1, double h2, double eps2, Contact cFirst,
                               Contact cSecond, const char* nameFirst, const char* nameSecond) {
    // Boundary radius at t: a catalogue radius, or f1 minus the Moon's radius
    // (2 f1 - PenContactRadius) for the Moon wholly inside the penumbra.
    const auto boundary = [&](const Powers& p) {
      if (innerPenumbra) return 2 * Evaluate(r.F1, p.t, p.t2) - Evaluate(r.PenContactRadius, p.t, p.t2);
      return Evaluate(*radius, p.t, p.t2);
    };
    const Powers pm(c.TimeMax);
    if (!(DistanceL(r, pm) < boundary(pm))) return;
    const auto s = [&](double t) {
      const Powers p(t);
      return DistanceL(r, p) - boundary(p);
    };
    const auto store = [&](const SearchOutcome& o, double& time, Contact which, const char* name) {
      if (!note(o, name)) return;  // a search that did not converge gives no contact
      time = o.t;
      const SkyPoint xy = EvaluateXY(r, o.t);
      c.AtContact[which].x = xy.x;
      c.AtContact[which].y = xy.y;
    };
    store(StepSearch(s, c.TimeMax, h1, eps1), first, cFirst, nameFirst);
    store(StepSearch(s, c.TimeMax, h2, eps2), second, cSecond, nameSecond);
  };
  contactPair(&r.TotalityRadius, false, c.TimeU2, c.TimeU3, -0.2, 1e-6, +0.2, 3e-8, Contact::U2, Contact::U3,
              "U2", "U3");
  contactPair(&r.UmbContactRadius, false, c.TimeU1, c.TimeU4, -0.5, 3e-8, +0.5, 1e-6, Contact::U1, Contact::U4,
              "U1", "U4");
  contactPair(nullptr, true, c.TimeP2, c.TimeP3, -0.2, 1e-6, +0.2, 1e-6, Contact::P2, Contact::P3, "P2", "P3");
  contactPair(&r.PenContactRadius, false, c.TimeP1, c.TimeP4, -0.5, 1e-6, +0.5, 1e-6, Contact::P1, Contact::P4,
              "P1", "P4");

  // 5. Where x passes through zero.
  const SearchOutcome zero = StepSearch([&](double t) { return EvaluateXY(r, t).x; }, -5.0, 0.2, 1e-6);
  note(zero, "x zero crossing");
  c.YAtXZero = EvaluateXY(r, zero.t).y;

  // 6. Type: each later rule overrides an earlier one.
  result.type = r.EclipseType;
  if (c.TimeP1 != 0) result.type = EclipseTypeCode::PartialPenumbral;
  if (c.TimeP2 != 0) result.type = EclipseTypeCode::CompletePenumbral;
  if (c.TimeU1 != 0) result.type = EclipseTypeCode::PartialUmbral;
  if (c.TimeU2 != 0) result.type = EclipseTypeCode::Total;

  // 7. d and M at every contact (at t = 0 for a contact that does not occur).
  for (int i = 0; i < kContactCount; ++i) {
    const auto which = static_cast<Contact>(i);
    if (which == Contact::Max) continue;  // d and M at TimeMax follow in step 8
    const ElementValues at = EvaluateElements(r, c.Time(which), deltaT);
    c.AtContact[which].d = at.d;
    c.AtContact[which].M = ReduceToHalfOpenPi(at.M);
  }

  // 8. Central when the shadow axis passes through the Moon's disc.
  e = EvaluateElements(r, c.TimeMax, deltaT);
  if (rmoo > std::fabs(e.L)) result.type = EclipseTypeCode::TotalCentral;
  c.DMax = e.d;
  c.MMax = ReduceToHalfOpenPi(e.M);
  c.AtContact[Contact::Max] = {c.XMax, c.YMax, c.DMax, c.MMax};
  result.atMax = e;
  return result;
}

}  // namespace varomintel
