#include "gui/common/focus_scroll_bar.h"

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

}  // namespace varomintel
