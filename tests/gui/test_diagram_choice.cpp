// The diagram panel's choice of picture, driven offscreen as a user would over the eclipse
// of 2022-11-08 from the shipped catalogue: the sky at a place where the Moon rises during
// the eclipse and at one where it sets, the shadow turned to the place's zenith, and the
// hint where no place is marked. The picture shown is the renderer's for the window's
// state before and after a slider move, the context menu saves it with its caption band,
// and a new window opens with the same choice.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "../support/test_paths.h"
#include "app/observer_view.h"
#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "find_control.h"
#include "gui/main/diagram_panel.h"
#include "gui/main/diagram_view.h"
#include "gui/main/main_window.h"
#include "render/shadow_diagram.h"
#include "render/sky_view.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::Find;

const Catalogue& Shipped() {
  static const Catalogue catalogue =
      LoadCatalogue(testing::DataDir() + "/Bessel_Lunar_12ky_VNB_0130_25.858.bin").catalogue;
  return catalogue;
}

int IndexOf(int year, int month) {
  for (int i = 1; i <= Shipped().Count(); ++i)
    if (Shipped().At(i).Year == year && Shipped().At(i).Month == month) return i;
  return 0;
}

struct ChoiceCase {
  const char* name;
  std::uint8_t language;
  std::optional<GeoPoint> place;  // none: the marker is off
  DiagramChoice choice;           // chosen with the keyboard from the shadow
  QString entry;                  // the choice's text in the language
  int crossing;                   // the panorama's horizon crossing: 1 moonrise, -1 moonset, 0 none
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class DiagramChoiceTest : public ::testing::TestWithParam<ChoiceCase> {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_diagram_choice_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "out");
    ASSERT_GT(Shipped().Count(), 0);
    index_ = IndexOf(2022, 11);
    ASSERT_GT(index_, 0);
  }
  void TearDown() override {
    window_.reset();
    fs::remove_all(dir_);
  }
  // A window over the shipped catalogue; its settings (the parameter file kept from the
  // window before, and our own file) in dir_/Varomintel.
  void OpenWindow() {
    const ChoiceCase& c = GetParam();
    StartupData& v = Startup();
    v = StartupData{};
    v.TheCatalogue = Shipped();
    v.ProgramVersion = "0.1.0.0";
    v.ParamDir = (dir_ / "Varomintel").string() + "/";
    v.ParamFilePath = v.ParamDir + kParameterFileName;
    v.Parameters = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion).record;
    ParameterRecord& p = v.Parameters;
    p.SetInt(param::kEclipse, index_);
    p.SetByte(param::kLanguage, c.language);
    p.SetFlag(param::kUniversalTime, true);
    p.SetDouble(param::kTimeZone, 0);
    const GeoPoint place = c.place.value_or(GeoPoint{10, 10});
    p.SetShortString(param::kPoiLatitude, std::to_string(std::abs(place.latitude)));
    p.SetFlag(param::kPoiNorth, place.latitude >= 0);
    p.SetFlag(param::kPoiSouth, place.latitude < 0);
    p.SetShortString(param::kPoiLongitude, std::to_string(std::abs(place.longitude)));
    p.SetFlag(param::kPoiEast, place.longitude >= 0);
    p.SetFlag(param::kPoiWest, place.longitude < 0);
    p.SetFlag(param::kPoiShown, c.place.has_value());
    window_ = std::make_unique<MainWindow>();
    testing::ShowAtDesignSize(*window_);
  }
  QImage Shown() const { return Find<DiagramView>(*window_, "DiagramImages")->ShownImage(); }
  // The renderer's picture for the window's eclipse, settings, place and slider time.
  QImage Expected(DiagramChoice choice, const std::optional<GeoPoint>& place) const {
    const EclipseView& view = window_->View();
    const SelectedEclipse s = SelectEclipseAt(Shipped(), index_, view.Settings());
    const double t = view.Now().t;
    if (choice == DiagramChoice::Sky) {
      const std::optional<SkyPanorama> panorama = SkyPanoramaFor(s, view.Settings(), place);
      return DrawSkyView(SkySceneFor(s, view.Settings(), *panorama, t), MoonPictures::Load(""));
    }
    DiagramScene scene = DiagramSceneOf(view);
    scene.parallacticAngleDeg = ZenithTurnAt(s, view.Settings(), place, t);
    return DrawShadowDiagram(scene, MoonPictures::Load(""));
  }
  // The diagram menu's "SavePicture" into dir_/out/name.png through the save dialog.
  QImage SaveThroughMenu(const std::string& name) {
    auto* panel = Find<QWidget>(*window_, "DiagramPanel");
    emit panel->customContextMenuRequested(QPoint(10, 10));
    QCoreApplication::processEvents();
    QPointer<QMenu> menu = panel->findChildren<QMenu*>(Qt::FindDirectChildrenOnly).last();
    QTimer user;
    user.setInterval(5);
    QObject::connect(&user, &QTimer::timeout, [&] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        auto* edit = Find<QLineEdit>(*dialog, "fileNameEdit");
        edit->setText(QString::fromStdString((dir_ / "out" / name).string()));
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
      }
    });
    user.start();
    Find<QAction>(*menu, "SavePicture")->trigger();
    if (menu) menu->close();
    QCoreApplication::processEvents();  // the entry, queued until its menu has closed, runs whole
    return QImage(QString::fromStdString((dir_ / "out" / (name + ".png")).string()));
  }

  fs::path dir_;
  int index_ = 0;
  std::unique_ptr<MainWindow> window_;
};

