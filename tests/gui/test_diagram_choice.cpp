// The diagram panel's choice, driven offscreen over the eclipse of 2022-11-08 (shipped
// catalogue): the sky where the Moon rises or sets during the eclipse, the shadow turned to
// the place's zenith, the hint without a marked place; the renderer's picture after a slider
// move and a new place, saved with its caption band, and the choice back in a new window.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
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
#include "gui/main/diagram_view.h"
#include "gui/main/main_window.h"
#include "render/shadow_diagram.h"
#include "render/sky_view.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::Find;

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
  void TearDown() override {
    window_.reset();
    fs::remove_all(dir_);
  }
  // A window over the shipped catalogue at the case's place; our own settings file in
  // dir_/Varomintel is kept from the window before.
  void OpenWindow() {
    const ChoiceCase& c = GetParam();
    StartupData& v = Startup();
    v = StartupData{};
    v.TheCatalogue = LoadCatalogue(testing::DataDir() + "/Bessel_Lunar_12ky_VNB_0130_25.858.bin").catalogue;
    for (int i = 1; i <= v.TheCatalogue.Count() && !index_; ++i)
      if (v.TheCatalogue.At(i).Year == 2022 && v.TheCatalogue.At(i).Month == 11) index_ = i;
    v.ProgramVersion = "0.1.0.0";
    v.ParamDir = (dir_ / "Varomintel").string() + "/";
    v.ParamFilePath = v.ParamDir + kParameterFileName;
    ParameterRecord& p = v.Parameters = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion).record;
    p.SetInt(param::kEclipse, index_);
    p.SetByte(param::kLanguage, c.language);
    p.SetFlag(param::kUniversalTime, true);
    const GeoPoint place = c.place.value_or(GeoPoint{10, 10});
    p.SetShortString(param::kPoiLatitude, std::to_string(std::abs(place.latitude)));
    p.SetFlag(param::kPoiSouth, place.latitude < 0);
    p.SetFlag(param::kPoiNorth, place.latitude >= 0);
    p.SetShortString(param::kPoiLongitude, std::to_string(std::abs(place.longitude)));
    p.SetFlag(param::kPoiWest, place.longitude < 0);
    p.SetFlag(param::kPoiEast, place.longitude >= 0);
    p.SetFlag(param::kPoiShown, c.place.has_value());
    window_ = std::make_unique<MainWindow>();
    testing::ShowAtDesignSize(*window_);
  }
  QImage Shown() const { return Find<DiagramView>(*window_, "DiagramImages")->ShownImage(); }
  // The renderer's picture for the window's eclipse, settings and slider time at `place`.
  QImage Expected(DiagramChoice choice, const std::optional<GeoPoint>& place) const {
    const EclipseView& view = window_->View();
    const SelectedEclipse s = SelectEclipseAt(Startup().TheCatalogue, index_, view.Settings());
    if (choice == DiagramChoice::Sky)
      return DrawSkyView(SkySceneFor(s, view.Settings(), *SkyPanoramaFor(s, view.Settings(), place), view.Now().t),
                         MoonPictures::Load(""));
    DiagramScene scene = DiagramSceneOf(view);
    scene.parallacticAngleDeg = ZenithTurnAt(s, view.Settings(), place, view.Now().t);
    return DrawShadowDiagram(scene, MoonPictures::Load(""));
  }

  fs::path dir_ = fs::temp_directory_path() / ("varomintel_diagram_choice_" + std::to_string(::getpid()));
  int index_ = 0;
  std::unique_ptr<MainWindow> window_;
};

TEST_P(DiagramChoiceTest, PictureFollowsTheChoiceTheSliderThePlaceAndTheNextWindow) {
  const ChoiceCase& c = GetParam();
  fs::remove_all(dir_);
  OpenWindow();
  ASSERT_GT(index_, 0);
  auto* combo = Find<QComboBox>(*window_, "DiagramChoice");
  EXPECT_EQ(combo->currentIndex(), static_cast<int>(DiagramChoice::Shadow));
  const QImage shadow = Shown();
  combo->setFocus();
  for (int i = 0; i < static_cast<int>(c.choice); ++i) QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(combo->currentText(), c.entry);
  const QImage first = Shown();
  ASSERT_EQ(first.size(), SkyViewSizeAt(1));
  EXPECT_FALSE(first == shadow);

  auto* slider = Find<QScrollBar>(*window_, "ScrollBar_Time");
  slider->setValue(slider->value() + 900);  // as a drag or a play step moves it
  if (!c.place) {
    EXPECT_TRUE(Shown() == first);  // the hint stays
  } else {
    if (c.choice == DiagramChoice::Sky) {
      const std::optional<SkyPanorama> panorama =
          SkyPanoramaFor(window_->View().Selection(), window_->View().Settings(), c.place);
      ASSERT_TRUE(panorama && panorama->eclipse);
      int crossing = 0;
      for (const HorizonCrossing& x : panorama->view.crossings) crossing = x.rising ? 1 : -1;
      EXPECT_EQ(crossing, c.crossing) << "the case's place no longer shows its moonrise or moonset";
    }
    EXPECT_FALSE(Shown() == first);
    EXPECT_TRUE(Shown() == Expected(c.choice, c.place));
    // Another longitude typed in: the picture of the new place at the same time.
    GeoPoint other = *c.place;
    other.longitude += other.longitude < 0 ? -20 : 20;
    auto* longitude = Find<QLineEdit>(*window_, "Edit_PoI_Laenge");
    longitude->setFocus();
    longitude->selectAll();
    QTest::keyClicks(longitude, QString::number(std::abs(other.longitude)));
    QTest::keyClick(longitude, Qt::Key_Return);
    EXPECT_TRUE(Shown() == Expected(c.choice, other));
    // Screen readers hear what the sky shows: its caption's first line names the place.
    const QString description = Find<DiagramView>(*window_, "DiagramImages")->accessibleDescription();
    if (c.choice == DiagramChoice::Sky) {
      const SelectedEclipse& s = window_->View().Selection();
      const SkyScene scene =
          SkySceneFor(s, window_->View().Settings(), *SkyPanoramaFor(s, window_->View().Settings(), other),
                      window_->View().Now().t);
      EXPECT_TRUE(description.startsWith(QString::fromStdString(scene.caption.front()))) << description.toStdString();
    } else {
      EXPECT_FALSE(description.isEmpty());
    }
  }

  // "SavePicture" of the context menu through the save dialog: the picture shown with the
  // caption band (24 pixels) below it.
  auto* panel = Find<QWidget>(*window_, "DiagramPanel");
  emit panel->customContextMenuRequested(QPoint(10, 10));
  QCoreApplication::processEvents();
  QMenu* menu = panel->findChildren<QMenu*>(Qt::FindDirectChildrenOnly).last();
  const QString file = QString::fromStdString((dir_ / "picture").string());
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      auto* edit = Find<QLineEdit>(*dialog, "fileNameEdit");
      edit->setText(file);
      QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
    }
  });
  user.start(5);
  Find<QAction>(*menu, "SavePicture")->trigger();
  menu->close();
  QCoreApplication::processEvents();  // the entry, queued until its menu has closed, runs whole
  const QImage saved = QImage(file + ".png").convertToFormat(QImage::Format_RGB32);
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
