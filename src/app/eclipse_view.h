// The view model of the main window: the one owner of the selected eclipse, the time
// slider's position and the time settings. The windows write its inputs and show what it
// gives; the renderers draw the scene it builds; the command line, the tests and the
// benchmarks drive it the same way. No toolkit: standard library and core only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/selected_eclipse.h"
#include "app/time_slider.h"
#include "app/world_map_model.h"
#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "eclipse/elements.h"

namespace varomintel {

// Everything one drawing of the shadow diagram reads. The pointers must stay valid
// during the drawing (the view model's scene points into the view model).
struct DiagramScene {
  const EclipseRecord* record = nullptr;               // with the computed EclipseType
  const EclipseCircumstances* circumstances = nullptr;
  const MoonPath* moonPath = nullptr;                  // x, y at whole hours of UT, k = -10..10
  ElementValues elements;  // the elements at t (with the selection's Delta T)
  double t = 0;        // slider time, hours of TT from T0
  double jdTT = 0;     // Julian day (TT) of t
  double jdUT = 0;     // Julian day (UT) of t: jdTT - deltaT / 86400
  double deltaT = 0;   // seconds, 0 in terrestrial time (shifts the hour angle M)
  double eclipticTilt = 0;  // radians: EclipticTiltOnDiagram(jdTT)
  bool universalTime = true;  // hour marks on the Moon's path only in universal time
  std::uint8_t language = 0;
  std::string captionPrefix;  // the window caption before the date
  // The diagram as seen from a place: the parallactic angle at the Moon there (degrees,
  // LocalSkyAt::moonParallacticAngleDeg), by which the picture is turned clockwise so that
  // the place's zenith is up, with a marker of the zenith's direction. None: north up.
  std::optional<double> parallacticAngleDeg;
};

// What the windows show at the slider time.
struct ShownMoment {
  double t = 0;               // hours of TT from T0
  double jdTT = 0;            // Julian day, terrestrial time
  double jdUT = 0;            // Julian day, universal time, rounded to whole seconds
  std::string dateTime;       // "2022-11-08  10:59:11 UTC" or "... TT"
  std::string caption;        // the window caption: prefix, dateTime, the type's long name
  std::string shortType;      // the type's short name
  std::string constellation;  // the Moon's, three letters
  ElementValues elements;     // the Besselian elements at t
};

class EclipseView {
 public:
  // Selects eclipse `index` of `catalogue` (precondition: catalogue.Contains(index)) with
  // the current time settings and puts the slider at greatest eclipse.
  void Select(const Catalogue& catalogue, int index);
  // The time scale, the time zone, the language or the own Delta T changed: Delta T, the
  // captions and the report anew; the circumstances and the slider position stay.
  void SetTimeSettings(const TimeSettings& settings);
  // The text before the date in the window caption ("Varomintel 1.0 ...").
  void SetCaptionPrefix(std::string prefix);
  // The slider moved: the position is held within 0..14400.
  void SetSliderPosition(int position);

  bool HasSelection() const { return selection_.index != 0; }
  const SelectedEclipse& Selection() const { return selection_; }
  const TimeSettings& Settings() const { return settings_; }
  const std::string& CaptionPrefix() const { return captionPrefix_; }
  int Position() const { return position_; }
  // What is shown at the slider time (all empty before the first selection).
  const ShownMoment& Now() const { return now_; }
  // The world map's view of the selection: with the settings' Delta T (the own value, else
  // the model's) in either scale, and the band of the horizon lines over the model's
  // Delta T +- 2 sigma where that exceeds five minutes (HorizonBandOf).
  WorldMapEclipse MapEclipse() const;

 private:
  void Refresh();

  SelectedEclipse selection_;
  TimeSettings settings_;
  std::string captionPrefix_;
  int position_ = kSliderT0;
  ShownMoment now_;
};

// The obliquity of the ecliptic with which the diagram draws the ecliptic, degrees: the
// mean obliquity of J2000.0 (MeanObliquity, Meeus eq. 22.2: 23.4393 degrees) rounded to
// two decimals and held fixed. The line is a guide through the shadow's centre, not a
// measured position, and a fixed value draws every eclipse's line by one rule: within
// eight centuries of J2000.0 the mean obliquity of the date would move its ends (400 pixels
// out) by less than a pixel.
constexpr double DiagramObliquityDeg() { return 23.44; }

// The inclination of the ecliptic against the diagram's east-west line at the antisolar
// point, radians: A = cos(alpha) * DiagramObliquityDeg() with alpha the Sun's apparent right
// ascension at `jdTT` (SunRightAscension, Meeus ch. 25). The ecliptic crosses the
// equator at the equinoxes (alpha 0 and 12 h, the antisolar point at 12 h and 0 h), where
// it is inclined most, and runs parallel to it at the solstices.
double EclipticTiltOnDiagram(double jdTT);

// The one scene builder of the shadow diagram: the view's selection at its slider time.
// The scene points into `view`, which must outlive it.
DiagramScene DiagramSceneOf(const EclipseView& view);

// The same for a selection at a slider time (the selection's Delta T, 0 in terrestrial
// time), for callers that keep their own selection.
DiagramScene DiagramSceneOf(const SelectedEclipse& selection, const SliderTime& time, bool universalTime,
                            std::uint8_t language, std::string captionPrefix);

// The window caption: the prefix, the date-time text and the long name of the type, five
// blanks apart (none after a prefix that is empty or ends in a blank).
std::string DiagramCaption(const std::string& prefix, const std::string& dateTime, EclipseTypeCode type,
                           std::uint8_t language);

// The date-time text of a Julian day: year with at least four digits (a minus sign before
// negative years), "-", month, "-", day, two blanks, hh:mm:ss, then " UTC" in universal
// time or " TT". The day is rounded to whole seconds first, so the seconds never read 60.
std::string DiagramDateTimeText(double jd, bool universalTime);

// The moment shown for a scene: the Julian day of universal time in whole seconds, the
// three texts and the Moon's constellation.
ShownMoment MomentOf(const DiagramScene& scene);

}  // namespace varomintel
