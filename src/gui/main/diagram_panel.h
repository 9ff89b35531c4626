// The main window's diagram panel: the shadow diagram (Panel_Grafik with its two pictures),
// the time slider under it and the five play buttons under the slider. The panel runs a
// play itself, one slider step per display frame (PlayPacer); every slider move, by hand,
// by the keyboard or by a play, leaves as sliderMoved. A choice at the play row's right end
// says what the picture shows (DiagramChoice); the window draws it.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/play_pacer.h"
#include "app/time_slider.h"
#include "gui/main/picture_column_layout.h"

class QTimer;

namespace Ui {
class DiagramPanel;
}

namespace varomintel {

class AppStateObject;
class DiagramView;

// What the diagram panel's picture shows: the shadow diagram (north up, as seen from the
// Earth's centre), the sky at the marked place (render/sky_view.h), or the shadow diagram
// turned so that the marked place's zenith is up. The values are kept in the settings.
enum class DiagramChoice { Shadow = 0, Sky = 1, ShadowFromPlace = 2 };
inline constexpr int kDiagramChoices = 3;

class DiagramPanel : public QWidget, public ScaledPanel {
  Q_OBJECT
 public:
  // The diagram's picture at scale 1, pixels.
  static constexpr QSize kPictureSize{1040, 480};

  explicit DiagramPanel(QWidget* parent = nullptr);
  ~DiagramPanel() override;

  // The diagram drawn at `scale` times its design size, and the panel's size then (one
  // arrangement: the slider and the play buttons under the diagram).
  void SetScale(double scale, int arrangement = 0) override;
  QSize SizeAtScale(double scale, int arrangement = 0) const override;

  // The shown diagram and the time slider, for the window's menus and descriptions.
  DiagramView* Diagram() const;
  QWidget* Slider() const;
  // The picture's choice; SetChoice does not emit choiceChanged.
  DiagramChoice Choice() const;
  void SetChoice(DiagramChoice choice);
  // The panel's controls in reading order (the slider, the play buttons, the choice).
  std::vector<QWidget*> ReadingOrder() const;

  int SliderPosition() const;
  // Moves the slider without a sliderMoved.
  void SetSliderPosition(int position);

  // Physical pixels per design pixel of the diagram shown now (the screen's device pixel
  // ratio times the layout's scale): the renderer draws at it, so the diagram is never
  // a stretched bitmap.
  double PhysicalScale() const;
  // Shows a drawing (of DiagramSizeAt(PhysicalScale())): it goes into the hidden picture,
  // which then takes the place of the shown one.
  void ShowPicture(const QImage& picture);

  // The state whose play the panel runs: a play button starts it there, Stop or the
  // slider's end ends it, and a play ended elsewhere (the window closing) stops the steps.
  void Follow(AppStateObject* state);
  bool Playing() const;
  // Starts a play; a play button pressed during a play takes over with its direction.
  void Play(PlayDirection direction);
  // The shortest time between two play steps for the plays from now on, instead of one
  // frame of the panel's screen (60 a second at most); zero plays as fast as the drawing
  // allows (the benchmarks measure a step so).
  void SetPlayFrame(PlayPacer::Duration frame);
  // The play buttons' hints and the slider's description in the language.
  void Retranslate(std::uint8_t language);

 signals:
  void sliderMoved(int position);
  // The diagram's size on the screen changed: it is drawn again at PhysicalScale.
  void pictureSizeChanged();
  // The user chose another picture.
  void choiceChanged(DiagramChoice choice);

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void NameChoices();
  void PlayOneStep();
  void PlayWhenDue();
  void ScheduleNextStep();
  PlayPacer::Duration Now() const;
  std::unique_ptr<Ui::DiagramPanel> ui_;
  QTimer* playTimer_ = nullptr;
  QElapsedTimer clock_;  // steady
  PlayPacer pacer_;
  std::optional<PlayPacer::Duration> playFrame_;  // set by SetPlayFrame
  PlayDirection playDirection_ = PlayDirection::Forward;
  double scale_ = 1;
  AppStateObject* state_ = nullptr;
};

}  // namespace varomintel
