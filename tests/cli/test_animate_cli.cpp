// varomintel-cli animate end to end: each video read back by ffprobe (codec, pixel format,
// frame size, frame count, duration), a frame from its middle decoded by ffmpeg and set
// beside the `diagram --position` picture of that instant, and the refusals and failures,
// each leaving no file behind.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <QImage>

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "../support/run_cli.h"
#include "../support/synthetic_eclipse.h"
#include "../support/writer_leftovers.h"
#include "eclipse/catalogue.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::RunProgram;

// How two pictures of one size differ in brightness (BT.601 luma, 0..255): the mean
// absolute difference, and the share of pixels that differ by more than 40, which a lossy
// codec's rounding and its halved colour resolution leave nearly untouched and a moved
// Moon or a changed text raises.
struct LumaDifference {
  double mean = 0;
  double outliers = 0;
};
LumaDifference Compare(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
  const auto luma = [](QRgb p) { return 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p); };
  double sum = 0, outliers = 0;
  for (int row = 0; row < x.height(); ++row)
    for (int col = 0; col < x.width(); ++col) {
      const double d = std::abs(luma(x.pixel(col, row)) - luma(y.pixel(col, row)));
      sum += d;
      if (d > 40) ++outliers;
    }
  const double n = static_cast<double>(x.width()) * x.height();
  return {sum / n, outliers / n};
}

class AnimateCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::temp_directory_path() / ("varomintel_animate_cli_" + std::to_string(::getpid())));
    fs::create_directories(*dir_);
    // Index 1: total, greatest eclipse 0.3 h after T0 = 11:00 TT.
    ASSERT_TRUE(WriteCatalogue((*dir_ / kCatalogueFileName).string(),
                               {testing::LinearEclipse::Passing(1200).Record(2022, 11, 8, 11)}));
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
  }
  static CliRun Exec(const std::string& args) { return RunProgram(*dir_, testing::CliProgram(), args); }
  // ffprobe's key=value lines of the video stream and the container.
  static std::map<std::string, std::string> Probe(const std::string& file) {
    const CliRun r = RunProgram(*dir_, "ffprobe",
                                "-v error -count_frames -select_streams v:0 -show_entries "
                                "stream=codec_name,pix_fmt,width,height,nb_read_frames,color_space:format=duration "
                                "-of default=nw=1 " + file);
    std::map<std::string, std::string> values;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);)
      if (const auto eq = line.find('='); eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    return values;
  }
  // The frame `n` (from 0) of a video, decoded into a picture.
  static QImage Frame(const std::string& file, int n) {
    const std::string png = "frame_" + std::to_string(n) + ".png";
    const CliRun r = RunProgram(*dir_, "ffmpeg",
                                "-v error -y -i " + file + " -vf 'select=eq(n\\," + std::to_string(n) +
                                    ")' -frames:v 1 " + png);
    EXPECT_EQ(r.status, 0) << r.err;
    QImage image(QString::fromStdString((*dir_ / png).string()));
    fs::remove(*dir_ / png);
    return image;
  }
  // The slider position of a contact time (hours from T0) that `circumstances` reports.
  static int ContactPosition(const std::string& name) {
    const CliRun r = Exec("circumstances 1");
    for (const std::string& line : r.Lines())
      if (line.starts_with(name + "\t")) return static_cast<int>(std::lround(std::stod(line.substr(name.size() + 1)) * 1800 + 7200));
    ADD_FAILURE() << name << " not in " << r.out;
    return 0;
  }
  static fs::path* dir_;
};
fs::path* AnimateCli::dir_ = nullptr;

struct VideoCase {
  const char* name;
  const char* file;
  const char* options;
  const char* diagramOptions;  // the same drawing for `diagram`
  const char* codec;
  int step, fps, width, height;
  bool whole;
};

class AnimateVideos : public AnimateCli, public ::testing::WithParamInterface<VideoCase> {};

