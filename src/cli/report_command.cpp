// varomintel-cli report: the report of one eclipse, as the main window shows it.
#include <optional>
#include <ostream>

#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "cli/commands.h"
#include "cli/json_output.h"
#include "eclipse/eclipse_type.h"
#include "eclipse/circumstances.h"
#include "eclipse/report.h"
#include "places/local_sky_text.h"
#include "text/number_text.h"
#include "text/text_table.h"

namespace varomintel::cli {

namespace {

// The calendar date of greatest eclipse as the report shows it (time scale and zone applied).
CalendarDate MaxDate(const EclipseRecord& r, const EclipseCircumstances& c, double zone, double deltaT) {
  return JDToDate(DateToJD(r.Year, r.Month, r.Day, r.T0Hour + zone, 0, c.TimeMax * 3600 - deltaT));
}

// The report's values as a JSON object: each contact line's label, date and clock as the
// report shows them (time scale and zone applied), its instant, and the phase durations.
Json ReportJson(int index, const EclipseRecord& record, const EclipseCircumstances& c, const ReportSettings& s,
                const DeltaTValues& universal) {
  const bool ut = s.universalTime;
  const double zone = ut ? s.timeZone : 0.0;
  const double deltaT = ut ? s.deltaT : 0.0;
  Json j;
  j["index"] = index;
  j["type"] = EclipseTypeLongName(record.EclipseType, s.language);
  j["type_code"] = static_cast<int>(record.EclipseType);
  j["time_scale"] = ut ? "UT" : "TT";
  j["time_zone_h"] = zone;
  j["delta_t_s"] = deltaT;
  j["delta_t"] = {{"value_s", universal.value}, {"sigma_s", universal.sigma}, {"own", universal.own}};
  j["penumbral_magnitude"] = c.PenMag;
  j["umbral_magnitude"] = c.UmbMag;
  const CalendarDate maxDate = MaxDate(record, c, zone, deltaT);
  j["calendar"] = IsJulianCalendarDate(maxDate) ? "julian" : "gregorian";
  j["year_label"] = YearLabel(maxDate.year);
  struct Row {
    Contact contact;
    int label;
  };
  const Row rows[] = {{Contact::P1, text_row::kLabelP1}, {Contact::U1, text_row::kLabelU1},
                      {Contact::U2, text_row::kLabelU2}, {Contact::Max, text_row::kLabelMax},
                      {Contact::U3, text_row::kLabelU3}, {Contact::U4, text_row::kLabelU4},
                      {Contact::P4, text_row::kLabelP4}};
  const double universalDeltaT = universal.value;
  Json contacts = Json::object();
  for (const Row& row : rows) {
    const double t = c.Time(row.contact);
    // The report shows P4 when P1 occurs, and greatest eclipse always.
    const bool shown = row.contact == Contact::Max || (row.contact == Contact::P4 ? c.TimeP1 != 0 : t != 0);
    if (!shown) {
      contacts[ContactName(row.contact)] = nullptr;
      continue;
    }
    std::string date = FormatContactDate(record, t, zone, deltaT);
    date.erase(0, date.find_first_not_of(' '));
    Json one;
    std::string label = Text(row.label, s.language);
    label.erase(label.find_last_not_of(' ') + 1);  // the report pads its labels into a column
    one["label"] = label;
    one["date"] = date;
    one["clock"] = FormatContactClock(record, t, zone, deltaT);
    one["hours_from_t0_tt"] = t;
    one.update(InstantJson(UtcInstantOf(record, universalDeltaT, t)));
    contacts[ContactName(row.contact)] = std::move(one);
  }
  j["contacts"] = std::move(contacts);
  const auto duration = [](bool occurs, double hours) { return occurs ? Json(hours) : Json(); };
  j["duration_h"] = {{"total", duration(c.TimeU3 != 0, c.TimeU3 - c.TimeU2)},
                     {"umbral", duration(c.TimeU4 != 0, c.TimeU4 - c.TimeU1)},
                     {"penumbral", duration(c.TimeP1 != 0, c.TimeP4 - c.TimeP1)}};
  return j;
}

int Report(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  ReportSettings settings;
  settings.language = LanguageOption(args);
  settings.universalTime = !args.Flag("--tt");
  const OutputFormat format = FormatOption(args);
  settings.timeZone = TimeZoneOption(args);
  const int index = IndexArgument(args.Positional(), catalogue);
  const std::optional<double> ownDeltaT = DeltaTOption(args);
  settings.timeZoneText = FormatTimeZone(settings.timeZone);

  EclipseRecord record = catalogue.At(index);
  const DeltaTValues universal = DeltaTOf(record, ownDeltaT);
  settings.deltaT = settings.universalTime ? universal.value : 0.0;
  const CircumstancesResult result = ComputeCircumstances(record, settings.deltaT);
  record.EclipseType = result.type;
  if (format == OutputFormat::Json) {
    WriteJson(ctx.out, ReportJson(index, record, result.circumstances, settings, universal));
  } else {
    for (const ReportLine& line : BuildReport(record, result.circumstances, settings)) ctx.out << line.text << '\n';
    ctx.out << '\n' << DeltaTLine(record, ownDeltaT) << '\n';  // after the report, as the window's caption
    // Before 1582-10-15 the dates are Julian: the date of greatest eclipse with the historian's year.
    const double zone = settings.universalTime ? settings.timeZone : 0.0;
    const std::string julian =
        HistoriansMaxDate(record, result.circumstances, zone, settings.deltaT, settings.language);
    if (!julian.empty()) ctx.out << julian << '\n';
  }
  if (!result.converged) {
    ctx.err << "varomintel-cli: eclipse " << index << ": the search for " << result.failedSearch
            << " did not converge\n";
    return kExitNothing;
  }
  return kExitOk;
}

const bool registered = RegisterCommand(
    {.name = "report",
     .summary = "the report of one eclipse: type, time scale and the contacts with their dates and times",
     .positional = "INDEX",
     .positionalHelp = "the eclipse's number in the catalogue",
     .options = {LanguageOptionDecl(),
                 {.name = "--tt", .help = "terrestrial time instead of universal time"},
                 TimeZoneOptionDecl(),
                 DeltaTOptionDecl(),
                 FormatOptionDecl()},
     .example = "report 16921 --lang de --tz 1",
     .run = &Report});

}  // namespace

}  // namespace varomintel::cli
