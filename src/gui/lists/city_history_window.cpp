#include "gui/lists/city_history_window.h"

#include <QButtonGroup>
#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "app/version_info.h"
#include "astro/trig_func.h"
#include "gui/common/accessible_names.h"
#include "gui/common/error_texts.h"
#include "gui/common/line_list_view.h"
#include "gui/common/qt_translations.h"
#include "gui/common/save_dialog.h"
#include "gui/common/window_geometry.h"
#include "places/city_file.h"
#include "places/local_sky.h"
#include "text/number_text.h"
#include "text/text_table.h"
#include "text/utf8_text.h"
#include "text/whole_file.h"
#include "ui_city_hist_controls.h"

namespace varomintel {

namespace {

const PlaceFields kHistWindow = {param::kHistTop, param::kHistLeft, param::kHistHeight, param::kHistWidth,
                                  param::kHistState};

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The years of the two lists. The parameter file stores an index into these; the year
// that each list adds (this year, and 50 years on) is stored as kAddedYearItem.
constexpr int kFromYears[] = {-5000, -4000, -3000, -2000, -1000, 0, 1000, 1900, 1950, 2000, 3000, 4000, 5000, 6000};
constexpr int kToYears[] = {-4000, -3000, -2000, -1000, 0, 1000, 2000, 2050, 2100, 3000, 4000, 5000, 6000, 7000};
constexpr int kFixedYearItems = 14;
constexpr int kAddedYearItem = kFixedYearItems;
// A first search without a stored choice runs from this year to so many years on.
constexpr int kFirstUseYears = 50;

// "+2026", "0", "-500": the lists' way of writing a year.
QString YearItemText(int year) { return year > 0 ? QStringLiteral("+%1").arg(year) : QString::number(year); }

// Fills `box` with the fixed years and `added` in order (once, when it is one of them).
void FillYears(QComboBox* box, const int (&fixed)[kFixedYearItems], int added) {
  std::vector<int> years(std::begin(fixed), std::end(fixed));
  if (std::find(years.begin(), years.end(), added) == years.end())
    years.insert(std::upper_bound(years.begin(), years.end(), added), added);
  for (const int y : years) box->addItem(YearItemText(y), y);
}

// The list's item of a stored index (an index of the fixed years, or the added year); the
// first item for anything else.
int ItemOfStored(const QComboBox* box, const int (&fixed)[kFixedYearItems], int added, int stored) {
  const int year = stored >= 0 && stored < kFixedYearItems ? fixed[stored] : stored == kAddedYearItem ? added : fixed[0];
  return std::max(0, box->findData(year));
}

// The stored index of the list's current item.
int StoredOfItem(const QComboBox* box, const int (&fixed)[kFixedYearItems]) {
  const int year = box->currentData().toInt();
  const auto* at = std::find(std::begin(fixed), std::end(fixed), year);
  return at != std::end(fixed) ? static_cast<int>(at - std::begin(fixed)) : kAddedYearItem;
}

// Text-table rows of the window.
constexpr int kRowNotValid = 52;      // " ist kein gültiger Wert"
constexpr int kRowSearchYears = 53;   // "Suche zwischen den Jahren"
constexpr int kRowAnd = 54;           // "und"
constexpr int kRowNorth = 48, kRowSouth = 49, kRowEast = 50, kRowWest = 51;

// Checks exactly `on` of the pair (none when null); a button group cannot uncheck its last
// button otherwise.
void CheckOnly(QButtonGroup* group, QRadioButton* on) {
  group->setExclusive(false);
  for (QAbstractButton* b : group->buttons()) b->setChecked(b == on);
  group->setExclusive(true);
}

}  // namespace

CityHistoryWindow::CityHistoryWindow(QWidget* parent)
    : ListWindow(parent, QSize(1181, 468), 140, "Varomintel_CityHist.txt"),
      ui_(std::make_unique<Ui::CityHistControls>()) {
  setObjectName("Form_CityHist");
  Kalender1 = new QAction(this);
  Kalender1->setObjectName("Kalender1");
  Kalender1->setEnabled(false);
  Liste1->insertAction(N1, Kalender1);
  connect(Kalender1, &QAction::triggered, this, &CityHistoryWindow::Kalender1Click);
  ui_->setupUi(Content());
  Label1 = ui_->Label1;
  Label2 = ui_->Label2;
  Label3 = ui_->Label3;
  Label4 = ui_->Label4;
  Label6 = ui_->Label6;
  Label7 = ui_->Label7;
  Label8 = ui_->Label8;
  Label9 = ui_->Label9;
  Label10 = ui_->Label10;
  Label11 = ui_->Label11;
  ComboBox_Land = ui_->ComboBox_Land;
  ComboBox_Stadt = ui_->ComboBox_Stadt;
  Button_Uebernehmen = ui_->Button_Uebernehmen;
  Edit_Ort_Land = ui_->Edit_Ort_Land;
  Edit_Ort_Stadt = ui_->Edit_Ort_Stadt;
  Edit_Breite = ui_->Edit_Breite;
  RadioButton_Nord = ui_->RadioButton_Nord;
  RadioButton_Sued = ui_->RadioButton_Sued;
  Edit_Laenge = ui_->Edit_Laenge;
  RadioButton_Ost = ui_->RadioButton_Ost;
  RadioButton_West = ui_->RadioButton_West;
  Edit_Hoehe = ui_->Edit_Hoehe;
  Edit_Einwohner = ui_->Edit_Einwohner;
  ComboBox_von = ui_->ComboBox_von;
  ComboBox_Bis = ui_->ComboBox_Bis;
  Button_Start_CityHist = ui_->Button_Start_CityHist;
  AdoptExitButton(ui_->Button_Beenden);
  northSouth_ = new QButtonGroup(this);
  northSouth_->addButton(RadioButton_Nord);
  northSouth_->addButton(RadioButton_Sued);
  eastWest_ = new QButtonGroup(this);
  eastWest_->addButton(RadioButton_Ost);
  eastWest_->addButton(RadioButton_West);
  thisYear_ = QDate::currentDate().year();
  FillYears(ComboBox_von, kFromYears, thisYear_);
  FillYears(ComboBox_Bis, kToYears, thisYear_ + kFirstUseYears);
  RichEdit_CityHist = List();
  RichEdit_CityHist->setObjectName("RichEdit_CityHist");

  // The design's inputs (the texts are the form's), until the parameter record's replace them.
  RadioButton_Nord->setChecked(true);
  RadioButton_Ost->setChecked(true);

  connect(ComboBox_Land, &QComboBox::activated, this, &CityHistoryWindow::ComboBox_LandClick);
  connect(Button_Uebernehmen, &QPushButton::clicked, this, &CityHistoryWindow::Button_UebernehmenClick);
  connect(Button_Start_CityHist, &QPushButton::clicked, this, &CityHistoryWindow::Button_Start_CityHistClick);
  // The form's groups in order: a place from the city file and its take-over, the place
  // it fills (name, latitude, longitude, height), the years, then start and exit.
  SetTabOrder({ComboBox_Land, ComboBox_Stadt, Button_Uebernehmen, Edit_Ort_Land, Edit_Ort_Stadt, Edit_Einwohner,
               Edit_Breite, RadioButton_Nord, RadioButton_Sued, Edit_Laenge, RadioButton_Ost, RadioButton_West,
               Edit_Hoehe, ComboBox_von, ComboBox_Bis, Button_Start_CityHist, Button_Beenden});
  ApplyLanguage(WindowLanguage());
}

// The worker writes outcome_: it must end before the window's members go.
CityHistoryWindow::~CityHistoryWindow() { AbandonRun(); }

void CityHistoryWindow::ApplyLanguage(std::uint8_t languageIndex) {
  const std::uint8_t l = languageIndex <= kSpanish ? languageIndex : kGerman;
  ui_->retranslateUi(Content());
  ApplyCommonLanguage();
  Kalender1->setText(tr("Save as calendar …"));
  Label6->setText(Q(Text(kRowSearchYears, l)));
  Label7->setText(Q(Text(kRowAnd, l)));
  RadioButton_Nord->setText(Q(Text(kRowNorth, l)));
  RadioButton_Sued->setText(Q(Text(kRowSouth, l)));
  RadioButton_Ost->setText(Q(Text(kRowEast, l)));
  RadioButton_West->setText(Q(Text(kRowWest, l)));
  Label5->setText(Q(CityHistHeader(l)));
  if (!RunFailed() && endShown_ != EndShown::Nothing) SetStatusText(EndStatus(l));
  FitControls();
  NameControlsForScreenReaders(this, l);
}

void CityHistoryWindow::RestoreSettings(const ParameterRecord& p) {
  RestorePlace(*this, p, kHistWindow);
  const int from = p.Int(param::kHistFromItem), to = p.Int(param::kHistToItem);
  // A new parameter file (and one written before anything was chosen) holds no hemisphere
  // and the first item of both lists: a first search then looks at the northern and
  // eastern hemispheres from this year to 50 years on, not at the south around -4000.
  const bool chosen = p.Flag(param::kHistNorth) || p.Flag(param::kHistSouth) || p.Flag(param::kHistWest) ||
                      p.Flag(param::kHistEast) || from != 0 || to != 0;
  Edit_Ort_Stadt->setText(Q(p.ShortString(param::kHistPlace)));
  Edit_Breite->setText(Q(p.ShortString(param::kHistLatitude)));
  CheckOnly(northSouth_, p.Flag(param::kHistNorth) || !chosen ? RadioButton_Nord
                         : p.Flag(param::kHistSouth)             ? RadioButton_Sued
                                                                 : nullptr);
  Edit_Laenge->setText(Q(p.ShortString(param::kHistLongitude)));
  CheckOnly(eastWest_, p.Flag(param::kHistWest)           ? RadioButton_West
                       : p.Flag(param::kHistEast) || !chosen ? RadioButton_Ost
                                                             : nullptr);
  Edit_Hoehe->setText(Q(p.ShortString(param::kHistHeightText)));
  ComboBox_von->setCurrentIndex(ItemOfStored(ComboBox_von, kFromYears, thisYear_, chosen ? from : kAddedYearItem));
  ComboBox_Bis->setCurrentIndex(
      ItemOfStored(ComboBox_Bis, kToYears, thisYear_ + kFirstUseYears, chosen ? to : kAddedYearItem));
}

void CityHistoryWindow::StoreSettings(ParameterRecord& p) const {
  StorePlace(*this, p, kHistWindow);
  p.SetShortString(param::kHistPlace, Edit_Ort_Stadt->text().toStdString());
  p.SetShortString(param::kHistLatitude, Edit_Breite->text().toStdString());
  p.SetFlag(param::kHistNorth, RadioButton_Nord->isChecked());
  p.SetFlag(param::kHistSouth, RadioButton_Sued->isChecked());
  p.SetShortString(param::kHistLongitude, Edit_Laenge->text().toStdString());
  p.SetFlag(param::kHistWest, RadioButton_West->isChecked());
  p.SetFlag(param::kHistEast, RadioButton_Ost->isChecked());
  p.SetShortString(param::kHistHeightText, Edit_Hoehe->text().toStdString());
  p.SetInt(param::kHistFromItem, StoredOfItem(ComboBox_von, kFromYears));
  p.SetInt(param::kHistToItem, StoredOfItem(ComboBox_Bis, kToYears));
}

void CityHistoryWindow::changeEvent(QEvent* event) {
  ListWindow::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) ApplyLanguage(WindowLanguage());
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    FillCountries();
    if (!Running()) Button_Start_CityHist->setFocus();
  }
}

