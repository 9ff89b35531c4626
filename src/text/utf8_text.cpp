#include "text/utf8_text.h"

namespace varomintel {

bool ContainsControlCharacter(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

namespace {

bool Continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at the start of `s` (RFC 3629: shortest
// form, no surrogates, nothing above U+10FFFF), or 0; `code` receives its code point.
std::size_t SequenceAt(std::string_view s, char32_t* code) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = b(0);
  std::size_t n = 0;
  char32_t c = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    *code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2, c = lead & 0x1Fu, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3, c = lead & 0x0Fu, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4, c = lead & 0x07u, least = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < n) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    if (!Continues(s[i])) return 0;
    c = (c << 6) | (b(i) & 0x3Fu);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  *code = c;
  return n;
}

void AppendHex(std::string& out, const char* prefix, unsigned value, int digits) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += prefix;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xFu];
}

}  // namespace

std::string EscapeControlCharacters(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t code = 0;
    const std::size_t n = SequenceAt(text.substr(i), &code);
    if (n == 0) {
      AppendHex(out, "\\x", static_cast<unsigned char>(text[i]), 2);
      ++i;
      continue;
    }
    if (code == '\n') {
      out += "\\n";
    } else if (code == '\r') {
      out += "\\r";
    } else if (code == '\t') {
      out += "\\t";
    } else if (code < 0x20 || code == 0x7F) {
      AppendHex(out, "\\x", static_cast<unsigned>(code), 2);
    } else if (code >= 0x80 && code <= 0x9F) {
      AppendHex(out, "\\u", static_cast<unsigned>(code), 4);
    } else {
      out.append(text.substr(i, n));
    }
    i += n;
  }
  return out;
}

std::size_t CodePointCount(std::string_view text) {
  std::size_t n = 0;
  for (const char c : text) n += Continues(c) ? 0 : 1;
  return n;
}

std::string RightAligned(std::string_view text, std::size_t width) {
  std::string out;
  AppendRightAligned(out, text, width);
  return out;
}

std::string LeftAligned(std::string_view text, std::size_t width) {
  std::string out;
  AppendLeftAligned(out, text, width);
  return out;
}

void AppendRightAligned(std::string& out, std::string_view text, std::size_t width) {
  const std::size_t count = CodePointCount(text);
  if (count <= width) {
    out.append(width - count, ' ');
    out.append(text);
    return;
  }
  // Drop the first (count - width) code points.
  std::size_t drop = count - width;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!Continues(text[i])) {
      if (drop == 0) break;
      --drop;
    }
    ++i;
  }
  out.append(text.substr(i));
}

void AppendLeftAligned(std::string& out, std::string_view text, std::size_t width) {
  std::size_t taken = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!Continues(text[i])) {
      if (taken == width) break;
      ++taken;
    }
    ++i;
  }
  out.append(text.substr(0, i));
  out.append(width - taken, ' ');
}

}  // namespace varomintel
