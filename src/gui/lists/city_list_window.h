// CityListWindow: every place of the city file above a population threshold that sees
// the selected eclipse, with the universal time and the Moon's altitude at each contact.
#pragma once

#include <atomic>
#include <memory>
#include <optional>

#include "gui/lists/list_window.h"
#include "places/city_list.h"

class QComboBox;

namespace Ui {
class CityListControls;
}

namespace varomintel {

class ParameterRecord;

class CityListWindow : public ListWindow {
  Q_OBJECT
 public:
  // FormCreate: builds the window hidden, in the current language.
  explicit CityListWindow(QWidget* parent = nullptr);
  ~CityListWindow() override;

  // Every caption, the header, the population items (the item index stays) and the status
  // bar's counts in the language.
  void ApplyLanguage(std::uint8_t languageIndex);
  // The program's caption prefix, then the date (universal time) and the type of the
  // eclipse listed: the last run's, or before a run the one a run would list.
  QString Caption() const override;
  // The window's place and the population item from and to the parameter record.
  void RestoreSettings(const ParameterRecord& record);
  void StoreSettings(ParameterRecord& record) const;

  // The run over the city file for the selected eclipse (Button_Start_CityListClick).
  void StartCityList();

  QLabel* Label1;
  QComboBox* ComboBox_Population;
  QPushButton* Button_Start_CityList;
  QTableView* RichEdit_CityList;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void Button_Start_CityListClick() { StartCityList(); }
  void ReportRunEnd();
  // The status bar's text of the counts shown and, after a run, of its unconverged contacts.
  QString CountsStatus(std::uint8_t languageIndex) const;

  std::unique_ptr<Ui::CityListControls> ui_;
  CityListOutcome outcome_;  // written by the run's worker, read when it has ended
  std::string cityFile_;
  std::optional<EclipseRecord> listed_;  // the eclipse of the list shown
  std::optional<double> listedDeltaT_;   // s: the own Delta T it was computed with; none: the model's
  // The counts the status bar shows (-1: none yet), kept by the run's worker so that the
  // text can be given again in another language; and the language the worker writes in.
  std::atomic<long> shownScanned_{-1}, shownFound_{-1};
  std::atomic<std::uint8_t> statusLanguage_{0};
  bool runEnded_ = false;  // outcome_ holds the last run's result
};

}  // namespace varomintel
