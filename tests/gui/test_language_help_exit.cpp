// The language routines, the help command and the exit, driven offscreen on the real
// windows: every caption of the three windows after each routine, hidden windows
// included; the population threshold kept; the stored language at start; the help file
// of each language; the exit during a search and without a parameter file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>
#include <QXmlStreamReader>
#include <QMenu>
#include <QProgressDialog>
#include <QScreen>
#include <QSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>

#include <sys/stat.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <thread>
#include <functional>
#include <iterator>

#include "../support/test_paths.h"
#include "../support/synthetic_eclipse.h"
#include "../support/writer_leftovers.h"
#include "gui/main/animation_dialog.h"
#include "app/observer_view.h"
#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "eclipse/eclipse_type.h"
#include "gui/common/delay.h"
#include "gui/common/help_window.h"
#include "gui/common/quit_signals.h"
#include "gui/common/window_geometry.h"
#include "gui/common/qt_translations.h"
#include "gui/lists/city_history_window.h"
#include "gui/lists/city_list_window.h"
#include "gui/lists/list_table_model.h"
#include "gui/main/main_window.h"
#include "find_control.h"
#include "gui/main/map_panel.h"
#include "map_scales.h"
#include "places/city_file.h"
#include "places/city_list.h"
#include "places/list_text.h"
#include "text/text_table.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace varomintel {
namespace {

using testing::Find;

namespace fs = std::filesystem;

enum Window { kMain, kHist, kList };

// The captions of the three windows in German, English and French, as the language
// routine writes them.
struct CaptionRow {
  Window window;
  const char* control;
  std::array<const char*, 3> text;
};
const CaptionRow kCaptions[] = {
  {kMain, "File1", {"&Datei", "&File", "&Fichier"}},
  {kMain, "Exit1", {"&Beenden", "E&xit", "&Quitter"}},
  {kMain, "Liste1", {"&Liste erzeugen", "&Create List", "&Créer liste"}},
  {kMain, "Sichtbarkeit", {"Sichtbarkeit dieser Finsternis an verschiedenen Orten", "Local circumstances for cities/countries", "Visibilité de l'éclipse en différents lieux"}},
  {kMain, "CityHist", {"Alle Finsternisse an einem bestimmten Ort suchen", "Search for all eclipses at a given place", "Trouver toutes les éclipses en un lieu donné"}},
  {kMain, "Option1", {"&Option", "&Option", "&Option"}},
  {kMain, "Hilfe1", {"&Hilfe", "&Help", "&Aide"}},
  {kMain, "Hilfe2", {"Varomintel &Hilfe", "Varomintel &Help", "&Aide Varomintel "}},
  {kMain, "Version1", {"Varomintel &Version", "Varomintel &Version information", "&Version Varomintel "}},
  {kMain, "GroupBox_Finsternis", {"Finsternis im Jahr ...", "Eclipse in the year ...", "Eclipse dans l'an ..."}},
  {kMain, "Label_Jahr", {"Jahr", "Year", "année"}},
  {kMain, "GroupBox_ET_UT", {"DeltaT (TT oder UT)", "DeltaT (TT or UT)", "DeltaT (TT ou TU)"}},
  {kMain, "GroupBox_TZone", {"Zeitzone", "Time zone", "Fuseau horaire"}},
  {kMain, "Label_Unterschied", {"Lokalzeit = UTC", "Local time = UTC", "Heure local = UTC"}},
  {kMain, "Label_Std", {"Std", "hrs", "hrs"}},
  {kMain, "GroupBox_Markierung", {"Markierung", "Point of Interest", "Marque"}},
  {kMain, "GroupBox_Globus", {"Globus", "Globe", "Globe"}},
  {kMain, "CheckBox_Gradnetz", {"Gradnetz", "Graticule", "Quadrillage"}},
  {kMain, "RadioButton_PoI_Ost", {"O", "E", "E"}},
  {kMain, "RadioButton_PoI_West", {"W", "W", "O"}},
  {kHist, "Label1", {"Ort/Stadt/Bezeichnung", "Place/City", "Lieu/Ville/remarques"}},
  {kHist, "Label2", {"Geogr. Breite (Grad)", "Latitude (degrees)", "Latitude geogr.(°)"}},
  {kHist, "Label3", {"Geogr. Länge (Grad)", "Longitude (degrees)", "Longitude geogr.(°)"}},
  {kHist, "Label4", {"Höhe (m)", "Height (m)", "Altitude(m)"}},
  {kHist, "Label5", {"Datum | Delta T (s) | Phase | Ort | Saros | Glied | Glieder | P1 (UT) | Höhe P1 (°) | U1 (UT) | Höhe U1 (°) | U2 (UT) | Höhe U2 (°) | Max. (UT) | Höhe Max. (°) | Größe | Dauer | U3 (UT) | Höhe U3 (°) | U4 (UT) | Höhe U4 (°) | P4 (UT) | Höhe P4 (°)", "Date | Delta T (s) | Phase | Place | Saros | Member | Members | P1 (UT) | Alt. P1 (°) | U1 (UT) | Alt. U1 (°) | U2 (UT) | Alt. U2 (°) | Max. (UT) | Alt. Max. (°) | Magnitude | Duration | U3 (UT) | Alt. U3 (°) | U4 (UT) | Alt. U4 (°) | P4 (UT) | Alt. P4 (°)", "Date | Delta T (s) | Phase | Lieu | Saros | Membre | Membres | P1 (TU) | Haut. P1 (°) | U1 (TU) | Haut. U1 (°) | U2 (TU) | Haut. U2 (°) | Max. (TU) | Haut. Max. (°) | Grandeur | Durée | U3 (TU) | Haut. U3 (°) | U4 (TU) | Haut. U4 (°) | P4 (TU) | Haut. P4 (°)"}},
  {kHist, "Label8", {"Land/Landschaft  (fakultativ)", "Country/Region  (optional)", "Pays/Région (facultatif)"}},
  {kHist, "Label9", {"Stadt (auswählen)", "City (select)", "ville (choix)"}},
  {kHist, "Label10", {"Land (auswählen)", "Country (select)", "Pays (choix)"}},
  {kHist, "Label11", {"Einwohner", "Inhabitants", "Habitants"}},
  {kHist, "Liste1", {"Liste", "List", "Liste"}},
  {kHist, "Speichern1", {"Speichern unter", "Save as", "Sauvegarder sous"}},
  {kHist, "Beenden1", {"Beenden", "Exit", "Terminer"}},
  {kHist, "Button_Start_CityHist", {"Starten", "Start", "Démarrer"}},
  {kHist, "Button_Beenden", {"Beenden", "Exit", "Terminer"}},
  {kHist, "Button_Uebernehmen", {"Übernehmen  ->", "Accept  ->", "Accepter  ->"}},
  {kList, "Liste1", {"Liste", "List", "Liste"}},
  {kList, "Speichern1", {"Speichern unter", "Save as", "Sauvegarder sous"}},
  {kList, "Beenden1", {"Beenden", "Exit", "Terminer"}},
  {kList, "Button_Start_CityList", {"Starten", "Start", "Démarrer"}},
  {kList, "Button_Beenden", {"Beenden", "Exit", "Terminer"}},
  {kList, "Label1", {"Nur Orte mit mehr als", "List places with more than", "Lieux avec plus de"}},
  {kList, "Label5", {"Datum | Phase | Land | Stadt | Breite | Länge | Einwohner | P1 (UT) | Höhe P1 (°) | U1 (UT) | Höhe U1 (°) | U2 (UT) | Höhe U2 (°) | Max. (UT) | Höhe Max. (°) | Größe | Dauer | U3 (UT) | Höhe U3 (°) | U4 (UT) | Höhe U4 (°) | P4 (UT) | Höhe P4 (°)", "Date | Phase | Country | City | Latitude | Longitude | Population | P1 (UT) | Alt. P1 (°) | U1 (UT) | Alt. U1 (°) | U2 (UT) | Alt. U2 (°) | Max. (UT) | Alt. Max. (°) | Magnitude | Duration | U3 (UT) | Alt. U3 (°) | U4 (UT) | Alt. U4 (°) | P4 (UT) | Alt. P4 (°)", "Date | Phase | Pays | Ville | Latitude | Longitude | Habitants | P1 (TU) | Haut. P1 (°) | U1 (TU) | Haut. U1 (°) | U2 (TU) | Haut. U2 (°) | Max. (TU) | Haut. Max. (°) | Grandeur | Durée | U3 (TU) | Haut. U3 (°) | U4 (TU) | Haut. U4 (°) | P4 (TU) | Haut. P4 (°)"}},

};

// The longitude labels drawn under the main window's map: the map column each names.
struct MapScaleRow {
  int column;
  std::array<const char*, 3> text;  // German, English, French (UTF-8)
};
const MapScaleRow kMapScale[] = {
  {0, {"180°W", "180°W", "180°O"}},  {113, {"120°W", "120°W", "120°O"}}, {227, {"60°W", "60°W", "60°O"}},
  {453, {"60°O", "60°E", "60°E"}},   {567, {"120°O", "120°E", "120°E"}}, {680, {"180°O", "180°E", "180°E"}},
};

// Captions taken from rows of the text table.
struct TableRow {
  Window window;
  const char* control;
  int row;
};
const TableRow kTableCaptions[] = {
    {kHist, "Label6", 53},           {kHist, "Label7", 54},          {kHist, "RadioButton_Nord", 48},
    {kHist, "RadioButton_Sued", 49}, {kHist, "RadioButton_Ost", 50}, {kHist, "RadioButton_West", 51},
};
// Hints of the play buttons (shown as tool tips) and of the time slider (not shown).
const TableRow kHints[] = {
    {kMain, "Button_FastReverse", 19}, {kMain, "Button_Reverse", 20}, {kMain, "Button_Stop", 21},
    {kMain, "Button_Play", 22},        {kMain, "Button_FastPlay", 23}, {kMain, "ScrollBar_Time", 24},
};

// The ten items of the city list's population threshold.
const std::array<const char*, 3> kPopulationItems[] = {
  {"1'000'000 Personen", "1'000'000 inhabitants", "1'000'000 Personnes"},
  {"   500'000 Personen", "   500'000 inhabitants", "   500'000 Personnes"},
  {"   250'000 Personen", "   250'000 inhabitants", "   250'000 Personnes"},
  {"   100'000 Personen", "   100'000 inhabitants", "   100'000 Personnes"},
  {"      50'000 Personen", "      50'000 inhabitants", "      50'000 Personnes"},
  {"      25'000 Personen", "      25'000 inhabitants", "      25'000 Personnes"},
  {"      10'000 Personen", "      10'000 inhabitants", "      10'000 Personnes"},
  {"        5'000 Personen", "        5'000 inhabitants", "        5'000 Personnes"},
  {"        2'000 Personen", "        2'000 inhabitants", "        2'000 Personnes"},
  {"                0 Personen", "                0 inhabitants", "                0 Personne"},
};

QString Caption(QObject* control) {
  if (auto* m = qobject_cast<QMenu*>(control)) return m->title();
  if (auto* a = qobject_cast<QAction*>(control)) return a->text();
  if (auto* g = qobject_cast<QGroupBox*>(control)) return g->title();
  if (auto* b = qobject_cast<QAbstractButton*>(control)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(control)) return l->text();
  if (auto* h = qobject_cast<QHeaderView*>(control)) {
    QStringList titles;
    for (int c = 0; c < h->count(); ++c) titles << h->model()->headerData(c, Qt::Horizontal).toString();
    return titles.join(" | ");
  }
  return QString("(no caption: %1)").arg(control->metaObject()->className());
}

// Ten eclipses from 2000 on; a synthetic total one and partial ones in Saros 136.
Catalogue TenEclipses(int count = 10) {
  std::vector<EclipseRecord> records;
  for (int i = 0; i < count; ++i)
    records.push_back(testing::LinearEclipse::Passing(i % 2 ? 1200 : 4500).Record(-4999 + i * 11999 / count, 3 + i % 9, 10, 20));
  return Catalogue(std::move(records));
}

class Languages : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_language_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    StartupData& v = Startup();
    v = StartupData{};
    v.TheCatalogue = TenEclipses();
    v.ProgramDir = dir_.string() + "/";
    v.ProgramVersionInfo = ProgramVersionInfo("program");
    v.ProgramVersion = ProgramVersion(v.ProgramVersionInfo);
    v.ParamDir = (dir_ / "Varomintel").string() + "/";
    v.ParamFilePath = v.ParamDir + kParameterFileName;
    v.Parameters = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion).record;
    v.Parameters.SetInt(param::kEclipse, 2);
  }
  void TearDown() override {
    main_.reset();
    list_.reset();
    hist_.reset();
    fs::remove_all(dir_);
  }
  // The program's start: the three windows in their order, the list windows' settings,
  // the stored language; the list windows stay hidden.
  void Start(std::uint8_t storedLanguage) {
    Startup().Parameters.SetByte(param::kLanguage, storedLanguage);
    main_ = std::make_unique<MainWindow>();
    hist_ = std::make_unique<CityHistoryWindow>();
    list_ = std::make_unique<CityListWindow>();
    hist_->RestoreSettings(Startup().Parameters);
    list_->RestoreSettings(Startup().Parameters);
    main_->AttachListWindows(hist_.get(), list_.get());
    main_->ApplyStoredLanguage();
    testing::ShowAtDesignSize(*main_);
  }
  QWidget* WindowOf(Window w) const {
    return w == kMain ? static_cast<QWidget*>(main_.get()) : w == kHist ? static_cast<QWidget*>(hist_.get()) : list_.get();
  }
  QObject* Control(Window w, const char* name) const {
    QObject* c = WindowOf(w)->findChild<QObject*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  QAction* LanguageItem(std::uint8_t l) const {
    return std::array<QAction*, 4>{Find<QAction>(*main_, "Opt_Deutsch"), Find<QAction>(*main_, "Opt_English"),
                                   Find<QAction>(*main_, "Opt_Francais"), Find<QAction>(*main_, "Opt_Espanol")}[l];
  }
  // Every caption of the three windows in language l.
  void ExpectCaptionsIn(std::uint8_t l) const {
    for (const CaptionRow& r : kCaptions) {
      QObject* c = Control(r.window, r.control);
      if (c) {
        EXPECT_EQ(Caption(c), QString::fromUtf8(r.text[l])) << r.control << " of window " << r.window;
      }
    }
    for (const TableRow& r : kTableCaptions) {
      QObject* c = Control(r.window, r.control);
      if (c) {
        EXPECT_EQ(Caption(c), QString::fromStdString(Text(r.row, l))) << r.control;
      }
    }
    for (const TableRow& r : kHints) {
      auto* c = qobject_cast<QWidget*>(Control(r.window, r.control));
      if (!c) continue;
      const QString hint = r.row == 24 ? c->accessibleDescription() : c->toolTip();
      EXPECT_EQ(hint, QString::fromStdString(Text(r.row, l))) << r.control;
    }
    // The map's longitude labels as they stand on the screen. The last one's box reaches
    // into the controls beside the map: its left 40 pixels are compared.
    auto& panel = *Find<MapPanel>(*main_, "MapPanel");
    for (const MapScaleRow& r : kMapScale) {
      const QRect box = testing::LongitudeLabelBox(r.column);
      const QRect compared(0, 0, r.column == 680 ? 40 : box.width(), box.height());
      EXPECT_EQ(testing::OnScreen(panel, box).copy(compared),
                testing::LabelText(QString::fromUtf8(r.text[l]), box, Qt::AlignHCenter | Qt::AlignTop).copy(compared))
          << r.text[l];
    }
    ASSERT_EQ(list_->ComboBox_Population->count(), 10);
    for (int i = 0; i < 10; ++i)
      EXPECT_EQ(list_->ComboBox_Population->itemText(i), QString::fromUtf8(kPopulationItems[i][l])) << "item " << i;
  }
  fs::path dir_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<CityHistoryWindow> hist_;
  std::unique_ptr<CityListWindow> list_;
};

