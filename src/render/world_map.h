// The world map of an eclipse: where on the Earth the eclipsed Moon is up. Bright where
// the Moon stands above the horizon at greatest eclipse, darkened elsewhere, with the
// horizon line of every contact, the points that have the Moon in the zenith at the
// contacts and at greatest eclipse, two three-line texts and an optional marked place.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>

#include "app/world_map_model.h"

namespace varomintel {

// Colours of the drawing (red, green, blue).
namespace map_colour {
inline constexpr QRgb kPenumbraLine = 0xFFFFFF00;   // P1, P4, P2, P3 lines and contact marker outlines
inline constexpr QRgb kUmbraLine = 0xFFFF6000;      // U1, U4 lines
inline constexpr QRgb kTotalityLine = 0xFFFF0000;   // U2, U3 lines; U contact marker outlines
inline constexpr QRgb kGreatestLine = 0xFF000000;   // horizon line of greatest eclipse
inline constexpr QRgb kMarkerFill = 0xFF000000;     // contact markers
inline constexpr QRgb kGreatestFill = 0xFFFF8000;   // greatest-eclipse marker
inline constexpr QRgb kGreatestOutline = 0xFF800000;
inline constexpr QRgb kPlaceFill = 0xFF00FF00;      // point of interest
inline constexpr QRgb kPlaceOutline = 0xFF000000;
inline constexpr QRgb kVisibleText = 0xFF000000;    // "All / Eclipse / Visible"
inline constexpr QRgb kInvisibleText = 0xFFFFFFFF;  // "No / Eclipse / Visible"
}  // namespace map_colour

struct WorldMapInputs {
  QImage map;   // the bright map, 680 x 340 (null: a plain grey-blue ground)
  QImage dark;  // its darkened twin, 680 x 340; its bottom-left pixel is the transparent
                // colour (null: the bright map darkened here)
  WorldMapEclipse eclipse;
  std::uint8_t language = 0;                  // 0 German, 1 English, 2 French, 3 Spanish
  std::optional<GeoPoint> pointOfInterest;    // the marked place, if shown
};

// Paints the map, in this order:
// 1. the bright map;
// 2. the darkened twin cut along the horizon line of greatest eclipse: for each of the 681
//    columns n = 0..680 (west longitude w = (n - 340)/680 * 360 deg) the part of the column
//    with the Moon above the horizon is painted in the transparent colour, with a pen two
//    pixels wide;
// 3. the cut twin laid over the bright map with its transparent colour left out, so that
//    the bright map shows where the Moon is up (and wherever the twin holds that colour);
// 4. the horizon lines, 361 points each (w = -180..180 whole degrees), pen two pixels
//    wide: P1 and P4 yellow; P2 and P3 yellow when P2 occurs and the type is penumbral
//    (below 3); U1 and U4 orange when U1 occurs; U2 and U3 red when U2 occurs; greatest
//    eclipse black; with a band (Delta T uncertain by more than five minutes at 2 sigma),
//    first each of these lines at the band's two ends, one pixel wide, dashed, in its
//    colour halfway to white;
// 5. contact markers, discs of 10 pixels with a black fill and an outline two pixels wide:
//    U2, U3 red for types 4 and 5; U1, U4 red from type 3; P2, P3 yellow for type 2; P1, P4
//    yellow always; then the greatest-eclipse marker, 12 pixels, orange on dark red;
// 6. the texts, bold italic, 16 pixels (12 points at 96 dpi), each line centred: "All /
//    Eclipse / Visible" in black at the sub-lunar longitude of greatest eclipse (centre held
//    within columns 50..628), at rows 20, 37, 54 when d >= 0 and 270, 287, 304 otherwise;
//    "No / Eclipse / Visible" in white at the opposite longitude, at the other rows; each
//    letter with a halo one map pixel wide in the other text's colour (white round black,
//    black round white), so that the texts read on any map;
// 7. the point of interest, a green disc of 10 pixels with a black outline.
// Box edges of the discs are rounded each by itself; positions round halves to even.
// A disc near the left or right edge is drawn again on the other side of the map (the
// map wraps around at 180 deg). A contact that does not occur gets neither line nor
// marker. The texts need a QGuiApplication (the offscreen platform will do).
QImage RenderWorldMap(const WorldMapInputs& inputs);

// How the map is drawn beyond what it shows.
struct MapDrawing {
  double scale = 1.0;         // physical pixels per map pixel (held within 0.25..8)
  bool graticule = false;     // the ten graticule lines over the map
  bool degreeLabels = false;  // the degree labels left of and below the map
};

// With degree labels the picture holds the map with margins round it, in map pixels: the
// latitude labels, right-aligned in a box 40 pixels wide that ends 5 pixels left of the
// map, and the longitude labels, centred in boxes 50 pixels wide whose tops lie 3 pixels
// below the map, as the main window has always placed them.
inline constexpr int kMapLabelMarginLeft = 45;
inline constexpr int kMapLabelMarginTop = 8;
inline constexpr int kMapLabelMarginRight = 25;
inline constexpr int kMapLabelMarginBottom = 21;

// The top of the latitude label of map row `row` in the labelled picture at scale 1: the
// box 16 pixels high centred on the row, the two at the poles moved in to stay within the
// picture's rows 5..349 (the map holds rows 8..347), clear of its edge and of the longitude
// labels under the map.
inline int LatitudeLabelTop(int row) {
  const int top = kMapLabelMarginTop + row - 8;
  return top < kMapLabelMarginTop - 3 ? kMapLabelMarginTop - 3
         : top > kMapLabelMarginTop + 340 - 14 ? kMapLabelMarginTop + 340 - 14
                                             : top;
}

// The size of the picture drawn with `drawing`: the map's 680 x 340 pixels, with the label
// margins when degreeLabels, times the scale, each length rounded.
QSize WorldMapSizeAt(const MapDrawing& drawing);
// Where the map lies in that picture, in its pixels.
QRect WorldMapAreaIn(const MapDrawing& drawing);

// The map at any scale, with the graticule and its degree labels on request:
// - at scale 1 the map is the picture above, pixel for pixel; at any other scale the same
//   drawing with unrounded positions, smoothed lines and text, the pictures smoothly scaled
//   and the bright region cut along the horizon line per picture pixel;
// - the graticule: lines one map pixel wide at columns 113, 227, 340, 453, 567 (every 60
//   deg of longitude) and rows 57, 113, 170, 227, 283 (every 30 deg of latitude), in the
//   application palette's shadow colour (Dark);
// - the degree labels: "90°N", "60°N", "30°N", "0° -", "30°S", "60°S", "90°" beside the rows
//   0, 57, 113, 170, 227, 283, 340, and "180°W", "120°W", "60°W", "0°", "60°E", "120°E",
//   "180°E" below the columns 0, 113, 227, 340, 453, 567, 680 (the letters of the
//   language: "O" for east in German and "O" for west in French and Spanish), in the application font
//   and the palette's text colour on its window colour.
QImage RenderWorldMap(const WorldMapInputs& inputs, const MapDrawing& drawing);

// The graticule and the degree labels of `drawing` round a map already drawn at its scale
// (RenderWorldMap's last step, also for a bare map picture before any eclipse is chosen).
// A map of another size than WorldMapAreaIn(drawing) is smoothly scaled to it first; a
// null map is the plain grey-blue ground.
QImage FrameWorldMap(QImage map, const MapDrawing& drawing, std::uint8_t language);

}  // namespace varomintel
