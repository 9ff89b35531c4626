#include "astro/trig_func.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace varomintel {
namespace {

TEST(TrigFunc, ArcTan2CoversAllQuadrantsAndSignedZero) {
  EXPECT_NEAR(ArcTan2(1, 1), Pi / 4, 1e-15);
  EXPECT_NEAR(ArcTan2(0, -1), Pi, 1e-15);
  EXPECT_NEAR(ArcTan2(-1, -1), -3 * Pi / 4, 1e-15);
  EXPECT_NEAR(ArcTan2(-0.0, -1), Pi, 1e-15);  // negative zero counts as zero: never -pi
  EXPECT_EQ(ArcTan2(0, 0), 0.0);
  EXPECT_NEAR(ArcTan2(1, 0), Pi / 2, 1e-15);
  EXPECT_NEAR(ArcTan2(-2, 0), -Pi / 2, 1e-15);
  // Agrees with the library atan2 away from the branch cut.
  for (double y : {-3.0, -0.5, 0.25, 7.0})
    for (double x : {-2.0, -0.1, 0.3, 5.0}) EXPECT_NEAR(ArcTan2(y, x), std::atan2(y, x), 1e-15) << y << " " << x;
}

TEST(TrigFunc, ArcSinClampsOutOfRangeArguments) {
  EXPECT_EQ(ArcSinClamped(1.0000001), Pi / 2);
  EXPECT_EQ(ArcSinClamped(-2), -Pi / 2);
  EXPECT_NEAR(ArcSinClamped(0.5), Pi / 6, 1e-15);
  EXPECT_NEAR(ArcSinClamped(-0.3), std::asin(-0.3), 1e-15);
}

TEST(TrigFunc, FloatModReducesIntoZeroToModulus) {
  // The formula m (q - trunc q) is not exact in the last bits: 370 mod 360 is 9.999999999999964.
  EXPECT_NEAR(FloatMod(370, 360), 10, 1e-12);
  EXPECT_NEAR(FloatMod(-10, 360), 350, 1e-12);
  EXPECT_NEAR(FloatMod(-3600, 3600), 0, 1e-12);
  EXPECT_NEAR(FloatMod(4000.5, 3600), 400.5, 1e-12);
  for (double x : {-1e6 - 0.25, -47.0, 0.0, 23.999, 1e5 + 0.5}) {
    const double r = FloatMod(x, 24);
    EXPECT_GE(r, 0.0) << x;
    EXPECT_LT(r, 24.0) << x;
  }
}

TEST(TrigFunc, DegreeTablesHoldSinglePrecisionValuesAtEveryDegree) {
  const auto& s = SinTable();
  const auto& c = CosTable();
  ASSERT_EQ(s.size(), 361u);
  EXPECT_EQ(s[90], 1.0f);
  EXPECT_EQ(c[360], 1.0f);
  EXPECT_EQ(c[0], 1.0f);
  // Not exact zeros: the single-precision roundings of values near 1e-16.
  EXPECT_NE(c[90], 0.0f);
  EXPECT_LT(std::fabs(c[90]), 1e-15f);
  EXPECT_NE(s[360], 0.0f);
  EXPECT_LT(std::fabs(s[360]), 1e-15f);
  for (int i = 0; i <= 360; i += 7) {
    EXPECT_EQ(s[static_cast<std::size_t>(i)], static_cast<float>(std::sin(i * DegToRad))) << i;
    EXPECT_EQ(c[static_cast<std::size_t>(i)], static_cast<float>(std::cos(i * DegToRad))) << i;
  }
}

}  // namespace
}  // namespace varomintel
