#include "places/local_circumstances.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "astro/calendar.h"
#include "astro/clock_text.h"
#include "astro/number_text.h"
#include "astro/trig_func.h"
#include "places/utf8_text.h"

namespace varomintel {

namespace {

// 0.00417807 degrees of hour angle per second of Delta T (360.9856 degrees / 86400 s).
constexpr double kHourAnglePerSecond = 0.00417807;

// The element state at t. Nothing in it depends on the place: the hour angle of the
// shadow axis is kept as its Greenwich part mu, to which the place adds its longitude.
struct State {
  double x = 0, y = 0, xr = 0, yr = 0;  // arcseconds, arcseconds per hour
  double d = 0, mu = 0;                 // radians
  double L1 = 0, L2 = 0, L3 = 0, f1 = 0;  // arcseconds
  double n2 = 0, n = 0;
};

State Evaluate(const EclipseRecord& e, double t) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  State s;
  s.x = e.X.c[0] + e.X.c[1] * t + e.X.c[2] * t2 + e.X.c[3] * t3;
  s.y = e.Y.c[0] + e.Y.c[1] * t + e.Y.c[2] * t2 + e.Y.c[3] * t3;
  s.xr = e.X.c[1] + 2 * e.X.c[2] * t + 3 * e.X.c[3] * t2;
  s.yr = e.Y.c[1] + 2 * e.Y.c[2] * t + 3 * e.Y.c[3] * t2;
  s.d = (e.D.c[0] + e.D.c[1] * t + e.D.c[2] * t2) * DegToRad;
  // Only the linear part of the hour angle.
  s.mu = (e.M.c[0] + e.M.c[1] * t) * DegToRad;
  const auto q = [&](const Quadratic& p) { return p.c[0] + p.c[1] * t + p.c[2] * t2; };
  s.L1 = q(e.PenContactRadius);
  s.L2 = q(e.UmbContactRadius);
  s.L3 = q(e.TotalityRadius);
  s.f1 = q(e.F1);
  s.n2 = s.xr * s.xr + s.yr * s.yr;
  s.n = std::sqrt(s.n2);
  return s;
}

struct Refined {
  double t = 0;
  State state;  // the last evaluation
  bool converged = true;
};

// Greatest eclipse: from t = 0, t += -(x x' + y y')/n^2 until the correction is below
// the tolerance. The state is that of the last evaluation (before the last correction).
Refined GreatestEclipse(const EclipseRecord& e) {
  Refined r;
  for (int step = 0;; ++step) {
    r.state = Evaluate(e, r.t);
    const State& s = r.state;
    const double delta = -(s.x * s.xr + s.y * s.yr) / s.n2;
    if (!std::isfinite(delta) || step == kMaxRefineSteps) {
      r.converged = false;
      return r;
    }
    r.t += delta;
    if (std::fabs(delta) < kRefineToleranceHours) return r;
  }
}

enum class Radius { Penumbral, Umbral, Totality };

double RadiusOf(const State& s, Radius which) {
  switch (which) {
    case Radius::Penumbral: return s.L1;
    case Radius::Umbral: return s.L2;
    case Radius::Totality: return s.L3;
  }
  return s.L1;
}

struct Pair {
  Refined first, last;
};

// Contacts for one radius: a start half-width from the state at maximum, then
// t += -(x x' + y y')/n^2 -/+ sqrt(1 - q^2) L/n with q = (x' y - x y')/(n L), a zero
// step when |q| >= 1 (the radius is not reached: the contact keeps the instant so far).
Pair Contacts(const EclipseRecord& e, const Refined& max, Radius which, bool umbralCityListGuard) {
  const State& m = max.state;
  const double Lm = RadiusOf(m, which);
  const double qm = (m.xr * m.y - m.x * m.yr) / (m.n * Lm);
  double tau = 0;
  if (umbralCityListGuard) {
    tau = std::fabs(qm) > 1 ? 0.001 : std::sqrt(1 - qm * qm) * Lm / m.n;
  } else if (std::fabs(qm) < 1) {
    tau = std::sqrt(1 - qm * qm) * Lm / m.n;
  }
  const auto refine = [&](double start, double sign) {
    Refined r;
    r.t = start;
    for (int step = 0;; ++step) {
      r.state = Evaluate(e, r.t);
      const State& s = r.state;
      const double L = RadiusOf(s, which);
      const double q = (s.xr * s.y - s.x * s.yr) / (s.n * L);
      double delta = 0;
      if (!(std::fabs(q) >= 1)) delta = -(s.x * s.xr + s.y * s.yr) / s.n2 + sign * std::sqrt(1 - q * q) * L / s.n;
      if (!std::isfinite(delta) || step == kMaxRefineSteps) {
        r.converged = false;
        return r;
      }
      r.t += delta;
      if (std::fabs(delta) < kRefineToleranceHours) return r;
    }
  };
  return {refine(max.t - tau, -1), refine(max.t + tau, +1)};
}

}  // namespace

