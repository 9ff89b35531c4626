#include "places/list_text.h"

#include <array>
#include <bit>
#include <cstdint>
#include <charconv>
#include <cmath>

#include "astro/calendar.h"
#include "astro/trig_func.h"
#include "places/place_texts.h"
#include "text/clock_text.h"
#include "text/number_text.h"
#include "text/text_table.h"
#include "text/utf8_text.h"

namespace varomintel {

ContactInstant ContactUniversalTime(const EclipseRecord& eclipse, double deltaT, double t) {
  const double hour = eclipse.T0Hour - deltaT / 3600.0 + t;
  double jd = DateToJD(eclipse.Year, eclipse.Month, eclipse.Day, hour, 0, 0);
  ContactInstant c;
  c.clock = FormatTimeOfDay(24 * FloatMod(jd + 0.5, 1));
  if (c.clock.rfind("24:", 0) == 0) {
    // Less than half a second before midnight rounds to the next day's 00:00:00, never
    // to 24:00:00 of this one.
    c.clock = "00:00:00";
    jd = std::floor(jd + 0.5) + 0.5;
  }
  const CalendarDate date = JDToDate(jd);
  c.year = date.year;
  c.month = date.month;
  c.day = date.day;
  return c;
}

std::string FormatDuration(double hours) {
  if (!std::isfinite(hours)) return "  -:--";
  // Whole minutes; bounded so that the conversion to an integer is defined.
  const double minutes = std::trunc(std::min(std::fabs(hours) * 60 + 0.5, 1e15));
  const auto n = static_cast<long long>(minutes);
  std::string text = PadLeft(std::to_string(n / 60), 3) + ":" + PadLeft(std::to_string(n % 60), 2);
  for (std::size_t i = 3; i < text.size(); ++i)
    if (text[i] == ' ') text[i] = '0';
  if (hours < 0 && n > 0) {
    const std::size_t digit = text.find_first_not_of(' ');
    if (digit > 0) text[digit - 1] = '-';
    else text.insert(0, 1, '-');
  }
  return text;
}

namespace {

// |degrees| as whole minutes (halves to even) in "DD°MM'H" with `degreeDigits` digits of
// degrees (the last ones when there are more).
void AppendAngle(std::string& out, double degrees, int degreeDigits, char positive, char negative) {
  if (!std::isfinite(degrees)) {  // never from the city file; kept out of the integer conversion
    out.append(static_cast<std::size_t>(degreeDigits), '-');
    out += "\u00B0--'-";
    return;
  }
  const double n = std::nearbyint(std::fabs(degrees) * 60);
  const auto total = static_cast<long long>(std::min(n, 1e15));
  long long d = total / 60;
  char digits[3];
  for (int i = degreeDigits - 1; i >= 0; --i, d /= 10) digits[i] = static_cast<char>('0' + d % 10);
  out.append(digits, static_cast<std::size_t>(degreeDigits));
  out += "\u00B0";
  const long long m = total % 60;
  out += static_cast<char>('0' + m / 10);
  out += static_cast<char>('0' + m % 10);
  out += '\'';
  out += degrees >= 0 ? positive : negative;
}

}  // namespace

std::string FormatLatitude(double degrees) {
  std::string out;
  AppendAngle(out, degrees, 2, 'N', 'S');
  return out;
}
std::string FormatLongitude(double degrees) {
  std::string out;
  AppendAngle(out, degrees, 3, 'E', 'W');
  return out;
}

const ContactInstant& ContactClock::At(Contact k, double t) {
  // The same double gives the same instant; NaN never compares equal and is converted anew.
  if (!known_[k] || !(t_[k] == t)) {
    instant_[k] = ContactUniversalTime(eclipse_, deltaT_, t);
    t_[k] = t;
    known_[k] = true;
  }
  return instant_[k];
}

namespace {

void AppendFixed(std::string& out, double value, int decimals);

// The same double to the bit: -0.0 and 0.0 are written differently, and NaN is never the same.
bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) && a == a; }

}  // namespace

const std::string& ContactClock::DurationText(double hours) {
  if (!durationKnown_ || !SameBits(durationHours_, hours)) {
    duration_ = FormatDuration(hours);
    duration_.erase(0, duration_.find_first_not_of(' '));
    durationHours_ = hours;
    durationKnown_ = true;
  }
  return duration_;
}

