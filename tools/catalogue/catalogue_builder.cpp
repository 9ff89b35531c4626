#include "catalogue_builder.h"

#include <swephexp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <stdexcept>

#include "astro/calendar.h"
#include "eclipse/circumstances.h"

namespace varomintel::catalogue_builder {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDeg = kPi / 180;
constexpr double kArcsecPerRad = 180 * 3600 / kPi;
constexpr double kAuKm = 149597870.7;
constexpr double kEarthRadiusKm = 6378.137;
constexpr double kSunRadiusKm = 696000.0;
constexpr double kMoonToEarthRadius = 0.2725076;  // k of the IAU
// Moon's mean motion in longitude, arcseconds per day (Simon et al. 1994: 1732559343.7"/cy).
constexpr double kMoonMeanMotion = 1732559343.73604 / 36525;
constexpr double kSynodicMonth = 29.530588861;

constexpr int kSamples = 13;            // every half hour from T0 - 3 h to T0 + 3 h
constexpr double kSampleStepHours = 0.5;
// A Moon farther than this from the ecliptic at opposition cannot touch the penumbra
// (whose contact radius stays below 1.6 degrees).
constexpr double kNodeLimitDeg = 2.0;

double Wrap180(double deg) {
  deg = std::fmod(deg, 360.0);
  if (deg > 180) deg -= 360;
  if (deg <= -180) deg += 360;
  return deg;
}

// Least-squares polynomial of degree n - 1 through the samples (t in hours), by the
// normal equations with partial pivoting; small and well conditioned for |t| <= 3.
template <std::size_t N>
std::array<double, N> Fit(const std::array<double, kSamples>& t, const std::array<double, kSamples>& v) {
  std::array<std::array<double, N + 1>, N> a{};
  for (int s = 0; s < kSamples; ++s) {
    std::array<double, N> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < N; ++i) p[i] = p[i - 1] * t[static_cast<std::size_t>(s)];
    for (std::size_t i = 0; i < N; ++i) {
      for (std::size_t j = 0; j < N; ++j) a[i][j] += p[i] * p[j];
      a[i][N] += p[i] * v[static_cast<std::size_t>(s)];
    }
  }
  for (std::size_t c = 0; c < N; ++c) {
    std::size_t pivot = c;
    for (std::size_t r = c + 1; r < N; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
    std::swap(a[c], a[pivot]);
    for (std::size_t r = 0; r < N; ++r) {
      if (r == c) continue;
      const double f = a[r][c] / a[c][c];
      for (std::size_t k = c; k <= N; ++k) a[r][k] -= f * a[c][k];
    }
  }
  std::array<double, N> coef{};
  for (std::size_t i = 0; i < N; ++i) coef[i] = a[i][N] / a[i][i];
  return coef;
}

template <std::size_t N>
double Value(const std::array<double, N>& c, double t) {
  double v = 0;
  for (std::size_t i = N; i-- > 0;) v = v * t + c[i];
  return v;
}

// Rounds a TT Julian day to the nearest whole hour and returns the calendar date of it.
CalendarDate NearestWholeHour(double jd) {
  const double hours = std::nearbyint((jd + 0.5) * 24);
  CalendarDate d = JDToDate(hours / 24 - 0.5);
  d.minute = 0;
  d.second = 0;
  return d;
}

}  // namespace

struct Builder::Sky {
  double moonRA, moonDec, moonDist;  // degrees, degrees, AU
  double sunRA, sunDec, sunDist;
  double gstHours;                   // apparent sidereal time of the instant taken as UT
};

Builder::Builder(Settings settings) : settings_(std::move(settings)) {
  swe_set_ephe_path(settings_.ephemerisPath.data());
  // Probe both ends of the span and the middle: the library must use its files.
  for (double jd : {-104826.5 - 500 * 365.25, 2451545.0, 4278121.5 + 500 * 365.25}) {
    double xx[6];
    char serr[AS_MAXCH] = "";
    for (int body : {SE_MOON, SE_SUN}) {
      const int flags = swe_calc(jd, body, SEFLG_SWIEPH, xx, serr);
      if (flags < 0 || (flags & SEFLG_SWIEPH) == 0)
        throw std::runtime_error("Swiss Ephemeris files in '" + settings_.ephemerisPath +
                                 "' do not cover JD " + std::to_string(jd) + " (" + serr + ")");
    }
  }
}

Builder::~Builder() { swe_close(); }

