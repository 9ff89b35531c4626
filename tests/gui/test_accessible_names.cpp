// Screen readers: every control of every window (the main window with its panels, the
// about panel and the help window; the city list; the city history) has an accessible
// name in the language shown, renewed by each language switch; the diagram and the map
// describe what they show.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>

#include <unistd.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../support/synthetic_eclipse.h"
#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "app/version_info.h"
#include "eclipse/eclipse_type.h"
#include "find_control.h"
#include "gui/lists/city_history_window.h"
#include "gui/lists/city_list_window.h"
#include "gui/main/main_window.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;
using testing::Find;

// Named rows: a control, and what a screen reader must say for it in German, English and
// French: captions, hints, labels and the names kept for controls without either.
struct NameRow {
  int window;  // 0 main, 1 city history, 2 city list, 3 help
  const char* control;
  std::array<const char*, 3> name;
};
const NameRow kNames[] = {
    {0, "Edit_Jahr", {"Jahr", "Year", "année"}},
    {0, "Edit_TZone", {"Lokalzeit = UTC", "Local time = UTC", "Heure local = UTC"}},
    {0, "UpDown3_Next", {"Drittnächste Finsternis im Saros", "Third next eclipse in the Saros",
                         "Troisième éclipse suivante du saros"}},
    {0, "TabBar_Bericht", {"Bericht", "Report", "Rapport"}},  // its current tab
    {0, "RE_Ort", {"Die Finsternis am markierten Ort", "The eclipse at the marked place", "L'éclipse au lieu marqué"}},
    {0, "ComboBox_Globus", {"Globus", "Globe", "Globe"}},  // its group box
    {0, "CheckBox_Gradnetz", {"Gradnetz", "Graticule", "Quadrillage"}},
    {1, "Edit_Breite", {"Geogr. Breite (Grad)", "Latitude (degrees)", "Latitude geogr.(°)"}},
    {1, "ComboBox_Stadt", {"Stadt (auswählen)", "City (select)", "ville (choix)"}},
    {1, "Button_Uebernehmen", {"Übernehmen ->", "Accept ->", "Accepter ->"}},
    {2, "Button_Start_CityList", {"Starten", "Start", "Démarrer"}},
    {2, "ComboBox_Population", {"Nur Orte mit mehr als", "List places with more than", "Lieux avec plus de"}},
    {3, "Button_Close", {"Schließen", "Close", "Fermer"}},
};

class AccessibleNames : public ::testing::TestWithParam<std::uint8_t> {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_accessible_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    StartupData& v = Startup();
    v = StartupData{};
    std::vector<EclipseRecord> records;
    for (int i = 0; i < 4; ++i)
      records.push_back(testing::LinearEclipse::Passing(i % 2 ? 1200 : 4500).Record(2020 + i, 3 + i, 10, 20));
    v.TheCatalogue = Catalogue(std::move(records));
    v.ProgramDir = dir_.string() + "/";
    v.ProgramVersionInfo = ProgramVersionInfo("program");
    v.ProgramVersion = ProgramVersion(v.ProgramVersionInfo);
    v.ParamDir = (dir_ / "Varomintel").string() + "/";
    v.ParamFilePath = v.ParamDir + kParameterFileName;
    v.Parameters = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion).record;
    v.Parameters.SetInt(param::kEclipse, 2);
    v.Parameters.SetByte(param::kLanguage, static_cast<std::uint8_t>((GetParam() + 1) % 3));
    main_ = std::make_unique<MainWindow>();
    hist_ = std::make_unique<CityHistoryWindow>();
    list_ = std::make_unique<CityListWindow>();
    hist_->RestoreSettings(v.Parameters);
    list_->RestoreSettings(v.Parameters);
    main_->AttachListWindows(hist_.get(), list_.get());
    main_->ApplyStoredLanguage();
    testing::ShowAtDesignSize(*main_);
  }
  void TearDown() override {
    main_.reset();
    list_.reset();
    hist_.reset();
    fs::remove_all(dir_);
  }
  QWidget* Window(int w) const {
    return w == 0 ? static_cast<QWidget*>(main_.get()) : w == 1 ? static_cast<QWidget*>(hist_.get()) : list_.get();
  }
  fs::path dir_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<CityHistoryWindow> hist_;
  std::unique_ptr<CityListWindow> list_;
};

