// varomintel-cli map through its output: a 680 x 340 PNG where the pictures are found,
// and for bad arguments or missing pictures one line naming the fault, status 2 and no
// file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <tuple>

#include "../support/run_cli.h"
#include "../support/synthetic_eclipse.h"
#include "eclipse/catalogue.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::RunProgram;

class MapCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_map_cli_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    ASSERT_TRUE(WriteCatalogue((dir_ / kCatalogueFileName).string(),
                               {testing::LinearEclipse::Passing(1200).Record(2000, 1, 21, 4)}));
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path dir_;
};

std::uint32_t BigEndian32(const std::string& s, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

TEST_F(MapCli, WritesA680By340Png) {
  const CliRun r = RunProgram(dir_, testing::CliProgram(), "map 1 --lang de --globe 3 --poi 47.5N,7.5E --out map.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  const std::string png = Read("map.png");
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndian32(png, 16), 680u);
  EXPECT_EQ(BigEndian32(png, 20), 340u);
}

// --grid adds the graticule and the degree labels round the map (45 + 680 + 25 by 8 + 340 +
// 21 pixels), --scale makes the picture that many times larger.
TEST_F(MapCli, GridFramesTheMapAndScaleEnlargesIt) {
  for (const auto& [args, width, height] : {std::tuple{"--grid", 750u, 369u}, std::tuple{"--grid --scale 2", 1500u, 738u},
                                           std::tuple{"--scale 3", 2040u, 1020u}}) {
    const CliRun r = RunProgram(dir_, testing::CliProgram(), std::string("map 1 ") + args + " --out grid.png");
    ASSERT_EQ(r.status, 0) << args << ": " << r.err;
    const std::string png = Read("grid.png");
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(BigEndian32(png, 16), width) << args;
    EXPECT_EQ(BigEndian32(png, 20), height) << args;
  }
}

struct BadCase {
  const char* name;
  const char* args;
  const char* named;  // what the message must name
};
void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class MapCliRefuses : public MapCli, public ::testing::WithParamInterface<BadCase> {};

TEST_P(MapCliRefuses, WithOneLineAndStatus2AndNoFile) {
  const BadCase& c = GetParam();
  const CliRun r = RunProgram(dir_, testing::CliProgram(), c.args);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // one line
  EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir_ / "out.png"));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, MapCliRefuses,
    ::testing::Values(BadCase{"globe_4", "map 1 --globe 4 --out out.png", "--globe"},
                      BadCase{"globe_text", "map 1 --globe x --out out.png", "--globe"},
                      BadCase{"latitude_95", "map 1 --poi 95N,7.5E --out out.png", "--poi"},
                      BadCase{"no_comma", "map 1 --poi 47.5N7.5E --out out.png", "--poi"},
                      BadCase{"longitude_west_letter_wrong", "map 1 --poi 47.5N,7.5X --out out.png", "--poi"},
                      BadCase{"language", "map 1 --lang it --out out.png", "--lang"},
                      BadCase{"index_0", "map 0 --out out.png", "index"},
                      BadCase{"index_2", "map 2 --out out.png", "index"},
                      BadCase{"no_out", "map 1", "--out"},
                      BadCase{"scale_5", "map 1 --scale 5 --out out.png", "--scale"},
                      BadCase{"scale_0", "map 1 --grid --scale 0 --out out.png", "--scale"},
                      BadCase{"stray", "map 1 --out out.png extra", "extra"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(MapCli, MissingPicturesAreNamed) {
  // A copy of the program in a folder without pictures, run in another such folder: first
  // without its picture module, which the command names, then with it, when the missing
  // picture is named. Either is one line and status 2, and no picture is written.
  fs::create_directories(dir_ / "bin");
  fs::copy_file(testing::CliProgram(), dir_ / "bin" / "varomintel-cli");
  fs::permissions(dir_ / "bin" / "varomintel-cli", fs::perms::owner_exec, fs::perm_options::add);
  const fs::path module = fs::path(testing::CliProgram()).parent_path() / "modules" / "varomintel-cli-pictures.so";
  for (const char* missing : {"varomintel-cli-pictures.so", "bluemarble_680x340.bmp"}) {
    SCOPED_TRACE(missing);
    if (std::string_view(missing) == "bluemarble_680x340.bmp") {
      fs::create_directories(dir_ / "bin" / "modules");
      fs::copy_file(module, dir_ / "bin" / "modules" / "varomintel-cli-pictures.so");
    }
    const CliRun r = RunProgram(dir_, (dir_ / "bin" / "varomintel-cli").string(), "map 1 --out out.png");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_FALSE(fs::exists(dir_ / "out.png"));
  }
}

}  // namespace
}  // namespace varomintel