Builder::Sky Builder::SkyAt(double jd) {
  // The ephemeris Moon runs with its own secular acceleration; the catalogue's differs by
  // d(ndot). The longitude difference 1/2 d(ndot) T^2 is applied as a shift of the Moon
  // in time (Espenak & Meeus 2006, Five Millennium Canon, sect. 1.2).
  const double T = (jd - 2451545.0) / 36525;
  const double shiftDays = 0.5 * (settings_.ndotCatalogue - settings_.ndotEphemeris) * T * T / kMoonMeanMotion;
  double xx[6];
  char serr[AS_MAXCH] = "";
  Sky s{};
  const int flags = SEFLG_SWIEPH | SEFLG_EQUATORIAL;
  if ((swe_calc(jd + shiftDays, SE_MOON, flags, xx, serr) & SEFLG_SWIEPH) == 0)
    throw std::runtime_error(std::string("Moon: ephemeris file missing: ") + serr);
  s.moonRA = xx[0];
  s.moonDec = xx[1];
  s.moonDist = xx[2];
  if ((swe_calc(jd, SE_SUN, flags, xx, serr) & SEFLG_SWIEPH) == 0)
    throw std::runtime_error(std::string("Sun: ephemeris file missing: ") + serr);
  s.sunRA = xx[0];
  s.sunDec = xx[1];
  s.sunDist = xx[2];
  s.gstHours = swe_sidtime(jd);
  stats_.ephemerisCalls += 2;
  return s;
}

Lunation Builder::LunationNear(double jd) {
  return static_cast<Lunation>(std::floor((jd - 2451564.7) / kSynodicMonth + 0.5));
}

int Builder::SarosOf(Lunation k) {
  // k = 223 a + 358 b with series 124 + b; of the solutions (a, b) + m (358, -223) take the
  // one whose member offset a lies in [-180, 178] (series live about 80 members).
  // 358 b = k (mod 223); 358 = 135 (mod 223) and 135 * 114 = 15390 = 69 * 223 + 3, so solve by search.
  static const int inverse = [] {
    for (int x = 1; x < 223; ++x)
      if ((135 * x) % 223 == 1) return x;
    return 0;
  }();
  long b = ((k % 223 + 223) % 223) * inverse % 223;  // one solution, 0 <= b < 223
  long a = (k - 358 * b) / 223;
  while (a > 178) {
    a -= 358;
    b += 223;
  }
  while (a < -180) {
    a += 358;
    b -= 223;
  }
  return static_cast<int>(124 + b);
}

double Builder::Opposition(Lunation k) {
  // Mean full moon (Meeus, Astronomical Algorithms, eq. 49.1), then Newton on the
  // apparent elongation in longitude minus 180 degrees.
  const double km = static_cast<double>(k) + 0.5;
  const double T = km / 1236.85;
  double jd = 2451550.09766 + kSynodicMonth * km + 0.00015437 * T * T - 0.000000150 * T * T * T +
              0.00000000073 * T * T * T * T;
  const double T2 = (jd - 2451545.0) / 36525;
  const double shiftDays = 0.5 * (settings_.ndotCatalogue - settings_.ndotEphemeris) * T2 * T2 / kMoonMeanMotion;
  for (int i = 0; i < 12; ++i) {
    double m[6], s[6];
    char serr[AS_MAXCH] = "";
    swe_calc(jd + shiftDays, SE_MOON, SEFLG_SWIEPH | SEFLG_SPEED, m, serr);
    swe_calc(jd, SE_SUN, SEFLG_SWIEPH | SEFLG_SPEED, s, serr);
    stats_.ephemerisCalls += 2;
    const double f = Wrap180(m[0] - s[0] - 180);
    const double dt = -f / (m[3] - s[3]);
    jd += dt;
    if (std::fabs(dt) < 1e-6) {
      if (std::fabs(m[1]) > kNodeLimitDeg) return std::nan("");  // far from the node
      return jd;
    }
  }
  return jd;
}

