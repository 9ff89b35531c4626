// The commands of varomintel-cli. Each command declares itself once, in its own source
// file: its name, one line of summary, its positional argument, its options (name, value,
// description and the check of the value), an example and the function that runs it:
//   const bool registered = RegisterCommand({.name = "report", ..., .run = &Run});
// The command line is parsed from these declarations (command_line.cpp, the only user of
// the parser library), and the help texts come from them, so that what a command accepts
// and what its help says cannot drift apart. A command runs with its values checked.
#pragma once

#include <cstdint>
#include <map>
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

// How the value of an option is checked before the command runs. Every number follows one
// rule: no blank inside or around it.
enum class Check {
  None,       // any text
  NoBlank,    // a text without blanks (a number read by the main window's own rule, such as --year)
  PlainText,  // UTF-8 without control characters (a name that goes into lines and files)
  Choice,     // one of the words of `value`, separated by '|' ("de|en|fr|es")
  Integer,    // a whole number from `min` to `max`
  Real,       // a number from `min` to `max`
  Latitude,   // unsigned degrees 0..90 and N or S ("47.5N")
  Longitude,  // unsigned degrees 0..180 and E or W ("7.5E")
  Place,      // latitude, a comma, longitude ("47.5N,7.5E")
};

struct OptionDecl {
  const char* name;                // "--lang"
  const char* value = nullptr;     // the value's placeholder in the help ("M", "de|en|fr|es"); null for a flag
  const char* help = "";           // one line for the help
  Check check = Check::None;
  double min = 0, max = 0;         // the range of Integer and Real
  const char* unit = "";           // Real: "hours", "metres" in the message of a refused value
  bool required = false;
};

// The arguments of one command, parsed and checked against its declaration.
class Args {
 public:
  Args() = default;
  bool Flag(std::string_view name) const;
  // The value of an option, none when it was not given.
  std::optional<std::string_view> Value(std::string_view name) const;
  // The positional argument (its presence is checked when the command requires it).
  std::string_view Positional() const { return positional_; }

  void SetFlag(std::string name) { flags_.push_back(std::move(name)); }
  void SetValue(std::string name, std::string value) { values_[std::move(name)] = std::move(value); }
  void SetPositional(std::string value) { positional_ = std::move(value); }

 private:
  std::vector<std::string> flags_;
  std::map<std::string, std::string, std::less<>> values_;
  std::string positional_;
};

struct Context {
  std::ostream& out;
  std::ostream& err;
  std::string programDir;  // the executable's folder, ending in "/"; empty when unknown (no /proc)
};

struct Command {
  const char* name;
  const char* summary = "";          // one line for the list of commands
  const char* positional = nullptr;  // "INDEX"; null when the command takes none
  const char* positionalHelp = "";
  std::vector<OptionDecl> options = {};
  const char* example = "";          // one command line, without the program's name
  bool needsCatalogue = true;        // loaded from --catalogue or the current directory before run
  int (*run)(Args& args, const Catalogue* catalogue, Context& context) = nullptr;
};

bool RegisterCommand(Command command);
// The registered command of that name, or null.
const Command* FindCommand(std::string_view name);
// Every registered command, by name.
std::vector<const Command*> Commands();

// Checks `value` of `option` against its declaration: a UsageError naming the option and
// quoting the value when it does not pass.
void CheckValue(const OptionDecl& option, std::string_view value);

// The options that several commands share, declared once.
OptionDecl LanguageOptionDecl();                               // --lang de|en|fr|es
OptionDecl FormatOptionDecl(bool calendarAllowed = false);     // --format text|json[|ics]
OptionDecl ScaleOptionDecl();                                  // --scale S, 1..4
OptionDecl TimeZoneOptionDecl();                               // --tz HOURS
OptionDecl LatitudeOptionDecl();                               // --lat DEG{N|S}, required
OptionDecl LongitudeOptionDecl();                              // --lon DEG{E|W}, required
OptionDecl HeightOptionDecl();                                 // --height M, kMinObserverHeightM..kMaxObserverHeightM
OptionDecl NameOptionDecl();                                   // --name TEXT
OptionDecl YearOptionDecl(const char* name, const char* help);  // a whole year (of int)
OptionDecl DeltaTOptionDecl();                                 // --delta-t SECONDS, -1e6..1e6

// A number as the options take it: no blank anywhere, then ParseInteger or ParseReal.
std::optional<long long> StrictInteger(std::string_view text);
std::optional<double> StrictReal(std::string_view text);

// An eclipse index 1..Count() of the catalogue; anything else is a UsageError.
int IndexArgument(std::string_view text, const Catalogue& catalogue);

// --lang de|en|fr|es, English when absent.
std::uint8_t LanguageOption(const Args& args);

// --scale S for the pictures (the picture S times larger, the same drawing), 1 when absent.
double ScaleOption(const Args& args);

// --format text|json (and ics where the command allows it); text when absent.
enum class OutputFormat { Text, Json, Calendar };
OutputFormat FormatOption(const Args& args);

// --tz HOURS: the zone rounded to whole minutes (zones are; a finer offset would show as
// "+0.01" for 30 seconds) and clamped to -18..18 hours; 0 when absent.
double TimeZoneOption(const Args& args);

// --delta-t SECONDS: an own Delta T for the run instead of the model's; none when absent.
std::optional<double> DeltaTOption(const Args& args);

// The Delta T line of the report and of `local`: "Delta T = 20529 s ± 516 s (1σ)" for the
// model's value (DeltaTText of the eclipse's DeltaT and DeltaTSigma); with --delta-t the own
// value and the model's after it: "Delta T = 20000 s (own value; model 20529 s ± 516 s (1σ))".
std::string DeltaTLine(const EclipseRecord& eclipse, const std::optional<double>& own);

// The values of the JSON object "delta_t": value_s (the Delta T used in universal time),
// sigma_s (the model's standard error at the eclipse) and own (true when --delta-t gave the
// value); and the model's value, which the visibility over Delta T is centred on.
struct DeltaTValues {
  double value = 0;  // s
  double sigma = 0;  // s
  bool own = false;
  double model = 0;  // s: the model's Delta T, whatever value is used
};
DeltaTValues DeltaTOf(const EclipseRecord& eclipse, const std::optional<double>& own);

// --lat 47.5N and --lon 7.5E (north and east positive) and --height M (metres, 0 when absent).
struct PlaceOption {
  double latitudeDeg = 0;   // north positive
  double longitudeDeg = 0;  // east positive
  double heightM = 0;
};
PlaceOption PlaceOptions(const Args& args);

// A value as an error line quotes it: cut to its first 40 characters with "..." after, so
// that a line stays a line whatever was typed.
std::string Quoted(std::string_view value);

// One line on standard error: "varomintel-cli: " and the message, with control characters
// shown as escapes (EscapeControlCharacters), so that an argument or a file name quoted in
// it can neither break the line nor send the terminal commands.
void ErrorLine(std::ostream& err, std::string_view message);

}  // namespace varomintel::cli
