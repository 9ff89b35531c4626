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

#include <cstdint>
#include <string>

#include "app/selected_eclipse.h"
#include "app/time_slider.h"
#include "render/moon_pictures.h"

namespace varomintel {

inline constexpr int kDiagramWidth = 1040;
inline constexpr int kDiagramHeight = 480;
inline constexpr double kArcsecondsPerPixel = 22.3;
// 96 dots per inch: the font sizes are points at this resolution.
inline constexpr int kDiagramDotsPerMetre = 3780;

// A 1040 x 480 picture in 32-bit RGB at 96 dots per inch, filled white.
QImage NewDiagramImage();

// Everything one drawing reads. The pointers must stay valid during the call.
struct DiagramScene {
  const EclipseRecord* record = nullptr;               // with the computed EclipseType
  const EclipseCircumstances* circumstances = nullptr;
  const MoonPath* moonPath = nullptr;                  // x, y at whole hours of UT, k = -10..10
  double t = 0;        // slider time, hours of TT from T0
  double jdTT = 0;     // Julian day (TT) of t
  double jdUT = 0;     // Julian day (UT) of t: jdTT - deltaT / 86400
  double deltaT = 0;   // seconds, 0 in terrestrial time (shifts the hour angle M)
  bool universalTime = true;
  std::uint8_t language = 0;
  std::string captionPrefix;  // the window caption before the date
};

// The scene of a selection at a slider time (the selection's Delta T, 0 in terrestrial time).
DiagramScene DiagramSceneOf(const SelectedEclipse& selection, const SliderTime& time, bool universalTime,
                            std::uint8_t language, std::string captionPrefix);

struct DiagramFrame {
  std::string caption;    // captionPrefix, dateTime and the type's long name, five blanks apart
  std::string dateTime;   // "2022-11-08  10:59:11 UTC" or "... TT"
  std::string shortType;  // the type's short name
  double jdUT = 0;        // the scene's jdUT rounded to whole seconds
  ElementValues elements; // the elements at t (with the scene's Delta T)
};

// Draws the whole diagram into `image` (made a 1040 x 480 NewDiagramImage first when it is
// not one) and returns its texts. Pure: no state is kept between calls.
DiagramFrame DrawShadowDiagram(QImage& image, const DiagramScene& scene, const MoonPictures& moonPictures);

// The window caption: the prefix, the date-time text and the long name of the type, five
// blanks apart (none after a prefix that is empty or ends in a blank).
std::string DiagramCaption(const std::string& prefix, const std::string& dateTime, EclipseTypeCode type,
                           std::uint8_t language);

// The date-time text of a Julian day: year with at least four digits (a minus sign before
// negative years), "-", month, "-", day, two blanks, hh:mm:ss, then " UTC" in universal
// time or " TT". The day is rounded to whole seconds first, so the seconds never read 60.
std::string DiagramDateTimeText(double jd, bool universalTime);

// The Moon's diameter on the diagram, pixels, for the Moon's radius in arcseconds:
// round(2 * rmoo / 22.3). The diagram draws it from the picture for N = diameter + 2.
int MoonDiameterPixels(double moonRadius);

}  // namespace varomintel
