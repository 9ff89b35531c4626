#include "places/place.h"

namespace varomintel {

bool ContactExists(LocalPhase phaseType, Contact contact) {
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

bool ContactVisible(const StadtType& place, Contact contact) {
  return ContactExists(place.PhaseType, contact) && place.ContactAltitude[contact] > 0;
}

bool SeesEclipse(const StadtType& place) {
  for (const Contact c : kListContacts)
    if (place.ContactAltitude[c] > 0) return true;
  return false;
}

}  // namespace varomintel
