// The time slider of the main window and its play directions. The slider has 14401
// positions of 2 seconds each, from four hours before to four hours after T0 of the
// selected eclipse (position 7200 is T0, 1800 positions per hour).
#pragma once

#include <vector>

#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"

namespace varomintel {

inline constexpr int kSliderFirst = 0;
inline constexpr int kSliderLast = 14400;
inline constexpr int kSliderT0 = 7200;
inline constexpr int kSliderSmallChange = 3;   // 6 seconds
inline constexpr int kSliderLargeChange = 60;  // 2 minutes

// Given: a slider position. Returned: CurrentT, hours of TT from T0:
// (position - 7200) / 7200 * 4; 7200 gives 0, 0 gives -4, 7201 gives +2 seconds.
double SliderHours(int position);

// Given: t, hours of TT from T0. Returned: the position round(7200 * t / 4 + 7200), ties to
// even, held within 0..14400 as the scroll bar holds it. A t that is not finite gives T0.
int SliderPosition(double t);

// The slider time and its Julian days.
struct SliderTime {
  double t = 0;     // hours of TT from T0
  double jdTT = 0;  // Julian day, terrestrial time, of T0 + t
  double jdUT = 0;  // jdTT - deltaT / 86400
};

// Given: the record (its Year, Month, Day and T0Hour), a slider position and Delta T in
// seconds (0 in terrestrial time, so that jdUT equals jdTT).
SliderTime SliderTimeAt(const EclipseRecord& record, int position, double deltaT);

// The four play buttons, left to right without Stop.
enum class PlayDirection { FastReverse, Reverse, Forward, FastForward };

// Positions per step: -60 (-2 min), -6 (-12 s), +6, +60.
int PlayStep(PlayDirection direction);

// The play loop's condition: true when a play in `direction` takes another step from
// `position`. Forward plays step while position <= 14400 - step, reverse plays while
// position >= |step|, so that play never leaves 0..14400 and ends on the last position
// reachable by whole steps.
bool PlayMayStep(PlayDirection direction, int position);

// The slider positions of the frames of an animation, `step` positions apart (6 or 60:
// 12 seconds or 2 minutes a frame), forward. With `whole` the whole slider, 0 .. 14400;
// otherwise from 10 minutes (300 positions) before P1 to 10 minutes after P4, held within
// the slider, the last frame the last whole step at or before that end. An eclipse without
// P1 or P4 gets the whole slider.
inline constexpr int kAnimationMarginPositions = 300;
std::vector<int> AnimationPositions(const EclipseCircumstances& circumstances, int step, bool whole);

}  // namespace varomintel
