// varomintel-cli citylist: every place of the city file above a population threshold
// that sees one eclipse, as the saved tab-separated text (CR LF) or the on-screen lines.
#include <atomic>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/list_output.h"
#include "places/city_file.h"
#include "places/city_list.h"
#include "text/number_text.h"

namespace varomintel::cli {

namespace {

int CityList(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  const std::uint8_t lang = LanguageOption(args);
  const bool screen = args.Flag("--screen");
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
  callbacks.onResult = [&](const CityListHit& hit) { output.Add(hit.line, hit.record); };
  const std::atomic<bool> stop{false};
  const CityListOutcome outcome = RunCityList(input, callbacks, stop);
  if (!outcome.cityFileOpened) {
    ctx.err << "varomintel-cli: city file '" << input.cityFile << "' cannot be read\n";
    return kExitUsage;
  }
  output.Write(ctx.out);
  ctx.err << CityListStatus(outcome.counts.scanned, outcome.counts.found, lang) << '\n';
  if (outcome.failure) {
    ctx.err << "varomintel-cli: city file '" << input.cityFile << "' " << outcome.failure->Message() << '\n';
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
    {"citylist", "INDEX [--population-item 0..9] [--lang de|en|fr] [--cities FILE] [--screen]", true, &CityList});

}  // namespace

}  // namespace varomintel::cli
