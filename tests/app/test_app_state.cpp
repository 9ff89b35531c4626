// The application state: what each setter announces, from a selected state, and that
// nothing but a new eclipse moves the slider.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "../support/synthetic_eclipse.h"
#include "app/app_state.h"

namespace varomintel {
namespace {

using testing::LinearEclipse;

Catalogue TwoEclipses() {
  return Catalogue({LinearEclipse::Passing(1200, 0.3).Record(1997, 9, 16, 18),
                    LinearEclipse::Passing(4500, -0.8).Record(2000, 1, 21, 4)});
}

struct SetterRow {
  const char* name;
  std::function<Changes(AppState&)> set;
  Changes expected;
};

void PrintTo(const SetterRow& row, std::ostream* os) { *os << row.name; }

class Announces : public ::testing::TestWithParam<SetterRow> {};

// From eclipse 1, slider moved off greatest eclipse, universal time at +1 h, English,
// a marked place shown, map 2 with graticule, no play.
TEST_P(Announces, WhatChangedAndNothingForTheSameValue) {
  const Catalogue catalogue = TwoEclipses();
  AppState s(catalogue);
  s.SetLanguage(1);
  s.SetTimeZone(1.0);
  ASSERT_EQ(s.SelectEclipse(1), Changes(Aspect::Eclipse) | Aspect::SliderTime);
  s.SetSliderPosition(5000);
  s.SetMarkedPlace({47.5, 7.5}, true);
  s.SetMap(2, true);
  s.SetCaptionPrefix("Varomintel");
  const int index = s.Index();
  const double t = s.View().Now().t;
  const std::string report = s.View().Selection().report.empty() ? "" : s.View().Selection().report.back().text;

  const SetterRow& row = GetParam();
  EXPECT_EQ(row.set(s), row.expected);
  // Asked again with the same value: nothing changed, nothing announced.
  EXPECT_EQ(row.set(s), Changes());
  if (!row.expected.Has(Aspect::Eclipse)) {
    EXPECT_EQ(s.Index(), index);
    if (!row.expected.Has(Aspect::SliderTime)) {
      EXPECT_EQ(s.View().Now().t, t) << "the slider's time moved";
    }
  }
  if (row.expected.HasAny(Changes(Aspect::TimeZone) | Aspect::TimeScale | Aspect::Language)) {
    ASSERT_FALSE(s.View().Selection().report.empty());
    EXPECT_NE(s.View().Selection().report.back().text, report) << "the report was not made anew";
  }
}

const SetterRow kSetters[] = {
    {"another eclipse", [](AppState& s) { return s.SelectEclipse(2); }, Aspect::Eclipse | Aspect::SliderTime},
    {"the slider", [](AppState& s) { return s.SetSliderPosition(6000); }, Aspect::SliderTime},
    {"the slider beyond its end", [](AppState& s) { return s.SetSliderPosition(99999); }, Aspect::SliderTime},
    {"terrestrial time", [](AppState& s) { return s.SetUniversalTime(false); }, Aspect::TimeScale},
    {"another zone", [](AppState& s) { return s.SetTimeZone(-5.5); }, Aspect::TimeZone},
    {"a zone beyond 18 h", [](AppState& s) { return s.SetTimeZone(40); }, Aspect::TimeZone},
    {"French", [](AppState& s) { return s.SetLanguage(2); }, Aspect::Language},
    {"another place", [](AppState& s) { return s.SetMarkedPlace({-33.9, 151.2}, true); }, Aspect::MarkedPlace},
    {"the marker off", [](AppState& s) { return s.SetMarkedPlace({47.5, 7.5}, false); }, Aspect::MarkedPlace},
    {"another map", [](AppState& s) { return s.SetMap(0, true); }, Aspect::MapChoice},
    {"the graticule off", [](AppState& s) { return s.SetMap(2, false); }, Aspect::MapChoice},
    {"a play", [](AppState& s) { return s.SetPlay(PlayDirection::Reverse); }, Aspect::Play},
    {"the caption", [](AppState& s) { return s.SetCaptionPrefix("Varomintel 2"); }, Aspect::Caption},
};
INSTANTIATE_TEST_SUITE_P(AppState, Announces, ::testing::ValuesIn(kSetters));

// What changes nothing at all: the selected eclipse again, an index outside the
// catalogue, a zone or a place that is not a number, a stop without a play.
TEST(AppState, RefusedOrRepeatedChangesAnnounceNothing) {
  const Catalogue catalogue = TwoEclipses();
  AppState s(catalogue);
  EXPECT_EQ(s.SetPlay(std::nullopt), Changes());
  EXPECT_EQ(s.SelectEclipse(0), Changes());
  EXPECT_EQ(s.SelectEclipse(3), Changes());
  EXPECT_FALSE(s.HasSelection());
  ASSERT_FALSE(s.SelectEclipse(2).Empty());
  EXPECT_EQ(s.SelectEclipse(2), Changes());
  EXPECT_EQ(s.SetTimeZone(std::nan("")), Changes());
  EXPECT_EQ(s.SetMarkedPlace({std::nan(""), 0}, true), Changes());
  EXPECT_FALSE(s.MarkerShown());
  EXPECT_EQ(s.Time().timeZoneText, "+0.00");
  EXPECT_EQ(s.SetTimeZone(-30), Changes(Aspect::TimeZone));
  EXPECT_EQ(s.Time().timeZone, -18);
  EXPECT_EQ(s.Time().timeZoneText, "-18.00");
}

}  // namespace
}  // namespace varomintel
