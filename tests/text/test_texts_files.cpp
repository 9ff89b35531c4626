// The translators' tables (texts.tsv): the reader's rules, and each shipped table against
// the texts the programs were built with.
#include "text/texts_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/app_texts.h"
#include "places/place_texts.h"
#include "text/text_table.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

const std::string kHeader = "key\tde\ten\tfr\tes\n";

struct ReadCase {
  const char* name;
  std::string content;                       // after the header
  std::array<std::string, 4> texts;          // of the first row, when it reads
  int errorLine = 0;                         // 0: the table reads
  const char* errorPart = "";
};

class TextsFileReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextsFileReading, KeepsTextsExactlyOrNamesTheLine) {
  const ReadCase& c = GetParam();
  const TextsFile file = ParseTextsFile("# comment\n" + kHeader + c.content);
  if (c.errorLine == 0) {
    ASSERT_FALSE(file.error) << file.error->message;
    ASSERT_FALSE(file.rows.empty());
    EXPECT_EQ(file.rows[0].texts, c.texts);
    // Written back as C++ literals, each text is the quoted field it was read from.
    for (std::size_t l = 0; l < 4; ++l)
      EXPECT_NE(c.content.find(CxxStringLiteral(file.rows[0].texts[l])), std::string::npos) << l;
  } else {
    ASSERT_TRUE(file.error);
    EXPECT_EQ(file.error->line, c.errorLine) << file.error->message;
    EXPECT_NE(file.error->message.find(c.errorPart), std::string::npos) << file.error->message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextsFileReading,
    ::testing::Values(
        ReadCase{"Blanks", "kA\t\"  a  \"\t\" b\"\t\"c \"\t\"\"\n", {"  a  ", " b", "c ", ""}},
        ReadCase{"Utf8AndEscapes", "7\t\"é \\\"q\\\"\"\t\"a\\\\b\"\t\"t\\tn\\n\"\t\"año – ñ\"\n",
                 {"é \"q\"", "a\\b", "t\tn\n", "año – ñ"}},
        ReadCase{"NoLineEndAtTheEnd", "kA\t\"a\"\t\"b\"\t\"c\"\t\"d\"", {"a", "b", "c", "d"}},
        ReadCase{"UnknownEscape", "kA\t\"a\"\t\"b\\x\"\t\"c\"\t\"d\"\n", {}, 3, "unknown escape \\x"},
        ReadCase{"NoClosingQuote", "kA\t\"a\"\t\"b\"\t\"c\"\t\"d\n", {}, 3, "es text: a text without its closing"},
        ReadCase{"ThreeTexts", "kA\t\"a\"\t\"b\"\t\"c\"\n", {}, 3, "only 3 of 4 texts"},
        ReadCase{"FiveTexts", "kA\t\"a\"\t\"b\"\t\"c\"\t\"d\"\t\"e\"\n", {}, 3, "more than 4 texts"},
        ReadCase{"BlankBetweenTexts", "kA\t\"a\" \t\"b\"\t\"c\"\t\"d\"\n", {}, 3, "de text: a single tab"},
        ReadCase{"TabInsideQuotes", "kA\t\"a\tb\"\t\"b\"\t\"c\"\t\"d\"\n", {}, 3, "control character"},
        ReadCase{"CarriageReturn", "kA\t\"a\"\t\"b\"\t\"c\"\t\"d\"\r\n", {}, 3, "carriage return"},
        ReadCase{"BrokenUtf8", "kA\t\"a\"\t\"b\"\t\"c\"\t\"d\"\nkB\t\"\xC3\"\t\"b\"\t\"c\"\t\"d\"\n", {}, 4, "UTF-8"},
        ReadCase{"SameKeyTwice", "kA\t\"a\"\t\"b\"\t\"c\"\t\"d\"\n\nkA\t\"a\"\t\"b\"\t\"c\"\t\"d\"\n", {}, 5, "already used"},
        ReadCase{"NamesAndNumbersMixed", "kA\t\"a\"\t\"b\"\t\"c\"\t\"d\"\n12\t\"a\"\t\"b\"\t\"c\"\t\"d\"\n", {}, 4, "all names"},
        ReadCase{"BadKey", "k-A\t\"a\"\t\"b\"\t\"c\"\t\"d\"\n", {}, 3, "neither a C++ name"},
        ReadCase{"LeadingZeroRow", "064\t\"a\"\t\"b\"\t\"c\"\t\"d\"\n", {}, 3, "neither a C++ name"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(TextsFileReadingHeader, IsRequiredInTheLanguagesOrder) {
  EXPECT_EQ(ParseTextsFile("kA\t\"a\"\t\"b\"\t\"c\"\t\"d\"\n").error->line, 1);
  EXPECT_EQ(ParseTextsFile("key\tde\ten\tes\tfr\n").error->line, 1);
  EXPECT_EQ(ParseTextsFile("# only a comment\n").error->line, 0);
  EXPECT_EQ(CxxStringLiteral(std::string("?") + "?=?"), "\"?\\?=?\"");  // no trigraph in the generated code
}

// Each shipped table: it reads, every language has a text wherever German has one, and
// the program holds exactly the texts of the file (blanks and UTF-8 through the build).
struct ShippedTable {
  const char* name;
  const char* path;  // below the source tree
  std::string (*compiled)(std::size_t row, const TextsFileRow& line, std::uint8_t language);
};

class ShippedTexts : public ::testing::TestWithParam<ShippedTable> {};

TEST_P(ShippedTexts, EveryLanguageWhereGermanAndAsBuilt) {
  const ShippedTable& t = GetParam();
  std::ifstream in(testing::DataDir() + "/../" + t.path, std::ios::binary);
  ASSERT_TRUE(in) << t.path;
  std::stringstream content;
  content << in.rdbuf();
  const TextsFile file = ParseTextsFile(content.str());
  ASSERT_FALSE(file.error) << t.path << ":" << file.error->line << ": " << file.error->message;
  ASSERT_GT(file.rows.size(), 10u);
  for (std::size_t i = 0; i < file.rows.size(); ++i) {
    const TextsFileRow& row = file.rows[i];
    for (std::uint8_t l = 0; l < kLanguageCount; ++l) {
      if (!row.texts[kGerman].empty()) {
        EXPECT_FALSE(row.texts[l].empty()) << t.path << ":" << row.line << " " << row.key << " lacks "
                                           << kTextsFileLanguages[l];
      }
      EXPECT_EQ(t.compiled(i, row, l), row.texts[l]) << t.path << ":" << row.line << " " << kTextsFileLanguages[l];
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layers, ShippedTexts,
    ::testing::Values(
        ShippedTable{"TextTable", "src/text/texts.tsv",
                     [](std::size_t, const TextsFileRow& line, std::uint8_t l) { return Text(std::stoi(line.key), l); }},
        ShippedTable{"Places", "src/places/texts.tsv",
                     [](std::size_t row, const TextsFileRow&, std::uint8_t l) {
                       return std::string(Text(static_cast<PlacesText>(row), l));
                     }},
        ShippedTable{"App", "src/app/texts.tsv",
                     [](std::size_t row, const TextsFileRow&, std::uint8_t l) {
                       return std::string(Text(static_cast<AppText>(row), l));
                     }}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
