// The windows' adapter of the application state: it owns the Qt-free AppState, forwards
// each change to it and announces what changed as one signal, so that every window and
// panel redraws from the state on its own. The panels call the setters with what their
// controls say; nobody reads another panel's controls.
#pragma once

#include <QObject>

#include <optional>
#include <string>

#include "app/app_state.h"

namespace varomintel {

class AppStateObject : public QObject {
  Q_OBJECT
 public:
  explicit AppStateObject(const Catalogue& catalogue, QObject* parent = nullptr)
      : QObject(parent), state_(catalogue) {}

  const AppState& State() const { return state_; }

  void SelectEclipse(int index) { Announce(state_.SelectEclipse(index)); }
  void SetSliderPosition(int position) { Announce(state_.SetSliderPosition(position)); }
  void SetUniversalTime(bool universal) { Announce(state_.SetUniversalTime(universal)); }
  void SetTimeZone(double hours) { Announce(state_.SetTimeZone(hours)); }
  void SetLanguage(std::uint8_t language) { Announce(state_.SetLanguage(language)); }
  void SetOwnDeltaT(std::optional<double> seconds) { Announce(state_.SetOwnDeltaT(seconds)); }
  void SetMarkedPlace(GeoPoint place, bool shown) { Announce(state_.SetMarkedPlace(place, shown)); }
  void SetMap(int choice, bool graticule) { Announce(state_.SetMap(choice, graticule)); }
  void SetPlay(std::optional<PlayDirection> direction) { Announce(state_.SetPlay(direction)); }
  void SetCaptionPrefix(std::string prefix) { Announce(state_.SetCaptionPrefix(std::move(prefix))); }

 signals:
  // After each setter that changed something: the aspects it changed.
  void changed(varomintel::Changes changes);

 private:
  void Announce(Changes changes) {
    if (!changes.Empty()) emit changed(changes);
  }
  AppState state_;
};

}  // namespace varomintel
