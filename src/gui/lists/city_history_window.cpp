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
#include <QTableView>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSettings>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <optional>

#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "app/version_info.h"
#include "astro/trig_func.h"
#include "gui/common/app_state_object.h"
#include "gui/common/accessible_names.h"
#include "gui/common/error_texts.h"
#include "gui/common/qt_translations.h"
#include "gui/common/save_dialog.h"
#include "gui/common/window_geometry.h"
#include "gui/lists/list_table_model.h"
#include "places/city_file.h"
#include "places/list_text.h"
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

// The years of the two lists, the quick choices of the typed years. The parameter file
// stores an index into these; the year that each list adds (this year, and 50 years on) is
// stored as kAddedYearItem, and so is a year typed that is none of them (its year is kept
// in our own settings file). The catalogue's first year (kFirstYear) stands first.
constexpr int kFromYears[] = {kFirstYear, -4000, -3000, -2000, -1000, 0, 1000, 1900, 1950, 2000, 3000, 4000, 5000, 6000};
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

// The year of a stored index (an index of the fixed years, or the added year, or the year
// typed when one is kept); the first year for anything else.
int YearOfStored(const int (&fixed)[kFixedYearItems], int added, std::optional<int> typed, int stored) {
  if (stored >= 0 && stored < kFixedYearItems) return fixed[stored];
  if (stored == kAddedYearItem) return typed.value_or(added);
  return fixed[0];
}

// The year typed in a list: a whole number, "+" allowed; empty for anything else.
std::optional<int> TypedYear(const QComboBox* box) {
  const auto year = ParseInteger(box->currentText().trimmed().toStdString());
  if (!year || *year < kFirstYear || *year > kLastYear) return std::nullopt;
  return static_cast<int>(*year);
}

// The stored index of the year in the list: its fixed item's, or kAddedYearItem.
int StoredOfYear(int year, const int (&fixed)[kFixedYearItems]) {
  const auto* at = std::find(std::begin(fixed), std::end(fixed), year);
  return at != std::end(fixed) ? static_cast<int>(at - std::begin(fixed)) : kAddedYearItem;
}

// Years typed into a list box: digits with a sign, at most four of them.
void MakeYearEntry(QComboBox* box) {
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setValidator(new QRegularExpressionValidator(QRegularExpression("[+-]?[0-9]{0,4}"), box));
}

// "Aesch" once in its country stays "Aesch"; a name that the country has more than once
// shows its coordinates: "Aesch (47°28'N 007°36'E)".
QStringList PlaceChoices(const CountryPlaces& places) {
  std::map<std::string, int> count;
  for (const Place& p : places) ++count[p.City];
  QStringList names;
  names.reserve(static_cast<qsizetype>(places.size()));
  for (const Place& p : places) {
    QString name = Q(p.City);
    if (count[p.City] > 1) name += Q(" (" + FormatLatitude(p.Latitude) + " " + FormatLongitude(p.Longitude) + ")");
    names << name;
  }
  return names;
}