void CityHistoryWindow::FillCountries() {
  const std::string file = CityFileName(Startup().ProgramDir, WindowLanguage());
  // Read again only when the language chose another file: reading it at every activation
  // would also throw the user's choice away.
  if (file == countriesOf_) return;
  countriesOf_ = file;
  ComboBox_Land->clear();
  ComboBox_Stadt->clear();
  CountryPlaces_.clear();
  std::optional<CityFileFailure> failure;
  for (const std::string& country : ReadCountries(file, &failure)) ComboBox_Land->addItem(Q(country));
  ComboBox_Land->setCurrentIndex(-1);
  // A missing file leaves the list empty without a word; something else in its place (a
  // folder, a FIFO, a device) is named.
  if (failure && !failure->fileMissing)
    QMessageBox::warning(this, windowTitle(), CityFileErrorText(file, *failure, WindowLanguage()));
}

void CityHistoryWindow::FillPlaces() {
  ComboBox_Stadt->clear();
  const std::string country = ComboBox_Land->currentText().toStdString();
  CountryPlacesRead read = ReadCountryPlaces(CityFileName(Startup().ProgramDir, WindowLanguage()), country);
  CountryPlaces_ = std::move(read.places);
  QStringList names;
  names.reserve(static_cast<qsizetype>(CountryPlaces_.size()));
  for (const Place& p : CountryPlaces_) names << Q(p.City);
  ComboBox_Stadt->addItems(names);
  if (read.failure)
    QMessageBox::warning(this, windowTitle(),
                         CityFileErrorText(CityFileName(Startup().ProgramDir, WindowLanguage()), *read.failure,
                                           WindowLanguage()));
}

