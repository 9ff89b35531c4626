// The image control of the world map: shows one picture filling the control, reports the
// picture's pixel (of the 680 x 340 map grid) under a left click, and asks its owner for
// the tooltip of the pixel under the mouse.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

namespace varomintel {

class WorldMapImage : public QWidget {
  Q_OBJECT
 public:
  explicit WorldMapImage(QWidget* parent = nullptr);

  // The picture shown; replaced whole by every drawing.
  void setImage(const QImage& image);
  const QImage& image() const { return image_; }
  // The map-grid pixel (column 0..679, row 0..339) under a point of the control.
  QPoint PixelAt(QPointF position) const;
  // The tooltip of a pixel (column, row) of the picture; empty: no tooltip.
  void setToolTipSource(std::function<QString(QPoint)> source) { toolTipSource_ = std::move(source); }
  QString toolTipAt(QPoint pixel) const { return toolTipSource_ ? toolTipSource_(pixel) : QString(); }

 signals:
  // A left click on the pixel (column, row) of the picture.
  void pixelClicked(QPoint pixel);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage image_;
  std::function<QString(QPoint)> toolTipSource_;
};

}  // namespace varomintel
