// varomintel-cli local on the shipped catalogue: the JSON document's names and values
// against the other commands' and the routine's, the summary in three languages, and the
// bad arguments, one line and status 2 each.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <string>

#include "astro/delta_t.h"
#include "eclipse/catalogue.h"
#include "places/delta_t_visibility.h"
#include "places/local_sky.h"
#include "../support/run_cli.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

using testing::CliRun;
using Json = nlohmann::json;

const std::string kCatalogueOption =
    std::string("--catalogue '") + testing::DataDir() + "/" + kCatalogueFileName + "' ";

CliRun Cli(const std::string& args) {
  return testing::RunProgram(std::filesystem::temp_directory_path(), testing::CliProgram(), kCatalogueOption + args);
}

const Catalogue& Shipped() {
  static const CatalogueLoad load = LoadCatalogue(testing::DataDir() + "/" + std::string(kCatalogueFileName));
  return load.catalogue;
}

int IndexOf(int year, int month, int day) {
  for (int i = 1; i <= Shipped().Count(); ++i) {
    const EclipseRecord& r = Shipped().At(i);
    if (r.Year == year && r.Month == month && r.Day == day) return i;
  }
  return 0;
}

// The total eclipse of 2022 Nov 8 seen from New York, where the Moon sets during
// totality, and the partial one of 2023 Oct 28 from Basel.
TEST(LocalCli, JsonNamesAndValues) {
  const int total = IndexOf(2022, 11, 8);
  ASSERT_GT(total, 0);
  const CliRun r = Cli("local " + std::to_string(total) + " --lat 40.71N --lon 74.01W --height 10 --format json");
  ASSERT_EQ(r.status, 0) << r.err;
  const Json j = Json::parse(r.out);
  std::set<std::string> top;
  for (const auto& [key, value] : j.items()) top.insert(key);
  EXPECT_EQ(top, (std::set<std::string>{"index", "delta_t", "calendar", "year_label", "place", "contacts",
                                        "moonrise_utc", "moonset_utc", "summary"}));
  EXPECT_EQ(j["calendar"], "gregorian");
  EXPECT_EQ(j["year_label"], "AD 2022");
  EXPECT_EQ(j["index"], total);
  EXPECT_EQ(j["place"], Json::parse(R"({"name": "", "latitude_deg": 40.71, "longitude_deg": -74.01,
                                        "height_m": 10.0})"));
  const std::set<std::string> twilights = {"day", "civil", "nautical", "astronomical", "night"};
  const EclipseRecord& rec = Shipped().At(total);
  const Observer observer{40.71, -74.01, 10};
  const LocalEclipseView view = ViewFromPlace(rec, DeltaT(rec.Year, rec.Month), observer);
  for (const Contact k : kListContacts) {
    SCOPED_TRACE(ContactName(k));
    const Json& c = j["contacts"][ContactName(k)];
    ASSERT_TRUE(c.is_object());
    for (const char* name : {"utc", "apparent_altitude_deg", "azimuth_deg", "shadow_axis_altitude_deg",
                             "sun_altitude_deg", "twilight", "visible", "hours_after_sunset", "hours_before_sunrise",
                             "seasonal_hour_h", "hours_from_midnight", "hours_after_moonrise", "hours_before_moonset",
                             "local_apparent_time", "clock_notes"})
      EXPECT_TRUE(c.contains(name)) << name;
    EXPECT_TRUE(twilights.count(c["twilight"].get<std::string>()));
    EXPECT_EQ(c["visible"].get<bool>(), view.contacts[k]->sky.moonVisible);
    EXPECT_DOUBLE_EQ(c["apparent_altitude_deg"].get<double>(), view.contacts[k]->sky.moonApparentAltitudeDeg);
  }
  // Totality begins with the Moon up and ends after moonset.
  EXPECT_TRUE(j["contacts"]["U2"]["visible"].get<bool>());
  EXPECT_FALSE(j["contacts"]["U3"]["visible"].get<bool>());
  EXPECT_TRUE(j["moonrise_utc"].is_null());
  const std::string set = j["moonset_utc"].get<std::string>();
  EXPECT_GT(set, j["contacts"]["U2"]["utc"].get<std::string>());
  EXPECT_LT(set, j["contacts"]["U3"]["utc"].get<std::string>());
  EXPECT_EQ(set.substr(0, 14), "2022-11-08T11:");

  // The shadow axis's altitude is the one the city history lists.
  const CliRun hist = Cli("cityhist --lat 40.71N --lon 74.01W --from 2022 --to 2022 --format json");
  ASSERT_EQ(hist.status, 0) << hist.err;
  const Json h = Json::parse(hist.out);
  bool found = false;
  for (const Json& e : h["eclipses"]) {
    if (e["index"] != total) continue;
    found = true;
    EXPECT_EQ(e["delta_t"]["value_s"], e["delta_t_s"]);
    EXPECT_EQ(e["delta_t"]["sigma_s"], j["delta_t"]["sigma_s"]);
    EXPECT_EQ(e["delta_t"]["own"], false);
    for (const Contact k : kListContacts) {
      const Json& listed = e["contacts"][ContactName(k)];
      if (listed.is_null()) continue;
      EXPECT_DOUBLE_EQ(listed["moon_altitude_deg"].get<double>(),
                       j["contacts"][ContactName(k)]["shadow_axis_altitude_deg"].get<double>())
          << ContactName(k);
    }
  }
  EXPECT_TRUE(found);

  // A partial eclipse has no totality: U2 and U3 are null.
  const int partial = IndexOf(2023, 10, 28);
  ASSERT_GT(partial, 0);
  const CliRun p = Cli("local " + std::to_string(partial) + " --lat 47.5N --lon 7.5E --format json");
  ASSERT_EQ(p.status, 0) << p.err;
  const Json pj = Json::parse(p.out);
  EXPECT_TRUE(pj["contacts"]["U2"].is_null());
  EXPECT_TRUE(pj["contacts"]["U3"].is_null());
  EXPECT_TRUE(pj["contacts"]["U1"]["visible"].get<bool>());
}

