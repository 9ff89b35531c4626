#include "astro/delta_t.h"

#include <array>
#include <cmath>

namespace varomintel {

namespace {

// Yearly values 1961..2029 (seconds).
constexpr std::array<double, 69> kYearly = {
    33.59,   34.0,    34.47,   35.03,   35.73,   36.54,   37.43,   38.29,   39.2,    40.18,    // 1961-1970
    41.17,   42.23,   43.8763, 44.9302, 45.9133, 46.9247, 46.9678, 49.0319, 50.0347, 50.9187,  // 1971-1980
    51.7573, 52.518,  53.3747, 54.0536, 54.5977, 55.0912, 55.5524, 56.07,   56.5352, 57.1738,  // 1981-1990
    57.9058, 58.6917, 59.5242, 60.353,  61.187,  61.9497, 62.6136, 63.2599, 63.6444, 63.9691,  // 1991-2000
    64.2094, 64.4151, 64.5597, 64.6549, 64.8001, 64.9794, 65.3279, 65.64,   66.2,    66.8,     // 2001-2010
    67.0,    66.7708, 67.1266, 67.4858, 67.8606, 68.3964, 68.8,    69.1,    69.35,   69.4,     // 2011-2020
    69.35,   69.18,   69.2,    69.2,    69.2,    69.2,    69.2,    69.2,    69.2,              // 2021-2029
};

}  // namespace

double DeltaT(double year, double month) {
  const double y = year + (month - 0.5) / 12;
  const double K = -0.000012932 * (y - 1955) * (y - 1955);
  const double u = (y - 1820) / 100;
  double dt = 0.0;
  bool corrected = true;
  if (year < -500) {
    dt = -20 + 32 * u * u;
  } else if (year < 500) {
    const double t = y / 100;
    dt = 10583.6 - 1014.41 * t + 33.78311 * t * t - 5.952053 * t * t * t - 0.1798452 * t * t * t * t +
         0.022174192 * t * t * t * t * t + 0.0090316521 * t * t * t * t * t * t;
  } else if (year < 1600) {
    const double t = (y - 1000) / 100;
    dt = 1574.2 - 556.01 * t + 71.23472 * t * t + 0.319781 * t * t * t - 0.8503463 * t * t * t * t -
         0.005050998 * t * t * t * t * t + 0.0083572073 * t * t * t * t * t * t;
  } else if (year < 1700) {
    const double t = y - 1600;
    dt = 120 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129;
  } else if (year < 1800) {
    const double t = y - 1700;
    dt = 8.83 + 0.1603 * t - 0.0059285 * t * t + 0.00013336 * t * t * t - t * t * t * t / 1174000;
  } else if (year < 1860) {
    const double t = y - 1800;
    dt = 13.72 - 0.332447 * t + 0.0068612 * t * t + 0.0041116 * t * t * t - 0.00037436 * t * t * t * t +
         0.0000121272 * t * t * t * t * t - 0.0000001699 * t * t * t * t * t * t +
         0.000000000875 * t * t * t * t * t * t * t;
  } else if (year < 1900) {
    const double t = y - 1860;
    dt = 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t - 0.0004473624 * t * t * t * t +
         t * t * t * t * t / 233174;
  } else if (year < 1920) {
    const double t = y - 1900;
    dt = -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t - 0.000198 * t * t * t * t;
  } else if (year < 1941) {
    const double t = y - 1920;
    dt = 21.2 + 0.84493 * t - 0.0761 * t * t + 0.0020936 * t * t * t;
  } else if (year < 1961) {
    const double t = y - 1950;
    dt = 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
  } else if (year < 2030) {
    dt = kYearly[static_cast<std::size_t>(static_cast<int>(year) - 1961)];
    corrected = false;
  } else {
    dt = -71 + 32 * u * u;
    corrected = false;
  }
  if (corrected) dt += K;
  return std::nearbyint(10 * dt) / 10;  // default rounding mode: halves to even
}

double DeltaTSigma(double y) {
  const auto line = [y](double y0, double s0, double y1, double s1) { return s0 + (s1 - s0) * (y - y0) / (y1 - y0); };
  if (y <= 1200) {
    const double t = (y - 1820) / 100;
    return 0.8 * t * t;
  }
  if (y <= 1300) return line(1200, 0.8 * 6.2 * 6.2, 1300, 20);
  if (y <= 1600) return 20;
  if (y <= 1700) return line(1600, 20, 1700, 5);
  if (y <= 1800) return line(1700, 5, 1800, 1);
  if (y <= 1900) return line(1800, 1, 1900, 0.1);
  if (y <= 2025) return 0.1;
  constexpr double kLodRateSigma = 0.56e-3;  // s/day per century
  constexpr double kDaysPerCentury = 36525;
  const double d = (y - 2025) / 100;
  return 0.1 + 0.5 * kLodRateSigma * kDaysPerCentury * d * d;
}

double DeltaTSigma(double year, double month) { return DeltaTSigma(year + (month - 0.5) / 12); }

}  // namespace varomintel
