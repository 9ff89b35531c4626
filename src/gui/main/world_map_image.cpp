#include "gui/main/world_map_image.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace varomintel {

WorldMapImage::WorldMapImage(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
  setMouseTracking(true);  // the tooltip follows the mouse once it shows
}

void WorldMapImage::setImage(const QImage& image) {
  image_ = image;
  update();
}

bool WorldMapImage::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = rect().contains(help->pos()) ? toolTipAt(help->pos()) : QString();
    if (text.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(help->globalPos(), text, this, rect());
    return true;
  }
  return QWidget::event(event);
}

void WorldMapImage::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pixel = event->position().toPoint();
  if (QToolTip::isVisible() && rect().contains(pixel))
    QToolTip::showText(event->globalPosition().toPoint(), toolTipAt(pixel), this, rect());
  QWidget::mouseMoveEvent(event);
}

void WorldMapImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  p.drawImage(0, 0, image_);
}

void WorldMapImage::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pixel = event->position().toPoint();
  if (event->button() == Qt::LeftButton && rect().contains(pixel)) emit pixelClicked(pixel);
  QWidget::mouseReleaseEvent(event);
}

}  // namespace varomintel
