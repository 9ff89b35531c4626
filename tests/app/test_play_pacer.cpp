// The pace of a play, on a made-up clock: a simulated event loop whose timer fires when the
// pacer asks (rounded up to whole milliseconds, as a precise timer takes it, and late or
// early by a set amount), whose drawing of a step takes a set time, and whose window may
// stall once. The slider positions come from the real play steps and limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <limits>
#include <string>
#include <vector>

#include "app/play_pacer.h"
#include "app/time_slider.h"

namespace varomintel {
namespace {

using namespace std::chrono_literals;
using Duration = PlayPacer::Duration;

struct PaceCase {
  const char* name;
  PlayDirection direction;
  int start;                   // slider position
  Duration frame;              // the pacer's frame; zero: unpaced
  Duration drawing;            // the time one step takes to draw
  Duration timerError;         // added to every timer interval (late > 0, early < 0)
  int stallAfter;              // steps before a stall of the window; -1: none
  Duration stall;
  int steps;                   // steps to the end of the slider
  double seconds;              // from the first step to the end of the last one's drawing
  double tolerance;            // seconds
  int end;                     // slider position at the end
};

void PrintTo(const PaceCase& c, std::ostream* os) { *os << c.name; }

struct Played {
  std::vector<Duration> steps;  // when each step was taken
  Duration end{};
  int position = 0;
};

Played Simulate(const PaceCase& c) {
  PlayPacer pacer(c.frame);
  Played played;
  played.position = c.start;
  Duration now = 1h;  // any origin: the pacer sees only differences
  pacer.Start(now);
  const auto step = [&] {
    played.steps.push_back(now);
    pacer.Stepped(now);
    played.position += PlayStep(c.direction);
    now += c.drawing;
    if (static_cast<int>(played.steps.size()) == c.stallAfter) now += c.stall;
  };
  // The first step at once, then one per timer shot that finds a step due.
  if (PlayMayStep(c.direction, played.position)) step();
  for (int shots = 0; PlayMayStep(c.direction, played.position) && shots < 1'000'000; ++shots) {
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(pacer.Wait(now));
    now += std::max<Duration>(wait + c.timerError, 50us);  // a shot takes some time of its own
    if (pacer.Due(now)) step();
  }
  played.end = now;
  return played;
}

class PlayPace : public ::testing::TestWithParam<PaceCase> {};

TEST_P(PlayPace, OneStepPerFrameNoneSkippedNoBurst) {
  const PaceCase& c = GetParam();
  const Played p = Simulate(c);
  ASSERT_EQ(static_cast<int>(p.steps.size()), c.steps);
  EXPECT_EQ(p.position, c.end);
  ASSERT_FALSE(p.steps.empty());
  EXPECT_NEAR(std::chrono::duration<double>(p.end - p.steps.front()).count(), c.seconds, c.tolerance);
  // Never faster than the frame allows: at most one step per frame (a timer shot lands
  // within a millisecond of its due time, so two steps may come a little closer) and at
  // most 60 in any second at 60 Hz, also right after a stall.
  for (std::size_t i = 1; i < p.steps.size(); ++i)
    ASSERT_GE(p.steps[i] - p.steps[i - 1], std::max<Duration>(c.frame - 1ms, c.drawing)) << "step " << i;
  if (c.frame == PlayPacer::kFrame) {
    for (std::size_t i = 60; i < p.steps.size(); ++i) ASSERT_GE(p.steps[i] - p.steps[i - 60], 999ms) << "step " << i;
  }
}

constexpr Duration kFrame = PlayPacer::kFrame;

INSTANTIATE_TEST_SUITE_P(
    Slider, PlayPace,
    ::testing::Values(
        // A pass over the slider: 2400 steps of 6 positions, 240 of 60: 40 s and 4 s.
        PaceCase{"NormalPass", PlayDirection::Forward, 0, kFrame, 2ms, 0ms, -1, 0ms, 2400, 40.0, 0.02, 14400},
        PaceCase{"FastPass", PlayDirection::FastForward, 0, kFrame, 2ms, 0ms, -1, 0ms, 240, 4.0, 0.02, 14400},
        PaceCase{"FastReversePass", PlayDirection::FastReverse, 14400, kFrame, 2ms, 0ms, -1, 0ms, 240, 4.0, 0.02, 0},
        // A timer late by 3 ms every time keeps the average: no time is lost per step.
        PaceCase{"LateTimer", PlayDirection::Forward, 0, kFrame, 2ms, 3ms, -1, 0ms, 2400, 40.0, 0.02, 14400},
        // A timer early by 5 ms waits again and never steps before the frame is over.
        PaceCase{"EarlyTimer", PlayDirection::Forward, 0, kFrame, 2ms, -5ms, -1, 0ms, 2400, 40.0, 0.02, 14400},
        // Drawing slower than the display: every step is drawn, at the drawing's pace.
        PaceCase{"SlowDrawing", PlayDirection::FastForward, 0, kFrame, 25ms, 0ms, -1, 0ms, 240, 6.0, 0.03, 14400},
        // A stall of half a second adds half a second, with no burst to catch up.
        PaceCase{"Stall", PlayDirection::FastForward, 0, kFrame, 2ms, 0ms, 100, 500ms, 240, 4.5, 0.03, 14400},
        // A part pass: from 14280 two steps, the second one frame after the first.
        PaceCase{"TwoSteps", PlayDirection::FastForward, 14280, kFrame, 2ms, 0ms, -1, 0ms, 2, 0.019, 0.002, 14400},
        // Unpaced (the benchmarks): as fast as the drawing allows.
        PaceCase{"Unpaced", PlayDirection::Forward, 0, Duration::zero(), 2ms, 0ms, -1, 0ms, 2400, 4.92, 0.01, 14400}),
    [](const ::testing::TestParamInfo<PaceCase>& row) { return std::string(row.param.name); });

// One step per frame of the display, 60 a second at most.
TEST(PlayPacer, FrameOfTheDisplay) {
  const struct {
    double hertz;
    Duration frame;
  } rows[] = {{60, kFrame},         {59.95, 16'680'567ns}, {144, kFrame}, {50, 20ms}, {30, 33'333'333ns},
              {0, kFrame},          {-1, kFrame},          {1, kFrame},   {std::nan(""), kFrame},
              {std::numeric_limits<double>::infinity(), kFrame}};
  for (const auto& row : rows) EXPECT_EQ(PlayPacer::FrameOf(row.hertz), row.frame) << row.hertz << " Hz";
}

}  // namespace
}  // namespace varomintel
