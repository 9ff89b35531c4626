// The degree labels round the main window's map as they stand on the screen: the map
// panel's pixels in a label's box, and the label's text drawn alone in such a box, to
// compare them. At the design size (one pixel per map pixel).
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QString>

#include "app/world_map_model.h"
#include "gui/main/map_panel.h"
#include "render/world_map.h"

namespace varomintel::testing {

// The box of a longitude label under map column `column`, and of a latitude label beside
// map row `row`, in the labelled picture at scale 1.
inline QRect LongitudeLabelBox(int column) {
  return {kMapLabelMarginLeft + column - 25, kMapLabelMarginTop + kMapHeight + 3, 50, 18};
}
inline QRect LatitudeLabelBox(int row) { return {0, LatitudeLabelTop(row), 40, 16}; }

// What the panel shows in `box` of its picture: the picture is laid so that its map area
// covers the map control.
inline QImage OnScreen(MapPanel& panel, QRect box) {
  const QWidget* map = panel.findChild<QWidget*>("Image_World");
  const QPoint origin = map->mapTo(&panel, QPoint(0, 0)) - panel.ShownMapArea().topLeft();
  return panel.grab(box.translated(origin)).toImage().convertToFormat(QImage::Format_RGB32);
}

// `text` alone in a box of that size, in the application font and the palette's text
// colour on its window colour.
inline QImage LabelText(const QString& text, QRect box, Qt::Alignment alignment) {
  const QPalette palette = QGuiApplication::palette();
  QImage image(box.size(), QImage::Format_RGB32);
  image.fill(palette.color(QPalette::Window));
  QPainter p(&image);
  p.setFont(QGuiApplication::font());
  p.setPen(palette.color(QPalette::WindowText));
  p.drawText(QRect(QPoint(0, 0), box.size()), alignment, text);
  return image;
}

}  // namespace varomintel::testing
