// libFuzzer target: any bytes as the place name and as a raw content line of the calendar
// writer. The first byte picks the language and the place's hemispheres. Whatever the
// bytes, the writer must end, every physical line must hold at most 75 octets and end in
// CR LF, the calendar must be UTF-8 without control characters, and unfolding must give
// each folded line back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "places/calendar_export.h"
#include "text/utf8_text.h"

namespace {

using namespace varomintel;

// The physical lines of folded text: each at most 75 octets and ended by CR LF, with no
// other CR or LF; a continuation starts with one blank.
void CheckPhysicalLines(const std::string& folded) {
  if (folded.size() < 2 || folded.compare(folded.size() - 2, 2, "\r\n") != 0) __builtin_trap();
  std::size_t start = 0;
  while (start < folded.size()) {
    const std::size_t end = folded.find("\r\n", start);
    if (end == std::string::npos || end - start > 75) __builtin_trap();
    for (std::size_t i = start; i < end; ++i)
      if (folded[i] == '\r' || folded[i] == '\n') __builtin_trap();
    start = end + 2;
  }
}

std::string Unfold(const std::string& folded) {
  std::string out;
  for (std::size_t i = 0; i < folded.size(); ++i) {
    if (folded.compare(i, 3, "\r\n ") == 0) {
      i += 2;
      continue;
    }
    out += folded[i];
  }
  return out;
}

// A total eclipse of 2022 November 8 seen at every contact: each event line is written.
CalendarEclipse SeenEclipse() {
  CalendarEclipse e;
  e.index = 1;
  e.eclipse.Year = 2022;
  e.eclipse.Month = 11;
  e.eclipse.Day = 8;
  e.eclipse.T0Hour = 11;
  e.eclipse.EclipseType = EclipseTypeCode::Total;
  e.deltaT = 69.2;
  e.place.PhaseType = LocalPhase::Total;
  e.place.Magnitude = 1.359;
  double t = -3.0;
  for (const Contact k : kListContacts) {
    e.place.ContactTime[k] = t;
    e.place.ContactAltitude[k] = 0.5;
    t += 1.0;
  }
  return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  // A raw content line (it has no line break of its own), UTF-8 or not: folded, and given
  // back whole by unfolding.
  std::string line = text;
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  const std::string folded = FoldCalendarLine(line);
  CheckPhysicalLines(folded);
  if (Unfold(folded) != line + "\r\n") __builtin_trap();

  // An escaped TEXT value: UTF-8, no control character left.
  const std::string escaped = EscapeCalendarText(text);
  if (!IsValidUtf8(escaped)) __builtin_trap();
  for (const char c : escaped)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) __builtin_trap();

  // The whole calendar with the bytes as the place's name.
  static const std::vector<CalendarEclipse> eclipses = {SeenEclipse()};
  const CalendarPlace place{text, choice & 8 ? -33.87 : 47.5, choice & 16 ? -70.64 : 7.5};
  const CalendarFile file = CityHistCalendar(eclipses, place, static_cast<std::uint8_t>(choice % 4), "-//Fuzz//EN",
                                             "20260101T000000Z");
  CheckPhysicalLines(file.text);
  if (!IsValidUtf8(file.text) || file.events != 1) __builtin_trap();
  const std::string unfolded = Unfold(file.text);
  if (unfolded.compare(0, 17, "BEGIN:VCALENDAR\r\n") != 0) __builtin_trap();
  if (unfolded.size() < 15 || unfolded.compare(unfolded.size() - 15, 15, "END:VCALENDAR\r\n") != 0) __builtin_trap();
  return 0;
}
