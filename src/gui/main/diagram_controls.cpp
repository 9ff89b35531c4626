// TForm_Main: the shadow diagram, the time slider with its five play buttons, the
// date-time panel and the elements table SG. The window only moves controls and calls
// the renderer and the models; the drawing is render/shadow_diagram, the table's texts
// app/elements_table, the slider arithmetic and play limits app/time_slider.
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "app/elements_table.h"
#include "app/varomintel_variables.h"
#include "gui/main/Varomintel_Unit_Main.h"
#include "gui/main/checked_pictures.h"
#include "gui/main/diagram_view.h"
#include "render/shadow_diagram.h"
#include "text/text_table.h"

namespace varomintel {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// SGDrawCell: the cell's background, then its text from the top edge on one line, the
// value column right-aligned, name and unit left-aligned.
class SGCellDrawer : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->fillRect(option.rect, option.palette.base());
    painter->setFont(option.font);
    painter->setPen(Qt::black);
    const Qt::Alignment align = (index.column() == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
    painter->drawText(option.rect.adjusted(2, 1, -2, 0), static_cast<int>(align | Qt::TextSingleLine),
                      index.data().toString());
  }
};

QToolButton* PlayButton(QWidget* parent, const char* name, const QIcon& icon) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setIcon(icon);
  b->setFocusPolicy(Qt::StrongFocus);
  return b;
}

// Reverse play: the play symbol pointing left.
QIcon Mirrored(const QIcon& icon) {
  return QIcon(QPixmap::fromImage(icon.pixmap(16, 16).toImage().mirrored(true, false)));
}

}  // namespace

