// Where the picture commands write a picture: a file, written whole or not at all, or a
// stream that is already there.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace varomintel::cli {

// "-" and "/dev/stdout": the program's standard output.
bool IsStandardOutput(std::string_view target);

// Writes `bytes` to `target`: standard output (IsStandardOutput) through `out`, unless it
// is a terminal; a target
// that exists and is not a regular file (a pipe, a terminal, /dev/null) or that lies under
// /dev/ or /proc/ directly, as a shell's redirection would, since no file can be put in its
// place; any other file whole or not at all (WriteWholeFile: a new neighbour renamed over
// it). False, with "cannot write 'target': reason" in `error`, when that fails.
bool WritePictureBytes(const std::string& target, std::string_view bytes, std::ostream& out, std::string* error);

}  // namespace varomintel::cli
