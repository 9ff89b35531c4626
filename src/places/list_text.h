// The texts of the two lists: the fixed-width line of the on-screen list and the
// tab-separated record of the saved list for a place's result, the column headers, the
// legends at the top of a saved list, the population items and the status texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "eclipse/catalogue.h"
#include "places/place.h"

namespace varomintel {

// Universal-time date and clock text of a contact instant t (hours of TT from T0).
struct ContactInstant {
  int year = 0, month = 0, day = 0;
  std::string clock;  // "21:04:37"
};
ContactInstant ContactUniversalTime(const EclipseRecord& eclipse, double deltaT, double t);

// Hours and minutes "hhh:mm" with the hours right-aligned in 3 and blanks from the fourth
// character on made "0": 1.7167 -> "  1:43", 0.05 -> "  0:03". A negative duration keeps
// its sign before the first digit (-1.7167 -> " -1:43"); a non-finite one gives "  -:--".
std::string FormatDuration(double hours);

// Degrees to "47°22'N" / "33°52'S" (two-digit degrees) and "008°32'E" / "000°07'W"
// (three-digit degrees); minutes rounded halves to even; exactly 0 is north / east.
std::string FormatLatitude(double degrees);
std::string FormatLongitude(double degrees);

// Universal-time instants of one eclipse's contacts, each converted once and then
// remembered for its contact while the instant stays the same. The contact instants of a
// lunar eclipse do not depend on the place, so a whole city-list run converts seven.
class ContactClock {
 public:
  ContactClock(const EclipseRecord& eclipse, double deltaT) : eclipse_(eclipse), deltaT_(deltaT) {}
  const ContactInstant& At(Contact contact, double t);
  const EclipseRecord& Eclipse() const { return eclipse_; }
  double DeltaT() const { return deltaT_; }
  // The texts that are the same for every place of a city list, remembered while the
  // number stays the same to the bit: FormatDuration(hours) without its leading blanks,
  // and the magnitude with 3 decimals.
  const std::string& DurationText(double hours);
  const std::string& MagnitudeText(double magnitude);
  // Delta T with 1 decimal.
  const std::string& DeltaTText();

 private:
  const EclipseRecord& eclipse_;
  double deltaT_;
  PerContact<double> t_;
  PerContact<bool> known_;
  PerContact<ContactInstant> instant_;
  double durationHours_ = 0, magnitude_ = 0;
  bool durationKnown_ = false, magnitudeKnown_ = false;
  std::string duration_, magnitudeText_, deltaTText_;
};

// The city list: the fixed-width line of the on-screen list (158 characters) and the
// tab-separated record of the saved list; empty when the place does not see the eclipse.
std::string CityListLine(const EclipseRecord& eclipse, double deltaT, const Place& place);
std::string CityListRecord(const EclipseRecord& eclipse, double deltaT, const Place& place);
std::string CityListLine(ContactClock& clock, const Place& place);
std::string CityListRecord(ContactClock& clock, const Place& place);
// The same appended to `out` (nothing when the place does not see the eclipse): a run
// that formats many places fills one buffer.
void AppendCityListLine(std::string& out, ContactClock& clock, const Place& place);
void AppendCityListRecord(std::string& out, ContactClock& clock, const Place& place);

// The city history: the same for one eclipse at the search place, whose label is
// place.Country.
std::string CityHistLine(const EclipseRecord& eclipse, double deltaT, const Place& place);
std::string CityHistRecord(const EclipseRecord& eclipse, double deltaT, const Place& place);
std::string CityHistLine(ContactClock& clock, const Place& place);
std::string CityHistRecord(ContactClock& clock, const Place& place);
void AppendCityHistLine(std::string& out, ContactClock& clock, const Place& place);
void AppendCityHistRecord(std::string& out, ContactClock& clock, const Place& place);

// The column headers over the on-screen lists (fixed width, lined up with the lines).
const std::string& CityListHeader(std::uint8_t languageIndex);
const std::string& CityHistHeader(std::uint8_t languageIndex);

// The lines at the top of a saved list: title, underline, the explanations (key, tab,
// text), the template line of dashes (the city history has none in French), an empty
// line and the column keys.
std::vector<std::string> CityListLegend(std::uint8_t languageIndex);
std::vector<std::string> CityHistLegend(std::uint8_t languageIndex);

// The items of the population threshold list ("   500'000 habitants"); empty outside 0..9.
const std::string& PopulationItemText(int item, std::uint8_t languageIndex);

// "1523 Places scanned. 612 Places found" in the language.
std::string CityListStatus(long scanned, long found, std::uint8_t languageIndex);

// "Calculating year 2022 ...", "Berechne Jahr 2022 ...".
std::string CityHistStatus(int year, std::uint8_t languageIndex);
// "Done." in the language.
const std::string& CityHistDone(std::uint8_t languageIndex);

}  // namespace varomintel
