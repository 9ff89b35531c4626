// varomintel-cli cityhist: every eclipse between two years that is seen at one place,
// as the saved tab-separated text (CR LF) or the on-screen lines.
#include <atomic>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/version_info.h"
#include "astro/delta_t.h"
#include "astro/trig_func.h"
#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/list_output.h"
#include "eclipse/eclipse_type.h"
#include "places/calendar_export.h"
#include "places/city_hist.h"
#include "text/number_text.h"
#include "text/text_table.h"

namespace varomintel::cli {

namespace {

int CityHist(Args& args, const Catalogue* cat, Context& ctx) {
  const std::uint8_t lang = LanguageOption(args);
  const bool screen = args.Flag("--screen");
  const OutputFormat format = FormatOption(args);
  if (screen && format != OutputFormat::Text) throw UsageError{"--screen goes with the text format only"};
  const PlaceOption where = PlaceOptions(args);
  const double latitude = where.latitudeDeg;
  const double longitude = where.longitudeDeg;
  const double height = where.heightM;
  const auto name = args.Value("--name");
  const auto year = [&](const char* option, int absent) {
    const auto text = args.Value(option);
    return text ? static_cast<int>(StrictInteger(*text).value_or(absent)) : absent;
  };
  const int first = year("--from", std::numeric_limits<int>::min());
  const int last = year("--to", std::numeric_limits<int>::max());
  if (last < first)
    throw UsageError{"the years run backwards: --from " + std::to_string(first) + " is after --to " +
                     std::to_string(last)};

  CityHistInput input;
  input.catalogue = cat;
  input.name = name ? std::string(*name) : std::string();
  input.latitude = latitude * DegToRad;
  input.westLongitude = -longitude * DegToRad;
  input.height = height;
  input.firstYear = first;
  input.lastYear = last;
  input.deltaT = DeltaTOption(args);

  // The text and the JSON document are written as the search finds the eclipses; the
  // calendar needs all of them before its first event.
  std::optional<ListOutput> text;
  std::optional<JsonListWriter> json;
  std::vector<CalendarEclipse> calendar;
  if (format == OutputFormat::Text) text.emplace(ctx.out, screen, CityHistLegend(lang), CityHistHeader(lang));
  if (format == OutputFormat::Json) {
    Json head;
    head["place"] = {{"name", input.name}, {"latitude_deg", latitude}, {"longitude_deg", longitude},
                     {"height_m", height}};
    head["from_year"] = first == std::numeric_limits<int>::min() ? Json() : Json(first);
    head["to_year"] = last == std::numeric_limits<int>::max() ? Json() : Json(last);
    json.emplace(ctx.out, head, "eclipses");
  }
  // The eclipses are computed and formatted block by block on every core; the blocks are
  // written in catalogue order.
  CityHistBlockCallbacks callbacks;
  callbacks.keepSeen = format == OutputFormat::Calendar;
  callbacks.format = [&](std::string& out, const CityHistFound& hit) {
    if (text) {
      if (text->Screen()) AppendCityHistLine(out, hit.clock, hit.place);
      else AppendCityHistRecord(out, hit.clock, hit.place);
      out += text->Screen() ? "\n" : "\r\n";
    }
    if (json) {
      JsonTextWriter w = JsonListItemWriter(out);
      w.BeginObject();
      w.Key("index");
      w.Integer(hit.index);
      w.Key("type");
      w.String(EclipseTypeLongName(hit.eclipse.EclipseType, lang));
      w.Key("type_code");
      w.Integer(static_cast<int>(hit.eclipse.EclipseType));
      w.Key("saros");
      w.Integer(hit.eclipse.Saros);
      w.Key("saros_member");
      w.Integer(hit.eclipse.SarosMember);
      w.Key("saros_count");
      w.Integer(hit.eclipse.SarosCount);
      w.Key("delta_t_s");
      w.Number(hit.deltaT);
      // The Delta T used with its uncertainty, as `report` and `local` give it.
      w.Key("delta_t");
      w.BeginObject();
      w.Key("value_s");
      w.Number(hit.deltaT);
      w.Key("sigma_s");
      w.Number(DeltaTSigma(hit.eclipse.Year, hit.eclipse.Month));
      w.Key("own");
      w.Boolean(input.deltaT.has_value());
      w.EndObject();
      WritePlaceResult(w, PlaceResultOf(hit.eclipse, hit.deltaT, hit.place, Observer{latitude, longitude, height}));
      w.EndObject();
    }
  };
  callbacks.onBlock = [&](std::string_view block, const std::vector<CityHistSeen>& seen, const std::string&,
                          const CityHistOutcome&) {
    if (text) text->Write(block);
    if (json) json->AddItems(block);
    for (const CityHistSeen& s : seen)
      calendar.push_back(CalendarEclipse{s.index, cat->At(s.index), s.deltaT, s.place, s.listed});
  };
  const std::atomic<bool> stop{false};
  const CityHistOutcome outcome = RunCityHistBlocks(input, callbacks, stop);
  if (json) json->Close();
  if (format == OutputFormat::Calendar) {
    const CalendarFile file = CityHistCalendar(calendar, CalendarPlace{input.name, latitude, longitude, height}, lang,
                                               CalendarProductId(), CurrentDtStamp());
    ctx.out << file.text;
    if (file.omitted > 0)
      ctx.err << "varomintel-cli: " << file.omitted
              << " eclipse(s) outside the years 1 to 9999 left out of the calendar (iCalendar cannot hold them)\n";
    if (file.unseen > 0)
      ctx.err << "varomintel-cli: " << file.unseen
              << " eclipse(s) of the list left out of the calendar: the Moon is below the horizon throughout them\n";
    if (file.added > 0)
      ctx.err << "varomintel-cli: " << file.added
              << " eclipse(s) not on the list added to the calendar: the Moon is up during them although the shadow "
                 "axis is below the horizon at every contact\n";
  }
  ctx.err << CityHistDone(kEnglish) << '\n';  // standard error speaks English, as every diagnostic here
  if (outcome.unconverged > 0) {
    ctx.err << "varomintel-cli: " << outcome.unconverged
            << " eclipse(s) with a contact whose refinement did not converge\n";
    return kExitNothing;
  }
  return outcome.found > 0 ? kExitOk : kExitNothing;
}

const bool registered = RegisterCommand(
    {.name = "cityhist",
     .summary = "every eclipse between two years that is visible at one place",
     .options = {LatitudeOptionDecl(), LongitudeOptionDecl(), HeightOptionDecl(), NameOptionDecl(),
                 YearOptionDecl("--from", "the first year (by default the catalogue's first)"),
                 YearOptionDecl("--to", "the last year (by default the catalogue's last)"),
                 DeltaTOptionDecl(),
                 LanguageOptionDecl(),
                 {.name = "--screen", .help = "the fixed-width lines of the window instead of the saved list"},
                 FormatOptionDecl(/*calendarAllowed=*/true)},
     .example = "cityhist --lat 47.3769N --lon 8.5417E --name Zurich --from 2000 --to 2040 --format ics",
     .run = &CityHist});

}  // namespace

}  // namespace varomintel::cli
