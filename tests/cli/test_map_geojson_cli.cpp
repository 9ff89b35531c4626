// varomintel-cli map --format geojson: the document parses as GeoJSON (Python's parser, in
// tests/cli/check_geojson.py, with the checks of RFC 7946 that a GIS makes), and its horizon
// lines lie on the lines of the map picture that the same command draws: each position,
// as a map pixel, shows its contact's colour.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "../support/run_cli.h"
#include "../support/test_paths.h"
#include "app/world_map_model.h"
#include "render/world_map.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;

struct GeoJsonRow {
  const char* name;
  int index;
  int lines;  // horizon lines the map draws
};

// Total (P, U, U2/U3 lines), partial and penumbral eclipses, one of them before year 1.
const GeoJsonRow kRows[] = {{"Total_2022", 16921, 7},
                            {"PartialPenumbral_2023", 16922, 3},
                            {"Partial_2023", 16923, 5},
                            {"PartialPenumbral_m1200", 9160, 3}};

class MapGeoJson : public ::testing::TestWithParam<GeoJsonRow> {};

QRgb LineColour(const std::string& contact) {
  if (contact == "Max") return map_colour::kGreatestLine;
  if (contact == "U1" || contact == "U4") return map_colour::kUmbraLine;
  if (contact == "U2" || contact == "U3") return map_colour::kTotalityLine;
  return map_colour::kPenumbraLine;
}

TEST_P(MapGeoJson, ParsesAndItsLinesAreTheMapsLines) {
  const GeoJsonRow& row = GetParam();
  const fs::path dir = fs::temp_directory_path() / ("varomintel_geojson_" + std::to_string(::getpid()) + row.name);
  fs::create_directories(dir);
  const std::string index = std::to_string(row.index);
  const testing::CliRun json =
      testing::RunProgram(testing::DataDir(), testing::CliProgram(), "map " + index + " --format geojson --out -");
  ASSERT_EQ(json.status, 0) << json.err;
  {
    std::ofstream((dir / "curves.geojson").string()) << json.out;
  }
  const testing::CliRun python =
      testing::RunProgram(dir, testing::Python3(),
                          "'" + testing::SourceDir() + "/tests/cli/check_geojson.py' < curves.geojson");
  EXPECT_EQ(python.status, 0) << python.out << python.err;
  EXPECT_EQ(python.out, "ok\n");

  const testing::CliRun png = testing::RunProgram(testing::DataDir(), testing::CliProgram(),
                                                  "map " + index + " --out '" + (dir / "map.png").string() + "'");
  ASSERT_EQ(png.status, 0) << png.err;
  const QImage map = QImage((dir / "map.png").string().c_str()).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(map.size(), QSize(kMapWidth, kMapHeight));

  const nlohmann::json doc = nlohmann::json::parse(json.out);
  int lines = 0;
  for (const auto& feature : doc["features"]) {
    EXPECT_EQ(feature["properties"]["index"], row.index);
    if (feature["properties"]["kind"] != "horizon") continue;
    ++lines;
    const std::string contact = feature["properties"]["contact"];
    const auto& points = feature["geometry"]["coordinates"];
    ASSERT_EQ(points.size(), static_cast<std::size_t>(kHorizonLinePoints));
    // Each position's pixel, held within the picture (a line runs to the poles' rows
    // along the edge), shows the contact's colour, or another line's drawn over it where
    // lines meet or a contact's marker or a text lies on it.
    int own = 0;
    for (const auto& p : points) {
      const int column = std::clamp(MapPixel(MapColumn(p[0].get<double>())), 0, kMapWidth - 1);
      const int line = std::clamp(MapPixel(MapRow(p[1].get<double>())), 0, kMapHeight - 1);
      own += (map.pixel(column, line) | 0xff000000u) == LineColour(contact);
    }
    // Greatest eclipse is drawn over the others; the contacts' lines lie apart where the
    // eclipse is long, and P1 and P4 (drawn first) cross the others only near two points.
    const double share = static_cast<double>(own) / kHorizonLinePoints;
    std::printf("[ geojson ] %s %s: %.1f %% of the points on the line's colour\n", row.name, contact.c_str(),
                100 * share);
    EXPECT_GT(share, contact == "Max" ? 0.97 : 0.75) << contact;
  }
  EXPECT_EQ(lines, row.lines);
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Eclipses, MapGeoJson, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
