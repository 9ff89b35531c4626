// The dark-map tool: prepares the four darkened world-map pictures so that pure black,
// the transparent colour of the map composition, occurs in exactly one place, the
// bottom-left pixel, which the picture loader takes as the transparent colour.
#pragma once

#include <QByteArray>
#include <QImage>

#include <array>
#include <cstdint>
#include <string>

namespace varomintel {

// The darkened pictures, in the order in which the tool processes them.
inline constexpr std::array<const char*, 4> kDarkMapFileNames = {
    "demis_world_680x340_dark.bmp",
    "bluemarble_680x340_dark.bmp",
    "world_white_680x340_dark.bmp",
    "world_politisch_680x340_dark.bmp",
};

// The size of every map picture, pixels.
inline constexpr int kDarkMapWidth = 680;
inline constexpr int kDarkMapHeight = 340;

// The replacement for pure black, (1, 1, 1) = 0x010101.
inline constexpr std::uint32_t kNearBlack = 0x010101;

// Steps 1 to 3 of PrepareDarkMap in memory. Returns `picture` as 32 bits per pixel
// (QImage::Format_RGB32) with every pure black pixel (0, 0, 0) set to (1, 1, 1) and then
// the bottom-left pixel (x = 0, y = height - 1) set to pure black. Only exact (0, 0, 0)
// is replaced; alpha is ignored. A null picture gives a null image.
// `replaced`, when given, receives the number of pixels that were changed to (1, 1, 1).
QImage MarkTransparentCorner(const QImage& picture, long* replaced = nullptr);

// A Windows BMP of 32 bits per pixel: 14-byte file header, 40-byte BITMAPINFOHEADER
// (BI_RGB, no colour table), rows bottom-up, pixels as blue, green, red and a zero byte.
// Qt's own BMP writer stores 24 bits per pixel, which the darkened maps must not use.
// The resolution fields are 0, so equal pictures give equal bytes. Null image: empty array.
QByteArray EncodeBmp32(const QImage& image);

struct DarkMapResult {
  bool ok = false;
  long replaced = 0;         // pixels changed from (0, 0, 0) to (1, 1, 1)
  std::string error;         // when !ok: what failed, naming the file
  bool writeFailed = false;  // when !ok: the picture was read but could not be written
};

// PrepareDarkMap: loads `fileName`, applies MarkTransparentCorner and saves the result
// back to the same name as a 32-bit BMP. A picture that is not a whole 680 x 340 BMP is
// refused and left untouched. The file is replaced only after the new contents were
// written completely, so a failed write leaves the old file.
DarkMapResult PrepareDarkMap(const std::string& fileName);

struct DarkMapsRun {
  int done = 0;                        // files prepared, in kDarkMapFileNames order
  std::array<long, 4> replaced{};      // per file, for the first `done` files
  std::string error;                   // set when a file failed; the run stopped there
  bool writeFailed = false;            // that file could not be written (rather than read)
  bool ok() const { return error.empty(); }
};

// The tool's operation: PrepareDarkMap on the four files of kDarkMapFileNames in order,
// each opened by bare name in `folder` (empty: the current directory). It stops at the
// first file that cannot be read or written; the files before it stay rewritten.
DarkMapsRun PrepareDarkMaps(const std::string& folder = {});

}  // namespace varomintel
