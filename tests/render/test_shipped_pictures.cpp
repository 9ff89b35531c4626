// The pictures in data/: what the main window relies on when it loads and composes them.
// Maps: 680 x 340, equirectangular from 180 deg W at column 0 and the north pole at row 0;
// the darkened twins darker, stored with 32 bits per pixel, with pure black only in the
// bottom-left pixel. Moon pictures: a disc of diameter N - 2 in the top-left square of
// N - 1 pixels, north up, nothing pure black inside the disc.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <cmath>
#include <string>

#include "render/dark_map.h"
#include "bmp_header.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

using testing::ReadBmpHeader;
using testing::ReadBytes;

const char* const kMaps[] = {"bluemarble_680x340", "demis_world_680x340", "world_politisch_680x340",
                             "world_white_680x340"};

std::string DataPath(const std::string& name) { return testing::DataDir() + "/" + name; }

QImage Load(const std::string& name) { return QImage(QString::fromStdString(DataPath(name))); }

// The pixel that holds latitude `lat` (north positive) and east longitude `lon`, degrees.
QPoint MapPixel(double lat, double lon) {
  return {static_cast<int>(std::floor(340.0 + lon * 340.0 / 180.0)),
          std::min(339, static_cast<int>(std::floor(170.0 - lat * 170.0 / 90.0)))};
}

// Open sea is blue-dominated in every map; land, ice and borders are not.
bool SeaLike(QRgb c) { return qBlue(c) > qRed(c) + 12 && qBlue(c) >= qGreen(c); }

int Sum(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c); }

struct Place {
  const char* name;
  double lat, lon;
};

const Place kLand[] = {
    {"Basel", 47.5, 7.5},
    {"Congo basin", 0.0, 20.0},
    {"Kansas", 40.0, -100.0},
    {"central Australia", -25.0, 135.0},
    {"Antarctica at 0 deg", -80.0, 0.0},
    {"Chukotka east of 180 deg", 67.0, -178.0},
    {"south pole, west edge", -89.9, -179.9},
    {"south pole, east edge", -89.9, 179.9},
};

const Place kSea[] = {
    {"equatorial Atlantic", 0.0, -30.0},
    {"central Pacific", 0.0, -160.0},
    {"South Pacific near 180 deg", -30.0, -170.0},
    {"Indian Ocean", -40.0, 90.0},
    {"Southern Ocean", -60.0, 0.0},
    {"North Atlantic", 30.0, -40.0},
};

TEST(ShippedMaps, AllEightLoadAtTheirSize) {
  for (const char* map : kMaps)
    for (const char* suffix : {"", "_dark"}) {
      const std::string name = std::string(map) + suffix + ".bmp";
      const QImage image = Load(name);
      ASSERT_FALSE(image.isNull()) << name;
      EXPECT_EQ(image.size(), QSize(680, 340)) << name;
    }
}

TEST(ShippedMaps, KnownPlacesLandWhereTheyShould) {
  for (const char* map : kMaps) {
    const QImage image = Load(std::string(map) + ".bmp");
    ASSERT_FALSE(image.isNull()) << map;
    for (const Place& p : kLand)
      EXPECT_FALSE(SeaLike(image.pixel(MapPixel(p.lat, p.lon)))) << map << ": " << p.name << " is not land";
    for (const Place& p : kSea)
      EXPECT_TRUE(SeaLike(image.pixel(MapPixel(p.lat, p.lon)))) << map << ": " << p.name << " is not sea";
  }
}

TEST(ShippedMaps, WhiteMapIsWhiteLandOnTintedSea) {
  const QImage white = Load("world_white_680x340.bmp");
  EXPECT_EQ(white.pixel(MapPixel(47.5, 7.5)), qRgb(255, 255, 255));
  EXPECT_EQ(white.pixel(MapPixel(0.0, -30.0)), qRgb(206, 226, 242));
}

