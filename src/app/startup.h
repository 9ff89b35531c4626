// The global-state initialisation that runs before any window exists: text table,
// folders, version record, parameter file and catalogue.
#pragma once

#include <functional>
#include <string>

namespace varomintel {

struct StartupPlaces {
  std::string programDir;    // the executable's folder
  std::string configDir;     // the per-user configuration folder (its "Varomintel/" is ours)
  std::string fileTypeName;  // display name of the executable's file type
  std::string catalogueDir;  // where the catalogue is looked for: the current directory
};

enum class StartupOutcome {
  Run,            // show the main window
  OtherVersion,   // the parameter file of another version was reported and deleted: end
  NoCatalogue,    // the catalogue was missing or malformed and reported: end
};

// Fills Startup(). `report(caption, text)` shows a message with an OK button and returns
// when it is closed.
StartupOutcome InitialiseGlobalState(const StartupPlaces& places,
                                     const std::function<void(const std::string&, const std::string&)>& report);

}  // namespace varomintel
