// Local circumstances at a place, checked on synthetic eclipses whose contacts have
// closed forms (the Moon on a straight line through constant shadow circles), and the
// city-list line and record built from them.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "astro/delta_t.h"
#include "text/number_text.h"
#include "astro/trig_func.h"
#include "places/list_text.h"
#include "places/local_circumstances.h"
#include "text/utf8_text.h"
#include "../support/synthetic_eclipse.h"

namespace varomintel {
namespace {

using testing::LinearEclipse;

constexpr double kTimeTolerance = 1e-6;  // hours

std::vector<std::string> Fields(const std::string& record) {
  std::vector<std::string> f;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = record.find('\t', start);
    f.push_back(record.substr(start, tab - start));
    if (tab == std::string::npos) return f;
    start = tab + 1;
  }
}

// The part of a line after its first n characters.
std::string After(const std::string& line, std::size_t n) {
  std::size_t i = 0;
  for (std::size_t seen = 0; i < line.size(); ++i)
    if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80 && seen++ == n) break;
  return line.substr(i);
}

// hh:mm:ss of universal time for instant t of the record, computed on its own.
std::string Clock(const EclipseRecord& r, double deltaT, double t) {
  double s = std::round((r.T0Hour + t - deltaT / 3600) * 3600);
  s = std::fmod(std::fmod(s, 86400) + 86400, 86400);
  const int h = static_cast<int>(s) / 3600, m = static_cast<int>(s) / 60 % 60, sec = static_cast<int>(s) % 60;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, m, sec);
  return buf;
}

struct Scenario {
  LinearEclipse shape;
  EclipseRecord record;
  double deltaT = 0;
  Place place;
  LocalResult result;

  Scenario(double lmin, int t0Hour = 11) : shape(LinearEclipse::Passing(lmin)) {
    record = shape.Record(2022, 11, 8, t0Hour);
    deltaT = DeltaT(record.Year, record.Month);
    place.City = "Testort";
    place.Country = "Testland";
    place.Population = 12345;
  }
  // West longitude (radians) that puts the hour angle at `hourAngleDeg` at instant t.
  double WestLongitudeFor(double t, double hourAngleDeg) const {
    return (record.M.c[0] + record.M.c[1] * t - 0.00417807 * deltaT - hourAngleDeg) * DegToRad;
  }
  // On the equator, with the Moon on the meridian (0) or on the horizon (+-90) at t.
  void Run(double t, double hourAngleDeg, UmbralGuard guard = UmbralGuard::CityList) {
    const double west = WestLongitudeFor(t, hourAngleDeg);
    place.Latitude = 0;
    place.Longitude = -west * RadToDeg;
    result = LocalCircumstances(record, deltaT, 0.0, west, place, guard);
  }
  double T(Contact contact) const { return place.ContactTime[contact]; }
  double Alt(Contact contact) const { return place.ContactAltitude[contact]; }
  std::string Line() const { return CityListLine(record, deltaT, place); }
  std::string Record() const { return CityListRecord(record, deltaT, place); }
};

