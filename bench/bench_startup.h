// The global state of a benchmark of the windows: the program's start-up in the current
// folder (the catalogue, the city files and pictures of build/app), with its settings in
// a temporary folder so that the user's are never touched.
#pragma once

#include <QDir>

#include <filesystem>
#include <string>

#include "app/startup.h"
#include "app/startup_data.h"

namespace varomintel::bench {

// Fresh global state; false when the current folder holds no usable catalogue.
inline bool StartInCurrentFolder() {
  StartupPlaces p;
  p.programDir = QDir::currentPath().toStdString();
  p.configDir = (std::filesystem::temp_directory_path() / "varomintel_bench_config").string();
  p.fileTypeName = "executable";
  p.catalogueDir = p.programDir;
  Startup() = StartupData{};
  return InitialiseGlobalState(p, [](const std::string&, const std::string&) {}) == StartupOutcome::Run;
}

}  // namespace varomintel::bench
