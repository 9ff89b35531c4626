// The sky at the marked place: a horizon panorama over the Moon's azimuths from P1 to P4
// with the ground, the compass points and a grid of 10 degrees, the sky coloured by the
// Sun's altitude, the Moon's path with its contacts and times, moonrise and moonset on the
// horizon, and the Moon at the shown instant drawn as the shadow diagram draws it (its
// picture darkened by the penumbra and umbra), turned so that the observer's up is up.
//
// Projection: azimuth and altitude are linear in the columns and rows of the whole picture
// of width W and height H (physical pixels): the point (A, h) lies at
//   x = W (A - left) / (right - left),  y = H (top - h) / (top - bottom)
// from the picture's top-left corner, so pixel (i, j) has its centre (i + 0.5, j + 0.5) at
// A = left + (i + 0.5) (right - left) / W and h = top - (j + 0.5) (top - bottom) / H; the
// frame is that of the panorama (places/sky_panorama.h), azimuths taken modulo 360.
// The Moon is drawn enlarged (kSkyMoonRadius), centred on its apparent place.
#pragma once

#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QSize>

#include <vector>

#include "places/sky_panorama.h"
#include "render/moon_pictures.h"

namespace varomintel {

inline constexpr int kSkyViewWidth = 1040;
inline constexpr int kSkyViewHeight = 480;
// The Moon's radius on the panorama, design pixels (its true size would be a dot).
inline constexpr double kSkyMoonRadius = 24;
// The colour of the Moon's outline and of nothing else drawn, so that it can be found.
inline constexpr QRgb kSkyMoonOutline = 0xffffe4a0;

// The size of the panorama drawn at `scale`: round(1040 s) x round(480 s) pixels.
QSize SkyViewSizeAt(double scale);

// Where the panorama put its contact time labels, in design pixels: each label's box (in
// the order of the contacts listed), beside the Moon's path and off it, within the sky
// above the compass row; the path as drawn through its points; the compass row's top.
struct SkyViewLayout {
  std::vector<QRectF> contactLabels;
  QPolygonF path;
  double compassTop = 0;
};

// Draws the panorama of `scene` at `scale` (held within 0.25..8) physical pixels per design
// pixel: a picture of SkyViewSizeAt(scale) in 32-bit RGB at 96 dots per inch. Its text
// chunks (QImage::text, written into a PNG as tEXt) say what it shows: time_utc (ISO 8601),
// latitude_deg, longitude_deg, height_m, moon_altitude_deg, moon_azimuth_deg,
// sun_altitude_deg, parallactic_angle_deg, and its projection: azimuth_left_deg,
// azimuth_right_deg, altitude_top_deg, altitude_bottom_deg. Pure: nothing is kept between
// calls; it only draws and writes the scene's numbers and texts. `placed`, when given,
// receives where it put the contact labels.
QImage DrawSkyView(const SkyScene& scene, const MoonPictures& moonPictures, double scale = 1.0,
                   SkyViewLayout* placed = nullptr);

}  // namespace varomintel
