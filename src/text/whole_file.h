// Files written whole or not at all.
#pragma once

#include <string>
#include <string_view>

namespace varomintel {

// Writes `bytes` to a new file in the target's folder and puts it in the target's place in
// one rename, so that the file is either the old one or the whole new one, never half
// written (a crash, a full disk, a signal). The new file is created without a name
// (O_TMPFILE): until the commit it exists only as an open descriptor, and the system
// removes it by itself however the process ends, even by SIGKILL. At the commit it gets a
// short random name beside the target (".varomintel-" and 12 letters and digits) and is
// renamed over the target at once. On a file system without O_TMPFILE the new file has
// that name from the start and is removed on failure (a named neighbour); either way no
// other file of the folder is opened, replaced or removed, whatever links are planted
// there, and a name as long as the system allows can be written.
//
// A file that is a symbolic link is written at the link's target, and the link stays.
// In a sticky folder that anyone may write (/tmp), a link is followed only when it belongs
// to the user or to the folder's owner, as the kernel's protected_symlinks rule has it,
// whatever the system's setting: a link that another user planted there is refused, and so
// is one at any step of a chain of links or in the folders of the path.
//
// An existing file keeps its permissions; one that is not a regular file or that the user
// may not write is left alone. Returns false, and leaves the file as it was, when anything
// fails; `error`, when given, then receives one line naming the file and the reason
// ("cannot write 'x': No space left on device").
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// The same for a file written piece by piece (a video encoded as it is drawn): Open checks
// the target and creates the new file as WriteWholeFile does, the caller writes (and may
// seek and read with pread) through Descriptor(), and Commit puts the whole file in the
// target's place. Abandon, or destruction without Commit, drops the new file, so that a
// failed or cancelled write leaves the folder as it was.
class WholeFileWriter {
 public:
  WholeFileWriter() = default;
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;
  ~WholeFileWriter() { Abandon(); }

  // False, with the line in `error`, when the target may not be written or the new file
  // cannot be created.
  bool Open(const std::string& path, std::string* error = nullptr);
  // The new file, open for reading and writing.
  int Descriptor() const { return fd_; }
  // Gives the file its permissions, syncs it and renames it over the target. False, with
  // the new file dropped, when any of that fails.
  bool Commit(std::string* error = nullptr);
  // Closes and drops the new file; nothing when none is open.
  void Abandon();

 private:
  std::string path_;  // as the caller gave it, for the error lines
  int dir_ = -1;      // the target's folder (O_PATH)
  std::string name_;  // the target's name in that folder
  std::string temp_;  // the named neighbour's name; empty for a file without name
  int fd_ = -1;
  bool existing_ = false;
  unsigned mode_ = 0;
};

}  // namespace varomintel
