// The sky at a place, read back from the PNG: the Moon's disc lies where its apparent
// altitude and azimuth put it, by the projection that the picture's own text chunks state.
// The contact time labels lie within the sky above the compass row, none meeting the
// Moon's path or another label.
// The shipped catalogue's total eclipse of 2022-11-08 from places between 70 degrees south
// and 70 degrees north, with the Moon rising, setting, low, high and near the zenith, at
// scales 1 and 2.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QLineF>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <string>

#include "astro/delta_t.h"
#include "astro/trig_func.h"
#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "eclipse/elements.h"
#include "places/sky_panorama.h"
#include "render/moon_pictures.h"
#include "render/sky_view.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

constexpr int kEclipse2022Nov08 = 16921;

struct SkyRow {
  const char* name;
  double latitudeDeg;
  double hourAngleAtMaxDeg;  // the shadow axis's local hour angle at greatest eclipse
  double hoursFromMax;       // the shown instant
  double scale;
  // What the row is for: the Moon's apparent altitude at the shown instant lies in
  // [lowest, highest] degrees, and it rises (hour angle < 0) or sets.
  double lowestDeg, highestDeg;
};

const SkyRow kRows[] = {
    {"Equator_rising_low", 0, -80, 0, 1, 2, 15},
    {"Equator_setting_low", 0, 80, 0.5, 2, 0, 10},
    {"Tropic_near_zenith", 17, 0, 0, 1, 85, 90},
    {"Tropic_near_zenith_scale2", 17, 3, 0, 2, 80, 90},
    {"Basel_setting", 47.5, 60, -1, 1, 30, 45},
    {"Oslo_rising", 60, -80, 0, 2, 3, 25},
    {"Arctic70_south_high", 70, 0, 0.3, 1, 30, 40},
    {"Sydney_rising", -33.9, -60, -0.7, 1, 3, 15},
    {"Santiago_setting", -33.4, 75, 0, 2, 0, 15},
    {"Antarctic70_low_north", -70, 0, -1.2, 1, 0, 6},
};

class SkyViewMoon : public ::testing::TestWithParam<SkyRow> {};

// True when a segment of `line` has a point within `box` (edges included).
bool PathMeets(const QPolygonF& line, const QRectF& box) {
  for (qsizetype i = 0; i + 1 < line.size(); ++i) {
    // The segment sampled every tenth of a pixel: nothing of it between two samples can
    // reach into a box without a sample on the box's edge band of that width.
    const QLineF segment(line[i], line[i + 1]);
    const int n = std::max(1, static_cast<int>(std::ceil(segment.length() * 10)));
    for (int k = 0; k <= n; ++k)
      if (box.adjusted(-0.05, -0.05, 0.05, 0.05).contains(segment.pointAt(static_cast<double>(k) / n))) return true;
  }
  return false;
}

double ChunkNumber(const QImage& image, const char* key) {
  bool ok = false;
  const double value = image.text(QString::fromLatin1(key)).toDouble(&ok);
  EXPECT_TRUE(ok) << "chunk " << key << " is '" << image.text(QString::fromLatin1(key)).toStdString() << "'";
  return value;
}

