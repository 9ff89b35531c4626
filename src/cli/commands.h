// The commands of varomintel-cli. Each command lives in its own source file of the
// program and registers itself at start-up:
//   const bool registered = RegisterCommand({"name", "ARGS...", true, &Run});
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "eclipse/catalogue.h"

namespace varomintel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitNothing = 1;  // nothing found, or a search that did not converge
inline constexpr int kExitUsage = 2;    // bad arguments or unusable input files
inline constexpr int kExitOutput = 3;   // the output could not be written

// Thrown for bad arguments; the message becomes the one line on standard error.
struct UsageError {
  std::string message;
};

// The arguments after the command: flags with or without a value, and positionals.
// Each accessor takes what it finds out of the list; ExpectEnd complains about the rest.
class Args {
 public:
  explicit Args(std::vector<std::string_view> args) : args_(std::move(args)) {}
  bool Flag(std::string_view name);
  std::optional<std::string_view> Value(std::string_view name);
  // The first argument that is not an option (a negative number counts as a value).
  std::string_view Positional(const char* what);
  void ExpectEnd() const;

 private:
  std::vector<std::string_view> args_;
};

// An eclipse index 1..Count() of the catalogue; anything else is a UsageError.
int IndexArgument(std::string_view text, const Catalogue& catalogue);

// --lang de|en|fr, English when absent.
std::uint8_t LanguageOption(Args& args);

// --scale S for the pictures: a number from 1 to 4 (the picture S times larger, the same
// drawing), 1 when absent.
double ScaleOption(Args& args);

// --format text|json (and ics where the command allows it); text when absent.
enum class OutputFormat { Text, Json, Calendar };
OutputFormat FormatOption(Args& args, bool calendarAllowed = false);

// --lat 47.5N and --lon 7.5E (both needed: unsigned degrees with the hemisphere's letter,
// at most 90 and 180) and --height M (metres, 0 when absent).
struct PlaceOption {
  double latitudeDeg = 0;   // north positive
  double longitudeDeg = 0;  // east positive
  double heightM = 0;
};
PlaceOption PlaceOptions(Args& args);

struct Context {
  std::ostream& out;
  std::ostream& err;
  std::string programDir;  // the executable's folder, ending in "/"
};

struct Command {
  const char* name;
  const char* usage;       // the arguments, for the help text
  bool needsCatalogue;     // loaded from --catalogue or the current directory before Run
  int (*run)(Args& args, const Catalogue* catalogue, Context& context);
};

bool RegisterCommand(const Command& command);
// The registered command of that name, or null.
const Command* FindCommand(std::string_view name);

// One line on standard error: "varomintel-cli: " and the message, with control characters
// shown as escapes (EscapeControlCharacters), so that an argument or a file name quoted in
// it can neither break the line nor send the terminal commands.
void ErrorLine(std::ostream& err, std::string_view message);

}  // namespace varomintel::cli
