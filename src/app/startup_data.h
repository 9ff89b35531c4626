// What the program read at its start: its folders, its version record, the settings record
// (written back at exit) and the catalogue. What the windows show and change is the
// application state's (app_state.h); the core functions take what they need as arguments.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include "app/parameter_file.h"
#include "app/version_info.h"
#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "eclipse/elements.h"

namespace varomintel {

struct StartupData {
  // Folders, each ending in "/": the executable's and the per-user settings folder; the
  // parameter file in the latter.
  std::string ProgramDir, ParamDir, ParamFilePath;
  FileVersionInfo ProgramVersionInfo;
  std::string ProgramVersion;  // file version, at most 16 bytes
  ParameterRecord Parameters;
  bool SaveSettingsAtExit = true;  // false when the file could not be used at start-up
  std::uint8_t LanguageIndex = 0;  // 0 German, 1 English, 2 French, 3 Spanish

  Catalogue TheCatalogue;
};

// The one instance.
StartupData& Startup();

}  // namespace varomintel
