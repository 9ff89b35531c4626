#include "places/city_list.h"

#include <algorithm>
#include <array>

#include <cstdio>
#include <cstdlib>

#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "astro/trig_func.h"
#include "eclipse/eclipse_type.h"
#include "places/list_text.h"
#include "places/local_circumstances.h"
#include "places/ordered_blocks.h"

namespace varomintel {

namespace {

const std::array<std::int32_t, kPopulationItems> kThresholds = {1000000, 500000, 250000, 100000, 50000,
                                                                 25000,   10000,  5000,   2000,   -1};

// What the run makes of one line of the city file, for both runs: the line is split, a
// place below the threshold is only passed over, one that passes is counted and computed.
// The names are copied into `place` only for a place that sees the eclipse, the one the
// run reports; the altitudes of the contacts below the horizon are not computed.
struct PlaceStep {
  std::optional<CityLineError> error;
  bool seen = false;  // the place sees the eclipse: `place` is filled for the report
};
PlaceStep StepPlace(std::string_view line, std::int32_t threshold, const LocalEclipse& prepared, Place& place,
                    CityListCounts& counts, long& unconverged) {
  PlaceStep step;
  CityLineFields fields;
  step.error = SplitCityLine(line, fields);
  if (step.error || fields.population < threshold) return step;
  ++counts.scanned;
  place.Population = fields.population;
  place.Latitude = fields.latitude;
  place.Longitude = fields.longitude;
  const LocalResult r = ApplyLocalEclipseSeen(prepared, place.Latitude * DegToRad, -place.Longitude * DegToRad, place);
  if (!r.converged) ++unconverged;
  if (!r.eclipse) return step;
  counts.statusSet = true;
  if (!SeesEclipse(place)) return step;
  ++counts.found;
  place.City.assign(fields.city);
  place.Country.assign(fields.country);
  step.seen = true;
  return step;
}

}  // namespace

std::string CityListCaption(const std::string& prefix, const EclipseRecord& e, std::uint8_t language,
                            std::optional<double> deltaT) {
  if (e.Year == 0 && e.Month == 0) return prefix;  // no eclipse selected yet
  // T0 is the whole hour of terrestrial time nearest the greatest eclipse.
  const double jdTT = DateToJD(e.Year, e.Month, e.Day, e.T0Hour, 0, 0);
  const CalendarDate d = JDToDate(jdTT - deltaT.value_or(DeltaT(e.Year, e.Month)) / 86400.0);
  char date[48];
  std::snprintf(date, sizeof date, "%s%04d-%02d-%02d", d.year < 0 ? "-" : "", std::abs(d.year), d.month, d.day);
  return (prefix.empty() ? std::string() : prefix + "     ") + date + "     " + EclipseTypeLongName(e.EclipseType, language);
}

std::int32_t PopulationThreshold(int item) {
  return item >= 0 && item < kPopulationItems ? kThresholds[static_cast<std::size_t>(item)] : -1;
}

CityListOutcome RunCityList(const CityListInput& input, const CityListCallbacks& callbacks,
                            const std::atomic<bool>& stop) {
  CityListOutcome outcome;
  CityFileReader reader(input.cityFile);
  outcome.cityFileOpened = reader.IsOpen();
  const std::int32_t threshold = PopulationThreshold(input.populationItem);
  const EclipseRecord& eclipse = input.eclipse;
  const double deltaT = input.deltaT.value_or(DeltaT(eclipse.Year, eclipse.Month));
  ContactClock clock(eclipse, deltaT);
  // The contact instants are the same for every place; only the altitudes differ.
  LocalEclipse prepared = PrepareLocalEclipse(eclipse, deltaT, UmbralGuard::CityList);
  PrepareSeenDecisions(prepared);
  std::string_view line;
  Place place;
  CityListCounts& counts = outcome.counts;
  while (reader.Next(line)) {
    PlaceStep step = StepPlace(line, threshold, prepared, place, counts, outcome.unconverged);
    if (step.error) {
      outcome.failure = CityFileFailure::BadNumberAt(reader.LineNumber(), std::move(*step.error));
      break;
    }
    if (step.seen && callbacks.onResult)
      callbacks.onResult(CityListHit{place, CityListLine(clock, place), CityListRecord(clock, place)});
    counts.bytesRead = reader.BytesConsumed();
    if (callbacks.afterLine) callbacks.afterLine(counts);
    if (stop.load(std::memory_order_relaxed)) {
      outcome.stopped = true;
      break;
    }
  }
  if (!outcome.failure && !outcome.stopped) outcome.failure = reader.Failure();
  return outcome;
}

namespace {

// One block of the city file: its lines as read, and what the pool made of them.
// Lines of the city file read for the pool: one string and the ends of its lines, so that
// a block costs two allocations however many lines it holds (both reused).
struct LineBlock {
  std::string lines;                // the lines one after another, without line breaks
  std::vector<std::size_t> ends;    // where each line ends in `lines`
  long firstLine = 0;               // 1-based number of the block's first line

