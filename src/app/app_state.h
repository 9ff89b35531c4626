// The application's state, kept once: the selected eclipse and the slider's time (through
// the view model EclipseView), the time scale and zone, the language, the marked place and
// its marker, the map's picture and graticule, and the play. Every change goes through a
// setter, which returns the aspects it changed (none for a change to the same value), so
// that a window redraws only what depends on them. No toolkit: the windows hold a thin
// QObject adapter that turns the returned aspects into a signal, and the command line and
// the tests drive the same state directly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/eclipse_view.h"
#include "app/time_slider.h"
#include "app/world_map_model.h"
#include "eclipse/catalogue.h"

namespace varomintel {

// One aspect of the state.
enum class Aspect : unsigned {
  Eclipse = 1u << 0,      // another eclipse: circumstances, report, map, slider at greatest eclipse
  SliderTime = 1u << 1,   // the slider's time
  TimeScale = 1u << 2,    // universal or terrestrial time
  TimeZone = 1u << 3,     // the zone of universal time
  Language = 1u << 4,
  MarkedPlace = 1u << 5,  // the marked place or whether its marker is shown
  MapChoice = 1u << 6,    // the map's picture or its graticule
  Play = 1u << 7,         // a play started, turned or ended
  Caption = 1u << 8,      // the text before the date in the window caption
  DeltaT = 1u << 9,       // an own Delta T, or the model's again
};

// A set of aspects.
class Changes {
 public:
  constexpr Changes() = default;
  constexpr Changes(Aspect a) : bits_(static_cast<unsigned>(a)) {}  // NOLINT: a set of one
  constexpr bool Has(Aspect a) const { return (bits_ & static_cast<unsigned>(a)) != 0; }
  constexpr bool HasAny(Changes c) const { return (bits_ & c.bits_) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr unsigned Bits() const { return bits_; }
  constexpr Changes& operator|=(Changes c) {
    bits_ |= c.bits_;
    return *this;
  }
  friend constexpr Changes operator|(Changes a, Changes b) { return a |= b; }
  friend constexpr bool operator==(Changes, Changes) = default;

 private:
  unsigned bits_ = 0;
};
constexpr Changes operator|(Aspect a, Aspect b) { return Changes(a) | Changes(b); }

// The aspects on which the clock texts depend (report, contact times, diagram caption).
inline constexpr Changes kClockAspects = Aspect::TimeScale | Aspect::TimeZone | Aspect::DeltaT;

class AppState {
 public:
  // The catalogue must outlive the state.
  explicit AppState(const Catalogue& catalogue) : catalogue_(&catalogue) {}

  // Selects eclipse `index` and puts the slider at its greatest eclipse. An index outside
  // the catalogue, or the selected one, changes nothing.
  Changes SelectEclipse(int index);
  // The slider's position, held within the slider; before the first selection it is kept
  // for it (the stored position is restored so), but the selection then moves it.
  Changes SetSliderPosition(int position);
  Changes SetUniversalTime(bool universal);
  // Hours, held within -18..18; a value that is not finite changes nothing.
  Changes SetTimeZone(double hours);
  Changes SetLanguage(std::uint8_t language);
  // An own Delta T in seconds for every eclipse (the report, the diagram, the map, the
  // marked place and the lists), or none: the model's. A value that is not finite changes
  // nothing.
  Changes SetOwnDeltaT(std::optional<double> seconds);
  // The place (degrees, north and east positive) and whether the map marks it.
  Changes SetMarkedPlace(GeoPoint place, bool shown);
  // The map's picture (0..3) and its graticule.
  Changes SetMap(int choice, bool graticule);
  // A play in `direction`, or none (stopped).
  Changes SetPlay(std::optional<PlayDirection> direction);
  Changes SetCaptionPrefix(std::string prefix);

  const Catalogue& TheCatalogue() const { return *catalogue_; }
  // The selected index, 0 before the first selection.
  int Index() const { return view_.Selection().index; }
  bool HasSelection() const { return view_.HasSelection(); }
  // The selection at the slider's time, with its report and captions.
  const EclipseView& View() const { return view_; }
  const TimeSettings& Time() const { return view_.Settings(); }
  std::uint8_t Language() const { return view_.Settings().language; }
  GeoPoint MarkedPlace() const { return place_; }
  bool MarkerShown() const { return markerShown_; }
  // The marked place when its marker is shown.
  std::optional<GeoPoint> PointOfInterest() const {
    return markerShown_ ? std::optional<GeoPoint>(place_) : std::nullopt;
  }
  int MapChoice() const { return mapChoice_; }
  bool Graticule() const { return graticule_; }
  std::optional<PlayDirection> Play() const { return play_; }
  bool Playing() const { return play_.has_value(); }
  const std::string& CaptionPrefix() const { return view_.CaptionPrefix(); }

 private:
  Changes SetTime(const TimeSettings& settings, Changes changes);

  const Catalogue* catalogue_;
  EclipseView view_;
  GeoPoint place_;
  bool markerShown_ = false;
  int mapChoice_ = 0;
  bool graticule_ = false;
  std::optional<PlayDirection> play_;
};

}  // namespace varomintel
