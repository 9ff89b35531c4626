// The model of the selected eclipse: everything the main window shows of it, computed
// from the catalogue, the index and the time settings. The window only writes controls
// from it; the command line and the tests use the same function.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "eclipse/elements.h"
#include "eclipse/report.h"

namespace varomintel {

// The Moon's path of the diagram: x and y at the 21 whole hours of universal time from
// 10 hours before to 10 hours after T0, index k + 10 for hour k.
inline constexpr int kMoonPathHours = 10;
using MoonPath = std::array<SkyPoint, 2 * kMoonPathHours + 1>;

struct TimeSettings {
  bool universalTime = true;          // false: terrestrial time
  double timeZone = 0;                // hours, -18..18 (universal time only)
  std::string timeZoneText = "+0.00"; // as the zone entry shows it
  std::uint8_t language = 0;          // 0 German, 1 English, 2 French, 3 Spanish
  std::optional<double> ownDeltaT = std::nullopt;  // s: an own Delta T instead of the eclipse's DeltaT; none: the model's
};

struct SelectedEclipse {
  int index = 0;                      // 1..Count of the catalogue
  EclipseRecord record;               // with the computed type in EclipseType
  EclipseCircumstances circumstances;
  ElementValues atMax;                // the elements at greatest eclipse
  bool converged = true;              // false: a search gave up (see failedSearch)
  const char* failedSearch = nullptr;
  double deltaT = 0;                  // s: Delta T in universal time, 0 in terrestrial time
  MoonPath moonPath{};
  std::string sarosCaption;           // "Eclipse in Saros (23. of 72)"
  std::string deltaTCaption;          // "DeltaT = 69.2 secs" in universal time, "TT" otherwise
  std::vector<ReportLine> report;
};

// Given: the catalogue, an index 1..Count() (precondition: catalogue.Contains(index)) and
// the time settings. Returned: the selection with its circumstances computed for the
// Delta T of the time scale.
SelectedEclipse SelectEclipseAt(const Catalogue& catalogue, int index, const TimeSettings& settings);

// The time scale, the language or the own Delta T changed: Delta T, its caption, the Moon's
// path, the Saros caption and the report anew, while the circumstances stay as they were
// computed (Delta T only moves the clock times and the hour angle M). With an own Delta T the
// report ends with the line DeltaTLineOf.
void ApplyTimeSettings(SelectedEclipse& selection, const TimeSettings& settings);

// The Delta T that the settings give for `record`, seconds: the own value, else the model's.
double DeltaTFor(const EclipseRecord& record, const TimeSettings& settings);

// Delta T in words: "Delta T = 20529 s ± 516 s (1σ)" (the model's value with its standard
// error, DeltaTText), or with an own value "Delta T = 21000 s (own value; model 20529 s ±
// 516 s (1σ))" in the settings' language.
std::string DeltaTLineOf(const EclipseRecord& record, const TimeSettings& settings);

}  // namespace varomintel
