#include "astro/trig_func.h"

#include <cmath>

namespace varomintel {

double ArcTan2(double y, double x) {
  if (x == 0.0 && y == 0.0) return 0.0;
  const double ax = std::fabs(x);
  const double ay = std::fabs(y);
  double a = (ax > ay) ? std::atan(ay / ax) : Pi / 2 - std::atan(ax / ay);
  if (x < 0.0) a = Pi - a;
  if (y < 0.0) a = -a;
  return a;
}

double ArcSinClamped(double x) {
  if (x > 1.0) x = 1.0;
  if (x < -1.0) x = -1.0;
  if (std::fabs(x) == 1.0) return Pi * x / 2;
  return std::atan(x / std::sqrt(1.0 - x * x));
}

double FloatMod(double x, double m) {
  const double q = x / m;
  double r = m * (q - std::trunc(q));
  if (r < 0.0) r += m;
  return r;
}

namespace {
DegreeTable MakeTable(double (*f)(double)) {
  DegreeTable t{};
  for (int i = 0; i <= 360; ++i) t[static_cast<std::size_t>(i)] = static_cast<float>(f(i * DegToRad));
  return t;
}
}  // namespace

const DegreeTable& SinTable() {
  static const DegreeTable table = MakeTable([](double a) { return std::sin(a); });
  return table;
}

const DegreeTable& CosTable() {
  static const DegreeTable table = MakeTable([](double a) { return std::cos(a); });
  return table;
}

}  // namespace varomintel