TEST_P(AnimateVideos, FfprobeReadsWhatTheOptionsAskForAndTheMiddleFrameIsThatInstantsDiagram) {
  const VideoCase& c = GetParam();
  // The frames: the whole slider, or 10 minutes (300 positions) before P1 to 10 after P4.
  const int first = c.whole ? 0 : ContactPosition("TimeP1") - 300;
  const int last = c.whole ? 14400 : ContactPosition("TimeP4") + 300;
  const int frames = (last - first) / c.step + 1;
  const CliRun r = Exec(std::string("animate 1 --out ") + c.file + " " + c.options);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");  // no progress bar into a pipe, no notes of the libraries
  ASSERT_EQ(r.Lines().size(), 1u) << r.out;
  EXPECT_TRUE(r.Lines()[0].starts_with(std::string(c.file) + "\t" + std::to_string(frames) + " frames\t" +
                                       std::to_string(c.width) + "x" + std::to_string(c.height)))
      << r.out;
  EXPECT_EQ(testing::WriterLeftovers(*dir_), "");

  auto probe = Probe(c.file);
  EXPECT_EQ(probe["codec_name"], c.codec);
  EXPECT_EQ(probe["pix_fmt"], "yuv420p");
  EXPECT_EQ(probe["color_space"], "smpte170m");
  EXPECT_EQ(probe["width"], std::to_string(c.width));
  EXPECT_EQ(probe["height"], std::to_string(c.height));
  EXPECT_EQ(probe["nb_read_frames"], std::to_string(frames));
  ASSERT_FALSE(probe["duration"].empty());
  EXPECT_NEAR(std::stod(probe["duration"]), static_cast<double>(frames) / c.fps, 0.5 / c.fps);

  // The middle frame is the diagram of its instant within the codec's loss, and clearly
  // further from the diagram 20 steps later (the Moon and the date-time have moved).
  const int middle = frames / 2;
  const QImage decoded = Frame(c.file, middle);
  ASSERT_EQ(decoded.size(), QSize(c.width, c.height));
  const auto diagram = [&](int position) {
    const CliRun d = Exec("diagram 1 --position " + std::to_string(position) + " " + c.diagramOptions +
                          " --out ref.png");
    EXPECT_EQ(d.status, 0) << d.err;
    const QImage image = QImage(QString::fromStdString((*dir_ / "ref.png").string())).copy(0, 0, c.width, c.height);
    fs::remove(*dir_ / "ref.png");
    return image;
  };
  const int at = first + middle * c.step;
  const LumaDifference same = Compare(decoded, diagram(at));
  const LumaDifference other = Compare(decoded, diagram(at + (at + 20 * c.step <= 14400 ? 20 : -20) * c.step));
  EXPECT_LT(same.mean, 1.0) << "position " << at;
  EXPECT_LT(same.outliers, 1e-4) << "position " << at;
  EXPECT_GT(other.outliers, 5e-4) << "position " << at;
  fs::remove(*dir_ / c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AnimateVideos,
    ::testing::Values(
        VideoCase{"Mp4Default", "default.mp4", "", "", "h264", 60, 30, 1040, 480, false},
        VideoCase{"WebmWholeSlider", "whole.webm", "--whole --fps 12 --lang de", "--lang de", "vp9", 60, 12, 1040,
                  480, true},
        VideoCase{"Mp4FullHdTerrestrialTime", "hd.MP4", "--scale 2 --fps 25 --tt --lang fr", "--scale 2 --tt --lang fr",
                  "h264", 60, 25, 2080, 960, false},
        VideoCase{"WebmOddSizeCutToEven", "odd.webm", "--scale 1.01 --fps 60", "--scale 1.01", "vp9", 60, 60, 1050,
                  484, false},
        VideoCase{"Mp4FineSteps", "fine.mp4", "--step 6 --fps 60", "", "h264", 6, 60, 1040, 480, false},
        // Each frame with the caption of its own instant, as the diagram draws it.
        VideoCase{"Mp4Captioned", "captioned.mp4", "--caption --tz 2 --lang es", "--caption --tz 2 --lang es", "h264",
                  60, 30, 1040, 504, false}),
    [](const auto& row) { return std::string(row.param.name); });

struct Refusal {
  const char* name;
  const char* args;
  int status;
  const char* message;  // part of the one line on standard error
  const char* file;     // the file that must not be there afterwards
};

class AnimateRefusals : public AnimateCli, public ::testing::WithParamInterface<Refusal> {};

TEST_P(AnimateRefusals, OneLineTheStatusAndNoFile) {
  const Refusal& c = GetParam();
  fs::create_directories(*dir_ / "folder.mp4");
  { std::ofstream(*dir_ / "plain.txt") << "x"; }
  const CliRun r = Exec(c.args);
  EXPECT_EQ(r.status, c.status) << r.err;
  EXPECT_EQ(r.out, "");
  ASSERT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(*dir_ / c.file)) << c.file;
  EXPECT_EQ(testing::WriterLeftovers(*dir_), "");
  EXPECT_TRUE(fs::is_directory(*dir_ / "folder.mp4"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AnimateRefusals,
    ::testing::Values(
        Refusal{"NoOut", "animate 1", 2, "--out FILE.mp4", "x.mp4"},
        Refusal{"OtherExtension", "animate 1 --out x.avi", 2, ".mp4 or .webm", "x.avi"},
        Refusal{"OnlyAnExtension", "animate 1 --out .mp4", 2, ".mp4 or .webm", ".mp4"},
        Refusal{"FpsZero", "animate 1 --out x.mp4 --fps 0", 2, "--fps must be", "x.mp4"},
        Refusal{"FpsTooHigh", "animate 1 --out x.webm --fps 121", 2, "--fps must be", "x.webm"},
        Refusal{"FpsNotANumber", "animate 1 --out x.mp4 --fps 2.5", 2, "--fps must be", "x.mp4"},
        Refusal{"OtherStep", "animate 1 --out x.mp4 --step 7", 2, "--step must be 6 or 60", "x.mp4"},
        Refusal{"ScaleTooLarge", "animate 1 --out x.mp4 --scale 5", 2, "--scale", "x.mp4"},
        Refusal{"NoSuchEclipse", "animate 2 --out x.mp4", 2, "2", "x.mp4"},
        Refusal{"MissingFolder", "animate 1 --out missing/x.mp4", 3, "cannot write 'missing/x.mp4'", "missing"},
        Refusal{"FolderThatIsAFile", "animate 1 --out plain.txt/x.webm", 3, "cannot write", "plain.txt/x.webm"},
        Refusal{"TargetIsAFolder", "animate 1 --out folder.mp4", 3, "it is a folder", "folder.mp4/x"}),
    [](const auto& row) { return std::string(row.param.name); });

// An interrupt in the middle of a long video (the whole slider at step 6, 2401 frames)
// ends the run with the status of SIGINT and one line, and removes what was encoded; an
// older file of that name stays as it was.
TEST_F(AnimateCli, AnInterruptLeavesTheOldFileAndNoPartOfTheNewOne) {
  { std::ofstream(*dir_ / "kept.mp4") << "old video"; }
  const CliRun r = RunProgram(*dir_, "timeout", "--preserve-status -s INT 3 " + testing::CliProgram() +
                                                    " animate 1 --whole --step 6 --out kept.mp4");
  EXPECT_EQ(r.status, 128 + SIGINT) << r.err;
  EXPECT_NE(r.err.find("interrupted"), std::string::npos) << r.err;
  std::ifstream in(*dir_ / "kept.mp4");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old video");
  EXPECT_EQ(testing::WriterLeftovers(*dir_), "");
}

}  // namespace
}  // namespace varomintel