std::optional<Eclipse> Builder::Compute(Lunation k) {
  ++stats_.lunationsScanned;
  const double opposition = Opposition(k);
  if (std::isnan(opposition)) return std::nullopt;
  ++stats_.eclipsesTested;

  Eclipse e;
  e.lunation = k;
  EclipseRecord& r = e.record;
  double jdMax = opposition;
  double tMax = 0;
  for (int attempt = 0; attempt < 4; ++attempt) {
    const CalendarDate t0 = NearestWholeHour(jdMax);
    const double jd0 = DateToJD(t0.year, t0.month, t0.day, t0.hour, 0, 0);
    std::array<double, kSamples> t{}, x{}, y{}, d{}, M{}, ra{}, dec{}, pen{}, umb{}, tot{}, f1{}, f2{};
    for (int i = 0; i < kSamples; ++i) {
      const std::size_t u = static_cast<std::size_t>(i);
      t[u] = -3.0 + kSampleStepHours * i;
      const Sky s = SkyAt(jd0 + t[u] / 24);
      // Shadow axis: the anti-Sun.
      const double axisRA = s.sunRA + 180;
      const double axisDec = -s.sunDec;
      // Moon relative to the axis: angular separation and position angle (from north
      // through east); x east and y north in arcseconds, scaled so that sqrt(x^2 + y^2)
      // is the separation itself.
      const double da = (s.moonRA - axisRA) * kDeg;
      const double sm = std::sin(s.moonDec * kDeg), cm = std::cos(s.moonDec * kDeg);
      const double sa = std::sin(axisDec * kDeg), ca = std::cos(axisDec * kDeg);
      const double px = cm * std::sin(da);
      const double py = ca * sm - sa * cm * std::cos(da);
      const double pz = sa * sm + ca * cm * std::cos(da);
      const double sep = std::atan2(std::hypot(px, py), pz) * kArcsecPerRad;
      const double pa = std::atan2(px, py);
      x[u] = sep * std::sin(pa);
      y[u] = sep * std::cos(pa);
      // Shadow radii by Danjon's rule.
      const double moonKm = s.moonDist * kAuKm, sunKm = s.sunDist * kAuKm;
      const double piMoon = std::asin(kEarthRadiusKm / moonKm) * kArcsecPerRad;
      const double piSun = std::asin(kEarthRadiusKm / sunKm) * kArcsecPerRad;
      const double sSun = std::asin(kSunRadiusKm / sunKm) * kArcsecPerRad;
      const double sMoon = std::asin(kMoonToEarthRadius * kEarthRadiusKm / moonKm) * kArcsecPerRad;
      f1[u] = settings_.parallaxFactor * piMoon + piSun + sSun;
      f2[u] = settings_.parallaxFactor * piMoon + piSun - sSun;
      pen[u] = f1[u] + sMoon;
      umb[u] = f2[u] + sMoon;
      tot[u] = f2[u] - sMoon;
      d[u] = axisDec;
      M[u] = s.gstHours * 15 - axisRA;
      ra[u] = s.moonRA;
      dec[u] = s.moonDec;
    }
    // Unwrap the angles that may pass 0/360 within the six hours.
    M[6] = Wrap180(M[6]);
    for (int i = 5; i >= 0; --i) M[static_cast<std::size_t>(i)] = M[static_cast<std::size_t>(i) + 1] + Wrap180(M[static_cast<std::size_t>(i)] - M[static_cast<std::size_t>(i) + 1]);
    for (int i = 7; i < kSamples; ++i) M[static_cast<std::size_t>(i)] = M[static_cast<std::size_t>(i) - 1] + Wrap180(M[static_cast<std::size_t>(i)] - M[static_cast<std::size_t>(i) - 1]);
    for (int i = 5; i >= 0; --i) ra[static_cast<std::size_t>(i)] = ra[static_cast<std::size_t>(i) + 1] + Wrap180(ra[static_cast<std::size_t>(i)] - ra[static_cast<std::size_t>(i) + 1]);
    for (int i = 7; i < kSamples; ++i) ra[static_cast<std::size_t>(i)] = ra[static_cast<std::size_t>(i) - 1] + Wrap180(ra[static_cast<std::size_t>(i)] - ra[static_cast<std::size_t>(i) - 1]);

    r = EclipseRecord{};
    r.Year = t0.year;
    r.Month = t0.month;
    r.Day = t0.day;
    r.T0Hour = static_cast<std::int32_t>(t0.hour);
    r.X.c = Fit<4>(t, x);
    r.Y.c = Fit<4>(t, y);
    r.D.c = Fit<3>(t, d);
    r.M.c = Fit<3>(t, M);
    r.MoonRA.c = Fit<3>(t, ra);
    r.MoonDec.c = Fit<3>(t, dec);
    r.PenContactRadius.c = Fit<3>(t, pen);
    r.UmbContactRadius.c = Fit<3>(t, umb);
    r.TotalityRadius.c = Fit<3>(t, tot);
    r.F1.c = Fit<3>(t, f1);
    r.F2.c = Fit<3>(t, f2);
    e.worstResidualXY = 0;
    for (int i = 0; i < kSamples; ++i) {
      const std::size_t u = static_cast<std::size_t>(i);
      e.worstResidualXY = std::max({e.worstResidualXY, std::fabs(Value(r.X.c, t[u]) - x[u]),
                                    std::fabs(Value(r.Y.c, t[u]) - y[u])});
    }

    // Greatest eclipse: least distance from the axis, Newton on x x' + y y' = 0.
    tMax = (opposition - jd0) * 24;
    for (int i = 0; i < 60; ++i) {
      const double xv = Value(r.X.c, tMax), yv = Value(r.Y.c, tMax);
      const double x1 = r.X.c[1] + 2 * r.X.c[2] * tMax + 3 * r.X.c[3] * tMax * tMax;
      const double y1 = r.Y.c[1] + 2 * r.Y.c[2] * tMax + 3 * r.Y.c[3] * tMax * tMax;
      const double x2 = 2 * r.X.c[2] + 6 * r.X.c[3] * tMax;
      const double y2 = 2 * r.Y.c[2] + 6 * r.Y.c[3] * tMax;
      const double step = (xv * x1 + yv * y1) / (x1 * x1 + xv * x2 + y1 * y1 + yv * y2);
      tMax -= step;
      if (std::fabs(step) < 1e-12) break;
    }
    jdMax = jd0 + tMax / 24;
    if (std::fabs(tMax) <= 0.5) break;  // T0 is the whole hour nearest greatest eclipse
  }

  const double L = std::hypot(Value(r.X.c, tMax), Value(r.Y.c, tMax));
  if (!(L < Value(r.PenContactRadius.c, tMax))) return std::nullopt;

  // Gamma: least distance in Earth radii (the Moon's parallax is the Earth's radius seen
  // from the Moon), positive when the Moon passes north of the axis.
  const Sky atMax = SkyAt(jdMax);
  const double piMoon = std::asin(kEarthRadiusKm / (atMax.moonDist * kAuKm)) * kArcsecPerRad;
  r.Gamma = L / piMoon * (Value(r.Y.c, tMax) >= 0 ? 1 : -1);
  r.JulianDayTT = jdMax;
  r.Saros = SarosOf(k);
  r.EclipseType = ComputeCircumstances(r, 0).type;
  stats_.worstResidualXY = std::max(stats_.worstResidualXY, e.worstResidualXY);
  return e;
}

