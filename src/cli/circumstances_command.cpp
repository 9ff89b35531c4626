// varomintel-cli circumstances: the computed circumstances of one eclipse, a range or the
// whole catalogue as name<TAB>value lines, every number with 17 significant digits.
#include <optional>
#include <ostream>
#include <string>

#include "astro/delta_t.h"
#include "cli/commands.h"
#include "cli/json_output.h"
#include "eclipse/circumstances.h"
#include "places/calendar_export.h"
#include "text/number_text.h"

namespace varomintel::cli {

namespace {

void AppendCircumstances(std::string& o, const CircumstancesResult& result) {
  const EclipseCircumstances& c = result.circumstances;
  const auto line = [&](const char* name, double v) {
    o += name;
    o += '\t';
    o += FormatSignificant(v, 17);
    o += '\n';
  };
  line("TimeMax", c.TimeMax);
  line("XMax", c.XMax);
  line("YMax", c.YMax);
  line("PenMag", c.PenMag);
  line("UmbMag", c.UmbMag);
  line("TimeP1", c.TimeP1);
  line("TimeP2", c.TimeP2);
  line("TimeP3", c.TimeP3);
  line("TimeP4", c.TimeP4);
  line("TimeU1", c.TimeU1);
  line("TimeU2", c.TimeU2);
  line("TimeU3", c.TimeU3);
  line("TimeU4", c.TimeU4);
  line("YAtXZero", c.YAtXZero);
  o += "EclipseType\t" + std::to_string(static_cast<int>(result.type)) + "\n";
  line("DMax", c.DMax);
  line("MMax", c.MMax);
}

// The same values as a JSON object: numbers at full precision, a contact that does not
// occur (time 0) null, each contact instant also as Julian days and ISO 8601 texts.
Json CircumstancesJson(int index, const EclipseRecord& record, double deltaT, const CircumstancesResult& result,
                       const std::optional<double>& ownDeltaT) {
  const EclipseCircumstances& c = result.circumstances;
  const DeltaTValues universal = DeltaTOf(record, ownDeltaT);
  const double universalDeltaT = universal.value;
  Json j;
  j["index"] = index;
  j["delta_t_s"] = deltaT;
  j["delta_t"] = {{"value_s", universal.value}, {"sigma_s", universal.sigma}, {"own", universal.own}};
  j["converged"] = result.converged;
  j["type_code"] = static_cast<int>(result.type);
  j["penumbral_magnitude"] = c.PenMag;
  j["umbral_magnitude"] = c.UmbMag;
  j["x_at_greatest_arcsec"] = c.XMax;
  j["y_at_greatest_arcsec"] = c.YMax;
  j["y_at_x_zero_arcsec"] = c.YAtXZero;
  j["d_at_greatest_rad"] = c.DMax;
  j["m_at_greatest_rad"] = c.MMax;
  Json contacts = Json::object();
  for (int k = 0; k < kContactCount; ++k) {
    const Contact contact = static_cast<Contact>(k);
    const double t = c.Time(contact);
    if (t == 0 && contact != Contact::Max) {
      contacts[ContactName(contact)] = nullptr;
      continue;
    }
    Json one;
    one["hours_from_t0_tt"] = t;
    one["julian_day_tt"] = ContactJulianDayUT(record, 0.0, t);
    // ISO 8601 without the zone letter: terrestrial time is no UTC.
    std::string tt = IsoUtcText(GregorianFromJulianDay(ContactJulianDayUT(record, 0.0, t)));
    if (!tt.empty()) tt.pop_back();
    one["tt"] = tt.empty() ? Json() : Json(tt);
    one.update(InstantJson(UtcInstantOf(record, universalDeltaT, t)));
    contacts[ContactName(contact)] = std::move(one);
  }
  j["contacts"] = std::move(contacts);
  return j;
}

int Circumstances(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  const bool tt = args.Flag("--tt");
  const std::optional<double> ownDeltaT = DeltaTOption(args);
  const OutputFormat format = FormatOption(args);
  const std::string_view which = args.Positional();
  int first = 0;
  int last = 0;
  bool blocks = true;
  if (which == "all") {
    first = 1;
    last = catalogue.Count();
  } else if (const auto dots = which.find(".."); dots != std::string_view::npos) {
    first = IndexArgument(which.substr(0, dots), catalogue);
    last = IndexArgument(which.substr(dots + 2), catalogue);
    if (last < first) throw UsageError{"range '" + std::string(which) + "' runs backwards"};
  } else {
    first = last = IndexArgument(which, catalogue);
    blocks = false;
  }
  const bool json = format == OutputFormat::Json;
  std::string o;
  o.reserve(static_cast<std::size_t>(last - first + 1) * (json ? 1400 : 420));
  // A range is one document too: an object with the array "eclipses", one compact
  // element per line, written as it goes so that the whole catalogue needs no tree.
  if (json && blocks) o += "{\"eclipses\": [\n";
  int status = kExitOk;
  for (int i = first; i <= last; ++i) {
    const EclipseRecord& record = catalogue.At(i);
    const double deltaT = tt ? 0.0 : ownDeltaT.value_or(DeltaT(record.Year, record.Month));
    const CircumstancesResult result = ComputeCircumstances(record, deltaT);
    if (json) {
      const Json j = CircumstancesJson(i, record, deltaT, result, ownDeltaT);
      o += j.dump(blocks ? -1 : 2, ' ', false, Json::error_handler_t::replace);
      o += blocks && i < last ? ",\n" : "\n";
    } else {
      if (blocks) o += "Index\t" + std::to_string(i) + "\n";
      AppendCircumstances(o, result);
    }
    if (!result.converged) {
      ctx.err << "varomintel-cli: eclipse " << i << ": the search for " << result.failedSearch
              << " did not converge\n";
      status = kExitNothing;
    }
  }
  if (json && blocks) o += "]}\n";
  ctx.out << o;
  return status;
}

const bool registered = RegisterCommand(
    {.name = "circumstances",
     .summary = "the computed circumstances of one eclipse, a range or all as name<TAB>value lines",
     .positional = "INDEX|A..B|all",
     .positionalHelp = "one eclipse, the eclipses A to B, or the whole catalogue",
     .options = {{.name = "--tt", .help = "terrestrial time instead of universal time"}, DeltaTOptionDecl(), FormatOptionDecl()},
     .example = "circumstances 16900..16921 --format json",
     .run = &Circumstances});

}  // namespace

}  // namespace varomintel::cli
