#include "cli/diagram_options.h"

#include <string>

#include "eclipse/report.h"
#include "eclipse/circumstances.h"

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

SkyPictures SkyPicturesOf(const Args& args, const Catalogue& catalogue, int index) {
  SkyPictures sky;
  sky.record = catalogue.At(index);
  const double deltaT = DeltaTOf(sky.record, DeltaTOption(args)).value;
  sky.record.EclipseType = ComputeCircumstances(sky.record, deltaT).type;
  const PlaceOption where = PlaceOptions(args);
  sky.panorama = SkyPanoramaOf(sky.record, deltaT, Observer{where.latitudeDeg, where.longitudeDeg, where.heightM});
  sky.universalTime = !args.Flag("--tt");
  sky.zone = sky.universalTime ? TimeZoneOption(args) : 0.0;
  sky.language = LanguageOption(args);
  sky.name = std::string(args.Value("--name").value_or(""));
  return sky;
}

}  // namespace varomintel::cli
