// The main window's picture column: the diagram panel and the map panel, each in its own
// area of a splitter. Each area's layout draws its panel at the largest scale at which the
// panel fits the area (between kMinimumScale and kMaximumScale), keeps the picture's shape
// and centres the panel in the area. A panel may offer more than one arrangement of its
// controls (the map's controls beside or under the map); the layout takes the one that
// gives the larger picture.
#pragma once

#include <QLayout>
#include <QSize>

namespace varomintel {

// What a picture panel tells the layout that scales it.
class ScaledPanel {
 public:
  virtual ~ScaledPanel() = default;
  // The ways the panel can arrange its controls round the picture, numbered from 0.
  virtual int Arrangements() const { return 1; }
  // The panel's size with its picture at `scale` times the design size, pixels.
  virtual QSize SizeAtScale(double scale, int arrangement) const = 0;
  virtual void SetScale(double scale, int arrangement) = 0;
};

// The scale and arrangement at which a panel fits a size.
struct PanelFit {
  double scale = 1;
  int arrangement = 0;
};

class PictureAreaLayout : public QLayout {
 public:
  // Half the design size: below it the pictures' labels and the map's degrees no longer
  // read, and the window's left column gives up width first.
  static constexpr double kMinimumScale = 0.5;
  static constexpr double kMaximumScale = 4.0;

  // `panel` is a widget that implements ScaledPanel.
  PictureAreaLayout(QWidget* area, QWidget* panel);
  ~PictureAreaLayout() override;

  // The largest scale (and its arrangement) at which the panel fits `size`, within the limits.
  static PanelFit FitFor(const ScaledPanel& panel, QSize size);
  // The arrangement whose least size is the area's least size (the splitter's direction
  // decides which is the tighter one).
  void SetLeastArrangement(int arrangement);
  // The fit of the last placement.
  PanelFit Fit() const { return fit_; }

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

 private:
  ScaledPanel* panel_;
  QLayoutItem* item_;
  PanelFit fit_;
  int leastArrangement_ = 0;
};

// Where the picture splitter divides `column` between the diagram and the map when the
// user has not moved it: the diagram's share (pixels along `vertical` or across), at which
// the two panels leave the least of the column empty while neither picture falls below
// half the other's scale. `handle` is the splitter handle's width.
int DefaultPictureSplit(const ScaledPanel& diagram, const ScaledPanel& map, QSize column, bool vertical, int handle);
// The empty part of `column` (0..1) with the two panels fitted at that split.
double EmptyShare(const ScaledPanel& diagram, const ScaledPanel& map, QSize column, bool vertical, int handle, int split);

}  // namespace varomintel
