// varomintel-cli diagram: the shadow diagram of one eclipse as the main window shows it,
// written as PNG at one slider position or as one picture per play step over the slider;
// with --local turned so that the zenith of a place is up.
#include <QBuffer>
#include <QImage>

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "app/eclipse_view.h"
#include "app/picture_caption.h"
#include "app/time_slider.h"
#include "app/version_info.h"
#include "cli/commands.h"
#include "cli/diagram_options.h"
#include "cli/diagram_pictures.h"
#include "cli/offscreen_application.h"
#include "cli/picture_output.h"
#include "eclipse/elements.h"
#include "places/local_sky.h"
#include "render/moon_pictures.h"
#include "render/picture_caption.h"
#include "render/shadow_diagram.h"
#include "text/number_text.h"
#include "text/text_table.h"

namespace varomintel::cli {

PictureFault UnusableMoonPicture(const SelectedEclipse& selection, const std::vector<int>& positions,
                                 const MoonPictures& pictures) {
  for (const int at : positions) {
    const SliderTime time = SliderTimeAt(selection.record, at, selection.deltaT);
    const ElementValues e = EvaluateElements(selection.record, time.t, selection.deltaT);
    const int diameter = MoonDiameterPixels(e.PenContactRadius - e.f1);
    if (diameter < 0 || diameter > kDiagramWidth) continue;  // a Moon that does not fit is not drawn
    const PictureFault& fault = pictures.Fault(MoonPictureNumber(diameter));
    if (!fault.empty()) return fault;
  }
  return {};
}

namespace {

// A name that the shell pattern diagram_*.png matches.
bool IsFrameName(const std::string& name) {
  return name.size() >= 12 && name.starts_with("diagram_") && name.ends_with(".png");
}

// The frames folder made ready for a new sequence: created when missing (the last level
// only: a parent that does not exist is more likely a mistyped path than a wish, and a
// run must not scatter folders); when it holds diagram_*.png files already, refused
// (status 2), or with `overwrite` emptied of them, so that a video tool never reads an
// old sequence's frames after the new one's. Returns kExitOk or the status of the line
// written to `err`; `made` receives the folder this run created.
int PrepareFramesFolder(const std::filesystem::path& dir, bool overwrite, std::vector<std::filesystem::path>& made,
                        std::ostream& err) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(dir, ec))) {
    const fs::path last = dir.has_filename() ? dir : dir.parent_path();  // "frames/" is "frames"
    const fs::path parent = last.has_parent_path() ? last.parent_path() : fs::path(".");
    if (!fs::is_directory(parent, ec)) {
      ErrorLine(err, "cannot create the folder '" + dir.string() + "': its parent '" + parent.string() +
                         "' is not a folder that exists");
      return kExitOutput;
    }
    if (!fs::create_directory(dir, ec) || ec) {
      ErrorLine(err, "cannot create the folder '" + dir.string() + "': " +
                         (ec ? ec.message() : std::string("it appeared meanwhile")));
      return kExitOutput;
    }
    made.push_back(dir);
    return kExitOk;
  }
  if (!fs::is_directory(dir, ec)) {
    err << "varomintel-cli: cannot write frames into '" << dir.string() << "': it is not a folder\n";
    return kExitOutput;
  }
  std::vector<fs::path> old;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    if (IsFrameName(it->path().filename().string())) old.push_back(it->path());
  if (ec) {
    err << "varomintel-cli: cannot read the folder '" << dir.string() << "': " << ec.message() << '\n';
    return kExitOutput;
  }
  if (old.empty()) return kExitOk;
  if (!overwrite) {
    err << "varomintel-cli: the folder '" << dir.string() << "' already holds pictures diagram_*.png (" << old.size()
        << "); give --overwrite to replace them\n";
    return kExitUsage;
  }
  for (const fs::path& p : old) {
    if (fs::is_directory(fs::symlink_status(p, ec))) {
      err << "varomintel-cli: cannot remove '" << p.string() << "': it is a folder\n";
      return kExitOutput;
    }
    if (!fs::remove(p, ec) && ec) {
      err << "varomintel-cli: cannot remove '" << p.string() << "': " << ec.message() << '\n';
      return kExitOutput;
    }
  }
  return kExitOk;
}

