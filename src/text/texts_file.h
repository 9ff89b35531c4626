// The translators' tables of texts (texts.tsv, one per layer): reading and checking.
//
// A table is UTF-8 text, one line per text:
//
//   # a comment; blank lines are skipped too
//   key<TAB>de<TAB>en<TAB>fr<TAB>es                      the header, once, before any text
//   kPlace<TAB>"Ort: "<TAB>"Place: "<TAB>"Lieu : "<TAB>"Lugar: "
//
// The key is a C++ name (kPlace) or a row number (64). Each text is in double quotes, so
// that leading and trailing blanks are kept exactly; inside the quotes \" \\ \t and \n
// stand for a quote, a backslash, a tab and a line break, and no other backslash or
// control character may appear. An empty text ("") means that the language has none.
// The build turns each table into C++ (make_texts), so the programs need no file at run
// time; a table that breaks these rules stops the build with its file and line.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varomintel {

// The columns of a table, in the order of the language indices (text/text_table.h).
inline constexpr std::array<std::string_view, 4> kTextsFileLanguages = {"de", "en", "fr", "es"};

struct TextsFileRow {
  int line = 0;                                           // 1-based line in the file
  std::string key;                                        // "kPlace" or "64"
  std::array<std::string, kTextsFileLanguages.size()> texts;  // unescaped, blanks kept
};

struct TextsFileError {
  int line = 0;  // 1-based; 0 for the file as a whole (no header, unreadable)
  std::string message;
};

struct TextsFile {
  std::vector<TextsFileRow> rows;
  std::optional<TextsFileError> error;  // the first fault; rows are then incomplete
};

// Reads a whole table from its text. Keys must be unique and all of one kind: names
// ([A-Za-z_][A-Za-z0-9_]*) or row numbers (decimal digits).
TextsFile ParseTextsFile(std::string_view content);

// A text as a C++ string literal, quotes included: the inverse of the table's escapes
// (UTF-8 is kept as it is; a '?' after '?' is escaped so that no trigraph forms).
std::string CxxStringLiteral(std::string_view text);

}  // namespace varomintel
