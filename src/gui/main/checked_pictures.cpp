#include "gui/main/checked_pictures.h"

#include "app/world_map_model.h"
#include "render/bmp_picture.h"

namespace varomintel {

namespace {

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The picture as 32-bit pixels, or null with the reason added to `refused`.
QImage Checked(const std::string& path, int width, int height, std::vector<std::string>& refused) {
  BmpPicture picture = LoadBmpPicture(path, width, height);
  if (picture.image.isNull()) {
    refused.push_back(picture.error);
    return {};
  }
  return picture.image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

MoonPictures LoadCheckedMoonPictures(const std::string& folder, std::vector<std::string>& refused) {
  MoonPictures pictures;
  for (int n = kFirstMoonPicture; n <= kLastMoonPicture; ++n)
    pictures.SetPicture(n, Checked(InFolder(folder, MoonPictureFileName(n)), n, n, refused));
  return pictures;
}

MapPictures LoadCheckedMapPictures(const std::string& folder, std::vector<std::string>& refused) {
  MapPictures pictures;
  const std::size_t before = refused.size();
  for (std::size_t k = 0; k < kMapPictureNames.size(); ++k) {
    const std::string file = kMapPictureNames[k].file;
    pictures.pairs[k].map = Checked(InFolder(folder, file), kMapWidth, kMapHeight, refused);
    pictures.pairs[k].dark = Checked(InFolder(folder, DarkPictureName(file)), kMapWidth, kMapHeight, refused);
  }
  if (refused.size() > before) pictures.error = refused[before];
  return pictures;
}

}  // namespace varomintel
