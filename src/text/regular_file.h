// Opening a file that is only read, refusing anything that is not a regular file before a
// read could block on it: a FIFO, a terminal or another device, a socket or a folder given
// in a file's place would otherwise hang the reader (a FIFO without a writer blocks even
// the open) or feed it without end (/dev/zero).
#pragma once

#include <cstdio>
#include <string>

namespace varomintel {

struct RegularFileOpen {
  int fd = -1;           // the open descriptor (blocking, close-on-exec), the caller's to close; -1 when refused
  bool missing = false;  // nothing stands at the path (ENOENT)
  // Why it was refused: the system's words ("No such file or directory", "Permission
  // denied", "Is a directory") or "it is not a regular file (a FIFO)" and the like.
  std::string reason;
};

// Opens `path` for reading with O_NONBLOCK and O_NOCTTY, so that the open itself never
// waits, and keeps it only when fstat finds a regular file (a symbolic link counts as its
// target); the descriptor is then switched back to blocking reads.
RegularFileOpen OpenRegularFileForReading(const std::string& path);

// The same as a stdio stream ("rb"). Returns nullptr when refused; `refusal`, when
// given, then receives the descriptor-less result (missing and reason).
std::FILE* OpenRegularFileStream(const std::string& path, RegularFileOpen* refusal = nullptr);

}  // namespace varomintel
