// The command line of varomintel-cli: parsed with CLI11 from the commands' declarations
// (commands.h), which also give every help text. This is the one file that includes the
// parser library: it is large and slow to compile, and nothing else needs it.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/version_info.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "eclipse/catalogue.h"

namespace varomintel {

namespace {

using namespace cli;

std::optional<std::string> ProgramDir() {
  // The program's own file as the kernel knows it. Without /proc there is no sound
  // replacement: argv[0] and the current folder are whatever the caller chose, and the
  // folder is where the picture module is loaded from.
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || !exe.is_absolute()) return std::nullopt;
  std::string dir = exe.parent_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

// One parsed command: its declaration and the parser's options, in the declaration's order.
struct Bound {
  const Command* command = nullptr;
  CLI::App* app = nullptr;
  CLI::Option* positional = nullptr;
  std::vector<std::pair<const OptionDecl*, CLI::Option*>> options;
};

// Declares `command` to the parser: its name and summary for the list of commands, and,
// when `full`, its arguments.
void Declare(CLI::App& parent, const Command& command, bool full, Bound& bound) {
  bound.command = &command;
  CLI::App* sub = parent.add_subcommand(command.name, command.summary);
  sub->group("Commands");
  sub->set_help_flag("-h,--help", "print this help and exit");
  bound.app = sub;
  if (!full) return;
  if (*command.example) sub->footer(std::string("Example:\n  varomintel-cli ") + command.example);
  if (command.positional)
    bound.positional = sub->add_option(command.positional, command.positionalHelp)->required()->type_name("");
  for (const OptionDecl& declared : command.options) {
    CLI::Option* option = nullptr;
    if (!declared.value) {
      option = sub->add_flag(declared.name, declared.help);
    } else {
      option = sub->add_option(declared.name, declared.help)->type_name(declared.value);
      // The check throws its own UsageError, whose line names the option and quotes the value.
      option->check(CLI::Validator(
          [&declared](std::string& value) {
            CheckValue(declared, value);
            return std::string();
          },
          ""));
    }
    if (declared.required) option->required();
    bound.options.emplace_back(&declared, option);
  }
}

Args ArgsOf(const Bound& bound) {
  Args args;
  if (bound.positional && bound.positional->count() > 0) args.SetPositional(bound.positional->results().front());
  for (const auto& [declared, option] : bound.options) {
    if (option->count() == 0) continue;
    if (!declared->value) args.SetFlag(declared->name);
    else args.SetValue(declared->name, option->results().back());
  }
  return args;
}

// "missing INDEX", "missing --lat DEG{N|S}": the first required argument of the command
// `given` that is missing; empty when none is.
std::string Missing(const std::vector<Bound>& bound, const CLI::App* given) {
  for (const Bound& b : bound) {
    if (b.app != given) continue;
    if (b.positional && b.positional->count() == 0) return std::string("missing ") + b.command->positional;
    for (const auto& [declared, option] : b.options)
      if (declared->required && option->count() == 0) return std::string("missing ") + declared->name + " " + declared->value;
  }
  return {};
}

// The line for an argument that no declaration takes, `command` being the command given.
std::string LeftOver(const std::string& arg, const std::string& command, int argc, const char* const* argv) {
  if (!arg.starts_with("-") || arg == "-") return "unexpected argument " + Quoted(arg);
  if (arg == "--catalogue") return "--catalogue goes before the command";
  for (int i = 1; i < argc && argv[i] != command; ++i)
    if (argv[i] == arg) return "unexpected option " + Quoted(arg) + " before the command (its options go after its name)";
  return "unknown option " + Quoted(arg) + " of " + command + " (try varomintel-cli " + command + " --help)";
}

std::string VersionText() {
  return "varomintel-cli " + ProgramVersionInfo("").ProductVersion;
}

int RunCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app("Lunar eclipses from the command line: reports, searches, lists, maps, diagrams and videos.",
               "varomintel-cli");
  app.get_formatter()->label("SUBCOMMAND", "COMMAND");
  app.set_help_flag("-h,--help", "print this help and exit");
  app.get_formatter()->column_width(34);
  app.require_subcommand(1);
  std::string cataloguePath = kCatalogueFileName;
  CLI::Option* catalogueOption =
      app.add_option("--catalogue", cataloguePath,
                     std::string("the catalogue (by default ") + kCatalogueFileName +
                         " in the current folder, else beside the program)")
          ->type_name("FILE");
  app.set_version_flag("--version", VersionText(), "print the program's version and exit");
  app.footer("Run 'varomintel-cli COMMAND --help' for the options of a command and an example.");

