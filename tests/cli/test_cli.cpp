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

#include "app/version_info.h"
#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "../support/run_cli.h"
#include "../support/synthetic_eclipse.h"
#include "../support/test_paths.h"

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
    return RunProgram(cwd, testing::CliProgram(), args);
  }
  static fs::path* dir_;
};
fs::path* Cli::dir_ = nullptr;

TEST_F(Cli, ReportPrintsTheLinesInOrder) {
  const CliRun r = Exec("report 2");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = r.Lines();
  ASSERT_EQ(lines.size(), 13u) << r.out;
  EXPECT_EQ(lines[0], "Total Lunar Eclipse");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "Times are Civil Time [UTC+0.00]");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4].substr(0, 27), "Begin of Penumbral Eclipse\t");
  EXPECT_EQ(lines[7].substr(0, 15), "Maximum Eclipse");
  EXPECT_EQ(lines[10].substr(0, 24), "End of Penumbral Eclipse");
  EXPECT_EQ(lines[11], "");
  // January 2000: the yearly value of 64.0 s, known to 0.1 s, so no uncertainty is shown.
  EXPECT_EQ(lines[12], "Delta T = 64.0 s");
  EXPECT_TRUE(r.err.empty());
}

TEST_F(Cli, ReportLanguagesTimeScaleAndZone) {
  CliRun r = Exec("report 1 --lang de --tz 25");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = r.Lines();
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0], "Teilweise Halbschatten-Mondfinsternis");
  EXPECT_EQ(lines[2], "Zeitangaben sind Uhrzeit [UTC+18.00]");

  r = Exec("report --tt --lang fr 3");
  ASSERT_EQ(r.status, 0) << r.err;
  lines = r.Lines();
  ASSERT_EQ(lines.size(), 11u);
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
                       "--catalogue", "--catalogue nowhere.bin report 1", "report 1 extra",
                       "report 1 --lang de --lang fr", "report 1 --tz", "report 1 --bogus", "--lang de report 1",
                       "report 1 --catalogue x", "report --tz 1"};
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
  fs::copy_file(testing::CliProgram(), alone, fs::copy_options::overwrite_existing);
  const CliRun r = RunProgram(elsewhere, alone.string(), "report 1");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(kCatalogueFileName), std::string::npos);
  const fs::path beside = fs::path(testing::CliProgram()).parent_path() / kCatalogueFileName;
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


