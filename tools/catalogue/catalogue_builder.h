// Builds the catalogue of lunar eclipses from a numerical ephemeris: finds every full
// moon whose Moon passes through the Earth's penumbra and fits the Besselian elements of
// the eclipse as polynomials in time.
//
// Ephemeris: the Swiss Ephemeris library with its compressed JPL DE431 files (Debian's
// libswe-dev and swe-data). Used by the generator only; the program ships just the file.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "eclipse/catalogue.h"

namespace varomintel::catalogue_builder {

struct Settings {
  std::string ephemerisPath = "/usr/share/libswe/ephe";
  // Lunar secular acceleration ("/cy^2) the catalogue is made for, and the one in effect in
  // the ephemeris (DE431 nominally -25.80; fitted to the canon's times, -25.815).
  double ndotCatalogue = -25.858;
  double ndotEphemeris = -25.815;
  // Enlargement of the Earth's shadow for its atmosphere (Danjon): factor on the Moon's
  // parallax.
  double parallaxFactor = 1.01;
};

// Lunation numbers count full moons from the one of 2000 Jan 21 (lunation 0).
using Lunation = long;

struct Eclipse {
  Lunation lunation = 0;
  EclipseRecord record;  // SarosMember and SarosCount are set by BuildCatalogue
  double worstResidualXY = 0;  // largest fit residual of x and y, arcseconds
};

struct Statistics {
  long lunationsScanned = 0;
  long eclipsesTested = 0;  // lunations whose Moon came near the node
  double worstResidualXY = 0;
  long ephemerisCalls = 0;
};

class Builder {
 public:
  // Throws std::runtime_error when the ephemeris files cannot be used (the library would
  // otherwise fall back to a low-accuracy analytic theory without saying so).
  explicit Builder(Settings settings);
  ~Builder();
  Builder(const Builder&) = delete;
  Builder& operator=(const Builder&) = delete;

  // The eclipse at lunation k, or nothing when the Moon misses the penumbra. Memoised.
  const std::optional<Eclipse>& At(Lunation k);

  // The Saros series of lunation k in the canon's numbering: lunation 0 belongs to 124;
  // 223 lunations (one saros) stay in the series, 358 (one inex) add 1.
  static int SarosOf(Lunation k);

  // Lunation of the full moon nearest to the Julian day (TT), by the mean lunation.
  static Lunation LunationNear(double jd);

  // All eclipses whose greatest eclipse (TT) lies in [jdFrom, jdTo), in time order, with
  // their Saros member and count taken from the whole series (scanned beyond the range).
  std::vector<Eclipse> BuildCatalogue(double jdFrom, double jdTo);

  const Statistics& Stats() const { return stats_; }

 private:
  struct Sky;
  Sky SkyAt(double jd);
  std::optional<Eclipse> Compute(Lunation k);
  double Opposition(Lunation k);

  Settings settings_;
  std::map<Lunation, std::optional<Eclipse>> memo_;
  Statistics stats_;
};

}  // namespace varomintel::catalogue_builder
