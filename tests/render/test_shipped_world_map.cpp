// The world map of a real eclipse on the shipped maps against where the Moon really was:
// at greatest eclipse of the total eclipse of 2022 Nov 08 (10:59 UT) the Moon stood over
// the Pacific, up in the western Americas, East Asia and Australia, down in Europe and
// Africa. And the two texts read on every shipped map: a halo of the other text's colour
// round their letters.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/world_map_model.h"
#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "render/map_pictures.h"
#include "render/world_map.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

constexpr int k2022Nov08 = 16921;

struct City {
  const char* name;
  double lat, lon;
  bool moonUp;
};

// Local time at 10:59 UT and where a full Moon is then: Los Angeles 02:59 (high in the
// south-west), Tokyo 19:59 (risen in the east), Sydney 21:59 (up), Honolulu 00:59 (near
// the zenith); Paris 11:59, Cape Town 12:59, Mumbai 16:29: daytime, the Moon below the
// horizon.
const City kCities[] = {
    {"Los Angeles", 34.05, -118.24, true}, {"Tokyo", 35.68, 139.69, true}, {"Sydney", -33.87, 151.21, true},
    {"Honolulu", 21.31, -157.86, true},    {"Paris", 48.86, 2.35, false},  {"Cape Town", -33.92, 18.42, false},
    {"Mumbai", 19.08, 72.88, false},
};

TEST(ShippedWorldMap, TheTotalEclipseOf2022Nov08IsSeenFromThePacific) {
  const CatalogueLoad load = LoadCatalogue(testing::DataDir() + "/" + std::string(kCatalogueFileName));
  ASSERT_TRUE(load.ok()) << load.Message();
  ASSERT_TRUE(load.catalogue.Contains(k2022Nov08));
  EclipseRecord record = load.catalogue.At(k2022Nov08);
  ASSERT_EQ(record.Year, 2022);
  const CircumstancesResult result = ComputeCircumstances(record, 0.0);
  record.EclipseType = result.type;
  const MapPictures pictures = LoadMapPictures(testing::DataDir());
  ASSERT_TRUE(pictures.complete()) << pictures.error;

  WorldMapInputs in;
  in.eclipse = WorldMapEclipseOf(record, result.circumstances);
  // The sub-lunar point of greatest eclipse: about 16.6 deg N, 169 deg W.
  const SubLunarPoint& max = in.eclipse.at[Contact::Max];
  EXPECT_NEAR(max.d * 180 / 3.141592653589793, 16.6, 0.5);
  EXPECT_NEAR(-max.M * 180 / 3.141592653589793, -169, 1.0);

  for (int k = 0; k < kMapPictureCount; ++k) {
    in.map = pictures.Pair(k).map;
    in.dark = pictures.Pair(k).dark;
    const QImage image = RenderWorldMap(in);
    for (const City& city : kCities) {
      // Of the nine pixels around the city, some show the bright map where the Moon is up
      // and the darkened one where it is down (a horizon line may cross the others).
      const int x = MapPixel(MapColumn(city.lon)), y = MapPixel(MapRow(city.lat));
      int bright = 0, dark = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const QRgb c = image.pixel(x + dx, y + dy);
          const QRgb b = in.map.pixel(x + dx, y + dy), d = in.dark.pixel(x + dx, y + dy);
          if (b == d) continue;
          bright += c == b;
          dark += c == d;
        }
      if (city.moonUp) {
        EXPECT_GT(bright, 0) << kMapPictureNames[static_cast<std::size_t>(k)].item << ": " << city.name;
        EXPECT_EQ(dark, 0) << kMapPictureNames[static_cast<std::size_t>(k)].item << ": " << city.name;
      } else {
        EXPECT_GT(dark, 0) << kMapPictureNames[static_cast<std::size_t>(k)].item << ": " << city.name;
        EXPECT_EQ(bright, 0) << kMapPictureNames[static_cast<std::size_t>(k)].item << ": " << city.name;
      }
    }
  }
}

// ---------------------------------------------------------------------------------------
// The texts' halo on the four shipped maps, at scale 1 and 2. Round every pixel of a letter
// (exactly the text's colour) the eight pixels next to it show the same whatever ground
// lies under the text, even a ground of the text's own colour: the halo covers the ground
// there. And most of them are nearer the halo's colour (the other text's) than the text's.

int Luminance(QRgb c) { return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000; }

struct HaloCheck {
  int letterPixels = 0;  // pixels of exactly the text colour in the group's box
  int ring = 0;          // pixels next to them of another colour
  int haloColoured = 0;  // of those, nearer the halo's colour than the text's (in luminance)
  int showGround = 0;    // of those, differing by more than 8 in a channel on the two grounds
};

