// The pace of a play of the time slider: one step per display frame, at most 60 steps a
// second, every step taken and shown (none is skipped to catch up). With the play steps of 6 and
// 60 slider positions a normal pass over the 14400 positions takes 2400 steps, 40 s, and a
// fast one 240 steps, 4 s. The pacer only decides when the next step is due; its caller
// supplies the time (a steady clock in the window, a made-up one in tests) and the timer.
#pragma once

#include <chrono>

namespace varomintel {

class PlayPacer {
 public:
  using Duration = std::chrono::nanoseconds;  // time on the caller's steady clock
  // One frame of a 60 Hz display.
  static constexpr Duration kFrame{16'666'667};

  // The frame of a display refreshed `hertz` times a second, held to kFrame at least (at
  // most 60 steps a second on faster displays); kFrame when the rate is unknown (not a
  // number above 1).
  static Duration FrameOf(double hertz);

  // `frame`: the shortest time between two steps; zero steps as fast as the caller asks.
  explicit PlayPacer(Duration frame = kFrame) : frame_(frame) {}

  Duration Frame() const { return frame_; }

  // A play starts at `now`: its first step is due at once.
  void Start(Duration now) { due_ = now; }

  // How long from `now` until the next step is due; zero when it is due.
  Duration Wait(Duration now) const { return now >= due_ ? Duration::zero() : due_ - now; }
  bool Due(Duration now) const { return now >= due_; }

  // A step was taken at `now`. The next one is due one frame after this one was due, so
  // that a timer firing a little late keeps the average at one step per frame. A step
  // taken a whole frame or more late (the drawing, or the machine, was slower than the
  // display) sets the next one a frame from now: the play then follows the drawing, and
  // never hurries through a burst of steps afterwards.
  void Stepped(Duration now);

 private:
  Duration frame_;
  Duration due_{};
};

}  // namespace varomintel
