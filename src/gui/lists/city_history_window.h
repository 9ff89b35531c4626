// CityHistoryWindow: every eclipse between two years that is seen from one place, the place
// typed as coordinates or taken from the city file.
#pragma once

#include <memory>
#include <vector>

#include "gui/lists/list_window.h"
#include "places/calendar_export.h"
#include "places/city_hist.h"
#include "places/place.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace Ui {
class CityHistControls;
}

namespace varomintel {

class ParameterRecord;

class CityHistoryWindow : public ListWindow {
  Q_OBJECT
 public:
  explicit CityHistoryWindow(QWidget* parent = nullptr);
  ~CityHistoryWindow() override;

  void ApplyLanguage(std::uint8_t languageIndex);
  // The window's place and the inputs from and to the parameter record.
  void RestoreSettings(const ParameterRecord& record);
  void StoreSettings(ParameterRecord& record) const;

  // A: the countries of the city file of the language (again only when the file changed).
  void FillCountries();
  // B: the places of the chosen country.
  void FillPlaces();
  // C: the chosen place into the input fields.
  void TakeOverPlace();
  // The place marked in the main window (the program's state) into the input fields.
  void TakeOverMarkedPlace();
  // D: checks the inputs and starts the search; false (with a message) when an input is wrong.
  bool StartCityHist();
  // The eclipses of the last search as an iCalendar file (RFC 5545) in the current
  // language, written whole or not at all; the status bar says how many were written and
  // how many left out (outside the years 1..9999). A failure is shown in a message box.
  bool SaveCalendarTo(const QString& path);

  // "Als Kalender speichern …" in the menu Liste, enabled once a search has found eclipses.
  QAction* Kalender1;

  // Controls, named as in the window's design.
  QLabel *Label1, *Label2, *Label3, *Label4, *Label6, *Label7, *Label8, *Label9, *Label10, *Label11;
  QComboBox* ComboBox_Land;
  QComboBox* ComboBox_Stadt;
  QPushButton* Button_Uebernehmen;
  QPushButton* Button_Markierung;  // "Use the marked place"
  QLineEdit* Edit_Ort_Land;
  QLineEdit* Edit_Ort_Stadt;
  QLineEdit* Edit_Breite;
  QRadioButton* RadioButton_Nord;
  QRadioButton* RadioButton_Sued;
  QLineEdit* Edit_Laenge;
  QRadioButton* RadioButton_Ost;
  QRadioButton* RadioButton_West;
  QLineEdit* Edit_Hoehe;
  QLineEdit* Edit_Einwohner;
  QComboBox* ComboBox_von;
  QComboBox* ComboBox_Bis;
  QPushButton* Button_Start_CityHist;
  QTableView* RichEdit_CityHist;

  CountryPlaces CountryPlaces_;  // the places of the chosen country, entry i for item i of ComboBox_Stadt

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void ComboBox_LandClick() { FillPlaces(); }
  void Button_UebernehmenClick() { TakeOverPlace(); }
  void Button_Start_CityHistClick() { StartCityHist(); }
  void Kalender1Click();
  // Shows the input-error message for `field` (0 latitude, 1 longitude, 2 height, 3 name).
  void ReportInput(int field);
  // The status bar's text of the end of the last run, or of the last calendar saved, in the
  // language; given again by ApplyLanguage. Empty while neither is shown.
  QString EndStatus(std::uint8_t languageIndex) const;

  std::unique_ptr<Ui::CityHistControls> ui_;
  QButtonGroup* northSouth_;
  QButtonGroup* eastWest_;
  std::string countriesOf_;   // the city file the country list was read from
  CityHistOutcome outcome_;   // written by the run's worker, read when it has ended
  std::vector<CalendarEclipse> calendar_;  // likewise: the eclipses found, for the calendar
  CalendarPlace calendarPlace_;            // the place of the last search
  int thisYear_ = 0;                       // the year the lists offer besides their fixed years
  // What the status bar shows besides a run's progress and failure: nothing of its own,
  // the end of the run (with outcome_'s counts), or the counts of the calendar saved.
  enum class EndShown { Nothing, RunEnd, CalendarSaved };
  EndShown endShown_ = EndShown::Nothing;
  CalendarFile savedCounts_;  // its counts only, without the text
};

}  // namespace varomintel
