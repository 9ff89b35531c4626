#include "gui/main/Varomintel_Unit_Main.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>
#include <cmath>

#include "gui/common/about_panel.h"
#include "gui/common/window_geometry.h"
#include "gui/lists/Varomintel_Unit_CityHist.h"
#include "gui/lists/Varomintel_Unit_CityList.h"
#include "app/varomintel_variables.h"
#include "eclipse/report.h"
#include "eclipse/selection.h"
#include "text/number_text.h"
#include "text/text_table.h"

namespace varomintel {

namespace {

// Layout of the client area, pixels.
constexpr int kLeft = 8;
constexpr int kLeftWidth = 470;
constexpr int kRight = kLeft + kLeftWidth + 10;
constexpr int kDiagramWidth = 1043, kDiagramHeight = 480;
constexpr int kSliderTop = 8 + kDiagramHeight + 4;      // ScrollBar_Time, 1043 x 20
constexpr int kButtonsTop = kSliderTop + 24;            // play buttons, 43 x 21
constexpr int kMapTop = kButtonsTop + 29;               // Panel_World, 681 x 341
constexpr int kClientWidth = kRight + kDiagramWidth + 8;
constexpr int kClientHeight = kMapTop + 342 + 22 + 8;  // the map, its longitude labels, a margin

QString Q(const std::string& s) { return QString::fromStdString(s); }

QToolButton* ArrowButton(QWidget* parent, Qt::ArrowType arrow, const char* name) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setArrowType(arrow);
  b->setAutoRepeat(false);
  return b;
}

}  // namespace

