// The commands' table, the checks of option values and the readers of checked values,
// shared by the program and the picture module (each has its own copy of the table).
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/point_of_interest.h"
#include "astro/delta_t.h"
#include "cli/commands.h"
#include "eclipse/report.h"
#include "places/local_sky.h"
#include "text/number_text.h"
#include "text/text_table.h"
#include "text/utf8_text.h"

namespace varomintel::cli {

namespace {

std::map<std::string_view, Command>& Registry() {
  static std::map<std::string_view, Command> commands;
  return commands;
}

bool HasBlank(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
  });
}

// "de|en|fr|es" -> "de, en, fr or es".
std::string ChoiceList(std::string_view words) {
  std::vector<std::string_view> list;
  for (std::size_t start = 0;;) {
    const std::size_t bar = words.find('|', start);
    list.push_back(words.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  std::string text;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) text += i + 1 == list.size() ? " or " : ", ";
    text += list[i];
  }
  return text;
}

bool IsChoice(std::string_view words, std::string_view value) {
  for (std::size_t start = 0;;) {
    const std::size_t bar = words.find('|', start);
    if (words.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start) == value) return true;
    if (bar == std::string_view::npos) return false;
    start = bar + 1;
  }
}

std::string Number(double v) { return FormatSignificant(v, 15); }

// Unsigned degrees and the hemisphere letter, no blank anywhere.
std::optional<double> StrictCoordinate(std::string_view text, char positive, char negative, double limit) {
  if (HasBlank(text)) return std::nullopt;
  return ParseHemisphereCoordinate(text, positive, negative, limit);
}

}  // namespace

bool Args::Flag(std::string_view name) const {
  return std::find(flags_.begin(), flags_.end(), name) != flags_.end();
}

std::optional<std::string_view> Args::Value(std::string_view name) const {
  const auto found = values_.find(name);
  if (found == values_.end()) return std::nullopt;
  return std::string_view(found->second);
}

std::optional<long long> StrictInteger(std::string_view text) {
  if (HasBlank(text)) return std::nullopt;
  return ParseInteger(text);
}

std::optional<double> StrictReal(std::string_view text) {
  if (HasBlank(text)) return std::nullopt;
  return ParseReal(text);
}

std::string Quoted(std::string_view value) {
  constexpr std::size_t kShown = 40;
  std::size_t cut = value.size();
  if (cut > kShown) {
    cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
  }
  // Appended piece by piece: GCC 12 at -O3 takes "'" + std::string(...) for an overlapping
  // copy (-Wrestrict, a known false positive).
  std::string quoted;
  quoted.reserve(cut + 5);
  quoted += '\'';
  quoted.append(value.substr(0, cut));
  if (cut < value.size()) quoted += "...";
  quoted += '\'';
  return quoted;
}

void CheckValue(const OptionDecl& o, std::string_view v) {
  const std::string name = o.name;
  const std::string refused = ", not " + Quoted(v);
  switch (o.check) {
    case Check::None:
      return;
    case Check::NoBlank:
      if (HasBlank(v)) throw UsageError{name + " must be written without blanks" + refused};
      return;
    case Check::PlainText:
      // A tab or a line break would break the tab-separated lines; every output is UTF-8
      // (a calendar must be, RFC 5545 §3.1.4).
      if (ContainsControlCharacter(v))
        throw UsageError{name + " must not contain control characters such as tabs or line breaks"};
      if (!IsValidUtf8(v)) throw UsageError{name + " must be UTF-8 text"};
      return;
    case Check::Choice:
      if (!IsChoice(o.value, v)) throw UsageError{name + " must be " + ChoiceList(o.value) + refused};
      return;
    case Check::Integer: {
      const auto n = StrictInteger(v);
      if (!n || *n < o.min || *n > o.max) {
        if (*o.unit) throw UsageError{name + " must be a whole " + o.unit + refused};
        throw UsageError{name + " must be a whole number from " + Number(o.min) + " to " + Number(o.max) + refused};
      }
      return;
    }
    case Check::Real: {
      const auto x = StrictReal(v);
      const bool ranged = o.min < o.max;
      if (!x || (ranged && !(*x >= o.min && *x <= o.max)))
        throw UsageError{name + " must be a number" + (*o.unit ? std::string(" of ") + o.unit : std::string()) +
                         (ranged ? " from " + Number(o.min) + " to " + Number(o.max) : std::string()) + refused};
      return;
    }
    case Check::Latitude:
      if (!StrictCoordinate(v, 'N', 'S', kLatitudeLimit))
        throw UsageError{name + " must be degrees from 0 to 90 followed by N or S" + refused};
      return;
    case Check::Longitude:
      if (!StrictCoordinate(v, 'E', 'W', kLongitudeLimit))
        throw UsageError{name + " must be degrees from 0 to 180 followed by E or W" + refused};
      return;
    case Check::Place: {
      const std::size_t comma = v.find(',');
      if (comma == std::string_view::npos ||
          !StrictCoordinate(v.substr(0, comma), 'N', 'S', kLatitudeLimit) ||
          !StrictCoordinate(v.substr(comma + 1), 'E', 'W', kLongitudeLimit))
        throw UsageError{name + " must be latitude 0..90 with N or S, a comma, and longitude 0..180 with E or W "
                                "(47.5N,7.5E)" + refused};
      return;
    }
  }
}

OptionDecl LanguageOptionDecl() {
  return {.name = "--lang", .value = "de|en|fr|es", .help = "language of the texts (English by default)",
          .check = Check::Choice};
}

