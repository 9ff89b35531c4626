// Hostile and broken input, end to end, as a careful user or a script meets it: outputs
// that cannot be written, truncated pictures, city files without line breaks or that are
// folders, catalogues with impossible records, and numbers with two signs. Every case
// must end with one clear line on standard error and a non-zero status, and lose nothing.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "eclipse/catalogue.h"
#include "../support/synthetic_eclipse.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string err;
};

class HostileInput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::temp_directory_path() / ("varomintel_hostile_" + std::to_string(::getpid())));
    fs::create_directories(*dir_);
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
  }

  // Runs `script` with sh in the temporary folder, $CLI naming the program and $CAT the
  // shipped catalogue; standard error is captured, standard output is the script's.
  static Outcome Shell(const std::string& script) {
    const fs::path errFile = *dir_ / "stderr.txt";
    const std::string cmd = "cd '" + dir_->string() + "' && CLI='" + testing::CliProgram() + "' CAT='" +
                            testing::DataDir() + "/Bessel_Lunar_12ky_VNB_0130_25.858.bin' sh -c '" +
                            script + "' 2>'" + errFile.string() + "'";
    const int raw = std::system(cmd.c_str());
    Outcome o;
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(errFile);
    o.err.assign(std::istreambuf_iterator<char>(in), {});
    return o;
  }
  // Runs the program with `args` writing into a pipe whose reading end is closed before it
  // starts, with SIGPIPE ignored: every write fails with EPIPE, whatever the timing.
  static Outcome ToClosedPipe(const std::string& args) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    ::close(fds[0]);
    const std::string errFile = (*dir_ / "stderr.txt").string();
    const std::string cmd = "cd '" + dir_->string() + "' && CLI='" + testing::CliProgram() + "' CAT='" +
                            testing::DataDir() + "/Bessel_Lunar_12ky_VNB_0130_25.858.bin' && exec \"$CLI\" " +
                            args + " 2>'" + errFile + "'";
    const pid_t pid = ::fork();
    if (pid == 0) {
      std::signal(SIGPIPE, SIG_IGN);  // ignored signals stay ignored across exec
      ::dup2(fds[1], 1);
      ::close(fds[1]);
      ::execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(fds[1]);
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    Outcome o;
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : -1;  // as a shell
    std::ifstream in(errFile);
    o.err.assign(std::istreambuf_iterator<char>(in), {});
    return o;
  }
  static std::string Path(const std::string& name) { return (*dir_ / name).string(); }
  static void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }

  static fs::path* dir_;
};
fs::path* HostileInput::dir_ = nullptr;

int Lines(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), '\n')); }

// Every command, and the help, on an output that cannot take the data.
TEST_F(HostileInput, AFailedWriteToStandardOutputIsAFailure) {
  Write("places.txt", "Basel\t170000\t4756\t759\tSchweiz\n");
  const char* commands[] = {
      "--help",
      "--catalogue $CAT report 16921",
      "--catalogue $CAT circumstances all",
      "--catalogue $CAT find --year 2022",
      "--catalogue $CAT citylist 16921 --cities places.txt",
      "--catalogue $CAT cityhist --lat 47.5N --lon 7.5E --from 2000 --to 2030",
  };
  // (A pipe without reader is no failure: see ClosedPipesAndOutputFiles.)
  const char* sinks[] = {"$CLI %s > /dev/full", "$CLI %s >&-"};
  for (const char* command : commands)
    for (const char* sink : sinks) {
      char script[512];
      std::snprintf(script, sizeof script, sink, command);
      const std::string what = script;
      const Outcome o = Shell(script);
      EXPECT_EQ(o.status, 3) << what;
      EXPECT_GE(Lines(o.err), 1) << what;
      EXPECT_NE(o.err.find("varomintel-cli: cannot write the output"), std::string::npos) << what << "\n" << o.err;
    }
}

TEST_F(HostileInput, CityFilesThatCannotBeListsAreRefusedByName) {
  // Tokyo and Osaka, both of which saw the eclipse of 2022 November 8.
  Write("crlf.txt", "A\t9000000\t3568\t13969\tX\rB\t2700000\t3469\t13550\tY\r");
  const struct {
    const char* cities;
    int status;
    const char* message;
  } cases[] = {
      {"/dev/zero", 2, "city file '/dev/zero' cannot be read: it is not a regular file (a character device)"},
      {"/tmp", 2, "city file '/tmp' cannot be read: Is a directory"},
      {"/nonexistent/places.txt", 2, "city file '/nonexistent/places.txt' cannot be read"},
  };
  for (const auto& c : cases) {
    const Outcome o = Shell(std::string("$CLI --catalogue $CAT citylist 16921 --cities ") + c.cities + " > out.txt");
    EXPECT_EQ(o.status, c.status) << c.cities;
    EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
  }
  // CR alone ends a line: two places, each with its own country.
  const Outcome o = Shell("$CLI --catalogue $CAT citylist 16921 --cities crlf.txt --screen > out.txt");
  EXPECT_NE(o.err.find("2 Places scanned. 2 Places found"), std::string::npos) << o.err;
  std::ifstream in(Path("out.txt"));
  const std::string out(std::istreambuf_iterator<char>(in), {});
  EXPECT_NE(out.find(" X "), std::string::npos) << out;
  EXPECT_NE(out.find(" Y "), std::string::npos) << out;
}

