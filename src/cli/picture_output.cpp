#include "cli/picture_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/whole_file.h"

namespace varomintel::cli {

namespace {

// Every byte to the file descriptor, retried after a signal or a short write.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool IsStream(const std::string& target) {
  if (target.starts_with("/dev/") || target.starts_with("/proc/")) return true;
  struct stat st {};
  return ::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

}  // namespace

bool IsStandardOutput(std::string_view target) { return target == "-" || target == "/dev/stdout"; }

bool WritePictureBytes(const std::string& target, std::string_view bytes, std::ostream& out, std::string* error) {
  if (IsStandardOutput(target)) {
    // A picture's bytes would only garble a terminal, and maybe send it commands.
    if (::isatty(STDOUT_FILENO) == 1) {
      *error = "will not write the picture to standard output: it is a terminal (redirect it to a file or a pipe)";
      return false;
    }
    // Written and checked at the end, with the rest of the output (RunCli).
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return true;
  }
  if (!IsStream(target)) return WriteWholeFile(target, bytes, error);
  // Never created, never truncated: what is written to a device or a pipe is all there is.
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  bool ok = fd >= 0 && WriteAll(fd, bytes);
  int code = errno;
  if (fd >= 0 && ::close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (!ok) *error = "cannot write '" + target + "': " + std::strerror(code);
  return ok;
}

}  // namespace varomintel::cli