void CityHistoryWindow::TakeOverPlace() {
  const int i = ComboBox_Stadt->currentIndex();
  if (i < 0 || i >= static_cast<int>(CountryPlaces_.size())) return;  // nothing chosen
  const Place& p = CountryPlaces_[static_cast<std::size_t>(i)];
  Edit_Ort_Land->setText(ComboBox_Land->currentText());
  Edit_Ort_Stadt->setText(ComboBox_Stadt->currentText());
  // The shortest decimal of up to 15 significant digits, point as separator.
  Edit_Breite->setText(Q(FormatSignificant(std::fabs(p.Latitude), 15)));
  CheckOnly(northSouth_, p.Latitude > 0 ? RadioButton_Nord : RadioButton_Sued);
  Edit_Laenge->setText(Q(FormatSignificant(std::fabs(p.Longitude), 15)));
  CheckOnly(eastWest_, p.Longitude > 0 ? RadioButton_Ost : RadioButton_West);
  Edit_Hoehe->setText("0");
  Edit_Einwohner->setText(QString::number(p.Population));
}

void CityHistoryWindow::ReportInput(int field) {
  // Names of the checked fields, and a message for a name with control characters.
  static const char* const kFields[4] = {
      QT_TR_NOOP("Latitude"),
      QT_TR_NOOP("Longitude"),
      QT_TR_NOOP("Height"),
      QT_TR_NOOP("Place/City"),
  };
  QString text = tr(kFields[field]) + Q(Text(kRowNotValid, WindowLanguage()));
  // The heights a place on or above the Earth can have.
  if (field == 2) text += tr(": from %1 to %2 m").arg(kMinObserverHeightM).arg(kMaxObserverHeightM);
  if (field == 3) text += tr(": no tabs or line breaks");
  QMessageBox::warning(this, QString(), text);
}

