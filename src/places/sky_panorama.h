// The sky at one place during one eclipse, as a horizon panorama shows it: the Moon's
// apparent altitude and azimuth from P1 to P4, the azimuths and altitudes the panorama
// spans, and the Moon, the Sun and the parallactic angle at any instant (local_sky.h).
// Numbers only: the picture is drawn by render/sky_view.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "eclipse/catalogue.h"
#include "eclipse/elements.h"
#include "places/local_sky.h"

namespace varomintel {

// One point of the Moon's path across the sky.
struct SkyPathPoint {
  double t = 0;            // hours of TT from T0
  double altitudeDeg = 0;  // apparent (refracted) altitude of the Moon's centre
  // Azimuth from north through east, unwrapped along the path: it runs on past 360 or
  // below 0 instead of jumping, so that the path is one line on the panorama.
  double azimuthDeg = 0;
};

// A horizon panorama: azimuth and altitude linear in the columns and rows of the picture.
struct SkyPanorama {
  bool eclipse = false;       // false: no eclipse at this place's sky (nothing else is set)
  Observer observer;
  double deltaT = 0;          // s, that turns the Earth under the sky (also in terrestrial time)
  LocalEclipseView view;      // the contacts with the sky at each, moonrise and moonset
  std::vector<SkyPathPoint> path;  // P1 .. P4 every kSkyPathStepHours, the contacts included
  // The azimuths at the left and right edges (right > left, right - left <= 360; they may
  // lie outside 0..360, an azimuth is taken modulo 360) and the altitudes at the top and
  // bottom edges, degrees.
  double azimuthLeftDeg = 0, azimuthRightDeg = 360;
  double altitudeTopDeg = 30, altitudeBottomDeg = -5;
};

inline constexpr double kSkyPathStepHours = 2.0 / 60;
// Room on either side of the Moon's azimuths (degrees) and below the horizon.
inline constexpr double kSkyAzimuthMarginDeg = 60;
inline constexpr double kSkyAltitudeBottomDeg = -5;
// Room above the Moon's highest point (degrees), and the least altitude shown at the top.
inline constexpr double kSkyHeadroomDeg = 10;
inline constexpr double kSkyLowestTopDeg = 30;

// Given: the eclipse (with its computed type), Delta T in seconds (the eclipse's own or an
// own value, in either time scale: it places the Earth under the sky) and the place.
// Returned: the panorama: the path between the place's own P1 and P4, and the frame:
// the path's azimuths widened by kSkyAzimuthMarginDeg on each side (a whole turn at most,
// centred on the path's middle), altitudes from -5 degrees to the path's highest point
// plus kSkyHeadroomDeg rounded up to ten degrees (at least kSkyLowestTopDeg).
SkyPanorama SkyPanoramaOf(const EclipseRecord& eclipse, double deltaT, const Observer& observer);

// The Moon and the Sun at t (SkyAt) for the panorama's place.
LocalSkyAt SkyPanoramaAt(const EclipseRecord& eclipse, const SkyPanorama& panorama, double t);

// The azimuth `azimuthDeg` (any turn) as it lies on the panorama: the value equal to it
// modulo 360 nearest to the middle of the frame.
double PanoramaAzimuth(const SkyPanorama& panorama, double azimuthDeg);

// Everything one picture of the panorama reads: the numbers at the shown instant and the
// texts that go with them. The pointers must stay valid while it is drawn.
struct SkyScene {
  const EclipseRecord* record = nullptr;  // with the computed EclipseType
  const SkyPanorama* panorama = nullptr;
  double t = 0;            // the shown instant, hours of TT from T0
  LocalSkyAt sky;          // the Moon and the Sun at t
  ElementValues elements;  // the elements at t: the Moon's place in the shadows
  std::uint8_t language = 1;  // of the compass points
  // The texts: the caption's lines (the place; the date, time and type; the Sun and the
  // sky's darkness; what the place sees of the eclipse, in a sentence), a label per contact of the path ("P1 21:14") and per moonrise or
  // moonset, in the order of the panorama's contacts and crossings.
  std::vector<std::string> caption;
  PerContact<std::string> contactLabels;
  std::vector<std::string> crossingLabels;
  // Numbers as the picture's text chunks carry them: ISO 8601 UTC of t (empty outside
  // the years 1..9999), the place.
  std::string timeUtc;
};

// Given: the eclipse, its panorama, t (hours of TT), the clock shown (universal time
// shifted by `zone` hours, or terrestrial time), the language (0 German, 1 English,
// 2 French, 3 Spanish) and a name of the place (empty: the coordinates alone).
// Returned: the scene of the panorama at t.
SkyScene SkySceneOf(const EclipseRecord& eclipse, const SkyPanorama& panorama, double t, bool universalTime,
                    double zone, std::uint8_t languageIndex, const std::string& placeName);

}  // namespace varomintel
