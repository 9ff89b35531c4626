#include "render/bmp_picture.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace varomintel {

namespace {

std::uint32_t Le(const QByteArray& b, int at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

constexpr int kFileHeaderBytes = 14;

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

BmpPicture LoadBmpPicture(const std::string& path, int width, int height) {
  BmpPicture result;
  const QString name = QString::fromStdString(path);
  const QFileInfo info(name);
  if (!info.exists()) {
    result.error = "picture '" + path + "' does not exist";
    return result;
  }
  if (info.isDir()) {
    result.error = "picture '" + path + "' is a folder, not a picture";
    return result;
  }
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    result.error = "cannot read picture '" + path + "': " + file.errorString().toStdString();
    return result;
  }
  // A picture of 680 x 340 at 32 bits is under a megabyte; a much larger file is refused
  // before it is read into memory.
  const qint64 limit = static_cast<qint64>(width) * height * 4 + 4096;
  if (file.size() > limit) {
    result.error = "picture '" + path + "' is too large for " + std::to_string(width) + " x " +
                   std::to_string(height) + " pixels";
    return result;
  }
  const QByteArray bytes = file.read(limit + 1);
  if (const std::string defect = BmpDefect(bytes, width, height); !defect.empty()) {
    result.error = "picture '" + path + "' is refused: " + defect;
    return result;
  }
  result.image = QImage::fromData(bytes, "BMP");
  if (result.image.isNull()) result.error = "picture '" + path + "' cannot be decoded";
  return result;
}

}  // namespace varomintel
