// The main window's pictures, each checked whole before it is decoded (LoadBmpPicture):
// a picture that is missing or unusable keeps the window's substitute for it (a grey
// disc for a Moon picture, plain ground for a map) and is named, with the reason, in
// `refused` (one line each, in the order read).
#pragma once

#include <string>
#include <vector>

#include "render/map_pictures.h"
#include "render/moon_pictures.h"

namespace varomintel {

// mond70.bmp .. mond92.bmp from `folder` (empty: the current directory), each N x N pixels.
MoonPictures LoadCheckedMoonPictures(const std::string& folder, std::vector<std::string>& refused);

// The four maps and their darkened twins from `folder` (empty: the current directory),
// each 680 x 340 pixels; MapPictures::error names the first one refused, `refused` the
// first refused picture of each pair.
MapPictures LoadCheckedMapPictures(const std::string& folder, std::vector<std::string>& refused);

}  // namespace varomintel
