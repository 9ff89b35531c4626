// The list items' JSON writer against nlohmann::json's dump, whose output it must repeat
// byte for byte: numbers, strings (escapes, UTF-8, invalid bytes) and the layout.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "cli/json_text_writer.h"

namespace varomintel::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string LibraryDump(const Json& j, int indent = -1) {
  return j.dump(indent, ' ', false, Json::error_handler_t::replace);
}

std::string Number(double x) {
  std::string s;
  AppendJsonNumber(s, x);
  return s;
}

std::string Quoted(const std::string& text) {
  std::string s;
  AppendJsonString(s, text);
  return s;
}

TEST(JsonTextWriter, NumbersAsTheLibraryWritesThem) {
  std::vector<double> values = {0.0, -0.0, 1.0, -1.0, 0.1, 1e-05, 1e-4, 1.5e-4, 1e15, 1e16, 1e20, 1e21, 1e22,
                                123456789012345.0, 1234567890123456.0, 0.30000000000000004, 47.56, 7.59, -180.0,
                                2451545.0, 2460000.123456789, 5e-324, 2.2250738585072014e-308,
                                2.2250738585072009e-308, std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::lowest(), std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
  std::mt19937_64 rng(20261207);
  for (int i = 0; i < 200000; ++i) values.push_back(std::bit_cast<double>(rng()));  // every exponent, subnormals
  for (int i = 0; i < 20000; ++i) values.push_back(std::bit_cast<double>(rng() & 0x000FFFFFFFFFFFFFull));
  std::uniform_real_distribution<double> degrees(-400.0, 400.0), days(-1e6, 5e6);
  for (int i = 0; i < 50000; ++i) {
    values.push_back(degrees(rng));
    values.push_back(days(rng));
    values.push_back(std::ldexp(degrees(rng), static_cast<int>(rng() % 200) - 100));
  }
  int differing = 0;
  for (const double x : values) {
    const std::string expected = LibraryDump(Json(x));
    if (Number(x) != expected && ++differing <= 5) ADD_FAILURE() << std::hexfloat << x << ": " << Number(x) << " != " << expected;
  }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(Number(1.0), "1.0");
  EXPECT_EQ(Number(-0.0), "-0.0");
  EXPECT_EQ(Number(1e-05), "1e-05");
  EXPECT_EQ(Number(1e21), "1e+21");
  EXPECT_EQ(Number(std::numeric_limits<double>::quiet_NaN()), "null");
}

TEST(JsonTextWriter, IntegersAtTheirLimits) {
  for (const std::int64_t v : {std::numeric_limits<std::int64_t>::min(), std::int64_t{-1}, std::int64_t{0},
                               std::int64_t{7}, std::int64_t{-4000}, std::numeric_limits<std::int64_t>::max()}) {
    std::string s;
    JsonTextWriter(s, 0).Integer(v);
    EXPECT_EQ(s, LibraryDump(Json(v)));
  }
  for (const std::uint64_t v : {std::uint64_t{0}, std::uint64_t{255}, std::numeric_limits<std::uint64_t>::max()}) {
    std::string s;
    JsonTextWriter(s, 0).Unsigned(v);
    EXPECT_EQ(s, LibraryDump(Json(v)));
  }
}

struct StringCase {
  const char* name;
  std::string text;
};

class JsonStringTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(JsonStringTest, EscapedAsTheLibraryEscapes) {
  EXPECT_EQ(Quoted(GetParam().text), LibraryDump(Json(GetParam().text)));
}

INSTANTIATE_TEST_SUITE_P(
    Strings, JsonStringTest,
    ::testing::Values(StringCase{"Empty", ""}, StringCase{"Ascii", "Basel"},
                      StringCase{"QuoteAndBackslash", "a\"b\\c/d"},
                      StringCase{"Controls", std::string("\x00\x01\b\t\n\x0b\f\r\x1f\x7f", 10)},
                      StringCase{"TwoBytes", "Z\xc3\xbcrich S\xc3\xa3o Paulo"},
                      StringCase{"ThreeBytes", "\xe2\x82\xac \xe6\x9d\xb1\xe4\xba\xac \xef\xbf\xbd"},
                      StringCase{"FourBytes", "\xf0\x9f\x8c\x92 \xf4\x8f\xbf\xbf"},
                      StringCase{"Latin1Byte", "M\xfcnchen"}, StringCase{"LoneContinuation", "a\x80z"},
                      StringCase{"Overlong", "\xc0\xaf \xe0\x80\xaf"}, StringCase{"Surrogate", "\xed\xa0\x80x"},
                      StringCase{"AboveUnicode", "\xf4\x90\x80\x80"}, StringCase{"Truncated", "ab\xe2\x82"},
                      StringCase{"TruncatedThenAscii", "\xf0\x9f\x8c\"x"}, StringCase{"InvalidLead", "\xff\xfe"}),
    [](const ::testing::TestParamInfo<StringCase>& row) { return std::string(row.param.name); });

TEST(JsonTextWriter, RandomBytesEscapedAsTheLibraryEscapes) {
  // Bytes drawn mostly from the interesting ranges: ASCII specials, continuation and lead bytes.
  const std::string alphabet = std::string("\x00\x1f\"\\a/\x7f", 7) +
                               "\x80\x8f\x90\x9f\xa0\xbf\xc0\xc1\xc2\xdf\xe0\xe1\xec\xed\xee\xef\xf0\xf1\xf3\xf4\xf5\xff";
  std::mt19937 rng(7);
  int differing = 0;
  for (int i = 0; i < 50000; ++i) {
    std::string s(rng() % 12, ' ');
    for (char& c : s) c = rng() % 3 == 0 ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()];
    if (Quoted(s) != LibraryDump(Json(s)) && ++differing <= 5) ADD_FAILURE() << "differs for " << LibraryDump(Json(s));
  }
  EXPECT_EQ(differing, 0);
}