bool CityHistoryWindow::StartCityHist() {
  if (Running()) return false;
  Button_Beenden->setFocus();
  endShown_ = EndShown::Nothing;
  SetStatusText(QString());
  // The inputs, in this order; the first wrong one is named and nothing else happens.
  const auto latitude = ParseReal(Edit_Breite->text().toStdString());
  if (!latitude || std::fabs(*latitude) > 90) return ReportInput(0), false;
  const auto longitude = ParseReal(Edit_Laenge->text().toStdString());
  if (!longitude || std::fabs(*longitude) > 180) return ReportInput(1), false;
  const auto height = ParseReal(Edit_Hoehe->text().toStdString());
  if (!height || !IsObserverHeight(*height)) return ReportInput(2), false;
  const std::string name = Edit_Ort_Stadt->text().toStdString();
  if (ContainsControlCharacter(name)) return ReportInput(3), false;

  // Neither hemisphere button checked: south and east.
  if (!RadioButton_Nord->isChecked()) CheckOnly(northSouth_, RadioButton_Sued);
  if (!RadioButton_West->isChecked()) CheckOnly(eastWest_, RadioButton_Ost);
  CityHistInput input;
  input.catalogue = &Startup().TheCatalogue;
  input.name = name;
  input.latitude = (RadioButton_Nord->isChecked() ? *latitude : -*latitude) * DegToRad;
  input.westLongitude = (RadioButton_West->isChecked() ? *longitude : -*longitude) * DegToRad;
  input.height = *height;
  input.firstYear = static_cast<int>(ParseInteger(ComboBox_von->currentText().toStdString()).value_or(-5000));
  input.lastYear = static_cast<int>(ParseInteger(ComboBox_Bis->currentText().toStdString()).value_or(7000));
  const long long total = Startup().TheCatalogue.Count();
  calendar_.clear();
  outcome_ = CityHistOutcome{};
  Kalender1->setEnabled(false);
  calendarPlace_ = CalendarPlace{name, input.latitude * RadToDeg, -input.westLongitude * RadToDeg, input.height};
  StartRun(
      Button_Start_CityHist, CityHistLegend(WindowLanguage()),
      [this, input, total](ListRun& run) {
        // The eclipses are computed on every core; each block comes back in catalogue order.
        CityHistBlockCallbacks callbacks;
        callbacks.keepSeen = true;
        callbacks.format = [](std::string& text, const CityHistFound& found) {
          AppendCityHistLine(text, found.clock, found.place);
          text += '\n';
          AppendCityHistRecord(text, found.clock, found.place);
          text += '\n';
        };
        callbacks.onBlock = [&](std::string_view pairs, const std::vector<CityHistSeen>& seen, const std::string& status,
                                const CityHistOutcome& sofar) {
          run.AddPairs(pairs);
          for (const CityHistSeen& s : seen)
            calendar_.push_back(CalendarEclipse{s.index, input.catalogue->At(s.index), s.deltaT, s.place, s.listed});
          if (!status.empty()) run.SetStatus(status);
          run.SetProgress(sofar.visited, total);
        };
        outcome_ = RunCityHistBlocks(input, callbacks, run.StopFlag());
        run.SetProgress(outcome_.visited, total);
      },
      [this] {
        // The eclipses found stay usable also after a run that ended on an error.
        Kalender1->setEnabled(!calendar_.empty());
        if (RunFailed()) return;  // the status bar says why
        endShown_ = EndShown::RunEnd;
        SetStatusText(EndStatus(WindowLanguage()));
      });
  return true;
}