OptionDecl FormatOptionDecl(bool calendarAllowed) {
  return {.name = "--format", .value = calendarAllowed ? "text|json|ics" : "text|json",
          .help = calendarAllowed ? "text (by default), a JSON document or an iCalendar file"
                                  : "text (by default) or a JSON document",
          .check = Check::Choice};
}

OptionDecl ScaleOptionDecl() {
  return {.name = "--scale", .value = "S", .help = "the picture S times larger, the same drawing (1 to 4, default 1)",
          .check = Check::Real, .min = 1, .max = 4};
}

OptionDecl TimeZoneOptionDecl() {
  return {.name = "--tz", .value = "HOURS",
          .help = "time zone in hours east of Greenwich, to the minute (-18 to 18; 0 by default)",
          .check = Check::Real, .unit = "hours"};
}

OptionDecl LatitudeOptionDecl() {
  return {.name = "--lat", .value = "DEG{N|S}", .help = "latitude, degrees north or south (47.5N)",
          .check = Check::Latitude, .required = true};
}

OptionDecl LongitudeOptionDecl() {
  return {.name = "--lon", .value = "DEG{E|W}", .help = "longitude, degrees east or west (7.5E)",
          .check = Check::Longitude, .required = true};
}

// Heights of places on or above the Earth: beyond them the observer's geometry is nonsense.
OptionDecl HeightOptionDecl() {
  return {.name = "--height", .value = "M", .help = "height above sea level in metres (-1000 to 100000, default 0)",
          .check = Check::Real, .min = kMinObserverHeightM, .max = kMaxObserverHeightM, .unit = "metres"};
}

OptionDecl YearOptionDecl(const char* name, const char* help) {
  return {.name = name, .value = "YEAR", .help = help, .check = Check::Integer,
          .min = std::numeric_limits<int>::min(), .max = std::numeric_limits<int>::max(), .unit = "year"};
}

OptionDecl DeltaTOptionDecl() {
  return {.name = "--delta-t", .value = "SECONDS",
          .help = "own Delta T (TT - UT) in seconds for this run instead of the model's (-1000000 to 1000000)",
          .check = Check::Real, .min = -1e6, .max = 1e6, .unit = "seconds"};
}

OptionDecl NameOptionDecl() {
  return {.name = "--name", .value = "TEXT", .help = "the place's name for the output", .check = Check::PlainText};
}

int IndexArgument(std::string_view text, const Catalogue& catalogue) {
  const auto index = StrictInteger(text);
  if (!index || *index < 1 || *index > catalogue.Count())
    throw UsageError{"index " + Quoted(text) + " is not a whole number from 1 to " +
                     std::to_string(catalogue.Count())};
  return static_cast<int>(*index);
}

std::uint8_t LanguageOption(const Args& args) {
  const auto code = args.Value("--lang");
  if (!code) return kEnglish;
  return LanguageFromCode(*code).value_or(kEnglish);
}

double ScaleOption(const Args& args) {
  const auto text = args.Value("--scale");
  return text ? StrictReal(*text).value_or(1.0) : 1.0;
}

OutputFormat FormatOption(const Args& args) {
  const auto format = args.Value("--format");
  if (format == "json") return OutputFormat::Json;
  if (format == "ics") return OutputFormat::Calendar;
  return OutputFormat::Text;
}

double TimeZoneOption(const Args& args) {
  const auto text = args.Value("--tz");
  if (!text) return 0;
  const double hours = ClampTimeZone(StrictReal(*text).value_or(0));
  return std::round(hours * 60) / 60 + 0.0;  // + 0.0: no negative zero
}

std::optional<double> DeltaTOption(const Args& args) {
  const auto text = args.Value("--delta-t");
  if (!text) return std::nullopt;
  return StrictReal(*text).value_or(0) + 0.0;  // + 0.0: no negative zero
}

DeltaTValues DeltaTOf(const EclipseRecord& e, const std::optional<double>& own) {
  const double model = DeltaT(e.Year, e.Month);
  return {own.value_or(model), DeltaTSigma(e.Year, e.Month), own.has_value(), model};
}

std::string DeltaTLine(const EclipseRecord& e, const std::optional<double>& own) {
  const std::string model = DeltaTText(DeltaT(e.Year, e.Month), DeltaTSigma(e.Year, e.Month));
  if (!own) return "Delta T = " + model;
  const bool whole = *own == std::nearbyint(*own);
  return "Delta T = " + FormatFixed(*own, whole ? 0 : 1) + " s (own value; model " + model + ")";
}

PlaceOption PlaceOptions(const Args& args) {
  PlaceOption place;
  place.latitudeDeg = StrictCoordinate(args.Value("--lat").value_or(""), 'N', 'S', kLatitudeLimit).value_or(0);
  place.longitudeDeg = StrictCoordinate(args.Value("--lon").value_or(""), 'E', 'W', kLongitudeLimit).value_or(0);
  if (const auto h = args.Value("--height")) place.heightM = StrictReal(*h).value_or(0) + 0.0;
  return place;
}

bool RegisterCommand(Command command) {
  const std::string_view name = command.name;
  Registry().insert_or_assign(name, std::move(command));
  return true;
}

const Command* FindCommand(std::string_view name) {
  const auto found = Registry().find(name);
  return found == Registry().end() ? nullptr : &found->second;
}

std::vector<const Command*> Commands() {
  std::vector<const Command*> list;
  for (const auto& [name, command] : Registry()) list.push_back(&command);
  return list;
}

void ErrorLine(std::ostream& err, std::string_view message) {
  err << "varomintel-cli: " << EscapeControlCharacters(message) << '\n';
}

}  // namespace varomintel::cli