TEST_F(HostileInput, BadArgumentsGetOneLineAndStatusTwo) {
  const struct {
    const char* args;
    const char* message;
  } cases[] = {
      {"report 16921 --tz +-5", "--tz must be a number"},
      {"find --year +-2000", "is not an integer"},
      {"cityhist --lat 47.5N --lon 7.5E --from +-100", "--from must be a whole year"},
      {"cityhist --lat 47.5N --lon 7.5E --from 2030 --to 2000", "the years run backwards"},
      {"cityhist --lat 47.5N --lon 7.5E --name \"$(printf \"A\\tB\")\"", "--name must not contain control"},
      {"cityhist --lat 47.5N --lon 7.5E --name \"$(printf \"A\\nB\")\"", "--name must not contain control"},
  };
  for (const auto& c : cases) {
    const Outcome o = Shell(std::string("$CLI --catalogue $CAT ") + c.args + " > out.txt");
    EXPECT_NE(o.status, 0) << c.args;
    EXPECT_EQ(Lines(o.err), 1) << c.args << "\n" << o.err;
    EXPECT_NE(o.err.find(c.message), std::string::npos) << c.args << "\n" << o.err;
  }
  // A year beyond 64 bits is clamped like any other year past the end, to 7000.
  const Outcome huge = Shell("$CLI --catalogue $CAT find --year 99999999999999999999 > huge.txt");
  const Outcome last = Shell("$CLI --catalogue $CAT find --year 28886 > last.txt");
  const Outcome y7000 = Shell("$CLI --catalogue $CAT find --year 7000 > y7000.txt");
  EXPECT_EQ(huge.status, 0) << huge.err;
  std::ifstream a(Path("huge.txt")), b(Path("last.txt")), c(Path("y7000.txt"));
  const std::string hugeOut(std::istreambuf_iterator<char>(a), {}), lastOut(std::istreambuf_iterator<char>(b), {});
  const std::string out7000(std::istreambuf_iterator<char>(c), {});
  EXPECT_EQ(hugeOut, lastOut);
  EXPECT_EQ(hugeOut, out7000);
  EXPECT_NE(hugeOut.find("\t7000-"), std::string::npos) << hugeOut;
}

TEST_F(HostileInput, CataloguesWithImpossibleRecordsOrSizesAreRefusedWithTheReason) {
  const EclipseRecord good = testing::LinearEclipse::Passing(1200).Record();
  EclipseRecord year = good;
  year.Year = 2147483647;
  EclipseRecord type0 = good;
  type0.EclipseType = EclipseTypeCode{0};
  EclipseRecord type6 = good;
  type6.EclipseType = EclipseTypeCode{6};
  ASSERT_TRUE(WriteCatalogue(Path("year.bin"), {good, year}));
  ASSERT_TRUE(WriteCatalogue(Path("type0.bin"), {type0}));
  ASSERT_TRUE(WriteCatalogue(Path("type6.bin"), {good, good, type6}));
  // A sparse file of exactly 1,075,000,000 bytes (2,500,000 records' worth): too large.
  ASSERT_EQ(::truncate(Path("huge.bin").c_str(), 0), -1);  // does not exist yet
  std::ofstream(Path("huge.bin")).close();
  ASSERT_EQ(::truncate(Path("huge.bin").c_str(), 1075000000), 0);
  fs::remove(Path("loop.bin"));
  fs::create_symlink("loop.bin", Path("loop.bin"));
  const struct {
    const char* file;
    const char* message;
  } cases[] = {
      {"year.bin", "record 2 describes no eclipse (year 2147483647 is not -4999 to 7000)"},
      {"type0.bin", "record 1 describes no eclipse (eclipse type 0 is not 1 to 5)"},
      {"type6.bin", "record 3 describes no eclipse (eclipse type 6 is not 1 to 5)"},
      {"huge.bin", "has 1075000000 bytes, more than a catalogue can have"},
      {"loop.bin", "cannot be read: Too many levels of symbolic links"},
  };
  for (const auto& c : cases) {
    const Outcome o = Shell(std::string("$CLI --catalogue ") + c.file + " report 1 > out.txt");
    EXPECT_EQ(o.status, 2) << c.file;
    EXPECT_EQ(Lines(o.err), 1) << o.err;
    EXPECT_NE(o.err.find(c.message), std::string::npos) << c.file << "\n" << o.err;
  }
  fs::remove(Path("huge.bin"));
}

TEST_F(HostileInput, ATruncatedDarkMapIsRefusedAndKeepsItsBytes) {
  std::ifstream in(testing::DataDir() + "/demis_world_680x340_dark.bmp", std::ios::binary);
  const std::string whole(std::istreambuf_iterator<char>(in), {});
  ASSERT_GT(whole.size(), 100000u);
  fs::create_directories(Path("maps"));
  const std::string cut = whole.substr(0, whole.size() / 2);
  std::ofstream(Path("maps/demis_world_680x340_dark.bmp"), std::ios::binary) << cut;
  const Outcome o = Shell("cd maps && $CLI prepare-dark-maps > out.txt");
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(Lines(o.err), 1) << o.err;
  EXPECT_NE(o.err.find("demis_world_680x340_dark.bmp' is refused: its pixel data is cut short"), std::string::npos)
      << o.err;
  std::ifstream back(Path("maps/demis_world_680x340_dark.bmp"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(back), {}), cut);
}

// ---------------------------------------------------------------------------------------
// Output files that cannot be written, links planted beside them, readers that have gone,
// and control characters in what an error line quotes. One row per case: the script (run
// by sh in the temporary folder), the status, a part of standard error ("" for none),
// and a check of the folder afterwards.

struct OutputRow {
  const char* what;
  const char* script;
  int status;
  const char* message;  // part of the one error line; "" when standard error stays empty
};

