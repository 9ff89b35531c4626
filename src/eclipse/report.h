// The report of one eclipse: type, time scale and one line per contact with its date,
// clock time and, for the closing contacts, the duration of the phase. Built as a list
// of lines with their attributes; a window renders it, the command line prints it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"

namespace varomintel {

struct ReportLine {
  std::string text;    // UTF-8; contact lines hold a TAB between label and date
  int pointSize = 10;  // Arial: 12 type, 4 spacer, 9 time scale, 10 contacts
  bool bold = false;   // from the Max line on
  bool grey = false;   // RGB(160,160,160) in terrestrial time, black in universal time
};

struct ReportSettings {
  std::uint8_t language = 0;  // 0 German, 1 English, 2 French, 3 Spanish
  bool universalTime = true;  // false: terrestrial time (Delta T and zone ignored)
  double deltaT = 0;          // seconds, Delta T of the eclipse (used in universal time)
  double timeZone = 0;        // hours, -18..18 (used in universal time)
  std::string timeZoneText = "+0.00";  // as the zone entry shows it
};

// Given: the record (its date, T0Hour, and the computed type in EclipseType), its
// circumstances and the settings. Returned: the lines, in order.
std::vector<ReportLine> BuildReport(const EclipseRecord& record, const EclipseCircumstances& c,
                                    const ReportSettings& settings);

// Calendar date of instant t (hours of TT from T0) in the shown time scale:
// year right-aligned in 5 characters, "-", month and day with two digits.
// zone in hours and deltaT in seconds as shown (both 0 for terrestrial time).
std::string FormatContactDate(const EclipseRecord& record, double t, double zone, double deltaT);

// Clock time hh:mm:ss of instant t, from the hour of day
// FloatMod(FloatMod(T0Hour + t + zone - deltaT/3600 + 48, 24) + 48, 24).
std::string FormatContactClock(const EclipseRecord& record, double t, double zone, double deltaT);

// Delta T with its uncertainty (seconds in, text out): "20529 s ± 516 s (1σ)" in whole
// seconds where sigma is above 1 s, else the value alone to tenths ("69.2 s").
std::string DeltaTText(double deltaT, double sigma);

// Duration in hours as hours "h" and whole minutes "min" with two digits, e.g. 1.5 -> "1h30min".
std::string FormatPhaseDuration(double hours);

// A time-zone offset clamped to -18..18 hours.
double ClampTimeZone(double hours);
// A time-zone offset as the zone entry shows it: 2 decimals, "+" when 0 or more, e.g. "+1.00", "-5.50".
std::string FormatTimeZone(double hours);

}  // namespace varomintel
