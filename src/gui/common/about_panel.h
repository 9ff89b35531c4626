// Panel_About: the version record of the program as a two-column grid under a bold title;
// the About dialog shows it as its version details.
#pragma once

#include <QFrame>

#include "app/version_info.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace varomintel {

class AboutPanel : public QFrame {
  Q_OBJECT
 public:
  static constexpr int kWidth = 407;
  static constexpr int kHeight = 473;

  explicit AboutPanel(QWidget* parent);

  // FillVersionGrid: writes the 17 rows of the record into the grid.
  void FillVersionGrid(const FileVersionInfo& info);
  // The grid's cell in column 1, row 3: the file version.
  QString FileVersionCell() const;

  QLabel* Image1;
  QLabel* Label_Varomintel;
  QTableWidget* StringGrid_VersionsInfo;
  QPushButton* Button_About_OK;
};

}  // namespace varomintel
