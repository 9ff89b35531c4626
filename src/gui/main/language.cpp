// MainWindow: the three language routines behind the menu "Option". One routine replaces
// every language-dependent caption, hint, menu text and list item of the main window and
// of both list windows (also while they are hidden), in a fixed order: menus, captions,
// the time-scale texts, the play buttons' hints, the window caption, the two list
// windows, and at last the diagram and the map, whose texts are drawn into the pictures.
#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <array>

#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "gui/common/about_panel.h"
#include "gui/common/accessible_names.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_translations.h"
#include "gui/lists/city_history_window.h"
#include "gui/lists/city_list_window.h"
#include "gui/main/main_window.h"
#include "gui/main/diagram_panel.h"
#include "gui/main/map_panel.h"
#include "gui/main/selection_panel.h"
#include "text/text_table.h"
#include "ui_main_window.h"

namespace varomintel {

namespace {

using Texts = std::array<const char*, 3>;  // German, English, French (UTF-8)

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void MainWindow::ApplyStoredLanguage() {
  const std::uint8_t stored = Startup().Parameters.Byte(param::kLanguage);
  if (stored <= kFrench) SwitchLanguage(stored);
  else NameControlsForScreenReaders(this, ValidLanguageIndex(Startup().LanguageIndex));
}

void MainWindow::SwitchLanguage(std::uint8_t languageIndex) {
  Startup().LanguageIndex = languageIndex;
  const std::array<QAction*, 3> items = {ui_->Opt_Deutsch, ui_->Opt_English, ui_->Opt_Francais};
  items[languageIndex]->setChecked(true);  // the action group unchecks the others
  ApplyLanguage();
}

void MainWindow::ApplyLanguage() {
  StartupData& v = Startup();
  const std::uint8_t lang = ValidLanguageIndex(v.LanguageIndex);
  ApplyQtTranslations(lang);  // Qt's own dialogs and buttons
  TranslateMenus();
  selectionPanel_->Retranslate(lang);
  // The map's captions, and the map, whose texts are in the language too.
  mapPanel_->Retranslate(lang);
  diagramPanel_->Retranslate(lang);
  aboutPanel_->FillVersionGrid(v.ProgramVersionInfo);
  // The state redraws what is in the language: the map, the report, the diagram and the
  // elements table.
  state_->SetCaptionPrefix("Varomintel " + aboutPanel_->FileVersionCell().toStdString() + Text(text_row::kSubtitle, lang));
  state_->SetLanguage(lang);
  const QString prefix = Q(state_->State().CaptionPrefix());
  setWindowTitle(prefix);
  if (cityHist_) {
    cityHist_->ApplyLanguage(lang);
    cityHist_->setWindowTitle(prefix);
  }
  if (cityList_) cityList_->ApplyLanguage(lang);  // also its caption, which names its eclipse
  if (help_) help_->ApplyLanguage(lang);
  // The diagram's caption is the window's.
  RefreshTimeDependent();
  NameControlsForScreenReaders(this, lang);
}

void MainWindow::TranslateMenus() {
  const std::uint8_t lang = ValidLanguageIndex(Startup().LanguageIndex);
  struct MenuText {
    QMenu* menu;
    QAction* action;
    Texts text;
  };
  const MenuText menus[] = {
      {ui_->File1, nullptr, {"&Datei", "&File", "&Fichier"}},
      {nullptr, ui_->Exit1, {"&Beenden", "E&xit", "&Quitter"}},
      {ui_->Liste1, nullptr, {"&Liste erzeugen", "&Create List", "&Créer liste"}},
      {nullptr, ui_->Sichtbarkeit,
       {"Sichtbarkeit dieser Finsternis an verschiedenen Orten", "Local circumstances for cities/countries",
        "Visibilité de l'éclipse en différants lieux"}},
      {nullptr, ui_->CityHist,
       {"Alle Finsternisse an einem bestimmten Ort suchen", "Search for all eclipses at a given place",
        "Trouver toutes les éclipses en un lieu donné"}},
      {ui_->Option1, nullptr, {"&Option", "&Option", "&Option"}},
      {ui_->Hilfe1, nullptr, {"&Hilfe", "&Help", "&Aide"}},
      {nullptr, ui_->Hilfe2, {"Varomintel &Hilfe", "Varomintel &Help", "&Aide Varomintel "}},
      {nullptr, ui_->Version1, {"Varomintel &Version", "Varomintel &Version information", "&Version Varomintel "}},
  };
  for (const MenuText& m : menus) {
    const QString text = QString::fromUtf8(m.text[lang]);
    if (m.menu) m.menu->setTitle(text);
    if (m.action) m.action->setText(text);
  }
}

}  // namespace varomintel
