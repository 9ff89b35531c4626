// JSON documents of the commands (RFC 8259), built with nlohmann::json so that every
// string is escaped by the library. Numbers stay numbers at full precision; an instant is
// also given as an ISO 8601 UTC text where the proleptic Gregorian year lies in 1..9999,
// otherwise null; a contact that does not occur or is not seen is null.
#pragma once

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>

#include "eclipse/catalogue.h"
#include "places/place.h"

namespace varomintel::cli {

using Json = nlohmann::ordered_json;

// {"julian_day_ut": ..., "utc": "2022-11-08T10:59:11Z" | null} of a contact instant t
// (hours of TT from T0).
Json InstantJson(const EclipseRecord& eclipse, double deltaT, double t);

// One place's result of a list run: the list date, phase, magnitude and the seven list
// contacts with their instants and the Moon's altitude (degrees), null when not seen.
Json PlaceResultJson(const EclipseRecord& eclipse, double deltaT, const StadtType& place);

// "penumbral", "partial", "total".
const char* PhaseName(LocalPhase phase);

// Writes the document, two blanks of indentation, UTF-8 (invalid bytes replaced), and a line end.
void WriteJson(std::ostream& out, const Json& document);

}  // namespace varomintel::cli
