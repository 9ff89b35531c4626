// The Moon pictures of the shadow diagram: "mond" + N + ".bmp" for N = 70..92, full-Moon
// photographs whose disc fills the square of N - 1 pixels at the top-left corner. The
// picture for N serves a Moon of N - 2 pixels diameter on the diagram.
#pragma once

#include <QImage>

#include <array>
#include <string>

namespace varomintel {

inline constexpr int kFirstMoonPicture = 70;
inline constexpr int kLastMoonPicture = 92;

// "mond70.bmp" .. "mond92.bmp".
std::string MoonPictureFileName(int n);

class MoonPictures {
 public:
  // Reads the 23 pictures from `folder` (ending in "/", or empty for the current
  // directory). A missing or unreadable picture stays null; nothing is reported.
  static MoonPictures Load(const std::string& folder);

  // The picture for n in 70..92 as 32-bit RGB, null when it was not found or n is outside.
  const QImage& Picture(int n) const;
  void SetPicture(int n, const QImage& picture);
  // How many of the 23 pictures are there.
  int Count() const;

 private:
  std::array<QImage, kLastMoonPicture - kFirstMoonPicture + 1> pictures_;
};

// The folder to read the pictures from: `preferred` when it holds mond70.bmp, otherwise
// `fallback` (the command line prefers the current folder to the program's).
std::string MoonPictureFolder(const std::string& preferred, const std::string& fallback);

}  // namespace varomintel
