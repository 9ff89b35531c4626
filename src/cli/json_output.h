// JSON documents of the commands (RFC 8259), built with nlohmann::json so that every
// string is escaped by the library. Numbers stay numbers at full precision; an instant is
// also given as an ISO 8601 UTC text where the proleptic Gregorian year lies in 1..9999,
// otherwise null; a contact that does not occur or is not seen is null.
#pragma once

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <string_view>

#include "cli/json_text_writer.h"
#include "places/export_records.h"
#include "places/place.h"

namespace varomintel::cli {

using Json = nlohmann::ordered_json;

// {"julian_day_ut": ..., "utc": "2022-11-08T10:59:11Z" | null} of an instant (UtcInstantOf).
Json InstantJson(const UtcInstant& instant);

// One place's result of a list run (PlaceResultOf), as members of the object open in `w`:
// the phase, magnitude and the seven list contacts, null when not seen, each with its
// instant, list date and clock, the lists' altitude (of the shadow axis, geocentric) and
// the Moon's topocentric apparent altitude and azimuth at the observer (degrees).
void WritePlaceResult(JsonTextWriter& w, const PlaceResultRecord& result);

// "penumbral", "partial", "total".
const char* PhaseName(LocalPhase phase);

// Writes the document, two blanks of indentation, UTF-8 (invalid bytes replaced), and a line end.
void WriteJson(std::ostream& out, const Json& document);

// Writes a document of the form {head members, "key": [items], tail members} piece by
// piece, laid out as WriteJson lays out the whole, so that a long list never sits in
// memory. Until Close() the document stays unclosed: a run that fails half way leaves
// text that no JSON reader takes for a complete document.
// Appends one item of a JsonListWriter's list to `out`, laid out as Add writes it, for
// JsonListWriter::AddItems.
void AppendJsonListItem(std::string& out, const Json& item);

// The same, written directly: appends the item's separator to `out` and returns a writer
// for the item, at its depth in the list, which the caller fills with one value.
JsonTextWriter JsonListItemWriter(std::string& out);

class JsonListWriter {
 public:
  // Writes the head's members and opens the list.
  JsonListWriter(std::ostream& out, const Json& head, const std::string& key);
  void Add(const Json& item);
  // Items made by AppendJsonListItem, in order (a block of a list made on another thread).
  void AddItems(std::string_view items);
  // Closes the list, writes the tail's members and closes the document.
  void Close(const Json& tail = Json::object());

 private:
  std::ostream& out_;
  bool empty_ = true;
};

}  // namespace varomintel::cli
