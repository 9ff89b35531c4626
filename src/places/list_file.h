// The saved form of a list: its lines, each ended by CR LF.
#pragma once

#include <string>
#include <vector>

namespace varomintel {

// The lines joined, each followed by "\r\n".
std::string JoinCrLf(const std::vector<std::string>& lines);

// Writes the lines (CR LF) to `path` whole or not at all (WriteWholeFile: into a new file
// without name first, then put in the target's place). False when the file could not be
// written; the target is then as it was.
// `error`, when given, receives the reason of a failure.
bool WriteListFile(const std::string& path, const std::vector<std::string>& lines, std::string* error = nullptr);

}  // namespace varomintel
