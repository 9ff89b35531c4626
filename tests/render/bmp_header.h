// Reads the few BMP header fields that the picture tests check.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace varomintel::testing {

struct BmpHeader {
  bool ok = false;
  std::uint32_t fileSize = 0, pixelOffset = 0, infoSize = 0;
  std::int32_t width = 0, height = 0;
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
};

inline std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline BmpHeader ReadBmpHeader(const std::vector<unsigned char>& b) {
  BmpHeader h;
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return h;
  const auto u32 = [&](std::size_t i) {
    return static_cast<std::uint32_t>(b[i] | (b[i + 1] << 8) | (b[i + 2] << 16) |
                                      (static_cast<std::uint32_t>(b[i + 3]) << 24));
  };
  h.fileSize = u32(2);
  h.pixelOffset = u32(10);
  h.infoSize = u32(14);
  h.width = static_cast<std::int32_t>(u32(18));
  h.height = static_cast<std::int32_t>(u32(22));
  h.bitsPerPixel = static_cast<std::uint16_t>(b[28] | (b[29] << 8));
  h.compression = u32(30);
  h.ok = true;
  return h;
}

}  // namespace varomintel::testing