TEST_F(HostileInput, ClosedPipesAndOutputFiles) {
  const fs::path data = testing::DataDir();
  fs::remove_all(Path("out"));
  fs::create_directories(Path("out"));
  Write("out/victim", "the victim's bytes");
  Write("out/old.png", "old picture");
  Write("out/kept.png.part", "the user's own file");
  fs::create_directories(Path("out/maps"));
  fs::copy_file(data / "demis_world_680x340_dark.bmp", Path("out/maps/demis_world_680x340_dark.bmp"));
  const std::string longName = std::string(251, 'n') + ".png";  // 255 bytes, the longest name
  const std::string longScript = "cd out && $CLI --catalogue $CAT map 16921 --out " + longName;
  // A file size limit of 8 blocks of 512 bytes (with SIGXFSZ ignored, so that the write
  // fails with EFBIG) stands in for a disk that fills up halfway through a picture.
  const OutputRow rows[] = {
      {"map into a link planted at the old temporary name",
       "cd out && ln -s victim new.png.part && ln -s victim .new.png.part && "
       "$CLI --catalogue $CAT map 16921 --out new.png",
       0, ""},
      {"diagram beside the user's own .part file", "cd out && $CLI --catalogue $CAT diagram 16921 --out kept.png > /dev/null",
       0, ""},
      {"map under a 255-byte name", longScript.c_str(), 0, ""},
      {"map onto /dev/full", "$CLI --catalogue $CAT map 16921 --out /dev/full", 3,
       "varomintel-cli: cannot write '/dev/full': No space left on device"},
      {"diagram onto /dev/full", "$CLI --catalogue $CAT diagram 16921 --out /dev/full", 3,
       "varomintel-cli: cannot write '/dev/full': No space left on device"},
      {"diagram into a folder that does not exist", "$CLI --catalogue $CAT diagram 16921 --out out/none/a.png", 3,
       "cannot write 'out/none/a.png': No such file or directory"},
      {"map over an old picture on a full disk",
       "trap \"\" XFSZ; ulimit -f 8; $CLI --catalogue $CAT map 16921 --out out/old.png", 3,
       "varomintel-cli: cannot write 'out/old.png': File too large"},
      {"diagram frames on a full disk",
       "trap \"\" XFSZ; ulimit -f 8; $CLI --catalogue $CAT diagram 16921 --frames out/frames --step 60 > /dev/null", 3,
       "cannot write 'out/frames/diagram_00000.png': File too large"},
      {"dark map on a full disk", "cd out/maps && trap \"\" XFSZ && ulimit -f 8 && $CLI prepare-dark-maps", 3,
       "varomintel-cli: prepare-dark-maps: cannot write 'demis_world_680x340_dark.bmp': File too large"},
      {"a reader that has gone",
       "{ $CLI --catalogue $CAT circumstances all; echo $? > out/status; } | head -n 1 > /dev/null; "
       "exit $(cat out/status)",
       141, ""},
  };
  for (const OutputRow& row : rows) {
    const Outcome o = Shell(row.script);
    EXPECT_EQ(o.status, row.status) << row.what << "\n" << o.err;
    if (*row.message) {
      EXPECT_EQ(Lines(o.err), 1) << row.what << "\n" << o.err;
      EXPECT_NE(o.err.find(row.message), std::string::npos) << row.what << "\n" << o.err;
    } else {
      EXPECT_EQ(o.err, "") << row.what;
    }
  }
  // Nothing but the targets was written: the victim, the user's own file and the old
  // picture kept their bytes, the links are still links, and no temporary file is left.
  std::ifstream victim(Path("out/victim")), own(Path("out/kept.png.part")), old(Path("out/old.png"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(victim), {}), "the victim's bytes");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(own), {}), "the user's own file");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old picture");
  EXPECT_TRUE(fs::is_symlink(Path("out/new.png.part")));
  const auto size = [](const std::string& path) {  // 0 for a file that is not there
    std::error_code error;
    const auto bytes = fs::file_size(path, error);
    return error ? 0 : bytes;
  };
  EXPECT_GT(size(Path("out/new.png")), 10000u);
  EXPECT_GT(size(Path("out/kept.png")), 10000u);
  EXPECT_GT(size(Path("out") + "/" + longName), 10000u);
  std::ifstream map(Path("out/maps/demis_world_680x340_dark.bmp"), std::ios::binary), shipped(
      data / "demis_world_680x340_dark.bmp", std::ios::binary);
  EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(map), {}, std::istreambuf_iterator<char>(shipped), {}));
  for (const auto& e : fs::recursive_directory_iterator(Path("out")))
    EXPECT_EQ(e.path().filename().string().rfind(".varomintel-", 0), std::string::npos) << e.path();

  // Also when the caller left SIGPIPE ignored, a reader that has gone ends every command
  // quietly by SIGPIPE, at once, instead of an error line.
  Write("places.txt", "Basel\t170000\t4756\t759\tSchweiz\n");
  const std::string cat = (data / "Bessel_Lunar_12ky_VNB_0130_25.858.bin").string();
  for (const std::string args : {"--help", "report 16921", "circumstances all", "find --year 2022",
                                 "citylist 16921 --cities places.txt",
                                 "cityhist --lat 47.5N --lon 7.5E --from 2000 --to 2030"}) {
    const Outcome o = ToClosedPipe(args == "--help" ? args : "--catalogue " + cat + " " + args);
    EXPECT_EQ(o.status, 128 + SIGPIPE) << args << "\n" << o.err;
    EXPECT_EQ(o.err, "") << args;
  }
}

