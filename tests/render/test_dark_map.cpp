// The dark-map tool: the pixel rule, the 32-bit BMP writer, the file operation over the
// four darkened maps, and `varomintel-cli prepare-dark-maps` end to end. Everything works
// on small pictures in a temporary folder, never on data/.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "render/bmp_picture.h"
#include "render/dark_map.h"
#include "bmp_header.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::ReadBmpHeader;
using testing::ReadBytes;

constexpr QRgb kBlack = 0xFF000000u;

QRgb Colour(int r, int g, int b) { return qRgb(r, g, b); }

// A 5 x 4 picture of distinct dark colours with the given pixels set.
QImage Picture(std::vector<std::pair<QPoint, QRgb>> set = {}) {
  QImage image(5, 4, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, Colour(10 + x, 20 + y, 30 + x + y));
  for (const auto& [p, c] : set) image.setPixel(p, c);
  return image;
}

int CountPureBlack(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFFu) == 0;
  return n;
}

TEST(MarkTransparentCorner, PictureWithoutBlackGetsOnlyItsBottomLeftPixelChanged) {
  const QImage before = Picture();
  long replaced = -1;
  const QImage after = MarkTransparentCorner(before, &replaced);
  EXPECT_EQ(replaced, 0);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after.format(), QImage::Format_RGB32);
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x) {
      const QRgb want = (x == 0 && y == before.height() - 1) ? kBlack : before.pixel(x, y);
      EXPECT_EQ(after.pixel(x, y), want) << "pixel " << x << "," << y;
    }
}

TEST(MarkTransparentCorner, OnlyExactBlackIsReplacedAndNearBlacksStay) {
  const QImage before = Picture({{{1, 1}, kBlack},
                                 {{4, 0}, kBlack},
                                 {{0, 3}, kBlack},  // the corner itself: black before and after
                                 {{2, 2}, Colour(1, 1, 1)},
                                 {{3, 2}, Colour(0, 0, 1)},
                                 {{3, 1}, Colour(1, 0, 0)},
                                 {{2, 0}, Colour(0, 1, 0)}});
  long replaced = 0;
  const QImage after = MarkTransparentCorner(before, &replaced);
  EXPECT_EQ(replaced, 3);
  EXPECT_EQ(after.pixel(1, 1), Colour(1, 1, 1));
  EXPECT_EQ(after.pixel(4, 0), Colour(1, 1, 1));
  EXPECT_EQ(after.pixel(0, 3), kBlack);
  EXPECT_EQ(after.pixel(2, 2), Colour(1, 1, 1));
  EXPECT_EQ(after.pixel(3, 2), Colour(0, 0, 1));
  EXPECT_EQ(after.pixel(3, 1), Colour(1, 0, 0));
  EXPECT_EQ(after.pixel(2, 0), Colour(0, 1, 0));
  EXPECT_EQ(CountPureBlack(after), 1);
}

TEST(MarkTransparentCorner, ConvertsOtherFormatsAndIgnoresAlpha) {
  QImage argb(3, 2, QImage::Format_ARGB32);
  argb.fill(qRgba(50, 60, 70, 255));
  argb.setPixel(2, 0, qRgba(0, 0, 0, 0));    // transparent black is still black
  argb.setPixel(1, 0, qRgba(0, 0, 0, 255));
  long replaced = 0;
  const QImage after = MarkTransparentCorner(argb, &replaced);
  EXPECT_EQ(after.format(), QImage::Format_RGB32);
  EXPECT_EQ(replaced, 2);
  EXPECT_EQ(after.pixel(2, 0), Colour(1, 1, 1));
  EXPECT_EQ(after.pixel(1, 0), Colour(1, 1, 1));
  EXPECT_EQ(after.pixel(0, 1), kBlack);

  QImage rgb888(2, 2, QImage::Format_RGB888);
  rgb888.fill(Qt::black);
  const QImage from24 = MarkTransparentCorner(rgb888, &replaced);
  EXPECT_EQ(replaced, 4);
  EXPECT_EQ(from24.pixel(0, 1), kBlack);
  EXPECT_EQ(from24.pixel(1, 1), Colour(1, 1, 1));
  EXPECT_EQ(CountPureBlack(from24), 1);

  EXPECT_TRUE(MarkTransparentCorner(QImage()).isNull());
}