TEST(LocalCircumstances, TotalEclipseSeenThroughoutMatchesTheClosedForms) {
  Scenario s(300);
  const LinearEclipse& e = s.shape;
  s.Run(e.TimeMax(), 0);
  ASSERT_TRUE(s.result.eclipse);
  EXPECT_TRUE(s.result.converged);
  EXPECT_EQ(s.place.PhaseType, LocalPhase::Total);
  const double tmax = e.TimeMax();
  EXPECT_NEAR(s.T(Contact::Max), tmax, kTimeTolerance);
  EXPECT_NEAR(s.T(Contact::P1), tmax - e.HalfChord(e.f1 + e.moonRadius), kTimeTolerance);
  EXPECT_NEAR(s.T(Contact::P4), tmax + e.HalfChord(e.f1 + e.moonRadius), kTimeTolerance);
  EXPECT_NEAR(s.T(Contact::U1), tmax - e.HalfChord(e.f2 + e.moonRadius), kTimeTolerance);
  EXPECT_NEAR(s.T(Contact::U4), tmax + e.HalfChord(e.f2 + e.moonRadius), kTimeTolerance);
  EXPECT_NEAR(s.T(Contact::U2), tmax - e.HalfChord(e.f2 - e.moonRadius), kTimeTolerance);
  EXPECT_NEAR(s.T(Contact::U3), tmax + e.HalfChord(e.f2 - e.moonRadius), kTimeTolerance);
  EXPECT_NEAR(s.place.Magnitude, (e.f2 + e.moonRadius - e.LMin()) / (2 * e.moonRadius), 1e-9);
  // On the meridian at the equator the altitude is 90 degrees minus the declination.
  const double d = e.Record().D.c[0] + e.Record().D.c[1] * tmax;
  EXPECT_NEAR(s.Alt(Contact::Max) * RadToDeg, 90 - d, 1e-6);
  for (const Contact i : kListContacts) EXPECT_GT(s.Alt(i), 0) << ContactName(i);

  const std::string line = s.Line();
  EXPECT_EQ(CodePointCount(line), 158u);
  // Every group filled: no run of 12 blanks after the head.
  EXPECT_EQ(After(line, 62).find("            "), std::string::npos) << line;
  const std::vector<std::string> f = Fields(s.Record());
  ASSERT_EQ(f.size(), 26u);
  EXPECT_EQ(f[16], Clock(s.record, s.deltaT, s.T(Contact::Max)));
  EXPECT_EQ(f[18], FormatFixed(s.place.Magnitude, 3));
  // Duration of totality U3 - U2, in whole minutes.
  const int minutes = static_cast<int>(2 * e.HalfChord(e.f2 - e.moonRadius) * 60 + 0.5);
  EXPECT_EQ(f[19], std::to_string(minutes / 60) + ":" + (minutes % 60 < 10 ? "0" : "") + std::to_string(minutes % 60));
  EXPECT_EQ(f[25], FormatFixed(s.Alt(Contact::P4) * RadToDeg, 1));  // the line ends with P4's altitude
}

TEST(LocalCircumstances, MoonRisingBetweenU2AndMaximum) {
  // T0 at 0 h TT: P1, U1 and U2 fall on the evening of the 7th, maximum after midnight.
  Scenario s(300, 0);
  s.Run((s.shape.TimeMax() - s.shape.HalfChord(s.shape.f2 - s.shape.moonRadius) + s.shape.TimeMax()) / 2, -90);
  ASSERT_TRUE(s.result.eclipse);
  ASSERT_EQ(s.place.PhaseType, LocalPhase::Total);
  for (const Contact i : {Contact::P1, Contact::U1, Contact::U2}) EXPECT_LT(s.Alt(i), 0) << ContactName(i);
  for (const Contact i : {Contact::Max, Contact::U3, Contact::U4, Contact::P4}) EXPECT_GT(s.Alt(i), 0) << ContactName(i);

  const std::string line = s.Line();
  ASSERT_EQ(CodePointCount(line), 158u);
  EXPECT_EQ(line.substr(0, 12), " 2022 11  8 ");  // the date of maximum, not of P1 (the 7th)
  EXPECT_EQ(After(line, 62).substr(0, 36), std::string(36, ' '));
  EXPECT_EQ(After(line, 98).substr(0, 8), Clock(s.record, s.deltaT, s.T(Contact::Max)));

  const std::vector<std::string> f = Fields(s.Record());
  ASSERT_EQ(f.size(), 26u);
  EXPECT_EQ(f[0] + "-" + f[1] + "-" + f[2], "2022-11-8");
  for (int i = 10; i < 16; ++i) EXPECT_EQ(f[i], "") << i;
  EXPECT_EQ(f[16], Clock(s.record, s.deltaT, s.T(Contact::Max)));
}

