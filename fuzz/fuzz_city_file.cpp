// libFuzzer target: any bytes as a whole city file, read by the city-file reader with
// every line parsed, and the country reader over the same file.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "places/city_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varomintel;
  static const std::string path = "/tmp/varomintel_fuzz_city_" + std::to_string(::getpid()) + ".txt";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  CityFileReader reader(path);
  std::string line;
  Place place;
  std::size_t bytes = 0;
  while (reader.Next(line)) {
    if (line.size() > kMaxCityLineBytes) __builtin_trap();  // the bound must hold
    bytes += line.size();
    // A line that parses is a place that can exist.
    if (!ParseCityLine(line, place) &&
        (std::fabs(place.Latitude) > 90 || std::fabs(place.Longitude) > 180 || place.Population < 0))
      __builtin_trap();
  }
  if (bytes > size) __builtin_trap();  // lines never hold more than the file
  if (reader.Failure()) (void)reader.Failure()->Message();
  (void)ReadCountries(path);
  if (size > 0) (void)ReadCountryPlaces(path, std::string(reinterpret_cast<const char*>(data), size < 8 ? size : 8));
  // Removed after each input: a run ended by its time limit leaves no file behind.
  std::remove(path.c_str());
  return 0;
}
