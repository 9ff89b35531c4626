// The calendar and JSON exports of varomintel-cli on the shipped catalogue, each read back
// with an independent parser (python3-icalendar, python3's json) and compared with the
// text output of the same command.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "../support/run_cli.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::RunProgram;

const std::string kCatalogue = std::string("--catalogue '") + testing::DataDir() +
                               "/Bessel_Lunar_12ky_VNB_0130_25.858.bin' ";

class Exports : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::temp_directory_path() / ("varomintel_exports_" + std::to_string(::getpid())));
    fs::create_directories(*dir_);
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
  }
  // Runs the command with its output into `file` (in the test's folder); returns the run.
  static CliRun Run(const std::string& args, const std::string& file) {
    CliRun r = RunProgram(*dir_, testing::CliProgram(), kCatalogue + args);
    std::ofstream(*dir_ / file, std::ios::binary) << r.out;
    return r;
  }
  // The checker's exit status for `mode` and its arguments (files in the test's folder).
  static int Check(const std::string& mode, const std::string& args) {
    const std::string cmd = "cd '" + dir_->string() + "' && '" + testing::Python3() + "' '" + testing::SourceDir() +
                            "/tests/exports/check_exports.py' " + mode + " " + args;
    const int raw = std::system(cmd.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  static fs::path* dir_;
};
fs::path* Exports::dir_ = nullptr;

struct CalendarCase {
  const char* name;
  const char* lat;
  const char* lon;
  double latitude, longitude;  // degrees, north and east positive
  const char* lang;
  const char* seen;    // DTSTART date of an eclipse that this place saw (published visibility)
  const char* unseen;  // and of one that it did not see
};
std::ostream& operator<<(std::ostream& o, const CalendarCase& c) { return o << c.name; }

class CalendarExport : public Exports, public ::testing::WithParamInterface<CalendarCase> {};

// The count of the list's eclipses that standard error says the calendar left out as
// unseen; 0 when it says nothing.
int Unseen(const std::string& err) {
  std::smatch m;
  const std::regex said("varomintel-cli: ([0-9]+) eclipse\\(s\\) of the list left out of the calendar");
  return std::regex_search(err, m, said) ? std::stoi(m[1]) : 0;
}

// The count of eclipses off the list that standard error says the calendar added; 0 when
// it says nothing.
int Added(const std::string& err) {
  std::smatch m;
  const std::regex said("varomintel-cli: ([0-9]+) eclipse\\(s\\) not on the list added to the calendar");
  return std::regex_search(err, m, said) ? std::stoi(m[1]) : 0;
}

// Published visibility: 2018-07-27 total, greatest 20:22 UT, the Moon rising eclipsed over
// Europe; 2022-11-08 total, greatest 10:59 UT, seen from Australia and the Americas,
// daylight in Europe; 2019-01-21 total, greatest 05:12 UT, over with P4 at 07:48 UT before
// moonrise in eastern Australia; 2025-09-07 total, greatest 18:12 UT, over with P4 at
// 20:55 UT before moonrise in South America.
INSTANTIATE_TEST_SUITE_P(Places, CalendarExport,
                         ::testing::Values(CalendarCase{"Zurich", "47.3769N", "8.5417E", 47.3769, 8.5417, "de",
                                                        "DTSTART:20180727T", "DTSTART:20221108T"},
                                           CalendarCase{"Sydney", "33.8688S", "151.2093E", -33.8688, 151.2093,
                                                        "en", "DTSTART:20221108T", "DTSTART:20190121T"},
                                           CalendarCase{"Quito", "0.1807S", "78.4678W", -0.1807, -78.4678, "fr",
                                                        "DTSTART:20221108T", "DTSTART:20250907T"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_P(CalendarExport, EveryEventParsesAndMatchesTheList) {
  const CalendarCase& c = GetParam();
  const std::string place = std::string("--lat ") + c.lat + " --lon " + c.lon + " --from 2000 --to 2100 --lang " +
                            c.lang + " --name 'Sternwarte " + c.name + ", Dach; Süd' ";
  const std::string ics = std::string(c.name) + ".ics", again = std::string(c.name) + "-again.ics";
  const std::string tsv = std::string(c.name) + ".tsv";
  ASSERT_EQ(Run("cityhist " + place, tsv).status, 0);
  const CliRun calendar = Run("cityhist " + place + "--format ics", ics);
  ASSERT_EQ(calendar.status, 0) << calendar.err;
  // Nothing is left out by year in 2000..2100; the list's eclipses that are not really
  // seen (the shadow axis above the horizon, the Moon below it) are counted.
  const int unseen = Unseen(calendar.err), added = Added(calendar.err);
  const std::regex unseenLine(
      "varomintel-cli: [0-9]+ eclipse\\(s\\) of the list left out of the calendar: the Moon is below the "
      "horizon throughout them\n");
  const std::regex addedLine(
      "varomintel-cli: [0-9]+ eclipse\\(s\\) not on the list added to the calendar: the Moon is up during them "
      "although the shadow axis is below the horizon at every contact\n");
  EXPECT_EQ(std::regex_replace(std::regex_replace(calendar.err, unseenLine, ""), addedLine, ""), "Done.\n");
  ASSERT_EQ(Run("cityhist " + place + "--format ics", again).status, 0);
  EXPECT_NE(calendar.out.find(c.seen), std::string::npos) << c.seen;
  EXPECT_EQ(calendar.out.find(c.unseen), std::string::npos) << c.unseen;
  // The escaped name: comma and semicolon (RFC 5545 §3.3.11).
  EXPECT_NE(calendar.out.find("LOCATION:Sternwarte " + std::string(c.name) + "\\, Dach\\; Süd ("),
            std::string::npos);
  EXPECT_EQ(Check("ics", ics + " " + tsv + " " + std::to_string(c.latitude) + " " + std::to_string(c.longitude) +
                             " " + again + " --unseen " + std::to_string(unseen) +
                             " --added " + std::to_string(added)),
            0);
}

// The whole catalogue from a southern place: the events before the year 1 are left out
// and counted; every other one parses and matches its list record.
TEST_F(Exports, CalendarLeavesOutTheYearsBeforeOneAndSaysHowMany) {
  const std::string place = "cityhist --lat 33.8688S --lon 151.2093E --name Sydney ";
  const CliRun text = Run(place, "whole.tsv");
  const CliRun calendar = Run(place + "--format ics", "whole.ics");
  ASSERT_EQ(calendar.status, 0) << calendar.err;
  const std::regex said("varomintel-cli: ([0-9]+) eclipse\\(s\\) outside the years 1 to 9999 left out");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(calendar.err, m, said)) << calendar.err;
  const int omitted = std::stoi(m[1]);
  int before = 0;  // list records of the years -4999..0 (Julian calendar)
  for (const std::string& line : text.Lines())
    if (std::regex_search(line, std::regex("^(-[0-9]+|0)\t[0-9]+\t[0-9]+\t"))) ++before;
  EXPECT_GT(before, 1000);
  // Around the year 1 the proleptic Gregorian date is two days earlier than the Julian
  // one (Julian 1 January 3 = Gregorian 1 January 1): an eclipse on the list's January 1
  // or 2 of the year 1 still falls in the Gregorian year 0.
  EXPECT_GE(omitted, before);
  EXPECT_LE(omitted, before + 1);
  EXPECT_EQ(calendar.out.find("DTSTART:-"), std::string::npos);
  EXPECT_EQ(calendar.out.find("DTSTART:0000"), std::string::npos);
  EXPECT_EQ(Check("ics", "whole.ics whole.tsv -33.8688 151.2093 --omitted " + std::to_string(omitted) +
                             " --unseen " + std::to_string(Unseen(calendar.err)) +
                             " --added " + std::to_string(Added(calendar.err))),
            0);
}

struct JsonCase {
  const char* name;
  const char* mode;
  const char* command;
};
std::ostream& operator<<(std::ostream& o, const JsonCase& c) { return o << c.name; }

class JsonExport : public Exports, public ::testing::WithParamInterface<JsonCase> {};

INSTANTIATE_TEST_SUITE_P(
    Commands, JsonExport,
    ::testing::Values(JsonCase{"ReportUniversal", "json-report", "report 16921 --lang de --tz 1"},
                      JsonCase{"ReportTerrestrial", "json-report", "report 16921 --tt --lang fr"},
                      JsonCase{"ReportPenumbral", "json-report", "report 16920"},
                      JsonCase{"CircumstancesOne", "json-circumstances", "circumstances 16921"},
                      JsonCase{"CircumstancesRange", "json-circumstances", "circumstances 1..40"},
                      JsonCase{"CircumstancesTerrestrial", "json-circumstances", "circumstances 28800..28885 --tt"},
                      JsonCase{"FindSaros", "json-find", "find --saros 136 --lang de"},
                      JsonCase{"FindYear", "json-find", "find --year -3000"},
                      JsonCase{"CityHist", "json-cityhist", "cityhist --lat 33.8688S --lon 151.2093E --from 1900 --to 2100 --name Sydney"},
                      JsonCase{"CityList", "json-citylist", "citylist 16921 --population-item 3"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(JsonExport, ParsesAndAgreesWithTheText) {
  const JsonCase& c = GetParam();
  const std::string json = std::string(c.name) + ".json", text = std::string(c.name) + ".txt";
  const CliRun plain = Run(c.command, text);
  const CliRun doc = Run(std::string(c.command) + " --format json", json);
  ASSERT_EQ(plain.status, 0) << plain.err;
  ASSERT_EQ(doc.status, 0) << doc.err;
  EXPECT_EQ(doc.err, plain.err);
  EXPECT_EQ(Check(c.mode, json + " " + text), 0);
}

TEST_F(Exports, BadFormatsAreUsageErrors) {
  for (const char* args : {"report 1 --format xml", "report 1 --format ics", "find --year 2000 --format",
                           "cityhist --lat 1N --lon 1E --screen --format json",
                           "citylist 16921 --format ics"}) {
    const CliRun r = Run(args, "bad.txt");
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_TRUE(r.out.empty()) << args;
    EXPECT_NE(r.err.find("varomintel-cli: "), std::string::npos) << args;
  }
}

}  // namespace
}  // namespace varomintel
