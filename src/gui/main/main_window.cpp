#include "gui/main/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStringList>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "app/elements_table.h"
#include "app/observer_view.h"
#include "app/parameter_file.h"
#include "app/picture_caption.h"
#include "app/time_slider.h"
#include "app/startup_data.h"
#include "eclipse/selection.h"
#include "gui/common/about_dialog.h"
#include "gui/common/about_panel.h"
#include "gui/common/accessible_names.h"
#include "gui/common/own_settings.h"
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
#include "render/picture_caption.h"
#include "render/shadow_diagram.h"
#include "render/sky_view.h"
#include "render/world_map.h"
#include "text/number_text.h"
#include "text/text_table.h"
#include "ui_main_window.h"

namespace varomintel {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

// The largest own Delta T, seconds either way: ten times the model's value at the
// catalogue's first year (about 1.3e5 s), far beyond any plausible value, yet refusing a
// number typed in the wrong unit or with a digit too many.
constexpr double kOwnDeltaTLimitS = 1e6;

// An own Delta T's entry: none when empty, else the seconds it holds when they are a
// number within the limit; std::nullopt as the outer value: refused.
std::optional<std::optional<double>> OwnDeltaTOf(const QString& entry) {
  const QString text = entry.trimmed();
  if (text.isEmpty()) return std::optional<double>();
  const std::optional<double> seconds = ParseReal(text.toStdString());
  if (!seconds || !(std::abs(*seconds) <= kOwnDeltaTLimitS)) return std::nullopt;
  return seconds;
}

QString OwnDeltaTText(const std::optional<double>& seconds) {
  return seconds ? QString::number(*seconds, 'g', 12) : QString();
}

// In place of a picture that cannot be drawn: the reason in a line or two, centred on
// white, at the picture's size.
QImage HintPicture(double scale, const QString& text) {
  QImage image(DiagramSizeAt(scale), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  QFont font = p.font();
  font.setPixelSize(std::max(8, static_cast<int>(std::lround(18 * scale))));
  p.setFont(font);
  p.setPen(QColor(60, 60, 60));
  const int margin = static_cast<int>(std::lround(80 * scale));
  p.drawText(image.rect().adjusted(margin, 0, -margin, 0), Qt::AlignCenter | Qt::TextWordWrap, text);
  return image;
}
}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>()) {
  // The forms of this window and of the list windows after it are built in the stored
  // language: its catalogues first.
  const std::uint8_t storedLanguage = Startup().Parameters.Byte(param::kLanguage);
  InstallTranslations(storedLanguage <= kSpanish ? storedLanguage : kGerman);
  ui_->setupUi(this);
  StartupData& v = Startup();
  selectionPanel_ = ui_->SelectionPanel;
  diagramPanel_ = ui_->DiagramPanel;
  mapPanel_ = ui_->MapPanel;
  diagramArea_ = new PictureAreaLayout(ui_->DiagramArea, diagramPanel_);
  mapArea_ = new PictureAreaLayout(ui_->MapArea, mapPanel_);
  AlignPictures(true);
  RestoreSplitters();
  aboutDialog_ = new AboutDialog(this);
  aboutPanel_ = aboutDialog_->Details();
  state_ = new AppStateObject(v.TheCatalogue, this);
  diagramPanel_->Follow(state_);
  ConnectMenus();
  ConnectPanels();
  ConnectPictureMenus();
  SetReadingTabOrder();

  mapPictures_ = LoadCheckedMapPictures(MapPictureFolder(v.ProgramDir), refusedPictures_);
  moonPictures_ = LoadCheckedMoonPictures("", refusedPictures_);  // by bare file name: the current directory

  // Stored settings, in the order of the parameter record's readers.
  const ParameterRecord& p = v.Parameters;
  const double storedZone = p.Double(param::kTimeZone);
  state_->SetTimeZone(std::isfinite(storedZone) ? storedZone : 0.0);
  PlaceOnScreen();
  state_->SetLanguage(WindowLanguage());
  v.Parameters.SetInt(param::kReserved27, 0);
  selectionPanel_->SetEclipseCount(v.TheCatalogue.Count());
  selectionPanel_->SetUniversalTime(p.Flag(param::kUniversalTime));
  state_->SetUniversalTime(p.Flag(param::kUniversalTime));
  RestoreOwnDeltaT();
  selectionPanel_->SetEclipseIndex(std::clamp(p.Int(param::kEclipse), 1, std::max(1, v.TheCatalogue.Count())));
  mapPanel_->ApplySettings(p);
  state_->SetMap(mapPanel_->MapChoice(), mapPanel_->GraticuleShown());
  state_->SetMarkedPlace(mapPanel_->MarkedPlace(), mapPanel_->MarkerShown());
  connect(state_, &AppStateObject::changed, this, &MainWindow::Redraw);
  const int storedChoice = OwnSettings()->value(own_key::kDiagramChoice, 0).toInt();
  diagramPanel_->SetChoice(storedChoice >= 0 && storedChoice < kDiagramChoices ? static_cast<DiagramChoice>(storedChoice)
                                                                                : DiagramChoice::Shadow);
  connect(diagramPanel_, &DiagramPanel::choiceChanged, this, &MainWindow::ChooseDiagram);
  mapPanel_->Retranslate(WindowLanguage());
  diagramPanel_->Retranslate(WindowLanguage());
  ReportRefusedPictures();
}

