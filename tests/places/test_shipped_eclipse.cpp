// Local circumstances of a real eclipse of the shipped catalogue (2022 Nov 08), held
// against the published phase durations and against the Moon's altitude computed
// independently from its right ascension and declination and the sidereal time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "astro/trig_func.h"
#include "eclipse/catalogue.h"
#include "places/list_text.h"
#include "places/local_circumstances.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

// Phase durations of 2022 Nov 08 (Espenak & Meeus, Five Millennium Canon of Lunar
// Eclipses, NASA/TP-2009-214172; contact times P1 08:02:17, U1 09:09:12, U2 10:16:39,
// U3 11:41:37, U4 12:49:03, P4 13:56:08 UT), seconds.
constexpr double kTotalitySeconds = 84 * 60 + 58;
constexpr double kUmbralSeconds = 219 * 60 + 51;
constexpr double kPenumbralSeconds = 353 * 60 + 51;
constexpr double kDurationToleranceSeconds = 10;

// The Moon's geocentric altitude (degrees) at instant t of the record, from the record's
// MoonRA and MoonDec and the Greenwich mean sidereal time of Meeus, Astronomical
// Algorithms, 2nd ed., eq. 12.4; east longitude in degrees.
double MoonAltitudeDeg(const EclipseRecord& r, double deltaT, double t, double latitudeDeg, double eastLongitudeDeg) {
  const double jdUT = DateToJD(r.Year, r.Month, r.Day, r.T0Hour + t, 0, 0) - deltaT / 86400;
  const double d = jdUT - 2451545.0;
  const double T = d / 36525;
  const double theta0 = 280.46061837 + 360.98564736629 * d + 0.000387933 * T * T - T * T * T / 38710000;
  const double ra = r.MoonRA.c[0] + r.MoonRA.c[1] * t + r.MoonRA.c[2] * t * t;
  const double dec = r.MoonDec.c[0] + r.MoonDec.c[1] * t + r.MoonDec.c[2] * t * t;
  const double H = (theta0 + eastLongitudeDeg - ra) * DegToRad;
  const double phi = latitudeDeg * DegToRad;
  return std::asin(std::sin(phi) * std::sin(dec * DegToRad) + std::cos(phi) * std::cos(dec * DegToRad) * std::cos(H)) *
         RadToDeg;
}

TEST(ShippedEclipse, LocalCircumstancesOf2022November8) {
  const CatalogueLoad load = LoadCatalogue(testing::DataDir() + "/" + std::string(kCatalogueFileName));
  ASSERT_TRUE(load.ok()) << load.Message();
  const EclipseRecord* found = nullptr;
  for (const EclipseRecord& r : load.catalogue.Records())
    if (r.Year == 2022 && r.Month == 11 && r.Day == 8) found = &r;
  ASSERT_NE(found, nullptr);
  const EclipseRecord& r = *found;
  const double deltaT = DeltaT(r.Year, r.Month);

  struct Site {
    const char* name;
    double lat, lon;  // degrees, north and east positive
  };
  // The Moon stands off the shadow axis by the contact radius at a contact (about 1.5
  // degrees for the penumbra, 1.0 for the umbra, 0.5 for totality) and by 0.25 degrees at
  // greatest eclipse; a wrong sign of the longitude or of Delta T is off by far more.
  constexpr double kAltitudeToleranceDeg[kListContacts.size()] = {1.6, 1.1, 0.6, 0.3, 0.6, 1.1, 1.6};
  double worst = 0;
  for (const Site& p : {Site{"Basel", 47.5, 7.5}, Site{"Tokyo", 35.68, 139.69}, Site{"New York", 40.71, -74.01},
                       Site{"Sydney", -33.87, 151.21}, Site{"Honolulu", 21.31, -157.86},
                       Site{"Quito", -0.18, -78.47}}) {
    SCOPED_TRACE(p.name);
    Place place;
    const LocalResult res = LocalCircumstances(r, deltaT, p.lat * DegToRad, -p.lon * DegToRad, place);
    ASSERT_TRUE(res.eclipse);
    EXPECT_TRUE(res.converged);
    ASSERT_EQ(place.PhaseType, LocalPhase::Total);
    EXPECT_NEAR(place.Magnitude, 1.3589, 0.002);
    const auto& t = place.ContactTime;
    EXPECT_NEAR((t[Contact::U3] - t[Contact::U2]) * 3600, kTotalitySeconds, kDurationToleranceSeconds);
    EXPECT_NEAR((t[Contact::U4] - t[Contact::U1]) * 3600, kUmbralSeconds, kDurationToleranceSeconds);
    EXPECT_NEAR((t[Contact::P4] - t[Contact::P1]) * 3600, kPenumbralSeconds, kDurationToleranceSeconds);
    for (std::size_t i = 0; i < kListContacts.size(); ++i) {
      const Contact c = kListContacts[i];
      const double want = MoonAltitudeDeg(r, deltaT, t[c], p.lat, p.lon);
      const double got = place.ContactAltitude[c] * RadToDeg;
      EXPECT_NEAR(got, want, kAltitudeToleranceDeg[i]) << "contact " << ContactName(c);
      worst = std::max(worst, std::fabs(got - want));
    }
  }
  std::printf("largest altitude difference from the Moon's own position: %.3f degrees\n", worst);
}

}  // namespace
}  // namespace varomintel
