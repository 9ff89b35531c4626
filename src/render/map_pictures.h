// The four world maps and their darkened twins, 680 x 340 pixels each, as the main
// window and the command line load them by bare name from one folder.
#pragma once

#include <QImage>

#include <array>
#include <string>

#include "render/bmp_picture.h"

namespace varomintel {

inline constexpr int kMapPictureCount = 4;

struct MapPictureName {
  const char* item;  // the map's name in the choice of maps
  const char* file;  // the bright picture; the darkened one adds "_dark" before ".bmp"
};

// In the order of the choice of maps (index 0..3).
inline constexpr std::array<MapPictureName, kMapPictureCount> kMapPictureNames = {{
    {"BlueMarble", "bluemarble_680x340.bmp"},
    {"DEMIS_World", "demis_world_680x340.bmp"},
    {"Politisch", "world_politisch_680x340.bmp"},
    {"World_white", "world_white_680x340.bmp"},
}};

// "bluemarble_680x340.bmp" -> "bluemarble_680x340_dark.bmp".
std::string DarkPictureName(const std::string& file);

struct MapPicturePair {
  QImage map;   // Format_RGB32, 680 x 340, or null when missing or unusable
  QImage dark;  // likewise; its bottom-left pixel is the transparent colour
  PictureFault fault;  // the first of the two that is missing or unusable, with the reason
};

struct MapPictures {
  std::array<MapPicturePair, kMapPictureCount> pairs;
  std::string error;  // the first picture that is missing or unusable, as one line; empty when all are usable
  bool complete() const { return error.empty(); }
  // Pair k, with k held within 0..3 (a choice without selection, -1, is map 0).
  const MapPicturePair& Pair(int k) const;
};

// Loads the eight pictures from `folder` (empty: the current directory), each checked as a
// whole BMP of 680 x 340 pixels (LoadBmpPicture). A picture that is missing or unusable
// stays null and is named in its pair's `fault` and, when it is the first, in `error`.
MapPictures LoadMapPictures(const std::string& folder = {});

// The folder to load the pictures from: the current directory when it holds the first
// bright picture, otherwise `programDir` when that does, otherwise the current directory
// (empty text).
std::string MapPictureFolder(const std::string& programDir);

}  // namespace varomintel
