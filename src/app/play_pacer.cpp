#include "app/play_pacer.h"

namespace varomintel {

void PlayPacer::Stepped(Duration now) {
  due_ = now - due_ >= frame_ ? now + frame_ : due_ + frame_;
}

}  // namespace varomintel