TEST(LocalCircumstances, OnlyP4SeenTheDayAfterT0) {
  Scenario s(300, 23);
  const LinearEclipse& e = s.shape;
  const double u4 = e.TimeMax() + e.HalfChord(e.f2 + e.moonRadius);
  const double p4 = e.TimeMax() + e.HalfChord(e.f1 + e.moonRadius);
  s.Run((u4 + p4) / 2, -90);
  ASSERT_TRUE(s.result.eclipse);
  for (const Contact i : kListContacts) {
    if (i == Contact::P4) continue;
    EXPECT_LT(s.Alt(i), 0) << ContactName(i);
  }
  EXPECT_GT(s.Alt(Contact::P4), 0);
  const std::string line = s.Line();
  EXPECT_EQ(line.substr(0, 12), " 2022 11  9 ");
  EXPECT_EQ(After(line, 62).substr(0, 84), std::string(84, ' '));
  // The record writes the tabs of P1..U4 and ends with P4's altitude.
  const std::string record = s.Record();
  const std::vector<std::string> f = Fields(record);
  ASSERT_EQ(f.size(), 26u);
  EXPECT_EQ(f[24], Clock(s.record, s.deltaT, p4));
  EXPECT_NE(record.back(), '\t');
}

TEST(LocalCircumstances, MoonSettingAfterMaximumEndsTheRecordAfterMaximum) {
  Scenario s(300);
  const LinearEclipse& e = s.shape;
  s.Run((e.TimeMax() + e.TimeMax() + e.HalfChord(e.f2 - e.moonRadius)) / 2, 90);
  ASSERT_TRUE(s.result.eclipse);
  EXPECT_GT(s.Alt(Contact::Max), 0);
  EXPECT_LT(s.Alt(Contact::U3), 0);
  const std::string record = s.Record();
  const std::vector<std::string> f = Fields(record);
  // 10 head fields, P1, U1, U2 and MAX, and the empty text after MAX's closing tab.
  ASSERT_EQ(f.size(), 21u) << record;
  EXPECT_EQ(f[20], "");
  EXPECT_EQ(record.back(), '\t');
  EXPECT_EQ(After(s.Line(), 122), std::string(36, ' '));
}

TEST(LocalCircumstances, PartialEclipseHasNoTotalityContacts) {
  Scenario s(2500);
  const LinearEclipse& e = s.shape;
  s.Run(e.TimeMax(), 0);
  ASSERT_TRUE(s.result.eclipse);
  ASSERT_EQ(s.place.PhaseType, LocalPhase::Partial);
  EXPECT_EQ(s.Alt(Contact::U2), kAltitudeNotComputed);
  EXPECT_EQ(s.Alt(Contact::U3), kAltitudeNotComputed);
  EXPECT_NEAR(s.place.Magnitude, (e.f2 + e.moonRadius - 2500) / (2 * e.moonRadius), 1e-9);
  const std::string groups = After(s.Line(), 62);
  EXPECT_EQ(groups.substr(24, 12), std::string(12, ' '));  // U2
  EXPECT_EQ(groups.substr(60, 12), std::string(12, ' '));  // U3
  const std::vector<std::string> f = Fields(s.Record());
  ASSERT_EQ(f.size(), 26u);
  EXPECT_EQ(f[14], "");
  EXPECT_EQ(f[20], "");
  const int minutes = static_cast<int>(2 * e.HalfChord(e.f2 + e.moonRadius) * 60 + 0.5);  // U4 - U1
  EXPECT_EQ(f[19], std::to_string(minutes / 60) + ":" + (minutes % 60 < 10 ? "0" : "") + std::to_string(minutes % 60));
}

TEST(LocalCircumstances, PenumbralEclipseUsesThePenumbralMagnitude) {
  Scenario s(4500);
  const LinearEclipse& e = s.shape;
  s.Run(e.TimeMax(), 0);
  ASSERT_TRUE(s.result.eclipse);
  ASSERT_EQ(s.place.PhaseType, LocalPhase::Penumbral);
  EXPECT_NEAR(s.place.Magnitude, (e.f1 + e.moonRadius - 4500) / (2 * e.moonRadius), 1e-9);
  for (const Contact i : {Contact::U1, Contact::U2, Contact::U3, Contact::U4}) EXPECT_EQ(s.Alt(i), kAltitudeNotComputed);
  const std::vector<std::string> f = Fields(s.Record());
  ASSERT_EQ(f.size(), 26u);
  EXPECT_FALSE(f[10].empty());
  EXPECT_TRUE(f[12].empty());
  const int minutes = static_cast<int>(2 * e.HalfChord(e.f1 + e.moonRadius) * 60 + 0.5);  // P4 - P1
  EXPECT_EQ(f[19], std::to_string(minutes / 60) + ":" + (minutes % 60 < 10 ? "0" : "") + std::to_string(minutes % 60));
}

