// varomintel-cli diagram end to end: the picture file, the texts, the frames of a play and
// the refusals, each leaving no file behind.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QImage>
#include <QSet>

#include <filesystem>
#include <iterator>
#include <fstream>
#include <ostream>
#include <string>

#include "../support/run_cli.h"
#include "../support/synthetic_eclipse.h"
#include "eclipse/catalogue.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::RunProgram;

class DiagramCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::temp_directory_path() / ("varomintel_diagram_cli_" + std::to_string(::getpid())));
    fs::create_directories(*dir_);
    // Index 1: total, greatest eclipse 0.3 h after T0 = 11:00 TT; 2: penumbral.
    ASSERT_TRUE(WriteCatalogue((*dir_ / kCatalogueFileName).string(),
                               {testing::LinearEclipse::Passing(1200).Record(2022, 11, 8, 11),
                                testing::LinearEclipse::Passing(4500).Record(2023, 5, 5, 17)}));
    // The Moon pictures beside the program, none in the current folder.
    ASSERT_FALSE(fs::exists(*dir_ / "mond70.bmp"));
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
  }
  static CliRun Exec(const std::string& args) { return RunProgram(*dir_, testing::CliProgram(), args); }
  static fs::path* dir_;
};
fs::path* DiagramCli::dir_ = nullptr;

TEST_F(DiagramCli, WritesTheGreatestEclipseAsPngAt96DpiAndPrintsItsTexts) {
  const CliRun r = Exec("diagram 1 --lang de --out max.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  ASSERT_EQ(r.Lines().size(), 3u) << r.out;
  // 11:00 TT + 0.3 h = 11:18:00 TT, less Delta T of 2022 (about 69 s) in universal time.
  EXPECT_TRUE(r.Lines()[1].starts_with("2022-11-08  11:16:")) << r.Lines()[1];
  EXPECT_TRUE(r.Lines()[1].ends_with(" UTC"));
  EXPECT_TRUE(r.Lines()[0].ends_with(r.Lines()[1] + "     Totale Mondfinsternis")) << r.Lines()[0];
  EXPECT_EQ(r.Lines()[2], "Totale Mondfinsternis");
  const QImage image(QString::fromStdString((*dir_ / "max.png").string()));
  ASSERT_EQ(image.size(), QSize(1040, 480));
  EXPECT_EQ(image.dotsPerMeterX(), 3780);
  EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 0));
  // The Moon, at about (-40", 1199") = column 522, row 186, is a photograph from the
  // program folder's pictures, not the plain disc drawn without them: its pixels differ.
  QSet<QRgb> colours;
  for (int y = 176; y < 196; ++y)
    for (int x = 512; x < 532; ++x) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 50);
}

TEST_F(DiagramCli, TerrestrialTimeAndAPosition) {
  const CliRun r = Exec("diagram 1 --tt --position 7201 --lang en --out t0.png");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.Lines().size(), 3u);
  EXPECT_EQ(r.Lines()[1], "2022-11-08  11:00:02 TT");
  EXPECT_EQ(r.Lines()[2], "Total Lunar Eclipse");
}

TEST_F(DiagramCli, FramesAreThePicturesOfEachPlayStep) {
  const CliRun r = Exec("diagram 2 --frames frames --step 60 --tt");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.Lines().size(), 241u);
  EXPECT_EQ(r.Lines()[0], "diagram_00000.png\t2023-05-05  13:00:00 TT\tPart. Penumb. Lunar Eclipse");
  EXPECT_EQ(r.Lines()[240].substr(0, 41), "diagram_00240.png\t2023-05-05  21:00:00 TT");
  int files = 0;
  for (const auto& e : fs::directory_iterator(*dir_ / "frames")) files += e.path().extension() == ".png";
  EXPECT_EQ(files, 241);
  // Frame 100 is the picture of slider position 6000.
  ASSERT_EQ(Exec("diagram 2 --tt --position 6000 --out p6000.png").status, 0);
  const QImage frame(QString::fromStdString((*dir_ / "frames" / "diagram_00100.png").string()));
  const QImage single(QString::fromStdString((*dir_ / "p6000.png").string()));
  ASSERT_FALSE(frame.isNull());
  EXPECT_TRUE(frame == single);
  EXPECT_FALSE(frame == QImage(QString::fromStdString((*dir_ / "frames" / "diagram_00101.png").string())));
}

