// The windows' layouts on today's screens. The main window: opened at 1024 x 700, 1280 x 720, 1366 x 768,
// 1900 x 800, 2560 x 720 (the pictures side by side), 1300 x 1300, at the design size and at 2560 x 1440,
// in each language, no control overlaps a
// sibling or leaves its parent, every caption fits its control, the inner area needs no more room than
// it has, the diagram and the map keep their shapes while they grow with the window into the
// free space (no large empty area beside or between them), never below half their design
// size (the left column gives up width first), and the report shows its first lines whole.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../support/synthetic_eclipse.h"
#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "find_control.h"
#include "gui/common/qt_translations.h"
#include "gui/lists/city_history_window.h"
#include "gui/lists/city_list_window.h"
#include "gui/main/main_window.h"
#include "gui/main/diagram_view.h"
#include "gui/main/world_map_image.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::Find;

struct LayoutCase {
  const char* name;
  QSize screen;          // the screen the window fills; {} the design size
  std::uint8_t language;
  double minScale, maxScale;  // of the diagram and the map
  int reportLines;            // the report's lines shown whole at the least; 0: all of them
  double maxEmpty = 0.35;     // the share of the picture column that neither panel covers
  bool narrow = false;        // the left column gives up width (and scrolls sideways)
  bool sideBySide = false;    // the map right of the diagram rather than under it
};
void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

constexpr int kTitleBar = 30;  // what a window manager's frame takes of the screen's height

// The direct children of `parent` that a user sees as controls (a hidden panel covers
// nothing).
QList<QWidget*> VisibleChildren(const QWidget* parent) {
  QList<QWidget*> shown;
  for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (w->isVisible() && !w->isWindow() && !w->objectName().startsWith("qt_"))
      shown << w;
  return shown;
}

QString NameOf(const QWidget* w) {
  return w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName();
}

// The width a group box needs for its title.
int TitleWidth(const QGroupBox* g) {
  QStyleOptionGroupBox option;
  option.initFrom(g);
  option.text = g->title();
  option.subControls = QStyle::SC_GroupBoxLabel;
  return g->fontMetrics().horizontalAdvance(g->title()) + 2 * g->style()->pixelMetric(QStyle::PM_LayoutLeftMargin, &option, g);
}

// One synthetic eclipse in universal time (the time-zone group shows), in `language`.
void PrepareState(const fs::path& dir, std::uint8_t language) {
  fs::remove_all(dir);
  StartupData& v = Startup();
  v = StartupData{};
  v.TheCatalogue = Catalogue({varomintel::testing::LinearEclipse::Passing(1200, 0.3).Record(2022, 11, 8, 11)});
  v.ProgramVersion = "0.1.0.0";
  v.ParamDir = (dir / "Varomintel").string() + "/";
  v.ParamFilePath = v.ParamDir + kParameterFileName;
  v.Parameters = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion).record;
  v.Parameters.SetInt(param::kEclipse, 1);
  v.Parameters.SetFlag(param::kUniversalTime, true);
  v.Parameters.SetByte(param::kLanguage, language);
}

// The report's lines that stand whole in its view, from the top.
int WholeLinesShown(const QTextEdit* view) {
  const QTextDocument* doc = view->document();
  const int bottom = view->viewport()->height() + view->verticalScrollBar()->value();
  int lines = 0;
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    const QRectF box = doc->documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    for (int i = 0; i < layout->lineCount(); ++i) {
      if (box.top() + layout->lineAt(i).rect().bottom() > bottom) return lines;
      ++lines;
    }
  }
  return lines;
}

int AllLines(const QTextEdit* view) {
  int lines = 0;
  for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next())
    lines += block.layout()->lineCount();
  return lines;
}

fs::path StateFolder() { return fs::temp_directory_path() / ("varomintel_layout_" + std::to_string(::getpid())); }

class WindowLayout : public ::testing::TestWithParam<LayoutCase> {
 protected:
  void SetUp() override { PrepareState(StateFolder(), GetParam().language); }
  void TearDown() override { fs::remove_all(StateFolder()); }
};