const std::string& ContactClock::DeltaTText() {
  if (deltaTText_.empty()) AppendFixed(deltaTText_, deltaT_, 1);
  return deltaTText_;
}

const std::string& ContactClock::MagnitudeText(double magnitude) {
  if (!magnitudeKnown_ || !SameBits(magnitude_, magnitude)) {
    magnitudeText_.clear();
    AppendFixed(magnitudeText_, magnitude, 3);
    magnitude_ = magnitude;
    magnitudeKnown_ = true;
  }
  return magnitudeText_;
}

namespace {

struct UtDate {
  int year = 0, month = 0, day = 0;
};

// Numbers appended as text: an integer, and fixed notation with `decimals` decimals.
void AppendInteger(std::string& out, long long value) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, r.ptr);
}

void AppendFixed(std::string& out, double value, int decimals) {
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) out += '?';
  else out.append(buf, r.ptr);
}

void AppendNumberColumn(std::string& out, long long value, std::size_t width) {
  std::string number;
  AppendInteger(number, value);
  AppendRightAligned(out, number, width);
  out += ' ';
}

// UT date of the first visible contact in the order P1..P4 (the date of T0 when none is).
UtDate LineDate(ContactClock& clock, const Place& place) {
  const EclipseRecord& e = clock.Eclipse();
  UtDate date{e.Year, e.Month, e.Day};
  for (auto c = kListContacts.rbegin(); c != kListContacts.rend(); ++c)
    if (place.ContactAltitude[*c] > 0) {
      const ContactInstant& instant = clock.At(*c, place.ContactTime[*c]);
      date = UtDate{instant.year, instant.month, instant.day};
    }
  return date;
}

// The head that both saved lists share: year, month and day of the line's date, Delta T
// with 1 decimal, phase type and country, each followed by a tab.
void AppendRecordHead(std::string& out, ContactClock& clock, const Place& place) {
  const UtDate date = LineDate(clock, place);
  for (const long long v : {static_cast<long long>(date.year), static_cast<long long>(date.month),
                            static_cast<long long>(date.day)}) {
    AppendInteger(out, v);
    out += '\t';
  }
  out += clock.DeltaTText();
  out += '\t';
  out += PhaseLetter(place.PhaseType);
  out += '\t';
  out += place.Country;
  out += '\t';
}

// The deepest phase's duration, trimmed FormatDuration text.
const std::string& DurationText(ContactClock& clock, const Place& place) {
  Contact first = Contact::P1, last = Contact::P4;
  if (place.PhaseType == LocalPhase::Partial) first = Contact::U1, last = Contact::U4;
  if (place.PhaseType == LocalPhase::Total) first = Contact::U2, last = Contact::U3;
  return clock.DurationText(place.ContactTime[last] - place.ContactTime[first]);
}

// The seven contact groups of a fixed-width line: 12 characters each, 24 for MAX.
void AppendContactGroups(std::string& out, ContactClock& clock, const Place& place) {
  std::string number;
  for (const Contact k : kListContacts) {
    if (!ContactVisible(place, k)) {
      out.append(k == Contact::Max ? 24 : 12, ' ');
      continue;
    }
    AppendRightAligned(out, clock.At(k, place.ContactTime[k]).clock, 8);
    out += ' ';
    number.clear();
    AppendInteger(number, static_cast<long long>(std::nearbyint(place.ContactAltitude[k] * RadToDeg)));
    AppendRightAligned(out, number, 2);
    out += ' ';
    if (k == Contact::Max) {
      AppendRightAligned(out, clock.MagnitudeText(place.Magnitude), 5);
      out += ' ';
      AppendRightAligned(out, DurationText(clock, place), 5);
      out += ' ';
    }
  }
}

// The fields of one visible contact, each followed by a tab except a last P4 altitude.
void AppendContactFields(std::string& out, ContactClock& clock, const Place& place, Contact k) {
  out += clock.At(k, place.ContactTime[k]).clock;
  out += '\t';
  AppendFixed(out, place.ContactAltitude[k] * RadToDeg, 1);
  if (k == Contact::Max) {
    out += '\t';
    out += clock.MagnitudeText(place.Magnitude);
    out += '\t';
    out += DurationText(clock, place);
  }
  if (k != Contact::P4) out += '\t';
}

