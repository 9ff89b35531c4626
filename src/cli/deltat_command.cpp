// varomintel-cli deltat: the Delta T that a timed record of an eclipse implies, such as
// "the eclipse began 1.5 hours after moonrise" (exact) or "it began after moonrise" (a
// bound), with the model's value and how many standard errors lie between them.
#include <cmath>
#include <optional>
#include <ostream>
#include <string>

#include "astro/delta_t.h"
#include "cli/commands.h"
#include "cli/json_output.h"
#include "eclipse/report.h"
#include "places/export_records.h"
#include "places/place_texts.h"
#include "places/record_delta_t.h"
#include "text/number_text.h"

namespace varomintel::cli {

namespace {

constexpr const char* kReferences = "sunset|sunrise|moonrise|moonset|midnight";

RecordReference ReferenceOf(std::string_view name) {
  if (name == "sunset") return RecordReference::Sunset;
  if (name == "sunrise") return RecordReference::Sunrise;
  if (name == "moonrise") return RecordReference::Moonrise;
  if (name == "moonset") return RecordReference::Moonset;
  return RecordReference::Midnight;
}

Contact ContactOf(std::string_view name) {
  for (const Contact k : kListContacts)
    if (name == ContactName(k)) return k;
  return Contact::Max;
}

std::string Seconds(double s) { return FormatFixed(std::nearbyint(s) + 0.0, 0) + " s"; }

int DeltaTCommand(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  const std::uint8_t lang = LanguageOption(args);
  const OutputFormat format = FormatOption(args);
  const PlaceOption where = PlaceOptions(args);
  const int index = IndexArgument(args.Positional(), catalogue);
  const std::optional<std::string_view> afterRef = args.Value("--after");
  const std::optional<std::string_view> beforeRef = args.Value("--before");
  if (afterRef.has_value() == beforeRef.has_value())
    throw UsageError{"give either --after or --before (" + std::string(kReferences) + ")"};
  EclipseRecordTiming record;
  record.event = ContactOf(*args.Value("--event"));
  record.after = afterRef.has_value();
  record.reference = ReferenceOf(afterRef ? *afterRef : *beforeRef);
  if (const auto hours = args.Value("--hours")) record.hours = *StrictReal(*hours);
  record.seasonal = args.Flag("--seasonal");
  if (record.seasonal && !record.hours) throw UsageError{"--seasonal counts the hours of --hours, which is missing"};

  const EclipseRecord& eclipse = catalogue.At(index);
  const double model = DeltaT(eclipse.Year, eclipse.Month);
  const double sigma = DeltaTSigma(eclipse.Year, eclipse.Month);
  const Observer observer{where.latitudeDeg, where.longitudeDeg, where.heightM};
  const RecordDeltaT r = SolveRecordDeltaT(eclipse, observer, record, model, sigma);

  switch (r.solution) {
    case RecordSolution::NoEvent:
      ctx.err << "varomintel-cli: eclipse " << index << " has no " << ContactName(record.event) << " at this place\n";
      return kExitNothing;
    case RecordSolution::NoReference:
      ctx.err << "varomintel-cli: no " << RecordReferenceName(record.reference)
              << " near " << ContactName(record.event) << " at this place (polar day or night, a circumpolar Moon,"
              << " or midnight asked for by day)\n";
      return kExitNothing;
    case RecordSolution::Nowhere:
      ctx.err << "varomintel-cli: " << Text(PlacesText::kNoDeltaT, lang) << '\n';
      return kExitNothing;
    default: break;
  }
  const bool exact = r.solution == RecordSolution::Exact;
  const bool bounded = r.solution == RecordSolution::UpperBound || r.solution == RecordSolution::LowerBound;
  // Standard errors between the record's value and the model's (a plain double: GCC takes an
  // optional's value for uninitialised here).
  const bool hasSigmas = (exact || bounded) && sigma > 0;
  const double sigmas = hasSigmas ? (r.deltaT - model) / sigma : 0.0;
  if (format == OutputFormat::Json) {
    Json j;
    j["index"] = index;
    j["event"] = ContactName(record.event);
    j["relation"] = record.after ? "after" : "before";
    j["reference"] = RecordReferenceName(record.reference);
    j["hours"] = record.hours ? Json(*record.hours) : Json();
    j["seasonal"] = record.seasonal;
    j["delta_t_s"] = exact ? Json(r.deltaT) : Json();
    j["delta_t_min_s"] = r.solution == RecordSolution::LowerBound ? Json(r.deltaT) : Json();
    j["delta_t_max_s"] = r.solution == RecordSolution::UpperBound ? Json(r.deltaT) : Json();
    j["model_delta_t_s"] = model;
    j["sigma_s"] = sigma;
    j["sigmas_from_model"] = hasSigmas ? Json(sigmas) : Json();
    const UtcInstant event = UtcInstantOf(eclipse, r.deltaT, r.eventT);
    j["event_julian_day_ut"] = event.julianDayUT;
    j["event_utc"] = InstantJson(event)["utc"];
    if (r.referenceT) {
      const UtcInstant reference = UtcInstantOf(eclipse, r.deltaT, *r.referenceT);
      j["reference_julian_day_ut"] = reference.julianDayUT;
      j["reference_utc"] = InstantJson(reference)["utc"];
    } else {
      j["reference_julian_day_ut"] = nullptr;
      j["reference_utc"] = nullptr;
    }
    WriteJson(ctx.out, j);
    return kExitOk;
  }
  const std::string modelText = DeltaTText(model, sigma);
  if (r.solution == RecordSolution::Everywhere) {
    ctx.out << Text(PlacesText::kHoldsThroughout, lang) << modelText << ".\n";
    return kExitOk;
  }
  const PlacesText lead = exact ? PlacesText::kImpliesExact
                          : r.solution == RecordSolution::UpperBound ? PlacesText::kImpliesBelow
                                                                     : PlacesText::kImpliesAbove;
  ctx.out << Text(lead, lang) << Seconds(r.deltaT) << Text(PlacesText::kModelGives, lang) << modelText;
  if (hasSigmas) ctx.out << ", " << FormatFixed(std::fabs(sigmas), 1) << Text(PlacesText::kSigmasApart, lang);
  else ctx.out << '.';
  ctx.out << '\n';
  return kExitOk;
}

const bool registered = RegisterCommand(
    {.name = "deltat",
     .summary = "the Delta T that a timed record of an eclipse implies (exact, or a bound), against the model's",
     .positional = "INDEX",
     .positionalHelp = "the eclipse's number in the catalogue",
     .options = {LatitudeOptionDecl(), LongitudeOptionDecl(), HeightOptionDecl(),
                 {.name = "--event", .value = "P1|U1|U2|Max|U3|U4|P4", .help = "the contact the record times",
                  .check = Check::Choice, .required = true},
                 {.name = "--after", .value = kReferences, .help = "the event came after this (or --before)",
                  .check = Check::Choice},
                 {.name = "--before", .value = kReferences, .help = "the event came before this (or --after)",
                  .check = Check::Choice},
                 {.name = "--hours", .value = "H",
                  .help = "exactly H hours after or before it (0 to 24); without it, only after or before",
                  .check = Check::Real, .min = 0, .max = 24, .unit = "hours"},
                 {.name = "--seasonal", .help = "--hours counts seasonal hours of that night (of the day by day)"},
                 LanguageOptionDecl(), FormatOptionDecl()},
     .example = "deltat 10292 --lat 32.55N --lon 44.42E --event U1 --after moonrise --hours 1.5",
     .run = &DeltaTCommand});

}  // namespace

}  // namespace varomintel::cli
