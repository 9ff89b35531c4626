// The Moon and the Sun seen from a place, as the eclipse's elements give them, against
// the Swiss Ephemeris (DE431): topocentric places of swe_calc_ut and the horizontal
// coordinates and refraction of swe_azalt, in the same atmosphere (10 degrees C,
// 1010 hPa) and with our Delta T. Eclipses from -2000 to 3000 of the shipped catalogue,
// places from pole to pole at sea level and 3000 m, each followed from P1 to P4.
// Moonrise and moonset against a bisection on the altitude routine itself, and against
// the ephemeris's own rise and set times. The Sun's right ascension and the mean obliquity
// that the shadow diagram's ecliptic is drawn with, against the same ephemeris.
#include <gtest/gtest.h>

#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "astro/sun_constellation.h"
#include "astro/trig_func.h"
#include "eclipse/catalogue.h"
#include "eclipse/elements.h"
#include "places/historian_clock.h"
#include "places/local_sky.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

// Degrees: the goal for the Moon above -2 degrees of altitude, and for the Sun.
constexpr double kToleranceDeg = 0.05;

const Catalogue& Shipped() {
  static const CatalogueLoad load = LoadCatalogue(testing::DataDir() + "/" + std::string(kCatalogueFileName));
  return load.catalogue;
}

// The first eclipse of the catalogue in the year or later.
int EclipseOfYear(int year) {
  const Catalogue& c = Shipped();
  for (int i = 1; i <= c.Count(); ++i)
    if (c.At(i).Year >= year) return i;
  return 0;
}

double JulianDayTT(const EclipseRecord& r, double t) { return DateToJD(r.Year, r.Month, r.Day, r.T0Hour, 0, t * 3600); }

double AngleDiffDeg(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d > 180) d -= 360;
  if (d < -180) d += 360;
  return d;
}

// The shadow axis's Greenwich hour angle at greatest eclipse (degrees), so that a row can
// put the Moon at a chosen local hour angle.
double AxisHourAngleDeg(const EclipseRecord& r, double deltaT, double t) {
  return EvaluateElements(r, t, deltaT).M * RadToDeg;
}

struct Epoch {
  const char* name;
  int year;
};
struct Site {
  const char* name;
  double latitudeDeg;
  double heightM;
  double hourAngleAtMaxDeg;  // the Moon's local hour angle at greatest eclipse, about
};

const Epoch kEpochs[] = {{"Y_m2000", -2000}, {"Y_m1000", -1000}, {"Y0", 0},       {"Y800", 800},  {"Y1500", 1500},
                         {"Y1900", 1900},    {"Y2022", 2022},    {"Y2500", 2500}, {"Y2999", 2999}};
const Site kSites[] = {
    {"NorthPole_0m", 89.9, 0, 0},       {"Arctic_3000m_rising", 70, 3000, -95}, {"Basel_0m_setting", 47.5, 0, 85},
    {"Basel_3000m_high", 47.5, 3000, 10}, {"Tropic_0m_zenith", 20, 0, 0},         {"Equator_0m_low", 0, 0, -88},
    {"Equator_3000m_setting", 0, 3000, 92}, {"Sydney_0m_east", -33.9, 0, -60},    {"Andes_3000m_west", -30, 3000, 70},
    {"Antarctic_0m", -75, 0, 30},           {"SouthPole_3000m", -89.9, 3000, 0},
};

struct Errors {
  double trueAlt = 0, apparentAlt = 0, azimuth = 0, sunAlt = 0;
  long samples = 0, apparentSamples = 0;
  double lowest = 90, highest = -90;
};
Errors& Worst() {
  static Errors e;
  return e;
}

// The row's place: its latitude and height, at the longitude that puts the shadow axis at
// the row's hour angle at greatest eclipse.
Observer RowObserver(const EclipseRecord& r, double deltaT, const Site& site) {
  const LocalEclipseView atZero = ViewFromPlace(r, deltaT, Observer{site.latitudeDeg, 0, site.heightM});
  const double tMax = atZero.contacts[Contact::Max] ? atZero.contacts[Contact::Max]->t : 0.0;
  return {site.latitudeDeg, AngleDiffDeg(site.hourAngleAtMaxDeg, AxisHourAngleDeg(r, deltaT, tMax)), site.heightM};
}

