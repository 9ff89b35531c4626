// The world map and the point of interest in the main window, driven offscreen: settings
// from and to the parameter record, when the map is redrawn, the entry rule through the
// real entries and buttons, a click on the map, the tooltip, the captions of each
// language, and the command line's picture against the window's.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTest>
#include <QToolTip>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "../support/run_cli.h"
#include "../support/synthetic_eclipse.h"
#include "app/observer_view.h"
#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "app/world_map_model.h"
#include "gui/main/main_window.h"
#include "find_control.h"
#include "gui/main/map_panel.h"
#include "gui/main/world_map_image.h"
#include "map_scales.h"
#include "render/world_map.h"
#include "../support/test_paths.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace varomintel {
namespace {

using testing::Find;

namespace fs = std::filesystem;

// 1: a total eclipse, 2: a partial penumbral one.
std::vector<EclipseRecord> Records() {
  return {testing::LinearEclipse::Passing(1200).Record(2000, 1, 21, 4),
          testing::LinearEclipse::Passing(4500).Record(2001, 7, 5, 15)};
}

class MapWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_map_window_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    StartupData& v = Startup();
    v = StartupData{};
    v.TheCatalogue = Catalogue(Records());
    v.ProgramDir = testing::DataDir() + "/";  // the map pictures
    v.ProgramVersion = "test";
    v.ParamDir = (dir_ / "Varomintel").string() + "/";
    v.ParamFilePath = v.ParamDir + kParameterFileName;
    v.Parameters = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion).record;
    v.Parameters.SetInt(param::kEclipse, 1);
    v.Parameters.SetByte(param::kLanguage, 1);
  }
  void Open() {
    window_ = std::make_unique<MainWindow>();
    testing::ShowAtDesignSize(*window_);
  }
  void TearDown() override {
    window_.reset();
    fs::remove_all(dir_);
  }
  void Enter(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  // The place that the entries mark, north and east positive.
  GeoPoint Place() const { return Find<MapPanel>(*window_, "MapPanel")->MarkedPlace(); }
  const QImage& Map() const { return Find<WorldMapImage>(*window_, "Image_World")->image(); }
  // The marker's fill beside the place's pixel, off the graticule lines that may cross the
  // place itself (180 deg E, column 680, is column 0 again).
  bool MarkedAt(double lat, double lon) const {
    const int x = (MapPixel(MapColumn(lon)) + 1) % kMapWidth;
    const int y = std::min(MapPixel(MapRow(lat)) + 1, kMapHeight - 1);
    return (Map().pixel(x, y) | 0xFF000000u) == map_colour::kPlaceFill;
  }
  // The graticule lines drawn across the whole map (columns every 60 deg of longitude,
  // rows every 30 deg of latitude) in the palette's shadow colour.
  int DrawnGraticuleLines() const {
    const QRgb dark = QGuiApplication::palette().color(QPalette::Dark).rgb();
    const QImage map = Map().convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (const int column : {113, 227, 340, 453, 567}) {
      bool whole = true;
      for (int y = 0; y < map.height(); ++y) whole = whole && map.pixel(column, y) == dark;
      n += whole;
    }
    for (const int row : {57, 113, 170, 227, 283}) {
      bool whole = true;
      for (int x = 0; x < map.width(); ++x) whole = whole && map.pixel(x, row) == dark;
      n += whole;
    }
    return n;
  }
  MapPanel& Panel() const { return *Find<MapPanel>(*window_, "MapPanel"); }
  fs::path dir_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(MapWindow, StoredSettingsAreShownAndStoredBack) {
  ParameterRecord& p = Startup().Parameters;
  p.SetInt(param::kMap, 2);
  p.SetFlag(param::kGraticule, false);
  p.SetShortString(param::kPoiLatitude, "30");
  p.SetFlag(param::kPoiNorth, false);
  p.SetFlag(param::kPoiSouth, true);
  p.SetShortString(param::kPoiLongitude, "100.5");
  p.SetFlag(param::kPoiEast, false);
  p.SetFlag(param::kPoiWest, true);
  p.SetFlag(param::kPoiShown, true);
  Open();
  EXPECT_EQ(Find<QComboBox>(*window_, "ComboBox_Globus")->currentIndex(), 2);
  EXPECT_EQ(Find<QComboBox>(*window_, "ComboBox_Globus")->currentText(),
            QCoreApplication::translate("varomintel::MapPanel", "Political map"));
  EXPECT_EQ(Find<QComboBox>(*window_, "ComboBox_Globus")->count(), 4);
  // Each map names its source in its hint, and the choice shows the chosen map's.
  EXPECT_EQ(Find<QComboBox>(*window_, "ComboBox_Globus")->toolTip(),
            QCoreApplication::translate("varomintel::MapPanel", "Countries of Natural Earth 1:50m (public domain)"));
  EXPECT_TRUE(Find<QComboBox>(*window_, "ComboBox_Globus")->itemData(0, Qt::ToolTipRole).toString().contains("NASA"));
  EXPECT_EQ(DrawnGraticuleLines(), 0);
  EXPECT_TRUE(Find<QRadioButton>(*window_, "RadioButton_PoI_Sued")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>(*window_, "RadioButton_PoI_West")->isChecked());
  EXPECT_DOUBLE_EQ(Place().latitude, -30);
  EXPECT_DOUBLE_EQ(Place().longitude, -100.5);
  EXPECT_TRUE(MarkedAt(-30, -100.5));
  EXPECT_EQ(Map().size(), QSize(680, 340));

  Find<QComboBox>(*window_, "ComboBox_Globus")->setCurrentIndex(3);
  Find<QCheckBox>(*window_, "CheckBox_Gradnetz")->click();
  Enter(Find<QLineEdit>(*window_, "Edit_PoI_Breite"), "12.5");
  Find<QRadioButton>(*window_, "RadioButton_PoI_Nord")->click();
  Find<QCheckBox>(*window_, "CheckBox_PoI")->click();  // off
  window_->StoreSettings();
  EXPECT_EQ(p.Int(param::kMap), 3);
  EXPECT_TRUE(p.Flag(param::kGraticule));
  EXPECT_EQ(p.ShortString(param::kPoiLatitude), "12.5");
  EXPECT_TRUE(p.Flag(param::kPoiNorth));
  EXPECT_FALSE(p.Flag(param::kPoiSouth));
  EXPECT_EQ(p.ShortString(param::kPoiLongitude), "100.5");
  EXPECT_TRUE(p.Flag(param::kPoiWest));
  EXPECT_FALSE(p.Flag(param::kPoiEast));
  EXPECT_FALSE(p.Flag(param::kPoiShown));
}

TEST_F(MapWindow, RedrawnForSelectionMapMarkerAndGraticuleButNotForTimeScaleOrSlider) {
  Open();
  EXPECT_EQ(DrawnGraticuleLines(), 10);  // a new parameter file shows the graticule
  const QImage before = Map();

  Find<QCheckBox>(*window_, "CheckBox_Gradnetz")->click();
  EXPECT_EQ(DrawnGraticuleLines(), 0);
  // Only the lines went: every pixel off them is the one drawn before.
  const QImage bare = Map();
  const QRgb line = QGuiApplication::palette().color(QPalette::Dark).rgb();
  int changed = 0;
  for (int y = 0; y < bare.height(); ++y)
    for (int x = 0; x < bare.width(); ++x) changed += before.pixel(x, y) != line && bare.pixel(x, y) != before.pixel(x, y);
  EXPECT_EQ(changed, 0);
  Find<QCheckBox>(*window_, "CheckBox_Gradnetz")->click();
  EXPECT_EQ(DrawnGraticuleLines(), 10);
  EXPECT_EQ(Map(), before);
  qint64 key = Map().cacheKey();
  Find<QCheckBox>(*window_, "CheckBox_ET_UT")->click();  // the Moon's place over the Earth does not change
  if (auto* slider = window_->findChild<QScrollBar*>("ScrollBar_Time")) slider->setValue(slider->value() + 600);
  EXPECT_EQ(Map().cacheKey(), key);

  Find<QComboBox>(*window_, "ComboBox_Globus")->setCurrentIndex(1);
  EXPECT_NE(Map().cacheKey(), key);
  EXPECT_NE(Map(), before);
  key = Map().cacheKey();

  EXPECT_FALSE(MarkedAt(47.5, 7.53));
  Find<QCheckBox>(*window_, "CheckBox_PoI")->click();
  EXPECT_NE(Map().cacheKey(), key);
  EXPECT_TRUE(MarkedAt(47.5, 7.53));  // the stored default place
  Find<QCheckBox>(*window_, "CheckBox_PoI")->click();
  EXPECT_FALSE(MarkedAt(47.5, 7.53));

  key = Map().cacheKey();
  Find<QScrollBar>(*window_, "ScrollBar_Eclipse")->setValue(2);
  EXPECT_NE(Map().cacheKey(), key);
}

struct EntryCase {
  const char* name;
  bool latitude;
  const char* text;
  bool negative;      // S or W checked
  const char* shown;  // the entry's text afterwards
  double value;
  std::uint8_t language = 1;
  const char* refusal = nullptr;  // the start of the message that refuses the text; null: taken
};
void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class MapWindowEntry : public MapWindow, public ::testing::WithParamInterface<EntryCase> {};

// A text that is taken marks the place and shows the marker; one that is refused is said
// in a message box in the window's language, and the entry, the place and the marker stay
// (the stored place 47.5 N 7.53 E, not shown).
TEST_P(MapWindowEntry, EnterTrimsRefusesAndShowsTheMarker) {
  const EntryCase& c = GetParam();
  Startup().Parameters.SetByte(param::kLanguage, c.language);
  Open();
  ASSERT_FALSE(Find<QCheckBox>(*window_, "CheckBox_PoI")->isChecked());
  QLineEdit* edit = c.latitude ? Find<QLineEdit>(*window_, "Edit_PoI_Breite") : Find<QLineEdit>(*window_, "Edit_PoI_Laenge");
  QRadioButton* negative = c.latitude ? Find<QRadioButton>(*window_, "RadioButton_PoI_Sued") : Find<QRadioButton>(*window_, "RadioButton_PoI_West");
  negative->setChecked(c.negative);
  if (!c.negative) (c.latitude ? Find<QRadioButton>(*window_, "RadioButton_PoI_Nord") : Find<QRadioButton>(*window_, "RadioButton_PoI_Ost"))->setChecked(true);
  Enter(edit, QString::fromUtf8(c.text));
  QCoreApplication::processEvents();
  EXPECT_EQ(edit->text(), c.shown);
  EXPECT_DOUBLE_EQ(c.latitude ? Place().latitude : Place().longitude, c.value);
  EXPECT_DOUBLE_EQ(c.latitude ? Place().longitude : Place().latitude, c.latitude ? 7.53 : 47.5);
  EXPECT_EQ(Find<QCheckBox>(*window_, "CheckBox_PoI")->isChecked(), !c.refusal);
  const double lat = c.latitude ? c.value : 47.5, lon = c.latitude ? 7.53 : c.value;
  EXPECT_EQ(MarkedAt(lat, lon), !c.refusal) << lat << ", " << lon;
  auto* box = window_->findChild<QMessageBox*>("MessageBox_PoiRefused");
  ASSERT_EQ(box != nullptr, c.refusal != nullptr);
  if (box) {
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().startsWith(QString::fromUtf8(c.refusal))) << box->text().toStdString();
    box->accept();
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, MapWindowEntry,
                         ::testing::Values(
                             EntryCase{"blanks", true, " 12.5 ", false, "12.5", 12.5},
                             EntryCase{"south", true, " 12.5 ", true, "12.5", -12.5},
                             EntryCase{"longitude_180", false, "180", false, "180", 180},
                             EntryCase{"longitude_180_west", false, "180", true, "180", -180},
                             EntryCase{"beyond_90", true, "95", false, "47.5", 47.5, 1, "'95' is not a valid latitude"},
                             EntryCase{"just_beyond_90", true, "91", false, "47.5", 47.5, 0,
                                       "„91“ ist keine gültige geographische Breite"},
                             EntryCase{"minus", true, "-3", false, "47.5", 47.5, 1, "'-3' is not a valid latitude"},
                             EntryCase{"letters", true, "abc", false, "47.5", 47.5, 2,
                                       "« abc » n'est pas une latitude valable"},
                             EntryCase{"comma", true, "12,5", false, "47.5", 47.5, 1, "'12,5' is not a valid latitude"},
                             EntryCase{"huge", true, "1e308", false, "47.5", 47.5, 0,
                                       "„1e308“ ist keine gültige geographische Breite"},
                             EntryCase{"nan", true, "nan", false, "47.5", 47.5, 2,
                                       "« nan » n'est pas une latitude valable"},
                             EntryCase{"arabic_indic_digit", false, "٣", false, "7.53", 7.53, 0,
                                       "„٣“ ist keine gültige geographische Länge"},
                             EntryCase{"longitude_180_01", false, "180.01", false, "7.53", 7.53, 1,
                                       "'180.01' is not a valid longitude"}),
                         [](const auto& row) { return std::string(row.param.name); });

// Typing into an entry that marks 30: every text that already reads as a number moves the
// marker at once (and only then: `moves` changes of the place while typing), the text
// stays as typed; Enter or leaving by Tab then applies the whole rule.
struct TypingCase {
  const char* name;
  bool latitude;
  bool negative;     // S or W checked
  const char* typed;  // replaces the entry's whole text, key by key ("\b": Backspace)
  int moves;
  double typedValue;  // degrees after the typing
  bool tab;           // leave by Tab instead of Enter
  const char* shown;  // the entry's text afterwards
  double value;
};
void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.name; }

