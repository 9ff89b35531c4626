// The point of interest's entry rule and texts, and the world map's grid, horizon line
// and sub-lunar points, without pictures or widgets.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <ostream>
#include <string>

#include "../support/synthetic_eclipse.h"
#include "app/point_of_interest.h"
#include "app/world_map_model.h"
#include "eclipse/circumstances.h"
#include "eclipse/elements.h"

namespace varomintel {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;

// ---------------------------------------------------------------------------------------
// The entry rule.

struct EntryCase {
  const char* name;
  const char* text;
  double limit;
  bool negative;
  const char* shown;  // the entry's text afterwards
  double value;
  bool refused;
};
void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class PoiEntryRule : public ::testing::TestWithParam<EntryCase> {};

TEST_P(PoiEntryRule, TrimsReadsAndRefuses) {
  const EntryCase& c = GetParam();
  const PoiEntry e = ReadPoiEntry(c.text, c.limit, c.negative);
  EXPECT_EQ(e.text, c.shown);
  EXPECT_EQ(e.value, c.value);
  EXPECT_FALSE(std::signbit(e.value) && e.value == 0) << "no negative zero";
  EXPECT_EQ(e.refused, c.refused);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PoiEntryRule,
    ::testing::Values(EntryCase{"blanks_around", " 12.5 ", 90, false, "12.5", 12.5, false},
                      EntryCase{"south", " 12.5 ", 90, true, "12.5", -12.5, false},
                      EntryCase{"tab_and_blank", "\t30 ", 90, false, "30", 30, false},
                      EntryCase{"beyond_90", "95", 90, false, "", 0, true},
                      EntryCase{"minus", "-3", 90, false, "", 0, true},
                      EntryCase{"plus", "+3", 90, false, "", 0, true},
                      EntryCase{"letters", "abc", 90, false, "", 0, true},
                      EntryCase{"comma", "12,5", 90, false, "", 0, true},
                      EntryCase{"exponent", "1e1", 90, false, "", 0, true},
                      EntryCase{"two_points", "1.2.3", 90, false, "", 0, true},
                      EntryCase{"point_alone", ".", 90, false, "", 0, true},
                      EntryCase{"blank_inside", "12 5", 90, false, "", 0, true},
                      EntryCase{"empty", "", 90, true, "", 0, false},
                      EntryCase{"only_blanks", "   ", 90, false, "", 0, false},
                      EntryCase{"leading_point", ".5", 90, true, ".5", -0.5, false},
                      EntryCase{"trailing_point", "12.", 90, false, "12.", 12, false},
                      EntryCase{"zero_south", "0", 90, true, "0", 0, false},
                      EntryCase{"pole_south", "90", 90, true, "90", -90, false},
                      EntryCase{"longitude_180", "180", 180, false, "180", 180, false},
                      EntryCase{"longitude_180_west", "180", 180, true, "180", -180, false},
                      EntryCase{"longitude_180_01", "180.01", 180, false, "", 0, true},
                      EntryCase{"latitude_90_0001", "90.0001", 90, false, "", 0, true}),
    [](const auto& row) { return std::string(row.param.name); });

struct CoordinateCase {
  const char* text;
  char positive, negative;
  double limit;
  std::optional<double> value;
};
void PrintTo(const CoordinateCase& c, std::ostream* os) { *os << c.text; }

class HemisphereCoordinate : public ::testing::TestWithParam<CoordinateCase> {};

TEST_P(HemisphereCoordinate, ReadsDegreesAndTheHemisphereLetter) {
  const CoordinateCase& c = GetParam();
  EXPECT_EQ(ParseHemisphereCoordinate(c.text, c.positive, c.negative, c.limit), c.value);
}

INSTANTIATE_TEST_SUITE_P(Texts, HemisphereCoordinate,
                         ::testing::Values(CoordinateCase{"47.5N", 'N', 'S', 90, 47.5},
                                           CoordinateCase{"33.87S", 'N', 'S', 90, -33.87},
                                           CoordinateCase{"7.5E", 'E', 'W', 180, 7.5},
                                           CoordinateCase{"180W", 'E', 'W', 180, -180},
                                           CoordinateCase{"180.5W", 'E', 'W', 180, std::nullopt},
                                           CoordinateCase{"91N", 'N', 'S', 90, std::nullopt},
                                           CoordinateCase{"-5N", 'N', 'S', 90, std::nullopt},
                                           CoordinateCase{"47.5", 'N', 'S', 90, std::nullopt},
                                           CoordinateCase{"47.5E", 'N', 'S', 90, std::nullopt},
                                           CoordinateCase{"N", 'N', 'S', 90, std::nullopt}));

struct PlaceTextCase {
  const char* name;
  GeoPoint place;
  std::uint8_t language;
  const char* text;
  const char* latitude;
  const char* longitude;
  bool south, west;
};
void PrintTo(const PlaceTextCase& c, std::ostream* os) { *os << c.name; }

class PlaceTexts : public ::testing::TestWithParam<PlaceTextCase> {};

TEST_P(PlaceTexts, OneDecimalAndTheLanguagesLetters) {
  const PlaceTextCase& c = GetParam();
  EXPECT_EQ(CoordinateText(c.place, c.language), c.text);
  const PoiTexts t = PoiTextsFor(c.place);
  EXPECT_EQ(t.latitude, c.latitude);
  EXPECT_EQ(t.longitude, c.longitude);
  EXPECT_EQ(t.south, c.south);
  EXPECT_EQ(t.west, c.west);
}

INSTANTIATE_TEST_SUITE_P(
    Places, PlaceTexts,
    ::testing::Values(PlaceTextCase{"basel_de", {47.5, 7.5}, 0, "47.5°N  7.5°O", "47.5", "7.5", false, false},
                      PlaceTextCase{"basel_en", {47.5, 7.5}, 1, "47.5°N  7.5°E", "47.5", "7.5", false, false},
                      PlaceTextCase{"santiago_de", {-33.87, -70.64}, 0, "33.9°S  70.6°W", "33.9", "70.6", true, true},
                      PlaceTextCase{"santiago_fr", {-33.87, -70.64}, 2, "33.9°S  70.6°O", "33.9", "70.6", true, true},
                      // A value that rounds to 0.0 counts as north and east.
                      PlaceTextCase{"almost_zero", {-0.04, -0.04}, 1, "0.0°N  0.0°E", "0.0", "0.0", false, false},
                      PlaceTextCase{"corner", {-90, -180}, 1, "90.0°S  180.0°W", "90.0", "180.0", true, true}),
    [](const auto& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------------------------------
// The map grid and the horizon line.

TEST(MapGrid, EveryPixelComesBackFromThePlaceItShows) {
  for (int x = 0; x <= kMapWidth; ++x) EXPECT_EQ(MapPixel(MapColumn(MapPlaceAt(x, 0).longitude)), x);
  for (int y = 0; y <= kMapHeight; ++y) EXPECT_EQ(MapPixel(MapRow(MapPlaceAt(0, y).latitude)), y);
  EXPECT_DOUBLE_EQ(MapPlaceAt(0, 0).longitude, -180);
  EXPECT_DOUBLE_EQ(MapPlaceAt(0, 0).latitude, 90);
  EXPECT_DOUBLE_EQ(MapPlaceAt(340, 170).longitude, 0);
  EXPECT_DOUBLE_EQ(MapPlaceAt(680, 340).latitude, -90);
  // Halves go to the even neighbour.
  EXPECT_EQ(MapPixel(4.5), 4);
  EXPECT_EQ(MapPixel(5.5), 6);
  EXPECT_EQ(MapPixel(-335.5), -336);
  EXPECT_EQ(MapPixel(std::nan("")), 0);
}

struct HorizonCase {
  const char* name;
  double d, M;  // radians
};
void PrintTo(const HorizonCase& c, std::ostream* os) { *os << c.name; }

class Horizon : public ::testing::TestWithParam<HorizonCase> {};

// sin h = sin phi sin d + cos phi cos d cos H with H = M - west longitude.
double SinAltitude(double lat, double west, double d, double M) {
  return std::sin(lat * kDeg) * std::sin(d) + std::cos(lat * kDeg) * std::cos(d) * std::cos(M - west * kDeg);
}

TEST_P(Horizon, TheMoonIsOnTheHorizonThereAndUpOnTheSeenSide) {
  const HorizonCase& c = GetParam();
  for (int w = -180; w <= 180; w += 5) {
    const double phi = HorizonLatitude(w, c.d, c.M);
    ASSERT_TRUE(std::isfinite(phi)) << "w = " << w;
    ASSERT_LE(std::fabs(phi), 90.0);
    EXPECT_NEAR(SinAltitude(phi, w, c.d, c.M), 0, 1e-12) << "w = " << w;
    // One degree towards the seen side the Moon is up, one degree away it is down,
    // wherever the line is not at a pole.
    if (std::fabs(phi) < 88) {
      const double toward = SeenFromTheNorth(c.d) ? 1 : -1;
      EXPECT_GT(SinAltitude(phi + toward, w, c.d, c.M), 0) << "w = " << w;
      EXPECT_LT(SinAltitude(phi - toward, w, c.d, c.M), 0) << "w = " << w;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Skies, Horizon,
                         ::testing::Values(HorizonCase{"north", 0.29, 2.95}, HorizonCase{"south", -0.4, -1.0},
                                           HorizonCase{"small", 1e-9, 0.3}, HorizonCase{"small_south", -1e-9, 0.3},
                                           HorizonCase{"edge", 0.1, -kPi}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Horizon, DeclinationZeroIsTheLimitFromTheNorthAndNeverDividesByZero) {
  for (int w = -180; w <= 180; w += 15) {
    for (const double M : {0.0, 0.5, kPi / 2, -3.0}) {
      const double cosH = std::cos(M - w * kDeg);
      const double phi = HorizonLatitude(w, 0.0, M);
      EXPECT_FALSE(std::isnan(phi));
      EXPECT_EQ(HorizonLatitude(w, -0.0, M), phi);
      if (std::fabs(cosH) > 1e-6) {
        // Up on the whole meridian where the Moon is less than 90 deg from it (-90: the
        // seen part runs from the north pole down to the south pole), nowhere elsewhere.
        EXPECT_EQ(phi, cosH > 0 ? -90 : 90) << "w = " << w << ", M = " << M;
        EXPECT_NEAR(HorizonLatitude(w, 1e-12, M), phi, 1e-6);
      }
    }
  }
}

// ---------------------------------------------------------------------------------------
// The sub-lunar points of an eclipse.

TEST(SubLunarPoints, TurnedByUniversalTimeAndOnlyForContactsThatOccur) {
  // A partial umbral eclipse: no totality.
  EclipseRecord record = testing::LinearEclipse::Passing(3000).Record();
  const CircumstancesResult result = ComputeCircumstances(record, 0.0);
  record.EclipseType = result.type;
  const EclipseCircumstances& c = result.circumstances;
  ASSERT_EQ(result.type, EclipseTypeCode::PartialUmbral);
  const double deltaT = 3600;  // one hour
  const WorldMapEclipse map = WorldMapEclipseOf(record, c, deltaT);
  EXPECT_EQ(map.type, EclipseTypeCode::PartialUmbral);
  for (int i = 0; i < kContactCount; ++i) {
    const auto k = static_cast<Contact>(i);
    EXPECT_EQ(map.at[k].occurs, k == Contact::Max || c.Time(k) != 0) << ContactName(k);
  }
  EXPECT_FALSE(map.at[Contact::U2].occurs);
  EXPECT_TRUE(map.at[Contact::U1].occurs);
  // d = 16.5 - 0.01 t degrees; M = -12 + 15 t degrees turned back by one hour of Earth
  // rotation (1.00273790935 turns per day of universal time).
  for (const Contact k : {Contact::P1, Contact::U1, Contact::Max, Contact::U4, Contact::P4}) {
    const double t = c.Time(k);
    EXPECT_NEAR(map.at[k].d, (16.5 - 0.01 * t) * kDeg, 1e-12) << ContactName(k);
    const double expected = ReduceToPlusMinusPi((-12 + 15 * t) * kDeg - 1.00273790935 * 2 * kPi / 24);
    EXPECT_NEAR(std::remainder(map.at[k].M - expected, 2 * kPi), 0, 1e-12) << ContactName(k);
  }
  // Column and row of the sub-lunar point: 340 - 340 M / pi and 170 - 340 d / pi.
  const SubLunarPoint p{true, 0.5, -1.0};
  EXPECT_DOUBLE_EQ(p.Column(), 340 + 340 / kPi);
  EXPECT_DOUBLE_EQ(p.Row(), 170 - 170 / kPi);
}

}  // namespace
}  // namespace varomintel
