// libFuzzer target: any bytes as a parameter record, read through every field accessor.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "app/parameter_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varomintel;
  ParameterRecord r;
  std::memcpy(r.bytes().data(), data, std::min(size, kParameterRecordSize));
  (void)VersionMatches(r, "1.0.0.0");
  for (const param::TextField<16>& o : {param::kVersion, param::kPoiLatitude, param::kPoiLongitude,
                                       param::kHistLatitude, param::kHistLongitude, param::kHistHeightText})
    r.SetShortString(o, r.ShortString(o) + "é");
  r.SetShortString(param::kHistPlace, r.ShortString(param::kHistPlace) + "ü");
  (void)r.Double(param::kTimeZone);
  (void)r.Int(param::kListPopulation);
  return 0;
}
