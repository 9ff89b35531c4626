// The context menus of the main window's diagram, map and report, driven offscreen in each
// language: their entries, and the save dialogs filled in as a user would (a name without
// its extension): the pictures written as PNG at the size shown and at twice the design
// size, the animation's options chosen in its dialog and the video written as MP4 (read
// back by ffprobe), or cancelled in its progress dialog and then leaving nothing behind.
// The options dialog alone: its texts, the options its controls give, the playing time it
// shows, and the choices it keeps for the next time.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProgressDialog>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <filesystem>
#include <map>
#include <optional>
#include <sstream>

#include "../support/run_cli.h"
#include "../support/synthetic_eclipse.h"
#include "../support/writer_leftovers.h"
#include "app/parameter_file.h"
#include "app/time_slider.h"
#include "eclipse/circumstances.h"
#include "gui/common/qt_translations.h"
#include "gui/main/animation_dialog.h"
#include "app/startup_data.h"
#include "find_control.h"
#include "gui/main/main_window.h"
#include "gui/main/diagram_view.h"
#include "gui/main/map_panel.h"
#include "gui/main/world_map_image.h"
#include "render/video_writer.h"
#include "text/text_table.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::Find;

struct MenuCase {
  const char* name;
  std::uint8_t language;
  QStringList diagramEntries;
  QStringList mapEntries;
  const char* copy;  // the report's entry
  bool cancelAnimation;  // true: Cancel in the progress dialog; false: the video is written
  AnimationOptions animation;  // chosen in the options dialog
};

// Sets the controls of the animation dialog to `options`, as a user clicks them.
void Choose(QDialog& dialog, const AnimationOptions& options) {
  Find<QRadioButton>(dialog, options.step == 6 ? "RadioButton_Fine" : "RadioButton_Coarse")->click();
  Find<QRadioButton>(dialog, options.whole ? "RadioButton_Whole" : "RadioButton_Eclipse")->click();
  Find<QRadioButton>(dialog, options.scale == 2 ? "RadioButton_Double" : "RadioButton_Single")->click();
  Find<QSpinBox>(dialog, "SpinBox_Fps")->setValue(options.fps);
}

QPushButton* DialogButton(QDialog& dialog, QDialogButtonBox::StandardButton which) {
  return Find<QDialogButtonBox>(dialog, "ButtonBox_Animation")->button(which);
}

// A user who answers the dialogs of a menu entry as they come up: the animation's options
// and OK, the file's name and Enter, and when asked to, Cancel (the button, or Escape) in
// the video's progress once more than two frames are written, so that there is a partial
// file to drop. The dialogs run their own event loops, so the user looks every 5 ms.
// Like a person, the user answers a dialog only once it is the active window: a key sent
// to a dialog not yet activated misses its shortcuts (Escape then merely hides the
// progress dialog, and the video goes on being written). What the dialog has not taken
// is given again at the next look.
class DialogUser {
 public:
  enum Cancel { kNoCancel, kCancelButton, kCancelEscape };

  DialogUser(const fs::path& file, const AnimationOptions& animation, Cancel cancel)
      : file_(QString::fromStdString(file.string())), animation_(animation), cancel_(cancel) {
    look_.setInterval(5);
    QObject::connect(&look_, &QTimer::timeout, [this] { Look(); });
    look_.start();
  }

  QStringList filters;     // offered by the last file dialog
  bool named = false;      // the file's name entered in a file dialog
  bool cancelled = false;  // the progress dialog has taken the cancel

 private:
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || QApplication::activeWindow() != modal) return;
    if (auto* dialog = qobject_cast<AnimationDialog*>(modal)) {
      Choose(*dialog, animation_);
      DialogButton(*dialog, QDialogButtonBox::Ok)->click();
    } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
      filters = files->nameFilters();
      auto* edit = Find<QLineEdit>(*files, "fileNameEdit");
      edit->setText(file_);
      named = true;
      QTest::keyClick(edit, Qt::Key_Return);
    } else if (auto* progress = qobject_cast<QProgressDialog*>(modal);
               progress && cancel_ != kNoCancel && !cancelled && progress->value() > 2) {
      if (cancel_ == kCancelEscape) QTest::keyClick(progress, Qt::Key_Escape);
      else QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
      cancelled = progress->wasCanceled();
    }
  }

  QString file_;
  AnimationOptions animation_;
  Cancel cancel_;
  QTimer look_;
};

