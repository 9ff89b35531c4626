// varomintel-cli report: the report of one eclipse, as the main window shows it.
#include <ostream>

#include "astro/delta_t.h"
#include "cli/commands.h"
#include "eclipse/circumstances.h"
#include "eclipse/report.h"
#include "text/number_text.h"

namespace varomintel::cli {

namespace {

int Report(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  ReportSettings settings;
  settings.language = LanguageOption(args);
  settings.universalTime = !args.Flag("--tt");
  if (const auto tz = args.Value("--tz")) {
    const auto hours = ParseReal(*tz);
    if (!hours) throw UsageError{"--tz must be a number of hours, not '" + std::string(*tz) + "'"};
    settings.timeZone = ClampTimeZone(*hours);
  }
  const int index = IndexArgument(args.Positional("INDEX"), catalogue);
  args.ExpectEnd();
  settings.timeZoneText = FormatTimeZone(settings.timeZone);

  EclipseRecord record = catalogue.At(index);
  settings.deltaT = settings.universalTime ? DeltaT(record.Year, record.Month) : 0.0;
  const CircumstancesResult result = ComputeCircumstances(record, settings.deltaT);
  record.EclipseType = result.type;
  for (const ReportLine& line : BuildReport(record, result.circumstances, settings)) ctx.out << line.text << '\n';
  if (!result.converged) {
    ctx.err << "varomintel-cli: eclipse " << index << ": the search for " << result.failedSearch
            << " did not converge\n";
    return kExitNothing;
  }
  return kExitOk;
}

const bool registered = RegisterCommand({"report", "INDEX [--lang de|en|fr] [--tt] [--tz HOURS]", true, &Report});

}  // namespace

}  // namespace varomintel::cli
