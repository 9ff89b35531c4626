// Evaluation of a record's Besselian elements at an instant.
#pragma once

#include "eclipse/catalogue.h"

namespace varomintel {

// The element values at one t, in file order, with the quantities derived from them.
// d and M in radians (M corrected for Delta T and reduced into [-pi, pi]); all others
// in the file's units (degrees for MoonRA/MoonDec, arcseconds for x, y and the radii).
struct ElementValues {
  double Aux0 = 0, Aux1 = 0, Aux2 = 0;
  double MoonRA = 0, MoonDec = 0;  // degrees
  double Aux5 = 0;
  double x = 0, y = 0;             // arcseconds
  double d = 0, M = 0;             // radians
  double PenContactRadius = 0, UmbContactRadius = 0, TotalityRadius = 0;  // arcseconds
  double f1 = 0, f2 = 0;           // arcseconds
  double L = 0;                    // distance of the Moon's centre from the shadow axis, arcseconds
  double sinD = 0, cosD = 0;
  double xRate = 0, yRate = 0;     // x' and y', arcseconds per hour
};

// Degree-two and degree-three polynomials at t with t^2 and t^3 formed once by the caller;
// terms summed from the constant term on.
inline double Evaluate(const Quadratic& p, double t, double t2) { return p.c[0] + p.c[1] * t + p.c[2] * t2; }
inline double Evaluate(const Cubic& p, double t, double t2, double t3) {
  return p.c[0] + p.c[1] * t + p.c[2] * t2 + p.c[3] * t3;
}
// The linear part c0 + c1 t of a quadratic (the hour angle of a place's local circumstances).
inline double EvaluateLinear(const Quadratic& p, double t) { return p.c[0] + p.c[1] * t; }
inline double Rate(const Cubic& p, double t, double t2) { return p.c[1] + 2 * p.c[2] * t + 3 * p.c[3] * t2; }

// Given: the record, t (hours of TT from T0), Delta T (seconds; 0 for terrestrial time).
// Returned: every element at t. Delta T only shifts M: M - 1.00273790935 * DeltaT/86400 * 2 pi.
ElementValues EvaluateElements(const EclipseRecord& record, double t, double deltaT);

// The cheap form: x and y only (arcseconds).
struct SkyPoint {
  double x = 0, y = 0;
};
SkyPoint EvaluateXY(const EclipseRecord& record, double t);

// Hour angle M (radians) brought into [-pi, pi] by whole turns: while M < -pi add 2 pi,
// then while M > pi subtract 2 pi. Non-finite values come back as they are.
double ReduceToPlusMinusPi(double M);

// M brought into (-pi, pi] by whole turns (as the circumstances store it).
double ReduceToHalfOpenPi(double M);

}  // namespace varomintel
