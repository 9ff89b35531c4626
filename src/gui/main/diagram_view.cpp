#include "gui/main/diagram_view.h"

#include <QPainter>

#include "render/shadow_diagram.h"

namespace varomintel {

DiagramView::DiagramView(QWidget* parent) : QWidget(parent), images_{NewDiagramImage(), NewDiagramImage()} {
  setObjectName("DiagramImages");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DiagramView::Swap() {
  backImageIndex_ = 1 - backImageIndex_;
  update();
}

void DiagramView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(rect(), ShownImage());
}

}  // namespace varomintel
