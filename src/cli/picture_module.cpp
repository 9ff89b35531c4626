// The picture module's entry point (picture_module.h). The picture commands register
// themselves in the module's own copy of the command table; the program's table holds
// only their names and usage lines (picture_commands.cpp).
#include "cli/picture_module.h"

#include <string>
#include <type_traits>

extern "C" __attribute__((visibility("default"))) int varomintel_picture_command(
    const char* name, varomintel::cli::Args* args, const varomintel::Catalogue* catalogue,
    varomintel::cli::Context* context) {
  using namespace varomintel::cli;
  static_assert(std::is_same_v<decltype(&varomintel_picture_command), PictureEntry>);
  const Command* command = FindCommand(name);
  if (!command) {
    ErrorLine(context->err, std::string("the picture module has no command '") + name + "'");
    return kExitUsage;
  }
  try {
    return command->run(*args, catalogue, *context);
  } catch (const UsageError& e) {
    ErrorLine(context->err, e.message);
    return kExitUsage;
  }
}
