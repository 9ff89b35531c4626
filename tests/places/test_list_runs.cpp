// The city-list and city-history engines on a small city file and a small synthetic
// catalogue: thresholds, counts, order, year range, stop flag, malformed lines, legends.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "text/number_text.h"
#include "astro/trig_func.h"
#include "places/city_file.h"
#include "places/city_hist.h"
#include "places/city_list.h"
#include "places/list_text.h"
#include "places/local_circumstances.h"
#include "text/utf8_text.h"
#include "../support/synthetic_eclipse.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::LinearEclipse;

std::size_t Tabs(const std::string& s) { return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\t')); }
bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// Code-point column at which `title` starts in a header.
std::size_t Column(const std::string& header, const std::string& title) {
  return CodePointCount(header.substr(0, header.find(title)));
}

// East longitude (degrees) at which the Moon of `r` is on the meridian at greatest eclipse.
double MeridianLongitude(const EclipseRecord& r, double tmax) {
  const double deltaT = DeltaT(r.Year, r.Month);
  double west = r.M.c[0] + r.M.c[1] * tmax - 0.00417807 * deltaT;
  west = std::fmod(west + 540.0, 360.0) - 180.0;
  return -west;
}

std::string Hundredths(double degrees) { return std::to_string(std::lround(degrees * 100)); }

class CityListRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_runs_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    const LinearEclipse e = LinearEclipse::Passing(300);
    input_.eclipse = e.Record();
    const double lon = MeridianLongitude(input_.eclipse, e.TimeMax());
    seen_ = Hundredths(lon);
    unseen_ = Hundredths(lon > 0 ? lon - 180 : lon + 180);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string File(const std::string& text) {
    const fs::path p = dir_ / ("cities" + std::to_string(files_++) + ".txt");
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
  std::string Places() {
    return "Sichtbar\t5000000\t0\t" + seen_ + "\tAland\r\n" +        //
           "Gegenseite\t3000000\t0\t" + unseen_ + "\tBland\r\n" +    //
           "Klein\t1999\t0\t" + seen_ + "\tAland\r\n" +              //
           "Zweitausend\t2000\t0\t" + seen_ + "\tAland\r\n" +        //
           "Null\t0\t-1\t" + seen_ + "\tCland\r\n";
  }

  struct Run {
    CityListOutcome outcome;
    std::vector<std::string> cities, lines, records;
    int afterLineCalls = 0;
  };
  Run Go(int item, const std::string& file, bool stopAtFirst = false) {
    Run run;
    input_.cityFile = file;
    input_.populationItem = item;
    std::atomic<bool> stop{false};
    CityListCallbacks cb;
    cb.onResult = [&](const CityListHit& h) {
      run.cities.push_back(h.place.City);
      run.lines.push_back(h.line);
      run.records.push_back(h.record);
      if (stopAtFirst) stop = true;
    };
    cb.afterLine = [&](const CityListCounts&) { ++run.afterLineCalls; };
    run.outcome = RunCityList(input_, cb, stop);
    return run;
  }

  fs::path dir_;
  int files_ = 0;
  CityListInput input_;
  std::string seen_, unseen_;
};

// The city-list window's caption: the date is the universal-time date of T0, so a T0 just
// after midnight of terrestrial time falls on the day before; years before 1 keep four
// digits and their sign, and the Julian calendar's leap day of -500 is a date like others.
TEST(CityListCaption, DateOfT0InUniversalTime) {
  struct Case {
    int year, month, day, t0Hour;
    EclipseTypeCode type;
    std::uint8_t language;
    const char* prefix;
    const char* expected;
    std::optional<double> deltaT = std::nullopt;  // s: an own Delta T
  };
  const Case cases[] = {
      {2022, 11, 8, 11, EclipseTypeCode::Total, 1, "Varomintel", "Varomintel     2022-11-08     Total Lunar Eclipse"},
      // Delta T (about 69 s) takes 0 h TT back into the 7th.
      {2022, 11, 8, 0, EclipseTypeCode::TotalCentral, 1, "", "2022-11-07     Total Lunar Eclipse (central)"},
      // An own Delta T of 0 s keeps it on the 8th.
      {2022, 11, 8, 0, EclipseTypeCode::TotalCentral, 1, "", "2022-11-08     Total Lunar Eclipse (central)", 0.0},
      // Delta T of more than four hours in -500: 3 h TT is the evening of the leap day.
      {-500, 3, 1, 3, EclipseTypeCode::Total, 0, "V", "V     -0500-02-29     Totale Mondfinsternis"},
      {0, 0, 0, 0, EclipseTypeCode::Total, 1, "Varomintel", "Varomintel"},  // nothing selected
  };
  for (const Case& c : cases) {
    EclipseRecord e;
    e.Year = c.year;
    e.Month = c.month;
    e.Day = c.day;
    e.T0Hour = c.t0Hour;
    e.EclipseType = c.type;
    EXPECT_EQ(CityListCaption(c.prefix, e, c.language, c.deltaT), c.expected) << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST_F(CityListRun, ThresholdsCountsAndFileOrder) {
  const std::string file = File(Places());
  Run r = Go(0, file);
  EXPECT_TRUE(r.outcome.cityFileOpened);
  EXPECT_EQ(r.outcome.counts.scanned, 2);
  EXPECT_EQ(r.outcome.counts.found, 1);
  EXPECT_EQ(r.cities, (std::vector<std::string>{"Sichtbar"}));
  EXPECT_EQ(r.afterLineCalls, 5);
  EXPECT_FALSE(r.outcome.stopped);
  EXPECT_FALSE(r.outcome.failure);
  EXPECT_EQ(r.outcome.unconverged, 0);

  // Item 8 lists from 2000 inhabitants.
  r = Go(8, file);
  EXPECT_EQ(r.outcome.counts.scanned, 3);
  EXPECT_EQ(r.cities, (std::vector<std::string>{"Sichtbar", "Zweitausend"}));

  // Item 9, and no selection, list every place, also with population 0.
  for (int item : {9, -1, 10}) {
    r = Go(item, file);
    EXPECT_EQ(r.outcome.counts.scanned, 5) << item;
    EXPECT_EQ(r.outcome.counts.found, 4) << item;
    EXPECT_EQ(r.cities, (std::vector<std::string>{"Sichtbar", "Klein", "Zweitausend", "Null"})) << item;
  }
  // Each hit carries the place's line and record, as the place computed on its own gives them.
  ASSERT_EQ(r.lines.size(), 4u);
  Place alone;
  ASSERT_FALSE(ParseCityLine("Sichtbar\t5000000\t0\t" + seen_ + "\tAland", alone));
  const double deltaT = DeltaT(input_.eclipse.Year, input_.eclipse.Month);
  ASSERT_TRUE(LocalCircumstances(input_.eclipse, deltaT, alone.Latitude * DegToRad, -alone.Longitude * DegToRad, alone)
                  .eclipse);
  EXPECT_EQ(r.lines[0], CityListLine(input_.eclipse, deltaT, alone));
  EXPECT_EQ(r.records[0], CityListRecord(input_.eclipse, deltaT, alone));
  EXPECT_EQ(CodePointCount(r.lines[0]), 158u);
  EXPECT_EQ(r.records[3].substr(r.records[3].find("Cland\tNull\t"), 11), "Cland\tNull\t");
  EXPECT_NE(r.lines[3].find("00°01'S"), std::string::npos);
}

TEST_F(CityListRun, AMalformedLineStopsTheRunThereAndKeepsEarlierPlaces) {
  const std::string file = File("Sichtbar\t5000000\t0\t" + seen_ + "\tAland\r\n" +
                                "Kaputt\t12a\t0\t0\tAland\r\n" +
                                "Zweitausend\t2000\t0\t" + seen_ + "\tAland\r\n");
  const Run r = Go(9, file);
  ASSERT_TRUE(r.outcome.failure);
  EXPECT_EQ(r.outcome.failure->lineNumber, 2);
  EXPECT_EQ(r.outcome.failure->error.Message(), "'12a' is not a valid integer value");
  EXPECT_EQ(r.cities, (std::vector<std::string>{"Sichtbar"}));
  EXPECT_EQ(r.outcome.counts.scanned, 1);
}

TEST_F(CityListRun, ATrailingEmptyLineFailsAfterEveryRealPlace) {
  const Run r = Go(9, File(Places() + "\r\n"));
  ASSERT_TRUE(r.outcome.failure);
  EXPECT_EQ(r.outcome.failure->lineNumber, 6);
  EXPECT_EQ(r.outcome.failure->error.fieldText, "");
  EXPECT_EQ(r.outcome.counts.found, 4);
}

TEST_F(CityListRun, TheStopFlagEndsTheRunBetweenTwoPlaces) {
  const Run r = Go(9, File(Places()), true);
  EXPECT_TRUE(r.outcome.stopped);
  EXPECT_EQ(r.cities.size(), 1u);
  EXPECT_EQ(r.outcome.counts.scanned, 1);
  EXPECT_EQ(r.afterLineCalls, 1);
}

// The run on all cores, cut into blocks and stopped after one of them (or not at all),
// keeps exactly the lines of the places of the blocks it handed on, in file order, with
// their counts, whatever the threads and the block size.
TEST_F(CityListRun, ABlockRunKeepsTheWholeBlocksBeforeItsStopInFileOrder) {
  // 203 places around the globe: some see the eclipse, some do not, one in four lies
  // below the threshold of item 6 (10,000 inhabitants).
  std::string text;
  for (int i = 0; i < 203; ++i)
    text += "Ort" + std::to_string(i) + "\t" + std::to_string(i % 4 == 3 ? 500 : 20000 + i) + "\t" +
            std::to_string((i * 37) % 16000 - 8000) + "\t" + std::to_string((i * 7919) % 36000 - 18000) + "\tLand\r\n";
  const std::string file = File(text);

  // The reference: the place-by-place run, each line with the number of its file line.
  Run whole;
  input_.cityFile = file;
  input_.populationItem = 6;
  std::vector<long> lineOf;
  std::vector<long> scannedAfter;  // scanned after each file line
  {
    const std::atomic<bool> never{false};
    CityListCallbacks cb;
    cb.onResult = [&](const CityListHit& h) {
      whole.lines.push_back(h.line);
      lineOf.push_back(static_cast<long>(scannedAfter.size()));
    };
    cb.afterLine = [&](const CityListCounts& c) { scannedAfter.push_back(c.scanned); };
    whole.outcome = RunCityList(input_, cb, never);
  }
  ASSERT_EQ(scannedAfter.size(), 203u);
  ASSERT_GT(whole.lines.size(), 20u);
  ASSERT_LT(whole.outcome.counts.found, whole.outcome.counts.scanned);

  struct Row {
    unsigned threads;
    std::size_t blockSize;
    int stopAfterBlock;  // -1: never
  };
  for (const Row row : {Row{1, 1, 0}, Row{1, 50, 2}, Row{2, 1, 17}, Row{2, 7, 0}, Row{2, 7, 5}, Row{2, 64, 1},
                        Row{3, 10, 19}, Row{4, 13, 3}, Row{2, 7, -1}, Row{3, 300, -1}, Row{4, 1, -1}}) {
    SCOPED_TRACE(::testing::Message() << row.threads << " threads, blocks of " << row.blockSize << ", stop after "
                                    << row.stopAfterBlock);
    std::atomic<bool> stop{false};
    std::vector<std::string> lines;
    std::vector<long> blockScanned;
    CityListBlockCallbacks cb;
    cb.format = [](std::string& out, ContactClock& clock, const Place& place) {
      AppendCityListLine(out, clock, place);
      out += '\n';
    };
    cb.onBlock = [&](std::string_view block, const CityListCounts& counts) {
      for (std::size_t from = 0, end; (end = block.find('\n', from)) != std::string_view::npos; from = end + 1)
        lines.emplace_back(block.substr(from, end - from));
      blockScanned.push_back(counts.scanned);
      if (static_cast<int>(blockScanned.size()) == row.stopAfterBlock + 1) stop = true;
    };
    const CityListOutcome r = RunCityListBlocks(input_, cb, stop, ListBlocks{row.threads, row.blockSize});
    const long blocks = (203 + static_cast<long>(row.blockSize) - 1) / static_cast<long>(row.blockSize);
    const bool stops = row.stopAfterBlock >= 0 && row.stopAfterBlock < blocks;
    EXPECT_EQ(r.stopped, stops);
    EXPECT_FALSE(r.failure);
    const long kept = stops ? std::min<long>(203, (row.stopAfterBlock + 1) * static_cast<long>(row.blockSize)) : 203;
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < whole.lines.size(); ++i)
      if (lineOf[i] < kept) expected.push_back(whole.lines[i]);
    EXPECT_EQ(lines, expected);
    ASSERT_EQ(blockScanned.size(), static_cast<std::size_t>(stops ? row.stopAfterBlock + 1 : blocks));
    for (std::size_t b = 0; b < blockScanned.size(); ++b)
      EXPECT_EQ(blockScanned[b],
                scannedAfter[static_cast<std::size_t>(std::min<long>(203, static_cast<long>((b + 1) * row.blockSize)) - 1)]);
    EXPECT_EQ(r.counts.scanned, scannedAfter[static_cast<std::size_t>(kept - 1)]);
    EXPECT_EQ(r.counts.found, static_cast<long>(expected.size()));
  }
}

TEST_F(CityListRun, MissingFileAndAnEclipseThatMissesThePenumbra) {
  Run r = Go(9, (dir_ / "none.txt").string());
  EXPECT_FALSE(r.outcome.cityFileOpened);
  EXPECT_EQ(r.outcome.counts.scanned, 0);
  EXPECT_FALSE(r.outcome.counts.statusSet);

  input_.eclipse = LinearEclipse::Passing(6000).Record();
  r = Go(9, File(Places()));
  EXPECT_EQ(r.outcome.counts.scanned, 5);
  EXPECT_EQ(r.outcome.counts.found, 0);
  EXPECT_FALSE(r.outcome.counts.statusSet);  // the status text is never set
  EXPECT_TRUE(r.cities.empty());
}

TEST(CityListTexts, ThresholdsStatusAndLegends) {
  EXPECT_EQ(PopulationThreshold(0), 1000000);
  EXPECT_EQ(PopulationThreshold(7), 5000);
  EXPECT_EQ(PopulationThreshold(8), 2000);
  EXPECT_EQ(PopulationThreshold(9), -1);
  EXPECT_EQ(PopulationItemText(8, 1), "        2'000 inhabitants");
  EXPECT_EQ(PopulationItemText(9, 2), "                0 Personne");
  EXPECT_EQ(CityListStatus(1523, 612, 1), "1523 Places scanned. 612 Places found");
  EXPECT_EQ(CityListStatus(10, 3, 2), "10 Lieux cherchés. 3 Lieux trouvés");
  EXPECT_EQ(CityListStatus(10, 3, 0), "10 Orte getestet. 3 Orte gefunden");

  const std::vector<std::string> en = CityListLegend(1);
  ASSERT_EQ(en.size(), 25u);
  EXPECT_EQ(en[0], "Legend");
  EXPECT_EQ(en[1], "-------");
  EXPECT_EQ(en[7], "Countr\tCountry or Point of interest");
  EXPECT_EQ(en[15], "U2(UT)\tTime of 2. umbral contact (Begin of totalityt)");
  EXPECT_EQ(en[22],
            "----\t--\t--\t-------\t-\t----------\t----------\t--°--'--H\t---°--'--H\t-------\t"
            "--:--:--\t---.-\t--:--:--\t---.-\t--:--:--\t---.-\t--:--:--\t---.-\t-.---\t--:--\t"
            "--:--:--\t---.-\t--:--:--\t---.-\t--:--:--\t---.-\t");
  EXPECT_EQ(en[23], "");
  EXPECT_TRUE(StartsWith(en[24], "YYYY\tMM\tDD\tDeltaT\tTyp\tCountry\tPlace\tLatitude\tLongitude\tPopul.\tP1(UT)")) << en[24];
  EXPECT_EQ(Tabs(en[24]), 25u);
  EXPECT_EQ(en[24].substr(en[24].size() - 10), "P4(UT)\tH°");

  const std::vector<std::string> de = CityListLegend(0);
  ASSERT_EQ(de.size(), 25u);
  EXPECT_EQ(de[1], "--------");
  EXPECT_EQ(de[10], "Länge\tGeographische Länge");
  EXPECT_TRUE(StartsWith(de[24], "JJJJ\tMM\tTT\tDeltaT\tTyp\tLand\tOrt\tBreite\tLänge\t")) << de[24];
  const std::vector<std::string> fr = CityListLegend(2);
  ASSERT_EQ(fr.size(), 29u);
  EXPECT_EQ(fr[0], "La légende");
  EXPECT_EQ(fr[7], "Sar\tNuméro de Saros auquel appartient l'éclipse");
  EXPECT_TRUE(StartsWith(fr[28], "YYYY\tMM\tDD\tDeltaT\tTyp\tPays\tLieu\tLatitude")) << fr[28];
  EXPECT_EQ(fr[26], en[22]);

  // The header's contact titles stand over the contact groups of the lines (head 62).
  for (std::uint8_t lang : {0, 1, 2}) {
    const std::string& h = CityListHeader(lang);
    EXPECT_EQ(Column(h, "T_P1(UT)"), 62u) << int(lang);
    EXPECT_EQ(Column(h, "Max.(UT)"), 98u) << int(lang);
    EXPECT_EQ(Column(h, "T_P4(UT)"), 146u) << int(lang);
  }
}

// City history over a synthetic catalogue.
class CityHistRun : public ::testing::Test {
 protected:
  static EclipseRecord Eclipse(double lmin, int year, int month, int day, int hour, double jdSeconds) {
    const LinearEclipse e = LinearEclipse::Passing(lmin);
    EclipseRecord r = e.Record(year, month, day, hour);
    r.JulianDayTT = DateToJD(year, month, day, hour, 0, jdSeconds);
    r.Saros = 100 + year % 100;
    r.SarosMember = 7;
    r.SarosCount = 71;
    return r;
  }
  void SetUp() override {
    records_ = {
        Eclipse(300, 1999, 7, 28, 11, 1000),   // 1: total, 1999
        Eclipse(2500, 2000, 1, 1, 0, 30),      // 2: 30 s after midnight TT: 1999 in UT
        Eclipse(300, 2001, 1, 9, 20, 1000),    // 3: total, 2001
        Eclipse(6000, 2001, 7, 5, 15, 1000),   // 4: misses the penumbra
    };
    catalogue_ = Catalogue(records_);
    const LinearEclipse e = LinearEclipse::Passing(300);
    input_.catalogue = &catalogue_;
    input_.name = "Basel-Stadt";
    input_.latitude = 0;
    input_.westLongitude = -MeridianLongitude(records_[0], e.TimeMax()) * DegToRad;
  }
  struct Run {
    CityHistOutcome outcome;
    std::vector<int> indices;
    std::vector<std::string> lines, records, statuses;
    std::vector<int> yields;
  };
  Run Go(int first, int last, bool stopAtFirst = false) {
    Run run;
    input_.firstYear = first;
    input_.lastYear = last;
    std::atomic<bool> stop{false};
    CityHistCallbacks cb;
    cb.onResult = [&](const CityHistHit& h) {
      run.indices.push_back(h.index);
      run.lines.push_back(h.line);
      run.records.push_back(h.record);
      if (stopAtFirst) stop = true;
    };
    cb.onStatus = [&](const std::string& s) { run.statuses.push_back(s); };
    cb.onYield = [&](int i) { run.yields.push_back(i); };
    run.outcome = RunCityHist(input_, cb, stop);
    return run;
  }
  std::vector<EclipseRecord> records_;
  Catalogue catalogue_;
  CityHistInput input_;
};

TEST_F(CityHistRun, TheYearRangeUsesTheUniversalTimeYear) {
  EXPECT_EQ(UniversalYear(records_[1], DeltaT(2000, 1)), 1999);
  Run r = Go(2000, 2001);
  EXPECT_EQ(r.outcome.visited, 4);
  EXPECT_EQ(r.outcome.computed, 2);  // records 3 and 4; record 2 lies in 1999 in UT
  EXPECT_EQ(r.indices, (std::vector<int>{3}));
  EXPECT_EQ(r.statuses, (std::vector<std::string>{"Calculating year 2001 ...", "Calculating year 2001 ..."}));

  r = Go(1999, 1999);
  EXPECT_EQ(r.indices, (std::vector<int>{1, 2}));
  // Record 2 reports its TT year in the status.
  EXPECT_EQ(r.statuses[1], "Calculating year 2000 ...");
  input_.language = 0;  // the status in the window's language
  EXPECT_EQ(Go(1999, 1999).statuses[1], "Berechne Jahr 2000 ...");
  input_.language = 1;

  r = Go(6000, -4000);  // first year after the last: nothing qualifies
  EXPECT_EQ(r.outcome.computed, 0);
  EXPECT_TRUE(r.indices.empty());
  EXPECT_FALSE(r.outcome.stopped);
}

TEST_F(CityHistRun, LinesAndRecords) {
  const Run r = Go(-5000, 7000);
  ASSERT_EQ(r.indices, (std::vector<int>{1, 2, 3}));
  const std::string& line = r.lines[0];
  EXPECT_EQ(CodePointCount(line), 134u);
  const long deltaT = std::lround(DeltaT(1999, 7));
  EXPECT_EQ(line.substr(0, 27), " 1999  7 28 " + PadLeft(std::to_string(deltaT), 6) + " t Basel ");
  EXPECT_EQ(line.substr(27, 11), " 199  7 71 ");
  const std::string& record = r.records[0];
  EXPECT_EQ(record.substr(0, record.find("\tt\t")), "1999\t7\t28\t" + FormatFixed(DeltaT(1999, 7), 1));
  EXPECT_NE(record.find("\tt\tBasel-Stadt\t199\t7\t71\t"), std::string::npos) << record;
  EXPECT_EQ(Tabs(record), 24u);
  EXPECT_NE(record.back(), '\t');  // ends with P4's altitude
  // The partial eclipse: U2 and U3 are empty fields.
  EXPECT_NE(r.records[1].find("\tp\t"), std::string::npos);
  EXPECT_EQ(Tabs(r.records[1]), 24u);
}

TEST_F(CityHistRun, AnInvisibleLastContactStillWritesItsTwoTabs) {
  // The Moon sets just after maximum of record 1.
  const LinearEclipse e = LinearEclipse::Passing(300);
  const EclipseRecord& r1 = records_[0];
  const double t = e.TimeMax() + 0.3;
  input_.westLongitude = (r1.M.c[0] + r1.M.c[1] * t - 0.00417807 * DeltaT(r1.Year, r1.Month) - 90) * DegToRad;
  const Run r = Go(1999, 1999);
  ASSERT_FALSE(r.records.empty());
  const std::string& record = r.records[0];
  EXPECT_EQ(Tabs(record), 25u);
  EXPECT_EQ(record.substr(record.size() - 6), "\t\t\t\t\t\t");
}

// The search on all cores over a longer catalogue (the four records 23 times), stopped
// after one of its blocks or not at all, keeps exactly the eclipses of the blocks it
// handed on, in catalogue order, with their records and counts.
TEST_F(CityHistRun, ABlockSearchKeepsTheWholeBlocksBeforeItsStopInCatalogueOrder) {
  std::vector<EclipseRecord> many;
  for (int k = 0; k < 23; ++k) many.insert(many.end(), records_.begin(), records_.end());
  catalogue_ = Catalogue(many);
  const int count = catalogue_.Count();
  const Run whole = Go(2000, 2001);
  ASSERT_EQ(whole.indices.size(), 23u);  // the total eclipse of 2001 each time

  struct Row {
    unsigned threads;
    std::size_t blockSize;
    int stopAfterBlock;  // -1: never
  };
  for (const Row row : {Row{1, 5, 3}, Row{2, 1, 0}, Row{2, 1, 40}, Row{2, 6, 2}, Row{3, 8, 10}, Row{4, 3, 7},
                        Row{2, 6, -1}, Row{4, 1, -1}, Row{2, 500, 0}}) {
    SCOPED_TRACE(::testing::Message() << row.threads << " threads, blocks of " << row.blockSize << ", stop after "
                                      << row.stopAfterBlock);
    std::atomic<bool> stop{false};
    std::vector<std::string> records;
    std::vector<int> seen;
    int blocksHanded = 0;
    CityHistBlockCallbacks cb;
    cb.keepSeen = true;
    cb.format = [](std::string& out, const CityHistFound& found) {
      AppendCityHistRecord(out, found.clock, found.place);
      out += '\n';
    };
    cb.onBlock = [&](std::string_view block, const std::vector<CityHistSeen>& kept, const std::string&,
                     const CityHistOutcome&) {
      for (std::size_t from = 0, end; (end = block.find('\n', from)) != std::string_view::npos; from = end + 1)
        records.emplace_back(block.substr(from, end - from));
      for (const CityHistSeen& k : kept)
        if (k.listed) seen.push_back(k.index);
      if (blocksHanded++ == row.stopAfterBlock) stop = true;
    };
    const CityHistOutcome r = RunCityHistBlocks(input_, cb, stop, ListBlocks{row.threads, row.blockSize});
    const int blocks = (count + static_cast<int>(row.blockSize) - 1) / static_cast<int>(row.blockSize);
    const bool stops = row.stopAfterBlock >= 0 && row.stopAfterBlock < blocks;
    EXPECT_EQ(r.stopped, stops);
    EXPECT_EQ(blocksHanded, stops ? row.stopAfterBlock + 1 : blocks);
    const int kept = stops ? std::min(count, (row.stopAfterBlock + 1) * static_cast<int>(row.blockSize)) : count;
    std::vector<std::string> expected;
    std::vector<int> expectedIndices;
    for (std::size_t i = 0; i < whole.indices.size(); ++i)
      if (whole.indices[i] <= kept) expected.push_back(whole.records[i]), expectedIndices.push_back(whole.indices[i]);
    EXPECT_EQ(records, expected);
    EXPECT_EQ(seen, expectedIndices);
    EXPECT_EQ(r.visited, kept);
    EXPECT_EQ(r.computed, (kept / 4) * 2 + std::clamp(kept % 4 - 2, 0, 2));  // records 3 and 4 of each four
    EXPECT_EQ(r.found, static_cast<int>(expected.size()));
  }
}

TEST_F(CityHistRun, StopAndYield) {
  Run r = Go(-5000, 7000, true);
  EXPECT_TRUE(r.outcome.stopped);
  EXPECT_EQ(r.outcome.visited, 1);
  EXPECT_EQ(r.indices.size(), 1u);

  records_.resize(45, records_[0]);
  catalogue_ = Catalogue(records_);
  r = Go(-5000, 7000);
  EXPECT_EQ(r.yields, (std::vector<int>{20, 40}));
  EXPECT_EQ(r.outcome.visited, 45);
}

TEST(CityHistTexts, Legends) {
  const std::vector<std::string> en = CityHistLegend(1);
  ASSERT_EQ(en.size(), 24u);
  EXPECT_EQ(en[0], "Legend");
  EXPECT_EQ(en[1], "------");
  EXPECT_EQ(en[7], "Place\tCity or Location");
  EXPECT_EQ(en[14], "U2(UT)\tTime of 2. umbral contact (Begin of totality)");
  EXPECT_EQ(en[21],
            "----\t--\t--\t-------\t-\t----------\t---\t--\t--\t--:--:--\t---.-\t--:--:--\t---.-\t--:--:--\t---.-\t"
            "--:--:--\t---.-\t-.---\t--:--\t--:--:--\t---.-\t--:--:--\t---.-\t--:--:--\t---.-\t");
  EXPECT_EQ(en[22], "");
  EXPECT_TRUE(StartsWith(en[23], "YYYY\tMM\tDD\tDeltaT\tTyp\tPlace\tSar\tiS\tnS\t")) << en[23];
  EXPECT_EQ(Tabs(en[23]), 24u);

  const std::vector<std::string> fr = CityHistLegend(2);
  ASSERT_EQ(fr.size(), 23u);  // no dash row
  EXPECT_EQ(fr[1], "----------");
  EXPECT_EQ(fr[10], "NS\tNombre d'éclipses générées par ce Saros");
  EXPECT_EQ(fr[21], "");
  EXPECT_TRUE(StartsWith(fr[22], "AAAA\tMM\tJJ\tDeltaT\tTyp\tLieu\tSar\tiS\tnS\t")) << fr[22];

  const std::vector<std::string> de = CityHistLegend(0);
  ASSERT_EQ(de.size(), 24u);
  EXPECT_EQ(de[1], "--------");
  EXPECT_EQ(de[8], "Sar\tNummer des Saros (Zyklus)");
  EXPECT_TRUE(StartsWith(de[23], "JJJJ\tMM\tTT\tDeltaT\tTyp\tOrt\tSar\tiS\tnS\t")) << de[23];

  for (std::uint8_t lang : {0, 1, 2}) {
    const std::string& h = CityHistHeader(lang);
    EXPECT_EQ(Column(h, "T_P1(UT)"), 38u) << int(lang);
    EXPECT_EQ(Column(h, "T_P4(UT)"), 122u) << int(lang);
  }
}

}  // namespace
}  // namespace varomintel