TEST(LocalCircumstances, NoEclipseAndAReusedRecord) {
  Scenario total(300);
  total.Run(total.shape.TimeMax(), 0);
  ASSERT_EQ(total.place.PhaseType, LocalPhase::Total);

  // The same record for a penumbral eclipse: the umbral times stay, but their altitudes
  // were reset, so nothing of them is shown.
  Scenario pen(4500);
  pen.place = total.place;
  pen.Run(pen.shape.TimeMax(), 0);
  EXPECT_EQ(pen.T(Contact::U2), total.T(Contact::U2));
  const std::string groups = After(pen.Line(), 62);
  EXPECT_EQ(groups.substr(12, 24), std::string(24, ' '));

  Scenario none(6000);  // the Moon misses the penumbra
  none.Run(none.shape.TimeMax(), 0);
  EXPECT_FALSE(none.result.eclipse);
  EXPECT_EQ(none.Alt(Contact::P1), kAltitudeNotComputed);
}

TEST(LocalCircumstances, ADegenerateRecordEndsWithAStatusInsteadOfLooping) {
  EclipseRecord r = LinearEclipse::Passing(300).Record();
  r.X.c = {100, 0, 0, 0};  // the Moon stands still: no rate, no Newton step
  r.Y.c = {0, 0, 0, 0};
  Place p;
  const LocalResult res = LocalCircumstances(r, 0, 0.1, 0.2, p);
  EXPECT_FALSE(res.converged);
}

// The city list decides which contacts are seen by a sum of products instead of the
// hour angle's cosine: the same decision for places put on the horizon at each contact
// (to the last bit and nudged a little either way), in years whose Delta T turns the
// hour angle by many radians, and the same altitude to the bit for every contact seen.
TEST(ApplyLocalEclipseSeen, SameContactsSeenAndAltitudesAsApplyLocalEclipse) {
  struct Row {
    double lmin;  // least distance: total, partial, penumbral, outside the penumbra
    int year;
  };
  long compared = 0, seenNearHorizon = 0, setNearHorizon = 0;
  for (const Row row : {Row{300, 2022}, Row{2500, 2022}, Row{4800, -4000}, Row{300, -4999}, Row{2500, 6900},
                        Row{6000, 2022}}) {
    SCOPED_TRACE(::testing::Message() << "lmin " << row.lmin << ", year " << row.year);
    const EclipseRecord record = LinearEclipse::Passing(row.lmin).Record(row.year, 3, 8, 5);
    const double deltaT = DeltaT(record.Year, record.Month);
    LocalEclipse le = PrepareLocalEclipse(record, deltaT);
    PrepareSeenDecisions(le);
    const auto compare = [&](double latitude, double west) {
      Place exact, seen;
      const LocalResult a = ApplyLocalEclipse(le, latitude, west, exact);
      const LocalResult b = ApplyLocalEclipseSeen(le, latitude, west, seen);
      ASSERT_EQ(a.eclipse, b.eclipse);
      ASSERT_EQ(a.converged, b.converged);
      ASSERT_EQ(SeesEclipse(exact), SeesEclipse(seen));
      for (const Contact k : kListContacts) {
        ASSERT_EQ(exact.ContactTime[k], seen.ContactTime[k]);
        const double alt = exact.ContactAltitude[k];
        ASSERT_EQ(alt > 0, seen.ContactAltitude[k] > 0) << ContactName(k) << " at " << latitude << ", " << west;
        if (alt > 0 || seen.ContactAltitude[k] != kAltitudeBelowHorizon)
          ASSERT_EQ(std::bit_cast<std::uint64_t>(alt), std::bit_cast<std::uint64_t>(seen.ContactAltitude[k]));
        else
          ASSERT_LE(alt, 0.0);
      }
      ++compared;
    };
    for (const Contact k : kListContacts) {
      if (!le.computed[k]) continue;
      for (int i = 0; i < 90; ++i) {
        const double west = -Pi + i * (2 * Pi / 90);
        const double H = le.mu[k] - west - le.deltaTHourAngle;
        // The latitude at which the axis is on the horizon at contact k.
        const double horizon = std::atan2(-le.cosD[k] * std::cos(H), le.sinD[k]);
        double up = horizon, down = horizon;
        for (int step = 0; step < 4; ++step, up = std::nextafter(up, 2.0), down = std::nextafter(down, -2.0)) {
          compare(up, west);
          compare(down, west);
        }
        for (const double nudge : {1e-12, 1e-10, 1e-9, 1e-8, 1e-6, 1e-3}) {
          compare(horizon + nudge, west);
          compare(horizon - nudge, west);
        }
        Place p;
        ApplyLocalEclipse(le, horizon, west, p);
        (p.ContactAltitude[k] > 0 ? seenNearHorizon : setNearHorizon) += 1;
      }
    }
    for (int lat = -90; lat <= 90; lat += 5)
      for (int lon = -180; lon < 180; lon += 5) compare(lat * DegToRad, lon * DegToRad);
  }
  EXPECT_GT(compared, 50000);
  EXPECT_GT(seenNearHorizon, 100);  // the places on the horizon fall on both sides
  EXPECT_GT(setNearHorizon, 100);
}

