// TForm_Main: the main window. Its left side chooses the eclipse (scroll bar, year, Saros
// number and steps), the time scale and the time zone, and shows the report; the shadow
// diagram, the time slider with its play buttons, the world map and the elements table
// have their places on the right.
#pragma once

#include <QMainWindow>

#include <vector>

#include "app/selected_eclipse.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QScrollBar;
class QTextEdit;
class QToolButton;

namespace varomintel {

class AboutPanel;
class TForm_CityHist;
class TForm_CityList;

class TForm_Main : public QMainWindow {
  Q_OBJECT
 public:
  // FormCreate: builds the window and applies the stored settings. The catalogue and the
  // parameter record must be in Vars() already.
  explicit TForm_Main(QWidget* parent = nullptr);

  // The refresh chain of every selection.
  void SelectEclipse();
  // The first-activation work (selection of the stored eclipse and time zone); runs once.
  void FormActivate();
  // Copies the window's settings into the parameter record.
  void StoreSettings();
  // The two list windows, created after this one; the menu "Liste erzeugen" shows them,
  // and the exit stops their runs and stores their settings.
  void AttachListWindows(TForm_CityHist* cityHist, TForm_CityList* cityList);

  // Controls, named as in the window's design.
  QGroupBox* GroupBox_Finsternis;
  QLabel* Label_Jahr;
  QLineEdit* Edit_Jahr;
  QScrollBar* ScrollBar_Eclipse;
  QGroupBox* GroupBox_Saros;
  QLabel* Label_Saros;
  QLineEdit* Saros_Edit;
  QToolButton* UpDown1_Prev;
  QToolButton* UpDown1_Next;
  QLabel* Label_SarosPlus1;
  QToolButton* UpDown3_Prev;
  QToolButton* UpDown3_Next;
  QLabel* Label_SarosPlus3;
  QGroupBox* GroupBox_ET_UT;
  QCheckBox* CheckBox_ET_UT;
  QGroupBox* GroupBox_TZone;
  QLabel* Label_Unterschied;
  QLineEdit* Edit_TZone;
  QLabel* Label_Std;
  QTextEdit* RE_Table;
  QFrame* Panel_Grafik;
  QFrame* Panel_World;
  AboutPanel* Panel_About;
  QMenu* Liste1;
  QAction* Sichtbarkeit;
  QAction* CityHist;

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ScrollBar_EclipseChange(int position);
  void Edit_JahrKeyDown();
  void Saros_EditKeyDown();
  void UpDown1Click(int direction);
  void UpDown3Click(int direction);
  void CheckBox_ET_UTClick();
  void Edit_TZoneKeyDown();
  void Version1Click();
  void SichtbarkeitClick();
  void CityHistClick();
  void EveryActivation();
  // The time settings as the controls hold them.
  TimeSettings CurrentTimeSettings() const;
  // Writes the selection's captions and report into the controls.
  void ShowSelection();
  void ShowReport(const std::vector<ReportLine>& lines);
  void SelectByYear();
  void SelectBySaros();
  void StepSaros(int direction, int steps);
  void SwitchTimeScale();
  void ApplyTimeZoneEntry();
  void ShowAbout();
  void MoveTo(int index);

  SelectedEclipse selection_;
  TForm_CityHist* cityHist_ = nullptr;
  TForm_CityList* cityList_ = nullptr;
};

}  // namespace varomintel
