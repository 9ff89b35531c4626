// TForm_Main: the help command and the orderly end of the program.
//
// Exit (menu "Beenden"): every running list search is asked to end after its current
// item; two waits of half a second let the list windows show their last lines
// and the animation take its last step; then the window closes.
// Close (however the window is closed): the animation stops, pending events run once,
// the list runs end, the settings of the three windows go into the parameter file when
// that file still exists, and the application quits, also when a list window is open.
#include <QApplication>
#include <QCloseEvent>

#include "app/varomintel_variables.h"
#include "gui/common/delay.h"
#include "gui/common/help_window.h"
#include "gui/lists/Varomintel_Unit_CityHist.h"
#include "gui/lists/Varomintel_Unit_CityList.h"
#include "gui/main/Varomintel_Unit_Main.h"
#include "text/text_table.h"

namespace varomintel {

namespace {
constexpr int kExitWaitMilliseconds = 500;
}  // namespace

void TForm_Main::OpenHelp() {
  VaromintelVariables& v = Vars();
  const std::uint8_t lang = ValidLanguageIndex(v.LanguageIndex);
  v.HelpFile = HelpFileName(lang);
  if (!help_) help_ = new HelpWindow(this);
  // The manual comes from the program's data folder only, never from the current folder.
  help_->ShowFile(v.HelpFile, v.ProgramDir, lang);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void TForm_Main::StopAllListRuns() {
  // Each list window has a run and a stop flag of its own: the exit asks both.
  if (cityHist_) cityHist_->RequestStop();
  if (cityList_) cityList_->RequestStop();
}

void TForm_Main::ExitInOrder() {
  if (exiting_) return;  // already on its way out
  exiting_ = true;
  StopAllListRuns();
  Delay(kExitWaitMilliseconds);
  Delay(kExitWaitMilliseconds);
  exiting_ = false;
  // Closed meanwhile by its close box: the close sequence has run already.
  if (isVisible()) close();
}

void TForm_Main::closeEvent(QCloseEvent* event) {
  CloseInOrder();
  event->accept();
}

void TForm_Main::CloseInOrder() {
  if (closing_) return;  // a close requested by an event that the sequence lets run
  closing_ = true;
  VaromintelVariables& v = Vars();
  v.PlayRunning = false;
  QCoreApplication::processEvents();
  // Running lists end after their current item and keep what they found.
  StopAllListRuns();
  if (cityHist_) cityHist_->StopAndWait();
  if (cityList_) cityList_->StopAndWait();
  StoreSettings();
  if (v.SaveSettingsAtExit) SaveParameterFile(v.ParamFilePath, v.Parameters);  // only when the file still exists
  if (help_) help_->close();
  closing_ = false;
  // The list windows are windows of their own: closing this one alone would leave the
  // program running while one of them is open.
  QCoreApplication::quit();
}

}  // namespace varomintel
