// The shadow diagram read back pixel by pixel: the shadows' colours and extents, the Moon
// copied from its picture and darkened by the shading rule, what is drawn only when a
// contact occurs, the captions' side, the hour marks of universal time and the date text.
// Scenes are synthetic eclipses (the Moon on a straight line) with closed forms.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include <cctype>
#include <cmath>
#include <string>

#include "../support/synthetic_eclipse.h"
#include "app/selected_eclipse.h"
#include "app/time_slider.h"
#include "astro/calendar.h"
#include "render/moon_pictures.h"
#include "render/shadow_diagram.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

using testing::LinearEclipse;
constexpr int kCX = 520, kCY = 240;

// Every picture filled with one colour; or none at all.
MoonPictures UniformPictures(QRgb colour) {
  MoonPictures m;
  for (int n = kFirstMoonPicture; n <= kLastMoonPicture; ++n) {
    QImage p(n, n, QImage::Format_RGB32);
    p.fill(colour);
    m.SetPicture(n, p);
  }
  return m;
}

SelectedEclipse Select(const EclipseRecord& r, bool universalTime = false) {
  TimeSettings settings;
  settings.universalTime = universalTime;
  settings.language = 1;
  return SelectEclipseAt(Catalogue({r}), 1, settings);
}

// The picture and the texts shown with it, which come from the scene, not the renderer.
struct Drawn {
  QImage image;
  ShownMoment frame;
};

Drawn Draw(const SelectedEclipse& s, int position, const MoonPictures& pictures, bool universalTime = false) {
  Drawn d;
  const SliderTime time = SliderTimeAt(s.record, position, s.deltaT);
  const DiagramScene scene = DiagramSceneOf(s, time, universalTime, 1, "Varomintel");
  d.image = DrawShadowDiagram(scene, pictures);
  d.frame = MomentOf(scene);
  return d;
}

int Count(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
  return n;
}

// Test names from the rows' names.
template <class Row>
std::string RowName(const ::testing::TestParamInfo<Row>& row) {
  std::string n = row.param.name;
  for (char& c : n) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return n;
}

std::string Rgb(QRgb c) {
  return std::to_string(qRed(c)) + "," + std::to_string(qGreen(c)) + "," + std::to_string(qBlue(c));
}

// A penumbral eclipse south of the centre (P1 and P4 at x = -+3818"), its Moon at slider
// position 0 (t = -4 h) outside the shadows at (-8000", -4000").
LinearEclipse Southern() {
  LinearEclipse e;
  e.x0 = -800;
  e.vx = 1800;
  e.y0 = -4000;
  e.vy = 0;
  return e;
}

// --- The shadows and the background at known sky points -------------------------------

struct SkyPoint {
  const char* name;
  double x, y;  // arcseconds
  QRgb colour;
};

class ShadowColours : public ::testing::TestWithParam<SkyPoint> {};

TEST_P(ShadowColours, AtSkyPoint) {
  const SkyPoint& p = GetParam();
  const Drawn d = Draw(Select(Southern().Record()), kSliderT0, UniformPictures(qRgb(200, 200, 200)));
  ASSERT_EQ(d.image.size(), QSize(1040, 480));
  EXPECT_EQ(d.image.dotsPerMeterX(), 3780);
  EXPECT_EQ(d.image.dotsPerMeterY(), 3780);
  const int col = static_cast<int>(std::lrint(kCX - p.x / 22.3)), row = static_cast<int>(std::lrint(kCY - p.y / 22.3));
  EXPECT_EQ(Rgb(d.image.pixel(col, row)), Rgb(p.colour)) << p.name << " at " << col << "," << row;
}

