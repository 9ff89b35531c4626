#include "text/whole_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace varomintel {

namespace {

bool Fail(std::string* error, const std::string& path, const std::string& reason) {
  if (error) *error = "cannot write '" + path + "': " + reason;
  return false;
}

bool FailErrno(std::string* error, const std::string& path, int code) { return Fail(error, path, std::strerror(code)); }

// The file that a write to `path` must replace: the final target of a symbolic link (the
// link itself stays), or `path`. Empty when the link cannot be followed.
std::string Target(const std::string& path, int* code) {
  std::string target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    char buf[PATH_MAX];
    const ssize_t n = readlink(target.c_str(), buf, sizeof buf - 1);
    if (n < 0) {
      *code = errno;
      return {};
    }
    std::string next(buf, static_cast<std::size_t>(n));
    if (next.empty() || next.front() != '/') {  // relative to the link's folder
      const std::size_t slash = target.rfind('/');
      if (slash != std::string::npos) next = target.substr(0, slash + 1) + next;
    }
    target = next;
  }
  *code = ELOOP;
  return {};
}

// A new file beside `target` (in the same folder, so that the rename cannot cross file
// systems) under a short name that nobody can predict: ".varomintel-" and 12 random
// letters and digits, 24 bytes whatever the length of the target's name. It is created
// exclusively and never through a symbolic link (O_EXCL, O_NOFOLLOW), so no existing file,
// and no file that a planted link points to, is ever opened. Returns the descriptor, or -1
// with errno set; `temp` receives the name.
int CreateNeighbour(const std::string& target, mode_t mode, std::string* temp) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned char random[12];  // the system's random bytes, never a seeded sequence
    if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
      if (errno == EINTR) continue;
      return -1;
    }
    std::string name = folder + ".varomintel-";
    for (const unsigned char r : random) name += kLetters[r % (sizeof kLetters - 1)];
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0) {
      *temp = std::move(name);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

bool WholeFileWriter::Open(const std::string& path, std::string* error) {
  Abandon();
  path_ = path;
  int code = 0;
  target_ = Target(path, &code);
  if (target_.empty()) return FailErrno(error, path, code);

  existing_ = false;
  mode_ = 0;
  struct stat st {};
  if (stat(target_.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Fail(error, path, "it is a folder");
    if (!S_ISREG(st.st_mode)) return Fail(error, path, "it is not a regular file");
    // A file without any write permission is read-only by its owner's wish, even for a
    // user (root) whom the system would let write it.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return Fail(error, path, "it is read-only");
    if (access(target_.c_str(), W_OK) != 0) return FailErrno(error, path, errno);
    existing_ = true;
    mode_ = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    return FailErrno(error, path, errno);
  }

  // A new file gets the usual permissions (0666 less the umask), a replaced one its own.
  fd_ = CreateNeighbour(target_, existing_ ? 0600 : 0666, &temp_);
  if (fd_ < 0) return FailErrno(error, path, errno);
  return true;
}

void WholeFileWriter::Abandon() {
  if (fd_ >= 0) close(fd_);
  if (!temp_.empty()) unlink(temp_.c_str());
  fd_ = -1;
  temp_.clear();
}

bool WholeFileWriter::Commit(std::string* error) {
  if (fd_ < 0) return Fail(error, path_, "it is not open");
  const auto abandon = [&](int failure) {
    Abandon();
    return FailErrno(error, path_, failure);
  };
  if (existing_ && fchmod(fd_, static_cast<mode_t>(mode_)) != 0) return abandon(errno);
  if (fsync(fd_) != 0) return abandon(errno);
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) return abandon(errno);
  if (rename(temp_.c_str(), target_.c_str()) != 0) return abandon(errno);
  temp_.clear();
  return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* error) {
  WholeFileWriter file;
  if (!file.Open(path, error)) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(file.Descriptor(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int failure = errno;
      file.Abandon();
      return FailErrno(error, path, failure);
    }
    done += static_cast<std::size_t>(n);
  }
  return file.Commit(error);
}

}  // namespace varomintel
