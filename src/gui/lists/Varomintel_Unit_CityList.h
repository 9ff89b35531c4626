// TForm_CityList: every place of the city file above a population threshold that sees
// the selected eclipse, with the universal time and the Moon's altitude at each contact.
#pragma once

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

class TForm_CityList : public ListWindow {
  Q_OBJECT
 public:
  // FormCreate: builds the window hidden, in the current language.
  explicit TForm_CityList(QWidget* parent = nullptr);
  ~TForm_CityList() override;

  // Every caption, the header and the population items in the language (the item index stays).
  void ApplyLanguage(std::uint8_t languageIndex);
  // The window's place and the population item from and to the parameter record.
  void RestoreSettings(const ParameterRecord& record);
  void StoreSettings(ParameterRecord& record) const;

  // The run over the city file for the selected eclipse (Button_Start_CityListClick).
  void StartCityList();

  QLabel* Label1;
  QComboBox* ComboBox_Population;
  QPushButton* Button_Start_CityList;
  QPlainTextEdit* RichEdit_CityList;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void Button_Start_CityListClick() { StartCityList(); }
  void ReportRunEnd();

  std::unique_ptr<Ui::CityListControls> ui_;
  CityListOutcome outcome_;  // written by the run's worker, read when it has ended
  std::string cityFile_;
};

}  // namespace varomintel
