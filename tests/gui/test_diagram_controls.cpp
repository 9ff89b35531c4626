// The shadow diagram, the time slider, the play buttons and the elements table of the main
// window, driven offscreen as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QStringList>
#include <QFontMetrics>
#include <QLabel>
#include <QDir>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <filesystem>
#include <memory>
#include <functional>
#include <utility>
#include <vector>
#include <string>

#include "../support/synthetic_eclipse.h"
#include "app/parameter_file.h"
#include "app/time_slider.h"
#include "app/startup_data.h"
#include "gui/main/main_window.h"
#include "gui/main/diagram_panel.h"
#include "find_control.h"
#include "gui/main/diagram_view.h"
#include "render/shadow_diagram.h"
#include "text/number_text.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

using testing::Find;

namespace fs = std::filesystem;
using testing::LinearEclipse;

// Three eclipses: a total one, a penumbral one and a partial one.
Catalogue ThreeEclipses() {
  return Catalogue({LinearEclipse::Passing(1200, 0.3).Record(2022, 11, 8, 11),
                    LinearEclipse::Passing(4500, -1.2).Record(2023, 5, 5, 17),
                    LinearEclipse::Passing(3000, 2.1).Record(2023, 10, 28, 20)});
}

class DiagramControls : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_diagram_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    StartupData& v = Startup();
    v = StartupData{};
    v.TheCatalogue = ThreeEclipses();
    v.ProgramVersion = "0.1.0.0";
    v.ParamDir = (dir_ / "Varomintel").string() + "/";
    v.ParamFilePath = v.ParamDir + kParameterFileName;
    v.Parameters = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion).record;
    v.Parameters.SetInt(param::kEclipse, 1);
    v.Parameters.SetByte(param::kLanguage, 1);
    w_ = std::make_unique<MainWindow>();
    testing::ShowAtDesignSize(*w_);
    // The plays' steps and limits, one step per round of the event loop; their pace is
    // PlayIsPacedToTheDisplay's.
    Find<DiagramPanel>(*w_, "DiagramPanel")->SetPlayFrame(PlayPacer::Duration::zero());
  }
  void TearDown() override {
    w_.reset();
    fs::remove_all(dir_);
  }
  QString Cell(int row, int column) const { return Find<QTableWidget>(*w_, "SG")->item(row, column)->text(); }
  int Position() const { return Find<QScrollBar>(*w_, "ScrollBar_Time")->value(); }
  // Lets the play run to its end (bounded).
  void RunPlay() {
    for (int i = 0; i < 20000 && w_->State().State().Playing(); ++i) QCoreApplication::processEvents();
  }
  fs::path dir_;
  std::unique_ptr<MainWindow> w_;
};

TEST_F(DiagramControls, EverySelectionOpensAtGreatestEclipseAndShowsTheRenderersPicture) {
  for (int index : {2, 3, 1}) {
    Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(100);
    Find<QScrollBar>(*w_, "ScrollBar_Eclipse")->setValue(index);
    const StartupData& v = Startup();
    const int want = static_cast<int>(std::lrint(7200 * w_->View().Selection().circumstances.TimeMax / 4 + 7200));
    EXPECT_EQ(Position(), want) << "eclipse " << index;
    EXPECT_EQ(Cell(0, 1).toStdString(), FormatFixed(SliderHours(want), 4));
    // The picture shown is the renderer's for the same inputs, pixel for pixel.
    const SelectedEclipse s = SelectEclipseAt(v.TheCatalogue, index, TimeSettings{false, 0, "+0.00", 1});
    const DiagramScene scene = DiagramSceneOf(s, SliderTimeAt(s.record, want, 0), false, 1, w_->State().State().CaptionPrefix());
    const QImage expected = DrawShadowDiagram(scene, MoonPictures::Load(""));
    const ShownMoment frame = MomentOf(scene);
    EXPECT_TRUE(Find<DiagramView>(*w_, "DiagramImages")->ShownImage() == expected) << "eclipse " << index;
    EXPECT_EQ(Find<QLabel>(*w_, "Label_DatumZeit")->text().toStdString(), frame.dateTime);
    EXPECT_EQ(Find<QLabel>(*w_, "MoFiTyp_Label")->text().toStdString(), frame.shortType);
    EXPECT_EQ(w_->windowTitle().toStdString(), frame.caption);
    w_->FormActivate();  // every activation sets the caption's prefix anew and keeps the date
    EXPECT_EQ(w_->windowTitle().toStdString(), frame.caption);
  }
}

