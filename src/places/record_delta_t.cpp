#include "places/record_delta_t.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "places/historian_clock.h"

namespace varomintel {

namespace {

// How far a rise or set moves in terrestrial time per second of Delta T: the Earth has to
// turn as far against the body, which itself moves east (the Sun by 1 degree a day, the
// Moon by about 13): 1.0027 for the Sun, about 1.035 for the Moon. Only the first guess of
// the followed crossing; the crossing itself is then searched within kFollowHours of it.
constexpr double kSunRate = 1.00273790935;
constexpr double kMoonRate = 1.035;
constexpr double kFollowHours = 1.5;
constexpr int kScanPoints = 64;
constexpr double kDeltaTToleranceS = 1e-3;

struct Followed {
  Body body;
  bool rising;
  double t0;  // hours of TT from T0, at the model's Delta T
};

std::optional<Followed> FollowedOf(Body body, bool rising, const std::optional<double>& t0) {
  if (!t0) return std::nullopt;
  return Followed{body, rising, *t0};
}

}  // namespace

const char* RecordReferenceName(RecordReference reference) {
  switch (reference) {
    case RecordReference::Sunset: return "sunset";
    case RecordReference::Sunrise: return "sunrise";
    case RecordReference::Moonrise: return "moonrise";
    case RecordReference::Moonset: return "moonset";
    case RecordReference::Midnight: return "midnight";
  }
  return "midnight";
}

RecordDeltaT SolveRecordDeltaT(const EclipseRecord& eclipse, const Observer& observer,
                               const EclipseRecordTiming& record, double modelDeltaT, double sigma) {
  RecordDeltaT out;
  out.deltaT = modelDeltaT;
  const LocalEclipseView view = ViewFromPlace(eclipse, modelDeltaT, observer);
  const auto& contact = view.contacts[record.event];
  if (!view.eclipse || !contact) {
    out.solution = RecordSolution::NoEvent;
    return out;
  }
  const double t = contact->t;
  out.eventT = t;

  // The references at the model's value.
  const HorizonEvents e = HorizonEventsAround(eclipse, modelDeltaT, observer, t);
  const bool after = record.after;
  std::optional<Followed> reference;
  switch (record.reference) {
    case RecordReference::Sunset:
      reference = FollowedOf(Body::Sun, false, after ? e.lastSunset : e.nextSunset);
      break;
    case RecordReference::Sunrise:
      reference = FollowedOf(Body::Sun, true, after ? e.lastSunrise : e.nextSunrise);
      break;
    case RecordReference::Moonrise:
      reference = FollowedOf(Body::Moon, true, after ? e.lastMoonrise : e.nextMoonrise);
      break;
    case RecordReference::Moonset:
      reference = FollowedOf(Body::Moon, false, after ? e.lastMoonset : e.nextMoonset);
      break;
    case RecordReference::Midnight: break;
  }
  // The night the event falls in (sunset to sunrise), or by day the day (sunrise to
  // sunset): for midnight and for seasonal hours.
  const std::optional<Followed> begin = e.sunUp ? FollowedOf(Body::Sun, true, e.lastSunrise)
                                                : FollowedOf(Body::Sun, false, e.lastSunset);
  const std::optional<Followed> end = e.sunUp ? FollowedOf(Body::Sun, false, e.nextSunset)
                                              : FollowedOf(Body::Sun, true, e.nextSunrise);
  const bool midnight = record.reference == RecordReference::Midnight;
  const bool seasonal = record.hours && record.seasonal;
  const bool needsNight = midnight || seasonal;
  if ((!midnight && !reference) || (needsNight && (!begin || !end)) || (midnight && e.sunUp)) {
    out.solution = RecordSolution::NoReference;
    return out;
  }

  const auto follow = [&](const Followed& x, double deltaT) {
    const double rate = x.body == Body::Sun ? kSunRate : kMoonRate;
    return CrossingNear(eclipse, deltaT, observer, x.body, x.rising, x.t0 + (deltaT - modelDeltaT) / 3600 * rate,
                        kFollowHours);
  };
  const auto referenceAt = [&](double deltaT, double* unit) -> std::optional<double> {
    std::optional<double> a, b;
    if (needsNight) {
      a = follow(*begin, deltaT);
      b = follow(*end, deltaT);
      if (!a || !b) return std::nullopt;
      *unit = (*b - *a) / 12;
    }
    if (midnight) return 0.5 * (*a + *b);
    return follow(*reference, deltaT);
  };
  // Hours by which the event is later (after) or earlier (before) than the record says;
  // NaN where a reference is lost. Decreases as Delta T grows for "after".
  const auto g = [&](double deltaT) {
    double unit = 1;
    const std::optional<double> r = referenceAt(deltaT, &unit);
    if (!r) return std::numeric_limits<double>::quiet_NaN();
    const double between = after ? t - *r : *r - t;
    return between - (record.hours ? *record.hours * (seasonal ? unit : 1.0) : 0.0);
  };

  const double reach = std::min(kRecordSigmas * std::max(sigma, 0.0), kRecordReachS);
  const double low = modelDeltaT - reach;
  const double high = modelDeltaT + reach;
  std::vector<double> x(kScanPoints + 1), y(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    x[i] = low + (high - low) * static_cast<double>(i) / kScanPoints;
    y[i] = g(x[i]);
  }
  std::optional<double> root;
  bool satisfiedBelow = false;
  bool anyFinite = false, allSatisfied = true;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (std::isnan(y[i])) continue;
    anyFinite = true;
    if (y[i] < 0) allSatisfied = false;
    if (i == 0 || std::isnan(y[i - 1]) || (y[i - 1] >= 0) == (y[i] >= 0)) continue;
    double a = x[i - 1], b = x[i];
    const bool aSatisfied = y[i - 1] >= 0;
    bool lost = false;
    while (b - a > kDeltaTToleranceS) {
      const double m = 0.5 * (a + b);
      const double gm = g(m);
      if (std::isnan(gm)) {
        lost = true;
        break;
      }
      ((gm >= 0) == aSatisfied ? a : b) = m;
    }
    if (lost) continue;
    const double r = 0.5 * (a + b);
    if (!root || std::fabs(r - modelDeltaT) < std::fabs(*root - modelDeltaT)) {
      root = r;
      satisfiedBelow = aSatisfied;
    }
  }
  if (!anyFinite) {
    out.solution = RecordSolution::NoReference;
    return out;
  }
  if (root) {
    out.deltaT = *root;
    out.solution = record.hours ? RecordSolution::Exact
                                : satisfiedBelow ? RecordSolution::UpperBound : RecordSolution::LowerBound;
  } else {
    out.solution = !record.hours && allSatisfied ? RecordSolution::Everywhere : RecordSolution::Nowhere;
  }
  double unit = 1;
  out.referenceT = referenceAt(out.deltaT, &unit);
  return out;
}

}  // namespace varomintel
