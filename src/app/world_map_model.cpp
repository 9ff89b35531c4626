#include "app/world_map_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

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

std::vector<Contact> MapHorizonContacts(const WorldMapEclipse& e) {
  std::vector<Contact> lines{Contact::P1, Contact::P4};
  if (e.at[Contact::P2].occurs && e.type < EclipseTypeCode::PartialUmbral) lines.insert(lines.end(), {Contact::P2, Contact::P3});
  if (e.at[Contact::U1].occurs) lines.insert(lines.end(), {Contact::U1, Contact::U4});
  if (e.at[Contact::U2].occurs) lines.insert(lines.end(), {Contact::U2, Contact::U3});
  lines.push_back(Contact::Max);
  return lines;
}

std::array<GeoPoint, kHorizonLinePoints> HorizonLinePoints(const SubLunarPoint& at) {
  std::array<GeoPoint, kHorizonLinePoints> line;
  for (int w = -180; w <= 180; ++w)
    line[static_cast<std::size_t>(w + 180)] = {HorizonLatitude(w, at.d, at.M), -static_cast<double>(w)};
  return line;
}

std::array<MapRegion, 4> MapVisibilityRegions(const WorldMapEclipse& e) {
  std::array<MapRegion, 4> regions{{{MapRegionKind::Whole, {}},
                                    {MapRegionKind::PartSets, {}},
                                    {MapRegionKind::PartRises, {}},
                                    {MapRegionKind::None, {}}}};
  const SubLunarPoint& p1 = e.at[Contact::P1];
  const SubLunarPoint& p4 = e.at[Contact::P4];
  if (!p1.occurs || !p4.occurs) return regions;
  const auto h1 = HorizonLinePoints(p1), h4 = HorizonLinePoints(p4);
  const bool north1 = SeenFromTheNorth(p1.d), north4 = SeenFromTheNorth(p4.d);
  // Per kind, the open run of meridians: its southern and northern edges.
  std::array<std::vector<GeoPoint>, 4> south, north;
  const auto close = [&](std::size_t k) {
    if (south[k].size() >= 2) {
      std::vector<GeoPoint> ring(south[k]);
      ring.insert(ring.end(), north[k].rbegin(), north[k].rend());
      ring.push_back(ring.front());
      regions[k].polygons.push_back(std::move(ring));
    }
    south[k].clear();
    north[k].clear();
  };
  // Listed from west to east: east longitude -w runs from 180 down to -180, so backwards.
  for (int i = kHorizonLinePoints - 1; i >= 0; --i) {
    const auto n = static_cast<std::size_t>(i);
    const double lon = h1[n].longitude;
    std::array<double, 4> cuts{-90.0, std::min(h1[n].latitude, h4[n].latitude), std::max(h1[n].latitude, h4[n].latitude),
                               90.0};
    std::array<double, 4> lo{}, hi{};
    std::array<bool, 4> any{};
    for (std::size_t c = 0; c + 1 < cuts.size(); ++c) {
      if (!(cuts[c + 1] > cuts[c])) continue;
      const double mid = 0.5 * (cuts[c] + cuts[c + 1]);
      const bool up1 = north1 ? mid > h1[n].latitude : mid < h1[n].latitude;
      const bool up4 = north4 ? mid > h4[n].latitude : mid < h4[n].latitude;
      const std::size_t k = up1 && up4 ? 0 : up1 ? 1 : up4 ? 2 : 3;
      lo[k] = any[k] ? std::min(lo[k], cuts[c]) : cuts[c];
      hi[k] = any[k] ? std::max(hi[k], cuts[c + 1]) : cuts[c + 1];
      any[k] = true;
    }
    for (std::size_t k = 0; k < 4; ++k) {
      if (!any[k]) {
        close(k);
        continue;
      }
      south[k].push_back({lo[k], lon});
      north[k].push_back({hi[k], lon});
    }
  }
  for (std::size_t k = 0; k < 4; ++k) close(k);
  return regions;
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
