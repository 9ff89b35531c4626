#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace varomintel {

std::string FormatFixed(double value, int decimals) {
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return "?";
  return std::string(buf, r.ptr);
}

std::string FormatSignificant(double value, int digits) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
  if (r.ec != std::errc()) return "?";
  return std::string(buf, r.ptr);
}

std::string PadLeft(std::string text, std::size_t width, char fill) {
  if (text.size() < width) text.insert(0, width - text.size(), fill);
  return text;
}

namespace {
std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
    s.remove_suffix(1);
  return s;
}

// Removes a leading "+"; false when a second sign follows ("+-5", "++5").
bool DropPlus(std::string_view& text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) return false;
  }
  return true;
}

}  // namespace

std::optional<long long> ParseInteger(std::string_view text) {
  text = Trim(text);
  if (!DropPlus(text) || text.empty()) return std::nullopt;
  long long v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  return v;
}

std::optional<double> ParseReal(std::string_view text) {
  text = Trim(text);
  if (!DropPlus(text) || text.empty()) return std::nullopt;
  // from_chars would accept "inf" and "nan": a number here is digits.
  const char c0 = text.front() == '-' && text.size() > 1 ? text[1] : text.front();
  if (!((c0 >= '0' && c0 <= '9') || c0 == '.')) return std::nullopt;
  double v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<long long> ParseClampedInteger(std::string_view text, long long low, long long high) {
  const std::string_view t = Trim(text);
  if (const auto v = ParseInteger(t)) return std::clamp(*v, low, high);
  // Beyond 64 bits: a sign and digits only, clamped by its sign.
  std::string_view digits = t;
  const bool negative = !digits.empty() && digits.front() == '-';
  if (!DropPlus(digits)) return std::nullopt;
  if (negative) digits.remove_prefix(1);
  if (digits.empty()) return std::nullopt;
  for (const char c : digits)
    if (c < '0' || c > '9') return std::nullopt;
  return negative ? low : high;
}

}  // namespace varomintel
