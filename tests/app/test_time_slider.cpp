// The time slider's arithmetic, the play limits and the elements table's texts.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "../support/synthetic_eclipse.h"
#include "app/elements_table.h"
#include "app/time_slider.h"
#include "astro/calendar.h"

namespace varomintel {
namespace {

struct PositionCase {
  int position;
  double hours;
};

class SliderTimes : public ::testing::TestWithParam<PositionCase> {};

TEST_P(SliderTimes, TwoSecondsPerPositionAroundT0) {
  const PositionCase& c = GetParam();
  EXPECT_NEAR(SliderHours(c.position), c.hours, 1e-15);
  EXPECT_EQ(SliderPosition(c.hours), c.position);
}

INSTANTIATE_TEST_SUITE_P(Slider, SliderTimes,
                         ::testing::Values(PositionCase{7200, 0.0}, PositionCase{0, -4.0}, PositionCase{14400, 4.0},
                                           PositionCase{7201, 2 / 3600.0}, PositionCase{8100, 0.5},
                                           PositionCase{7199, -2 / 3600.0}));

TEST(SliderPosition, HeldAtTheEndsAndAtT0ForNoTime) {
  EXPECT_EQ(SliderPosition(-4.5), 0);
  EXPECT_EQ(SliderPosition(4.0001), 14400);
  EXPECT_EQ(SliderPosition(std::nan("")), 7200);
  EXPECT_EQ(SliderPosition(1 / 3600.0), 7200);   // 7200.5: ties to even
  EXPECT_EQ(SliderPosition(3 / 3600.0), 7202);   // 7201.5
}

TEST(SliderTimeAt, JulianDaysOfBothTimeScales) {
  const EclipseRecord r = testing::LinearEclipse().Record(2022, 11, 8, 11);
  const SliderTime tt = SliderTimeAt(r, 8100, 0);
  EXPECT_EQ(tt.t, 0.5);
  EXPECT_DOUBLE_EQ(tt.jdTT, DateToJD(2022, 11, 8, 11, 30, 0));
  EXPECT_EQ(tt.jdUT, tt.jdTT);
  const SliderTime ut = SliderTimeAt(r, 8100, 69.2);
  EXPECT_EQ(ut.jdTT, tt.jdTT);
  EXPECT_NEAR((ut.jdTT - ut.jdUT) * 86400, 69.2, 1e-4);
}

struct PlayCase {
  const char* name;
  PlayDirection direction;
  int start;
  int steps;  // taken before the loop stops
  int end;
};

class PlayLimits : public ::testing::TestWithParam<PlayCase> {};

TEST_P(PlayLimits, StepsUntilTheLastReachablePosition) {
  const PlayCase& c = GetParam();
  int position = c.start, steps = 0;
  while (PlayMayStep(c.direction, position)) {
    position += PlayStep(c.direction);
    ++steps;
    ASSERT_GE(position, kSliderFirst);
    ASSERT_LE(position, kSliderLast);
  }
  EXPECT_EQ(steps, c.steps);
  EXPECT_EQ(position, c.end);
}

INSTANTIATE_TEST_SUITE_P(
    Slider, PlayLimits,
    ::testing::Values(PlayCase{"forward_over_the_slider", PlayDirection::Forward, 0, 2400, 14400},
                      PlayCase{"fast_forward_from_7", PlayDirection::FastForward, 7, 239, 14347},
                      PlayCase{"fast_forward_from_14341", PlayDirection::FastForward, 14341, 0, 14341},
                      PlayCase{"reverse_from_7", PlayDirection::Reverse, 7, 1, 1},
                      PlayCase{"reverse_from_5", PlayDirection::Reverse, 5, 0, 5},
                      PlayCase{"fast_reverse_over_the_slider", PlayDirection::FastReverse, 14400, 240, 0}),
    [](const ::testing::TestParamInfo<PlayCase>& row) { return std::string(row.param.name); });

// (The edges 14394/14395 and 59/60 are played through the window's buttons.)

// --- The elements table ---------------------------------------------------------------

ElementsTableInput Input(int position, std::uint8_t language) {
  ElementsTableInput in;
  in.t = SliderHours(position);
  in.elements.x = -1234.5;   // ties of the display rounding go to even: -1234
  in.elements.y = 0.4;
  in.elements.d = -0.0004;   // radians: -0.02 degrees, shown as 0.0
  in.elements.M = 3.0;       // radians: 171.887 degrees
  in.elements.f1 = 4379.4;
  in.elements.f2 = 2442.6;
  in.elements.L = 866.0;
  in.elements.PenContactRadius = 4379.4 + 917.8;
  in.gamma = 0.25703;
  in.penMag = 2.41416;
  in.umbMag = -0.5;
  in.constellation = "Ari";
  in.language = language;
  return in;
}

struct TableCase {
  int position;
  const char* t;
};

class ElementsTableRowZero : public ::testing::TestWithParam<TableCase> {};

TEST_P(ElementsTableRowZero, SliderTimeWithFourDecimals) {
  EXPECT_EQ(ElementsTableTexts(Input(GetParam().position, 1))[0][1], GetParam().t);
}

INSTANTIATE_TEST_SUITE_P(Table, ElementsTableRowZero,
                         ::testing::Values(TableCase{7199, "-0.0006"}, TableCase{14400, "4.0000"}));

TEST(ElementsTable, AllCellsInEnglish) {
  const ElementsTableCells c = ElementsTableTexts(Input(7201, 1));
  const ElementsTableCells want = {{{" T-T0", "0.0006", " hours"},
                                    {" x", "-1234", " \""},
                                    {" y", "0", " \""},
                                    {" d", "0.0", " °"},
                                    {" M", "171.9", " °"},
                                    {" f1", "4379", " \""},
                                    {" f2", "2443", " \""},
                                    {" Gamma", "0.2570", " R(Earth)"},
                                    {" PenMag", "2.4142", ""},
                                    {" UmbMag", "-0.5000", ""},
                                    {" L", "866", " \""},
                                    {" rmoo", "918", " \""},
                                    {" Constellation", "Ari", " "}}};
  for (int r = 0; r < kElementsTableRows; ++r)
    for (int col = 0; col < kElementsTableColumns; ++col)
      EXPECT_EQ(c[static_cast<std::size_t>(r)][static_cast<std::size_t>(col)],
                want[static_cast<std::size_t>(r)][static_cast<std::size_t>(col)])
          << "row " << r << " column " << col;
}

TEST(ElementsTable, LanguageChangesUnitsAndCaption) {
  const ElementsTableCells de = ElementsTableTexts(Input(7200, 0));
  const ElementsTableCells fr = ElementsTableTexts(Input(7200, 2));
  EXPECT_EQ(de[0][2], " Std");
  EXPECT_EQ(fr[0][2], " heures");
  EXPECT_EQ(de[7][2], " R(Erde)");
  EXPECT_EQ(fr[7][2], " R(Terre)");
  EXPECT_EQ(de[12][0], " Sternbild");
  EXPECT_EQ(fr[12][0], " Constellation");
}

struct SkyCase {
  double ra, dec;  // degrees
  const char* constellation;
};

class MoonConstellationOf : public ::testing::TestWithParam<SkyCase> {};

// Positions well inside their constellations' boundaries (Roman 1987).
TEST_P(MoonConstellationOf, Abbreviation) {
  ElementValues e;
  e.MoonRA = GetParam().ra;
  e.MoonDec = GetParam().dec;
  EXPECT_EQ(MoonConstellation(e, DateToJD(2022, 11, 8, 11, 0, 0)), GetParam().constellation);
}

INSTANTIATE_TEST_SUITE_P(Table, MoonConstellationOf,
                         ::testing::Values(SkyCase{43.6, 16.6, "Ari"}, SkyCase{285.0, -25.0, "Sgr"},
                                           SkyCase{150.0, 15.0, "Leo"}, SkyCase{90.0, 20.0, "Ori"}));

}  // namespace
}  // namespace varomintel