// Rings joined across +-180 deg, drawn naively, give rows of land across the oceans;
// Antarctica drawn without regard to its ring round the pole comes out as sea.
TEST(ShippedMaps, NoStreaksAcrossTheMapAndAntarcticaReachesThePole) {
  const QImage white = Load("world_white_680x340.bmp");
  const QRgb land = qRgb(255, 255, 255);
  for (int row = MapPixel(75.0, 0).y(); row <= MapPixel(-60.0, 0).y(); ++row) {
    int sea = 0;
    for (int x = 0; x < 680; ++x) sea += SeaLike(white.pixel(x, row));
    EXPECT_GT(sea, 680 / 10) << "row " << row << " is nearly all land";
  }
  for (int row = MapPixel(-87.0, 0).y(); row < 340; ++row)
    for (int x = 0; x < 680; ++x) ASSERT_EQ(white.pixel(x, row), land) << "Antarctica: column " << x << " row " << row;
}

TEST(ShippedMaps, PoliticalMapGivesNeighboursDifferentColoursAndDrawsBorders) {
  const QImage political = Load("world_politisch_680x340.bmp");
  const auto at = [&](double lat, double lon) { return political.pixel(MapPixel(lat, lon)); };
  const struct {
    Place a, b;
  } neighbours[] = {
      {{"France", 46.5, 2.5}, {"Germany", 51.0, 10.0}},
      {{"France", 46.5, 2.5}, {"Spain", 40.0, -3.7}},
      {{"Germany", 51.0, 10.0}, {"Poland", 52.0, 19.5}},
      {{"United States", 40.0, -100.0}, {"Canada", 56.0, -100.0}},
      {{"Brazil", -10.0, -50.0}, {"Argentina", -35.0, -65.0}},
  };
  for (const auto& n : neighbours) {
    EXPECT_FALSE(SeaLike(at(n.a.lat, n.a.lon))) << n.a.name;
    EXPECT_NE(at(n.a.lat, n.a.lon), at(n.b.lat, n.b.lon)) << n.a.name << " and " << n.b.name;
  }
  // The border of the United States and Canada along 49 deg N: a dark line at 100 deg W.
  const QPoint border = MapPixel(49.0, -100.0);
  int darkest = 765;
  for (int dy = -2; dy <= 2; ++dy) darkest = std::min(darkest, Sum(political.pixel(border.x(), border.y() + dy)));
  EXPECT_LT(darkest, 400);
}

TEST(ShippedDarkMaps, ThirtyTwoBitsWithOnePureBlackPixelAtTheBottomLeft) {
  for (const char* map : kMaps) {
    const std::string name = std::string(map) + "_dark.bmp";
    const auto header = ReadBmpHeader(ReadBytes(DataPath(name)));
    ASSERT_TRUE(header.ok) << name;
    EXPECT_EQ(header.bitsPerPixel, 32) << name;
    const QImage image = Load(name);
    ASSERT_EQ(image.size(), QSize(680, 340)) << name;
    int black = 0;
    for (int y = 0; y < 340; ++y)
      for (int x = 0; x < 680; ++x)
        if ((image.pixel(x, y) & 0xFFFFFFu) == 0) {
          ++black;
          EXPECT_EQ(QPoint(x, y), QPoint(0, 339)) << name;
        }
    EXPECT_EQ(black, 1) << name;
    // Prepared already: the dark-map tool would change nothing.
    EXPECT_EQ(MarkTransparentCorner(image), image.convertToFormat(QImage::Format_RGB32)) << name;
  }
}

TEST(ShippedDarkMaps, AreTheSameMapsInDarkerColours) {
  for (const char* map : kMaps) {
    const QImage bright = Load(std::string(map) + ".bmp");
    const QImage dark = Load(std::string(map) + "_dark.bmp");
    ASSERT_EQ(bright.size(), dark.size()) << map;
    double brightSum = 0, darkSum = 0, products = 0, brightSquares = 0, darkSquares = 0;
    int brighter = 0;
    for (int y = 0; y < 340; ++y)
      for (int x = 0; x < 680; ++x) {
        const int b = Sum(bright.pixel(x, y)), d = Sum(dark.pixel(x, y));
        brighter += d > b + 3;
        brightSum += b;
        darkSum += d;
        products += double(b) * d;
        brightSquares += double(b) * b;
        darkSquares += double(d) * d;
      }
    EXPECT_EQ(brighter, 0) << map << ": pixels brighter in the darkened twin";
    EXPECT_LT(darkSum, 0.5 * brightSum) << map;
    // Same picture: the brightness of the two is strongly correlated, pixel by pixel.
    const double n = 680.0 * 340.0;
    const double cov = products / n - (brightSum / n) * (darkSum / n);
    const double varB = brightSquares / n - (brightSum / n) * (brightSum / n);
    const double varD = darkSquares / n - (darkSum / n) * (darkSum / n);
    EXPECT_GT(cov / std::sqrt(varB * varD), 0.95) << map;
  }
}

