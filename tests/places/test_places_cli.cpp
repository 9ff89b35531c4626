// varomintel-cli citylist and cityhist, tested through their output.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "eclipse/catalogue.h"
#include "text/utf8_text.h"
#include "../support/run_cli.h"
#include "../support/synthetic_eclipse.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::LinearEclipse;
using testing::RunProgram;

bool AllCrLf(const std::string& s) {
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) return false;
  return !s.empty() && s.back() == '\n';
}

class PlacesCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::temp_directory_path() / ("varomintel_places_cli_" + std::to_string(::getpid())));
    fs::create_directories(*dir_);
    const LinearEclipse total = LinearEclipse::Passing(300);
    std::vector<EclipseRecord> records;
    for (const auto& [year, month, day] : {std::array<int, 3>{1999, 7, 28}, {2000, 1, 21}, {2001, 1, 9}}) {
      EclipseRecord r = total.Record(year, month, day, 11);
      r.JulianDayTT = DateToJD(year, month, day, 11, 0, 1000);
      records.push_back(r);
    }
    ASSERT_TRUE(WriteCatalogue((*dir_ / kCatalogueFileName).string(), records));
    // East longitude with the Moon of record 2 on the meridian at greatest eclipse.
    const EclipseRecord& r = records[1];
    double west = r.M.c[0] + r.M.c[1] * total.TimeMax() - 0.00417807 * DeltaT(r.Year, r.Month);
    west = std::fmod(west + 540.0, 360.0) - 180.0;
    seenLongitude_ = -west;
    const std::string seen = std::to_string(std::lround(seenLongitude_ * 100));
    const std::string unseen = std::to_string(std::lround((seenLongitude_ > 0 ? seenLongitude_ - 180 : seenLongitude_ + 180) * 100));
    std::ofstream(*dir_ / "cities.txt", std::ios::binary)
        << "Sichtbar\t5000000\t0\t" << seen << "\tAland\r\n"
        << "Gegenseite\t3000000\t0\t" << unseen << "\tBland\r\n"
        << "Klein\t1500\t100\t" << seen << "\tAland\r\n";
    std::ofstream(*dir_ / "broken.txt", std::ios::binary)
        << "Sichtbar\t5000000\t0\t" << seen << "\tAland\r\n"
        << "Kaputt\t12a\t0\t0\tAland\r\n";
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
  }

  static CliRun Exec(const std::string& args) { return RunProgram(*dir_, testing::CliProgram(), args); }
  static std::string Lon(double east) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f%c", std::fabs(east), east >= 0 ? 'E' : 'W');
    return buf;
  }

  static fs::path* dir_;
  static double seenLongitude_;
};
fs::path* PlacesCli::dir_ = nullptr;
double PlacesCli::seenLongitude_ = 0;

TEST_F(PlacesCli, CityListWritesTheSavedTextWithCrLf) {
  const CliRun r = Exec("citylist 2 --cities cities.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(AllCrLf(r.out));
  const std::vector<std::string> lines = r.Lines();
  ASSERT_EQ(lines.size(), 25u + 2u);  // legend to header, then Sichtbar and Klein
  EXPECT_EQ(lines[0], "Legend\r");
  EXPECT_EQ(lines[23], "\r");
  EXPECT_EQ(lines[24].substr(0, 5), "YYYY\t");
  EXPECT_NE(lines[25].find("\tAland\tSichtbar\t00°00'N\t"), std::string::npos) << lines[25];
  EXPECT_NE(lines[26].find("\tAland\tKlein\t01°00'N\t"), std::string::npos) << lines[26];
  EXPECT_EQ(r.err, "3 Places scanned. 2 Places found\n");
}

TEST_F(PlacesCli, CityListScreenLinesThresholdAndLanguage) {
  CliRun r = Exec("citylist 2 --cities cities.txt --screen --population-item 6 --lang fr");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = r.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 13), " AAAA MM JJ t");
  EXPECT_EQ(CodePointCount(lines[1]), 158u);
  EXPECT_EQ(lines[1].substr(0, 38), " 2000  1 21 t Aland      Sichtbar   00");
  EXPECT_EQ(r.err, "2 Lieux cherchés. 1 Lieux trouvés\n");

  r = Exec("citylist 2 --cities cities.txt --lang de --population-item 0");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.Lines()[0], "Legende\r");
  EXPECT_EQ(r.err, "2 Orte getestet. 1 Orte gefunden\n");
}

TEST_F(PlacesCli, CityListReadsTheLanguagesFileBesideTheProgram) {
  // The shipped files beside the executable: German country names for German.
  const CliRun de = Exec("citylist 2 --lang de --population-item 0");
  ASSERT_EQ(de.status, 0) << de.err;
  const CliRun en = Exec("citylist 2 --lang en --population-item 0");
  ASSERT_EQ(en.status, 0) << en.err;
  EXPECT_NE(de.err.find(" Orte getestet. "), std::string::npos) << de.err;
  // The same places in both files, so the same counts.
  EXPECT_EQ(de.err.substr(0, de.err.find(' ')), en.err.substr(0, en.err.find(' ')));
  EXPECT_GT(de.Lines().size(), 25u);
}