class MapWindowTyping : public MapWindow, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(MapWindowTyping, TheMarkerFollowsEveryWholeNumber) {
  const TypingCase& c = GetParam();
  Open();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  QLineEdit* edit = Find<QLineEdit>(*window_, c.latitude ? "Edit_PoI_Breite" : "Edit_PoI_Laenge");
  QRadioButton* negative = Find<QRadioButton>(*window_, c.latitude ? "RadioButton_PoI_Sued" : "RadioButton_PoI_West");
  if (c.negative) negative->click();
  Enter(edit, "30");
  const double other = c.latitude ? Place().longitude : Place().latitude;
  const auto value = [&] { return c.latitude ? Place().latitude : Place().longitude; };
  const auto marked = [&](double v) { return c.latitude ? MarkedAt(v, other) : MarkedAt(other, v); };
  ASSERT_DOUBLE_EQ(value(), c.negative ? -30 : 30);
  ASSERT_TRUE(marked(value()));
  QSignalSpy moves(&Panel(), &MapPanel::pointOfInterestChanged);

  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, QString::fromUtf8(c.typed));
  QString text;
  for (const QChar key : QString::fromUtf8(c.typed)) {
    if (key == '\b') text.chop(1);
    else text.append(key);
  }
  EXPECT_EQ(edit->text(), text);
  EXPECT_EQ(moves.count(), c.moves);
  EXPECT_DOUBLE_EQ(value(), c.typedValue);
  EXPECT_TRUE(marked(c.typedValue)) << "the marker is not at " << c.typedValue;

  QTest::keyClick(edit, c.tab ? Qt::Key_Tab : Qt::Key_Return);
  if (c.tab) {
    EXPECT_NE(QApplication::focusWidget(), edit);
  }
  EXPECT_EQ(edit->text(), QString::fromUtf8(c.shown));
  EXPECT_DOUBLE_EQ(value(), c.value);
  EXPECT_TRUE(marked(c.value));
  EXPECT_TRUE(Find<QCheckBox>(*window_, "CheckBox_PoI")->isChecked());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MapWindowTyping,
    ::testing::Values(TypingCase{"Whole", true, false, "12", 2, 12, false, "12", 12},
                      TypingCase{"Decimals", true, false, "12.5", 3, 12.5, true, "12.5", 12.5},
                      TypingCase{"South", true, true, "12.5", 3, -12.5, false, "12.5", -12.5},
                      TypingCase{"PointLast", true, false, "4.", 1, 4, false, "4.", 4},
                      TypingCase{"DecimalErased", true, false, "4.5\b", 2, 4.5, false, "4.", 4},
                      TypingCase{"PointFirst", false, false, ".5", 1, 0.5, true, ".5", 0.5},
                      // Refused on Enter or Tab: the entry's text and the place of before.
                      TypingCase{"PointOnly", true, false, ".", 0, 30, false, "30", 30},
                      TypingCase{"Minus", true, false, "-", 0, 30, true, "30", 30},
                      TypingCase{"MinusDigit", true, false, "-5", 0, 30, false, "30", 30},
                      TypingCase{"Emptied", true, false, "", 0, 30, false, "", 0},
                      TypingCase{"Beyond90", true, false, "95", 1, 9, true, "30", 30},
                      TypingCase{"Comma", true, false, "12,5", 2, 12, false, "30", 30},
                      TypingCase{"Blank", true, false, " 7", 1, 7, true, "7", 7},
                      TypingCase{"Longitude180", false, false, "180", 3, 180, false, "180", 180},
                      TypingCase{"Longitude180West", false, true, "180.01", 3, -180, true, "30", -30}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(MapWindow, HemisphereButtonsMoveTheMarkerAtOnce) {
  Open();
  Enter(Find<QLineEdit>(*window_, "Edit_PoI_Breite"), "30");
  Enter(Find<QLineEdit>(*window_, "Edit_PoI_Laenge"), "60");
  EXPECT_TRUE(MarkedAt(30, 60));
  QTest::mouseClick(Find<QRadioButton>(*window_, "RadioButton_PoI_Sued"), Qt::LeftButton);
  EXPECT_DOUBLE_EQ(Place().latitude, -30);
  EXPECT_TRUE(MarkedAt(-30, 60));
  EXPECT_FALSE(MarkedAt(30, 60));
  QTest::mouseClick(Find<QRadioButton>(*window_, "RadioButton_PoI_West"), Qt::LeftButton);
  EXPECT_TRUE(MarkedAt(-30, -60));
  QTest::mouseClick(Find<QRadioButton>(*window_, "RadioButton_PoI_Nord"), Qt::LeftButton);
  EXPECT_TRUE(MarkedAt(30, -60));
  QTest::mouseClick(Find<QRadioButton>(*window_, "RadioButton_PoI_Ost"), Qt::LeftButton);
  EXPECT_TRUE(MarkedAt(30, 60));
  // The two pairs are exclusive apart.
  EXPECT_TRUE(Find<QRadioButton>(*window_, "RadioButton_PoI_Nord")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>(*window_, "RadioButton_PoI_Ost")->isChecked());
}

TEST_F(MapWindow, AClickOnTheMapMarksThePlaceAndTheTooltipNamesIt) {
  Open();
  QTest::mouseClick(Find<WorldMapImage>(*window_, "Image_World"), Qt::LeftButton, {}, QPoint(207, 234));
  // Column 207: (207 - 340) * 180/340 = -70.41 deg; row 234: (170 - 234) * 180/340 = -33.88 deg.
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_PoI_Breite")->text(), "33.9");
  EXPECT_TRUE(Find<QRadioButton>(*window_, "RadioButton_PoI_Sued")->isChecked());
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_PoI_Laenge")->text(), "70.4");
  EXPECT_TRUE(Find<QRadioButton>(*window_, "RadioButton_PoI_West")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>(*window_, "CheckBox_PoI")->isChecked());
  EXPECT_DOUBLE_EQ(Place().latitude, -33.9);
  EXPECT_DOUBLE_EQ(Place().longitude, -70.4);
  EXPECT_EQ(Map().pixel(207, 234) | 0xFF000000u, map_colour::kPlaceFill);
  EXPECT_TRUE(MarkedAt(-33.9, -70.4));

  EXPECT_EQ(Find<WorldMapImage>(*window_, "Image_World")->toolTipAt(QPoint(207, 234)), "33.9°S  70.4°W");
  EXPECT_EQ(Find<WorldMapImage>(*window_, "Image_World")->toolTipAt(QPoint(0, 0)), "90.0°N  180.0°W");
  EXPECT_EQ(Find<WorldMapImage>(*window_, "Image_World")->toolTipAt(QPoint(354, 80)), "47.6°N  7.4°E");
  QHelpEvent help(QEvent::ToolTip, QPoint(340, 170), Find<WorldMapImage>(*window_, "Image_World")->mapToGlobal(QPoint(340, 170)));
  QApplication::sendEvent(Find<WorldMapImage>(*window_, "Image_World"), &help);
  EXPECT_EQ(QToolTip::text(), "0.0°N  0.0°E");
  QToolTip::hideText();
}

// The marked place's tab: the hint while no place is marked; then, for a typed place, the
// table of the view model; at each slider move only the Moon's lines change; a new
// selection brings its own table; a click on the map names the clicked coordinates; the
// marker switched off brings the hint back.
TEST_F(MapWindow, ThePlacesPanelFollowsTheSelectionTheSliderAndTheTypedPlace) {
  Open();
  auto* panel = Find<QTextEdit>(*window_, "RE_Ort");
  const auto text = [panel] { return panel->toPlainText().toStdString(); };
  const auto firstLine = [panel] { return panel->document()->firstBlock().text().toStdString(); };
  const EclipseView& view = window_->View();
  EXPECT_NE(text().find("world map"), std::string::npos) << text();

  QTest::mouseClick(Find<QRadioButton>(*window_, "RadioButton_PoI_West"), Qt::LeftButton);
  for (const char* entry : {"Edit_PoI_Laenge", "Edit_PoI_Breite"}) {
    auto* edit = Find<QLineEdit>(*window_, entry);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, entry[9] == 'L' ? "80" : "0");
  }
  const GeoPoint place{0, -80};
  ASSERT_EQ(Find<MapPanel>(*window_, "MapPanel")->PointOfInterest().value_or(GeoPoint{99, 99}).longitude, -80);
  const ObserverTable table = ObserverTableOf(view.Selection(), view.Settings(), place);
  ASSERT_TRUE(table.placeMarked);
  ASSERT_GE(table.rows.size(), 3u);
  EXPECT_NE(text().find(table.place), std::string::npos) << text();
  EXPECT_NE(text().find(table.summary), std::string::npos) << text();
  EXPECT_NE(text().find(table.crossings.front()), std::string::npos) << text();
  for (const ObserverRow& row : table.rows) EXPECT_NE(text().find(row.cells[2]), std::string::npos) << row.cells[0];
  EXPECT_EQ(firstLine(), ObserverNowOf(view.Selection(), view.Settings(), place, view.Now().t).moon);

  // The slider: the Moon's lines follow, the rest stays.
  const std::string before = firstLine();
  const std::string tableText = text().substr(text().find('\n', text().find('\n') + 1));
  Find<QScrollBar>(*window_, "ScrollBar_Time")->setValue(1800);
  EXPECT_NEAR(view.Now().t, -3.0, 1e-9);
  const ObserverNow now = ObserverNowOf(view.Selection(), view.Settings(), place, view.Now().t);
  EXPECT_EQ(firstLine(), now.moon);
  EXPECT_NE(firstLine(), before);
  EXPECT_NE(text().find(now.sun), std::string::npos);
  EXPECT_EQ(text().substr(text().find('\n', text().find('\n') + 1)), tableText);

  // Another eclipse: its own table.
  Find<QScrollBar>(*window_, "ScrollBar_Eclipse")->setValue(2);
  ASSERT_EQ(view.Selection().index, 2);
  const ObserverTable second = ObserverTableOf(view.Selection(), view.Settings(), place);
  EXPECT_NE(second.summary, table.summary);
  EXPECT_NE(text().find(second.summary), std::string::npos) << text();

  // A click on the map: the panel names the clicked place.
  QTest::mouseClick(Find<WorldMapImage>(*window_, "Image_World"), Qt::LeftButton, {}, QPoint(207, 234));
  EXPECT_NE(text().find("33.9\u00B0S  70.4\u00B0W"), std::string::npos) << text();

  QTest::mouseClick(Find<QCheckBox>(*window_, "CheckBox_PoI"), Qt::LeftButton);
  EXPECT_NE(text().find("world map"), std::string::npos) << text();
}