void MainWindow::ConnectPictureMenus() {
  const auto language = [this] { return state_->State().Language(); };
  const auto baseName = [this] {
    if (!View().HasSelection()) return QStringLiteral("eclipse");
    const EclipseRecord& r = View().Selection().record;
    return QString::asprintf("eclipse-%d-%02d-%02d", r.Year, r.Month, r.Day);
  };
  DiagramView* shownDiagram = diagramPanel_->Diagram();
  // The video's frames come from a copy of the view model, so that the window's slider
  // and diagram stay where they are while it is written.
  struct Animation {
    EclipseView view;
    std::optional<SkyPanorama> panorama;
    std::vector<int> positions;
  };
  auto animation = std::make_shared<Animation>();
  DiagramMenuSource source;
  source.language = language;
  source.baseName = baseName;
  // What leaves the window (copied, saved, a video) carries the caption of the moment it
  // shows; the window's own diagram and map stay without it.
  const auto diagramCaption = [](const EclipseView& view) {
    return Q(DiagramPictureCaption(view.Selection(), view.Position(), view.Settings()));
  };
  source.shown = [this, shownDiagram, diagramCaption] {
    const QImage shown = shownDiagram->ShownImage();
    if (!View().HasSelection()) return shown;
    return WithCaption(shown, diagramCaption(View()), shown.width() / double{kDiagramWidth});
  };
  source.drawAtScale = [this, diagramCaption](double scale) {
    return View().HasSelection()
               ? WithCaption(DrawChosenPicture(View(), SkyPanoramaNow(), scale), diagramCaption(View()), scale)
               : QImage();
  };
  source.frameCount = [this, animation](int step, bool whole) {
    animation->view = View();
    animation->panorama = View().HasSelection() ? SkyPanoramaNow() : std::nullopt;
    animation->positions = View().HasSelection() ? AnimationPositions(View().Selection().circumstances, step, whole)
                                                 : std::vector<int>{};
    return static_cast<int>(animation->positions.size());
  };
  source.drawFrame = [this, animation, diagramCaption](int i, double scale) {
    if (animation->positions.empty()) return NewDiagramImage();
    animation->view.SetSliderPosition(animation->positions[static_cast<std::size_t>(i)]);
    return WithCaption(DrawChosenPicture(animation->view, animation->panorama, scale), diagramCaption(animation->view),
                       scale);
  };
  // On the panels, so that the menu key opens them from the control that has the focus
  // (the time slider, a play button, the map's choices) as a right click does anywhere on
  // the panel; the slider passes its context menu on to the panel.
  diagramPanel_->Slider()->setContextMenuPolicy(Qt::NoContextMenu);
  AttachDiagramMenu(diagramPanel_, source);
  AttachMapMenu(
      mapPanel_, language,
      [this] {
        const QImage shown = mapPanel_->ShownMap();
        if (!View().HasSelection()) return shown;
        return WithCaption(shown, Q(MapPictureCaption(View().Selection(), View().Settings())),
                           mapPanel_->ShownMapArea().width() / double{kMapWidth});
      },
      baseName);
  AttachReportMenu(selectionPanel_->Report(), language);
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
  std::vector<QWidget*> order = selectionPanel_->ReadingOrder();
  for (QWidget* w : diagramPanel_->ReadingOrder()) order.push_back(w);
  for (QWidget* w : mapPanel_->ReadingOrder()) order.push_back(w);
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
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

// The panels forward what the user asks for to the state; Redraw shows what changed.
void MainWindow::ConnectPanels() {
  connect(selectionPanel_, &SelectionPanel::eclipseIndexChanged, state_, &AppStateObject::SelectEclipse);
  connect(selectionPanel_, &SelectionPanel::yearEntered, this, &MainWindow::SelectByYear);
  connect(selectionPanel_, &SelectionPanel::sarosEntered, this, &MainWindow::SelectBySaros);
  connect(selectionPanel_, &SelectionPanel::sarosStepped, this, &MainWindow::StepSaros);
  connect(selectionPanel_, &SelectionPanel::timeScaleClicked, state_, &AppStateObject::SetUniversalTime);
  connect(selectionPanel_, &SelectionPanel::timeZoneEntered, this, &MainWindow::ApplyTimeZoneEntry);
  connect(selectionPanel_, &SelectionPanel::ownDeltaTEntered, this, &MainWindow::ApplyOwnDeltaTEntry);
  connect(diagramPanel_, &DiagramPanel::sliderMoved, state_, &AppStateObject::SetSliderPosition);
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
  const auto mapChoice = [this] { state_->SetMap(mapPanel_->MapChoice(), mapPanel_->GraticuleShown()); };
  connect(mapPanel_, &MapPanel::mapChoiceChanged, this, mapChoice);
  connect(mapPanel_, &MapPanel::graticuleToggled, this, mapChoice);
  // A new marked place, or its marker switched, keeps the eclipse and the slider's time.
  const auto markedPlace = [this] { state_->SetMarkedPlace(mapPanel_->MarkedPlace(), mapPanel_->MarkerShown()); };
  connect(mapPanel_, &MapPanel::markerToggled, this, markedPlace);
  connect(mapPanel_, &MapPanel::pointOfInterestChanged, this, markedPlace);
}

// What depends on the changed aspects, and only that: only a new eclipse moves the slider
// (to greatest eclipse); the time scale, the zone, the marked place and the map keep it.
void MainWindow::Redraw(Changes c) {
  const AppState& s = state_->State();
  if (!s.HasSelection()) {
    if (c.HasAny(Aspect::MapChoice | Aspect::Language)) DrawWorldMap();
    return;
  }
  if (c.Has(Aspect::Eclipse)) {
    selectionPanel_->SetEclipseIndex(s.Index());
    selectionPanel_->ShowYear(s.View().Selection().record.Year);
    selectionPanel_->ShowSaros(s.View().Selection().record.Saros);
  }
  const Changes clockTexts = Changes(Aspect::Eclipse) | kClockAspects | Aspect::Language;
  if (c.HasAny(Changes(Aspect::Eclipse) | kClockAspects | Aspect::MarkedPlace)) skyPanoramaStale_ = true;
  if (c.HasAny(clockTexts)) ShowSelection();
  else if (c.Has(Aspect::MarkedPlace)) ShowPlace();
  if (c.HasAny(Changes(Aspect::Eclipse) | Aspect::MarkedPlace | Aspect::MapChoice | Aspect::Language | Aspect::DeltaT))
    DrawWorldMap();
  if (c.HasAny(Aspect::Eclipse | Aspect::SliderTime)) diagramPanel_->SetSliderPosition(s.View().Position());
  if (c.HasAny(clockTexts | Aspect::SliderTime | Aspect::Caption | Aspect::MarkedPlace)) RefreshTimeDependent();
}

// The design size where the screen's available area allows, that area otherwise; the
// stored position, moved as little as needed to keep the window on the screen (another
// monitor, another resolution).
void MainWindow::PlaceOnScreen() {
  const ParameterRecord& p = Startup().Parameters;
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

double MainWindow::DiagramScale() const { return diagramArea_->Fit().scale; }
double MainWindow::MapScale() const { return mapArea_->Fit().scale; }

QString MainWindow::LayoutSettingsPath() { return OwnSettings()->fileName(); }

namespace {
QList<int> Sizes(const QVariant& v) {
  QList<int> sizes;
  for (const QVariant& x : v.toList()) sizes << x.toInt();
  return sizes.size() == 2 && sizes[0] > 0 && sizes[1] > 0 ? sizes : QList<int>{};
}
QVariantList Stored(const QList<int>& sizes) {
  QVariantList v;
  for (int x : sizes) v << x;
  return v;
}
}  // namespace

void MainWindow::RestoreSplitters() {
  QSplitter* columns = ui_->ColumnSplitter;
  QSplitter* pictures = ui_->PictureSplitter;
  columns->setStretchFactor(0, 0);  // a wider window widens the pictures
  columns->setStretchFactor(1, 1);
  ui_->SelectionScroll->setMinimumWidth(ui_->SelectionPanel->minimumWidth() / 2);
  const QSettings stored(LayoutSettingsPath(), QSettings::IniFormat);
  storedColumns_ = Sizes(stored.value("MainWindow/Columns"));
  storedPictures_ = Sizes(stored.value("MainWindow/Pictures"));
  columnsMoved_ = !storedColumns_.isEmpty();
  picturesMoved_ = !storedPictures_.isEmpty();
  if (picturesMoved_) {
    const bool stacked = stored.value("MainWindow/PicturesStacked", true).toBool();
    pictures->setOrientation(stacked ? Qt::Vertical : Qt::Horizontal);
    AlignPictures(stacked);
  }
  connect(columns, &QSplitter::splitterMoved, this, [this] { columnsMoved_ = true; });
  connect(pictures, &QSplitter::splitterMoved, this, [this] { picturesMoved_ = true; });
  columns->installEventFilter(this);
}

// The two panels stand towards each other, so that the free space of a column whose shape
// does not suit them lies round the pair rather than between them.
void MainWindow::AlignPictures(bool stacked) {
  diagramArea_->setAlignment(stacked ? Qt::AlignHCenter | Qt::AlignBottom : Qt::AlignRight | Qt::AlignVCenter);
  mapArea_->setAlignment(stacked ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignVCenter);
  mapArea_->SetLeastArrangement(stacked ? MapPanel::kControlsBeside : MapPanel::kControlsUnder);
}

void MainWindow::StoreSplitters() const {
  QSettings stored(LayoutSettingsPath(), QSettings::IniFormat);
  if (columnsMoved_) stored.setValue("MainWindow/Columns", Stored(ui_->ColumnSplitter->sizes()));
  if (picturesMoved_) {
    stored.setValue("MainWindow/Pictures", Stored(ui_->PictureSplitter->sizes()));
    stored.setValue("MainWindow/PicturesStacked", ui_->PictureSplitter->orientation() == Qt::Vertical);
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->ColumnSplitter && event->type() == QEvent::Resize)
    PlaceSplitters(static_cast<QResizeEvent*>(event)->size());
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::PlaceSplitters(QSize size) {
  QSplitter* columns = ui_->ColumnSplitter;
  QSplitter* pictures = ui_->PictureSplitter;
  const int handle = columns->handleWidth();
  if (!storedColumns_.isEmpty()) {
    const int left = std::clamp(storedColumns_[0], ui_->SelectionScroll->minimumWidth(), std::max(0, size.width() - handle));
    columns->setSizes({left, size.width() - handle - left});
    storedColumns_.clear();
  } else if (!columnsMoved_) {
    // The left column at its width (and a scroll bar's, when it is too low for the panel);
    // narrower only when the pictures would fall below half their design size.
    const bool scrolls = ui_->SelectionPanel->minimumSizeHint().height() > size.height();
    const int natural = ui_->SelectionPanel->minimumWidth() + (scrolls ? ui_->SelectionScroll->verticalScrollBar()->sizeHint().width() : 0);
    const int rightLeast = pictures->minimumSizeHint().width();
    const int left = std::clamp(size.width() - handle - rightLeast, ui_->SelectionScroll->minimumWidth(), natural);
    columns->setSizes({left, std::max(0, size.width() - handle - left)});
  }
  const QSize column(std::max(0, size.width() - handle - columns->sizes().value(0)), size.height());
  if (!storedPictures_.isEmpty()) {
    pictures->setSizes(storedPictures_);
    storedPictures_.clear();
  } else if (!picturesMoved_) {
    const int h = pictures->handleWidth();
    const int stacked = DefaultPictureSplit(*diagramPanel_, *mapPanel_, column, true, h);
    const int beside = DefaultPictureSplit(*diagramPanel_, *mapPanel_, column, false, h);
    // Stacked, as designed, unless side by side leaves clearly less of the column empty
    // (a very wide and low window).
    constexpr double kStackedPreference = 0.02;
    const bool vertical = EmptyShare(*diagramPanel_, *mapPanel_, column, true, h, stacked) <=
                          EmptyShare(*diagramPanel_, *mapPanel_, column, false, h, beside) + kStackedPreference;
    pictures->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
    AlignPictures(vertical);
    const int split = vertical ? stacked : beside;
    pictures->setSizes({split, (vertical ? column.height() : column.width()) - h - split});
  }
}

bool MainWindow::PicturesPending() const { return redrawTimer_->isActive(); }

void MainWindow::SelectEclipse() { state_->SelectEclipse(selectionPanel_->EclipseIndex()); }

void MainWindow::ShowSelection() {
  const SelectedEclipse& s = View().Selection();
  selectionPanel_->ShowSelection(s.sarosCaption, s.deltaTCaption, s.report, View().Settings().language);
  ShowPlace();
}

void MainWindow::ShowPlace() {
  const AppState& s = state_->State();
  if (!s.HasSelection()) return;
  selectionPanel_->ShowPlaceTable(ObserverTableOf(s.View().Selection(), s.Time(), s.PointOfInterest()));
}

void MainWindow::ShowPlaceNow() {
  const AppState& s = state_->State();
  if (!s.HasSelection()) return;
  selectionPanel_->ShowPlaceNow(ObserverNowOf(s.View().Selection(), s.Time(), s.PointOfInterest(), s.View().Now().t));
}

void MainWindow::MoveTo(int index) { state_->SelectEclipse(index); }

void MainWindow::AttachListWindows(CityHistoryWindow* cityHist, CityListWindow* cityList) {
  cityHist_ = cityHist;
  cityList_ = cityList;
  for (ListWindow* w : {static_cast<ListWindow*>(cityHist), static_cast<ListWindow*>(cityList)})
    if (w) w->Follow(state_);
}

void MainWindow::SelectByYear(const QString& entry) {
  const std::optional<YearSearch> found = FindByYear(Startup().TheCatalogue, entry.toStdString());
  if (!found) return;  // not an integer: ignored
  selectionPanel_->ShowYear(found->year);
  MoveTo(found->index);
}

void MainWindow::SelectBySaros(const QString& entry) {
  const SarosSearch found = FindBySaros(Startup().TheCatalogue, entry.toStdString());
  selectionPanel_->ShowSaros(found.saros);
  if (found.index != 0) MoveTo(found.index);
}

void MainWindow::StepSaros(int direction, int steps) {
  if (const auto i = StepInSaros(Startup().TheCatalogue, state_->State().Index(), direction, steps)) MoveTo(*i);
}

// A zone entry that is not a number changes nothing; a number is held within -18..18 and
// written back as the entry shows a zone.
void MainWindow::ApplyTimeZoneEntry() {
  const std::optional<double> entered = ParseReal(selectionPanel_->TimeZoneEntry().toStdString());
  if (!entered) return;
  state_->SetTimeZone(*entered);
  selectionPanel_->ShowTimeZone(Q(FormatTimeZone(state_->State().Time().timeZone)));
}

void MainWindow::ApplyOwnDeltaTEntry() {
  const QString entry = selectionPanel_->OwnDeltaTEntry();
  const std::optional<std::optional<double>> own = OwnDeltaTOf(entry);
  if (!own) {
    QMessageBox::warning(this, windowTitle(),
                         tr("\"%1\" is not a Delta T. Type seconds, such as 20500 or -12.5, between -1000000 and "
                            "1000000, or leave the entry empty for the model's value.")
                             .arg(entry.trimmed()));
    return;
  }
  state_->SetOwnDeltaT(*own);
  selectionPanel_->ShowOwnDeltaT(OwnDeltaTText(*own));
  const std::unique_ptr<QSettings> settings = OwnSettings();
  if (*own) settings->setValue(own_key::kOwnDeltaT, OwnDeltaTText(*own));
  else settings->remove(own_key::kOwnDeltaT);
}

// A stored value that is no longer valid (edited by hand) is the model's.
void MainWindow::RestoreOwnDeltaT() {
  const std::optional<std::optional<double>> own = OwnDeltaTOf(OwnSettings()->value(own_key::kOwnDeltaT).toString());
  const std::optional<double> seconds = own ? *own : std::nullopt;
  state_->SetOwnDeltaT(seconds);
  selectionPanel_->ShowOwnDeltaT(OwnDeltaTText(seconds));
}

void MainWindow::ShowAbout() {
  aboutDialog_->SetVersion(Startup().ProgramVersionInfo);
  aboutDialog_->show();
  aboutDialog_->raise();
  aboutDialog_->activateWindow();
}

void MainWindow::EveryActivation() {
  StartupData& v = Startup();
  aboutPanel_->FillVersionGrid(v.ProgramVersionInfo);
  state_->SetCaptionPrefix("Varomintel " + aboutPanel_->FileVersionCell().toStdString() +
                           Text(text_row::kSubtitle, state_->State().Language()));
  setWindowTitle(Q(state_->State().CaptionPrefix()));
  ShowDiagramCaption();
}

void MainWindow::FormActivate() {
  if (!started_) {
    started_ = true;
    RestoreStoredSliderPosition();
    SelectEclipse();
    selectionPanel_->ShowTimeZone(Q(FormatTimeZone(state_->State().Time().timeZone)));
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
  if (!started_) FormActivate();
}

void MainWindow::StoreSettings() {
  StartupData& v = Startup();
  ParameterRecord& p = v.Parameters;
  p.SetShortString(param::kVersion, v.ProgramVersion);
  const WindowPlace place = CapturePlace(*this);
  p.SetInt(param::kMainTop, place.top);
  p.SetInt(param::kMainLeft, place.left);
  p.SetByte(param::kMainState, place.state);
  p.SetByte(param::kLanguage, state_->State().Language());
  p.SetInt(param::kReserved27, 0);
  if (state_->State().Index() > 0) p.SetInt(param::kEclipse, state_->State().Index());
  p.SetFlag(param::kUniversalTime, selectionPanel_->UniversalTime());
  mapPanel_->StoreSettings(p);
  p.SetInt(param::kTimeSlider, diagramPanel_->SliderPosition());
  StoreSplitters();
  // A zone entry that is not a number keeps the zone in effect.
  p.SetDouble(param::kTimeZone, ParseReal(selectionPanel_->TimeZoneEntry().toStdString()).value_or(state_->State().Time().timeZone));
  if (cityHist_) cityHist_->StoreSettings(p);
  if (cityList_) cityList_->StoreSettings(p);
}

// The slider and the pictures.

void MainWindow::RestoreStoredSliderPosition() {
  const int stored = Startup().Parameters.Int(param::kTimeSlider);
  diagramPanel_->SetSliderPosition(stored);  // the selection that follows draws
  state_->SetSliderPosition(stored);
}

void MainWindow::RefreshTimeDependent() {
  if (!View().HasSelection()) return;  // nothing selected yet
  DrawShadowDiagram();
  FillElementsTable();
  ShowPlaceNow();
}

// The chosen picture at the panel's physical size: the renderer's picture is shown pixel
// for pixel.
void MainWindow::DrawShadowDiagram() {
  if (!View().HasSelection()) return;
  // The panorama is made only while the sky is chosen.
  const std::optional<SkyPanorama> none;
  const bool sky = diagramPanel_->Choice() == DiagramChoice::Sky;
  diagramPanel_->ShowPicture(DrawChosenPicture(View(), sky ? SkyPanoramaNow() : none, diagramPanel_->PhysicalScale()));
  const ShownMoment& now = View().Now();
  setWindowTitle(Q(now.caption));
  selectionPanel_->ShowDateTime(now.dateTime, now.shortType);
  // The sky says what it shows in its own caption's lines; the shadow by the diagram's description.
  const std::optional<GeoPoint> place = state_->State().PointOfInterest();
  QString description = DiagramDescription(View().Selection().record, now, state_->State().Language());
  if (sky && place && skyPanorama_ && skyPanorama_->eclipse) {
    const SkyScene scene = SkySceneFor(View().Selection(), View().Settings(), *skyPanorama_, now.t);
    QStringList lines;
    for (const std::string& line : scene.caption) lines << Q(line);
    description = lines.join('\n');
  }
  diagramPanel_->Diagram()->setAccessibleDescription(description);
}

QImage MainWindow::DrawChosenPicture(const EclipseView& view, const std::optional<SkyPanorama>& panorama,
                                     double scale) const {
  const DiagramChoice choice = diagramPanel_->Choice();
  const std::optional<GeoPoint> place = state_->State().PointOfInterest();
  if (choice == DiagramChoice::Shadow) return varomintel::DrawShadowDiagram(DiagramSceneOf(view), moonPictures_, scale);
  if (!place)
    return HintPicture(scale, choice == DiagramChoice::Sky
                                  ? tr("No place is marked. Click the world map, or type a latitude and a longitude "
                                       "under “Point of Interest” and tick its box: the sky there is then "
                                       "shown here.")
                                  : tr("No place is marked. Click the world map, or type a latitude and a longitude "
                                       "under “Point of Interest” and tick its box: the shadow is then shown "
                                       "here as seen from there, its zenith up."));
  if (choice == DiagramChoice::ShadowFromPlace) {
    DiagramScene scene = DiagramSceneOf(view);
    scene.parallacticAngleDeg = ZenithTurnAt(view.Selection(), view.Settings(), place, view.Now().t);
    return varomintel::DrawShadowDiagram(scene, moonPictures_, scale);
  }
  if (!panorama || !panorama->eclipse)
    return HintPicture(scale, tr("The marked place has no contacts P1 and P4 of this eclipse to show."));
  return DrawSkyView(SkySceneFor(view.Selection(), view.Settings(), *panorama, view.Now().t), moonPictures_, scale);
}

const std::optional<SkyPanorama>& MainWindow::SkyPanoramaNow() {
  if (skyPanoramaStale_) {
    const AppState& s = state_->State();
    skyPanorama_ = SkyPanoramaFor(s.View().Selection(), s.Time(), s.PointOfInterest());
    skyPanoramaStale_ = false;
  }
  return skyPanorama_;
}

void MainWindow::ChooseDiagram(DiagramChoice choice) {
  OwnSettings()->setValue(own_key::kDiagramChoice, static_cast<int>(choice));
  DrawShadowDiagram();
}

void MainWindow::ShowDiagramCaption() {
  if (View().HasSelection()) setWindowTitle(Q(View().Now().caption));
}

void MainWindow::FillElementsTable() {
  if (!View().HasSelection()) return;  // no eclipse selected yet
  const SelectedEclipse& s = View().Selection();
  const ShownMoment& now = View().Now();
  ElementsTableInput in;
  in.t = now.t;
  in.elements = now.elements;
  in.gamma = s.record.Gamma;
  in.penMag = s.circumstances.PenMag;
  in.umbMag = s.circumstances.UmbMag;
  in.constellation = now.constellation;
  in.language = View().Settings().language;
  selectionPanel_->ShowElements(ElementsTableTexts(in));
}

void MainWindow::DrawWorldMap() {
  const AppState& s = state_->State();
  const MapPicturePair& pictures = mapPictures_.Pair(s.MapChoice());
  MapDrawing drawing = mapPanel_->Drawing();
  drawing.graticule = s.Graticule();
  const std::uint8_t language = s.Language();
  if (!View().HasSelection()) {  // nothing selected yet: the bare map with its scales
    mapPanel_->ShowMap(FrameWorldMap(pictures.map, drawing, language), drawing);
    return;
  }
  WorldMapInputs inputs;
  inputs.map = pictures.map;
  inputs.dark = pictures.dark;
  inputs.eclipse = View().MapEclipse();
  inputs.language = language;
  inputs.pointOfInterest = s.PointOfInterest();
  mapPanel_->ShowMap(RenderWorldMap(inputs, drawing), drawing);
  mapPanel_->MapImage()->setAccessibleDescription(MapDescription(View().Selection().record, inputs.eclipse, language));
}

}  // namespace varomintel