TEST(EncodeBmp32, HeaderDescribesThirtyTwoBitBottomUpRows) {
  const QImage image = Picture({{{0, 0}, Colour(200, 100, 50)}, {{4, 3}, Colour(7, 8, 9)}});
  const QByteArray bmp = EncodeBmp32(image);
  const std::vector<unsigned char> bytes(bmp.begin(), bmp.end());
  const auto h = ReadBmpHeader(bytes);
  ASSERT_TRUE(h.ok);
  EXPECT_EQ(h.fileSize, bytes.size());
  EXPECT_EQ(h.fileSize, 54u + 5 * 4 * 4);
  EXPECT_EQ(h.pixelOffset, 54u);
  EXPECT_EQ(h.infoSize, 40u);
  EXPECT_EQ(h.width, 5);
  EXPECT_EQ(h.height, 4);  // positive: bottom-up
  EXPECT_EQ(h.bitsPerPixel, 32);
  EXPECT_EQ(h.compression, 0u);
  // The first stored row is the bottom one: its last pixel is (7, 8, 9) as B, G, R, 0.
  const std::size_t last = 54 + 4 * 4;
  EXPECT_EQ(bytes[last + 0], 9);
  EXPECT_EQ(bytes[last + 1], 8);
  EXPECT_EQ(bytes[last + 2], 7);
  EXPECT_EQ(bytes[last + 3], 0);
  // The top-left pixel (200, 100, 50) is the first of the last stored row.
  const std::size_t topLeft = 54 + 3 * 5 * 4;
  EXPECT_EQ(bytes[topLeft + 0], 50);
  EXPECT_EQ(bytes[topLeft + 1], 100);
  EXPECT_EQ(bytes[topLeft + 2], 200);
  EXPECT_TRUE(EncodeBmp32(QImage()).isEmpty());
}

TEST(EncodeBmp32, QtReadsTheFileBackPixelForPixel) {
  QImage image(7, 3, QImage::Format_RGB32);  // odd width: rows of 28 bytes, no padding
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) image.setPixel(x, y, Colour(x * 30, y * 80, 255 - x * y));
  QByteArray bmp = EncodeBmp32(image);
  QBuffer buffer(&bmp);
  QImageReader reader(&buffer, "bmp");
  const QImage back = reader.read();
  ASSERT_FALSE(back.isNull()) << reader.errorString().toStdString();
  ASSERT_EQ(back.size(), image.size());
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(back.pixel(x, y) & 0xFFFFFFu, image.pixel(x, y) & 0xFFFFFFu);
}

class DarkMapFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("varomintel_dark_" + std::to_string(::getpid()) + "_" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }

  // Writes a 24-bit BMP (Qt's own writer) of the maps' size with black pixels in it.
  void WriteMap(const char* name, int seed) const {
    QImage image(kDarkMapWidth, kDarkMapHeight, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, Colour(10 + x % 100, 20 + y % 100, 30));
    image.setPixel(2, 1, kBlack);
    image.setPixel(3, 3, Colour(0, 0, 1));
    image.setPixel(4, 2, Colour(seed, seed, seed));
    ASSERT_TRUE(image.save(QString::fromStdString(Path(name)), "BMP"));
  }

  fs::path dir_;
};

TEST_F(DarkMapFiles, RewritesTheFileAsThirtyTwoBitWithOneBlackPixel) {
  WriteMap("m.bmp", 0);
  ASSERT_EQ(ReadBmpHeader(ReadBytes(Path("m.bmp"))).bitsPerPixel, 24);
  const DarkMapResult r = PrepareDarkMap(Path("m.bmp"));
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.replaced, 2);  // (2, 1) and the seed pixel (4, 2)
  EXPECT_EQ(ReadBmpHeader(ReadBytes(Path("m.bmp"))).bitsPerPixel, 32);
  const QImage back(QString::fromStdString(Path("m.bmp")));
  ASSERT_EQ(back.size(), QSize(kDarkMapWidth, kDarkMapHeight));
  EXPECT_EQ(CountPureBlack(back), 1);
  EXPECT_EQ(back.pixel(0, kDarkMapHeight - 1) & 0xFFFFFFu, 0u);
  EXPECT_EQ(back.pixel(2, 1), Colour(1, 1, 1));
  EXPECT_EQ(back.pixel(3, 3), Colour(0, 0, 1));
}

TEST_F(DarkMapFiles, SecondRunChangesNoByte) {
  WriteMap("m.bmp", 0);
  ASSERT_TRUE(PrepareDarkMap(Path("m.bmp")).ok);
  const auto once = ReadBytes(Path("m.bmp"));
  const DarkMapResult again = PrepareDarkMap(Path("m.bmp"));
  ASSERT_TRUE(again.ok);
  EXPECT_EQ(again.replaced, 1);  // the corner black, set back to black
  EXPECT_EQ(ReadBytes(Path("m.bmp")), once);
}