// Only a new eclipse moves the slider (to greatest eclipse): a click on the map, a typed
// place, the marker, the map's choices, the time zone and the time scale keep its time and
// redraw what depends on them.
TEST_F(MapWindow, OnlyANewEclipseMovesTheSlider) {
  Open();
  const EclipseView& view = window_->View();
  auto* slider = Find<QScrollBar>(*window_, "ScrollBar_Time");
  auto* zone = Find<QLineEdit>(*window_, "Edit_TZone");
  slider->setValue(5710);
  const double t = view.Now().t;
  const struct {
    const char* name;
    bool mapDrawn;  // else the report is made anew
    std::function<void()> act;
  } actions[] = {
      {"a click on the map", true,
       [&] { QTest::mouseClick(Find<WorldMapImage>(*window_, "Image_World"), Qt::LeftButton, {}, QPoint(207, 234)); }},
      {"the marker off", true, [&] { Find<QCheckBox>(*window_, "CheckBox_PoI")->click(); }},
      {"another map", true, [&] { Find<QComboBox>(*window_, "ComboBox_Globus")->setCurrentIndex(2); }},
      {"the graticule", true, [&] { Find<QCheckBox>(*window_, "CheckBox_Gradnetz")->click(); }},
      {"universal time", false, [&] { Find<QCheckBox>(*window_, "CheckBox_ET_UT")->click(); }},
      {"a time zone", false,
       [&] {
         zone->setFocus();
         zone->selectAll();
         QTest::keyClicks(zone, "5.5");
         QTest::keyClick(zone, Qt::Key_Return);
       }},
  };
  for (const auto& a : actions) {
    const qint64 map = Map().cacheKey();
    const std::string report = Find<QTextEdit>(*window_, "RE_Table")->toPlainText().toStdString();
    a.act();
    EXPECT_EQ(slider->value(), 5710) << a.name;
    EXPECT_EQ(view.Now().t, t) << a.name;
    EXPECT_EQ(Map().cacheKey() != map, a.mapDrawn) << a.name;
    if (!a.mapDrawn) {
      EXPECT_NE(Find<QTextEdit>(*window_, "RE_Table")->toPlainText().toStdString(), report) << a.name;
    }
  }
  EXPECT_EQ(view.Settings().timeZone, 5.5);
  Find<QScrollBar>(*window_, "ScrollBar_Eclipse")->setValue(2);
  EXPECT_EQ(slider->value(), SliderPosition(view.Selection().circumstances.TimeMax));
}

