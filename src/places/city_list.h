// The city-list run: for one eclipse, every place of the city file whose population
// reaches a threshold, with the local circumstances of each place that sees some phase
// of it. An engine over explicit inputs: the window and the command line drive it.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "eclipse/catalogue.h"
#include "places/city_file.h"
#include "places/list_text.h"
#include "places/ordered_blocks.h"
#include "places/place.h"

namespace varomintel {

inline constexpr int kPopulationItems = 10;

// Threshold of a population item: 1000000, 500000, 250000, 100000, 50000, 25000, 10000,
// 5000, 2000 (item 8, shown as 2'000), and -1 (every place) for item 9 and for any other
// index (no selection). A place passes when its Population is at least the threshold.
std::int32_t PopulationThreshold(int item);

// The city-list window's caption for an eclipse: `prefix` (the main window's caption) and
// five blanks, the date of the eclipse's reference hour T0 in universal time (as the
// list's times are: T0 less `deltaT` seconds, the eclipse's Delta T when none is given), "YYYY-MM-DD" with at least four
// digits and a minus sign before negative years, five blanks and the long name of the
// eclipse's type. Without a prefix the date comes first; without an eclipse (year and
// month 0) the caption is the prefix alone.
std::string CityListCaption(const std::string& prefix, const EclipseRecord& eclipse, std::uint8_t language,
                            std::optional<double> deltaT = std::nullopt);

struct CityListInput {
  EclipseRecord eclipse;   // a private copy of the selected eclipse
  std::string cityFile;    // CityFileName(...) of the language at the start of the run
  int populationItem = 9;  // index of the threshold item
  std::optional<double> deltaT = std::nullopt;  // seconds; none: the eclipse's DeltaT
};

// One place that sees the eclipse.
struct CityListHit {
  const Place& place;  // as for CityListBlockCallbacks::format
  std::string line;    // CityListLine
  std::string record;  // CityListRecord
};

struct CityListCounts {
  long scanned = 0;        // places that passed the threshold
  long found = 0;          // places that see the eclipse
  bool statusSet = false;  // some place had an eclipse (the status text is shown from then on)
  std::uint64_t bytesRead = 0;  // of the city file, for a progress display
};

struct CityListOutcome {
  CityListCounts counts;
  bool cityFileOpened = false;
  bool stopped = false;                    // the stop flag ended the run
  std::optional<CityFileFailure> failure;  // a malformed line ended the run there
  long unconverged = 0;                    // places with a refinement that gave up
};

struct CityListCallbacks {
  std::function<void(const CityListHit&)> onResult;  // each place that sees the eclipse, in file order
  // After every line of the file, before the stop flag is tested: the window shows the
  // counts and lets queued messages run here.
  std::function<void(const CityListCounts&)> afterLine;
};

// Runs through the city file once. The stop flag is tested after every line (the run
// ends between two places); a malformed line ends the run at that line, the places
// reported before it stand.
CityListOutcome RunCityList(const CityListInput& input, const CityListCallbacks& callbacks,
                            const std::atomic<bool>& stop);

struct CityListBlockCallbacks {
  // On a pool thread, for each place of a block that sees the eclipse, in file order:
  // appends what the front end writes for the place to the block's text. `clock` is the
  // block's own. The place's altitudes are those of the contacts seen; a contact below the
  // horizon holds kAltitudeBelowHorizon.
  std::function<void(std::string& text, ContactClock& clock, const Place& place)> format;
  // On the calling thread, block after block in file order: the block's text and the
  // counts after the block.
  std::function<void(std::string_view text, const CityListCounts& counts)> onBlock;
};

// The run of RunCityList on all cores: the same places, counts and failures, the texts in
// file order. The stop flag is tested after every block handed on (and by the pool
// between places): a stopped run has handed on the whole blocks before the stop and
// nothing after them. A malformed line ends the run after the places before it.
CityListOutcome RunCityListBlocks(const CityListInput& input, const CityListBlockCallbacks& callbacks,
                                  const std::atomic<bool>& stop, ListBlocks blocks = {});

// What a run over the file would scan, found by reading it once without computing: a
// front end that writes its output as the run goes, and must not start an output that a
// malformed line would cut short, checks the file first.
struct CityFileSurvey {
  long passing = 0;                        // places that pass the threshold (the run's `scanned`)
  std::optional<CityFileFailure> failure;  // the file does not open, or the line that would end the run
};
CityFileSurvey SurveyCityFile(const std::string& cityFile, int populationItem);

}  // namespace varomintel
