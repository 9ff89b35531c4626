// The arguments that the picture commands read alike: the shadow diagram's (diagram,
// animate) and the caption of all three (diagram, animate, map).
#pragma once

#include <optional>
#include <string_view>

#include "app/selected_eclipse.h"
#include "cli/commands.h"

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

}  // namespace varomintel::cli