// --scale: 1 is the picture without it, pixel for pixel; other scales draw the same
// diagram that many times larger, at the same 96 dots per inch.
TEST_F(DiagramCli, ScaleOneIsTheDesignAndOtherScalesAreLarger) {
  ASSERT_EQ(Exec("diagram 1 --position 7000 --out plain.png").status, 0);
  const CliRun one = Exec("diagram 1 --position 7000 --scale 1 --out one.png");
  ASSERT_EQ(one.status, 0) << one.err;
  const CliRun large = Exec("diagram 1 --position 7000 --scale 2.5 --out large.png");
  ASSERT_EQ(large.status, 0) << large.err;
  EXPECT_EQ(large.out, one.out);  // the same texts
  const QImage plain(QString::fromStdString((*dir_ / "plain.png").string()));
  const QImage scaleOne(QString::fromStdString((*dir_ / "one.png").string()));
  const QImage scaled(QString::fromStdString((*dir_ / "large.png").string()));
  ASSERT_FALSE(plain.isNull());
  EXPECT_TRUE(plain == scaleOne);
  ASSERT_EQ(scaled.size(), QSize(2600, 1200));
  EXPECT_EQ(scaled.dotsPerMeterX(), 3780);
  // The Moon at t = -0.11 h, (-780", 1175"), centred at column 555, row 187 at scale 1,
  // lies 2.5 times as far out; its radius is 42 pixels there, 104 here.
  for (const QPoint p : {QPoint(1388, 468), QPoint(1388 + 90, 468), QPoint(1388, 468 - 90)})
    EXPECT_NE(scaled.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
  EXPECT_EQ(scaled.pixel(12, 12), qRgb(0, 0, 0));
}

struct Refusal {
  const char* name;
  const char* args;
  const char* message;  // part of the one line on standard error
};

void PrintTo(const Refusal& row, std::ostream* os) { *os << row.name; }

class DiagramRefusals : public DiagramCli, public ::testing::WithParamInterface<Refusal> {};

TEST_P(DiagramRefusals, OneLineStatusTwoAndNoFile) {
  fs::remove_all(*dir_ / "refused");
  fs::create_directories(*dir_ / "refused");
  const CliRun r = Exec(GetParam().args);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_TRUE(fs::is_empty(*dir_ / "refused"));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, DiagramRefusals,
    ::testing::Values(Refusal{"index_0", "diagram 0 --out refused/a.png", "index '0'"},
                      Refusal{"index_beyond", "diagram 3 --out refused/a.png", "index '3'"},
                      Refusal{"position_beyond", "diagram 1 --position 14401 --out refused/a.png", "--position"},
                      Refusal{"position_negative", "diagram 1 --position -1 --out refused/a.png", "--position"},
                      Refusal{"position_not_a_number", "diagram 1 --position 7e3 --out refused/a.png", "--position"},
                      Refusal{"step_other", "diagram 1 --frames refused --step 7", "--step"},
                      Refusal{"no_output", "diagram 1", "--out"},
                      Refusal{"scale_below_1", "diagram 1 --scale 0.5 --out refused/a.png", "--scale"},
                      Refusal{"scale_beyond_4", "diagram 1 --scale 4.01 --out refused/a.png", "--scale"},
                      Refusal{"scale_not_a_number", "diagram 1 --scale two --out refused/a.png", "--scale"},
                      Refusal{"zone_without_caption", "diagram 1 --tz 2 --out refused/a.png", "--tz goes with --caption"}),
    [](const ::testing::TestParamInfo<Refusal>& row) { return std::string(row.param.name); });


// --caption on the pictures of diagram and map: a band below the picture, as wide as it and
// 24 pixels high times the scale (made even), on a dark ground with light text whose
// height grows with the scale; the picture above it is the one written without the option,
// pixel for pixel; the text follows the zone of --tz in universal time only.
struct CaptionCase {
  const char* name;
  const char* command;
  QSize plain;
  int band;
  int textRows;  // at least this many rows of the band hold the text's light pixels
  bool zoned;    // universal time: --tz changes the text; terrestrial time has no zone
};

void PrintTo(const CaptionCase& row, std::ostream* os) { *os << row.name; }

class DiagramCaptions : public DiagramCli, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(DiagramCaptions, ABandBelowThePictureThatIsOtherwiseUnchanged) {
  const CaptionCase& c = GetParam();
  const auto picture = [](const std::string& command, const char* file) {
    const CliRun r = Exec(command + " --out " + file);
    EXPECT_EQ(r.status, 0) << command << ": " << r.err;
    return QImage(QString::fromStdString((*dir_ / file).string())).convertToFormat(QImage::Format_RGB32);
  };
  const QImage plain = picture(c.command, "plain.png");
  const QImage captioned = picture(std::string(c.command) + " --caption", "captioned.png");
  const QImage zoned = picture(std::string(c.command) + " --caption --tz 5.5", "zoned.png");
  ASSERT_EQ(plain.size(), c.plain);
  ASSERT_EQ(captioned.size(), c.plain + QSize(0, c.band));
  EXPECT_EQ(captioned.dotsPerMeterX(), 3780);
  EXPECT_TRUE(captioned.copy(QRect(QPoint(0, 0), c.plain)) == plain);
  const QImage band = captioned.copy(0, c.plain.height(), c.plain.width(), c.band);
  // The ground at the band's right end, past the text; the text's light pixels on the left.
  EXPECT_EQ(band.pixel(band.width() - 2, band.height() - 2), qRgb(40, 40, 40));
  int rows = 0, light = 0;
  for (int y = 0; y < band.height(); ++y) {
    int inRow = 0;
    for (int x = 0; x < band.width(); ++x) inRow += qGray(band.pixel(x, y)) > 160;
    rows += inRow > 0;
    light += inRow;
  }
  EXPECT_GE(rows, c.textRows);
  EXPECT_LT(rows, c.band);  // a margin above and below the text
  EXPECT_GT(light, 20 * c.textRows);
  EXPECT_EQ(band != zoned.copy(0, c.plain.height(), c.plain.width(), c.band), c.zoned);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, DiagramCaptions,
    ::testing::Values(CaptionCase{"diagram_german", "diagram 1 --lang de", QSize(1040, 480), 24, 9, true},
                      CaptionCase{"diagram_twice_in_terrestrial_time", "diagram 1 --scale 2 --tt --lang en",
                                  QSize(2080, 960), 48, 18, false},
                      CaptionCase{"map_with_its_grid_french", "map 1 --grid --lang fr", QSize(750, 369), 24, 9, true},
                      CaptionCase{"map_at_an_odd_scale_spanish", "map 2 --scale 1.5 --lang es", QSize(1020, 510), 36,
                                  13, true}),
    [](const ::testing::TestParamInfo<CaptionCase>& row) { return std::string(row.param.name); });

// A picture to standard output: "-" and /dev/stdout into a pipe give the very bytes of the
// file, a whole PNG of the picture's size, and nothing else goes there.
TEST_F(DiagramCli, PicturesToStandardOutputAreTheFilesBytes) {
  const struct {
    const char* command;
    QSize size;
  } pictures[] = {{"diagram 1 --position 7000", QSize(1040, 480)}, {"map 1 --grid", QSize(750, 369)}};
  for (const auto& p : pictures) {
    SCOPED_TRACE(p.command);
    const CliRun file = Exec(std::string(p.command) + " --out file.png");
    ASSERT_EQ(file.status, 0) << file.err;
    std::ifstream in(*dir_ / "file.png", std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    for (const char* target : {"-", "/dev/stdout"}) {
      const CliRun r = Exec(std::string(p.command) + " --out " + target);  // standard output is a pipe
      EXPECT_EQ(r.status, 0) << target << ": " << r.err;
      EXPECT_EQ(r.err, "") << target;
      EXPECT_TRUE(r.out.starts_with("\x89PNG\r\n\x1a\n")) << target;
      EXPECT_TRUE(r.out == bytes) << target << ": " << r.out.size() << " bytes, the file " << bytes.size();
      QImage image;
      ASSERT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(r.out.data()), static_cast<int>(r.out.size()), "PNG"))
          << target;
      EXPECT_EQ(image.size(), p.size) << target;
    }
  }
  EXPECT_FALSE(fs::exists(*dir_ / "-"));
}

}  // namespace
}  // namespace varomintel
