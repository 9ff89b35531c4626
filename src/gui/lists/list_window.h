// What the city-list and city-history windows share: the menu "Liste" with "Speichern
// unter" and "Beenden", the status bar with a progress bar, the table of results in Panel1
// (its column header is Label5) with a filter field below it, the stop button, the run on a
// worker thread with its rows shown in batches, and the saved text of the last run.
#pragma once

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "app/list_run.h"
#include "eclipse/catalogue.h"

class QAction;
class QFrame;
class QHeaderView;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTableView;

namespace varomintel {

class AppStateObject;
class ListFilterProxy;
class ListTableModel;
struct ListColumns;

class ListWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Remembers the columns' widths.
  ~ListWindow() override;
  // The main window's menu entries: the window shown and raised with the list of its last
  // run, the status bar that counts it and the text that "Speichern unter" writes, all
  // three as they were when the window was closed.
  void ShowWithList();
  // Asks this window's run to end after its current item; a run of the other list
  // window goes on (the program's exit asks both).
  void RequestStop() { run_.RequestStop(); }
  // Stops a run and waits until its worker has ended (the program's exit).
  void StopAndWait();
  bool Running() const { return run_.Active(); }
  // The saved text of the last run (legend and records); empty before any run.
  const std::vector<std::string>& SavedText() const { return RichEdit_Tmp; }
  // Writes the saved text to `path` (CR LF), whole or not at all; a failure is shown in a
  // message box and gives false.
  bool SaveTo(const QString& path);
  // The text of the status bar.
  QString StatusText() const;
  // The window's caption: the program's caption prefix (the city list adds its eclipse).
  virtual QString Caption() const;
  // The program's state, which the window reads its eclipse, language and caption from
  // (the main window attaches it); it must outlive the window.
  void Follow(const AppStateObject* state) { state_ = state; }
  // The rows shown (in the order they came), and the table's sorted and filtered view of them.
  const ListTableModel& Rows() const { return *model_; }
  ListFilterProxy* View() const { return proxy_; }
  // Puts the selected rows on the clipboard as tab-separated text with the header.
  void CopySelectedRows();
  // Our own settings file beside the parameter record (which keeps its fixed layout): what
  // the windows remember of their arrangement and inputs beyond that record.
  static QString LayoutSettingsFile();

  // Controls, named as in the windows' design.
  QMenu* Liste1;
  QAction* Speichern1;
  QAction* N1;
  QAction* Beenden1;
  QPushButton* Button_Beenden = nullptr;  // the derived window's, from its form
  QHeaderView* Label5;  // the table's column header
  QFrame* Panel1;
  QLineEdit* Edit_Filter;  // below the table: shows the rows whose name or country holds its text
  QStatusBar* StatusBar1;
  QProgressBar* ProgressBar1;  // beside the status text: how far the run has come

 signals:
  // A run has ended and its lines are all shown.
  void runFinished();

 protected:
  // `listTop`: where the table's first row starts at least (below the controls' strip and
  // the header); `defaultSaveName`: the save dialog's proposal; `columns`: the table's;
  // `settingsGroup`: where the columns' widths are remembered.
  ListWindow(QWidget* parent, QSize designSize, int listTop, const char* defaultSaveName, const ListColumns& columns,
             const char* settingsGroup);

  // The strip that the window's own controls are laid out in (its form), above the header;
  // it scrolls sideways when the window is narrower than the controls need.
  QWidget* Content() const { return content_; }
  // The table (RichEdit_CityList or RichEdit_CityHist).
  QTableView* List() const { return list_; }
  // The selected eclipse (an empty record before the first selection or without a state).
  const EclipseRecord& SelectedEclipse() const;
  // The program's state followed, or null.
  const AppStateObject* FollowedState() const { return state_; }
  // The caption prefix of the program's state, empty without one.
  std::string CaptionPrefix() const;
  // The main window's own Delta T (seconds), none for the model's.
  std::optional<double> OwnDeltaT() const;

  // Starts a run: clears the on-screen list and the status, disables `startButton`, and
  // runs `work` on a worker thread (it hands the run's StopFlag() to its engine). The
  // saved text becomes `legend` and the records of the run when it ends, also when it
  // ends on an exception; `finished` runs then on the window's thread.
  void StartRun(QPushButton* startButton, std::vector<std::string> legend, std::function<void(ListRun&)> work,
                std::function<void()> finished);
  // The captions that both windows share, in the installed catalogue's language; the
  // caption and a run's failure in the status bar are set again.
  void ApplyCommonLanguage();
  // Stops the run and waits for the worker without showing anything (a window going
  // away): derived windows call it first in their destructors.
  void AbandonRun();
  // Stop: ends this window's run and hides the window.
  void StopAndHide();
  // The last run ended on an exception (said in the status bar); its `finished` step
  // then leaves the status as it is.
  bool RunFailed() const { return runFailure_.has_value(); }
  void SetStatusText(const QString& text);
  // The exit button of the derived window's form: it stops the run and hides the window.
  void AdoptExitButton(QPushButton* button);
  // The tab order: `controls` in their reading order, then the table and its filter.
  void SetTabOrder(std::initializer_list<QWidget*> controls);
  // Sizes the controls' strip after its form is set up or its captions changed.
  void FitControls();

  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  std::vector<std::string> RichEdit_Tmp;  // the saved text of the last run (the design's invisible store)

 private:
  const AppStateObject* state_ = nullptr;
  void Speichern1Click();
  void Poll();
  void ShowFailure();
  void ApplyTableLanguage();
  // The columns' widths from and to our own settings file.
  void RestoreColumns();
  void StoreColumns() const;

  QWidget* central_;
  QScrollArea* scroll_;
  QWidget* content_;
  QTableView* list_;
  ListTableModel* model_;
  ListFilterProxy* proxy_;
  QLabel* filterLabel_;
  QAction* copy_;
  QAction* selectAll_;
  QLabel* status_;
  int listTop_;
  QString defaultSaveName_;
  QString settingsGroup_;
  QPushButton* startButton_ = nullptr;
  ListRun run_;
  QTimer poll_;
  std::vector<std::string> legend_, records_;
  std::function<void()> finished_;
  std::optional<std::string> runFailure_;
};

}  // namespace varomintel