std::string LanguageName(const ::testing::TestParamInfo<std::uint8_t>& info) {
  static const char* const kNames[] = {"German", "English", "French", "Spanish"};
  return kNames[info.param];
}

class EachLanguage : public Languages, public ::testing::WithParamInterface<std::uint8_t> {};

// Started in another language, the menu item switches every caption, hint, menu text and
// list item of the three windows, the list windows hidden, and the texts that the program
// builds: the Saros caption, the report, the diagram's type, the window captions.
TEST_P(EachLanguage, TheMenuItemSwitchesEveryCaptionOfTheThreeWindows) {
  const std::uint8_t l = GetParam();
  Start(static_cast<std::uint8_t>((l + 1) % 3));
  ASSERT_FALSE(hist_->isVisible());
  ASSERT_FALSE(list_->isVisible());
  LanguageItem(l)->trigger();
  EXPECT_EQ(WindowLanguage(), l);
  EXPECT_EQ(main_->State().State().Language(), l);
  for (std::uint8_t other = 0; other < 3; ++other) EXPECT_EQ(LanguageItem(other)->isChecked(), other == l);
  ExpectCaptionsIn(l);

  // No caption is cut: each fits its control (menus and the scrolled column headers aside).
  Find<QCheckBox>(*main_, "CheckBox_ET_UT")->setChecked(true);  // the time-zone row shows in universal time
  for (const CaptionRow& row : kCaptions) {
    auto* w = qobject_cast<QWidget*>(Control(row.window, row.control));
    if (!w || qobject_cast<QMenu*>(w) || std::string(row.control) == "Label5") continue;
    if (auto* g = qobject_cast<QGroupBox*>(w)) {
      EXPECT_LE(g->fontMetrics().horizontalAdvance(g->title()) + 16, g->width()) << row.control;
    } else {
      EXPECT_LE(w->sizeHint().width(), w->width()) << row.control << " \"" << Caption(w).toStdString() << "\"";
    }
  }
  EXPECT_LE(list_->ComboBox_Population->sizeHint().width(), list_->ComboBox_Population->width());

  const EclipseRecord& r = main_->View().Selection().record;
  EXPECT_EQ(Find<QGroupBox>(*main_, "GroupBox_Saros")->title(), QString::fromStdString(Text(12, l) + std::to_string(r.SarosMember) +
                                                                   Text(13, l) + std::to_string(r.SarosCount) + ")"));
  const int type = static_cast<int>(r.EclipseType);
  EXPECT_EQ(Find<QTextEdit>(*main_, "RE_Table")->document()->begin().text(), QString::fromStdString(Text(type - 1, l)));
  EXPECT_EQ(Find<QLabel>(*main_, "MoFiTyp_Label")->text(), QString::fromStdString(Text(6 + type - 1, l)));
  const QString prefix = QString::fromStdString("Varomintel " + Startup().ProgramVersion + Text(25, l));
  EXPECT_EQ(QString::fromStdString(main_->State().State().CaptionPrefix()), prefix);
  EXPECT_TRUE(main_->windowTitle().startsWith(prefix)) << main_->windowTitle().toStdString();
  EXPECT_EQ(hist_->windowTitle(), prefix);
  // The city list's caption goes on with the date and the type of its eclipse.
  EXPECT_TRUE(list_->windowTitle().startsWith(prefix + "     ")) << list_->windowTitle().toStdString();
  EXPECT_TRUE(list_->windowTitle().endsWith(QString::fromStdString(EclipseTypeLongName(r.EclipseType, l))))
      << list_->windowTitle().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Window, EachLanguage, ::testing::Values(kGerman, kEnglish, kFrench),
                         LanguageName);

