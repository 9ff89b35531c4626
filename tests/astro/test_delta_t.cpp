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

TEST(DeltaTSigma, PublishedValuesAndAContinuousGrowthAwayFromThePresent) {
  // Espenak and Meeus, NASA/TP-2006-214141 (Morrison and Stephenson 2004; Stephenson and
  // Houlden 1986), whole seconds as published (0.1 s at 1900); 1300..1600 "about 20 s".
  const struct {
    double year, sigma, tolerance;
  } published[] = {{-1000, 636, 0.5}, {-500, 431, 0.5}, {0, 265, 0.5},  {500, 139, 0.5},
                   {1000, 54, 0.5},   {1200, 31, 0.5},  {1300, 20, 0},  {1450, 20, 0},
                   {1600, 20, 0},     {1700, 5, 0},     {1800, 1, 0},   {1900, 0.1, 1e-12}};
  for (const auto& p : published) EXPECT_NEAR(DeltaTSigma(p.year), p.sigma, p.tolerance) << p.year;
  // The extension: about an hour at -4999, 0.1 s until 2025, minutes by 2500, hours by 7000.
  EXPECT_NEAR(DeltaTSigma(-4999), 3720, 0.5);
  EXPECT_EQ(DeltaTSigma(2025), 0.1);
  EXPECT_NEAR(DeltaTSigma(2500), 231, 0.5);
  EXPECT_NEAR(DeltaTSigma(7000), 7 * 3600, 0.02 * 7 * 3600);
  // Continuous (no step above 0.2 s and 0.1 % in a tenth of a year), falling until 1900, rising after 2025.
  double previous = DeltaTSigma(-5000.0);
  for (double y = -4999.9; y <= 7000; y += 0.1) {
    const double s = DeltaTSigma(y);
    EXPECT_NEAR(s, previous, 0.2 + 1e-3 * s) << y;
    if (y <= 1900) {
      EXPECT_LE(s, previous + 1e-9) << y;
    }
    if (y > 2025) {
      EXPECT_GT(s, previous) << y;
    }
    previous = s;
  }
  EXPECT_EQ(DeltaTSigma(-720, 3), DeltaTSigma(-720 + 2.5 / 12));
}

}  // namespace
}  // namespace varomintel