QImage Flat(QRgb colour) {
  QImage image(kMapWidth, kMapHeight, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// Three lines centred on map column `column` from map row `top`, in `colour` with a halo
// of `halo`, drawn at `scale` on a map (`onMap`) and on a ground of `colour` (`onOwn`).
HaloCheck CheckHalo(const QImage& onMap, const QImage& onOwn, double scale, int column, int top, QRgb colour,
                    QRgb halo) {
  HaloCheck check;
  const int x0 = static_cast<int>((column - 80) * scale);
  const int x1 = std::min(onMap.width(), static_cast<int>((column + 80) * scale));
  const int y0 = static_cast<int>((top - 4) * scale), y1 = static_cast<int>((top + 58) * scale);
  const auto rgb = [](const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; };
  std::vector<bool> counted(static_cast<std::size_t>((x1 - x0) * (y1 - y0)));
  for (int y = y0 + 1; y < y1 - 1; ++y)
    for (int x = x0 + 1; x < x1 - 1; ++x) {
      if (rgb(onMap, x, y) != colour) continue;
      ++check.letterPixels;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx, ny = y + dy;
          const QRgb a = rgb(onMap, nx, ny), b = rgb(onOwn, nx, ny);
          const std::size_t index = static_cast<std::size_t>((ny - y0) * (x1 - x0) + nx - x0);
          if (a == colour || counted[index]) continue;
          counted[index] = true;
          ++check.ring;
          check.haloColoured += std::abs(Luminance(a) - Luminance(colour)) > std::abs(Luminance(a) - Luminance(halo));
          check.showGround += std::abs(qRed(a) - qRed(b)) > 8 || std::abs(qGreen(a) - qGreen(b)) > 8 ||
                              std::abs(qBlue(a) - qBlue(b)) > 8;
        }
    }
  return check;
}

class ShippedMapTexts : public ::testing::TestWithParam<int> {};

TEST_P(ShippedMapTexts, ReadOnTheMapThroughTheirHalo) {
  const int k = GetParam();
  const MapPictures pictures = LoadMapPictures(testing::DataDir());
  ASSERT_TRUE(pictures.complete()) << pictures.error;
  struct Sky {
    double d, M;  // radians: the sub-lunar point at 3 deg N or S, 34 deg W or 150 deg E
  };
  for (const Sky sky : {Sky{0.05, 0.6}, Sky{-0.05, -2.6}}) {
    WorldMapInputs in;
    in.map = pictures.Pair(k).map;
    in.dark = pictures.Pair(k).dark;
    in.language = 0;
    in.eclipse.type = EclipseTypeCode::PartialPenumbral;
    in.eclipse.at[Contact::Max] = {true, sky.d, sky.M};
    const SubLunarPoint& max = in.eclipse.at[Contact::Max];
    const int visibleColumn = std::clamp(MapPixel(max.Column()), 50, 628);
    const int oppositeColumn = std::clamp((MapPixel(max.Column()) + 340) % kMapWidth, 50, 628);
    for (const double scale : {1.0, 2.0}) {
      MapDrawing drawing;
      drawing.scale = scale;
      const QImage image = RenderWorldMap(in, drawing);
      const std::string where = std::string(kMapPictureNames[static_cast<std::size_t>(k)].item) + " at scale " +
                                std::to_string(scale) + ", d = " + std::to_string(sky.d);
      struct Group {
        int column, top;
        QRgb colour, halo;
      };
      for (const Group g : {Group{visibleColumn, sky.d >= 0 ? 20 : 270, map_colour::kVisibleText,
                                  map_colour::kInvisibleText},
                            Group{oppositeColumn, sky.d > 0 ? 270 : 20, map_colour::kInvisibleText,
                                  map_colour::kVisibleText}}) {
        WorldMapInputs own = in;
        own.map = Flat(g.colour);
        own.dark = Flat(g.colour);
        const HaloCheck c = CheckHalo(image, RenderWorldMap(own, drawing), scale, g.column, g.top, g.colour, g.halo);
        const std::string what = where + (g.colour == map_colour::kVisibleText ? ", black text" : ", white text");
        EXPECT_GT(c.letterPixels, 150 * scale * scale) << what;
        EXPECT_GT(c.ring, 300 * scale) << what;
        EXPECT_EQ(c.showGround, 0) << what << ": the ground shows at " << c.showGround << " of " << c.ring;
        EXPECT_GT(c.haloColoured * 2, c.ring) << what << ": " << c.haloColoured << " of " << c.ring;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(FourMaps, ShippedMapTexts, ::testing::Range(0, kMapPictureCount), [](const auto& row) {
  return std::string(kMapPictureNames[static_cast<std::size_t>(row.param)].item);
});

}  // namespace
}  // namespace varomintel
