#include "app/point_of_interest.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "text/number_text.h"
#include "text/text_table.h"

namespace varomintel {

namespace {

std::string_view TrimBlanks(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<double> ParseUnsignedDegrees(std::string_view text, double limit) {
  int digits = 0, points = 0;
  for (const char c : text) {
    if (c >= '0' && c <= '9') ++digits;
    else if (c == '.') ++points;
    else return std::nullopt;
  }
  if (digits == 0 || points > 1) return std::nullopt;
  double value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  if (value > limit) return std::nullopt;
  return value;
}

PoiEntry ReadPoiEntry(std::string_view text, double limit, bool negative) {
  PoiEntry entry;
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty()) return entry;  // empty: 0
  const std::optional<double> value = ParseUnsignedDegrees(trimmed, limit);
  if (!value) {
    entry.refused = true;
    return entry;
  }
  entry.text = std::string(trimmed);
  entry.value = negative && *value != 0 ? -*value : *value;
  return entry;
}

std::optional<double> ReadTypedPoiEntry(std::string_view text, double limit, bool negative) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty() || trimmed.back() == '.') return std::nullopt;  // "4." goes on to "4.5"
  const std::optional<double> value = ParseUnsignedDegrees(trimmed, limit);
  if (!value) return std::nullopt;
  return negative && *value != 0 ? -*value : *value;
}

std::optional<double> ParseHemisphereCoordinate(std::string_view text, char positive, char negative, double limit) {
  if (text.size() < 2) return std::nullopt;
  const char side = text.back();
  if (side != positive && side != negative) return std::nullopt;
  const std::optional<double> value = ParseUnsignedDegrees(text.substr(0, text.size() - 1), limit);
  if (!value) return std::nullopt;
  return side == negative && *value != 0 ? -*value : *value;
}

PoiTexts PoiTextsFor(const GeoPoint& place) {
  PoiTexts t;
  // Rounded first, so that the hemisphere never disagrees with a text of "0.0".
  const double lat = std::nearbyint(place.latitude * 10) / 10;
  const double lon = std::nearbyint(place.longitude * 10) / 10;
  t.latitude = FormatFixed(std::fabs(lat), 1);
  t.longitude = FormatFixed(std::fabs(lon), 1);
  t.south = lat < 0;
  t.west = lon < 0;
  return t;
}

char EastLetter(std::uint8_t language) { return language == 0 ? 'O' : 'E'; }
char WestLetter(std::uint8_t language) { return language == kFrench || language == kSpanish ? 'O' : 'W'; }

std::string CoordinateText(const GeoPoint& place, std::uint8_t language) {
  const PoiTexts t = PoiTextsFor(place);
  return t.latitude + "\u00B0" + (t.south ? 'S' : 'N') + "  " + t.longitude + "\u00B0" +
         (t.west ? WestLetter(language) : EastLetter(language));
}

}  // namespace varomintel
