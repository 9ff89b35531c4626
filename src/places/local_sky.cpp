#include "places/local_sky.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "astro/trig_func.h"
#include "eclipse/elements.h"

namespace varomintel {

namespace {

constexpr double kArcsecToRad = DegToRad / 3600;
// Ratio of the Moon's radius to the Earth's equatorial radius (IAU 1982), as the
// catalogue's semidiameters are made with.
constexpr double kMoonToEarthRadius = 0.2725076;
// The Earth's ellipsoid (WGS 84): equatorial radius and flattening.
constexpr double kEarthRadiusM = 6378137.0;
constexpr double kFlattening = 1 / 298.257223563;
// Sun's centre at the start and end of civil day, and the twilight limits (degrees).
constexpr double kSunriseAltitudeDeg = -0.833;
// Largest |d^2 g / dt^2| of the upper limb's apparent altitude g (degrees per hour^2):
// the Earth's turn gives at most (15.04 deg/h)^2 in radians, 4 deg/h^2; refraction's
// curvature near the horizon (|R''| < 0.06 per degree) at that rate of 15 deg/h adds
// at most 14 deg/h^2.
constexpr double kCurvatureDegPerHour2 = 20;
constexpr double kScanStepHours = 0.25;
// A crossing is refined until its bracket is below this (hours: 0.0036 s).
constexpr double kCrossingToleranceHours = 1e-6;
// Steps below this are not split further when looking for a grazing pair of crossings.
constexpr double kSmallestSplitHours = 1.0 / 3600;
constexpr int kMaxCrossingSteps = 100;
// The upper limb's apparent altitude lies within this of the shadow axis's geocentric
// altitude during an eclipse: the Moon's distance from the axis (at most the penumbral
// contact radius, 1.6 degrees), its parallax (at most 1.03), geodetic against
// geocentric latitude (0.2), refraction (0.75) and the semidiameter (0.3) never add up
// to more than 2.9 degrees either way.
constexpr double kAxisMarginDeg = 3.5;
constexpr double kAxisStepHours = 0.5;

// Saemundsson at the horizon peaks where d/dh of h + 10.3/(h + 5.11) is 0.
constexpr double kRefractionPeakDeg = 3.2093613071762426 - 5.11;  // sqrt(10.3) - 5.11

double Wrap360(double deg) {
  double r = std::fmod(deg, 360.0);
  if (r < 0) r += 360.0;
  return r >= 360.0 ? 0.0 : r;
}

// The place once: its trigonometry and its geocentric position (Meeus ch. 11) in Earth
// radii, rho sin phi' and rho cos phi'.
struct Site {
  double sinPhi, cosPhi, lambda;  // geodetic latitude; east longitude in radians
  double rhoSin, rhoCos;
  explicit Site(const Observer& o) {
    const double phi = o.latitudeDeg * DegToRad;
    sinPhi = std::sin(phi);
    cosPhi = std::cos(phi);
    lambda = o.longitudeDeg * DegToRad;
    const double ba = 1 - kFlattening;
    const double u = std::atan(ba * std::tan(phi));
    const double h = o.heightM / kEarthRadiusM;
    rhoSin = ba * std::sin(u) + h * sinPhi;
    rhoCos = std::cos(u) + h * cosPhi;
  }
};

// Altitude and azimuth (north through east) of a direction given by its local hour angle
// and declination, Meeus eq. 13.5 and 13.6 in vector form.
struct Horizontal {
  double altitude, azimuth;  // radians
};
Horizontal ToHorizontal(const Site& s, double hourAngle, double sinDec, double cosDec) {
  const double cosH = std::cos(hourAngle), sinH = std::sin(hourAngle);
  const double up = s.sinPhi * sinDec + s.cosPhi * cosDec * cosH;
  const double north = s.cosPhi * sinDec - s.sinPhi * cosDec * cosH;
  const double east = -cosDec * sinH;
  return {std::atan2(up, std::hypot(north, east)), std::atan2(east, north)};
}

LocalSkyAt SkyAtSite(const EclipseRecord& eclipse, double deltaT, const Site& site, double t) {
  const ElementValues e = EvaluateElements(eclipse, t, deltaT);
  LocalSkyAt out;

  // The Moon's geocentric place from the shadow axis: the separation sqrt(x^2 + y^2) in
  // the position angle atan2(x, y) (from north through east); spherical triangle pole,
  // axis, Moon.
  const double sep = std::hypot(e.x, e.y) * kArcsecToRad;
  const double pa = std::atan2(e.x, e.y);
  const double sinSep = std::sin(sep), cosSep = std::cos(sep);
  const double sinDecM = e.sinD * cosSep + e.cosD * sinSep * std::cos(pa);
  const double cosDecM = std::sqrt(std::max(0.0, 1 - sinDecM * sinDecM));
  const double dRA = std::atan2(std::sin(pa) * sinSep, e.cosD * cosSep - e.sinD * sinSep * std::cos(pa));
  // East of the axis is a larger right ascension, so a smaller hour angle.
  const double H = e.M - dRA + site.lambda;

  // Distance in Earth radii from the geocentric semidiameter s: sin s = k / r.
  const double semidiameter = (e.PenContactRadius - e.f1) * kArcsecToRad;
  const double r = kMoonToEarthRadius / std::sin(semidiameter);

  // Topocentric place (Meeus ch. 40) as a vector difference in the frame of the local
  // meridian: x towards hour angle 0 on the equator, y towards hour angle -6h (east),
  // z to the pole.
  const double mx = r * cosDecM * std::cos(H) - site.rhoCos;
  const double my = -r * cosDecM * std::sin(H);
  const double mz = r * sinDecM - site.rhoSin;
  const double rt = std::sqrt(mx * mx + my * my + mz * mz);
  const double Ht = std::atan2(-my, mx);
  const double sinDecT = mz / rt, cosDecT = std::hypot(mx, my) / rt;
  const Horizontal moon = ToHorizontal(site, Ht, sinDecT, cosDecT);

  out.moonDistanceEarthRadii = rt;
  out.moonParallacticAngleDeg =
      std::atan2(site.cosPhi * std::sin(Ht), site.sinPhi * cosDecT - site.cosPhi * sinDecT * std::cos(Ht)) * RadToDeg;
  out.moonSemidiameterDeg = std::asin(kMoonToEarthRadius / rt) * RadToDeg;
  out.moonTrueAltitudeDeg = moon.altitude * RadToDeg;
  out.moonApparentAltitudeDeg = out.moonTrueAltitudeDeg + RefractionDeg(out.moonTrueAltitudeDeg);
  out.moonAzimuthDeg = Wrap360(moon.azimuth * RadToDeg);
  const double limb = out.moonTrueAltitudeDeg + out.moonSemidiameterDeg;
  out.upperLimbApparentAltitudeDeg = limb + RefractionDeg(limb);
  out.moonVisible = out.upperLimbApparentAltitudeDeg > 0;

  // The Sun is opposite the axis: declination -d, hour angle M + 180 degrees. Its
  // parallax (9") is left out.
  const Horizontal sun = ToHorizontal(site, e.M + Pi + site.lambda, -e.sinD, e.cosD);
  out.sunAltitudeDeg = sun.altitude * RadToDeg;
  out.sunAzimuthDeg = Wrap360(sun.azimuth * RadToDeg);
  out.twilight = TwilightOf(out.sunAltitudeDeg);
  return out;
}

double UpperLimb(const EclipseRecord& eclipse, double deltaT, const Site& site, double t) {
  return SkyAtSite(eclipse, deltaT, site, t).upperLimbApparentAltitudeDeg;
}

// The root of g in [a, b] with g(a) and g(b) of opposite signs, by regula falsi with the
// Illinois modification (the retained end's value halved when it is kept twice).
double Refine(const EclipseRecord& eclipse, double deltaT, const Site& site, double a, double ga, double b,
              double gb) {
  int side = 0;
  for (int step = 0; step < kMaxCrossingSteps && b - a > kCrossingToleranceHours; ++step) {
    double c = (a * gb - b * ga) / (gb - ga);
    // Keep the trial strictly inside, and bisect when the secant stalls at an end; every
    // fourth step bisects anyway, so that the bracket halves at least that often (a
    // quarter hour comes down to the tolerance well within the cap).
    if (!(c > a && c < b) || step % 4 == 3) c = 0.5 * (a + b);
    const double gc = UpperLimb(eclipse, deltaT, site, c);
    if (gc == 0) return c;
    if ((gc > 0) == (ga > 0)) {
      a = c;
      ga = gc;
      if (side == -1) gb *= 0.5;
      side = -1;
    } else {
      b = c;
      gb = gc;
      if (side == +1) ga *= 0.5;
      side = +1;
    }
  }
  return 0.5 * (a + b);
}

// Crossings in [a, b] (g known at both ends), in time order; a step whose ends lie on the
// same side is split while the curvature bound lets g reach the other side in it.
void Scan(const EclipseRecord& eclipse, double deltaT, const Site& site, double a, double ga, double b, double gb,
          std::vector<HorizonCrossing>& out) {
  if ((ga > 0) != (gb > 0)) {
    out.push_back({Refine(eclipse, deltaT, site, a, ga, b, gb), gb > 0});
    return;
  }
  const double reach = kCurvatureDegPerHour2 * (b - a) * (b - a) / 8;
  if (std::min(std::fabs(ga), std::fabs(gb)) > reach || b - a < kSmallestSplitHours) return;
  const double m = 0.5 * (a + b);
  const double gm = UpperLimb(eclipse, deltaT, site, m);
  Scan(eclipse, deltaT, site, a, ga, m, gm, out);
  Scan(eclipse, deltaT, site, m, gm, b, gb, out);
}

std::vector<HorizonCrossing> Crossings(const EclipseRecord& eclipse, double deltaT, const Site& site,
                                       double tBegin, double tEnd, double gBegin, double gEnd) {
  std::vector<HorizonCrossing> out;
  if (!(tEnd > tBegin)) return out;
  const int steps = std::max(1, static_cast<int>(std::ceil((tEnd - tBegin) / kScanStepHours)));
  const double h = (tEnd - tBegin) / steps;
  double a = tBegin, ga = gBegin;
  for (int i = 1; i <= steps; ++i) {
    const double b = i == steps ? tEnd : tBegin + i * h;
    const double gb = i == steps ? gEnd : UpperLimb(eclipse, deltaT, site, b);
    Scan(eclipse, deltaT, site, a, ga, b, gb, out);
    a = b;
    ga = gb;
  }
  return out;
}

VisibleSpan SpanOf(const std::vector<HorizonCrossing>& crossings, bool upAtBegin, bool upAtEnd, double tBegin,
                   double tEnd) {
  VisibleSpan span;
  if (upAtBegin) {
    span.visible = true;
    span.first = tBegin;
  } else {
    for (const HorizonCrossing& c : crossings)
      if (c.rising) {
        span.visible = true;
        span.first = c.t;
        break;
      }
  }
  if (!span.visible) return span;
  if (upAtEnd) {
    span.last = tEnd;
  } else {
    span.last = span.first;
    for (auto it = crossings.rbegin(); it != crossings.rend(); ++it)
      if (!it->rising) {
        span.last = it->t;
        break;
      }
  }
  return span;
}

// The shadow axis's geocentric altitude (degrees) at t, for the quick decision.
double AxisAltitudeDeg(const EclipseRecord& eclipse, double deltaT, const Site& site, double t) {
  const double t2 = t * t;
  const double d = Evaluate(eclipse.D, t, t2) * DegToRad;
  const double M = Evaluate(eclipse.M, t, t2) * DegToRad - 1.00273790935 * deltaT / 86400 * TwoPi;
  return std::asin(std::clamp(site.sinPhi * std::sin(d) + site.cosPhi * std::cos(d) * std::cos(M + site.lambda),
                              -1.0, 1.0)) *
         RadToDeg;
}

}  // namespace

Twilight TwilightOf(double sunAltitudeDeg) {
  if (sunAltitudeDeg > kSunriseAltitudeDeg) return Twilight::Day;
  if (sunAltitudeDeg > -6) return Twilight::Civil;
  if (sunAltitudeDeg > -12) return Twilight::Nautical;
  if (sunAltitudeDeg > -18) return Twilight::Astronomical;
  return Twilight::Night;
}

const char* TwilightName(Twilight twilight) {
  switch (twilight) {
    case Twilight::Day: return "day";
    case Twilight::Civil: return "civil";
    case Twilight::Nautical: return "nautical";
    case Twilight::Astronomical: return "astronomical";
    case Twilight::Night: return "night";
  }
  return "night";
}

double RefractionDeg(double trueAltitudeDeg) {
  const double h = std::max(trueAltitudeDeg, kRefractionPeakDeg);
  // 1.02 arcminutes; the argument of the tangent in degrees. At 10 degrees C and 1010 hPa
  // Meeus's factor (P / 1010) (283 / (273 + T)) is 1.
  const double R = 1.02 / std::tan((h + 10.3 / (h + 5.11)) * DegToRad) / 60;
  // Near the zenith the formula dips below 0 by a few thousandths of an arcsecond.
  return std::max(R, 0.0);
}

LocalSkyAt SkyAt(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double t) {
  return SkyAtSite(eclipse, deltaT, Site(observer), t);
}

std::vector<HorizonCrossing> MoonHorizonCrossings(const EclipseRecord& eclipse, double deltaT,
                                                  const Observer& observer, double tBegin, double tEnd) {
  const Site site(observer);
  return Crossings(eclipse, deltaT, site, tBegin, tEnd, UpperLimb(eclipse, deltaT, site, tBegin),
                   UpperLimb(eclipse, deltaT, site, tEnd));
}

VisibleSpan VisiblePart(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double tBegin,
                        double tEnd) {
  const Site site(observer);
  if (!(tEnd >= tBegin)) return {};
  // The shadow axis's altitude on a half-hour grid decides every step whose ends both lie
  // beyond the margin on the same side (the margin widened by the curvature between two
  // points); only the other steps are searched with the Moon's own altitude.
  const int steps = std::max(1, static_cast<int>(std::ceil((tEnd - tBegin) / kAxisStepHours)));
  const double h = (tEnd - tBegin) / steps;
  const double stepMargin = kAxisMarginDeg + 4.0 * h * h / 8;
  std::vector<double> node(static_cast<std::size_t>(steps) + 1), axis(node.size());
  for (std::size_t i = 0; i < node.size(); ++i) {
    node[i] = i == node.size() - 1 ? tEnd : tBegin + static_cast<double>(i) * h;
    axis[i] = AxisAltitudeDeg(eclipse, deltaT, site, node[i]);
  }
  // The upper limb's altitude at a node, computed once when needed.
  std::vector<double> limb(node.size(), std::nan(""));
  const auto limbAt = [&](std::size_t i) {
    if (std::isnan(limb[i])) limb[i] = UpperLimb(eclipse, deltaT, site, node[i]);
    return limb[i];
  };
  const auto upAt = [&](std::size_t i) {
    if (axis[i] > kAxisMarginDeg) return true;
    if (axis[i] < -kAxisMarginDeg) return false;
    return limbAt(i) > 0;
  };
  std::vector<HorizonCrossing> crossings;
  for (std::size_t i = 0; i + 1 < node.size(); ++i) {
    const bool low = axis[i] < -stepMargin && axis[i + 1] < -stepMargin;
    const bool high = axis[i] > stepMargin && axis[i + 1] > stepMargin;
    if (low || high) continue;
    const std::vector<HorizonCrossing> found =
        Crossings(eclipse, deltaT, site, node[i], node[i + 1], limbAt(i), limbAt(i + 1));
    crossings.insert(crossings.end(), found.begin(), found.end());
  }
  return SpanOf(crossings, upAt(0), upAt(node.size() - 1), tBegin, tEnd);
}

LocalEclipseView ViewFromPlace(const EclipseRecord& eclipse, double deltaT, const Observer& observer) {
  LocalEclipseView view;
  Place place;
  const LocalResult r = LocalCircumstances(eclipse, deltaT, observer.latitudeDeg * DegToRad,
                                           -observer.longitudeDeg * DegToRad, place, UmbralGuard::CityHistory);
  view.converged = r.converged;
  if (!r.eclipse) return view;
  view.eclipse = true;
  view.phase = place.PhaseType;
  view.magnitude = place.Magnitude;
  const Site site(observer);
  for (const Contact k : kListContacts) {
    if (!ContactExists(place.PhaseType, k) || place.ContactAltitude[k] == kAltitudeNotComputed) continue;
    ContactSky c;
    c.t = place.ContactTime[k];
    c.shadowAxisAltitudeDeg = place.ContactAltitude[k] * RadToDeg;
    c.sky = SkyAtSite(eclipse, deltaT, site, c.t);
    view.contacts[k] = c;
  }
  const auto& p1 = view.contacts[Contact::P1];
  const auto& p4 = view.contacts[Contact::P4];
  if (!p1 || !p4) return view;
  view.crossings = Crossings(eclipse, deltaT, site, p1->t, p4->t, p1->sky.upperLimbApparentAltitudeDeg,
                             p4->sky.upperLimbApparentAltitudeDeg);
  view.visible = SpanOf(view.crossings, p1->sky.moonVisible, p4->sky.moonVisible, p1->t, p4->t);
  return view;
}

VisibleSpan VisiblePhase(const LocalEclipseView& view, Contact begin, Contact end) {
  const auto& b = view.contacts[begin];
  const auto& e = view.contacts[end];
  if (!b || !e || !(e->t >= b->t)) return {};
  std::vector<HorizonCrossing> inside;
  for (const HorizonCrossing& c : view.crossings)
    if (c.t > b->t && c.t < e->t) inside.push_back(c);
  return SpanOf(inside, b->sky.moonVisible, e->sky.moonVisible, b->t, e->t);
}

}  // namespace varomintel
