// The Moon's path label on the shadow diagrams of real eclipses: it covers no other text
// of the diagram (the compass letters, the shadows' captions, the ecliptic's label, the
// contact labels). On 2023 Oct 28 the path crosses the west side next to the compass's
// west letter, which the label at its first place covered.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "app/eclipse_view.h"
#include "app/selected_eclipse.h"
#include "app/time_slider.h"
#include "eclipse/catalogue.h"
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
    // The letter alone, white on black, in the diagram's font at the same place.
    QImage alone = NewDiagramImage();
    alone.fill(Qt::black);
    {
      QPainter p(&alone);
      QFont font(QStringLiteral("Arial"));
      font.setPointSize(12);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(it->box.left(), it->box.top() + p.fontMetrics().ascent(), west);
    }
    int letter = 0, shown = 0;
    for (int y = it->box.top(); y <= it->box.bottom(); ++y)
      for (int x = it->box.left(); x <= it->box.right(); ++x) {
        if (alone.pixel(x, y) != qRgb(255, 255, 255)) continue;
        ++letter;
        shown += diagram.pixel(x, y) == qRgb(255, 255, 255);
      }
    EXPECT_GT(letter, 20) << west.toStdString();
    EXPECT_EQ(shown, letter) << west.toStdString();
  }
}

}  // namespace
}  // namespace varomintel
