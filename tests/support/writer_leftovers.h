// What the whole-file writer (text/whole_file.h) might leave behind: the names it gives its
// new files, ".varomintel-" and 12 letters and digits beside the target (for an instant at
// the commit, or for the whole write where the file system has no O_TMPFILE).
#pragma once

#include <filesystem>
#include <string>

namespace varomintel::testing {

// The names of the writer's temporary files in `folder`, one per line; empty when none.
inline std::string WriterLeftovers(const std::filesystem::path& folder) {
  std::string names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (name.rfind(".varomintel-", 0) == 0) names += name + "\n";
  }
  return names;
}

}  // namespace varomintel::testing
