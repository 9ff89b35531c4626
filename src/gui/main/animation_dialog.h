// The options of "Save animation as ...", asked before the file name: the slider step
// between two frames (fine: 12 seconds, coarse: 2 minutes), the span (the eclipse, from 10
// minutes before P1 to 10 minutes after P4, or the whole slider), the frames a second and
// the size (the design size or twice it); the choices of varomintel-cli animate (--step,
// --whole, --fps, --scale). In German, English and French; the dialog shows how long the
// video plays.
#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace varomintel {

struct AnimationOptions {
  int step = 60;      // slider positions a frame: 6 (12 s) or 60 (2 min)
  bool whole = false;  // the whole slider instead of P1 - 10 min .. P4 + 10 min
  int fps = 30;        // kMinVideoFps .. kMaxVideoFps
  int scale = 1;       // 1: the design size, 2: twice it
  bool operator==(const AnimationOptions&) const = default;
};

// "190 Bilder, 6,3 s": the frame count and the playing time at `fps`, in the language.
QString AnimationDurationText(int frames, int fps, std::uint8_t language);

class AnimationDialog : public QDialog {
  Q_OBJECT
 public:
  // `frames(step, whole)` is the frame count of the video of those choices (for the
  // playing time shown; absent: none shown).
  AnimationDialog(QWidget* parent, std::uint8_t language, const AnimationOptions& options,
                  std::function<int(int, bool)> frames);

  // The choices as the controls show them.
  AnimationOptions Options() const;
  // The frames a second as typed are a number within the writer's limits (OK is enabled).
  bool FpsValid() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowDuration();

  std::uint8_t language_;
  std::function<int(int, bool)> frames_;
  QRadioButton *fine_, *coarse_, *eclipse_, *whole_, *single_, *double_;
  QSpinBox* fps_;
  QLabel* duration_;
  QPushButton* ok_ = nullptr;
};

// Shows the dialog with the choices last accepted in this session (the defaults of
// varomintel-cli animate at first); the choices, kept for the next time, or false on Cancel.
bool AskAnimationOptions(QWidget* parent, std::uint8_t language, const std::function<int(int, bool)>& frames,
                         AnimationOptions* options);

}  // namespace varomintel
