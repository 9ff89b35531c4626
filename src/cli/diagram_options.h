// The arguments that the picture commands of the shadow diagram (diagram, animate) read alike.
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

// The value of --step: the minutes of the slider between two pictures, 6 or 60; `absent` when
// the option was not given.
int FrameStepOption(const std::optional<std::string_view>& step, int absent);

}  // namespace varomintel::cli
