#include "gui/main/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "app/elements_table.h"
#include "app/observer_view.h"
#include "app/parameter_file.h"
#include "app/time_slider.h"
#include "app/varomintel_variables.h"
#include "eclipse/selection.h"
#include "gui/common/about_panel.h"
#include "gui/common/accessible_names.h"
#include "gui/common/qt_translations.h"
#include "gui/common/window_geometry.h"
#include "gui/lists/city_history_window.h"
#include "gui/lists/city_list_window.h"
#include "gui/main/checked_pictures.h"
#include "gui/main/diagram_panel.h"
#include "gui/main/diagram_view.h"
#include "gui/main/map_panel.h"
#include "gui/main/picture_column_layout.h"
#include "gui/main/picture_menus.h"
#include "gui/main/selection_panel.h"
#include "render/shadow_diagram.h"
#include "render/world_map.h"
#include "text/number_text.h"
#include "text/text_table.h"
#include "ui_main_window.h"

namespace varomintel {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>()) {
  // The forms of this window and of the list windows after it are built in the stored
  // language: its catalogues first.
  const std::uint8_t storedLanguage = Vars().Parameters.Byte(param::kLanguage);
  InstallTranslations(storedLanguage <= kSpanish ? storedLanguage : kGerman);
  ui_->setupUi(this);
  VaromintelVariables& v = Vars();
  selectionPanel_ = ui_->SelectionPanel;
  diagramPanel_ = ui_->DiagramPanel;
  mapPanel_ = ui_->MapPanel;
  pictureColumn_ = new PictureColumnLayout(ui_->PictureColumn, diagramPanel_, mapPanel_);
  aboutPanel_ = new AboutPanel(ui_->Client);
  ConnectMenus();
  ConnectPanels();
  ConnectPictureMenus();
  SetReadingTabOrder();

  mapPictures_ = LoadCheckedMapPictures(MapPictureFolder(v.ProgramDir), refusedPictures_);
  moonPictures_ = LoadCheckedMoonPictures("", refusedPictures_);  // by bare file name: the current directory

  // Stored settings, in the order of the parameter record's readers.
  const ParameterRecord& p = v.Parameters;
  const double storedZone = p.Double(param::kTimeZone);
  v.TimeZoneOffset = std::isfinite(storedZone) ? ClampTimeZone(storedZone) : 0.0;
  PlaceOnScreen();
  v.LanguageIndex = ValidLanguageIndex(p.Byte(param::kLanguage));
  v.Parameters.SetInt(param::kReserved27, 0);
  selectionPanel_->SetEclipseCount(v.TheCatalogue.Count());
  selectionPanel_->SetUniversalTime(p.Flag(param::kUniversalTime));
  selectionPanel_->SetEclipseIndex(std::clamp(p.Int(param::kEclipse), 1, std::max(1, v.TheCatalogue.Count())));
  mapPanel_->ApplySettings(p);
  mapPanel_->Retranslate(v.LanguageIndex);
  diagramPanel_->Retranslate(v.LanguageIndex);
  ReportRefusedPictures();
}

void MainWindow::ConnectPictureMenus() {
  const auto language = [] { return ValidLanguageIndex(Vars().LanguageIndex); };
  const auto baseName = [this] {
    if (!view_.HasSelection()) return QStringLiteral("eclipse");
    const EclipseRecord& r = view_.Selection().record;
    return QString::asprintf("eclipse-%d-%02d-%02d", r.Year, r.Month, r.Day);
  };
  auto* shownDiagram = diagramPanel_->findChild<DiagramView*>("DiagramImages");
  // The video's frames come from a copy of the view model, so that the window's slider
  // and diagram stay where they are while it is written.
  struct Animation {
    EclipseView view;
    std::vector<int> positions;
  };
  auto animation = std::make_shared<Animation>();
  DiagramMenuSource source;
  source.language = language;
  source.baseName = baseName;
  source.shown = [shownDiagram] { return shownDiagram->ShownImage(); };
  source.drawAtScale = [this](double scale) {
    return view_.HasSelection() ? varomintel::DrawShadowDiagram(DiagramSceneOf(view_), moonPictures_, scale)
                                : QImage();
  };
  source.frameCount = [this, animation](int step, bool whole) {
    animation->view = view_;
    animation->positions = view_.HasSelection() ? AnimationPositions(view_.Selection().circumstances, step, whole)
                                                : std::vector<int>{};
    return static_cast<int>(animation->positions.size());
  };
  source.drawFrame = [this, animation](int i, double scale) {
    if (animation->positions.empty()) return NewDiagramImage();
    animation->view.SetSliderPosition(animation->positions[static_cast<std::size_t>(i)]);
    return varomintel::DrawShadowDiagram(DiagramSceneOf(animation->view), moonPictures_, scale);
  };
  // On the panels, so that the menu key opens them from the control that has the focus
  // (the time slider, a play button, the map's choices) as a right click does anywhere on
  // the panel; the slider passes its context menu on to the panel.
  if (auto* slider = diagramPanel_->findChild<QWidget*>("ScrollBar_Time")) slider->setContextMenuPolicy(Qt::NoContextMenu);
  AttachDiagramMenu(diagramPanel_, source);
  AttachMapMenu(mapPanel_, language, [this] { return mapPanel_->ShownMap(); },
                baseName);
  AttachReportMenu(findChild<QTextEdit*>("RE_Table"), language);
}

