#include "gui/main/picture_column_layout.h"

#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace varomintel {

namespace {
constexpr int kSearchSteps = 24;  // bisection of the scale: 2^-24 of the range
constexpr int kCoarseSplits = 200;  // the splits tried over the whole length before the fine search
}  // namespace

PictureAreaLayout::PictureAreaLayout(QWidget* area, QWidget* panel)
    : QLayout(area), panel_(dynamic_cast<ScaledPanel*>(panel)), item_(new QWidgetItem(panel)) {
  Q_ASSERT(panel_);
  setContentsMargins(0, 0, 0, 0);
  addChildWidget(panel);
}

PictureAreaLayout::~PictureAreaLayout() { delete item_; }

// The panel is fixed at construction; nothing else joins the area.
void PictureAreaLayout::addItem(QLayoutItem* item) { delete item; }
QLayoutItem* PictureAreaLayout::itemAt(int index) const { return index == 0 ? item_ : nullptr; }
QLayoutItem* PictureAreaLayout::takeAt(int) { return nullptr; }
int PictureAreaLayout::count() const { return 1; }

QSize PictureAreaLayout::sizeHint() const { return panel_->SizeAtScale(1, 0); }

QSize PictureAreaLayout::minimumSize() const { return panel_->SizeAtScale(kMinimumScale, leastArrangement_); }

void PictureAreaLayout::SetLeastArrangement(int arrangement) {
  if (arrangement == leastArrangement_) return;
  leastArrangement_ = arrangement;
  invalidate();
}

PanelFit PictureAreaLayout::FitFor(const ScaledPanel& panel, QSize size) {
  PanelFit best{kMinimumScale, 0};
  bool anyFits = false;
  for (int a = 0; a < panel.Arrangements(); ++a) {
    const auto fits = [&](double s) {
      const QSize need = panel.SizeAtScale(s, a);
      return need.width() <= size.width() && need.height() <= size.height();
    };
    if (!fits(kMinimumScale)) continue;
    double low = kMinimumScale, high = kMaximumScale;
    if (fits(kMaximumScale)) {
      low = kMaximumScale;
    } else {
      for (int i = 0; i < kSearchSteps; ++i) {
        const double mid = (low + high) / 2;
        (fits(mid) ? low : high) = mid;
      }
    }
    if (!anyFits || low > best.scale) best = {low, a};
    anyFits = true;
  }
  // Nothing fits: the least scale in the arrangement that overflows the least.
  if (!anyFits) {
    long leastOverflow = -1;
    for (int a = 0; a < panel.Arrangements(); ++a) {
      const QSize need = panel.SizeAtScale(kMinimumScale, a);
      const long overflow = std::max(0, need.width() - size.width()) + std::max(0, need.height() - size.height());
      if (leastOverflow < 0 || overflow < leastOverflow) leastOverflow = overflow, best = {kMinimumScale, a};
    }
  }
  return best;
}

void PictureAreaLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  fit_ = FitFor(*panel_, rect.size());
  panel_->SetScale(fit_.scale, fit_.arrangement);
  const QSize size = panel_->SizeAtScale(fit_.scale, fit_.arrangement).boundedTo(rect.size());
  // The free space, if any, on both sides, or on the side away from the alignment (the
  // window aligns the two panels towards each other).
  const Qt::Alignment a = alignment();
  const int x = a & Qt::AlignLeft ? 0 : a & Qt::AlignRight ? rect.width() - size.width() : (rect.width() - size.width()) / 2;
  const int y = a & Qt::AlignTop ? 0 : a & Qt::AlignBottom ? rect.height() - size.height() : (rect.height() - size.height()) / 2;
  item_->setGeometry(QRect(rect.topLeft() + QPoint(x, y), size));
}