// Arguments and file names quoted in an error line are shown with their control
// characters escaped: the line stays one line and the terminal receives no commands.
TEST_F(HostileInput, ErrorLinesShowControlCharactersEscaped) {
  const struct {
    const char* args;
    int status;
    const char* shown;
  } rows[] = {
      {R"x(report 1 --lang "$(printf "de\nen")")x", 2, R"(--lang must be de, en, fr or es, not 'de\nen')"},
      {R"x(report 1 --lang "$(printf "\033[2J\033[31mred")")x", 2, R"(not '\x1b[2J\x1b[31mred')"},
      {R"x(report 1 --lang "$(printf "a\rb\tc\177")")x", 2, R"(not 'a\rb\tc\x7f')"},
      {R"x(report 1 --lang "$(printf "\302\233x\377y")")x", 2, R"(not '\u009bx\xffy')"},
      {R"x(report 1 --lang "$(printf "\303\244\\\\")")x", 2, "not '\xc3\xa4\\'"},  // ä and a backslash stay
      {R"x(report "$(printf "1\n2")")x", 2, R"(index '1\n2' is not)"},
      {R"x(citylist 16921 --cities "$(printf "no\nsuch")")x", 2, R"(city file 'no\nsuch' cannot be read)"},
      {R"x(map 16921 --out "$(printf "no\nsuch/x.png")")x", 3, R"(cannot write 'no\nsuch/x.png': No such file)"},
      {R"x(diagram 16921 --out "$(printf "no\033such/x.png")")x", 3, R"(cannot write 'no\x1bsuch/x.png': No such)"},
  };
  for (const auto& row : rows) {
    const Outcome o = Shell(std::string("$CLI --catalogue $CAT ") + row.args + " > /dev/null");
    EXPECT_EQ(o.status, row.status) << row.args << "\n" << o.err;
    EXPECT_EQ(Lines(o.err), 1) << row.args << "\n" << o.err;
    EXPECT_NE(o.err.find(row.shown), std::string::npos) << row.args << "\n" << o.err;
    EXPECT_TRUE(std::none_of(o.err.begin(), o.err.end() - (o.err.empty() ? 0 : 1),
                             [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }))
        << row.args << "\n" << o.err;
  }
  const Outcome o = Shell(R"x($CLI --catalogue "$(printf "cat\nalogue")" report 1)x");
  EXPECT_EQ(Lines(o.err), 1) << o.err;
  EXPECT_NE(o.err.find(R"(cat\nalogue)"), std::string::npos) << o.err;
}

// ---- The places commands: city files that are not regular files or break off, names
// that are not UTF-8. Each run is bounded by `timeout`, so that a command that hangs (a
// FIFO read without a writer, a fold that never moves on) fails the row instead of the run.
TEST_F(HostileInput, PlacesCommandsRefuseBrokenCityFilesAndNamesBeforeAnyOutput) {
  ::unlink(Path("fifo").c_str());
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  Write("endless.txt", std::string(200000, 'x'));
  std::string fiveGood;
  for (int i = 0; i < 5; ++i) fiveGood += "Tokyo" + std::to_string(i) + "\t9000000\t3568\t13969\tJapan\r\n";
  Write("sixth-bad.txt", fiveGood + "Osaka\t27OO000\t3469\t13550\tJapan\r\n");
  Write("continuations.txt", std::string(80, '\x80'));
  Write("overlong.txt", "Z\xC0\xAFrich");
  Write("cut.txt", "Z\xC3");
  Write("surrogate.txt", "\xED\xA0\x80");
  const std::string cityhist = "cityhist --lat 47.5N --lon 7.5E --from 2000 --to 2030 ";
  const struct {
    std::string args;
    const char* message;
  } rows[] = {
      {"citylist 16921 --cities fifo", "city file 'fifo' cannot be read: it is not a regular file (a FIFO)"},
      {"citylist 16921 --cities fifo --format json", "city file 'fifo' cannot be read: it is not a regular file"},
      {"citylist 16921 --cities endless.txt --format json", "'endless.txt' line 1 is too long (more than 4096 bytes)"},
      {"citylist 16921 --cities sixth-bad.txt --format json", "'sixth-bad.txt' line 6: '27OO000' is not a valid"},
      {"citylist 16921 --cities sixth-bad.txt --screen", "'sixth-bad.txt' line 6: '27OO000' is not a valid"},
      {cityhist + "--format ics --name \"$(cat continuations.txt)\"", "--name must be UTF-8 text"},
      {cityhist + "--format json --name \"$(cat overlong.txt)\"", "--name must be UTF-8 text"},
      {cityhist + "--name \"$(cat cut.txt)\"", "--name must be UTF-8 text"},
      {cityhist + "--screen --name \"$(cat surrogate.txt)\"", "--name must be UTF-8 text"},
  };
  for (const auto& row : rows) {
    const Outcome o = Shell("timeout -s KILL 60 $CLI --catalogue $CAT " + row.args + " > out.txt");
    EXPECT_EQ(o.status, 2) << row.args << "\n" << o.err;
    EXPECT_EQ(Lines(o.err), 1) << row.args << "\n" << o.err;
    EXPECT_NE(o.err.find(row.message), std::string::npos) << row.args << "\n" << o.err;
    std::ifstream in(Path("out.txt"), std::ios::binary);
    const std::string out(std::istreambuf_iterator<char>(in), {});
    EXPECT_TRUE(out.empty()) << row.args << "\n" << out.substr(0, 200);
  }
  // The good places before the bad line are listed when the file is whole: the same five,
  // as a document that a JSON reader accepts.
  Write("five-good.txt", fiveGood);
  const Outcome o = Shell("$CLI --catalogue $CAT citylist 16921 --cities five-good.txt --format json > out.json && "
                          "python3 -c \"import json; d = json.load(open(\\\"out.json\\\")); "
                          "assert d[\\\"places_scanned\\\"] == 5 and len(d[\\\"places\\\"]) == 5\"");
  EXPECT_EQ(o.status, 0) << o.err;
  // A long name in UTF-8 is folded between its characters.
  std::string name;
  for (int i = 0; i < 60; ++i) name += "\xC3\xA9";  // 60 x e-acute, 120 octets
  Write("long-name.txt", name);
  const Outcome ics = Shell("$CLI --catalogue $CAT " + cityhist + "--format ics --name \"$(cat long-name.txt)\" > out.ics");
  EXPECT_EQ(ics.status, 0) << ics.err;
  std::ifstream in(Path("out.ics"), std::ios::binary);
  const std::string calendar(std::istreambuf_iterator<char>(in), {});
  std::string unfolded;
  for (std::size_t i = 0; i < calendar.size(); ++i) {
    if (calendar.compare(i, 3, "\r\n ") == 0) {
      EXPECT_NE(static_cast<unsigned char>(calendar[i + 3]) & 0xC0, 0x80) << "a fold inside a character";
      i += 2;
      continue;
    }
    unfolded += calendar[i];
  }
  EXPECT_NE(unfolded.find("X-WR-CALNAME:Lunar eclipses \xE2\x80\x93 " + name + "\r\n"), std::string::npos);
  fs::remove(Path("fifo"));
}

