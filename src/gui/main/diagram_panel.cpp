#include "gui/main/diagram_panel.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "gui/common/app_state_object.h"
#include "gui/common/qt_translations.h"
#include "gui/main/diagram_view.h"
#include "text/text_table.h"
#include "ui_diagram_panel.h"

namespace varomintel {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Reverse play: the play symbol pointing left.
QIcon Mirrored(const QIcon& icon) {
  return QIcon(QPixmap::fromImage(icon.pixmap(16, 16).toImage().mirrored(true, false)));
}

// The picture's size at a scale: its width rounded, its height from the width, as the
// renderer derives it when it draws at width / design width.
QSize Scaled(QSize size, double scale) {
  const long width = std::lround(size.width() * scale);
  return {static_cast<int>(width), static_cast<int>(std::lround(static_cast<double>(width) * size.height() / size.width()))};
}

}  // namespace

DiagramPanel::DiagramPanel(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::DiagramPanel>()) {
  ui_->setupUi(this);
  QPalette white = ui_->Panel_Grafik->palette();
  white.setColor(QPalette::Window, Qt::white);
  ui_->Panel_Grafik->setPalette(white);

  ui_->ScrollBar_Time->setRange(kSliderFirst, kSliderLast);
  ui_->ScrollBar_Time->setSingleStep(kSliderSmallChange);
  ui_->ScrollBar_Time->setPageStep(kSliderLargeChange);
  ui_->ScrollBar_Time->setValue(kSliderT0);

  QStyle* s = style();
  ui_->Button_FastReverse->setIcon(s->standardIcon(QStyle::SP_MediaSeekBackward));
  ui_->Button_Reverse->setIcon(Mirrored(s->standardIcon(QStyle::SP_MediaPlay)));
  ui_->Button_Stop->setIcon(s->standardIcon(QStyle::SP_MediaStop));
  ui_->Button_Play->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
  ui_->Button_FastPlay->setIcon(s->standardIcon(QStyle::SP_MediaSeekForward));

  // One shot per step, set to when the pacer has the next one due.
  playTimer_ = new QTimer(this);
  playTimer_->setSingleShot(true);
  playTimer_->setTimerType(Qt::PreciseTimer);
  clock_.start();

  connect(ui_->ScrollBar_Time, &QScrollBar::valueChanged, this, &DiagramPanel::sliderMoved);
  connect(ui_->Button_FastReverse, &QToolButton::clicked, this, [this] { Play(PlayDirection::FastReverse); });
  connect(ui_->Button_Reverse, &QToolButton::clicked, this, [this] { Play(PlayDirection::Reverse); });
  connect(ui_->Button_Play, &QToolButton::clicked, this, [this] { Play(PlayDirection::Forward); });
  connect(ui_->Button_FastPlay, &QToolButton::clicked, this, [this] { Play(PlayDirection::FastForward); });
  connect(ui_->Button_Stop, &QToolButton::clicked, this, [this] {
    if (state_) state_->SetPlay(std::nullopt);
    playTimer_->stop();
  });
  connect(playTimer_, &QTimer::timeout, this, &DiagramPanel::PlayWhenDue);
  NameChoices();
  connect(ui_->DiagramChoice, &QComboBox::activated, this,
          [this](int index) { emit choiceChanged(static_cast<DiagramChoice>(index)); });
  // A focused tool button takes Space but not Enter: the panel gives it Enter too.
  for (QToolButton* b : {ui_->Button_FastReverse, ui_->Button_Reverse, ui_->Button_Stop, ui_->Button_Play,
                         ui_->Button_FastPlay})
    b->installEventFilter(this);
}

// Enter or Return on a focused play button clicks it, as Space does.
bool DiagramPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      auto* button = qobject_cast<QToolButton*>(watched);
      if (button && button->isEnabled() && !key->isAutoRepeat()) button->click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// The controls outlive the panel's members while QWidget's destructor hides them: a hidden
// entry that had the focus still reports its editing finished. Nothing reaches the panel then.
DiagramPanel::~DiagramPanel() {
  for (QObject* control : findChildren<QObject*>()) control->disconnect(this);
}

void DiagramPanel::SetScale(double scale, int) {
  const QSize picture = Scaled(kPictureSize, scale);
  if (ui_->Panel_Grafik->size() != picture || ui_->Panel_Grafik->minimumSize() != picture)
    ui_->Panel_Grafik->setFixedSize(picture);
  if (scale != scale_) {
    scale_ = scale;
    emit pictureSizeChanged();
  }
}

double DiagramPanel::PhysicalScale() const {
  return devicePixelRatioF() * ui_->Panel_Grafik->minimumWidth() / kPictureSize.width();
}

QSize DiagramPanel::SizeAtScale(double scale, int) const {
  const QSize picture = Scaled(kPictureSize, scale);
  const int below = ui_->DiagramLayout->spacing() * 2 + ui_->ScrollBar_Time->minimumHeight() +
                    ui_->PlayLayout->sizeHint().height();
  return {picture.width(), picture.height() + below};
}

DiagramView* DiagramPanel::Diagram() const { return ui_->DiagramImages; }
QWidget* DiagramPanel::Slider() const { return ui_->ScrollBar_Time; }

std::vector<QWidget*> DiagramPanel::ReadingOrder() const {
  return {ui_->ScrollBar_Time, ui_->Button_FastReverse, ui_->Button_Reverse, ui_->Button_Stop, ui_->Button_Play,
          ui_->Button_FastPlay, ui_->DiagramChoice};
}

