// The About dialog of the desktop program: the icon, the name and version, one sentence of
// what the program does and the copyright, then tabs with the credits, the data sources
// (data/SOURCES.md, embedded), the licence (the package's copyright file, embedded) and the
// version record as details (AboutPanel's grid). Its texts follow the windows' language.
#pragma once

#include <QDialog>

#include "app/version_info.h"

class QLabel;
class QTabWidget;
class QTextBrowser;
class QDialogButtonBox;

namespace varomintel {

class AboutPanel;

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent);

  // The version record in the details, and its file version beside the name.
  void SetVersion(const FileVersionInfo& info);
  // The version grid, which the main window also reads for its caption.
  AboutPanel* Details() const { return details_; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void Retranslate();

  QLabel* icon_;
  QLabel* name_;
  QLabel* summary_;
  QLabel* copyright_;
  QTabWidget* tabs_;
  QTextBrowser* credits_;
  QTextBrowser* sources_;
  QTextBrowser* licence_;
  AboutPanel* details_;
  QDialogButtonBox* buttons_;
};

}  // namespace varomintel