  // Reads up to `count` lines; false when the file had none left.
  bool Fill(CityFileReader& reader, std::size_t count) {
    lines.clear();
    ends.clear();
    firstLine = reader.LineNumber() + 1;
    std::string_view line;
    while (ends.size() < count && reader.Next(line)) {
      lines += line;
      ends.push_back(lines.size());
    }
    return !ends.empty();
  }
  std::size_t Count() const { return ends.size(); }
  std::string_view Line(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends[i - 1];
    return std::string_view(lines).substr(begin, ends[i] - begin);
  }
  long LineNumber(std::size_t i) const { return firstLine + static_cast<long>(i); }
};

struct CityBlock : LineBlock {
  std::uint64_t bytesAfter = 0;     // bytes of the file consumed with the block
  Place place;                  // reused from place to place
  std::string text;                 // what the format callback appended
  CityListCounts counts;            // scanned, found and statusSet of the block
  long unconverged = 0;
  bool abandoned = false;           // the stop flag ended the work part way
  std::optional<CityFileFailure> failure;
};

// The pool tests the stop flag every this many places of a block.
constexpr std::size_t kStopTestEvery = 64;

}  // namespace

CityListOutcome RunCityListBlocks(const CityListInput& input, const CityListBlockCallbacks& callbacks,
                                  const std::atomic<bool>& stop, ListBlocks blocks) {
  CityListOutcome outcome;
  CityFileReader reader(input.cityFile);
  outcome.cityFileOpened = reader.IsOpen();
  const std::int32_t threshold = PopulationThreshold(input.populationItem);
  const EclipseRecord& eclipse = input.eclipse;
  const double deltaT = input.deltaT.value_or(DeltaT(eclipse.Year, eclipse.Month));
  // The contact instants are the same for every place; only the altitudes differ.
  LocalEclipse prepared = PrepareLocalEclipse(eclipse, deltaT, UmbralGuard::CityList);
  PrepareSeenDecisions(prepared);
  const unsigned threads = blocks.threads ? blocks.threads : ListThreads();
  const std::size_t blockSize = std::max<std::size_t>(1, blocks.size);
  std::vector<CityBlock> slots(BlockSlots(threads));

  BlockSteps steps;
  steps.read = [&](std::size_t slot) {
    CityBlock& b = slots[slot];
    const bool any = b.Fill(reader, blockSize);
    b.bytesAfter = reader.BytesConsumed();
    return any;
  };
  steps.work = [&](std::size_t slot) {
    CityBlock& b = slots[slot];
    b.text.clear();
    b.counts = CityListCounts{};
    b.unconverged = 0;
    b.abandoned = false;
    b.failure.reset();
    ContactClock clock(eclipse, deltaT);
    for (std::size_t i = 0; i < b.Count(); ++i) {
      if (i % kStopTestEvery == kStopTestEvery - 1 && stop.load(std::memory_order_relaxed)) {
        b.abandoned = true;
        return;
      }
      PlaceStep step = StepPlace(b.Line(i), threshold, prepared, b.place, b.counts, b.unconverged);
      if (step.error) {
        b.failure = CityFileFailure::BadNumberAt(b.LineNumber(i), std::move(*step.error));
        return;
      }
      if (step.seen && callbacks.format) callbacks.format(b.text, clock, b.place);
    }
  };
  CityListCounts& counts = outcome.counts;
  steps.handOn = [&](std::size_t slot) {
    const CityBlock& b = slots[slot];
    if (b.abandoned) {
      outcome.stopped = true;
      return false;
    }
    counts.scanned += b.counts.scanned;
    counts.found += b.counts.found;
    counts.statusSet = counts.statusSet || b.counts.statusSet;
    if (!b.failure) counts.bytesRead = b.bytesAfter;
    outcome.unconverged += b.unconverged;
    if (callbacks.onBlock) callbacks.onBlock(b.text, counts);
    if (b.failure) {
      outcome.failure = b.failure;
      return false;
    }
    if (stop.load(std::memory_order_relaxed)) {
      outcome.stopped = true;
      return false;
    }
    return true;
  };
  RunOrderedBlocks(threads, steps);
  if (!outcome.failure && !outcome.stopped) outcome.failure = reader.Failure();
  return outcome;
}

CityFileSurvey SurveyCityFile(const std::string& cityFile, int populationItem) {
  // Read on the calling thread, checked on the pool: the checking takes longer than the
  // reading.
  CityFileSurvey survey;
  CityFileReader reader(cityFile);
  const std::int32_t threshold = PopulationThreshold(populationItem);
  const unsigned threads = ListThreads();
  struct SurveyBlock : LineBlock {
    long passing = 0;
    std::optional<CityFileFailure> failure;
  };
  std::vector<SurveyBlock> slots(BlockSlots(threads));
  BlockSteps steps;
  steps.read = [&](std::size_t slot) { return slots[slot].Fill(reader, 4096); };
  steps.work = [&](std::size_t slot) {
    SurveyBlock& b = slots[slot];
    b.passing = 0;
    b.failure.reset();
    std::int32_t population = 0;
    for (std::size_t i = 0; i < b.Count(); ++i) {
      if (auto error = CheckCityLine(b.Line(i), population)) {
        b.failure = CityFileFailure::BadNumberAt(b.LineNumber(i), std::move(*error));
        return;
      }
      if (population >= threshold) ++b.passing;
    }
  };
  steps.handOn = [&](std::size_t slot) {
    SurveyBlock& b = slots[slot];
    survey.passing += b.passing;
    if (!b.failure) return true;
    survey.failure = std::move(b.failure);
    return false;
  };
  RunOrderedBlocks(threads, steps);
  if (!survey.failure) survey.failure = reader.Failure();
  return survey;
}

}  // namespace varomintel
