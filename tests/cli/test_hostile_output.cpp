// Hostile surroundings of the written files, end to end: links that another user planted in
// a shared sticky folder (/tmp), signals and a file size limit in the middle of a video, a
// background job's ignored Ctrl-C, city files with values no place can have, and videos
// sent to standard output. Every row checks the status, the line on standard error, that
// no file other than the target changed and that the writer left nothing behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "../support/synthetic_eclipse.h"
#include "../support/writer_leftovers.h"
#include "eclipse/catalogue.h"
#include "render/video_writer.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out, err;
};

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class HostileOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_hostile_output_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    // Index 1: a partial eclipse on 2022 November 8, greatest 0.3 h after 11:00 TT.
    ASSERT_TRUE(WriteCatalogue((dir_ / kCatalogueFileName).string(),
                               {testing::LinearEclipse::Passing(1200).Record(2022, 11, 8, 11)}));
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs `script` with sh in the test's folder, $CLI naming the program; the shell's status
  // (128 + the signal for a program ended by one).
  Outcome Shell(const std::string& script) const {
    const fs::path outFile = dir_ / "stdout.txt", errFile = dir_ / "stderr.txt";
    const std::string cmd = "cd '" + dir_.string() + "' && CLI='" + testing::CliProgram() + "' sh -c '" + script + "' >'" +
                            outFile.string() + "' 2>'" + errFile.string() + "'";
    const int raw = std::system(cmd.c_str());
    Outcome o;
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    o.out = Read(outFile);
    o.err = Read(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return o;
  }
  fs::path dir_;
};

// A folder like /tmp: sticky, and every user may write in it.
void MakeSharedFolder(const fs::path& p, uid_t owner) {
  fs::create_directories(p);
  ::chmod(p.c_str(), 01777);
  ASSERT_EQ(::chown(p.c_str(), owner, static_cast<gid_t>(-1)), 0);
}

// A symbolic link at `at` to `to`, owned by `owner` (only root can give it away).
void PlantLink(const std::string& to, const fs::path& at, uid_t owner) {
  fs::create_symlink(to, at);
  ASSERT_EQ(::lchown(at.c_str(), owner, static_cast<gid_t>(-1)), 0);
}

// `count` pictures of 64 x 48 in changing colours, encoded as a video to standard output
// (kStandardOutput) while standard output is `fd`; status 0 when written, 3 on failure.
Outcome VideoToDescriptor(int fd, std::optional<VideoFormat> format, int count) {
  std::fflush(stdout);
  const int saved = ::dup(STDOUT_FILENO);
  ::dup2(fd, STDOUT_FILENO);
  std::string error;
  const VideoOutcome outcome = WriteVideo(
      kStandardOutput, format, QSize(64, 48), 10, count,
      [](int i) {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv((i * 37) % 360, 200, 200));
        return picture;
      },
      {}, &error);
  ::dup2(saved, STDOUT_FILENO);
  ::close(saved);
  return {outcome == VideoOutcome::Written ? 0 : 3, {}, error};
}

// ffprobe's codec and frame count of a video: "h264 30".
std::string Probed(const std::string& input) {
  return "ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=codec_name,nb_read_frames "
         "-of csv=p=0 " + input;
}

