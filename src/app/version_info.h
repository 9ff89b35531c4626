// The program's version record: the fields of an executable's version resource, which
// on this platform come from a record generated at build time.
#pragma once

#include <array>
#include <string>
#include <utility>

namespace varomintel {

struct FileVersionInfo {
  std::string FileType;          // display name of the file's type
  std::string CompanyName;
  std::string FileDescription;
  std::string FileVersion;
  std::string InternalName;
  std::string LegalCopyright;
  std::string LegalTrademarks;
  std::string OriginalFileName;
  std::string ProductName;
  std::string ProductVersion;
  std::string Comments;
  std::string SpecialBuildText;
  std::string PrivateBuildText;
  std::string FileFunction;
  bool DebugBuild = false;
  bool PreRelease = false;
  bool SpecialBuild = false;
  bool PrivateBuild = false;
  bool Patched = false;
  bool InfoInferred = false;
};

// Given the fixed type and subtype of a version resource, the text of the file's function
// ("Application", "DLL", "Printer Driver", ...); empty for unknown combinations.
std::string FileFunctionText(unsigned fileType, unsigned fileSubtype);

// The version record of this program's executable, with the display name of its type.
FileVersionInfo ProgramVersionInfo(const std::string& fileTypeName);

// The file version cut to 16 bytes: the stamp of the parameter file.
std::string ProgramVersion(const FileVersionInfo& info);

// The product identifier of the calendars the program writes (RFC 5545 PRODID):
// "-//Varomintel team//Varomintel 0.1.0//EN".
std::string CalendarProductId();

// The 17 rows of the about panel: label padded to 16 characters, value.
std::array<std::pair<std::string, std::string>, 17> VersionGridRows(const FileVersionInfo& info);

}  // namespace varomintel