TEST_P(DiagramChoiceTest, PictureFollowsTheChoiceTheSliderAndTheNextWindow) {
  const ChoiceCase& c = GetParam();
  OpenWindow();
  auto* combo = Find<QComboBox>(*window_, "DiagramChoice");
  ASSERT_EQ(combo->count(), kDiagramChoices);
  EXPECT_EQ(combo->currentIndex(), static_cast<int>(DiagramChoice::Shadow));
  const QImage shadow = Shown();
  // Chosen with the keyboard, as the focused choice takes the arrow keys.
  combo->setFocus();
  for (int i = 0; i < static_cast<int>(c.choice); ++i) QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(combo->currentText(), c.entry);
  const QImage first = Shown();
  ASSERT_EQ(first.size(), SkyViewSizeAt(1));
  EXPECT_FALSE(first == shadow);

  auto* slider = Find<QScrollBar>(*window_, "ScrollBar_Time");
  if (!c.place) {
    // The hint on white: at least nine pixels in ten white, some dark ones (its text); the
    // slider still moves and the picture stays the hint.
    qsizetype white = 0, dark = 0;
    for (int y = 0; y < first.height(); ++y)
      for (int x = 0; x < first.width(); ++x) {
        const int g = qGray(first.pixel(x, y));
        white += g == 255;
        dark += g < 128;
      }
    EXPECT_GT(white, first.width() * first.height() * 9 / 10);
    EXPECT_GT(dark, 200);
    slider->setValue(slider->value() + 600);
    EXPECT_TRUE(Shown() == first);
  } else {
    if (c.choice == DiagramChoice::Sky) {
      const std::optional<SkyPanorama> panorama =
          SkyPanoramaFor(window_->View().Selection(), window_->View().Settings(), c.place);
      ASSERT_TRUE(panorama && panorama->eclipse);
      int crossing = 0;
      for (const HorizonCrossing& x : panorama->view.crossings) crossing = x.rising ? 1 : -1;
      EXPECT_EQ(crossing, c.crossing) << "the case's place no longer shows its moonrise or moonset";
    }
    EXPECT_TRUE(first == Expected(c.choice, c.place));
    // A slider move (as a drag or a play step does it) draws the picture of the new time.
    slider->setValue(slider->value() + 900);
    const QImage moved = Shown();
    EXPECT_FALSE(moved == first);
    EXPECT_TRUE(moved == Expected(c.choice, c.place));
    // The whole refresh of a slider step (the picture, the elements, the place's Moon):
    // the panorama is not made anew, so a step stays well within a display frame.
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 20; ++i) slider->setValue(slider->value() + 60);
    RecordProperty("slider_step_ms", std::to_string(clock.nsecsElapsed() / 20e6));
    // Another place typed in: the picture is that of the new place at the same time.
    GeoPoint moved20 = *c.place;
    moved20.longitude += moved20.longitude < 0 ? -20 : 20;
    auto* longitude = Find<QLineEdit>(*window_, "Edit_PoI_Laenge");
    longitude->setFocus();
    longitude->selectAll();
    QTest::keyClicks(longitude, QString::number(std::abs(moved20.longitude)));
    QTest::keyClick(longitude, Qt::Key_Return);
    EXPECT_TRUE(Shown() == Expected(c.choice, moved20));
  }

  // Saved from the context menu: the picture shown with the caption band below it.
  const QImage saved = SaveThroughMenu("picture").convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(saved.size(), QSize(1040, 480 + 24));
  EXPECT_EQ(saved.copy(0, 0, 1040, 480), Shown().convertToFormat(QImage::Format_RGB32));

  // The next window opens with the same choice (at greatest eclipse).
  window_.reset();
  OpenWindow();
  EXPECT_EQ(Find<QComboBox>(*window_, "DiagramChoice")->currentIndex(), static_cast<int>(c.choice));
  EXPECT_TRUE(Shown() == (c.place ? Expected(c.choice, c.place) : first));
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, DiagramChoiceTest,
    ::testing::Values(
        // Tokyo: the Moon rises before P1 and climbs through the whole eclipse.
        ChoiceCase{"SkyTokyo", 1, GeoPoint{35.68, 139.69}, DiagramChoice::Sky, "Sky at the marked place", 0},
        // New York: the Moon sets during the eclipse, in the morning twilight.
        ChoiceCase{"SkyNewYorkGerman", 0, GeoPoint{40.71, -74.01}, DiagramChoice::Sky, "Himmel am markierten Ort", -1},
        // Delhi: the Moon rises during the eclipse, after totality.
        ChoiceCase{"SkyDelhiSpanish", 3, GeoPoint{28.61, 77.21}, DiagramChoice::Sky, "Cielo en el lugar marcado", 1},
        ChoiceCase{"TurnedShadowSydney", 1, GeoPoint{-33.87, 151.21}, DiagramChoice::ShadowFromPlace,
                   "Shadow as seen from the marked place", 0},
        ChoiceCase{"SkyWithoutPlaceFrench", 2, std::nullopt, DiagramChoice::Sky, "Ciel au lieu marqué", 0},
        ChoiceCase{"TurnedShadowWithoutPlace", 1, std::nullopt, DiagramChoice::ShadowFromPlace,
                   "Shadow as seen from the marked place", 0}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