// The conventions of a command line: help for the program and for each command (its
// usage, its options and an example that works), the version, and find over a span of years.
TEST_F(Cli, HelpVersionAndFindOverASpanOfYears) {
  const std::string shipped = testing::DataDir() + "/" + kCatalogueFileName;
  const CliRun list = Exec("--help");
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_TRUE(list.out.starts_with("Lunar eclipses from the command line")) << list.out;
  const struct {
    const char* command;
    bool runExample;  // animate takes minutes, prepare-dark-maps rewrites pictures
  } commands[] = {{"report", true},   {"circumstances", true}, {"find", true},    {"citylist", true},
                  {"cityhist", true}, {"local", true},         {"deltat", true},  {"map", true},     {"diagram", true},
                  {"sky", true},      {"animate", false},      {"prepare-dark-maps", false}};
  bool shortForm = false;
  for (const auto& c : commands) {
    SCOPED_TRACE(c.command);
    EXPECT_NE(list.out.find(std::string("\n  ") + c.command + " "), std::string::npos) << list.out;
    shortForm = !shortForm;  // -h and --help alike
    const CliRun help = Exec(std::string(c.command) + (shortForm ? " -h" : " --help"));
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.err, "");
    EXPECT_NE(help.out.find(std::string("Usage: varomintel-cli ") + c.command + " [OPTIONS]"), std::string::npos)
        << help.out;
    EXPECT_NE(help.out.find("  -h,--help"), std::string::npos) << help.out;
    const std::string lead = std::string("Example:\n  varomintel-cli ") + c.command;
    const auto at = help.out.find(lead);
    ASSERT_NE(at, std::string::npos) << help.out;
    const std::string example = help.out.substr(at + 11, help.out.find('\n', at + 11) - at - 11);
    if (!c.runExample) continue;
    // Each option of the example is one the help lists.
    std::istringstream words(example);
    for (std::string w; words >> w;)
      if (w.starts_with("--")) {
        EXPECT_NE(help.out.find("  " + w + " "), std::string::npos) << w;
      }
    const CliRun run = Exec("--catalogue '" + shipped + "' " + example.substr(std::string("varomintel-cli ").size()));
    EXPECT_EQ(run.status, 0) << example << "\n" << run.err;
    // What it makes: the picture it names, or its output.
    if (const auto out = example.find(" --out "); out != std::string::npos) {
      const fs::path picture = *dir_ / example.substr(out + 7, example.find(' ', out + 7) - out - 7);
      EXPECT_GT(fs::exists(picture) ? fs::file_size(picture) : 0, 1000u) << picture;
    } else {
      EXPECT_GT(run.out.size(), 40u) << example;
    }
  }

  const CliRun version = Exec("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "varomintel-cli " + ProgramVersionInfo("").ProductVersion + "\n");
  EXPECT_EQ(version.out.find_first_not_of("varomintel-cli 0123456789.\n"), std::string::npos) << version.out;

  // The lunar eclipses of 2026 to 2028 as the published canon lists them (dates in
  // terrestrial time, which is the calendar date at greatest eclipse for all eight).
  const CliRun span = Exec("--catalogue '" + shipped + "' find --from 2026 --to 2028");
  ASSERT_EQ(span.status, 0) << span.err;
  const std::vector<std::string> lines = span.Lines();
  const char* const expected[][2] = {{"2026-03-03", "Total"},  {"2026-08-28", "Partial Lunar"},
                                     {"2027-02-20", "Penumbral"}, {"2027-07-18", "Penumbral"},
                                     {"2027-08-17", "Penumbral"}, {"2028-01-12", "Partial Lunar"},
                                     {"2028-07-06", "Partial Lunar"}, {"2028-12-31", "Total"}};
  ASSERT_EQ(lines.size(), 8u) << span.out;
  for (std::size_t i = 0; i < 8; ++i) {
    const std::string& l = lines[i];
    EXPECT_NE(l.find(std::string("\t") + expected[i][0] + "\t"), std::string::npos) << l;
    EXPECT_NE(l.find(expected[i][1]), std::string::npos) << l;
    if (i > 0) {
      EXPECT_EQ(std::stoi(l), std::stoi(lines[i - 1]) + 1) << l;  // consecutive in the catalogue
    }
  }
  // The first of each year is what --year selects, in text and in JSON.
  for (const char* year : {"2026", "2027", "2028"}) {
    const std::string first = Exec("--catalogue '" + shipped + "' find --year " + year).out;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), first.substr(0, first.size() - 1)), 1) << first;
  }
  const CliRun json = Exec("--catalogue '" + shipped + "' find --from 2026 --to 2028 --format json --lang fr");
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(std::count(json.out.begin(), json.out.end(), '{'), 16) << json.out;  // 8 objects, each with a date
  EXPECT_NE(json.out.find("\"index\": " + lines[7].substr(0, lines[7].find('\t'))), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"type\": \"Eclipse lunaire totale\""), std::string::npos) << json.out;
  // An empty span finds nothing; years that run backwards or are no years are refused.
  const struct {
    const char* args;
    int status;
    const char* message;
  } refusals[] = {{"find --from 1990 --to 1998", 1, "no eclipse from 1990 to 1998 in the catalogue"},
                  {"find --from 2002 --to 2001", 2, "the years run backwards: --from 2002 is after --to 2001"},
                  {"find --from 2x --to 2001", 2, "--from must be a whole year, not '2x'"},
                  {"find --from 2000", 2, "find needs both --from and --to"},
                  {"find --year 2000 --from 2000 --to 2001", 2, "find needs either --year, --saros, or --from and --to"}};
  for (const auto& r : refusals) {
    const CliRun o = Exec(r.args);
    EXPECT_EQ(o.status, r.status) << r.args;
    EXPECT_EQ(o.out, "") << r.args;
    EXPECT_EQ(o.err, std::string("varomintel-cli: ") + r.message + "\n") << r.args;
  }
}

}  // namespace
}  // namespace varomintel