LocalEclipse PrepareLocalEclipse(const EclipseRecord& eclipse, double deltaT, UmbralGuard guard) {
  LocalEclipse le;
  le.deltaTHourAngle = kHourAnglePerSecond * deltaT * DegToRad;
  const auto keep = [&](int contact, const Refined& r) {
    const auto k = static_cast<std::size_t>(contact);
    le.time[k] = r.t;
    le.mu[k] = r.state.mu;
    le.sinD[k] = std::sin(r.state.d);
    le.cosD[k] = std::cos(r.state.d);
    le.computed[k] = true;
    le.converged = le.converged && r.converged;
  };
  // The refinements are pure functions of the record, so the greatest eclipse found here
  // is the one every contact pair starts from.
  const Refined max = GreatestEclipse(eclipse);
  keep(kContactMax, max);

  const State& s = max.state;
  const double m = std::sqrt(s.x * s.x + s.y * s.y);
  const double moonDiameter = 2 * (s.L1 - s.f1);
  const double penumbral = (s.L1 - m) / moonDiameter;
  const double umbral = (s.L2 - m) / moonDiameter;
  // Below 0 no eclipse at all; a NaN magnitude (degenerate record) is none either.
  if (!(penumbral >= 0)) return le;
  le.eclipse = true;
  le.magnitude = umbral >= 0 ? umbral : penumbral;
  le.phaseType = 'h';
  if (umbral > 0) le.phaseType = 'p';
  if (umbral > 1) le.phaseType = 't';

  const auto keepPair = [&](const Pair& pair, int first, int last) {
    keep(first, pair.first);
    keep(last, pair.last);
  };
  keepPair(Contacts(eclipse, max, Radius::Penumbral, false), kContactP1, kContactP4);
  if (le.phaseType != 'h')
    keepPair(Contacts(eclipse, max, Radius::Umbral, guard == UmbralGuard::CityList), kContactU1, kContactU4);
  if (le.phaseType == 't') keepPair(Contacts(eclipse, max, Radius::Totality, false), kContactU2, kContactU3);
  return le;
}

LocalResult ApplyLocalEclipse(const LocalEclipse& le, double latitude, double westLongitude, StadtType& place) {
  place.ContactAltitude.fill(kAltitudeNotComputed);
  const double sinPhi = std::sin(latitude);
  const double cosPhi = std::cos(latitude);
  // The Moon's altitude: no refraction, parallax or height correction.
  const auto altitude = [&](std::size_t k) {
    const double H = le.mu[k] - westLongitude - le.deltaTHourAngle;
    return ArcSinClamped(le.sinD[k] * sinPhi + le.cosD[k] * cosPhi * std::cos(H));
  };
  place.ContactTime[kContactMax] = le.time[kContactMax];
  place.ContactAltitude[kContactMax] = altitude(kContactMax);
  if (!le.eclipse) return LocalResult{false, le.converged};
  place.Magnitude = le.magnitude;
  place.PhaseType = le.phaseType;
  for (std::size_t k = 0; k < kPlaceContacts; ++k) {
    if (k == kContactMax || !le.computed[k]) continue;
    place.ContactTime[k] = le.time[k];
    place.ContactAltitude[k] = altitude(k);
  }
  return LocalResult{true, le.converged};
}

LocalResult LocalCircumstances(const EclipseRecord& eclipse, double deltaT, double latitude, double westLongitude,
                               StadtType& place, UmbralGuard guard) {
  return ApplyLocalEclipse(PrepareLocalEclipse(eclipse, deltaT, guard), latitude, westLongitude, place);
}