TEST_P(WindowLayout, NothingOverlapsEveryCaptionFitsAndThePicturesKeepTheirShape) {
  const LayoutCase& c = GetParam();
  MainWindow window;
  window.ApplyStoredLanguage();
  testing::ShowAtDesignSize(window);
  if (!c.screen.isEmpty()) testing::ResizeAndWait(window, c.screen - QSize(0, kTitleBar));
  QWidget* client = window.centralWidget();
  client->layout()->activate();

  // The window fits the screen (a minimum size larger than the screen would push it off),
  // and needs no scroll bar: the inner area holds what its layout needs at least.
  if (!c.screen.isEmpty()) {
    EXPECT_LE(window.width(), c.screen.width());
    EXPECT_LE(window.height(), c.screen.height() - kTitleBar);
  }
  const QSize least = client->layout()->minimumSize();
  EXPECT_LE(least.width(), client->width());
  EXPECT_LE(least.height(), client->height());

  // Siblings do not overlap, and each control lies inside its parent.
  QList<QWidget*> parents = client->findChildren<QWidget*>();
  parents << client;
  for (QWidget* parent : parents) {
    if (!parent->isVisible()) continue;
    const QList<QWidget*> children = VisibleChildren(parent);
    for (int i = 0; i < children.size(); ++i) {
      const QRect a = children[i]->geometry();
      // The left column scrolls: its panel may be wider than the view.
      if (parent->objectName() != "qt_scrollarea_viewport") {
        EXPECT_TRUE(parent->rect().contains(a))
            << NameOf(children[i]).toStdString() << " leaves " << NameOf(parent).toStdString();
      }
      for (int j = i + 1; j < children.size(); ++j)
        EXPECT_FALSE(a.intersects(children[j]->geometry()))
            << NameOf(children[i]).toStdString() << " overlaps " << NameOf(children[j]).toStdString();
    }
  }

  // Every caption fits its control.
  for (QLabel* label : client->findChildren<QLabel*>()) {
    if (label->isVisible() && !label->text().isEmpty()) {
      EXPECT_LE(label->sizeHint().width(), label->width()) << NameOf(label).toStdString() << " " << label->text().toStdString();
    }
  }
  for (QAbstractButton* button : client->findChildren<QAbstractButton*>()) {
    if (button->isVisible() && !button->text().isEmpty()) {
      EXPECT_LE(button->sizeHint().width(), button->width()) << NameOf(button).toStdString() << " " << button->text().toStdString();
    }
  }
  for (QGroupBox* group : client->findChildren<QGroupBox*>()) {
    if (group->isVisible()) {
      EXPECT_LE(TitleWidth(group), group->width()) << NameOf(group).toStdString() << " " << group->title().toStdString();
    }
  }

  // The diagram and the map keep their shapes, at a scale that suits the screen, and
  // their pictures have the pixels of the panels: drawn, not stretched.
  EXPECT_FALSE(window.PicturesPending());
  EXPECT_EQ(Find<DiagramView>(window, "DiagramImages")->ShownImage().size(), Find<QWidget>(window, "DiagramImages")->size());
  EXPECT_EQ(Find<WorldMapImage>(window, "Image_World")->image().width(), Find<QWidget>(window, "Image_World")->width());
  EXPECT_EQ(Find<WorldMapImage>(window, "Image_World")->image().height(), Find<QWidget>(window, "Image_World")->height());
  const QSize diagram = Find<QWidget>(window, "DiagramImages")->size();
  const QSize map = Find<QWidget>(window, "Image_World")->size();
  EXPECT_NEAR(diagram.width() * 480.0 / 1040.0, diagram.height(), 1.0) << diagram.width() << " x " << diagram.height();
  EXPECT_NEAR(map.width() * 340.0 / 680.0, map.height(), 1.0) << map.width() << " x " << map.height();
  for (const double scale : {window.DiagramScale(), window.MapScale()}) {
    EXPECT_GE(scale, c.minScale);
    EXPECT_LE(scale, c.maxScale);
  }
  // The slider and the play buttons stay under the diagram.
  const QRect picture = Find<QWidget>(window, "Panel_Grafik")->geometry();
  const QRect slider = Find<QWidget>(window, "ScrollBar_Time")->geometry();
  EXPECT_EQ(slider.left(), picture.left());
  EXPECT_EQ(slider.width(), picture.width());
  EXPECT_GT(slider.top(), picture.bottom());
  // The left column keeps its width down to about 1280 x 720; below, it gives up width
  // (and scrolls sideways) before the pictures fall below half their size.
  auto* left = Find<QScrollArea>(window, "SelectionScroll");
  EXPECT_EQ(Find<QWidget>(window, "SelectionPanel")->width(), 470);
  if (c.narrow) {
    EXPECT_LT(left->viewport()->width(), 470);
    EXPECT_TRUE(left->horizontalScrollBar()->isVisible());
  } else {
    EXPECT_GE(left->viewport()->width(), 470);
    EXPECT_FALSE(left->horizontalScrollBar()->isVisible());
  }

  // No large empty area: the diagram and the map panels cover the picture column but for
  // `maxEmpty` of it, and together they span at least 65 % of its width and of its height
  // (no wide empty band along an edge). Two pictures of about 2:1 leave some of a column
  // of about 2:1 empty whatever their arrangement (1900 x 800).
  const auto* column = Find<QSplitter>(window, "PictureSplitter");
  EXPECT_EQ(column->orientation(), c.sideBySide ? Qt::Horizontal : Qt::Vertical);
  QRect spanned;
  long covered = 0;
  for (const char* name : {"DiagramPanel", "MapPanel"}) {
    const QWidget* panel = Find<QWidget>(window, name);
    const QRect r(panel->mapTo(column, QPoint(0, 0)), panel->size());
    EXPECT_TRUE(column->rect().contains(r)) << name;
    spanned |= r;
    covered += static_cast<long>(r.width()) * r.height();
  }
  const double empty = 1.0 - static_cast<double>(covered) / (static_cast<double>(column->width()) * column->height());
  EXPECT_LE(empty, c.maxEmpty) << "column " << column->width() << " x " << column->height();
  EXPECT_GE(spanned.width(), column->width() * 65 / 100);
  EXPECT_GE(spanned.height(), column->height() * 65 / 100);

  // The report keeps a useful height: its first lines stand whole in the view (the report
  // has more of them), or all of them from the design size on. The elements table may give up rows for it, but scrolls then, and
  // its columns keep their widths beside the scroll bar.
  auto* report = Find<QTextEdit>(window, "RE_Table");
  if (c.reportLines > 0) {
    ASSERT_GT(AllLines(report), c.reportLines);
  }
  EXPECT_GE(WholeLinesShown(report), c.reportLines > 0 ? c.reportLines : AllLines(report))
      << "view " << report->viewport()->height() << " pixels high";
  auto* elements = Find<QTableWidget>(window, "SG");
  int columns = 0;
  for (int i = 0; i < elements->columnCount(); ++i) columns += elements->columnWidth(i);
  EXPECT_GE(elements->viewport()->width() + 1, columns);
  const int rows = elements->rowCount() * elements->rowHeight(0);
  EXPECT_EQ(elements->verticalScrollBar()->isVisible(), elements->viewport()->height() < rows);
  EXPECT_GE(elements->viewport()->height(), 5 * elements->rowHeight(0));
  EXPECT_EQ(elements->viewport()->height() % elements->rowHeight(0), 0) << "a row cut short";
}