// The contact columns of a saved record: the fields of each visible contact, and empty
// fields (two tabs, four for MAX) for the others; the city list ends at its last visible
// contact, the city history writes all seven.
void AppendContactColumns(std::string& out, ContactClock& clock, const Place& place, bool stopAtLastVisible) {
  Contact last = Contact::P4;
  if (stopAtLastVisible) {
    bool any = false;
    for (const Contact c : kListContacts)
      if (ContactVisible(place, c)) last = c, any = true;
    if (!any) return;
  }
  for (const Contact c : kListContacts) {
    if (ContactVisible(place, c)) AppendContactFields(out, clock, place, c);
    else out.append(c == Contact::Max ? 4 : 2, '\t');
    if (c == last) break;
  }
}

}  // namespace

std::string CityListLine(const EclipseRecord& eclipse, double deltaT, const Place& place) {
  ContactClock clock(eclipse, deltaT);
  return CityListLine(clock, place);
}

std::string CityListRecord(const EclipseRecord& eclipse, double deltaT, const Place& place) {
  ContactClock clock(eclipse, deltaT);
  return CityListRecord(clock, place);
}

std::string CityListLine(ContactClock& clock, const Place& place) {
  std::string out;
  out.reserve(200);
  AppendCityListLine(out, clock, place);
  return out;
}

void AppendCityListLine(std::string& out, ContactClock& clock, const Place& place) {
  if (!SeesEclipse(place)) return;
  const UtDate date = LineDate(clock, place);
  const auto right = [&](long long v, std::size_t width) { AppendNumberColumn(out, v, width); };
  right(date.year, 5);
  right(date.month, 2);
  right(date.day, 2);
  out += PhaseLetter(place.PhaseType);
  out += ' ';
  AppendLeftAligned(out, place.Country, 10);
  out += ' ';
  AppendLeftAligned(out, place.City, 10);
  out += ' ';
  AppendAngle(out, place.Latitude, 2, 'N', 'S');
  out += ' ';
  AppendAngle(out, place.Longitude, 3, 'E', 'W');
  out += ' ';
  right(place.Population, 8);
  AppendContactGroups(out, clock, place);
}

std::string CityListRecord(ContactClock& clock, const Place& place) {
  std::string out;
  out.reserve(220);
  AppendCityListRecord(out, clock, place);
  return out;
}

void AppendCityListRecord(std::string& out, ContactClock& clock, const Place& place) {
  if (!SeesEclipse(place)) return;
  AppendRecordHead(out, clock, place);
  out += place.City;
  out += '\t';
  AppendAngle(out, place.Latitude, 2, 'N', 'S');
  out += '\t';
  AppendAngle(out, place.Longitude, 3, 'E', 'W');
  out += '\t';
  AppendInteger(out, place.Population);
  out += '\t';
  AppendContactColumns(out, clock, place, /*stopAtLastVisible=*/true);
}

std::string CityHistLine(const EclipseRecord& eclipse, double deltaT, const Place& place) {
  ContactClock clock(eclipse, deltaT);
  return CityHistLine(clock, place);
}

std::string CityHistRecord(const EclipseRecord& eclipse, double deltaT, const Place& place) {
  ContactClock clock(eclipse, deltaT);
  return CityHistRecord(clock, place);
}

std::string CityHistLine(ContactClock& clock, const Place& place) {
  std::string out;
  out.reserve(180);
  AppendCityHistLine(out, clock, place);
  return out;
}

void AppendCityHistLine(std::string& out, ContactClock& clock, const Place& place) {
  if (!SeesEclipse(place)) return;
  const EclipseRecord& eclipse = clock.Eclipse();
  const UtDate date = LineDate(clock, place);
  const auto right = [&](long long v, std::size_t width) { AppendNumberColumn(out, v, width); };
  right(date.year, 5);
  right(date.month, 2);
  right(date.day, 2);
  right(static_cast<long long>(std::nearbyint(clock.DeltaT())), 6);  // halves to even
  out += PhaseLetter(place.PhaseType);
  out += ' ';
  AppendLeftAligned(out, place.Country, 5);
  out += ' ';
  right(eclipse.Saros, 4);
  right(eclipse.SarosMember, 2);
  right(eclipse.SarosCount, 2);
  AppendContactGroups(out, clock, place);
}

std::string CityHistRecord(ContactClock& clock, const Place& place) {
  std::string out;
  out.reserve(200);
  AppendCityHistRecord(out, clock, place);
  return out;
}

