// Local circumstances of a lunar eclipse at one place: the contact instants, the Moon's
// altitude at each contact, magnitude and phase type; and the two text forms of a place's
// result in the city list.
//
// The contacts are found from the Besselian elements by Newton-like corrections of the
// instant of least distance and of the instants at which the Moon's centre is at the
// contact radius, in the manner of Meeus, Elements of Solar Eclipses 1951-2200
// (Willmann-Bell 1989), applied to the Moon in the Earth's shadow. The instants are the
// same everywhere; the place enters only through the hour angle of the altitude, which
// has no refraction, parallax or height correction.
#pragma once

#include <array>
#include <string>

#include "eclipse/catalogue.h"
#include "places/place.h"

namespace varomintel {

// Corrections below this end a refinement (hours).
inline constexpr double kRefineToleranceHours = 0.000001;
// A refinement that has not met the tolerance after this many corrections gives up at
// the instant reached; real eclipses need fewer than ten.
inline constexpr int kMaxRefineSteps = 100;

// The starting half-width of U1/U4 when the umbral contact radius is not reached
// (|q| > 1): the city list starts 0.001 hours from maximum, the city history at maximum
// (also for |q| = 1).
enum class UmbralGuard { CityList, CityHistory };

struct LocalResult {
  bool eclipse = false;   // false: penumbral magnitude below 0, nothing computed beyond MAX
  bool converged = true;  // false: a refinement reached kMaxRefineSteps or met a zero rate
};

// Given: the eclipse, Delta T (seconds), the latitude and the west longitude (radians,
// west positive), the guard of the run.
// Returned: the result fields of `place` (ContactTime, ContactAltitude, Magnitude,
// PhaseType); all seven altitudes are first set to kAltitudeNotComputed.
LocalResult LocalCircumstances(const EclipseRecord& eclipse, double deltaT, double latitude,
                               double westLongitude, StadtType& place,
                               UmbralGuard guard = UmbralGuard::CityList);

// The part of the local circumstances that is the same for every place: the contact
// instants and the element values there (x, y and the radii do not depend on the place;
// only the hour angle does, through the longitude). A run over many places prepares it
// once and applies it to each place, with the same result as LocalCircumstances.
struct LocalEclipse {
  bool eclipse = false;    // penumbral magnitude 0 or more
  bool converged = true;
  char phaseType = 'h';
  double magnitude = 0;
  double deltaTHourAngle = 0;  // radians: 0.00417807 degrees per second of Delta T
  std::array<double, kPlaceContacts> time{};   // hours of TT from T0
  std::array<double, kPlaceContacts> mu{};     // Greenwich hour angle of the shadow axis, radians
  std::array<double, kPlaceContacts> sinD{}, cosD{};  // of the axis declination
  std::array<bool, kPlaceContacts> computed{};
};
LocalEclipse PrepareLocalEclipse(const EclipseRecord& eclipse, double deltaT,
                                 UmbralGuard guard = UmbralGuard::CityList);
LocalResult ApplyLocalEclipse(const LocalEclipse& prepared, double latitude, double westLongitude,
                              StadtType& place);

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
// remembered for its contact slot while the instant stays the same. The contact instants
// of a lunar eclipse do not depend on the place, so a whole city-list run converts seven.
class ContactClock {
 public:
  ContactClock(const EclipseRecord& eclipse, double deltaT) : eclipse_(eclipse), deltaT_(deltaT) {}
  const ContactInstant& At(int contact, double t);
  const EclipseRecord& Eclipse() const { return eclipse_; }
  double DeltaT() const { return deltaT_; }

 private:
  const EclipseRecord& eclipse_;
  double deltaT_;
  std::array<double, kPlaceContacts> t_{};
  std::array<bool, kPlaceContacts> known_{};
  std::array<ContactInstant, kPlaceContacts> instant_{};
};

// The fixed-width line of the on-screen city list (158 characters) and the tab-separated
// record of the saved list, both from the place's results; empty when the place does
// not see the eclipse.
std::string CityListLine(const EclipseRecord& eclipse, double deltaT, const StadtType& place);
std::string CityListRecord(const EclipseRecord& eclipse, double deltaT, const StadtType& place);
std::string CityListLine(ContactClock& clock, const StadtType& place);
std::string CityListRecord(ContactClock& clock, const StadtType& place);

// Pieces shared with the city-history line and record.
namespace list_format {
struct UtDate {
  int year = 0, month = 0, day = 0;
};
// UT date of the first visible contact in the order P1..P4 (the date of T0 when none is).
UtDate LineDate(ContactClock& clock, const StadtType& place);
// The seven contact groups of a fixed-width line: 12 characters each, 24 for MAX.
void AppendContactGroups(std::string& out, ContactClock& clock, const StadtType& place);
// The deepest phase's duration, trimmed FormatDuration text.
std::string DurationText(const StadtType& place);
// The fields of one visible contact, each followed by a tab except a last P4 altitude.
void AppendContactFields(std::string& out, ContactClock& clock, const StadtType& place, int contact);
// Numbers appended as text: an integer, and fixed notation with `decimals` decimals.
void AppendInteger(std::string& out, long long value);
void AppendFixed(std::string& out, double value, int decimals);
// An integer right-aligned in `width` characters, then a blank: one column of a fixed-width line.
void AppendNumberColumn(std::string& out, long long value, std::size_t width);
// The head that both saved lists share: year, month and day of the line's date, Delta T
// with 1 decimal, phase type and country, each followed by a tab.
void AppendRecordHead(std::string& out, ContactClock& clock, const StadtType& place);
}  // namespace list_format

}  // namespace varomintel
