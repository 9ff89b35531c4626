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

// The same for a file written piece by piece (a video encoded as it is drawn): Open checks
// the target and creates the neighbour as WriteWholeFile does, the caller writes through
// Descriptor() (or by TempPath(), the file being its own), and Commit renames the whole file
// over the target. Abandon, or destruction without Commit, removes the neighbour, so that a
// failed or cancelled write leaves the folder as it was.
class WholeFileWriter {
 public:
  WholeFileWriter() = default;
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;
  ~WholeFileWriter() { Abandon(); }

  // False, with the line in `error`, when the target may not be written or the neighbour
  // cannot be created.
  bool Open(const std::string& path, std::string* error = nullptr);
  int Descriptor() const { return fd_; }
  const std::string& TempPath() const { return temp_; }
  // Gives the file its permissions, syncs, closes and renames it over the target. False,
  // with the neighbour removed, when any of that fails.
  bool Commit(std::string* error = nullptr);
  // Closes and removes the neighbour; nothing when none is open.
  void Abandon();

 private:
  std::string path_, target_, temp_;
  int fd_ = -1;
  bool existing_ = false;
  unsigned mode_ = 0;
};

}  // namespace varomintel
