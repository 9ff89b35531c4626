#include "render/moon_pictures.h"

#include <QFileInfo>

namespace varomintel {

std::string MoonPictureFileName(int n) { return "mond" + std::to_string(n) + ".bmp"; }

MoonPictures MoonPictures::Load(const std::string& folder) {
  MoonPictures m;
  for (int n = kFirstMoonPicture; n <= kLastMoonPicture; ++n)
    m.SetPicture(n, QImage(QString::fromStdString(folder + MoonPictureFileName(n))));
  return m;
}

const QImage& MoonPictures::Picture(int n) const {
  static const QImage kNone;
  if (n < kFirstMoonPicture || n > kLastMoonPicture) return kNone;
  return pictures_[static_cast<std::size_t>(n - kFirstMoonPicture)];
}

void MoonPictures::SetPicture(int n, const QImage& picture) {
  if (n < kFirstMoonPicture || n > kLastMoonPicture) return;
  pictures_[static_cast<std::size_t>(n - kFirstMoonPicture)] =
      picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
}

int MoonPictures::Count() const {
  int count = 0;
  for (const QImage& p : pictures_) count += p.isNull() ? 0 : 1;
  return count;
}

std::string MoonPictureFolder(const std::string& preferred, const std::string& fallback) {
  return QFileInfo::exists(QString::fromStdString(preferred + MoonPictureFileName(kFirstMoonPicture))) ? preferred
                                                                                                      : fallback;
}

}  // namespace varomintel
