// Locale-independent number texts: always "." as the decimal separator, no grouping,
// whatever the process's C locale says (a desktop toolkit sets it from the user's).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varomintel {

// value in fixed notation with `decimals` decimals (correctly rounded), e.g. (-3.456, 2) -> "-3.46".
std::string FormatFixed(double value, int decimals);

// value with `digits` significant digits in the shortest of fixed or exponent notation
// (printf's %.*g), e.g. for 17 digits a text that reads back to the same double.
std::string FormatSignificant(double value, int digits);

// text right-aligned in a field of `width` characters with blanks in front (never cut).
std::string PadLeft(std::string text, std::size_t width, char fill = ' ');

// Strict readers: optional blanks around, at most one sign, then digits (and for the real
// reader an optional fraction and exponent); nothing else. Empty when not such a number or
// out of range.
std::optional<long long> ParseInteger(std::string_view text);
std::optional<double> ParseReal(std::string_view text);

// An integer entry clamped into low..high: what ParseInteger reads, and also an integer
// of any length beyond 64 bits (clamped by its sign). Empty when not an integer.
std::optional<long long> ParseClampedInteger(std::string_view text, long long low, long long high);

}  // namespace varomintel
