#include "app/version_info.h"

#include "app/version_record.h"

namespace varomintel {

std::string FileFunctionText(unsigned type, unsigned subtype) {
  static const char* const kDrivers[] = {"Unknown Driver",  "Printer Driver",  "Keyboard Driver",
                                         "Language Driver", "Display Driver",  "Mouse Driver",
                                         "Network Driver",  "System Driver",   "InstallableDriver",
                                         "Sound Driver",    "Communications Driver"};
  static const char* const kFonts[] = {"Unknown Font", "Raster Font", "Vector Font", "Truetype Font"};
  switch (type) {
    case 0: return "Unknown";
    case 1: return "Application";
    case 2: return "DLL";
    case 3: return subtype <= 10 ? kDrivers[subtype] : "";
    case 4: return subtype <= 3 ? kFonts[subtype] : "";
    case 5: {
      static const char* const kHex = "0123456789ABCDEF";
      std::string hex(8, '0');
      for (int i = 7; i >= 0; --i, subtype >>= 4) hex[static_cast<std::size_t>(i)] = kHex[subtype & 0xF];
      return "Virtual Defice Identifier = " + hex;
    }
    case 7: return "Static-link Library";
    default: return "";
  }
}

std::string CalendarProductId() {
  return std::string("-//") + build::kCompanyName + "//" + build::kProductName + " " + build::kProductVersion + "//EN";
}

FileVersionInfo ProgramVersionInfo(const std::string& fileTypeName) {
  FileVersionInfo v;
  v.FileType = fileTypeName.substr(0, 80);
  v.CompanyName = build::kCompanyName;
  v.FileDescription = build::kFileDescription;
  v.FileVersion = build::kFileVersion;
  v.InternalName = build::kInternalName;
  v.LegalCopyright = build::kLegalCopyright;
  v.LegalTrademarks = build::kLegalTrademarks;
  v.OriginalFileName = build::kOriginalFileName;
  v.ProductName = build::kProductName;
  v.ProductVersion = build::kProductVersion;
  v.Comments = build::kComments;
  v.SpecialBuildText = build::kSpecialBuild;
  v.PrivateBuildText = build::kPrivateBuild;
  v.FileFunction = FileFunctionText(build::kFileType, build::kFileSubtype);
  const unsigned flags = build::kFileFlags & build::kFileFlagsMask;
  v.DebugBuild = flags & 0x1;
  v.PreRelease = flags & 0x2;
  v.Patched = flags & 0x4;
  v.PrivateBuild = flags & 0x8;
  v.InfoInferred = flags & 0x10;
  v.SpecialBuild = flags & 0x20;
  return v;
}

std::string ProgramVersion(const FileVersionInfo& info) { return info.FileVersion.substr(0, 16); }

std::array<std::pair<std::string, std::string>, 17> VersionGridRows(const FileVersionInfo& v) {
  const auto yesNo = [](bool b) { return std::string(b ? "Yes" : "No"); };
  return {{{"FileType        ", v.FileType},
           {"CompanyName     ", v.CompanyName},
           {"FileDescription ", v.FileDescription},
           {"FileVersion     ", v.FileVersion},
           {"InternalName    ", v.InternalName},
           {"LegalCopyRight  ", v.LegalCopyright},
           {"LegalTradeMarks ", v.LegalTrademarks},
           {"OriginalFileName", v.OriginalFileName},
           {"ProductName     ", v.ProductName},
           {"ProductVersion  ", v.ProductVersion},
           {"SpecialBuildStr ", v.SpecialBuildText},
           {"PrivateBuildStr ", v.PrivateBuildText},
           {"FileFunction    ", v.FileFunction},
           {"DebugBuild      ", yesNo(v.DebugBuild)},
           {"PreRelease      ", yesNo(v.PreRelease)},
           {"PrivateBuild    ", yesNo(v.PrivateBuild)},
           {"SpecialBuild    ", yesNo(v.SpecialBuild)}}};
}

}  // namespace varomintel