// A main window at its design size over a one-eclipse catalogue, its settings in `dir`/Varomintel
// and an empty `dir`/out for what the menus save.
std::unique_ptr<MainWindow> MainWindowIn(const fs::path& dir, std::uint8_t language) {
  fs::remove_all(dir);
  fs::create_directories(dir / "out");
  StartupData& v = Startup();
  v = StartupData{};
  v.TheCatalogue = Catalogue({testing::LinearEclipse::Passing(1200).Record(2022, 11, 8, 11)});
  v.ProgramVersionInfo = ProgramVersionInfo("program");
  v.ProgramVersion = ProgramVersion(v.ProgramVersionInfo);
  v.ParamDir = (dir / "Varomintel").string() + "/";
  v.ParamFilePath = v.ParamDir + kParameterFileName;
  v.Parameters = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion).record;
  v.Parameters.SetInt(param::kEclipse, 1);
  v.Parameters.SetByte(param::kLanguage, language);
  auto window = std::make_unique<MainWindow>();
  testing::ShowAtDesignSize(*window);
  return window;
}

class PictureMenus : public ::testing::TestWithParam<MenuCase> {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_picture_menus_" + std::to_string(::getpid()));
    window_ = MainWindowIn(dir_, GetParam().language);
  }
  void TearDown() override {
    window_.reset();
    fs::remove_all(dir_);
  }

  // The menu that `picture` opens for a right click, with its entries' texts.
  static QMenu* OpenMenu(QWidget* picture) {
    emit picture->customContextMenuRequested(QPoint(10, 10));
    QCoreApplication::processEvents();
    const QList<QMenu*> menus = picture->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
    if (menus.isEmpty()) throw std::runtime_error("no menu");
    return menus.last();
  }
  static QStringList Entries(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions())
      if (!a->isSeparator()) texts << a->text();
    menu->close();
    return texts;
  }

  // Triggers `action` of the menu of `picture`; the save dialog that opens gets `name`
  // (in the test's folder, without extension) and Enter; a progress dialog is cancelled
  // when `cancel`; the animation's options dialog gets `animation` and OK. Returns the name
  // filters the dialog offered.
  QStringList SaveThrough(QWidget* picture, const char* action, const std::string& name, bool cancel = false,
                          const AnimationOptions& animation = {}) {
    QPointer<QMenu> menu = OpenMenu(picture);
    DialogUser user(dir_ / "out" / name, animation, cancel ? DialogUser::kCancelButton : DialogUser::kNoCancel);
    Find<QAction>(*menu, action)->trigger();
    if (menu) menu->close();
    QCoreApplication::processEvents();  // the entry, queued until its menu has closed, runs whole
    EXPECT_TRUE(user.named);
    EXPECT_EQ(user.cancelled, cancel);
    return user.filters;
  }
  static QImage Picture(const fs::path& file) { return QImage(QString::fromStdString(file.string())); }
  // ffprobe's key=value lines of a video's first stream, its frames counted.
  std::map<std::string, std::string> Probe(const fs::path& file) const {
    const testing::CliRun r = testing::RunProgram(dir_, "ffprobe",
                                                  "-v error -count_frames -select_streams v:0 -show_entries "
                                                  "stream=width,height,r_frame_rate,nb_read_frames -of default=nw=1 " +
                                                      file.string());
    std::map<std::string, std::string> values;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);)
      if (const auto eq = line.find('='); eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    return values;
  }

  fs::path dir_;
  std::unique_ptr<MainWindow> window_;
};

