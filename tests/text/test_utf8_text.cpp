#include "text/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace varomintel {
namespace {

// Well-formed UTF-8 is kept; each maximal broken part becomes one U+FFFD.
TEST(Utf8Text, ValidityAndReplacementOfBrokenParts) {
  const std::string r = "\uFFFD";
  const struct {
    const char* what;
    std::string bytes;
    bool valid;
    std::string replaced;  // ValidUtf8; empty: the bytes themselves
  } rows[] = {
      {"empty", "", true, ""},
      {"two-octet characters", "Z\xC3\xBCrich", true, ""},
      {"byte-order mark", "\xEF\xBB\xBF", true, ""},
      {"four octets (U+1F315)", "\xF0\x9F\x8C\x95", true, ""},
      {"highest code point U+10FFFF", "\xF4\x8F\xBF\xBF", true, ""},
      {"last before the surrogates U+D7FF", "\xED\x9F\xBF", true, ""},
      {"stray continuation", "a\x80" "b", false, "a" + r + "b"},
      {"a run of continuations", std::string(80, '\x80'), false, [&] {
         std::string s;
         for (int i = 0; i < 80; ++i) s += r;
         return s;
       }()},
      {"overlong two-octet '/'", "\xC0\xAF", false, r + r},
      {"overlong three-octet", "\xE0\x80\xAF", false, r + r + r},
      {"overlong four-octet", "\xF0\x8F\xBF\xBF", false, r + r + r + r},
      {"surrogate U+D800", "\xED\xA0\x80", false, r + r + r},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false, r + r + r + r},
      {"cut three-octet at the end", "x\xE2\x82", false, "x" + r},
      {"cut three-octet before ASCII", "\xE2\x82x", false, r + "x"},
      {"cut four-octet before a good one", "\xF0\x9F\x8C\xC3\xA9", false, r + "\xC3\xA9"},
      {"bytes never in UTF-8", "\xFE\xFF\xF5", false, r + r + r},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(IsValidUtf8(row.bytes), row.valid) << row.what;
    const std::string want = row.valid ? row.bytes : row.replaced;
    const std::string got = ValidUtf8(row.bytes);
    EXPECT_EQ(got, want) << row.what;
    EXPECT_TRUE(IsValidUtf8(got)) << row.what;
  }
}

}  // namespace
}  // namespace varomintel
