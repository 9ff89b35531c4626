#include "app/time_slider.h"

#include <algorithm>
#include <cmath>

#include "astro/calendar.h"

namespace varomintel {

double SliderHours(int position) { return (position - kSliderT0) / 7200.0 * 4.0; }

int SliderPosition(double t) {
  if (!std::isfinite(t)) return kSliderT0;
  const double position = std::nearbyint(7200.0 * t / 4.0 + kSliderT0);  // ties to even
  return static_cast<int>(std::clamp(position, double{kSliderFirst}, double{kSliderLast}));
}

SliderTime SliderTimeAt(const EclipseRecord& r, int position, double deltaT) {
  SliderTime s;
  s.t = SliderHours(position);
  s.jdTT = DateToJD(r.Year, r.Month, r.Day, r.T0Hour, 0, s.t * 3600);
  s.jdUT = s.jdTT - deltaT / 86400;
  return s;
}

int PlayStep(PlayDirection direction) {
  switch (direction) {
    case PlayDirection::FastReverse: return -60;
    case PlayDirection::Reverse: return -6;
    case PlayDirection::Forward: return 6;
    case PlayDirection::FastForward: return 60;
  }
  return 0;
}

bool PlayMayStep(PlayDirection direction, int position) {
  const int step = PlayStep(direction);
  return step > 0 ? position <= kSliderLast - step : position >= -step;
}

std::vector<int> AnimationPositions(const EclipseCircumstances& circumstances, int step, bool whole) {
  step = std::max(1, step);
  int first = kSliderFirst, last = kSliderLast;
  if (!whole && circumstances.TimeP1 != 0 && circumstances.TimeP4 != 0) {
    first = std::max(kSliderFirst, SliderPosition(circumstances.TimeP1) - kAnimationMarginPositions);
    last = std::min(kSliderLast, SliderPosition(circumstances.TimeP4) + kAnimationMarginPositions);
  }
  std::vector<int> positions;
  for (int at = first; at <= last; at += step) positions.push_back(at);
  return positions;
}

}  // namespace varomintel
