// The Moon pictures of the shadow diagram: "mond" + N + ".bmp" for N = 70..92, full-Moon
// photographs whose disc fills the square of N - 1 pixels at the top-left corner. The
// picture for N serves a Moon of N - 2 pixels diameter on the diagram.
#pragma once

#include <QImage>

#include <array>
#include <string>

#include "render/bmp_picture.h"

namespace varomintel {

inline constexpr int kFirstMoonPicture = 70;
inline constexpr int kLastMoonPicture = 92;

// "mond70.bmp" .. "mond92.bmp".
std::string MoonPictureFileName(int n);

// The picture the diagram draws a Moon of `diameter` pixels from: N = diameter + 2, held
// within 70..92 (a Moon beyond that range gets the nearest picture, scaled).
int MoonPictureNumber(int diameter);

class MoonPictures {
 public:
  // Reads the 23 pictures from `folder` (ending in "/", or empty for the current
  // directory), each checked as a whole BMP of N x N pixels (LoadBmpPicture). A picture
  // that is missing or unusable stays null, and Fault tells which file and why.
  static MoonPictures Load(const std::string& folder);

  // The picture for n in 70..92 as 32-bit RGB, null when it was not found or n is outside.
  const QImage& Picture(int n) const;
  void SetPicture(int n, const QImage& picture);
  // How many of the 23 pictures are there.
  int Count() const;
  // Why picture n could not be loaded (the file and the reason), empty when it was loaded,
  // set with SetPicture, or n is outside 70..92.
  const PictureFault& Fault(int n) const;
  // The fault of the first picture that Load could not use, empty when all 23 are usable.
  const PictureFault& FirstFault() const;

 private:
  std::array<QImage, kLastMoonPicture - kFirstMoonPicture + 1> pictures_;
  std::array<PictureFault, kLastMoonPicture - kFirstMoonPicture + 1> faults_;
};

// The folder to read the pictures from: `preferred` when it holds mond70.bmp, otherwise
// `fallback` (the command line prefers the current folder to the program's).
std::string MoonPictureFolder(const std::string& preferred, const std::string& fallback);

}  // namespace varomintel
