// The sky at a place: one frame of the panorama at scales 1 and 2 (the Moon's place, its
// parallactic angle and the texts computed for the frame, then drawn), and the default sky
// video of 2022 Nov 08 from Tokyo (10 minutes before P1 to 10 minutes after P4 at step 60,
// MP4) as varomintel-cli animate --sky writes it, with the panorama computed once. Run from
// the folder that holds the catalogue and the Moon pictures (build/app); without a
// catalogue a synthetic eclipse is used.
#include <benchmark/benchmark.h>

#include "bench_offscreen_main.h"

#include <QGuiApplication>
#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

#include "../tests/support/synthetic_eclipse.h"
#include "app/eclipse_view.h"
#include "app/startup_data.h"
#include "app/time_slider.h"
#include "astro/delta_t.h"
#include "bench_startup.h"
#include "places/sky_panorama.h"
#include "render/moon_pictures.h"
#include "render/sky_view.h"
#include "render/video_writer.h"

namespace varomintel {
namespace {

constexpr int kTotal2022Nov08 = 16921;
const Observer kTokyo{35.68, 139.69, 40};

struct Eclipse {
  EclipseRecord record;
  EclipseCircumstances circumstances;
  SkyPanorama panorama;
};

Eclipse Start() {
  if (!bench::StartInCurrentFolder())
    Startup().TheCatalogue = Catalogue({testing::LinearEclipse::Passing(1200).Record()});
  const int index = Startup().TheCatalogue.Contains(kTotal2022Nov08) ? kTotal2022Nov08 : 1;
  Eclipse e;
  e.record = Startup().TheCatalogue.At(index);
  const double deltaT = DeltaT(e.record.Year, e.record.Month);
  const CircumstancesResult c = ComputeCircumstances(e.record, deltaT);
  e.record.EclipseType = c.type;
  e.circumstances = c.circumstances;
  e.panorama = SkyPanoramaOf(e.record, deltaT, kTokyo);
  return e;
}

void BM_SkyFrame(benchmark::State& state) {
  const Eclipse e = Start();
  const double scale = static_cast<double>(state.range(0));
  const MoonPictures pictures = MoonPictures::Load("");
  if (pictures.Count() == 0) state.SetLabel("without Moon pictures");
  const std::vector<int> positions = AnimationPositions(e.circumstances, 6, false);
  std::size_t i = 0;
  for (auto _ : state) {
    const double t = SliderTimeAt(e.record, positions[i++ % positions.size()], 0).t;
    const QImage image = DrawSkyView(SkySceneOf(e.record, e.panorama, t, true, 9, 1, "Tokyo"), pictures, scale);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_SkyFrame)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_SkyVideo(benchmark::State& state) {
  const std::string file = (std::filesystem::temp_directory_path() / "varomintel_sky_bench.mp4").string();
  const MoonPictures pictures = MoonPictures::Load("");
  double frames = 0;
  int count = 0;
  for (auto _ : state) {
    // The whole run of the command: the panorama, then every frame drawn and encoded.
    const Eclipse e = Start();
    const std::vector<int> positions = AnimationPositions(e.circumstances, 60, false);
    count = static_cast<int>(positions.size());
    std::string error;
    const VideoOutcome outcome = WriteVideo(
        file, SkyViewSizeAt(1), 30, count,
        [&](int i) {
          const double t = SliderTimeAt(e.record, positions[static_cast<std::size_t>(i)], 0).t;
          return DrawSkyView(SkySceneOf(e.record, e.panorama, t, true, 9, 1, "Tokyo"), pictures, 1);
        },
        {}, &error);
    if (outcome != VideoOutcome::Written) state.SkipWithError(error.c_str());
    frames += count;
  }
  std::filesystem::remove(file);
  state.counters["frames"] = count;
  state.counters["frames_per_second"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SkyVideo)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace varomintel

int main(int argc, char** argv) { return varomintel::bench::RunOffscreenBenchmarks<QGuiApplication>(argc, argv); }