struct CaptionCase {
  std::uint8_t language;
  const char *group, *graticule, *east, *west, *label060E, *label180W, *tooltip, *markerHint;
};
void PrintTo(const CaptionCase& c, std::ostream* os) { *os << int(c.language); }

class MapWindowCaptions : public MapWindow, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(MapWindowCaptions, FollowTheLanguage) {
  const CaptionCase& c = GetParam();
  Startup().Parameters.SetByte(param::kLanguage, c.language);
  Open();
  EXPECT_EQ(Find<QGroupBox>(*window_, "GroupBox_Markierung")->title(), QString::fromUtf8(c.group));
  EXPECT_EQ(Find<QCheckBox>(*window_, "CheckBox_Gradnetz")->text(), QString::fromUtf8(c.graticule));
  EXPECT_EQ(Find<QRadioButton>(*window_, "RadioButton_PoI_Ost")->text(), c.east);
  EXPECT_EQ(Find<QRadioButton>(*window_, "RadioButton_PoI_West")->text(), c.west);
  EXPECT_EQ(Find<QCheckBox>(*window_, "CheckBox_PoI")->toolTip(), QString::fromUtf8(c.markerHint));
  // The hint follows a language switch there and back.
  const char* const actions[] = {"Opt_Deutsch", "Opt_English", "Opt_Francais"};
  Find<QAction>(*window_, actions[(c.language + 1) % 3])->trigger();
  EXPECT_NE(Find<QCheckBox>(*window_, "CheckBox_PoI")->toolTip(), QString::fromUtf8(c.markerHint));
  EXPECT_FALSE(Find<QCheckBox>(*window_, "CheckBox_PoI")->toolTip().isEmpty());
  Find<QAction>(*window_, actions[c.language])->trigger();
  EXPECT_EQ(Find<QCheckBox>(*window_, "CheckBox_PoI")->toolTip(), QString::fromUtf8(c.markerHint));
  // The degree labels drawn round the map on the screen read the texts of the language.
  using testing::LabelText;
  using testing::OnScreen;
  const QRect east60 = testing::LongitudeLabelBox(453), west180 = testing::LongitudeLabelBox(0);
  const QRect equator = testing::LatitudeLabelBox(170);
  EXPECT_EQ(OnScreen(Panel(), east60), LabelText(QString::fromUtf8(c.label060E), east60, Qt::AlignHCenter | Qt::AlignTop));
  EXPECT_EQ(OnScreen(Panel(), west180), LabelText(QString::fromUtf8(c.label180W), west180, Qt::AlignHCenter | Qt::AlignTop));
  EXPECT_EQ(OnScreen(Panel(), equator), LabelText(QString::fromUtf8("0° -"), equator, Qt::AlignRight | Qt::AlignVCenter));
  EXPECT_NE(OnScreen(Panel(), east60), LabelText(QString::fromUtf8("60°W"), east60, Qt::AlignHCenter | Qt::AlignTop));
  EXPECT_EQ(Find<WorldMapImage>(*window_, "Image_World")->toolTipAt(QPoint(207, 234)), QString::fromUtf8(c.tooltip));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, MapWindowCaptions,
    ::testing::Values(
        CaptionCase{0, "Markierung", "Gradnetz", "O", "W", "60°O", "180°W", "33.9°S  70.4°W",
                    "Markierung auf der Karte zeigen"},
        CaptionCase{1, "Point of Interest", "Graticule", "E", "W", "60°E", "180°W", "33.9°S  70.4°W",
                    "Show the marked place on the map"},
        CaptionCase{2, "Marque", "Quadrillage", "E", "O", "60°E", "180°O", "33.9°S  70.4°O",
                    "Afficher la marque sur la carte"}));