void AppendCityHistRecord(std::string& out, ContactClock& clock, const Place& place) {
  if (!SeesEclipse(place)) return;
  const EclipseRecord& eclipse = clock.Eclipse();
  AppendRecordHead(out, clock, place);
  const auto field = [&](long long v) {
    AppendInteger(out, v);
    out += '\t';
  };
  field(eclipse.Saros);
  field(eclipse.SarosMember);
  field(eclipse.SarosCount);
  AppendContactColumns(out, clock, place, /*stopAtLastVisible=*/false);
}


// ---- Column headers, legends, population items and status texts ----

namespace {

using K = PlacesText;

// Text-table rows of the city list's status text.
constexpr int kRowPlacesScanned = 55;  // "Places scanned"
constexpr int kRowPlacesFound = 56;    // "Places found"
constexpr int kPopulationItems = 10;
static_assert(static_cast<int>(K::kPopulation9) - static_cast<int>(K::kPopulation0) == kPopulationItems - 1);

// The texts handed out by reference, made once per language.
struct LanguageStrings {
  std::array<std::string, kLanguageCount> texts;
  explicit LanguageStrings(PlacesText key) {
    for (std::uint8_t l = 0; l < kLanguageCount; ++l) texts[l] = Text(key, l);
  }
  const std::string& In(std::uint8_t languageIndex) const { return texts[ValidLanguageIndex(languageIndex)]; }
};

// One explanation line of a legend: its key (a key empty in a language leaves the line out
// of that language's legend) and the explanation.
struct LegendRow {
  PlacesText key;
  PlacesText explanation;
};

// Everything that differs between the two legends.
struct LegendLayout {
  PlacesText underline;
  std::vector<LegendRow> rows;
  std::vector<const char*> templateHead;  // the dashes of the columns before the contacts
  bool templateInFrench;
  PlacesText firstColumn;  // the heads of the columns before the contacts: `columns` lines of the table
  int columns;
};

const LegendRow kYearRow = {K::kKeyYear, K::kExplainYear};
const LegendRow kMonthRow = {K::kKeyMonth, K::kExplainMonth};
const LegendRow kDayRow = {K::kKeyDay, K::kExplainDay};
const LegendRow kDeltaTRow = {K::kKeyDeltaT, K::kExplainDeltaT};
const LegendRow kTypeRow = {K::kKeyType, K::kExplainType};
const LegendRow kContactRows[] = {
    {K::kKeyP1, K::kExplainP1},   {K::kKeyHeight, K::kExplainHeight},
    {K::kKeyU1, K::kExplainU1},   {K::kKeyU2, K::kExplainU2},
    {K::kKeyMax, K::kExplainMax}, {K::kKeyMagnitude, K::kExplainMagnitude},
    {K::kKeyDuration, K::kExplainDuration}, {K::kKeyU3, K::kExplainU3},
    {K::kKeyU4, K::kExplainU4},   {K::kKeyP4, K::kExplainP4},
};

std::vector<LegendRow> WithContactRows(std::vector<LegendRow> rows, bool cityListTotality) {
  for (const LegendRow& row : kContactRows) {
    // The city list's English legend has always read "totalityt" here.
    if (cityListTotality && row.explanation == K::kExplainU2) rows.push_back({row.key, K::kExplainCityListU2});
    else rows.push_back(row);
  }
  return rows;
}

const LegendLayout& CityListLayout() {
  static const LegendLayout layout = {
      K::kCityListUnderline,
      WithContactRows({kYearRow, kMonthRow, kDayRow, kDeltaTRow, kTypeRow,
                       {K::kCityListKeySaros, K::kExplainSaros},
                       {K::kCityListKeySarosRank, K::kExplainSarosRank},
                       {K::kCityListKeySarosCount, K::kExplainSarosCount},
                       {K::kCityListKeyCountry, K::kExplainCountry},
                       {K::kCityListKeyCity, K::kExplainCity},
                       {K::kCityListKeyLatitude, K::kExplainLatitude},
                       {K::kCityListKeyLongitude, K::kExplainLongitude},
                       {K::kCityListKeyAltitude, K::kExplainAltitude},
                       {K::kCityListKeyPopulation, K::kExplainPopulation}},
                      true),
      {"----", "--", "--", "-------", "-", "----------", "----------", "--°--'--H", "---°--'--H", "-------"},
      true,
      K::kCityListColumn0,
      10,
  };
  return layout;
}

const LegendLayout& CityHistLayout() {
  static const LegendLayout layout = {
      K::kCityHistUnderline,
      WithContactRows({kYearRow, kMonthRow, kDayRow, kDeltaTRow, kTypeRow,
                       {K::kCityHistKeyCity, K::kExplainCity},
                       {K::kCityHistKeySaros, K::kExplainSaros},
                       {K::kCityHistKeySarosRank, K::kExplainSarosRank},
                       {K::kCityHistKeySarosCount, K::kExplainSarosCount}},
                      false),
      {"----", "--", "--", "-------", "-", "----------", "---", "--", "--"},
      false,
      K::kCityHistColumn0,
      9,
  };
  return layout;
}
static_assert(static_cast<int>(K::kCityListColumn9) - static_cast<int>(K::kCityListColumn0) == 9);
static_assert(static_cast<int>(K::kCityHistColumn8) - static_cast<int>(K::kCityHistColumn0) == 8);

std::vector<std::string> BuildLegend(const LegendLayout& layout, std::uint8_t languageIndex) {
  static const char* const kContactColumns[] = {"P1(UT)", "H°", "U1(UT)", "H°",    "U2(UT)", "H°", "Max.(UT)", "H°",
                                                "magn",   "hh:mm", "U3(UT)", "H°", "U4(UT)", "H°", "P4(UT)",   "H°"};
  const std::uint8_t lang = ValidLanguageIndex(languageIndex);
  std::vector<std::string> lines = {Text(K::kLegendTitle, lang), Text(layout.underline, lang)};
  for (const LegendRow& row : layout.rows)
    if (*Text(row.key, lang)) lines.push_back(std::string(Text(row.key, lang)) + "\t" + Text(row.explanation, lang));
  if (lang != kFrench || layout.templateInFrench) {
    std::string templ;
    for (const char* piece : layout.templateHead) templ += std::string(piece) + "\t";
    for (int i = 0; i < 4; ++i) templ += "--:--:--\t---.-\t";
    templ += "-.---\t--:--\t";
    for (int i = 0; i < 3; ++i) templ += "--:--:--\t---.-\t";
    lines.push_back(templ);
  }
  lines.emplace_back();
  std::string keys;
  for (int c = 0; c < layout.columns; ++c)
    keys += std::string(keys.empty() ? "" : "\t") + Text(Nth(layout.firstColumn, c), lang);
  for (const char* key : kContactColumns) keys += std::string("\t") + key;
  lines.push_back(keys);
  return lines;
}

}  // namespace

