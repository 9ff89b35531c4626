// Hot paths of the core. Run from the folder that holds the catalogue to measure it;
// without one, a synthetic catalogue of the same size stands in (the label says which).
//   build/bench/core_bench [--benchmark_filter=...]
// VAROMINTEL_CATALOGUE=FILE names another catalogue file.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "text/text_table.h"
#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "astro/sun_constellation.h"
#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "eclipse/report.h"

namespace varomintel {
namespace {

struct BenchCatalogue {
  Catalogue catalogue;
  std::string label;
};

// Straight Moon paths at varying distances, speeds and dates: what the searches see
// on real eclipses, without needing the real file.
Catalogue SyntheticCatalogue(int count) {
  std::vector<EclipseRecord> records;
  records.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    EclipseRecord r;
    r.Year = -4999 + i * 12000 / count;
    r.Month = 1 + i % 12;
    r.Day = 1 + i % 28;
    r.T0Hour = i % 24;
    r.EclipseType = EclipseTypeCode::PartialPenumbral;
    const double lmin = std::fmod(i * 137.0, 5400.0);
    const double tMax = std::fmod(i * 0.37, 1.0) - 0.5;
    const double vx = 1700 + std::fmod(i * 13.0, 400.0), vy = 80;
    const double v = std::hypot(vx, vy);
    r.X.c = {-vy / v * lmin - vx * tMax, vx, 0.02, -0.003};
    r.Y.c = {vx / v * lmin - vy * tMax, vy, -0.01, 0.001};
    r.D.c = {10.0, -0.01, 0};
    r.M.c = {170.0, 15.0, 0};
    r.PenContactRadius.c = {5530, -0.5, 0};
    r.UmbContactRadius.c = {3630, -0.5, 0};
    r.TotalityRadius.c = {1770, -0.5, 0};
    r.F1.c = {4600, -0.5, 0};
    r.F2.c = {2700, -0.5, 0};
    records.push_back(r);
  }
  return Catalogue(std::move(records));
}

const BenchCatalogue& TheCatalogue() {
  static const BenchCatalogue bench = [] {
    const char* env = std::getenv("VAROMINTEL_CATALOGUE");
    const std::string path = env ? env : kCatalogueFileName;
    CatalogueLoad load = LoadCatalogue(path);
    if (load.ok()) return BenchCatalogue{std::move(load.catalogue), path};
    return BenchCatalogue{SyntheticCatalogue(28885), "synthetic"};
  }();
  return bench;
}

void BM_ComputeCircumstancesWholeCatalogue(benchmark::State& state) {
  const BenchCatalogue& bench = TheCatalogue();
  for (auto _ : state) {
    double sum = 0;
    for (const EclipseRecord& r : bench.catalogue.Records())
      sum += ComputeCircumstances(r, DeltaT(r.Year, r.Month)).circumstances.TimeMax;
    benchmark::DoNotOptimize(sum);
  }
  state.SetLabel(bench.label + ", " + std::to_string(bench.catalogue.Count()) + " records");
  state.SetItemsProcessed(state.iterations() * bench.catalogue.Count());
}
BENCHMARK(BM_ComputeCircumstancesWholeCatalogue)->Unit(benchmark::kMillisecond);

// Reading and checking the whole catalogue file: what every command and the window pay
// before their first eclipse (the page cache holds the file after the first run).
void BM_LoadCatalogue(benchmark::State& state) {
  const char* env = std::getenv("VAROMINTEL_CATALOGUE");
  const std::string path = env ? env : kCatalogueFileName;
  if (!LoadCatalogue(path).ok()) {
    state.SkipWithError("no catalogue file in this folder");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(LoadCatalogue(path).catalogue.Count());
  state.SetLabel(path);
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);

void BM_ReportOfOneEclipse(benchmark::State& state) {
  const BenchCatalogue& bench = TheCatalogue();
  const EclipseRecord& r = bench.catalogue.At(bench.catalogue.Count() / 2);
  ReportSettings s;
  s.language = kEnglish;
  s.deltaT = DeltaT(r.Year, r.Month);
  for (auto _ : state) {
    CircumstancesResult res = ComputeCircumstances(r, s.deltaT);
    EclipseRecord shown = r;
    shown.EclipseType = res.type;
    benchmark::DoNotOptimize(BuildReport(shown, res.circumstances, s));
  }
  state.SetLabel("circumstances + report lines");
}
BENCHMARK(BM_ReportOfOneEclipse)->Unit(benchmark::kMicrosecond);

void BM_DateToJD(benchmark::State& state) {
  int y = -4999;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DateToJD(y, 7, 14, 21, 30, 12.5));
    y = y < 7000 ? y + 1 : -4999;
  }
}
BENCHMARK(BM_DateToJD);

void BM_JDToDate(benchmark::State& state) {
  double jd = -104826.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(JDToDate(jd));
    jd = jd < 4278121.5 ? jd + 365.3 : -104826.5;
  }
}
BENCHMARK(BM_JDToDate);

void BM_DeltaT(benchmark::State& state) {
  double y = -4999;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DeltaT(y, 6));
    y = y < 7000 ? y + 1 : -4999;
  }
}
BENCHMARK(BM_DeltaT);

void BM_ConstellationOf(benchmark::State& state) {
  // The Moon near the ecliptic around the sky, at dates across the catalogue.
  double lon = 0;
  double jd = 2451545.0;
  for (auto _ : state) {
    const double a = lon * 0.0174532925199433;
    benchmark::DoNotOptimize(ConstellationOf(a, 0.4 * std::sin(a), jd));
    lon = lon < 359 ? lon + 7.3 : 0;
    jd += 3000;
    if (jd > 4278121.5) jd = -104826.5;
  }
}
BENCHMARK(BM_ConstellationOf);

}  // namespace
}  // namespace varomintel

BENCHMARK_MAIN();