namespace {

// The two areas of `column` when the splitter gives the diagram `split` pixels.
std::pair<QSize, QSize> Areas(QSize column, bool vertical, int handle, int split) {
  if (vertical) return {{column.width(), split}, {column.width(), column.height() - split - handle}};
  return {{split, column.height()}, {column.width() - split - handle, column.height()}};
}

long Area(QSize s) { return static_cast<long>(s.width()) * s.height(); }

// The panels fitted to the two areas of a split: their scales, whether both fit, and the
// share of the column they leave empty.
struct SplitFit {
  double empty = 1;
  double diagramScale = 0, mapScale = 0;
  bool fits = false;
};

SplitFit FitSplit(const ScaledPanel& diagram, const ScaledPanel& map, QSize column, bool vertical, int handle, int split) {
  const auto [d, m] = Areas(column, vertical, handle, split);
  const PanelFit fd = PictureAreaLayout::FitFor(diagram, d);
  const PanelFit fm = PictureAreaLayout::FitFor(map, m);
  const QSize nd = diagram.SizeAtScale(fd.scale, fd.arrangement), nm = map.SizeAtScale(fm.scale, fm.arrangement);
  SplitFit f;
  f.diagramScale = fd.scale;
  f.mapScale = fm.scale;
  f.fits = nd.width() <= d.width() && nd.height() <= d.height() && nm.width() <= m.width() && nm.height() <= m.height();
  const long used = Area(nd.boundedTo(d)) + Area(nm.boundedTo(m));
  f.empty = Area(column) > 0 ? 1.0 - static_cast<double>(used) / static_cast<double>(Area(column)) : 0.0;
  return f;
}

}  // namespace

double EmptyShare(const ScaledPanel& diagram, const ScaledPanel& map, QSize column, bool vertical, int handle,
                  int split) {
  return FitSplit(diagram, map, column, vertical, handle, split).empty;
}

int DefaultPictureSplit(const ScaledPanel& diagram, const ScaledPanel& map, QSize column, bool vertical, int handle) {
  const int length = (vertical ? column.height() : column.width()) - handle;
  // Where nothing fits: the design's proportion (the diagram's 529 of 893 pixels stacked).
  const QSize d1 = diagram.SizeAtScale(1, 0), m1 = map.SizeAtScale(1, 0);
  const int design = vertical ? length * d1.height() / (d1.height() + m1.height())
                              : length * d1.width() / (d1.width() + m1.width());
  if (length < 2) return design;
  std::vector<std::optional<SplitFit>> fits(static_cast<std::size_t>(length));
  const auto fitAt = [&](int split) -> const SplitFit& {
    std::optional<SplitFit>& f = fits[static_cast<std::size_t>(split)];
    if (!f) {
      f = FitSplit(diagram, map, column, vertical, handle, split);
      // Neither picture at less than half the other's scale.
      f->fits = f->fits && f->diagramScale >= f->mapScale / 2 && f->mapScale >= f->diagramScale / 2;
    }
    return *f;
  };
  // Among the splits tried that leave the least empty (within a thousandth), the largest
  // diagram; the splits that give the same pictures form a range, whose middle keeps the
  // two panels together in the middle of the column.
  constexpr double kEqualEmpty = 1e-3;
  int first = -1, last = -1;
  const auto choose = [&] {
    double leastEmpty = 2, largest = -1;
    for (const std::optional<SplitFit>& f : fits)
      if (f && f->fits) leastEmpty = std::min(leastEmpty, f->empty);
    first = last = -1;
    for (int split = 1; split < length; ++split) {
      const std::optional<SplitFit>& f = fits[static_cast<std::size_t>(split)];
      if (!f || !f->fits || f->empty > leastEmpty + kEqualEmpty) continue;
      if (f->diagramScale > largest) largest = f->diagramScale, first = last = split;
      else if (f->diagramScale == largest) last = split;
    }
  };
  // Coarse steps over the whole length (a resize stays within a frame), then every pixel
  // round the ends of the chosen range.
  const int step = std::max(1, length / kCoarseSplits);
  for (int split = step; split < length; split += step) fitAt(split);
  choose();
  if (first < 0) return design;
  for (const int end : {first, last})
    for (int split = std::max(1, end - step); split <= std::min(length - 1, end + step); ++split) fitAt(split);
  choose();
  return (first + last) / 2;
}

}  // namespace varomintel