// The rows together put the Moon everywhere from below the horizon to near the zenith,
// and above the horizon in most samples.
TEST(LocalSkyEphemerisRows, CoverTheHorizonToTheZenith) {
  double lowest = 90, highest = -90;
  int above = 0;
  for (const Epoch& epoch : kEpochs)
    for (const Site& site : kSites) {
      const EclipseRecord& r = Shipped().At(EclipseOfYear(epoch.year));
      const double deltaT = DeltaT(r.Year, r.Month);
      const Observer o = RowObserver(r, deltaT, site);
      const LocalEclipseView view = ViewFromPlace(r, deltaT, o);
      ASSERT_TRUE(view.eclipse);
      for (double t = view.contacts[Contact::P1]->t; t <= view.contacts[Contact::P4]->t; t += 1.0 / 6) {
        const double h = SkyAt(r, deltaT, o, t).moonTrueAltitudeDeg;
        if (h < -2) continue;
        lowest = std::min(lowest, h);
        highest = std::max(highest, h);
        above += h > 0;
      }
    }
  EXPECT_LT(lowest, -1.5);
  EXPECT_GT(highest, 85);
  EXPECT_GT(above, 1000);
}

class LocalSkyEphemeris : public ::testing::TestWithParam<std::tuple<Epoch, Site>> {
 protected:
  static void SetUpTestSuite() {
    static char path[] = "/usr/share/libswe/ephe";
    swe_set_ephe_path(path);
  }
  static void TearDownTestSuite() {
    const Errors& e = Worst();
    std::printf(
        "[ ephemeris ] %ld samples with the Moon from %.2f to %.2f deg: largest error in true altitude %.4f deg, "
        "in apparent altitude %.4f deg (%ld samples above the horizon), in azimuth %.4f deg (below 80 deg of "
        "altitude); Sun's altitude %.4f deg\n",
        e.samples, e.lowest, e.highest, e.trueAlt, e.apparentAlt, e.apparentSamples, e.azimuth, e.sunAlt);
    swe_close();
  }
};

