// Whether a contact is visible from a place for every plausible Delta T. The instant of a
// contact is fixed in terrestrial time; Delta T decides how far the Earth has turned by
// then, and so where the Moon stands in the place's sky. Before the telescope Delta T is
// uncertain by minutes to an hour (DeltaTSigma), which moves the Moon's hour angle by
// degrees: a contact near moonrise or moonset may be visible or not depending on it.
#pragma once

#include <utility>
#include <vector>

#include "eclipse/catalogue.h"
#include "places/local_sky.h"

namespace varomintel {

enum class DeltaTVerdict {
  Certain,     // visible for every Delta T within model +- 2 sigma
  Impossible,  // visible for none of them
  Depends,     // visible for some
};
// "certain", "impossible", "depends".
const char* DeltaTVerdictName(DeltaTVerdict verdict);

struct DeltaTVisibility {
  // The Delta T values (seconds) within model +- 3 sigma for which the Moon's upper limb is
  // above the apparent horizon at the contact (SkyAt's moonVisible, as `local` decides),
  // as closed intervals [low, high] in increasing order; an interval that reaches the end
  // of the range stops there.
  std::vector<std::pair<double, double>> intervals;
  DeltaTVerdict verdict = DeltaTVerdict::Impossible;  // over model +- 2 sigma
};

// Given: the eclipse, the contact's instant t (hours of TT from T0), the place, the model's
// Delta T and its standard error sigma (seconds).
// Returned: the visible intervals and the verdict. The range is scanned in steps of at most
// 120 s (half a degree of the Earth's turn, so that the Moon's altitude moves by at most
// half a degree between two samples) and at least 256 steps, and every change of
// visibility is refined by bisection to a millisecond. A Moon that only grazes the horizon
// between two samples, by less than about a thousandth of a degree, can be missed.
DeltaTVisibility VisibilityOverDeltaT(const EclipseRecord& eclipse, double t, const Observer& observer,
                                      double modelDeltaT, double sigma);

}  // namespace varomintel
