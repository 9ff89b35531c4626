#include "astro/calendar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace varomintel {
namespace {

struct DayCase {
  int year, month, day;
  double jd;
};

TEST(Calendar, DateToJDAtMidnightAcrossTheWholeSpan) {
  const DayCase cases[] = {
      {1582, 10, 15, 2299160.5},  // first Gregorian day
      {1582, 10, 4, 2299159.5},   // last Julian day
      {0, 1, 1, 1721057.5},       // year 0 exists
      {-4999, 1, 1, -104826.5},
      {7000, 12, 31, 4278121.5},
      {332, 12, 31, 1842685.5},   // either side of the 1000-year block boundary
      {333, 1, 1, 1842686.5},
      {-4712, 1, 1, -0.5},
  };
  for (const DayCase& c : cases) {
    EXPECT_EQ(DateToJD(c.year, c.month, c.day, 0, 0, 0), c.jd) << c.year << "-" << c.month << "-" << c.day;
    const CalendarDate d = JDToDate(c.jd);
    EXPECT_EQ(d.year, c.year);
    EXPECT_EQ(d.month, c.month);
    EXPECT_EQ(d.day, c.day);
    EXPECT_EQ(d.hour, 0);
    EXPECT_EQ(d.minute, 0);
    EXPECT_EQ(d.second, 0);
  }
  EXPECT_EQ(DateToJD(2000, 1, 1, 12, 0, 0), 2451545.0);
  EXPECT_EQ(DateToJD(-4712, 1, 1, 12, 0, 0), 0.0);
}

TEST(Calendar, TheTenDaysOf1582CountByTheCalendarTheyFallInto) {
  // 1582-10-10 counts as Julian, 1582-10-11 as Gregorian: each converts back to the
  // date of the other calendar.
  EXPECT_EQ(DateToJD(1582, 10, 10, 0, 0, 0), 2299165.5);
  CalendarDate d = JDToDate(2299165.5);
  EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 15821020);
  EXPECT_EQ(DateToJD(1582, 10, 11, 0, 0, 0), 2299156.5);
  d = JDToDate(2299156.5);
  EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 15821001);
}

// The last Julian day and the first Gregorian one as JDToDate gives them, and the
// historian's year on both sides of the missing year 0.
TEST(Calendar, JulianDatesAndTheHistoriansYear) {
  EXPECT_TRUE(IsJulianCalendarDate(JDToDate(2299160.5 - 1)));   // 1582-10-04
  EXPECT_FALSE(IsJulianCalendarDate(JDToDate(2299160.5)));      // 1582-10-15
  EXPECT_TRUE(IsJulianCalendarDate(JDToDate(DateToJD(-720, 3, 19, 0, 0, 0))));
  EXPECT_FALSE(IsJulianCalendarDate(JDToDate(DateToJD(2022, 11, 8, 0, 0, 0))));
  EXPECT_EQ(YearLabel(-720), "721 BC");
  EXPECT_EQ(YearLabel(0), "1 BC");
  EXPECT_EQ(YearLabel(1), "AD 1");
  EXPECT_EQ(YearLabel(-4999), "5000 BC");
}

TEST(Calendar, JDToDateTimeOfDay) {
  CalendarDate d = JDToDate(1799999.5);
  EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 2160218);
  // The hour first comes out as 30 and is brought back by 24.
  d = JDToDate(2451544.75);
  EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 20000101);
  EXPECT_EQ(d.hour, 6);
  EXPECT_EQ(d.minute, 0);
  EXPECT_EQ(d.second, 0);
  // Sputnik 1: 1957-10-04 19:26:24.
  const double jd = DateToJD(1957, 10, 4, 19, 26, 24);
  EXPECT_NEAR(jd, 2436116.31, 0.005);
  d = JDToDate(jd);
  EXPECT_EQ(d.hour, 19);
  EXPECT_EQ(d.minute, 26);
  EXPECT_NEAR(d.second, 24.0, 1e-9);
  d = JDToDate(2451545.0);
  EXPECT_EQ(d.hour, 12);
}

TEST(Calendar, TimeOfDayOutsideItsRangeIsSimplyAdded) {
  // Offsets of +-4 h passed as seconds, as the report does.
  EXPECT_NEAR(DateToJD(2000, 1, 1, 12, 0, -14400), 2451545.0 - 4.0 / 24, 1e-9);
  EXPECT_NEAR(DateToJD(2000, 1, 1, 23, 0, 14400), DateToJD(2000, 1, 2, 3, 0, 0), 1e-9);
}

TEST(Calendar, RoundTripsEveryFewDaysOverTwelveThousandYears) {
  // A round trip through the Julian day gives the same date for every 37th day from
  // -4999 to 7000, at varying times of day.
  for (double jd = -104826.5; jd < 4278121.5; jd += 37.25) {
    const CalendarDate d = JDToDate(jd);
    const double back = DateToJD(d.year, d.month, d.day, d.hour, d.minute, d.second);
    ASSERT_NEAR(back, jd, 1e-6) << jd;
  }
}

TEST(Calendar, JustBeforeMidnightNeverComesOutADayEarly) {
  // Half a millisecond before midnight must not turn into 00:00 of the day that ends.
  const double midnight = DateToJD(2000, 1, 1, 0, 0, 0);
  const CalendarDate d = JDToDate(midnight - 1e-10);
  const bool endOfDec31 = d.year == 1999 && d.month == 12 && d.day == 31 && d.hour == 23 && d.minute == 59;
  const bool startOfJan1 = d.year == 2000 && d.month == 1 && d.day == 1 && d.hour == 0;
  EXPECT_TRUE(endOfDec31 || startOfJan1) << d.year << "-" << d.month << "-" << d.day << " " << d.hour;
}

TEST(Calendar, NonFiniteAndAbsurdJulianDaysDoNotCrash) {
  EXPECT_NO_FATAL_FAILURE(JDToDate(std::nan("")));
  EXPECT_NO_FATAL_FAILURE(JDToDate(1e300));
  EXPECT_NO_FATAL_FAILURE(JDToDate(-1e300));
  const CalendarDate far = JDToDate(-3.0e11);  // about -820 million years: still a valid date
  EXPECT_LT(far.year, -800000000);
}

}  // namespace
}  // namespace varomintel
