#include "app/play_pacer.h"

#include <cmath>

namespace varomintel {

PlayPacer::Duration PlayPacer::FrameOf(double hertz) {
  if (!(hertz > 1) || hertz >= 60) return kFrame;  // also NaN
  return Duration(static_cast<Duration::rep>(std::llround(1e9 / hertz)));
}

void PlayPacer::Stepped(Duration now) {
  due_ = now - due_ >= frame_ ? now + frame_ : due_ + frame_;
}

}  // namespace varomintel