// --delta-t replaces the model's Delta T: every contact's universal time moves by exactly
// the difference, in the report, the circumstances and `local`, for a modern eclipse (Delta T
// about a minute, sigma below a second) and an ancient one (Delta T of days' hours, sigma of
// an hour), earlier and later; the document says which value it used and that it was own.
TEST(LocalCli, OwnDeltaTShiftsEveryUniversalTimeByTheDifference) {
  const std::string place = " --lat 32.55N --lon 44.42E --format json";
  for (const int index : {IndexOf(2022, 11, 8), 100}) {
    ASSERT_GT(index, 0);
    const Json model = Json::parse(Cli("report " + std::to_string(index) + " --format json").out);
    const double modelDeltaT = model["delta_t"]["value_s"].get<double>();
    const double sigma = model["delta_t"]["sigma_s"].get<double>();
    EXPECT_FALSE(model["delta_t"]["own"].get<bool>());
    EXPECT_EQ(model["delta_t_s"].get<double>(), modelDeltaT);
    for (const double change : {-4321.5, 37.25, 2 * sigma}) {
      const double own = std::round(modelDeltaT + change);  // a whole number of seconds as typed
      const std::string option = " --delta-t " + std::to_string(static_cast<long long>(own));
      for (const std::string& command : {std::string("report ") + std::to_string(index) + " --format json",
                                         std::string("circumstances ") + std::to_string(index) + " --format json",
                                         std::string("local ") + std::to_string(index) + place}) {
        SCOPED_TRACE(command + option);
        const CliRun before = Cli(command);
        const CliRun after = Cli(command + option);
        ASSERT_EQ(before.status, 0) << before.err;
        ASSERT_EQ(after.status, 0) << after.err;
        const Json b = Json::parse(before.out);
        const Json a = Json::parse(after.out);
        EXPECT_EQ(a["delta_t"]["value_s"].get<double>(), own);
        EXPECT_EQ(a["delta_t"]["sigma_s"].get<double>(), b["delta_t"]["sigma_s"].get<double>());
        EXPECT_TRUE(a["delta_t"]["own"].get<bool>());
        int compared = 0;
        for (const Contact k : kListContacts) {
          const Json& cb = b["contacts"][ContactName(k)];
          const Json& ca = a["contacts"][ContactName(k)];
          ASSERT_EQ(ca.is_null(), cb.is_null()) << ContactName(k);
          if (cb.is_null()) continue;
          const double shift = (ca["julian_day_ut"].get<double>() - cb["julian_day_ut"].get<double>()) * 86400;
          EXPECT_NEAR(shift, -(own - b["delta_t"]["value_s"].get<double>()), 1e-4) << ContactName(k);
          ++compared;
        }
        EXPECT_GE(compared, 3);
      }
    }
  }
  // The text says it too, beside the model's value and its uncertainty.
  const CliRun text = Cli("local 100 --lat 32.55N --lon 44.42E --delta-t 150000");
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("\nDelta T = 150000 s (own value; model 146455 s \u00b1 3677 s (1\u03c3))\n"),
            std::string::npos)
      << text.out;
  for (const char* bad : {"1e7", "abc", "", "5s", "--lat"}) {
    const CliRun r = Cli(std::string("local 100 --lat 32.55N --lon 44.42E --delta-t '") + bad + "'");
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.err.find("--delta-t"), std::string::npos) << r.err;
  }
}

