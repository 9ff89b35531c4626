// varomintel-cli citylist and cityhist: the city list of one eclipse and the city history
// of one place, as the saved tab-separated text (CR LF) or as the on-screen lines.
#include <atomic>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/text_table.h"
#include "astro/number_text.h"
#include "astro/trig_func.h"
#include "cli/commands.h"
#include "places/city_file.h"
#include "places/city_hist.h"
#include "places/city_list.h"
#include "places/list_file.h"

namespace varomintel::cli {

namespace {

// The output of a run: the saved text (legend and records, CR LF) or the on-screen
// lines under their column header (LF).
class ListOutput {
 public:
  ListOutput(bool screen, std::vector<std::string> legend, const std::string& header) : screen_(screen) {
    if (screen_) lines_.push_back(header);
    else lines_ = std::move(legend);
  }
  void Add(const std::string& line, const std::string& record) { lines_.push_back(screen_ ? line : record); }
  void Write(std::ostream& out) const {
    if (!screen_) {
      out << JoinCrLf(lines_);
      return;
    }
    for (const std::string& l : lines_) out << l << '\n';
  }

 private:
  bool screen_;
  std::vector<std::string> lines_;
};

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
  const auto index = ParseInteger(indexText);
  if (!index || *index < 1 || *index > catalogue.Count())
    throw UsageError{"index '" + std::string(indexText) + "' is not a whole number from 1 to " +
                     std::to_string(catalogue.Count())};

  CityListInput input;
  input.eclipse = catalogue.At(static_cast<int>(*index));
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
    ctx.err << "varomintel-cli: city file '" << input.cityFile << "' line " << outcome.failure->lineNumber << ": "
            << outcome.failure->error.Message() << '\n';
    return kExitUsage;
  }
  if (outcome.unconverged > 0) {
    ctx.err << "varomintel-cli: " << outcome.unconverged
            << " place(s) with a contact whose refinement did not converge\n";
    return kExitNothing;
  }
  return outcome.counts.found > 0 ? kExitOk : kExitNothing;
}

// "47.5N" / "33.87S" (limit 90) or "7.5E" / "70.64W" (limit 180): degrees, unsigned,
// with the hemisphere letter. Returned: degrees, north or east positive.
double Coordinate(std::optional<std::string_view> text, const char* option, char positive, char negative,
                  double limit) {
  const std::string usage = std::string(option) + " must be degrees from 0 to " + FormatFixed(limit, 0) +
                            " followed by " + positive + " or " + negative;
  if (!text) throw UsageError{std::string("missing ") + option + " (" + usage + ")"};
  const std::string_view t = *text;
  if (t.size() < 2) throw UsageError{usage + ", not '" + std::string(t) + "'"};
  const char side = t.back();
  const std::string_view number = t.substr(0, t.size() - 1);
  const bool digitFirst = (number.front() >= '0' && number.front() <= '9') || number.front() == '.';
  const auto value = digitFirst ? ParseReal(number) : std::nullopt;
  if ((side != positive && side != negative) || !value || *value > limit)
    throw UsageError{usage + ", not '" + std::string(t) + "'"};
  return side == positive ? *value : -*value;
}

int Year(std::optional<std::string_view> text, const char* option, int absent) {
  if (!text) return absent;
  const auto v = ParseInteger(*text);
  if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
    throw UsageError{std::string(option) + " must be a whole year, not '" + std::string(*text) + "'"};
  return static_cast<int>(*v);
}

int CityHist(Args& args, const Catalogue* cat, Context& ctx) {
  const std::uint8_t lang = LanguageOption(args);
  const bool screen = args.Flag("--screen");
  const double latitude = Coordinate(args.Value("--lat"), "--lat", 'N', 'S', 90);
  const double longitude = Coordinate(args.Value("--lon"), "--lon", 'E', 'W', 180);
  double height = 0;
  if (const auto h = args.Value("--height")) {
    const auto v = ParseReal(*h);
    if (!v) throw UsageError{"--height must be a number of metres, not '" + std::string(*h) + "'"};
    height = *v;
  }
  const auto name = args.Value("--name");
  const int first = Year(args.Value("--from"), "--from", std::numeric_limits<int>::min());
  const int last = Year(args.Value("--to"), "--to", std::numeric_limits<int>::max());
  args.ExpectEnd();

  CityHistInput input;
  input.catalogue = cat;
  input.name = name ? std::string(*name) : std::string();
  input.latitude = latitude * DegToRad;
  input.westLongitude = -longitude * DegToRad;
  input.height = height;
  input.firstYear = first;
  input.lastYear = last;

  ListOutput output(screen, CityHistLegend(lang), CityHistHeader(lang));
  CityHistCallbacks callbacks;
  callbacks.onResult = [&](const CityHistHit& hit) { output.Add(hit.line, hit.record); };
  const std::atomic<bool> stop{false};
  const CityHistOutcome outcome = RunCityHist(input, callbacks, stop);
  output.Write(ctx.out);
  ctx.err << kCityHistDone << '\n';
  if (outcome.unconverged > 0) {
    ctx.err << "varomintel-cli: " << outcome.unconverged
            << " eclipse(s) with a contact whose refinement did not converge\n";
    return kExitNothing;
  }
  return outcome.found > 0 ? kExitOk : kExitNothing;
}

const bool registered =
    RegisterCommand({"citylist", "INDEX [--population-item 0..9] [--lang de|en|fr] [--cities FILE] [--screen]", true,
                     &CityList}) &&
    RegisterCommand({"cityhist",
                     "--lat DEG{N|S} --lon DEG{E|W} [--height M] [--name TEXT] [--from YEAR] [--to YEAR] "
                     "[--lang de|en|fr] [--screen]",
                     true, &CityHist});

}  // namespace

}  // namespace varomintel::cli
