#include "app/app_state.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "eclipse/report.h"

namespace varomintel {

Changes AppState::SelectEclipse(int index) {
  if (!catalogue_->Contains(index) || index == Index()) return {};
  const int before = view_.Position();
  view_.Select(*catalogue_, index);
  Changes c = Aspect::Eclipse;
  if (view_.Position() != before) c |= Aspect::SliderTime;
  return c;
}

Changes AppState::SetSliderPosition(int position) {
  const int before = view_.Position();
  view_.SetSliderPosition(position);
  return view_.Position() != before ? Changes(Aspect::SliderTime) : Changes();
}

Changes AppState::SetTime(const TimeSettings& settings, Changes changes) {
  if (changes.Empty()) return {};
  view_.SetTimeSettings(settings);  // the circumstances and the slider's time stay
  return changes;
}

Changes AppState::SetUniversalTime(bool universal) {
  TimeSettings t = view_.Settings();
  const bool changed = t.universalTime != universal;
  t.universalTime = universal;
  return SetTime(t, changed ? Changes(Aspect::TimeScale) : Changes());
}

Changes AppState::SetTimeZone(double hours) {
  TimeSettings t = view_.Settings();
  if (!std::isfinite(hours)) return {};
  const double zone = ClampTimeZone(hours);
  const bool changed = zone != t.timeZone;
  t.timeZone = zone;
  t.timeZoneText = FormatTimeZone(zone);
  return SetTime(t, changed ? Changes(Aspect::TimeZone) : Changes());
}

Changes AppState::SetLanguage(std::uint8_t language) {
  TimeSettings t = view_.Settings();
  const bool changed = t.language != language;
  t.language = language;
  return SetTime(t, changed ? Changes(Aspect::Language) : Changes());
}

Changes AppState::SetOwnDeltaT(std::optional<double> seconds) {
  if (seconds && !std::isfinite(*seconds)) return {};
  TimeSettings t = view_.Settings();
  if (seconds) *seconds += 0.0;  // no negative zero
  const bool changed = t.ownDeltaT != seconds;
  t.ownDeltaT = seconds;
  return SetTime(t, changed ? Changes(Aspect::DeltaT) : Changes());
}

Changes AppState::SetMarkedPlace(GeoPoint place, bool shown) {
  if (!std::isfinite(place.latitude) || !std::isfinite(place.longitude)) return {};
  const bool changed = place.latitude != place_.latitude || place.longitude != place_.longitude || shown != markerShown_;
  place_ = place;
  markerShown_ = shown;
  return changed ? Changes(Aspect::MarkedPlace) : Changes();
}

Changes AppState::SetMap(int choice, bool graticule) {
  const bool changed = choice != mapChoice_ || graticule != graticule_;
  mapChoice_ = choice;
  graticule_ = graticule;
  return changed ? Changes(Aspect::MapChoice) : Changes();
}

Changes AppState::SetPlay(std::optional<PlayDirection> direction) {
  if (direction == play_) return {};
  play_ = direction;
  return Aspect::Play;
}

Changes AppState::SetCaptionPrefix(std::string prefix) {
  if (prefix == view_.CaptionPrefix()) return {};
  view_.SetCaptionPrefix(std::move(prefix));
  return Aspect::Caption;
}

}  // namespace varomintel
