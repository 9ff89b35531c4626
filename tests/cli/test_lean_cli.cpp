// Which shared libraries each command loads, as the dynamic loader reports them
// (LD_DEBUG=files): the commands without pictures start without Qt and what comes with
// it (DBus, ICU, libpng); the picture commands load their module, and Qt with it, and
// still draw.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../support/run_cli.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::RunProgram;

// The run of a command of the built program, in its own folder (catalogue and city
// files), with the loader's list of the files it opens on standard error.
CliRun RunWithLoaderTrace(const std::string& args) {
  const fs::path program(testing::CliProgram());
  return RunProgram(program.parent_path(), "/usr/bin/env",
                    "LD_DEBUG=files '" + program.string() + "' " + args);
}

// The names of the libraries of `trace` that match one of the toolkit's families.
std::string ToolkitLibraries(const std::string& trace) {
  std::string found;
  for (const char* family : {"libQt6", "libicu", "libpng", "libdbus", "libavcodec", "varomintel-cli-pictures"})
    for (auto at = trace.find(family); at != std::string::npos; at = trace.find(family, at + 1)) {
      const auto end = trace.find_first_of(" \n;", at);
      found += trace.substr(at, end - at) + " ";
    }
  return found;
}

TEST(LeanCli, OnlyThePictureCommandsLoadTheToolkit) {
  const struct {
    std::string args;
    bool loadsToolkit;
  } rows[] = {
      {"find --year 2022", false},
      {"find --saros 136 --format json", false},
      {"report 16921 --lang de --tz 1", false},
      {"circumstances 16900..16921 --format json", false},
      {"citylist 16921 --population-item 6", false},
      {"cityhist --lat 47.3769N --lon 8.5417E --from 2000 --to 2040 --format ics", false},
      {"local 16921 --lat 40.71N --lon 74.01W --tz -5", false},
      {"--help", false},
      {"--version", false},
      // The help of a picture command comes from the program's declarations alone.
      {"map --help", false},
      {"animate -h", false},
      {"map 16921 --out '" + (fs::temp_directory_path() / "varomintel_lean_map.png").string() + "'", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args);
    const CliRun r = RunWithLoaderTrace(row.args);
    ASSERT_NE(r.err.find("file="), std::string::npos) << "the loader reported nothing";
    const std::string toolkit = ToolkitLibraries(r.err);
    EXPECT_EQ(r.status, 0) << r.err.substr(r.err.size() > 2000 ? r.err.size() - 2000 : 0);
    if (row.loadsToolkit) {
      EXPECT_GT(fs::file_size(fs::temp_directory_path() / "varomintel_lean_map.png"), 1000u);
      EXPECT_NE(toolkit.find("varomintel-cli-pictures.so"), std::string::npos) << toolkit;
      EXPECT_NE(toolkit.find("libQt6Gui"), std::string::npos) << toolkit;
    } else {
      EXPECT_FALSE(r.out.empty());
      EXPECT_EQ(toolkit, "");
    }
  }
}

}  // namespace
}  // namespace varomintel
