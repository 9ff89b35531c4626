// varomintel-cli citylist: every place of the city file above a population threshold
// that sees one eclipse, as the saved tab-separated text (CR LF) or the on-screen lines.
#include <atomic>
#include <ostream>
#include <string>
#include <string_view>

#include "astro/delta_t.h"
#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/list_output.h"
#include "eclipse/eclipse_type.h"
#include "places/city_file.h"
#include "places/city_list.h"
#include "text/number_text.h"

namespace varomintel::cli {

namespace {

int CityList(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  const std::uint8_t lang = LanguageOption(args);
  const bool screen = args.Flag("--screen");
  const OutputFormat format = FormatOption(args);
  if (screen && format != OutputFormat::Text) throw UsageError{"--screen goes with the text format only"};
  int item = 9;
  if (const auto k = args.Value("--population-item")) {
    const auto v = ParseInteger(*k);
    if (!v || *v < 0 || *v >= kPopulationItems)
      throw UsageError{"--population-item must be a whole number from 0 to 9, not '" + std::string(*k) + "'"};
    item = static_cast<int>(*v);
  }
  const auto cities = args.Value("--cities");
  const std::string_view indexText = args.Positional("INDEX");
  args.ExpectEnd();
  const int index = IndexArgument(indexText, catalogue);

  CityListInput input;
  input.eclipse = catalogue.At(index);
  input.cityFile = cities ? std::string(*cities) : CityFileName(ctx.programDir, lang);
  input.populationItem = item;

  ListOutput output(screen, CityListLegend(lang), CityListHeader(lang));
  CityListCallbacks callbacks;
  const double deltaT = DeltaT(input.eclipse.Year, input.eclipse.Month);
  Json places = Json::array();
  callbacks.onResult = [&](const CityListHit& hit) {
    if (format == OutputFormat::Text) {
      output.Add(hit.line, hit.record);
      return;
    }
    const StadtType& p = hit.place;
    Json j;
    j["country"] = p.Country;
    j["city"] = p.City;
    j["latitude_deg"] = p.Latitude;
    j["longitude_deg"] = p.Longitude;
    j["population"] = p.Population;
    j.update(PlaceResultJson(input.eclipse, deltaT, p));
    places.push_back(std::move(j));
  };
  const std::atomic<bool> stop{false};
  const CityListOutcome outcome = RunCityList(input, callbacks, stop);
  if (!outcome.cityFileOpened) {
    ErrorLine(ctx.err, "city file '" + input.cityFile + "' cannot be read");
    return kExitUsage;
  }
  if (format == OutputFormat::Text) {
    output.Write(ctx.out);
  } else {
    Json doc;
    doc["index"] = index;
    doc["type"] = EclipseTypeLongName(input.eclipse.EclipseType, lang);
    doc["type_code"] = static_cast<int>(input.eclipse.EclipseType);
    doc["delta_t_s"] = deltaT;
    doc["city_file"] = input.cityFile;
    doc["population_item"] = item;
    doc["places_scanned"] = outcome.counts.scanned;
    doc["places"] = std::move(places);
    WriteJson(ctx.out, doc);
  }
  ctx.err << CityListStatus(outcome.counts.scanned, outcome.counts.found, lang) << '\n';
  if (outcome.failure) {
    ErrorLine(ctx.err, "city file '" + input.cityFile + "' " + outcome.failure->Message());
    return kExitUsage;
  }
  if (outcome.unconverged > 0) {
    ctx.err << "varomintel-cli: " << outcome.unconverged
            << " place(s) with a contact whose refinement did not converge\n";
    return kExitNothing;
  }
  return outcome.counts.found > 0 ? kExitOk : kExitNothing;
}

const bool registered = RegisterCommand(
    {"citylist", "INDEX [--population-item 0..9] [--lang de|en|fr] [--cities FILE] [--screen | --format text|json]", true, &CityList});

}  // namespace

}  // namespace varomintel::cli
