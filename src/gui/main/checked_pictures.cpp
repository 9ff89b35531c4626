#include "gui/main/checked_pictures.h"

namespace varomintel {

MoonPictures LoadCheckedMoonPictures(const std::string& folder, std::vector<std::string>& refused) {
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  MoonPictures pictures = MoonPictures::Load(prefix);
  for (int n = kFirstMoonPicture; n <= kLastMoonPicture; ++n)
    if (!pictures.Fault(n).empty()) refused.push_back(pictures.Fault(n).Line());
  return pictures;
}

MapPictures LoadCheckedMapPictures(const std::string& folder, std::vector<std::string>& refused) {
  MapPictures pictures = LoadMapPictures(folder);
  for (const MapPicturePair& pair : pictures.pairs)
    if (!pair.fault.empty()) refused.push_back(pair.fault.Line());
  return pictures;
}

}  // namespace varomintel
