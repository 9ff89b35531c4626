#include "app/version_info.h"

#include <gtest/gtest.h>

namespace varomintel {
namespace {

TEST(VersionInfo, FileFunctionTexts) {
  EXPECT_EQ(FileFunctionText(0, 9), "Unknown");
  EXPECT_EQ(FileFunctionText(1, 0), "Application");
  EXPECT_EQ(FileFunctionText(2, 3), "DLL");
  EXPECT_EQ(FileFunctionText(3, 0), "Unknown Driver");
  EXPECT_EQ(FileFunctionText(3, 8), "InstallableDriver");
  EXPECT_EQ(FileFunctionText(3, 10), "Communications Driver");
  EXPECT_EQ(FileFunctionText(3, 11), "");
  EXPECT_EQ(FileFunctionText(4, 3), "Truetype Font");
  EXPECT_EQ(FileFunctionText(4, 4), "");
  EXPECT_EQ(FileFunctionText(5, 0x1A2B), "Virtual Defice Identifier = 00001A2B");
  EXPECT_EQ(FileFunctionText(6, 0), "");
  EXPECT_EQ(FileFunctionText(7, 1), "Static-link Library");
  EXPECT_EQ(FileFunctionText(8, 0), "");
}

TEST(VersionInfo, ProgramRecordAndAboutRows) {
  const FileVersionInfo v = ProgramVersionInfo("application/x-executable");
  EXPECT_FALSE(v.FileVersion.empty());
  EXPECT_LE(ProgramVersion(v).size(), 16u);
  EXPECT_EQ(v.ProductName, "Varomintel");
  EXPECT_EQ(v.FileFunction, "Application");
  const auto rows = VersionGridRows(v);
  for (const auto& [label, value] : rows) EXPECT_EQ(label.size(), 16u) << label;
  EXPECT_EQ(rows[0].second, "application/x-executable");
  EXPECT_EQ(rows[3].first, "FileVersion     ");
  EXPECT_EQ(rows[3].second, v.FileVersion);
  EXPECT_EQ(rows[12].second, "Application");
  EXPECT_TRUE(rows[14].second == "Yes" || rows[14].second == "No");
  FileVersionInfo special;
  special.SpecialBuild = true;
  EXPECT_EQ(VersionGridRows(special)[16].second, "Yes");
  EXPECT_EQ(VersionGridRows(special)[15].second, "No");
  FileVersionInfo longVersion;
  longVersion.FileVersion = "12345.12345.12345.12345";
  EXPECT_EQ(ProgramVersion(longVersion), "12345.12345.1234");
}

}  // namespace
}  // namespace varomintel