TEST_F(HostileOutput, LinksSignalsLimitsCityValuesAndStandardOutput) {
  const bool root = ::geteuid() == 0;
  const passwd* nobodyEntry = ::getpwnam("nobody");
  const uid_t nobody = nobodyEntry ? nobodyEntry->pw_uid : 65534;
  const std::string victim = "the victim's bytes";
  const fs::path shared = dir_ / "shared", nobodysOwn = dir_ / "nobodys";
  const auto putVictim = [&] { std::ofstream(dir_ / "victim.txt", std::ios::binary) << victim; };
  const auto victimUntouched = [&] { EXPECT_TRUE(Read(dir_ / "victim.txt") == victim) << "the victim was written"; };
  const auto isPng = [&](const fs::path& p) { EXPECT_EQ(Read(p).rfind("\x89PNG", 0), 0u) << p; };
  const auto noFile = [&](const char* name) { return [&, name] { EXPECT_FALSE(fs::exists(dir_ / name)) << name; }; };
  const auto cities = [&](const std::string& bytes) { std::ofstream(dir_ / "cities.txt", std::ios::binary) << bytes; };
  const std::string basel = "Basel\t170000\t4756\t759\tSchweiz\n";
  const std::string probeFile = (dir_ / "probe.txt").string();
  // A video written to standard output into a pipe that ffprobe reads.
  const auto intoFfprobe = [&](std::optional<VideoFormat> format) {
    return [&, format] {
      std::signal(SIGPIPE, SIG_IGN);  // a reader that stops early fails the write, not the test
      FILE* probe = ::popen((Probed("-i -") + " >'" + probeFile + "' 2>&1").c_str(), "w");
      if (!probe) return Outcome{};
      Outcome o = VideoToDescriptor(::fileno(probe), format, 30);
      ::pclose(probe);
      std::signal(SIGPIPE, SIG_DFL);
      return o;
    };
  };

  struct Row {
    const char* what;
    bool needsRoot;                   // a link of another user can only be made by root
    std::function<void()> setUp;
    std::function<Outcome()> run;
    int status;
    const char* message;              // part of standard error ("" for none)
    std::function<void()> check;
  };
  const auto shell = [&](const char* script) { return [&, script] { return Shell(script); }; };
  const std::vector<Row> rows = {
      // Links planted by nobody in a sticky folder that anyone may write: refused, the
      // victim stays as it was, the link stays a link.
      {"animate through another user's link", true,
       [&] {
         MakeSharedFolder(shared, 0);
         PlantLink("../victim.txt", shared / "lesson.mp4", nobody);
       },
       shell("$CLI animate 1 --out shared/lesson.mp4"), 3,
       "'lesson.mp4' is a symbolic link of another user in a sticky folder",
       [&] { EXPECT_TRUE(fs::is_symlink(shared / "lesson.mp4")); }},
      {"diagram through another user's link", true,
       [&] {
         MakeSharedFolder(shared, 0);
         PlantLink("../victim.txt", shared / "pic.png", nobody);
       },
       shell("$CLI diagram 1 --out shared/pic.png"), 3, "is a symbolic link of another user", [] {}},
      {"the second link of a chain is another user's", true,
       [&] {
         MakeSharedFolder(shared, 0);
         PlantLink("../victim.txt", shared / "hop.png", nobody);
         fs::create_symlink("shared/hop.png", dir_ / "mine.png");
       },
       shell("$CLI diagram 1 --out mine.png"), 3, "'hop.png' is a symbolic link of another user", [] {}},
      {"another user's link to a folder on the way", true,
       [&] {
         MakeSharedFolder(shared, 0);
         fs::create_directories(dir_ / "elsewhere");
         PlantLink("../elsewhere", shared / "pictures", nobody);
       },
       shell("$CLI diagram 1 --out shared/pictures/pic.png"), 3, "'pictures' is a symbolic link of another user",
       [&] { EXPECT_TRUE(fs::is_empty(dir_ / "elsewhere")); }},
      {"another user's link planted at a later frame's name during --frames", true,
       [&] { MakeSharedFolder(shared, 0); },
       shell("$CLI diagram 1 --frames shared --step 60 >/dev/null & p=$!; sleep 0.5; "
             "ln -s ../victim.txt shared/diagram_00240.png; chown -h nobody shared/diagram_00240.png; wait $p"),
       3, "'diagram_00240.png' is a symbolic link of another user",
       [&] {  // the pictures written before it are removed, the link stays
         std::vector<std::string> left;
         for (const auto& e : fs::directory_iterator(shared)) left.push_back(e.path().filename().string());
         EXPECT_EQ(left, std::vector<std::string>{"diagram_00240.png"});
         EXPECT_TRUE(fs::is_symlink(shared / "diagram_00240.png"));
       }},
      // Followed as the kernel's rule allows: the link of the folder's owner, and the
      // caller's own link.
      {"a link of the shared folder's owner", true,
       [&] {
         MakeSharedFolder(nobodysOwn, nobody);
         PlantLink("../target.png", nobodysOwn / "pic.png", nobody);
       },
       shell("$CLI diagram 1 --out nobodys/pic.png"), 0, "",
       [&] {
         isPng(dir_ / "target.png");
         EXPECT_TRUE(fs::is_symlink(nobodysOwn / "pic.png"));
       }},
      {"the caller's own link in the shared folder", false,
       [&] {
         MakeSharedFolder(shared, ::geteuid());
         fs::create_symlink("../own.png", shared / "pic.png");
       },
       shell("$CLI diagram 1 --out shared/pic.png"), 0, "", [&] { isPng(dir_ / "own.png"); }},
      // Signals in the middle of a long video (2,401 frames): the program ends by the
      // signal itself, and the video is not there.
      {"SIGTERM", false, [] {}, shell("timeout --preserve-status -s TERM 2 $CLI animate 1 --whole --step 6 --out v.mp4"),
       128 + SIGTERM, "interrupted by SIGTERM", noFile("v.mp4")},
      {"SIGHUP", false, [] {}, shell("timeout --preserve-status -s HUP 2 $CLI animate 1 --whole --step 6 --out v.webm"),
       128 + SIGHUP, "interrupted by SIGHUP", noFile("v.webm")},
      {"SIGUSR1", false, [] {}, shell("timeout --preserve-status -s USR1 2 $CLI animate 1 --whole --step 6 --out v.mp4"),
       128 + SIGUSR1, "interrupted by SIGUSR1", noFile("v.mp4")},
      {"SIGALRM", false, [] {}, shell("timeout --preserve-status -s ALRM 2 $CLI animate 1 --whole --step 6 --out v.mp4"),
       128 + SIGALRM, "interrupted by SIGALRM", noFile("v.mp4")},
      // The file size limit (10 KB in dash's 512-byte blocks): a reported failure.
      {"a file size limit", false, [] {}, shell("ulimit -f 20; $CLI animate 1 --out v.webm"), 3,
       "cannot write 'v.webm': File too large", noFile("v.webm")},
      // A job in the background of a script has SIGINT ignored: the Ctrl-C meant for the
      // script does not cancel it (it is still running a second later), SIGTERM does.
      {"a background job keeps its ignored SIGINT", false, [] {},
       shell("$CLI animate 1 --whole --step 6 --out bg.mp4 & p=$!; sleep 1; kill -INT $p; sleep 1; "
             "kill -0 $p && kill -TERM $p; wait $p"),
       128 + SIGTERM, "interrupted by SIGTERM", noFile("bg.mp4")},
      // City files with values that no place has: a line error, status 2.
      {"a latitude beyond the pole", false, [&] { cities(basel + "X\t1\t9001\t0\tY\n"); },
       shell("$CLI citylist 1 --cities cities.txt --format json"), 2,
       "line 2: '9001' is not a latitude (hundredths of a degree, -9000 to 9000)", [] {}},
      {"a latitude of 999.99", false, [&] { cities("X\t1\t99999\t0\tY\n" + basel); },
       shell("$CLI citylist 1 --cities cities.txt --format json"), 2, "line 1: '99999' is not a latitude", [] {}},
      {"a longitude beyond the date line", false, [&] { cities(basel + "X\t1\t0\t-18001\tY\n"); },
       shell("$CLI citylist 1 --cities cities.txt"), 2, "line 2: '-18001' is not a longitude", [] {}},
      {"a population beyond 32 bits", false, [&] { cities(basel + "X\t999999999999\t4756\t759\tY\n"); },
       shell("$CLI citylist 1 --cities cities.txt --screen"), 2,
       "line 2: '999999999999' is not a population (0 to 2147483647)", [] {}},
      {"a negative population", false, [&] { cities("X\t-5\t4756\t759\tY\n"); },
       shell("$CLI citylist 1 --cities cities.txt"), 2, "line 1: '-5' is not a population", [] {}},
      // Videos to standard output: a stream that ffprobe reads from a pipe, a seekable
      // file, and the refusals.
      {"WebM into a pipe", false, [] {}, intoFfprobe(VideoFormat::WebM), 0, "",
       [&] { EXPECT_EQ(Read(probeFile), "vp9,30\n"); }},
      {"MP4 into a pipe, fragmented", false, [] {}, intoFfprobe(VideoFormat::Mp4), 0, "",
       [&] { EXPECT_EQ(Read(probeFile), "h264,30\n"); }},
      {"MP4 into a file after other bytes", false, [] {},
       [&] {
         const int fd = ::open((dir_ / "out.mp4").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
         EXPECT_EQ(::write(fd, "head", 4), 4);
         Outcome o = VideoToDescriptor(fd, VideoFormat::Mp4, 30);
         ::close(fd);
         // The video starts after the 4 bytes that stood there.
         const std::string bytes = Read(dir_ / "out.mp4");
         std::ofstream(dir_ / "video.mp4", std::ios::binary) << bytes.substr(std::min<std::size_t>(4, bytes.size()));
         return o;
       },
       0, "",
       [&] {
         EXPECT_EQ(Shell(Probed("video.mp4")).out, "h264,30\n");
         EXPECT_EQ(Read(dir_ / "out.mp4").substr(0, 4), "head");
       }},
      {"standard output without a format", false, [] {},
       [&] {
         const int fd = ::open("/dev/null", O_WRONLY);
         Outcome o = VideoToDescriptor(fd, std::nullopt, 3);
         ::close(fd);
         return o;
       },
       3, "cannot write the video to standard output: standard output needs the format, MP4 or WebM", [] {}},
      {"standard output a terminal", false, [] {},
       [&] {
         const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
         if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return Outcome{};
         const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
         Outcome o = VideoToDescriptor(terminal, VideoFormat::WebM, 3);
         ::close(terminal);
         ::close(master);
         return o;
       },
       3, "standard output is a terminal", [] {}},
  };

  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    if (row.needsRoot && !root) {  // only root can give a link to another user
      std::printf("[ SKIPPED  ] %s: needs root\n", row.what);
      continue;
    }
    fs::remove_all(shared);
    fs::remove_all(nobodysOwn);
    putVictim();
    row.setUp();
    const Outcome o = row.run();
    EXPECT_EQ(o.status, row.status) << o.err;
    if (*row.message) {
      EXPECT_NE(o.err.find(row.message), std::string::npos) << o.err;
    } else {
      EXPECT_EQ(o.err.find("varomintel-cli:"), std::string::npos) << o.err;
    }
    if (row.status == 2) {
      EXPECT_EQ(o.out.find("999.99"), std::string::npos) << o.out;
    }
    row.check();
    victimUntouched();
    EXPECT_EQ(testing::WriterLeftovers(dir_), "");
    if (fs::exists(shared)) {
      EXPECT_EQ(testing::WriterLeftovers(shared), "");
    }
  }
}

}  // namespace
}  // namespace varomintel
