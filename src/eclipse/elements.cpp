#include "eclipse/elements.h"

#include <cmath>

#include "astro/trig_func.h"

namespace varomintel {

namespace {
constexpr double kSiderealPerSolar = 1.00273790935;  // sidereal turns per mean solar day
// Far beyond any catalogue value: above it whole turns are taken off with fmod first,
// so that the loops below take a few steps at most (and never hang).
constexpr double kLoopLimit = 1.0e4;

double PreReduce(double M) {
  if (std::fabs(M) > kLoopLimit) M = std::fmod(M, TwoPi);
  return M;
}
}  // namespace

double ReduceToPlusMinusPi(double M) {
  if (!std::isfinite(M)) return M;
  M = PreReduce(M);
  while (M < -Pi) M += TwoPi;
  while (M > Pi) M -= TwoPi;
  return M;
}

double ReduceToHalfOpenPi(double M) {
  if (!std::isfinite(M)) return M;
  M = PreReduce(M);
  while (M <= -Pi) M += TwoPi;
  while (M > Pi) M -= TwoPi;
  return M;
}

ElementValues EvaluateElements(const EclipseRecord& r, double t, double deltaT) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  ElementValues e;
  e.Aux0 = Evaluate(r.Aux0, t, t2);
  e.Aux1 = Evaluate(r.Aux1, t, t2);
  e.Aux2 = Evaluate(r.Aux2, t, t2);
  e.MoonRA = Evaluate(r.MoonRA, t, t2);
  e.MoonDec = Evaluate(r.MoonDec, t, t2);
  e.Aux5 = Evaluate(r.Aux5, t, t2);
  e.x = Evaluate(r.X, t, t2, t3);
  e.y = Evaluate(r.Y, t, t2, t3);
  e.d = Evaluate(r.D, t, t2) * DegToRad;
  e.M = Evaluate(r.M, t, t2) * DegToRad;
  e.PenContactRadius = Evaluate(r.PenContactRadius, t, t2);
  e.UmbContactRadius = Evaluate(r.UmbContactRadius, t, t2);
  e.TotalityRadius = Evaluate(r.TotalityRadius, t, t2);
  e.f1 = Evaluate(r.F1, t, t2);
  e.f2 = Evaluate(r.F2, t, t2);
  e.M = e.M - kSiderealPerSolar * deltaT / 86400 * TwoPi;
  e.M = ReduceToPlusMinusPi(e.M);
  e.L = std::sqrt(e.x * e.x + e.y * e.y);
  e.sinD = std::sin(e.d);
  e.cosD = std::cos(e.d);
  e.xRate = Rate(r.X, t, t2);
  e.yRate = Rate(r.Y, t, t2);
  return e;
}

SkyPoint EvaluateXY(const EclipseRecord& r, double t) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  return {Evaluate(r.X, t, t2, t3), Evaluate(r.Y, t, t2, t3)};
}

}  // namespace varomintel
