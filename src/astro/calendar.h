// Calendar dates and Julian days over the whole span of the catalogue and beyond.
// Julian calendar before 1582-10-15, Gregorian from then on; astronomical year numbering
// (year 0 is 1 BC). The time scale of the time of day is the caller's.
//
// Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 7, extended to negative Julian
// days by shifting dates forward in whole blocks of 1000 Julian years (365250 days).
#pragma once

#include <cstdint>
#include <string>

namespace varomintel {

struct CalendarDate {
  std::int32_t year = 0;   // astronomical numbering
  std::int32_t month = 1;  // 1..12
  std::int32_t day = 1;    // 1..31
  double hour = 0.0;       // whole hours 0..23
  double minute = 0.0;     // whole minutes 0..59
  double second = 0.0;     // seconds with milliseconds as the fraction
};

// Given: year, month, day; hour, minute, second, which may lie outside their usual
// ranges (they are simply added, e.g. second = t * 3600 of an offset).
// Returned: Julian day (days; integer part changes at noon).
// Notes: 1582-10-05 .. 1582-10-10 count as Julian dates, 1582-10-11 on as Gregorian.
double DateToJD(std::int32_t year, std::int32_t month, std::int32_t day,
                double hour, double minute, double second);

// Given: Julian day. Returned: calendar date and time of day, rounded to the millisecond.
CalendarDate JDToDate(double jd);

// True for a date before 1582-10-15, which JDToDate gives in the Julian calendar.
bool IsJulianCalendarDate(const CalendarDate& date);

// The historian's year of an astronomical year: "721 BC" for -720 (year 0 is 1 BC, so
// -n is n + 1 BC), "AD 1066" for 1066.
std::string YearLabel(std::int32_t year);

}  // namespace varomintel