void TForm_Main::CreateDiagramControls(QWidget* client) {
  // The diagram fills Panel_Grafik; the slider and the buttons lie below it.
  DiagramImages = new DiagramView(Panel_Grafik);
  DiagramImages->setGeometry(Panel_Grafik->rect());
  const QRect panel = Panel_Grafik->geometry();

  ScrollBar_Time = new QScrollBar(Qt::Horizontal, client);
  ScrollBar_Time->setObjectName("ScrollBar_Time");
  ScrollBar_Time->setGeometry(panel.left(), panel.bottom() + 5, panel.width(), 20);
  ScrollBar_Time->setRange(kSliderFirst, kSliderLast);
  ScrollBar_Time->setSingleStep(kSliderSmallChange);
  ScrollBar_Time->setPageStep(kSliderLargeChange);
  ScrollBar_Time->setValue(kSliderT0);

  QStyle* s = style();
  Button_FastReverse = PlayButton(client, "Button_FastReverse", s->standardIcon(QStyle::SP_MediaSeekBackward));
  Button_Reverse = PlayButton(client, "Button_Reverse", Mirrored(s->standardIcon(QStyle::SP_MediaPlay)));
  Button_Stop = PlayButton(client, "Button_Stop", s->standardIcon(QStyle::SP_MediaStop));
  Button_Play = PlayButton(client, "Button_Play", s->standardIcon(QStyle::SP_MediaPlay));
  Button_FastPlay = PlayButton(client, "Button_FastPlay", s->standardIcon(QStyle::SP_MediaSeekForward));
  const int buttonsLeft = panel.left() + (panel.width() - (5 * 43 + 4 * 6)) / 2;
  int x = buttonsLeft;
  for (QToolButton* b : {Button_FastReverse, Button_Reverse, Button_Stop, Button_Play, Button_FastPlay}) {
    b->setGeometry(x, ScrollBar_Time->geometry().bottom() + 5, 43, 21);
    x += 43 + 6;
  }
  playTimer_ = new QTimer(this);
  playTimer_->setInterval(0);  // as fast as the drawing allows, one step per round of the event loop

  // The date-time panel and the elements table below the report, at the left edge.
  const int top = RE_Table->geometry().bottom() + 9;
  Panel_DatumZeit = new QFrame(client);
  Panel_DatumZeit->setObjectName("Panel_DatumZeit");
  Panel_DatumZeit->setGeometry(RE_Table->geometry().left(), top, 212, 50);
  Panel_DatumZeit->setFrameShape(QFrame::Panel);
  Panel_DatumZeit->setFrameShadow(QFrame::Sunken);
  Label_DatumZeit = new QLabel(Panel_DatumZeit);
  Label_DatumZeit->setObjectName("Label_DatumZeit");
  Label_DatumZeit->setGeometry(6, 4, 202, 22);
  QFont dateFont("Arial");
  dateFont.setPointSize(11);
  dateFont.setBold(true);
  Label_DatumZeit->setFont(dateFont);
  MoFiTyp_Label = new QLabel(Panel_DatumZeit);
  MoFiTyp_Label->setObjectName("MoFiTyp_Label");
  MoFiTyp_Label->setGeometry(6, 26, 202, 20);
  QFont typeFont("Arial");
  typeFont.setPointSize(9);
  MoFiTyp_Label->setFont(typeFont);

  SG = new QTableWidget(kElementsTableRows, kElementsTableColumns, client);
  SG->setObjectName("SG");
  SG->setGeometry(Panel_DatumZeit->geometry().left(), Panel_DatumZeit->geometry().bottom() + 7, 212, 293);
  SG->horizontalHeader()->hide();
  SG->verticalHeader()->hide();
  SG->verticalHeader()->setMinimumSectionSize(1);
  SG->verticalHeader()->setDefaultSectionSize(20);
  SG->setShowGrid(false);
  SG->setFrameShape(QFrame::NoFrame);
  SG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SG->setFocusPolicy(Qt::NoFocus);
  SG->setSelectionMode(QAbstractItemView::NoSelection);
  SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Arial 15 pixels high from the top of its accents to the bottom of its descenders (the
  // line height, not the em size): with the em at 15 pixels a value such as "-4.0000" is
  // wider than its 50-pixel column and loses its minus sign.
  QFont gridFont("Arial");
  for (int pixels = 15; pixels > 8; --pixels) {
    gridFont.setPixelSize(pixels);
    if (QFontMetrics(gridFont).height() <= 15) break;
  }
  SG->setFont(gridFont);
  SG->setItemDelegate(new SGCellDrawer(SG));
  const int widths[kElementsTableColumns] = {88, 50, 75};
  for (int c = 0; c < kElementsTableColumns; ++c) SG->setColumnWidth(c, widths[c]);
  for (int r = 0; r < kElementsTableRows; ++r)
    for (int c = 0; c < kElementsTableColumns; ++c) SG->setItem(r, c, new QTableWidgetItem);

  connect(ScrollBar_Time, &QScrollBar::valueChanged, this, &TForm_Main::ScrollBar_TimeChange);
  connect(Button_FastReverse, &QToolButton::clicked, this, &TForm_Main::Button_FastReverseClick);
  connect(Button_Reverse, &QToolButton::clicked, this, &TForm_Main::Button_ReverseClick);
  connect(Button_Stop, &QToolButton::clicked, this, &TForm_Main::Button_StopClick);
  connect(Button_Play, &QToolButton::clicked, this, &TForm_Main::Button_PlayClick);
  connect(Button_FastPlay, &QToolButton::clicked, this, &TForm_Main::Button_FastPlayClick);
  connect(playTimer_, &QTimer::timeout, this, &TForm_Main::PlayOneStep);

  moonPictures_ = LoadCheckedMoonPictures("", refusedPictures_);  // by bare file name: the current directory
  ApplyDiagramLanguage();
}

void TForm_Main::ApplyDiagramLanguage() {
  const std::uint8_t lang = Vars().LanguageIndex;
  Button_FastReverse->setToolTip(Q(Text(text_row::kHintFastReverse, lang)));
  Button_Reverse->setToolTip(Q(Text(text_row::kHintReverse, lang)));
  Button_Stop->setToolTip(Q(Text(text_row::kHintStop, lang)));
  Button_Play->setToolTip(Q(Text(text_row::kHintPlay, lang)));
  Button_FastPlay->setToolTip(Q(Text(text_row::kHintFastPlay, lang)));
  // The slider's hint is kept but not shown as a tool tip: for assistive tools only.
  ScrollBar_Time->setAccessibleDescription(Q(Text(text_row::kHintTimeSlider, lang)));
}

// Handlers.
void TForm_Main::ScrollBar_TimeChange(int) { RefreshTimeDependent(); }
void TForm_Main::Button_FastReverseClick() { Play(PlayDirection::FastReverse); }
void TForm_Main::Button_ReverseClick() { Play(PlayDirection::Reverse); }
void TForm_Main::Button_PlayClick() { Play(PlayDirection::Forward); }
void TForm_Main::Button_FastPlayClick() { Play(PlayDirection::FastForward); }
void TForm_Main::Button_StopClick() { Vars().PlayRunning = false; }

void TForm_Main::RestoreStoredSliderPosition() {
  const QSignalBlocker block(ScrollBar_Time);  // the selection that follows draws
  ScrollBar_Time->setValue(Vars().Parameters.Int(param::kTimeSlider));
}

void TForm_Main::ShowGreatestEclipse() {
  {
    const QSignalBlocker block(ScrollBar_Time);  // one refresh, also when the position stays
    ScrollBar_Time->setValue(SliderPosition(Vars().CurrentT));
  }
  RefreshTimeDependent();
}

void TForm_Main::RefreshTimeDependent() {
  VaromintelVariables& v = Vars();
  if (selection_.index == 0) return;  // nothing selected yet
  const SliderTime time = SliderTimeAt(v.CurrentEclipse, ScrollBar_Time->value(), v.CurrentDeltaT);
  v.CurrentT = time.t;
  v.CurrentJDTT = time.jdTT;
  v.CurrentJDUT = time.jdUT;
  DrawShadowDiagram();
  v.MoonConstellation = MoonConstellation(v.ElementsAtT, v.CurrentJDUT);
  FillElementsTable();
}

void TForm_Main::DrawShadowDiagram() {
  VaromintelVariables& v = Vars();
  DiagramScene scene;
  scene.record = &v.CurrentEclipse;
  scene.circumstances = &v.Circumstances;
  scene.moonPath = &v.MoonPathPoints;
  scene.t = v.CurrentT;
  scene.jdTT = v.CurrentJDTT;
  scene.jdUT = v.CurrentJDUT;
  scene.deltaT = v.CurrentDeltaT;
  scene.universalTime = CheckBox_ET_UT->isChecked();
  scene.language = v.LanguageIndex;
  scene.captionPrefix = v.CaptionPrefix;
  const DiagramFrame frame = varomintel::DrawShadowDiagram(DiagramImages->BackImage(), scene, moonPictures_);
  DiagramImages->Swap();
  v.CurrentJDUT = frame.jdUT;
  v.ElementsAtT = frame.elements;
  diagramDateTime_ = frame.dateTime;
  setWindowTitle(Q(frame.caption));
  Label_DatumZeit->setText(Q(frame.dateTime));
  MoFiTyp_Label->setText(Q(frame.shortType));
}

void TForm_Main::ShowDiagramCaption() {
  const VaromintelVariables& v = Vars();
  if (diagramDateTime_.empty()) return;
  setWindowTitle(Q(DiagramCaption(v.CaptionPrefix, diagramDateTime_, v.CurrentEclipse.EclipseType, v.LanguageIndex)));
}

void TForm_Main::FillElementsTable() {
  const VaromintelVariables& v = Vars();
  if (v.CurrentIndex == 0) return;  // no eclipse selected yet
  ElementsTableInput in;
  in.t = v.CurrentT;
  in.elements = v.ElementsAtT;
  in.gamma = v.CurrentEclipse.Gamma;
  in.penMag = v.Circumstances.PenMag;
  in.umbMag = v.Circumstances.UmbMag;
  in.constellation = v.MoonConstellation;
  in.language = v.LanguageIndex;
  const ElementsTableCells cells = ElementsTableTexts(in);
  for (int r = 0; r < kElementsTableRows; ++r)
    for (int c = 0; c < kElementsTableColumns; ++c)
      SG->item(r, c)->setText(Q(cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
}

// Play: one step at once, then one per round of the event loop, so that Stop, the slider,
// the other buttons and the selection stay usable in between. A play button pressed during
// a play takes over with its own direction; the play ends at Stop, at the end of its slider
// range, or when the window closes (which clears PlayRunning). Selecting another eclipse or
// moving the slider by hand does not stop it: it continues from the new position.
void TForm_Main::Play(PlayDirection direction) {
  Vars().PlayRunning = true;
  playDirection_ = direction;
  Button_Stop->setFocus();  // Enter or Space stops
  PlayOneStep();
  if (Vars().PlayRunning) playTimer_->start();
}

void TForm_Main::PlayOneStep() {
  VaromintelVariables& v = Vars();
  if (v.PlayRunning && PlayMayStep(playDirection_, ScrollBar_Time->value()))
    ScrollBar_Time->setValue(ScrollBar_Time->value() + PlayStep(playDirection_));  // runs RefreshTimeDependent
  if (!v.PlayRunning || !PlayMayStep(playDirection_, ScrollBar_Time->value())) {
    v.PlayRunning = false;
    playTimer_->stop();
  }
}

}  // namespace varomintel
