#include "gui/common/focus_scroll_bar.h"

#include <QKeyEvent>
#include <QPainter>

namespace varomintel {

FocusScrollBar::FocusScrollBar(QWidget* parent) : QScrollBar(parent) { setFocusPolicy(Qt::StrongFocus); }

void FocusScrollBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (!hasFocus()) return;
  QPainter p(this);
  QPen pen(palette().color(QPalette::Active, QPalette::Highlight), kFrameWidth);
  pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  // The pen is centred on the rectangle's edge: inset by half its width to stay inside.
  const qreal half = kFrameWidth / 2.0;
  p.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

// A scroll bar's controls are inverted (Up and Page Up scroll back), which on a horizontal
// bar also turns Left and Right round: Left would move to the right. Left and Right go the
// way they point here; the other keys keep the scroll bar's meaning.
void FocusScrollBar::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (orientation() == Qt::Horizontal && (key == Qt::Key_Left || key == Qt::Key_Right)) {
    const bool back = (key == Qt::Key_Left) != isRightToLeft();
    triggerAction(back ? SliderSingleStepSub : SliderSingleStepAdd);
    event->accept();
    return;
  }
  QScrollBar::keyPressEvent(event);
}

}  // namespace varomintel
