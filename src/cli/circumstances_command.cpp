// varomintel-cli circumstances: the computed circumstances of one eclipse, a range or the
// whole catalogue as name<TAB>value lines, every number with 17 significant digits.
#include <ostream>
#include <string>

#include "astro/delta_t.h"
#include "cli/commands.h"
#include "eclipse/circumstances.h"
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

int Circumstances(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  const bool tt = args.Flag("--tt");
  const std::string_view which = args.Positional("INDEX");
  args.ExpectEnd();
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
  std::string o;
  o.reserve(static_cast<std::size_t>(last - first + 1) * 420);
  int status = kExitOk;
  for (int i = first; i <= last; ++i) {
    const EclipseRecord& record = catalogue.At(i);
    const CircumstancesResult result = ComputeCircumstances(record, tt ? 0.0 : DeltaT(record.Year, record.Month));
    if (blocks) o += "Index\t" + std::to_string(i) + "\n";
    AppendCircumstances(o, result);
    if (!result.converged) {
      ctx.err << "varomintel-cli: eclipse " << i << ": the search for " << result.failedSearch
              << " did not converge\n";
      status = kExitNothing;
    }
  }
  ctx.out << o;
  return status;
}

const bool registered = RegisterCommand({"circumstances", "INDEX|A..B|all [--tt]", true, &Circumstances});

}  // namespace

}  // namespace varomintel::cli
