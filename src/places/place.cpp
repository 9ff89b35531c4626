#include "places/place.h"

namespace varomintel {

bool ContactExists(char phaseType, int contact) {
  switch (contact) {
    case kContactU1:
    case kContactU4:
      return phaseType == 'p' || phaseType == 't';
    case kContactU2:
    case kContactU3:
      return phaseType == 't';
    default:
      return contact >= 0 && contact < kPlaceContacts;
  }
}

bool ContactVisible(const StadtType& place, int contact) {
  return ContactExists(place.PhaseType, contact) &&
         place.ContactAltitude[static_cast<std::size_t>(contact)] > 0;
}

bool SeesEclipse(const StadtType& place) {
  for (const double a : place.ContactAltitude)
    if (a > 0) return true;
  return false;
}

}  // namespace varomintel
