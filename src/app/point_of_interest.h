// The point of interest: one place the user marks on the world map, entered as unsigned
// degrees with a hemisphere choice. The rules of its two entries, the texts a click on
// the map writes into them, and the coordinate texts of the map, without widgets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/world_map_model.h"

namespace varomintel {

inline constexpr double kLatitudeLimit = 90;    // degrees
inline constexpr double kLongitudeLimit = 180;  // degrees

// Unsigned degrees as the entries take them: digits with at most one "." (at least one
// digit), nothing else: no sign, no exponent, no blanks, no comma. Empty when the text is
// not such a number or the value exceeds `limit`.
std::optional<double> ParseUnsignedDegrees(std::string_view text, double limit);

// What the entry handler makes of an entry's text.
struct PoiEntry {
  std::string text;    // what the entry shows afterwards: trimmed, or empty when refused
  double value = 0;    // degrees, negative for the south (west) hemisphere; 0 when refused
  bool refused = false;
};

// The entry rule: blanks around the text are removed; an empty text is 0; a text that is
// not unsigned degrees within 0..limit is refused (the entry is emptied, value 0);
// otherwise the value, negated when `negative` (the south or west button is checked).
PoiEntry ReadPoiEntry(std::string_view text, double limit, bool negative);

// The value of an entry's text while it is being typed: a complete number of unsigned
// degrees within 0..limit (blanks round it allowed), negated when `negative`. Empty for a
// text that is no number yet ("", "-", ".", "4.") or none at all: such a text is left as
// it is until Enter or leaving the entry applies the entry rule (ReadPoiEntry).
std::optional<double> ReadTypedPoiEntry(std::string_view text, double limit, bool negative);

// "47.5N", "33.87S" (limit 90) or "7.5E", "70.64W" (limit 180): unsigned degrees followed
// by the positive or the negative hemisphere letter. Returned: degrees, north or east
// positive; empty when malformed or beyond the limit.
std::optional<double> ParseHemisphereCoordinate(std::string_view text, char positive, char negative, double limit);

// The entries' texts for a place picked on the map: unsigned degrees with one decimal and
// the hemisphere of each (a value that rounds to 0.0 counts as north or east).
struct PoiTexts {
  std::string latitude, longitude;
  bool south = false, west = false;
};
PoiTexts PoiTextsFor(const GeoPoint& place);

// The hemisphere letters of a language (0 German, 1 English, 2 French, 3 Spanish): N and S
// for the latitude; east "O" (Ost) in German and "E" otherwise; west "W", in French and
// Spanish "O" (ouest, oeste).
char EastLetter(std::uint8_t language);
char WestLetter(std::uint8_t language);

// "47.5°N  7.5°O": latitude and longitude with one decimal and the language's letters.
std::string CoordinateText(const GeoPoint& place, std::uint8_t language);

}  // namespace varomintel
