#include "eclipse/circumstances.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/trig_func.h"
#include "../support/synthetic_eclipse.h"

namespace varomintel {
namespace {

using testing::LinearEclipse;

// Radii of the synthetic eclipses (arcseconds): Moon 930, umbra 2700, penumbra 4600.
constexpr double kMoon = 930, kUmbra = 2700, kPenumbra = 4600;

double LAt(const EclipseRecord& r, double t) { return EvaluateElements(r, t, 0).L; }

TEST(Circumstances, GreatestEclipseAndContactsMatchTheClosedForm) {
  const LinearEclipse e = LinearEclipse::Passing(1200, 0.37);  // total, not central
  const EclipseRecord r = e.Record();
  const CircumstancesResult res = ComputeCircumstances(r, 0);
  const EclipseCircumstances& c = res.circumstances;
  ASSERT_TRUE(res.converged);
  EXPECT_NEAR(c.TimeMax, e.TimeMax(), 3e-6);
  EXPECT_EQ(res.type, EclipseTypeCode::Total);

  struct Check {
    double time, expected, eps;
    double radius;
    bool first;
  };
  const double tm = e.TimeMax();
  const Check checks[] = {
      {c.TimeU2, tm - e.HalfChord(kUmbra - kMoon), 1e-6, kUmbra - kMoon, true},
      {c.TimeU3, tm + e.HalfChord(kUmbra - kMoon), 3e-8, kUmbra - kMoon, false},
      {c.TimeU1, tm - e.HalfChord(kUmbra + kMoon), 3e-8, kUmbra + kMoon, true},
      {c.TimeU4, tm + e.HalfChord(kUmbra + kMoon), 1e-6, kUmbra + kMoon, false},
      {c.TimeP2, tm - e.HalfChord(kPenumbra - kMoon), 1e-6, kPenumbra - kMoon, true},
      {c.TimeP3, tm + e.HalfChord(kPenumbra - kMoon), 1e-6, kPenumbra - kMoon, false},
      {c.TimeP1, tm - e.HalfChord(kPenumbra + kMoon), 1e-6, kPenumbra + kMoon, true},
      {c.TimeP4, tm + e.HalfChord(kPenumbra + kMoon), 1e-6, kPenumbra + kMoon, false},
  };
  for (const Check& k : checks) {
    // Every contact lies just inside its circle, the boundary within 3 eps on the outer side.
    EXPECT_LT(LAt(r, k.time), k.radius) << k.radius;
    if (k.first) {
      EXPECT_GT(k.time, k.expected);
      EXPECT_LT(k.time - k.expected, 3 * k.eps) << k.radius;
    } else {
      EXPECT_LT(k.time, k.expected);
      EXPECT_LT(k.expected - k.time, 3 * k.eps) << k.radius;
    }
  }
  // Magnitudes at greatest eclipse.
  EXPECT_NEAR(c.PenMag, (kPenumbra + kMoon - 1200) / (2 * kMoon), 1e-9);
  EXPECT_NEAR(c.UmbMag, (kUmbra + kMoon - 1200) / (2 * kMoon), 1e-9);
  // Positions at the contacts are those of the stored instants.
  const ContactPosition& u1 = c.At(Contact::U1);
  EXPECT_EQ(u1.x, EvaluateXY(r, c.TimeU1).x);
  EXPECT_EQ(u1.y, EvaluateXY(r, c.TimeU1).y);
  EXPECT_EQ(u1.d, EvaluateElements(r, c.TimeU1, 0).d);
}

TEST(Circumstances, TypesFromPenumbralToCentral) {
  struct Case {
    double lmin;
    EclipseTypeCode type;
  };
  // Penumbral only: between UmbContactRadius (3630) and PenContactRadius (5530).
  // Complete penumbral: below 2 f1 - PenContactRadius (3670) but not touching the umbra.
  // Partial umbral, total (L >= Moon radius 930) and total central (L < 930).
  const Case cases[] = {{4500, EclipseTypeCode::PartialPenumbral}, {3650, EclipseTypeCode::CompletePenumbral}, {3000, EclipseTypeCode::PartialUmbral},
                        {1200, EclipseTypeCode::Total}, {931, EclipseTypeCode::Total}, {929, EclipseTypeCode::TotalCentral}, {0.5, EclipseTypeCode::TotalCentral}};
  for (const Case& k : cases) {
    const EclipseRecord r = LinearEclipse::Passing(k.lmin).Record();
    const CircumstancesResult res = ComputeCircumstances(r, 0);
    ASSERT_TRUE(res.converged) << k.lmin;
    EXPECT_EQ(res.type, k.type) << k.lmin;
    const EclipseCircumstances& c = res.circumstances;
    EXPECT_NE(c.TimeP1, 0) << k.lmin;
    EXPECT_NE(c.TimeP4, 0) << k.lmin;
    EXPECT_EQ(c.TimeU1 != 0, k.type >= EclipseTypeCode::PartialUmbral) << k.lmin;
    EXPECT_EQ(c.TimeU4 != 0, k.type >= EclipseTypeCode::PartialUmbral) << k.lmin;
    EXPECT_EQ(c.TimeU2 != 0, k.type >= EclipseTypeCode::Total) << k.lmin;
    EXPECT_EQ(c.TimeU3 != 0, k.type >= EclipseTypeCode::Total) << k.lmin;
    if (k.type == EclipseTypeCode::PartialPenumbral) {
      EXPECT_EQ(c.TimeP2, 0);
      EXPECT_EQ(c.TimeP3, 0);
      EXPECT_LT(c.UmbMag, 0);
    }
    if (k.type == EclipseTypeCode::CompletePenumbral) {
      EXPECT_NE(c.TimeP2, 0);
      EXPECT_NE(c.TimeP3, 0);
    }
  }
}

TEST(Circumstances, NoContactLeavesTheRecordsOwnType) {
  EclipseRecord r = LinearEclipse::Passing(8000).Record();
  r.EclipseType = EclipseTypeCode::CompletePenumbral;
  const CircumstancesResult res = ComputeCircumstances(r, 0);
  EXPECT_EQ(res.type, EclipseTypeCode::CompletePenumbral);
  EXPECT_EQ(res.circumstances.TimeP1, 0);
  EXPECT_EQ(res.circumstances.TimeU1, 0);
}

TEST(Circumstances, GreatestEclipseBeforeTheFirstStepIsStillFound) {
  // The first evaluation is at t = -1.8; with greatest eclipse at -2.6 the search starts
  // on the receding side, steps back and still converges on the turning point.
  const LinearEclipse e = LinearEclipse::Passing(2000, -2.6);
  const CircumstancesResult res = ComputeCircumstances(e.Record(), 0);
  ASSERT_TRUE(res.converged);
  EXPECT_NEAR(res.circumstances.TimeMax, -2.6, 3e-6);
  // Ends on the approaching side: s = x x' + y y' < 0 there.
  const ElementValues& m = res.atMax;
  EXPECT_LT(m.x * m.xRate + m.y * m.yRate, 0);
}

TEST(Circumstances, ElementsAtMaxAndTheAxisAtEveryContact) {
  const LinearEclipse e = LinearEclipse::Passing(3000, 1.1);
  const EclipseRecord r = e.Record();
  const double deltaT = 69.2;
  const CircumstancesResult res = ComputeCircumstances(r, deltaT);
  const EclipseCircumstances& c = res.circumstances;
  const ElementValues expected = EvaluateElements(r, c.TimeMax, deltaT);
  EXPECT_EQ(res.atMax.x, expected.x);
  EXPECT_EQ(res.atMax.M, expected.M);
  EXPECT_EQ(c.XMax, expected.x);
  EXPECT_EQ(c.DMax, expected.d);
  EXPECT_NEAR(c.MMax, expected.M, 1e-12);
  for (int i = 0; i < kContactCount; ++i) {
    const ContactPosition& p = c.At(static_cast<Contact>(i));
    EXPECT_GT(p.M, -Pi) << i;
    EXPECT_LE(p.M, Pi) << i;
  }
  // Contacts that do not occur (U2, U3 of a partial eclipse) carry the axis at t = 0.
  EXPECT_EQ(c.At(Contact::U2).d, EvaluateElements(r, 0, deltaT).d);
  // Delta T moves only M.
  const CircumstancesResult tt = ComputeCircumstances(r, 0);
  EXPECT_EQ(tt.circumstances.TimeMax, c.TimeMax);
  EXPECT_EQ(tt.circumstances.TimeU1, c.TimeU1);
  EXPECT_NE(tt.circumstances.MMax, c.MMax);
}

TEST(Circumstances, YWhereXCrossesZero) {
  const LinearEclipse e = LinearEclipse::Passing(2500, 0.4);
  const CircumstancesResult res = ComputeCircumstances(e.Record(), 0);
  const double tZero = -e.x0 / e.vx;
  EXPECT_NEAR(res.circumstances.YAtXZero, e.y0 + e.vy * tZero, e.vy * 3e-6);
}

TEST(Circumstances, DegenerateRecordsEndWithAStatusNotAHang) {
  EclipseRecord still = LinearEclipse{}.Record();
  still.X.c = {0, 0, 0, 0};  // the Moon never moves: no turning point to find
  still.Y.c = {100, 0, 0, 0};
  const CircumstancesResult res = ComputeCircumstances(still, 0);
  EXPECT_FALSE(res.converged);
  ASSERT_NE(res.failedSearch, nullptr);
  EXPECT_STREQ(res.failedSearch, "greatest eclipse");

  EclipseRecord receding = LinearEclipse::Passing(1000).Record();
  receding.X.c = {1e12, 1, 0, 0};  // x never turns negative: the zero-crossing search cannot end
  const CircumstancesResult far = ComputeCircumstances(receding, 0);
  EXPECT_FALSE(far.converged);
}

}  // namespace
}  // namespace varomintel
