#include "places/local_sky_text.h"

#include <algorithm>
#include <cmath>

#include "astro/calendar.h"
#include "eclipse/eclipse_type.h"
#include "eclipse/report.h"
#include "places/list_text.h"
#include "places/place_texts.h"
#include "text/number_text.h"
#include "text/utf8_text.h"

namespace varomintel {

namespace {

using K = PlacesText;

static_assert(static_cast<int>(K::kCompassNNW) - static_cast<int>(K::kCompassN) == 15);
static_assert(static_cast<int>(K::kDirectionNNW) - static_cast<int>(K::kDirectionN) == 15);
static_assert(static_cast<int>(K::kTwilightNight) - static_cast<int>(K::kTwilightDay) == 4);
static_assert(static_cast<int>(K::kTwilightPhraseNight) - static_cast<int>(K::kTwilightPhraseDay) == 4);
static_assert(static_cast<int>(K::kHeaderVisible) - static_cast<int>(K::kHeaderContact) == 8);

// Out-of-range language bytes read English here, as the command line's default.
std::uint8_t Lang(std::uint8_t l) { return l < kLanguageCount ? l : kEnglish; }

// At a pole every direction is south (or north): the azimuth the formulas give there
// follows the longitude entered and names no direction. Within a micro-degree (0.1 m).
bool AtPole(const Observer& observer) { return std::abs(observer.latitudeDeg) > 90 - 1e-6; }

int CompassIndex(double azimuthDeg) {
  double a = std::fmod(azimuthDeg, 360.0);
  if (a < 0) a += 360.0;
  return static_cast<int>(std::floor(a / 22.5 + 0.5)) % 16;
}

// Phases from the deepest: totality, the umbral (partial) phase, the penumbral phase.
struct PhaseSpan {
  Contact begin, end;
  PlacesText name;
};

// Columns: contact, date, clock, Moon's altitude, azimuth, axis altitude, Sun's
// altitude, sky, visible (kHeaderContact ... kHeaderVisible in the table).
constexpr std::size_t kWidths[9] = {8, 12, 10, 8, 10, 8, 8, 25, 8};

std::string Degrees(double value, int decimals, bool sign) {
  std::string text = FormatFixed(value == 0 ? 0.0 : value, decimals);
  if (sign && value >= 0) text.insert(text.begin(), '+');
  return text + "\u00B0";
}

std::string Date(const EclipseRecord& e, double t, double zone, double deltaT) {
  std::string d = FormatContactDate(e, t, zone, deltaT);
  d.erase(0, d.find_first_not_of(' '));
  return d;
}

// The calendar date FormatContactDate shows.
CalendarDate DateOf(const EclipseRecord& e, double t, double zone, double deltaT) {
  return JDToDate(DateToJD(e.Year, e.Month, e.Day, e.T0Hour + zone, 0, t * 3600 - deltaT));
}

// Hours with a sign and two decimals, "-" when there are none.
std::string Hours(const std::optional<double>& h, bool sign) {
  if (!h) return "-";
  std::string text = FormatFixed(std::fabs(*h) < 0.005 ? 0.0 : *h, 2);
  if (sign && *h >= 0) text.insert(text.begin(), '+');
  return text;
}

}  // namespace

const char* TwilightText(Twilight twilight, std::uint8_t languageIndex) {
  return Text(Nth(K::kTwilightDay, static_cast<int>(twilight)), Lang(languageIndex));
}

const char* CompassPoint(double azimuthDeg, std::uint8_t languageIndex) {
  return Text(Nth(K::kCompassN, CompassIndex(azimuthDeg)), Lang(languageIndex));
}

std::string AzimuthText(double azimuthDeg, std::uint8_t languageIndex) {
  return PadLeft(std::to_string(std::lround(azimuthDeg) % 360), 3, '0') + "\u00B0 " +
         CompassPoint(azimuthDeg, languageIndex);
}

const char* VisibleAnswer(bool visible, std::uint8_t languageIndex) {
  return Text(visible ? K::kYes : K::kNo, Lang(languageIndex));
}

std::string HorizonCrossingText(bool rising, const std::string& when, std::uint8_t languageIndex) {
  const std::uint8_t l = Lang(languageIndex);
  return std::string(Text(rising ? K::kMoonrise : K::kMoonset, l)) + Text(K::kColon, l) + when;
}

const char* NoCrossingText(std::uint8_t languageIndex) { return Text(K::kNoCrossing, Lang(languageIndex)); }

std::string LocalSummary(const EclipseRecord& eclipse, double deltaT, const Observer& observer,
                         const LocalEclipseView& view, std::uint8_t languageIndex) {
  const std::uint8_t l = Lang(languageIndex);
  if (!view.eclipse) return Text(K::kNoEclipse, l);
  if (!view.visible.visible) return Text(K::kNotVisible, l);
  const PhaseSpan phases[] = {{Contact::U2, Contact::U3, K::kTotality},
                              {Contact::U1, Contact::U4, K::kPartialPhase},
                              {Contact::P1, Contact::P4, K::kPenumbralPhase}};
  for (const PhaseSpan& phase : phases) {
    const VisibleSpan span = VisiblePhase(view, phase.begin, phase.end);
    if (!span.visible) continue;
    const bool whole = span.first == view.contacts[phase.begin]->t && span.last == view.contacts[phase.end]->t &&
                       std::none_of(view.crossings.begin(), view.crossings.end(), [&](const HorizonCrossing& c) {
                         return c.t > span.first && c.t < span.last;
                       });
    // The Moon at greatest eclipse, or at the nearest instant of the phase when it is up.
    const double tMax = view.contacts[Contact::Max]->t;
    const double t = std::clamp(tMax, span.first, span.last);
    const LocalSkyAt sky = SkyAt(eclipse, deltaT, observer, t);
    const long altitude = std::lround(std::max(0.0, sky.moonApparentAltitudeDeg));
    std::string s = std::string(Text(phase.name, l)) + Text(whole ? K::kVisible : K::kPartlyVisible, l) +
                    Text(K::kMoonHigh, l) + std::to_string(altitude) + Text(K::kHighUnit, l) +
                    (AtPole(observer) ? std::string()
                                      : std::string(" ") + Text(Nth(K::kDirectionN, CompassIndex(sky.moonAzimuthDeg)), l)) +
                    Text(Nth(K::kTwilightPhraseDay, static_cast<int>(sky.twilight)), l);
    const bool risesLate = !view.contacts[Contact::P1]->sky.moonVisible;
    const bool setsEarly = !view.contacts[Contact::P4]->sky.moonVisible;
    if (risesLate && setsEarly) s += std::string(Text(K::kSeparator, l)) + Text(K::kBoth, l);
    else if (risesLate) s += std::string(Text(K::kSeparator, l)) + Text(K::kBeginsBeforeRise, l);
    else if (setsEarly) s += std::string(Text(K::kSeparator, l)) + Text(K::kEndsAfterSet, l);
    return s + ".";
  }
  return Text(K::kNotVisible, l);
}

std::string DeltaTVerdictText(const DeltaTVisibility& v, double modelDeltaT, double sigma, std::uint8_t languageIndex) {
  const std::uint8_t l = Lang(languageIndex);
  if (v.verdict == DeltaTVerdict::Certain) return Text(K::kVisibleWhateverDeltaT, l);
  if (v.verdict == DeltaTVerdict::Impossible) return Text(K::kInvisibleWhateverDeltaT, l);
  const double from = modelDeltaT - 2 * sigma;
  const double to = modelDeltaT + 2 * sigma;
  const auto seconds = [](double s) { return FormatFixed(std::nearbyint(s) + 0.0, 0) + " s"; };
  std::string text = Text(K::kVisibleOnlyIf, l);
  bool first = true;
  for (const auto& [lo, hi] : v.intervals) {
    if (hi < from || lo > to) continue;
    if (!first) text += Text(K::kDeltaTOr, l);
    first = false;
    if (lo <= from) text += "Delta T < " + seconds(hi);
    else if (hi >= to) text += "Delta T > " + seconds(lo);
    else text += seconds(lo) + " < Delta T < " + seconds(hi);
  }
  return text;
}

std::string HistoriansDateNote(const CalendarDate& date, std::uint8_t languageIndex) {
  if (!IsJulianCalendarDate(date)) return {};
  const std::uint8_t l = Lang(languageIndex);
  // The pattern's "#" is the year: "# BC", "AD #", "# v. Chr.".
  std::string year = Text(date.year <= 0 ? K::kYearBC : K::kYearAD, l);
  const long long number = date.year <= 0 ? 1 - static_cast<long long>(date.year) : date.year;
  year.replace(year.find('#'), 1, std::to_string(number));
  return " (" + year + Text(K::kJulianCalendar, l) + ")";
}

std::string HistoriansMaxDate(const EclipseRecord& record, const EclipseCircumstances& circumstances, double zone,
                              double deltaT, std::uint8_t languageIndex) {
  const CalendarDate date = JDToDate(DateToJD(record.Year, record.Month, record.Day, record.T0Hour + zone, 0,
                                              circumstances.TimeMax * 3600 - deltaT));
  if (!IsJulianCalendarDate(date)) return {};
  std::string day = FormatContactDate(record, circumstances.TimeMax, zone, deltaT);
  day.erase(0, day.find_first_not_of(' '));
  return day + HistoriansDateNote(date, languageIndex);
}

std::vector<std::string> HistorianClockLines(const LocalEclipseView& view, const PerContact<HistorianClock>& clocks,
                                             std::uint8_t languageIndex) {
  const std::uint8_t l = Lang(languageIndex);
  constexpr std::size_t kContactWidth = 8, kWidth = 16;
  std::vector<std::string> lines{Text(K::kClockTitle, l)};
  std::string header;
  AppendLeftAligned(header, Text(K::kClockColumn0, l), kContactWidth);
  for (int c = 1; c <= 6; ++c) AppendLeftAligned(header, Text(Nth(K::kClockColumn1, c - 1), l), kWidth);
  header += Text(K::kClockColumn7, l);
  lines.push_back(header);
  for (const Contact k : kListContacts) {
    if (!view.contacts[k]) continue;
    const HistorianClock& c = clocks[k];
    std::string line;
    AppendLeftAligned(line, ContactName(k), kContactWidth);
    AppendLeftAligned(line, Hours(c.hoursAfterSunset, false), kWidth);
    AppendLeftAligned(line, Hours(c.hoursBeforeSunrise, false), kWidth);
    AppendLeftAligned(line, Hours(c.seasonalHourH, false), kWidth);
    AppendLeftAligned(line, Hours(c.hoursFromMidnight, true), kWidth);
    AppendLeftAligned(line, Hours(c.hoursAfterMoonrise, false), kWidth);
    AppendLeftAligned(line, Hours(c.hoursBeforeMoonset, false), kWidth);
    line += ClockText(c.localApparentTimeH);
    lines.push_back(line);
  }
  lines.push_back(Text(K::kClockLegend, l));
  return lines;
}

const char* DeltaTVerdictTitle(std::uint8_t languageIndex) { return Text(K::kDeltaTVerdictTitle, Lang(languageIndex)); }

std::vector<std::string> LocalSkyLines(int index, const EclipseRecord& eclipse, double deltaT,
                                       const Observer& observer, const std::string& name,
                                       const LocalEclipseView& view, double zone, std::uint8_t languageIndex) {
  const std::uint8_t l = Lang(languageIndex);
  std::vector<std::string> lines;
  const double tMax = view.contacts[Contact::Max] ? view.contacts[Contact::Max]->t : 0.0;
  lines.push_back(std::string(Text(K::kTitleEclipse, l)) + std::to_string(index) + ": " +
                  EclipseTypeLongName(eclipse.EclipseType, l) + ", " + Date(eclipse, tMax, zone, deltaT) +
                  HistoriansDateNote(DateOf(eclipse, tMax, zone, deltaT), l));
  const double metres = std::round(observer.heightM);
  lines.push_back(std::string(Text(K::kPlace, l)) + (name.empty() ? std::string() : name + ", ") +
                  FormatLatitude(observer.latitudeDeg) + " " + FormatLongitude(observer.longitudeDeg) + Text(K::kHeight, l) +
                  FormatFixed(metres == 0 ? 0.0 : metres, 0) + " m");
  lines.push_back(std::string(Text(K::kTimesIn, l)) + (zone == 0 ? std::string("UT") : "UT" + FormatTimeZone(zone)));
  lines.emplace_back();
  const auto head = [l](int column) { return Text(Nth(K::kHeaderContact, column), l); };
  std::string header;
  AppendLeftAligned(header, head(0), kWidths[0]);
  AppendLeftAligned(header, head(1), kWidths[1]);
  AppendLeftAligned(header, head(2), kWidths[2]);
  for (int c = 3; c <= 6; ++c) {
    header += ' ';
    if (c == 4) AppendLeftAligned(header, head(c), kWidths[c] - 1);
    else AppendRightAligned(header, head(c), kWidths[c] - 1);
  }
  header += "  ";
  AppendLeftAligned(header, head(7), kWidths[7]);
  header += head(8);
  lines.push_back(header);
  for (const Contact k : kListContacts) {
    const auto& c = view.contacts[k];
    if (!c) continue;
    std::string line;
    AppendLeftAligned(line, ContactName(k), kWidths[0]);
    AppendLeftAligned(line, Date(eclipse, c->t, zone, deltaT), kWidths[1]);
    AppendLeftAligned(line, FormatContactClock(eclipse, c->t, zone, deltaT), kWidths[2]);
    line += ' ';
    AppendRightAligned(line, Degrees(c->sky.moonApparentAltitudeDeg, 1, true), kWidths[3] - 1);
    line += ' ';
    // "074° ENE", "092° E  ": the degrees line up, the compass point follows.
    AppendLeftAligned(line, AtPole(observer) ? std::string("-") : AzimuthText(c->sky.moonAzimuthDeg, l),
                      kWidths[4] - 1);
    line += ' ';
    AppendRightAligned(line, Degrees(c->shadowAxisAltitudeDeg, 1, true), kWidths[5] - 1);
    line += ' ';
    AppendRightAligned(line, Degrees(c->sky.sunAltitudeDeg, 1, true), kWidths[6] - 1);
    line += "  ";
    AppendLeftAligned(line, TwilightText(c->sky.twilight, l), kWidths[7]);
    line += VisibleAnswer(c->sky.moonVisible, l);
    lines.push_back(line);
  }
  lines.emplace_back();
  if (view.crossings.empty()) lines.push_back(NoCrossingText(l));
  for (const HorizonCrossing& x : view.crossings)
    lines.push_back(HorizonCrossingText(
        x.rising, Date(eclipse, x.t, zone, deltaT) + " " + FormatContactClock(eclipse, x.t, zone, deltaT), l));
  lines.emplace_back();
  lines.push_back(LocalSummary(eclipse, deltaT, observer, view, l));
  lines.push_back(Text(K::kLegend, l));
  return lines;
}

}  // namespace varomintel