TForm_Main::TForm_Main(QWidget* parent) : QMainWindow(parent) {
  VaromintelVariables& v = Vars();
  setObjectName("Form_Main");

  // Menus with the design's German captions; the language routine replaces them.
  File1 = menuBar()->addMenu("&Datei");
  File1->setObjectName("File1");
  Exit1 = File1->addAction("&Beenden");
  Exit1->setObjectName("Exit1");
  Exit1->setShortcut(QKeySequence::Quit);
  connect(Exit1, &QAction::triggered, this, &TForm_Main::Exit1Click);
  Liste1 = menuBar()->addMenu("&Liste erzeugen");
  Liste1->setObjectName("Liste1");
  Sichtbarkeit = Liste1->addAction("Sichtbarkeit dieser Finsternis an verschiedenen Orten");
  Sichtbarkeit->setObjectName("Sichtbarkeit");
  CityHist = Liste1->addAction("Alle Finsternisse an einem bestimmten Ort suchen");
  CityHist->setObjectName("CityHist");
  connect(Sichtbarkeit, &QAction::triggered, this, &TForm_Main::SichtbarkeitClick);
  connect(CityHist, &QAction::triggered, this, &TForm_Main::CityHistClick);
  Option1 = menuBar()->addMenu("&Option");
  Option1->setObjectName("Option1");
  auto* languages = new QActionGroup(this);
  languages->setExclusive(true);
  Opt_Deutsch = Option1->addAction("&Deutsch");
  Opt_Deutsch->setObjectName("Opt_Deutsch");
  Opt_English = Option1->addAction("&English");
  Opt_English->setObjectName("Opt_English");
  Opt_Francais = Option1->addAction(QString::fromUtf8("&Français"));
  Opt_Francais->setObjectName("Opt_Francais");
  for (QAction* a : {Opt_Deutsch, Opt_English, Opt_Francais}) {
    a->setCheckable(true);
    languages->addAction(a);
  }
  Opt_Deutsch->setChecked(true);
  connect(Opt_Deutsch, &QAction::triggered, this, &TForm_Main::Opt_DeutschClick);
  connect(Opt_English, &QAction::triggered, this, &TForm_Main::Opt_EnglishClick);
  connect(Opt_Francais, &QAction::triggered, this, &TForm_Main::Opt_FrancaisClick);
  Hilfe1 = menuBar()->addMenu("&Hilfe");
  Hilfe1->setObjectName("Hilfe1");
  Hilfe2 = Hilfe1->addAction("Varomintel &Hilfe");
  Hilfe2->setObjectName("Hilfe2");
  Hilfe2->setShortcut(QKeySequence::HelpContents);
  connect(Hilfe2, &QAction::triggered, this, &TForm_Main::Hilfe2Click);
  Version1 = Hilfe1->addAction("Varomintel &Version");
  Version1->setObjectName("Version1");
  connect(Version1, &QAction::triggered, this, &TForm_Main::Version1Click);

  // The client area scrolls on small screens.
  auto* scroll = new QScrollArea(this);
  auto* client = new QWidget;
  client->setFixedSize(kClientWidth, kClientHeight);
  scroll->setWidget(client);
  scroll->setFrameShape(QFrame::NoFrame);
  setCentralWidget(scroll);

  // Eclipse by position and year.
  GroupBox_Finsternis = new QGroupBox("Finsternis im Jahr ...", client);
  GroupBox_Finsternis->setObjectName("GroupBox_Finsternis");
  GroupBox_Finsternis->setGeometry(kLeft, 8, kLeftWidth, 84);
  Label_Jahr = new QLabel("Jahr", GroupBox_Finsternis);
  Label_Jahr->setObjectName("Label_Jahr");
  Label_Jahr->setGeometry(10, 26, 40, 22);
  Edit_Jahr = new QLineEdit(GroupBox_Finsternis);
  Edit_Jahr->setObjectName("Edit_Jahr");
  Edit_Jahr->setGeometry(52, 24, 80, 24);
  ScrollBar_Eclipse = new QScrollBar(Qt::Horizontal, GroupBox_Finsternis);
  ScrollBar_Eclipse->setObjectName("ScrollBar_Eclipse");
  ScrollBar_Eclipse->setGeometry(10, 56, kLeftWidth - 20, 20);
  ScrollBar_Eclipse->setRange(1, std::max(1, v.TheCatalogue.Count()));
  ScrollBar_Eclipse->setPageStep(25);

  // Eclipse by Saros series.
  GroupBox_Saros = new QGroupBox("Finsternis im Saros", client);
  GroupBox_Saros->setObjectName("GroupBox_Saros");
  GroupBox_Saros->setGeometry(kLeft, 98, kLeftWidth, 60);
  Label_Saros = new QLabel("Saros", GroupBox_Saros);
  Label_Saros->setGeometry(10, 28, 40, 22);
  Saros_Edit = new QLineEdit(GroupBox_Saros);
  Saros_Edit->setObjectName("Saros_Edit");
  Saros_Edit->setGeometry(52, 26, 60, 24);
  UpDown1_Prev = ArrowButton(GroupBox_Saros, Qt::LeftArrow, "UpDown1_Prev");
  UpDown1_Prev->setGeometry(130, 26, 24, 24);
  UpDown1_Next = ArrowButton(GroupBox_Saros, Qt::RightArrow, "UpDown1_Next");
  UpDown1_Next->setGeometry(154, 26, 24, 24);
  Label_SarosPlus1 = new QLabel("-1S  +1S", GroupBox_Saros);
  Label_SarosPlus1->setGeometry(184, 28, 70, 22);
  UpDown3_Prev = ArrowButton(GroupBox_Saros, Qt::LeftArrow, "UpDown3_Prev");
  UpDown3_Prev->setGeometry(270, 26, 24, 24);
  UpDown3_Next = ArrowButton(GroupBox_Saros, Qt::RightArrow, "UpDown3_Next");
  UpDown3_Next->setGeometry(294, 26, 24, 24);
  Label_SarosPlus3 = new QLabel("-3S  +3S", GroupBox_Saros);
  Label_SarosPlus3->setGeometry(324, 28, 70, 22);

  // Time scale and time zone.
  GroupBox_ET_UT = new QGroupBox("Zeit (mit DeltaT) oder TT", client);
  GroupBox_ET_UT->setObjectName("GroupBox_ET_UT");
  GroupBox_ET_UT->setGeometry(kLeft, 164, 230, 56);
  CheckBox_ET_UT = new QCheckBox(GroupBox_ET_UT);
  CheckBox_ET_UT->setObjectName("CheckBox_ET_UT");
  CheckBox_ET_UT->setGeometry(10, 24, 214, 24);
  CheckBox_ET_UT->setChecked(true);
  GroupBox_TZone = new QGroupBox("Zeitzone", client);
  GroupBox_TZone->setObjectName("GroupBox_TZone");
  GroupBox_TZone->setGeometry(kLeft + 240, 164, kLeftWidth - 240, 56);
  Label_Unterschied = new QLabel("Lokalzeit = UTC", GroupBox_TZone);
  Label_Unterschied->setObjectName("Label_Unterschied");
  Label_Unterschied->setGeometry(10, 26, 100, 22);
  Edit_TZone = new QLineEdit("+0.00", GroupBox_TZone);
  Edit_TZone->setObjectName("Edit_TZone");
  Edit_TZone->setGeometry(112, 24, 60, 24);
  Label_Std = new QLabel("Std", GroupBox_TZone);
  Label_Std->setObjectName("Label_Std");
  Label_Std->setGeometry(178, 26, 30, 22);

  // The report.
  RE_Table = new QTextEdit(client);
  RE_Table->setObjectName("RE_Table");
  RE_Table->setGeometry(kLeft, 228, kLeftWidth, 250);
  RE_Table->setReadOnly(true);
  RE_Table->setLineWrapMode(QTextEdit::NoWrap);

  // Places of the shadow diagram (1040 x 480 pictures stretched into the panel), the time
  // slider and its buttons below it, and the world map (680 x 340 in a lowered bevel).
  Panel_Grafik = new QFrame(client);
  Panel_Grafik->setObjectName("Panel_Grafik");
  Panel_Grafik->setGeometry(kRight, 8, kDiagramWidth, kDiagramHeight);
  Panel_Grafik->setAutoFillBackground(true);
  QPalette white = Panel_Grafik->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel_Grafik->setPalette(white);
  Panel_World = new QFrame(client);
  Panel_World->setObjectName("Panel_World");
  Panel_World->setGeometry(kRight, kMapTop, 681, 341);
  Panel_World->setFrameShape(QFrame::Panel);
  Panel_World->setFrameShadow(QFrame::Sunken);

  Panel_About = new AboutPanel(client);

  connect(ScrollBar_Eclipse, &QScrollBar::valueChanged, this, &TForm_Main::ScrollBar_EclipseChange);
  connect(Edit_Jahr, &QLineEdit::returnPressed, this, &TForm_Main::Edit_JahrKeyDown);
  connect(Saros_Edit, &QLineEdit::returnPressed, this, &TForm_Main::Saros_EditKeyDown);
  connect(UpDown1_Prev, &QToolButton::clicked, this, [this] { UpDown1Click(-1); });
  connect(UpDown1_Next, &QToolButton::clicked, this, [this] { UpDown1Click(+1); });
  connect(UpDown3_Prev, &QToolButton::clicked, this, [this] { UpDown3Click(-1); });
  connect(UpDown3_Next, &QToolButton::clicked, this, [this] { UpDown3Click(+1); });
  connect(CheckBox_ET_UT, &QCheckBox::clicked, this, &TForm_Main::CheckBox_ET_UTClick);
  connect(Edit_TZone, &QLineEdit::returnPressed, this, &TForm_Main::Edit_TZoneKeyDown);
  CreateWorldMapControls();

  // Stored settings, in the order of the parameter record's readers.
  const ParameterRecord& p = v.Parameters;
  const double storedZone = p.Double(param::kTimeZone);
  v.TimeZoneOffset = std::isfinite(storedZone) ? ClampTimeZone(storedZone) : 0.0;
  QRect area(0, 0, 1920, 1080);
  if (const QScreen* s = QGuiApplication::primaryScreen()) area = s->availableGeometry();
  // The whole client area where the screen allows, scroll bars where it does not.
  const QSize size(std::min(kClientWidth + 24, area.width()), std::min(kClientHeight + 60, area.height() - 40));
  resize(size);
  // The stored position, moved as little as needed to keep the window on the screen
  // (another monitor, another resolution).
  const int top = std::clamp(p.Int(param::kMainTop), area.top(), std::max(area.top(), area.bottom() - size.height() - 30));
  const int left = std::clamp(p.Int(param::kMainLeft), area.left(), std::max(area.left(), area.right() - size.width()));
  move(left, top);
  if (p.Byte(param::kMainState) == 2) setWindowState(Qt::WindowMaximized);
  v.LanguageIndex = ValidLanguageIndex(p.Byte(param::kLanguage));
  v.Parameters.SetInt(param::kReserved27, 0);
  CheckBox_ET_UT->setChecked(p.Flag(param::kUniversalTime));
  GroupBox_TZone->setVisible(CheckBox_ET_UT->isChecked());
  {
    const QSignalBlocker block(ScrollBar_Eclipse);
    ScrollBar_Eclipse->setValue(std::clamp(p.Int(param::kEclipse), 1, std::max(1, v.TheCatalogue.Count())));
  }
  ApplyMapSettings(p);
  CreateDiagramControls(client);
  ReportRefusedPictures();
}