bool CityHistoryWindow::SaveCalendarTo(const QString& path) {
  const std::uint8_t l = WindowLanguage();
  const CalendarFile file = CityHistCalendar(calendar_, calendarPlace_, l, CalendarProductId(), CurrentDtStamp());
  std::string error;
  if (!WriteWholeFile(path.toStdString(), file.text, &error)) {
    QMessageBox::warning(this, windowTitle(), WriteErrorText(error, l));
    return false;
  }
  savedCounts_ = CalendarFile{{}, file.events, file.omitted, file.unseen, file.added};
  endShown_ = EndShown::CalendarSaved;
  SetStatusText(EndStatus(l));
  return true;
}

QString CityHistoryWindow::EndStatus(std::uint8_t languageIndex) const {
  if (endShown_ == EndShown::RunEnd) {
    QString status = QString::fromStdString(CityHistDone(languageIndex));
    if (outcome_.unconverged > 0) {
      // As the command line warns: some contact times are those of a refinement that gave up.
      status += "  –  " + tr("%1 eclipse(s) with a contact whose refinement did not converge").arg(outcome_.unconverged);
    }
    return status;
  }
  if (endShown_ != EndShown::CalendarSaved) return QString();
  const CalendarFile& file = savedCounts_;
  QString status = (file.events == 1 ? tr("Calendar saved: %1 eclipse") : tr("Calendar saved: %1 eclipses")).arg(file.events);
  // Eclipses off the list (the shadow axis below the horizon at every contact) whose Moon is up.
  if (file.added > 0) status += tr("; %1 of them not on the list (shadow axis below the horizon, the Moon up)").arg(file.added);
  if (file.omitted > 0) status += tr("; %1 before the year 1 or after 9999 left out (iCalendar cannot hold them)").arg(file.omitted);
  // The list's eclipses whose shadow axis is up while the Moon itself stays below the horizon.
  if (file.unseen > 0) status += tr("; %1 left out with the Moon below the horizon throughout").arg(file.unseen);
  return status;
}

void CityHistoryWindow::Kalender1Click() {
  const QString path = AskSaveFileName(this, Kalender1->text(), "Varomintel_CityHist.ics", "iCalendar (*.ics)", "ics");
  if (!path.isEmpty()) SaveCalendarTo(path);
}

}  // namespace varomintel