TEST(ApplyLocalEclipseSeen, HugeAnglesAreComputedAsBefore) {
  // A damaged record (an hour angle of 1e12 radians) and a longitude of 1e15 degrees:
  // no decision by products, every altitude computed.
  EclipseRecord r = LinearEclipse::Passing(300).Record();
  r.M.c[0] = 1e12;
  LocalEclipse le = PrepareLocalEclipse(r, 60);
  PrepareSeenDecisions(le);
  for (const double west : {0.3, 1e15 * DegToRad}) {
    Place exact, seen;
    ApplyLocalEclipse(le, 0.4, west, exact);
    ApplyLocalEclipseSeen(le, 0.4, west, seen);
    for (const Contact k : kListContacts)
      EXPECT_EQ(std::bit_cast<std::uint64_t>(exact.ContactAltitude[k]), std::bit_cast<std::uint64_t>(seen.ContactAltitude[k]));
  }
}

TEST(CityListLine, AnAltitudeOfExactlyZeroIsNotSeen) {
  const EclipseRecord r = LinearEclipse::Passing(300).Record();
  Place p;
  p.PhaseType = LocalPhase::Total;
  p.Country = "Land";
  p.City = "Ort";
  p.ContactAltitude.fill(0.0);
  EXPECT_EQ(CityListLine(r, 60, p), "");
  EXPECT_EQ(CityListRecord(r, 60, p), "");
  p.ContactAltitude[Contact::Max] = 0.1;
  const std::string line = CityListLine(r, 60, p);
  ASSERT_EQ(CodePointCount(line), 158u);
  EXPECT_EQ(After(line, 62).substr(0, 36), std::string(36, ' '));
  EXPECT_NE(After(line, 98).substr(0, 8), std::string(8, ' '));
  // Latitude 0 and longitude 0 read north and east.
  EXPECT_NE(line.find("00°00'N 000°00'E"), std::string::npos) << line;
}

TEST(CityListLine, LongNamesAreCutToTenCharactersOnScreenAndKeptWholeInTheRecord) {
  Scenario s(300);
  s.place.Country = "Bosnien und Herzegowina";
  s.place.City = "Ōsaka-Sakai-Großstadt";
  s.place.Population = 123456789;  // nine digits: the leading one is cut in a width of 8
  s.Run(s.shape.TimeMax(), 0);
  const std::string line = s.Line();
  EXPECT_EQ(CodePointCount(line), 158u);
  EXPECT_NE(line.find(" Bosnien un Ōsaka-Saka "), std::string::npos) << line;
  EXPECT_NE(line.find(" 23456789 "), std::string::npos) << line;
  const std::vector<std::string> f = Fields(s.Record());
  EXPECT_EQ(f[5], "Bosnien und Herzegowina");
  EXPECT_EQ(f[6], "Ōsaka-Sakai-Großstadt");
  EXPECT_EQ(f[9], "123456789");
  EXPECT_EQ(f[3], FormatFixed(s.deltaT, 1));
}

}  // namespace
}  // namespace varomintel