TEST_P(PictureMenus, EntriesInTheLanguageAndTheSavedFiles) {
  const MenuCase& c = GetParam();
  auto* diagram = Find<QWidget>(*window_, "DiagramPanel");
  auto* map = Find<QWidget>(*window_, "MapPanel");
  EXPECT_EQ(Entries(OpenMenu(diagram)), c.diagramEntries);
  EXPECT_EQ(Entries(OpenMenu(map)), c.mapEntries);
  // The menu key on the time slider (the diagram's focus) and a right click on the picture
  // open the diagram's menu.
  for (QWidget* target :
       {Find<QWidget>(*window_, "ScrollBar_Time"), static_cast<QWidget*>(Find<DiagramView>(*window_, "DiagramImages"))}) {
    const QList<QMenu*> before = diagram->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
    const bool slider = target->objectName() == "ScrollBar_Time";
    QContextMenuEvent event(slider ? QContextMenuEvent::Keyboard : QContextMenuEvent::Mouse, QPoint(5, 5),
                            target->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(target, &event);
    QCoreApplication::processEvents();
    QMenu* opened = nullptr;
    for (QMenu* m : diagram->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
      if (!before.contains(m)) opened = m;
    ASSERT_NE(opened, nullptr) << target->objectName().toStdString();
    EXPECT_EQ(Entries(opened), c.diagramEntries);
  }

  // The report's Copy: the whole text without a selection, else the selected part.
  auto* report = Find<QTextEdit>(*window_, "RE_Table");
  ASSERT_FALSE(report->toPlainText().isEmpty());
  QPointer<QMenu> reportMenu = OpenMenu(report);
  EXPECT_EQ(Entries(reportMenu), QStringList{QString::fromUtf8(c.copy)});
  reportMenu = OpenMenu(report);
  Find<QAction>(*reportMenu, "Copy")->trigger();
  QCoreApplication::processEvents();  // the entry runs once its menu has closed
  EXPECT_EQ(QGuiApplication::clipboard()->text(), report->toPlainText());
  QTextCursor cursor = report->textCursor();
  cursor.setPosition(0);
  cursor.setPosition(5, QTextCursor::KeepAnchor);
  report->setTextCursor(cursor);
  reportMenu = OpenMenu(report);
  Find<QAction>(*reportMenu, "Copy")->trigger();
  QCoreApplication::processEvents();  // the entry runs once its menu has closed
  EXPECT_EQ(QGuiApplication::clipboard()->text(), report->toPlainText().left(5));

  // The diagram as shown (the design size here), at twice the design size, and the map
  // as shown (with its degree labels when the graticule is on), each with the caption band
  // below it (24 pixels at the design size), which the window's own pictures do not have.
  // The band holds light text on its dark ground, in a row band of the text's height.
  const auto textRows = [](const QImage& picture, int top) {
    int rows = 0;
    for (int y = top; y < picture.height(); ++y) {
      bool light = false;
      for (int x = 0; x < picture.width() && !light; ++x) light = qGray(picture.pixel(x, y)) > 160;
      rows += light;
    }
    return rows;
  };
  const QImage window = Find<DiagramView>(*window_, "DiagramImages")->ShownImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(window.size(), QSize(1040, 480));
  const QStringList pngFilters = SaveThrough(diagram, "SavePicture", "shown");
  ASSERT_EQ(pngFilters.size(), 1);
  EXPECT_TRUE(pngFilters[0].endsWith("(*.png)")) << pngFilters[0].toStdString();
  const QImage shown = Picture(dir_ / "out" / "shown.png").convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), QSize(1040, 480 + 24));
  EXPECT_EQ(shown.copy(0, 0, 1040, 480), window);
  EXPECT_GE(textRows(shown, 480), 9);
  EXPECT_EQ(Find<DiagramView>(*window_, "DiagramImages")->ShownImage().size(), QSize(1040, 480));
  // Copied: the same captioned picture.
  QGuiApplication::clipboard()->clear();
  QPointer<QMenu> diagramMenu = OpenMenu(diagram);
  Find<QAction>(*diagramMenu, "CopyPicture")->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), shown);
  SaveThrough(diagram, "SavePictureDouble", "double");
  const QImage doubled = Picture(dir_ / "out" / "double.png");
  ASSERT_EQ(doubled.size(), QSize(2080, 960 + 48));
  EXPECT_GE(textRows(doubled, 960), 18);  // the text twice as high
  SaveThrough(map, "SavePicture", "map");
  const QImage savedMap = Picture(dir_ / "out" / "map.png").convertToFormat(QImage::Format_RGB32);
  const QImage shownMap = Find<MapPanel>(*window_, "MapPanel")->ShownMap().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(savedMap.size(), shownMap.size() + QSize(0, 24));
  EXPECT_EQ(savedMap.copy(QRect(QPoint(0, 0), shownMap.size())), shownMap);
  EXPECT_GE(textRows(savedMap, shownMap.height()), 9);

  // The animation: MP4 by default (the second filter is WebM); cancelled, nothing is left.
  const QStringList videoFilters = SaveThrough(diagram, "SaveAnimation", "play", c.cancelAnimation, c.animation);
  ASSERT_EQ(videoFilters.size(), 2);
  EXPECT_TRUE(videoFilters[0].endsWith("(*.mp4)"));
  EXPECT_TRUE(videoFilters[1].endsWith("(*.webm)"));
  EXPECT_EQ(fs::exists(dir_ / "out" / "play.mp4"), !c.cancelAnimation);
  if (!c.cancelAnimation) {
    // The frames of the options chosen, counted from the eclipse's own contacts.
    const CircumstancesResult contacts = ComputeCircumstances(Startup().TheCatalogue.At(1), 0);
    const auto frames = AnimationPositions(contacts.circumstances, c.animation.step, c.animation.whole).size();
    const QSize size = VideoFrameSize(QSize(1040, 480 + 24) * c.animation.scale);  // with the caption band
    const auto probed = Probe(dir_ / "out" / "play.mp4");
    EXPECT_EQ(probed.count("nb_read_frames") ? probed.at("nb_read_frames") : "", std::to_string(frames));
    EXPECT_EQ(probed.count("width") ? probed.at("width") : "", std::to_string(size.width()));
    EXPECT_EQ(probed.count("height") ? probed.at("height") : "", std::to_string(size.height()));
    EXPECT_EQ(probed.count("r_frame_rate") ? probed.at("r_frame_rate") : "", std::to_string(c.animation.fps) + "/1");
  }
  EXPECT_EQ(testing::WriterLeftovers(dir_ / "out"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PictureMenus,
    ::testing::Values(
        MenuCase{"German", 0,
                 {"Bild kopieren", "Bild speichern unter …", "Bild in doppelter Größe speichern unter …",
                  "Animation speichern unter …"},
                 {"Bild kopieren", "Bild speichern unter …"},
                 "Kopieren",
                 true,
                 {6, true, 30, 1}},
        MenuCase{"English", 1,
                 {"Copy picture", "Save picture as …", "Save picture at double size as …", "Save animation as …"},
                 {"Copy picture", "Save picture as …"},
                 "Copy",
                 false,
                 {60, false, 12, 1}},
        MenuCase{"French", 2,
                 {"Copier l'image", "Enregistrer l'image sous …", "Enregistrer l'image en taille double sous …",
                  "Enregistrer l'animation sous …"},
                 {"Copier l'image", "Enregistrer l'image sous …"},
                 "Copier",
                 true,
                 {60, true, 120, 2}}),
    [](const auto& row) { return std::string(row.param.name); });


// An entry chosen in the real popup menu (opened by the panel's context-menu event, the
// entry highlighted and Enter pressed, so that the menu closes and deletes itself as for a
// user), its dialogs answered by a "user" that watches the modal widgets.
struct MenuActionCase {
  const char* name;
  const char* panel;   // DiagramPanel, MapPanel or RE_Table
  const char* action;
  const char* file;    // the name typed into the save dialog (in out/), or "" for a copy
  enum Answer { Save, CancelButton, CancelEscape } answer;
  bool written;        // the file exists afterwards
};

class MenuActions : public ::testing::TestWithParam<MenuActionCase> {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_menu_actions_" + std::to_string(::getpid()));
    window_ = MainWindowIn(dir_, kGerman);
  }
  void TearDown() override {
    window_.reset();
    fs::remove_all(dir_);
  }
  fs::path dir_;
  std::unique_ptr<MainWindow> window_;
};