TEST_F(PlacesCli, CityListErrors) {
  // The file is checked before the first line of output: nothing that looks like a whole
  // list, only the reason.
  CliRun r = Exec("citylist 2 --cities broken.txt");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.out.empty()) << r.out;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_NE(r.err.find("broken.txt' line 2: '12a' is not a valid integer value"), std::string::npos) << r.err;

  for (const char* args : {"citylist 4 --cities cities.txt", "citylist x --cities cities.txt",
                           "citylist 2 --cities cities.txt --population-item 10",
                           "citylist 2 --cities missing.txt", "citylist 2 --cities cities.txt --lang it"}) {
    r = Exec(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_TRUE(r.out.empty()) << args;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
  }
}

TEST_F(PlacesCli, CityHistoryOfOnePlace) {
  CliRun r = Exec("cityhist --lat 0N --lon " + Lon(seenLongitude_) + " --name 'Äquator-Ort'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(AllCrLf(r.out));
  std::vector<std::string> lines = r.Lines();
  ASSERT_GE(lines.size(), 25u);
  EXPECT_EQ(lines[0], "Legend\r");
  EXPECT_EQ(lines[23].substr(0, 5), "YYYY\t");
  EXPECT_NE(lines[24].find("\tt\tÄquator-Ort\t136\t20\t72\t"), std::string::npos) << lines[24];
  EXPECT_EQ(r.err, "Done.\n");

  // Only 2000 in universal time, on screen, with the German header.
  r = Exec("cityhist --lat 0.0S --lon " + Lon(seenLongitude_) + " --from 2000 --to 2000 --screen --lang de --name Äquator-Ort");
  ASSERT_EQ(r.status, 0) << r.err;
  lines = r.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 20), " JJJJ MM Tg DeltaT t");
  EXPECT_EQ(lines[1].substr(0, 11), " 2000  1 21");
  EXPECT_NE(lines[1].find(" t Äquat  136 20 72 "), std::string::npos) << lines[1];

  // First year after the last: refused, nothing written.
  r = Exec("cityhist --lat 47.5N --lon 7.5E --from 6000 --to -4000");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("backwards"), std::string::npos) << r.err;
}

TEST_F(PlacesCli, CityHistoryBadInput) {
  for (const char* args :
       {"cityhist --lat 95N --lon 7.5E", "cityhist --lat 47.5N --lon 7.5", "cityhist --lat 47.5 --lon 7.5E",
        "cityhist --lat -47.5N --lon 7.5E", "cityhist --lat 47.5N --lon 181E", "cityhist --lon 7.5E",
        "cityhist --lat 47.5N --lon 7.5E --from abc", "cityhist --lat 47.5N --lon 7.5E --to 1e3",
        "cityhist --lat 47.5N --lon 7.5E --height high", "cityhist --lat abcN --lon 7.5E"}) {
    const CliRun r = Exec(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_TRUE(r.out.empty()) << args;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
  }
  EXPECT_NE(Exec("cityhist --lat 95N --lon 7.5E").err.find("'95N'"), std::string::npos);
}

// Spanish on the shipped catalogue and city file: every fixed-width line as wide as the
// English one, line by line, with the Spanish heads in place (the total eclipse of
// 2022 Nov 8 from New York).
struct SpanishCase {
  const char* name;
  const char* args;
  std::size_t firstFixed;  // the fixed-width lines run from here to the first empty line
  const char* spanishHead;
  bool lastColumnFree;     // the last column is a word ("yes", "sí") with nothing after it
};

class SpanishColumns : public ::testing::TestWithParam<SpanishCase> {};

TEST_P(SpanishColumns, KeepTheEnglishWidths) {
  const SpanishCase& c = GetParam();
  const std::string args = std::string("--catalogue '") + testing::DataDir() + "/" + kCatalogueFileName + "' " + c.args;
  const CliRun en = RunProgram(fs::temp_directory_path(), testing::CliProgram(), args + " --lang en");
  const CliRun es = RunProgram(fs::temp_directory_path(), testing::CliProgram(), args + " --lang es");
  ASSERT_EQ(en.status, 0) << en.err;
  ASSERT_EQ(es.status, 0) << es.err;
  const std::vector<std::string> enLines = en.Lines(), esLines = es.Lines();
  ASSERT_EQ(esLines.size(), enLines.size());
  ASSERT_GT(esLines.size(), c.firstFixed + 1);
  EXPECT_NE(esLines[c.firstFixed].find(c.spanishHead), std::string::npos) << esLines[c.firstFixed];
  std::size_t fixed = 0;
  const auto columns = [&c](const std::string& line) {
    return CodePointCount(c.lastColumnFree ? line.substr(0, line.rfind(' ') + 1) : line);
  };
  for (std::size_t i = c.firstFixed; i < esLines.size() && !esLines[i].empty(); ++i, ++fixed)
    EXPECT_EQ(columns(esLines[i]), columns(enLines[i])) << i << ":\n" << esLines[i] << "\n" << enLines[i];
  EXPECT_GT(fixed, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SpanishColumns,
    ::testing::Values(
        SpanishCase{"CityList", "citylist 16921 --screen --population-item 1", 0, " AAAA MM DD t País       Ciudad ", false},
        SpanishCase{"CityHistory", "cityhist --lat 40.71N --lon 74.01W --from 2000 --to 2030 --screen", 0,
                    " AAAA MM DD DeltaT t Lugar  Sar", false},
        SpanishCase{"Local", "local 16921 --lat 40.71N --lon 74.01W --name Nueva_York", 5, "Contac. Fecha       Hora", true}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
