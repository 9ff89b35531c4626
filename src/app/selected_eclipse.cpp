#include "app/selected_eclipse.h"

#include "astro/delta_t.h"
#include "astro/trig_func.h"
#include "text/number_text.h"
#include "text/text_table.h"

namespace varomintel {

SelectedEclipse SelectEclipseAt(const Catalogue& catalogue, int index, const TimeSettings& settings) {
  SelectedEclipse s;
  s.index = index;
  s.record = catalogue.At(index);
  const EclipseRecord& r = s.record;

  // The Moon at the whole hours of universal time around T0 (always with the eclipse's
  // Delta T: the path's hour marks are universal time in either time scale).
  const double universalDeltaT = settings.ownDeltaT.value_or(DeltaT(r.Year, r.Month));
  const double f = FloatMod(universalDeltaT, 3600) / 3600;
  for (int k = -kMoonPathHours; k <= kMoonPathHours; ++k)
    s.moonPath[static_cast<std::size_t>(k + kMoonPathHours)] = EvaluateXY(r, k + f);

  s.deltaT = settings.universalTime ? universalDeltaT : 0.0;
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
  s.sarosCaption = Text(text_row::kSarosCaption, lang) + std::to_string(r.SarosMember) + Text(text_row::kSarosOf, lang) +
                   std::to_string(r.SarosCount) + ")";
  if (settings.universalTime) {
    s.deltaT = settings.ownDeltaT.value_or(DeltaT(r.Year, r.Month));
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
}

}  // namespace varomintel
