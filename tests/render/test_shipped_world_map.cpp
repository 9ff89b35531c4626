// The world map of a real eclipse on the shipped maps against where the Moon really was:
// at greatest eclipse of the total eclipse of 2022 Nov 08 (10:59 UT) the Moon stood over
// the Pacific, up in the western Americas, East Asia and Australia, down in Europe and
// Africa.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <string>

#include "app/world_map_model.h"
#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "render/map_pictures.h"
#include "render/world_map.h"

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
  const CatalogueLoad load = LoadCatalogue(VAROMINTEL_DATA_DIR "/" + std::string(kCatalogueFileName));
  ASSERT_TRUE(load.ok()) << load.Message();
  ASSERT_TRUE(load.catalogue.Contains(k2022Nov08));
  EclipseRecord record = load.catalogue.At(k2022Nov08);
  ASSERT_EQ(record.Year, 2022);
  const CircumstancesResult result = ComputeCircumstances(record, 0.0);
  record.EclipseType = result.type;
  const MapPictures pictures = LoadMapPictures(VAROMINTEL_DATA_DIR);
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

}  // namespace
}  // namespace varomintel
