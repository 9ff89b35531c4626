// The labels on the shadow diagrams of real eclipses. The Moon's path label covers no other
// text of the diagram (the compass letters, the shadows' captions, the ecliptic's label, the
// contact labels); on 2023 Oct 28 the path crosses the west side next to the compass's
// west letter, which the label at its first place covered. The contact labels keep clear of
// the Moon's picture wherever the slider puts it. Turned to a place's zenith, every text
// stays upright within the picture and off the Moon.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>
#include <utility>
#include <ostream>
#include <string>
#include <vector>

#include "app/eclipse_view.h"
#include "app/selected_eclipse.h"
#include "app/time_slider.h"
#include "eclipse/catalogue.h"
#include "places/local_sky.h"
#include "render/moon_pictures.h"
#include "render/shadow_diagram.h"
#include "text/text_table.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

constexpr int k2023Oct28 = 16923;

const Catalogue& Shipped() {
  static const CatalogueLoad load = LoadCatalogue(testing::DataDir() + "/" + std::string(kCatalogueFileName));
  return load.catalogue;
}

DiagramScene SceneOf(const SelectedEclipse& s, std::uint8_t language) {
  return DiagramSceneOf(s, SliderTimeAt(s.record, 0, s.deltaT), true, language, "Varomintel");
}

// Of the pixels that `label` sets when drawn alone in white on black (12 points, the
// contact labels' and compass letters' font): how many there are, and how many of them
// `diagram` shows in `colour`. The label is taken within the picture.
std::pair<int, int> LetterPixelsShown(const QImage& diagram, const DiagramLabel& label, QRgb colour) {
  QImage alone = NewDiagramImage();
  alone.fill(Qt::black);
  {
    QPainter p(&alone);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(label.box.left(), label.box.top() + p.fontMetrics().ascent(), label.text);
  }
  int letter = 0, shown = 0;
  for (int y = std::max(0, label.box.top()); y <= std::min(kDiagramHeight - 1, label.box.bottom()); ++y)
    for (int x = std::max(0, label.box.left()); x <= std::min(kDiagramWidth - 1, label.box.right()); ++x) {
      if (alone.pixel(x, y) != qRgb(255, 255, 255)) continue;
      ++letter;
      shown += diagram.pixel(x, y) == colour;
    }
  return {letter, shown};
}

// Every eclipse from `from` to `to` (years) in the three languages: the path label's box
// meets no other text's box.
struct Span {
  const char* name;
  int from, to;
};

void PrintTo(const Span& s, std::ostream* os) { *os << s.name; }

class PathLabelPlace : public ::testing::TestWithParam<Span> {};

TEST_P(PathLabelPlace, CoversNoOtherText) {
  const Span& span = GetParam();
  ASSERT_GT(Shipped().Count(), 0);
  int eclipses = 0;
  for (int index = 1; index <= Shipped().Count(); ++index) {
    const EclipseRecord& r = Shipped().At(index);
    if (r.Year < span.from || r.Year > span.to) continue;
    ++eclipses;
    TimeSettings settings;
    const SelectedEclipse s = SelectEclipseAt(Shipped(), index, settings);
    for (std::uint8_t language = 0; language < 3; ++language) {
      const DiagramScene scene = SceneOf(s, language);
      const DiagramLabel path = PathLabel(scene);
      EXPECT_EQ(path.text.toStdString(), Text(text_row::kMoonsPath, language));
      const std::vector<DiagramLabel> fixed = FixedDiagramLabels(scene);
      ASSERT_GE(fixed.size(), 10u);  // four caption lines, four compass letters, ecliptic, Max
      for (const DiagramLabel& other : fixed)
        EXPECT_FALSE(path.box.intersects(other.box))
            << r.Year << "-" << r.Month << "-" << r.Day << " (" << index << "), language " << int{language} << ": \""
            << path.text.toStdString() << "\" covers \"" << other.text.toStdString() << "\"";
    }
  }
  EXPECT_GT(eclipses, 0);
}

