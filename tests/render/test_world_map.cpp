// The world-map renderer, read back pixel by pixel on flat pictures: where the map stays
// bright, which lines and markers each eclipse type gets, where the texts go, the
// transparent colour of the darkened twin, and the marked place.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <numbers>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "../support/synthetic_eclipse.h"
#include "astro/delta_t.h"
#include "eclipse/circumstances.h"
#include "render/world_map.h"

namespace varomintel {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;

constexpr QRgb kBright = 0xFF285AC8;  // (40, 90, 200)
constexpr QRgb kDark = 0xFF0A1432;    // (10, 20, 50)

QImage Flat(QRgb colour) {
  QImage image(kMapWidth, kMapHeight, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// A darkened twin as the dark-map tool leaves it: pure black only in the bottom-left pixel.
QImage DarkTwin() {
  QImage image = Flat(kDark);
  image.setPixel(0, kMapHeight - 1, qRgb(0, 0, 0));
  return image;
}

QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

std::string Hex(QRgb c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "(%d, %d, %d)", qRed(c), qGreen(c), qBlue(c));
  return buf;
}

// Altitude (degrees) of the body with declination d and Greenwich hour angle M (radians)
// seen from latitude `lat` and east longitude `lon` (degrees): sin h = sin phi sin d +
// cos phi cos d cos H, H = M + lon.
double Altitude(double lat, double lon, double d, double M) {
  const double s = std::sin(lat * kDeg) * std::sin(d) + std::cos(lat * kDeg) * std::cos(d) * std::cos(M + lon * kDeg);
  return std::asin(std::clamp(s, -1.0, 1.0)) / kDeg;
}

WorldMapInputs Inputs(double d, double M) {
  WorldMapInputs in;
  in.map = Flat(kBright);
  in.dark = DarkTwin();
  in.language = 1;
  in.eclipse.type = EclipseTypeCode::PartialPenumbral;
  in.eclipse.at[Contact::Max] = {true, d, M};
  return in;
}

// ---------------------------------------------------------------------------------------
// Bright where the Moon is up at greatest eclipse, dark where it is down.

struct Sky {
  const char* name;
  double d, M;  // radians
};

void PrintTo(const Sky& s, std::ostream* os) { *os << s.name; }

class VisibleRegion : public ::testing::TestWithParam<Sky> {};

TEST_P(VisibleRegion, BrightWhereTheMoonIsUpDarkWhereItIsDown) {
  const Sky& sky = GetParam();
  const QImage image = RenderWorldMap(Inputs(sky.d, sky.M));
  int up = 0, upBright = 0, down = 0, downDark = 0;
  // Every fourth pixel's centre; clearly above or below the horizon (2 deg of margin).
  for (int y = 2; y < kMapHeight; y += 4) {
    for (int x = 2; x < kMapWidth; x += 4) {
      const GeoPoint p = MapPlaceAt(x, y);
      const double h = Altitude(p.latitude, p.longitude, sky.d, sky.M);
      const QRgb c = At(image, x, y);
      if (h > 2) {
        ++up;
        upBright += c == kBright;
        EXPECT_NE(c, kDark) << "Moon up at " << p.latitude << ", " << p.longitude;
      } else if (h < -2) {
        ++down;
        downDark += c == kDark;
        EXPECT_NE(c, kBright) << "Moon down at " << p.latitude << ", " << p.longitude;
      }
    }
  }
  // Texts and the marker cover a few; the rest has the ground of its side.
  EXPECT_GT(up, 1500);
  EXPECT_GT(down, 1500);
  EXPECT_GT(upBright, up * 9 / 10);
  EXPECT_GT(downDark, down * 9 / 10);
  // The sub-lunar point itself carries the orange marker; its antipode is dark.
  const SubLunarPoint max{true, sky.d, sky.M};
  EXPECT_EQ(At(image, MapPixel(max.Column()), MapPixel(max.Row())), map_colour::kGreatestFill);
  const int antipodeX = (MapPixel(max.Column()) + 340) % kMapWidth;
  const int antipodeY = std::clamp(MapPixel(340 - max.Row()), 0, kMapHeight - 1);
  EXPECT_EQ(At(image, antipodeX, antipodeY), kDark) << Hex(At(image, antipodeX, antipodeY));
}

INSTANTIATE_TEST_SUITE_P(
    Skies, VisibleRegion,
    ::testing::Values(Sky{"total_2022_Nov_08", 0.29024331608132486, 2.9473497569333706},  // over the Pacific
                      Sky{"south_over_Africa", -0.35, -0.4},
                      Sky{"near_the_date_line", 0.1, -3.1},
                      Sky{"declination_zero", 0.0, 0.5},
                      Sky{"declination_minus_zero", -0.0, -1.2},
                      Sky{"high_north", 0.45, 1.5}),
    [](const auto& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------------------------------
// Lines and markers by type. Every contact has d = 20 deg and its own hour angle, so that
// each horizon line crosses the equator at its own column (w = M + 90 deg) and each
// marker sits at its own place.

constexpr double kContactDeclination = 20 * kDeg;
double ContactHourAngle(Contact c) {
  switch (c) {
    case Contact::P1: return -35 * kDeg;
    case Contact::P2: return -25 * kDeg;
    case Contact::U1: return -15 * kDeg;
    case Contact::U2: return -5 * kDeg;
    case Contact::Max: return 0;
    case Contact::U3: return 5 * kDeg;
    case Contact::U4: return 15 * kDeg;
    case Contact::P3: return 25 * kDeg;
    case Contact::P4: return 35 * kDeg;
  }
  return 0;
}

struct TypeCase {
  const char* name;
  EclipseTypeCode type;
  std::set<Contact> occurring;       // besides Max
  std::set<Contact> lines;           // horizon lines expected (besides Max)
  std::set<Contact> markers;         // contact markers expected
};

const std::vector<Contact> kAllContacts = {Contact::P1, Contact::P2, Contact::U1, Contact::U2,
                                           Contact::U3, Contact::U4, Contact::P3, Contact::P4};

QRgb LineColour(Contact c) {
  if (c == Contact::U1 || c == Contact::U4) return map_colour::kUmbraLine;
  if (c == Contact::U2 || c == Contact::U3) return map_colour::kTotalityLine;
  return map_colour::kPenumbraLine;
}
QRgb MarkerOutline(Contact c) {
  return c == Contact::P1 || c == Contact::P2 || c == Contact::P3 || c == Contact::P4 ? map_colour::kPenumbraLine
                                                                                       : map_colour::kTotalityLine;
}

void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.name; }

class ContactsByType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(ContactsByType, DrawsTheLinesAndMarkersOfItsType) {
  const TypeCase& tc = GetParam();
  WorldMapInputs in = Inputs(kContactDeclination, 0);
  in.eclipse.type = tc.type;
  for (const Contact c : tc.occurring) in.eclipse.at[c] = {true, kContactDeclination, ContactHourAngle(c)};
  const QImage image = RenderWorldMap(in);

  for (const Contact c : kAllContacts) {
    // The line's equator crossing.
    const int x = MapPixel(340 - (ContactHourAngle(c) / kDeg + 90) * 340 / 180);
    const QRgb onLine = At(image, x, 170);
    if (tc.lines.count(c)) EXPECT_EQ(onLine, LineColour(c)) << ContactName(c) << " line at column " << x;
    else EXPECT_NE(onLine, LineColour(c)) << ContactName(c) << " line drawn at column " << x;

    // The marker: black fill in the middle, a ring of its outline colour around it.
    const SubLunarPoint p{true, kContactDeclination, ContactHourAngle(c)};
    const int cx = MapPixel(p.Column()), cy = MapPixel(p.Row());
    int ring = 0;
    for (int y = cy - 6; y <= cy + 6; ++y)
      for (int xx = cx - 6; xx <= cx + 6; ++xx) ring += At(image, xx, y) == MarkerOutline(c);
    if (tc.markers.count(c)) {
      EXPECT_EQ(At(image, cx, cy), map_colour::kMarkerFill) << ContactName(c) << " marker";
      EXPECT_GE(ring, 12) << ContactName(c) << " marker outline";
    } else {
      EXPECT_EQ(At(image, cx, cy), kBright) << ContactName(c) << " marker drawn";
      EXPECT_EQ(ring, 0) << ContactName(c) << " marker outline drawn";
    }
  }
  // Greatest eclipse: its black line (equator crossing at w = 90 deg) and its orange disc
  // with the dark red outline, always.
  EXPECT_EQ(At(image, 170, 170), map_colour::kGreatestLine);
  const SubLunarPoint max{true, kContactDeclination, 0};
  EXPECT_EQ(At(image, MapPixel(max.Column()), MapPixel(max.Row())), map_colour::kGreatestFill);
  EXPECT_EQ(At(image, MapPixel(max.Column()) + 6, MapPixel(max.Row())), map_colour::kGreatestOutline);
}

using C = Contact;
INSTANTIATE_TEST_SUITE_P(
    Types, ContactsByType,
    ::testing::Values(
        TypeCase{"partial_penumbral", EclipseTypeCode::PartialPenumbral, {C::P1, C::P4}, {C::P1, C::P4}, {C::P1, C::P4}},
        TypeCase{"complete_penumbral", EclipseTypeCode::CompletePenumbral, {C::P1, C::P2, C::P3, C::P4},
                 {C::P1, C::P2, C::P3, C::P4}, {C::P1, C::P2, C::P3, C::P4}},
        // The Moon passes wholly into the penumbra before it touches the umbra: P2 and P3
        // occur, but an umbral eclipse shows neither their lines nor their markers.
        TypeCase{"partial_umbral", EclipseTypeCode::PartialUmbral, {C::P1, C::P2, C::U1, C::U4, C::P3, C::P4},
                 {C::P1, C::P4, C::U1, C::U4}, {C::P1, C::P4, C::U1, C::U4}},
        TypeCase{"total", EclipseTypeCode::Total, {C::P1, C::P2, C::U1, C::U2, C::U3, C::U4, C::P3, C::P4},
                 {C::P1, C::P4, C::U1, C::U4, C::U2, C::U3}, {C::P1, C::P4, C::U1, C::U4, C::U2, C::U3}},
        TypeCase{"total_central", EclipseTypeCode::TotalCentral, {C::P1, C::P2, C::U1, C::U2, C::U3, C::U4, C::P3, C::P4},
                 {C::P1, C::P4, C::U1, C::U4, C::U2, C::U3}, {C::P1, C::P4, C::U1, C::U4, C::U2, C::U3}},
        // A contact that does not occur gets nothing, whatever the type says.
        TypeCase{"total_without_U2", EclipseTypeCode::Total, {C::P1, C::U1, C::U4, C::P4},
                 {C::P1, C::P4, C::U1, C::U4}, {C::P1, C::P4, C::U1, C::U4}}),
    [](const auto& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------------------------------
// The texts: centred near the sub-lunar point (held off the edges) and at its antipode.

struct TextCase {
  const char* name;
  double d, M;
  int visibleColumn, visibleTop;      // "All / Eclipse / Visible", black
  int invisibleColumn, invisibleTop;  // "No / Eclipse / Visible", white
};

// The box of the pixels of one colour within columns [x0, x1) and rows [y0, y1).
QRect Box(const QImage& image, QRgb colour, int x0, int x1, int y0, int y1) {
  QRect box;
  for (int y = std::max(0, y0); y < std::min(kMapHeight, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(kMapWidth, x1); ++x)
      if (At(image, x, y) == colour) box |= QRect(x, y, 1, 1);
  return box;
}

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class MapTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(MapTexts, StandCentredAtTheSubLunarPointAndItsAntipode) {
  const TextCase& tc = GetParam();
  const QImage image = RenderWorldMap(Inputs(tc.d, tc.M));
  const QRect black = Box(image, map_colour::kVisibleText, tc.visibleColumn - 90, tc.visibleColumn + 90,
                          tc.visibleTop, tc.visibleTop + 52);
  ASSERT_FALSE(black.isNull());
  EXPECT_NEAR(black.center().x(), tc.visibleColumn, 5);
  EXPECT_GE(black.top(), tc.visibleTop);
  EXPECT_GT(black.height(), 40);  // three lines
  // The black group's halo is white as well: the white group is sought in its own rows.
  const QRect white = Box(image, map_colour::kInvisibleText, 0, kMapWidth, tc.invisibleTop - 10, tc.invisibleTop + 62);
  ASSERT_FALSE(white.isNull());
  EXPECT_NEAR(white.center().x(), tc.invisibleColumn, 5);
  EXPECT_GE(white.top(), tc.invisibleTop);
  EXPECT_LT(white.bottom(), tc.invisibleTop + 52);
}

INSTANTIATE_TEST_SUITE_P(
    Places, MapTexts,
    ::testing::Values(
        // Sub-lunar point at column 340: both groups centred where they belong.
        TextCase{"greenwich_north", 0.3, 0.0, 340, 20, 50, 270},  // antipode at column 0, held at 50
        TextCase{"south", -0.3, 1.0, MapPixel(340 - 340 / kPi), 270, MapPixel(340 - 340 / kPi) + 340, 20},
        // Near the date line in the west (column 675.5): the first group is held at 628,
        // the second wraps round to column 335.5.
        TextCase{"date_line_west", 0.2, -3.1, 628, 20, 335, 270},
        // ... and in the east (column 4.5): held at 50, the second wraps to column 345.
        TextCase{"date_line_east", 0.2, 3.1, 50, 20, 345, 270}),
    [](const auto& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------------------------------
// The transparent colour, missing pictures and the marked place.

TEST(WorldMap, PureBlackInTheDarkTwinShowsTheBrightMapNearBlackDoesNot) {
  WorldMapInputs in = Inputs(0.3, 0.0);  // Moon over Greenwich: the Pacific is dark
  const int x = MapPixel(MapColumn(-160)), y = MapPixel(MapRow(-10));
  for (int dy = 0; dy < 3; ++dy)
    for (int dx = 0; dx < 3; ++dx) {
      in.dark.setPixel(x + dx, y + dy, qRgb(0, 0, 0));
      in.dark.setPixel(x + dx, y + 10 + dy, qRgb(1, 1, 1));
    }
  const QImage image = RenderWorldMap(in);
  EXPECT_EQ(At(image, x + 1, y + 1), kBright);
  EXPECT_EQ(At(image, x + 1, y + 11), qRgb(1, 1, 1));
  EXPECT_EQ(At(image, x + 1, y + 20), kDark);
}

TEST(WorldMap, MissingPicturesGiveAPlainGroundAndADarkenedTwin) {
  WorldMapInputs in = Inputs(0.3, 0.0);
  in.dark = QImage();
  const QImage darkened = RenderWorldMap(in);
  const int px = MapPixel(MapColumn(-160)), py = MapPixel(MapRow(-10));  // Moon down
  EXPECT_EQ(At(darkened, px, py), qRgb(40 * 45 / 100, 90 * 45 / 100, 200 * 45 / 100));
  EXPECT_EQ(At(darkened, MapPixel(MapColumn(20)), MapPixel(MapRow(-30))), kBright);  // Moon up
  in.map = QImage();
  const QImage plain = RenderWorldMap(in);
  EXPECT_EQ(plain.size(), QSize(kMapWidth, kMapHeight));
  EXPECT_NE(At(plain, px, py), At(plain, MapPixel(MapColumn(20)), MapPixel(MapRow(-30))));
}

struct PlaceCase {
  const char* name;
  GeoPoint place;
  std::vector<QPoint> green;  // pixels of the disc (its copy across the edge included)
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

class MarkedPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(MarkedPlace, IsAGreenDiscWithABlackOutline) {
  const PlaceCase& tc = GetParam();
  WorldMapInputs in = Inputs(0.3, 2.0);
  const QImage without = RenderWorldMap(in);
  in.pointOfInterest = tc.place;
  const QImage with = RenderWorldMap(in);
  for (const QPoint& p : tc.green) {
    EXPECT_EQ(At(with, p.x(), p.y()), map_colour::kPlaceFill) << p.x() << ", " << p.y();
    EXPECT_NE(At(without, p.x(), p.y()), map_colour::kPlaceFill);
  }
  // The black outline above the centre, five pixels out.
  const QPoint c = tc.green.front();
  int outline = 0;
  for (int y = c.y() - 6; y <= c.y() - 4; ++y) outline += At(with, c.x(), y) == map_colour::kPlaceOutline;
  EXPECT_GE(outline, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Places, MarkedPlace,
    ::testing::Values(PlaceCase{"basel", {47.5, 7.5}, {{354, 80}, {352, 78}, {356, 82}}},
                      PlaceCase{"south_west", {-33.9, -70.6}, {{207, 234}}},
                      // 179 deg E is column 678: the disc reaches over the edge to column 0.
                      PlaceCase{"across_the_date_line", {0.0, 179.0}, {{678, 170}, {0, 170}}}),
    [](const auto& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------------------------------
// The band of the horizon lines where Delta T is uncertain by more than five minutes at
// 2 sigma: drawn for an ancient eclipse along the lines at Delta T -+ 2 sigma, absent for
// one whose Delta T is known (a modern eclipse, or one of the year 1000 with 2 sigma of
// under two minutes).

struct BandCase {
  const char* name;
  int year;
  bool band;
};
void PrintTo(const BandCase& c, std::ostream* os) { *os << c.name; }

class HorizonBand : public ::testing::TestWithParam<BandCase> {};

// The colours of the band's edges: the lines' colours halfway to white.
const std::set<QRgb> kBandColours = {qRgb(255, 255, 128), qRgb(255, 176, 128), qRgb(255, 128, 128),
                                     qRgb(128, 128, 128)};

TEST_P(HorizonBand, LiesAlongTheLinesAtTwoSigmaOnlyWhereDeltaTIsUncertain) {
  const BandCase& row = GetParam();
  EclipseRecord record = testing::LinearEclipse::Passing(1200).Record(row.year, 3, 19, 18);
  const CircumstancesResult result = ComputeCircumstances(record, 0.0);
  record.EclipseType = result.type;
  const double model = DeltaT(record.Year, record.Month), sigma = DeltaTSigma(record.Year, record.Month);

  WorldMapInputs in;
  in.map = Flat(kBright);
  in.dark = DarkTwin();
  in.eclipse = WorldMapEclipseOf(record, result.circumstances, model);
  in.eclipse.band = HorizonBandOf(record, result.circumstances, model, sigma);
  ASSERT_EQ(in.eclipse.band.has_value(), row.band) << "2 sigma = " << 2 * sigma << " s";
  const QImage image = RenderWorldMap(in);
  WorldMapInputs plain = in;
  plain.eclipse.band.reset();
  const QImage without = RenderWorldMap(plain);

  int bandPixels = 0;
  for (int y = 0; y < kMapHeight; ++y)
    for (int x = 0; x < kMapWidth; ++x) {
      const QRgb c = At(image, x, y);
      if (c == At(without, x, y)) continue;
      EXPECT_TRUE(kBandColours.count(c)) << x << "," << y << " " << Hex(c);  // the band adds its edges only
      ++bandPixels;
    }
  if (!row.band) {
    EXPECT_EQ(bandPixels, 0);
    return;
  }
  // The edges follow the first contact's lines at Delta T -+ 2 sigma, dashed: of the points of
  // each line, more than a third have a pixel of its edge colour within one pixel.
  for (const auto* edge : {&in.eclipse.band->low, &in.eclipse.band->high}) {
    const SubLunarPoint& at = (*edge)[Contact::P1];
    int points = 0, inked = 0;
    for (int w = -180; w <= 180; ++w) {
      const int x = MapPixel(340 - w * 340.0 / 180), y = MapPixel(MapRow(HorizonLatitude(w, at.d, at.M)));
      if (x < 1 || x > kMapWidth - 2 || y < 1 || y > kMapHeight - 2) continue;
      bool ink = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) ink = ink || At(image, x + dx, y + dy) == qRgb(255, 255, 128);
      ++points;
      inked += ink;
    }
    ASSERT_GT(points, 100);
    EXPECT_GT(inked * 3, points) << inked << " of " << points;
  }
}

INSTANTIATE_TEST_SUITE_P(WorldMap, HorizonBand,
                         ::testing::Values(BandCase{"ancient", -720, true}, BandCase{"remote_past", -4000, true},
                                           BandCase{"year_1000", 1000, false}, BandCase{"modern", 2022, false}),
                         [](const ::testing::TestParamInfo<BandCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
