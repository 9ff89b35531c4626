#include "text/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace varomintel {

namespace {

// What a file of this kind is, for a refusal.
const char* KindName(mode_t mode) {
  if (S_ISFIFO(mode)) return "it is not a regular file (a FIFO)";
  if (S_ISCHR(mode)) return "it is not a regular file (a character device)";
  if (S_ISBLK(mode)) return "it is not a regular file (a block device)";
  if (S_ISSOCK(mode)) return "it is not a regular file (a socket)";
  return "it is not a regular file";
}

RegularFileOpen Refused(int code) {
  RegularFileOpen r;
  r.missing = code == ENOENT;
  r.reason = std::strerror(code);
  return r;
}

}  // namespace

RegularFileOpen OpenRegularFileForReading(const std::string& path) {
  int fd = -1;
  do fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return Refused(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int code = errno;
    ::close(fd);
    return Refused(code);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    // A folder opens for reading; its first read would fail with EISDIR, so say that now.
    if (S_ISDIR(st.st_mode)) return Refused(EISDIR);
    RegularFileOpen r;
    r.reason = KindName(st.st_mode);
    return r;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  RegularFileOpen r;
  r.fd = fd;
  return r;
}

std::FILE* OpenRegularFileStream(const std::string& path, RegularFileOpen* refusal) {
  RegularFileOpen r = OpenRegularFileForReading(path);
  if (r.fd >= 0) {
    if (std::FILE* f = ::fdopen(r.fd, "rb")) return f;
    const int code = errno;
    ::close(r.fd);
    r = Refused(code);
  }
  if (refusal) *refusal = std::move(r);
  return nullptr;
}

}  // namespace varomintel