INSTANTIATE_TEST_SUITE_P(Eclipses, PathLabelPlace,
                         ::testing::Values(Span{"year_2023", 2023, 2023}, Span{"years_1900_to_2100", 1900, 2100},
                                           Span{"years_minus_1000_to_minus_900", -1000, -900}),
                         [](const auto& row) { return std::string(row.param.name); });

// The pixels: on 2023 Oct 28 the west letter is drawn whole, in each language (the path
// label, on its opaque black ground, came later and blotted part of it out).
TEST(PathLabelPlace, TheWestLetterOf2023Oct28ShowsWhole) {
  ASSERT_TRUE(Shipped().Contains(k2023Oct28));
  ASSERT_EQ(Shipped().At(k2023Oct28).Year, 2023);
  ASSERT_EQ(Shipped().At(k2023Oct28).Month, 10);
  const SelectedEclipse s = SelectEclipseAt(Shipped(), k2023Oct28, TimeSettings{});
  for (std::uint8_t language = 0; language < 3; ++language) {
    const DiagramScene scene = SceneOf(s, language);
    const QImage diagram = DrawShadowDiagram(scene, MoonPictures{});
    const std::vector<DiagramLabel> fixed = FixedDiagramLabels(scene);
    const QString west = QString::fromStdString(Text(text_row::kWest, language));
    const auto it = std::find_if(fixed.begin(), fixed.end(), [&](const DiagramLabel& l) { return l.text == west; });
    ASSERT_NE(it, fixed.end());
    const auto [letter, shown] = LetterPixelsShown(diagram, *it, qRgb(255, 255, 255));
    EXPECT_GT(letter, 20) << west.toStdString();
    EXPECT_EQ(shown, letter) << west.toStdString();
  }
}

// The contact labels over the catalogue's years: at every slider position from 10 minutes
// before the first contact to 10 minutes after the last, three minutes apart (the Moon
// moves about 4 pixels meanwhile, a label is 18 high), and at each
// contact itself, in every language, no label's box meets the Moon's disc (with its
// outline) as the renderer placed them; a label stays at its own place under its contact
// unless the Moon is there, and moves only up or down. At greatest eclipse the drawn
// picture shows each label's letters.
struct YearSample {
  const char* name;
  int from, to;  // years
  int stride;    // every stride-th eclipse of the span
};

void PrintTo(const YearSample& s, std::ostream* os) { *os << s.name; }

class ContactLabels : public ::testing::TestWithParam<YearSample> {};

// True when a pixel of `box` lies within `radius` of (x, y).
bool Meets(const QRect& box, double x, double y, double radius) {
  const double dx = std::max({box.left() - x, 0.0, x - box.right()});
  const double dy = std::max({box.top() - y, 0.0, y - box.bottom()});
  return dx * dx + dy * dy < radius * radius;
}