// A caption on two lines, broken at the blank nearest its middle (a tall, narrow button).
QString OnTwoLines(QString text) {
  const int middle = static_cast<int>(text.size() / 2);
  int best = -1;
  for (int i = 0; i < text.size(); ++i)
    if (text[i] == ' ' && (best < 0 || std::abs(i - middle) < std::abs(best - middle))) best = i;
  if (best >= 0) text[best] = '\n';
  return text;
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
    : ListWindow(parent, QSize(1181, 468), 140, "Varomintel_CityHist.txt", CityHistColumns(), "CityHistory"),
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
  MakeYearEntry(ComboBox_von);
  MakeYearEntry(ComboBox_Bis);
  Button_Markierung = ui_->Button_Markierung;
  connect(Button_Markierung, &QPushButton::clicked, this, &CityHistoryWindow::TakeOverMarkedPlace);
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
  SetTabOrder({ComboBox_Land, ComboBox_Stadt, Button_Uebernehmen, Button_Markierung, Edit_Ort_Land, Edit_Ort_Stadt, Edit_Einwohner,
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
  Button_Markierung->setText(OnTwoLines(tr("Use the marked place")));
  Button_Markierung->setAccessibleName(tr("Use the marked place"));
  Button_Markierung->setMinimumWidth(std::max(100, Button_Markierung->sizeHint().width()));
  Button_Markierung->setToolTip(tr("The place marked on the map in the main window: its coordinates"));
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
  // A year typed that is none of the lists' is kept in our own settings file.
  QSettings typed(LayoutSettingsFile(), QSettings::IniFormat);
  const auto kept = [&](const char* key) -> std::optional<int> {
    bool ok = false;
    const int year = typed.value(QString("CityHistory/") + key).toInt(&ok);
    if (!chosen || !ok || year < kFirstYear || year > kLastYear) return std::nullopt;
    return year;
  };
  ComboBox_von->setEditText(YearItemText(YearOfStored(kFromYears, thisYear_, kept("typedFrom"), chosen ? from : kAddedYearItem)));
  ComboBox_Bis->setEditText(
      YearItemText(YearOfStored(kToYears, thisYear_ + kFirstUseYears, kept("typedTo"), chosen ? to : kAddedYearItem)));
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
  QSettings typed(LayoutSettingsFile(), QSettings::IniFormat);
  const auto store = [&](const QComboBox* box, const int (&fixed)[kFixedYearItems], int added, const char* key,
                         decltype(param::kHistFromItem) field) {
    const int year = TypedYear(box).value_or(added);
    p.SetInt(field, StoredOfYear(year, fixed));
    const QString name = QString("CityHistory/") + key;
    if (StoredOfYear(year, fixed) == kAddedYearItem && year != added) typed.setValue(name, year);
    else typed.remove(name);
  };
  store(ComboBox_von, kFromYears, thisYear_, "typedFrom", param::kHistFromItem);
  store(ComboBox_Bis, kToYears, thisYear_ + kFirstUseYears, "typedTo", param::kHistToItem);
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
  ComboBox_Stadt->addItems(PlaceChoices(CountryPlaces_));
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
  Edit_Ort_Stadt->setText(Q(p.City));  // without the coordinates that tell namesakes apart
  // The shortest decimal of up to 15 significant digits, point as separator.
  Edit_Breite->setText(Q(FormatSignificant(std::fabs(p.Latitude), 15)));
  CheckOnly(northSouth_, p.Latitude > 0 ? RadioButton_Nord : RadioButton_Sued);
  Edit_Laenge->setText(Q(FormatSignificant(std::fabs(p.Longitude), 15)));
  CheckOnly(eastWest_, p.Longitude > 0 ? RadioButton_Ost : RadioButton_West);
  Edit_Hoehe->setText("0");
  Edit_Einwohner->setText(QString::number(p.Population));
}

void CityHistoryWindow::TakeOverMarkedPlace() {
  const AppStateObject* state = FollowedState();
  if (!state) return;
  const GeoPoint place = state->State().MarkedPlace();
  Edit_Ort_Land->clear();
  Edit_Ort_Stadt->setText(tr("Marked place"));
  Edit_Breite->setText(Q(FormatSignificant(std::fabs(place.latitude), 15)));
  CheckOnly(northSouth_, place.latitude >= 0 ? RadioButton_Nord : RadioButton_Sued);
  Edit_Laenge->setText(Q(FormatSignificant(std::fabs(place.longitude), 15)));
  CheckOnly(eastWest_, place.longitude >= 0 ? RadioButton_Ost : RadioButton_West);
  Edit_Hoehe->setText("0");
  Edit_Einwohner->clear();
}

void CityHistoryWindow::ReportInput(int field) {
  // Names of the checked fields, and a message for a name with control characters.
  static const char* const kFields[5] = {
      QT_TR_NOOP("Latitude"),
      QT_TR_NOOP("Longitude"),
      QT_TR_NOOP("Height"),
      QT_TR_NOOP("Place/City"),
      QT_TR_NOOP("Year"),
  };
  QString text = tr(kFields[field]) + Q(Text(kRowNotValid, WindowLanguage()));
  // The heights a place on or above the Earth can have.
  if (field == 2) text += tr(": from %1 to %2 m").arg(kMinObserverHeightM).arg(kMaxObserverHeightM);
  if (field == 3) text += tr(": no tabs or line breaks");
  if (field == 4) text += tr(": from %1 to %2").arg(kFirstYear).arg(kLastYear);
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
  const std::optional<int> firstYear = TypedYear(ComboBox_von), lastYear = TypedYear(ComboBox_Bis);
  if (!firstYear) return ReportInput(4), ComboBox_von->setFocus(), false;
  if (!lastYear) return ReportInput(4), ComboBox_Bis->setFocus(), false;

  // Neither hemisphere button checked: south and east.
  if (!RadioButton_Nord->isChecked()) CheckOnly(northSouth_, RadioButton_Sued);
  if (!RadioButton_West->isChecked()) CheckOnly(eastWest_, RadioButton_Ost);
  CityHistInput input;
  input.catalogue = &Startup().TheCatalogue;
  input.name = name;
  input.latitude = (RadioButton_Nord->isChecked() ? *latitude : -*latitude) * DegToRad;
  input.westLongitude = (RadioButton_West->isChecked() ? *longitude : -*longitude) * DegToRad;
  input.height = *height;
  input.deltaT = OwnDeltaT();
  input.language = WindowLanguage();
  input.firstYear = *firstYear;
  input.lastYear = *lastYear;
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
        // The table shows the saved records: the fixed-width line stays empty.
        callbacks.format = [](std::string& text, const CityHistFound& found) {
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
