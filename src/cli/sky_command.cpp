// varomintel-cli sky: the eclipse in the sky of one place, a horizon panorama at one
// slider position, written as PNG with the text chunks that say what it shows.
#include <QImage>

#include <ostream>
#include <string>

#include "app/time_slider.h"
#include "cli/commands.h"
#include "cli/diagram_pictures.h"
#include "cli/diagram_options.h"
#include "cli/offscreen_application.h"
#include "cli/picture_output.h"
#include "render/moon_pictures.h"
#include "render/sky_view.h"

namespace varomintel::cli {

namespace {

int Sky(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  const auto position = args.Value("--position");
  const std::string out(args.Value("--out").value_or(""));
  const double scale = ScaleOption(args);
  const int index = IndexArgument(args.Positional(), catalogue);
  if (out.empty()) throw UsageError{"--out needs a file name, or - for standard output"};

  const auto app = OffscreenApplication();
  const SkyPictures sky = SkyPicturesOf(args, catalogue, index);
  if (!sky.panorama.eclipse) {
    ErrorLine(ctx.err, "sky: eclipse " + std::to_string(index) + " has no contacts P1 and P4 to show");
    return kExitNothing;
  }
  // The slider position as for the diagram, else the place's greatest eclipse.
  const auto& max = sky.panorama.view.contacts[Contact::Max];
  const double t = position ? SliderTimeAt(sky.record, static_cast<int>(*StrictInteger(*position)), 0).t
                   : max    ? max->t
                            : 0.0;
  const MoonPictures pictures = MoonPictures::Load(MoonPictureFolder("", ctx.programDir));
  const SkyScene scene = sky.SceneAt(t);
  const QImage image = DrawSkyView(scene, pictures, scale);

  std::string error;
  if (!WritePng(image, out, ctx.out, &error)) {
    ErrorLine(ctx.err, error);
    return kExitOutput;
  }
  if (!IsStandardOutput(out))
    for (const std::string& line : scene.caption) ctx.out << line << '\n';
  if (!sky.panorama.view.converged) {
    ctx.err << "varomintel-cli: eclipse " << index << ": a contact's refinement did not converge\n";
    return kExitNothing;
  }
  return kExitOk;
}

const bool registered = RegisterCommand({.name = "sky", .run = &Sky});  // declared in picture_commands.cpp

}  // namespace

}  // namespace varomintel::cli
