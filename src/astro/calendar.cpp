#include "astro/calendar.h"

#include <cmath>

namespace varomintel {

namespace {
constexpr double kDaysPer1000JulianYears = 365250.0;
constexpr double kGregorianSwitchDayCount = 578135.5;  // Y*365.25 + Mo*30 + day of 1582-10-10/11
constexpr double kGregorianFirstDayNumber = 2299161;   // JD + 0.5 of 1582-10-15
constexpr double kMsPerDay = 86400000.0;
}  // namespace

double DateToJD(std::int32_t year, std::int32_t month, std::int32_t day,
                double hour, double minute, double second) {
  // Move early years forward by whole blocks of 1000 Julian years; every moved date
  // stays in the Julian calendar, so the block can be taken off again in days.
  std::int64_t y = year;
  std::int64_t n = 0;
  if (y < 333) {
    n = (333 - y + 999) / 1000;  // the number of times "year += 1000" runs while year < 333
    y += n * 1000;
  }
  std::int64_t Y = y;
  std::int64_t Mo = month;
  if (Mo < 3) {
    Y -= 1;
    Mo += 12;
  }
  std::int64_t B = 0;
  if (static_cast<double>(Y) * 365.25 + static_cast<double>(Mo) * 30 + day > kGregorianSwitchDayCount) {
    const std::int64_t A = Y / 100;
    B = 2 - A + A / 4;
  }
  double jd = std::trunc(static_cast<double>(Y + 4716) * 365.25) +
              std::trunc(static_cast<double>(Mo + 1) * 30.60001) + day + static_cast<double>(B) - 1524.5;
  jd -= static_cast<double>(n) * kDaysPer1000JulianYears;
  jd += hour / 24;
  jd += minute / 1440;
  jd += second / 86400;
  return jd;
}

CalendarDate JDToDate(double jd) {
  CalendarDate d;
  // Beyond about +-2 billion years the year no longer fits its 32-bit field.
  if (!std::isfinite(jd) || std::fabs(jd) > 7.0e11) return d;
  std::int64_t n = 0;
  if (jd < 1800000.0) {
    n = static_cast<std::int64_t>(std::ceil((1800000.0 - jd) / kDaysPer1000JulianYears));
    jd += static_cast<double>(n) * kDaysPer1000JulianYears;
    // The closed form above counts the loop "while jd < 1800000: jd += 365250"; make
    // sure rounding never leaves one step out or in.
    while (jd < 1800000.0) { jd += kDaysPer1000JulianYears; ++n; }
    while (n > 0 && jd - kDaysPer1000JulianYears >= 1800000.0) { jd -= kDaysPer1000JulianYears; --n; }
  }
  const double Z = std::trunc(jd + 0.5);
  double A = Z;
  if (Z >= kGregorianFirstDayNumber) {
    const std::int64_t alpha = static_cast<std::int64_t>((Z - 1867216.25) / 36524.25);
    A = Z + 1 + static_cast<double>(alpha) - static_cast<double>(alpha / 4);
  }
  const double B = A + 1524;
  const double C = std::trunc((B - 122.1) / 365.25);
  const double D = std::trunc(365.25 * C);
  const double E = std::trunc((B - D) / 30.60001);
  d.day = static_cast<std::int32_t>(B - D - std::trunc(30.60001 * E));
  d.month = static_cast<std::int32_t>(E - 1);
  if (E > 13) d.month -= 12;
  std::int64_t year = static_cast<std::int64_t>(C) - 4715;
  if (d.month > 2) year -= 1;
  year -= n * 1000;
  d.year = static_cast<std::int32_t>(year);

  // Time of day. F lies in [0.5, 1.5): hours 12..35, brought back by 24 below.
  double F = (jd - std::trunc(jd)) + 0.5;
  if (F == 1.0) F = 0.0;
  double ms = std::trunc(F * kMsPerDay + 0.5);
  // A time within half a millisecond before midnight would round up to 24:00 and come out
  // as 00:00 of the day that is ending, a whole day early: keep it at 23:59:59.999.
  if (F < 1.0 && ms >= kMsPerDay) ms = kMsPerDay - 1.0;
  double hour = std::trunc(ms / 3600000.0);
  ms -= hour * 3600000.0;
  const double minute = std::trunc(ms / 60000.0);
  ms -= minute * 60000.0;
  if (hour > 23) hour -= 24;
  d.hour = hour;
  d.minute = minute;
  d.second = ms / 1000.0;
  return d;
}

bool IsJulianCalendarDate(const CalendarDate& d) {
  if (d.year != 1582) return d.year < 1582;
  return d.month < 10 || (d.month == 10 && d.day < 15);
}

std::string YearLabel(std::int32_t year) {
  return year <= 0 ? std::to_string(1 - static_cast<std::int64_t>(year)) + " BC" : "AD " + std::to_string(year);
}

}  // namespace varomintel
