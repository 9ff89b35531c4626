// Program entry of Varomintel: the global state (text table, folders, version record,
// parameter file, catalogue), then the main window and the message loop.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QStandardPaths>

#include "app/parameter_file.h"
#include "app/text_table.h"
#include "app/varomintel_variables.h"
#include "app/version_info.h"
#include "eclipse/catalogue.h"
#include "main_window/Varomintel_Unit_Main.h"

namespace {

std::string WithSlash(QString dir) {
  dir = dir.trimmed();
  if (!dir.isEmpty() && !dir.endsWith('/')) dir += '/';
  return dir.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace varomintel;
  QApplication app(argc, argv);
  QApplication::setApplicationName("Varomintel");
  QApplication::setApplicationDisplayName("Varomintel");

  // Global state, before any window exists.
  VaromintelVariables& v = Vars();
  (void)TextTable();
  v.TempDir = WithSlash(QDir::tempPath());
  v.ProgramDir = WithSlash(QCoreApplication::applicationDirPath());
  v.ParamDir = WithSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) + "Varomintel/";
  const QString exe = QCoreApplication::applicationFilePath();
  v.ProgramVersionInfo = ProgramVersionInfo(QMimeDatabase().mimeTypeForFile(exe).comment().toStdString());
  v.ProgramVersion = ProgramVersion(v.ProgramVersionInfo);
  v.ParamFilePath = v.ParamDir + kParameterFileName;
  const ParameterStartup startup = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion);
  v.Parameters = startup.record;
  v.WindowStarted = false;
  if (startup.outcome == ParameterStartup::Outcome::OtherVersion) {
    QMessageBox::information(nullptr, QString::fromStdString(IncompatibleParameterCaption()),
                             QString::fromStdString(IncompatibleParameterText(startup.storedVersion)));
    QFile::remove(QString::fromStdString(v.ParamFilePath));
    return 0;  // the next start creates a fresh file
  }

  // The catalogue, from the current directory. Without it there is nothing to show.
  CatalogueLoad load = LoadCatalogue(kCatalogueFileName);
  if (!load.ok()) {
    QMessageBox::critical(
        nullptr, "Varomintel",
        QString::fromStdString(load.Message()) +
            ".\n\nThe catalogue must be a file of whole records of 430 bytes each, named " + kCatalogueFileName +
            ", in the folder the program is started from:\n" + QDir::currentPath());
    return 1;
  }
  v.TheCatalogue = std::move(load.catalogue);

  TForm_Main window;
  window.show();
  return QApplication::exec();
}
