#include "text/texts_file.h"

#include <algorithm>
#include <initializer_list>
#include <set>

#include "text/utf8_text.h"

namespace varomintel {

namespace {

// The pieces one after the other. (Appending, not "text" + std::string: GCC 12 at -O3
// takes that insertion for an overlapping copy, -Wrestrict in libstdc++.)
std::string Joined(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (std::string_view piece : pieces) text += piece;
  return text;
}

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsName(std::string_view key) {
  return !key.empty() && IsNameStart(key[0]) &&
         std::all_of(key.begin(), key.end(), [](char c) { return IsNameStart(c) || IsDigit(c); });
}

bool IsRowNumber(std::string_view key) {
  return !key.empty() && key.size() <= 6 && (key.size() == 1 || key[0] != '0') &&
         std::all_of(key.begin(), key.end(), IsDigit);
}

// One quoted text at the start of `rest`; on success `rest` is left after the closing quote.
std::optional<std::string> QuotedText(std::string_view& rest, std::string& fault) {
  if (rest.empty() || rest[0] != '"') {
    fault = "a text must start with a double quote";
    return std::nullopt;
  }
  std::string text;
  for (std::size_t i = 1; i < rest.size(); ++i) {
    const char c = rest[i];
    if (c == '"') {
      rest.remove_prefix(i + 1);
      return text;
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      fault = "a control character inside a text (write \\t or \\n)";
      return std::nullopt;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++i == rest.size()) break;
    switch (rest[i]) {
      case '"': text += '"'; break;
      case '\\': text += '\\'; break;
      case 't': text += '\t'; break;
      case 'n': text += '\n'; break;
      default:
        fault = Joined({"unknown escape \\", rest.substr(i, 1), " (only \\\" \\\\ \\t \\n)"});
        return std::nullopt;
    }
  }
  fault = "a text without its closing double quote";
  return std::nullopt;
}

std::optional<std::string> ParseRow(std::string_view line, TextsFileRow& row) {
  const std::size_t tab = line.find('\t');
  row.key = std::string(line.substr(0, tab));
  if (!IsName(row.key) && !IsRowNumber(row.key))
    return Joined({"the key \"", EscapeControlCharacters(row.key), "\" is neither a C++ name nor a row number"});
  if (tab == std::string_view::npos) return "the key has no texts after it";
  std::string_view rest = line.substr(tab + 1);
  for (std::size_t l = 0; l < row.texts.size(); ++l) {
    std::string fault;
    auto text = QuotedText(rest, fault);
    if (!text) return Joined({kTextsFileLanguages[l], " text: ", fault});
    row.texts[l] = std::move(*text);
    const bool last = l + 1 == row.texts.size();
    if (!last) {
      if (rest.empty())
        return Joined({"only ", std::to_string(l + 1), " of ", std::to_string(row.texts.size()), " texts"});
      if (rest[0] != '\t') return Joined({kTextsFileLanguages[l], " text: a single tab must follow it"});
      rest.remove_prefix(1);
    }
  }
  if (!rest.empty())
    return Joined({"more than ", std::to_string(row.texts.size()), " texts, or something after the last"});
  return std::nullopt;
}

}  // namespace

TextsFile ParseTextsFile(std::string_view content) {
  TextsFile file;
  if (!IsValidUtf8(content)) {
    // Name the first line that is not UTF-8.
    int lineNo = 1;
    std::size_t start = 0;
    while (start <= content.size()) {
      const std::size_t end = std::min(content.find('\n', start), content.size());
      if (!IsValidUtf8(content.substr(start, end - start))) break;
      start = end + 1;
      ++lineNo;
    }
    file.error = TextsFileError{lineNo, "not well-formed UTF-8"};
    return file;
  }
  std::string header = "key";
  for (std::string_view code : kTextsFileLanguages) {
    header += '\t';
    header += code;
  }
  bool headerSeen = false;
  bool byName = false;
  std::set<std::string> keys;
  int lineNo = 0;
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t end = std::min(content.find('\n', start), content.size());
    const std::string_view line = content.substr(start, end - start);
    start = end + 1;
    ++lineNo;
    if (line.empty() || line[0] == '#') continue;
    const auto fail = [&](std::string message) {
      file.error = TextsFileError{lineNo, std::move(message)};
      return file;
    };
    if (line.find('\r') != std::string_view::npos) return fail("a carriage return: save the table with Unix line ends");
    if (!headerSeen) {
      if (line != header) return fail("the first line must be the header \"key<TAB>de<TAB>en<TAB>fr<TAB>es\"");
      headerSeen = true;
      continue;
    }
    TextsFileRow row;
    row.line = lineNo;
    if (auto fault = ParseRow(line, row)) return fail(std::move(*fault));
    const bool name = IsName(row.key);
    if (file.rows.empty()) byName = name;
    if (name != byName) return fail("keys of one table are either all names or all row numbers");
    if (!keys.insert(row.key).second) return fail(Joined({"the key ", row.key, " is already used"}));
    file.rows.push_back(std::move(row));
  }
  if (!headerSeen) file.error = TextsFileError{0, "no header line \"key<TAB>de<TAB>en<TAB>fr<TAB>es\""};
  return file;
}

std::string CxxStringLiteral(std::string_view text) {
  std::string out = "\"";
  char previous = 0;
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '?': out += previous == '?' ? "\\?" : "?"; break;
      default: out += c;
    }
    previous = c;
  }
  return out + "\"";
}

}  // namespace varomintel
