// The trilingual text table: 100 rows of German, English and French texts, read as
// slot 3 * row + language. Texts are exact, leading and trailing blanks included.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varomintel {

inline constexpr int kTextRows = 100;
inline constexpr int kTextSlots = 3 * kTextRows;

// LanguageIndex values.
inline constexpr std::uint8_t kGerman = 0;
inline constexpr std::uint8_t kEnglish = 1;
inline constexpr std::uint8_t kFrench = 2;
inline constexpr std::uint8_t kSpanish = 3;

// Rows named by what they hold (the row numbers are fixed: other modules count on them).
namespace text_row {
inline constexpr int kTypeLong = 0;       // rows 0..5: long names of eclipse types 1..6
inline constexpr int kTypeShort = 6;      // rows 6..11: short names of eclipse types 1..6
inline constexpr int kSarosCaption = 12;  // "Eclipse in Saros ("
inline constexpr int kSarosOf = 13;       // ". of "
inline constexpr int kSeconds = 14;       // " secs"
inline constexpr int kEcliptic = 15;      // diagram: label of the ecliptic
inline constexpr int kMoonsPath = 16;     // diagram: label of the Moon's path
inline constexpr int kHintFastReverse = 19;  // rows 19..23: hints of the five play buttons
inline constexpr int kHintReverse = 20;
inline constexpr int kHintStop = 21;
inline constexpr int kHintPlay = 22;
inline constexpr int kHintFastPlay = 23;
inline constexpr int kHintTimeSlider = 24;
inline constexpr int kSubtitle = 25;      // window subtitle after name and version
inline constexpr int kHours = 26;         // elements table: unit of T-T0
inline constexpr int kEarthRadii = 27;    // elements table: unit of Gamma
inline constexpr int kConstellation = 46; // elements table: caption of the Moon's constellation
inline constexpr int kEast = 50;          // diagram: compass, left
inline constexpr int kWest = 51;          // diagram: compass, right
inline constexpr int kPenumbraCaption = 59;  // rows 59, 60: diagram, the penumbra's two lines
inline constexpr int kUmbraCaption = 61;     // rows 61, 62: the umbra's two lines
inline constexpr int kLabelP1 = 64;       // rows 64..70: contact labels P1, U1, U2, Max, U3, U4, P4
inline constexpr int kLabelU1 = 65;
inline constexpr int kLabelU2 = 66;
inline constexpr int kLabelMax = 67;
inline constexpr int kLabelU3 = 68;
inline constexpr int kLabelU4 = 69;
inline constexpr int kLabelP4 = 70;
inline constexpr int kCivilTime = 73;
inline constexpr int kTerrestrialTime = 74;
}  // namespace text_row

using TextTableSlots = std::array<std::string, kTextSlots>;

// The table, built once on first use and never changed.
const TextTableSlots& TextTable();

// Text of `row` in language `languageIndex` (0, 1 or 2): TextTable()[3 * row + languageIndex].
// Rows outside 0..99 and languages outside 0..2 give the empty text.
const std::string& Text(int row, std::uint8_t languageIndex);

// A stored language byte made safe to index with: 0..2 as they are, anything else German.
std::uint8_t ValidLanguageIndex(std::uint8_t stored);

// "de", "en", "fr" to a language index; empty for anything else.
std::optional<std::uint8_t> LanguageFromCode(std::string_view code);

}  // namespace varomintel
