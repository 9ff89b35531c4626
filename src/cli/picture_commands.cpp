// map, diagram, animate and prepare-dark-maps as the program lists them: each opens the
// picture module in the program's folder (picture_module.h) and runs there. The module is
// never closed: Qt's application and FFmpeg keep state until the process ends.
// A module that is missing or unusable ends the command with one line and status 2, as
// an unusable input file does.
#include <dlfcn.h>

#include <string>

#include "cli/commands.h"
#include "cli/picture_module.h"

namespace varomintel::cli {

namespace {

int RunInModule(const char* name, Args& args, const Catalogue* catalogue, Context& ctx) {
  const std::string path = ctx.programDir + kPictureModulePath;
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  PictureEntry entry = nullptr;
  if (module) entry = reinterpret_cast<PictureEntry>(dlsym(module, kPictureEntryName));
  if (!entry) {
    const char* why = dlerror();
    ErrorLine(ctx.err, std::string(name) + ": cannot load the picture module " + path +
                           (why ? std::string(" (") + why + ")" : std::string()));
    return kExitUsage;
  }
  return entry(name, &args, catalogue, &ctx);
}

constexpr char kMap[] = "map";
constexpr char kDiagram[] = "diagram";
constexpr char kAnimate[] = "animate";
constexpr char kPrepareDarkMaps[] = "prepare-dark-maps";

template <const char* Name>
int Run(Args& args, const Catalogue* catalogue, Context& ctx) {
  return RunInModule(Name, args, catalogue, ctx);
}

const bool registered =
    RegisterCommand({kMap,
                     "INDEX [--globe 0|1|2|3] [--poi 47.5N,7.5E] [--grid] [--scale S] [--tt] [--lang de|en|fr] --out "
                     "FILE.png",
                     true, &Run<kMap>}) &&
    RegisterCommand({kDiagram,
                     "INDEX [--position P] [--scale S] [--tt] [--lang de|en|fr] --out FILE.png, or INDEX --frames DIR "
                     "[--step 6|60] [--overwrite] [--scale S] [--tt] [--lang de|en|fr]",
                     true, &Run<kDiagram>}) &&
    RegisterCommand({kAnimate,
                     "INDEX --out FILE.mp4|FILE.webm [--step 6|60] [--whole] [--fps N] [--scale S] [--tt] [--lang "
                     "de|en|fr]",
                     true, &Run<kAnimate>}) &&
    RegisterCommand({kPrepareDarkMaps, "", false, &Run<kPrepareDarkMaps>});

}  // namespace

}  // namespace varomintel::cli
