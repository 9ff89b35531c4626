#include "cli/cli.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/text_table.h"
#include "astro/delta_t.h"
#include "astro/number_text.h"
#include "cli/commands.h"
#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "eclipse/report.h"
#include "eclipse/selection.h"

namespace varomintel::cli {

namespace {

int IndexArgument(std::string_view text, const Catalogue& catalogue) {
  const auto index = ParseInteger(text);
  if (!index || *index < 1 || *index > catalogue.Count())
    throw UsageError{"index '" + std::string(text) + "' is not a whole number from 1 to " +
                     std::to_string(catalogue.Count())};
  return static_cast<int>(*index);
}

double EclipseDeltaT(const EclipseRecord& r) { return DeltaT(r.Year, r.Month); }

std::string RecordDate(const EclipseRecord& r) {
  return std::to_string(r.Year) + "-" + PadLeft(std::to_string(r.Month), 2, '0') + "-" +
         PadLeft(std::to_string(r.Day), 2, '0');
}

int Report(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  std::ostream& out = ctx.out;
  std::ostream& err = ctx.err;
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
  settings.deltaT = settings.universalTime ? EclipseDeltaT(record) : 0.0;
  const CircumstancesResult result = ComputeCircumstances(record, settings.deltaT);
  record.EclipseType = result.type;
  for (const ReportLine& line : BuildReport(record, result.circumstances, settings)) out << line.text << '\n';
  if (!result.converged) {
    err << "varomintel-cli: eclipse " << index << ": the search for " << result.failedSearch
        << " did not converge\n";
    return kExitNothing;
  }
  return kExitOk;
}

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
  o += "EclipseType\t" + std::to_string(result.type) + "\n";
  line("DMax", c.DMax);
  line("MMax", c.MMax);
}

int Circumstances(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  std::ostream& out = ctx.out;
  std::ostream& err = ctx.err;
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
    const CircumstancesResult result = ComputeCircumstances(record, tt ? 0.0 : EclipseDeltaT(record));
    if (blocks) o += "Index\t" + std::to_string(i) + "\n";
    AppendCircumstances(o, result);
    if (!result.converged) {
      err << "varomintel-cli: eclipse " << i << ": the search for " << result.failedSearch << " did not converge\n";
      status = kExitNothing;
    }
  }
  out << o;
  return status;
}

int Find(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  std::ostream& out = ctx.out;
  std::ostream& err = ctx.err;
  const auto year = args.Value("--year");
  const auto saros = args.Value("--saros");
  const std::uint8_t lang = LanguageOption(args);
  args.ExpectEnd();
  if (year.has_value() == saros.has_value()) throw UsageError{"find needs either --year or --saros"};
  int index = 0;
  if (year) {
    const auto found = FindByYear(catalogue, *year);
    if (!found) {
      err << "varomintel-cli: year '" << *year << "' is not an integer: nothing selected\n";
      return kExitNothing;
    }
    index = found->index;
  } else {
    const SarosSearch found = FindBySaros(catalogue, *saros);
    if (found.index == 0) {
      err << "varomintel-cli: no eclipse of Saros " << found.saros << " in the catalogue\n";
      return kExitNothing;
    }
    index = found.index;
  }
  const EclipseRecord& record = catalogue.At(index);
  const CircumstancesResult result = ComputeCircumstances(record, EclipseDeltaT(record));
  out << index << '\t' << RecordDate(record) << '\t' << EclipseTypeLongName(result.type, lang) << '\n';
  return kExitOk;
}

const bool registered = RegisterCommand({"report", "INDEX [--lang de|en|fr] [--tt] [--tz HOURS]", true, &Report}) &&
                        RegisterCommand({"circumstances", "INDEX|A..B|all [--tt]", true, &Circumstances}) &&
                        RegisterCommand({"find", "--year YEAR | --saros SAROS [--lang de|en|fr]", true, &Find});

std::map<std::string_view, Command>& Registry() {
  static std::map<std::string_view, Command> commands;
  return commands;
}

// The executable's folder, ending in "/": where the program's own files (city files) are.
std::string ProgramDir(const char* argv0) {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec && argv0) exe = std::filesystem::absolute(argv0, ec);
  std::string dir = exe.parent_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string Usage() {
  std::string u = "usage: varomintel-cli [--catalogue FILE] COMMAND ...\ncommands:\n";
  for (const auto& [name, c] : Registry()) {
    u += "  " + std::string(name);
    if (*c.usage) u += std::string(" ") + c.usage;
    u += "\n";
  }
  u += "The catalogue is read from the current directory unless --catalogue names it.\n";
  return u;
}

}  // namespace

bool Args::Flag(std::string_view name) {
  const auto it = std::find(args_.begin(), args_.end(), name);
  if (it == args_.end()) return false;
  args_.erase(it);
  return true;
}

std::optional<std::string_view> Args::Value(std::string_view name) {
  const auto it = std::find(args_.begin(), args_.end(), name);
  if (it == args_.end()) return std::nullopt;
  if (it + 1 == args_.end()) throw UsageError{std::string(name) + " needs a value"};
  const std::string_view v = *(it + 1);
  args_.erase(it, it + 2);
  return v;
}

std::string_view Args::Positional(const char* what) {
  for (auto it = args_.begin(); it != args_.end(); ++it) {
    const std::string_view a = *it;
    if (a.size() < 2 || a[0] != '-' || (a[1] >= '0' && a[1] <= '9')) {
      args_.erase(it);
      return a;
    }
  }
  throw UsageError{std::string("missing ") + what};
}

void Args::ExpectEnd() const {
  if (!args_.empty()) throw UsageError{"unexpected argument '" + std::string(args_.front()) + "'"};
}

std::uint8_t LanguageOption(Args& args) {
  const auto code = args.Value("--lang");
  if (!code) return kEnglish;
  const auto lang = LanguageFromCode(*code);
  if (!lang) throw UsageError{"--lang must be de, en or fr, not '" + std::string(*code) + "'"};
  return *lang;
}

bool RegisterCommand(const Command& command) {
  Registry()[command.name] = command;
  return true;
}

}  // namespace varomintel::cli

namespace varomintel {

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  using namespace cli;
  std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  try {
    std::string cataloguePath = kCatalogueFileName;
    while (!args.empty() && args.front().size() > 1 && args.front()[0] == '-') {
      if (args.front() == "--help" || args.front() == "-h") {
        out << Usage();
        return kExitOk;
      }
      if (args.front() != "--catalogue") throw UsageError{"unknown option '" + std::string(args.front()) + "'"};
      if (args.size() < 2) throw UsageError{"--catalogue needs a file name"};
      cataloguePath = std::string(args[1]);
      args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) throw UsageError{"no command given (try --help)"};
    const auto found = Registry().find(args.front());
    if (found == Registry().end()) throw UsageError{"unknown command '" + std::string(args.front()) + "' (try --help)"};
    const Command& command = found->second;
    args.erase(args.begin());

    Context context{out, err, ProgramDir(argc > 0 ? argv[0] : nullptr)};
    Args rest(std::move(args));
    if (!command.needsCatalogue) return command.run(rest, nullptr, context);
    const CatalogueLoad load = LoadCatalogue(cataloguePath);
    if (!load.ok()) {
      err << "varomintel-cli: " << load.Message() << '\n';
      return kExitUsage;
    }
    return command.run(rest, &load.catalogue, context);
  } catch (const UsageError& e) {
    err << "varomintel-cli: " << e.message << '\n';
    return kExitUsage;
  }
}

}  // namespace varomintel
