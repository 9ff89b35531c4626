// Choosing an eclipse in the catalogue by year, by Saros series, or by stepping along a
// Saros series. Pure functions over the catalogue: the main window and the command line
// share them.
#pragma once

#include <optional>
#include <string_view>

#include "eclipse/catalogue.h"

namespace varomintel {

inline constexpr int kFirstSaros = -114;
inline constexpr int kLastSaros = 322;
inline constexpr int kDefaultSaros = 139;  // taken when the Saros entry is not an integer

struct YearSearch {
  int year = 0;   // the entered year clamped to -4999..7000 (what the entry shows afterwards)
  int index = 0;  // first index whose Year >= year, or the last index when none is
};
// Empty when the text is not an integer (the entry is then left alone) or the catalogue
// is empty.
std::optional<YearSearch> FindByYear(const Catalogue& catalogue, std::string_view text);

struct SarosSearch {
  int saros = kDefaultSaros;  // the entered series, 139 for a non-integer, clamped to -114..322
  int index = 0;              // first index of that series; 0 when no record has it
};
SarosSearch FindBySaros(const Catalogue& catalogue, std::string_view text);

// The eclipse `steps` members (1 or 3) later (direction +1) or earlier (-1) in the Saros
// series of the record at `current`. The intermediate searches give up at the catalogue's
// end record even when it matches; only the last may select it. Empty when there is none.
std::optional<int> StepInSaros(const Catalogue& catalogue, int current, int direction, int steps);

}  // namespace varomintel