void TForm_Main::ReportRefusedPictures() {
  if (refusedPictures_.empty()) return;
  static const char* const kReplaced[] = {"Bild ersetzt: %1", "Picture replaced: %1", "Image remplacée : %1"};
  static const char* const kMore[] = {" (und %1 weitere)", " (and %1 more)", " (et %1 autres)"};
  const std::uint8_t lang = ValidLanguageIndex(Vars().LanguageIndex);
  QString text = QString::fromUtf8(kReplaced[lang]).arg(Q(refusedPictures_.front()));
  if (refusedPictures_.size() > 1) text += QString::fromUtf8(kMore[lang]).arg(refusedPictures_.size() - 1);
  statusBar()->showMessage(text);
}

void TForm_Main::SelectEclipse() {
  VaromintelVariables& v = Vars();
  if (!v.TheCatalogue.Contains(ScrollBar_Eclipse->value())) return;  // never a zero record
  v.CurrentIndex = ScrollBar_Eclipse->value();
  selection_ = SelectEclipseAt(v.TheCatalogue, v.CurrentIndex, CurrentTimeSettings());
  v.CurrentEclipse = selection_.record;
  v.MoonPathPoints = selection_.moonPath;
  v.Circumstances = selection_.circumstances;
  v.ElementsAtT = selection_.atMax;
  v.CurrentT = selection_.circumstances.TimeMax;
  Edit_Jahr->setText(QString::number(selection_.record.Year));
  Saros_Edit->setText(QString::number(selection_.record.Saros));
  DrawWorldMap();
  ShowSelection();
  ShowGreatestEclipse();
}