// f1 = 4600" (206 px), f2 = 2700" (121 px).
INSTANTIATE_TEST_SUITE_P(
    Diagram, ShadowColours,
    ::testing::Values(SkyPoint{"sky beyond the penumbra", 6000, 5000, qRgb(0, 0, 0)},
                      SkyPoint{"penumbra, north-west", -3300, 2200, qRgb(96, 96, 96)},
                      SkyPoint{"umbra, north-east", 1200, 600, qRgb(48, 48, 48)},
                      SkyPoint{"umbra's last pixel, west", -121 * 22.3, 22.3, qRgb(48, 48, 48)},
                      SkyPoint{"penumbra's first pixel, west", -122 * 22.3, 22.3, qRgb(96, 96, 96)},
                      SkyPoint{"umbra's last pixel, east", 121 * 22.3, -22.3, qRgb(48, 48, 48)},
                      SkyPoint{"penumbra's first pixel, east", 122 * 22.3, -22.3, qRgb(96, 96, 96)},
                      SkyPoint{"penumbra's last pixel, west", -206 * 22.3, -22.3, qRgb(96, 96, 96)},
                      SkyPoint{"sky just beyond, west", -207 * 22.3, -22.3, qRgb(0, 0, 0)}),
    RowName<SkyPoint>);

// --- The Moon -------------------------------------------------------------------------

TEST(MoonOutsideTheShadow, IsItsPicturePixelForPixel) {
  const MoonPictures pictures = MoonPictures::Load(testing::DataDir() + "/");
  ASSERT_EQ(pictures.Count(), 23);
  const LinearEclipse e = Southern();
  const Drawn d = Draw(Select(e.Record()), 0, pictures);  // t = -4 h
  const double x = e.x0 - 4 * e.vx, y = e.y0, rmoo = e.moonRadius;
  const int D = static_cast<int>(std::lrint(2 * rmoo / 22.3));
  const double h = D / 2.0;
  const QImage& picture = pictures.Picture(D + 2);
  const int left = kCX - static_cast<int>(std::lrint((x + rmoo) / 22.3));
  const int top = kCY - static_cast<int>(std::lrint((y + rmoo) / 22.3));
  int compared = 0;
  for (int v = 0; v <= D; ++v)
    for (int u = 0; u <= D; ++u) {
      // Inside the disc, clear of the outline drawn over its rim.
      if ((u - h) * (u - h) + (v - h) * (v - h) >= (h - 1.5) * (h - 1.5)) continue;
      ASSERT_EQ(Rgb(d.image.pixel(left + u, top + v)), Rgb(picture.pixel(u, v))) << "picture pixel " << u << "," << v;
      ++compared;
    }
  EXPECT_GT(compared, 4800);  // about pi * 39.5^2
}

// The Moon's centre exactly on the umbra's east edge: x = f2 = 2690", y = 0. The Moon's
// pixels are offset by 0.6 pixel from the shadow's outline here, so the centre pixel is
// not covered by it.
TEST(MoonShading, PenumbraAndUmbraOnIntegersWithTheirFloors) {
  LinearEclipse e;
  e.x0 = 2690;
  e.vx = 1800;
  e.y0 = 0;
  e.vy = 0;
  e.f2 = 2690;
  e.moonRadius = 909.22;  // D = 82, its picture's top-left corner at column 520 - 161 = 359
  const Drawn d = Draw(Select(e.Record()), kSliderT0, UniformPictures(qRgb(40, 180, 230)));
  EXPECT_DOUBLE_EQ(d.frame.elements.x, 2690);
  const int centreCol = kCX - 161 + 41, centreRow = kCY - 41 + 41;
  EXPECT_EQ(Rgb(d.image.pixel(centreCol, centreRow)), "40,180,230") << "on the edge: neither penumbra nor umbra";
  EXPECT_EQ(Rgb(d.image.pixel(centreCol + 1, centreRow)), "16,36,38") << "umbra: -48, -144, -192, floor 16";
  EXPECT_EQ(Rgb(d.image.pixel(centreCol - 2, centreRow)), "64,156,198") << "penumbra: red 40 comes out 64";
  EXPECT_EQ(Rgb(d.image.pixel(centreCol + 20, centreRow + 20)), "16,36,38");
  EXPECT_EQ(Rgb(d.image.pixel(centreCol - 20, centreRow - 20)), "64,156,198");
}

