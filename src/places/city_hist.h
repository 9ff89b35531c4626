// The city-history search: for one place, every eclipse of the catalogue whose
// universal-time year lies in a range and of which some contact is seen there. An engine
// over explicit inputs: the window and the command line drive it.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "eclipse/catalogue.h"
#include "places/list_text.h"
#include "places/local_circumstances.h"
#include "places/ordered_blocks.h"
#include "places/place.h"

namespace varomintel {

// The search lets queued window messages run every this many catalogue records.
inline constexpr int kCityHistYieldEvery = 20;

// The calendar year of the eclipse in universal time: of JulianDayTT - DeltaT/86400.
int UniversalYear(const EclipseRecord& eclipse, double deltaT);

struct CityHistInput {
  const Catalogue* catalogue = nullptr;
  std::string name;           // the place's label, written into every line and record
  double latitude = 0;        // radians, north positive
  double westLongitude = 0;   // radians, west positive
  double height = 0;          // metres; carried, not computed with
  int firstYear = 0;          // inclusive, universal-time calendar years
  int lastYear = 0;
  std::optional<double> deltaT = std::nullopt;  // seconds for every eclipse of the run; none: each eclipse's DeltaT
  std::uint8_t language = 1;  // of the status line: 0 German, 1 English, 2 French, 3 Spanish
};

struct CityHistHit {
  int index;                    // 1-based catalogue index
  const EclipseRecord& eclipse;
  double deltaT;                // seconds
  const Place& place;       // with the local circumstances of this eclipse
  std::string line;             // CityHistLine
  std::string record;           // CityHistRecord
};

struct CityHistOutcome {
  int visited = 0;        // catalogue records looked at
  int computed = 0;       // records in the year range
  int found = 0;          // eclipses seen at the place
  bool stopped = false;   // the stop flag ended the search
  int unconverged = 0;    // records with a refinement that gave up
};

struct CityHistCallbacks {
  std::function<void(const CityHistHit&)> onResult;       // each eclipse seen, in catalogue order
  std::function<void(const std::string&)> onStatus;       // "Calculating year ..." per record in range
  // Every kCityHistYieldEvery records, before that record: the window lets messages run.
  std::function<void(int index)> onYield;
};

// Visits the catalogue in order; the stop flag is tested after every record.
CityHistOutcome RunCityHist(const CityHistInput& input, const CityHistCallbacks& callbacks,
                            const std::atomic<bool>& stop);

// An eclipse seen at the place, as a pool thread hands it to the format callback.
struct CityHistFound {
  int index;                    // 1-based catalogue index
  const EclipseRecord& eclipse;
  double deltaT;                // seconds
  const Place& place;       // with the local circumstances of this eclipse
  ContactClock& clock;          // the block's own, for this eclipse
};

// An eclipse seen, kept for the calling thread (the calendar needs all of them).
struct CityHistSeen {
  int index = 0;
  double deltaT = 0;
  Place place;
  // False: not on the list (the shadow axis is below the horizon at every contact) but
  // kept for the calendar, since the Moon itself is up during some phase: refraction lifts
  // it and it stands up to about 1.6 degrees from the axis.
  bool listed = true;
};

struct CityHistBlockCallbacks {
  // On a pool thread, for each eclipse of a block seen at the place, in catalogue order:
  // appends what the front end writes for it to the block's text. Without keepSeen the
  // place's altitudes are those of the contacts seen; a contact below the horizon holds
  // kAltitudeBelowHorizon.
  std::function<void(std::string& text, const CityHistFound& found)> format;
  // The blocks keep a CityHistSeen of each eclipse seen and, in catalogue order among
  // them, of each eclipse of the year range left off the list during which the Moon is
  // up (places/local_sky.h, VisiblePart): the calendar's candidates. They change neither
  // the texts nor the counts.
  bool keepSeen = false;
  // On the calling thread, block after block in catalogue order: the block's text, its
  // eclipses seen (when kept) and the outcome so far; `status` is the status text of the
  // block's last record in the year range, empty when it has none.
  std::function<void(std::string_view text, const std::vector<CityHistSeen>& seen, const std::string& status,
                     const CityHistOutcome& sofar)>
      onBlock;
};

// The search of RunCityHist on all cores: the same eclipses and counts, the texts in
// catalogue order. The stop flag is tested after every block handed on (and by the pool
// between records): a stopped search has handed on the whole blocks before the stop and
// nothing after them.
CityHistOutcome RunCityHistBlocks(const CityHistInput& input, const CityHistBlockCallbacks& callbacks,
                                  const std::atomic<bool>& stop, ListBlocks blocks = {});

}  // namespace varomintel