TEST_P(ContactLabels, KeepClearOfTheMoonAtEverySliderPosition) {
  const YearSample& sample = GetParam();
  int eclipses = 0, layouts = 0, moved = 0, failures = 0;
  int seen = 0;
  for (int index = 1; index <= Shipped().Count(); ++index) {
    const EclipseRecord& r = Shipped().At(index);
    if (r.Year < sample.from || r.Year > sample.to || seen++ % sample.stride != 0) continue;
    ++eclipses;
    const SelectedEclipse s = SelectEclipseAt(Shipped(), index, TimeSettings{});
    const EclipseCircumstances& c = s.circumstances;
    std::vector<int> positions;
    const int first = c.TimeP1 != 0 ? SliderPosition(c.TimeP1) - 300 : kSliderFirst;
    const int last = c.TimeP4 != 0 ? SliderPosition(c.TimeP4) + 300 : kSliderLast;
    for (int at = std::max(first, kSliderFirst); at <= std::min(last, kSliderLast); at += 90) positions.push_back(at);
    for (const double t : {c.TimeMax, c.TimeP1, c.TimeP2, c.TimeP3, c.TimeP4, c.TimeU1, c.TimeU2, c.TimeU3, c.TimeU4})
      if (t != 0) positions.push_back(SliderPosition(t));
    for (std::uint8_t language = 0; language < 4; ++language)
      for (const int at : positions) {
        const DiagramScene scene = DiagramSceneOf(s, SliderTimeAt(s.record, at, s.deltaT), true, language, "");
        const DiagramLayout layout = LayOutDiagram(scene);
        const std::vector<DiagramLabel> fixed = FixedDiagramLabels(scene);
        ++layouts;
        ASSERT_EQ(fixed.size(), 9 + layout.contacts.size());  // captions, compass, ecliptic, then the contacts
        for (std::size_t k = 0; k < layout.contacts.size(); ++k) {
          const DiagramLabel& label = layout.contacts[k];
          const DiagramLabel& home = fixed[9 + k];
          const bool covered = layout.moonRadius > 0 && Meets(label.box, layout.moonX, layout.moonY, layout.moonRadius + 1);
          // A label moves when it comes within 2 pixels of the disc.
          const bool homeCovered =
              layout.moonRadius > 0 && Meets(home.box, layout.moonX, layout.moonY, layout.moonRadius + 2);
          moved += label.box != home.box;
          const bool wrong = covered || label.text != home.text || label.box.left() != home.box.left() ||
                             (!homeCovered && label.box != home.box);
          if (wrong && ++failures <= 10)
            ADD_FAILURE() << r.Year << "-" << r.Month << "-" << r.Day << " (" << index << "), language "
                          << int{language} << ", position " << at << ": \"" << label.text.toStdString() << "\" at ("
                          << label.box.left() << ", " << label.box.top() << ") from (" << home.box.left() << ", "
                          << home.box.top() << "), the Moon at (" << layout.moonX << ", " << layout.moonY
                          << ") radius " << layout.moonRadius;
        }
      }

    // The drawing at greatest eclipse: the layout it reports is the one above, and at least
    // half the letter pixels of each label within the picture show in its colour (the
    // shadows' edges, drawn last, may cross one; the Moon would hide them all).
    const std::uint8_t language = static_cast<std::uint8_t>(index % 4);
    const DiagramScene scene =
        DiagramSceneOf(s, SliderTimeAt(s.record, SliderPosition(c.TimeMax), s.deltaT), true, language, "");
    DiagramLayout placed;
    const QImage diagram = DrawShadowDiagram(scene, MoonPictures{}, 1.0, &placed);
    const DiagramLayout laidOut = LayOutDiagram(scene);
    ASSERT_EQ(placed.contacts.size(), laidOut.contacts.size());
    for (std::size_t k = 0; k < placed.contacts.size(); ++k) EXPECT_EQ(placed.contacts[k].box, laidOut.contacts[k].box);
    for (const DiagramLabel& label : placed.contacts) {
      if (!QRect(0, 0, kDiagramWidth, kDiagramHeight).contains(label.box)) continue;  // cut by the edge
      // Max white, P1 and P4 yellow, U1 and U4 orange, U2 and U3 red.
      const QRgb colour = label.text == "Max"                        ? qRgb(255, 255, 255)
                          : label.text.startsWith('P')               ? qRgb(255, 255, 0)
                          : label.text == "U1" || label.text == "U4" ? qRgb(255, 128, 0)
                                                                     : qRgb(255, 0, 0);
      const auto [letter, shown] = LetterPixelsShown(diagram, label, colour);
      EXPECT_GE(letter, 10) << label.text.toStdString();
      EXPECT_GE(shown * 2, letter) << r.Year << "-" << r.Month << "-" << r.Day << " (" << index << "): \""
                                   << label.text.toStdString() << "\" shows " << shown << " of " << letter << " pixels";
    }
  }
  EXPECT_GT(eclipses, 0);
  std::cout << sample.name << ": " << eclipses << " eclipses, " << layouts << " layouts, " << moved
            << " labels moved off the Moon\n";
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, ContactLabels,
    ::testing::Values(YearSample{"years_minus_4999_to_minus_3001", -4999, -3001, 151},
                      YearSample{"years_minus_3000_to_minus_1001", -3000, -1001, 151},
                      YearSample{"years_minus_1000_to_999", -1000, 999, 151},
                      YearSample{"years_1000_to_2999", 1000, 2999, 151},
                      YearSample{"years_3000_to_4999", 3000, 4999, 151},
                      YearSample{"years_5000_to_7000", 5000, 7000, 151},
                      YearSample{"every_eclipse_of_2000_to_2025", 2000, 2025, 1}),
    [](const auto& row) { return std::string(row.param.name); });