DiagramChoice DiagramPanel::Choice() const { return static_cast<DiagramChoice>(ui_->DiagramChoice->currentIndex()); }

void DiagramPanel::SetChoice(DiagramChoice choice) {
  const QSignalBlocker block(ui_->DiagramChoice);
  ui_->DiagramChoice->setCurrentIndex(static_cast<int>(choice));
}

// The choice's entries in the order of DiagramChoice, in the windows' language.
void DiagramPanel::NameChoices() {
  QComboBox* c = ui_->DiagramChoice;
  const QStringList names{tr("Shadow"), tr("Sky at the marked place"), tr("Shadow as seen from the marked place")};
  const int current = std::max(0, c->currentIndex());
  const QSignalBlocker block(c);
  c->clear();
  c->addItems(names);
  c->setCurrentIndex(current);
  ui_->Label_DiagramChoice->setText(tr("Picture:"));
  // The play buttons stay centred under the picture: the spacer at the row's left end is as
  // wide as the choice and its label at the right end where the row has room; in a narrow
  // row it gives way first, so that the choice is never cut.
  const int spacing = ui_->PlayLayout->spacing();
  ui_->PlayBalance->changeSize(ui_->Label_DiagramChoice->sizeHint().width() + c->sizeHint().width() + 2 * spacing, 0,
                               QSizePolicy::Preferred, QSizePolicy::Minimum);
  // At once, not at the next round of events: the new texts are laid out when they show.
  ui_->PlayLayout->invalidate();
  ui_->PlayLayout->activate();
  c->setToolTip(tr("What the picture above shows. The sky and the turned shadow are those of the marked place "
                   "(“Point of Interest” under the world map)."));
}

int DiagramPanel::SliderPosition() const { return ui_->ScrollBar_Time->value(); }

void DiagramPanel::SetSliderPosition(int position) {
  const QSignalBlocker block(ui_->ScrollBar_Time);
  ui_->ScrollBar_Time->setValue(position);
}

void DiagramPanel::ShowPicture(const QImage& picture) {
  ui_->DiagramImages->BackImage() = picture;
  ui_->DiagramImages->Swap();
}

void DiagramPanel::Retranslate(std::uint8_t language) {
  ui_->Button_FastReverse->setToolTip(Q(Text(text_row::kHintFastReverse, language)));
  ui_->Button_Reverse->setToolTip(Q(Text(text_row::kHintReverse, language)));
  ui_->Button_Stop->setToolTip(Q(Text(text_row::kHintStop, language)));
  ui_->Button_Play->setToolTip(Q(Text(text_row::kHintPlay, language)));
  ui_->Button_FastPlay->setToolTip(Q(Text(text_row::kHintFastPlay, language)));
  // The slider's hint is kept but not shown as a tool tip: for assistive tools only.
  ui_->ScrollBar_Time->setAccessibleDescription(Q(Text(text_row::kHintTimeSlider, language)));
}

void DiagramPanel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    Retranslate(WindowLanguage());
    NameChoices();
  }
  QWidget::changeEvent(event);
}

void DiagramPanel::SetPlayFrame(PlayPacer::Duration frame) { playFrame_ = frame; }

PlayPacer::Duration DiagramPanel::Now() const { return PlayPacer::Duration(clock_.nsecsElapsed()); }

// Play: one step at once, then one per display frame, so that the eclipse can be watched
// and Stop, the slider, the menus, the other buttons and the selection stay usable in
// between. The play ends at Stop, at the end of its slider range, or when the window
// closes (which ends the play in the state). Selecting another eclipse or moving the slider by
// hand does not stop it: it continues from the new position.
void DiagramPanel::Follow(AppStateObject* state) {
  state_ = state;
  connect(state_, &AppStateObject::changed, this, [this](Changes c) {
    if (c.Has(Aspect::Play) && !Playing()) playTimer_->stop();
  });
}

bool DiagramPanel::Playing() const { return state_ && state_->State().Playing(); }

void DiagramPanel::Play(PlayDirection direction) {
  if (!state_) return;
  state_->SetPlay(direction);
  playDirection_ = direction;
  ui_->Button_Stop->setFocus();  // Enter or Space stops
  const QScreen* shown = screen();
  pacer_ = PlayPacer(playFrame_ ? *playFrame_ : PlayPacer::FrameOf(shown ? shown->refreshRate() : 0));
  pacer_.Start(Now());
  PlayOneStep();
  ScheduleNextStep();
}

// A timer shot: the step when it is due (a shot may come a little early), then the next shot.
void DiagramPanel::PlayWhenDue() {
  if (Playing() && pacer_.Due(Now())) PlayOneStep();
  ScheduleNextStep();
}

void DiagramPanel::ScheduleNextStep() {
  if (!Playing()) {
    playTimer_->stop();
    return;
  }
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(pacer_.Wait(Now()));
  playTimer_->start(static_cast<int>(wait.count()));
}

void DiagramPanel::PlayOneStep() {
  QScrollBar* slider = ui_->ScrollBar_Time;
  if (Playing() && PlayMayStep(playDirection_, slider->value())) {
    pacer_.Stepped(Now());
    slider->setValue(slider->value() + PlayStep(playDirection_));  // emits sliderMoved
  }
  if (!Playing() || !PlayMayStep(playDirection_, slider->value())) {
    playTimer_->stop();
    if (state_) state_->SetPlay(std::nullopt);
  }
}

}  // namespace varomintel
