// The videos of the shadow diagram: the default video of 2022 Nov 08 (10 minutes before
// P1 to 10 minutes after P4 at step 60, about 190 frames) in MP4 and WebM at scale 1, and
// the whole slider at step 6 (2,401 frames) in MP4, each drawn and encoded frame by frame
// into a file as varomintel-cli animate writes it. The counters give the frames per second
// and the growth of the process's peak memory during the run, which stays flat: no frame
// is kept once it is encoded. Run from the folder that holds the catalogue and the Moon
// pictures (build/app); without a catalogue a synthetic eclipse is used.
#include <benchmark/benchmark.h>

#include "bench_offscreen_main.h"

#include <sys/resource.h>

#include <QGuiApplication>
#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

#include "../tests/support/synthetic_eclipse.h"
#include "app/eclipse_view.h"
#include "app/time_slider.h"
#include "app/startup_data.h"
#include "bench_startup.h"
#include "render/moon_pictures.h"
#include "render/shadow_diagram.h"
#include "render/video_writer.h"

namespace varomintel {
namespace {

constexpr int kTotal2022Nov08 = 16921;

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes
}

// Arguments: the slider step, whole slider (1) or the eclipse with its margins (0), WebM (1) or MP4 (0).
void BM_Video(benchmark::State& state) {
  if (!bench::StartInCurrentFolder())
    Startup().TheCatalogue = Catalogue({testing::LinearEclipse::Passing(1200).Record()});
  const int index = Startup().TheCatalogue.Contains(kTotal2022Nov08) ? kTotal2022Nov08 : 1;
  const int step = static_cast<int>(state.range(0));
  const bool whole = state.range(1) != 0;
  const std::string file =
      (std::filesystem::temp_directory_path() / (state.range(2) ? "varomintel_bench.webm" : "varomintel_bench.mp4"))
          .string();
  EclipseView view;
  TimeSettings settings;
  view.SetTimeSettings(settings);
  view.SetCaptionPrefix("Varomintel");
  view.Select(Startup().TheCatalogue, index);
  const MoonPictures pictures = MoonPictures::Load("");
  if (pictures.Count() == 0) state.SetLabel("without Moon pictures");
  const std::vector<int> positions = AnimationPositions(view.Selection().circumstances, step, whole);
  const int count = static_cast<int>(positions.size());
  const double peakBefore = PeakMegabytes();
  double frames = 0;
  for (auto _ : state) {
    std::string error;
    const VideoOutcome outcome = WriteVideo(
        file, DiagramSizeAt(1), 30, count,
        [&](int i) {
          view.SetSliderPosition(positions[static_cast<std::size_t>(i)]);
          return DrawShadowDiagram(DiagramSceneOf(view), pictures, 1);
        },
        {}, &error);
    if (outcome != VideoOutcome::Written) state.SkipWithError(error.c_str());
    frames += count;
  }
  std::filesystem::remove(file);
  state.counters["frames"] = count;
  state.counters["frames_per_second"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
  state.counters["peak_MB"] = PeakMegabytes();
  state.counters["peak_growth_MB"] = PeakMegabytes() - peakBefore;
}
BENCHMARK(BM_Video)
    ->ArgNames({"step", "whole", "webm"})
    ->Args({60, 0, 0})
    ->Args({60, 0, 1})
    ->Args({6, 1, 0})
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
}  // namespace varomintel

int main(int argc, char** argv) { return varomintel::bench::RunOffscreenBenchmarks<QGuiApplication>(argc, argv); }
