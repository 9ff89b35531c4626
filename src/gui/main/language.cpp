// MainWindow: the language behind the menu "Option". A choice installs the language's
// catalogues (qt_translations.h); every window then sets its own texts again when its
// QEvent::LanguageChange arrives, hidden windows included. The main window's share: its
// menus and captions (the form's retranslateUi), and the texts that the core builds in the
// program's language (the report, the captions, the elements table) and the pictures with
// texts drawn into them (the diagram and the map), drawn again.
#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

#include <array>

#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "gui/common/about_panel.h"
#include "gui/common/accessible_names.h"
#include "gui/common/qt_translations.h"
#include "gui/main/main_window.h"
#include "text/text_table.h"
#include "ui_main_window.h"

namespace varomintel {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void MainWindow::ApplyStoredLanguage() {
  const std::uint8_t stored = Startup().Parameters.Byte(param::kLanguage);
  // A stored value outside our languages applies none: the windows start in German.
  SwitchLanguage(stored <= kSpanish ? stored : kGerman);
}

void MainWindow::SwitchLanguage(std::uint8_t languageIndex) {
  const StartupData& v = Startup();
  InstallTranslations(languageIndex);
  // The caption prefix first: the list windows' captions, set again at their language
  // change, begin with it.
  aboutPanel_->FillVersionGrid(v.ProgramVersionInfo);
  const std::uint8_t lang = WindowLanguage();
  state_->SetCaptionPrefix("Varomintel " + aboutPanel_->FileVersionCell().toStdString() + Text(text_row::kSubtitle, lang));
  // What the core writes in the language (the report, the captions, the elements table)
  // and the pictures with texts (the diagram, the map) are drawn again from the state.
  state_->SetLanguage(lang);
  const std::array<QAction*, 4> items = {ui_->Opt_Deutsch, ui_->Opt_English, ui_->Opt_Francais, ui_->Opt_Espanol};
  items[lang]->setChecked(true);  // the group unchecks the others
  // Every window's texts follow at once, not at the next round of the event loop. A
  // language whose catalogues are installed already (the one the windows were built in,
  // or English, which installs none) brings no change event of its own: the windows get
  // one all the same, for the captions that the core gives.
  QEvent change(QEvent::LanguageChange);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

void MainWindow::ApplyLanguage() {
  ui_->retranslateUi(this);
  setWindowTitle(Q(state_->State().CaptionPrefix()));
  // The diagram's caption is the window's. The diagram itself was drawn again in the new
  // language when the state's language changed.
  ShowDiagramCaption();
}

bool MainWindow::event(QEvent* event) {
  // QWidget::event passes the change on to the panels after changeEvent: the controls are
  // named for screen readers from their captions once all are in the new language.
  const bool handled = QMainWindow::event(event);
  if (event->type() == QEvent::LanguageChange) NameControlsForScreenReaders(this, WindowLanguage());
  return handled;
}

}  // namespace varomintel