// The stored language applies at start, and the menu shows it.
TEST_F(Languages, TheStoredLanguageAppliesAtStart) {
  Start(kFrench);
  EXPECT_TRUE(Find<QAction>(*main_, "Opt_Francais")->isChecked());
  EXPECT_FALSE(Find<QAction>(*main_, "Opt_Deutsch")->isChecked());
  ExpectCaptionsIn(kFrench);
}

// A stored value outside our four languages starts German: the captions, the texts the
// program builds, and what the exit stores.
TEST_F(Languages, AStoredLanguageOfFiveLeavesTheGermanCaptions) {
  Start(5);
  EXPECT_EQ(WindowLanguage(), kGerman);
  EXPECT_EQ(main_->State().State().Language(), kGerman);
  EXPECT_TRUE(Find<QAction>(*main_, "Opt_Deutsch")->isChecked());
  ExpectCaptionsIn(kGerman);
  EXPECT_EQ(list_->ComboBox_Population->itemText(9), QString::fromUtf8(kPopulationItems[9][0]));
  EXPECT_TRUE(Find<QGroupBox>(*main_, "GroupBox_Saros")->title().startsWith("Finstern. im Saros ("));
  main_->close();
  EXPECT_EQ(LoadParameterFile(Startup().ParamDir, Startup().ParamFilePath, Startup().ProgramVersion).record.Byte(param::kLanguage),
            kGerman);
}

