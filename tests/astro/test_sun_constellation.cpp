#include "astro/sun_constellation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <string>

#include "astro/trig_func.h"

namespace varomintel {
namespace {

constexpr double J2000 = 2451545.0;
constexpr double TableEquinox = 2405890.0;  // equinox of the boundary table (1875)

// Rigorous precession of (alpha, delta) with the given angles, Meeus 21.4; radians.
void Precess(double alpha, double delta, const PrecessionAngles& p, double& alphaOut,
             double& deltaOut) {
  const double a = std::cos(delta) * std::sin(alpha + p.zeta);
  const double b = std::cos(p.theta) * std::cos(delta) * std::cos(alpha + p.zeta) -
                   std::sin(p.theta) * std::sin(delta);
  const double c = std::sin(p.theta) * std::cos(delta) * std::cos(alpha + p.zeta) +
                   std::cos(p.theta) * std::sin(delta);
  alphaOut = std::atan2(a, b) + p.z;
  deltaOut = std::asin(c);
}

// Angular separation in radians, adequate for small separations.
double Separation(double a1, double d1, double a2, double d2) {
  return std::hypot(std::remainder(a1 - a2, TwoPi) * std::cos(d1), d1 - d2);
}

// --- Sun -------------------------------------------------------------------------------

// Published values: Meeus, Astronomical Algorithms (2nd ed.), examples 22.a and 25.a, and
// the constant term of eq. 22.2. Meeus's 25.a also applies 0.00256 deg cos(Omega) to the
// obliquity for the apparent right ascension, which SunRightAscension leaves out; on that
// date it moves the right ascension by well under 0.0001 deg.
TEST(SunAndObliquity, MatchMeeusWorkedExamples) {
  const auto dms = [](double d, double m, double s) { return d + m / 60 + s / 3600; };
  struct Case {
    const char* what;
    double (*function)(double jd);
    double jd;            // TT
    double expectedDeg;
    double toleranceDeg;
  };
  const Case cases[] = {
      // 2000 Jan 1.5 TT: 18h45.1m.
      {"Sun's RA at J2000.0", SunRightAscension, J2000, 4.9093 * RadToDeg, 1e-4 * RadToDeg},
      // 1992 Oct 13.0 TD: 13h13m31.4s.
      {"Sun's RA, example 25.a", SunRightAscension, 2448908.5, 198.38083, 1e-4},
      {"obliquity at J2000.0, eq. 22.2", MeanObliquity, J2000, dms(23, 26, 21.448), 0.0005 / 3600},
      // 1987 Apr 10.0 TD.
      {"obliquity, example 22.a", MeanObliquity, 2446895.5, dms(23, 26, 27.407), 0.0005 / 3600},
      {"obliquity, example 25.a", MeanObliquity, 2448908.5, dms(23, 26, 24.83), 0.005 / 3600},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(c.function(c.jd) * RadToDeg, c.expectedDeg, c.toleranceDeg) << c.what;
}

TEST(SunRightAscension, StaysInRangeAndAdvancesDailyOverTwoYears) {
  // The Sun's RA always increases, by 0.9 to 1.1 deg a day (slowest at the equinoxes,
  // fastest at the solstices); one wrap through 2 pi per year.
  double previous = SunRightAscension(J2000 - 365.0);
  int wraps = 0;
  for (int day = -364; day <= 365; ++day) {
    const double alpha = SunRightAscension(J2000 + day);
    ASSERT_GE(alpha, 0.0) << "day " << day;
    ASSERT_LT(alpha, TwoPi) << "day " << day;
    double step = alpha - previous;
    if (step < 0.0) {
      step += TwoPi;
      ++wraps;
    }
    EXPECT_GT(step * RadToDeg, 0.85) << "day " << day;
    EXPECT_LT(step * RadToDeg, 1.15) << "day " << day;
    previous = alpha;
  }
  EXPECT_EQ(wraps, 2);
}

// --- Precession ------------------------------------------------------------------------

TEST(PrecessionAngles, ZeroIntervalGivesZeroAngles) {
  for (double jd : {J2000, TableEquinox, 2488070.0}) {
    const PrecessionAngles p = ComputePrecessionAngles(jd, jd);
    EXPECT_EQ(p.zeta, 0.0);
    EXPECT_EQ(p.z, 0.0);
    EXPECT_EQ(p.theta, 0.0);
  }
}

TEST(PrecessionAngles, MeeusExample21b) {
  // theta Persei, J2000.0 position with proper motion to the date already applied:
  // 41.054063, +49.227750 deg. Precessed to JD 2462088.69: 41.547214, +49.348483 deg
  // (2h46m11.331s, +49 20' 54.54"). Printed to 1e-6 deg.
  const PrecessionAngles p = ComputePrecessionAngles(J2000, 2462088.69);
  double alpha = 0.0;
  double delta = 0.0;
  Precess(41.054063 * DegToRad, 49.227750 * DegToRad, p, alpha, delta);
  EXPECT_NEAR(alpha * RadToDeg, 41.547214, 3e-6);
  EXPECT_NEAR(delta * RadToDeg, 49.348483, 3e-6);
}

TEST(PrecessionAngles, ReverseIntervalIsTheInverseRotation) {
  // Angles from B back to A must undo those from A to B: zeta and z swap roles and change
  // sign, theta changes sign, and a position taken there and back returns to itself.
  const double epochs[] = {TableEquinox, 2415020.0, 2440000.5, J2000, 2469807.5, 2488070.0};
  for (double from : epochs) {
    for (double to : epochs) {
      const PrecessionAngles forward = ComputePrecessionAngles(from, to);
      const PrecessionAngles back = ComputePrecessionAngles(to, from);
      EXPECT_NEAR(forward.zeta, -back.z, 1e-12) << from << " -> " << to;
      EXPECT_NEAR(forward.z, -back.zeta, 1e-12) << from << " -> " << to;
      EXPECT_NEAR(forward.theta, -back.theta, 1e-12) << from << " -> " << to;
      for (double alpha = 0.1; alpha < TwoPi; alpha += 0.7) {
        for (double delta = -1.4; delta < 1.45; delta += 0.35) {
          double a1 = 0.0, d1 = 0.0, a2 = 0.0, d2 = 0.0;
          Precess(alpha, delta, forward, a1, d1);
          Precess(a1, d1, back, a2, d2);
          EXPECT_LT(Separation(alpha, delta, a2, d2), 1e-9)
              << from << " -> " << to << " at " << alpha << ", " << delta;
        }
      }
    }
  }
}

// --- Boundary table --------------------------------------------------------------------

TEST(ConstellationTable, ShapeAndPublishedRows) {
  const auto rows = ConstellationBoundaries();
  ASSERT_EQ(rows.size(), 357u);

  EXPECT_FLOAT_EQ(rows.front().raLow, 0.0f);
  EXPECT_FLOAT_EQ(rows.front().raHigh, 24.0f);
  EXPECT_FLOAT_EQ(rows.front().decLow, 88.0f);
  EXPECT_STREQ(rows.front().abbreviation, "UMi");

  EXPECT_FLOAT_EQ(rows.back().raLow, 0.0f);
  EXPECT_FLOAT_EQ(rows.back().raHigh, 24.0f);
  EXPECT_FLOAT_EQ(rows.back().decLow, -90.0f);
  EXPECT_STREQ(rows.back().abbreviation, "Oct");

  // Row 134 as published.
  const ConstellationBoundary& vul = rows[133];
  EXPECT_FLOAT_EQ(vul.raLow, 18.8667f);
  EXPECT_FLOAT_EQ(vul.raHigh, 19.25f);
  EXPECT_FLOAT_EQ(vul.decLow, 21.0833f);
  EXPECT_STREQ(vul.abbreviation, "Vul");
}

TEST(ConstellationTable, RowsAreOrderedAndWellFormed) {
  const auto rows = ConstellationBoundaries();
  std::set<std::string> names;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ConstellationBoundary& r = rows[i];
    EXPECT_GE(r.raLow, 0.0f) << "row " << i + 1;
    EXPECT_LT(r.raLow, r.raHigh) << "row " << i + 1;
    EXPECT_LE(r.raHigh, 24.0f) << "row " << i + 1;
    EXPECT_GE(r.decLow, -90.0f) << "row " << i + 1;
    EXPECT_LE(r.decLow, 90.0f) << "row " << i + 1;
    if (i > 0) {
      EXPECT_LE(r.decLow, rows[i - 1].decLow) << "row " << i + 1;
    }
    EXPECT_EQ(std::strlen(r.abbreviation), 3u) << "row " << i + 1;
    names.insert(r.abbreviation);
  }
  EXPECT_EQ(names.size(), 88u);
}

// --- Search in the 1875 frame ----------------------------------------------------------

TEST(ConstellationAt1875, EveryRowOwnsItsLowerCorner) {
  // The point (raLow, decLow) of each row lies on its lower and left edges, both of which
  // belong to the row; no earlier row may claim it. Identity is checked by address.
  const auto rows = ConstellationBoundaries();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string_view found = ConstellationAt1875(rows[i].raLow, rows[i].decLow);
    EXPECT_EQ(found.data(), rows[i].abbreviation) << "row " << i + 1 << " gave " << found;
    const float mid = 0.5f * (rows[i].raLow + rows[i].raHigh);
    EXPECT_EQ(ConstellationAt1875(mid, rows[i].decLow).data(), rows[i].abbreviation)
        << "row " << i + 1;
  }
}

TEST(ConstellationAt1875, UpperRaEdgeAndBelowLowerDecAreOutsideTheRow) {
  const auto rows = ConstellationBoundaries();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ConstellationBoundary& r = rows[i];
    // raHigh = 24 would be outside every row (and fall through to the last one).
    if (r.raHigh < 24.0f) {
      EXPECT_NE(ConstellationAt1875(r.raHigh, r.decLow).data(), r.abbreviation)
          << "row " << i + 1;
    }
    if (r.decLow > -90.0f) {
      const float below = std::nextafter(r.decLow, -100.0f);
      EXPECT_NE(ConstellationAt1875(r.raLow, below).data(), r.abbreviation)
          << "row " << i + 1;
    }
  }
}

