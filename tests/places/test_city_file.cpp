// The city file: line parsing, the sequential reader, the country and place readers, and
// the format of the shipped files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <optional>
#include <fstream>
#include <set>
#include <string>

#include "places/city_file.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;

fs::path WriteTemp(const std::string& name, const std::string& bytes) {
  const fs::path p = fs::temp_directory_path() / ("varomintel_city_" + std::to_string(::getpid()) + "_" + name);
  std::ofstream(p, std::ios::binary) << bytes;
  return p;
}

TEST(ParseCityLine, FieldsInOrderWithoutTrimming) {
  Place p;
  ASSERT_FALSE(ParseCityLine("Zürich\t341730\t4737\t854\tSchweiz", p));
  EXPECT_EQ(p.City, "Zürich");
  EXPECT_EQ(p.Population, 341730);
  EXPECT_DOUBLE_EQ(p.Latitude, 47.37);
  EXPECT_DOUBLE_EQ(p.Longitude, 8.54);
  EXPECT_EQ(p.Country, "Schweiz");

  ASSERT_FALSE(ParseCityLine(" La Serena \t0\t-3387\t-7064\tChile ", p));
  EXPECT_EQ(p.City, " La Serena ");
  EXPECT_EQ(p.Population, 0);
  EXPECT_DOUBLE_EQ(p.Latitude, -33.87);
  EXPECT_DOUBLE_EQ(p.Longitude, -70.64);
  EXPECT_EQ(p.Country, "Chile ");  // the trailing blank belongs to the country

  // A further tab belongs to the country; a zero longitude is +0.0 (east).
  ASSERT_FALSE(ParseCityLine("Greenwich\t1\t5148\t0\tUnited\tKingdom", p));
  EXPECT_EQ(p.Country, "United\tKingdom");
  EXPECT_EQ(p.Longitude, 0.0);
  EXPECT_FALSE(std::signbit(p.Longitude));
}

TEST(ParseCityLine, ResultFieldsAreLeftAlone) {
  Place p;
  p.ContactTime[Contact::Max] = 1.25;
  p.ContactAltitude[Contact::Max] = 0.5;
  p.PhaseType = LocalPhase::Total;
  ASSERT_FALSE(ParseCityLine("A\t1\t2\t3\tB", p));
  EXPECT_EQ(p.ContactTime[Contact::Max], 1.25);
  EXPECT_EQ(p.ContactAltitude[Contact::Max], 0.5);
  EXPECT_EQ(p.PhaseType, LocalPhase::Total);
}

