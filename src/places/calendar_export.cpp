#include "places/calendar_export.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <ctime>
#include <utility>

#include "astro/calendar.h"
#include "astro/trig_func.h"
#include "eclipse/eclipse_type.h"
#include "places/local_sky.h"
#include "places/local_sky_text.h"
#include "places/place_texts.h"
#include "text/utf8_text.h"

namespace varomintel {

namespace {

constexpr double kUnixEpochJulianDay = 2440587.5;  // 1970-01-01T00:00:00 UT
constexpr long long kSecondsPerDay = 86400;

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

std::string Fixed(double value, int decimals) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("?");
}

std::string Digits(long long value, int width) {
  std::string s = std::to_string(value < 0 ? -value : value);
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
  return value < 0 ? "-" + s : s;
}

// "20221108T105911Z" (RFC 5545 DATE-TIME in UTC).
std::string CalendarDateTime(const GregorianInstant& g) {
  return Digits(g.year, 4) + Digits(g.month, 2) + Digits(g.day, 2) + "T" + Digits(g.hour, 2) +
         Digits(g.minute, 2) + Digits(g.second, 2) + "Z";
}

// "2022-11-08 10:59:11 UTC", the same instant for people.
std::string ReadableUtc(const GregorianInstant& g) {
  return Digits(g.year, 4) + "-" + Digits(g.month, 2) + "-" + Digits(g.day, 2) + " " + Digits(g.hour, 2) + ":" +
         Digits(g.minute, 2) + ":" + Digits(g.second, 2) + " UTC";
}

using K = PlacesText;

const char* ContactLabel(Contact c, std::uint8_t l) {
  switch (c) {
    case Contact::P1: return Text(K::kCalendarContactP1, l);
    case Contact::U1: return Text(K::kCalendarContactU1, l);
    case Contact::U2: return Text(K::kCalendarContactU2, l);
    case Contact::Max: return Text(K::kCalendarContactMax, l);
    case Contact::U3: return Text(K::kCalendarContactU3, l);
    case Contact::U4: return Text(K::kCalendarContactU4, l);
    case Contact::P4: return Text(K::kCalendarContactP4, l);
    default: return "?";
  }
}

// "47.3769° N, 8.5417° E".
std::string Coordinates(const CalendarPlace& p) {
  return Fixed(std::fabs(p.latitude), 4) + "\u00B0 " + (p.latitude >= 0 ? "N" : "S") + ", " +
         Fixed(std::fabs(p.longitude), 4) + "\u00B0 " + (p.longitude >= 0 ? "E" : "W");
}

// "47.3769N-8.5417E": the place part of a UID.
std::string UidPlace(const CalendarPlace& p) {
  return Fixed(std::fabs(p.latitude), 4) + (p.latitude >= 0 ? "N" : "S") + "-" + Fixed(std::fabs(p.longitude), 4) +
         (p.longitude >= 0 ? "E" : "W");
}

class Lines {
 public:
  void Add(const std::string& name, const std::string& value) { text_ += FoldCalendarLine(name + ":" + value); }
  std::string& Text() { return text_; }

 private:
  std::string text_;
};

}  // namespace

GregorianInstant GregorianFromJulianDay(double julianDayUT) {
  // Seconds from the Unix epoch; a double holds them to far below a second over the catalogue.
  const double s = std::nearbyint((julianDayUT - kUnixEpochJulianDay) * kSecondsPerDay);
  const long long seconds = static_cast<long long>(std::fmax(std::fmin(s, 9e15), -9e15));
  const long long days = FloorDiv(seconds, kSecondsPerDay);
  const long long ofDay = seconds - days * kSecondsPerDay;
  // civil_from_days: days since 1970-01-01 to year, month, day of the proleptic Gregorian calendar.
  const long long z = days + 719468;
  const long long era = FloorDiv(z, 146097);
  const long long doe = z - era * 146097;                                // [0, 146096]
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);         // [0, 365]
  const long long mp = (5 * doy + 2) / 153;                              // [0, 11], March first
  GregorianInstant g;
  g.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  g.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  g.year = yoe + era * 400 + (g.month <= 2 ? 1 : 0);
  g.hour = static_cast<int>(ofDay / 3600);
  g.minute = static_cast<int>(ofDay / 60 % 60);
  g.second = static_cast<int>(ofDay % 60);
  return g;
}

