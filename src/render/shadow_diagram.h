// The shadow diagram: the selected eclipse as seen on the sky at the slider time. The
// Earth's penumbra and umbra as grey discs round the shadow axis, a half-degree grid, the
// compass, the Moon's path with its hour marks, the ecliptic, the Moon's outline, centre
// and label at every contact, and the Moon itself, a photograph darkened where it lies in
// the penumbra or umbra.
//
// Sky coordinates are those of the Besselian elements: x and y in arcseconds from the
// shadow axis, x to the east, y to the north. East is drawn to the left and north up, at a
// fixed 22.3 arcseconds per pixel: the sky point (x, y) lies at column CX - x / 22.3 and
// row CY - y / 22.3 with CX = width div 2, CY = height div 2. Pixel positions round to the
// nearest integer with ties to the even neighbour; "div 2" truncates.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "app/eclipse_view.h"
#include "render/moon_pictures.h"

namespace varomintel {

inline constexpr int kDiagramWidth = 1040;
inline constexpr int kDiagramHeight = 480;
inline constexpr double kArcsecondsPerPixel = 22.3;
// 96 dots per inch: the font sizes are points at this resolution.
inline constexpr int kDiagramDotsPerMetre = 3780;

// A 1040 x 480 picture in 32-bit RGB at 96 dots per inch, filled white.
QImage NewDiagramImage();

// The size of the diagram drawn at `scale`: round(1040 s) x round(480 s) pixels.
QSize DiagramSizeAt(double scale);

// A text of the diagram and the box it covers, in design pixels (scale 1): its width and
// height in the text's font at 96 dots per inch, from its top-left corner.
struct DiagramLabel {
  QString text;
  QRect box;
};

// Where the diagram of a scene puts the texts that move with the eclipse, and the Moon
// they keep clear of, in design pixels (scale 1).
struct DiagramLayout {
  // The contact labels (Max, P1, P4, U1, U4, U2, U3 as they occur, in that order), each
  // where it is drawn: 2 pixels below its contact's centre, or, where the Moon's picture at
  // the scene's time would cover it there, moved up or down by the fewest pixels that clear
  // the Moon (and, where that can be had within the picture, every other text).
  std::vector<DiagramLabel> contacts;
  DiagramLabel path;  // PathLabel(scene)
  // The Moon's disc as drawn: pixel (c, r) lies in it when (c - x)^2 + (r - y)^2 < radius^2
  // (its outline up to a pixel further out; a moved label keeps 2 pixels off). Radius 0
  // when the Moon is not drawn.
  double moonX = 0, moonY = 0, moonRadius = 0;
  // Turned to the zenith (the scene has a parallactic angle): every box and the Moon's
  // centre above are those of the turned picture, each text upright and within the
  // picture, clear of the Moon; the contact labels beside their turned contacts (moved up
  // or down off the Moon as above), the path label where its turned line meets the
  // picture's edge when its own place has left the picture. `texts` then holds the others:
  // the shadows' four caption lines, the compass letters N, S, east and west at their
  // turned directions, and the ecliptic's label. Empty without a turn.
  std::vector<DiagramLabel> texts;
};

// The layout of `scene` (built by DiagramSceneOf), as DrawShadowDiagram draws it.
DiagramLayout LayOutDiagram(const DiagramScene& scene);

// Draws the diagram of `scene` (built by DiagramSceneOf) at `scale` physical pixels per
// design pixel (held within 0.25..8): a picture of DiagramSizeAt(scale) in 32-bit RGB at 96
// dots per inch. At scale 1 the design's own pixels; at any other scale the same figure
// with smoothed lines and text and the Moon's picture smoothly scaled. Pure: no state is
// kept between calls. It only paints: the texts that go with it (caption, date-time, short
// type, elements) come from EclipseView::Now() or MomentOf(scene). `placed`, when given,
// receives the layout it drew.
QImage DrawShadowDiagram(const DiagramScene& scene, const MoonPictures& moonPictures, double scale = 1.0,
                         DiagramLayout* placed = nullptr);

// The texts the diagram writes before the Moon's path label and keeps where they are: the
// shadows' four caption lines, the compass letters N, S, east and west, the ecliptic's
// label and the contact labels ("Max", P1, P4, U1 ... U4, as they occur).
std::vector<DiagramLabel> FixedDiagramLabels(const DiagramScene& scene);

// The Moon's path label: on the straight line through the point where the Moon crosses
// x = 0, with the slope of the path from its first to its last point, at x = -7800
// arcseconds (west side). When that box would cover one of FixedDiagramLabels it moves
// along the line, in steps of 100 arcseconds alternately outwards and inwards, to the
// nearest place within the picture where it covers none; where there is no such place it
// stays at -7800.
DiagramLabel PathLabel(const DiagramScene& scene);

// The Moon's diameter on the diagram, pixels, for the Moon's radius in arcseconds:
// round(2 * rmoo / 22.3). The diagram draws it from the picture for N = diameter + 2.
int MoonDiameterPixels(double moonRadius);

// The Moon's picture for a diameter of D pixels, whose disc fills its top-left
// (D + 1) x (D + 1) square (the nearest of the pictures, scaled when none is made for D);
// null when that picture is missing.
QImage MoonPictureOfDiameter(const MoonPictures& pictures, int diameter);

// A pixel of the Moon's picture as the diagram draws it at the sky point whose squared
// distance from the shadow axis is `distanceSq` (arcseconds squared): darkened in the
// penumbra (radius f1) and more in the umbra (radius f2).
QRgb ShadedMoonPixel(QRgb pixel, float distanceSq, double f1, double f2);

}  // namespace varomintel
