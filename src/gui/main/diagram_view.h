// DiagramImages: the two pictures of the shadow diagram. The hidden one, BackImageIndex,
// is drawn next and Swap shows it, so the user never sees a half-drawn picture; a repaint
// only copies the shown picture and never draws the diagram. The owner draws the pictures
// at the widget's physical size, so the copy is pixel for pixel (stretched only until the
// drawing at a new size arrives).
#pragma once

#include <QImage>
#include <QWidget>

#include <array>

namespace varomintel {

class DiagramView : public QWidget {
  Q_OBJECT
 public:
  // Both pictures 1040 x 480 and white until the first drawing.
  explicit DiagramView(QWidget* parent = nullptr);

  int BackImageIndex() const { return backImageIndex_; }
  QImage& BackImage() { return images_[static_cast<std::size_t>(backImageIndex_)]; }
  const QImage& ShownImage() const { return images_[static_cast<std::size_t>(1 - backImageIndex_)]; }
  // Shows the back picture; the one shown before becomes the back picture.
  void Swap();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<QImage, 2> images_;
  int backImageIndex_ = 0;
};

}  // namespace varomintel