void MainWindow::ReportRefusedPictures() {
  if (refusedPictures_.empty()) return;
  QString text = tr("Picture replaced: %1").arg(Q(refusedPictures_.front()));
  if (refusedPictures_.size() > 1) text += tr(" (and %1 more)").arg(refusedPictures_.size() - 1);
  statusBar()->showMessage(text);
}

// The panels outlive the window's members while QWidget's destructor hides them (an entry
// losing the focus reports its editing finished): nothing reaches the window then.
MainWindow::~MainWindow() {
  for (QObject* panel : std::initializer_list<QObject*>{selectionPanel_, diagramPanel_, mapPanel_}) panel->disconnect(this);
}

// Tab visits the controls as the window reads: the selection column from top to bottom,
// then the time slider and the play buttons under the diagram, then the map's controls,
// each row of the point of interest from left to right and its marker's check box last.
// Hidden controls (the time zone in terrestrial time) are passed over.
void MainWindow::SetReadingTabOrder() {
  static const char* const kReadingOrder[] = {
      "Edit_Jahr",          "ScrollBar_Eclipse",    "Saros_Edit",           "UpDown1_Prev",
      "UpDown1_Next",       "UpDown3_Prev",         "UpDown3_Next",         "CheckBox_ET_UT",
      "Edit_TZone",         "TabBar_Bericht",       "RE_Table",             "RE_Ort",               "ScrollBar_Time",       "Button_FastReverse",
      "Button_Reverse",     "Button_Stop",          "Button_Play",          "Button_FastPlay",
      "ComboBox_Globus",    "CheckBox_Gradnetz",    "Edit_PoI_Breite",      "RadioButton_PoI_Nord",
      "RadioButton_PoI_Sued", "Edit_PoI_Laenge",    "RadioButton_PoI_Ost",  "RadioButton_PoI_West",
      "CheckBox_PoI"};
  QWidget* previous = nullptr;
  for (const char* name : kReadingOrder) {
    auto* control = findChild<QWidget*>(QString::fromUtf8(name));
    if (!control) continue;
    if (previous) setTabOrder(previous, control);
    previous = control;
  }
}

void MainWindow::ConnectMenus() {
  ui_->Exit1->setShortcut(QKeySequence::Quit);
  ui_->Hilfe2->setShortcut(QKeySequence::HelpContents);
  auto* languages = new QActionGroup(this);
  languages->setExclusive(true);
  for (QAction* a : {ui_->Opt_Deutsch, ui_->Opt_English, ui_->Opt_Francais, ui_->Opt_Espanol}) {
    a->setCheckable(true);
    languages->addAction(a);
  }
  ui_->Opt_Deutsch->setChecked(true);
  connect(ui_->Exit1, &QAction::triggered, this, &MainWindow::ExitInOrder);
  connect(ui_->Sichtbarkeit, &QAction::triggered, this, [this] {
    if (cityList_) cityList_->ShowWithList();
  });
  connect(ui_->CityHist, &QAction::triggered, this, [this] {
    if (cityHist_) cityHist_->ShowWithList();
  });
  connect(ui_->Opt_Deutsch, &QAction::triggered, this, [this] { SwitchLanguage(kGerman); });
  connect(ui_->Opt_English, &QAction::triggered, this, [this] { SwitchLanguage(kEnglish); });
  connect(ui_->Opt_Francais, &QAction::triggered, this, [this] { SwitchLanguage(kFrench); });
  connect(ui_->Opt_Espanol, &QAction::triggered, this, [this] { SwitchLanguage(kSpanish); });
  connect(ui_->Hilfe2, &QAction::triggered, this, &MainWindow::OpenHelp);
  connect(ui_->Version1, &QAction::triggered, this, &MainWindow::ShowAbout);
}

