#include "places/delta_t_visibility.h"

#include <algorithm>
#include <cmath>

namespace varomintel {

const char* DeltaTVerdictName(DeltaTVerdict verdict) {
  switch (verdict) {
    case DeltaTVerdict::Certain: return "certain";
    case DeltaTVerdict::Impossible: return "impossible";
    case DeltaTVerdict::Depends: return "depends";
  }
  return "depends";
}

DeltaTVisibility VisibilityOverDeltaT(const EclipseRecord& eclipse, double t, const Observer& observer,
                                      double modelDeltaT, double sigma) {
  const auto visible = [&](double deltaT) { return SkyAt(eclipse, deltaT, observer, t).moonVisible; };
  // The Delta T at which visibility changes between a (visibility va) and b.
  const auto refine = [&](double a, double b, bool va) {
    while (b - a > 1e-3) {
      const double m = 0.5 * (a + b);
      if (visible(m) == va) a = m;
      else b = m;
    }
    return 0.5 * (a + b);
  };
  sigma = std::max(sigma, 0.0);
  const double low = modelDeltaT - 3 * sigma;
  const double high = modelDeltaT + 3 * sigma;
  DeltaTVisibility result;
  const int steps = std::max(256, static_cast<int>(std::ceil((high - low) / 120)));
  const double step = (high - low) / steps;
  double a = low;
  bool va = visible(a);
  double begin = low;
  for (int i = 1; i <= steps; ++i) {
    const double b = i == steps ? high : low + i * step;
    const bool vb = visible(b);
    if (vb != va) {
      const double x = step > 0 ? refine(a, b, va) : b;
      if (vb) begin = x;
      else result.intervals.emplace_back(begin, x);
    }
    a = b;
    va = vb;
  }
  if (va) result.intervals.emplace_back(begin, high);

  const double from = modelDeltaT - 2 * sigma;
  const double to = modelDeltaT + 2 * sigma;
  bool any = false, whole = false;
  for (const auto& [lo, hi] : result.intervals) {
    if (hi >= from && lo <= to) any = true;
    if (lo <= from && hi >= to) whole = true;
  }
  result.verdict = whole ? DeltaTVerdict::Certain : any ? DeltaTVerdict::Depends : DeltaTVerdict::Impossible;
  return result;
}

}  // namespace varomintel
