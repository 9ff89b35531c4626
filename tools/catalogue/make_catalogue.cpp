// make_catalogue: writes the catalogue of lunar eclipses from -4999 to 7000.
//   make_catalogue OUTPUT [--from-year Y] [--to-year Y] [--ephe PATH] [--factor F]
// Prints the counts by type, the worst fit residual and the time taken to standard error.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <string>

#include "astro/calendar.h"
#include "catalogue_builder.h"

int main(int argc, char** argv) {
  using namespace varomintel;
  if (argc < 2) {
    std::cerr << "usage: make_catalogue OUTPUT [--from-year Y] [--to-year Y] [--ephe PATH] [--factor F]\n";
    return 2;
  }
  std::string out = argv[1];
  int fromYear = -4999, toYear = 7000;
  catalogue_builder::Settings settings;
  for (int i = 2; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--from-year")) fromYear = std::atoi(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--to-year")) toYear = std::atoi(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--ephe")) settings.ephemerisPath = argv[i + 1];
    else if (!std::strcmp(argv[i], "--factor")) settings.parallaxFactor = std::atof(argv[i + 1]);
    else {
      std::cerr << "make_catalogue: unknown option " << argv[i] << "\n";
      return 2;
    }
  }
  const auto start = std::chrono::steady_clock::now();
  try {
    catalogue_builder::Builder builder(settings);
    const std::vector<catalogue_builder::Eclipse> eclipses =
        builder.BuildCatalogue(DateToJD(fromYear, 1, 1, 0, 0, 0), DateToJD(toYear + 1, 1, 1, 0, 0, 0));
    std::vector<EclipseRecord> records;
    std::map<int, int> byType;
    for (const auto& e : eclipses) {
      records.push_back(e.record);
      ++byType[static_cast<int>(e.record.EclipseType)];
    }
    if (!WriteCatalogue(out, records)) {
      std::cerr << "make_catalogue: cannot write " << out << "\n";
      return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cerr << records.size() << " eclipses written to " << out << " in " << seconds << " s\n";
    for (const auto& [type, n] : byType) std::cerr << "  type " << type << ": " << n << "\n";
    const auto& s = builder.Stats();
    std::cerr << "  lunations scanned " << s.lunationsScanned << ", near a node " << s.eclipsesTested
              << ", ephemeris calls " << s.ephemerisCalls << ", worst x/y fit residual " << s.worstResidualXY
              << "\"\n";
  } catch (const std::exception& ex) {
    std::cerr << "make_catalogue: " << ex.what() << "\n";
    return 1;
  }
  return 0;
}
