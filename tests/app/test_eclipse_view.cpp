// The view model: one selection, one slider position and one set of time settings, and
// what it gives the windows at each slider time in both time scales and all languages.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "../support/synthetic_eclipse.h"
#include "app/eclipse_view.h"
#include "app/picture_caption.h"
#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "eclipse/eclipse_type.h"

namespace varomintel {
namespace {

using testing::LinearEclipse;

struct ViewRow {
  const char* name;
  bool universalTime;
  std::uint8_t language;
  int position;   // asked for
  int shownAt;    // where the slider stands
};

void PrintTo(const ViewRow& row, std::ostream* os) { *os << row.name; }

class ViewAt : public ::testing::TestWithParam<ViewRow> {};

TEST_P(ViewAt, ShowsTheSliderTimeInItsTimeScale) {
  const ViewRow& row = GetParam();
  const LinearEclipse e = LinearEclipse::Passing(1200);
  const Catalogue catalogue({e.Record(1997, 9, 16, 18)});
  EclipseView view;
  TimeSettings settings;
  settings.universalTime = row.universalTime;
  settings.language = row.language;
  view.SetTimeSettings(settings);
  view.SetCaptionPrefix("Varomintel");
  ASSERT_FALSE(view.HasSelection());
  view.Select(catalogue, 1);
  ASSERT_TRUE(view.HasSelection());
  // A new selection stands at greatest eclipse (0.3 h after T0: position 7740).
  EXPECT_EQ(view.Position(), 7740);
  EXPECT_NEAR(view.Now().t, 0.3, 1e-9);

  view.SetSliderPosition(row.position);
  ASSERT_EQ(view.Position(), row.shownAt);
  const ShownMoment& now = view.Now();
  const double t = (row.shownAt - 7200) / 1800.0;
  EXPECT_DOUBLE_EQ(now.t, t);
  // Julian days: T0 = 1997-09-16 18:00 TT is JD 2450708.25; UT lags by Delta T, whole seconds.
  EXPECT_NEAR(now.jdTT, 2450708.25 + t / 24, 1e-9);
  const double deltaT = row.universalTime ? DeltaT(1997, 9) : 0;
  EXPECT_NEAR(now.jdUT, now.jdTT - deltaT / 86400, 0.51 / 86400);
  EXPECT_DOUBLE_EQ(now.jdUT * 86400, std::nearbyint(now.jdUT * 86400));
  // The texts of the time scale and the language.
  const std::string scale = row.universalTime ? " UTC" : " TT";
  EXPECT_EQ(now.dateTime.substr(0, 12), "1997-09-16  ");
  EXPECT_EQ(now.dateTime.substr(now.dateTime.size() - scale.size()), scale);
  EXPECT_EQ(now.caption, "Varomintel     " + now.dateTime + "     " +
                             EclipseTypeLongName(view.Selection().record.EclipseType, row.language));
  EXPECT_EQ(now.shortType, EclipseTypeShortName(view.Selection().record.EclipseType, row.language));
  // The Moon's place: the synthetic eclipse's x at t, in the elements the windows show.
  EXPECT_NEAR(now.elements.x, e.x0 + e.vx * t, 1e-6);
  EXPECT_EQ(now.constellation.size(), 3u);

  // The scene drawn is the moment shown, pointing into the view's selection.
  const DiagramScene scene = DiagramSceneOf(view);
  EXPECT_EQ(scene.record, &view.Selection().record);
  EXPECT_EQ(scene.moonPath, &view.Selection().moonPath);
  EXPECT_EQ(MomentOf(scene).dateTime, now.dateTime);
  EXPECT_EQ(scene.universalTime, row.universalTime);
}

INSTANTIATE_TEST_SUITE_P(
    EclipseView, ViewAt,
    ::testing::Values(ViewRow{"universal_time_English_at_T0", true, 1, 7200, 7200},
                      ViewRow{"terrestrial_time_German_first_position", false, 0, 0, 0},
                      ViewRow{"universal_time_French_last_position", true, 2, 14400, 14400},
                      ViewRow{"below_the_slider_is_held_at_0", true, 1, -50, 0},
                      ViewRow{"beyond_the_slider_is_held_at_14400", false, 1, 99999, 14400}),
    [](const ::testing::TestParamInfo<ViewRow>& row) { return std::string(row.param.name); });

// Switching the time scale and the language keeps the selection's circumstances and the
// slider; the clock reads Delta T later in terrestrial time.
TEST(EclipseViewSettings, KeepTheSliderAndTheCircumstances) {
  const Catalogue catalogue({LinearEclipse::Passing(1200).Record(1997, 9, 16, 18)});
  EclipseView view;
  view.Select(catalogue, 1);
  view.SetSliderPosition(9000);
  const double timeMax = view.Selection().circumstances.TimeMax;
  const ShownMoment universal = view.Now();

  TimeSettings tt = view.Settings();
  tt.universalTime = false;
  tt.language = 2;
  view.SetTimeSettings(tt);
  EXPECT_EQ(view.Position(), 9000);
  EXPECT_EQ(view.Selection().circumstances.TimeMax, timeMax);
  EXPECT_EQ(view.Selection().deltaTCaption, "TT");
  EXPECT_EQ(view.Now().jdTT, universal.jdTT);
  EXPECT_NEAR((view.Now().jdUT - universal.jdUT) * 86400, DeltaT(1997, 9), 1.0);
  EXPECT_EQ(view.Now().shortType, EclipseTypeShortName(view.Selection().record.EclipseType, 2));
  // The hour angle M, and with it the elements shown, follow the time scale's Delta T.
  EXPECT_NE(view.Now().elements.M, universal.elements.M);
  EXPECT_EQ(view.Now().elements.x, universal.elements.x);
}

// The caption of a saved picture: the instant in the time scale and zone chosen, the type's
// long name and the program's name, in each language.
struct CaptionRow {
  const char* name;
  int year, month, day, hour, minute, second;  // the instant in the row's time scale
  bool universalTime;
  double zone;  // hours
  std::uint8_t language;
  EclipseTypeCode type;
  bool atGreatest;
  const char* caption;
};

void PrintTo(const CaptionRow& row, std::ostream* os) { *os << row.name; }

class PictureCaptionOf : public ::testing::TestWithParam<CaptionRow> {};

TEST_P(PictureCaptionOf, WritesTheInstantInItsScaleAndZoneTheTypeAndTheName) {
  const CaptionRow& c = GetParam();
  const double jd = DateToJD(c.year, c.month, c.day, c.hour, c.minute, c.second);
  // Delta T of 69 s between the scales: only the row's own scale may show.
  const double jdTT = c.universalTime ? jd + 69.0 / 86400 : jd, jdUT = c.universalTime ? jd : jd - 69.0 / 86400;
  TimeSettings settings;
  settings.universalTime = c.universalTime;
  settings.timeZone = c.zone;
  settings.language = c.language;
  EXPECT_EQ(PictureCaption(jdTT, jdUT, settings, c.type, c.atGreatest), c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PictureCaptionOf,
    ::testing::Values(
        CaptionRow{"universal_time_english", 2022, 11, 8, 10, 59, 11, true, 0, 1, EclipseTypeCode::TotalCentral, false,
                   "2022-11-08  10:59:11 UTC  \u00b7  Total Lunar Eclipse (central)  \u00b7  Varomintel"},
        CaptionRow{"a_zone_east_moves_past_midnight_german", 2022, 11, 8, 23, 30, 0, true, 1, 0, EclipseTypeCode::Total,
                   false, "2022-11-09  00:30:00 UTC+1.00  \u00b7  Totale Mondfinsternis  \u00b7  Varomintel"},
        CaptionRow{"a_zone_west_of_half_hours_french", 2000, 1, 21, 4, 43, 0, true, -5.5, 2,
                   EclipseTypeCode::PartialUmbral, false,
                   "2000-01-20  23:13:00 UTC-5.50  \u00b7  Eclipse lunaire partielle  \u00b7  Varomintel"},
        CaptionRow{"terrestrial_time_ignores_the_zone_spanish", 2022, 11, 8, 11, 0, 22, false, 2, 3,
                   EclipseTypeCode::Total, false, "2022-11-08  11:00:22 TT  \u00b7  Eclipse lunar total  \u00b7  Varomintel"},
        CaptionRow{"greatest_eclipse_of_a_year_before_our_era", -1000, 3, 5, 12, 0, 0, true, 0, 1,
                   EclipseTypeCode::PartialPenumbral, true,
                   "Greatest eclipse -1000-03-05  12:00:00 UTC  \u00b7  Partial Penumbral Lunar Eclipse  \u00b7  "
                   "Varomintel"}),
    [](const ::testing::TestParamInfo<CaptionRow>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
