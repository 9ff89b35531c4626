// Varomintel_Variables: the program's shared state, in one place. Only the windows use
// it; the core functions take what they need as arguments.
#pragma once

#include <array>
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
  std::uint8_t LanguageIndex = 0;  // 0 German, 1 English, 2 French
  // The application's help file name: this one until the help command has been used,
  // then the file of the language it was used in.
  std::string HelpFile = "VaromintelDE.CHM";

  Catalogue TheCatalogue;
  int CurrentIndex = 0;                   // 1..Count, the eclipse scroll bar's position
  EclipseRecord CurrentEclipse;           // the selected record with its computed type
  EclipseCircumstances Circumstances;
  ElementValues ElementsAtT;
  double CurrentDeltaT = 0;               // s; Delta T in universal time, 0 in terrestrial time
  double TimeZoneOffset = 0;              // h, -18..18
  double AppliedTimeZone = 0;             // h, the zone of the last refresh
  double CurrentT = 0;                    // h of TT from T0: the slider time
  double CurrentJDTT = 0;                 // Julian day (TT) of the slider time
  double CurrentJDUT = 0;                 // CurrentJDTT - CurrentDeltaT / 86400, whole seconds after a drawing
  std::string MoonConstellation;          // abbreviation of the Moon's constellation at CurrentT
  std::array<SkyPoint, 21> MoonPathPoints{};  // x, y at whole hours of UT, index k + 10
  double PoiLatitude = 0, PoiLongitude = 0;   // degrees, north and east positive: the marked place
  std::string CaptionPrefix;
  bool WindowStarted = false;
  bool PlayRunning = false;
};

// The one instance.
VaromintelVariables& Vars();

}  // namespace varomintel
