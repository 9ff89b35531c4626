#include "cli/json_output.h"

#include "places/calendar_export.h"

namespace varomintel::cli {

namespace {

// "2022-11-08T10:59:11Z", or empty for an instant without a date in the years 1..9999.
std::string UtcText(const UtcInstant& instant) { return instant.dated ? IsoUtcText(instant.utc) : std::string(); }

}  // namespace

Json InstantJson(const UtcInstant& instant) {
  const std::string iso = UtcText(instant);
  Json j;
  j["julian_day_ut"] = instant.julianDayUT;
  j["utc"] = iso.empty() ? Json() : Json(iso);
  return j;
}

const char* PhaseName(LocalPhase phase) {
  switch (phase) {
    case LocalPhase::Penumbral: return "penumbral";
    case LocalPhase::Partial: return "partial";
    case LocalPhase::Total: return "total";
  }
  return "?";
}

void WritePlaceResult(JsonTextWriter& w, const PlaceResultRecord& result) {
  w.Key("phase");
  w.String(PhaseName(result.phase));
  w.Key("magnitude");
  w.Number(result.magnitude);
  w.Key("magnitude_is_umbral");
  w.Boolean(result.magnitudeIsUmbral);
  w.Key("contacts");
  w.BeginObject();
  for (std::size_t i = 0; i < kListContacts.size(); ++i) {
    const PlaceContactRecord& c = result.contacts[i];
    w.Key(ContactName(kListContacts[i]));
    if (!c.seen) {
      w.Null();
      continue;
    }
    w.BeginObject();
    w.Key("julian_day_ut");
    w.Number(c.instant.julianDayUT);
    w.Key("utc");
    const std::string iso = UtcText(c.instant);
    if (iso.empty()) w.Null();
    else w.String(iso);
    w.Key("hours_from_t0_tt");
    w.Number(c.hoursFromT0);
    w.Key("list_date");
    w.BeginObject();
    w.Key("year");
    w.Integer(c.list.year);
    w.Key("month");
    w.Integer(c.list.month);
    w.Key("day");
    w.Integer(c.list.day);
    w.EndObject();
    w.Key("list_clock_ut");
    w.String(c.list.clock);
    w.Key("moon_altitude_deg");
    w.Number(c.altitudeDeg);
    w.Key("apparent_altitude_deg");
    w.Number(c.apparentAltitudeDeg);
    w.Key("azimuth_deg");
    w.Number(c.azimuthDeg);
    w.EndObject();
  }
  w.EndObject();
}

namespace {

std::string Dump(const Json& j) { return j.dump(2, ' ', false, Json::error_handler_t::replace); }

// The members of an object's pretty dump without its braces: "\n  \"a\": 1" (each line
// after a line break), or empty for an empty object.
std::string Members(const Json& object) {
  if (object.empty()) return {};
  const std::string d = Dump(object);  // "{\n  ...\n}"
  return d.substr(1, d.size() - 3);
}

}  // namespace

void WriteJson(std::ostream& out, const Json& document) { out << Dump(document) << '\n'; }

JsonListWriter::JsonListWriter(std::ostream& out, const Json& head, const std::string& key) : out_(out) {
  const std::string members = Members(head);
  out_ << '{' << members << (members.empty() ? "" : ",") << "\n  " << Dump(Json(key)) << ": [";
}

void AppendJsonListItem(std::string& out, const Json& item) {
  // Two levels deeper than at the top: a string holds no raw line break, so every line
  // break of the dump starts a line of layout. Every item starts with its separator; the
  // writer leaves out the first one's comma.
  const std::string text = Dump(item);
  out += ",\n    ";
  std::size_t from = 0;
  for (std::size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1) {
    out.append(text, from, end + 1 - from);
    out += "    ";
  }
  out.append(text, from, std::string::npos);
}

JsonTextWriter JsonListItemWriter(std::string& out) {
  out += ",\n    ";
  return JsonTextWriter(out, 4);
}

void JsonListWriter::Add(const Json& item) {
  std::string text;
  AppendJsonListItem(text, item);
  AddItems(text);
}

void JsonListWriter::AddItems(std::string_view items) {
  if (items.empty()) return;
  if (empty_) items.remove_prefix(1);
  out_.write(items.data(), static_cast<std::streamsize>(items.size()));
  empty_ = false;
}

void JsonListWriter::Close(const Json& tail) {
  out_ << (empty_ ? "]" : "\n  ]");
  const std::string members = Members(tail);
  out_ << (members.empty() ? "" : ",") << members << "\n}\n";
}

}  // namespace varomintel::cli