// The texts that the catalogue of a language gives its windows (English: the sources), with
// the shortcut keys' '&' left out. Single letters are left out too: they stand in longer
// texts, and one letter names different things in different languages (O: east, west).
std::set<QString> CatalogueTexts(std::uint8_t l) {
  static const char* const kCodes[] = {"de", "en", "fr", "es"};
  QFile file((QString::fromStdString(testing::DataDir()) + "/../translations/varomintel_%1.ts").arg(l == kEnglish ? "de" : kCodes[l]));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  std::set<QString> texts;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    if (!xml.readNext() || !xml.isStartElement()) continue;
    const bool wanted = xml.name() == (l == kEnglish ? QLatin1String("source") : QLatin1String("translation"));
    if (!wanted) continue;
    const QString text = xml.readElementText().remove('&');
    if (text.size() > 1) texts.insert(text);
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return texts;
}

// Every text a window shows or gives to screen readers, each with where it stands: the
// window's title, each control's caption, hint and accessible name, the menus' and their
// entries' texts, the tabs' titles and the choices' items.
std::vector<std::pair<QString, QString>> WindowTexts(QWidget& window) {
  std::vector<std::pair<QString, QString>> texts;
  const auto add = [&texts](const QObject* where, const QString& text) {
    if (!text.isEmpty()) texts.emplace_back(where->objectName() + " (" + where->metaObject()->className() + ")", text);
  };
  add(&window, window.windowTitle());
  for (QWidget* w : window.findChildren<QWidget*>()) {
    add(w, w->toolTip());
    add(w, w->accessibleName());
    if (auto* l = qobject_cast<QLabel*>(w)) add(w, l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) add(w, b->text());
    if (auto* g = qobject_cast<QGroupBox*>(w)) add(w, g->title());
    if (auto* m = qobject_cast<QMenu*>(w)) add(w, m->title());
    if (auto* t = qobject_cast<QTabBar*>(w))
      for (int i = 0; i < t->count(); ++i) add(w, t->tabText(i));
    if (auto* c = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < c->count(); ++i) add(w, c->itemText(i));
  }
  for (QAction* a : window.findChildren<QAction*>()) {
    add(a, a->text());
    add(a, a->toolTip());
  }
  return texts;
}

// Through every change from one of the four languages to another (twelve, hidden list
// windows included): no text of the language before stays in the three windows, unless the
// new language has the same text; the menu shows the language chosen; and no caption of
// the shown main window is cut.
TEST_F(Languages, EverySwitchLeavesNoTextOfThePreviousLanguage) {
  Start(kGerman);
  Find<QCheckBox>(*main_, "CheckBox_ET_UT")->setChecked(true);  // the time-zone row shows in universal time
  std::array<std::set<QString>, 4> catalogue;
  for (std::uint8_t l = 0; l < 4; ++l) catalogue[l] = CatalogueTexts(l);
  ASSERT_GT(catalogue[kSpanish].size(), 100u);
  std::uint8_t from = kGerman;
  for (const std::uint8_t to : {kEnglish, kFrench, kSpanish, kGerman, kFrench, kEnglish, kSpanish, kFrench, kGerman,
                                kSpanish, kEnglish, kGerman}) {
    LanguageItem(to)->trigger();
    EXPECT_EQ(WindowLanguage(), to);
    EXPECT_EQ(main_->State().State().Language(), to);
    for (std::uint8_t l = 0; l < 4; ++l) EXPECT_EQ(LanguageItem(l)->isChecked(), l == to);
    int translated = 0;
    for (QWidget* window : {WindowOf(kMain), WindowOf(kHist), WindowOf(kList)}) {
      for (const auto& [where, text] : WindowTexts(*window)) {
        const QString bare = QString(text).remove('&');
        EXPECT_FALSE(catalogue[from].count(bare) && !catalogue[to].count(bare))
            << int(from) << " -> " << int(to) << ": " << where.toStdString() << " still shows \"" << text.toStdString() << "\"";
        translated += catalogue[to].count(bare) > 0 ? 1 : 0;
      }
    }
    EXPECT_GT(translated, 40) << int(to);
    for (QWidget* w : main_->findChildren<QWidget*>()) {
      if (!w->isVisible() || qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w)) continue;
      if (auto* g = qobject_cast<QGroupBox*>(w)) {
        EXPECT_LE(g->fontMetrics().horizontalAdvance(g->title()) + 16, g->width()) << int(to) << " " << g->title().toStdString();
      } else if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        EXPECT_LE(w->sizeHint().width(), w->width()) << int(to) << " " << w->objectName().toStdString();
      }
    }
    from = to;
  }
}

// A first start speaks the user's language where it is one of ours, English otherwise.
TEST(FirstStart, TheLanguageFollowsTheLocale) {
  const struct {
    const char* locale;
    std::uint8_t language;
  } rows[] = {{"de_DE", kGerman}, {"de_CH", kGerman}, {"fr_FR", kFrench}, {"fr_CA", kFrench}, {"es_ES", kSpanish},
              {"es_MX", kSpanish}, {"en_US", kEnglish}, {"en_GB", kEnglish}, {"it_IT", kEnglish}, {"C", kEnglish}};
  for (const auto& r : rows) EXPECT_EQ(LanguageOfLocale(QLocale(r.locale)), r.language) << r.locale;
}

// A start in the language whose catalogues are installed already (the first start on an
// English desktop installs none) shows the captions that the core gives in it too.
TEST_F(Languages, AStartInTheInstalledLanguageShowsTheCoresCaptions) {
  for (const std::uint8_t l : {kEnglish, kFrench, kGerman}) {
    InstallTranslations(l);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    Start(l);
    const auto* tabs = Find<QTabWidget>(*main_, "Tabs_Bericht");
    EXPECT_EQ(tabs->tabText(0), QString::fromUtf8(ReportTabCaption(l))) << int(l);
    EXPECT_EQ(tabs->tabText(1), QString::fromUtf8(PlaceTabCaption(l))) << int(l);
    main_->close();
    list_.reset();
    hist_.reset();
    main_.reset();
  }
}

// A stored Spanish starts Spanish, and the exit stores it again.
TEST_F(Languages, AStoredSpanishStartsSpanish) {
  Start(kSpanish);
  EXPECT_EQ(WindowLanguage(), kSpanish);
  EXPECT_EQ(main_->State().State().Language(), kSpanish);
  EXPECT_TRUE(Find<QAction>(*main_, "Opt_Espanol")->isChecked());
  EXPECT_EQ(Find<QMenu>(*main_, "File1")->title(), "&Archivo");
  EXPECT_EQ(hist_->Button_Start_CityHist->text(), "Iniciar");
  main_->close();
  EXPECT_EQ(LoadParameterFile(Startup().ParamDir, Startup().ParamFilePath, Startup().ProgramVersion).record.Byte(param::kLanguage),
            kSpanish);
}

// The threshold that the user chose stays through every switch, and the language is
// stored at exit.
TEST_F(Languages, EverySwitchKeepsThePopulationThresholdAndTheExitStoresTheLanguage) {
  Start(kGerman);
  list_->ComboBox_Population->setCurrentIndex(7);
  for (const std::uint8_t l : {kEnglish, kFrench, kGerman, kFrench}) {
    LanguageItem(l)->trigger();
    EXPECT_EQ(list_->ComboBox_Population->currentIndex(), 7) << int(l);
    EXPECT_EQ(list_->ComboBox_Population->currentText(), QString::fromUtf8(kPopulationItems[7][l]));
  }
  main_->close();
  const ParameterRecord stored = LoadParameterFile(Startup().ParamDir, Startup().ParamFilePath, Startup().ProgramVersion).record;
  EXPECT_EQ(stored.Byte(param::kLanguage), kFrench);
  EXPECT_EQ(stored.Int(param::kListPopulation), 7);
}

