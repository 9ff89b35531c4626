// The main window's speed, offscreen: start-up to the first shown eclipse (catalogue load,
// window creation, first selection), one selection (circumstances and report), a resize,
// and the marked place's panel with the verdicts over Delta T.
// Run from the folder that holds the catalogue (build/app).
#include <benchmark/benchmark.h>

#include "bench_offscreen_main.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QThread>

#include <filesystem>
#include <optional>
#include <string>

#include "app/observer_view.h"
#include "app/startup_data.h"
#include "eclipse/selection.h"
#include "gui/main/main_window.h"
#include "gui/main/selection_panel.h"
#include "bench_startup.h"

namespace varomintel {
namespace {

void BM_StartUpToFirstEclipse(benchmark::State& state) {
  for (auto _ : state) {
    if (!bench::StartInCurrentFolder()) {
      state.SkipWithError("no catalogue in the current directory");
      return;
    }
    MainWindow window;
    window.show();  // the first selection
    benchmark::DoNotOptimize(window.State().State().Index());
  }
}
BENCHMARK(BM_StartUpToFirstEclipse)->Unit(benchmark::kMillisecond);

void BM_SelectEclipse(benchmark::State& state) {
  if (!bench::StartInCurrentFolder()) {
    state.SkipWithError("no catalogue in the current directory");
    return;
  }
  MainWindow window;
  window.show();
  auto* eclipses = window.findChild<QScrollBar*>("ScrollBar_Eclipse");
  int index = 1;
  const int count = Startup().TheCatalogue.Count();
  for (auto _ : state) {
    index = index % count + 977;  // a different eclipse each time
    if (index > count) index -= count;
    eclipses->setValue(index);
  }
}
BENCHMARK(BM_SelectEclipse)->Unit(benchmark::kMicrosecond);

// A resize between the design size and 2560 x 1440 (a maximised window on such a screen),
// laid out and painted whole, the pictures stretched until the size settles: the frame
// budget of a smooth resize is 16 ms.
void BM_ResizeTo2560x1440Redrawn(benchmark::State& state) {
  if (!bench::StartInCurrentFolder()) {
    state.SkipWithError("no catalogue in the current directory");
    return;
  }
  MainWindow window;
  window.show();
  QCoreApplication::processEvents();
  const QSize sizes[2] = {QSize(2560, 1440), window.size()};
  int i = 0;
  for (auto _ : state) {
    window.resize(sizes[i]);
    i = 1 - i;
    QCoreApplication::processEvents();  // the layout
    window.repaint();                   // every panel painted
  }
  state.counters["diagram_scale_at_2560"] = [&] {
    window.resize(sizes[0]);
    QCoreApplication::processEvents();
    return window.DiagramScale();
  }();
}
BENCHMARK(BM_ResizeTo2560x1440Redrawn)->Unit(benchmark::kMillisecond);

// The same resize, then the diagram and the map drawn anew at the settled size (the pause
// before the drawing, kRedrawDelayMilliseconds, is not counted).
void BM_ResizeTo2560x1440PicturesDrawn(benchmark::State& state) {
  if (!bench::StartInCurrentFolder()) {
    state.SkipWithError("no catalogue in the current directory");
    return;
  }
  MainWindow window;
  window.show();
  QCoreApplication::processEvents();
  const QSize sizes[2] = {QSize(2560, 1440), window.size()};
  int i = 0;
  for (auto _ : state) {
    window.resize(sizes[i]);
    i = 1 - i;
    QCoreApplication::processEvents();
    state.PauseTiming();
    QThread::msleep(MainWindow::kRedrawDelayMilliseconds + 5);
    state.ResumeTiming();
    while (window.PicturesPending()) QCoreApplication::processEvents();
    window.repaint();
  }
}
BENCHMARK(BM_ResizeTo2560x1440PicturesDrawn)->Unit(benchmark::kMillisecond);

// The first eclipse of the year state.range(0) in English universal time; none (the
// benchmark skipped with the reason) without a catalogue or an eclipse that year.
std::optional<SelectedEclipse> FirstEclipseOfYear(benchmark::State& state, const TimeSettings& settings) {
  if (!bench::StartInCurrentFolder()) {
    state.SkipWithError("no catalogue in the current directory");
    return std::nullopt;
  }
  const Catalogue& catalogue = Startup().TheCatalogue;
  const std::optional<YearSearch> found = FindByYear(catalogue, std::to_string(state.range(0)));
  if (!found) {
    state.SkipWithError("no eclipse in that year");
    return std::nullopt;
  }
  return SelectEclipseAt(catalogue, found->index, settings);
}

// The marked place's panel refreshed for a new eclipse or place: its table with Delta T and
// each contact's verdict over model +- 2 sigma (ObserverTableOf), laid into the panel's
// view. Babylon, 32.54 N 44.42 E, at the first eclipse of the year (-720: the total eclipse
// of 19 March, sigma 516 s; -3000: sigma about 39 minutes; 2022: no verdicts). The frame
// budget is 16 ms.
void BM_PlacePanelRefreshWithVerdicts(benchmark::State& state) {
  TimeSettings settings;
  settings.language = 1;
  const std::optional<SelectedEclipse> first = FirstEclipseOfYear(state, settings);
  if (!first) return;
  const SelectedEclipse& selection = *first;
  const GeoPoint babylon{32.54, 44.42};
  SelectionPanel panel;
  panel.resize(480, 700);
  panel.show();
  std::size_t verdicts = 0;
  for (auto _ : state) {
    const ObserverTable table = ObserverTableOf(selection, settings, babylon);
    verdicts = table.verdicts.size();
    panel.ShowPlaceTable(table);
  }
  state.counters["verdict_lines"] = static_cast<double>(verdicts);
}
BENCHMARK(BM_PlacePanelRefreshWithVerdicts)->Arg(-720)->Arg(-3000)->Arg(2022)->Unit(benchmark::kMillisecond);

// The table alone, without the widget.
void BM_PlaceTableWithVerdicts(benchmark::State& state) {
  TimeSettings settings;
  settings.language = 1;
  const std::optional<SelectedEclipse> first = FirstEclipseOfYear(state, settings);
  if (!first) return;
  const SelectedEclipse& selection = *first;
  for (auto _ : state) benchmark::DoNotOptimize(ObserverTableOf(selection, settings, GeoPoint{32.54, 44.42}).verdicts.size());
}
BENCHMARK(BM_PlaceTableWithVerdicts)->Arg(-720)->Arg(-3000)->Arg(2022)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varomintel

int main(int argc, char** argv) { return varomintel::bench::RunOffscreenBenchmarks<QApplication>(argc, argv); }
