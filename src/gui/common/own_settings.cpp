#include "gui/common/own_settings.h"

#include <QStandardPaths>
#include <QString>

#include "app/startup_data.h"

namespace varomintel {

std::unique_ptr<QSettings> OwnSettings() {
  QString folder = QString::fromStdString(Startup().ParamDir);
  if (folder.isEmpty())  // not started (a tool or a test without a parameter file): the per-user folder
    folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Varomintel/";
  return std::make_unique<QSettings>(folder + "window.ini", QSettings::IniFormat);
}

}  // namespace varomintel
