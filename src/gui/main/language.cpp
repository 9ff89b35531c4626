// TForm_Main: the three language routines behind the menu "Option". One routine replaces
// every language-dependent caption, hint, menu text and list item of the main window and
// of both list windows (also while they are hidden), in a fixed order: menus, captions,
// the time-scale texts, the play buttons' hints, the window caption, the two list
// windows, and at last the diagram and the map, whose texts are drawn into the pictures.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <array>

#include "app/parameter_file.h"
#include "app/varomintel_variables.h"
#include "gui/common/about_panel.h"
#include "gui/common/help_window.h"
#include "gui/lists/Varomintel_Unit_CityHist.h"
#include "gui/lists/Varomintel_Unit_CityList.h"
#include "gui/main/Varomintel_Unit_Main.h"
#include "text/text_table.h"

namespace varomintel {

namespace {

using Texts = std::array<const char*, 3>;  // German, English, French (UTF-8)

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// Handlers of the three menu items.
void TForm_Main::Opt_DeutschClick() { SwitchLanguage(kGerman); }
void TForm_Main::Opt_EnglishClick() { SwitchLanguage(kEnglish); }
void TForm_Main::Opt_FrancaisClick() { SwitchLanguage(kFrench); }

void TForm_Main::ApplyStoredLanguage() {
  const std::uint8_t stored = Vars().Parameters.Byte(param::kLanguage);
  if (stored <= kFrench) SwitchLanguage(stored);
}

void TForm_Main::SwitchLanguage(std::uint8_t languageIndex) {
  Vars().LanguageIndex = languageIndex;
  const std::array<QAction*, 3> items = {Opt_Deutsch, Opt_English, Opt_Francais};
  items[languageIndex]->setChecked(true);  // the action group unchecks the others
  ApplyLanguage();
}

void TForm_Main::ApplyLanguage() {
  VaromintelVariables& v = Vars();
  const std::uint8_t lang = ValidLanguageIndex(v.LanguageIndex);
  TranslateMenus();
  TranslateSelectionCaptions();
  TranslateMapControls();  // the map's captions, and the map, whose texts are in the language too
  // The texts that depend on the time scale: the Delta T caption, the report, the
  // diagram and the elements table.
  CheckBox_ET_UTClick();
  ApplyDiagramLanguage();
  Panel_About->FillVersionGrid(v.ProgramVersionInfo);
  v.CaptionPrefix = "Varomintel " + Panel_About->FileVersionCell().toStdString() + Text(text_row::kSubtitle, lang);
  setWindowTitle(Q(v.CaptionPrefix));
  if (cityHist_) {
    cityHist_->ApplyLanguage(lang);
    cityHist_->setWindowTitle(Q(v.CaptionPrefix));
  }
  if (cityList_) {
    cityList_->ApplyLanguage(lang);
    cityList_->setWindowTitle(Q(v.CaptionPrefix));
  }
  if (help_) help_->ApplyLanguage(lang);
  // The diagram last: its caption and the window caption after it use the new prefix.
  RefreshTimeDependent();
}

void TForm_Main::TranslateMenus() {
  const std::uint8_t lang = ValidLanguageIndex(Vars().LanguageIndex);
  struct MenuText {
    QMenu* menu;
    QAction* action;
    Texts text;
  };
  const MenuText menus[] = {
      {File1, nullptr, {"&Datei", "&File", "&Fichier"}},
      {nullptr, Exit1, {"&Beenden", "E&xit", "&Quitter"}},
      {Liste1, nullptr, {"&Liste erzeugen", "&Create List", "&Créer liste"}},
      {nullptr, Sichtbarkeit,
       {"Sichtbarkeit dieser Finsternis an verschiedenen Orten", "Local circumstances for cities/countries",
        "Visibilité de l'éclipse en différants lieux"}},
      {nullptr, CityHist,
       {"Alle Finsternisse an einem bestimmten Ort suchen", "Search for all eclipses at a given place",
        "Trouver toutes les éclipses en un lieu donné"}},
      {Option1, nullptr, {"&Option", "&Option", "&Option"}},
      {Hilfe1, nullptr, {"&Hilfe", "&Help", "&Aide"}},
      {nullptr, Hilfe2, {"Varomintel &Hilfe", "Varomintel &Help", "&Aide Varomintel "}},
      {nullptr, Version1, {"Varomintel &Version", "Varomintel &Version information", "&Version Varomintel "}},
  };
  for (const MenuText& m : menus) {
    const QString text = QString::fromUtf8(m.text[lang]);
    if (m.menu) m.menu->setTitle(text);
    if (m.action) m.action->setText(text);
  }
}

void TForm_Main::TranslateSelectionCaptions() {
  const std::uint8_t lang = ValidLanguageIndex(Vars().LanguageIndex);
  struct Caption {
    QGroupBox* group;
    QLabel* label;
    Texts text;
  };
  const Caption captions[] = {
      {GroupBox_Finsternis, nullptr, {"Finsternis im Jahr ...", "Eclipse in the year ...", "Eclipse dans l'an ..."}},
      {nullptr, Label_Jahr, {"Jahr", "Year", "année"}},
      {GroupBox_ET_UT, nullptr, {"DeltaT (TT oder UT)", "DeltaT (TT or UT)", "DeltaT (TT ou TU)"}},
      {GroupBox_TZone, nullptr, {"Zeitzone", "Time zone", "Fuseau horaire"}},
      {nullptr, Label_Unterschied, {"Lokalzeit = UTC", "Local time = UTC", "Heure local = UTC"}},
      {nullptr, Label_Std, {"Std", "hrs", "hrs"}},
  };
  for (const Caption& c : captions) {
    const QString text = QString::fromUtf8(c.text[lang]);
    if (c.group) c.group->setTitle(text);
    if (c.label) c.label->setText(text);
  }
  // "Heure local = UTC" is wider than "Lokalzeit = UTC": the entry and its unit follow
  // the label instead of covering its end.
  const QRect label = Label_Unterschied->geometry();
  const int labelWidth = Label_Unterschied->fontMetrics().horizontalAdvance(Label_Unterschied->text()) + 4;
  Label_Unterschied->setGeometry(label.left(), label.top(), labelWidth, label.height());
  const QRect entry = Edit_TZone->geometry();
  Edit_TZone->move(label.left() + labelWidth + 2, entry.top());
  Label_Std->move(Edit_TZone->geometry().right() + 6, Label_Std->geometry().top());
  // The Saros caption: row 12, the member's number, row 13, the series' count, ")".
  if (selection_.index != 0) {
    ApplyTimeSettings(selection_, CurrentTimeSettings());
    GroupBox_Saros->setTitle(Q(selection_.sarosCaption));
  }
}

}  // namespace varomintel
