// The texts of the places layer in every language, from src/places/texts.tsv (turned into
// C++ by the build): `Text(PlacesText::kPlace, languageIndex)`.
#pragma once

#include <array>
#include <cstdint>

#include "text/text_table.h"

namespace varomintel {

#include "places/texts.inc"  // enum class PlacesText, kPlacesTexts

// The text of `key`; a language outside 0..3 reads German.
inline const char* Text(PlacesText key, std::uint8_t languageIndex) { return TextOf(kPlacesTexts, key, languageIndex); }

// The key `offset` lines after `first` in the table: for groups kept together there
// (kCompassN ... kCompassNNW, kPopulation0 ... kPopulation9).
constexpr PlacesText Nth(PlacesText first, int offset) {
  return static_cast<PlacesText>(static_cast<int>(first) + offset);
}

}  // namespace varomintel
