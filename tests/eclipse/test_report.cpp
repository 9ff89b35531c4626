#include "eclipse/report.h"

#include <gtest/gtest.h>

#include "../support/synthetic_eclipse.h"

namespace varomintel {
namespace {

EclipseCircumstances TotalAt(double p1, double u1, double u2, double max, double u3, double u4, double p4) {
  EclipseCircumstances c;
  c.TimeP1 = p1;
  c.TimeU1 = u1;
  c.TimeU2 = u2;
  c.TimeMax = max;
  c.TimeU3 = u3;
  c.TimeU4 = u4;
  c.TimeP4 = p4;
  return c;
}

std::vector<std::string> Texts(const std::vector<ReportLine>& lines) {
  std::vector<std::string> t;
  for (const ReportLine& l : lines) t.push_back(l.text);
  return t;
}

TEST(Report, TotalEclipseInTerrestrialTime) {
  EclipseRecord r = testing::LinearEclipse{}.Record(2022, 11, 8, 11);
  r.EclipseType = EclipseTypeCode::Total;
  const EclipseCircumstances c = TotalAt(-2.5, -1.5, -0.5, 0.1, 0.75, 1.75, 2.5);
  ReportSettings s;
  s.language = 1;
  s.universalTime = false;
  s.deltaT = 69.2;   // ignored in terrestrial time
  s.timeZone = 5;    // ignored too
  const std::vector<ReportLine> lines = BuildReport(r, c, s);
  const std::vector<std::string> expected = {
      "Total Lunar Eclipse",
      "",
      "Times are Terrestrial Time (TT)",
      "",
      "Begin of Penumbral Eclipse\t 2022-11-08  08:30:00",
      "Begin of Umbral Eclipse   \t 2022-11-08  09:30:00",
      "Begin of Totality                  \t 2022-11-08  10:30:00",
      "Maximum Eclipse              \t 2022-11-08  11:06:00",
      "End of Totality                    \t 2022-11-08  11:45:00  1h15min",
      "End of Umbral Eclipse     \t 2022-11-08  12:45:00  3h15min",
      "End of Penumbral Eclipse  \t 2022-11-08  13:30:00  5h00min",
  };
  EXPECT_EQ(Texts(lines), expected);
  // Sizes 12/4/9/4/10, grey throughout, bold from the Max line on and never reset.
  const int sizes[] = {12, 4, 9, 4, 10, 10, 10, 10, 10, 10, 10};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].pointSize, sizes[i]) << i;
    EXPECT_TRUE(lines[i].grey) << i;
    EXPECT_EQ(lines[i].bold, i >= 7) << i;
  }
}

TEST(Report, UniversalTimeAppliesDeltaTAndTheZone) {
  EclipseRecord r = testing::LinearEclipse{}.Record(2022, 11, 8, 11);
  r.EclipseType = EclipseTypeCode::Total;
  const EclipseCircumstances c = TotalAt(-2.5, -1.5, -0.5, 0.1, 0.75, 1.75, 2.5);
  ReportSettings s;
  s.language = 0;
  s.deltaT = 69.2;
  s.timeZone = 1;
  s.timeZoneText = FormatTimeZone(1);
  const std::vector<ReportLine> lines = BuildReport(r, c, s);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0].text, "Totale Mondfinsternis");
  EXPECT_EQ(lines[2].text, "Zeitangaben sind Uhrzeit [UTC+1.00]");
  // 08:30:00 TT - 69.2 s + 1 h.
  EXPECT_EQ(lines[4].text, "Eintritt in den Halbschatten\t 2022-11-08  09:28:51");
  EXPECT_EQ(lines[10].text, "Austritt aus dem Halbschatten\t 2022-11-08  14:28:51  5h00min");
  for (const ReportLine& l : lines) EXPECT_FALSE(l.grey);
}

