// The layout of the main window's right column: the diagram panel above the map panel,
// both drawn at one scale, the largest at which both fit the column (never below
// kMinimumScale). The diagram and the map keep their shapes, 1040:480 and 680:340; at
// scale 1 they have the design's size.
#pragma once

#include <QLayout>

#include <array>

namespace varomintel {

class DiagramPanel;
class MapPanel;

class PictureColumnLayout : public QLayout {
 public:
  static constexpr double kMinimumScale = 0.4;
  static constexpr double kMaximumScale = 4.0;

  PictureColumnLayout(QWidget* parent, DiagramPanel* diagram, MapPanel* map);
  ~PictureColumnLayout() override;

  // The scale of the last placement.
  double Scale() const { return scale_; }
  // The largest scale at which both panels fit `size`, within the limits.
  double ScaleFor(QSize size) const;

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

 private:
  QSize SizeAt(double scale) const;
  DiagramPanel* diagram_;
  MapPanel* map_;
  std::array<QLayoutItem*, 2> items_{};
  double scale_ = 1;
};

}  // namespace varomintel
