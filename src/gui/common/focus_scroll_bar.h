// A scroll bar that shows the keyboard focus. The styles draw no focus indication on a
// scroll bar, which normally takes no focus; the main window's time slider and eclipse
// scroll bar do (arrows, Page Up/Down, Home and End move them), so while one has the
// focus a frame in the highlight colour of the palette is drawn inside its edge.
// Keys on a horizontal bar: Left and Up, Page Up and Home move towards its start, Right and
// Down, Page Down and End towards its end (mirrored from right to left for Left and Right).
#pragma once

#include <QScrollBar>

namespace varomintel {

class FocusScrollBar : public QScrollBar {
  Q_OBJECT
 public:
  explicit FocusScrollBar(QWidget* parent = nullptr);

  // The width of the focus frame, pixels.
  static constexpr int kFrameWidth = 2;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace varomintel
