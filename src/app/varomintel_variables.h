// Varomintel_Variables: the program's shared state, in one place. Only the windows use
// it; the core functions take what they need as arguments.
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

struct VaromintelVariables {
  // Folders, each ending in "/": the executable's, the system's temporary one and the
  // per-user settings folder; the parameter file in the latter.
  std::string ProgramDir, TempDir, ParamDir, ParamFilePath;
  TFileVersionInfo ProgramVersionInfo;
  std::string ProgramVersion;  // file version, at most 16 bytes
  ParameterRecord Parameters;
  bool SaveSettingsAtExit = true;  // false when the file could not be used at start-up
  std::uint8_t LanguageIndex = 0;  // 0 German, 1 English, 2 French, 3 Spanish
  // The application's help file name: this one until the help command has been used,
  // then the file of the language it was used in.
  std::string HelpFile = "VaromintelDE.CHM";

  Catalogue TheCatalogue;
  int CurrentIndex = 0;                   // 1..Count, the eclipse scroll bar's position
  EclipseRecord CurrentEclipse;           // the selected record with its computed type (the city list's)
  double TimeZoneOffset = 0;              // h, -18..18
  // The circumstances, the slider time and what it shows belong to the main window's view
  // model (app/eclipse_view.h), the marked place to its map panel.
  std::string CaptionPrefix;
  bool WindowStarted = false;
  bool PlayRunning = false;
};

// The one instance.
VaromintelVariables& Vars();

}  // namespace varomintel