// The help command: the file of the language from the program's folder, never from the current one (a page planted there is not read); a missing file is
// said in the window.
TEST_F(Languages, HelpOpensTheFileOfTheLanguageOrSaysItIsMissing) {
  Start(kFrench);
  EXPECT_EQ(main_->Help(), nullptr);
  Find<QAction>(*main_, "Hilfe2")->trigger();
  ASSERT_NE(main_->Help(), nullptr);
  EXPECT_TRUE(main_->Help()->isVisible());
  const QString missing = main_->Help()->Browser->toPlainText();
  EXPECT_TRUE(missing.contains("VaromintelFR.html")) << missing.toStdString();
  EXPECT_TRUE(missing.contains(QString::fromStdString(Startup().ProgramDir))) << missing.toStdString();
  EXPECT_EQ(main_->Help()->windowTitle(), QString::fromUtf8("Varomintel – Aide"));

  fs::copy_file(fs::path(testing::DataDir()) / "VaromintelEN.html", dir_ / "VaromintelEN.html");
  const fs::path elsewhere = dir_ / "elsewhere";
  fs::create_directories(elsewhere);
  std::ofstream(elsewhere / "VaromintelEN.html") << "<html><head><title>planted</title></head></html>";
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(elsewhere.string())));
  Find<QAction>(*main_, "Opt_English")->trigger();
  Find<QAction>(*main_, "Hilfe2")->trigger();
  QDir::setCurrent(before);
  EXPECT_NE(main_->Help()->Browser->documentTitle(), "planted");
  EXPECT_EQ(main_->Help()->Browser->source(), QUrl::fromLocalFile(QString::fromStdString((dir_ / "VaromintelEN.html").string())));
  EXPECT_EQ(main_->Help()->windowTitle(), "Varomintel – Help");
  main_->close();
  EXPECT_FALSE(main_->Help()->isVisible());
}

// The manuals that ship: each opens in the help window with a title, every picture it
// shows loads, and every link inside it leads to a place in it.
class ShippedManual : public Languages, public ::testing::WithParamInterface<std::uint8_t> {};

TEST_P(ShippedManual, OpensWithItsPicturesAndLinks) {
  HelpWindow help;
  const QString path = help.ShowFile(HelpFileName(GetParam()), {testing::DataDir() + "/"}, GetParam());
  ASSERT_FALSE(path.isEmpty());
  QTextDocument* doc = help.Browser->document();
  EXPECT_FALSE(doc->metaInformation(QTextDocument::DocumentTitle).isEmpty());
  std::set<QString> anchors, links;
  int pictures = 0;
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat f = it.fragment().charFormat();
      for (const QString& name : f.anchorNames()) anchors.insert(name);
      if (f.isAnchor() && f.anchorHref().startsWith('#')) links.insert(f.anchorHref().mid(1));
      if (f.isImageFormat()) {
        ++pictures;
        const QString name = f.toImageFormat().name();
        const QVariant image = help.Browser->loadResource(QTextDocument::ImageResource, QUrl(name));
        EXPECT_FALSE(image.isNull()) << name.toStdString();
      }
    }
  EXPECT_GE(pictures, 2);
  EXPECT_GE(links.size(), 10u);
  for (const QString& link : links) EXPECT_TRUE(anchors.count(link)) << "#" << link.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Help, ShippedManual, ::testing::Values(kGerman, kEnglish, kFrench),
                         LanguageName);