// citylist writes each place of its JSON document as it finds it: twelve times the places
// take no more memory than the few (the document built whole took some 9 KB a place).
TEST_F(HostileInput, CityListJsonKeepsMemoryFlatWhateverTheCityFileSize) {
  const std::string tokyo = "Tokyo\t9000000\t3568\t13969\tJapan\r\n";
  // The list is computed in blocks of 1,024 places, at most two per core in flight, so
  // both files are longer than what a run holds at once on a machine of up to four cores.
  std::string block, few, many;
  for (int i = 0; i < 500; ++i) block += tokyo;
  for (int i = 0; i < 16; ++i) few += block;
  for (int i = 0; i < 4; ++i) many += few;
  Write("few.txt", few);
  Write("many.txt", many);
  // The peak resident size of one run, in KiB (the shell hands its process over to the
  // program); a small quarantine keeps a sanitizer build from holding freed memory.
  const auto peakKiB = [](const std::string& args) {
    const std::string cmd = "cd '" + dir_->string() + "' && ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}" +
                            "quarantine_size_mb=1\" exec '" + testing::CliProgram() + "' --catalogue '" +
                            testing::DataDir() + "/Bessel_Lunar_12ky_VNB_0130_25.858.bin' " + args +
                            " > out.txt 2> stderr.txt";
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    int raw = 0;
    struct rusage usage {};
    ::wait4(pid, &raw, 0, &usage);
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << args;
    EXPECT_GT(fs::file_size(Path("out.txt")), 500u * 1000) << args;
    return static_cast<long>(usage.ru_maxrss);
  };
  const long fewKiB = peakKiB("citylist 16921 --cities few.txt --format json");
  const long manyKiB = peakKiB("citylist 16921 --cities many.txt --format json");
  EXPECT_LT(manyKiB - fewKiB, 16 * 1024) << fewKiB << " KiB for 8000 places, " << manyKiB << " KiB for 32000";
}

// --- Pictures, frames folders, the toolkit's platform and crafted records: the picture
// commands ----------------------------------------------------------------------------

// Crafted eclipses, index 1..3: an ordinary total eclipse whose Moon of 915" radius is
// drawn from mond84.bmp all along the slider; a Moon that never moves, whose
// greatest-eclipse search cannot converge; a penumbra of a million million arcseconds.
void WriteCraftedCatalogue(const std::string& path) {
  testing::LinearEclipse ordinary = testing::LinearEclipse::Passing(1200);
  ordinary.moonRadius = 915;
  EclipseRecord still = ordinary.Record();
  still.X.c = {0, 0, 0, 0};
  still.Y.c = {100, 0, 0, 0};
  testing::LinearEclipse huge = ordinary;
  huge.f1 = 1e12;
  ASSERT_TRUE(WriteCatalogue(path, {ordinary.Record(), still, huge.Record()}));
}

struct PictureCommandRow {
  const char* name;
  const char* setup;    // shell commands preparing the row's empty folder
  const char* run;      // the command
  int status;
  const char* message;  // in the one line on standard error; "" for a run that must say nothing
  const char* after;    // a shell test that must hold afterwards
};

void PrintTo(const PictureCommandRow& row, std::ostream* os) { *os << row.name; }

class PictureCommands : public HostileInput, public ::testing::WithParamInterface<PictureCommandRow> {
 protected:
  // In the row's folder, with $DATA the shipped data, $SYN the crafted catalogue, and the
  // pictures $MOON (the 23 Moon pictures) and $MAPS (the eight maps) to link.
  static Outcome InRow(const std::string& script) {
    const std::string data = testing::DataDir();
    return Shell("DATA=" + data + "; SYN=" + Path("crafted.bin") + "; MOON=\"$(ls " + data + "/mond*.bmp)\"; MAPS=\"$(ls " +
                 data + "/*_680x340*.bmp)\"; cd " + GetParam().name + " && " + script);
  }
};

TEST_P(PictureCommands, RefuseOrSucceedAsTheRowSays) {
  const PictureCommandRow& row = GetParam();
  // /proc hidden in a mount namespace of an unprivileged user's own.
  if (std::string_view(row.name).starts_with("no_proc") && std::system("unshare -rm true 2>/dev/null") != 0)
    GTEST_SKIP() << "unshare -rm is not allowed here";
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizers' runtime reads its options and the program's name from /proc and its
  // leak check fails without it: a program built with it cannot run with /proc hidden.
  if (std::string_view(row.name).starts_with("no_proc")) GTEST_SKIP() << "the sanitizers' runtime needs /proc";
#endif
  WriteCraftedCatalogue(Path("crafted.bin"));
  fs::remove_all(Path(row.name));
  fs::create_directories(Path(row.name));
  if (*row.setup) {
    ASSERT_EQ(InRow(row.setup).status, 0) << row.setup;
  }
  const Outcome o = InRow(row.run);
  EXPECT_EQ(o.status, row.status) << o.err;
  if (*row.message) {
    EXPECT_EQ(Lines(o.err), 1) << o.err;
    EXPECT_NE(o.err.find(row.message), std::string::npos) << o.err;
  } else {
    EXPECT_EQ(o.err, "");
  }
  EXPECT_EQ(InRow(row.after).status, 0) << row.after;
}