TEST(ConstellationAt1875, Poles) {
  for (float ra : {0.0f, 3.0f, 6.5f, 12.0f, 18.25f, 23.999f}) {
    EXPECT_EQ(ConstellationAt1875(ra, 88.0f), "UMi") << ra;
    EXPECT_EQ(ConstellationAt1875(ra, 89.5f), "UMi") << ra;
    EXPECT_EQ(ConstellationAt1875(ra, 90.0f), "UMi") << ra;
    EXPECT_EQ(ConstellationAt1875(ra, -90.0f), "Oct") << ra;
    EXPECT_EQ(ConstellationAt1875(ra, -89.5f), "Oct") << ra;
  }
}

TEST(ConstellationAt1875, OutOfRangeAndNaN) {
  EXPECT_EQ(ConstellationAt1875(24.0f, 0.0f), "Oct");
  EXPECT_EQ(ConstellationAt1875(30.0f, 45.0f), "Oct");
  EXPECT_EQ(ConstellationAt1875(-1.0f, 45.0f), "Oct");
  EXPECT_EQ(ConstellationAt1875(5.0f, -95.0f), "Oct");
  EXPECT_EQ(ConstellationAt1875(5.0f, std::numeric_limits<float>::infinity()), "UMi");

  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(ConstellationAt1875(nan, 10.0f).empty());
  EXPECT_TRUE(ConstellationAt1875(10.0f, nan).empty());
  EXPECT_TRUE(ConstellationAt1875(nan, nan).empty());
}