// Opens a FIFO for writing once `after` has passed, so that a reader blocked on it reads
// end of file: code that would block on it fails its test instead of hanging it.
class FifoUnblocker {
 public:
  FifoUnblocker(const fs::path& fifo, std::chrono::milliseconds after)
      : thread_([this, path = fifo.string(), after] {
          const auto start = std::chrono::steady_clock::now();
          while (!done_) {
            if (std::chrono::steady_clock::now() - start > after) {
              const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
              if (fd >= 0) ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
          }
        }) {}
  ~FifoUnblocker() {
    done_ = true;
    thread_.join();
  }

 private:
  std::atomic<bool> done_{false};
  std::thread thread_;
};

// The help window reads only regular files of its data folder, each under its limit.
class HostileHelp : public Languages {
 protected:
  void SetUp() override {
    Languages::SetUp();
    data_ = dir_ / "data";
    outside_ = dir_ / "outside";
    fs::create_directories(data_);
    fs::create_directories(outside_);
    for (const char* f : {"VaromintelEN.html", "help_map_en.png"}) {
      fs::copy_file(fs::path(testing::DataDir()) / f, data_ / f);
      fs::copy_file(fs::path(testing::DataDir()) / f, outside_ / f);
    }
  }
  fs::path data_, outside_;
};

struct HostileResource {
  const char* name;
  int type;  // QTextDocument::ResourceType
  // Prepares the case in the data folder and the folder beside it; the URL the page asks for.
  std::function<QUrl(const fs::path& data, const fs::path& outside)> prepare;
  bool loads;
};

const HostileResource kHostileResources[] = {
    {"APictureOfTheFolder", QTextDocument::ImageResource,
     [](const fs::path&, const fs::path&) { return QUrl("help_map_en.png"); }, true},
    {"DevZero", QTextDocument::ImageResource,
     [](const fs::path&, const fs::path&) { return QUrl::fromLocalFile("/dev/zero"); }, false},
    {"APictureBesideTheFolder", QTextDocument::ImageResource,
     [](const fs::path&, const fs::path&) { return QUrl("../outside/help_map_en.png"); }, false},
    {"AFifoInThePicturesPlace", QTextDocument::ImageResource,
     [](const fs::path& data, const fs::path&) {
       EXPECT_EQ(mkfifo((data / "fifo.png").c_str(), 0600), 0);
       return QUrl("fifo.png");
     },
     false},
    {"APictureOverItsSizeLimit", QTextDocument::ImageResource,
     [](const fs::path& data, const fs::path&) {
       fs::copy_file(data / "help_map_en.png", data / "padded.png");
       fs::resize_file(data / "padded.png", kHelpPictureLimitBytes + 1);  // a valid picture, then zeros
       return QUrl("padded.png");
     },
     false},
    {"APageBesideTheFolder", QTextDocument::HtmlResource,
     [](const fs::path&, const fs::path& outside) {
       return QUrl::fromLocalFile(QString::fromStdString((outside / "VaromintelEN.html").string()));
     },
     false},
};

void PrintTo(const HostileResource& row, std::ostream* os) { *os << row.name; }

class HostileHelpResource : public HostileHelp, public ::testing::WithParamInterface<HostileResource> {};

TEST_P(HostileHelpResource, IsReadOnlyFromTheDataFolderAndNeverBlocks) {
  HelpWindow help;
  ASSERT_FALSE(help.ShowFile("VaromintelEN.html", data_.string() + "/", kEnglish).isEmpty());
  const QUrl url = GetParam().prepare(data_, outside_);
  const FifoUnblocker unblocker(data_ / "fifo.png", std::chrono::seconds(3));
  QElapsedTimer clock;
  clock.start();
  const QVariant loaded = help.Browser->loadResource(GetParam().type, url);
  EXPECT_LT(clock.elapsed(), 2000) << "blocked";
  EXPECT_EQ(!loaded.isNull(), GetParam().loads);
}

INSTANTIATE_TEST_SUITE_P(Help, HostileHelpResource, ::testing::ValuesIn(kHostileResources),
                         [](const ::testing::TestParamInfo<HostileResource>& row) { return std::string(row.param.name); });

// What stands in the manual's place is named in the window with the reason, at once.
struct HostilePage {
  const char* name;
  std::function<void(const fs::path& page)> prepare;
  const char* reason;
};

const HostilePage kHostilePages[] = {
    {"AFifo", [](const fs::path& page) { EXPECT_EQ(mkfifo(page.c_str(), 0600), 0); }, "it is not a regular file"},
    {"AFolder", [](const fs::path& page) { fs::create_directory(page); }, "it is not a regular file"},
    {"APageOverItsSizeLimit",
     [](const fs::path& page) {
       std::ofstream(page, std::ios::app) << std::string(kHelpPageLimitBytes, ' ');
     },
     "it is larger than 1 MiB"},
};

void PrintTo(const HostilePage& row, std::ostream* os) { *os << row.name; }

class HostileHelpPage : public HostileHelp, public ::testing::WithParamInterface<HostilePage> {};

TEST_P(HostileHelpPage, IsNamedWithTheReason) {
  const fs::path page = data_ / "VaromintelEN.html";
  if (std::string(GetParam().name) != "APageOverItsSizeLimit") fs::remove(page);
  GetParam().prepare(page);
  const FifoUnblocker unblocker(page, std::chrono::seconds(3));
  testing::SwitchWindowLanguage(kEnglish);
  HelpWindow help;
  QElapsedTimer clock;
  clock.start();
  EXPECT_TRUE(help.ShowFile("VaromintelEN.html", data_.string() + "/", kEnglish).isEmpty());
  EXPECT_LT(clock.elapsed(), 2000) << "blocked";
  const QString shown = help.Browser->toPlainText();
  EXPECT_TRUE(shown.contains(QString::fromStdString("The help file " + page.string() + " cannot be read: " +
                                                    GetParam().reason)))
      << shown.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Help, HostileHelpPage, ::testing::ValuesIn(kHostilePages),
                         [](const ::testing::TestParamInfo<HostilePage>& row) { return std::string(row.param.name); });

// Delay lets events run while it waits, and waits at least as long as asked.
TEST(Delay, LetsEventsRunUntilTheTimeHasPassed) {
  bool ran = false;
  QTimer::singleShot(20, [&] { ran = true; });
  const long long waited = Delay(100);
  EXPECT_TRUE(ran);
  EXPECT_GT(waited, 100);
  EXPECT_LT(waited, 1000);
}

// The exit command while a city-history search runs and its window is open: the search
// stops after its current item, the window's inputs go into the parameter file,
// and the application ends although a list window is still open.
TEST_F(Languages, ExitDuringACityHistorySearchStopsItStoresItsInputsAndEnds) {
  Startup().TheCatalogue = TenEclipses(29000);
  Start(kEnglish);
  Find<QAction>(*main_, "CityHist")->trigger();
  ASSERT_TRUE(hist_->isVisible());
  hist_->Edit_Ort_Stadt->setText("Quito");
  hist_->Edit_Breite->setText("0.22");
  hist_->RadioButton_Sued->setChecked(true);
  hist_->Edit_Laenge->setText("78.5");
  hist_->RadioButton_West->setChecked(true);
  hist_->Edit_Hoehe->setText("2850");
  hist_->ComboBox_von->setCurrentText("-4999");
  hist_->ComboBox_Bis->setCurrentText("+7000");
  ASSERT_TRUE(hist_->StartCityHist());
  ASSERT_TRUE(hist_->Running());
  QElapsedTimer clock;
  clock.start();
  QTimer::singleShot(0, main_.get(), [this] { Find<QAction>(*main_, "Exit1")->trigger(); });
  QTimer::singleShot(30000, [] { QCoreApplication::exit(99); });  // a hang fails here
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(hist_->Running());
  EXPECT_FALSE(main_->isVisible());
  const ParameterRecord stored = LoadParameterFile(Startup().ParamDir, Startup().ParamFilePath, Startup().ProgramVersion).record;
  EXPECT_EQ(stored.ShortString(param::kHistPlace), "Quito");
  EXPECT_EQ(stored.ShortString(param::kHistLatitude), "0.22");
  EXPECT_TRUE(stored.Flag(param::kHistSouth));
  EXPECT_TRUE(stored.Flag(param::kHistWest));
  EXPECT_EQ(stored.Int(param::kHistToItem), 13);
  EXPECT_EQ(stored.Byte(param::kLanguage), kEnglish);
}

// Qt's own dialogs in the program's language: the city list's save dialog, its question
// before replacing a file and the question's buttons, after each switch of the menu,
// back to English and to German again.
TEST_F(Languages, QtsOwnDialogsSpeakTheProgramsLanguage) {
  for (const std::uint8_t l : {kGerman, kFrench})
    if (!QFile::exists(QtTranslationsFile(l)))
      GTEST_SKIP() << "Qt's translations are not installed: " << QtTranslationsFile(l).toStdString();
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", QByteArray::fromStdString(dir_.string()));
  struct HomeBack {
    QByteArray home;
    ~HomeBack() { qputenv("HOME", home); }
  } homeBack{home};
  std::ofstream(dir_ / "Varomintel_CityList.txt") << "old";
  Start(kEnglish);
  const struct {
    std::uint8_t language;
    const char *lookIn, *fileName, *save, *cancel, *question, *yes, *no;
  } cases[] = {
      {kGerman, "Suchen in:", "Datei&name:", "S&peichern", "Abbrechen", "Die Datei Varomintel_CityList.txt existiert bereits.", "&Ja", "&Nein"},
      {kFrench, "Voir dans :", "&Nom de fichier :", "&Enregistrer", "Annuler", "Le fichier Varomintel_CityList.txt existe déjà", "&Oui", "&Non"},
      {kEnglish, "Look in:", "File &name:", "&Save", "Cancel", "Varomintel_CityList.txt already exists.", "&Yes", "&No"},
      {kGerman, "Suchen in:", "Datei&name:", "S&peichern", "Abbrechen", "Die Datei Varomintel_CityList.txt existiert bereits.", "&Ja", "&Nein"},
  };
  for (const auto& c : cases) {
    LanguageItem(c.language)->trigger();
    QCoreApplication::processEvents();  // the language change reaches the widgets
    QStringList dialogTexts, questionTexts;
    bool typed = false;
    QTimer user;
    user.setInterval(10);
    QObject::connect(&user, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        questionTexts = {box->text(), box->button(QMessageBox::Yes)->text(), box->button(QMessageBox::No)->text()};
        box->button(QMessageBox::No)->click();
      } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
        if (typed || !buttons) {
          dialog->reject();
          return;
        }
        dialogTexts = {Find<QLabel>(*dialog, "lookInLabel")->text(), Find<QLabel>(*dialog, "fileNameLabel")->text(),
                       buttons->button(QDialogButtonBox::Save) ? buttons->button(QDialogButtonBox::Save)->text()
                                                               : buttons->button(QDialogButtonBox::Open)->text(),
                       buttons->button(QDialogButtonBox::Cancel)->text()};
        typed = true;  // the proposed name exists: Enter brings the question
        auto* name = Find<QLineEdit>(*dialog, "fileNameEdit");
        QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
      }
    });
    user.start();
    list_->Speichern1->trigger();
    EXPECT_EQ(dialogTexts, QStringList({QString::fromUtf8(c.lookIn), QString::fromUtf8(c.fileName),
                                        QString::fromUtf8(c.save), QString::fromUtf8(c.cancel)}))
        << int(c.language);
    ASSERT_EQ(questionTexts.size(), 3) << int(c.language);
    EXPECT_TRUE(questionTexts[0].startsWith(QString::fromUtf8(c.question))) << questionTexts[0].toStdString();
    EXPECT_EQ(questionTexts[1], QString::fromUtf8(c.yes));
    EXPECT_EQ(questionTexts[2], QString::fromUtf8(c.no));
  }
  std::ifstream old(dir_ / "Varomintel_CityList.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old");
}