TEST_F(DiagramControls, DrawingGoesIntoTheHiddenPictureAndARepaintDoesNotDraw) {
  const int back = Find<DiagramView>(*w_, "DiagramImages")->BackImageIndex();
  const QImage shown = Find<DiagramView>(*w_, "DiagramImages")->ShownImage();
  Find<DiagramView>(*w_, "DiagramImages")->repaint();
  EXPECT_EQ(Find<DiagramView>(*w_, "DiagramImages")->BackImageIndex(), back);
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(Position() + 300);
  EXPECT_EQ(Find<DiagramView>(*w_, "DiagramImages")->BackImageIndex(), 1 - back);
  EXPECT_FALSE(Find<DiagramView>(*w_, "DiagramImages")->ShownImage() == shown);
  // What the widget shows on screen is the shown picture, stretched to the panel.
  const QImage grabbed = Find<DiagramView>(*w_, "DiagramImages")->grab().toImage().scaled(1040, 480);
  EXPECT_EQ(grabbed.pixel(10, 10), Find<DiagramView>(*w_, "DiagramImages")->ShownImage().pixel(10, 10));
}

struct TableRow {
  int position;
  const char* t;
};

class SliderTable : public DiagramControls, public ::testing::WithParamInterface<TableRow> {};

TEST_P(SliderTable, RowZeroFollowsTheSlider) {
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(GetParam().position == 7200 ? 7000 : 7200);
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(GetParam().position);
  EXPECT_EQ(Cell(0, 0), " T-T0");
  EXPECT_EQ(Cell(0, 1), GetParam().t);
  EXPECT_EQ(Cell(0, 2), " hours");
  EXPECT_EQ(Cell(12, 0), " Constellation");
  EXPECT_EQ(Cell(12, 1).size(), 3);
  // x at t in arcseconds: the synthetic Moon moves 1800" an hour along x.
  const LinearEclipse e = LinearEclipse::Passing(1200, 0.3);
  EXPECT_EQ(Cell(1, 1).toStdString(), FormatFixed(e.x0 + e.vx * SliderHours(GetParam().position), 0));
}

// The widest values: negative ones at the start of the slider (T-T0 -4.0000, Gamma and
// UmbMag of the eclipse south of the axis); no text may be cut, least of all a minus sign.
TEST_F(DiagramControls, NoCellTextIsCut) {
  Find<QScrollBar>(*w_, "ScrollBar_Eclipse")->setValue(2);
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(0);
  ASSERT_EQ(Cell(0, 1), "-4.0000");
  const QFontMetrics metrics(Find<QTableWidget>(*w_, "SG")->font());
  EXPECT_LE(metrics.height(), 15);
  EXPECT_GE(metrics.height(), 13);
  for (int r = 0; r < 13; ++r)
    for (int c = 0; c < 3; ++c)
      EXPECT_LE(metrics.horizontalAdvance(Cell(r, c)), Find<QTableWidget>(*w_, "SG")->columnWidth(c) - 4)
          << "row " << r << ": " << Cell(r, c).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Window, SliderTable,
                         ::testing::Values(TableRow{7200, "0.0000"}, TableRow{0, "-4.0000"}, TableRow{7201, "0.0006"}));

struct PlayRow {
  const char* name;
  const char* button;
  int start, end, steps;
};

class PlayButtons : public DiagramControls, public ::testing::WithParamInterface<PlayRow> {};

