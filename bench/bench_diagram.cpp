// The shadow diagram's speed: one frame rendered alone at scales 1 and 2, one play step of the main window
// (slider change, diagram, constellation, table) and a whole forward play over the slider
// (2400 steps) with its frames per second, offscreen. Run from the folder that holds the
// catalogue and the Moon pictures (build/app); without a catalogue a synthetic eclipse is used.
#include <benchmark/benchmark.h>

#include "bench_offscreen_main.h"

#include "bench_startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QToolButton>

#include <filesystem>

#include "../tests/support/synthetic_eclipse.h"
#include "app/eclipse_view.h"
#include "app/startup.h"
#include "app/time_slider.h"
#include "app/startup_data.h"
#include "gui/main/main_window.h"
#include "gui/main/diagram_panel.h"
#include "render/shadow_diagram.h"

namespace varomintel {
namespace {

constexpr int kTotal2022Nov08 = 16921;

// The global state with the catalogue of the current folder, or a synthetic one.
void Start() {
  if (!bench::StartInCurrentFolder())
    Startup().TheCatalogue = Catalogue({testing::LinearEclipse::Passing(1200).Record()});
  const int index = Startup().TheCatalogue.Contains(kTotal2022Nov08) ? kTotal2022Nov08 : 1;
  Startup().Parameters.SetInt(param::kEclipse, index);
  Startup().Parameters.SetFlag(param::kUniversalTime, true);
}

// One frame as the window draws it: the view model moved to the next play step, then the
// diagram at the scale given (1: the design's 1040 x 480 pixels; 2: 2080 x 960).
void BM_DiagramFrame(benchmark::State& state) {
  Start();
  const double scale = static_cast<double>(state.range(0));
  EclipseView view;
  TimeSettings settings;
  settings.language = 1;
  view.SetTimeSettings(settings);
  view.SetCaptionPrefix("Varomintel");
  view.Select(Startup().TheCatalogue, Startup().Parameters.Int(param::kEclipse));
  const MoonPictures pictures = MoonPictures::Load("");
  if (pictures.Count() == 0) state.SetLabel("without Moon pictures");
  int position = 0;
  for (auto _ : state) {
    position = (position + 6) % (kSliderLast + 1);
    view.SetSliderPosition(position);
    const QImage image = DrawShadowDiagram(DiagramSceneOf(view), pictures, scale);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_DiagramFrame)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_PlayStep(benchmark::State& state) {
  Start();
  MainWindow window;
  window.show();
  QScrollBar* slider = window.findChild<QScrollBar*>("ScrollBar_Time");
  for (auto _ : state) {
    slider->setValue(slider->value() + 6 > kSliderLast ? 0 : slider->value() + 6);  // one play step
    QCoreApplication::processEvents();  // and the repaint it causes
  }
}
BENCHMARK(BM_PlayStep)->Unit(benchmark::kMillisecond);

void BM_ForwardPlayOverTheSlider(benchmark::State& state) {
  Start();
  MainWindow window;
  window.show();
  auto* slider = window.findChild<QScrollBar*>("ScrollBar_Time");
  auto* play = window.findChild<QToolButton*>("Button_Play");
  // The cost of the steps, not the pace of the display that a user's play keeps.
  window.findChild<DiagramPanel*>("DiagramPanel")->SetPlayFrame(PlayPacer::Duration::zero());
  double frames = 0, seconds = 0;
  for (auto _ : state) {
    slider->setValue(0);
    QElapsedTimer clock;
    clock.start();
    play->click();
    while (window.State().State().Playing()) QCoreApplication::processEvents();
    seconds += clock.nsecsElapsed() * 1e-9;
    frames += kSliderLast / 6;
  }
  state.counters["frames_per_second"] = frames / seconds;
}
BENCHMARK(BM_ForwardPlayOverTheSlider)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace varomintel

int main(int argc, char** argv) { return varomintel::bench::RunOffscreenBenchmarks<QApplication>(argc, argv); }