// --- Positions of date -----------------------------------------------------------------

TEST(ConstellationOf, BrightStarsAtJ2000) {
  struct Star {
    const char* name;
    double raDeg;
    double decDeg;
    const char* constellation;
  };
  const Star stars[] = {
      {"Betelgeuse", 88.7929, 7.4071, "Ori"}, {"Sirius", 101.2872, -16.7161, "CMa"},
      {"Polaris", 37.9546, 89.2641, "UMi"},   {"Antares", 247.3519, -26.4320, "Sco"},
      {"Spica", 201.2983, -11.1613, "Vir"},   {"Vega", 279.2347, 38.7837, "Lyr"},
      {"Canopus", 95.9880, -52.6957, "Car"},  {"Deneb", 310.3580, 45.2803, "Cyg"},
  };
  for (const Star& s : stars) {
    EXPECT_EQ(ConstellationOf(s.raDeg * DegToRad, s.decDeg * DegToRad, J2000),
              s.constellation)
        << s.name;
  }
}

TEST(ConstellationOf, AtTableEquinoxMatchesDirectSearch) {
  // No precession at the table's own equinox: converting radians to hours and degrees
  // must land on the same single-precision values, including points exactly on edges
  // (the grid steps of 0.25 h and 0.5 deg hit many of them).
  for (int q = 0; q < 96; ++q) {
    const float raHours = 0.25f * static_cast<float>(q);
    for (int k = -179; k <= 179; ++k) {
      const float decDeg = 0.5f * static_cast<float>(k);
      const std::string_view direct = ConstellationAt1875(raHours, decDeg);
      const std::string_view viaOf =
          ConstellationOf(raHours / RadToHours, decDeg * DegToRad, TableEquinox);
      ASSERT_EQ(viaOf, direct) << raHours << " h, " << decDeg << " deg";
    }
  }
}