// The diagram turned to the zenith, by the parallactic angle at real places or by a given
// angle: at slider positions from before the first contact to after the last, in every
// language, every text (contact labels, path label, captions, compass letters, ecliptic)
// lies whole within the picture and off the Moon's turned disc, with the texts of the
// north-up diagram. The picture drawn at greatest eclipse, at scales 1 and 2, reports that
// layout, and at scale 1 shows each contact label's letters in its colour where it says.
struct TurnCase {
  const char* name;
  int index;                         // the eclipse
  double latitudeDeg, longitudeDeg;  // the place, when angleDeg is NaN
  double angleDeg;                   // else a turn of its own, degrees clockwise
};

void PrintTo(const TurnCase& c, std::ostream* os) { *os << c.name; }

class TurnedDiagram : public ::testing::TestWithParam<TurnCase> {};

constexpr double kAtPlace = std::numeric_limits<double>::quiet_NaN();

TEST_P(TurnedDiagram, EveryTextUprightWithinThePictureAndOffTheMoon) {
  const TurnCase& tc = GetParam();
  ASSERT_TRUE(Shipped().Contains(tc.index));
  const SelectedEclipse s = SelectEclipseAt(Shipped(), tc.index, TimeSettings{});
  const EclipseCircumstances& c = s.circumstances;
  const auto angleAt = [&](double t) {
    if (!std::isnan(tc.angleDeg)) return tc.angleDeg;
    return SkyAt(s.record, s.deltaT, Observer{tc.latitudeDeg, tc.longitudeDeg, 0}, t).moonParallacticAngleDeg;
  };
  std::vector<int> positions;
  for (const double t : {c.TimeMax, c.TimeP1, c.TimeU1, c.TimeU2, c.TimeU3, c.TimeU4, c.TimeP4})
    if (t != 0) positions.push_back(SliderPosition(t));
  const int first = SliderPosition(c.TimeP1) - 300, last = SliderPosition(c.TimeP4) + 300;
  for (int at = std::max(first, kSliderFirst); at <= std::min(last, kSliderLast); at += 240) positions.push_back(at);
  const QRect picture(0, 0, kDiagramWidth, kDiagramHeight);
  int failures = 0;
  std::vector<double> angles;
  for (std::uint8_t language = 0; language < 4; ++language)
    for (const int at : positions) {
      DiagramScene scene = DiagramSceneOf(s, SliderTimeAt(s.record, at, s.deltaT), true, language, "");
      const DiagramLayout northUp = LayOutDiagram(scene);
      scene.parallacticAngleDeg = angleAt(scene.t);
      angles.push_back(*scene.parallacticAngleDeg);
      const DiagramLayout layout = LayOutDiagram(scene);
      ASSERT_GT(layout.moonRadius, 0);
      ASSERT_EQ(layout.texts.size(), 9u);  // captions, compass, ecliptic
      ASSERT_EQ(layout.contacts.size(), northUp.contacts.size());
      const std::vector<DiagramLabel> fixed = FixedDiagramLabels(scene);
      std::vector<DiagramLabel> all = layout.texts;
      all.push_back(layout.path);
      all.insert(all.end(), layout.contacts.begin(), layout.contacts.end());
      for (std::size_t k = 0; k < all.size(); ++k) {
        const DiagramLabel& label = all[k];
        // The same text and size as north up: the captions, compass and ecliptic, the
        // path label, then the contact labels.
        const DiagramLabel& own = k < 9 ? fixed[k] : k == 9 ? northUp.path : fixed[k - 1];
        const bool wrong = !picture.contains(label.box) || label.box.size() != own.box.size() ||
                           label.text != own.text ||
                           Meets(label.box, layout.moonX, layout.moonY, layout.moonRadius + 1);
        if (wrong && ++failures <= 10)
          ADD_FAILURE() << "position " << at << ", language " << int{language} << ", turned "
                        << *scene.parallacticAngleDeg << ": \"" << label.text.toStdString() << "\" at ("
                        << label.box.left() << ", " << label.box.top() << ", " << label.box.width() << " x "
                        << label.box.height() << "), the Moon at (" << layout.moonX << ", " << layout.moonY
                        << ") radius " << layout.moonRadius;
      }
    }
  EXPECT_EQ(failures, 0);
  const auto [least, most] = std::minmax_element(angles.begin(), angles.end());
  std::cout << tc.name << ": " << angles.size() << " layouts turned by " << *least << " to " << *most << " degrees\n";

  const std::uint8_t language = static_cast<std::uint8_t>(tc.index % 4);
  DiagramScene scene =
      DiagramSceneOf(s, SliderTimeAt(s.record, SliderPosition(c.TimeMax), s.deltaT), true, language, "");
  scene.parallacticAngleDeg = angleAt(scene.t);
  const DiagramLayout laidOut = LayOutDiagram(scene);
  for (const double scale : {1.0, 2.0}) {
    DiagramLayout placed;
    const QImage diagram = DrawShadowDiagram(scene, MoonPictures{}, scale, &placed);
    EXPECT_EQ(diagram.size(), DiagramSizeAt(scale));
    ASSERT_EQ(placed.contacts.size(), laidOut.contacts.size());
    for (std::size_t k = 0; k < placed.contacts.size(); ++k) EXPECT_EQ(placed.contacts[k].box, laidOut.contacts[k].box);
    ASSERT_EQ(placed.texts.size(), laidOut.texts.size());
    for (std::size_t k = 0; k < placed.texts.size(); ++k) EXPECT_EQ(placed.texts[k].box, laidOut.texts[k].box);
    EXPECT_EQ(placed.path.box, laidOut.path.box);
    if (scale != 1.0) continue;
    for (const DiagramLabel& label : placed.contacts) {
      const QRgb colour = label.text == "Max"                        ? qRgb(255, 255, 255)
                          : label.text.startsWith('P')               ? qRgb(255, 255, 0)
                          : label.text == "U1" || label.text == "U4" ? qRgb(255, 128, 0)
                                                                     : qRgb(255, 0, 0);
      const auto [letter, shown] = LetterPixelsShown(diagram, label, colour);
      EXPECT_GE(letter, 10) << label.text.toStdString();
      EXPECT_GE(shown * 2, letter) << "\"" << label.text.toStdString() << "\" shows " << shown << " of " << letter;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    PlacesAndAngles, TurnedDiagram,
    ::testing::Values(TurnCase{"Tokyo_2022Nov08", 16921, 35.68, 139.69, kAtPlace},
                      TurnCase{"Sydney_2022Nov08", 16921, -33.87, 151.21, kAtPlace},
                      TurnCase{"Honolulu_2022Nov08", 16921, 21.31, -157.86, kAtPlace},
                      TurnCase{"Basel_2023Oct28", k2023Oct28, 47.56, 7.59, kAtPlace},
                      TurnCase{"quarter_turn_2023Oct28", k2023Oct28, 0, 0, 90},
                      TurnCase{"upside_down_2022Nov08", 16921, 0, 0, 180},
                      TurnCase{"minus_quarter_2022Nov08", 16921, 0, 0, -90},
                      TurnCase{"oblique_2023Oct28", k2023Oct28, 0, 0, -143}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