TimeSettings TForm_Main::CurrentTimeSettings() const {
  const VaromintelVariables& v = Vars();
  TimeSettings t;
  t.universalTime = CheckBox_ET_UT->isChecked();
  t.timeZone = v.TimeZoneOffset;
  t.timeZoneText = Edit_TZone->text().toStdString();
  t.language = v.LanguageIndex;
  return t;
}

void TForm_Main::ShowSelection() {
  Vars().CurrentDeltaT = selection_.deltaT;
  GroupBox_Saros->setTitle(Q(selection_.sarosCaption));
  CheckBox_ET_UT->setText(Q(selection_.deltaTCaption));
  ShowReport(selection_.report);
}

void TForm_Main::ShowReport(const std::vector<ReportLine>& lines) {
  const VaromintelVariables& v = Vars();
  // One tab stop beyond the widest contact label, so that dates and times line up.
  QFont labelFont("Arial");
  labelFont.setPointSize(10);
  labelFont.setBold(true);
  const QFontMetrics metrics(labelFont);
  int widest = 0;
  for (int row = text_row::kLabelP1; row <= text_row::kLabelP4; ++row)
    widest = std::max(widest, metrics.horizontalAdvance(Q(Text(row, v.LanguageIndex))));
  RE_Table->setTabStopDistance(widest + 12);

  RE_Table->clear();
  QTextCursor cursor(RE_Table->document());
  bool first = true;
  for (const ReportLine& line : lines) {
    QTextCharFormat format;
    format.setFontFamilies({"Arial"});
    format.setFontPointSize(line.pointSize);
    format.setFontWeight(line.bold ? QFont::Bold : QFont::Normal);
    format.setForeground(line.grey ? QColor(160, 160, 160) : QColor(0, 0, 0));
    if (!first) cursor.insertBlock(QTextBlockFormat(), format);
    cursor.setCharFormat(format);
    cursor.insertText(Q(line.text), format);
    first = false;
  }
  RE_Table->moveCursor(QTextCursor::Start);
}

void TForm_Main::MoveTo(int index) {
  if (index != ScrollBar_Eclipse->value()) ScrollBar_Eclipse->setValue(index);  // runs SelectEclipse
}

