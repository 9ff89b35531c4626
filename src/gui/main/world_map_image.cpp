#include "gui/main/world_map_image.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "app/world_map_model.h"

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

QPoint WorldMapImage::PixelAt(QPointF position) const {
  const auto along = [](double p, int extent, int pixels) {
    const int i = static_cast<int>(std::floor(p * pixels / std::max(1, extent)));
    return std::clamp(i, 0, pixels - 1);
  };
  return {along(position.x(), width(), kMapWidth), along(position.y(), height(), kMapHeight)};
}

bool WorldMapImage::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = rect().contains(help->pos()) ? toolTipAt(PixelAt(help->pos())) : QString();
    if (text.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(help->globalPos(), text, this, rect());
    return true;
  }
  return QWidget::event(event);
}

void WorldMapImage::mouseMoveEvent(QMouseEvent* event) {
  if (QToolTip::isVisible() && rect().contains(event->position().toPoint()))
    QToolTip::showText(event->globalPosition().toPoint(), toolTipAt(PixelAt(event->position())), this, rect());
  QWidget::mouseMoveEvent(event);
}

void WorldMapImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(rect(), image_);
}

void WorldMapImage::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit pixelClicked(PixelAt(event->position()));
  QWidget::mouseReleaseEvent(event);
}

}  // namespace varomintel