TEST(ParseCityLine, MalformedNumberFieldsNameTheirText) {
  Place p;
  // CheckCityLine, the counting pass's check, and SplitCityLine, the list runs' reading,
  // give the same error for every line, and the same fields for a good one.
  const auto bad = [&](const std::string& line) {
    const auto e = ParseCityLine(line, p);
    std::int32_t population = 0;
    const auto checked = CheckCityLine(line, population);
    CityLineFields fields;
    const auto split = SplitCityLine(line, fields);
    const std::string text = e ? e->fieldText : std::string("<no error>");
    EXPECT_EQ(checked ? checked->fieldText : std::string("<no error>"), text) << line;
    EXPECT_EQ(split ? split->fieldText : std::string("<no error>"), text) << line;
    if (!e) {
      EXPECT_EQ(fields.city, p.City);
      EXPECT_EQ(fields.country, p.Country);
      EXPECT_EQ(fields.population, p.Population);
      EXPECT_EQ(fields.latitude, p.Latitude);
      EXPECT_EQ(fields.longitude, p.Longitude);
    }
    return text;
  };
  EXPECT_EQ(bad("Zürich\t2147483647\t-4737\t854\tSchweiz\tx"), "<no error>");
  EXPECT_EQ(p.Population, 2147483647);
  EXPECT_EQ(bad("\t0\t-0\t18000\t"), "<no error>");
  EXPECT_EQ(bad("A\t0\t9000\t-18000\tB"), "<no error>");
  EXPECT_EQ(bad("A\t0\t-9000\t0\tB"), "<no error>");
  EXPECT_EQ(bad("A\t0\t000000000000000000000000047\t-0008\tB"), "<no error>");
  EXPECT_EQ(p.Population, 0);
  EXPECT_EQ(p.Latitude, 0.47);
  EXPECT_EQ(p.Longitude, -0.08);
  EXPECT_EQ(bad("A\t1\t9223372036854775808\t2\tB"), "9223372036854775808");
  EXPECT_EQ(bad("A\t1\t2\t-9223372036854775809\tB"), "-9223372036854775809");
  EXPECT_EQ(bad("A\t1\t18446744073709551626\t2\tB"), "18446744073709551626");  // 2^64 + 10
  EXPECT_EQ(bad("A\t1\t2\t3/\tB"), "3/");
  EXPECT_EQ(bad("A\t1\t2\t3:\tB"), "3:");
  EXPECT_EQ(bad("A\t1\t--2\t3\tB"), "--2");
  EXPECT_EQ(bad("A\tabc\t1\t2\tB"), "abc");
  EXPECT_EQ(bad("A\t12\t 47\t2\tB"), " 47");  // no blanks trimmed
  EXPECT_EQ(bad("A\t12\t47\t+8\tB"), "+8");   // only a minus sign
  EXPECT_EQ(bad("A\t12\t47\t8.5\tB"), "8.5");
  EXPECT_EQ(bad("A\t12\t-\t8\tB"), "-");
  EXPECT_EQ(bad("A\t99999999999999999999\t1\t2\tB"), "99999999999999999999");  // beyond 64 bits
  // Whole numbers that no place has: a population beyond 32 bits (which would wrap) or
  // below nobody, a latitude beyond the poles, a longitude beyond the date line.
  EXPECT_EQ(bad("A\t2147483648\t0\t0\tB"), "2147483648");
  EXPECT_EQ(bad("A\t999999999999\t0\t0\tB"), "999999999999");
  EXPECT_EQ(bad("A\t-1\t0\t0\tB"), "-1");
  EXPECT_EQ(bad("A\t-9223372036854775808\t0\t0\tB"), "-9223372036854775808");
  EXPECT_EQ(bad("A\t1\t9001\t0\tB"), "9001");
  EXPECT_EQ(bad("A\t1\t-99999\t0\tB"), "-99999");
  EXPECT_EQ(bad("A\t1\t0\t18001\tB"), "18001");
  EXPECT_EQ(bad("A\t1\t0\t-9223372036854775807\tB"), "-9223372036854775807");
  // Too few tabs leave a number field empty.
  EXPECT_EQ(bad(""), "");
  EXPECT_EQ(bad("A\t1\t2\t3"), "");
  EXPECT_EQ(bad("A\t1\t2"), "");
  const auto e = ParseCityLine("A\tx1\t2\t3\tB", p);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->Message(), "'x1' is not a valid integer value");
  EXPECT_EQ(ParseCityLine("A\t1\t9001\t0\tB", p)->Message(),
            "'9001' is not a latitude (hundredths of a degree, -9000 to 9000)");
  EXPECT_EQ(ParseCityLine("A\t4294967297\t0\t0\tB", p)->Message(), "'4294967297' is not a population (0 to 2147483647)");
  EXPECT_EQ(ParseCityLine("A\t1\t0\t-18001\tB", p)->Message(),
            "'-18001' is not a longitude (hundredths of a degree, -18000 to 18000)");
}

TEST(CityFileName, GermanFileForGermanEnglishFileOtherwise) {
  EXPECT_EQ(CityFileName("/opt/v/", 0), "/opt/v/Top191744_DE.txt");
  EXPECT_EQ(CityFileName("/opt/v/", 1), "/opt/v/Top191744_EN.txt");
  EXPECT_EQ(CityFileName("/opt/v/", 2), "/opt/v/Top191744_EN.txt");
}

