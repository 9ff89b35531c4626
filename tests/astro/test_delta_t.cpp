#include "astro/delta_t.h"

#include <gtest/gtest.h>

#include <cmath>

namespace varomintel {
namespace {

TEST(DeltaT, TableYearsAreUsedAsTheyStandRoundedToTenths) {
  for (double month = 1; month <= 12; ++month) EXPECT_EQ(DeltaT(2000, month), 64.0);
  EXPECT_EQ(DeltaT(2029, 6), 69.2);
  EXPECT_EQ(DeltaT(1961, 1), 33.6);
  EXPECT_EQ(DeltaT(1977, 1), 47.0);
  EXPECT_EQ(DeltaT(1978, 1), 49.0);
}

TEST(DeltaT, PiecesAreChosenByYearNotByMonth) {
  EXPECT_EQ(DeltaT(2030, 1), 70.2);     // parabola -71 + 32 u^2 without correction
  EXPECT_EQ(DeltaT(1960, 12), 33.5);    // 1941 piece with origin 1950, corrected
  EXPECT_EQ(DeltaT(-501, 1), 17139.9);  // first piece
  EXPECT_EQ(DeltaT(-500, 1), 17125.0);  // second piece
}

TEST(DeltaT, PolynomialsAcrossTheCatalogue) {
  EXPECT_EQ(DeltaT(0, 1), 10533.8);
  EXPECT_EQ(DeltaT(1000, 1), 1562.2);
  EXPECT_EQ(DeltaT(-4999, 1), 148148.9);
  EXPECT_EQ(DeltaT(7000, 12), 85824.5);
}

TEST(DeltaT, ResultIsAlwaysAWholeNumberOfTenths) {
  for (int year = -4999; year <= 7000; year += 61) {
    const double dt = DeltaT(year, 7);
    EXPECT_EQ(dt * 10, std::nearbyint(dt * 10)) << year;
    EXPECT_GT(dt, -10.0) << year;  // positive everywhere but briefly around 1900
  }
}

TEST(DeltaT, ContinuousAtPieceBoundariesWithinAFewSeconds) {
  // The Espenak-Meeus pieces join smoothly; a wrong coefficient shows as a jump.
  for (int year : {-500, 500, 1600, 1700, 1800, 1860, 1900, 1920, 1941, 1961}) {
    const double before = DeltaT(year - 1, 12);
    const double after = DeltaT(year, 1);
    EXPECT_NEAR(after, before, year <= 500 ? 20.0 : 2.0) << year;
  }
}

}  // namespace
}  // namespace varomintel
