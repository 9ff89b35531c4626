#include "places/city_hist.h"

#include <array>
#include <cmath>

#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "places/list_text.h"
#include "places/local_circumstances.h"

namespace varomintel {

int UniversalYear(const EclipseRecord& eclipse, double deltaT) {
  return JDToDate(eclipse.JulianDayTT - deltaT / 86400.0).year;
}

CityHistOutcome RunCityHist(const CityHistInput& input, const CityHistCallbacks& callbacks,
                            const std::atomic<bool>& stop) {
  CityHistOutcome outcome;
  if (!input.catalogue) return outcome;
  const Catalogue& catalogue = *input.catalogue;
  StadtType place;
  place.Country = input.name;
  place.Latitude = input.latitude;
  place.Longitude = input.westLongitude;
  place.Height = input.height;
  for (int i = 1; i <= catalogue.Count(); ++i) {
    if (i % kCityHistYieldEvery == 0 && callbacks.onYield) callbacks.onYield(i);
    const EclipseRecord& eclipse = catalogue.At(i);
    ++outcome.visited;
    const double deltaT = DeltaT(eclipse.Year, eclipse.Month);
    const int year = UniversalYear(eclipse, deltaT);
    if (input.firstYear <= year && year <= input.lastYear) {
      ++outcome.computed;
      if (callbacks.onStatus) callbacks.onStatus(CityHistStatus(eclipse.Year));
      const LocalResult r = LocalCircumstances(eclipse, deltaT, input.latitude, input.westLongitude, place,
                                               UmbralGuard::CityHistory);
      if (!r.converged) ++outcome.unconverged;
      if (r.eclipse && SeesEclipse(place)) {
        ++outcome.found;
        if (callbacks.onResult) {
          ContactClock clock(eclipse, deltaT);
          callbacks.onResult(CityHistHit{i, eclipse, deltaT, place, CityHistLine(clock, place),
                                         CityHistRecord(clock, place)});
        }
      }
    }
    if (stop.load(std::memory_order_relaxed)) {
      outcome.stopped = true;
      break;
    }
  }
  return outcome;
}

}  // namespace varomintel
