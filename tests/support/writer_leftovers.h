// What the whole-file writer (text/whole_file.h) may leave behind: its temporary files,
// ".varomintel-" and 12 letters and digits beside the target.
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