#define MOON_ROW(name, make, message)                                                             \
  PictureCommandRow {                                                                            \
    name, "for f in $MOON; do ln -s $f .; done && rm mond84.bmp && " make,                        \
        "timeout 60 $CLI --catalogue $SYN diagram 1 --out out.png > out.txt", 2, message, "[ ! -e out.png ]" \
  }

INSTANTIATE_TEST_SUITE_P(
    HostileInput, PictureCommands,
    ::testing::Values(
        // The Moon picture the diagram takes, in the current folder, missing or broken.
        MOON_ROW("moon_missing", "true", "picture 'mond84.bmp' is refused: it does not exist"),
        MOON_ROW("moon_empty", ": > mond84.bmp", "picture 'mond84.bmp' is refused: it is not a BMP picture"),
        MOON_ROW("moon_truncated", "head -c 15000 $DATA/mond84.bmp > mond84.bmp",
                 "picture 'mond84.bmp' is refused: its pixel data is cut short"),
        MOON_ROW("moon_foreign", "cp $DATA/mond85.bmp mond84.bmp", "it has 85 x 85 pixels, not 84 x 84"),
        MOON_ROW("moon_fifo", "mkfifo mond84.bmp", "picture 'mond84.bmp' is refused: it is a FIFO"),
        MOON_ROW("moon_folder", "mkdir mond84.bmp", "picture 'mond84.bmp' is refused: it is a folder"),
        // A broken picture that no drawing of this eclipse takes does not matter.
        PictureCommandRow{"moon_unused_broken", "for f in $MOON; do ln -s $f .; done && rm mond92.bmp && : > mond92.bmp",
                          "$CLI --catalogue $SYN diagram 1 --out out.png > out.txt", 0, "", "[ -s out.png ]"},
        // Every frame is checked before the first is written.
        PictureCommandRow{"moon_frames", "for f in $MOON; do ln -s $f .; done && rm mond84.bmp && : > mond84.bmp",
                          "$CLI --catalogue $SYN diagram 1 --frames f --step 60 > out.txt", 2,
                          "picture 'mond84.bmp' is refused", "[ ! -e f ]"},
        // The map pictures: the pair that the chosen map takes.
        PictureCommandRow{"map_truncated", "for f in $MAPS; do ln -s $f .; done && rm bluemarble_680x340.bmp && "
                                           "head -c 400000 $DATA/bluemarble_680x340.bmp > bluemarble_680x340.bmp",
                          "$CLI --catalogue $SYN map 1 --out out.png", 2,
                          "picture 'bluemarble_680x340.bmp' is refused: its pixel data is cut short", "[ ! -e out.png ]"},
        // Pixel data said to start at 4096 instead of 54: the last rows would be made up.
        PictureCommandRow{"map_pixel_offset", "for f in $MAPS; do ln -s $f .; done && rm bluemarble_680x340.bmp && "
                                              "cp $DATA/bluemarble_680x340.bmp . && printf \"\\000\\020\" | "
                                              "dd of=bluemarble_680x340.bmp bs=1 seek=10 conv=notrunc 2>/dev/null",
                          "$CLI --catalogue $SYN map 1 --out out.png", 2,
                          "picture 'bluemarble_680x340.bmp' is refused: its pixel data is cut short", "[ ! -e out.png ]"},
        PictureCommandRow{"map_dark_fifo", "for f in $MAPS; do ln -s $f .; done && rm world_white_680x340_dark.bmp && "
                                           "mkfifo world_white_680x340_dark.bmp",
                          "timeout 60 $CLI --catalogue $SYN map 1 --globe 3 --out out.png", 2,
                          "picture 'world_white_680x340_dark.bmp' is refused: it is a FIFO", "[ ! -e out.png ]"},
        PictureCommandRow{"map_unused_broken", "for f in $MAPS; do ln -s $f .; done && rm world_white_680x340.bmp && "
                                               ": > world_white_680x340.bmp",
                          "$CLI --catalogue $SYN map 1 --globe 0 --out out.png", 0, "", "[ -s out.png ]"},
        // A platform inherited from a desktop session: the picture is the offscreen one.
        PictureCommandRow{"platform_xcb_without_display", "$CLI --catalogue $SYN diagram 1 --out ref.png > /dev/null",
                          "env -u DISPLAY QT_QPA_PLATFORM=xcb $CLI --catalogue $SYN diagram 1 --out out.png > /dev/null",
                          0, "", "cmp ref.png out.png"},
        PictureCommandRow{"platform_wayland_without_compositor",
                          "$CLI --catalogue $SYN diagram 1 --out ref.png > /dev/null",
                          "env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland $CLI --catalogue $SYN diagram 1 --out out.png "
                          "> /dev/null",
                          0, "", "cmp ref.png out.png"},
        PictureCommandRow{"platform_unknown", "$CLI --catalogue $SYN diagram 1 --out ref.png > /dev/null",
                          "QT_QPA_PLATFORM=nonesuch $CLI --catalogue $SYN diagram 1 --out out.png > /dev/null", 0, "",
                          "cmp ref.png out.png"},
        PictureCommandRow{"platform_map", "$CLI --catalogue $SYN map 1 --out ref.png",
                          "env -u DISPLAY QT_QPA_PLATFORM=xcb $CLI --catalogue $SYN map 1 --out out.png", 0, "",
                          "cmp ref.png out.png"},
        // Frames folders: never a mixture of two sequences, never the current folder.
        PictureCommandRow{"frames_empty_name", "", "$CLI --catalogue $SYN diagram 1 --frames \"\" --step 60 > out.txt", 2,
                          "--frames needs the name of a folder", "[ \"$(ls)\" = out.txt ]"},
        PictureCommandRow{"frames_old_sequence", "mkdir f && : > f/diagram_00300.png && : > f/notes.txt",
                          "$CLI --catalogue $SYN diagram 1 --frames f --step 60 > out.txt", 2,
                          "the folder 'f' already holds pictures diagram_*.png (1); give --overwrite",
                          "[ \"$(ls f | tr \"\\n\" \" \")\" = \"diagram_00300.png notes.txt \" ]"},
        PictureCommandRow{"frames_overwrite", "mkdir f && for n in 00000 00241 02400; do : > f/diagram_$n.png; done && "
                                              ": > f/notes.txt",
                          "$CLI --catalogue $SYN diagram 1 --frames f --step 60 --overwrite > out.txt", 0, "",
                          "[ $(ls f | grep -c \"^diagram_\") = 241 ] && [ ! -e f/diagram_02400.png ] && "
                          "[ -s f/diagram_00000.png ] && [ -e f/notes.txt ]"},
        PictureCommandRow{"frames_into_a_file", ": > f", "$CLI --catalogue $SYN diagram 1 --frames f --step 60 > out.txt",
                          3, "cannot write frames into 'f': it is not a folder", "[ ! -s f ]"},
        // A search that did not converge: the output is written, then status 1, in every command.
        PictureCommandRow{"diagram_not_converged", "", "$CLI --catalogue $SYN diagram 2 --out out.png > out.txt", 1,
                          "eclipse 2: the search for greatest eclipse did not converge", "[ -s out.png ]"},
        PictureCommandRow{"map_not_converged", "", "$CLI --catalogue $SYN map 2 --out out.png", 1,
                          "eclipse 2: the search for greatest eclipse did not converge", "[ -s out.png ]"},
        PictureCommandRow{"report_not_converged", "", "$CLI --catalogue $SYN report 2 > out.txt", 1,
                          "eclipse 2: the search for greatest eclipse did not converge", "[ -s out.txt ]"},
        // Shadow radii of billions of pixels: drawn without an integer overflow (the
        // sanitizer build aborts on one); the Moon never leaves the penumbra.
        PictureCommandRow{"diagram_huge_penumbra", "", "$CLI --catalogue $SYN diagram 3 --out out.png > out.txt", 1,
                          "eclipse 3: the search for P2 did not converge", "[ -s out.png ]"}),
    [](const ::testing::TestParamInfo<PictureCommandRow>& row) { return std::string(row.param.name); });

