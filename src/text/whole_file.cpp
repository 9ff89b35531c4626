#include "text/whole_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <deque>

namespace varomintel {

namespace {

bool Fail(std::string* error, const std::string& path, const std::string& reason) {
  if (error) *error = "cannot write '" + path + "': " + reason;
  return false;
}

bool FailErrno(std::string* error, const std::string& path, int code) { return Fail(error, path, std::strerror(code)); }

// The most links one resolution follows, as the kernel (40).
constexpr int kMaxLinkHops = 40;

void CloseFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// The pieces of a path between its slashes, without empty ones.
void AppendComponents(std::string_view path, std::deque<std::string>& into, std::deque<std::string>::iterator at) {
  std::deque<std::string> pieces;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = path.find('/', start);
    const std::size_t end = slash == std::string_view::npos ? path.size() : slash;
    if (end > start) pieces.emplace_back(path.substr(start, end - start));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  into.insert(at, pieces.begin(), pieces.end());
}

// The kernel's protected_symlinks rule: a link in a sticky folder that every user may write
// is followed only by its owner, or when the folder's owner owns it too. Otherwise anyone
// could plant a link to a file of the caller's under a name the caller is about to write.
bool MayFollow(const struct stat& folder, const struct stat& link) {
  const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
  return !shared || link.st_uid == geteuid() || link.st_uid == folder.st_uid;
}

// Where a write to `path` lands: the folder (an O_PATH descriptor in `dir`) and the name in
// it, every link on the way followed, each under the rule of MayFollow. The folders are
// opened one by one without following links by themselves, so that what was checked is
// what is used. `name` is empty when the path names a folder ("/", "x/.."). False with
// `reason` (the system's text, or the refusal) when the path cannot be followed.
bool Resolve(const std::string& path, int& dir, std::string& name, std::string& reason) {
  CloseFd(dir);
  name.clear();
  if (path.empty()) {
    reason = std::strerror(ENOENT);
    return false;
  }
  const auto fail = [&](int code) {
    reason = std::strerror(code);
    CloseFd(dir);
    return false;
  };
  dir = open(path.front() == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return fail(errno);
  std::deque<std::string> rest;
  AppendComponents(path, rest, rest.end());
  bool folderWanted = path.back() == '/';  // "x/" must be a folder
  int hops = 0;
  while (!rest.empty()) {
    const std::string piece = std::move(rest.front());
    rest.pop_front();
    const bool last = rest.empty();
    if (piece == "." || piece == "..") {
      const int next = openat(dir, piece.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
      if (next < 0) return fail(errno);
      close(dir);
      dir = next;
      continue;
    }
    struct stat st {};
    if (fstatat(dir, piece.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno == ENOENT && last && !folderWanted) {
        name = piece;  // a new file
        return true;
      }
      return fail(errno == ENOENT && last ? EISDIR : errno);
    }
    if (S_ISLNK(st.st_mode)) {
      if (++hops > kMaxLinkHops) return fail(ELOOP);
      struct stat folder {};
      if (fstat(dir, &folder) != 0) return fail(errno);
      if (!MayFollow(folder, st)) {
        reason = "'" + piece +
                 "' is a symbolic link of another user in a sticky folder that anyone may write; it is not followed";
        CloseFd(dir);
        return false;
      }
      char buf[PATH_MAX];
      const ssize_t n = readlinkat(dir, piece.c_str(), buf, sizeof buf);
      if (n < 0) return fail(errno);
      if (n == 0 || static_cast<std::size_t>(n) == sizeof buf) return fail(n == 0 ? ENOENT : ENAMETOOLONG);
      const std::string_view target(buf, static_cast<std::size_t>(n));
      if (last && target.back() == '/') folderWanted = true;
      AppendComponents(target, rest, rest.begin());
      if (target.front() == '/') {
        const int root = open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (root < 0) return fail(errno);
        close(dir);
        dir = root;
      }
      continue;
    }
    if (last && !(folderWanted && S_ISDIR(st.st_mode))) {
      if (folderWanted) return fail(ENOTDIR);
      name = piece;  // an existing file, folder or device: the caller looks at what it is
      return true;
    }
    if (!S_ISDIR(st.st_mode)) return fail(ENOTDIR);
    const int next = openat(dir, piece.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0) return fail(errno);
    close(dir);
    dir = next;
  }
  return true;  // the path ends in a folder: `name` stays empty
}

// ".varomintel-" and 12 letters and digits from the system's random bytes, never a seeded
// sequence, so that nobody can predict it: 24 bytes whatever the length of the target's name.
bool RandomName(std::string& name) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char random[12];
  ssize_t n;
  while ((n = getrandom(random, sizeof random, 0)) < 0 && errno == EINTR) {
  }
  if (n != static_cast<ssize_t>(sizeof random)) return false;
  name = ".varomintel-";
  for (const unsigned char r : random) name += kLetters[r % (sizeof kLetters - 1)];
  return true;
}

// A named neighbour in `dir`, where the folder's file system has no O_TMPFILE: created
// exclusively and never through a symbolic link (O_EXCL, O_NOFOLLOW), so no existing file,
// and no file that a planted link points to, is ever opened. The descriptor, or -1 with
// errno set; `temp` receives the name.
int CreateNeighbour(int dir, mode_t mode, std::string* temp) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name;
    if (!RandomName(name)) return -1;
    const int fd = openat(dir, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0) {
      *temp = std::move(name);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  errno = EEXIST;
  return -1;
}

// Gives the file without name `fd` a random name in `dir`: through /proc/self/fd (any
// user), or where /proc is missing by AT_EMPTY_PATH (which needs CAP_DAC_READ_SEARCH).
// False with errno set.
bool LinkAnonymous(int fd, int dir, std::string& name) {
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (!RandomName(name)) return false;
    if (linkat(AT_FDCWD, proc.c_str(), dir, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    if (errno == ENOENT && linkat(fd, "", dir, name.c_str(), AT_EMPTY_PATH) == 0) return true;
    if (errno != EEXIST) return false;
  }
  errno = EEXIST;
  return false;
}

// Blocks every signal that can be blocked on this thread for its lifetime: between giving
// the new file a name and renaming it (two system calls), no handler runs here and no
// signal sent to this thread ends the process. What remains is a window of microseconds
// for SIGKILL, and for a signal that another thread of the process takes.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &old_);
  }
  ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t old_;
};

}  // namespace

bool WholeFileWriter::Open(const std::string& path, std::string* error) {
  Abandon();
  path_ = path;
  std::string reason;
  if (!Resolve(path, dir_, name_, reason)) return Fail(error, path, reason);
  const auto refuse = [&](const std::string& why) {
    Abandon();
    return Fail(error, path, why);
  };
  if (name_.empty()) return refuse("it is a folder");

  existing_ = false;
  mode_ = 0;
  struct stat st {};
  if (fstatat(dir_, name_.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
    if (S_ISDIR(st.st_mode)) return refuse("it is a folder");
    if (S_ISLNK(st.st_mode)) return refuse(std::strerror(ELOOP));  // planted since Resolve looked
    if (!S_ISREG(st.st_mode)) return refuse("it is not a regular file");
    // A file without any write permission is read-only by its owner's wish, even for a
    // user (root) whom the system would let write it.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return refuse("it is read-only");
    if (faccessat(dir_, name_.c_str(), W_OK, AT_EACCESS) != 0) return refuse(std::strerror(errno));
    existing_ = true;
    mode_ = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    return refuse(std::strerror(errno));
  }

  // A new file gets the usual permissions (0666 less the umask), a replaced one its own.
  const mode_t mode = existing_ ? 0600 : 0666;
  fd_ = openat(dir_, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
  if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
    fd_ = CreateNeighbour(dir_, mode, &temp_);
  if (fd_ < 0) return refuse(std::strerror(errno));
  return true;
}

void WholeFileWriter::Abandon() {
  CloseFd(fd_);
  if (!temp_.empty() && dir_ >= 0) unlinkat(dir_, temp_.c_str(), 0);
  temp_.clear();
  CloseFd(dir_);
}

bool WholeFileWriter::Commit(std::string* error) {
  if (fd_ < 0) return Fail(error, path_, "it is not open");
  const auto abandon = [&](int failure) {
    Abandon();
    return FailErrno(error, path_, failure);
  };
  if (existing_ && fchmod(fd_, static_cast<mode_t>(mode_)) != 0) return abandon(errno);
  if (fsync(fd_) != 0) return abandon(errno);
  if (temp_.empty()) {
    // Linked under a random name, then renamed over the target: a link straight to the
    // target's name could not replace an existing file, and the rename does so atomically.
    const SignalsHeld held;
    std::string name;
    if (!LinkAnonymous(fd_, dir_, name)) return abandon(errno);
    if (renameat(dir_, name.c_str(), dir_, name_.c_str()) != 0) {
      const int failure = errno;
      unlinkat(dir_, name.c_str(), 0);
      return abandon(failure);
    }
  } else {
    if (renameat(dir_, temp_.c_str(), dir_, name_.c_str()) != 0) return abandon(errno);
    temp_.clear();
  }
  // The data are synced and in place: closing can lose nothing any more.
  CloseFd(fd_);
  CloseFd(dir_);
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