TEST_P(PlayButtons, StepAndStopAtTheirLimits) {
  const PlayRow& r = GetParam();
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(r.start);
  const int drawn = Find<DiagramView>(*w_, "DiagramImages")->BackImageIndex();
  w_->findChild<QToolButton*>(r.button)->click();
  RunPlay();
  EXPECT_FALSE(w_->State().State().Playing());
  EXPECT_EQ(Position(), r.end);
  EXPECT_EQ(Cell(0, 1).toStdString(), FormatFixed(SliderHours(r.end), 4));
  // One drawing per step: the pictures were swapped once per step.
  EXPECT_EQ(Find<DiagramView>(*w_, "DiagramImages")->BackImageIndex(), (drawn + r.steps) % 2);
  EXPECT_EQ(w_->focusWidget(), Find<QToolButton>(*w_, "Button_Stop"));  // Enter or Space stops
}

INSTANTIATE_TEST_SUITE_P(Window, PlayButtons,
                         ::testing::Values(PlayRow{"play_from_14394", "Button_Play", 14394, 14400, 1},
                                           PlayRow{"play_from_14395", "Button_Play", 14395, 14395, 0},
                                           PlayRow{"fast_play_from_14280", "Button_FastPlay", 14280, 14400, 2},
                                           PlayRow{"reverse_from_6", "Button_Reverse", 6, 0, 1},
                                           PlayRow{"fast_reverse_from_59", "Button_FastReverse", 59, 59, 0},
                                           PlayRow{"fast_reverse_from_60", "Button_FastReverse", 60, 0, 1}),
                         [](const ::testing::TestParamInfo<PlayRow>& row) { return std::string(row.param.name); });

// At its own pace a play takes one step at once and then at most one per frame of 1/60 s,
// however often the event loop runs: bounded by the time that passed, not by a clock of its own.
TEST_F(DiagramControls, PlayIsPacedToTheDisplay) {
  Find<DiagramPanel>(*w_, "DiagramPanel")->SetPlayFrame(PlayPacer::kFrame);
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(0);
  QElapsedTimer clock;
  clock.start();
  Find<QToolButton>(*w_, "Button_FastPlay")->click();
  EXPECT_EQ(Position(), 60);  // the first step at once
  for (int i = 0; i < 2000; ++i) QCoreApplication::processEvents();
  const int steps = Position() / 60;
  EXPECT_LE(steps, 2 + clock.elapsed() / 16) << clock.elapsed() << " ms";
  // And it goes on by itself, to the end of the slider: 240 steps, 4 s at 60 a second.
  ASSERT_TRUE(QTest::qWaitFor([this] { return !w_->State().State().Playing(); }, 20000));
  EXPECT_EQ(Position(), 14400);
  EXPECT_GE(clock.elapsed(), 239 * 1000 / 60);
}

// The keyboard on the focused control, as the manual describes it: Enter (either key) or
// Space clicks a play button; arrows, Page Up/Down, Home and End move the time slider and
// the eclipse scroll bar, and each move refreshes the window once, as a move by the mouse does.
struct KeyRow {
  const char* name;
  const char* control;
  int start;        // ScrollBar_Time's position, or ScrollBar_Eclipse's index for it
  Qt::Key key;
  int want;         // the same afterwards, a play run to its end
};

void PrintTo(const KeyRow& row, std::ostream* os) { *os << row.name; }

class Keyboard : public DiagramControls, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(Keyboard, FocusedControlTakesTheKey) {
  const KeyRow& r = GetParam();
  auto* control = Find<QWidget>(*w_, r.control);
  auto* slider = Find<QScrollBar>(*w_, "ScrollBar_Time");
  auto* eclipses = Find<QScrollBar>(*w_, "ScrollBar_Eclipse");
  const bool selecting = control == eclipses;
  (selecting ? eclipses : slider)->setValue(r.start);
  const bool stop = std::string(r.control) == "Button_Stop";
  if (stop) Find<QToolButton>(*w_, "Button_Reverse")->click();  // a play to stop: one step at once
  control->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(w_->focusWidget(), control);
  const QString shownDate = Find<QLabel>(*w_, "Label_DatumZeit")->text();
  QSignalSpy timeMoves(Find<DiagramPanel>(*w_, "DiagramPanel"), &DiagramPanel::sliderMoved);
  QSignalSpy selections(Find<QWidget>(*w_, "SelectionPanel"), SIGNAL(eclipseIndexChanged(int)));
  auto* button = qobject_cast<QToolButton*>(control);
  std::unique_ptr<QSignalSpy> clicks = button ? std::make_unique<QSignalSpy>(button, &QToolButton::clicked) : nullptr;

