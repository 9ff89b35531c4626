#include "render/map_pictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QString>

#include <algorithm>

#include "app/world_map_model.h"

namespace varomintel {

namespace {

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The picture as 32-bit pixels, or null with `error` set when it is unusable.
QImage LoadPicture(const std::string& path, std::string& error) {
  QImageReader reader(QString::fromStdString(path));
  QImage image = reader.read();
  if (image.isNull()) {
    if (error.empty()) error = "cannot read " + path + " (" + reader.errorString().toStdString() + ")";
    return {};
  }
  if (image.width() != kMapWidth || image.height() != kMapHeight) {
    if (error.empty())
      error = path + " is " + std::to_string(image.width()) + " x " + std::to_string(image.height()) +
              " pixels, not 680 x 340";
    return {};
  }
  return image.convertToFormat(QImage::Format_RGB32);
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
    pictures.pairs[k].map = LoadPicture(InFolder(folder, file), pictures.error);
    pictures.pairs[k].dark = LoadPicture(InFolder(folder, DarkPictureName(file)), pictures.error);
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