void MainWindow::ConnectPanels() {
  connect(selectionPanel_, &SelectionPanel::eclipseIndexChanged, this, &MainWindow::SelectEclipse);
  connect(selectionPanel_, &SelectionPanel::yearEntered, this, &MainWindow::SelectByYear);
  connect(selectionPanel_, &SelectionPanel::sarosEntered, this, &MainWindow::SelectBySaros);
  connect(selectionPanel_, &SelectionPanel::sarosStepped, this, &MainWindow::StepSaros);
  connect(selectionPanel_, &SelectionPanel::timeScaleClicked, this, &MainWindow::SwitchTimeScale);
  connect(selectionPanel_, &SelectionPanel::timeZoneEntered, this, &MainWindow::ApplyTimeZoneEntry);
  connect(diagramPanel_, &DiagramPanel::sliderMoved, this, &MainWindow::RefreshTimeDependent);
  redrawTimer_ = new QTimer(this);
  redrawTimer_->setSingleShot(true);
  redrawTimer_->setInterval(kRedrawDelayMilliseconds);
  connect(redrawTimer_, &QTimer::timeout, this, [this] {
    DrawShadowDiagram();
    DrawWorldMap();
  });
  const auto redrawLater = [this] { redrawTimer_->start(); };
  connect(diagramPanel_, &DiagramPanel::pictureSizeChanged, this, redrawLater);
  connect(mapPanel_, &MapPanel::pictureSizeChanged, this, redrawLater);
  connect(mapPanel_, &MapPanel::mapChoiceChanged, this, &MainWindow::DrawWorldMap);
  connect(mapPanel_, &MapPanel::graticuleToggled, this, &MainWindow::DrawWorldMap);
  connect(mapPanel_, &MapPanel::markerToggled, this, [this] {
    DrawWorldMap();
    ShowPlace();
    ShowPlaceNow();
  });
  // A new point of interest selects the eclipse again, which draws the map with it.
  connect(mapPanel_, &MapPanel::pointOfInterestChanged, this, &MainWindow::SelectEclipse);
}

// The design size where the screen's available area allows, that area otherwise; the
// stored position, moved as little as needed to keep the window on the screen (another
// monitor, another resolution).
void MainWindow::PlaceOnScreen() {
  const ParameterRecord& p = Vars().Parameters;
  QRect area(0, 0, 1920, 1080);
  if (const QScreen* s = QGuiApplication::primaryScreen()) area = s->availableGeometry();
  // The frame around the inner area: the menu and status bars, and the window manager's
  // title bar and borders, which the window knows only once shown (an estimate until then).
  constexpr int kTitleBar = 30, kBorder = 2;
  const QSize bars(0, ui_->MenuBar->sizeHint().height() + ui_->StatusBar->sizeHint().height());
  const QSize design = kDesignClientSize + bars;
  const QSize size(std::min(design.width(), area.width() - 2 * kBorder),
                   std::min(design.height(), area.height() - kTitleBar - kBorder));
  resize(size);
  const int top = std::clamp(p.Int(param::kMainTop), area.top(), std::max(area.top(), area.bottom() - size.height() - kTitleBar));
  const int left = std::clamp(p.Int(param::kMainLeft), area.left(), std::max(area.left(), area.right() - size.width()));
  move(left, top);
  if (p.Byte(param::kMainState) == 2) setWindowState(Qt::WindowMaximized);
}

double MainWindow::PictureScale() const { return pictureColumn_->Scale(); }
bool MainWindow::PicturesPending() const { return redrawTimer_->isActive(); }

void MainWindow::SelectEclipse() {
  VaromintelVariables& v = Vars();
  const int index = selectionPanel_->EclipseIndex();
  if (!v.TheCatalogue.Contains(index)) return;  // never a zero record
  v.CurrentIndex = index;
  view_.SetTimeSettings(CurrentTimeSettings());
  view_.Select(v.TheCatalogue, index);
  v.CurrentEclipse = view_.Selection().record;  // the city list's eclipse
  selectionPanel_->ShowYear(view_.Selection().record.Year);
  selectionPanel_->ShowSaros(view_.Selection().record.Saros);
  DrawWorldMap();
  ShowSelection();
  ShowGreatestEclipse();
}

