#include "eclipse/selection.h"

#include <algorithm>

#include "text/number_text.h"

namespace varomintel {

std::optional<YearSearch> FindByYear(const Catalogue& catalogue, std::string_view text) {
  const std::optional<long long> entered = ParseClampedInteger(text, kFirstYear, kLastYear);
  if (!entered || catalogue.Count() == 0) return std::nullopt;
  YearSearch s;
  s.year = static_cast<int>(*entered);
  s.index = catalogue.Count();
  for (int i = 1; i <= catalogue.Count(); ++i) {
    if (catalogue.At(i).Year >= s.year) {
      s.index = i;
      break;
    }
  }
  return s;
}

SarosSearch FindBySaros(const Catalogue& catalogue, std::string_view text) {
  SarosSearch s;
  const std::optional<long long> entered = ParseClampedInteger(text, kFirstSaros, kLastSaros);
  s.saros = static_cast<int>(entered.value_or(kDefaultSaros));
  for (int i = 1; i <= catalogue.Count(); ++i) {
    if (catalogue.At(i).Saros == s.saros) {
      s.index = i;
      break;
    }
  }
  return s;
}

std::optional<int> StepInSaros(const Catalogue& catalogue, int current, int direction, int steps) {
  if (!catalogue.Contains(current) || (direction != 1 && direction != -1) || steps < 1) return std::nullopt;
  const int saros = catalogue.At(current).Saros;
  const int end = direction > 0 ? catalogue.Count() : 1;
  int i = current;
  for (int step = 1; step <= steps; ++step) {
    const bool last = step == steps;
    int found = 0;
    for (int j = i + direction; direction > 0 ? j <= end : j >= end; j += direction) {
      if (!last && j == end) break;  // an intermediate search gives up at the end record
      if (catalogue.At(j).Saros == saros) {
        found = j;
        break;
      }
    }
    if (found == 0) return std::nullopt;
    i = found;
  }
  return i;
}

}  // namespace varomintel
