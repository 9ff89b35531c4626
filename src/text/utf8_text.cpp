#include "text/utf8_text.h"

namespace varomintel {

bool ContainsControlCharacter(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

namespace {
bool Continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

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