  QTest::keyClick(control, r.key, r.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

  if (button) {
    EXPECT_EQ(clicks->count(), 1);
    if (stop) {
      EXPECT_FALSE(w_->State().State().Playing());
    }
    RunPlay();
    EXPECT_EQ(Position(), r.want);
    EXPECT_EQ(Cell(0, 1).toStdString(), FormatFixed(SliderHours(r.want), 4));
    return;
  }
  EXPECT_EQ(control == slider ? slider->value() : eclipses->value(), r.want);
  EXPECT_NE(Find<QLabel>(*w_, "Label_DatumZeit")->text(), shownDate) << "the shown time did not follow";
  if (selecting) {
    EXPECT_EQ(selections.count(), 1);
    EXPECT_EQ(w_->View().Selection().record.Year, ThreeEclipses().At(r.want).Year);
  } else {
    EXPECT_EQ(timeMoves.count(), 1);
    EXPECT_EQ(Cell(0, 1).toStdString(), FormatFixed(SliderHours(r.want), 4));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Window, Keyboard,
    ::testing::Values(KeyRow{"ReturnOnPlay", "Button_Play", 14388, Qt::Key_Return, 14400},
                      KeyRow{"SpaceOnPlay", "Button_Play", 14388, Qt::Key_Space, 14400},
                      KeyRow{"EnterOnFastPlay", "Button_FastPlay", 14280, Qt::Key_Enter, 14400},
                      KeyRow{"ReturnOnReverse", "Button_Reverse", 12, Qt::Key_Return, 0},
                      KeyRow{"SpaceOnFastReverse", "Button_FastReverse", 120, Qt::Key_Space, 0},
                      KeyRow{"ReturnOnFastReverse", "Button_FastReverse", 120, Qt::Key_Return, 0},
                      KeyRow{"ReturnStops", "Button_Stop", 7200, Qt::Key_Return, 7194},
                      KeyRow{"EnterStops", "Button_Stop", 7200, Qt::Key_Enter, 7194},
                      KeyRow{"SpaceStops", "Button_Stop", 7200, Qt::Key_Space, 7194},
                      KeyRow{"TimeRight", "ScrollBar_Time", 7200, Qt::Key_Right, 7203},
                      KeyRow{"TimeLeft", "ScrollBar_Time", 7200, Qt::Key_Left, 7197},
                      KeyRow{"TimeUp", "ScrollBar_Time", 7200, Qt::Key_Up, 7197},
                      KeyRow{"TimeDown", "ScrollBar_Time", 7200, Qt::Key_Down, 7203},
                      KeyRow{"TimePageDown", "ScrollBar_Time", 7200, Qt::Key_PageDown, 7260},
                      KeyRow{"TimePageUp", "ScrollBar_Time", 7200, Qt::Key_PageUp, 7140},
                      KeyRow{"TimeHome", "ScrollBar_Time", 7200, Qt::Key_Home, 0},
                      KeyRow{"TimeEnd", "ScrollBar_Time", 7200, Qt::Key_End, 14400},
                      KeyRow{"EclipseRight", "ScrollBar_Eclipse", 1, Qt::Key_Right, 2},
                      KeyRow{"EclipseLeft", "ScrollBar_Eclipse", 3, Qt::Key_Left, 2},
                      KeyRow{"EclipsePageDown", "ScrollBar_Eclipse", 1, Qt::Key_PageDown, 3},
                      KeyRow{"EclipsePageUp", "ScrollBar_Eclipse", 3, Qt::Key_PageUp, 1},
                      KeyRow{"EclipseHome", "ScrollBar_Eclipse", 3, Qt::Key_Home, 1},
                      KeyRow{"EclipseEnd", "ScrollBar_Eclipse", 1, Qt::Key_End, 3}),
    [](const ::testing::TestParamInfo<KeyRow>& row) { return std::string(row.param.name); });

// Tab runs through the window as it reads, and back to the start; a click gives the
// scroll bars the focus too, and the focused one shows it.
TEST_F(DiagramControls, TabFollowsTheReadingOrderAndTheScrollBarsShowTheFocus) {
  w_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w_.get()));
  Find<QWidget>(*w_, "Edit_Jahr")->setFocus(Qt::TabFocusReason);
  QStringList visited{QApplication::focusWidget()->objectName()};
  for (int i = 0; i < 40; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (QApplication::focusWidget()->objectName() == visited.front()) break;
    visited << QApplication::focusWidget()->objectName();
  }
  const bool universal = Find<QCheckBox>(*w_, "CheckBox_ET_UT")->isChecked();
  QStringList want{"Edit_Jahr", "ScrollBar_Eclipse", "Saros_Edit", "UpDown1_Prev", "UpDown1_Next", "UpDown3_Prev",
                   "UpDown3_Next", "CheckBox_ET_UT", "Edit_DeltaT"};
  if (universal) want << "Edit_TZone";
  want << "TabBar_Bericht" << "RE_Table" << "ScrollBar_Time" << "Button_FastReverse" << "Button_Reverse" << "Button_Stop" << "Button_Play"
       << "Button_FastPlay" << "DiagramChoice" << "ComboBox_Globus" << "CheckBox_Gradnetz" << "Edit_PoI_Breite" << "RadioButton_PoI_Nord"
       << "Edit_PoI_Laenge" << "RadioButton_PoI_Ost" << "CheckBox_PoI";
  EXPECT_EQ(visited.join(' ').toStdString(), want.join(' ').toStdString());