struct MoonSize {
  const char* name;
  double moonRadius;  // arcseconds
  bool pictures;
};

class MoonDisc : public ::testing::TestWithParam<MoonSize> {};

// A Moon beyond the pictures' range (68..90 pixels) takes the nearest picture scaled to its
// size; a missing picture leaves a plain disc. Either way the whole disc is Moon.
TEST_P(MoonDisc, FillsItsWholeDisc) {
  LinearEclipse e = Southern();
  e.moonRadius = GetParam().moonRadius;
  const MoonPictures pictures = GetParam().pictures ? UniformPictures(qRgb(210, 190, 170)) : MoonPictures();
  const Drawn d = Draw(Select(e.Record()), 0, pictures);
  const int D = MoonDiameterPixels(e.moonRadius);
  const double x = e.x0 - 4 * e.vx, h = D / 2.0;
  const int left = kCX - static_cast<int>(std::lrint((x + e.moonRadius) / 22.3));
  const int top = kCY - static_cast<int>(std::lrint((e.y0 + e.moonRadius) / 22.3));
  const QRgb want = GetParam().pictures ? qRgb(210, 190, 170) : d.image.pixel(left + D / 2, top + D / 2);
  EXPECT_NE(Rgb(want), "0,0,0");
  for (int v = 0; v <= D; ++v)
    for (int u = 0; u <= D; ++u)
      if ((u - h) * (u - h) + (v - h) * (v - h) < (h - 1.5) * (h - 1.5)) {
        ASSERT_EQ(Rgb(d.image.pixel(left + u, top + v)), Rgb(want)) << u << "," << v;
      }
}

INSTANTIATE_TEST_SUITE_P(Diagram, MoonDisc,
                         ::testing::Values(MoonSize{"small_50px", 557.5, true}, MoonSize{"large_110px", 1226.5, true},
                                           MoonSize{"in_range_without_pictures", 930, false}),
                         RowName<MoonSize>);

// --- What is drawn only when it occurs ------------------------------------------------

struct ContactCase {
  const char* name;
  double lmin;  // the Moon's least distance from the axis, arcseconds
  bool orange, red;
};

class ContactColours : public ::testing::TestWithParam<ContactCase> {};

TEST_P(ContactColours, OnlyForContactsThatOccur) {
  const ContactCase& c = GetParam();
  const Drawn d = Draw(Select(LinearEclipse::Passing(c.lmin).Record()), 0, UniformPictures(qRgb(200, 200, 200)));
  EXPECT_GT(Count(d.image, qRgb(255, 255, 0)), 100) << "P1, P4";
  EXPECT_EQ(Count(d.image, qRgb(255, 128, 0)) > 0, c.orange) << "U1, U4";
  EXPECT_EQ(Count(d.image, qRgb(255, 0, 0)) > 0, c.red) << "U2, U3";
  EXPECT_GT(Count(d.image, qRgb(255, 255, 255)), 100) << "greatest eclipse";
}

// Umbra contact below 2700 + 930 = 3630", totality below 2700 - 930 = 1770".
INSTANTIATE_TEST_SUITE_P(Diagram, ContactColours,
                         ::testing::Values(ContactCase{"penumbral", 4500, false, false},
                                           ContactCase{"partial", 3000, true, false},
                                           ContactCase{"total", 1200, true, true}),
                         RowName<ContactCase>);

