// What the world map shows of an eclipse, without pictures: the equirectangular map
// grid, the line on which the Moon stands on the horizon, and the points on the Earth that
// have the eclipsed Moon in the zenith at greatest eclipse and at the contacts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "eclipse/contact.h"

namespace varomintel {

// The map: equirectangular, 680 x 340 pixels, 340/180 pixels per degree in both
// directions; column 0 is 180 deg W, column 340 the meridian of Greenwich, row 0 the
// north pole, row 340 the south pole.
inline constexpr int kMapWidth = 680;
inline constexpr int kMapHeight = 340;
inline constexpr double kMapPixelsPerDegree = 340.0 / 180.0;

// A place in degrees: latitude north positive, longitude east positive.
struct GeoPoint {
  double latitude = 0;
  double longitude = 0;
};

// Map column of east longitude `longitude` and row of latitude `latitude` (degrees),
// not rounded: 340 + lon * 340/180 and 170 - lat * 170/90.
constexpr double MapColumn(double longitude) { return 340.0 + longitude * kMapPixelsPerDegree; }
constexpr double MapRow(double latitude) { return 170.0 - latitude * kMapPixelsPerDegree; }

// The place shown by the pixel (column, row): the inverse of MapColumn and MapRow,
// longitude within -180..180 and latitude within -90..90.
GeoPoint MapPlaceAt(int column, int row);

// A pixel position rounded as every position of the map is: to the nearest integer,
// halves to the even neighbour; held within +-100000 so that no value overflows a pixel
// coordinate.
int MapPixel(double position);

// Latitude (degrees) at which the body with declination d and Greenwich hour angle M
// (radians) stands on the horizon at west longitude `westLongitude` (degrees). From
// sin h = sin phi sin d + cos phi cos d cos H = 0 with the local hour angle H = M - west
// longitude: tan phi = -cos H / tan d. For d = 0 the horizon runs through the poles; the
// latitude is then the limit for d -> +0 (-90 where cos H > 0, +90 where cos H < 0), so
// that it pairs with SeenFromTheNorth.
double HorizonLatitude(double westLongitude, double d, double M);

// True when the body is up in the part of each meridian north of the horizon line: for
// d > 0, and for d = 0 as the limit d -> +0 (see HorizonLatitude).
constexpr bool SeenFromTheNorth(double d) { return d >= 0; }

// The point on the Earth with the shadow axis in the zenith at one instant.
struct SubLunarPoint {
  bool occurs = false;    // false: the contact does not happen
  double d = 0, M = 0;    // radians: declination, Greenwich hour angle (west positive)
  // Map position, not rounded: column 340 - 340 M / pi, row 170 - 340 d / pi.
  double Column() const;
  double Row() const;
};

// Where the horizon lines can lie when Delta T is uncertain: the sub-lunar points of the
// contacts at the lowest and the highest plausible Delta T.
struct HorizonBand {
  PerContact<SubLunarPoint> low;   // at Delta T - 2 sigma
  PerContact<SubLunarPoint> high;  // at Delta T + 2 sigma
};

struct WorldMapEclipse {
  EclipseTypeCode type{};            // computed type
  PerContact<SubLunarPoint> at;      // Max always occurs
  std::optional<HorizonBand> band;   // none: Delta T is known well enough to draw one line
};

// The least 2 sigma of Delta T (seconds) for which the map draws the band: five minutes
// turn the Earth by 1.25 degrees, between two and three map pixels.
inline constexpr double kHorizonBandLeast2SigmaS = 300;

// The band of the horizon lines over `deltaT` +- 2 `sigma` (seconds), each end as
// WorldMapEclipseOf evaluates it; none where 2 sigma is kHorizonBandLeast2SigmaS or less.
std::optional<HorizonBand> HorizonBandOf(const EclipseRecord& record, const EclipseCircumstances& circumstances,
                                         double deltaT, double sigma);

// The sub-lunar points of `record` (with its computed type) at greatest eclipse and at
// each contact that occurs, with the Earth turned by universal time: d and M are
// evaluated at the contact instants with `deltaT` seconds (the eclipse's Delta T). Where
// the Moon stands over the Earth does not depend on the time scale in which the clock
// times are shown, so the caller passes the eclipse's Delta T in either scale.
WorldMapEclipse WorldMapEclipseOf(const EclipseRecord& record, const EclipseCircumstances& circumstances,
                                  double deltaT);
// The same with the eclipse's own Delta T (DeltaT of its year and month).
WorldMapEclipse WorldMapEclipseOf(const EclipseRecord& record, const EclipseCircumstances& circumstances);

// The horizon lines the map draws, in drawing order: P1 and P4; P2 and P3 when P2 occurs
// and the type is penumbral (below PartialUmbral); U1 and U4 when U1 occurs; U2 and U3
// when U2 occurs; greatest eclipse last.
std::vector<Contact> MapHorizonContacts(const WorldMapEclipse& eclipse);

// The horizon line of one instant as the map draws it: 361 points at the whole degrees of
// west longitude w = -180..180 (east longitude -w, from 180 E to 180 W), each at latitude
// HorizonLatitude(w, d, M).
inline constexpr int kHorizonLinePoints = 361;
std::array<GeoPoint, kHorizonLinePoints> HorizonLinePoints(const SubLunarPoint& at);

// Where on the Earth the eclipse is seen, from the horizon lines of P1 and P4 (the Moon
// rises or sets at most once within an eclipse): the whole of it (the Moon up at P1 and
// P4), a part (up at P1 only: it sets during the eclipse; up at P4 only: it rises), or
// nothing. Each meridian of HorizonLinePoints holds one interval of latitude of each
// kind; the meridians where it is not empty make polygons, one per run of them, each a
// closed ring counterclockwise in longitude and latitude (the southern edge from west to
// east, the northern back).
enum class MapRegionKind { Whole, PartSets, PartRises, None };
struct MapRegion {
  MapRegionKind kind = MapRegionKind::None;
  std::vector<std::vector<GeoPoint>> polygons;
};
std::array<MapRegion, 4> MapVisibilityRegions(const WorldMapEclipse& eclipse);

}  // namespace varomintel
