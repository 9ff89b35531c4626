// The place record that carries a place through the two list runs: its names and
// population as read from the city file or typed by the user, its coordinates, and the
// local circumstances of one eclipse written into it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "eclipse/contact.h"

namespace varomintel {

// ContactAltitude of a contact that was not computed (it does not exist for the phase type).
inline constexpr double kAltitudeNotComputed = -999.0;
// ContactAltitude of a contact that exists but is known to be below the horizon, its
// altitude not computed (a list that shows only the contacts seen).
inline constexpr double kAltitudeBelowHorizon = -998.0;

// The deepest phase of an eclipse at a place; the letter is what the lists show.
enum class LocalPhase : char {
  Penumbral = 'h',  // "half shadow": the Moon touches the penumbra only
  Partial = 'p',    // the Moon partly in the umbra
  Total = 't',      // the Moon wholly in the umbra
};
inline char PhaseLetter(LocalPhase phase) { return static_cast<char>(phase); }

struct Place {
  std::string City;         // name of the city; empty in the city-history search record
  std::string Country;      // country; in the city-history search record the place's label
  std::int32_t Population = 0;  // inhabitants; 0 in the city-history search record
  // Degrees, east positive, when read from the city file; in the city-history search
  // record radians, west positive.
  double Longitude = 0;
  // Degrees, north positive, when read from the city file; radians in the search record.
  double Latitude = 0;
  double Height = 0;        // metres above sea level; carried, never computed with
  // Per contact of kListContacts (P2 and P3 stay unused).
  PerContact<double> ContactTime;      // hours of TT from T0
  PerContact<double> ContactAltitude;  // radians; kAltitudeNotComputed
  double Magnitude = 0;     // umbral magnitude when >= 0, otherwise penumbral
  LocalPhase PhaseType = LocalPhase::Penumbral;
};

// The places of one country in file order (city history). A vector: it grows with the
// country and has no fixed bound to overflow.
using CountryPlaces = std::vector<Place>;

// Whether the contact exists for the phase type: U1/U4 need a partial or total phase,
// U2/U3 a total one; P2 and P3 are never computed at a place.
// (Inline: the lists ask this many times for every line they write.)
inline bool ContactExists(LocalPhase phaseType, Contact contact) {
  switch (contact) {
    case Contact::U1:
    case Contact::U4:
      return phaseType == LocalPhase::Partial || phaseType == LocalPhase::Total;
    case Contact::U2:
    case Contact::U3:
      return phaseType == LocalPhase::Total;
    case Contact::P2:
    case Contact::P3:
      return false;
    case Contact::P1:
    case Contact::Max:
    case Contact::P4:
      return true;
  }
  return false;
}

// Whether the contact is seen: it exists for the phase type and the Moon's altitude at it
// is above 0 (an altitude of exactly 0 does not count).
inline bool ContactVisible(const Place& place, Contact contact) {
  return ContactExists(place.PhaseType, contact) && place.ContactAltitude[contact] > 0;
}

// Whether the place sees the eclipse: some contact altitude above 0.
inline bool SeesEclipse(const Place& place) {
  for (const Contact c : kListContacts)
    if (place.ContactAltitude[c] > 0) return true;
  return false;
}

}  // namespace varomintel
