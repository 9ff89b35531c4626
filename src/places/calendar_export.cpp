#include "places/calendar_export.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <ctime>
#include <utility>

#include "eclipse/eclipse_type.h"
#include "places/local_sky_text.h"
#include "places/place_texts.h"
#include "text/utf8_text.h"

namespace varomintel {

namespace {

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

std::string IsoUtcText(const GregorianInstant& g) {
  if (g.year < 1 || g.year > 9999) return {};
  return Digits(g.year, 4) + "-" + Digits(g.month, 2) + "-" + Digits(g.day, 2) + "T" + Digits(g.hour, 2) + ":" +
         Digits(g.minute, 2) + ":" + Digits(g.second, 2) + "Z";
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

CalendarFile WriteCalendar(const CalendarEvents& events, const CalendarPlace& place, std::uint8_t languageIndex,
                           const std::string& productId, const std::string& dtstamp) {
  const std::uint8_t l = languageIndex < kLanguageCount ? languageIndex : kEnglish;
  CalendarFile file;
  file.omitted = events.omitted;
  file.unseen = events.unseen;
  file.added = events.added;
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
  lines.Text().reserve(events.events.size() * 1200);  // an event with seven contacts takes about 1 kB
  for (const CalendarEvent& event : events.events) {
    const CalendarEclipse& e = *event.eclipse;
    const Place& p = e.place;
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
    for (const CalendarContact& c : event.contacts) {
      const LocalSkyAt& sky = c.sky;
      // "Beginn total (U2): 2022-11-08 10:16:39 UTC, Mondhöhe 23.4°, Azimut 131° (SO), Nacht"
      std::string entry = std::string(ContactLabel(c.contact, l)) + ": " + ReadableUtc(c.utc) + ", " +
                          Text(K::kCalendarMoonAltitude, l) + " " + Fixed(sky.moonApparentAltitudeDeg, 1) + "\u00B0, " +
                          Text(K::kCalendarAzimuth, l) + " " + Fixed(sky.moonAzimuthDeg, 0) + "\u00B0 (" +
                          CompassPoint(sky.moonAzimuthDeg, l) + "), " + TwilightText(sky.twilight, l);
      if (!sky.moonVisible) entry += std::string(" \u2013 ") + Text(K::kCalendarBelowHorizon, l);
      entries.emplace_back(c.t, std::move(entry));
    }
    if (event.moonrise.occurs)
      entries.emplace_back(event.moonrise.t, std::string(Text(K::kMoonrise, l)) + ": " + ReadableUtc(event.moonrise.utc));
    if (event.moonset.occurs)
      entries.emplace_back(event.moonset.t, std::string(Text(K::kMoonset, l)) + ": " + ReadableUtc(event.moonset.utc));
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
    const std::string dtstart = CalendarDateTime(event.start), dtend = CalendarDateTime(event.end);
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

CalendarFile CityHistCalendar(const std::vector<CalendarEclipse>& eclipses, const CalendarPlace& place,
                              std::uint8_t languageIndex, const std::string& productId,
                              const std::string& dtstamp) {
  return WriteCalendar(CalendarEventsOf(eclipses, place), place, languageIndex, productId, dtstamp);
}

}  // namespace varomintel