// Handlers: each names the control and event of the design and calls what it does.
void TForm_Main::ScrollBar_EclipseChange(int) { SelectEclipse(); }
void TForm_Main::Edit_JahrKeyDown() { SelectByYear(); }
void TForm_Main::Saros_EditKeyDown() { SelectBySaros(); }
void TForm_Main::UpDown1Click(int direction) { StepSaros(direction, 1); }
void TForm_Main::UpDown3Click(int direction) { StepSaros(direction, 3); }
void TForm_Main::CheckBox_ET_UTClick() { SwitchTimeScale(); }
void TForm_Main::Edit_TZoneKeyDown() { ApplyTimeZoneEntry(); }
void TForm_Main::Version1Click() { ShowAbout(); }
void TForm_Main::SichtbarkeitClick() {
  if (cityList_) cityList_->ShowCleared();
}
void TForm_Main::CityHistClick() {
  if (cityHist_) cityHist_->ShowCleared();
}

void TForm_Main::AttachListWindows(TForm_CityHist* cityHist, TForm_CityList* cityList) {
  cityHist_ = cityHist;
  cityList_ = cityList;
}

void TForm_Main::SelectByYear() {
  const std::optional<YearSearch> found = FindByYear(Vars().TheCatalogue, Edit_Jahr->text().toStdString());
  if (!found) return;  // not an integer: ignored
  Edit_Jahr->setText(QString::number(found->year));
  MoveTo(found->index);
}

void TForm_Main::SelectBySaros() {
  const SarosSearch found = FindBySaros(Vars().TheCatalogue, Saros_Edit->text().toStdString());
  Saros_Edit->setText(QString::number(found.saros));
  if (found.index != 0) MoveTo(found.index);
}

void TForm_Main::StepSaros(int direction, int steps) {
  if (const auto i = StepInSaros(Vars().TheCatalogue, Vars().CurrentIndex, direction, steps)) MoveTo(*i);
}

void TForm_Main::SwitchTimeScale() {
  GroupBox_TZone->setVisible(CheckBox_ET_UT->isChecked());
  if (selection_.index == 0) return;  // nothing selected yet
  ApplyTimeSettings(selection_, CurrentTimeSettings());  // the circumstances stay
  ShowSelection();
  RefreshTimeDependent();
}

void TForm_Main::ApplyTimeZoneEntry() {
  VaromintelVariables& v = Vars();
  const std::optional<double> entered = ParseReal(Edit_TZone->text().toStdString());
  if (!entered) return;  // not a number: no clamping, no refresh, the zone stays
  v.TimeZoneOffset = ClampTimeZone(*entered);
  Edit_TZone->setText(Q(FormatTimeZone(v.TimeZoneOffset)));
  if (v.TimeZoneOffset != v.AppliedTimeZone) SelectEclipse();
  v.AppliedTimeZone = v.TimeZoneOffset;
}

void TForm_Main::ShowAbout() {
  QSize screen(1920, 1080);
  if (const QScreen* s = this->screen()) screen = s->size();
  Panel_About->ShowFor(Vars().ProgramVersionInfo, screen);
}

void TForm_Main::EveryActivation() {
  VaromintelVariables& v = Vars();
  Panel_About->FillVersionGrid(v.ProgramVersionInfo);
  v.CaptionPrefix = "Varomintel " + Panel_About->FileVersionCell().toStdString() + Text(text_row::kSubtitle, v.LanguageIndex);
  setWindowTitle(Q(v.CaptionPrefix));
  ShowDiagramCaption();
  Panel_About->hide();
}

void TForm_Main::FormActivate() {
  VaromintelVariables& v = Vars();
  if (!v.WindowStarted) {
    v.WindowStarted = true;
    RestoreStoredSliderPosition();
    SelectEclipse();
    Edit_TZone->setText(Q(FormatFixed(v.TimeZoneOffset, 2)));
    ApplyTimeZoneEntry();
  }
  EveryActivation();
}

void TForm_Main::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  QMainWindow::changeEvent(event);
}

void TForm_Main::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Without a window manager (or offscreen) a window may never become active: the first
  // selection must not wait for it.
  if (!Vars().WindowStarted) FormActivate();
}

void TForm_Main::StoreSettings() {
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
  p.SetFlag(param::kUniversalTime, CheckBox_ET_UT->isChecked());
  StoreMapSettings(p);
  p.SetInt(param::kTimeSlider, ScrollBar_Time->value());
  // A zone entry that is not a number keeps the zone in effect.
  p.SetDouble(param::kTimeZone, ParseReal(Edit_TZone->text().toStdString()).value_or(v.TimeZoneOffset));
  if (cityHist_) cityHist_->StoreSettings(p);
  if (cityList_) cityList_->StoreSettings(p);
}

}  // namespace varomintel
