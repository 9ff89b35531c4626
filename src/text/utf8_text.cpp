#include "text/utf8_text.h"

namespace varomintel {

bool ContainsControlCharacter(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

namespace {

bool Continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The bytes from text[i] on that form one well-formed sequence (valid true), or the
// maximal subpart of one that breaks off (valid false, at least one byte). The lead byte
// fixes the length and the range of the second byte (the Unicode Standard, table 3-7).
std::size_t NextSequence(std::string_view text, std::size_t i, bool& valid) {
  const auto b = static_cast<unsigned char>(text[i]);
  valid = false;
  if (b < 0x80) {
    valid = true;
    return 1;
  }
  int follow = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    follow = 1;
  } else if (b == 0xE0) {
    follow = 2;
    low = 0xA0;  // no overlong form
  } else if (b == 0xED) {
    follow = 2;
    high = 0x9F;  // no surrogate
  } else if (b >= 0xE1 && b <= 0xEF) {
    follow = 2;
  } else if (b == 0xF0) {
    follow = 3;
    low = 0x90;  // no overlong form
  } else if (b >= 0xF1 && b <= 0xF3) {
    follow = 3;
  } else if (b == 0xF4) {
    follow = 3;
    high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 1;  // a continuation byte without lead, C0, C1 or F5 to FF
  }
  std::size_t n = 1;
  for (int k = 0; k < follow; ++k, ++n) {
    if (i + n >= text.size()) return n;
    const auto c = static_cast<unsigned char>(text[i + n]);
    if (c < low || c > high) return n;
    low = 0x80;
    high = 0xBF;
  }
  valid = true;
  return n;
}

// The code point of the well-formed sequence text[i, i + n).
char32_t CodePointAt(std::string_view text, std::size_t i, std::size_t n) {
  static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t c = static_cast<unsigned char>(text[i]) & kLeadMask[n];
  for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
  return c;
}

void AppendHex(std::string& out, const char* prefix, unsigned value, int digits) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += prefix;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xFu];
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  bool valid = true;
  for (std::size_t i = 0; i < text.size() && valid;) i += NextSequence(text, i, valid);
  return valid;
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool valid = true;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = NextSequence(text, i, valid);
    if (valid) out.append(text.substr(i, n));
    else out.append("\xEF\xBF\xBD");  // U+FFFD REPLACEMENT CHARACTER
    i += n;
  }
  return out;
}

std::string EscapeControlCharacters(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool valid = true;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = NextSequence(text, i, valid);
    if (!valid) {
      for (std::size_t k = 0; k < n; ++k) AppendHex(out, "\\x", static_cast<unsigned char>(text[i + k]), 2);
      i += n;
      continue;
    }
    const char32_t code = CodePointAt(text, i, n);
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
