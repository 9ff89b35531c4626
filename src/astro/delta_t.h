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

namespace varomintel {

// Given: y, the decimal year (astronomical numbering; -4999..7000 and beyond).
// Returned: the standard error (1 sigma) of Delta T in seconds; continuous, smallest in the
// well-measured 20th century and growing away from it both ways.
// Sources: Morrison and Stephenson (2004) as summarised by Espenak and Meeus (Five Millennium
// Canon, NASA/TP-2006-214141, section on the uncertainty of Delta T):
//   sigma = 0.8 t^2 s, t = (y - 1820) / 100, for -1000..+1200 (636 s at -1000, 431 at -500,
//   265 at 0, 139 at +500, 54 at +1000, 31 at +1200); about 20 s for 1300..1600;
//   5 s at 1700, 1 s at 1800, 0.1 s at 1900 (Stephenson and Houlden 1986).
// Ours (the extension, not published as such):
//   - before -1000 the same parabola, continued (3720 s, about an hour, at -4999);
//   - straight lines between the published points 1200, 1300, 1600, 1700, 1800, 1900;
//   - 0.1 s held from 1900 to 2025, the last year of measured values;
//   - after 2025: 0.1 + 0.5 a d^2 seconds, d centuries after 2025, a = 0.56 ms/day per
//     century, the standard error of the rate of change of the length of day that the same
//     Espenak and Meeus page quotes from Huber (2000): a drift of the day's length that is
//     unknown by a gives 0.5 * 0.56e-3 * 36525 = 10.23 s per century squared (about 4 minutes
//     by 2500, 7 hours by 7000).
double DeltaTSigma(double y);

// DeltaTSigma at the catalogue record's Year and Month, the decimal year year + (month - 0.5) / 12
// as DeltaT takes it.
double DeltaTSigma(double year, double month);

}  // namespace varomintel