INSTANTIATE_TEST_SUITE_P(
    Screens, WindowLayout,
    ::testing::Values(LayoutCase{"narrow_German", {1024, 700}, 0, 0.5, 0.7, 8, 0.35, true},
                      LayoutCase{"small_German", {1280, 720}, 0, 0.5, 0.8, 8},
                      LayoutCase{"small_English", {1280, 720}, 1, 0.5, 0.8, 8},
                      LayoutCase{"small_French", {1280, 720}, 2, 0.5, 0.8, 8},
                      LayoutCase{"laptop_German", {1366, 768}, 0, 0.5, 0.9, 8},
                      LayoutCase{"wide_German", {1900, 800}, 0, 0.5, 1.1, 8, 0.4},
                      LayoutCase{"wide_French", {1900, 800}, 2, 0.5, 1.1, 8, 0.4},
                      LayoutCase{"very_wide_Spanish", {2560, 720}, 3, 0.5, 1.4, 8, 0.35, false, true},
                      LayoutCase{"tall_German", {1300, 1300}, 0, 0.75, 1.2, 0, 0.25},
                      LayoutCase{"tall_English", {1300, 1300}, 1, 0.75, 1.2, 0, 0.25},
                      LayoutCase{"design_German", {}, 0, 0.999, 1.001, 0, 0.05},
                      LayoutCase{"design_English", {}, 1, 0.999, 1.001, 0, 0.05},
                      LayoutCase{"design_French", {}, 2, 0.999, 1.001, 0, 0.05},
                      LayoutCase{"large_German", {2560, 1440}, 0, 0.95, 2.0, 0, 0.2},
                      LayoutCase{"large_English", {2560, 1440}, 1, 0.95, 2.0, 0, 0.2},
                      LayoutCase{"large_French", {2560, 1440}, 2, 0.95, 2.0, 0, 0.2}),
    [](const ::testing::TestParamInfo<LayoutCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel

namespace varomintel {
namespace {

// At the design size the controls stand where the window has always had them (top-left
// corners in the inner area, within a few pixels); the map and its controls, narrower than
// the diagram, stand centred under it.
struct DesignPlace {
  const char* control;
  QPoint topLeft;
};
constexpr DesignPlace kDesignPlaces[] = {
    {"GroupBox_Finsternis", {8, 8}}, {"GroupBox_Saros", {8, 98}},      {"GroupBox_ET_UT", {8, 164}},
    {"GroupBox_TZone", {248, 164}},  {"Tabs_Bericht", {8, 228}},           {"Panel_DatumZeit", {8, 487}},
    {"SG", {8, 544}},                {"Panel_Grafik", {488, 8}},       {"ScrollBar_Time", {488, 492}},
    {"Button_FastReverse", {890, 516}}, {"Panel_World", {572, 545}}, {"GroupBox_Globus", {1268, 545}},
    {"GroupBox_Markierung", {1268, 649}},
};
constexpr int kDesignTolerance = 6;  // pixels

class DesignLayout : public ::testing::Test {
 protected:
  void SetUp() override { PrepareState(StateFolder(), 0); }
  void TearDown() override { fs::remove_all(StateFolder()); }
};

TEST_F(DesignLayout, TheControlsStandWhereTheyAlwaysStood) {
  MainWindow window;
  testing::ShowAtDesignSize(window);
  QWidget* client = window.centralWidget();
  for (const DesignPlace& place : kDesignPlaces) {
    QWidget* control = Find<QWidget>(window, place.control);
    const QPoint at = control->mapTo(client, QPoint(0, 0));
    EXPECT_NEAR(at.x(), place.topLeft.x(), kDesignTolerance) << place.control;
    EXPECT_NEAR(at.y(), place.topLeft.y(), kDesignTolerance) << place.control;
  }
}

}  // namespace
}  // namespace varomintel

namespace varomintel {
namespace {

// The two list windows on today's screens: their controls are laid out by their forms.
// At any size no control overlaps a sibling or leaves its parent and every caption fits;
// the header and the list take the window's whole width and the list all the height below
// the controls; a window narrower than its controls scrolls them sideways; and at the
// design size the controls stand where they always stood (within a few pixels).
enum class ListKind { kCityList, kCityHist };

struct ListLayoutCase {
  const char* name;
  ListKind kind;
  QSize client;  // the inner area; {} the design size
  std::uint8_t language;
};
void PrintTo(const ListLayoutCase& c, std::ostream* os) { *os << c.name; }

// Top-left corners in the controls' strip at the design size. The hemisphere buttons moved
// down a little: they overlapped the captions above them.
const std::vector<DesignPlace> kCityListPlaces = {
    {"Label1", {264, 4}}, {"ComboBox_Population", {264, 24}}, {"Button_Start_CityList", {520, 0}},
    {"Button_Beenden", {648, 0}}};
const std::vector<DesignPlace> kCityHistPlaces = {
    {"Label10", {8, 2}},         {"ComboBox_Land", {8, 20}},     {"Label9", {216, 2}},
    {"ComboBox_Stadt", {216, 20}}, {"Button_Uebernehmen", {424, 19}}, {"Label8", {8, 54}},
    {"Edit_Ort_Land", {8, 72}},  {"Label1", {216, 54}},          {"Edit_Ort_Stadt", {216, 72}},
    {"Label11", {424, 54}},      {"Edit_Einwohner", {424, 72}},  {"Label2", {552, 2}},
    {"Edit_Breite", {552, 20}},  {"Label3", {552, 54}},          {"Edit_Laenge", {552, 72}},
    {"Label4", {740, 2}},        {"Edit_Hoehe", {740, 20}},      {"Label6", {740, 54}},
    {"ComboBox_von", {740, 72}}, {"Label7", {820, 76}},          {"ComboBox_Bis", {852, 72}},
    {"Button_Start_CityHist", {936, 2}}, {"Button_Beenden", {936, 54}}};

class ListWindowLayout : public ::testing::TestWithParam<ListLayoutCase> {
 protected:
  void SetUp() override {
    PrepareState(StateFolder(), GetParam().language);
    InstallTranslations(GetParam().language);
  }
  void TearDown() override { fs::remove_all(StateFolder()); }
};

TEST_P(ListWindowLayout, TheListFillsTheWindowAndNoControlOverlapsOrCutsItsCaption) {
  const ListLayoutCase& c = GetParam();
  std::unique_ptr<ListWindow> window;
  const char* listName;
  QSize design;
  int listTop;
  const std::vector<DesignPlace>* places;
  if (c.kind == ListKind::kCityList) {
    window = std::make_unique<CityListWindow>();
    listName = "RichEdit_CityList", design = {928, 566}, listTop = 100, places = &kCityListPlaces;
  } else {
    window = std::make_unique<CityHistoryWindow>();
    listName = "RichEdit_CityHist", design = {1181, 468}, listTop = 140, places = &kCityHistPlaces;
  }
  window->show();
  QCoreApplication::processEvents();
  QWidget* client = window->centralWidget();
  const QSize frame = window->size() - client->size();
  window->resize((c.client.isEmpty() ? design : c.client) + frame);
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  ASSERT_EQ(client->size(), c.client.isEmpty() ? design : c.client);

  auto* controls = window->findChild<QScrollArea*>()->widget();
  const bool narrow = client->width() < controls->minimumSizeHint().width();

  // Siblings do not overlap, and each control lies inside its parent: the controls in
  // their strip (and in the strip's frames), and the strip, the header and the list in
  // the window. The header itself is wider than its strip on purpose: it scrolls with
  // the list's columns and is clipped as they are.
  QList<QWidget*> parents = controls->findChildren<QWidget*>();
  parents << controls << client;
  for (QWidget* parent : parents) {
    if (!parent->isVisible() || parent->objectName() == "HeaderStrip") continue;
    const QList<QWidget*> children = VisibleChildren(parent);
    for (int i = 0; i < children.size(); ++i) {
      const QRect a = children[i]->geometry();
      EXPECT_TRUE(parent->rect().contains(a)) << NameOf(children[i]).toStdString() << " leaves " << NameOf(parent).toStdString();
      for (int j = i + 1; j < children.size(); ++j)
        EXPECT_FALSE(a.intersects(children[j]->geometry()))
            << NameOf(children[i]).toStdString() << " overlaps " << NameOf(children[j]).toStdString();
    }
  }
  // The controls have the room their layout needs (else they would be squeezed), and
  // scroll sideways exactly when the window is narrower.
  EXPECT_GE(controls->width(), controls->minimumSizeHint().width());
  EXPECT_GE(controls->height(), controls->minimumSizeHint().height());
  EXPECT_EQ(window->findChild<QScrollArea*>()->horizontalScrollBar()->isVisible(), narrow);

  // Every caption fits its control.
  for (QLabel* label : controls->findChildren<QLabel*>()) {
    if (label->isVisible() && !label->text().isEmpty()) {
      EXPECT_LE(label->sizeHint().width(), label->width()) << NameOf(label).toStdString() << " " << label->text().toStdString();
    }
  }
  for (QAbstractButton* button : controls->findChildren<QAbstractButton*>()) {
    if (button->isVisible() && !button->text().isEmpty()) {
      EXPECT_LE(button->sizeHint().width(), button->width()) << NameOf(button).toStdString() << " " << button->text().toStdString();
    }
  }

  // The table takes the window's whole width and all the height from below the controls
  // (and their scroll bar) down to its filter, which ends at the bottom; its header stands
  // at its top.
  auto* list = Find<QTableView>(*window, listName);
  auto* header = Find<QHeaderView>(*window, "Label5");
  auto* panel = Find<QWidget>(*window, "Panel1");
  auto* filter = Find<QWidget>(*window, "Edit_Filter");
  const QRect listArea(list->mapTo(client, QPoint(0, 0)), list->size());
  EXPECT_EQ(listArea.left(), 0);
  EXPECT_EQ(listArea.width(), client->width());
  EXPECT_EQ(panel->geometry().bottom(), client->rect().bottom());
  EXPECT_GT(filter->mapTo(client, QPoint(0, 0)).y(), listArea.bottom());
  EXPECT_LE(filter->mapTo(client, QPoint(0, filter->height())).y(), client->height());
  EXPECT_EQ(header->mapTo(list, QPoint(0, 0)).y(), list->frameWidth());
  EXPECT_GE(listArea.top(), controls->parentWidget()->mapTo(client, QPoint(0, 0)).y() + controls->height());

  // At the design size the list starts where it always did, and the controls stand where
  // they always stood.
  if (c.client.isEmpty()) {
    EXPECT_NEAR(listArea.top() + list->frameWidth() + header->height(), listTop, kDesignTolerance);
    for (const DesignPlace& place : *places) {
      const QPoint at = Find<QWidget>(*window, place.control)->mapTo(controls, QPoint(0, 0));
      EXPECT_NEAR(at.x(), place.topLeft.x(), kDesignTolerance) << place.control;
      EXPECT_NEAR(at.y(), place.topLeft.y(), kDesignTolerance) << place.control;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ListWindowLayout,
    ::testing::Values(ListLayoutCase{"list_design_German", ListKind::kCityList, {}, 0},
                      ListLayoutCase{"list_design_English", ListKind::kCityList, {}, 1},
                      ListLayoutCase{"list_design_French", ListKind::kCityList, {}, 2},
                      ListLayoutCase{"list_narrow_French", ListKind::kCityList, {600, 400}, 2},
                      ListLayoutCase{"list_large_German", ListKind::kCityList, {2560, 1380}, 0},
                      ListLayoutCase{"hist_design_German", ListKind::kCityHist, {}, 0},
                      ListLayoutCase{"hist_design_English", ListKind::kCityHist, {}, 1},
                      ListLayoutCase{"hist_design_French", ListKind::kCityHist, {}, 2},
                      ListLayoutCase{"hist_narrow_German", ListKind::kCityHist, {800, 500}, 0},
                      ListLayoutCase{"hist_small_French", ListKind::kCityHist, {1280, 650}, 2},
                      ListLayoutCase{"hist_large_English", ListKind::kCityHist, {2560, 1380}, 1}),
    [](const ::testing::TestParamInfo<ListLayoutCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel

namespace varomintel {
namespace {

// Drags the handle of a two-part splitter by `by` pixels, as the user does with the mouse.
void DragHandle(QSplitter* splitter, QPoint by) {
  QSplitterHandle* handle = splitter->handle(1);
  const QPoint at(handle->width() / 2, handle->height() / 2);
  const QPoint global = handle->mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(handle, &press);
  QMouseEvent move(QEvent::MouseMove, at + by, global + by, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(handle, &move);
  QMouseEvent release(QEvent::MouseButtonRelease, at + by, global + by, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(handle, &release);
  QCoreApplication::processEvents();
}

// The splitters the user moved come back in the next session, from our own settings file
// beside the parameter file; splitters left alone store nothing (their places follow the
// window's size).
TEST_F(DesignLayout, MovedSplittersComeBackInTheNextSession) {
  const fs::path layoutFile = MainWindow::LayoutSettingsPath().toStdString();
  EXPECT_EQ(layoutFile.parent_path(), fs::path(Startup().ParamFilePath).parent_path());
  QList<int> columns, pictures;
  {
    MainWindow window;
    testing::ShowAtDesignSize(window);
    window.StoreSettings();
    EXPECT_FALSE(QSettings(MainWindow::LayoutSettingsPath(), QSettings::IniFormat).contains("MainWindow/Columns"));
    DragHandle(Find<QSplitter>(window, "ColumnSplitter"), {-60, 0});
    DragHandle(Find<QSplitter>(window, "PictureSplitter"), {0, -80});
    columns = Find<QSplitter>(window, "ColumnSplitter")->sizes();
    pictures = Find<QSplitter>(window, "PictureSplitter")->sizes();
    EXPECT_NEAR(columns.value(0), 410, 3);
    EXPECT_NEAR(pictures.value(0), 529 - 80, 3);
    window.StoreSettings();
  }
  ASSERT_TRUE(fs::exists(layoutFile));
  MainWindow again;
  testing::ShowAtDesignSize(again);
  EXPECT_EQ(Find<QSplitter>(again, "ColumnSplitter")->sizes(), columns);
  EXPECT_EQ(Find<QSplitter>(again, "PictureSplitter")->sizes(), pictures);
  // The diagram gave up height, the map took it: both drawn at their new sizes.
  EXPECT_LT(again.DiagramScale(), 0.9);
  EXPECT_GT(again.MapScale(), again.DiagramScale());
}

// A list window's stored place (its default is 1222 x 773) never pushes the window or its
// status bar off a smaller screen: the inner area and a title bar fit the screen.
TEST_F(DesignLayout, AStoredListWindowPlaceFitsTheScreenWithItsTitleBar) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  for (std::uint8_t language = 0; language < 3; ++language) {
    InstallTranslations(language);
    ParameterRecord record = DefaultParameterRecord("0.1.0.0");
    record.SetInt(param::kListWidth, area.width() + 400);
    record.SetInt(param::kListHeight, area.height() + 5);
    record.SetInt(param::kHistTop, area.bottom() - 10);
    CityListWindow list;
    CityHistoryWindow hist;
    list.RestoreSettings(record);
    hist.RestoreSettings(record);
    for (const QWidget* w : {static_cast<const QWidget*>(&list), static_cast<const QWidget*>(&hist)}) {
      EXPECT_LE(w->width(), area.width()) << NameOf(w).toStdString();
      EXPECT_LE(w->height() + kTitleBar, area.height()) << NameOf(w).toStdString();
      EXPECT_GE(w->y(), area.top()) << NameOf(w).toStdString();
      EXPECT_LE(w->y() + w->height() + kTitleBar, area.bottom() + 1) << NameOf(w).toStdString();
    }
  }
}

}  // namespace
}  // namespace varomintel
