// What one place sees: the whole `local` computation for one eclipse (also with the
// verdicts over Delta T and the historian's clock), the Delta T that a timed record implies,
// the visible part of every eclipse of the catalogue at one place, and the calendar of that
// place.
// Reads the shipped catalogue unless VAROMINTEL_CATALOGUE names another.
//   build/bench/places/local_sky_bench
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "astro/delta_t.h"
#include "eclipse/catalogue.h"
#include "places/calendar_export.h"
#include "places/city_hist.h"
#include "places/delta_t_visibility.h"
#include "places/historian_clock.h"
#include "places/local_sky.h"
#include "places/local_sky_text.h"
#include "places/record_delta_t.h"

namespace varomintel {

const char* BenchDataDir();  // data/ of the source tree, from a generated source (CMakeLists.txt)

namespace {

const Catalogue& TheCatalogue() {
  static const CatalogueLoad load = [] {
    const char* env = std::getenv("VAROMINTEL_CATALOGUE");
    return LoadCatalogue(env ? std::string(env) : std::string(BenchDataDir()) + "/" + kCatalogueFileName);
  }();
  return load.catalogue;
}

int IndexOf(int year, int month, int day) {
  const Catalogue& c = TheCatalogue();
  for (int i = 1; i <= c.Count(); ++i)
    if (c.At(i).Year == year && c.At(i).Month == month && c.At(i).Day == day) return i;
  return 0;
}

// 2022 Nov 8 from New York: the Moon sets during totality, so the crossing search runs.
void BM_LocalOnePlace(benchmark::State& state) {
  const int index = IndexOf(2022, 11, 8);
  if (index == 0) {
    state.SkipWithError("no catalogue");
    return;
  }
  const EclipseRecord& r = TheCatalogue().At(index);
  const Observer observer{40.71, -74.01, 10};
  for (auto _ : state) {
    const double deltaT = DeltaT(r.Year, r.Month);
    const LocalEclipseView view = ViewFromPlace(r, deltaT, observer);
    std::string summary = LocalSummary(r, deltaT, observer, view, 1);
    benchmark::DoNotOptimize(view);
    benchmark::DoNotOptimize(summary);
  }
}
BENCHMARK(BM_LocalOnePlace)->Unit(benchmark::kMicrosecond);

// -720 Mar 19 from Babylon, as `local` computes it for an ancient eclipse: the view, each
// contact's visibility over the model's Delta T +- 3 sigma, the historian's clock of every
// contact and the summary. Goal: under 20 ms.
void BM_LocalWithVerdictsAndClock(benchmark::State& state) {
  const int index = IndexOf(-720, 3, 20);
  if (index == 0) {
    state.SkipWithError("no catalogue");
    return;
  }
  const EclipseRecord& r = TheCatalogue().At(index);
  const Observer observer{32.55, 44.42, 0};
  for (auto _ : state) {
    const double deltaT = DeltaT(r.Year, r.Month);
    const double sigma = DeltaTSigma(r.Year, r.Month);
    const LocalEclipseView view = ViewFromPlace(r, deltaT, observer);
    for (const Contact k : kListContacts)
      if (view.contacts[k])
        benchmark::DoNotOptimize(VisibilityOverDeltaT(r, view.contacts[k]->t, observer, deltaT, sigma));
    benchmark::DoNotOptimize(ClocksOfView(r, deltaT, observer, view));
    std::string summary = LocalSummary(r, deltaT, observer, view, 1);
    benchmark::DoNotOptimize(summary);
  }
}
BENCHMARK(BM_LocalWithVerdictsAndClock)->Unit(benchmark::kMillisecond);

// The Delta T that a record of the same eclipse implies, as `deltat` solves it: "began 1.5
// hours after moonrise" (one followed moonrise) and "greatest eclipse 2.5 seasonal hours
// before midnight" (sunset and sunrise followed). Goal: under 50 ms.
void DeltaTOfRecord(benchmark::State& state, EclipseRecordTiming record) {
  const int index = IndexOf(-720, 3, 20);
  if (index == 0) {
    state.SkipWithError("no catalogue");
    return;
  }
  const EclipseRecord& r = TheCatalogue().At(index);
  const Observer observer{32.55, 44.42, 0};
  RecordDeltaT solved;
  for (auto _ : state) {
    solved = SolveRecordDeltaT(r, observer, record, DeltaT(r.Year, r.Month), DeltaTSigma(r.Year, r.Month));
    benchmark::DoNotOptimize(solved);
  }
  state.counters["delta_t_s"] = solved.deltaT;
}
BENCHMARK_CAPTURE(DeltaTOfRecord, AfterMoonrise,
                  EclipseRecordTiming{Contact::U1, true, RecordReference::Moonrise, 1.5, false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DeltaTOfRecord, SeasonalBeforeMidnight,
                  EclipseRecordTiming{Contact::Max, false, RecordReference::Midnight, 2.5, true})
    ->Unit(benchmark::kMillisecond);

// Every eclipse of the catalogue at Zurich: its contacts, then the part of P1..P4 with the
// Moon up.
void BM_VisibleWindowWholeCatalogue(benchmark::State& state) {
  const Catalogue& c = TheCatalogue();
  if (c.Count() == 0) {
    state.SkipWithError("no catalogue");
    return;
  }
  const Observer observer{47.3769, 8.5417, 408};
  int visible = 0;
  for (auto _ : state) {
    visible = 0;
    Place place;
    for (int i = 1; i <= c.Count(); ++i) {
      const EclipseRecord& r = c.At(i);
      const double deltaT = DeltaT(r.Year, r.Month);
      const LocalResult lr = LocalCircumstances(r, deltaT, observer.latitudeDeg * 0.017453292519943295,
                                                -observer.longitudeDeg * 0.017453292519943295, place,
                                                UmbralGuard::CityHistory);
      if (!lr.eclipse) continue;
      const VisibleSpan span = VisiblePart(r, deltaT, observer, place.ContactTime[Contact::P1],
                                           place.ContactTime[Contact::P4]);
      visible += span.visible ? 1 : 0;
    }
    benchmark::DoNotOptimize(visible);
  }
  state.counters["eclipses"] = c.Count();
  state.counters["visible"] = visible;
}
BENCHMARK(BM_VisibleWindowWholeCatalogue)->Unit(benchmark::kMillisecond);

// The calendar of Zurich over the whole catalogue, as `cityhist --format ics` and the
// window's calendar save make it: the city-history search (Search) and then the calendar
// of the eclipses it found, with the visible part and the sky at every contact of each.
void CalendarWholeCatalogue(benchmark::State& state, bool search) {
  const Catalogue& c = TheCatalogue();
  if (c.Count() == 0) {
    state.SkipWithError("no catalogue");
    return;
  }
  const CityHistInput input{&c, "Z\u00FCrich", 47.3769 * 0.017453292519943295, -8.5417 * 0.017453292519943295,
                            408, -100000, 100000};
  const CalendarPlace place{"Z\u00FCrich", 47.3769, 8.5417, 408};
  const auto find = [&] {
    std::vector<CalendarEclipse> found;
    CityHistCallbacks callbacks;
    callbacks.onResult = [&](const CityHistHit& hit) { found.push_back(CalendarEclipseFromHit(hit)); };
    const std::atomic<bool> never{false};
    RunCityHist(input, callbacks, never);
    return found;
  };
  const std::vector<CalendarEclipse> listed = find();
  CalendarFile file;
  for (auto _ : state) {
    file = CityHistCalendar(search ? find() : listed, place, 0, "-//Bench//EN", "20260101T000000Z");
    benchmark::DoNotOptimize(file);
  }
  state.counters["listed"] = static_cast<double>(listed.size());
  state.counters["events"] = file.events;
  state.counters["unseen"] = file.unseen;
}
BENCHMARK_CAPTURE(CalendarWholeCatalogue, Calendar, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CalendarWholeCatalogue, SearchAndCalendar, true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varomintel

BENCHMARK_MAIN();
