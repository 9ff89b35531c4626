// The world map's speed: one drawing of the map (cut of the darkened twin, composition,
// nine horizon lines, markers, texts, the marked place, the graticule and its labels).
// Run from the folder with the catalogue and the pictures (build/app) to draw the total
// eclipse of 2022 Nov 08 on the real maps; elsewhere a synthetic eclipse on flat pictures.
#include <benchmark/benchmark.h>

#include "bench_offscreen_main.h"

#include <QGuiApplication>

#include "app/world_map_model.h"
#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "render/map_pictures.h"
#include "render/world_map.h"

namespace varomintel {
namespace {

WorldMapInputs Inputs() {
  WorldMapInputs in;
  const MapPictures pictures = LoadMapPictures();
  in.map = pictures.Pair(0).map;
  in.dark = pictures.Pair(0).dark;
  in.language = 1;
  in.pointOfInterest = GeoPoint{47.5, 7.5};
  const CatalogueLoad load = LoadCatalogue(kCatalogueFileName);
  if (load.ok() && load.catalogue.Contains(16921)) {
    EclipseRecord record = load.catalogue.At(16921);
    const CircumstancesResult result = ComputeCircumstances(record, 0.0);
    record.EclipseType = result.type;
    in.eclipse = WorldMapEclipseOf(record, result.circumstances);
  } else {
    in.eclipse.type = EclipseTypeCode::Total;
    for (int i = 0; i < kContactCount; ++i) in.eclipse.at[static_cast<Contact>(i)] = {true, 0.29, 2.5 + 0.1 * i};
  }
  return in;
}

// At scale 1 (680 x 340) and 2 (1360 x 680 map pixels), with the graticule and its labels
// as the window shows them when its box is checked.
void BM_RenderWorldMap(benchmark::State& state) {
  const WorldMapInputs in = Inputs();
  MapDrawing drawing;
  drawing.scale = static_cast<double>(state.range(0));
  drawing.graticule = drawing.degreeLabels = true;
  for (auto _ : state) {
    QImage image = RenderWorldMap(in, drawing);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_RenderWorldMap)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varomintel

int main(int argc, char** argv) { return varomintel::bench::RunOffscreenBenchmarks<QGuiApplication>(argc, argv); }