TEST_P(MenuActions, RunAfterTheirMenuHasClosedAndLeaveTheProgramRunning) {
  const MenuActionCase& c = GetParam();
  QGuiApplication::clipboard()->clear();
  auto* panel = Find<QWidget>(*window_, c.panel);
  QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(10, 10), panel->mapToGlobal(QPoint(10, 10)));
  QApplication::sendEvent(panel, &event);
  QCoreApplication::processEvents();
  QPointer<QMenu> menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->testAttribute(Qt::WA_DeleteOnClose));

  const bool copy = *c.file == 0;
  const fs::path file = dir_ / "out" / c.file;
  std::optional<DialogUser> user;
  if (!copy) {
    user.emplace(file, AnimationOptions{60, false, 30, 1},
                 c.answer == MenuActionCase::CancelButton   ? DialogUser::kCancelButton
                 : c.answer == MenuActionCase::CancelEscape ? DialogUser::kCancelEscape
                                                            : DialogUser::kNoCancel);
  }
  menu->setActiveAction(Find<QAction>(*menu, c.action));
  QTest::keyClick(menu, Qt::Key_Return);
  // The entry has run whole once its dialogs are answered and gone: they run their own
  // event loops inside the entry, so this loop sees the state only between entries.
  const auto done = [&] {
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return false;
    if (copy) return !QGuiApplication::clipboard()->image().isNull() || !QGuiApplication::clipboard()->text().isEmpty();
    return user->named;
  };
  EXPECT_TRUE(QTest::qWaitFor(done, 120000));
  if (user) {
    EXPECT_EQ(user->cancelled, c.answer != MenuActionCase::Save);
  }
  user.reset();
  QTest::qWait(20);  // the menu's deletion, and whatever the entry left to run
  EXPECT_TRUE(menu.isNull()) << "the menu deletes itself on closing";
  EXPECT_TRUE(window_->isVisible());
  if (!copy) {
    EXPECT_EQ(fs::exists(file), c.written);
    EXPECT_EQ(testing::WriterLeftovers(dir_ / "out"), "");
  }
  // The program goes on: the same panel opens its menu again.
  QApplication::sendEvent(panel, &event);
  QCoreApplication::processEvents();
  QPointer<QMenu> again = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(again, nullptr);
  again->close();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MenuActions,
    ::testing::Values(
        MenuActionCase{"DiagramCopy", "DiagramPanel", "CopyPicture", "", MenuActionCase::Save, false},
        MenuActionCase{"DiagramPicture", "DiagramPanel", "SavePicture", "shown.png", MenuActionCase::Save, true},
        MenuActionCase{"DiagramDouble", "DiagramPanel", "SavePictureDouble", "double.png", MenuActionCase::Save, true},
        MenuActionCase{"MapPicture", "MapPanel", "SavePicture", "map.png", MenuActionCase::Save, true},
        MenuActionCase{"MapCopy", "MapPanel", "CopyPicture", "", MenuActionCase::Save, false},
        MenuActionCase{"ReportCopy", "RE_Table", "Copy", "", MenuActionCase::Save, false},
        MenuActionCase{"AnimationSaved", "DiagramPanel", "SaveAnimation", "play.mp4", MenuActionCase::Save, true},
        MenuActionCase{"AnimationCancelButton", "DiagramPanel", "SaveAnimation", "cancel.mp4",
                       MenuActionCase::CancelButton, false},
        MenuActionCase{"AnimationCancelEscape", "DiagramPanel", "SaveAnimation", "escape.mp4",
                       MenuActionCase::CancelEscape, false}),
    [](const auto& row) { return std::string(row.param.name); });


