// The context menus of the main window's diagram, map and report, driven offscreen in each
// language: their entries, and the save dialogs filled in as a user would (a name without
// its extension): the pictures written as PNG at the size shown and at twice the design
// size, the animation written as an MP4 video, or cancelled in its progress dialog and
// then leaving nothing behind.
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

#include <filesystem>

#include "../support/synthetic_eclipse.h"
#include "../support/writer_leftovers.h"
#include "app/parameter_file.h"
#include "app/varomintel_variables.h"
#include "find_control.h"
#include "gui/main/Varomintel_Unit_Main.h"
#include "gui/main/diagram_view.h"
#include "gui/main/map_panel.h"
#include "gui/main/world_map_image.h"

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
};

class PictureMenus : public ::testing::TestWithParam<MenuCase> {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_picture_menus_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "out");
    VaromintelVariables& v = Vars();
    v = VaromintelVariables{};
    v.TheCatalogue = Catalogue({testing::LinearEclipse::Passing(1200).Record(2022, 11, 8, 11)});
    v.ProgramVersionInfo = ProgramVersionInfo("program");
    v.ProgramVersion = ProgramVersion(v.ProgramVersionInfo);
    v.ParamDir = (dir_ / "Varomintel").string() + "/";
    v.ParamFilePath = v.ParamDir + kParameterFileName;
    v.Parameters = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion).record;
    v.Parameters.SetInt(param::kEclipse, 1);
    v.Parameters.SetByte(param::kLanguage, GetParam().language);
    window_ = std::make_unique<TForm_Main>();
    testing::ShowAtDesignSize(*window_);
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
  // when `cancel`. Returns the name filters the dialog offered.
  QStringList SaveThrough(QWidget* picture, const char* action, const std::string& name, bool cancel = false) {
    QPointer<QMenu> menu = OpenMenu(picture);
    QStringList filters;
    bool cancelled = false;
    QTimer user;
    user.setInterval(5);
    QObject::connect(&user, &QTimer::timeout, [&] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        filters = dialog->nameFilters();
        auto* edit = Find<QLineEdit>(*dialog, "fileNameEdit");
        edit->setText(QString::fromStdString((dir_ / "out" / name).string()));
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
        return;
      }
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* progress = qobject_cast<QProgressDialog*>(w); progress && progress->isVisible() && cancel &&
                                                                 !cancelled && progress->value() > 2) {
          cancelled = true;
          progress->cancel();
        }
    });
    user.start();
    Find<QAction>(*menu, action)->trigger();
    if (menu) menu->close();
    EXPECT_EQ(cancelled, cancel);
    return filters;
  }
  static QImage Picture(const fs::path& file) { return QImage(QString::fromStdString(file.string())); }

  fs::path dir_;
  std::unique_ptr<TForm_Main> window_;
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
  EXPECT_EQ(QGuiApplication::clipboard()->text(), report->toPlainText());
  QTextCursor cursor = report->textCursor();
  cursor.setPosition(0);
  cursor.setPosition(5, QTextCursor::KeepAnchor);
  report->setTextCursor(cursor);
  reportMenu = OpenMenu(report);
  Find<QAction>(*reportMenu, "Copy")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), report->toPlainText().left(5));

  // The diagram as shown (the design size here), at twice the design size, and the map
  // as shown (with its degree labels when the graticule is on).
  const QStringList pngFilters = SaveThrough(diagram, "SavePicture", "shown");
  ASSERT_EQ(pngFilters.size(), 1);
  EXPECT_TRUE(pngFilters[0].endsWith("(*.png)")) << pngFilters[0].toStdString();
  const QImage shown = Picture(dir_ / "out" / "shown.png");
  EXPECT_EQ(shown.size(), QSize(1040, 480));
  EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
            Find<DiagramView>(*window_, "DiagramImages")->ShownImage().convertToFormat(QImage::Format_RGB32));
  SaveThrough(diagram, "SavePictureDouble", "double");
  EXPECT_EQ(Picture(dir_ / "out" / "double.png").size(), QSize(2080, 960));
  SaveThrough(map, "SavePicture", "map");
  const QImage savedMap = Picture(dir_ / "out" / "map.png");
  EXPECT_FALSE(savedMap.isNull());
  EXPECT_EQ(savedMap.convertToFormat(QImage::Format_RGB32),
            Find<MapPanel>(*window_, "MapPanel")->ShownMap().convertToFormat(QImage::Format_RGB32));

  // The animation: MP4 by default (the second filter is WebM); cancelled, nothing is left.
  const QStringList videoFilters = SaveThrough(diagram, "SaveAnimation", "play", c.cancelAnimation);
  ASSERT_EQ(videoFilters.size(), 2);
  EXPECT_TRUE(videoFilters[0].endsWith("(*.mp4)"));
  EXPECT_TRUE(videoFilters[1].endsWith("(*.webm)"));
  EXPECT_EQ(fs::exists(dir_ / "out" / "play.mp4"), !c.cancelAnimation);
  if (!c.cancelAnimation) {
    EXPECT_GT(fs::file_size(dir_ / "out" / "play.mp4"), 10000u);
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
                 true},
        MenuCase{"English", 1,
                 {"Copy picture", "Save picture as …", "Save picture at double size as …", "Save animation as …"},
                 {"Copy picture", "Save picture as …"},
                 "Copy",
                 false},
        MenuCase{"French", 2,
                 {"Copier l'image", "Enregistrer l'image sous …", "Enregistrer l'image en taille double sous …",
                  "Enregistrer l'animation sous …"},
                 {"Copier l'image", "Enregistrer l'image sous …"},
                 "Copier",
                 true}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
