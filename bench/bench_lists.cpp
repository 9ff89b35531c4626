// The list windows' speed, offscreen, from the click on Start to the last line shown in
// the window: the city list of the total eclipse of 2022 November 8 over the whole city
// file (every place), and the city history of one place over the whole catalogue.
// Run from the folder that holds the catalogue and the city files (build/app).
#include <benchmark/benchmark.h>

#include "bench_offscreen_main.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>

#include <filesystem>

#include "bench_startup.h"
#include "app/startup_data.h"
#include "gui/common/app_state_object.h"
#include "gui/common/line_list_view.h"
#include "gui/lists/city_history_window.h"
#include "gui/lists/city_list_window.h"

namespace varomintel {
namespace {

bool Start(benchmark::State& state) {
  if (bench::StartInCurrentFolder()) return true;
  state.SkipWithError("no catalogue in the current directory");
  return false;
}

void BM_CityListWholeFileShown(benchmark::State& state) {
  if (!Start(state)) return;
  Startup().LanguageIndex = 1;
  AppStateObject eclipse(Startup().TheCatalogue);
  eclipse.SelectEclipse(16921);  // 2022 Nov 08
  CityListWindow window;
  window.Follow(&eclipse);
  window.show();
  window.ComboBox_Population->setCurrentIndex(9);
  long lines = 0;
  for (auto _ : state) {
    QSignalSpy finished(&window, &ListWindow::runFinished);
    window.StartCityList();
    if (!finished.wait(60000)) state.SkipWithError("the run did not end");
    lines = window.RichEdit_CityList->LineCount();
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_CityListWholeFileShown)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CityHistoryWholeCatalogueShown(benchmark::State& state) {
  if (!Start(state)) return;
  CityHistoryWindow window;
  window.show();
  window.Edit_Ort_Stadt->setText("Basel");
  window.Edit_Breite->setText("47.56");
  window.Edit_Laenge->setText("7.59");
  window.Edit_Hoehe->setText("260");
  window.ComboBox_von->setCurrentIndex(0);
  window.ComboBox_Bis->setCurrentIndex(window.ComboBox_Bis->count() - 1);
  long lines = 0;
  for (auto _ : state) {
    QSignalSpy finished(&window, &ListWindow::runFinished);
    window.StartCityHist();
    if (!finished.wait(60000)) state.SkipWithError("the run did not end");
    lines = window.RichEdit_CityHist->LineCount();
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_CityHistoryWholeCatalogueShown)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace varomintel

int main(int argc, char** argv) { return varomintel::bench::RunOffscreenBenchmarks<QApplication>(argc, argv); }
