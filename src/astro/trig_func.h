// TrigFunc: angle constants, angle-from-coordinates, clamped arcsine, floating-point
// modulo and single-precision sine/cosine tables for every whole degree.
#pragma once

#include <array>

namespace varomintel {

inline constexpr double Pi = 3.141592653589793;
inline constexpr double TwoPi = 6.283185307179586;
// The 14-digit decimal, slightly above the exact pi/2; kept as the drawing code expects it.
inline constexpr double HalfPi = 1.5707963267949;
inline constexpr double DegToRad = 0.017453292519943295;   // pi/180
inline constexpr double RadToDeg = 57.29577951308232;      // 180/pi
inline constexpr double RadToHours = 3.819718634205488;    // 12/pi

// Angle of the point (x, y) in radians, in (-pi, pi]; 0 for x = y = 0.
// Negative zero counts as zero: ArcTan2(-0.0, -1) = pi.
double ArcTan2(double y, double x);

// Arcsine in radians, in [-pi/2, pi/2], of x clamped to [-1, 1].
double ArcSinClamped(double x);

// x reduced modulo m into [0, m) for m > 0: m * (q - trunc(q)) with q = x / m,
// plus m when negative. Not exact in the last bits (FloatMod(370, 360) = 9.999999999999964).
double FloatMod(double x, double m);

// sin and cos of i degrees, i = 0..360, in single precision. Index 360 exists so that
// a loop over 0, 3, ..., 360 degrees closes a figure without wrapping.
using DegreeTable = std::array<float, 361>;
const DegreeTable& SinTable();
const DegreeTable& CosTable();

}  // namespace varomintel
