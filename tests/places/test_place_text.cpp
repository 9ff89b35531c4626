// Fixed-width texts of the lists: UTF-8 alignment, durations and coordinates.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "places/list_file.h"
#include "places/list_text.h"
#include "places/local_circumstances.h"
#include "text/utf8_text.h"
#include "../support/synthetic_eclipse.h"
#include "../support/writer_leftovers.h"

namespace varomintel {
namespace {

TEST(Utf8Text, WidthsCountCharactersAndCutsKeepWholeCharacters) {
  EXPECT_EQ(CodePointCount("Zürich"), 6u);
  EXPECT_EQ(CodePointCount("東京"), 2u);
  // Left-aligned: first w characters, blank-padded; a cut after a two-byte letter.
  EXPECT_EQ(LeftAligned("Zürich", 10), "Zürich    ");
  EXPECT_EQ(LeftAligned("Zürich", 2), "Zü");
  EXPECT_EQ(LeftAligned("Österreich-Ungarn", 10), "Österreich");
  EXPECT_EQ(LeftAligned("東京都渋谷区", 5), "東京都渋谷");
  EXPECT_EQ(LeftAligned("", 5), "     ");
  // Right-aligned: a longer text loses its leading characters.
  EXPECT_EQ(RightAligned("42", 5), "   42");
  EXPECT_EQ(RightAligned("123456789", 8), "23456789");
  EXPECT_EQ(RightAligned("äöü", 2), "öü");
  EXPECT_EQ(RightAligned("°", 3), "  °");
}

TEST(FormatDuration, HoursAndMinutesWithZeroFill) {
  EXPECT_EQ(FormatDuration(1.7167), "  1:43");
  EXPECT_EQ(FormatDuration(0.05), "  0:03");
  EXPECT_EQ(FormatDuration(0), "  0:00");
  EXPECT_EQ(FormatDuration(12.5), " 12:30");
  // Minutes round half up: 59.5 minutes are one hour.
  EXPECT_EQ(FormatDuration(59.5 / 60), "  1:00");
  EXPECT_EQ(FormatDuration(59.49 / 60), "  0:59");
  EXPECT_EQ(FormatDuration(1234.0), "1234:00");
}

TEST(FormatDuration, NegativeAndNonFiniteAreFormattedNotFatal) {
  EXPECT_EQ(FormatDuration(-1.7167), " -1:43");
  EXPECT_EQ(FormatDuration(-123.0), "-123:00");
  // Less than half a minute below zero is no duration at all.
  EXPECT_EQ(FormatDuration(-0.001), "  0:00");
  EXPECT_EQ(FormatDuration(std::numeric_limits<double>::quiet_NaN()), "  -:--");
  EXPECT_EQ(FormatDuration(-std::numeric_limits<double>::infinity()), "  -:--");
}

TEST(FormatCoordinates, DegreesAndMinutesWithHemisphere) {
  EXPECT_EQ(FormatLatitude(47.37), "47°22'N");
  EXPECT_EQ(FormatLatitude(-33.87), "33°52'S");
  EXPECT_EQ(FormatLongitude(8.54), "008°32'E");
  EXPECT_EQ(FormatLongitude(-0.12), "000°07'W");
  EXPECT_EQ(FormatLongitude(-179.99), "179°59'W");
  EXPECT_EQ(FormatLongitude(180.0), "180°00'E");
  EXPECT_EQ(FormatLatitude(-90.0), "90°00'S");
  // Zero counts as north and east, also a negative zero.
  EXPECT_EQ(FormatLatitude(0.0), "00°00'N");
  EXPECT_EQ(FormatLongitude(0.0), "000°00'E");
  EXPECT_EQ(FormatLongitude(-0.0), "000°00'E");
  // 59.99 minutes round up into the next degree; a half minute goes to the even neighbour.
  EXPECT_EQ(FormatLatitude(10.9999), "11°00'N");
  EXPECT_EQ(FormatLatitude(7.5 / 60), "00°08'N");  // 7.5 minutes -> 8
  EXPECT_EQ(FormatLatitude(0.375), "00°22'N");    // 22.5 minutes -> 22
  // A non-finite value (never from the city file) keeps the width.
  EXPECT_EQ(FormatLatitude(std::numeric_limits<double>::quiet_NaN()), "--°--'-");
  EXPECT_EQ(FormatLongitude(std::numeric_limits<double>::infinity()), "---°--'-");
  // Seven characters for a latitude, eight for a longitude (the degree sign is one).
  EXPECT_EQ(CodePointCount(FormatLatitude(-5.5)), 7u);
  EXPECT_EQ(CodePointCount(FormatLongitude(-5.5)), 8u);
}

TEST(ListFile, CrLfLinesWrittenWholeOrNotAtAll) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("varomintel_listfile_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path target = dir / "Varomintel_CityList.txt";
  ASSERT_TRUE(WriteListFile(target.string(), {"Legend", "", "a\tb"}));
  std::ifstream in(target, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes, "Legend\r\n\r\na\tb\r\n");
  EXPECT_EQ(testing::WriterLeftovers(dir), "");
  // Nothing saved before a run: an empty file.
  ASSERT_TRUE(WriteListFile(target.string(), {}));
  EXPECT_EQ(fs::file_size(target), 0u);
  // A folder that does not exist: failure reported, nothing left behind.
  EXPECT_FALSE(WriteListFile((dir / "no" / "x.txt").string(), {"x"}));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace varomintel

namespace varomintel {
namespace {

// Contact clocks round to the whole second; within half a second of midnight they belong
// to the next day (never "24:00:00").
TEST(ContactUniversalTime, RoundsToTheSecondAcrossMidnight) {
  EclipseRecord r = testing::LinearEclipse::Passing(1200).Record(2023, 12, 31, 23);
  const struct {
    double secondsAfter2359;  // seconds after 23:59:00 UT of 2023-12-31
    const char* clock;
    int year, month, day;
  } cases[] = {
      {59.4, "23:59:59", 2023, 12, 31},
      {59.6, "00:00:00", 2024, 1, 1},
      {61.0, "00:00:01", 2024, 1, 1},
  };
  for (const auto& c : cases) {
    const ContactInstant i = ContactUniversalTime(r, 0.0, (59 * 60 + c.secondsAfter2359) / 3600.0);
    EXPECT_EQ(i.clock, c.clock) << c.secondsAfter2359;
    EXPECT_EQ(i.year * 10000 + i.month * 100 + i.day, c.year * 10000 + c.month * 100 + c.day) << c.secondsAfter2359;
  }
}

}  // namespace
}  // namespace varomintel
