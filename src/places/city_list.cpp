#include "places/city_list.h"

#include <array>

#include "astro/delta_t.h"
#include "astro/trig_func.h"
#include "places/list_text.h"
#include "places/local_circumstances.h"

namespace varomintel {

namespace {

const std::array<std::int32_t, kPopulationItems> kThresholds = {1000000, 500000, 250000, 100000, 50000,
                                                                 25000,   10000,  5000,   2000,   -1};

}  // namespace

std::int32_t PopulationThreshold(int item) {
  return item >= 0 && item < kPopulationItems ? kThresholds[static_cast<std::size_t>(item)] : -1;
}

CityListOutcome RunCityList(const CityListInput& input, const CityListCallbacks& callbacks,
                            const std::atomic<bool>& stop) {
  CityListOutcome outcome;
  CityFileReader reader(input.cityFile);
  outcome.cityFileOpened = reader.IsOpen();
  const std::int32_t threshold = PopulationThreshold(input.populationItem);
  const EclipseRecord& eclipse = input.eclipse;
  const double deltaT = DeltaT(eclipse.Year, eclipse.Month);
  ContactClock clock(eclipse, deltaT);
  // The contact instants are the same for every place; only the altitudes differ.
  const LocalEclipse prepared = PrepareLocalEclipse(eclipse, deltaT, UmbralGuard::CityList);
  std::string line;
  StadtType place;
  CityListCounts& counts = outcome.counts;
  while (reader.Next(line)) {
    if (auto error = ParseCityLine(line, place)) {
      outcome.failure = CityFileFailure::BadNumberAt(reader.LineNumber(), std::move(*error));
      break;
    }
    if (place.Population >= threshold) {
      ++counts.scanned;
      const LocalResult r = ApplyLocalEclipse(prepared, place.Latitude * DegToRad, -place.Longitude * DegToRad, place);
      if (!r.converged) ++outcome.unconverged;
      if (r.eclipse) {
        counts.statusSet = true;
        if (SeesEclipse(place)) {
          ++counts.found;
          if (callbacks.onResult)
            callbacks.onResult(CityListHit{place, CityListLine(clock, place), CityListRecord(clock, place)});
        }
      }
    }
    counts.bytesRead = reader.BytesConsumed();
    if (callbacks.afterLine) callbacks.afterLine(counts);
    if (stop.load(std::memory_order_relaxed)) {
      outcome.stopped = true;
      break;
    }
  }
  if (!outcome.failure && !outcome.stopped) outcome.failure = reader.Failure();
  return outcome;
}

CityFileSurvey SurveyCityFile(const std::string& cityFile, int populationItem) {
  CityFileSurvey survey;
  CityFileReader reader(cityFile);
  const std::int32_t threshold = PopulationThreshold(populationItem);
  std::string line;
  StadtType place;
  while (reader.Next(line)) {
    if (auto error = ParseCityLine(line, place)) {
      survey.failure = CityFileFailure::BadNumberAt(reader.LineNumber(), std::move(*error));
      return survey;
    }
    if (place.Population >= threshold) ++survey.passing;
  }
  survey.failure = reader.Failure();
  return survey;
}

}  // namespace varomintel