class ShippedMoon : public ::testing::TestWithParam<int> {};

TEST_P(ShippedMoon, DiscOfDiameterNMinusTwoInTheTopLeftSquare) {
  const int n = GetParam();
  const std::string name = "mond" + std::to_string(n) + ".bmp";
  const QImage moon = Load(name);
  ASSERT_FALSE(moon.isNull()) << name;
  ASSERT_EQ(moon.size(), QSize(n, n)) << name;
  const int d = n - 2;
  const double h = d / 2.0;  // the disc the shadow diagram copies: (u - h)^2 + (v - h)^2 < h^2
  int blackInDisc = 0, litOutside = 0;
  for (int v = 0; v < n; ++v)
    for (int u = 0; u < n; ++u) {
      const bool black = (moon.pixel(u, v) & 0xFFFFFFu) == 0;
      const double r2 = (u - h) * (u - h) + (v - h) * (v - h);
      if (r2 < h * h) blackInDisc += black;
      if (r2 > (h + 1) * (h + 1) || u == n - 1 || v == n - 1) litOutside += !black;
    }
  EXPECT_EQ(blackInDisc, 0) << name;
  EXPECT_EQ(litOutside, 0) << name;
  // Across the middle row the lit pixels span the diameter.
  int first = n, last = -1;
  const int mid = static_cast<int>(std::lround(h));
  for (int u = 0; u < n; ++u)
    if ((moon.pixel(u, mid) & 0xFFFFFFu) != 0) {
      first = std::min(first, u);
      last = std::max(last, u);
    }
  EXPECT_LE(first, 1) << name;
  EXPECT_GE(last, d - 1) << name;
  EXPECT_LE(last, d) << name;
}

// Mean grey of the disc pixels at a distance from (cx, cy) within [r0, r1), index units.
double MeanGrey(const QImage& moon, double cx, double cy, double r0, double r1) {
  double sum = 0;
  int count = 0;
  for (int v = 0; v < moon.height(); ++v)
    for (int u = 0; u < moon.width(); ++u) {
      const double r = std::hypot(u - cx, v - cy);
      if (r >= r0 && r < r1) {
        sum += qGray(moon.pixel(u, v));
        ++count;
      }
    }
  return count ? sum / count : 0;
}

TEST_P(ShippedMoon, NorthUpWithMareCrisiumOnTheRight) {
  const int n = GetParam();
  const QImage moon = Load("mond" + std::to_string(n) + ".bmp");
  ASSERT_FALSE(moon.isNull());
  const double h = (n - 2) / 2.0;
  // Mare Crisium, 17 deg N 59 deg E: a dark oval ringed by bright highland, seen right
  // of centre and above it. At the mirror position lies the even dark of Procellarum.
  const double lat = 17.0 * M_PI / 180.0, lon = 59.0 * M_PI / 180.0;
  const double x = std::cos(lat) * std::sin(lon), y = std::sin(lat);
  const auto contrast = [&](double sx) {
    const double cx = h + sx * h, cy = h - y * h;
    return MeanGrey(moon, cx, cy, 0.12 * h, 0.2 * h) - MeanGrey(moon, cx, cy, 0.0, 0.06 * h);
  };
  EXPECT_GT(contrast(x), 12.0) << "no dark Crisium right of centre";
  EXPECT_LT(contrast(-x), 12.0);
  // The maria lie mostly on the northern half; the southern highlands are brighter.
  EXPECT_LT(MeanGrey(moon, h, h - 0.5 * h, 0, 0.4 * h), MeanGrey(moon, h, h + 0.5 * h, 0, 0.4 * h));
}

INSTANTIATE_TEST_SUITE_P(AllSizes, ShippedMoon, ::testing::Range(70, 93));

}  // namespace
}  // namespace varomintel
