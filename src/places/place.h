// The place record that carries a place through the two list runs: its names and
// population as read from the city file or typed by the user, its coordinates, and the
// local circumstances of one eclipse written into it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace varomintel {

// Contact index of every contact array and list column: P1, U1, U2, MAX, U3, U4, P4.
inline constexpr int kContactP1 = 0;
inline constexpr int kContactU1 = 1;
inline constexpr int kContactU2 = 2;
inline constexpr int kContactMax = 3;
inline constexpr int kContactU3 = 4;
inline constexpr int kContactU4 = 5;
inline constexpr int kContactP4 = 6;
inline constexpr int kPlaceContacts = 7;

// ContactAltitude of a contact that was not computed (it does not exist for the phase type).
inline constexpr double kAltitudeNotComputed = -999.0;

struct StadtType {
  std::string City;         // name of the city; empty in the city-history search record
  std::string Country;      // country; in the city-history search record the place's label
  std::int32_t Population = 0;  // inhabitants; 0 in the city-history search record
  // Degrees, east positive, when read from the city file; in the city-history search
  // record radians, west positive.
  double Longitude = 0;
  // Degrees, north positive, when read from the city file; radians in the search record.
  double Latitude = 0;
  double Height = 0;        // metres above sea level; carried, never computed with
  std::array<double, kPlaceContacts> ContactTime{};      // hours of TT from T0
  std::array<double, kPlaceContacts> ContactAltitude{};  // radians; kAltitudeNotComputed
  double Magnitude = 0;     // umbral magnitude when >= 0, otherwise penumbral
  char PhaseType = 'h';     // 'h' penumbral only, 'p' partial umbral, 't' total
};

// The places of one country in file order (city history). A vector: it grows with the
// country and has no fixed bound to overflow.
using CountryPlaces = std::vector<StadtType>;

// Whether the contact exists for the phase type: U1/U4 need 'p' or 't', U2/U3 need 't'.
bool ContactExists(char phaseType, int contact);

// Whether the contact is seen: it exists for the phase type and the Moon's altitude at it
// is above 0 (an altitude of exactly 0 does not count).
bool ContactVisible(const StadtType& place, int contact);

// Whether the place sees the eclipse: some contact altitude above 0.
bool SeesEclipse(const StadtType& place);

}  // namespace varomintel