// The visible intervals over Delta T and the verdict against a brute-force scan of the Moon's
// visibility at 4001 values of Delta T across model +- 3 sigma: ancient eclipses (sigma of
// 8 minutes to an hour) and a modern one, seen from twelve longitudes round the Earth, so that
// contacts near moonrise and moonset give every verdict. `local` carries the same in its JSON.
TEST(LocalCli, VisibilityOverDeltaTAgreesWithABruteForceScan) {
  std::map<DeltaTVerdict, int> seen;
  for (const int index : {IndexOf(-720, 3, 20), 100, IndexOf(2022, 11, 8)}) {
    ASSERT_GT(index, 0);
    const EclipseRecord& rec = Shipped().At(index);
    const double model = DeltaT(rec.Year, rec.Month);
    const double sigma = DeltaTSigma(rec.Year, rec.Month);
    for (double lon = -165; lon < 180; lon += 30) {
      const Observer observer{32.55, lon, 0};
      const LocalEclipseView view = ViewFromPlace(rec, model, observer);
      for (const Contact k : kListContacts) {
        if (!view.contacts[k]) continue;
        const double t = view.contacts[k]->t;
        SCOPED_TRACE(std::to_string(index) + " " + ContactName(k) + " at " + std::to_string(lon));
        const DeltaTVisibility v = VisibilityOverDeltaT(rec, t, observer, model, sigma);
        constexpr int kSamples = 4000;
        bool all = true, any = false;
        for (int i = 0; i <= kSamples; ++i) {
          const double dt = model - 3 * sigma + 6 * sigma * i / kSamples;
          const bool visible = SkyAt(rec, dt, observer, t).moonVisible;
          bool inside = false, nearEdge = false;
          for (const auto& [low, high] : v.intervals) {
            inside = inside || (low <= dt && dt <= high);
            nearEdge = nearEdge || std::abs(dt - low) < 0.01 || std::abs(dt - high) < 0.01;
          }
          if (!nearEdge) {
            EXPECT_EQ(inside, visible) << dt;
          }
          if (std::abs(dt - model) <= 2 * sigma) {
            all = all && visible;
            any = any || visible;
          }
        }
        const DeltaTVerdict brute = all ? DeltaTVerdict::Certain : any ? DeltaTVerdict::Depends
                                                                       : DeltaTVerdict::Impossible;
        EXPECT_EQ(DeltaTVerdictName(v.verdict), std::string(DeltaTVerdictName(brute)));
        for (std::size_t i = 0; i < v.intervals.size(); ++i) {
          EXPECT_LE(v.intervals[i].first, v.intervals[i].second);
          if (i > 0) {
            EXPECT_LT(v.intervals[i - 1].second, v.intervals[i].first);
          }
        }
        ++seen[v.verdict];
      }
    }
  }
  EXPECT_GT(seen[DeltaTVerdict::Certain], 0);
  EXPECT_GT(seen[DeltaTVerdict::Impossible], 0);
  EXPECT_GT(seen[DeltaTVerdict::Depends], 0);

  // Babylon, -720 Mar 19 (UT; Mar 20 in TT) from 37 E: P1 near moonrise, visible only for the smaller Delta T.
  const CliRun r = Cli("local " + std::to_string(IndexOf(-720, 3, 20)) + " --lat 32.55N --lon 37E --format json");
  ASSERT_EQ(r.status, 0) << r.err;
  const Json p1 = Json::parse(r.out)["contacts"]["P1"];
  EXPECT_EQ(p1["visibility_over_delta_t"], "depends");
  ASSERT_EQ(p1["visible_delta_t_intervals_s"].size(), 1u);
  EXPECT_EQ(Json::parse(r.out)["contacts"]["Max"]["visibility_over_delta_t"], "certain");
  const CliRun text = Cli("local " + std::to_string(IndexOf(-720, 3, 20)) + " --lat 32.55N --lon 37E");
  EXPECT_NE(text.out.find("\nP1      visible only if Delta T < " +
                          std::to_string(std::lround(p1["visible_delta_t_intervals_s"][0][1].get<double>())) +
                          " s\n"),
            std::string::npos)
      << text.out;
}

