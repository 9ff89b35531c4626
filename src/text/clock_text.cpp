#include "text/clock_text.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "text/number_text.h"

namespace varomintel {

std::string FormatHours(int precision, double hours) {
  static constexpr std::array<std::int64_t, 5> kMultiplier = {1, 10, 100, 1000, 10000};
  static constexpr std::array<int, 5> kSecondsWidth = {2, 4, 5, 6, 7};
  if (precision < 0) precision = 0;
  if (precision > 4) precision = 4;
  const std::int64_t mult = kMultiplier[static_cast<std::size_t>(precision)];

  const std::string sign = (hours >= 0.0) ? " " : "-";
  // Total in sub-second units; halves round up. Values beyond the 64-bit range (or NaN)
  // are held at the range's end rather than overflowing the conversion.
  double scaled = std::trunc(std::fabs(hours) * 3600.0 * static_cast<double>(mult) + 0.5);
  if (!(scaled < 9.0e18)) scaled = 9.0e18;
  const std::int64_t total = static_cast<std::int64_t>(scaled);

  const std::int64_t sub = total % (60 * mult);
  const double seconds = static_cast<double>(sub) / static_cast<double>(mult);
  const std::int64_t minutesTotal = (total - sub) / (60 * mult);
  const std::int64_t minutes = minutesTotal % 60;
  const std::int64_t hoursWhole = (minutesTotal - minutes) / 60;

  std::string hourText = std::to_string(hoursWhole);
  if (hoursWhole < 10) hourText = "0" + hourText;
  std::string head = "    " + sign + hourText + ":";
  if (head.size() > 5) head.erase(0, head.size() - 5);

  std::string text = head + PadLeft(std::to_string(minutes), 2) + ":" +
                     PadLeft(FormatFixed(seconds, precision), static_cast<std::size_t>(kSecondsWidth[static_cast<std::size_t>(precision)]));
  for (std::size_t i = 2; i < text.size(); ++i)
    if (text[i] == ' ') text[i] = '0';
  return text;
}

std::string FormatTimeOfDay(double hours) {
  if (!(hours >= 0 && hours <= 24)) {
    std::string text = FormatHours(0, hours);
    text.erase(0, text.find_first_not_of(' '));
    return text;
  }
  // As FormatHours: whole seconds, halves up.
  const auto total = static_cast<long>(std::trunc(hours * 3600.0 + 0.5));
  const long h = total / 3600, m = total / 60 % 60, s = total % 60;
  const char text[8] = {static_cast<char>('0' + h / 10), static_cast<char>('0' + h % 10), ':',
                        static_cast<char>('0' + m / 10), static_cast<char>('0' + m % 10), ':',
                        static_cast<char>('0' + s / 10), static_cast<char>('0' + s % 10)};
  return std::string(text, sizeof text);
}

}  // namespace varomintel
