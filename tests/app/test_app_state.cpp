// The application state: what each setter announces, from a selected state, and that
// nothing but a new eclipse moves the slider.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "../support/synthetic_eclipse.h"
#include "app/app_state.h"
#include "app/observer_view.h"
#include "eclipse/elements.h"
#include "places/local_sky.h"

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
  if (row.expected.HasAny(Changes(Aspect::TimeZone) | Aspect::TimeScale | Aspect::Language | Aspect::DeltaT)) {
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
    {"an own Delta T", [](AppState& s) { return s.SetOwnDeltaT(3600.0); }, Aspect::DeltaT},
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
  EXPECT_EQ(s.SetOwnDeltaT(std::nan("")), Changes());
  EXPECT_EQ(s.SetOwnDeltaT(std::nullopt), Changes());
  EXPECT_EQ(s.SetMarkedPlace({std::nan(""), 0}, true), Changes());
  EXPECT_FALSE(s.MarkerShown());
  EXPECT_EQ(s.Time().timeZoneText, "+0.00");
  EXPECT_EQ(s.SetTimeZone(-30), Changes(Aspect::TimeZone));
  EXPECT_EQ(s.Time().timeZone, -18);
  EXPECT_EQ(s.Time().timeZoneText, "-18.00");
}

// An own Delta T reaches everything that shows time or the Earth's turn: the clock of
// the slider, the report (which names it), the hour marks of the Moon's path, the map and
// the marked place's sky; the circumstances and the slider stay; in terrestrial time the
// clock ignores it but the map and the sky keep it; none restores the model's selection.
TEST(AppState, AnOwnDeltaTReachesEveryViewOfTheSelection) {
  const Catalogue catalogue = TwoEclipses();
  AppState s(catalogue);
  s.SetLanguage(1);
  s.SelectEclipse(1);
  s.SetSliderPosition(5000);
  const SelectedEclipse model = s.View().Selection();
  const double t = s.View().Now().t;
  const GeoPoint place{0.0, -80.0};
  s.SetMarkedPlace(place, true);
  constexpr double kOwn = 1000;  // s; the model gives about a minute in 1997

  ASSERT_EQ(s.SetOwnDeltaT(kOwn), Changes(Aspect::DeltaT));
  const SelectedEclipse& own = s.View().Selection();
  const EclipseRecord& r = own.record;
  EXPECT_EQ(own.deltaT, kOwn);
  EXPECT_EQ(own.circumstances.TimeMax, model.circumstances.TimeMax);
  EXPECT_EQ(s.View().Now().t, t);
  EXPECT_NEAR((s.View().Now().jdTT - s.View().Now().jdUT) * 86400, kOwn, 0.51);
  ASSERT_FALSE(own.report.empty());
  EXPECT_EQ(own.report.back().text.rfind("Delta T = 1000 s (own value; model ", 0), 0u) << own.report.back().text;
  EXPECT_NE(own.report[4].text, model.report[4].text) << own.report[4].text;  // the first contact's clock moved
  const double f = kOwn / 3600;
  EXPECT_EQ(own.moonPath[kMoonPathHours].x, EvaluateXY(r, f).x);
  const double tMax = own.circumstances.TimeMax;
  const double ownM = EvaluateElements(r, tMax, kOwn).M;
  EXPECT_EQ(s.View().MapEclipse().at[Contact::Max].M, ownM);
  EXPECT_NE(ownM, EvaluateElements(r, tMax, model.deltaT).M);
  const Observer observer = ObserverAt(place);
  const auto shownAltitude = [&] {
    const ObserverTable table = ObserverTableOf(s.View().Selection(), s.Time(), s.PointOfInterest());
    for (const ObserverRow& row : table.rows)
      if (row.cells[0] == "Max") return std::stod(row.cells[2]);
    ADD_FAILURE() << "no Max row";
    return 0.0;
  };
  EXPECT_NEAR(shownAltitude(), SkyAt(r, kOwn, observer, tMax).moonApparentAltitudeDeg, 0.051);

  ASSERT_EQ(s.SetUniversalTime(false), Changes(Aspect::TimeScale));
  EXPECT_EQ(s.View().Selection().deltaT, 0.0);
  EXPECT_EQ(s.View().MapEclipse().at[Contact::Max].M, ownM);
  EXPECT_NEAR(shownAltitude(), SkyAt(r, kOwn, observer, tMax).moonApparentAltitudeDeg, 0.051);
  s.SetUniversalTime(true);

  ASSERT_EQ(s.SetOwnDeltaT(std::nullopt), Changes(Aspect::DeltaT));
  const SelectedEclipse& back = s.View().Selection();
  EXPECT_EQ(back.deltaT, model.deltaT);
  EXPECT_EQ(back.report.back().text, model.report.back().text);
  EXPECT_EQ(back.moonPath[kMoonPathHours].x, model.moonPath[kMoonPathHours].x);
  EXPECT_NEAR(shownAltitude(), SkyAt(r, model.deltaT, observer, tMax).moonApparentAltitudeDeg, 0.051);
}

}  // namespace
}  // namespace varomintel