TimeSettings MainWindow::CurrentTimeSettings() const {
  const VaromintelVariables& v = Vars();
  TimeSettings t;
  t.universalTime = selectionPanel_->UniversalTime();
  t.timeZone = v.TimeZoneOffset;
  t.timeZoneText = selectionPanel_->TimeZoneEntry().toStdString();
  t.language = v.LanguageIndex;
  return t;
}

void MainWindow::ShowSelection() {
  const SelectedEclipse& s = view_.Selection();
  selectionPanel_->ShowSelection(s.sarosCaption, s.deltaTCaption, s.report, view_.Settings().language);
  ShowPlace();
}

void MainWindow::ShowPlace() {
  if (!view_.HasSelection()) return;
  selectionPanel_->ShowPlaceTable(ObserverTableOf(view_.Selection(), view_.Settings(), mapPanel_->PointOfInterest()));
}

void MainWindow::ShowPlaceNow() {
  if (!view_.HasSelection()) return;
  selectionPanel_->ShowPlaceNow(
      ObserverNowOf(view_.Selection(), view_.Settings(), mapPanel_->PointOfInterest(), view_.Now().t));
}

void MainWindow::MoveTo(int index) {
  if (index == selectionPanel_->EclipseIndex()) return;
  selectionPanel_->SetEclipseIndex(index);
  SelectEclipse();
}

void MainWindow::AttachListWindows(CityHistoryWindow* cityHist, CityListWindow* cityList) {
  cityHist_ = cityHist;
  cityList_ = cityList;
}

void MainWindow::SelectByYear(const QString& entry) {
  const std::optional<YearSearch> found = FindByYear(Vars().TheCatalogue, entry.toStdString());
  if (!found) return;  // not an integer: ignored
  selectionPanel_->ShowYear(found->year);
  MoveTo(found->index);
}

void MainWindow::SelectBySaros(const QString& entry) {
  const SarosSearch found = FindBySaros(Vars().TheCatalogue, entry.toStdString());
  selectionPanel_->ShowSaros(found.saros);
  if (found.index != 0) MoveTo(found.index);
}

void MainWindow::StepSaros(int direction, int steps) {
  if (const auto i = StepInSaros(Vars().TheCatalogue, Vars().CurrentIndex, direction, steps)) MoveTo(*i);
}

void MainWindow::SwitchTimeScale() {
  view_.SetTimeSettings(CurrentTimeSettings());  // the circumstances stay
  if (!view_.HasSelection()) return;  // nothing selected yet
  ShowSelection();
  RefreshTimeDependent();
}

void MainWindow::ApplyTimeZoneEntry() {
  VaromintelVariables& v = Vars();
  const std::optional<double> entered = ParseReal(selectionPanel_->TimeZoneEntry().toStdString());
  if (!entered) return;  // not a number: no clamping, no refresh, the zone stays
  v.TimeZoneOffset = ClampTimeZone(*entered);
  selectionPanel_->ShowTimeZone(Q(FormatTimeZone(v.TimeZoneOffset)));
  if (v.TimeZoneOffset != appliedTimeZone_) SelectEclipse();
  appliedTimeZone_ = v.TimeZoneOffset;
}

void MainWindow::ShowAbout() {
  QSize screen(1920, 1080);
  if (const QScreen* s = this->screen()) screen = s->size();
  aboutPanel_->ShowFor(Vars().ProgramVersionInfo, screen);
}

void MainWindow::EveryActivation() {
  VaromintelVariables& v = Vars();
  aboutPanel_->FillVersionGrid(v.ProgramVersionInfo);
  v.CaptionPrefix = "Varomintel " + aboutPanel_->FileVersionCell().toStdString() + Text(text_row::kSubtitle, v.LanguageIndex);
  view_.SetCaptionPrefix(v.CaptionPrefix);
  setWindowTitle(Q(v.CaptionPrefix));
  ShowDiagramCaption();
  aboutPanel_->hide();
}

void MainWindow::FormActivate() {
  VaromintelVariables& v = Vars();
  if (!v.WindowStarted) {
    v.WindowStarted = true;
    RestoreStoredSliderPosition();
    SelectEclipse();
    selectionPanel_->ShowTimeZone(Q(FormatFixed(v.TimeZoneOffset, 2)));
    ApplyTimeZoneEntry();
  }
  EveryActivation();
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  if (event->type() == QEvent::LanguageChange) ApplyLanguage();
  QMainWindow::changeEvent(event);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Without a window manager (or offscreen) a window may never become active: the first
  // selection must not wait for it.
  if (!Vars().WindowStarted) FormActivate();
}