// The lists' JSON carries beside the shadow axis's altitude the Moon's apparent place at
// every contact it gives, the same as `local` computes for that eclipse and place: the
// city history at New York with its height, the city list for places of a small city
// file (at sea level).
struct ListJsonRow {
  const char* name;
  std::string args;       // the list command
  const char* items;      // the array of the document
  double heightM;
};
std::ostream& operator<<(std::ostream& o, const ListJsonRow& r) { return o << r.name; }
class ListJson : public ::testing::TestWithParam<ListJsonRow> {};


INSTANTIATE_TEST_SUITE_P(
    Lists, ListJson,
    ::testing::Values(ListJsonRow{"CityHist", "cityhist --lat 40.71N --lon 74.01W --height 10 --from 2021 --to 2023",
                                  "eclipses", 10},
                      ListJsonRow{"CityList", "citylist " + std::to_string(IndexOf(2022, 11, 8)) + " --cities ",
                                  "places", 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(ListJson, ContactsGiveTheMoonsApparentAltitudeAndAzimuth) {
  const ListJsonRow& row = GetParam();
  const std::string cities = "varomintel_local_cli_cities_" + std::to_string(::getpid()) + ".txt";
  const std::filesystem::path cityPath = std::filesystem::temp_directory_path() / cities;
  std::ofstream(cityPath, std::ios::binary) << "New York\t8000000\t4071\t-7401\tUSA\r\n"
                                            << "Honolulu\t350000\t2131\t-15786\tUSA\r\n"
                                            << "Sydney\t5000000\t-3387\t15121\tAustralia\r\n";
  const CliRun r = Cli(row.args + (row.args.back() == ' ' ? cities : std::string()) + " --format json");
  std::filesystem::remove(cityPath);
  ASSERT_EQ(r.status, 0) << r.err;
  const Json doc = Json::parse(r.out);
  const Json& items = doc[row.items];
  ASSERT_GE(items.size(), 3u);
  int compared = 0;
  for (const Json& item : items) {
    const double lat = item.contains("latitude_deg") ? item["latitude_deg"].get<double>() : 40.71;
    const double lon = item.contains("longitude_deg") ? item["longitude_deg"].get<double>() : -74.01;
    const int index = item.contains("index") ? item["index"].get<int>() : doc["index"].get<int>();
    char place[96];
    std::snprintf(place, sizeof place, " --lat %.2f%c --lon %.2f%c --height %g", std::fabs(lat), lat < 0 ? 'S' : 'N',
                  std::fabs(lon), lon < 0 ? 'W' : 'E', row.heightM);
    const CliRun local = Cli("local " + std::to_string(index) + place + " --format json");
    ASSERT_EQ(local.status, 0) << local.err;
    const Json seen = Json::parse(local.out)["contacts"];
    for (const Contact k : kListContacts) {
      const Json& c = item["contacts"][ContactName(k)];
      if (c.is_null()) continue;
      SCOPED_TRACE(std::to_string(index) + place + " " + ContactName(k));
      for (const char* name : {"moon_altitude_deg", "apparent_altitude_deg", "azimuth_deg"})
        ASSERT_TRUE(c.contains(name) && c[name].is_number()) << name;
      const Json& there = seen[ContactName(k)];
      EXPECT_DOUBLE_EQ(c["moon_altitude_deg"].get<double>(), there["shadow_axis_altitude_deg"].get<double>());
      EXPECT_DOUBLE_EQ(c["apparent_altitude_deg"].get<double>(), there["apparent_altitude_deg"].get<double>());
      EXPECT_DOUBLE_EQ(c["azimuth_deg"].get<double>(), there["azimuth_deg"].get<double>());
      ++compared;
    }
  }
  EXPECT_GE(compared, 10);
}

TEST(LocalCli, SummaryInThreeLanguages) {
  const std::string args = "local " + std::to_string(IndexOf(2022, 11, 8)) + " --lat 40.71N --lon 74.01W --tz -5";
  struct Row {
    const char* lang;
    const char* summary;
    const char* moonset;
  };
  for (const Row& row :
       {Row{"en", "Totality partly visible, the Moon 6° high in the west-north-west in nautical twilight; the eclipse "
                  "ends after moonset.",
            "Moonset: 2022-11-08 06:4"},
        Row{"de", "Totalität teilweise sichtbar, der Mond 6° hoch im Westnordwesten in der nautischen Dämmerung; "
                  "die Finsternis endet nach Monduntergang.",
            "Monduntergang: 2022-11-08 06:4"},
        Row{"fr", "Totalité en partie visible, la Lune à 6° de hauteur à l'ouest-nord-ouest au crépuscule nautique ; "
                  "l'éclipse se termine après le coucher de la Lune.",
            "Coucher de la Lune : 2022-11-08 06:4"}}) {
    const CliRun r = Cli(args + " --lang " + row.lang);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(std::string("\n") + row.summary + "\n"), std::string::npos) << row.lang << ":\n" << r.out;
    EXPECT_NE(r.out.find(row.moonset), std::string::npos) << row.lang << ":\n" << r.out;
  }
}

struct BadRow {
  const char* name;
  const char* args;
  const char* message;  // a part of the one line on standard error
};
void PrintTo(const BadRow& row, std::ostream* os) { *os << row.name; }
class LocalCliBadInput : public ::testing::TestWithParam<BadRow> {};

TEST_P(LocalCliBadInput, OneLineAndStatus2) {
  const CliRun r = Cli(GetParam().args);
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.out.empty()) << r.out;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(r.err.rfind("varomintel-cli: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LocalCliBadInput,
    ::testing::Values(BadRow{"NoLatitude", "local 100 --lon 7.5E", "missing --lat"},
                      BadRow{"LatitudeBeyondPole", "local 100 --lat 90.5N --lon 7.5E", "--lat must be degrees"},
                      BadRow{"LongitudeWithoutSide", "local 100 --lat 47.5N --lon 7.5", "--lon must be degrees"},
                      BadRow{"SignedLatitude", "local 100 --lat -47.5N --lon 7.5E", "--lat must be degrees"},
                      BadRow{"HeightNotANumber", "local 100 --lat 47.5N --lon 7.5E --height high", "--height"},
                      BadRow{"ZoneNotANumber", "local 100 --lat 47.5N --lon 7.5E --tz CET", "--tz"},
                      BadRow{"IndexZero", "local 0 --lat 47.5N --lon 7.5E", "index '0'"},
                      BadRow{"IndexBeyondCatalogue", "local 999999 --lat 47.5N --lon 7.5E", "index '999999'"},
                      BadRow{"NoIndex", "local --lat 47.5N --lon 7.5E", "missing INDEX"},
                      BadRow{"CalendarFormat", "local 100 --lat 47.5N --lon 7.5E --format ics", "--format"},
                      BadRow{"Language", "local 100 --lat 47.5N --lon 7.5E --lang it", "--lang"},
                      BadRow{"ExtraArgument", "local 100 101 --lat 47.5N --lon 7.5E", "unexpected argument '101'"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