  for (const char* name : {"ScrollBar_Time", "ScrollBar_Eclipse"}) {
    auto* bar = Find<QScrollBar>(*w_, name);
    Find<QWidget>(*w_, "Edit_Jahr")->setFocus();
    const QImage unfocused = bar->grab().toImage();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 4, bar->height() / 2));
    EXPECT_EQ(QApplication::focusWidget(), bar) << name;
    const QImage focused = bar->grab().toImage();
    // The frame in the highlight colour along the edge, away from the thumb.
    const QColor highlight = bar->palette().color(QPalette::Active, QPalette::Highlight);
    const QPoint edge(bar->width() / 2 + 3, 0);
    EXPECT_EQ(focused.pixelColor(edge * focused.devicePixelRatio()), highlight) << name;
    EXPECT_NE(unfocused.pixelColor(edge * unfocused.devicePixelRatio()), highlight) << name;
  }
}

TEST_F(DiagramControls, StopLeavesThePositionAndPlayContinuesFromThere) {
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(7200);
  Find<QToolButton>(*w_, "Button_Reverse")->click();
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  ASSERT_TRUE(w_->State().State().Playing());
  QTest::keyClick(Find<QToolButton>(*w_, "Button_Stop"), Qt::Key_Space);  // the focus is on Stop
  EXPECT_FALSE(w_->State().State().Playing());
  const int stopped = Position();
  EXPECT_LT(stopped, 7200);
  EXPECT_EQ((7200 - stopped) % 6, 0);
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(Position(), stopped);
  Find<QToolButton>(*w_, "Button_Play")->click();  // the first step at once
  EXPECT_EQ(Position(), stopped + 6);
  Find<QToolButton>(*w_, "Button_Stop")->click();
  RunPlay();
  EXPECT_EQ(Position(), stopped + 6);
}

TEST_F(DiagramControls, APlayButtonDuringPlayTakesOverAndEndsEverything) {
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(7200);
  Find<QToolButton>(*w_, "Button_Play")->click();
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  ASSERT_GT(Position(), 7200);
  Find<QToolButton>(*w_, "Button_FastReverse")->click();
  RunPlay();
  EXPECT_FALSE(w_->State().State().Playing());
  EXPECT_LT(Position(), 60);
  EXPECT_EQ(Position() % 6, 0);
}

