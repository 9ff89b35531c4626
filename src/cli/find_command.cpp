// varomintel-cli find: the eclipse that the year or the Saros entry of the main window
// selects, with its date and type.
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

int Find(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  const auto year = args.Value("--year");
  const auto saros = args.Value("--saros");
  const std::uint8_t lang = LanguageOption(args);
  const OutputFormat format = FormatOption(args);
  args.ExpectEnd();
  if (year.has_value() == saros.has_value()) throw UsageError{"find needs either --year or --saros"};
  int index = 0;
  if (year) {
    const auto found = FindByYear(catalogue, *year);
    if (!found) {
      ErrorLine(ctx.err, "year '" + std::string(*year) + "' is not an integer: nothing selected");
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
  const CircumstancesResult result = ComputeCircumstances(record, DeltaT(record.Year, record.Month));
  if (format == OutputFormat::Json) {
    Json j;
    j["index"] = index;
    j["date_tt"] = {{"year", record.Year}, {"month", record.Month}, {"day", record.Day}};
    j["saros"] = record.Saros;
    j["type"] = EclipseTypeLongName(result.type, lang);
    j["type_code"] = static_cast<int>(result.type);
    WriteJson(ctx.out, j);
    return kExitOk;
  }
  ctx.out << index << '\t' << RecordDate(record) << '\t' << EclipseTypeLongName(result.type, lang) << '\n';
  return kExitOk;
}

const bool registered = RegisterCommand({"find", "--year YEAR | --saros SAROS [--lang de|en|fr] [--format text|json]", true, &Find});

}  // namespace

}  // namespace varomintel::cli
