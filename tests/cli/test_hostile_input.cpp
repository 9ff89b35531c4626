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
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "eclipse/catalogue.h"
#include "../support/synthetic_eclipse.h"

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
    const std::string cmd = "cd '" + dir_->string() + "' && CLI='" + std::string(VAROMINTEL_CLI) + "' CAT='" +
                            std::string(VAROMINTEL_DATA_DIR) + "/Bessel_Lunar_12ky_VNB_0130_25.858.bin' sh -c '" +
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
    const std::string cmd = "cd '" + dir_->string() + "' && CLI='" + std::string(VAROMINTEL_CLI) + "' CAT='" +
                            std::string(VAROMINTEL_DATA_DIR) + "/Bessel_Lunar_12ky_VNB_0130_25.858.bin' && exec \"$CLI\" " +
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
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
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
  const char* sinks[] = {"$CLI %s > /dev/full", "$CLI %s >&-", nullptr /* a pipe without reader */};
  for (const char* command : commands)
    for (const char* sink : sinks) {
      std::string what = std::string("pipe without reader: ") + command;
      Outcome o;
      if (sink) {
        char script[512];
        std::snprintf(script, sizeof script, sink, command);
        what = script;
        o = Shell(script);
      } else {
        std::string args = command;
        const std::string cat = "$CAT";
        if (const auto at = args.find(cat); at != std::string::npos)
          args.replace(at, cat.size(), std::string(VAROMINTEL_DATA_DIR) + "/Bessel_Lunar_12ky_VNB_0130_25.858.bin");
        o = ToClosedPipe(args);
      }
      EXPECT_NE(o.status, 0) << what;
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
  std::ifstream in(std::string(VAROMINTEL_DATA_DIR) + "/demis_world_680x340_dark.bmp", std::ios::binary);
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
  std::string few, many;
  for (int i = 0; i < 500; ++i) few += tokyo;
  for (int i = 0; i < 12; ++i) many += few;
  Write("few.txt", few);
  Write("many.txt", many);
  // The peak resident size of one run, in KiB (the shell hands its process over to the
  // program); a small quarantine keeps a sanitizer build from holding freed memory.
  const auto peakKiB = [](const std::string& args) {
    const std::string cmd = "cd '" + dir_->string() + "' && ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}" +
                            "quarantine_size_mb=1\" exec '" + std::string(VAROMINTEL_CLI) + "' --catalogue '" +
                            std::string(VAROMINTEL_DATA_DIR) + "/Bessel_Lunar_12ky_VNB_0130_25.858.bin' " + args +
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
  EXPECT_LT(manyKiB - fewKiB, 16 * 1024) << fewKiB << " KiB for 500 places, " << manyKiB << " KiB for 6000";
}

}  // namespace
}  // namespace varomintel
