// TForm_Main: the main window. Its left side chooses the eclipse (scroll bar, year, Saros
// number and steps), the time scale and the time zone, and shows the report; the shadow
// diagram, the time slider with its play buttons, the world map and the elements table
// have their places on the right.
#pragma once

#include <QMainWindow>

#include <vector>

#include "app/selected_eclipse.h"
#include "app/time_slider.h"
#include "render/moon_pictures.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QTableWidget;
class QTimer;
class QTextEdit;
class QToolButton;

namespace varomintel {

class AboutPanel;
class DiagramView;

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

  // The shadow diagram, the time slider with its play buttons, the date-time panel and the
  // elements table (diagram_controls.cpp).
  DiagramView* DiagramImages;  // the two pictures in Panel_Grafik
  QScrollBar* ScrollBar_Time;
  QToolButton* Button_FastReverse;
  QToolButton* Button_Reverse;
  QToolButton* Button_Stop;
  QToolButton* Button_Play;
  QToolButton* Button_FastPlay;
  QFrame* Panel_DatumZeit;
  QLabel* Label_DatumZeit;
  QLabel* MoFiTyp_Label;
  QTableWidget* SG;
  // The slider time's Julian days, the diagram, the Moon's constellation and the table.
  void RefreshTimeDependent();
  void DrawShadowDiagram();
  void FillElementsTable();
  // The play buttons' hints in the current language.
  void ApplyDiagramLanguage();

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

  void CreateDiagramControls(QWidget* client);
  void ScrollBar_TimeChange(int position);
  void Button_FastReverseClick();
  void Button_ReverseClick();
  void Button_StopClick();
  void Button_PlayClick();
  void Button_FastPlayClick();
  void RestoreStoredSliderPosition();
  void ShowGreatestEclipse();
  void ShowDiagramCaption();
  void Play(PlayDirection direction);
  void PlayOneStep();

  SelectedEclipse selection_;
  MoonPictures moonPictures_;
  QTimer* playTimer_ = nullptr;
  PlayDirection playDirection_ = PlayDirection::Forward;
  std::string diagramDateTime_;  // of the last drawing, for the caption
};

}  // namespace varomintel