struct DialogCase {
  const char* name;
  std::uint8_t language;
  const char* title;
  const char* cancel;  // Qt's own text of the standard button, in the language
  AnimationOptions chosen;
  const char* duration;  // of the frame counts of PlayFrames
};

// A stand-in for the eclipse's frame counts: 50 frames of the eclipse at 2 minutes, 241 of
// the whole slider, ten times as many at 12 seconds.
int PlayFrames(int step, bool whole) { return (whole ? 241 : 50) * (step == 6 ? 10 : 1); }

class AnimationDialogs : public ::testing::TestWithParam<DialogCase> {};

TEST_P(AnimationDialogs, TheControlsGiveTheOptionsThePlayingTimeAndTheNextOpeningKeepsThem) {
  const DialogCase& c = GetParam();
  InstallTranslations(c.language);
  // Opened with the options it is given; each control named for screen readers.
  AnimationDialog dialog(nullptr, c.language, AnimationOptions{}, PlayFrames);
  EXPECT_EQ(dialog.objectName(), "Dialog_Animation");
  EXPECT_EQ(dialog.windowTitle().toStdString(), c.title);
  EXPECT_EQ(dialog.Options(), AnimationOptions{});
  EXPECT_EQ(DialogButton(dialog, QDialogButtonBox::Cancel)->text().toStdString(), c.cancel);
  dialog.show();
  for (QWidget* w : dialog.findChildren<QWidget*>())
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QSpinBox*>(w)) {
      EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
  // The frames a second within the video writer's limits, as on the command line.
  auto* fps = Find<QSpinBox>(dialog, "SpinBox_Fps");
  EXPECT_EQ(fps->minimum(), kMinVideoFps);
  EXPECT_EQ(fps->maximum(), kMaxVideoFps);
  Choose(dialog, c.chosen);
  EXPECT_EQ(dialog.Options(), c.chosen);
  EXPECT_EQ(Find<QLabel>(dialog, "Label_Duration")->text().toStdString(), c.duration);
  dialog.hide();

  // Through the menu's way of asking: OK keeps the choices for the next opening, which
  // Cancel then leaves as they were.
  const auto ask = [&](const std::function<void(AnimationDialog&)>& user, AnimationOptions* got) {
    QTimer::singleShot(0, [user] {
      if (auto* shown = qobject_cast<AnimationDialog*>(QApplication::activeModalWidget())) user(*shown);
    });
    return AskAnimationOptions(nullptr, c.language, PlayFrames, got);
  };
  AnimationOptions got;
  EXPECT_TRUE(ask(
      [&](AnimationDialog& d) {
        Choose(d, c.chosen);
        DialogButton(d, QDialogButtonBox::Ok)->click();
      },
      &got));
  EXPECT_EQ(got, c.chosen);
  AnimationOptions shown;
  EXPECT_FALSE(ask(
      [&](AnimationDialog& d) {
        shown = d.Options();
        Choose(d, AnimationOptions{c.chosen.step == 6 ? 60 : 6, !c.chosen.whole, 1, 3 - c.chosen.scale});
        DialogButton(d, QDialogButtonBox::Cancel)->click();
      },
      &got));
  EXPECT_EQ(shown, c.chosen);
  EXPECT_TRUE(ask([&](AnimationDialog& d) { DialogButton(d, QDialogButtonBox::Ok)->click(); }, &got));
  EXPECT_EQ(got, c.chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AnimationDialogs,
    ::testing::Values(
        DialogCase{"German", 0, "Animation speichern", "Abbrechen", {6, false, 25, 1},
                   "500 Bilder, Spieldauer 20,0 s"},
        DialogCase{"English", 1, "Save animation", "Cancel", {60, true, 12, 2}, "241 frames, playing 20.1 s"},
        DialogCase{"French", 2, "Enregistrer l'animation", "Annuler", {6, true, 120, 2},
                   "2410 images, durée 20,1 s"},
        DialogCase{"Spanish", 3, "Guardar animación", "Cancelar", {60, false, 5, 1},
                   "50 imágenes, duración 10,0 s"}),
    [](const auto& row) { return std::string(row.param.name); });

// The frames a second typed key by key, then Enter: OK (and Enter) only while the entry is
// a frame rate within the writer's limits, the playing time of the entry shown, or the
// limits while it is none; what OK gives is what the field shows.
TEST(AnimationDialogTyping, OkOnlyForAValidEntryAndThePlayingTimeFollowsIt) {
  const struct {
    const char* typed;     // replaces the field's text
    const char* shown;     // the field's text afterwards (keys beyond the limits are refused)
    bool ok;
    const char* duration;  // PlayFrames: 50 frames at the default options
  } rows[] = {
      {"99999", "99", true, "50 frames, playing 0.5 s"},
      {"0", "0", false, "Frames per second: 1 to 120"},
      {"", "", false, "Frames per second: 1 to 120"},
      {"121", "12", true, "50 frames, playing 4.2 s"},
      {"7", "7", true, "50 frames, playing 7.1 s"},
      {"120", "120", true, "50 frames, playing 0.4 s"},
  };
  testing::SwitchWindowLanguage(1);
  AnimationDialog dialog(nullptr, 1, AnimationOptions{}, PlayFrames);
  auto* fps = Find<QSpinBox>(dialog, "SpinBox_Fps");
  auto* edit = fps->findChild<QLineEdit*>();
  ASSERT_NE(edit, nullptr);
  for (const auto& r : rows) {
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    fps->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromUtf8(r.typed));
    EXPECT_EQ(fps->text().toStdString(), r.shown) << r.typed;
    EXPECT_EQ(DialogButton(dialog, QDialogButtonBox::Ok)->isEnabled(), r.ok) << r.typed;
    EXPECT_EQ(dialog.FpsValid(), r.ok) << r.typed;
    EXPECT_EQ(Find<QLabel>(dialog, "Label_Duration")->text().toStdString(), r.duration) << r.typed;
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog.result() == QDialog::Accepted, r.ok) << r.typed;
    EXPECT_EQ(dialog.isVisible(), !r.ok) << r.typed;
    if (r.ok) {
      EXPECT_EQ(QString::number(dialog.Options().fps).toStdString(), r.shown) << r.typed;
    }
  }
}

}  // namespace
}  // namespace varomintel
