#include "render/dark_map.h"

#include <string_view>

#include "render/bmp_picture.h"
#include "text/whole_file.h"

namespace varomintel {

namespace {

void PutLe16(char* p, std::uint16_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>(v >> 8);
}

void PutLe32(char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;

}  // namespace

QImage MarkTransparentCorner(const QImage& picture, long* replaced) {
  long count = 0;
  QImage image;
  if (!picture.isNull()) {
    image = picture.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < width; ++x) {
        if ((row[x] & 0x00FFFFFFu) == 0) {
          row[x] = 0xFF000000u | kNearBlack;
          ++count;
        }
      }
    }
    image.setPixel(0, image.height() - 1, qRgb(0, 0, 0));
  }
  if (replaced) *replaced = count;
  return image;
}

QByteArray EncodeBmp32(const QImage& picture) {
  if (picture.isNull()) return {};
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  const auto width = static_cast<std::uint32_t>(image.width());
  const auto height = static_cast<std::uint32_t>(image.height());
  const std::uint32_t pixelBytes = width * height * 4;
  const std::uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes;

  QByteArray bmp(static_cast<qsizetype>(offset + pixelBytes), '\0');
  char* p = bmp.data();
  // BITMAPFILEHEADER
  p[0] = 'B';
  p[1] = 'M';
  PutLe32(p + 2, offset + pixelBytes);  // file size
  PutLe32(p + 10, offset);              // start of the pixels; bytes 6..9 reserved, 0
  // BITMAPINFOHEADER
  char* h = p + kFileHeaderBytes;
  PutLe32(h + 0, kInfoHeaderBytes);
  PutLe32(h + 4, width);
  PutLe32(h + 8, height);  // positive: rows stored bottom-up
  PutLe16(h + 12, 1);      // planes
  PutLe16(h + 14, 32);     // bits per pixel
  PutLe32(h + 16, 0);      // BI_RGB
  PutLe32(h + 20, pixelBytes);
  // bytes 24..39: resolution, colours used, important colours: all 0

  char* out = p + offset;
  for (std::uint32_t row = 0; row < height; ++row) {
    const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(height - 1 - row)));
    for (std::uint32_t x = 0; x < width; ++x) {
      *out++ = static_cast<char>(qBlue(src[x]));
      *out++ = static_cast<char>(qGreen(src[x]));
      *out++ = static_cast<char>(qRed(src[x]));
      *out++ = 0;
    }
  }
  return bmp;
}

DarkMapResult PrepareDarkMap(const std::string& fileName) {
  DarkMapResult result;
  // A truncated or wrongly sized picture is refused and left as it is: Qt's reader would
  // complete it with made-up rows, and the tool would write that over the original.
  const BmpPicture picture = LoadBmpPicture(fileName, kDarkMapWidth, kDarkMapHeight);
  if (picture.image.isNull()) {
    result.error = picture.error;
    return result;
  }
  const QByteArray bmp = EncodeBmp32(MarkTransparentCorner(picture.image, &result.replaced));
  std::string error;
  if (!WriteWholeFile(fileName, std::string_view(bmp.constData(), static_cast<std::size_t>(bmp.size())), &error)) {
    result.error = error;
    result.writeFailed = true;
    return result;
  }
  result.ok = true;
  return result;
}

DarkMapsRun PrepareDarkMaps(const std::string& folder) {
  DarkMapsRun run;
  std::string prefix = folder;
  if (!prefix.empty() && prefix.back() != '/') prefix += '/';
  for (const char* name : kDarkMapFileNames) {
    const DarkMapResult one = PrepareDarkMap(prefix + name);
    if (!one.ok) {
      run.error = one.error;
      run.writeFailed = one.writeFailed;
      break;
    }
    run.replaced[static_cast<std::size_t>(run.done)] = one.replaced;
    ++run.done;
  }
  return run;
}

}  // namespace varomintel