TEST(ConstellationOf, PrecessesToTheTableEquinoxFirst) {
  // Points 36" inside the lower edge of every row in the 1875 frame, carried forward to a
  // later equinox, must be found in the same constellation from their coordinates of
  // date. Over 125 years precession moves them by up to ~1.7 deg, so searching the
  // table with unprecessed coordinates would misplace many of them.
  const auto rows = ConstellationBoundaries();
  for (double jd : {J2000, 2488070.0}) {
    const PrecessionAngles toDate = ComputePrecessionAngles(TableEquinox, jd);
    int misplacedIfNotPrecessed = 0;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
      const double raHours = 0.5 * (rows[i].raLow + rows[i].raHigh);
      const double decDeg = rows[i].decLow + 0.01;
      const std::string_view expected =
          ConstellationAt1875(static_cast<float>(raHours), static_cast<float>(decDeg));
      double alpha = 0.0, delta = 0.0;
      Precess(raHours / RadToHours, decDeg * DegToRad, toDate, alpha, delta);
      EXPECT_EQ(ConstellationOf(alpha, delta, jd), expected) << "row " << i + 1 << " jd " << jd;
      if (ConstellationOf(alpha, delta, TableEquinox) != expected) ++misplacedIfNotPrecessed;
    }
    EXPECT_GT(misplacedIfNotPrecessed, 50) << jd;
  }
}

TEST(ConstellationOf, RaJustBelowTwentyFourHoursWrapsToZero) {
  // 24 h minus a hair rounds to 24.0f in single precision; that is the 0 h meridian, not
  // a point beyond the table.
  for (double decDeg : {-60.0, -10.0, 0.0, 20.0, 50.0}) {
    const double delta = decDeg * DegToRad;
    const std::string_view expected = ConstellationAt1875(0.0f, static_cast<float>(decDeg));
    EXPECT_EQ(ConstellationOf(TwoPi - 1e-12, delta, TableEquinox), expected) << decDeg;
    EXPECT_EQ(ConstellationOf(-1e-12, delta, TableEquinox), expected) << decDeg;
  }
}

TEST(ConstellationOf, NonFiniteInputReturnsEmpty) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(ConstellationOf(nan, 0.3, J2000).empty());
  EXPECT_TRUE(ConstellationOf(1.0, nan, J2000).empty());
  EXPECT_TRUE(ConstellationOf(1.0, 0.3, nan).empty());
  EXPECT_TRUE(ConstellationOf(inf, 0.3, J2000).empty());
}

}  // namespace
}  // namespace varomintel