// The command line's own findings, each refused at its root: heights beyond any place,
// numbers with blanks, the texts of `local`, frames folders under missing folders, and
// the picture module: only from the program's own folder, and only a whole file.
#define LOCAL "$CLI --catalogue $CAT local 16921 --lat 40.71N --lon 74.01W "
#define PLANT "cp \"$(dirname $CLI)/modules/varomintel-cli-pictures.so\" "
INSTANTIATE_TEST_SUITE_P(
    CommandLine, PictureCommands,
    ::testing::Values(
        PictureCommandRow{"height_huge", "", LOCAL "--height 1e308 > out.txt", 2,
                          "--height must be a number of metres from -1000 to 100000, not '1e308'", "[ ! -s out.txt ]"},
        PictureCommandRow{"height_below", "", "$CLI --catalogue $CAT cityhist --lat 47N --lon 7E --height -1000.5 > out.txt",
                          2, "--height must be a number of metres", "[ ! -s out.txt ]"},
        PictureCommandRow{"height_309_digits", "", LOCAL "--height \"$(printf 9%0308d 0)\" > out.txt", 2,
                          "not '9000000000000000000000000000000000000000...'", "[ ! -s out.txt ]"},
        PictureCommandRow{"height_highest", "", LOCAL "--height 100000 > out.txt", 0, "",
                          "grep -q \"height 100000 m$\" out.txt"},
        PictureCommandRow{"height_no_negative_zero", "", LOCAL "--height -0.4 > out.txt", 0, "",
                          "grep -q \", height 0 m$\" out.txt"},
        PictureCommandRow{"number_blank_before_latitude", "", "$CLI --catalogue $CAT local 16921 --lat \" 47N\" --lon 7E > out.txt", 2,
                          "--lat must be degrees from 0 to 90 followed by N or S, not ' 47N'", "[ ! -s out.txt ]"},
        PictureCommandRow{"number_blank_in_latitude", "", "$CLI --catalogue $CAT local 16921 --lat \"47 N\" --lon 7E > out.txt", 2,
                          "--lat must be degrees from 0 to 90 followed by N or S, not '47 N'", "[ ! -s out.txt ]"},
        PictureCommandRow{"number_blank_in_place", "", "$CLI --catalogue $CAT map 16921 --poi \"47N, 7E\" --out out.png",
                          2, "--poi must be latitude", "[ ! -e out.png ]"},
        PictureCommandRow{"number_blank_step", "", "$CLI --catalogue $CAT diagram 16921 --frames f --step \" 6\"", 2,
                          "--step must be 6 or 60, not ' 6'", "[ ! -e f ]"},
        PictureCommandRow{"number_blank_fps", "", "$CLI --catalogue $CAT animate 16921 --out v.mp4 --fps \" 6\"", 2,
                          "--fps must be a whole number from 1 to 120, not ' 6'", "[ ! -e v.mp4 ]"},
        PictureCommandRow{"number_blank_scale", "", "$CLI --catalogue $CAT map 16921 --scale \"2 \" --out out.png", 2,
                          "--scale must be a number from 1 to 4, not '2 '", "[ ! -e out.png ]"},
        PictureCommandRow{"number_blank_zone", "", "$CLI --catalogue $CAT report 16921 --tz \"1 \" > out.txt", 2,
                          "--tz must be a number of hours, not '1 '", "[ ! -s out.txt ]"},
        PictureCommandRow{"number_blank_index", "", "$CLI --catalogue $CAT report \" 16921\" > out.txt", 2,
                          "index ' 16921' is not a whole number", "[ ! -s out.txt ]"},
        PictureCommandRow{"number_blank_item", "", "$CLI --catalogue $CAT citylist 16921 --population-item \"6 \" > out.txt",
                          2, "--population-item must be a whole number from 0 to 9", "[ ! -s out.txt ]"},
        PictureCommandRow{"number_blank_year", "", "$CLI --catalogue $CAT find --year \"2000 \" > out.txt", 2,
                          "--year must be written without blanks, not '2000 '", "[ ! -s out.txt ]"},
        PictureCommandRow{"local_name", "", LOCAL "--name \"New York\" > out.txt", 0, "",
                          "grep -q \"^Place: New York, 40\" out.txt"},
        PictureCommandRow{"local_zone_of_seconds", "", LOCAL "--tz 0.008 > out.txt", 0, "",
                          "grep -qx \"Times in UT\" out.txt"},
        PictureCommandRow{"local_zone_of_minutes", "", LOCAL "--tz -5.75 > out.txt", 0, "",
                          "grep -qx \"Times in UT-5.75\" out.txt"},
        // At the pole the summary names no direction, whatever the longitude.
        PictureCommandRow{"local_pole", "",
                          "$CLI --catalogue $CAT local 16921 --lat 90N --lon 0E > a.txt && "
                          "$CLI --catalogue $CAT local 16921 --lat 90N --lon 120W > b.txt && "
                          "tail -n 2 a.txt | head -n 1 > out.txt && tail -n 2 b.txt | head -n 1 | cmp - out.txt",
                          0, "", "grep -q \"the Moon [0-9]*° high\" out.txt && ! grep -Eq \"north|south|east|west\" out.txt"},
        PictureCommandRow{"frames_missing_parents", "", "$CLI --catalogue $CAT diagram 16921 --frames x/y/z --step 60", 3,
                          "cannot create the folder 'x/y/z': its parent 'x/y' is not a folder that exists", "[ ! -e x ]"},
        PictureCommandRow{"module_truncated",
                          "mkdir -p p/modules && cp $CLI p/ && head -c 100000 \"$(dirname $CLI)/modules/"
                          "varomintel-cli-pictures.so\" > p/modules/varomintel-cli-pictures.so",
                          "timeout -s KILL 60 p/varomintel-cli --catalogue $CAT map 16921 --out out.png", 2,
                          "modules/varomintel-cli-pictures.so: it is cut short", "[ ! -e out.png ]"},
        PictureCommandRow{"module_fifo", "mkdir -p p/modules && cp $CLI p/ && mkfifo p/modules/varomintel-cli-pictures.so",
                          "timeout -s KILL 60 p/varomintel-cli --catalogue $CAT map 16921 --out out.png", 2,
                          "modules/varomintel-cli-pictures.so: it is not a regular file", "[ ! -e out.png ]"},
        // Without /proc the program's folder is unknown: a module planted in the current
        // folder, or in the folder of a made-up argv[0], is never loaded.
        PictureCommandRow{"no_proc_module_in_current_folder", "mkdir modules && " PLANT "modules/",
                          "unshare -rm sh -c \"mount -t tmpfs none /proc && exec $CLI --catalogue $CAT map 16921 "
                          "--out out.png\"",
                          2, "the program's own file is unknown", "[ ! -e out.png ]"},
        PictureCommandRow{"no_proc_module_beside_argv0", "mkdir -p p/modules && " PLANT "p/modules/",
                          "unshare -rm bash -c \"mount -t tmpfs none /proc && exec -a $PWD/p/varomintel-cli $CLI "
                          "--catalogue $CAT map 16921 --out out.png\"",
                          2, "the program's own file is unknown", "[ ! -e out.png ]"}),
    [](const ::testing::TestParamInfo<PictureCommandRow>& row) { return std::string(row.param.name); });
