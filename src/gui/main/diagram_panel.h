// The main window's diagram panel: the shadow diagram (Panel_Grafik with its two pictures),
// the time slider under it and the five play buttons under the slider. The panel runs a
// play itself, one slider step per round of the event loop; every slider move, by hand or
// by a play, leaves as sliderMoved.
#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <memory>

#include "app/time_slider.h"

class QTimer;

namespace Ui {
class DiagramPanel;
}

namespace varomintel {

class DiagramPanel : public QWidget {
  Q_OBJECT
 public:
  // The diagram's picture at scale 1, pixels.
  static constexpr QSize kPictureSize{1040, 480};

  explicit DiagramPanel(QWidget* parent = nullptr);
  ~DiagramPanel() override;

  // The diagram drawn at `scale` times its design size, and the panel's size then.
  void SetScale(double scale);
  QSize SizeAtScale(double scale) const;

  int SliderPosition() const;
  // Moves the slider without a sliderMoved.
  void SetSliderPosition(int position);

  // The hidden picture, drawn next; ShowBackImage swaps it in.
  QImage& BackImage();
  void ShowBackImage();
  const QImage& ShownImage() const;

  // Starts a play; a play button pressed during a play takes over with its direction.
  void Play(PlayDirection direction);
  // The play buttons' hints and the slider's description in the language.
  void Retranslate(std::uint8_t language);

 signals:
  void sliderMoved(int position);

 private:
  void PlayOneStep();
  std::unique_ptr<Ui::DiagramPanel> ui_;
  QTimer* playTimer_ = nullptr;
  PlayDirection playDirection_ = PlayDirection::Forward;
};

}  // namespace varomintel