int Diagram(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  const TimeSettings settings = DiagramTimeOptions(args);
  const auto position = args.Value("--position");
  const auto out = args.Value("--out");
  const auto frames = args.Value("--frames");
  const auto step = args.Value("--step");
  const bool overwrite = args.Flag("--overwrite");
  const double scale = ScaleOption(args);
  const bool caption = CaptionOption(args);
  const int index = IndexArgument(args.Positional(), catalogue);
  if (out.has_value() == frames.has_value()) throw UsageError{"give either --out FILE.png or --frames DIR"};
  if (frames && position) throw UsageError{"--position goes with --out, not with --frames"};
  if (out && step) throw UsageError{"--step goes with --frames, not with --out"};
  if (out && overwrite) throw UsageError{"--overwrite goes with --frames, not with --out"};
  if (out && out->empty()) throw UsageError{"--out needs a file name, or - for standard output"};
  if (frames && frames->empty()) throw UsageError{"--frames needs the name of a folder, not an empty one"};
  // As seen from a place: turned so that its zenith is up.
  const bool local = args.Flag("--local");
  if (local && !(args.Value("--lat") && args.Value("--lon"))) throw UsageError{"--local needs --lat and --lon"};
  if (!local)
    for (const char* option : {"--lat", "--lon", "--height"})
      if (args.Value(option)) throw UsageError{std::string(option) + " goes with --local"};
  const int frameStep = FrameStepOption(step, 6);
  const int firstPosition = position ? static_cast<int>(*StrictInteger(*position)) : -1;

  const auto app = OffscreenApplication();
  const SelectedEclipse selection = SelectEclipseAt(catalogue, index, settings);
  std::vector<int> positions;
  if (out) positions.push_back(firstPosition >= 0 ? firstPosition : SliderPosition(selection.circumstances.TimeMax));
  else
    for (int at = kSliderFirst; at <= kSliderLast; at += frameStep) positions.push_back(at);
  // Every Moon picture the drawings take is checked before anything is written: a missing
  // or broken one would otherwise be drawn as a plain disc without a word.
  const MoonPictures pictures = MoonPictures::Load(MoonPictureFolder("", ctx.programDir));
  if (const PictureFault fault = UnusableMoonPicture(selection, positions, pictures); !fault.empty()) {
    ctx.err << "varomintel-cli: diagram: " << fault.Line() << '\n';
    return kExitUsage;
  }
  // Written like the report and the map: the pictures first, then the search that gave up.
  const auto status = [&] {
    if (selection.converged) return kExitOk;
    ctx.err << "varomintel-cli: eclipse " << index << ": the search for " << selection.failedSearch
            << " did not converge\n";
    return kExitNothing;
  };
  const std::string prefix = "Varomintel " + ProgramVersion(ProgramVersionInfo("")) + Text(text_row::kSubtitle, settings.language);
  EclipseView view;
  view.SetTimeSettings(settings);
  view.SetCaptionPrefix(prefix);
  view.Select(catalogue, index);
  // The place's sky turns with the Earth whatever the time scale: the model's Delta T or --delta-t.
  const PlaceOption where = PlaceOptions(args);
  const Observer observer{where.latitudeDeg, where.longitudeDeg, where.heightM};
  const double skyDeltaT = DeltaTOf(selection.record, settings.ownDeltaT).value;
  QImage image;
  const auto draw = [&](int at) {
    view.SetSliderPosition(at);
    DiagramScene scene = DiagramSceneOf(view);
    if (local) scene.parallacticAngleDeg = SkyAt(selection.record, skyDeltaT, observer, scene.t).moonParallacticAngleDeg;
    image = DrawShadowDiagram(scene, pictures, scale);
    if (caption)
      image = WithCaption(image, QString::fromStdString(DiagramPictureCaption(view.Selection(), at, settings)), scale);
    return view.Now();
  };

  if (out) {
    const ShownMoment frame = draw(positions.front());
    std::string error;
    if (!WritePng(image, std::string(*out), ctx.out, &error)) {
      ErrorLine(ctx.err, error);
      return kExitOutput;
    }
    // The picture on standard output is all that goes there.
    if (!IsStandardOutput(*out)) ctx.out << frame.caption << '\n' << frame.dateTime << '\n' << frame.shortType << '\n';
    return status();
  }

  // One picture per step of a forward play over the whole slider, numbered from 0. A run
  // that fails removes the pictures it wrote (and the folders it made), leaving no partial
  // sequence.
  const std::filesystem::path dir{std::string(*frames)};
  std::vector<std::filesystem::path> made;
  if (const int ready = PrepareFramesFolder(dir, overwrite, made, ctx.err); ready != kExitOk) return ready;
  std::vector<std::string> written;
  for (std::size_t number = 0; number < positions.size(); ++number) {
    const ShownMoment frame = draw(positions[number]);
    char name[48];
    std::snprintf(name, sizeof name, "diagram_%05zu.png", number);
    const std::string path = (dir / name).string();
    std::string failure;
    if (!WritePng(image, path, ctx.out, &failure)) {
      std::error_code ec;
      for (const std::string& p : written) std::filesystem::remove(p, ec);
      for (const std::filesystem::path& folder : made) std::filesystem::remove(folder, ec);
      ErrorLine(ctx.err, failure + "; the " + std::to_string(written.size()) +
                             " pictures written before it are removed");
      return kExitOutput;
    }
    written.push_back(path);
    ctx.out << name << '\t' << frame.dateTime << '\t' << frame.shortType << '\n';
  }
  return status();
}

const bool registered = RegisterCommand({.name = "diagram", .run = &Diagram});  // declared in picture_commands.cpp

}  // namespace

bool WritePng(const QImage& image, const std::string& path, std::ostream& out, std::string* error) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) {
    *error = "cannot write '" + path + "': the picture cannot be encoded as PNG";
    return false;
  }
  return WritePictureBytes(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), out,
                           error);
}

}  // namespace varomintel::cli