TEST(CityFileReader, LineEndsByteOrderMarkAndLastLine) {
  const fs::path p = WriteTemp("ends.txt", "\xEF\xBB\xBF" "a\r\nb\nc\r\n\r\nd");
  CityFileReader r(p.string());
  ASSERT_TRUE(r.IsOpen());
  std::string line;
  std::vector<std::string> got;
  while (r.Next(line)) got.push_back(line);
  EXPECT_EQ(got, (std::vector<std::string>{"a", "b", "c", "", "d"}));
  EXPECT_EQ(r.LineNumber(), 5);
  fs::remove(p);

  CityFileReader missing("/nonexistent/Top191744_EN.txt");
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_FALSE(missing.Next(line));
}

// Line ends of every kind, the longest line allowed, and what ends the reading early: a
// line too long (a file without line breaks) and a read error (a folder given as the file).
TEST(CityFileReader, LineEndsLengthBoundAndReadErrors) {
  using Kind = CityFileFailure::Kind;
  const std::string longest(kMaxCityLineBytes, 'x');
  // A CR as the last byte of the reader's first 64 KiB block and its LF as the first of the
  // next: still one line end.
  std::string straddling;
  std::vector<std::string> straddlingLines(16, std::string(4000, 'f'));
  for (const std::string& f : straddlingLines) straddling += f + "\r\n";
  straddlingLines.push_back(std::string(65535 - straddling.size(), 'g'));
  straddling += straddlingLines.back() + "\r\nz";
  straddlingLines.push_back("z");
  const struct {
    const char* what;
    std::string content;
    std::vector<std::string> lines;
    std::optional<Kind> failure;
    long failureLine;
  } cases[] = {
      {"CR only", "A\t1\t2\t3\tC\rB\t1\t2\t3\tD\r", {"A\t1\t2\t3\tC", "B\t1\t2\t3\tD"}, {}, 0},
      {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}, {}, 0},
      {"empty lines", "\r\r\n\n", {"", "", ""}, {}, 0},
      {"longest line", longest + "\nz", {longest, "z"}, {}, 0},
      {"CR LF across blocks", straddling, straddlingLines, {}, 0},
      {"one byte over", "a\n" + longest + "x\nz", {"a"}, Kind::LineTooLong, 2},
      {"no line break", std::string(200000, 'x'), {}, Kind::LineTooLong, 1},
  };
  for (const auto& c : cases) {
    const fs::path p = WriteTemp("ends.txt", c.content);
    CityFileReader r(p.string());
    std::vector<std::string> got;
    std::string line;
    while (r.Next(line)) got.push_back(line);
    EXPECT_EQ(got, c.lines) << c.what;
    ASSERT_EQ(r.Failure().has_value(), c.failure.has_value()) << c.what;
    if (c.failure) {
      EXPECT_EQ(r.Failure()->kind, *c.failure) << c.what;
      EXPECT_EQ(r.Failure()->lineNumber, c.failureLine) << c.what;
      EXPECT_EQ(r.Failure()->Message(), "line " + std::to_string(c.failureLine) + " is too long (more than 4096 bytes)");
    }
    fs::remove(p);
  }
  CityFileReader folder(fs::temp_directory_path().string());
  std::string line;
  EXPECT_FALSE(folder.Next(line));
  ASSERT_TRUE(folder.Failure().has_value());
  EXPECT_EQ(folder.Failure()->kind, CityFileFailure::Kind::ReadError);
  EXPECT_EQ(folder.Failure()->Message(), "cannot be read: Is a directory");
}

TEST(ReadCountries, OnePerBlockComparedExactly) {
  const fs::path p = WriteTemp("countries.txt",
                               "a\t1\t0\t0\tChile\r\n"
                               "b\t1\t0\t0\tChile\r\n"
                               "c\t1\t0\t0\tChile \r\n"    // trailing blank: another country
                               "d\t1\t0\t0\tChile\tX\r\n"  // tab inside the country text
                               "e\t1\t0\t0\tÖsterreich\r\n"
                               "f\t1\t0\t0\tChile\r\n");   // a split block is offered again
  EXPECT_EQ(ReadCountries(p.string()),
            (std::vector<std::string>{"Chile", "Chile ", "Chile\tX", "Österreich", "Chile"}));
  std::optional<CityFileFailure> failure;
  EXPECT_TRUE(ReadCountries("/nonexistent/x.txt", &failure).empty());
  ASSERT_TRUE(failure.has_value());
  EXPECT_TRUE(failure->fileMissing);
  fs::remove(p);
  // A FIFO in the file's place (the window reads the countries when it is activated): no
  // wait for a writer, an empty list and the reason.
  const fs::path fifo = fs::temp_directory_path() / ("varomintel_countries_fifo_" + std::to_string(::getpid()));
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(ReadCountries(fifo.string(), &failure).empty());
  ASSERT_TRUE(failure.has_value());
  EXPECT_FALSE(failure->fileMissing);
  EXPECT_EQ(failure->Message(), "cannot be read: it is not a regular file (a FIFO)");
  fs::remove(fifo);
}

