// The Delta T that a timed record of an eclipse implies. A contact happens at a fixed
// instant of terrestrial time; sunset, sunrise, moonrise, moonset and midnight happen when
// the Earth has turned far enough, and so move in terrestrial time with Delta T (by about
// one second per second). A record such as "the eclipse began 1.5 hours after moonrise"
// therefore holds for one Delta T, and "it began after moonrise" for all Delta T on one
// side of a bound. The method is that of the historical analyses of timed eclipses
// (Stephenson, Historical Eclipses and Earth's Rotation, Cambridge 1997, ch. 3).
#pragma once

#include <optional>
#include <string>

#include "eclipse/catalogue.h"
#include "eclipse/contact.h"
#include "places/local_sky.h"

namespace varomintel {

enum class RecordReference { Sunset, Sunrise, Moonrise, Moonset, Midnight };
// "sunset", "sunrise", "moonrise", "moonset", "midnight".
const char* RecordReferenceName(RecordReference reference);

struct EclipseRecordTiming {
  Contact event = Contact::U1;
  bool after = true;  // the event came after the reference; false: before it
  RecordReference reference = RecordReference::Moonrise;
  // The hours between the reference and the event (0 or more), none for a record that
  // only says after or before.
  std::optional<double> hours;
  bool seasonal = false;  // hours are seasonal hours of that night (of the day by day)
};

enum class RecordSolution {
  Exact,       // deltaT is the value at which the event falls at the stated hours
  UpperBound,  // the record holds for Delta T up to deltaT
  LowerBound,  // ... from deltaT up
  Everywhere,  // the record holds for every Delta T within the range
  Nowhere,     // for none
  NoEvent,     // the eclipse has no such contact at the place
  NoReference  // the reference does not occur near the event (polar day or night, a
               // circumpolar Moon; midnight for an event by day)
};

struct RecordDeltaT {
  RecordSolution solution = RecordSolution::Nowhere;
  double deltaT = 0;  // seconds: the value or the bound; the model's value otherwise
  double eventT = 0;  // hours of TT from T0 (the event does not move with Delta T)
  std::optional<double> referenceT;  // the reference at deltaT (hours of TT from T0)
};

// The range searched: the model's value +- this many standard errors, but no more than
// kRecordReachS (12 hours) either way, so that the followed references stay within a day
// and a half of the eclipse, where its elements hold (only after about 5000, where sigma
// exceeds 2.4 hours, is the range cut).
inline constexpr double kRecordSigmas = 5;
inline constexpr double kRecordReachS = 12 * 3600.0;

// Given: the eclipse, the place, the record, the model's Delta T and its standard error
// (seconds). Returned: the Delta T the record implies within model +- kRecordSigmas sigma
// (at most kRecordReachS).
// The reference is the one next to the event at the model's value (the last before it for
// "after", the next for "before"; midnight and the seasonal hour of the night the event
// falls in), followed continuously as Delta T changes. The range is scanned at 64 points
// and each change of sign refined by bisection to a millisecond of Delta T; of several
// roots, the one nearest the model's value.
RecordDeltaT SolveRecordDeltaT(const EclipseRecord& eclipse, const Observer& observer,
                               const EclipseRecordTiming& record, double modelDeltaT, double sigma);

}  // namespace varomintel
