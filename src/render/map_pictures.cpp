#include "render/map_pictures.h"

#include <QFileInfo>
#include <QString>

#include <algorithm>

#include "app/world_map_model.h"
#include "render/bmp_picture.h"

namespace varomintel {

namespace {

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The picture as 32-bit pixels, checked as a whole BMP of 680 x 340 (LoadBmpPicture), or
// null with `fault` set, when it is the pair's first unusable one, and `error`, when it is
// the first of all.
QImage LoadPicture(const std::string& path, PictureFault& fault, std::string& error) {
  const BmpPicture picture = LoadBmpPicture(path, kMapWidth, kMapHeight);
  if (picture.image.isNull()) {
    if (fault.empty()) fault = picture.fault;
    if (error.empty()) error = picture.error;
    return {};
  }
  return picture.image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

std::string DarkPictureName(const std::string& file) {
  const std::size_t dot = file.rfind('.');
  if (dot == std::string::npos) return file + "_dark";
  return file.substr(0, dot) + "_dark" + file.substr(dot);
}

const MapPicturePair& MapPictures::Pair(int k) const {
  return pairs[static_cast<std::size_t>(std::clamp(k, 0, kMapPictureCount - 1))];
}

MapPictures LoadMapPictures(const std::string& folder) {
  MapPictures pictures;
  for (std::size_t k = 0; k < kMapPictureNames.size(); ++k) {
    const std::string file = kMapPictureNames[k].file;
    MapPicturePair& pair = pictures.pairs[k];
    pair.map = LoadPicture(InFolder(folder, file), pair.fault, pictures.error);
    pair.dark = LoadPicture(InFolder(folder, DarkPictureName(file)), pair.fault, pictures.error);
  }
  return pictures;
}

std::string MapPictureFolder(const std::string& programDir) {
  const std::string first = kMapPictureNames[0].file;
  if (QFileInfo::exists(QString::fromStdString(first))) return {};
  if (!programDir.empty() && QFileInfo::exists(QString::fromStdString(InFolder(programDir, first)))) return programDir;
  return {};
}

}  // namespace varomintel
