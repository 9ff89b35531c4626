// Delay: lets the program's queued events run until a time has passed.
#pragma once

namespace varomintel {

// Runs the event loop until more than `milliseconds` have passed since the call, measured
// on the monotonic clock (no wrap-around), sleeping while no event is due. Returns early
// when the application is quitting. Returns the milliseconds that passed.
long long Delay(int milliseconds);

}  // namespace varomintel
