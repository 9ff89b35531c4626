#include "render/moon_pictures.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace varomintel {

std::string MoonPictureFileName(int n) { return "mond" + std::to_string(n) + ".bmp"; }

int MoonPictureNumber(int diameter) {
  return std::clamp(diameter, kFirstMoonPicture - 2, kLastMoonPicture - 2) + 2;
}

MoonPictures MoonPictures::Load(const std::string& folder) {
  MoonPictures m;
  for (int n = kFirstMoonPicture; n <= kLastMoonPicture; ++n) {
    BmpPicture picture = LoadBmpPicture(folder + MoonPictureFileName(n), n, n);
    m.SetPicture(n, picture.image);
    m.faults_[static_cast<std::size_t>(n - kFirstMoonPicture)] = std::move(picture.fault);
  }
  return m;
}

const PictureFault& MoonPictures::Fault(int n) const {
  static const PictureFault kNone;
  if (n < kFirstMoonPicture || n > kLastMoonPicture) return kNone;
  return faults_[static_cast<std::size_t>(n - kFirstMoonPicture)];
}

const PictureFault& MoonPictures::FirstFault() const {
  for (const PictureFault& f : faults_)
    if (!f.empty()) return f;
  return Fault(0);
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
  faults_[static_cast<std::size_t>(n - kFirstMoonPicture)] = {};
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