double ContactJulianDayUT(const EclipseRecord& eclipse, double deltaT, double t) {
  return DateToJD(eclipse.Year, eclipse.Month, eclipse.Day, eclipse.T0Hour - deltaT / 3600.0 + t, 0, 0);
}

std::string IsoUtcText(const GregorianInstant& g) {
  if (g.year < 1 || g.year > 9999) return {};
  return Digits(g.year, 4) + "-" + Digits(g.month, 2) + "-" + Digits(g.day, 2) + "T" + Digits(g.hour, 2) + ":" +
         Digits(g.minute, 2) + ":" + Digits(g.second, 2) + "Z";
}

CalendarEclipse CalendarEclipseFromHit(const CityHistHit& hit) {
  return CalendarEclipse{hit.index, hit.eclipse, hit.deltaT, hit.place, true};
}

std::string EscapeCalendarText(const std::string& raw) {
  const std::string text = ValidUtf8(raw);  // a calendar is UTF-8 throughout (RFC 5545 §3.1.4)
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
      out += c;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;  // CR LF is one break
      out += "\\n";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      out += ' ';  // other control characters are not allowed in a TEXT value
    } else {
      out += c;
    }
  }
  return out;
}

std::string FoldCalendarLine(const std::string& line) {
  constexpr std::size_t kMaxOctets = 75;
  std::string out;
  std::size_t start = 0;
  std::size_t room = kMaxOctets;  // the first line has 75 octets, the others a blank and 74
  while (line.size() - start > room) {
    std::size_t cut = start + room;
    while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
    // No character starts within the room: the line is not UTF-8 there. Cut at the room,
    // so that every turn moves on.
    if (cut == start) cut = start + room;
    out.append(line, start, cut - start);
    out += "\r\n ";
    start = cut;
    room = kMaxOctets - 1;
  }
  out.append(line, start, std::string::npos);
  out += "\r\n";
  return out;
}

std::string CurrentDtStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y%m%dT%H%M%SZ", &utc);
  return buf;
}

