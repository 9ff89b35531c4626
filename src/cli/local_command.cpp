// varomintel-cli local: what one place really sees of one eclipse: per contact the Moon's
// apparent altitude and azimuth, the lists' shadow-axis altitude, the Sun's altitude and
// the sky's darkness, and whether the Moon is up; the moonrise or moonset within the
// eclipse; and a sentence that sums it up. Besides: the Delta T used with its uncertainty,
// and per contact whether it is visible for every plausible Delta T.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "cli/commands.h"
#include "cli/json_output.h"
#include "eclipse/circumstances.h"
#include "eclipse/report.h"
#include "places/calendar_export.h"
#include "places/delta_t_visibility.h"
#include "places/historian_clock.h"
#include "places/local_sky.h"
#include "places/local_sky_text.h"
#include "text/number_text.h"

namespace varomintel::cli {

namespace {

// ISO 8601 UTC of instant t, null outside the years 1..9999.
Json UtcJson(const EclipseRecord& eclipse, double deltaT, double t) {
  const std::string iso = IsoUtcText(GregorianFromJulianDay(ContactJulianDayUT(eclipse, deltaT, t)));
  return iso.empty() ? Json() : Json(iso);
}

Json Hours(const std::optional<double>& h) { return h ? Json(*h) : Json(); }

Json LocalJson(int index, const EclipseRecord& eclipse, const DeltaTValues& dt, const Observer& observer,
               const std::string& name, const LocalEclipseView& view, const PerContact<HistorianClock>& clocks,
               std::uint8_t lang) {
  const double deltaT = dt.value;
  Json j;
  j["index"] = index;
  j["delta_t"] = {{"value_s", dt.value}, {"sigma_s", dt.sigma}, {"own", dt.own}};
  // The calendar of the date of greatest eclipse (universal time) and its historian's year.
  const auto& max = view.contacts[Contact::Max];
  const CalendarDate date = JDToDate(ContactJulianDayUT(eclipse, deltaT, max ? max->t : 0.0));
  j["calendar"] = IsJulianCalendarDate(date) ? "julian" : "gregorian";
  j["year_label"] = YearLabel(date.year);
  j["place"] = {{"name", name},
                {"latitude_deg", observer.latitudeDeg},
                {"longitude_deg", observer.longitudeDeg},
                {"height_m", observer.heightM}};
  Json contacts = Json::object();
  for (const Contact k : kListContacts) {
    const auto& c = view.contacts[k];
    if (!c) {
      contacts[ContactName(k)] = nullptr;
      continue;
    }
    Json one;
    one["utc"] = UtcJson(eclipse, deltaT, c->t);
    one["julian_day_ut"] = ContactJulianDayUT(eclipse, deltaT, c->t);
    one["apparent_altitude_deg"] = c->sky.moonApparentAltitudeDeg;
    one["azimuth_deg"] = c->sky.moonAzimuthDeg;
    one["shadow_axis_altitude_deg"] = c->shadowAxisAltitudeDeg;
    one["sun_altitude_deg"] = c->sky.sunAltitudeDeg;
    one["twilight"] = TwilightName(c->sky.twilight);
    one["visible"] = c->sky.moonVisible;
    const DeltaTVisibility v = VisibilityOverDeltaT(eclipse, c->t, observer, dt.model, dt.sigma);
    one["visibility_over_delta_t"] = DeltaTVerdictName(v.verdict);
    Json intervals = Json::array();
    for (const auto& [low, high] : v.intervals) intervals.push_back(Json::array({low, high}));
    one["visible_delta_t_intervals_s"] = std::move(intervals);
    const HistorianClock& clock = clocks[k];
    one["hours_after_sunset"] = Hours(clock.hoursAfterSunset);
    one["hours_before_sunrise"] = Hours(clock.hoursBeforeSunrise);
    one["seasonal_hour_h"] = Hours(clock.seasonalHourH);
    one["hours_from_midnight"] = Hours(clock.hoursFromMidnight);
    one["hours_after_moonrise"] = Hours(clock.hoursAfterMoonrise);
    one["hours_before_moonset"] = Hours(clock.hoursBeforeMoonset);
    one["local_apparent_time"] = ClockText(clock.localApparentTimeH);
    one["clock_notes"] = clock.notes;
    contacts[ContactName(k)] = std::move(one);
  }
  j["contacts"] = std::move(contacts);
  Json rise, set;
  for (const HorizonCrossing& x : view.crossings) {
    Json& slot = x.rising ? rise : set;
    if (slot.is_null()) slot = UtcJson(eclipse, deltaT, x.t);
  }
  j["moonrise_utc"] = rise;
  j["moonset_utc"] = set;
  j["summary"] = LocalSummary(eclipse, deltaT, observer, view, lang);
  return j;
}

int Local(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  const std::uint8_t lang = LanguageOption(args);
  const OutputFormat format = FormatOption(args);
  const double zone = TimeZoneOption(args);
  const PlaceOption where = PlaceOptions(args);
  const std::string name(args.Value("--name").value_or(""));
  const int index = IndexArgument(args.Positional(), catalogue);
  const std::optional<double> ownDeltaT = DeltaTOption(args);

  EclipseRecord record = catalogue.At(index);
  const DeltaTValues dt = DeltaTOf(record, ownDeltaT);
  const double deltaT = dt.value;
  record.EclipseType = ComputeCircumstances(record, deltaT).type;
  const Observer observer{where.latitudeDeg, where.longitudeDeg, where.heightM};
  const LocalEclipseView view = ViewFromPlace(record, deltaT, observer);
  const PerContact<HistorianClock> clocks = ClocksOfView(record, deltaT, observer, view);
  if (format == OutputFormat::Json) {
    WriteJson(ctx.out, LocalJson(index, record, dt, observer, name, view, clocks, lang));
  } else {
    std::vector<std::string> lines = LocalSkyLines(index, record, deltaT, observer, name, view, zone, lang);
    // After the title, the place and the time scale: the Delta T those times were made with.
    lines.insert(lines.begin() + std::min<std::ptrdiff_t>(3, std::ssize(lines)), DeltaTLine(record, ownDeltaT));
    // Before the summary and the legend (the last two lines, as ever): each contact's
    // visibility over the model's Delta T +- 2 sigma, in words, and an empty line.
    std::vector<std::string> verdicts{DeltaTVerdictTitle(lang)};
    for (const Contact k : kListContacts) {
      const auto& c = view.contacts[k];
      if (!c) continue;
      const DeltaTVisibility v = VisibilityOverDeltaT(record, c->t, observer, dt.model, dt.sigma);
      std::string line = ContactName(k);
      line.resize(std::max<std::size_t>(line.size() + 1, 8), ' ');
      verdicts.push_back(line + DeltaTVerdictText(v, dt.model, dt.sigma, lang));
    }
    verdicts.emplace_back();
    if (view.contacts[Contact::P1]) {
      const std::vector<std::string> clock = HistorianClockLines(view, clocks, lang);
      verdicts.insert(verdicts.end(), clock.begin(), clock.end());
      verdicts.emplace_back();
    }
    lines.insert(lines.end() - std::min<std::ptrdiff_t>(2, std::ssize(lines)), verdicts.begin(), verdicts.end());
    for (const std::string& line : lines) ctx.out << line << '\n';
  }
  if (!view.converged) {
    ctx.err << "varomintel-cli: eclipse " << index << ": a contact's refinement did not converge\n";
    return kExitNothing;
  }
  return kExitOk;
}

const bool registered = RegisterCommand(
    {.name = "local",
     .summary = "what one place really sees of one eclipse, contact by contact, and a sentence that sums it up",
     .positional = "INDEX",
     .positionalHelp = "the eclipse's number in the catalogue",
     .options = {LatitudeOptionDecl(), LongitudeOptionDecl(), HeightOptionDecl(), NameOptionDecl(), TimeZoneOptionDecl(), DeltaTOptionDecl(),
                 LanguageOptionDecl(), FormatOptionDecl()},
     .example = "local 16921 --lat 40.71N --lon 74.01W --name 'New York' --tz -5",
     .run = &Local});

}  // namespace

}  // namespace varomintel::cli