// What a screen reader says a control is: its name; for a choice, whose name on Linux is
// its value, the control that labels it (a label or its group box).
QString Spoken(QAccessibleInterface* node) {
  if (node->role() != QAccessible::ComboBox) return node->text(QAccessible::Name).trimmed();
  for (const auto& [label, relation] : node->relations(QAccessible::Label)) {
    const QString text = label->text(QAccessible::Name).trimmed();
    if (!text.isEmpty()) return text;
  }
  return {};
}

QString SpokenOf(QObject* o) { return Spoken(QAccessible::queryAccessibleInterface(o)); }

// Every control a screen reader reaches in the accessible tree below `node`: each widget
// that takes the keyboard, and every button, check box, radio button, entry, choice and
// slider. (A table's cells are their contents; an empty one says nothing.)
void ExpectAllNamed(QAccessibleInterface* node, const std::string& path, int& controls) {
  if (!node) return;
  const QAccessible::Role role = node->role();
  QObject* o = node->object();
  const bool control = o && o->isWidgetType() &&
                       (node->state().focusable || role == QAccessible::PushButton || role == QAccessible::CheckBox ||
                        role == QAccessible::RadioButton || role == QAccessible::ComboBox ||
                        role == QAccessible::EditableText || role == QAccessible::Slider);
  const std::string here =
      path + "/" + (o ? o->objectName().toStdString() + "(" + o->metaObject()->className() + ")" : std::string());
  if (control) {
    ++controls;
    EXPECT_FALSE(Spoken(node).isEmpty()) << here;
  }
  for (int i = 0; i < node->childCount(); ++i) ExpectAllNamed(node->child(i), here, controls);
}

TEST_P(AccessibleNames, EveryControlOfEveryWindowIsNamedInTheLanguage) {
  const std::uint8_t l = GetParam();
  std::array<QAction*, 3>{Find<QAction>(*main_, "Opt_Deutsch"), Find<QAction>(*main_, "Opt_English"),
                          Find<QAction>(*main_, "Opt_Francais")}[l]->trigger();
  Find<QAction>(*main_, "Hilfe2")->trigger();
  Find<QAction>(*main_, "CityHist")->trigger();
  Find<QAction>(*main_, "Sichtbarkeit")->trigger();
  QApplication::processEvents();
  QWidget* help = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->inherits("varomintel::HelpWindow")) help = w;
  ASSERT_NE(help, nullptr);
  const std::array<QWidget*, 4> windows = {main_.get(), hist_.get(), list_.get(), help};
  for (QWidget* window : windows) {
    int controls = 0;
    ExpectAllNamed(QAccessible::queryAccessibleInterface(window), "", controls);
    EXPECT_GE(controls, 4) << window->metaObject()->className();
  }
  for (const NameRow& row : kNames) {
    QWidget* control = windows[static_cast<std::size_t>(row.window)]->findChild<QWidget*>(row.control);
    ASSERT_NE(control, nullptr) << row.control;
    EXPECT_EQ(SpokenOf(control), QString::fromUtf8(row.name[l])) << row.control;
  }
  // The pictures say what they show: the eclipse's type and date, in the language; the
  // diagram the time shown, the map where the eclipse is seen.
  const EclipseRecord& r = main_->View().Selection().record;
  const QString type = QString::fromStdString(EclipseTypeLongName(r.EclipseType, l));
  const QString date = QString::asprintf("%04d-%02d-%02d", r.Year, r.Month, r.Day);
  const QString diagram = QAccessible::queryAccessibleInterface(Find<QWidget>(*main_, "DiagramImages"))
                              ->text(QAccessible::Description);
  EXPECT_TRUE(diagram.contains(type)) << diagram.toStdString();
  EXPECT_TRUE(diagram.contains(date)) << diagram.toStdString();
  EXPECT_TRUE(diagram.contains(Find<QLabel>(*main_, "Label_DatumZeit")->text())) << diagram.toStdString();
  const QString map = QAccessible::queryAccessibleInterface(Find<QWidget>(*main_, "Image_World"))
                          ->text(QAccessible::Description);
  EXPECT_TRUE(map.contains(type)) << map.toStdString();
  EXPECT_TRUE(map.contains(date)) << map.toStdString();
  EXPECT_TRUE(map.contains(QString::fromUtf8(std::array<const char*, 3>{"Horizont", "horizon", "horizon"}[l])))
      << map.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, AccessibleNames, ::testing::Values(0, 1, 2), [](const auto& row) {
  return std::string(std::array<const char*, 3>{"German", "English", "French"}[row.param]);
});

}  // namespace
}  // namespace varomintel