  const std::vector<const Command*> commands = Commands();
  std::vector<Bound> bound(commands.size());
  // The arguments of the commands that the command line names, the others' only by name:
  // a run parses one command, and declaring some seventy options costs a millisecond.
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const std::string_view name = commands[i]->name;
    Declare(app, *commands[i], std::find(argv + 1, argv + std::max(argc, 1), name) != argv + std::max(argc, 1),
            bound[i]);
  }

  try {
    if (argc <= 1) throw UsageError{"no command given (try --help)"};
    try {
      app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
      out << app.help();
      return kExitOk;
    } catch (const CLI::CallForAllHelp&) {
      out << app.help("", CLI::AppFormatMode::All);
      return kExitOk;
    } catch (const CLI::CallForVersion& e) {
      out << e.what() << '\n';
      return kExitOk;
    } catch (const CLI::ParseError& e) {
      // The parser's own words, except for a command it does not know, a missing command
      // and arguments left over, which are named in the order they were typed.
      const std::vector<std::string> rest = app.remaining(true);
      if (app.get_subcommands().empty() && !rest.empty())
        throw UsageError{"unknown command " + Quoted(rest.front()) + " (try --help)"};
      if (app.get_subcommands().empty() && dynamic_cast<const CLI::RequiredError*>(&e))
        throw UsageError{"no command given (try --help)"};
      if (dynamic_cast<const CLI::RequiredError*>(&e))
        if (const std::string missing = Missing(bound, app.get_subcommands().front()); !missing.empty())
          throw UsageError{missing};
      if (dynamic_cast<const CLI::ExtrasError*>(&e) && !rest.empty())
        throw UsageError{LeftOver(rest.front(), app.get_subcommands().front()->get_name(), argc, argv)};
      // "--lang: At Most 1 required but received 2", "--tz: 1 required HOURS missing".
      const std::string what = e.what();
      if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) && what.find(": At Most 1 ") != std::string::npos)
        throw UsageError{what.substr(0, what.find(':')) + " is given more than once"};
      if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) && what.ends_with(" missing"))
        throw UsageError{what.substr(0, what.find(':')) + " needs a value"};
      throw UsageError{what};
    }
    const auto selected = std::find_if(bound.begin(), bound.end(),
                                       [&](const Bound& b) { return b.app == app.get_subcommands().front(); });
    const Command& command = *selected->command;
    Args args = ArgsOf(*selected);

    Context context{out, err, ProgramDir().value_or(std::string())};
    if (!command.needsCatalogue) return command.run(args, nullptr, context);
    // An installed program run from any folder: the catalogue beside the program when the
    // current folder has none.
    std::error_code ec;
    if (catalogueOption->count() == 0 && !context.programDir.empty() &&
        !std::filesystem::exists(cataloguePath, ec) &&
        std::filesystem::exists(context.programDir + kCatalogueFileName, ec))
      cataloguePath = context.programDir + kCatalogueFileName;
    const CatalogueLoad load = LoadCatalogue(cataloguePath);
    if (!load.ok()) {
      ErrorLine(err, load.Message());
      return kExitUsage;
    }
    return command.run(args, &load.catalogue, context);
  } catch (const UsageError& e) {
    ErrorLine(err, e.message);
    return kExitUsage;
  }
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  const int status = RunCommand(argc, argv, out, err);
  // Data that never reached its reader (a full disk, a closed output, a pipe whose
  // reader has gone) is a failure, whatever the command found.
  errno = 0;
  out.flush();
  if (!out) {
    const int code = errno;
    err << "varomintel-cli: cannot write the output" << (code ? std::string(": ") + std::strerror(code) : std::string())
        << '\n';
    return cli::kExitOutput;
  }
  return status;
}

}  // namespace varomintel
