// Files written whole or not at all.
#pragma once

#include <string>
#include <string_view>

namespace varomintel {

// Writes `bytes` to a neighbour of `path` and renames it over `path`, so that the file is
// either the old one or the whole new one, never half written (a crash, a full disk).
// Returns false, and leaves `path` as it was, when anything fails.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace varomintel
