// The picture commands draw with Qt Gui (and write videos with FFmpeg); the other
// commands must not pay for loading those libraries at start-up. Their code is a module
// of the program's own, modules/varomintel-cli-pictures.so in the program's folder, opened
// with dlopen on the first picture command. It lies in a subfolder so that, installed
// under /usr/lib, it is plainly a private module and not a library for the loader's cache. The program keeps their names and usage lines;
// the module runs them with the program's own arguments, catalogue and streams.
#pragma once

#include "cli/commands.h"

namespace varomintel::cli {

// Relative to the program's folder.
inline constexpr const char* kPictureModulePath = "modules/varomintel-cli-pictures.so";
inline constexpr const char* kPictureEntryName = "varomintel_picture_command";

// The frame rates of animate's --fps, declared in the program, which does not see the video
// writer (kMinVideoFps, kMaxVideoFps; the module checks that they agree).
inline constexpr int kMinFps = 1;
inline constexpr int kMaxFps = 120;

// The module's one entry point: runs the picture command `name` (a UsageError inside it
// becomes its one line on context->err and status 2, as in the program).
using PictureEntry = int (*)(const char* name, Args* args, const Catalogue* catalogue, Context* context);

}  // namespace varomintel::cli
