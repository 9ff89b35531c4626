// What the main window's panel of the marked place shows: the selected eclipse as the
// observer at the point of interest really sees it (places/local_sky.h), in the window's
// time scale, zone and language, as cells and lines that a widget only has to lay out.
// Two parts, so that the slider stays cheap: the table of the contacts follows the
// selection, the time settings and the place; the Moon at the slider's time is one call
// of the routine (about 15 microseconds) and follows every slider move.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/selected_eclipse.h"
#include "app/world_map_model.h"
#include "places/local_sky.h"
#include "places/sky_panorama.h"

namespace varomintel {

// Contact, time, the Moon's apparent altitude, its azimuth, the shadow axis's altitude
// (the lists' H), the Sun's altitude, the sky, visible.
inline constexpr int kObserverColumns = 8;
using ObserverCells = std::array<std::string, kObserverColumns>;

struct ObserverRow {
  ObserverCells cells;
  bool visible = false;  // the Moon's upper limb above the horizon at the contact
};

struct ObserverTable {
  bool placeMarked = false;
  // No place marked: how to mark one. Otherwise empty.
  std::string hint;
  // "Ort: 47.5°N  7.5°O, Meereshöhe": the marked place's coordinates, as the map names
  // them (up to four decimals where they were typed so).
  std::string place;
  // "Zeiten in UT+1.00", "Times in TT".
  std::string timeScale;
  // The Delta T of the sky: "Delta T = 20529 s ± 516 s (1σ)", or an own value with the
  // model's after it (DeltaTLineOf).
  std::string deltaT;
  // Before 1582-10-15: "-720-03-19 (721 BC, Julian calendar)", the date of greatest
  // eclipse with the historian's year; empty otherwise.
  std::string historiansDate;
  ObserverCells header;
  // One row per contact the eclipse has, in the order P1, U1, U2, Max, U3, U4, P4. The
  // time cell holds the clock, and the date before it on its own line ("\n") where the
  // date is not that of greatest eclipse.
  std::vector<ObserverRow> rows;
  // "Mondaufgang: 17:02:11, Azimut 068° ONO, Sonne -2.1°" per crossing between P1 and
  // P4, or the one line that says there is none.
  std::vector<std::string> crossings;
  // Where the model's Delta T is uncertain by more than a second: a title, then a line per
  // contact, "U1: visible only if Delta T < 21400 s", its visibility over the model's
  // Delta T +- 2 sigma (VisibilityOverDeltaT, DeltaTVerdictText). Empty otherwise.
  std::vector<std::string> verdicts;
  std::string summary;  // LocalSummary
  std::string legend;
  bool converged = true;  // false: a contact's refinement gave up (the rows may be missing)
};

// The observer at a marked place: sea level, as the map gives no height.
Observer ObserverAt(const GeoPoint& place);

// Given: the selection (with its record and the time settings it was made for), the time
// settings (scale, zone, language) and the marked place, none when the marker is off.
// Returned: the panel's table. The sky is that of the settings' Delta T (the own value, else
// the model's), also where the times are shown in terrestrial time; the verdicts over the
// uncertainty are centred on the model's value, whatever value is used.
ObserverTable ObserverTableOf(const SelectedEclipse& selection, const TimeSettings& settings,
                              const std::optional<GeoPoint>& place);

// The Moon and the Sun at the slider's time, two lines:
// "11:59:11 UT+1.00 - Mondhöhe +23.4°, Azimut 134° SO, sichtbar" and
// "Sonne -12.3°: nautische Dämmerung". Empty without a place.
struct ObserverNow {
  std::string moon;
  std::string sun;
  LocalSkyAt sky;
};

// Given: as ObserverTableOf, and t, hours of TT from T0 (the slider's time).
ObserverNow ObserverNowOf(const SelectedEclipse& selection, const TimeSettings& settings,
                          const std::optional<GeoPoint>& place, double t);

// The sky at the marked place as the diagram panel shows it, in two parts as above: the
// panorama (the Moon's path from P1 to P4 and the frame, a few milliseconds) follows the
// selection, the time settings and the place; the scene at the slider's time is cheap.
// The panorama is that of the settings' Delta T (the own value, else the model's), in
// either time scale; none without a selection or a place.
std::optional<SkyPanorama> SkyPanoramaFor(const SelectedEclipse& selection, const TimeSettings& settings,
                                          const std::optional<GeoPoint>& place);
// The scene at t (hours of TT from T0) in the settings' clock and language; it points
// into `selection` and `panorama`, which must outlive it.
SkyScene SkySceneFor(const SelectedEclipse& selection, const TimeSettings& settings, const SkyPanorama& panorama,
                     double t);

// The angle by which the shadow diagram is turned clockwise so that the marked place's
// zenith is up: the parallactic angle at the Moon there at t, degrees; none without a
// place (the diagram stays north up).
std::optional<double> ZenithTurnAt(const SelectedEclipse& selection, const TimeSettings& settings,
                                   const std::optional<GeoPoint>& place, double t);

// The tab captions: the report's and the marked place's.
const char* ReportTabCaption(std::uint8_t language);
const char* PlaceTabCaption(std::uint8_t language);

}  // namespace varomintel
