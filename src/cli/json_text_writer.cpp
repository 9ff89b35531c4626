#include "cli/json_text_writer.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace varomintel::cli {

namespace {

// Length of the well-formed UTF-8 sequence starting at s[i] (Unicode, Table 3-7: no
// overlong forms, no surrogates, nothing above U+10FFFF), 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = at(i);
  std::size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) n = 2;
  else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (s.size() - i < n) return 0;
  if (at(i + 1) < lo || at(i + 1) > hi) return 0;
  for (std::size_t k = 2; k < n; ++k)
    if (at(i + k) < 0x80 || at(i + k) > 0xBF) return 0;
  return n;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  const std::size_t start = out.size();
  out += '"';
  std::size_t run = 0;  // start of the bytes not yet written, which need no escape
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t n = Utf8SequenceLength(text, i);
      if (n == 0) {
        // Invalid bytes are rare (a damaged city file): the library itself decides how
        // many of them each U+FFFD stands for.
        out.resize(start);
        out += nlohmann::ordered_json(std::string(text)).dump(-1, ' ', false,
                                                               nlohmann::ordered_json::error_handler_t::replace);
        return;
      }
      i += n;
      continue;
    }
    if (c >= 0x20 && c != '"' && c != '\\') {
      ++i;
      continue;
    }
    out.append(text, run, i - run);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\f': out += "\\f"; break;
      case '\r': out += "\\r"; break;
      default: {
        const char u[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
        out.append(u, sizeof u);
      }
    }
    run = ++i;
  }
  out.append(text, run, text.size() - run);
  out += '"';
}

void AppendJsonNumber(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  // The library's own conversion, so that every digit is the same as in its dump.
  char buffer[64];
  const char* end = nlohmann::detail::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, static_cast<std::size_t>(end - buffer));
}

void JsonTextWriter::BeforeValue() {
  if (depth_ == 0) return;
  Level& level = levels_[depth_ - 1];
  if (!level.array) return;
  if (!level.empty) out_ += ',';
  out_ += '\n';
  out_.append(static_cast<std::size_t>(indent_), ' ');
  level.empty = false;
}

void JsonTextWriter::Open(bool array, char bracket) {
  BeforeValue();
  if (depth_ == levels_.size()) throw std::logic_error("JSON nested too deeply");
  out_ += bracket;
  levels_[depth_++] = Level{array, true};
  indent_ += 2;
}

void JsonTextWriter::Close(char bracket) {
  indent_ -= 2;
  if (!levels_[--depth_].empty) {
    out_ += '\n';
    out_.append(static_cast<std::size_t>(indent_), ' ');
  }
  out_ += bracket;
}

void JsonTextWriter::BeginObject() { Open(false, '{'); }
void JsonTextWriter::EndObject() { Close('}'); }
void JsonTextWriter::BeginArray() { Open(true, '['); }
void JsonTextWriter::EndArray() { Close(']'); }

void JsonTextWriter::Key(std::string_view key) {
  Level& level = levels_[depth_ - 1];
  if (!level.empty) out_ += ',';
  out_ += '\n';
  out_.append(static_cast<std::size_t>(indent_), ' ');
  level.empty = false;
  AppendJsonString(out_, key);
  out_ += ": ";
}

void JsonTextWriter::String(std::string_view text) {
  BeforeValue();
  AppendJsonString(out_, text);
}

void JsonTextWriter::Integer(std::int64_t value) {
  BeforeValue();
  char buffer[24];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  out_.append(buffer, static_cast<std::size_t>(r.ptr - buffer));
}

void JsonTextWriter::Unsigned(std::uint64_t value) {
  BeforeValue();
  char buffer[24];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  out_.append(buffer, static_cast<std::size_t>(r.ptr - buffer));
}

void JsonTextWriter::Number(double value) {
  BeforeValue();
  AppendJsonNumber(out_, value);
}

void JsonTextWriter::Boolean(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
}

void JsonTextWriter::Null() {
  BeforeValue();
  out_ += "null";
}

}  // namespace varomintel::cli
