// Program entry of Varomintel: the global state, then the main window and the message loop.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QStandardPaths>

#include <csignal>

#include "app/startup_data.h"
#include "gui/common/qt_translations.h"
#include "gui/common/quit_signals.h"
#include "gui/lists/city_history_window.h"
#include "gui/lists/city_list_window.h"
#include "gui/main/main_window.h"
#include "app/startup.h"

int main(int argc, char** argv) {
  using namespace varomintel;
  // A save beyond the file size limit (ulimit -f) fails with EFBIG and is reported in a
  // message box, instead of SIGXFSZ ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Varomintel");

  StartupPlaces places;
  places.programDir = QCoreApplication::applicationDirPath().toStdString();
  places.configDir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
  places.fileTypeName = QMimeDatabase().mimeTypeForFile(QCoreApplication::applicationFilePath()).comment().toStdString();
  places.catalogueDir = QDir::currentPath().toStdString();
  const StartupOutcome outcome = InitialiseGlobalState(places, [](const std::string& caption, const std::string& text) {
    QMessageBox::information(nullptr, QString::fromStdString(caption), QString::fromStdString(text));
  });
  if (outcome == StartupOutcome::NoCatalogue) return 1;
  if (outcome != StartupOutcome::Run) return 0;

  // Qt's dialogs in the language the windows start in (German until the stored one applies).
  ApplyQtTranslations(Startup().LanguageIndex);
  MainWindow window;
  // The list windows after the main window, hidden until its menu shows them.
  CityHistoryWindow cityHist;
  CityListWindow cityList;
  cityHist.RestoreSettings(Startup().Parameters);
  cityList.RestoreSettings(Startup().Parameters);
  window.AttachListWindows(&cityHist, &cityList);
  // All three windows exist: the stored language applies to each.
  window.ApplyStoredLanguage();
  // SIGTERM, SIGHUP and SIGINT end the program as its exit command does: settings
  // written, a video being saved cancelled and its partial file removed.
  const QuitOnSignals quitOnSignals([&window](int) { window.close(); });
  window.show();
  return QApplication::exec();
}
