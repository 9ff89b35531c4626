#include "cli/diagram_options.h"

#include <string>

#include "eclipse/report.h"

namespace varomintel::cli {

TimeSettings DiagramTimeOptions(const Args& args) {
  TimeSettings settings;
  settings.language = LanguageOption(args);
  settings.universalTime = !args.Flag("--tt");
  settings.ownDeltaT = DeltaTOption(args);
  settings.timeZone = TimeZoneOption(args);
  settings.timeZoneText = FormatTimeZone(settings.timeZone);
  return settings;
}

bool CaptionOption(const Args& args) {
  const bool caption = args.Flag("--caption");
  if (!caption && args.Value("--tz")) throw UsageError{"--tz goes with --caption: it is the caption's time zone"};
  return caption;
}

int FrameStepOption(const std::optional<std::string_view>& step, int absent) {
  if (!step) return absent;
  return *step == "6" ? 6 : 60;  // checked by the command line: 6 or 60
}

}  // namespace varomintel::cli
