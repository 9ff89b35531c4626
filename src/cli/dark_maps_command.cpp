// varomintel-cli prepare-dark-maps: the dark-map tool over the four darkened map
// pictures in the current directory (see render/dark_map.h).
#include <cstddef>

#include "render/dark_map.h"
#include "cli/commands.h"

namespace varomintel::cli {

namespace {

int Run(Args& /*args*/, const Catalogue* /*catalogue*/, Context& ctx) {
  const DarkMapsRun run = PrepareDarkMaps();
  for (int i = 0; i < run.done; ++i) {
    const auto k = static_cast<std::size_t>(i);
    ctx.out << "prepared " << kDarkMapFileNames[k] << " (black pixels replaced: " << run.replaced[k] << ")\n";
  }
  if (!run.ok()) {
    ErrorLine(ctx.err, "prepare-dark-maps: " + run.error);
    return run.writeFailed ? kExitOutput : kExitUsage;
  }
  return kExitOk;
}

const bool registered = RegisterCommand({.name = "prepare-dark-maps", .needsCatalogue = false, .run = &Run});

}  // namespace

}  // namespace varomintel::cli
