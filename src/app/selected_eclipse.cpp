#include "app/selected_eclipse.h"

#include <cmath>

#include "app/app_texts.h"
#include "astro/delta_t.h"
#include "astro/trig_func.h"
#include "places/local_sky_text.h"
#include "text/number_text.h"
#include "text/text_table.h"

namespace varomintel {

SelectedEclipse SelectEclipseAt(const Catalogue& catalogue, int index, const TimeSettings& settings) {
  SelectedEclipse s;
  s.index = index;
  s.record = catalogue.At(index);
  const EclipseRecord& r = s.record;

  s.deltaT = settings.universalTime ? DeltaTFor(r, settings) : 0.0;
  const CircumstancesResult result = ComputeCircumstances(r, s.deltaT);
  s.circumstances = result.circumstances;
  s.record.EclipseType = result.type;
  s.atMax = result.atMax;
  s.converged = result.converged;
  s.failedSearch = result.failedSearch;
  ApplyTimeSettings(s, settings);
  return s;
}

void ApplyTimeSettings(SelectedEclipse& s, const TimeSettings& settings) {
  const EclipseRecord& r = s.record;
  const std::uint8_t lang = settings.language;
  // The Moon at the whole hours of universal time around T0 (always with the Delta T of
  // universal time: the path's hour marks are universal time in either time scale).
  const double f = FloatMod(DeltaTFor(r, settings), 3600) / 3600;
  for (int k = -kMoonPathHours; k <= kMoonPathHours; ++k)
    s.moonPath[static_cast<std::size_t>(k + kMoonPathHours)] = EvaluateXY(r, k + f);

  s.sarosCaption = Text(text_row::kSarosCaption, lang) + std::to_string(r.SarosMember) + Text(text_row::kSarosOf, lang) +
                   std::to_string(r.SarosCount) + ")";
  if (settings.universalTime) {
    s.deltaT = DeltaTFor(r, settings);
    s.deltaTCaption = "DeltaT = " + FormatFixed(s.deltaT, r.Year >= 1900 ? 1 : 0) + Text(text_row::kSeconds, lang);
  } else {
    s.deltaT = 0;
    s.deltaTCaption = "TT";
  }
  ReportSettings report;
  report.language = lang;
  report.universalTime = settings.universalTime;
  report.deltaT = s.deltaT;
  report.timeZone = settings.timeZone;
  report.timeZoneText = settings.timeZoneText;
  s.report = BuildReport(r, s.circumstances, report);
  // Before 1582-10-15: the date of greatest eclipse with the historian's year and calendar.
  if (std::string julian = HistoriansMaxDate(r, s.circumstances, settings.universalTime ? settings.timeZone : 0.0,
                                             s.deltaT, lang);
      !julian.empty())
    s.report.push_back({std::move(julian), 9, false, !settings.universalTime});
  if (settings.ownDeltaT) s.report.push_back({DeltaTLineOf(r, settings), 9, false, !settings.universalTime});
}

double DeltaTFor(const EclipseRecord& r, const TimeSettings& settings) {
  return settings.ownDeltaT.value_or(DeltaT(r.Year, r.Month));
}

std::string DeltaTLineOf(const EclipseRecord& r, const TimeSettings& settings) {
  const std::string model = DeltaTText(DeltaT(r.Year, r.Month), DeltaTSigma(r.Year, r.Month));
  if (!settings.ownDeltaT) return "Delta T = " + model;
  const double own = *settings.ownDeltaT;
  return "Delta T = " + FormatFixed(own + 0.0, own == std::nearbyint(own) ? 0 : 1) + " s (" +
         Text(AppText::kOwnDeltaT, settings.language) + model + ")";
}

}  // namespace varomintel
