// The eclipses that a city-history search found, as an iCalendar file (RFC 5545): one
// VEVENT per eclipse of which some phase is really seen at the place (the Moon's upper
// limb above the apparent horizon, places/local_sky.h), from the first to the last
// instant it is seen, in UTC. The window's menu and `varomintel-cli cityhist --format ics`
// both write it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "places/export_records.h"

namespace varomintel {

// "2022-11-08T10:59:11Z" (ISO 8601) for the years 1..9999; empty otherwise.
std::string IsoUtcText(const GregorianInstant& instant);

struct CalendarFile {
  std::string text;   // the whole file, CR LF line ends, UTF-8
  int events = 0;     // VEVENTs written
  int omitted = 0;    // eclipses of the list left out: P1..P4 reaches outside the years 1..9999
  int unseen = 0;     // eclipses of the list left out: the Moon is below the horizon throughout P1..P4
  int added = 0;      // events of eclipses not on the list (the shadow axis down, the Moon up)
};

// Given: the events of the eclipses and the place (CalendarEventsOf), the language (0
// German, 1 English, 2 French, 3 Spanish) of SUMMARY, DESCRIPTION and LOCATION, the product
// text of PRODID and the DTSTAMP instant (the export's moment, "YYYYMMDDTHHMMSSZ").
// Returned: the calendar, one VEVENT per event, with the counts of the events. An event
// that shrinks to a single second has no DTEND (an instant, RFC 5545 §3.6.1). The
// description gives every contact of the eclipse with the Moon's apparent altitude,
// azimuth and the sky's twilight, and the moonrise or moonset that cuts the event. Each
// UID is built from the eclipse's date of greatest eclipse and the place's coordinates,
// so a new export of the same eclipse and place updates the event instead of adding it
// again.
CalendarFile WriteCalendar(const CalendarEvents& events, const CalendarPlace& place, std::uint8_t languageIndex,
                           const std::string& productId, const std::string& dtstamp);

// The calendar of the eclipses found by a city-history search: WriteCalendar of
// CalendarEventsOf(eclipses, place).
CalendarFile CityHistCalendar(const std::vector<CalendarEclipse>& eclipses, const CalendarPlace& place,
                              std::uint8_t languageIndex, const std::string& productId,
                              const std::string& dtstamp);

// The current UTC time as "YYYYMMDDTHHMMSSZ".
std::string CurrentDtStamp();

// Escapes a TEXT value (RFC 5545 §3.3.11): backslash, semicolon, comma and line breaks;
// other control characters become blanks and bytes that are not UTF-8 become U+FFFD.
std::string EscapeCalendarText(const std::string& text);

// Folds one content line (without its line end) into lines of at most 75 octets, each
// continuation starting with a blank (RFC 5545 §3.1), never splitting a UTF-8 character
// (bytes that are not UTF-8 may be split); lines joined and ended with CR LF. Removing
// every CR LF blank gives the line back.
std::string FoldCalendarLine(const std::string& line);

}  // namespace varomintel
