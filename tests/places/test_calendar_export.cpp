// The building blocks of the iCalendar export: the proleptic Gregorian instant of a Julian
// day, the escaping of TEXT values and the folding of content lines (RFC 5545).
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "places/calendar_export.h"

namespace varomintel {
namespace {

struct JulianDayRow {
  const char* name;
  double julianDay;
  GregorianInstant want;
};

std::ostream& operator<<(std::ostream& o, const JulianDayRow& r) { return o << r.name; }

class GregorianInstants : public ::testing::TestWithParam<JulianDayRow> {};

// Meeus, Astronomical Algorithms (2nd ed. 1998), ch. 7, pp. 61-62 for 1600..2000; the
// proleptic Gregorian start of the era and of JD 0 (-4713 Nov 24, noon) from the same
// day count; 9999 Dec 31 as the last day iCalendar can write.
INSTANTIATE_TEST_SUITE_P(
    Published, GregorianInstants,
    ::testing::Values(JulianDayRow{"J2000", 2451545.0, {2000, 1, 1, 12, 0, 0}},
                      JulianDayRow{"Y1987Jan27", 2446822.5, {1987, 1, 27, 0, 0, 0}},
                      JulianDayRow{"Y1988Jun19Noon", 2447332.0, {1988, 6, 19, 12, 0, 0}},
                      JulianDayRow{"Y1900Jan1", 2415020.5, {1900, 1, 1, 0, 0, 0}},
                      JulianDayRow{"Y1600Dec31", 2305812.5, {1600, 12, 31, 0, 0, 0}},
                      JulianDayRow{"Y1957Oct4", 2436116.31, {1957, 10, 4, 19, 26, 24}},
                      JulianDayRow{"Gregorian1582Oct15", 2299160.5, {1582, 10, 15, 0, 0, 0}},
                      JulianDayRow{"Year1Jan1", 1721425.5, {1, 1, 1, 0, 0, 0}},
                      JulianDayRow{"Year0Dec31", 1721424.5, {0, 12, 31, 0, 0, 0}},
                      JulianDayRow{"JulianDayZero", 0.0, {-4713, 11, 24, 12, 0, 0}},
                      JulianDayRow{"Year9999Dec31", 5373483.5, {9999, 12, 31, 0, 0, 0}},
                      JulianDayRow{"RoundsToTheNextDay", 2451544.5 - 0.4 / 86400, {2000, 1, 1, 0, 0, 0}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(GregorianInstants, FromJulianDay) {
  const JulianDayRow& r = GetParam();
  const GregorianInstant g = GregorianFromJulianDay(r.julianDay);
  EXPECT_EQ(g.year, r.want.year);
  EXPECT_EQ(g.month, r.want.month);
  EXPECT_EQ(g.day, r.want.day);
  EXPECT_EQ(g.hour, r.want.hour);
  EXPECT_EQ(g.minute, r.want.minute);
  EXPECT_EQ(g.second, r.want.second);
  const std::string iso = IsoUtcText(g);
  EXPECT_EQ(iso.empty(), g.year < 1 || g.year > 9999) << iso;
}

TEST(CalendarText, EscapesWhatRfc5545Requires) {
  struct Row {
    std::string in, want;
  };
  const Row rows[] = {
      {"Zürich", "Zürich"},
      {"a,b;c\\d", "a\\,b\\;c\\\\d"},
      {"one\ntwo\r\nthree", "one\\ntwo\\nthree"},
      {"tab\there", "tab here"},
      {":colon \"quoted\"", ":colon \"quoted\""},
      // Bytes that are not UTF-8 never reach the calendar: each maximal broken part is U+FFFD.
      {"a\x80\xC0\xAF", "a\uFFFD\uFFFD\uFFFD"},    // stray continuation, overlong lead
      {"\xE2\x80,x", "\uFFFD\\,x"},                 // a cut three-octet character
      {"\xED\xA0\x80\xF4\x90", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // a surrogate, above U+10FFFF
  };
  for (const Row& r : rows) EXPECT_EQ(EscapeCalendarText(r.in), r.want) << r.in;
}

// Unfolding (RFC 5545 §3.1): CR LF followed by one blank is removed.
std::string Unfold(const std::string& folded) {
  std::string out;
  for (std::size_t i = 0; i < folded.size(); ++i) {
    if (folded.compare(i, 3, "\r\n ") == 0) {
      i += 2;
      continue;
    }
    out += folded[i];
  }
  return out;
}

TEST(CalendarText, FoldsAt75OctetsWithoutSplittingACharacter) {
  const std::vector<std::string> lines = {
      "SUMMARY:short",
      std::string("DESCRIPTION:") + std::string(63, 'x'),  // exactly 75 octets: not folded
      std::string("DESCRIPTION:") + std::string(64, 'x'),  // 76: folded once
      "DESCRIPTION:" + [] {
        std::string s;
        for (int i = 0; i < 60; ++i) s += i % 3 ? "ü" : "\u2013";  // 2- and 3-octet characters
        return s;
      }(),
  };
  for (const std::string& line : lines) {
    const std::string folded = FoldCalendarLine(line);
    ASSERT_GE(folded.size(), 2u);
    EXPECT_EQ(folded.substr(folded.size() - 2), "\r\n");
    EXPECT_EQ(Unfold(folded.substr(0, folded.size() - 2)), line);
    std::size_t start = 0, physical = 0;
    for (std::size_t end; (end = folded.find("\r\n", start)) != std::string::npos; start = end + 2, ++physical) {
      EXPECT_LE(end - start, 75u) << line;
      // A physical line never starts inside a UTF-8 character (after its blank).
      const std::size_t first = start + (physical > 0 ? 1 : 0);
      if (first < end) {
        EXPECT_NE(static_cast<unsigned char>(folded[first]) & 0xC0, 0x80);
      }
    }
    EXPECT_EQ(physical, line.size() <= 75 ? 1u : physical) << line;
  }
  // A line that is not UTF-8 (a run of continuation octets leaves no place to cut between
  // characters) is still folded at 75 octets and given back whole by unfolding.
  for (const std::size_t run : {74u, 75u, 200u}) {
    const std::string line = "X-WR-CALNAME:" + std::string(run, '\x80');
    const std::string folded = FoldCalendarLine(line);
    EXPECT_EQ(Unfold(folded.substr(0, folded.size() - 2)), line) << run;
    std::size_t start = 0;
    for (std::size_t end; (end = folded.find("\r\n", start)) != std::string::npos; start = end + 2)
      EXPECT_LE(end - start, 75u) << run;
  }
  EXPECT_EQ(FoldCalendarLine(lines[1]).size(), 77u);
  EXPECT_EQ(FoldCalendarLine(lines[2]), lines[2].substr(0, 75) + "\r\n x\r\n");
}

}  // namespace
}  // namespace varomintel