TEST_F(DiagramControls, SelectionAndDraggingDuringPlayDoNotStopIt) {
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(100);
  Find<QToolButton>(*w_, "Button_Play")->click();
  Find<QScrollBar>(*w_, "ScrollBar_Eclipse")->setValue(2);  // opens at its greatest eclipse
  const int opened = static_cast<int>(std::lrint(7200 * w_->View().Selection().circumstances.TimeMax / 4 + 7200));
  EXPECT_EQ(Position(), opened);
  EXPECT_TRUE(w_->State().State().Playing());
  QCoreApplication::processEvents();
  EXPECT_GT(Position(), opened);
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(300);  // the user moves the slider
  EXPECT_TRUE(w_->State().State().Playing());
  QCoreApplication::processEvents();
  EXPECT_GT(Position(), 300);
  EXPECT_LT(Position(), 400);
  Find<QToolButton>(*w_, "Button_Stop")->click();
}

TEST_F(DiagramControls, ClosingStopsThePlayAndStoresTheSliderPosition) {
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(1000);
  Find<QToolButton>(*w_, "Button_FastPlay")->click();
  QCoreApplication::processEvents();
  w_->close();
  EXPECT_FALSE(w_->State().State().Playing());
  const int closedAt = Position();
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(Position(), closedAt);
  const ParameterStartup s = LoadParameterFile(Startup().ParamDir, Startup().ParamFilePath, Startup().ProgramVersion);
  EXPECT_EQ(s.record.Int(param::kTimeSlider), closedAt);
}

TEST_F(DiagramControls, TimeScaleSwitchRefillsDiagramAndTable) {
  Find<QScrollBar>(*w_, "ScrollBar_Time")->setValue(5000);
  const double mTT = Cell(4, 1).toDouble();
  EXPECT_TRUE(Find<QLabel>(*w_, "Label_DatumZeit")->text().endsWith(" TT"));
  Find<QCheckBox>(*w_, "CheckBox_ET_UT")->click();
  EXPECT_EQ(Position(), 5000);
  EXPECT_TRUE(Find<QLabel>(*w_, "Label_DatumZeit")->text().endsWith(" UTC"));
  // Delta T turns the hour angle back by 1.0027379 * DeltaT / 86400 of a turn.
  const double turned = 1.00273790935 * w_->View().Selection().deltaT / 86400 * 360;
  EXPECT_GT(turned, 0.2);
  EXPECT_NEAR(mTT - Cell(4, 1).toDouble(), turned, 0.11);
  EXPECT_EQ(w_->View().Now().jdUT * 86400, std::nearbyint(w_->View().Now().jdUT * 86400));
}

TEST_F(DiagramControls, HintsOfTheButtons) {
  EXPECT_EQ(Find<QToolButton>(*w_, "Button_FastReverse")->toolTip(), "fast reverse play");
  EXPECT_EQ(Find<QToolButton>(*w_, "Button_Reverse")->toolTip(), "reverse play");
  EXPECT_EQ(Find<QToolButton>(*w_, "Button_Stop")->toolTip(), "stop");
  EXPECT_EQ(Find<QToolButton>(*w_, "Button_Play")->toolTip(), "forward play");
  EXPECT_EQ(Find<QToolButton>(*w_, "Button_FastPlay")->toolTip(), "fast forward play");
  EXPECT_TRUE(Find<QScrollBar>(*w_, "ScrollBar_Time")->toolTip().isEmpty());
  EXPECT_EQ(Find<QScrollBar>(*w_, "ScrollBar_Time")->minimum(), 0);
  EXPECT_EQ(Find<QScrollBar>(*w_, "ScrollBar_Time")->maximum(), 14400);
  EXPECT_EQ(Find<QScrollBar>(*w_, "ScrollBar_Time")->singleStep(), 3);
  EXPECT_EQ(Find<QScrollBar>(*w_, "ScrollBar_Time")->pageStep(), 60);
  for (auto* b : {Find<QToolButton>(*w_, "Button_FastReverse"), Find<QToolButton>(*w_, "Button_Reverse"), Find<QToolButton>(*w_, "Button_Stop"), Find<QToolButton>(*w_, "Button_Play"), Find<QToolButton>(*w_, "Button_FastPlay")}) {
    EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
    EXPECT_EQ(b->size(), QSize(43, 21));
  }
}