ContactInstant ContactUniversalTime(const EclipseRecord& eclipse, double deltaT, double t) {
  const double hour = eclipse.T0Hour - deltaT / 3600.0 + t;
  const double jd = DateToJD(eclipse.Year, eclipse.Month, eclipse.Day, hour, 0, 0);
  const CalendarDate date = JDToDate(jd);
  ContactInstant c;
  c.year = date.year;
  c.month = date.month;
  c.day = date.day;
  c.clock = FormatHours(0, 24 * FloatMod(jd + 0.5, 1));
  c.clock.erase(0, c.clock.find_first_not_of(' '));
  return c;
}

std::string FormatDuration(double hours) {
  if (!std::isfinite(hours)) return "  -:--";
  // Whole minutes; bounded so that the conversion to an integer is defined.
  const double minutes = std::trunc(std::min(std::fabs(hours) * 60 + 0.5, 1e15));
  const auto n = static_cast<long long>(minutes);
  std::string text = PadLeft(std::to_string(n / 60), 3) + ":" + PadLeft(std::to_string(n % 60), 2);
  for (std::size_t i = 3; i < text.size(); ++i)
    if (text[i] == ' ') text[i] = '0';
  if (hours < 0 && n > 0) {
    const std::size_t digit = text.find_first_not_of(' ');
    if (digit > 0) text[digit - 1] = '-';
    else text.insert(0, 1, '-');
  }
  return text;
}

namespace {

// |degrees| as whole minutes (halves to even) in "DD°MM'H" with `degreeDigits` digits of
// degrees (the last ones when there are more).
void AppendAngle(std::string& out, double degrees, int degreeDigits, char positive, char negative) {
  if (!std::isfinite(degrees)) {  // never from the city file; kept out of the integer conversion
    out.append(static_cast<std::size_t>(degreeDigits), '-');
    out += "\u00B0--'-";
    return;
  }
  const double n = std::nearbyint(std::fabs(degrees) * 60);
  const auto total = static_cast<long long>(std::min(n, 1e15));
  long long d = total / 60;
  char digits[3];
  for (int i = degreeDigits - 1; i >= 0; --i, d /= 10) digits[i] = static_cast<char>('0' + d % 10);
  out.append(digits, static_cast<std::size_t>(degreeDigits));
  out += "\u00B0";
  const long long m = total % 60;
  out += static_cast<char>('0' + m / 10);
  out += static_cast<char>('0' + m % 10);
  out += '\'';
  out += degrees >= 0 ? positive : negative;
}

}  // namespace

std::string FormatLatitude(double degrees) {
  std::string out;
  AppendAngle(out, degrees, 2, 'N', 'S');
  return out;
}
std::string FormatLongitude(double degrees) {
  std::string out;
  AppendAngle(out, degrees, 3, 'E', 'W');
  return out;
}

const ContactInstant& ContactClock::At(int contact, double t) {
  const auto k = static_cast<std::size_t>(contact);
  // The same double gives the same instant; NaN never compares equal and is converted anew.
  if (!known_[k] || !(t_[k] == t)) {
    instant_[k] = ContactUniversalTime(eclipse_, deltaT_, t);
    t_[k] = t;
    known_[k] = true;
  }
  return instant_[k];
}

namespace list_format {

void AppendInteger(std::string& out, long long value) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, r.ptr);
}

void AppendFixed(std::string& out, double value, int decimals) {
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) out += '?';
  else out.append(buf, r.ptr);
}

void AppendNumberColumn(std::string& out, long long value, std::size_t width) {
  std::string number;
  AppendInteger(number, value);
  AppendRightAligned(out, number, width);
  out += ' ';
}

void AppendRecordHead(std::string& out, ContactClock& clock, const StadtType& place) {
  const UtDate date = LineDate(clock, place);
  for (const long long v : {static_cast<long long>(date.year), static_cast<long long>(date.month),
                            static_cast<long long>(date.day)}) {
    AppendInteger(out, v);
    out += '\t';
  }
  AppendFixed(out, clock.DeltaT(), 1);
  out += '\t';
  out += place.PhaseType;
  out += '\t';
  out += place.Country;
  out += '\t';
}

UtDate LineDate(ContactClock& clock, const StadtType& place) {
  const EclipseRecord& e = clock.Eclipse();
  UtDate date{e.Year, e.Month, e.Day};
  for (int i = kContactP4; i >= kContactP1; --i)
    if (place.ContactAltitude[static_cast<std::size_t>(i)] > 0) {
      const ContactInstant& c = clock.At(i, place.ContactTime[static_cast<std::size_t>(i)]);
      date = UtDate{c.year, c.month, c.day};
    }
  return date;
}

