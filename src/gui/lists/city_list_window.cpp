#include "gui/lists/city_list_window.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "eclipse/eclipse_type.h"
#include "gui/common/accessible_names.h"
#include "gui/common/error_texts.h"
#include "gui/common/qt_translations.h"
#include "gui/common/window_geometry.h"
#include "gui/lists/list_table_model.h"
#include "places/city_file.h"
#include "text/text_table.h"
#include "ui_city_list_controls.h"

namespace varomintel {

namespace {
const PlaceFields kListWindow = {param::kListTop, param::kListLeft, param::kListHeight, param::kListWidth,
                                  param::kListState};
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

CityListWindow::CityListWindow(QWidget* parent)
    : ListWindow(parent, QSize(928, 566), 100, "Varomintel_CityList.txt", CityListColumns(), "CityList"),
      ui_(std::make_unique<Ui::CityListControls>()) {
  setObjectName("Form_CityList");
  ui_->setupUi(Content());
  Label1 = ui_->Label1;
  ComboBox_Population = ui_->ComboBox_Population;
  QFont big = ComboBox_Population->font();
  big.setPixelSize(17);
  ComboBox_Population->setFont(big);
  Button_Start_CityList = ui_->Button_Start_CityList;
  AdoptExitButton(ui_->Button_Beenden);
  RichEdit_CityList = List();
  RichEdit_CityList->setObjectName("RichEdit_CityList");
  for (int i = 0; i < kPopulationItems; ++i) ComboBox_Population->addItem(QString());
  ComboBox_Population->setCurrentIndex(0);
  connect(Button_Start_CityList, &QPushButton::clicked, this, &CityListWindow::Button_Start_CityListClick);
  SetTabOrder({ComboBox_Population, Button_Start_CityList, Button_Beenden});
  ApplyLanguage(WindowLanguage());
}

// The worker writes outcome_: it must end before the window's members go.
CityListWindow::~CityListWindow() { AbandonRun(); }

void CityListWindow::ApplyLanguage(std::uint8_t languageIndex) {
  const std::uint8_t l = languageIndex <= kSpanish ? languageIndex : kGerman;
  ui_->retranslateUi(Content());
  ApplyCommonLanguage();
  statusLanguage_ = l;
  if (!RunFailed()) SetStatusText(CountsStatus(l));
  for (int i = 0; i < kPopulationItems; ++i) ComboBox_Population->setItemText(i, Q(PopulationItemText(i, l)));
  // "1'000'000 Personnes" needs more than the design's 201 pixels; the label above stays
  // centred over the list, and the start button stays where it is (the form keeps 256
  // pixels for them).
  const int width = std::clamp(ComboBox_Population->sizeHint().width(), 201, 250);
  ComboBox_Population->setFixedWidth(width);
  Label1->setFixedWidth(width);
  FitControls();
  NameControlsForScreenReaders(this, l);
}

void CityListWindow::RestoreSettings(const ParameterRecord& p) {
  RestorePlace(*this, p, kListWindow);
  const int item = p.Int(param::kListPopulation);
  ComboBox_Population->setCurrentIndex(item >= 0 && item < kPopulationItems ? item : 0);
}

void CityListWindow::StoreSettings(ParameterRecord& p) const {
  StorePlace(*this, p, kListWindow);
  p.SetInt(param::kListPopulation, ComboBox_Population->currentIndex());
}

void CityListWindow::changeEvent(QEvent* event) {
  ListWindow::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) ApplyLanguage(WindowLanguage());
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !Running()) Button_Start_CityList->setFocus();
}

void CityListWindow::StartCityList() {
  if (Running()) return;
  const StartupData& v = Startup();
  const std::uint8_t lang = WindowLanguage();
  CityListInput input;
  input.eclipse = SelectedEclipse();  // a private copy: the user may select another eclipse meanwhile
  input.cityFile = CityFileName(v.ProgramDir, lang);
  input.populationItem = ComboBox_Population->currentIndex();
  input.deltaT = OwnDeltaT();
  cityFile_ = input.cityFile;
  listed_ = input.eclipse;
  listedDeltaT_ = input.deltaT;
  setWindowTitle(Caption());
  outcome_ = CityListOutcome{};
  runEnded_ = false;
  shownScanned_ = -1;
  shownFound_ = -1;
  statusLanguage_ = lang;
  std::error_code ec;
  const auto total = static_cast<long long>(std::filesystem::file_size(input.cityFile, ec));
  StartRun(
      Button_Start_CityList, CityListLegend(lang),
      [this, input, total = ec ? 0 : total](ListRun& run) {
        // The places are computed on every core; each block comes back in file order.
        CityListBlockCallbacks callbacks;
        // The table shows the saved records: the fixed-width line stays empty.
        callbacks.format = [](std::string& text, ContactClock& clock, const Place& place) {
          text += '\n';
          AppendCityListRecord(text, clock, place);
          text += '\n';
        };
        callbacks.onBlock = [&](std::string_view pairs, const CityListCounts& counts) {
          run.AddPairs(pairs);
          run.SetProgress(static_cast<long long>(counts.bytesRead), total);
          if (counts.statusSet && (counts.scanned != shownScanned_ || counts.found != shownFound_)) {
            shownScanned_ = counts.scanned;
            shownFound_ = counts.found;
            // In the window's language of the moment: a switch during the run counts too.
            run.SetStatus(CityListStatus(counts.scanned, counts.found, statusLanguage_));
          }
        };
        outcome_ = RunCityListBlocks(input, callbacks, run.StopFlag());
      },
      [this] { ReportRunEnd(); });
}

QString CityListWindow::CountsStatus(std::uint8_t languageIndex) const {
  const std::uint8_t l = languageIndex <= kSpanish ? languageIndex : kGerman;
  QString status;
  if (shownScanned_ >= 0) status = Q(CityListStatus(shownScanned_, shownFound_, l));
  if (runEnded_ && outcome_.unconverged > 0) {
    // As the command line warns: some contact times are those of a refinement that gave up.
    const QString note = tr("%1 place(s) with a contact whose refinement did not converge").arg(outcome_.unconverged);
    status = status.isEmpty() ? note : status + "  –  " + note;
  }
  return status;
}

QString CityListWindow::Caption() const {
  return Q(CityListCaption(CaptionPrefix(), listed_ ? *listed_ : SelectedEclipse(), WindowLanguage(),
                           listed_ ? listedDeltaT_ : OwnDeltaT()));
}

void CityListWindow::ReportRunEnd() {
  if (RunFailed()) return;  // the status bar says why; outcome_ was never written
  runEnded_ = true;
  SetStatusText(CountsStatus(WindowLanguage()));
  if (!outcome_.cityFileOpened) {
    // The reason: missing, a folder, or not a regular file (a FIFO is never read, it would block).
    CityFileFailure failure;
    failure.kind = CityFileFailure::Kind::ReadError;
    failure.systemError = outcome_.failure ? outcome_.failure->systemError : std::strerror(ENOENT);
    QMessageBox::warning(this, windowTitle(), CityFileErrorText(cityFile_, failure, WindowLanguage()));
  } else if (outcome_.failure) {
    QMessageBox::warning(this, windowTitle(),
                         CityFileErrorText(cityFile_, *outcome_.failure, WindowLanguage()));
  }
}

}  // namespace varomintel