CalendarFile CityHistCalendar(const std::vector<CalendarEclipse>& eclipses, const CalendarPlace& place,
                              std::uint8_t languageIndex, const std::string& productId,
                              const std::string& dtstamp) {
  const std::uint8_t l = languageIndex < kLanguageCount ? languageIndex : kEnglish;
  CalendarFile file;
  Lines lines;
  lines.Add("BEGIN", "VCALENDAR");
  lines.Add("VERSION", "2.0");
  lines.Add("PRODID", productId);
  lines.Add("CALSCALE", "GREGORIAN");
  lines.Add("METHOD", "PUBLISH");
  const std::string where = place.name.empty() ? Coordinates(place) : place.name;
  lines.Add("X-WR-CALNAME", EscapeCalendarText(std::string(Text(K::kCalendarName, l)) + " \u2013 " + where));
  const std::string location =
      place.name.empty() ? Coordinates(place) : place.name + " (" + Coordinates(place) + ")";
  const std::string escapedLocation = EscapeCalendarText(location);
  lines.Text().reserve(eclipses.size() * 1200);  // an event with seven contacts takes about 1 kB
  const Observer observer{place.latitude, place.longitude, place.heightM};
  // One second in hours: a moonrise or moonset closer than this to P1 or P4 is no news.
  constexpr double kSecondHours = 1.0 / 3600;
  for (const CalendarEclipse& e : eclipses) {
    const StadtType& p = e.place;
    if (!ContactExists(p.PhaseType, Contact::P1) || !ContactExists(p.PhaseType, Contact::P4)) continue;
    const double p1 = p.ContactTime[Contact::P1], p4 = p.ContactTime[Contact::P4];
    if (GregorianFromJulianDay(ContactJulianDayUT(e.eclipse, e.deltaT, p1)).year < 1 ||
        GregorianFromJulianDay(ContactJulianDayUT(e.eclipse, e.deltaT, p4)).year > 9999) {
      if (e.listed) ++file.omitted;
      continue;
    }
    const VisibleSpan span = VisiblePart(e.eclipse, e.deltaT, observer, p1, p4);
    if (!span.visible) {
      if (e.listed) ++file.unseen;
      continue;
    }
    if (!e.listed) ++file.added;
    const GregorianInstant start = GregorianFromJulianDay(ContactJulianDayUT(e.eclipse, e.deltaT, span.first));
    const GregorianInstant end = GregorianFromJulianDay(ContactJulianDayUT(e.eclipse, e.deltaT, span.last));
    const bool umbral = e.eclipse.EclipseType >= EclipseTypeCode::PartialUmbral;
    // "Totale Mondfinsternis (Magnitude 1.195)"; a name with its own parenthesis takes the
    // magnitude inside it: "Totale Mondfinsternis (zentral, Magnitude 1.609)".
    std::string summary = EclipseTypeLongName(e.eclipse.EclipseType, l);
    const std::string magnitude =
        std::string(Text(umbral ? K::kCalendarUmbralMagnitude : K::kCalendarPenumbralMagnitude, l)) + " " + Fixed(p.Magnitude, 3) + ")";
    if (!summary.empty() && summary.back() == ')') summary.back() = ',', summary += " " + magnitude;
    else summary += " (" + magnitude;
    // The contacts and the moonrise or moonset that cuts the event, in time order.
    std::vector<std::pair<double, std::string>> entries;
    const auto when = [&](double t) {
      return ReadableUtc(GregorianFromJulianDay(ContactJulianDayUT(e.eclipse, e.deltaT, t)));
    };
    for (const Contact k : kListContacts) {
      if (!ContactExists(p.PhaseType, k) || p.ContactAltitude[k] == kAltitudeNotComputed) continue;
      const double t = p.ContactTime[k];
      const LocalSkyAt sky = SkyAt(e.eclipse, e.deltaT, observer, t);
      // "Beginn total (U2): 2022-11-08 10:16:39 UTC, Mondhöhe 23.4°, Azimut 131° (SO), Nacht"
      std::string entry = std::string(ContactLabel(k, l)) + ": " + when(t) + ", " + Text(K::kCalendarMoonAltitude, l) + " " +
                          Fixed(sky.moonApparentAltitudeDeg, 1) + "\u00B0, " + Text(K::kCalendarAzimuth, l) + " " +
                          Fixed(sky.moonAzimuthDeg, 0) + "\u00B0 (" + CompassPoint(sky.moonAzimuthDeg, l) + "), " +
                          TwilightText(sky.twilight, l);
      if (!sky.moonVisible) entry += std::string(" \u2013 ") + Text(K::kCalendarBelowHorizon, l);
      entries.emplace_back(t, std::move(entry));
    }
    if (span.first > p1 + kSecondHours)
      entries.emplace_back(span.first, std::string(Text(K::kMoonrise, l)) + ": " + when(span.first));
    if (span.last < p4 - kSecondHours)
      entries.emplace_back(span.last, std::string(Text(K::kMoonset, l)) + ": " + when(span.last));
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string description = std::string(Text(K::kCalendarSeenFrom, l)) + " " + location + ":";
    for (const auto& entry : entries) {
      description += '\n';  // on its own: "\n" + text draws a false -Wrestrict from GCC 12 at -O3
      description += entry.second;
    }
    const std::string uid = "varomintel-lunar-eclipse-" + Digits(e.eclipse.Year, 4) + Digits(e.eclipse.Month, 2) +
                            Digits(e.eclipse.Day, 2) + "T" + Digits(e.eclipse.T0Hour, 2) + "TT-" + UidPlace(place);
    lines.Add("BEGIN", "VEVENT");
    lines.Add("UID", uid);
    lines.Add("DTSTAMP", dtstamp);
    const std::string dtstart = CalendarDateTime(start), dtend = CalendarDateTime(end);
    lines.Add("DTSTART", dtstart);
    // A DATE-TIME start without an end is an instant (RFC 5545 §3.6.1); an end equal to
    // the start is not allowed.
    if (dtend != dtstart) lines.Add("DTEND", dtend);
    lines.Add("SUMMARY", EscapeCalendarText(summary));
    lines.Add("DESCRIPTION", EscapeCalendarText(description));
    lines.Add("LOCATION", escapedLocation);
    lines.Add("GEO", Fixed(place.latitude, 6) + ";" + Fixed(place.longitude, 6));
    lines.Add("TRANSP", "TRANSPARENT");
    lines.Add("END", "VEVENT");
    ++file.events;
  }
  lines.Add("END", "VCALENDAR");
  file.text = std::move(lines.Text());
  return file;
}

}  // namespace varomintel
