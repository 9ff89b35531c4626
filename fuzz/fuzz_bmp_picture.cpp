// libFuzzer target: any bytes as a map picture for the dark-map tool: the header check,
// and when it passes, Qt's decoder and the pixel rule on what it returns.
#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <cstdint>

#include "render/bmp_picture.h"
#include "render/dark_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varomintel;
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  // Small pictures keep the runs fast; the checks do not depend on the size.
  for (const auto& [w, h] : {std::pair{4, 2}, std::pair{kDarkMapWidth, kDarkMapHeight}}) {
    if (!BmpDefect(bytes, w, h).empty()) continue;
    const QImage image = QImage::fromData(bytes, "BMP");
    if (image.isNull()) continue;
    long replaced = 0;
    const QImage marked = MarkTransparentCorner(image, &replaced);
    (void)EncodeBmp32(marked);
  }
  return 0;
}
