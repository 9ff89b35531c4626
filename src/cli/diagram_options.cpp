#include "cli/diagram_options.h"

#include <string>

namespace varomintel::cli {

TimeSettings DiagramTimeOptions(Args& args) {
  TimeSettings settings;
  settings.language = LanguageOption(args);
  settings.universalTime = !args.Flag("--tt");
  return settings;
}

int FrameStepOption(const std::optional<std::string_view>& step, int absent) {
  if (!step) return absent;
  if (*step != "6" && *step != "60") throw UsageError{"--step must be 6 or 60, not '" + std::string(*step) + "'"};
  return *step == "6" ? 6 : 60;
}

}  // namespace varomintel::cli
