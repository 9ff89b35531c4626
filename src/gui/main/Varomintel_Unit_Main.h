// TForm_Main: the main window. Its left side chooses the eclipse (scroll bar, year, Saros
// number and steps), the time scale and the time zone, and shows the report; the shadow
// diagram, the time slider with its play buttons, the world map and the elements table
// have their places on the right.
#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/parameter_file.h"
#include "app/selected_eclipse.h"
#include "render/map_pictures.h"
#include "app/time_slider.h"
#include "render/moon_pictures.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QRadioButton;
class QScrollBar;
class QTableWidget;
class QTimer;
class QTextEdit;
class QToolButton;

namespace varomintel {

class AboutPanel;
class TForm_CityHist;
class TForm_CityList;
class WorldMapImage;
class DiagramView;
class HelpWindow;

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
  // Redraws the world map of the selected eclipse (map_controls.cpp).
  void DrawWorldMap();
  // Writes the map's and the point of interest's captions in the current language and
  // redraws the map, whose texts are in that language too.
  void TranslateMapControls();
  // Applies the language stored in the parameter record to all three windows; a stored
  // value other than 0, 1 or 2 applies none, so the design's German captions stay
  // (language.cpp). Runs once, when the last of the three windows exists.
  void ApplyStoredLanguage();
  // The language routine: every caption, hint, menu text and list item of the three
  // windows, hidden ones included, in the current LanguageIndex (language.cpp).
  void ApplyLanguage();
  // The help window of the current language, created on first use (exit_help.cpp).
  HelpWindow* Help() const { return help_; }

  // Menus, named as in the window's design.
  QMenu* File1;
  QAction* Exit1;
  QMenu* Option1;
  QAction* Opt_Deutsch;
  QAction* Opt_English;
  QAction* Opt_Francais;
  QMenu* Hilfe1;
  QAction* Hilfe2;
  QAction* Version1;

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
  // The world map and the point of interest (map_controls.cpp).
  WorldMapImage* Image_World;
  std::array<QFrame*, 10> Shapes;  // Shape1 .. Shape10: the graticule over the map
  QLabel *Label_90N, *Label_60N, *Label_30N, *Label_00N, *Label_30S, *Label_60S, *Label_90S;
  QLabel *Label_180W, *Label_120W, *Label_060W, *Label_0W, *Label_060E, *Label_120E, *Label_180E;
  QGroupBox* GroupBox_Globus;
  QComboBox* ComboBox_Globus;
  QCheckBox* CheckBox_Gradnetz;
  QGroupBox* GroupBox_Markierung;
  QLineEdit* Edit_PoI_Breite;
  QRadioButton* RadioButton_PoI_Nord;
  QRadioButton* RadioButton_PoI_Sued;
  QLineEdit* Edit_PoI_Laenge;
  QRadioButton* RadioButton_PoI_Ost;
  QRadioButton* RadioButton_PoI_West;
  QCheckBox* CheckBox_PoI;

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
  void SichtbarkeitClick();
  void CityHistClick();
  void Opt_DeutschClick();
  void Opt_EnglishClick();
  void Opt_FrancaisClick();
  void Hilfe2Click();
  void Exit1Click();
  // The language routines' work (language.cpp).
  void SwitchLanguage(std::uint8_t languageIndex);
  void TranslateMenus();
  void TranslateSelectionCaptions();
  // Help and exit (exit_help.cpp).
  void OpenHelp();
  // Asks the runs of both list windows to end after their current item.
  void StopAllListRuns();
  void ExitInOrder();
  void CloseInOrder();
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
  // Says in the status bar, once at the start, which picture is replaced and why.
  void ReportRefusedPictures();
  void MoveTo(int index);

  // The world map and the point of interest (map_controls.cpp).
  enum class PoiAxis { Latitude, Longitude };
  void CreateWorldMapControls();
  void ApplyMapSettings(const ParameterRecord& p);
  void StoreMapSettings(ParameterRecord& p) const;
  void ComboBox_GlobusChange(int index);
  void CheckBox_GradnetzClick(bool checked);
  void CheckBox_PoIClick();
  void Edit_PoI_BreiteKeyDown();
  void Edit_PoI_LaengeKeyDown();
  void RadioButton_PoI_NordClick();
  void RadioButton_PoI_SuedClick();
  void RadioButton_PoI_OstClick();
  void RadioButton_PoI_WestClick();
  void Image_WorldClick(QPoint pixel);
  void ShowGraticule(bool shown);
  void ApplyPoiEntry(PoiAxis axis);
  void ReadPoiEntryOf(PoiAxis axis);
  void ShowPointOfInterest();
  void MarkPlaceAt(QPoint pixel);
  QString MapToolTipAt(QPoint pixel) const;

  // The shadow diagram, the time slider and the elements table (diagram_controls.cpp).
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
  TForm_CityHist* cityHist_ = nullptr;
  TForm_CityList* cityList_ = nullptr;
  MapPictures mapPictures_;
  MoonPictures moonPictures_;
  std::vector<std::string> refusedPictures_;  // pictures that are replaced, each with the reason
  QTimer* playTimer_ = nullptr;
  PlayDirection playDirection_ = PlayDirection::Forward;
  std::string diagramDateTime_;  // of the last drawing, for the caption
  HelpWindow* help_ = nullptr;
  bool exiting_ = false;  // the exit sequence runs: a second Exit waits for it
  bool closing_ = false;  // the close sequence runs: messages it lets run cannot start it again
};

}  // namespace varomintel
