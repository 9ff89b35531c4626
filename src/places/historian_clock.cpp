#include "places/historian_clock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/trig_func.h"
#include "eclipse/elements.h"

namespace varomintel {

namespace {

// The Sun's mean semidiameter (degrees): 16' (959.63" at 1 au, 15.8' to 16.3' over the year).
constexpr double kSunSemidiameterDeg = 16.0 / 60;
// The Sun's altitude changes by at most 15 degrees an hour; a quarter-hour grid misses
// only a Sun that grazes the horizon by less than about a degree between two samples.
constexpr double kSunStepHours = 0.25;
constexpr double kToleranceHours = 1e-6;  // 0.0036 s
// The Earth's turn in radians per second of Delta T (the sidereal rate).
constexpr double kTurnPerSecond = 1.00273790935 / 86400 * TwoPi;

struct Crossing {
  double t;
  bool rising;
};

double SunHourAngle(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double t) {
  // The Sun is opposite the shadow axis: hour angle M + 180 degrees.
  return Evaluate(eclipse.M, t, t * t) * DegToRad - kTurnPerSecond * deltaT + Pi + observer.longitudeDeg * DegToRad;
}

// The Sun's rises and sets in [a, b], in time order.
std::vector<Crossing> SunCrossings(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double a,
                                   double b) {
  std::vector<Crossing> out;
  const auto g = [&](double t) { return SunUpperLimbDeg(eclipse, deltaT, observer, t); };
  const int steps = std::max(1, static_cast<int>(std::ceil((b - a) / kSunStepHours)));
  const double h = (b - a) / steps;
  double ta = a, ga = g(a);
  for (int i = 1; i <= steps; ++i) {
    const double tb = i == steps ? b : a + i * h;
    const double gb = g(tb);
    if ((ga > 0) != (gb > 0)) {
      double lo = ta, hi = tb;
      const bool upAtLo = ga > 0;
      while (hi - lo > kToleranceHours) {
        const double m = 0.5 * (lo + hi);
        if ((g(m) > 0) == upAtLo) lo = m;
        else hi = m;
      }
      out.push_back({0.5 * (lo + hi), gb > 0});
    }
    ta = tb;
    ga = gb;
  }
  return out;
}

std::vector<Crossing> MoonCrossings(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double a,
                                    double b) {
  std::vector<Crossing> out;
  for (const HorizonCrossing& c : MoonHorizonCrossings(eclipse, deltaT, observer, a, b)) out.push_back({c.t, c.rising});
  return out;
}

std::optional<double> LastBefore(const std::vector<Crossing>& crossings, double t, bool rising) {
  std::optional<double> found;
  for (const Crossing& c : crossings)
    if (c.rising == rising && c.t <= t) found = c.t;
  return found;
}

std::optional<double> FirstAfter(const std::vector<Crossing>& crossings, double t, bool rising) {
  for (const Crossing& c : crossings)
    if (c.rising == rising && c.t > t) return c.t;
  return std::nullopt;
}

}  // namespace

double SunUpperLimbDeg(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double t) {
  const double d = Evaluate(eclipse.D, t, t * t) * DegToRad;
  const double phi = observer.latitudeDeg * DegToRad;
  // Declination -d (geodetic latitude, as the Moon's altitude takes it; the Sun's 9" of
  // parallax left out).
  const double sinAlt =
      -std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(SunHourAngle(eclipse, deltaT, observer, t));
  const double limb = std::asin(std::clamp(sinAlt, -1.0, 1.0)) * RadToDeg + kSunSemidiameterDeg;
  return limb + RefractionDeg(limb);
}

namespace {

HorizonEvents EventsFrom(const std::vector<Crossing>& sun, const std::vector<Crossing>& moon, bool sunUp, double t) {
  HorizonEvents e;
  e.sunUp = sunUp;
  // Only within the search span around t, as if it had been searched alone.
  const auto near = [t](std::optional<double> x) {
    return x && std::fabs(*x - t) <= kClockSearchHours ? x : std::nullopt;
  };
  e.lastSunset = near(LastBefore(sun, t, false));
  e.nextSunrise = near(FirstAfter(sun, t, true));
  e.lastSunrise = near(LastBefore(sun, t, true));
  e.nextSunset = near(FirstAfter(sun, t, false));
  e.lastMoonrise = near(LastBefore(moon, t, true));
  e.nextMoonset = near(FirstAfter(moon, t, false));
  e.lastMoonset = near(LastBefore(moon, t, false));
  e.nextMoonrise = near(FirstAfter(moon, t, true));
  return e;
}

HistorianClock ClockFrom(const HorizonEvents& e, double t, double sunHourAngle) {
  HistorianClock c;
  const auto note = [&c](const char* code) {
    if (std::find(c.notes.begin(), c.notes.end(), code) == c.notes.end()) c.notes.emplace_back(code);
  };
  const char* polar = e.sunUp ? "polar_day" : "polar_night";
  if (e.lastSunset) c.hoursAfterSunset = t - *e.lastSunset;
  else note(polar);
  if (e.nextSunrise) c.hoursBeforeSunrise = *e.nextSunrise - t;
  else note(polar);
  if (!e.sunUp) {
    if (e.lastSunset && e.nextSunrise) {
      c.seasonalHourH = (*e.nextSunrise - *e.lastSunset) / 12;
      c.hoursFromMidnight = t - 0.5 * (*e.lastSunset + *e.nextSunrise);
    }
  } else {
    if (e.lastSunrise && e.nextSunset) c.seasonalHourH = (*e.nextSunset - *e.lastSunrise) / 12;
    else note(polar);
    note("daytime");
  }
  if (e.lastMoonrise) c.hoursAfterMoonrise = t - *e.lastMoonrise;
  else note("no_moonrise");
  if (e.nextMoonset) c.hoursBeforeMoonset = *e.nextMoonset - t;
  else note("no_moonset");
  const double lat = std::fmod(sunHourAngle * RadToDeg / 15 + 12, 24.0);
  c.localApparentTimeH = lat < 0 ? lat + 24 : lat;
  return c;
}

}  // namespace

HorizonEvents HorizonEventsAround(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double t) {
  const double a = t - kClockSearchHours, b = t + kClockSearchHours;
  return EventsFrom(SunCrossings(eclipse, deltaT, observer, a, b), MoonCrossings(eclipse, deltaT, observer, a, b),
                    SunUpperLimbDeg(eclipse, deltaT, observer, t) > 0, t);
}

HistorianClock ClockAt(const EclipseRecord& eclipse, double deltaT, const Observer& observer, double t) {
  return ClockFrom(HorizonEventsAround(eclipse, deltaT, observer, t), t,
                   SunHourAngle(eclipse, deltaT, observer, t));
}

PerContact<HistorianClock> ClocksOfView(const EclipseRecord& eclipse, double deltaT, const Observer& observer,
                                        const LocalEclipseView& view) {
  PerContact<HistorianClock> clocks;
  const auto& p1 = view.contacts[Contact::P1];
  const auto& p4 = view.contacts[Contact::P4];
  if (!p1 || !p4) return clocks;
  // One search over the whole eclipse and the spans around it serves every contact.
  const double a = p1->t - kClockSearchHours, b = p4->t + kClockSearchHours;
  const std::vector<Crossing> sun = SunCrossings(eclipse, deltaT, observer, a, b);
  const std::vector<Crossing> moon = MoonCrossings(eclipse, deltaT, observer, a, b);
  for (const Contact k : kListContacts) {
    const auto& c = view.contacts[k];
    if (!c) continue;
    clocks[k] = ClockFrom(EventsFrom(sun, moon, SunUpperLimbDeg(eclipse, deltaT, observer, c->t) > 0, c->t), c->t,
                          SunHourAngle(eclipse, deltaT, observer, c->t));
  }
  return clocks;
}

std::string ClockText(double hours) {
  long s = std::lround(hours * 3600);
  s = ((s % 86400) + 86400) % 86400;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  return buf;
}

std::optional<double> CrossingNear(const EclipseRecord& eclipse, double deltaT, const Observer& observer, Body body,
                                   bool rising, double guess, double halfWidth) {
  const std::vector<Crossing> all =
      body == Body::Sun ? SunCrossings(eclipse, deltaT, observer, guess - halfWidth, guess + halfWidth)
                        : MoonCrossings(eclipse, deltaT, observer, guess - halfWidth, guess + halfWidth);
  std::optional<double> best;
  for (const Crossing& c : all)
    if (c.rising == rising && (!best || std::fabs(c.t - guess) < std::fabs(*best - guess))) best = c.t;
  return best;
}

}  // namespace varomintel