TEST(Report, PenumbralAndPartialEclipsesShowTheirContactsOnly) {
  EclipseRecord r = testing::LinearEclipse{}.Record();
  r.EclipseType = EclipseTypeCode::PartialPenumbral;
  EclipseCircumstances pen;
  pen.TimeP1 = -2;
  pen.TimeP2 = -1;  // P2 and P3 never appear in the report
  pen.TimeP3 = 1;
  pen.TimeMax = 0.01;
  pen.TimeP4 = 2;
  ReportSettings s;
  s.language = 2;
  std::vector<ReportLine> lines = BuildReport(r, pen, s);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0].text, "Eclipse lunaire par la pénombre (part.)");
  EXPECT_EQ(lines[4].text.substr(0, lines[4].text.find('\t')), "Entrée dans la pénombre");
  EXPECT_EQ(lines[5].text.substr(0, lines[5].text.find('\t')), "Maximum de l'éclipse        ");
  EXPECT_EQ(lines[6].text.substr(lines[6].text.size() - 7), "4h00min");

  r.EclipseType = EclipseTypeCode::PartialUmbral;
  EclipseCircumstances partial = pen;
  partial.TimeU1 = -0.5;
  partial.TimeU4 = 0.5;
  s.language = 1;
  lines = BuildReport(r, partial, s);
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[5].text.substr(0, 7), "Begin o");  // U1
  EXPECT_EQ(lines[7].text.substr(0, 21), "End of Umbral Eclipse");
  EXPECT_EQ(lines[7].text.substr(lines[7].text.size() - 7), "1h00min");
}

TEST(Report, DatesFollowEachContactAcrossMidnight) {
  EclipseRecord r = testing::LinearEclipse{}.Record(2022, 12, 31, 23);
  r.EclipseType = EclipseTypeCode::PartialPenumbral;
  EclipseCircumstances c;
  c.TimeP1 = -0.75;  // 22:15 TT on Dec 31
  c.TimeMax = 0.25;
  c.TimeP4 = 1.5;    // 00:30 TT on Jan 1
  ReportSettings s;
  s.language = 1;
  s.universalTime = false;
  std::vector<ReportLine> lines = BuildReport(r, c, s);
  EXPECT_EQ(lines[4].text.substr(lines[4].text.find('\t')), "\t 2022-12-31  22:15:00");
  EXPECT_EQ(lines[6].text.substr(lines[6].text.find('\t')), "\t 2023-01-01  00:30:00  2h15min");

  // In universal time a contact at 23:30 UT moves to the next date with zone +1.
  s.universalTime = true;
  s.deltaT = 0;
  s.timeZone = 1;
  lines = BuildReport(r, c, s);
  EXPECT_EQ(lines[5].text.substr(lines[5].text.find('\t')), "\t 2023-01-01  00:15:00");
  s.timeZone = 0;
  lines = BuildReport(r, c, s);
  EXPECT_EQ(lines[5].text.substr(lines[5].text.find('\t')), "\t 2022-12-31  23:15:00");
}

TEST(Report, ContactDatesOverTheWholeSpan) {
  EclipseRecord r = testing::LinearEclipse{}.Record(2000, 1, 21, 4);
  EXPECT_EQ(FormatContactDate(r, 0, 0, 0), " 2000-01-21");
  r = testing::LinearEclipse{}.Record(-1234, 3, 5, 12);
  EXPECT_EQ(FormatContactDate(r, 0, 0, 0), "-1234-03-05");
  r = testing::LinearEclipse{}.Record(333, 12, 31, 12);
  EXPECT_EQ(FormatContactDate(r, 0, 0, 0), "  333-12-31");
  // Delta T of hours in antiquity moves the civil date back.
  r = testing::LinearEclipse{}.Record(-500, 6, 10, 2);
  EXPECT_EQ(FormatContactDate(r, 0, 0, 17125.0), " -500-06-09");
  EXPECT_EQ(FormatContactClock(r, 0, 0, 17125.0), "21:14:35");
}

TEST(Report, PhaseDurationsRoundToWholeMinutes) {
  EXPECT_EQ(FormatPhaseDuration(1.5), "1h30min");
  EXPECT_EQ(FormatPhaseDuration(0.9999), "1h00min");
  EXPECT_EQ(FormatPhaseDuration(3.2), "3h12min");
  EXPECT_EQ(FormatPhaseDuration(59.5 / 60), "1h00min");
  EXPECT_EQ(FormatPhaseDuration(59.4 / 60), "0h59min");
  EXPECT_EQ(FormatPhaseDuration(0.05), "0h03min");
}

TEST(Report, TimeZoneTexts) {
  EXPECT_EQ(FormatTimeZone(ClampTimeZone(25)), "+18.00");
  EXPECT_EQ(FormatTimeZone(ClampTimeZone(-30)), "-18.00");
  EXPECT_EQ(FormatTimeZone(-3.456), "-3.46");
  EXPECT_EQ(FormatTimeZone(0), "+0.00");
  EXPECT_EQ(FormatTimeZone(-0.0), "+0.00");
  EXPECT_EQ(FormatTimeZone(5.5), "+5.50");
}

}  // namespace
}  // namespace varomintel
