// Loading a BMP picture whole and checked: Qt's reader turns a picture whose pixel data is
// cut short into a complete one (the missing rows filled), so the header is checked
// against the bytes that are really there before the picture is decoded.
#pragma once

#include <QByteArray>
#include <QImage>

#include <string>

namespace varomintel {

// Why `bytes` is not a whole BMP picture of width × height pixels (a height of either
// sign: rows bottom-up or top-down); empty when it is one. Checked: the "BM" signature,
// a known header size, 1, 4, 8, 16, 24 or 32 bits per pixel, uncompressed or bit fields,
// the pixel data's offset, and that the file holds every row its header announces.
std::string BmpDefect(const QByteArray& bytes, int width, int height);

// A picture that cannot be used: the path as it was opened and why, in words that follow
// "is refused: " ("it does not exist", "its pixel data is cut short (...)").
struct PictureFault {
  std::string file;
  std::string reason;  // empty: no fault
  bool empty() const { return reason.empty(); }
  // One line for a message: "picture 'FILE' is refused: REASON".
  std::string Line() const;
};

struct BmpPicture {
  QImage image;       // null when the picture was refused
  PictureFault fault; // then: the file and the reason
  std::string error;  // then: fault.Line()
};

// Reads `path` whole and decodes it when BmpDefect finds nothing wrong. Only a regular
// file (or a link to one) is read: a FIFO, a device or a folder is refused without
// waiting for a writer, and so is a file far larger than the picture can be.
BmpPicture LoadBmpPicture(const std::string& path, int width, int height);

}  // namespace varomintel