// The city list names its eclipse in its caption: before a run the selected one, after a
// run the one listed (also when another is selected meanwhile, and when the menu opens it
// anew with its list). A language switch gives the caption and the status bar's
// counts in the new language, and the city history's status of its last calendar.
TEST_F(Languages, TheCityListNamesItsEclipseAndItsStatusFollowsTheLanguage) {
  std::string places;
  for (int lon = -180; lon < 180; lon += 20)
    places += "Ort" + std::to_string(lon) + "\t5000\t1000\t" + std::to_string(lon * 100) + "\tLand\n";
  std::ofstream(dir_ / kCityFileGerman) << places;
  Startup().Parameters.SetInt(param::kEclipse, 6);  // the year 1000: 20 h TT is the same day in UT
  Start(kGerman);
  const EclipseRecord listed = main_->View().Selection().record;
  ASSERT_EQ(listed.Year, 1000);
  const QString listedDate = QString("1000-%1-10").arg(listed.Month, 2, 10, QChar('0'));
  const auto caption = [](std::uint8_t l, const QString& date, EclipseTypeCode type) {
    return QString::fromStdString("Varomintel " + Startup().ProgramVersion + Text(25, l)) + "     " + date + "     " +
           QString::fromStdString(EclipseTypeLongName(type, l));
  };
  Find<QAction>(*main_, "Sichtbarkeit")->trigger();
  EXPECT_EQ(list_->windowTitle(), caption(kGerman, listedDate, listed.EclipseType));

  list_->ComboBox_Population->setCurrentIndex(9);
  QSignalSpy finished(list_.get(), &ListWindow::runFinished);
  QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton);
  ASSERT_TRUE(finished.wait(20000));
  CityListInput input{listed, (dir_ / kCityFileGerman).string(), 9};
  const std::atomic<bool> never{false};
  const CityListCounts counts = RunCityList(input, {}, never).counts;
  ASSERT_GT(counts.found, 0);
  EXPECT_EQ(list_->StatusText().toStdString(), CityListStatus(counts.scanned, counts.found, kGerman));

  Find<QScrollBar>(*main_, "ScrollBar_Eclipse")->setValue(9);  // another eclipse selected: the list keeps its own
  const EclipseRecord selected = main_->View().Selection().record;
  ASSERT_EQ(selected.Year, 4600);
  ASSERT_NE(selected.EclipseType, listed.EclipseType);
  // The city history's status bar likewise: the calendar's counts in the new language, as
  // a save in that language words them.
  const QString calendar = QString::fromStdString((dir_ / "eclipses.ics").string());
  ASSERT_TRUE(hist_->SaveCalendarTo(calendar));
  const char* const kSaved[] = {"Kalender gespeichert: ", "Calendar saved: ", "Calendrier enregistré : "};
  for (const std::uint8_t l : {kEnglish, kFrench, kGerman, kEnglish}) {
    LanguageItem(l)->trigger();
    EXPECT_EQ(list_->windowTitle(), caption(l, listedDate, listed.EclipseType)) << int(l);
    EXPECT_EQ(list_->StatusText().toStdString(), CityListStatus(counts.scanned, counts.found, l)) << int(l);
    const QString switched = hist_->StatusText();
    ASSERT_TRUE(hist_->SaveCalendarTo(calendar));
    EXPECT_TRUE(switched.startsWith(QString::fromUtf8(kSaved[l])) && switched == hist_->StatusText())
        << int(l) << ": " << switched.toStdString();
  }
  list_->close();
  Find<QAction>(*main_, "Sichtbarkeit")->trigger();
  EXPECT_EQ(list_->windowTitle(), caption(kEnglish, listedDate, listed.EclipseType));
}

// The exit with the parameter file deleted while the program runs: nothing is written
// and the application still ends.
TEST_F(Languages, ExitWithTheParameterFileDeletedWritesNothingAndEnds) {
  Start(kGerman);
  Find<QAction>(*main_, "Sichtbarkeit")->trigger();  // an open list window does not keep the program alive
  ASSERT_TRUE(fs::exists(Startup().ParamFilePath));
  fs::remove(Startup().ParamFilePath);
  QTimer::singleShot(0, main_.get(), [this] { Find<QAction>(*main_, "Exit1")->trigger(); });
  QTimer::singleShot(30000, [] { QCoreApplication::exit(99); });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(fs::exists(Startup().ParamFilePath));
  EXPECT_FALSE(fs::exists(Startup().ParamDir + kParameterFileName));
}

