// Published values that the shipped catalogue is held against.
//
// Sources:
//  [C] F. Espenak and J. Meeus, Five Millennium Canon of Lunar Eclipses: -1999 to +3000,
//      NASA/TP-2009-214172 (2009), and its catalogue pages,
//      http://eclipse.gsfc.nasa.gov/LEcat5/LE2001-2100.html (2001-2100),
//      http://eclipse.gsfc.nasa.gov/LEcat5/LE-0199--0100.html, LE-0099-0000.html,
//      LE0001-0100.html, LE0201-0300.html (century counts), LE-0099-0000.html
//      (largest total eclipse of the 1st century BCE).
//  [W] Contact times of 2022 Nov 08 as published from the canon's predictions,
//      https://en.wikipedia.org/wiki/November_2022_lunar_eclipse (P1 08:02:17, U1 09:09:12,
//      U2 10:16:39, U3 11:41:37, U4 12:49:03, P4 13:56:08 UT); the differences are
//      independent of Delta T.
#pragma once

namespace varomintel::canon {

struct Eclipse {
  int year, month, day;         // date of greatest eclipse in TT (TD)
  int hour, minute, second;     // TD of greatest eclipse; -1 when not compared
  double gamma;                 // NaN-free: 9 when not compared
  double umbralMagnitude;       // 9 when not compared
  int saros, member, count;     // 0 when not compared
  int type;                     // 1 penumbral, 3 partial, 4 total (4 stands for 4 and 5)
};

inline constexpr Eclipse kEclipses[] = {
    {2022, 11, 8, 11, 0, 22, 0.2570, 1.3589, 136, 20, 72, 4},   // [C]
    {2025, 3, 14, 6, 59, 56, 9, 9, 123, 53, 72, 4},             // [C]
    {2021, 5, 26, 11, 19, 53, 9, 1.0095, 0, 0, 0, 4},           // [C]
    {-51, 4, 2, -1, 0, 0, 9, 1.8774, 0, 0, 0, 4},               // [C] "-0051 Apr 01" in UT
};

struct CenturyCount {
  int fromYear, toYear;
  int all, penumbral, partial, total;
};

inline constexpr CenturyCount kCenturies[] = {
    {2001, 2100, 228, 86, 57, 85},   // [C]
    {-199, -100, 240, 85, 86, 69},   // [C]
    {-99, 0, 253, 94, 98, 61},       // [C]
    {1, 100, 251, 93, 101, 57},      // [C]
    {201, 300, 228, 83, 63, 82},     // [C]
};

// Phase durations of 2022 Nov 08 from [W], seconds.
inline constexpr double kTotality2022 = 84 * 60 + 58;      // U3 - U2
inline constexpr double kUmbral2022 = 219 * 60 + 51;       // U4 - U1
inline constexpr double kPenumbral2022 = 353 * 60 + 51;    // P4 - P1

}  // namespace varomintel::canon