TEST_F(MapWindow, TheCommandLineDrawsThePictureTheWindowShows) {
  ASSERT_TRUE(WriteCatalogue((dir_ / kCatalogueFileName).string(), Records()));
  ParameterRecord& p = Startup().Parameters;
  p.SetInt(param::kMap, 2);
  p.SetShortString(param::kPoiLatitude, "30");
  p.SetFlag(param::kPoiSouth, true);
  p.SetFlag(param::kPoiNorth, false);
  p.SetShortString(param::kPoiLongitude, "100.5");
  p.SetFlag(param::kPoiWest, true);
  p.SetFlag(param::kPoiEast, false);
  p.SetFlag(param::kPoiShown, true);
  p.SetFlag(param::kUniversalTime, false);  // the window in terrestrial time: the same map
  Open();
  // The folder holds no pictures: the command takes those beside it.
  const auto run = testing::RunProgram(dir_, testing::CliProgram(), "map 1 --globe 2 --poi 30S,100.5W --tt --grid --lang en --out map.png");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // The window shows the graticule (a new parameter file's choice) and always the labels:
  // the command's picture with --grid, whole.
  MapDrawing drawing;
  drawing.graticule = drawing.degreeLabels = true;
  const QImage file = QImage(QString::fromStdString((dir_ / "map.png").string())).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(file.size(), WorldMapSizeAt(drawing));
  EXPECT_EQ(file, Panel().ShownMap().convertToFormat(QImage::Format_RGB32));
  const QImage shown = Map().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), QSize(680, 340));
  EXPECT_EQ(file.copy(WorldMapAreaIn(drawing)), shown);
  // And a different picture without the marker.
  const auto bare = testing::RunProgram(dir_, testing::CliProgram(), "map 1 --globe 2 --grid --lang en --out bare.png");
  ASSERT_EQ(bare.status, 0) << bare.err;
  EXPECT_NE(QImage(QString::fromStdString((dir_ / "bare.png").string())).convertToFormat(QImage::Format_RGB32).copy(WorldMapAreaIn(drawing)), shown);
}

}  // namespace
}  // namespace varomintel