#undef LOCAL
#undef PLANT

// A run that fails halfway, here at a file-size limit that a later, larger frame passes,
// removes the frames it wrote and keeps what the folder held before.
TEST_F(HostileInput, AFramesRunThatFailsHalfwayRemovesTheFramesItWrote) {
  WriteCraftedCatalogue(Path("crafted.bin"));
  fs::remove_all(Path("whole"));
  ASSERT_EQ(Shell("$CLI --catalogue crafted.bin diagram 1 --frames whole --step 60 > /dev/null").status, 0);
  std::vector<std::uintmax_t> sizes;
  for (int k = 0; k <= 240; ++k) {
    char name[32];
    std::snprintf(name, sizeof name, "whole/diagram_%05d.png", k);
    sizes.push_back(fs::file_size(Path(name)));
  }
  // A limit of whole 512-byte blocks that frame 0 keeps and some later frame exceeds.
  const std::uintmax_t blocks = (sizes[0] + 511) / 512;
  const auto first = std::find_if(sizes.begin(), sizes.end(), [&](std::uintmax_t s) { return s > blocks * 512; });
  ASSERT_NE(first, sizes.end()) << "no frame larger than frame 0";
  const auto failing = first - sizes.begin();

  fs::remove_all(Path("cut"));
  fs::create_directories(Path("cut"));
  Write("cut/notes.txt", "mine");
  const Outcome o = Shell("trap \"\" XFSZ; ulimit -f " + std::to_string(blocks) +
                          "; $CLI --catalogue crafted.bin diagram 1 --frames cut --step 60 > /dev/null");
  EXPECT_NE(o.status, 0);
  EXPECT_EQ(Lines(o.err), 1) << o.err;
  char failed[32];
  std::snprintf(failed, sizeof failed, "diagram_%05d.png", static_cast<int>(failing));
  EXPECT_NE(o.err.find(failed), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("the " + std::to_string(failing) + " pictures written before it are removed"), std::string::npos)
      << o.err;
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(Path("cut"))) left.push_back(e.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"notes.txt"});
}

}  // namespace
}  // namespace varomintel
