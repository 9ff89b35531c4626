// Files written whole or not at all.
#pragma once

#include <string>
#include <string_view>

namespace varomintel {

// Writes `bytes` to a new neighbour of the file and renames it over the file, so that the
// file is either the old one or the whole new one, never half written (a crash, a full
// disk). The neighbour is a file of its own, created exclusively under a short random name
// (".varomintel-" and 12 letters and digits): no other file of the folder is opened,
// replaced or removed, whatever links are planted there, and a name as long as the system
// allows can be written. A file that is a symbolic link is written at the link's target, and the link
// stays. An existing file keeps its permissions; one that is not a regular file or that
// the user may not write is left alone. Returns false, and leaves the file as it was,
// when anything fails; `error`, when given, then receives one line naming the file and
// the reason ("cannot write 'x': No space left on device").
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace varomintel
