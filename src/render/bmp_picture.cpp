#include "render/bmp_picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace varomintel {

namespace {

std::uint32_t Le(const QByteArray& b, int at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

constexpr int kFileHeaderBytes = 14;

// Reads at most `limit` + 1 bytes of `path` into `bytes` when it is a regular file (or a
// link to one); otherwise, or when reading fails, returns why. The file is opened without
// blocking: a FIFO in a picture's place would otherwise wait for a writer for ever, so it
// is opened at once, seen by fstat and refused.
std::string ReadRegularPictureFile(const std::string& path, qint64 limit, QByteArray& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    const int code = errno;
    if (code == ENOENT || code == ENOTDIR) return "it does not exist";
    return std::string("it cannot be read: ") + std::strerror(code);
  }
  std::string reason;
  struct stat st {};
  if (::fstat(fd, &st) != 0) reason = std::string("it cannot be read: ") + std::strerror(errno);
  else if (S_ISDIR(st.st_mode)) reason = "it is a folder, not a picture";
  else if (S_ISFIFO(st.st_mode)) reason = "it is a FIFO, not a picture file";
  else if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) reason = "it is a device, not a picture file";
  else if (!S_ISREG(st.st_mode)) reason = "it is not a regular file";
  if (reason.empty()) {
    bytes.resize(static_cast<qsizetype>(limit + 1));
    qint64 total = 0;
    while (total < limit + 1) {
      const ssize_t n = ::read(fd, bytes.data() + total, static_cast<std::size_t>(limit + 1 - total));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        reason = std::string("it cannot be read: ") + std::strerror(errno);
        break;
      }
      if (n == 0) break;
      total += n;
    }
    bytes.resize(static_cast<qsizetype>(total));
  }
  ::close(fd);
  return reason;
}

}  // namespace

std::string BmpDefect(const QByteArray& bytes, int width, int height) {
  const qint64 size = bytes.size();
  if (size < kFileHeaderBytes + 12 || bytes[0] != 'B' || bytes[1] != 'M') return "it is not a BMP picture";
  const std::uint32_t headerBytes = Le(bytes, 14, 4);
  std::int64_t w = 0, h = 0;
  std::uint32_t bits = 0, compression = 0;
  if (headerBytes == 12) {  // the old OS/2 core header
    w = Le(bytes, 18, 2);
    h = static_cast<std::int16_t>(Le(bytes, 20, 2));
    bits = Le(bytes, 24, 2);
  } else if (headerBytes == 40 || headerBytes == 52 || headerBytes == 56 || headerBytes == 108 || headerBytes == 124) {
    if (size < kFileHeaderBytes + 40) return "its header is cut short";
    w = static_cast<std::int32_t>(Le(bytes, 18, 4));
    h = static_cast<std::int32_t>(Le(bytes, 22, 4));
    bits = Le(bytes, 28, 2);
    compression = Le(bytes, 30, 4);
  } else {
    return "its header has an unknown size (" + std::to_string(headerBytes) + " bytes)";
  }
  if (w != width || std::llabs(h) != height)
    return "it has " + std::to_string(w) + " x " + std::to_string(std::llabs(h)) + " pixels, not " +
           std::to_string(width) + " x " + std::to_string(height);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return std::to_string(bits) + " bits per pixel is not a BMP depth";
  if (compression != 0 && compression != 3) return "it is compressed (method " + std::to_string(compression) + ")";
  const std::uint32_t offset = Le(bytes, 10, 4);
  if (offset < kFileHeaderBytes + headerBytes || offset > size) return "its pixel data offset is wrong";
  const std::int64_t rowBytes = (w * bits + 31) / 32 * 4;
  const std::int64_t need = static_cast<std::int64_t>(offset) + rowBytes * std::llabs(h);
  if (size < need)
    return "its pixel data is cut short (" + std::to_string(size) + " bytes, the header needs " +
           std::to_string(need) + ")";
  return {};
}

std::string PictureFault::Line() const { return "picture '" + file + "' is refused: " + reason; }

BmpPicture LoadBmpPicture(const std::string& path, int width, int height) {
  BmpPicture result;
  const auto refuse = [&](std::string reason) {
    result.fault = PictureFault{path, std::move(reason)};
    result.error = result.fault.Line();
    return result;
  };
  // A picture of 680 x 340 at 32 bits is under a megabyte; a much larger file is refused
  // after reading one byte more than a picture of this size can have.
  const qint64 limit = static_cast<qint64>(width) * height * 4 + 4096;
  QByteArray bytes;
  if (std::string reason = ReadRegularPictureFile(path, limit, bytes); !reason.empty()) return refuse(std::move(reason));
  if (bytes.size() > limit)
    return refuse("it is too large for " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
  if (std::string defect = BmpDefect(bytes, width, height); !defect.empty()) return refuse(std::move(defect));
  result.image = QImage::fromData(bytes, "BMP");
  if (result.image.isNull()) return refuse("it cannot be decoded");
  return result;
}

}  // namespace varomintel