// The shipped pictures in the current folder, one or two of them spoilt: the window keeps
// its substitutes and says once in its status bar which picture it replaced and why.
struct SpoiltPictures {
  const char* name;
  std::vector<std::pair<const char*, std::function<void(const fs::path&)>>> spoil;  // file, damage
  const char* message;  // empty: no message
};

const auto kCutShort = [](const fs::path& f) { fs::resize_file(f, 10000); };
const auto kSmallMoon = [](const fs::path& f) { fs::copy_file(fs::path(testing::DataDir()) / "mond70.bmp", f,
                                                              fs::copy_options::overwrite_existing); };

const SpoiltPictures kSpoiltPictures[] = {
    {"AllUsable", {}, ""},
    {"AMoonPictureCutShort", {{"mond75.bmp", kCutShort}},
     // 54 bytes of headers and 75 rows of 75 x 3 bytes padded to 228: 17154.
     "Picture replaced: picture 'mond75.bmp' is refused: its pixel data is cut short (10000 bytes, the header "
     "needs 17154)"},
    {"AMapOfTheWrongSize", {{"world_white_680x340.bmp", kSmallMoon}},
     "Picture replaced: picture 'world_white_680x340.bmp' is refused: it has 70 x 70 pixels, not 680 x 340"},
    {"ADarkMapAndAMoonPicture", {{"mond92.bmp", kCutShort}, {"bluemarble_680x340_dark.bmp", kSmallMoon}},
     "Picture replaced: picture 'bluemarble_680x340_dark.bmp' is refused: it has 70 x 70 pixels, not 680 x 340 "
     "(and 1 more)"},
};

void PrintTo(const SpoiltPictures& row, std::ostream* os) { *os << row.name; }

class PictureReport : public ::testing::TestWithParam<SpoiltPictures> {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_pictures_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    for (const auto& entry : fs::directory_iterator(testing::DataDir()))
      if (entry.path().extension() == ".bmp") fs::copy_file(entry.path(), dir_ / entry.path().filename());
    before_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir_.string())));
    Startup() = StartupData{};
    Startup().TheCatalogue = ThreeEclipses();
    Startup().ProgramDir = dir_.string() + "/";
    Startup().Parameters.SetByte(param::kLanguage, 1);
  }
  void TearDown() override {
    QDir::setCurrent(before_);
    fs::remove_all(dir_);
  }
  fs::path dir_;
  QString before_;
};

TEST_P(PictureReport, NamesTheReplacedPictureOnceInTheStatusBar) {
  for (const auto& [file, damage] : GetParam().spoil) damage(dir_ / file);
  MainWindow w;
  w.show();
  Find<QScrollBar>(w, "ScrollBar_Eclipse")->setValue(2);  // draws the diagram and the map with what there is
  const auto* bar = w.findChild<QStatusBar*>();
  EXPECT_EQ(bar ? bar->currentMessage().toStdString() : std::string(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, PictureReport, ::testing::ValuesIn(kSpoiltPictures),
                         [](const ::testing::TestParamInfo<SpoiltPictures>& row) { return std::string(row.param.name); });

TEST(DiagramControlsBeforeSelection, TableIsEmpty) {
  Startup() = StartupData{};
  Startup().TheCatalogue = ThreeEclipses();
  MainWindow w;  // not shown: no selection yet
  EXPECT_EQ(Find<QTableWidget>(w, "SG")->rowCount(), 13);
  EXPECT_EQ(Find<QTableWidget>(w, "SG")->columnCount(), 3);
  EXPECT_EQ(Find<QTableWidget>(w, "SG")->columnWidth(0), 88);
  EXPECT_EQ(Find<QTableWidget>(w, "SG")->columnWidth(1), 50);
  EXPECT_EQ(Find<QTableWidget>(w, "SG")->columnWidth(2), 75);
  for (int r = 0; r < 13; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_TRUE(Find<QTableWidget>(w, "SG")->item(r, c)->text().isEmpty());
  Find<QScrollBar>(w, "ScrollBar_Time")->setValue(100);  // nothing to draw yet
  EXPECT_TRUE(Find<QTableWidget>(w, "SG")->item(0, 1)->text().isEmpty());
  EXPECT_FALSE(w.State().State().Playing());
}

}  // namespace
}  // namespace varomintel