const std::string& CityListHeader(std::uint8_t languageIndex) {
  static const LanguageStrings header(K::kCityListHeader);
  return header.In(languageIndex);
}

const std::string& CityHistHeader(std::uint8_t languageIndex) {
  static const LanguageStrings header(K::kCityHistHeader);
  return header.In(languageIndex);
}

std::vector<std::string> CityListLegend(std::uint8_t languageIndex) { return BuildLegend(CityListLayout(), languageIndex); }
std::vector<std::string> CityHistLegend(std::uint8_t languageIndex) { return BuildLegend(CityHistLayout(), languageIndex); }

const std::string& PopulationItemText(int item, std::uint8_t languageIndex) {
  static const std::string empty;
  static const std::vector<LanguageStrings> items = [] {
    std::vector<LanguageStrings> all;
    for (int i = 0; i < kPopulationItems; ++i) all.emplace_back(Nth(K::kPopulation0, i));
    return all;
  }();
  if (item < 0 || item >= kPopulationItems) return empty;
  return items[static_cast<std::size_t>(item)].In(languageIndex);
}

std::string CityListStatus(long scanned, long found, std::uint8_t languageIndex) {
  const std::uint8_t lang = ValidLanguageIndex(languageIndex);
  return std::to_string(scanned) + " " + Text(kRowPlacesScanned, lang) + ". " + std::to_string(found) + " " +
         Text(kRowPlacesFound, lang);
}

std::string CityHistStatus(int year, std::uint8_t languageIndex) {
  static const LanguageStrings calculating(K::kCityHistCalculating);
  std::string text = calculating.In(languageIndex);
  text.replace(text.find('#'), 1, std::to_string(year));
  return text;
}

const std::string& CityHistDone(std::uint8_t languageIndex) {
  static const LanguageStrings done(K::kCityHistDone);
  return done.In(languageIndex);
}

}  // namespace varomintel
