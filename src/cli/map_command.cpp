// varomintel-cli map: the world map of one eclipse as a PNG file, the picture that the
// main window shows for the same eclipse, map, language and marked place; or with
// --format geojson the curves that picture draws, for a geographic information system.
#include <QImage>

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/picture_caption.h"
#include "app/point_of_interest.h"
#include "app/selected_eclipse.h"
#include "app/world_map_model.h"
#include "astro/delta_t.h"
#include "cli/commands.h"
#include "cli/diagram_pictures.h"
#include "cli/diagram_options.h"
#include "cli/offscreen_application.h"
#include "cli/picture_output.h"
#include "eclipse/circumstances.h"
#include "render/map_pictures.h"
#include "render/picture_caption.h"
#include "render/world_map.h"
#include "text/number_text.h"

namespace varomintel::cli {

namespace {

// "47.5N,7.5E" (checked by the command line): latitude and longitude with their hemisphere letters.
std::optional<GeoPoint> Place(std::optional<std::string_view> text) {
  if (!text) return std::nullopt;
  const std::size_t comma = text->find(',');
  return GeoPoint{ParseHemisphereCoordinate(text->substr(0, comma), 'N', 'S', kLatitudeLimit).value_or(0),
                  ParseHemisphereCoordinate(text->substr(comma + 1), 'E', 'W', kLongitudeLimit).value_or(0)};
}

// A coordinate to the micro-degree (11 cm), as a GeoJSON reader needs no more.
double Micro(double degrees) { return std::round(degrees * 1e6) / 1e6 + 0.0; }

nlohmann::ordered_json Position(const GeoPoint& g) { return nlohmann::ordered_json::array({Micro(g.longitude), Micro(g.latitude)}); }

// The curves of the map as an RFC 7946 FeatureCollection in WGS 84 longitude and latitude:
// a LineString per horizon line the map draws (its 361 points from 180 E westwards to 180 W, so that
// none crosses the antimeridian; kind "horizon"), then a MultiPolygon per visibility region
// (kind "whole", "part" or "none"). Every feature has the properties contact, kind, index
// and date (the catalogue's date of the eclipse, YYYY-MM-DD, astronomical years).
nlohmann::ordered_json CurvesGeoJson(const WorldMapEclipse& eclipse, int index, const EclipseRecord& record) {
  char date[32];
  std::snprintf(date, sizeof date, "%s%04d-%02d-%02d", record.Year < 0 ? "-" : "", std::abs(static_cast<int>(record.Year)),
                static_cast<int>(record.Month), static_cast<int>(record.Day));
  nlohmann::ordered_json features = nlohmann::ordered_json::array();
  const auto feature = [&](const char* contact, const char* kind, nlohmann::ordered_json geometry) {
    features.push_back({{"type", "Feature"},
                        {"properties", {{"contact", contact}, {"kind", kind}, {"index", index}, {"date", date}}},
                        {"geometry", std::move(geometry)}});
  };
  for (const Contact k : MapHorizonContacts(eclipse)) {
    nlohmann::ordered_json line = nlohmann::ordered_json::array();
    for (const GeoPoint& g : HorizonLinePoints(eclipse.at[k])) line.push_back(Position(g));
    feature(ContactName(k), "horizon", {{"type", "LineString"}, {"coordinates", std::move(line)}});
  }
  for (const MapRegion& region : MapVisibilityRegions(eclipse)) {
    nlohmann::ordered_json polygons = nlohmann::ordered_json::array();
    for (const auto& ring : region.polygons) {
      nlohmann::ordered_json points = nlohmann::ordered_json::array();
      for (const GeoPoint& g : ring) points.push_back(Position(g));
      polygons.push_back(nlohmann::ordered_json::array({std::move(points)}));
    }
    // The parts are named by the contact they see: P1 (the Moon sets before P4) or P4
    // (it rises after P1).
    const bool part = region.kind == MapRegionKind::PartSets || region.kind == MapRegionKind::PartRises;
    const char* kind = region.kind == MapRegionKind::Whole ? "whole" : part ? "part" : "none";
    const char* contact = region.kind == MapRegionKind::PartSets ? "P1" : region.kind == MapRegionKind::PartRises ? "P4" : "P1-P4";
    feature(contact, kind, {{"type", "MultiPolygon"}, {"coordinates", std::move(polygons)}});
  }
  return {{"type", "FeatureCollection"}, {"features", std::move(features)}};
}

int Map(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  WorldMapInputs inputs;
  inputs.language = LanguageOption(args);
  // The Moon's place over the Earth follows universal time in either time scale, so the
  // map is the same; the scale and the zone only write the caption's time.
  TimeSettings settings;
  settings.language = inputs.language;
  settings.universalTime = !args.Flag("--tt");
  settings.timeZone = TimeZoneOption(args);
  const int globe = static_cast<int>(StrictInteger(args.Value("--globe").value_or("0")).value_or(0));
  MapDrawing drawing;
  drawing.scale = ScaleOption(args);
  drawing.graticule = drawing.degreeLabels = args.Flag("--grid");
  inputs.pointOfInterest = Place(args.Value("--poi"));
  const bool caption = CaptionOption(args);
  const std::string out(args.Value("--out").value_or(""));
  const int index = IndexArgument(args.Positional(), catalogue);
  if (out.empty()) throw UsageError{"--out needs a file name, or - for standard output"};

  if (args.Value("--format").value_or("png") == "geojson") {
    EclipseRecord record = catalogue.At(index);
    const CircumstancesResult result = ComputeCircumstances(record, 0.0);
    record.EclipseType = result.type;
    const std::optional<double> ownDeltaT = DeltaTOption(args);
    const WorldMapEclipse eclipse = ownDeltaT ? WorldMapEclipseOf(record, result.circumstances, *ownDeltaT)
                                              : WorldMapEclipseOf(record, result.circumstances);
    const std::string text = CurvesGeoJson(eclipse, index, record).dump() + "\n";
    std::string error;
    if (!WritePictureBytes(out, text, ctx.out, &error)) {
      ErrorLine(ctx.err, error);
      return kExitOutput;
    }
    return result.converged ? kExitOk : kExitNothing;
  }

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
  const std::optional<double> ownDeltaT = DeltaTOption(args);
  inputs.eclipse = ownDeltaT ? WorldMapEclipseOf(record, result.circumstances, *ownDeltaT)
                             : WorldMapEclipseOf(record, result.circumstances);
  // The band where Delta T is uncertain, over the model's value as the window draws it.
  inputs.eclipse.band = HorizonBandOf(record, result.circumstances, DeltaT(record.Year, record.Month),
                                      DeltaTSigma(record.Year, record.Month));
  QImage image = RenderWorldMap(inputs, drawing);
  if (caption) {
    // The time of greatest eclipse in the scale and with the Delta T of the run.
    settings.ownDeltaT = ownDeltaT;
    const SelectedEclipse selection = SelectEclipseAt(catalogue, index, settings);
    image = WithCaption(image, QString::fromStdString(MapPictureCaption(selection, settings)), drawing.scale);
  }

  std::string error;
  if (!WritePng(image, out, ctx.out, &error)) {
    ErrorLine(ctx.err, error);
    return kExitOutput;
  }
  if (!result.converged) {
    ctx.err << "varomintel-cli: eclipse " << index << ": the search for " << result.failedSearch << " did not converge\n";
    return kExitNothing;
  }
  return kExitOk;
}

const bool registered = RegisterCommand({.name = "map", .run = &Map});  // declared in picture_commands.cpp

}  // namespace

}  // namespace varomintel::cli
