// The type of a lunar eclipse: the code stored in the catalogue and computed from the
// circumstances, and its names in the three languages.
#pragma once

#include <cstdint>
#include <string>

namespace varomintel {

// Codes as the catalogue stores them (a 32-bit integer); each is deeper than the one
// before, so codes compare by depth.
enum class EclipseTypeCode : std::int32_t {
  PartialPenumbral = 1,   // the Moon partly in the penumbra
  CompletePenumbral = 2,  // wholly in the penumbra, not touching the umbra
  PartialUmbral = 3,      // partly in the umbra
  Total = 4,              // wholly in the umbra
  TotalCentral = 5,       // the shadow axis crosses the Moon's disc
};

// Long (report) and short (diagram) name of a type; empty for codes outside 1..6 (row 6
// of each block is a blank name).
const std::string& EclipseTypeLongName(EclipseTypeCode type, std::uint8_t languageIndex);
const std::string& EclipseTypeShortName(EclipseTypeCode type, std::uint8_t languageIndex);

}  // namespace varomintel
