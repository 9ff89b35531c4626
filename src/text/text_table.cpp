#include "text/text_table.h"

#include <utility>

namespace varomintel {

namespace {

#include "text/texts.inc"

constexpr bool RowsInRange() {
  for (const NumberedTexts& r : kTextTableRows)
    if (r.row >= kTextRows) return false;
  return true;
}
static_assert(RowsInRange(), "src/text/texts.tsv names a row past 99");

TextTableSlots BuildTable() {
  TextTableSlots slots;
  for (const NumberedTexts& r : kTextTableRows) {
    for (std::size_t lang = 0; lang < kLanguageCount; ++lang)
      slots[kLanguageCount * static_cast<std::size_t>(r.row) + lang] = r.texts[lang];
  }
  return slots;
}

const std::string kEmpty;

}  // namespace

const TextTableSlots& TextTable() {
  static const TextTableSlots table = BuildTable();
  return table;
}

const std::string& Text(int row, std::uint8_t languageIndex) {
  if (row < 0 || row >= kTextRows || languageIndex >= kLanguageCount) return kEmpty;
  return TextTable()[kLanguageCount * static_cast<std::size_t>(row) + languageIndex];
}

std::uint8_t ValidLanguageIndex(std::uint8_t stored) { return stored < kLanguageCount ? stored : kGerman; }

std::optional<std::uint8_t> LanguageFromCode(std::string_view code) {
  if (code == "de") return kGerman;
  if (code == "en") return kEnglish;
  if (code == "fr") return kFrench;
  if (code == "es") return kSpanish;
  return std::nullopt;
}

}  // namespace varomintel
