// MainWindow: the help command and the orderly end of the program.
//
// Exit (menu "Beenden", Ctrl+Q, and the signals that ask the program to end): every
// running list search is asked to end after its current item, and the window closes at
// once.
// Close (however the window is closed): the animation stops, a video being saved is
// cancelled (its partial file removed), the list runs end (their workers are waited for),
// the settings of the three windows go into the parameter file when that file still
// exists, and the application quits, also when a list window is open.
#include <QApplication>
#include <QCloseEvent>
#include <QProgressDialog>

#include "app/startup_data.h"
#include "gui/common/help_window.h"
#include "gui/common/window_geometry.h"
#include "gui/lists/city_history_window.h"
#include "gui/lists/city_list_window.h"
#include "gui/main/main_window.h"
#include "text/text_table.h"

namespace varomintel {

void MainWindow::OpenHelp() {
  const std::uint8_t lang = state_->State().Language();
  if (!help_) help_ = new HelpWindow(this);
  // The manual comes from the program's data folder only, never from the current folder.
  help_->ShowFile(HelpFileName(lang), Startup().ProgramDir, lang);
  // Within the screen, also where it is smaller than the window's size (1280 x 720).
  if (!help_->isVisible()) FitOnScreen(*help_, kHelpWindowSize);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void MainWindow::StopAllListRuns() {
  // Each list window has a run and a stop flag of its own: the exit asks both.
  if (cityHist_) cityHist_->RequestStop();
  if (cityList_) cityList_->RequestStop();
}

void MainWindow::ExitInOrder() {
  StopAllListRuns();
  if (isVisible()) close();  // hidden: the close sequence has run already
}

void MainWindow::closeEvent(QCloseEvent* event) {
  CloseInOrder();
  event->accept();
}

void MainWindow::CloseInOrder() {
  if (closing_) return;  // a close requested by an event that the sequence lets run
  closing_ = true;
  StartupData& v = Startup();
  state_->SetPlay(std::nullopt);
  // A video being saved stops at its next frame and removes its partial file.
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* progress = qobject_cast<QProgressDialog*>(w); progress && progress->isVisible()) progress->cancel();
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
