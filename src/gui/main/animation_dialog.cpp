#include "gui/main/animation_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/common/accessible_names.h"
#include "render/picture_caption.h"
#include "render/shadow_diagram.h"
#include "render/video_writer.h"
#include "text/number_text.h"

namespace varomintel {

namespace {

enum Text {
  kTitle,
  kStep,
  kFine,
  kCoarse,
  kSpan,
  kEclipse,
  kWhole,
  kFps,
  kSize,
  kSingle,
  kDouble,
  kDuration,
  kFpsRange,
  kTextCount
};

// English; the catalogue of the windows' language translates them.
constexpr const char* kTexts[kTextCount] = {
    QT_TRANSLATE_NOOP("AnimationDialog", "Save animation"),
    QT_TRANSLATE_NOOP("AnimationDialog", "Step"),
    QT_TRANSLATE_NOOP("AnimationDialog", "fine: 12 s a frame"),
    QT_TRANSLATE_NOOP("AnimationDialog", "coarse: 2 min a frame"),
    QT_TRANSLATE_NOOP("AnimationDialog", "Span"),
    QT_TRANSLATE_NOOP("AnimationDialog", "the eclipse (10 min before P1 to 10 min after P4)"),
    QT_TRANSLATE_NOOP("AnimationDialog", "the whole time slider (T0 ± 4 h)"),
    QT_TRANSLATE_NOOP("AnimationDialog", "Frames per second"),
    QT_TRANSLATE_NOOP("AnimationDialog", "Size"),
    QT_TRANSLATE_NOOP("AnimationDialog", "single (%1 × %2)"),
    QT_TRANSLATE_NOOP("AnimationDialog", "double (%1 × %2)"),
    QT_TRANSLATE_NOOP("AnimationDialog", "%1 frames, playing %2 s"),
    QT_TRANSLATE_NOOP("AnimationDialog", "Frames per second: %1 to %2"),
};

QString T(Text text, std::uint8_t /*language: the catalogue's*/) {
  return QCoreApplication::translate("AnimationDialog", kTexts[text]);
}

QString SizeText(Text text, int scale, std::uint8_t language) {
  // The diagram with the caption band below it, as the video's frames are drawn.
  const QSize size = VideoFrameSize(DiagramSizeAt(scale) + QSize(0, CaptionBandHeight(scale)));
  return T(text, language).arg(size.width()).arg(size.height());
}

// A group of two exclusive choices, the first above the second.
QGroupBox* ChoicePair(const QString& title, const char* name, QRadioButton* first, QRadioButton* second) {
  auto* group = new QGroupBox(title);
  group->setObjectName(QString::fromLatin1(name));
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(first);
  layout->addWidget(second);
  return group;
}

QRadioButton* Choice(const QString& text, const char* name) {
  auto* button = new QRadioButton(text);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

QString AnimationDurationText(int frames, int fps, std::uint8_t language) {
  QString seconds = QString::fromStdString(FormatFixed(static_cast<double>(frames) / std::max(1, fps), 1));
  if (language != 1) seconds.replace('.', ',');
  return T(kDuration, language).arg(frames).arg(seconds);
}

AnimationDialog::AnimationDialog(QWidget* parent, std::uint8_t language, const AnimationOptions& options,
                                 std::function<int(int, bool)> frames)
    : QDialog(parent), language_(language <= 3 ? language : 0), frames_(std::move(frames)) {
  setObjectName("Dialog_Animation");
  setWindowTitle(T(kTitle, language_));
  fine_ = Choice(T(kFine, language_), "RadioButton_Fine");
  coarse_ = Choice(T(kCoarse, language_), "RadioButton_Coarse");
  eclipse_ = Choice(T(kEclipse, language_), "RadioButton_Eclipse");
  whole_ = Choice(T(kWhole, language_), "RadioButton_Whole");
  single_ = Choice(SizeText(kSingle, 1, language_), "RadioButton_Single");
  double_ = Choice(SizeText(kDouble, 2, language_), "RadioButton_Double");
  fps_ = new QSpinBox;
  fps_->setObjectName("SpinBox_Fps");
  fps_->setRange(kMinVideoFps, kMaxVideoFps);
  auto* fpsLabel = new QLabel(T(kFps, language_));
  fpsLabel->setObjectName("Label_Fps");
  fpsLabel->setBuddy(fps_);
  duration_ = new QLabel;
  duration_->setObjectName("Label_Duration");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName("ButtonBox_Animation");

  auto* fpsRow = new QFormLayout;
  fpsRow->addRow(fpsLabel, fps_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ChoicePair(T(kStep, language_), "GroupBox_Step", fine_, coarse_));
  layout->addWidget(ChoicePair(T(kSpan, language_), "GroupBox_Span", eclipse_, whole_));
  layout->addWidget(ChoicePair(T(kSize, language_), "GroupBox_Size", single_, double_));
  layout->addLayout(fpsRow);
  layout->addWidget(duration_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  (options.step == 6 ? fine_ : coarse_)->setChecked(true);
  (options.whole ? whole_ : eclipse_)->setChecked(true);
  (options.scale == 2 ? double_ : single_)->setChecked(true);
  fps_->setValue(std::clamp(options.fps, kMinVideoFps, kMaxVideoFps));

  ok_ = buttons->button(QDialogButtonBox::Ok);
  ShowDuration();
  for (QRadioButton* b : {fine_, eclipse_}) connect(b, &QRadioButton::toggled, this, &AnimationDialog::ShowDuration);
  // Every keystroke, from the spin box's own entry: a text that is no frame rate (empty,
  // 0) changes no value, and the spin box's signals stay silent while value() keeps the
  // last valid one.
  if (auto* entry = fps_->findChild<QLineEdit*>()) {
    connect(entry, &QLineEdit::textChanged, this, &AnimationDialog::ShowDuration);
    entry->installEventFilter(this);
  }
  fps_->installEventFilter(this);
  connect(fps_, &QSpinBox::valueChanged, this, &AnimationDialog::ShowDuration);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  NameControlsForScreenReaders(this, language_);
}

// Enter in the frames a second while they are no valid entry: neither the spin box's own
// correction (back to the last valid value, unseen) nor the dialog's OK takes it; the
// entry stays as typed and the limits are shown until it is a frame rate.
bool AnimationDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && !FpsValid()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  }
  return QDialog::eventFilter(watched, event);
}

AnimationOptions AnimationDialog::Options() const {
  AnimationOptions options;
  options.step = fine_->isChecked() ? 6 : 60;
  options.whole = whole_->isChecked();
  options.fps = fps_->value();
  options.scale = double_->isChecked() ? 2 : 1;
  return options;
}

bool AnimationDialog::FpsValid() const { return fps_->hasAcceptableInput(); }

// OK only while the frames a second are a valid entry; the playing time of the entry, or
// the entry's limits while it is none.
void AnimationDialog::ShowDuration() {
  if (!ok_) return;  // still being built
  const bool valid = FpsValid();
  ok_->setEnabled(valid);
  if (!valid) {
    duration_->setText(T(kFpsRange, language_).arg(kMinVideoFps).arg(kMaxVideoFps));
    duration_->show();
    return;
  }
  if (!frames_) return duration_->hide();
  const AnimationOptions options = Options();
  duration_->setText(AnimationDurationText(frames_(options.step, options.whole), options.fps, language_));
}

bool AskAnimationOptions(QWidget* parent, std::uint8_t language, const std::function<int(int, bool)>& frames,
                         AnimationOptions* options) {
  // The last accepted choices of this run of the program.
  static AnimationOptions last;
  AnimationDialog dialog(parent, language, last, frames);
  if (dialog.exec() != QDialog::Accepted) return false;
  last = dialog.Options();
  *options = last;
  return true;
}

}  // namespace varomintel
