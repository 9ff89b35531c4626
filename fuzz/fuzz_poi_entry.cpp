// libFuzzer target: any bytes as the text of a point-of-interest entry (typed, or read
// from the parameter file) and as a command-line coordinate. A refused text gives an
// empty entry and 0; an accepted one a value within its limit and a text without blanks
// around it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/point_of_interest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varomintel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const double limit : {kLatitudeLimit, kLongitudeLimit}) {
    for (const bool negative : {false, true}) {
      const PoiEntry e = ReadPoiEntry(text, limit, negative);
      if (e.refused && (!e.text.empty() || e.value != 0)) __builtin_trap();
      if (!std::isfinite(e.value) || std::fabs(e.value) > limit) __builtin_trap();
      if (!e.text.empty() && (e.text.front() == ' ' || e.text.back() == ' ')) __builtin_trap();
      if (negative ? e.value > 0 : e.value < 0) __builtin_trap();
    }
  }
  if (const auto v = ParseHemisphereCoordinate(text, 'N', 'S', kLatitudeLimit); v && std::fabs(*v) > kLatitudeLimit)
    __builtin_trap();
  return 0;
}
