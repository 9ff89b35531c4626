#include "app/world_map_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "astro/delta_t.h"
#include "eclipse/elements.h"

namespace varomintel {

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180.0;
}  // namespace

GeoPoint MapPlaceAt(int column, int row) {
  GeoPoint p;
  p.longitude = std::clamp((column - 340.0) / kMapPixelsPerDegree, -180.0, 180.0);
  p.latitude = std::clamp((170.0 - row) / kMapPixelsPerDegree, -90.0, 90.0);
  return p;
}

int MapPixel(double position) {
  if (std::isnan(position)) return 0;
  return static_cast<int>(std::nearbyint(std::clamp(position, -100000.0, 100000.0)));  // halves to even
}

double HorizonLatitude(double westLongitude, double d, double M) {
  const double cosH = std::cos(westLongitude * kDeg - M);
  double tanD = std::tan(d);
  if (tanD == 0) tanD = 0.0;  // -0 as +0: d = -0 is the same sky as d = +0
  // atan(-cos H / tan d) written as atan2 with a positive second argument: equal for every
  // d != 0, and for d = 0 the limit d -> +0 instead of a division by zero.
  const double phi = tanD < 0 ? std::atan2(cosH, -tanD) : std::atan2(-cosH, tanD);
  return phi / kDeg;
}

double SubLunarPoint::Column() const { return 340.0 - 340.0 * M / kPi; }
double SubLunarPoint::Row() const { return 170.0 - 340.0 * d / kPi; }

WorldMapEclipse WorldMapEclipseOf(const EclipseRecord& record, const EclipseCircumstances& circumstances,
                                  double deltaT) {
  WorldMapEclipse map;
  map.type = record.EclipseType;
  for (int i = 0; i < kContactCount; ++i) {
    const auto c = static_cast<Contact>(i);
    const double t = circumstances.Time(c);
    SubLunarPoint& p = map.at[c];
    p.occurs = c == Contact::Max || t != 0.0;
    if (!p.occurs) continue;
    const ElementValues e = EvaluateElements(record, t, deltaT);
    p.d = e.d;
    p.M = e.M;
  }
  return map;
}

WorldMapEclipse WorldMapEclipseOf(const EclipseRecord& record, const EclipseCircumstances& circumstances) {
  return WorldMapEclipseOf(record, circumstances, DeltaT(record.Year, record.Month));
}

}  // namespace varomintel

namespace varomintel {

std::optional<HorizonBand> HorizonBandOf(const EclipseRecord& record, const EclipseCircumstances& circumstances,
                                         double deltaT, double sigma) {
  if (!(2 * sigma > kHorizonBandLeast2SigmaS)) return std::nullopt;
  return HorizonBand{WorldMapEclipseOf(record, circumstances, deltaT - 2 * sigma).at,
                     WorldMapEclipseOf(record, circumstances, deltaT + 2 * sigma).at};
}

}  // namespace varomintel
