// The arguments that the picture commands read alike: the shadow diagram's (diagram,
// animate) and the caption of all three (diagram, animate, map).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/selected_eclipse.h"
#include "cli/commands.h"
#include "places/sky_panorama.h"

namespace varomintel::cli {

// --lang de|en|fr|es of the captions (English when absent) and --tt (terrestrial time instead of
// universal time), read in that order, --delta-t (an own Delta T for the run) and --tz (the
// zone of the picture's caption).
TimeSettings DiagramTimeOptions(const Args& args);

// --caption: whether the picture gets its caption band. --tz only sets the caption's zone,
// so without --caption it is refused (a UsageError), as a zone that changes nothing.
bool CaptionOption(const Args& args);

// The value of --step: the minutes of the slider between two pictures, 6 or 60; `absent` when
// the option was not given.
int FrameStepOption(const std::optional<std::string_view>& step, int absent);

// The sky at a place for the pictures of the sky (sky, animate --sky): the eclipse with
// its type, its panorama for --lat, --lon and --height (with the model's Delta T or
// --delta-t, in either time scale) and the clock of the texts: --tt, --tz, --lang, --name.
struct SkyPictures {
  EclipseRecord record;
  SkyPanorama panorama;
  bool universalTime = true;
  double zone = 0;
  std::uint8_t language = 1;
  std::string name;
  SkyScene SceneAt(double t) const {
    return SkySceneOf(record, panorama, t, universalTime, zone, language, name);
  }
};
SkyPictures SkyPicturesOf(const Args& args, const Catalogue& catalogue, int index);

}  // namespace varomintel::cli