const std::optional<Eclipse>& Builder::At(Lunation k) {
  const auto it = memo_.find(k);
  if (it != memo_.end()) return it->second;
  return memo_.emplace(k, Compute(k)).first->second;
}

std::vector<Eclipse> Builder::BuildCatalogue(double jdFrom, double jdTo) {
  std::vector<Eclipse> eclipses;
  for (Lunation k = LunationNear(jdFrom) - 1; k <= LunationNear(jdTo) + 1; ++k) {
    const std::optional<Eclipse>& e = At(k);
    if (e && e->record.JulianDayTT >= jdFrom && e->record.JulianDayTT < jdTo) eclipses.push_back(*e);
  }
  // Saros member and count from the whole series: every lunation of the series is
  // k0 + 223 j; scan all of them within the series' possible life, across gaps.
  std::map<int, std::vector<Lunation>> members;
  for (const Eclipse& e : eclipses) members.emplace(e.record.Saros, std::vector<Lunation>{});
  for (auto& [saros, list] : members) {
    // Lunations of series s: 358 (s - 124) + 223 a, a in [-180, 178].
    const Lunation base = 358L * (saros - 124);
    for (Lunation a = -180; a <= 178; ++a) {
      const Lunation k = base + 223 * a;
      if (At(k).has_value()) list.push_back(k);
    }
  }
  for (Eclipse& e : eclipses) {
    const std::vector<Lunation>& list = members.at(e.record.Saros);
    const auto pos = std::lower_bound(list.begin(), list.end(), e.lunation);
    if (list.size() > 255) throw std::runtime_error("Saros series too long for its byte");
    e.record.SarosMember = static_cast<std::uint8_t>(pos - list.begin() + 1);
    e.record.SarosCount = static_cast<std::uint8_t>(list.size());
  }
  return eclipses;
}

}  // namespace varomintel::catalogue_builder
