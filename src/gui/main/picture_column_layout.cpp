#include "gui/main/picture_column_layout.h"

#include <QWidget>

#include <algorithm>

#include "gui/main/diagram_panel.h"
#include "gui/main/map_panel.h"

namespace varomintel {

namespace {
constexpr int kSearchSteps = 24;  // bisection of the scale: 2^-24 of the range
}  // namespace

PictureColumnLayout::PictureColumnLayout(QWidget* parent, DiagramPanel* diagram, MapPanel* map)
    : QLayout(parent), diagram_(diagram), map_(map) {
  setContentsMargins(0, 0, 0, 0);
  setSpacing(0);  // the map panel keeps its own margin above the map
  addChildWidget(diagram);
  addChildWidget(map);
  items_ = {new QWidgetItem(diagram), new QWidgetItem(map)};
}

PictureColumnLayout::~PictureColumnLayout() {
  for (QLayoutItem* item : items_) delete item;
}

// The two panels are fixed at construction; nothing else joins the column.
void PictureColumnLayout::addItem(QLayoutItem* item) { delete item; }
QLayoutItem* PictureColumnLayout::itemAt(int index) const {
  return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)] : nullptr;
}
QLayoutItem* PictureColumnLayout::takeAt(int) { return nullptr; }
int PictureColumnLayout::count() const { return static_cast<int>(items_.size()); }

QSize PictureColumnLayout::SizeAt(double scale) const {
  const QSize d = diagram_->SizeAtScale(scale);
  const QSize m = map_->SizeAtScale(scale);
  const QMargins margins = contentsMargins();
  return {std::max(d.width(), m.width()) + margins.left() + margins.right(),
          d.height() + spacing() + m.height() + margins.top() + margins.bottom()};
}

QSize PictureColumnLayout::sizeHint() const { return SizeAt(1); }
QSize PictureColumnLayout::minimumSize() const { return SizeAt(kMinimumScale); }

double PictureColumnLayout::ScaleFor(QSize size) const {
  const auto fits = [&](double s) {
    const QSize need = SizeAt(s);
    return need.width() <= size.width() && need.height() <= size.height();
  };
  if (!fits(kMinimumScale)) return kMinimumScale;
  if (fits(kMaximumScale)) return kMaximumScale;
  double low = kMinimumScale, high = kMaximumScale;
  for (int i = 0; i < kSearchSteps; ++i) {
    const double mid = (low + high) / 2;
    (fits(mid) ? low : high) = mid;
  }
  return low;
}

void PictureColumnLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  const QRect inner = rect.marginsRemoved(contentsMargins());
  scale_ = ScaleFor(rect.size());
  diagram_->SetScale(scale_);
  map_->SetScale(scale_);
  const QSize d = diagram_->SizeAtScale(scale_);
  const QSize m = map_->SizeAtScale(scale_);
  items_[0]->setGeometry(QRect(inner.topLeft(), d));
  // The map panel takes the column's width: its controls stay right of the map.
  items_[1]->setGeometry(QRect(inner.left(), inner.top() + d.height() + spacing(), std::max(m.width(), inner.width()),
                               inner.height() - d.height() - spacing()));
}

}  // namespace varomintel
