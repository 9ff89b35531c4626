#include "cli/cli.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "eclipse/catalogue.h"
#include "text/number_text.h"
#include "text/text_table.h"
#include "text/utf8_text.h"

namespace varomintel::cli {

namespace {

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

double ScaleOption(Args& args) {
  const auto text = args.Value("--scale");
  if (!text) return 1.0;
  const auto scale = ParseReal(*text);
  if (!scale || !(*scale >= 1 && *scale <= 4))
    throw UsageError{"--scale must be a number from 1 to 4, not '" + std::string(*text) + "'"};
  return *scale;
}

OutputFormat FormatOption(Args& args, bool calendarAllowed) {
  const auto format = args.Value("--format");
  if (!format || *format == "text") return OutputFormat::Text;
  if (*format == "json") return OutputFormat::Json;
  if (*format == "ics" && calendarAllowed) return OutputFormat::Calendar;
  throw UsageError{std::string("--format must be text") + (calendarAllowed ? ", json or ics" : " or json") +
                   ", not '" + std::string(*format) + "'"};
}

int IndexArgument(std::string_view text, const Catalogue& catalogue) {
  const auto index = ParseInteger(text);
  if (!index || *index < 1 || *index > catalogue.Count())
    throw UsageError{"index '" + std::string(text) + "' is not a whole number from 1 to " +
                     std::to_string(catalogue.Count())};
  return static_cast<int>(*index);
}

// "47.5N" / "33.87S" (limit 90) or "7.5E" / "70.64W" (limit 180): degrees, unsigned,
// with the hemisphere letter. Returned: degrees, north or east positive.
static double CoordinateOption(std::optional<std::string_view> text, const char* option, char positive,
                               char negative, double limit) {
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

PlaceOption PlaceOptions(Args& args) {
  PlaceOption place;
  place.latitudeDeg = CoordinateOption(args.Value("--lat"), "--lat", 'N', 'S', 90);
  place.longitudeDeg = CoordinateOption(args.Value("--lon"), "--lon", 'E', 'W', 180);
  if (const auto h = args.Value("--height")) {
    const auto v = ParseReal(*h);
    if (!v) throw UsageError{"--height must be a number of metres, not '" + std::string(*h) + "'"};
    place.heightM = *v;
  }
  return place;
}

bool RegisterCommand(const Command& command) {
  Registry()[command.name] = command;
  return true;
}

const Command* FindCommand(std::string_view name) {
  const auto found = Registry().find(name);
  return found == Registry().end() ? nullptr : &found->second;
}

void ErrorLine(std::ostream& err, std::string_view message) {
  err << "varomintel-cli: " << EscapeControlCharacters(message) << '\n';
}

}  // namespace varomintel::cli

namespace varomintel {

namespace {

int RunCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  using namespace cli;
  std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  try {
    std::string cataloguePath = kCatalogueFileName;
    bool catalogueNamed = false;
    while (!args.empty() && args.front().size() > 1 && args.front()[0] == '-') {
      if (args.front() == "--help" || args.front() == "-h") {
        out << Usage();
        return kExitOk;
      }
      if (args.front() != "--catalogue") throw UsageError{"unknown option '" + std::string(args.front()) + "'"};
      if (args.size() < 2) throw UsageError{"--catalogue needs a file name"};
      cataloguePath = std::string(args[1]);
      catalogueNamed = true;
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
    // An installed program run from any folder: the catalogue beside the program when the
    // current folder has none.
    std::error_code ec;
    if (!catalogueNamed && !std::filesystem::exists(cataloguePath, ec) &&
        std::filesystem::exists(context.programDir + kCatalogueFileName, ec))
      cataloguePath = context.programDir + kCatalogueFileName;
    const CatalogueLoad load = LoadCatalogue(cataloguePath);
    if (!load.ok()) {
      ErrorLine(err, load.Message());
      return kExitUsage;
    }
    return command.run(rest, &load.catalogue, context);
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