TEST(ContactAtTimeZero, MeansItDoesNotOccur) {
  SelectedEclipse s = Select(LinearEclipse::Passing(4500).Record());  // P1, P4, no P2
  ASSERT_EQ(s.circumstances.TimeP2, 0);
  const MoonPictures pictures = UniformPictures(qRgb(200, 200, 200));
  EXPECT_GT(Count(Draw(s, 0, pictures).image, qRgb(255, 255, 0)), 100);
  s.circumstances.TimeP1 = 0;
  EXPECT_EQ(Count(Draw(s, 0, pictures).image, qRgb(255, 255, 0)), 0) << "no P1, P4 outline, dot or label";
}

// Greatest eclipse at (0", -4000"): column 520, row 419. Its centre is a dot of about three
// pixels; its label begins two rows below it.
TEST(ContactCentre, IsADotOfAboutThreePixels) {
  const Drawn d = Draw(Select(Southern().Record()), 0, UniformPictures(qRgb(200, 200, 200)));
  const QRgb white = qRgb(255, 255, 255);
  EXPECT_EQ(d.image.pixel(520, 419), white);
  int dot = 0;
  for (int y = 419 - 6; y <= 419 + 1; ++y)
    for (int x = 520 - 6; x <= 520 + 6; ++x) {
      if (d.image.pixel(x, y) != white) continue;
      ++dot;
      EXPECT_LE(std::abs(x - 520), 2) << x << "," << y;
      EXPECT_LE(std::abs(y - 419), 2) << x << "," << y;
    }
  EXPECT_GE(dot, 3);
}

// --- Captions and the time scale ------------------------------------------------------

struct CaptionSide {
  const char* name;
  double gamma;
  bool below;
};

class PenumbraCaption : public ::testing::TestWithParam<CaptionSide> {};

TEST_P(PenumbraCaption, BelowTheCentreOnlyForPositiveGamma) {
  EclipseRecord r = Southern().Record();
  r.Gamma = GetParam().gamma;
  const Drawn d = Draw(Select(r), 0, UniformPictures(qRgb(200, 200, 200)));
  int above = 0, below = 0;
  // The bands of the two lines on either side (rows CY -+ 140 and 160, text 19 pixels high).
  for (int y = 0; y < d.image.height(); ++y)
    for (int x = kCX - 60; x <= kCX + 60; ++x)
      if (std::abs(std::abs(y - kCY) - 150) <= 25 && d.image.pixel(x, y) == qRgb(176, 176, 176))
        (y < kCY ? above : below)++;
  EXPECT_GT(GetParam().below ? below : above, 20);
  EXPECT_EQ(GetParam().below ? above : below, 0);
}

INSTANTIATE_TEST_SUITE_P(Diagram, PenumbraCaption,
                         ::testing::Values(CaptionSide{"north", 0.3, true}, CaptionSide{"central", 0.0, false},
                                           CaptionSide{"south", -0.3, false}),
                         RowName<CaptionSide>);