TEST_P(SkyViewMoon, DiscSitsAtItsAltitudeAndAzimuth) {
  const SkyRow& row = GetParam();
  const CatalogueLoad load = LoadCatalogue(testing::DataDir() + "/" + std::string(kCatalogueFileName));
  ASSERT_TRUE(load.catalogue.Contains(kEclipse2022Nov08));
  EclipseRecord r = load.catalogue.At(kEclipse2022Nov08);
  const double deltaT = DeltaT(r.Year, r.Month);
  const CircumstancesResult c = ComputeCircumstances(r, deltaT);
  r.EclipseType = c.type;
  // The longitude that puts the shadow axis at the row's hour angle at greatest eclipse.
  const double tMax = c.circumstances.TimeMax;
  const double axisM = EvaluateElements(r, tMax, deltaT).M * RadToDeg;
  const double longitude = std::remainder(row.hourAngleAtMaxDeg - axisM, 360.0);
  const Observer observer{row.latitudeDeg, longitude, 0};
  const SkyPanorama panorama = SkyPanoramaOf(r, deltaT, observer);
  ASSERT_TRUE(panorama.eclipse);
  const double t = tMax + row.hoursFromMax;
  const SkyScene scene = SkySceneOf(r, panorama, t, true, 0, 1, "");
  const LocalSkyAt moon = SkyAt(r, deltaT, observer, t);
  ASSERT_GE(moon.moonApparentAltitudeDeg, row.lowestDeg);
  ASSERT_LE(moon.moonApparentAltitudeDeg, row.highestDeg);

  const MoonPictures pictures = MoonPictures::Load(testing::DataDir() + "/");
  ASSERT_EQ(pictures.Count(), kLastMoonPicture - kFirstMoonPicture + 1);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  SkyViewLayout placed;
  ASSERT_TRUE(DrawSkyView(scene, pictures, row.scale, &placed).save(&buffer, "PNG"));
  QImage image;
  ASSERT_TRUE(image.loadFromData(png, "PNG"));
  image = image.convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(image.width(), std::lround(1040 * row.scale));

  const double left = ChunkNumber(image, "azimuth_left_deg"), right = ChunkNumber(image, "azimuth_right_deg");
  const double top = ChunkNumber(image, "altitude_top_deg"), bottom = ChunkNumber(image, "altitude_bottom_deg");
  EXPECT_EQ(image.text("time_utc").size(), 20) << image.text("time_utc").toStdString();
  EXPECT_NEAR(ChunkNumber(image, "latitude_deg"), row.latitudeDeg, 1e-6);
  EXPECT_NEAR(ChunkNumber(image, "longitude_deg"), longitude, 1e-6);
  ASSERT_GT(right, left);
  ASSERT_LE(right - left, 360);
  // The frame holds the Moon with the margins of the panorama: 60 degrees either side, the
  // horizon 5 degrees up from the bottom, the top above the Moon.
  EXPECT_EQ(bottom, -5);
  EXPECT_GT(top, moon.moonApparentAltitudeDeg);
  double azimuth = moon.moonAzimuthDeg;
  while (azimuth < left) azimuth += 360;
  while (azimuth >= right) azimuth -= 360;
  ASSERT_GE(azimuth, left);
  const double expectedX = image.width() * (azimuth - left) / (right - left);
  const double expectedY = image.height() * (top - moon.moonApparentAltitudeDeg) / (top - bottom);

  // The disc's outline, found by its colour: the centre of its bounding box.
  int minX = image.width(), maxX = -1, minY = image.height(), maxY = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (line[x] == kSkyMoonOutline) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
  }
  ASSERT_GE(maxX, 0) << "no Moon drawn";
  const double diameter = 2 * kSkyMoonRadius * row.scale;
  EXPECT_NEAR(maxX - minX + 1, diameter, 2) << "not one disc";
  EXPECT_NEAR(maxY - minY + 1, diameter, 2) << "not one disc";
  EXPECT_NEAR((minX + maxX + 1) / 2.0, expectedX, 1.0) << "Moon's azimuth " << moon.moonAzimuthDeg;
  EXPECT_NEAR((minY + maxY + 1) / 2.0, expectedY, 1.0) << "Moon's altitude " << moon.moonApparentAltitudeDeg;

  // The contact labels: one per contact the panorama lists, each within the sky above the
  // compass row (whose top lies on the ground), off the path and the other labels.
  std::size_t contacts = 0;
  for (const Contact k : kListContacts) contacts += panorama.view.contacts[k].has_value();
  ASSERT_EQ(placed.contactLabels.size(), contacts);
  ASSERT_GE(contacts, 7u);  // P1, U1, U2, Max, U3, U4, P4 of a total eclipse
  ASSERT_GE(placed.path.size(), 2);
  EXPECT_GT(placed.compassTop, expectedY / row.scale);
  const QRectF sky(0, 0, kSkyViewWidth, placed.compassTop);
  for (std::size_t i = 0; i < placed.contactLabels.size(); ++i) {
    const QRectF& box = placed.contactLabels[i];
    EXPECT_TRUE(sky.contains(box)) << "label " << i << " at " << box.left() << ", " << box.top() << " to "
                                   << box.right() << ", " << box.bottom() << ", compass row from " << placed.compassTop;
    EXPECT_FALSE(PathMeets(placed.path, box)) << "label " << i << " at " << box.left() << ", " << box.top();
    for (std::size_t j = 0; j < i; ++j)
      EXPECT_FALSE(box.intersects(placed.contactLabels[j])) << "labels " << j << " and " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(PlacesAndMoons, SkyViewMoon, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