std::string DurationText(const StadtType& place) {
  int first = kContactP1, last = kContactP4;
  if (place.PhaseType == 'p') first = kContactU1, last = kContactU4;
  if (place.PhaseType == 't') first = kContactU2, last = kContactU3;
  std::string text = FormatDuration(place.ContactTime[static_cast<std::size_t>(last)] -
                                    place.ContactTime[static_cast<std::size_t>(first)]);
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

void AppendContactGroups(std::string& out, ContactClock& clock, const StadtType& place) {
  std::string number;
  for (int i = kContactP1; i <= kContactP4; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (!ContactVisible(place, i)) {
      out.append(i == kContactMax ? 24 : 12, ' ');
      continue;
    }
    AppendRightAligned(out, clock.At(i, place.ContactTime[k]).clock, 8);
    out += ' ';
    number.clear();
    AppendInteger(number, static_cast<long long>(std::nearbyint(place.ContactAltitude[k] * RadToDeg)));
    AppendRightAligned(out, number, 2);
    out += ' ';
    if (i == kContactMax) {
      number.clear();
      AppendFixed(number, place.Magnitude, 3);
      AppendRightAligned(out, number, 5);
      out += ' ';
      AppendRightAligned(out, DurationText(place), 5);
      out += ' ';
    }
  }
}

void AppendContactFields(std::string& out, ContactClock& clock, const StadtType& place, int contact) {
  const auto k = static_cast<std::size_t>(contact);
  out += clock.At(contact, place.ContactTime[k]).clock;
  out += '\t';
  AppendFixed(out, place.ContactAltitude[k] * RadToDeg, 1);
  if (contact == kContactMax) {
    out += '\t';
    AppendFixed(out, place.Magnitude, 3);
    out += '\t';
    out += DurationText(place);
  }
  if (contact != kContactP4) out += '\t';
}

}  // namespace list_format

std::string CityListLine(const EclipseRecord& eclipse, double deltaT, const StadtType& place) {
  ContactClock clock(eclipse, deltaT);
  return CityListLine(clock, place);
}

std::string CityListRecord(const EclipseRecord& eclipse, double deltaT, const StadtType& place) {
  ContactClock clock(eclipse, deltaT);
  return CityListRecord(clock, place);
}

std::string CityListLine(ContactClock& clock, const StadtType& place) {
  using namespace list_format;
  if (!SeesEclipse(place)) return {};
  const UtDate date = LineDate(clock, place);
  std::string out;
  out.reserve(200);
  const auto right = [&](long long v, std::size_t width) { AppendNumberColumn(out, v, width); };
  right(date.year, 5);
  right(date.month, 2);
  right(date.day, 2);
  out += place.PhaseType;
  out += ' ';
  AppendLeftAligned(out, place.Country, 10);
  out += ' ';
  AppendLeftAligned(out, place.City, 10);
  out += ' ';
  AppendAngle(out, place.Latitude, 2, 'N', 'S');
  out += ' ';
  AppendAngle(out, place.Longitude, 3, 'E', 'W');
  out += ' ';
  right(place.Population, 8);
  AppendContactGroups(out, clock, place);
  return out;
}

std::string CityListRecord(ContactClock& clock, const StadtType& place) {
  using namespace list_format;
  if (!SeesEclipse(place)) return {};
  std::string out;
  out.reserve(220);
  AppendRecordHead(out, clock, place);
  out += place.City;
  out += '\t';
  AppendAngle(out, place.Latitude, 2, 'N', 'S');
  out += '\t';
  AppendAngle(out, place.Longitude, 3, 'E', 'W');
  out += '\t';
  AppendInteger(out, place.Population);
  out += '\t';
  int lastVisible = -1;
  for (int i = kContactP1; i <= kContactP4; ++i)
    if (ContactVisible(place, i)) lastVisible = i;
  for (int i = kContactP1; i <= lastVisible; ++i) {
    if (ContactVisible(place, i)) AppendContactFields(out, clock, place, i);
    else out.append(i == kContactMax ? 4 : 2, '\t');
  }
  return out;
}

}  // namespace varomintel
