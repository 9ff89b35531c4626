// varomintel-cli tested through its output, as a script would use it.
#include <gtest/gtest.h>


#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "../support/run_cli.h"
#include "../support/synthetic_eclipse.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::RunProgram;

class Cli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::temp_directory_path() / ("varomintel_cli_" + std::to_string(::getpid())));
    fs::create_directories(*dir_);
    // Index 1: partial penumbral 1999; 2: total 2000 (Saros 136); 3: partial umbral 2001.
    std::vector<EclipseRecord> records;
    EclipseRecord a = testing::LinearEclipse::Passing(4500).Record(1999, 7, 28, 11);
    a.Saros = 110;
    EclipseRecord b = testing::LinearEclipse::Passing(1200).Record(2000, 1, 21, 4);
    b.Saros = 124;
    EclipseRecord c = testing::LinearEclipse::Passing(3000).Record(2001, 1, 9, 20);
    c.Saros = 134;
    records = {a, b, c};
    ASSERT_TRUE(WriteCatalogue((*dir_ / kCatalogueFileName).string(), records));
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
  }

  // Runs the program in the catalogue's folder with the given arguments.
  static CliRun Exec(const std::string& args, const fs::path& cwd = *dir_) {
    return RunProgram(cwd, VAROMINTEL_CLI, args);
  }
  static fs::path* dir_;
};
fs::path* Cli::dir_ = nullptr;

TEST_F(Cli, ReportPrintsTheLinesInOrder) {
  const CliRun r = Exec("report 2");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = r.Lines();
  ASSERT_EQ(lines.size(), 11u) << r.out;
  EXPECT_EQ(lines[0], "Total Lunar Eclipse");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "Times are Civil Time [UTC+0.00]");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4].substr(0, 27), "Begin of Penumbral Eclipse\t");
  EXPECT_EQ(lines[7].substr(0, 15), "Maximum Eclipse");
  EXPECT_EQ(lines[10].substr(0, 24), "End of Penumbral Eclipse");
  EXPECT_TRUE(r.err.empty());
}

TEST_F(Cli, ReportLanguagesTimeScaleAndZone) {
  CliRun r = Exec("report 1 --lang de --tz 25");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = r.Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "Teilweise Halbschatten-Mondfinsternis");
  EXPECT_EQ(lines[2], "Zeitangaben sind Uhrzeit [UTC+18.00]");

  r = Exec("report --tt --lang fr 3");
  ASSERT_EQ(r.status, 0) << r.err;
  lines = r.Lines();
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0], "Eclipse lunaire partielle");
  EXPECT_EQ(lines[2], "Les temps sont des temps terrestres (TT)");

  // A zone is taken to the whole minute: -3.456 h is -3 h 27 min, shown as -3.45, and
  // moves every clock by it.
  const CliRun utc = Exec("report 3");
  r = Exec("report 3 --tz -3.456");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.Lines()[2], "Times are Civil Time [UTC-3.45]");
  EXPECT_NE(r.Lines()[5], utc.Lines()[5]);
}

TEST_F(Cli, CircumstancesOfOneRecordAndOfARange) {
  CliRun r = Exec("circumstances 2 --tt");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = r.Lines();
  const char* names[] = {"TimeMax", "XMax",   "YMax",   "PenMag",   "UmbMag",      "TimeP1",
                         "TimeP2",  "TimeP3", "TimeP4", "TimeU1",   "TimeU2",      "TimeU3",
                         "TimeU4",  "YAtXZero", "EclipseType", "DMax", "MMax"};
  ASSERT_EQ(lines.size(), 17u);
  for (std::size_t i = 0; i < 17; ++i) EXPECT_EQ(lines[i].substr(0, lines[i].find('\t')), names[i]);
  EXPECT_EQ(lines[14], "EclipseType\t4");
  // 17 significant digits: the value read back is the computed double.
  const CatalogueLoad load = LoadCatalogue((*dir_ / kCatalogueFileName).string());
  const CircumstancesResult res = ComputeCircumstances(load.catalogue.At(2), 0);
  EXPECT_EQ(std::stod(lines[0].substr(8)), res.circumstances.TimeMax);
  EXPECT_EQ(std::stod(lines[9].substr(7)), res.circumstances.TimeU1);

  r = Exec("circumstances 2..3");
  ASSERT_EQ(r.status, 0) << r.err;
  lines = r.Lines();
  ASSERT_EQ(lines.size(), 36u);
  EXPECT_EQ(lines[0], "Index\t2");
  EXPECT_EQ(lines[18], "Index\t3");
  EXPECT_EQ(Exec("circumstances all").Lines().size(), 54u);
}

TEST_F(Cli, FindByYearAndSaros) {
  CliRun r = Exec("find --year 2000");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2\t2000-01-21\tTotal Lunar Eclipse\n");
  EXPECT_EQ(Exec("find --year 7000").out.substr(0, 2), "3\t");
  EXPECT_EQ(Exec("find --year -9999").out.substr(0, 2), "1\t");
  EXPECT_EQ(Exec("find --saros 134 --lang de").out, "3\t2001-01-09\tPartielle Mondfinsternis\n");

  r = Exec("find --year 20x0");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find("not an integer"), std::string::npos);
  r = Exec("find --saros abc");  // 139, which this catalogue lacks
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("139"), std::string::npos);
}

TEST_F(Cli, BadArgumentsAndCataloguesGiveOneLineAndStatusTwo) {
  const char* bad[] = {"",          "frobnicate",          "report",        "report 0",
                       "report 4",  "report x",            "report 1 --lang it",
                       "report 1 --tz abc",  "circumstances 3..2", "find",    "find --year 1 --saros 2",
                       "--catalogue", "--catalogue nowhere.bin report 1", "report 1 extra"};
  for (const char* args : bad) {
    const CliRun r = Exec(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_TRUE(r.out.empty()) << args;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
  }
  // Without --catalogue the file is looked for in the current directory, and then beside
  // the program (an installed program run from any folder); a program with neither says so.
  const fs::path elsewhere = *dir_ / "sub";
  fs::create_directories(elsewhere / "bin");
  const fs::path alone = elsewhere / "bin" / "varomintel-cli";
  fs::copy_file(VAROMINTEL_CLI, alone, fs::copy_options::overwrite_existing);
  const CliRun r = RunProgram(elsewhere, alone.string(), "report 1");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(kCatalogueFileName), std::string::npos);
  const fs::path beside = fs::path(VAROMINTEL_CLI).parent_path() / kCatalogueFileName;
  if (fs::exists(beside)) {
    const CliRun installed = Exec("report 16921", elsewhere);
    EXPECT_EQ(installed.status, 0) << installed.err;
    EXPECT_EQ(installed.out, Exec("--catalogue '" + beside.string() + "' report 16921", elsewhere).out);
  }
  const CliRun named = Exec("--catalogue ../" + std::string(kCatalogueFileName) + " report 1", elsewhere);
  EXPECT_EQ(named.status, 0) << named.err;

  // A file whose size is not a whole number of records.
  std::ofstream(elsewhere / "short.bin", std::ios::binary) << "not a catalogue";
  const CliRun shortFile = Exec("--catalogue short.bin report 1", elsewhere);
  EXPECT_EQ(shortFile.status, 2);
  EXPECT_NE(shortFile.err.find("430"), std::string::npos);
}

}  // namespace
}  // namespace varomintel