TEST(JsonTextWriter, LayoutAsThePrettyDump) {
  Json j;
  j["name"] = "x";
  j["empty_object"] = Json::object();
  j["empty_array"] = Json::array();
  j["list"] = Json::array({1, -2.5, nullptr, true, Json::array({Json::object(), "s"}),
                           Json{{"a", false}, {"b", Json::array()}}});
  j["nested"] = {{"year", -4000}, {"inner", {{"deep", 1e-05}}}};
  for (const int indent : {0, 4}) {
    std::string s;
    JsonTextWriter w(s, indent);
    w.BeginObject();
    w.Key("name");
    w.String("x");
    w.Key("empty_object");
    w.BeginObject();
    w.EndObject();
    w.Key("empty_array");
    w.BeginArray();
    w.EndArray();
    w.Key("list");
    w.BeginArray();
    w.Integer(1);
    w.Number(-2.5);
    w.Null();
    w.Boolean(true);
    w.BeginArray();
    w.BeginObject();
    w.EndObject();
    w.String("s");
    w.EndArray();
    w.BeginObject();
    w.Key("a");
    w.Boolean(false);
    w.Key("b");
    w.BeginArray();
    w.EndArray();
    w.EndObject();
    w.EndArray();
    w.Key("nested");
    w.BeginObject();
    w.Key("year");
    w.Integer(-4000);
    w.Key("inner");
    w.BeginObject();
    w.Key("deep");
    w.Number(1e-05);
    w.EndObject();
    w.EndObject();
    w.EndObject();
    // The library's dump with every line after the first moved right by `indent`.
    std::string expected;
    for (const char c : LibraryDump(j, 2)) {
      expected += c;
      if (c == '\n') expected.append(static_cast<std::size_t>(indent), ' ');
    }
    EXPECT_EQ(s, expected) << "indent " << indent;
  }
}

}  // namespace
}  // namespace varomintel::cli
