// Sexagesimal clock texts for reports and list lines: fixed layout so that columns of
// times line up in fixed-pitch text.
#pragma once

#include <string>

namespace varomintel {

// Given: precision 0..4 (decimals of the seconds; other values are clamped into 0..4),
//        hours (any sign).
// Returned: a 5-character head (two leading characters: blanks, a blank and the sign, or a
// third hour digit; two hour digits; ":"), minutes "mm:" and seconds "ss[.f...]".
// Examples: (0, 1.5) -> "  01:30:00"; (1, -0.25) -> " -00:15:00.0"; (0, 123) -> " 123:00:00".
std::string FormatHours(int precision, double hours);

// FormatHours(0, hours) without its leading blanks: "hh:mm:ss" for a time of day (0 to 24
// hours, 24:00:00 at most), built directly; other hours go through FormatHours. The lists
// write it for every contact they show.
std::string FormatTimeOfDay(double hours);

}  // namespace varomintel
