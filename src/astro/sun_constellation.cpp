#include "astro/sun_constellation.h"

#include <cmath>
#include <cstddef>

#include "astro/trig_func.h"

namespace varomintel {

namespace {

constexpr double J2000 = 2451545.0;       // JD of J2000.0
constexpr double JulianCentury = 36525.0; // days

// Equinox of Roman's table. B1875.0 is JD 2405889.2586; the 0.74-day difference moves a
// precessed position by about 0.1", far below the 0.0001 h / 0.0001 deg of the table.
constexpr double TableEquinoxJd = 2405890.0;

constexpr ConstellationBoundary Boundaries[] = {
#include "astro/constellation_table.inc"
};

constexpr std::size_t BoundaryCount = sizeof(Boundaries) / sizeof(Boundaries[0]);
static_assert(BoundaryCount == 357, "Roman (1987) has 357 boundary rows");

std::string_view AbbreviationOf(const ConstellationBoundary& row) {
  return std::string_view(row.abbreviation);
}

}  // namespace

double SunRightAscension(double jd) {
  const double t = (jd - J2000) / JulianCentury;

  // Mean anomaly and geometric mean longitude of the Sun, degrees (Meeus 25.3, 25.2).
  const double m = 357.52911 + 35999.05029 * t - 0.0001537 * t * t;
  const double l0 = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
  const double mr = m * DegToRad;

  // Equation of the centre, degrees.
  const double c = (1.914602 - 0.004817 * t - 0.000014 * t * t) * std::sin(mr) +
                   (0.019993 - 0.000101 * t) * std::sin(2.0 * mr) +
                   0.000289 * std::sin(3.0 * mr);

  // Apparent longitude: aberration and the main term of nutation, degrees.
  const double omega = 125.04 - 1934.136 * t;
  const double lambda = (l0 + c - 0.00569 - 0.00478 * std::sin(omega * DegToRad)) * DegToRad;

  // Mean obliquity of the ecliptic, degrees: the linear part of Meeus 22.2. The small
  // nutation correction of Meeus 25.8 is left out.
  const double epsilon = (23.43929111 - 0.013004167 * t) * DegToRad;

  double alpha = ArcTan2(std::cos(epsilon) * std::sin(lambda), std::cos(lambda));
  if (alpha < 0.0) alpha += TwoPi;
  return alpha;
}

double MeanObliquity(double jd) {
  const double t = (jd - J2000) / JulianCentury;
  const double arcseconds = 21.448 - t * (46.8150 + t * (0.00059 - t * 0.001813));
  return (23.0 + 26.0 / 60.0 + arcseconds / 3600.0) * DegToRad;
}

PrecessionAngles ComputePrecessionAngles(double jdFrom, double jdTo) {
  const double bigT = (jdFrom - J2000) / JulianCentury;  // epoch of start, centuries
  const double t = (jdTo - jdFrom) / JulianCentury;      // interval, centuries
  const double t2 = t * t;
  const double t3 = t2 * t;

  // Arcseconds (Meeus 21.2); converted below through degrees.
  const double rate = 2306.2181 + 1.39656 * bigT - 0.000139 * bigT * bigT;
  const double zeta = rate * t + (0.30188 - 0.000344 * bigT) * t2 + 0.017998 * t3;
  const double z = rate * t + (1.09468 + 0.000066 * bigT) * t2 + 0.018203 * t3;
  const double theta = (2004.3109 - 0.85330 * bigT - 0.000217 * bigT * bigT) * t -
                       (0.42665 + 0.000217 * bigT) * t2 - 0.041833 * t3;

  return PrecessionAngles{zeta / 3600.0 * DegToRad, z / 3600.0 * DegToRad,
                          theta / 3600.0 * DegToRad};
}

std::span<const ConstellationBoundary> ConstellationBoundaries() {
  return std::span<const ConstellationBoundary>(Boundaries, BoundaryCount);
}

std::string_view ConstellationAt1875(float raHours, float decDegrees) {
  // A NaN compares false with every bound, so the search below would never settle.
  if (std::isnan(raHours) || std::isnan(decDegrees)) return {};

  const ConstellationBoundary* const rows = Boundaries;
  const std::size_t n = BoundaryCount;
  const std::string_view fallback = AbbreviationOf(rows[n - 1]);

  // Skip the strips lying wholly north of the point. Rows below all have decLow <= d,
  // so declination need not be compared again.
  std::size_t i = 0;
  while (i < n && rows[i].decLow > decDegrees) ++i;

  // Each pass either stops or leaves i on a row with raHigh <= a, which the next pass
  // steps over; so at most n passes.
  for (std::size_t pass = 0; pass <= n; ++pass) {
    while (i < n && rows[i].raHigh <= raHours) ++i;
    while (i < n && rows[i].raLow > raHours) ++i;
    if (i >= n) return fallback;
    if (rows[i].raHigh > raHours) return AbbreviationOf(rows[i]);
  }
  return fallback;
}

std::string_view ConstellationOf(double alpha, double delta, double jd) {
  const PrecessionAngles p = ComputePrecessionAngles(jd, TableEquinoxJd);

  // Rigorous precession to the table's equinox (Meeus 21.4).
  const double cosDelta = std::cos(delta);
  const double sinDelta = std::sin(delta);
  const double cosTheta = std::cos(p.theta);
  const double sinTheta = std::sin(p.theta);
  const double cosAz = std::cos(alpha + p.zeta);

  const double a = cosDelta * std::sin(alpha + p.zeta);
  const double b = cosTheta * cosDelta * cosAz - sinTheta * sinDelta;
  const double c = sinTheta * cosDelta * cosAz + cosTheta * sinDelta;

  const double raHours = FloatMod((ArcTan2(a, b) + p.z) * RadToHours + 24.0, 24.0);
  const double decDegrees = ArcSinClamped(c) * RadToDeg;

  // The table is single precision; a right ascension just below 24 h may round up to 24.0f,
  // which is the same meridian as 0 h.
  float ra = static_cast<float>(raHours);
  if (ra >= 24.0f) ra = 0.0f;
  const float dec = static_cast<float>(decDegrees);

  return ConstellationAt1875(ra, dec);
}

}  // namespace varomintel
