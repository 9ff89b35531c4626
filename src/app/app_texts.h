// The texts of the application layer in every language, from src/app/texts.tsv (turned
// into C++ by the build): `Text(AppText::kReport, languageIndex)`.
#pragma once

#include <array>
#include <cstdint>

#include "text/text_table.h"

namespace varomintel {

#include "app/texts.inc"  // enum class AppText, kAppTexts

// The text of `key`; a language outside 0..3 reads German.
inline const char* Text(AppText key, std::uint8_t languageIndex) { return TextOf(kAppTexts, key, languageIndex); }

}  // namespace varomintel
