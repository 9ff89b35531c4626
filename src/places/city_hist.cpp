#include "places/city_hist.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "astro/trig_func.h"
#include "places/list_text.h"
#include "places/local_circumstances.h"
#include "places/local_sky.h"
#include "places/ordered_blocks.h"

namespace varomintel {

int UniversalYear(const EclipseRecord& eclipse, double deltaT) {
  return JDToDate(eclipse.JulianDayTT - deltaT / 86400.0).year;
}

CityHistOutcome RunCityHist(const CityHistInput& input, const CityHistCallbacks& callbacks,
                            const std::atomic<bool>& stop) {
  CityHistOutcome outcome;
  if (!input.catalogue) return outcome;
  const Catalogue& catalogue = *input.catalogue;
  Place place;
  place.Country = input.name;
  place.Latitude = input.latitude;
  place.Longitude = input.westLongitude;
  place.Height = input.height;
  for (int i = 1; i <= catalogue.Count(); ++i) {
    if (i % kCityHistYieldEvery == 0 && callbacks.onYield) callbacks.onYield(i);
    const EclipseRecord& eclipse = catalogue.At(i);
    ++outcome.visited;
    const double deltaT = input.deltaT.value_or(DeltaT(eclipse.Year, eclipse.Month));
    const int year = UniversalYear(eclipse, deltaT);
    if (input.firstYear <= year && year <= input.lastYear) {
      ++outcome.computed;
      if (callbacks.onStatus) callbacks.onStatus(CityHistStatus(eclipse.Year, input.language));
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

namespace {

// One block of the catalogue, records first..last (1-based, inclusive), and what the
// pool made of it.
struct HistBlock {
  int first = 0, last = 0;
  Place place;
  std::string text;
  std::vector<CityHistSeen> seen;
  CityHistOutcome counts;
  int statusYear = 0;
  bool hasStatus = false;
  bool abandoned = false;
};

constexpr int kHistStopTestEvery = 64;

// Whether the Moon's upper limb is above the apparent horizon at some instant of P1..P4.
bool MoonUpDuringEclipse(const EclipseRecord& eclipse, double deltaT, const Observer& observer,
                         const Place& place) {
  if (!ContactExists(place.PhaseType, Contact::P1) || !ContactExists(place.PhaseType, Contact::P4)) return false;
  return VisiblePart(eclipse, deltaT, observer, place.ContactTime[Contact::P1], place.ContactTime[Contact::P4])
      .visible;
}

}  // namespace

CityHistOutcome RunCityHistBlocks(const CityHistInput& input, const CityHistBlockCallbacks& callbacks,
                                  const std::atomic<bool>& stop, ListBlocks blocks) {
  CityHistOutcome outcome;
  if (!input.catalogue) return outcome;
  const Catalogue& catalogue = *input.catalogue;
  const unsigned threads = blocks.threads ? blocks.threads : ListThreads();
  const int blockSize = static_cast<int>(std::clamp<std::size_t>(blocks.size, 1, 1u << 20));
  std::vector<HistBlock> slots(BlockSlots(threads));
  for (HistBlock& b : slots) {
    b.place.Country = input.name;
    b.place.Latitude = input.latitude;
    b.place.Longitude = input.westLongitude;
    b.place.Height = input.height;
  }
  int next = 1;
  std::string status;
  const Observer observer{input.latitude * RadToDeg, -input.westLongitude * RadToDeg, input.height};

  BlockSteps steps;
  steps.read = [&](std::size_t slot) {
    if (next > catalogue.Count()) return false;
    HistBlock& b = slots[slot];
    b.first = next;
    b.last = std::min(catalogue.Count(), next + blockSize - 1);
    next = b.last + 1;
    return true;
  };
  steps.work = [&](std::size_t slot) {
    HistBlock& b = slots[slot];
    b.text.clear();
    b.seen.clear();
    b.counts = CityHistOutcome{};
    b.hasStatus = b.abandoned = false;
    for (int i = b.first; i <= b.last; ++i) {
      if ((i - b.first) % kHistStopTestEvery == kHistStopTestEvery - 1 && stop.load(std::memory_order_relaxed)) {
        b.abandoned = true;
        return;
      }
      const EclipseRecord& eclipse = catalogue.At(i);
      ++b.counts.visited;
      const double deltaT = input.deltaT.value_or(DeltaT(eclipse.Year, eclipse.Month));
      const int year = UniversalYear(eclipse, deltaT);
      if (year < input.firstYear || input.lastYear < year) continue;
      ++b.counts.computed;
      b.hasStatus = true;
      b.statusYear = eclipse.Year;
      // The calendar looks at the altitudes below the horizon too; the lists only at those above.
      const LocalEclipse prepared = PrepareLocalEclipse(eclipse, deltaT, UmbralGuard::CityHistory);
      const LocalResult r =
          callbacks.keepSeen ? ApplyLocalEclipse(prepared, input.latitude, input.westLongitude, b.place)
                             : ApplyLocalEclipseSeen(prepared, input.latitude, input.westLongitude, b.place);
      if (!r.converged) ++b.counts.unconverged;
      if (!r.eclipse) continue;
      if (!SeesEclipse(b.place)) {
        if (callbacks.keepSeen && MoonUpDuringEclipse(eclipse, deltaT, observer, b.place))
          b.seen.push_back(CityHistSeen{i, deltaT, b.place, false});
        continue;
      }
      ++b.counts.found;
      if (callbacks.format) {
        ContactClock clock(eclipse, deltaT);
        callbacks.format(b.text, CityHistFound{i, eclipse, deltaT, b.place, clock});
      }
      if (callbacks.keepSeen) b.seen.push_back(CityHistSeen{i, deltaT, b.place, true});
    }
  };
  steps.handOn = [&](std::size_t slot) {
    const HistBlock& b = slots[slot];
    if (b.abandoned) {
      outcome.stopped = true;
      return false;
    }
    outcome.visited += b.counts.visited;
    outcome.computed += b.counts.computed;
    outcome.found += b.counts.found;
    outcome.unconverged += b.counts.unconverged;
    status.clear();
    if (b.hasStatus) status = CityHistStatus(b.statusYear, input.language);
    if (callbacks.onBlock) callbacks.onBlock(b.text, b.seen, status, outcome);
    if (stop.load(std::memory_order_relaxed)) {
      outcome.stopped = true;
      return false;
    }
    return true;
  };
  RunOrderedBlocks(threads, steps);
  return outcome;
}

}  // namespace varomintel
