// The two list runs at full size. Run from the folder that holds the catalogue to measure
// it; without one, a synthetic total eclipse and a synthetic catalogue stand in (the label
// says which). The city file is the shipped English one.
//   build/bench/places/places_bench
// VAROMINTEL_CATALOGUE=FILE and VAROMINTEL_CITY_FILE=FILE name other files.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "astro/delta_t.h"
#include "astro/trig_func.h"
#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "places/city_file.h"
#include "places/city_hist.h"
#include "places/city_list.h"
#include "places/list_text.h"

namespace varomintel {

const char* BenchDataDir();  // data/ of the source tree, from a generated source (CMakeLists.txt)

namespace {

struct BenchCatalogue {
  Catalogue catalogue;
  std::string label;
};

// A total eclipse on a slightly curved path, copied with shifted dates to the size of
// the real catalogue.
EclipseRecord SyntheticTotal(int i) {
  EclipseRecord r;
  r.Year = -4999 + i * 12000 / 29116;
  r.Month = 1 + i % 12;
  r.Day = 1 + i % 28;
  r.T0Hour = i % 24;
  r.EclipseType = EclipseTypeCode::Total;
  r.JulianDayTT = 1720694.5 + 365.25 * r.Year + 30.6 * (r.Month - 1) + r.Day;
  const double lmin = std::fmod(i * 137.0, 5400.0);
  r.X.c = {-1800 * 0.3, 1800, 0.02, -0.003};
  r.Y.c = {lmin, 60, -0.01, 0.001};
  r.D.c = {10.0, -0.01, 0};
  r.M.c = {170.0 + i % 360, 15.0, 0};
  r.PenContactRadius.c = {5530, -0.5, 0};
  r.UmbContactRadius.c = {3630, -0.5, 0};
  r.TotalityRadius.c = {1770, -0.5, 0};
  r.F1.c = {4600, -0.5, 0};
  r.F2.c = {2700, -0.5, 0};
  r.Saros = 100 + i % 200;
  return r;
}

const BenchCatalogue& TheCatalogue() {
  static const BenchCatalogue bench = [] {
    const char* env = std::getenv("VAROMINTEL_CATALOGUE");
    const std::string path = env ? env : kCatalogueFileName;
    CatalogueLoad load = LoadCatalogue(path);
    if (load.ok()) return BenchCatalogue{std::move(load.catalogue), path};
    std::vector<EclipseRecord> records;
    for (int i = 0; i < 29116; ++i) records.push_back(SyntheticTotal(i));
    return BenchCatalogue{Catalogue(std::move(records)), "synthetic catalogue"};
  }();
  return bench;
}

std::string CityFile() {
  const char* env = std::getenv("VAROMINTEL_CITY_FILE");
  return env ? env : std::string(BenchDataDir()) + "/" + kCityFileEnglish;
}

// A total eclipse of the catalogue: the first one of the computed type 4 or 5 from the
// year 2000 on.
int TotalEclipseIndex(const Catalogue& catalogue) {
  for (int i = 1; i <= catalogue.Count(); ++i) {
    const EclipseRecord& r = catalogue.At(i);
    if (r.Year >= 2000 && ComputeCircumstances(r, DeltaT(r.Year, r.Month)).type >= EclipseTypeCode::Total) return i;
  }
  return 1;
}

void BM_CityListWholeEnglishFile(benchmark::State& state) {
  const BenchCatalogue& bench = TheCatalogue();
  CityListInput input;
  const int index = TotalEclipseIndex(bench.catalogue);
  input.eclipse = bench.catalogue.At(index);
  input.cityFile = CityFile();
  input.populationItem = 9;
  const std::atomic<bool> stop{false};
  long places = 0, found = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    CityListCallbacks cb;
    cb.onResult = [&](const CityListHit& h) { bytes += h.line.size() + h.record.size(); };
    const CityListOutcome o = RunCityList(input, cb, stop);
    places = o.counts.scanned;
    found = o.counts.found;
  }
  benchmark::DoNotOptimize(bytes);
  state.SetLabel(bench.label + " #" + std::to_string(index) + " " + std::to_string(input.eclipse.Year) + ", " +
                 std::to_string(places) + " places, " + std::to_string(found) + " found");
  state.counters["places/s"] = benchmark::Counter(static_cast<double>(places) * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CityListWholeEnglishFile)->Unit(benchmark::kMillisecond);

// Basel over the whole catalogue: the city history of both benchmarks.
CityHistInput BaselWholeCatalogue(const BenchCatalogue& bench) {
  CityHistInput input;
  input.catalogue = &bench.catalogue;
  input.name = "Basel";
  input.latitude = 47.5 * DegToRad;
  input.westLongitude = -7.5 * DegToRad;
  input.firstYear = -5000;
  input.lastYear = 7000;
  return input;
}

void BM_CityHistWholeCatalogue(benchmark::State& state) {
  const BenchCatalogue& bench = TheCatalogue();
  const CityHistInput input = BaselWholeCatalogue(bench);
  const std::atomic<bool> stop{false};
  int found = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    CityHistCallbacks cb;
    cb.onResult = [&](const CityHistHit& h) { bytes += h.line.size() + h.record.size(); };
    found = RunCityHist(input, cb, stop).found;
  }
  benchmark::DoNotOptimize(bytes);
  state.SetLabel(bench.label + ", " + std::to_string(bench.catalogue.Count()) + " records, " + std::to_string(found) +
                 " seen at 47.5N 7.5E");
  state.counters["records/s"] = benchmark::Counter(
      static_cast<double>(bench.catalogue.Count()) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CityHistWholeCatalogue)->Unit(benchmark::kMillisecond);

// The run on all cores, as the command line writes it (the saved records, CR LF),
// with the number of threads as the argument.
void BM_CityListBlocksWholeEnglishFile(benchmark::State& state) {
  const BenchCatalogue& bench = TheCatalogue();
  CityListInput input;
  input.eclipse = bench.catalogue.At(TotalEclipseIndex(bench.catalogue));
  input.cityFile = CityFile();
  input.populationItem = 9;
  const std::atomic<bool> stop{false};
  std::size_t bytes = 0;
  long found = 0;
  CityListBlockCallbacks cb;
  cb.format = [](std::string& out, ContactClock& clock, const Place& place) {
    AppendCityListRecord(out, clock, place);
    out += "\r\n";
  };
  cb.onBlock = [&](std::string_view text, const CityListCounts&) { bytes += text.size(); };
  for (auto _ : state) found = RunCityListBlocks(input, cb, stop, ListBlocks{static_cast<unsigned>(state.range(0))}).counts.found;
  benchmark::DoNotOptimize(bytes);
  state.SetLabel(std::to_string(found) + " found");
}
BENCHMARK(BM_CityListBlocksWholeEnglishFile)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The limits of the file: the counting pass that the command line makes before it
// writes, and the bare reading of the lines.
void BM_CityFileSurvey(benchmark::State& state) {
  long passing = 0;
  for (auto _ : state) passing = SurveyCityFile(CityFile(), 9).passing;
  state.SetLabel(std::to_string(passing) + " places");
}
BENCHMARK(BM_CityFileSurvey)->Unit(benchmark::kMillisecond);

void BM_CityFileReadLines(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    CityFileReader reader(CityFile());
    std::string_view line;
    while (reader.Next(line)) bytes += line.size();
  }
  benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_CityFileReadLines)->Unit(benchmark::kMillisecond);

void BM_CityHistBlocksWholeCatalogue(benchmark::State& state) {
  const BenchCatalogue& bench = TheCatalogue();
  const CityHistInput input = BaselWholeCatalogue(bench);
  const std::atomic<bool> stop{false};
  std::size_t bytes = 0;
  int found = 0;
  CityHistBlockCallbacks cb;
  cb.format = [](std::string& out, const CityHistFound& hit) {
    AppendCityHistRecord(out, hit.clock, hit.place);
    out += "\r\n";
  };
  cb.onBlock = [&](std::string_view text, const std::vector<CityHistSeen>&, const std::string&,
                   const CityHistOutcome&) { bytes += text.size(); };
  for (auto _ : state) found = RunCityHistBlocks(input, cb, stop, ListBlocks{static_cast<unsigned>(state.range(0))}).found;
  benchmark::DoNotOptimize(bytes);
  state.SetLabel(std::to_string(found) + " seen");
}
BENCHMARK(BM_CityHistBlocksWholeCatalogue)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace varomintel

BENCHMARK_MAIN();