// The path runs west-east at y = -4000" (row 419); hour marks cross it vertically.
TEST(HourMarks, OnlyInUniversalTimeWithItsDateText) {
  const SelectedEclipse s = Select(Southern().Record(), true);
  const MoonPictures pictures = UniformPictures(qRgb(200, 200, 200));
  const Drawn ut = Draw(s, 0, pictures, true);
  const Drawn tt = Draw(s, 0, pictures, false);
  const QRgb path = qRgb(128, 128, 255);
  int marksUT = 0, marksTT = 0;
  for (int k = 1; k + 1 < static_cast<int>(s.moonPath.size()); ++k) {
    const int col = static_cast<int>(std::lrint(kCX - s.moonPath[static_cast<std::size_t>(k)].x / 22.3));
    const int row = static_cast<int>(std::lrint(kCY - s.moonPath[static_cast<std::size_t>(k)].y / 22.3));
    // Off the picture, or where the contacts' outlines and the Moon (column 879) lie over it.
    if (col < 0 || col >= 1040 || std::abs(col - 520) < 50 || std::abs(std::abs(col - 520) - 171) < 50 ||
        std::abs(col - 879) < 50)
      continue;
    marksUT += ut.image.pixel(col, row - 4) == path && ut.image.pixel(col, row + 4) == path;
    marksTT += tt.image.pixel(col, row - 4) == path || tt.image.pixel(col, row + 4) == path;
  }
  EXPECT_GE(marksUT, 5);
  EXPECT_EQ(marksTT, 0);
  EXPECT_TRUE(ut.frame.dateTime.ends_with(" UTC")) << ut.frame.dateTime;
  EXPECT_TRUE(tt.frame.dateTime.ends_with(" TT")) << tt.frame.dateTime;
  // 4 hours before T0 = 11:00 TT; in universal time less Delta T, in whole seconds.
  EXPECT_EQ(tt.frame.dateTime, "2022-11-08  07:00:00 TT");
  EXPECT_EQ(tt.frame.caption, "Varomintel     2022-11-08  07:00:00 TT     Partial Penumbral Lunar Eclipse");
  EXPECT_EQ(tt.frame.shortType, "Part. Penumb. Lunar Eclipse");
  const double jdUT = DateToJD(2022, 11, 8, 7, 0, -s.deltaT);
  EXPECT_GT(s.deltaT, 60);
  EXPECT_NEAR(ut.frame.jdUT * 86400, jdUT * 86400, 0.5);
  EXPECT_NEAR(ut.frame.jdUT * 86400, std::nearbyint(ut.frame.jdUT * 86400), 1e-4);
  EXPECT_EQ(ut.frame.dateTime, DiagramDateTimeText(jdUT, true));
}

// --- The date-time text ---------------------------------------------------------------

struct DateCase {
  int year, month, day;
  double hour, minute, second;
  bool ut;
  const char* text;
};

class DateTimeText : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateTimeText, FourDigitYearsAndWholeSeconds) {
  const DateCase& c = GetParam();
  EXPECT_EQ(DiagramDateTimeText(DateToJD(c.year, c.month, c.day, c.hour, c.minute, c.second), c.ut), c.text);
}

INSTANTIATE_TEST_SUITE_P(Diagram, DateTimeText,
                         ::testing::Values(DateCase{2022, 11, 8, 10, 59, 11, true, "2022-11-08  10:59:11 UTC"},
                                           DateCase{-3000, 2, 3, 4, 5, 6, false, "-3000-02-03  04:05:06 TT"},
                                           DateCase{5, 1, 1, 0, 0, 0, true, "0005-01-01  00:00:00 UTC"},
                                           DateCase{-5, 12, 31, 23, 59, 59.4, true, "-0005-12-31  23:59:59 UTC"},
                                           DateCase{2000, 1, 1, 23, 59, 59.6, true, "2000-01-02  00:00:00 UTC"}));

// Every position of the slider with a Delta T of odd tenths: the clock is the instant's,
// to the nearest second, and never shows 60 seconds.
TEST(DateTimeText, NeverSixtySecondsOverTheWholeSlider) {
  const EclipseRecord r = Southern().Record();
  for (const double deltaT : {0.5, 69.3, 29.7}) {
    for (int position = kSliderFirst; position <= kSliderLast; ++position) {
      const SliderTime time = SliderTimeAt(r, position, deltaT);
      const std::string text = DiagramDateTimeText(time.jdUT, true);
      ASSERT_EQ(text.size(), 24u) << text;
      const int hh = std::stoi(text.substr(12, 2)), mm = std::stoi(text.substr(15, 2)), ss = std::stoi(text.substr(18, 2));
      ASSERT_LT(ss, 60) << text;
      // 11:00 TT + t - Delta T, in seconds of the day.
      const double want = 11 * 3600 + time.t * 3600 - deltaT;
      ASSERT_NEAR(hh * 3600 + mm * 60 + ss, want, 0.5 + 1e-6) << text;
    }
  }
}

}  // namespace
}  // namespace varomintel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
