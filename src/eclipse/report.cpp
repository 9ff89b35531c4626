#include "eclipse/report.h"

#include <algorithm>
#include <cmath>

#include "eclipse/eclipse_type.h"
#include "text/text_table.h"
#include "astro/calendar.h"
#include "text/clock_text.h"
#include "text/number_text.h"
#include "astro/trig_func.h"

namespace varomintel {

namespace {
std::string TwoDigits(long long v) { return PadLeft(std::to_string(v), 2, '0'); }
}  // namespace

std::string FormatContactDate(const EclipseRecord& r, double t, double zone, double deltaT) {
  const double jd = DateToJD(r.Year, r.Month, r.Day, r.T0Hour + zone, 0, t * 3600 - deltaT);
  const CalendarDate date = JDToDate(jd);
  return PadLeft(std::to_string(date.year), 5) + "-" + TwoDigits(date.month) + "-" + TwoDigits(date.day);
}

std::string FormatContactClock(const EclipseRecord& r, double t, double zone, double deltaT) {
  const double h = FloatMod(FloatMod(r.T0Hour + t + zone - deltaT / 3600 + 48, 24) + 48, 24);
  const std::string text = FormatHours(0, h);
  return text.substr(text.size() - 8);
}

std::string DeltaTText(double deltaT, double sigma) {
  if (!(sigma > 1)) return FormatFixed(deltaT + 0.0, 1) + " s";
  return FormatFixed(std::nearbyint(deltaT) + 0.0, 0) + " s \u00b1 " + FormatFixed(std::nearbyint(sigma), 0) +
         " s (1\u03c3)";
}

std::string FormatPhaseDuration(double d) {
  long long minutes = static_cast<long long>(std::trunc((d - std::trunc(d)) * 60 + 0.5));
  std::string minuteText = minutes == 60 ? "00" : TwoDigits(minutes);
  const long long hours = static_cast<long long>(std::trunc(d + 1.0 / 120));
  return std::to_string(hours) + "h" + minuteText + "min";
}

double ClampTimeZone(double hours) { return std::clamp(hours, -18.0, 18.0); }

std::string FormatTimeZone(double hours) {
  // The number is appended to the sign, not the sign put before the number ("+" + text):
  // GCC 12 at -O3 takes that insertion for an overlapping copy (-Wrestrict in libstdc++).
  std::string text = hours >= 0.0 ? "+" : "";
  text += FormatFixed(hours == 0.0 ? 0.0 : hours, 2);  // -0.0 counts as 0
  return text;
}

std::vector<ReportLine> BuildReport(const EclipseRecord& r, const EclipseCircumstances& c,
                                    const ReportSettings& s) {
  const std::uint8_t lang = s.language;
  const bool ut = s.universalTime;
  const double zone = ut ? s.timeZone : 0.0;
  const double deltaT = ut ? s.deltaT : 0.0;
  const bool grey = !ut;

  std::vector<ReportLine> lines;
  lines.push_back({EclipseTypeLongName(r.EclipseType, lang), 12, false, grey});
  lines.push_back({"", 4, false, grey});
  lines.push_back({ut ? Text(text_row::kCivilTime, lang) + " [UTC" + s.timeZoneText + "]"
                      : Text(text_row::kTerrestrialTime, lang),
                   9, false, grey});
  lines.push_back({"", 4, false, grey});

  bool bold = false;
  const auto contact = [&](int labelRow, double instant, const double* duration) {
    std::string text = Text(labelRow, lang) + "\t" + FormatContactDate(r, instant, zone, deltaT) + "  " +
                       FormatContactClock(r, instant, zone, deltaT);
    if (duration) text += "  " + FormatPhaseDuration(*duration);
    lines.push_back({std::move(text), 10, bold, grey});
  };
  if (c.TimeP1 != 0) contact(text_row::kLabelP1, c.TimeP1, nullptr);
  if (c.TimeU1 != 0) contact(text_row::kLabelU1, c.TimeU1, nullptr);
  if (c.TimeU2 != 0) contact(text_row::kLabelU2, c.TimeU2, nullptr);
  bold = true;  // from greatest eclipse on, and never reset
  contact(text_row::kLabelMax, c.TimeMax, nullptr);
  if (c.TimeU3 != 0) {
    const double totality = c.TimeU3 - c.TimeU2;
    contact(text_row::kLabelU3, c.TimeU3, &totality);
  }
  if (c.TimeU4 != 0) {
    const double umbral = c.TimeU4 - c.TimeU1;
    contact(text_row::kLabelU4, c.TimeU4, &umbral);
  }
  if (c.TimeP1 != 0) {
    const double penumbral = c.TimeP4 - c.TimeP1;
    contact(text_row::kLabelP4, c.TimeP4, &penumbral);
  }
  return lines;
}

}  // namespace varomintel