TEST_P(LocalSkyEphemeris, MoonAndSunAgreeWithTheEphemeris) {
  const auto& [epoch, site] = GetParam();
  const int index = EclipseOfYear(epoch.year);
  ASSERT_GT(index, 0);
  const EclipseRecord& r = Shipped().At(index);
  const double deltaT = DeltaT(r.Year, r.Month);
  const Observer observer = RowObserver(r, deltaT, site);
  const double longitude = observer.longitudeDeg;
  const LocalEclipseView view = ViewFromPlace(r, deltaT, observer);
  ASSERT_TRUE(view.eclipse);
  const double tBegin = view.contacts[Contact::P1]->t, tEnd = view.contacts[Contact::P4]->t;

  swe_set_delta_t_userdef(deltaT / 86400);
  swe_set_topo(longitude, site.latitudeDeg, site.heightM);
  double geopos[3] = {longitude, site.latitudeDeg, site.heightM};
  Errors& worst = Worst();
  int compared = 0;
  for (double t = tBegin; t <= tEnd + 1e-9; t += 1.0 / 6) {
    SCOPED_TRACE("eclipse " + std::to_string(index) + " at t = " + std::to_string(t) + " h, longitude " +
                 std::to_string(longitude));
    const double jdUT = JulianDayTT(r, t) - deltaT / 86400;
    double moon[6], sun[6], moonHz[3], sunHz[3];
    char err[AS_MAXCH] = "";
    const int flags = SEFLG_SWIEPH | SEFLG_EQUATORIAL | SEFLG_TOPOCTR;
    ASSERT_TRUE(swe_calc_ut(jdUT, SE_MOON, flags, moon, err) & SEFLG_SWIEPH) << err;
    ASSERT_TRUE(swe_calc_ut(jdUT, SE_SUN, flags, sun, err) & SEFLG_SWIEPH) << err;
    swe_azalt(jdUT, SE_EQU2HOR, geopos, 1010, 10, moon, moonHz);
    swe_azalt(jdUT, SE_EQU2HOR, geopos, 1010, 10, sun, sunHz);
    const LocalSkyAt ours = SkyAt(r, deltaT, observer, t);

    const double sunError = std::fabs(ours.sunAltitudeDeg - sunHz[1]);
    EXPECT_LT(sunError, kToleranceDeg) << "Sun at " << sunHz[1];
    worst.sunAlt = std::max(worst.sunAlt, sunError);
    if (moonHz[1] < -2) continue;
    ++compared;
    ++worst.samples;
    worst.lowest = std::min(worst.lowest, moonHz[1]);
    worst.highest = std::max(worst.highest, moonHz[1]);
    const double trueError = std::fabs(ours.moonTrueAltitudeDeg - moonHz[1]);
    EXPECT_LT(trueError, kToleranceDeg) << "true altitude " << ours.moonTrueAltitudeDeg << " against " << moonHz[1];
    worst.trueAlt = std::max(worst.trueAlt, trueError);
    // The ephemeris refracts only what it sees above its horizon (lowered by the dip at
    // height); compare where both have the Moon above the astronomical horizon.
    if (moonHz[2] > 0 && ours.moonApparentAltitudeDeg > 0) {
      const double apparentError = std::fabs(ours.moonApparentAltitudeDeg - moonHz[2]);
      EXPECT_LT(apparentError, kToleranceDeg) << "apparent altitude " << ours.moonApparentAltitudeDeg << " against "
                                              << moonHz[2];
      worst.apparentAlt = std::max(worst.apparentAlt, apparentError);
      ++worst.apparentSamples;
    }
    // The ephemeris counts the azimuth from the south through the west.
    const double azimuthError = std::fabs(AngleDiffDeg(ours.moonAzimuthDeg, moonHz[0] + 180));
    // As an angle on the sky: the azimuth's error shrinks with the cosine of the altitude.
    EXPECT_LT(azimuthError * std::cos(moonHz[1] * DegToRad), kToleranceDeg)
        << "azimuth " << ours.moonAzimuthDeg << " against " << moonHz[0] + 180;
    if (moonHz[1] < 80) worst.azimuth = std::max(worst.azimuth, azimuthError);
  }
  // Below the polar circles every row sees the Moon for a while.
  if (std::fabs(site.latitudeDeg) < 60) {
    EXPECT_GT(compared, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(PolesToEquator, LocalSkyEphemeris,
                         ::testing::Combine(::testing::ValuesIn(kEpochs), ::testing::ValuesIn(kSites)),
                         [](const auto& row) {
                           return std::string(std::get<0>(row.param).name) + "_" + std::get<1>(row.param).name;
                         });


// Moonrise and moonset: places where the Moon's limb meets the horizon near greatest
// eclipse, rising (the Moon east of the meridian) or setting.
struct HorizonRow {
  const char* name;
  double latitudeDeg;
  bool rising;
};
const HorizonRow kHorizonRows[] = {{"Equator_rising", 0, true},  {"Equator_setting", 0, false},
                                   {"Cairo_rising", 30, true},   {"Basel_setting", 47.5, false},
                                   {"Oslo_rising", 60, true},    {"Sydney_setting", -33.9, false},
                                   {"Santiago_rising", -33.4, true}};

class MoonHorizon : public ::testing::TestWithParam<std::tuple<Epoch, HorizonRow>> {
 protected:
  static void SetUpTestSuite() {
    static char path[] = "/usr/share/libswe/ephe";
    swe_set_ephe_path(path);
  }
  static void TearDownTestSuite() {
    std::printf("[ ephemeris ] %d moonrises and moonsets: largest difference from the ephemeris's own %.1f s\n",
                checked_, worstSeconds_);
    swe_close();
  }
  static inline double worstSeconds_ = 0;
  static inline int checked_ = 0;
};

TEST_P(MoonHorizon, CrossingsAreThoseOfABisectionAndOfTheEphemeris) {
  const auto& [epoch, row] = GetParam();
  const int index = EclipseOfYear(epoch.year);
  ASSERT_GT(index, 0);
  const EclipseRecord& r = Shipped().At(index);
  const double deltaT = DeltaT(r.Year, r.Month);
  const LocalEclipseView atZero = ViewFromPlace(r, deltaT, Observer{row.latitudeDeg, 0, 0});
  ASSERT_TRUE(atZero.eclipse);
  // The hour angle at which the axis is on the horizon at greatest eclipse.
  const double tMax = atZero.contacts[Contact::Max]->t;
  const ElementValues e = EvaluateElements(r, tMax, deltaT);
  const double phi = row.latitudeDeg * DegToRad;
  const double cosH0 = -std::tan(phi) * e.sinD / e.cosD;
  ASSERT_LT(std::fabs(cosH0), 1);
  const double H0 = std::acos(cosH0) * RadToDeg * (row.rising ? -1 : 1);
  const double longitude = AngleDiffDeg(H0, e.M * RadToDeg);
  const Observer observer{row.latitudeDeg, longitude, 0};
  const LocalEclipseView view = ViewFromPlace(r, deltaT, observer);
  const double tBegin = view.contacts[Contact::P1]->t, tEnd = view.contacts[Contact::P4]->t;
  SCOPED_TRACE("eclipse " + std::to_string(index) + ", longitude " + std::to_string(longitude));

  // The bisection: the routine's visibility on a one-minute grid, each change of it
  // halved down to a millisecond.
  const auto up = [&](double t) { return SkyAt(r, deltaT, observer, t).moonVisible; };
  std::vector<HorizonCrossing> bisected;
  bool before = up(tBegin);
  for (double a = tBegin; a < tEnd;) {
    const double b = std::min(tEnd, a + 1.0 / 60);
    const bool after = up(b);
    if (after != before) {
      double lo = a, hi = b;
      while ((hi - lo) * 3600 > 0.001) {
        const double mid = 0.5 * (lo + hi);
        (up(mid) == before ? lo : hi) = mid;
      }
      bisected.push_back({0.5 * (lo + hi), after});
    }
    before = after;
    a = b;
  }
  ASSERT_FALSE(bisected.empty()) << "the row's Moon does not meet the horizon";
  ASSERT_EQ(view.crossings.size(), bisected.size());
  for (std::size_t i = 0; i < bisected.size(); ++i) {
    EXPECT_EQ(view.crossings[i].rising, bisected[i].rising);
    EXPECT_NEAR(view.crossings[i].t * 3600, bisected[i].t * 3600, 1.0) << "crossing " << i;
  }
  EXPECT_EQ(view.crossings.front().rising, row.rising);
  // The visible part starts at the rise or ends at the set.
  ASSERT_TRUE(view.visible.visible);
  if (row.rising) {
    EXPECT_DOUBLE_EQ(view.visible.first, view.crossings.front().t);
  } else {
    EXPECT_DOUBLE_EQ(view.visible.last, view.crossings.front().t);
  }
  const VisibleSpan quick = VisiblePart(r, deltaT, observer, tBegin, tEnd);
  EXPECT_EQ(quick.visible, view.visible.visible);
  EXPECT_NEAR(quick.first * 3600, view.visible.first * 3600, 0.01);
  EXPECT_NEAR(quick.last * 3600, view.visible.last * 3600, 0.01);

  // The ephemeris's rise and set of the upper limb, same atmosphere, our Delta T.
  swe_set_delta_t_userdef(deltaT / 86400);
  double geopos[3] = {longitude, row.latitudeDeg, 0};
  for (const HorizonCrossing& c : view.crossings) {
    const double jdUT = JulianDayTT(r, c.t) - deltaT / 86400;
    double when = 0;
    char err[AS_MAXCH] = "";
    const int status = swe_rise_trans(jdUT - 0.1, SE_MOON, nullptr, SEFLG_SWIEPH,
                                      c.rising ? SE_CALC_RISE : SE_CALC_SET, geopos, 1010, 10, &when, err);
    ASSERT_EQ(status, 0) << err;
    const double seconds = std::fabs(when - jdUT) * 86400;
    EXPECT_LT(seconds, 15) << (c.rising ? "moonrise" : "moonset");
    worstSeconds_ = std::max(worstSeconds_, seconds);
    ++checked_;
  }
}

INSTANTIATE_TEST_SUITE_P(RiseAndSet, MoonHorizon,
                         ::testing::Combine(::testing::ValuesIn(kEpochs), ::testing::ValuesIn(kHorizonRows)),
                         [](const auto& row) {
                           return std::string(std::get<0>(row.param).name) + "_" + std::get<1>(row.param).name;
                         });

// The historian's clock at greatest eclipse: the sunset, sunrise, moonrise and moonset
// around it, up to a day away and found on the eclipse's elements extrapolated that far,
// against the ephemeris's own rises and sets of the upper limb (same atmosphere, our
// Delta T), and the local apparent time against its equation of time.
struct ClockRow {
  const char* name;
  double latitudeDeg;
};
const ClockRow kClockRows[] = {{"Equator", 0}, {"Babylon", 32.55}, {"Basel", 47.5}, {"Oslo", 60}, {"Sydney", -33.9}};

class ClockEphemeris : public ::testing::TestWithParam<std::tuple<Epoch, ClockRow>> {
 protected:
  static void TearDownTestSuite() {
    std::printf("[ ephemeris ] clock: %d rises and sets within %.1f s; apparent time within %.2f s\n", checked_,
                worstSeconds_, worstApparentSeconds_);
    swe_close();
  }
  static inline double worstSeconds_ = 0, worstApparentSeconds_ = 0;
  static inline int checked_ = 0;
};

TEST_P(ClockEphemeris, RisesSetsAndApparentTimeAgreeWithTheEphemeris) {
  const auto& [epoch, row] = GetParam();
  static char path[] = "/usr/share/libswe/ephe";
  swe_set_ephe_path(path);
  const int index = EclipseOfYear(epoch.year);
  ASSERT_GT(index, 0);
  const EclipseRecord& r = Shipped().At(index);
  const double deltaT = DeltaT(r.Year, r.Month);
  const Observer observer{row.latitudeDeg, 44.42, 0};
  const LocalEclipseView view = ViewFromPlace(r, deltaT, observer);
  ASSERT_TRUE(view.eclipse);
  const double t = view.contacts[Contact::Max]->t;
  const HorizonEvents events = HorizonEventsAround(r, deltaT, observer, t);
  const HistorianClock clock = ClockAt(r, deltaT, observer, t);
  SCOPED_TRACE("eclipse " + std::to_string(index));
  swe_set_delta_t_userdef(deltaT / 86400);
  double geopos[3] = {observer.longitudeDeg, row.latitudeDeg, 0};
  const double jdUT = JulianDayTT(r, t) - deltaT / 86400;
  // The ephemeris's next rise or set of `body` after `fromJd` (UT).
  const auto ephemeris = [&](int body, bool rising, double fromJd) {
    double when = 0;
    char err[AS_MAXCH] = "";
    EXPECT_EQ(swe_rise_trans(fromJd, body, nullptr, SEFLG_SWIEPH, rising ? SE_CALC_RISE : SE_CALC_SET, geopos, 1010,
                             10, &when, err),
              0)
        << err;
    return when;
  };
  struct Check {
    const char* what;
    std::optional<double> ours;  // hours of TT from T0
    int body;
    bool rising;
  };
  const Check checks[] = {{"sunset", events.lastSunset, SE_SUN, false},
                          {"sunrise", events.nextSunrise, SE_SUN, true},
                          {"moonrise", events.lastMoonrise, SE_MOON, true},
                          {"moonset", events.nextMoonset, SE_MOON, false}};
  for (const Check& c : checks) {
    ASSERT_TRUE(c.ours) << c.what;
    const double ours = JulianDayTT(r, *c.ours) - deltaT / 86400;
    const double seconds = std::fabs(ephemeris(c.body, c.rising, ours - 0.1) - ours) * 86400;
    EXPECT_LT(seconds, 15) << c.what;
    worstSeconds_ = std::max(worstSeconds_, seconds);
    ++checked_;
  }
  // The clock's hours are those instants counted from the contact.
  EXPECT_DOUBLE_EQ(*clock.hoursAfterSunset, t - *events.lastSunset);
  EXPECT_DOUBLE_EQ(*clock.hoursBeforeMoonset, *events.nextMoonset - t);
  if (!events.sunUp) {
    EXPECT_NEAR(*clock.seasonalHourH * 12, *events.nextSunrise - *events.lastSunset, 1e-12);
    EXPECT_NEAR(*clock.hoursFromMidnight, *clock.hoursAfterSunset - *clock.seasonalHourH * 6, 1e-12);
  }
  // Local apparent time: universal time, the longitude and the equation of time.
  double e = 0;
  char err[AS_MAXCH] = "";
  ASSERT_EQ(swe_time_equ(jdUT, &e, err), 0) << err;
  const double lmt = std::fmod(std::fmod(jdUT + 0.5, 1.0) * 24 + observer.longitudeDeg / 15, 24.0);
  const double apparentSeconds = std::fabs(std::remainder((clock.localApparentTimeH - lmt - e * 24) * 3600, 86400));
  EXPECT_LT(apparentSeconds, 5);
  worstApparentSeconds_ = std::max(worstApparentSeconds_, apparentSeconds);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClockEphemeris,
                         ::testing::Combine(::testing::ValuesIn(kEpochs), ::testing::ValuesIn(kClockRows)),
                         [](const auto& row) {
                           return std::string(std::get<0>(row.param).name) + "_" + std::get<1>(row.param).name;
                         });

// The visible part that a calendar takes for every eclipse decides most eclipses by the
// shadow axis's altitude alone; over the whole catalogue it must give what the full scan
// of P1..P4 gives.
struct CalendarPlaceRow {
  const char* name;
  Observer observer;
};
class VisiblePartOfEveryEclipse : public ::testing::TestWithParam<CalendarPlaceRow> {};

TEST_P(VisiblePartOfEveryEclipse, EqualsTheFullScan) {
  const Observer& o = GetParam().observer;
  const Catalogue& c = Shipped();
  int visible = 0, cut = 0;
  for (int i = 1; i <= c.Count(); ++i) {
    const EclipseRecord& r = c.At(i);
    const double deltaT = DeltaT(r.Year, r.Month);
    const LocalEclipseView view = ViewFromPlace(r, deltaT, o);
    if (!view.eclipse) continue;
    const double p1 = view.contacts[Contact::P1]->t, p4 = view.contacts[Contact::P4]->t;
    const VisibleSpan quick = VisiblePart(r, deltaT, o, p1, p4);
    ASSERT_EQ(quick.visible, view.visible.visible) << "eclipse " << i;
    if (!quick.visible) continue;
    ++visible;
    if (!view.crossings.empty()) ++cut;
    ASSERT_NEAR(quick.first * 3600, view.visible.first * 3600, 0.01) << "eclipse " << i;
    ASSERT_NEAR(quick.last * 3600, view.visible.last * 3600, 0.01) << "eclipse " << i;
  }
  // Roughly two thirds of the eclipses show some phase; moonrise or moonset cuts many.
  EXPECT_GT(visible, c.Count() / 2);
  EXPECT_GT(cut, c.Count() / 10);
}

INSTANTIATE_TEST_SUITE_P(WholeCatalogue, VisiblePartOfEveryEclipse,
                         ::testing::Values(CalendarPlaceRow{"Zurich", {47.3769, 8.5417, 408}},
                                           CalendarPlaceRow{"Quito", {-0.22, -78.51, 2850}},
                                           CalendarPlaceRow{"Longyearbyen", {78.22, 15.65, 0}},
                                           CalendarPlaceRow{"McMurdo", {-77.85, 166.67, 0}}),
                         [](const auto& row) { return std::string(row.param.name); });

// The Sun's apparent right ascension (Meeus's low-accuracy solar coordinates, good to
// 0.01 degree) and the mean obliquity (Meeus eq. 22.2, IAU 1976) against the ephemeris's
// apparent Sun and its mean obliquity (IAU 2006: 0.042" below IAU 1976 at J2000.0, the two
// parting by about a tenth of an arcsecond a millennium away), on twelve dates a year
// every 25 years from 1000 to 3000 (TT).
TEST(SunAndObliquity, AgreeWithTheEphemerisOverTwoMillennia) {
  struct Limit {
    const char* what;
    double (*ours)(double jd);
    double toleranceDeg;
  };
  const Limit limits[] = {{"Sun's right ascension", SunRightAscension, 0.01},
                          {"mean obliquity", MeanObliquity, 0.2 / 3600}};
  const auto ephemeris = [](double jd, bool sun) {
    double x[6] = {};
    char err[AS_MAXCH] = {};
    const int32 flags = SEFLG_MOSEPH | (sun ? SEFLG_EQUATORIAL : 0);
    EXPECT_GE(swe_calc(jd, sun ? SE_SUN : SE_ECL_NUT, flags, x, err), 0) << err;
    return sun ? x[0] : x[1];  // degrees: apparent right ascension; mean obliquity
  };
  for (const Limit& limit : limits) {
    const bool sun = limit.ours == SunRightAscension;
    double worst = 0;
    for (int year = 1000; year <= 3000; year += 25)
      for (int month = 1; month <= 12; ++month) {
        const double jd = DateToJD(year, month, 15, 0, 0, 0);
        const double difference = std::remainder(limit.ours(jd) * RadToDeg - ephemeris(jd, sun), 360.0);
        worst = std::max(worst, std::fabs(difference));
        EXPECT_LT(std::fabs(difference), limit.toleranceDeg) << limit.what << " " << year << "-" << month;
      }
    std::printf("[ ephemeris ] %s: largest difference %.5f deg\n", limit.what, worst);
  }
  swe_close();
}

// The parallactic angle: the position angle of the zenith at the Moon, found from the
// ephemeris alone as the direction in which the altitude climbs fastest: the altitudes
// (swe_azalt, no refraction) of two points 0.001 degrees north and east of the Moon's
// topocentric place give the altitude's gradient along north and east, whose direction is
// the zenith's. Every row of the ephemeris test above, along P1..P4.
TEST_P(LocalSkyEphemeris, ParallacticAngleIsTheZenithsPositionAngle) {
  const auto& [epoch, site] = GetParam();
  const EclipseRecord& r = Shipped().At(EclipseOfYear(epoch.year));
  const double deltaT = DeltaT(r.Year, r.Month);
  const Observer observer = RowObserver(r, deltaT, site);
  const LocalEclipseView view = ViewFromPlace(r, deltaT, observer);
  ASSERT_TRUE(view.eclipse);
  swe_set_delta_t_userdef(deltaT / 86400);
  swe_set_topo(observer.longitudeDeg, site.latitudeDeg, site.heightM);
  double geopos[3] = {observer.longitudeDeg, site.latitudeDeg, site.heightM};
  constexpr double kStepDeg = 0.001, kAngleToleranceDeg = 0.5;
  static double worst = 0;
  int compared = 0;
  for (double t = view.contacts[Contact::P1]->t; t <= view.contacts[Contact::P4]->t + 1e-9; t += 0.25) {
    const double jdUT = JulianDayTT(r, t) - deltaT / 86400;
    double moon[6], hz[3], north[3], east[3];
    char err[AS_MAXCH] = "";
    ASSERT_TRUE(swe_calc_ut(jdUT, SE_MOON, SEFLG_SWIEPH | SEFLG_EQUATORIAL | SEFLG_TOPOCTR, moon, err) & SEFLG_SWIEPH)
        << err;
    swe_azalt(jdUT, SE_EQU2HOR, geopos, 0, 10, moon, hz);
    // At the zenith the angle is undefined, and below the horizon nobody looks.
    if (hz[1] > 89.5 || hz[1] < -2) continue;
    double n[3] = {moon[0], moon[1] + kStepDeg, moon[2]};
    double e[3] = {moon[0] + kStepDeg / std::cos(moon[1] * DegToRad), moon[1], moon[2]};
    swe_azalt(jdUT, SE_EQU2HOR, geopos, 0, 10, n, north);
    swe_azalt(jdUT, SE_EQU2HOR, geopos, 0, 10, e, east);
    const double expected = std::atan2(east[1] - hz[1], north[1] - hz[1]) * RadToDeg;
    const double ours = SkyAt(r, deltaT, observer, t).moonParallacticAngleDeg;
    const double error = std::fabs(AngleDiffDeg(ours, expected));
    EXPECT_LT(error, kAngleToleranceDeg) << "eclipse of " << r.Year << " at t = " << t << " h, Moon at " << hz[1]
                                         << " deg: " << ours << " against " << expected;
    worst = std::max(worst, error);
    ++compared;
  }
  if (std::fabs(site.latitudeDeg) < 60) {
    EXPECT_GT(compared, 0);
  }
  RecordProperty("largest_parallactic_angle_error_deg", std::to_string(worst));
}

}  // namespace
}  // namespace varomintel
