// The main window's speed, offscreen: start-up to the first shown eclipse (catalogue load,
// window creation, first selection) and one selection (circumstances and report).
// Run from the folder that holds the catalogue (build/app).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QScrollBar>

#include <filesystem>

#include "app/varomintel_variables.h"
#include "gui/main/Varomintel_Unit_Main.h"
#include "app/startup.h"

namespace varomintel {
namespace {

StartupPlaces Places() {
  StartupPlaces p;
  p.programDir = QDir::currentPath().toStdString();
  p.tempDir = QDir::tempPath().toStdString();
  p.configDir = (std::filesystem::temp_directory_path() / "varomintel_bench_config").string();
  p.fileTypeName = "executable";
  p.catalogueDir = QDir::currentPath().toStdString();
  return p;
}

void BM_StartUpToFirstEclipse(benchmark::State& state) {
  for (auto _ : state) {
    Vars() = VaromintelVariables{};
    if (InitialiseGlobalState(Places(), [](const std::string&, const std::string&) {}) != StartupOutcome::Run) {
      state.SkipWithError("no catalogue in the current directory");
      return;
    }
    TForm_Main window;
    window.show();  // the first selection
    benchmark::DoNotOptimize(Vars().CurrentIndex);
  }
}
BENCHMARK(BM_StartUpToFirstEclipse)->Unit(benchmark::kMillisecond);

void BM_SelectEclipse(benchmark::State& state) {
  Vars() = VaromintelVariables{};
  if (InitialiseGlobalState(Places(), [](const std::string&, const std::string&) {}) != StartupOutcome::Run) {
    state.SkipWithError("no catalogue in the current directory");
    return;
  }
  TForm_Main window;
  window.show();
  int index = 1;
  const int count = Vars().TheCatalogue.Count();
  for (auto _ : state) {
    index = index % count + 977;  // a different eclipse each time
    if (index > count) index -= count;
    window.ScrollBar_Eclipse->setValue(index);
  }
}
BENCHMARK(BM_SelectEclipse)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varomintel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
