// The main window's speed, offscreen: start-up to the first shown eclipse (catalogue load,
// window creation, first selection) and one selection (circumstances and report).
// Run from the folder that holds the catalogue (build/app).
#include <benchmark/benchmark.h>

#include "bench_offscreen_main.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QThread>

#include <filesystem>

#include "app/startup_data.h"
#include "gui/main/main_window.h"
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

}  // namespace
}  // namespace varomintel

int main(int argc, char** argv) { return varomintel::bench::RunOffscreenBenchmarks<QApplication>(argc, argv); }