TEST_F(DarkMapFiles, MissingOrUnreadableFileIsReportedByName) {
  const DarkMapResult missing = PrepareDarkMap(Path("absent.bmp"));
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("absent.bmp"), std::string::npos) << missing.error;

  std::ofstream(Path("junk.bmp")) << "not a picture";
  const DarkMapResult junk = PrepareDarkMap(Path("junk.bmp"));
  EXPECT_FALSE(junk.ok);
  EXPECT_NE(junk.error.find("junk.bmp"), std::string::npos) << junk.error;
  std::ifstream in(Path("junk.bmp"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not a picture");
}

// Hostile input: pictures that Qt's reader would complete or accept are refused by name,
// and the file keeps every byte.
TEST_F(DarkMapFiles, TruncatedWrongSizedOrFolderPicturesAreRefusedAndKept) {
  WriteMap("whole.bmp", 0);
  const auto whole = ReadBytes(Path("whole.bmp"));
  const auto write = [&](const char* name, std::size_t bytes) {
    std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(whole.data()),
                                                      static_cast<std::streamsize>(bytes));
  };
  write("cut60.bmp", 60);
  write("half.bmp", whole.size() / 2);
  write("oneshort.bmp", whole.size() - 1);
  ASSERT_TRUE(Picture().save(QString::fromStdString(Path("small.bmp")), "BMP"));  // 5 x 4
  fs::create_directories(Path("folder.bmp"));
  const struct {
    const char* name;
    const char* reason;
  } cases[] = {{"cut60.bmp", "cut short"}, {"half.bmp", "cut short"},       {"oneshort.bmp", "cut short"},
               {"small.bmp", "5 x 4"},     {"folder.bmp", "is a folder"}, {"absent.bmp", "does not exist"}};
  for (const auto& c : cases) {
    const bool existed = fs::is_regular_file(Path(c.name));
    const auto before = existed ? ReadBytes(Path(c.name)) : std::vector<unsigned char>{};
    const DarkMapResult r = PrepareDarkMap(Path(c.name));
    EXPECT_FALSE(r.ok) << c.name;
    EXPECT_NE(r.error.find(c.name), std::string::npos) << r.error;
    EXPECT_NE(r.error.find(c.reason), std::string::npos) << r.error;
    if (existed) {
      EXPECT_EQ(ReadBytes(Path(c.name)), before) << c.name;
    }
  }
}

TEST_F(DarkMapFiles, RunStopsAtTheFirstMissingFileAndKeepsWhatItDid) {
  WriteMap(kDarkMapFileNames[0], 0);
  // kDarkMapFileNames[1] is missing.
  WriteMap(kDarkMapFileNames[2], 0);
  WriteMap(kDarkMapFileNames[3], 0);
  const auto third = ReadBytes(Path(kDarkMapFileNames[2]));
  const DarkMapsRun run = PrepareDarkMaps(dir_.string());
  EXPECT_FALSE(run.ok());
  EXPECT_EQ(run.done, 1);
  EXPECT_NE(run.error.find(kDarkMapFileNames[1]), std::string::npos) << run.error;
  EXPECT_EQ(ReadBmpHeader(ReadBytes(Path(kDarkMapFileNames[0]))).bitsPerPixel, 32);
  EXPECT_EQ(ReadBytes(Path(kDarkMapFileNames[2])), third);
}

// varomintel-cli in a given folder, without any display platform set.
struct CliRun {
  int status = -1;
  std::string out, err;
};

CliRun RunCli(const fs::path& cwd, const std::string& args) {
  const fs::path outFile = cwd / "cli_out.txt", errFile = cwd / "cli_err.txt";
  const std::string command = "cd '" + cwd.string() + "' && env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY '" +
                              testing::CliProgram() + "' " + args + " >'" + outFile.string() + "' 2>'" +
                              errFile.string() + "'";
  CliRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  const auto text = [](const fs::path& p) {
    std::ifstream in(p);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  run.out = text(outFile);
  run.err = text(errFile);
  fs::remove(outFile);
  fs::remove(errFile);
  return run;
}

TEST_F(DarkMapFiles, CommandLinePreparesTheFourFilesInTheCurrentDirectory) {
  for (int i = 0; i < 4; ++i) WriteMap(kDarkMapFileNames[static_cast<std::size_t>(i)], 5);
  const CliRun first = RunCli(dir_, "prepare-dark-maps");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.err, "");
  EXPECT_EQ(first.out,
            "prepared demis_world_680x340_dark.bmp (black pixels replaced: 1)\n"
            "prepared bluemarble_680x340_dark.bmp (black pixels replaced: 1)\n"
            "prepared world_white_680x340_dark.bmp (black pixels replaced: 1)\n"
            "prepared world_politisch_680x340_dark.bmp (black pixels replaced: 1)\n");
  std::vector<std::vector<unsigned char>> once;
  for (const char* name : kDarkMapFileNames) {
    once.push_back(ReadBytes(Path(name)));
    EXPECT_EQ(ReadBmpHeader(once.back()).bitsPerPixel, 32) << name;
    EXPECT_EQ(CountPureBlack(QImage(QString::fromStdString(Path(name)))), 1) << name;
  }
  const CliRun second = RunCli(dir_, "prepare-dark-maps");
  ASSERT_EQ(second.status, 0) << second.err;
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(ReadBytes(Path(kDarkMapFileNames[i])), once[i]);
}

TEST_F(DarkMapFiles, CommandLineNamesTheMissingFileAndFailsWithUsageStatus) {
  WriteMap(kDarkMapFileNames[0], 9);
  const CliRun run = RunCli(dir_, "prepare-dark-maps");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "prepared demis_world_680x340_dark.bmp (black pixels replaced: 1)\n");
  EXPECT_EQ(run.err.rfind("varomintel-cli: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("bluemarble_680x340_dark.bmp"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);

  const CliRun extra = RunCli(dir_, "prepare-dark-maps now");
  EXPECT_EQ(extra.status, 2);
  EXPECT_NE(extra.err.find("'now'"), std::string::npos) << extra.err;
}

}  // namespace
}  // namespace varomintel
