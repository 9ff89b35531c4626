#include "render/picture_caption.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

#include "render/render_scale.h"

namespace varomintel {

namespace {
constexpr int kBandHeight = 24;  // design pixels
constexpr int kMargin = 8;       // design pixels from the left edge
constexpr double kPoints = 10;
constexpr double kSmallestPoints = 6;
const QColor kBand(40, 40, 40);
const QColor kCaptionText(230, 230, 230);
}  // namespace

namespace {
// The caption's own scale: the picture's, but never below 1, so that the text of a picture
// drawn smaller than its design (a window's diagram on a small screen) stays readable.
double CaptionScale(double scale) { return std::max(1.0, UsableRenderScale(scale)); }
}  // namespace

int CaptionBandHeight(double scale) {
  const int height = ScaledLength(kBandHeight, CaptionScale(scale));
  return height + height % 2;
}

QImage WithCaption(const QImage& picture, const QString& caption, double scale) {
  if (picture.isNull()) return picture;
  const int band = CaptionBandHeight(scale);
  scale = CaptionScale(scale);
  QImage out(picture.width(), picture.height() + band, QImage::Format_RGB32);
  out.setDotsPerMeterX(picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() : 3780);
  out.setDotsPerMeterY(picture.dotsPerMeterY() > 0 ? picture.dotsPerMeterY() : 3780);
  out.fill(kBand);
  QPainter p(&out);
  p.drawImage(0, 0, picture);
  p.setRenderHint(QPainter::TextAntialiasing);
  // Pixel sizes rather than points, so that the text is the same whatever resolution the
  // picture records: 10 points at 96 dots per inch are 13.3 pixels.
  const double margin = kMargin * scale, room = picture.width() - 2 * margin;
  QFont font(QStringLiteral("Arial"));
  QString text = caption;
  for (double points = kPoints;; points -= 0.5) {
    font.setPixelSize(std::max(1, static_cast<int>(points * 96 / 72 * scale)));
    const QFontMetricsF m(font);
    if (m.horizontalAdvance(text) <= room) break;
    if (points <= kSmallestPoints) {
      text = m.elidedText(caption, Qt::ElideRight, room);
      break;
    }
  }
  p.setFont(font);
  p.setPen(kCaptionText);
  p.drawText(QRectF(margin, picture.height(), std::max(0.0, room), band), Qt::AlignLeft | Qt::AlignVCenter, text);
  return out;
}

}  // namespace varomintel