void MainWindow::StoreSettings() {
  VaromintelVariables& v = Vars();
  ParameterRecord& p = v.Parameters;
  p.SetShortString(param::kVersion, v.ProgramVersion);
  const WindowPlace place = CapturePlace(*this);
  p.SetInt(param::kMainTop, place.top);
  p.SetInt(param::kMainLeft, place.left);
  p.SetByte(param::kMainState, place.state);
  p.SetByte(param::kLanguage, v.LanguageIndex);
  p.SetInt(param::kReserved27, 0);
  if (v.CurrentIndex > 0) p.SetInt(param::kEclipse, v.CurrentIndex);
  p.SetFlag(param::kUniversalTime, selectionPanel_->UniversalTime());
  mapPanel_->StoreSettings(p);
  p.SetInt(param::kTimeSlider, diagramPanel_->SliderPosition());
  // A zone entry that is not a number keeps the zone in effect.
  p.SetDouble(param::kTimeZone, ParseReal(selectionPanel_->TimeZoneEntry().toStdString()).value_or(v.TimeZoneOffset));
  if (cityHist_) cityHist_->StoreSettings(p);
  if (cityList_) cityList_->StoreSettings(p);
}

// The slider and the pictures.

void MainWindow::RestoreStoredSliderPosition() {
  diagramPanel_->SetSliderPosition(Vars().Parameters.Int(param::kTimeSlider));  // the selection that follows draws
}

void MainWindow::ShowGreatestEclipse() {
  diagramPanel_->SetSliderPosition(view_.Position());  // one refresh, also when the position stays
  RefreshTimeDependent();
}

void MainWindow::RefreshTimeDependent() {
  if (!view_.HasSelection()) return;  // nothing selected yet
  view_.SetSliderPosition(diagramPanel_->SliderPosition());
  DrawShadowDiagram();
  FillElementsTable();
  ShowPlaceNow();
}

// The diagram at the panel's physical size: the renderer's picture is shown pixel for pixel.
void MainWindow::DrawShadowDiagram() {
  if (!view_.HasSelection()) return;
  diagramPanel_->ShowPicture(varomintel::DrawShadowDiagram(DiagramSceneOf(view_), moonPictures_,
                                                           diagramPanel_->PhysicalScale()));
  const ShownMoment& now = view_.Now();
  setWindowTitle(Q(now.caption));
  selectionPanel_->ShowDateTime(now.dateTime, now.shortType);
  findChild<QWidget*>("DiagramImages")
      ->setAccessibleDescription(DiagramDescription(view_.Selection().record, now, ValidLanguageIndex(Vars().LanguageIndex)));
}

void MainWindow::ShowDiagramCaption() {
  if (view_.HasSelection()) setWindowTitle(Q(view_.Now().caption));
}

void MainWindow::FillElementsTable() {
  if (!view_.HasSelection()) return;  // no eclipse selected yet
  const SelectedEclipse& s = view_.Selection();
  const ShownMoment& now = view_.Now();
  ElementsTableInput in;
  in.t = now.t;
  in.elements = now.elements;
  in.gamma = s.record.Gamma;
  in.penMag = s.circumstances.PenMag;
  in.umbMag = s.circumstances.UmbMag;
  in.constellation = now.constellation;
  in.language = view_.Settings().language;
  selectionPanel_->ShowElements(ElementsTableTexts(in));
}

void MainWindow::DrawWorldMap() {
  const MapPicturePair& pictures = mapPictures_.Pair(mapPanel_->MapChoice());
  const MapDrawing drawing = mapPanel_->Drawing();
  // The window's language, which the view model takes over only with the time settings.
  const std::uint8_t language = ValidLanguageIndex(Vars().LanguageIndex);
  if (!view_.HasSelection()) {  // nothing selected yet: the bare map with its scales
    mapPanel_->ShowMap(FrameWorldMap(pictures.map, drawing, language), drawing);
    return;
  }
  WorldMapInputs inputs;
  inputs.map = pictures.map;
  inputs.dark = pictures.dark;
  inputs.eclipse = view_.MapEclipse();
  inputs.language = language;
  inputs.pointOfInterest = mapPanel_->PointOfInterest();
  mapPanel_->ShowMap(RenderWorldMap(inputs, drawing), drawing);
  findChild<QWidget*>("Image_World")
      ->setAccessibleDescription(MapDescription(view_.Selection().record, inputs.eclipse, language));
}

}  // namespace varomintel