TEST(ReadCountryPlaces, ExactMatchesInFileOrderAndStopAtAMalformedLine) {
  const fs::path p = WriteTemp("places.txt",
                               "Arica\t1\t-1848\t-7030\tChile\r\n"
                               "Wien\t2\t4821\t1637\tÖsterreich\r\n"
                               "Tacna\t3\t-1801\t-7025\tChile \r\n"
                               "Iquique\t4\t-2021\t-7015\tChile\r\n"
                               "\r\n"
                               "Calama\t5\t-2246\t-6893\tChile\r\n");
  const CountryPlacesRead r = ReadCountryPlaces(p.string(), "Chile");
  ASSERT_EQ(r.places.size(), 2u);
  EXPECT_EQ(r.places[0].City, "Arica");
  EXPECT_EQ(r.places[1].City, "Iquique");
  EXPECT_DOUBLE_EQ(r.places[1].Latitude, -20.21);
  ASSERT_TRUE(r.failure);
  EXPECT_EQ(r.failure->lineNumber, 5);
  EXPECT_EQ(r.failure->error.fieldText, "");

  // A refill for a smaller country holds only that country's places.
  const CountryPlacesRead austria = ReadCountryPlaces(p.string(), "Österreich");
  ASSERT_EQ(austria.places.size(), 1u);
  EXPECT_EQ(austria.places[0].Population, 2);
  fs::remove(p);
}

// The shipped files: every line parses, each country is one block, both languages hold
// the same places.
TEST(ShippedCityFiles, EveryLineParsesAndEachCountryIsOneBlock) {
  long counts[2] = {0, 0};
  for (const char* name : {kCityFileGerman, kCityFileEnglish}) {
    const std::string path = testing::DataDir() + "/" + name;
    SCOPED_TRACE(path);
    std::ifstream raw(path, std::ios::binary);
    ASSERT_TRUE(raw) << "missing";
    const std::string bytes((std::istreambuf_iterator<char>(raw)), {});
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    std::size_t lf = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
      if (bytes[i] == '\n') {
        ++lf;
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
      }

    CityFileReader reader(path);
    std::string line;
    Place place;
    std::set<std::string> finished;
    std::string current;
    long lines = 0;
    while (reader.Next(line)) {
      ++lines;
      const auto error = ParseCityLine(line, place);
      ASSERT_FALSE(error) << "line " << lines << ": " << error->Message();
      ASSERT_LE(std::fabs(place.Latitude), 90.0) << "line " << lines;
      ASSERT_LE(std::fabs(place.Longitude), 180.0) << "line " << lines;
      ASSERT_GE(place.Population, 0) << "line " << lines;
      ASSERT_FALSE(place.Country.empty()) << "line " << lines;
      ASSERT_EQ(place.Country.find('\t'), std::string::npos) << "line " << lines;
      if (place.Country != current) {
        ASSERT_TRUE(finished.insert(place.Country).second) << "second block of " << place.Country;
        current = place.Country;
      }
    }
    EXPECT_EQ(static_cast<std::size_t>(lines), lf);
    EXPECT_GT(lines, 150000);
    EXPECT_GT(finished.size(), 200u);
    counts[name == kCityFileEnglish] = lines;
    EXPECT_EQ(ReadCountries(path).size(), finished.size());
  }
  EXPECT_EQ(counts[0], counts[1]);
}

}  // namespace
}  // namespace varomintel
