#include "app/startup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/parameter_file.h"
#include "text/text_table.h"
#include "app/startup_data.h"
#include "app/version_info.h"
#include "eclipse/catalogue.h"

namespace varomintel {

namespace {

std::string WithSlash(std::string dir) {
  while (!dir.empty() && (dir.back() == ' ' || static_cast<unsigned char>(dir.back()) < 0x20)) dir.pop_back();
  while (!dir.empty() && (dir.front() == ' ' || static_cast<unsigned char>(dir.front()) < 0x20)) dir.erase(0, 1);
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace

StartupOutcome InitialiseGlobalState(const StartupPlaces& places,
                                     const std::function<void(const std::string&, const std::string&)>& report) {
  StartupData& v = Startup();
  (void)TextTable();
  v.ProgramDir = WithSlash(places.programDir);
  v.ParamDir = WithSlash(places.configDir) + "Varomintel/";
  v.ProgramVersionInfo = ProgramVersionInfo(places.fileTypeName);
  v.ProgramVersion = ProgramVersion(v.ProgramVersionInfo);
  v.ParamFilePath = v.ParamDir + kParameterFileName;
  const ParameterStartup startup = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion);
  v.Parameters = startup.record;
  v.SaveSettingsAtExit = true;
  if (startup.outcome == ParameterStartup::Outcome::OtherVersion) {
    if (std::remove(v.ParamFilePath.c_str()) == 0) {
      report(IncompatibleParameterCaption(), IncompatibleParameterText(startup.storedVersion));
      return StartupOutcome::OtherVersion;  // the next start creates a fresh file
    }
    // Not deletable (a read-only folder, say): asking for a restart would loop forever.
    const std::string reason = std::strerror(errno);
    report(IncompatibleParameterCaption(), UndeletableParameterText(v.ParamFilePath, startup.storedVersion, reason));
    v.Parameters = DefaultParameterRecord(v.ProgramVersion);
    v.SaveSettingsAtExit = false;
  } else if (startup.outcome == ParameterStartup::Outcome::NotARegularFile) {
    report("Varomintel", IrregularParameterText(v.ParamFilePath));
    v.SaveSettingsAtExit = false;
  }

  const std::string folder = WithSlash(places.catalogueDir);
  CatalogueLoad load = LoadCatalogue(folder + kCatalogueFileName);
  if (!load.ok()) {
    report("Varomintel", load.Message() + ".\n\nThe catalogue " + kCatalogueFileName +
                             " must consist of whole records of 430 bytes each. Folder looked in:\n" + folder);
    return StartupOutcome::NoCatalogue;
  }
  v.TheCatalogue = std::move(load.catalogue);
  return StartupOutcome::Run;
}

}  // namespace varomintel
