// The table of elements beside the shadow diagram: the Besselian elements of the selected
// eclipse at the slider time, a few derived values and the Moon's constellation, as 13
// rows of name, value and unit.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "eclipse/elements.h"

namespace varomintel {

inline constexpr int kElementsTableRows = 13;
inline constexpr int kElementsTableColumns = 3;

// cells[row][column]: column 0 the name, 1 the value (shown right-aligned), 2 the unit.
using ElementsTableCells =
    std::array<std::array<std::string, kElementsTableColumns>, kElementsTableRows>;

struct ElementsTableInput {
  double t = 0;                 // hours of TT from T0 (the slider time)
  ElementValues elements;       // at t: x, y, f1, f2, L in arcseconds, d and M in radians
  double gamma = 0;             // Earth radii, of the record
  double penMag = 0, umbMag = 0;  // at greatest eclipse
  std::string constellation;    // the Moon's, at most 3 characters
  std::uint8_t language = 0;    // 0 German, 1 English, 2 French, 3 Spanish
};

// The 39 cell texts. Values in fixed notation with "." (T-T0, Gamma and the magnitudes with
// 4 decimals, d and M in degrees with 1, the arcsecond values with none). A value that
// rounds to zero is written without a minus sign ("0.0000", not "-0.0000").
ElementsTableCells ElementsTableTexts(const ElementsTableInput& input);

// The constellation that holds the Moon: the three-letter abbreviation for its right
// ascension and declination (degrees, of `elements`) at the epoch jd.
std::string MoonConstellation(const ElementValues& elements, double jd);

}  // namespace varomintel
