// Delta T = TT - UT in seconds.
#pragma once

namespace varomintel {

// Given: year and month (as doubles; the catalogue record's Year and Month).
// Returned: Delta T in seconds, rounded to tenths (halves to even).
// Model: the polynomial expressions of Espenak and Meeus (Five Millennium Canon of Solar
// Eclipses, NASA/TP-2006-214141, 2006), corrected for a lunar secular acceleration of
// -25.858"/cy^2 with -0.000012932 (y - 1955)^2; yearly values for 1961..2029 used as they
// stand; from 2030 the parabola -71 + 32 u^2. The piece is chosen by the year, not by y.
double DeltaT(double year, double month);

}  // namespace varomintel
