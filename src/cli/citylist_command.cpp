// varomintel-cli citylist: every place of the city file above a population threshold
// that sees one eclipse, as the saved tab-separated text (CR LF), the on-screen lines or a
// JSON document, each written place by place (memory stays flat whatever the file's size).
#include <atomic>
#include <optional>
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
  const int item = static_cast<int>(StrictInteger(args.Value("--population-item").value_or("9")).value_or(9));
  const auto cities = args.Value("--cities");
  const std::string_view indexText = args.Positional();
  const int index = IndexArgument(indexText, catalogue);

  CityListInput input;
  input.eclipse = catalogue.At(index);
  input.cityFile = cities ? std::string(*cities) : CityFileName(ctx.programDir, lang);
  input.populationItem = item;
  input.deltaT = DeltaTOption(args);

  // The output is written as the run goes, so the file is read once before: a file that
  // does not open or a malformed line gets its one line and no output at all.
  const CityFileSurvey survey = SurveyCityFile(input.cityFile, item);
  if (survey.failure) {
    ErrorLine(ctx.err, "city file '" + input.cityFile + "' " + survey.failure->Message());
    return kExitUsage;
  }

  const DeltaTValues dt = DeltaTOf(input.eclipse, input.deltaT);
  const double deltaT = dt.value;
  std::optional<ListOutput> text;
  std::optional<JsonListWriter> json;
  if (format == OutputFormat::Text) {
    text.emplace(ctx.out, screen, CityListLegend(lang), CityListHeader(lang));
  } else {
    Json head;
    head["index"] = index;
    head["type"] = EclipseTypeLongName(input.eclipse.EclipseType, lang);
    head["type_code"] = static_cast<int>(input.eclipse.EclipseType);
    head["delta_t_s"] = deltaT;
    head["delta_t"] = {{"value_s", dt.value}, {"sigma_s", dt.sigma}, {"own", dt.own}};
    head["city_file"] = input.cityFile;
    head["population_item"] = item;
    head["places_scanned"] = survey.passing;
    json.emplace(ctx.out, head, "places");
  }
  // The places are computed and formatted block by block on every core; the blocks are
  // written in file order.
  CityListBlockCallbacks callbacks;
  callbacks.format = [&](std::string& out, ContactClock& clock, const Place& p) {
    if (text) {
      if (text->Screen()) AppendCityListLine(out, clock, p);
      else AppendCityListRecord(out, clock, p);
      out += text->Screen() ? "\n" : "\r\n";
      return;
    }
    JsonTextWriter w = JsonListItemWriter(out);
    w.BeginObject();
    w.Key("country");
    w.String(p.Country);
    w.Key("city");
    w.String(p.City);
    w.Key("latitude_deg");
    w.Number(p.Latitude);
    w.Key("longitude_deg");
    w.Number(p.Longitude);
    w.Key("population");
    w.Integer(p.Population);
    WritePlaceResult(w, PlaceResultOf(input.eclipse, deltaT, p, Observer{p.Latitude, p.Longitude, p.Height}));
    w.EndObject();
  };
  callbacks.onBlock = [&](std::string_view block, const CityListCounts&) {
    if (text) text->Write(block);
    else json->AddItems(block);
  };
  const std::atomic<bool> stop{false};
  const CityListOutcome outcome = RunCityListBlocks(input, callbacks, stop);
  // The file changed since the survey: what is written may be cut short or disagree with
  // the count at its head. A JSON document stays unclosed.
  if (!outcome.cityFileOpened || outcome.failure || outcome.counts.scanned != survey.passing) {
    ErrorLine(ctx.err, "city file '" + input.cityFile + "' " +
                           (outcome.failure ? outcome.failure->Message()
                                            : std::string(outcome.cityFileOpened ? "changed while it was read"
                                                                                 : "cannot be read")) +
                           "; the output is incomplete");
    return kExitUsage;
  }
  if (json) json->Close();
  ctx.err << CityListStatus(outcome.counts.scanned, outcome.counts.found, lang) << '\n';
  if (outcome.unconverged > 0) {
    ctx.err << "varomintel-cli: " << outcome.unconverged
            << " place(s) with a contact whose refinement did not converge\n";
    return kExitNothing;
  }
  return outcome.counts.found > 0 ? kExitOk : kExitNothing;
}

const bool registered = RegisterCommand(
    {.name = "citylist",
     .summary = "every place of the city file above a population threshold that sees one eclipse",
     .positional = "INDEX",
     .positionalHelp = "the eclipse's number in the catalogue",
     .options = {{.name = "--population-item", .value = "K",
                  .help = "the population threshold's item, 0 to 9 (9, the largest places, by default)",
                  .check = Check::Integer, .min = 0, .max = kPopulationItems - 1},
                 DeltaTOptionDecl(),
                 LanguageOptionDecl(),
                 {.name = "--cities", .value = "FILE", .help = "the city file (by default the language's, beside the program)"},
                 {.name = "--screen", .help = "the fixed-width lines of the window instead of the saved list"},
                 FormatOptionDecl()},
     .example = "citylist 16921 --population-item 6 --lang de",
     .run = &CityList});

}  // namespace

}  // namespace varomintel::cli
