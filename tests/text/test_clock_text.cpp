#include "text/clock_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "text/number_text.h"

namespace varomintel {
namespace {

TEST(FormatHours, LayoutOfSignHoursMinutesSeconds) {
  EXPECT_EQ(FormatHours(0, 1.5), "  01:30:00");
  EXPECT_EQ(FormatHours(1, -0.25), " -00:15:00.0");
  EXPECT_EQ(FormatHours(0, 123), " 123:00:00");
  EXPECT_EQ(FormatHours(0, -123), "-123:00:00");
  EXPECT_EQ(FormatHours(0, 0.0), "  00:00:00");   // never "-" for zero
  EXPECT_EQ(FormatHours(0, -0.0), "  00:00:00");
  EXPECT_EQ(FormatHours(2, 23.5 + 7.25 / 3600), "  23:30:07.25");
  EXPECT_EQ(FormatHours(3, 1.0 / 3600 * 5.125), "  00:00:05.125");
  EXPECT_EQ(FormatHours(4, 12 + 0.5 / 3600), "  12:00:00.5000");
}

TEST(FormatHours, SecondsCarryIntoMinutesAndNeverShowSixty) {
  EXPECT_EQ(FormatHours(0, 59.96 / 3600), "  00:01:00");
  EXPECT_EQ(FormatHours(0, (3600 - 0.4) / 3600), "  01:00:00");
  EXPECT_EQ(FormatHours(1, 59.96 / 3600), "  00:01:00.0");
  EXPECT_EQ(FormatHours(0, 59.4 / 3600), "  00:00:59");
  EXPECT_EQ(FormatHours(0, 0.5 / 3600), "  00:00:01");  // halves round up
}

TEST(FormatTimeOfDay, SameAsFormatHoursWithoutBlanks) {
  // Every half second of the day, the doubles next to it on both sides (where the rounding
  // turns), some random instants, and hours outside the day that go through FormatHours.
  std::vector<double> hours;
  for (int half = 0; half <= 2 * 86400; ++half) {
    const double h = half / 7200.0;
    hours.insert(hours.end(), {h, std::nextafter(h, -1.0), std::nextafter(h, 25.0)});
  }
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> day(0, 24);
  for (int i = 0; i < 100000; ++i) hours.push_back(day(random));
  hours.insert(hours.end(), {-0.0, -1e-300, -0.5 / 3600, 24.0001, 99.5, -3.25, 1e30, NAN, INFINITY});
  int compared = 0;
  for (const double h : hours) {
    std::string expected = FormatHours(0, h);
    expected.erase(0, expected.find_first_not_of(' '));
    ASSERT_EQ(FormatTimeOfDay(h), expected) << "hours " << h;
    ++compared;
  }
  EXPECT_GT(compared, 600000);
  EXPECT_EQ(FormatTimeOfDay(24), "24:00:00");
  EXPECT_EQ(FormatTimeOfDay(23.99999), "24:00:00");  // the caller turns it into the next day
}

TEST(FormatHours, DecimalPointWhateverTheLocale) {
  // A desktop toolkit sets the C locale from the user's; numbers keep their point.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
  EXPECT_EQ(FormatHours(1, 0.5), "  00:30:00.0");
  EXPECT_EQ(FormatFixed(-3.456, 2), "-3.46");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberText, StrictReaders) {
  EXPECT_EQ(ParseInteger("2022"), 2022);
  EXPECT_EQ(ParseInteger(" -4999 "), -4999);
  EXPECT_EQ(ParseInteger("+5"), 5);
  EXPECT_FALSE(ParseInteger("12a"));
  EXPECT_FALSE(ParseInteger("1.5"));
  EXPECT_FALSE(ParseInteger(""));
  EXPECT_FALSE(ParseInteger("99999999999999999999"));
  EXPECT_EQ(ParseReal("-3.456"), -3.456);
  EXPECT_EQ(ParseReal("+1"), 1.0);
  EXPECT_EQ(ParseReal(".5"), 0.5);
  EXPECT_FALSE(ParseReal("nan"));
  EXPECT_FALSE(ParseReal("inf"));
  EXPECT_FALSE(ParseReal("1,5"));
  EXPECT_FALSE(ParseReal("1e999"));
  // At most one sign.
  for (const char* twoSigns : {"+-5", "++5", "-+5", "--5", " +-2000 "}) {
    EXPECT_FALSE(ParseInteger(twoSigns)) << twoSigns;
    EXPECT_FALSE(ParseReal(twoSigns)) << twoSigns;
    EXPECT_FALSE(ParseClampedInteger(twoSigns, -4999, 7000)) << twoSigns;
  }
  // Clamped entries: any length of digits, clamped by sign alike.
  EXPECT_EQ(ParseClampedInteger("28886", -4999, 7000), 7000);
  EXPECT_EQ(ParseClampedInteger(" 99999999999999999999 ", -4999, 7000), 7000);
  EXPECT_EQ(ParseClampedInteger("+99999999999999999999", -4999, 7000), 7000);
  EXPECT_EQ(ParseClampedInteger("-99999999999999999999", -4999, 7000), -4999);
  EXPECT_EQ(ParseClampedInteger("-12", -4999, 7000), -12);
  EXPECT_FALSE(ParseClampedInteger("9999999999999999999x", -4999, 7000));
  EXPECT_FALSE(ParseClampedInteger("-", -4999, 7000));
}

}  // namespace
}  // namespace varomintel
