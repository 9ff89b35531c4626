// SunConstellation: the Sun's apparent right ascension, precession between two equinoxes,
// and the constellation that contains a given position.
#pragma once

#include <span>
#include <string_view>

namespace varomintel {

// Apparent right ascension of the Sun, low-accuracy solar coordinates of Meeus,
// Astronomical Algorithms, ch. 25 (about 0.01 degree).
// Given:    jd  Julian Day in Terrestrial Time.
// Returned: apparent right ascension in radians, referred to the true equator and
//           equinox of date, 0 <= alpha < 2 pi.
double SunRightAscension(double jd);

// Mean obliquity of the ecliptic, Meeus, Astronomical Algorithms, eq. 22.2 (Lieske's
// IAU 1976 polynomial): 23 deg 26' 21.448" - 46.8150" T - 0.00059" T^2 + 0.001813" T^3
// with T in Julian centuries of TT from J2000.0; within 1" over 2000 years either side.
// Given:    jd  Julian Day in Terrestrial Time.
// Returned: the mean obliquity in radians (no nutation).
double MeanObliquity(double jd);

// Rotation angles of general precession in equatorial coordinates (Lieske 1977).
struct PrecessionAngles {
  double zeta;   // radians
  double z;      // radians
  double theta;  // radians
};

// Precession angles from the mean equinox of jdFrom to that of jdTo, Meeus ch. 21
// (eq. 21.2), valid for a few centuries either side of J2000.0.
// Given:    jdFrom, jdTo  Julian Days (TT) of the starting and final equinoxes.
// Returned: zeta, z, theta in radians; all zero when jdFrom == jdTo.
PrecessionAngles ComputePrecessionAngles(double jdFrom, double jdTo);

// One row of Roman's (1987) boundary table, equinox B1875.0: the strip of declination
// from decLow northwards, between right ascensions raLow (inclusive) and raHigh
// (exclusive), belongs to `abbreviation` unless an earlier row claims it.
struct ConstellationBoundary {
  float raLow;          // hours, 0..24
  float raHigh;         // hours, 0..24
  float decLow;         // degrees
  char abbreviation[4]; // three-letter IAU abbreviation, NUL-terminated
};

// The 357 rows of Roman (1987), CDS catalogue VI/42, in published order (decLow
// non-increasing). The first row is {0, 24, 88, "UMi"}, the last {0, 24, -90, "Oct"}.
std::span<const ConstellationBoundary> ConstellationBoundaries();

// Table search of Roman (1987), PASP 99, 695, for a position already in the B1875.0
// frame, both held in single precision like the table.
// Given:    raHours     right ascension, hours, expected in [0, 24);
//           decDegrees  declination, degrees.
// Returned: three-letter abbreviation, a view into the static table (valid for the life
//           of the program). A point exactly on a row's lower declination or on its lower
//           right ascension belongs to that row; a point on its upper right ascension does
//           not. A right ascension outside [0, 24) falls through to the last row, "Oct".
//           NaN in either argument returns an empty view.
std::string_view ConstellationAt1875(float raHours, float decDegrees);

// Constellation containing a position of date.
// Given:    alpha, delta  right ascension and declination in radians, referred to the
//                         mean equator and equinox of jd;
//           jd            Julian Day (TT) of that equinox.
// Returned: three-letter abbreviation as from ConstellationAt1875. The position is first
//           precessed to the table's equinox (Meeus ch. 21); a NaN anywhere in the input
//           returns an empty view.
std::string_view ConstellationOf(double alpha, double delta, double jd);

}  // namespace varomintel