// A list window closed and opened again by the main window's menu shows the list of its
// last run, with the status bar that counts it, and "Speichern unter" writes that list:
// the three never disagree.
TEST_F(Languages, AReopenedListWindowShowsTheListItCountsAndSaves) {
  std::string places;
  for (int lon = -180; lon < 180; lon += 20)
    places += "Ort" + std::to_string(lon) + "\t5000\t1000\t" + std::to_string(lon * 100) + "\tLand\n";
  std::ofstream(dir_ / kCityFileGerman) << places;
  Startup().Parameters.SetInt(param::kEclipse, 6);
  Start(kGerman);
  const struct {
    const char* name;
    const char* menu;
    ListWindow* window;
    std::function<void()> start;
  } rows[] = {
      {"city list", "Sichtbarkeit", list_.get(),
       [this] {
         list_->ComboBox_Population->setCurrentIndex(9);
         QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton);
       }},
      {"city history", "CityHist", hist_.get(),
       [this] {
         hist_->Edit_Breite->setText("0");
         hist_->Edit_Laenge->setText("0");
         hist_->Edit_Hoehe->setText("0");
         hist_->ComboBox_von->setCurrentText("-4999");
         hist_->ComboBox_Bis->setCurrentText("+7000");
         QTest::mouseClick(hist_->Button_Start_CityHist, Qt::LeftButton);
       }},
  };
  const auto listed = [](ListWindow* w) {
    QString records;
    for (int r = 0; r < w->Rows().rowCount(); ++r) records += QString::fromStdString(w->Rows().Record(r)) + '\n';
    return records;
  };
  const auto saved = [this](ListWindow* w, const char* name) {
    const fs::path file = dir_ / name;
    EXPECT_TRUE(w->SaveTo(QString::fromStdString(file.string())));
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  for (const auto& r : rows) {
    Find<QAction>(*main_, r.menu)->trigger();
    ASSERT_TRUE(r.window->isVisible()) << r.name;
    QSignalSpy finished(r.window, &ListWindow::runFinished);
    r.start();
    ASSERT_TRUE(finished.wait(20000)) << r.name;
    const QString lines = listed(r.window), status = r.window->StatusText();
    ASSERT_FALSE(lines.isEmpty()) << r.name;
    ASSERT_FALSE(status.isEmpty()) << r.name;
    const std::string before = saved(r.window, "before.txt");

    r.window->close();
    ASSERT_FALSE(r.window->isVisible());
    Find<QAction>(*main_, r.menu)->trigger();
    ASSERT_TRUE(r.window->isVisible()) << r.name;
    EXPECT_EQ(listed(r.window), lines) << r.name;
    EXPECT_EQ(r.window->StatusText(), status) << r.name;
    EXPECT_EQ(saved(r.window, "after.txt"), before) << r.name;
  }
}

// The help window and the list windows fit the screen's available area, from 1280 x 720
// up: at their own sizes where it has room, smaller where it has not, with the window
// manager's frame inside the area. Also the help window that F1 opens on the test's screen.
TEST_F(Languages, WindowsFitTheAvailableScreenArea) {
  const QRect areas[] = {{0, 0, 1280, 720}, {0, 27, 1280, 693}, {0, 0, 1366, 768}, {0, 32, 1920, 1048},
                         {1920, 0, 1280, 720}, {0, 0, 3840, 2160}};
  const QSize windows[] = {kHelpWindowSize, {1181, 468}, {928, 566}, {2000, 1200}};
  for (const QRect& area : areas)
    for (const QSize& wanted : windows)
      for (const QPoint at : {QPoint(0, 0), QPoint(900, 500), QPoint(-50, 3000)}) {
        const QRect inner = FittedInnerGeometry(wanted, at, area);
        const QRect frame = inner.adjusted(-kFrameBorder, -kFrameTitleBar, kFrameBorder, kFrameBorder);
        EXPECT_TRUE(area.contains(frame)) << area.width() << "x" << area.height() << " " << wanted.width() << "x"
                                          << wanted.height() << " at " << at.x() << "," << at.y();
        EXPECT_EQ(inner.size(), wanted.boundedTo(area.size() - QSize(2 * kFrameBorder, kFrameTitleBar + kFrameBorder)));
      }
  Start(kEnglish);
  Find<QAction>(*main_, "Hilfe2")->trigger();
  ASSERT_NE(main_->Help(), nullptr);
  const QRect available = main_->Help()->screen()->availableGeometry();
  EXPECT_TRUE(available.contains(main_->Help()->frameGeometry()))
      << main_->Help()->frameGeometry().height() << " in " << available.height();
}

// After an exec that a window's closing ended: a quit that the closing posted (the last
// window closed) is taken by one more exec of the application's own, so that it does not
// reach a later test's dialogs, which would then end at once.
void SettleAfterExec() {
  QObject guard;
  QTimer::singleShot(0, &guard, [] { QCoreApplication::exit(0); });
  QApplication::exec();
}

// SIGTERM and SIGHUP end the window as its exit command does: the settings written, a
// video being saved cancelled with nothing left of it, every window gone, exec returning 0.
TEST_F(Languages, TheSignalsToEndTheProgramEndItInOrder) {
  const struct {
    const char* name;
    int number;
    bool saving;  // the signal comes while an animation is being saved
  } rows[] = {{"SIGTERM", SIGTERM, false}, {"SIGHUP", SIGHUP, false}, {"SIGTERM saving", SIGTERM, true},
              {"SIGHUP saving", SIGHUP, true}};
  for (const auto& r : rows) {
    Startup().Parameters = LoadParameterFile(Startup().ParamDir, Startup().ParamFilePath, Startup().ProgramVersion).record;
    Start(kEnglish);
    Find<QAction>(*main_, "CityHist")->trigger();  // an open list window does not keep the program alive
    fs::create_directories(dir_ / "out");
    const int eclipse = Startup().Parameters.Int(param::kEclipse) % 9 + 1;  // another one each row
    Find<QScrollBar>(*main_, "ScrollBar_Eclipse")->setValue(eclipse);
    int taken = 0;
    const QuitOnSignals quit([&](int number) {
      taken = number;
      main_->close();
    });
    bool signalled = false;
    QTimer user;
    user.setInterval(5);
    QObject::connect(&user, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* dialog = qobject_cast<AnimationDialog*>(modal); dialog && dialog->isVisible()) {
        Find<QSpinBox>(*dialog, "SpinBox_Fps")->setValue(30);
        Find<QRadioButton>(*dialog, "RadioButton_Fine")->click();
        QTimer::singleShot(0, dialog, [dialog] { dialog->accept(); });
      } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
        auto* edit = Find<QLineEdit>(*files, "fileNameEdit");
        edit->setText(QString::fromStdString((dir_ / "out" / "play.mp4").string()));
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
      } else if (auto* progress = qobject_cast<QProgressDialog*>(modal);
                 progress && progress->isVisible() && progress->value() > 2 && !signalled) {
        signalled = true;
        ::kill(::getpid(), r.number);
      }
    });
    QTimer::singleShot(0, main_.get(), [&] {
      if (!r.saving) {
        signalled = true;
        ::kill(::getpid(), r.number);
        return;
      }
      user.start();
      auto* panel = Find<QWidget>(*main_, "DiagramPanel");
      QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5), panel->mapToGlobal(QPoint(5, 5)));
      QApplication::sendEvent(panel, &event);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return QCoreApplication::exit(98);
      menu->setActiveAction(Find<QAction>(*menu, "SaveAnimation"));
      QTest::keyClick(menu, Qt::Key_Return);
    });
    QTimer::singleShot(60000, [] { QCoreApplication::exit(99); });  // a hang fails here
    EXPECT_EQ(QApplication::exec(), 0) << r.name;
    user.stop();
    EXPECT_TRUE(signalled) << r.name;
    EXPECT_EQ(taken, r.number) << r.name;
    EXPECT_FALSE(main_->isVisible()) << r.name;
    EXPECT_FALSE(fs::exists(dir_ / "out" / "play.mp4")) << r.name;
    EXPECT_EQ(testing::WriterLeftovers(dir_ / "out"), "") << r.name;
    const ParameterRecord stored = LoadParameterFile(Startup().ParamDir, Startup().ParamFilePath, Startup().ProgramVersion).record;
    EXPECT_EQ(stored.Int(param::kEclipse), eclipse) << r.name;
    main_.reset();
    list_.reset();
    hist_.reset();
    SettleAfterExec();
  }
}

}  // namespace
}  // namespace varomintel
