#include "cli/json_output.h"

#include <cmath>

#include "astro/trig_func.h"
#include "places/calendar_export.h"
#include "places/list_text.h"

namespace varomintel::cli {

Json InstantJson(const EclipseRecord& eclipse, double deltaT, double t) {
  const double jd = ContactJulianDayUT(eclipse, deltaT, t);
  const std::string iso = std::isfinite(jd) ? IsoUtcText(GregorianFromJulianDay(jd)) : std::string();
  Json j;
  j["julian_day_ut"] = jd;
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

Json PlaceResultJson(const EclipseRecord& eclipse, double deltaT, const StadtType& place, const Observer& observer) {
  Json j;
  j["phase"] = PhaseName(place.PhaseType);
  j["magnitude"] = place.Magnitude;
  j["magnitude_is_umbral"] = eclipse.EclipseType >= EclipseTypeCode::PartialUmbral;
  Json contacts = Json::object();
  for (const Contact k : kListContacts) {
    if (!ContactVisible(place, k)) {
      contacts[ContactName(k)] = nullptr;
      continue;
    }
    const ContactInstant list = ContactUniversalTime(eclipse, deltaT, place.ContactTime[k]);
    Json c = InstantJson(eclipse, deltaT, place.ContactTime[k]);
    c["hours_from_t0_tt"] = place.ContactTime[k];
    c["list_date"] = {{"year", list.year}, {"month", list.month}, {"day", list.day}};
    c["list_clock_ut"] = list.clock;
    c["moon_altitude_deg"] = place.ContactAltitude[k] * RadToDeg;
    const LocalSkyAt sky = SkyAt(eclipse, deltaT, observer, place.ContactTime[k]);
    c["apparent_altitude_deg"] = sky.moonApparentAltitudeDeg;
    c["azimuth_deg"] = sky.moonAzimuthDeg;
    contacts[ContactName(k)] = std::move(c);
  }
  j["contacts"] = std::move(contacts);
  return j;
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
