// varomintel-cli map: the world map of one eclipse as a PNG file, the picture that the
// main window shows for the same eclipse, map, language and marked place.
#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/point_of_interest.h"
#include "app/world_map_model.h"
#include "cli/commands.h"
#include "cli/offscreen_application.h"
#include "eclipse/circumstances.h"
#include "render/map_pictures.h"
#include "render/world_map.h"
#include "text/number_text.h"
#include "text/whole_file.h"

namespace varomintel::cli {

namespace {

int Globe(std::optional<std::string_view> text) {
  if (!text) return 0;
  const auto k = ParseInteger(*text);
  if (!k || *k < 0 || *k >= kMapPictureCount) throw UsageError{"--globe must be 0, 1, 2 or 3, not '" + std::string(*text) + "'"};
  return static_cast<int>(*k);
}

// "47.5N,7.5E": latitude and longitude with their hemisphere letters.
std::optional<GeoPoint> Place(std::optional<std::string_view> text) {
  if (!text) return std::nullopt;
  const std::string usage = "--poi must be latitude 0..90 with N or S, a comma, and longitude 0..180 with E or W "
                            "(47.5N,7.5E), not '" + std::string(*text) + "'";
  const std::size_t comma = text->find(',');
  if (comma == std::string_view::npos) throw UsageError{usage};
  const auto lat = ParseHemisphereCoordinate(text->substr(0, comma), 'N', 'S', kLatitudeLimit);
  const auto lon = ParseHemisphereCoordinate(text->substr(comma + 1), 'E', 'W', kLongitudeLimit);
  if (!lat || !lon) throw UsageError{usage};
  return GeoPoint{*lat, *lon};
}

int Map(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  WorldMapInputs inputs;
  inputs.language = LanguageOption(args);
  // Accepted as for the report; the Moon's place over the Earth follows universal time
  // in either time scale, so the picture is the same.
  args.Flag("--tt");
  const int globe = Globe(args.Value("--globe"));
  MapDrawing drawing;
  drawing.scale = ScaleOption(args);
  drawing.graticule = drawing.degreeLabels = args.Flag("--grid");
  inputs.pointOfInterest = Place(args.Value("--poi"));
  const auto out = args.Value("--out");
  const int index = IndexArgument(args.Positional("INDEX"), catalogue);
  args.ExpectEnd();
  if (!out || out->empty()) throw UsageError{"missing --out FILE.png"};

  const auto app = OffscreenApplication();
  const MapPictures pictures = LoadMapPictures(MapPictureFolder(ctx.programDir));
  const MapPicturePair& pair = pictures.Pair(globe);
  if (!pair.fault.empty()) {
    ErrorLine(ctx.err, "map: " + pair.fault.Line());
    return kExitUsage;
  }
  inputs.map = pair.map;
  inputs.dark = pair.dark;

  EclipseRecord record = catalogue.At(index);
  const CircumstancesResult result = ComputeCircumstances(record, 0.0);
  record.EclipseType = result.type;
  inputs.eclipse = WorldMapEclipseOf(record, result.circumstances);
  const QImage image = RenderWorldMap(inputs, drawing);

  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  std::string error = "cannot write '" + std::string(*out) + "': the picture cannot be encoded as PNG";
  if (!image.save(&buffer, "PNG") ||
      !WriteWholeFile(std::string(*out), std::string_view(png.constData(), static_cast<std::size_t>(png.size())), &error)) {
    ErrorLine(ctx.err, error);
    return kExitOutput;
  }
  if (!result.converged) {
    ctx.err << "varomintel-cli: eclipse " << index << ": the search for " << result.failedSearch << " did not converge\n";
    return kExitNothing;
  }
  return kExitOk;
}

const bool registered = RegisterCommand({"map", "", true, &Map});  // usage: picture_commands.cpp

}  // namespace

}  // namespace varomintel::cli
