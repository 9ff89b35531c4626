// varomintel-cli find: the eclipse that the year or the Saros entry of the main window
// selects, with its date and type; or every eclipse of a span of years.
#include <ostream>
#include <string>

#include "astro/delta_t.h"
#include "cli/commands.h"
#include "cli/json_output.h"
#include "eclipse/circumstances.h"
#include "eclipse/eclipse_type.h"
#include "eclipse/selection.h"
#include "text/number_text.h"
#include "text/text_table.h"

namespace varomintel::cli {

namespace {

std::string RecordDate(const EclipseRecord& r) {
  return std::to_string(r.Year) + "-" + PadLeft(std::to_string(r.Month), 2, '0') + "-" +
         PadLeft(std::to_string(r.Day), 2, '0');
}

Json FoundJson(int index, const EclipseRecord& record, EclipseTypeCode type, std::uint8_t lang) {
  Json j;
  j["index"] = index;
  j["date_tt"] = {{"year", record.Year}, {"month", record.Month}, {"day", record.Day}};
  j["saros"] = record.Saros;
  j["type"] = EclipseTypeLongName(type, lang);
  j["type_code"] = static_cast<int>(type);
  return j;
}

// The line of one eclipse: index, date (terrestrial time, as the catalogue gives it) and type.
std::string FoundLine(int index, const EclipseRecord& record, EclipseTypeCode type, std::uint8_t lang) {
  return std::to_string(index) + '\t' + RecordDate(record) + '\t' + EclipseTypeLongName(type, lang) + '\n';
}

EclipseTypeCode TypeOf(const EclipseRecord& record) {
  return ComputeCircumstances(record, DeltaT(record.Year, record.Month)).type;
}

// Every eclipse of the years first..last, in the catalogue's order (which is the order of time).
int FindSpan(const Catalogue& catalogue, int first, int last, std::uint8_t lang, OutputFormat format, Context& ctx) {
  if (last < first)
    throw UsageError{"the years run backwards: --from " + std::to_string(first) + " is after --to " +
                     std::to_string(last)};
  Json list = Json::array();
  std::string text;
  int found = 0;
  for (int i = 1; i <= catalogue.Count(); ++i) {
    const EclipseRecord& record = catalogue.At(i);
    if (record.Year < first || record.Year > last) continue;
    ++found;
    if (format == OutputFormat::Json) list.push_back(FoundJson(i, record, TypeOf(record), lang));
    else text += FoundLine(i, record, TypeOf(record), lang);
  }
  if (found == 0) {
    ErrorLine(ctx.err, "no eclipse from " + std::to_string(first) + " to " + std::to_string(last) + " in the catalogue");
    return kExitNothing;
  }
  if (format == OutputFormat::Json) WriteJson(ctx.out, list);
  else ctx.out << text;
  return kExitOk;
}

int Find(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  const auto year = args.Value("--year");
  const auto saros = args.Value("--saros");
  const auto from = args.Value("--from");
  const auto to = args.Value("--to");
  const std::uint8_t lang = LanguageOption(args);
  const OutputFormat format = FormatOption(args);
  const int searches = int{year.has_value()} + int{saros.has_value()} + int{from.has_value() || to.has_value()};
  if (searches != 1) throw UsageError{"find needs either --year, --saros, or --from and --to"};
  if (from.has_value() != to.has_value()) throw UsageError{"find needs both --from and --to"};
  if (from)
    return FindSpan(catalogue, static_cast<int>(*StrictInteger(*from)), static_cast<int>(*StrictInteger(*to)), lang,
                    format, ctx);
  int index = 0;
  if (year) {
    const auto found = FindByYear(catalogue, *year);
    if (!found) {
      ErrorLine(ctx.err, "year " + Quoted(*year) + " is not an integer: nothing selected");
      return kExitNothing;
    }
    index = found->index;
  } else {
    const SarosSearch found = FindBySaros(catalogue, *saros);
    if (found.index == 0) {
      ctx.err << "varomintel-cli: no eclipse of Saros " << found.saros << " in the catalogue\n";
      return kExitNothing;
    }
    index = found.index;
  }
  const EclipseRecord& record = catalogue.At(index);
  const EclipseTypeCode type = TypeOf(record);
  if (format == OutputFormat::Json) WriteJson(ctx.out, FoundJson(index, record, type, lang));
  else ctx.out << FoundLine(index, record, type, lang);
  return kExitOk;
}

const bool registered = RegisterCommand(
    {.name = "find",
     .summary = "the eclipse that a year or a Saros selects, or every eclipse of a span of years",
     .options = {{.name = "--year", .value = "YEAR",
                  .help = "the first eclipse of the year (a year past either end selects that end)",
                  .check = Check::NoBlank},
                 {.name = "--saros", .value = "SAROS", .help = "the first eclipse of the Saros series",
                  .check = Check::NoBlank},
                 YearOptionDecl("--from", "with --to: every eclipse of the years, both included"),
                 YearOptionDecl("--to", "the last year of --from"),
                 LanguageOptionDecl(),
                 FormatOptionDecl()},
     .example = "find --from 2026 --to 2028",
     .run = &Find});

}  // namespace

}  // namespace varomintel::cli
