#include "render/world_map.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "render/dark_map.h"
#include "text/text_table.h"

namespace varomintel {

namespace {

constexpr double kPi = std::numbers::pi;

// Rows of the text table: the three lines meaning "the whole eclipse is visible" and the
// three meaning "the eclipse is not visible".
constexpr int kVisibleRow = 75;
constexpr int kInvisibleRow = 78;

constexpr QRgb kPlainGround = 0xFF5A6E8C;  // the ground when a bright map is missing

// The picture as 680 x 340 pixels of Format_RGB32 (shared, not copied, when it already is).
QImage MapSized(const QImage& picture) {
  QImage image = picture.convertToFormat(QImage::Format_RGB32);
  if (image.width() != kMapWidth || image.height() != kMapHeight)
    image = image.scaled(kMapWidth, kMapHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  return image;
}

// The darkened twin to cut: the given one, or the bright map at 45 % brightness with the
// transparent colour in its corner as the dark-map tool leaves it.
QImage DarkTwin(const QImage& dark, const QImage& bright) {
  if (!dark.isNull()) return MapSized(dark);
  QImage twin = bright.copy();
  for (int y = 0; y < twin.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(twin.scanLine(y));
    for (int x = 0; x < twin.width(); ++x)
      row[x] = qRgb(qRed(row[x]) * 45 / 100, qGreen(row[x]) * 45 / 100, qBlue(row[x]) * 45 / 100);
  }
  return MarkTransparentCorner(twin);
}

// A pixel of the point (column, row).
QPoint Pixel(double column, double row) { return {MapPixel(column), MapPixel(row)}; }

// Steps 2 and 3: the twin cut along the horizon line of greatest eclipse, laid over the
// bright map with its transparent colour (the bottom-left pixel's) left out.
void DarkenWhereTheMoonIsDown(QImage& image, QImage twin, const SubLunarPoint& max) {
  const QRgb key = twin.pixel(0, kMapHeight - 1) & 0x00FFFFFFu;
  {
    QPainter p(&twin);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor::fromRgb(key), 2));
    const bool north = SeenFromTheNorth(max.d);
    for (int n = 0; n <= kMapWidth; ++n) {
      const double w = (n - 340) / 680.0 * 360.0;
      const int x = MapPixel(340 - w * 340 / 180);
      const int y = MapPixel(MapRow(HorizonLatitude(w, max.d, max.M)));
      p.drawLine(x, north ? 0 : kMapHeight, x, y);
    }
  }
  for (int y = 0; y < kMapHeight; ++y) {
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    const auto* dark = reinterpret_cast<const QRgb*>(twin.constScanLine(y));
    for (int x = 0; x < kMapWidth; ++x)
      if ((dark[x] & 0x00FFFFFFu) != key) out[x] = dark[x];
  }
}

void HorizonLine(QPainter& p, const SubLunarPoint& at, QRgb colour) {
  if (!at.occurs) return;
  QPolygon line;
  line.reserve(361);
  for (int w = -180; w <= 180; ++w) line << Pixel(340 - w * 340.0 / 180, MapRow(HorizonLatitude(w, at.d, at.M)));
  p.setPen(QPen(QColor::fromRgb(colour), 2));
  p.drawPolyline(line);
}

// A disc of `radius` pixels around (column, row), each box edge rounded by itself, again
// one map width to the left and right so that a disc cut by an edge shows on the other.
void Disc(QPainter& p, double column, double row, double radius, QRgb fill, QRgb outline, int penWidth) {
  p.setPen(QPen(QColor::fromRgb(outline), penWidth));
  p.setBrush(QColor::fromRgb(fill));
  const int top = MapPixel(row - radius), bottom = MapPixel(row + radius);
  for (const int shift : {0, -kMapWidth, kMapWidth}) {
    const int left = MapPixel(column - radius) + shift, right = MapPixel(column + radius) + shift;
    if (right < -penWidth || left > kMapWidth + penWidth) continue;
    p.drawEllipse(QRect(left, top, right - left, bottom - top));
  }
}

void ContactMarker(QPainter& p, const SubLunarPoint& at, QRgb outline) {
  if (at.occurs) Disc(p, at.Column(), at.Row(), 5, map_colour::kMarkerFill, outline, 2);
}

// Three lines of the text table from `row` on, centred on `column`, the first at `top`.
void ThreeLines(QPainter& p, int row, std::uint8_t language, int column, int top, QRgb colour) {
  const QFontMetrics metrics(p.font());
  p.setPen(QColor::fromRgb(colour));
  for (int i = 0; i < 3; ++i) {
    const QString line = QString::fromStdString(Text(row + i, language));
    const int width = metrics.horizontalAdvance(line);
    p.drawText(QPoint(column - width / 2, top + 17 * i + metrics.ascent()), line);
  }
}

}  // namespace

QImage RenderWorldMap(const WorldMapInputs& in) {
  QImage image;
  if (in.map.isNull()) {
    image = QImage(kMapWidth, kMapHeight, QImage::Format_RGB32);
    image.fill(kPlainGround);
  } else {
    image = MapSized(in.map).copy();
  }
  const WorldMapEclipse& e = in.eclipse;
  const SubLunarPoint& max = e.at[Contact::Max];
  DarkenWhereTheMoonIsDown(image, DarkTwin(in.dark, image), max);

  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  // Horizon lines.
  HorizonLine(p, e.at[Contact::P1], map_colour::kPenumbraLine);
  HorizonLine(p, e.at[Contact::P4], map_colour::kPenumbraLine);
  if (e.at[Contact::P2].occurs && e.type < EclipseTypeCode::PartialUmbral) {
    HorizonLine(p, e.at[Contact::P2], map_colour::kPenumbraLine);
    HorizonLine(p, e.at[Contact::P3], map_colour::kPenumbraLine);
  }
  if (e.at[Contact::U1].occurs) {
    HorizonLine(p, e.at[Contact::U1], map_colour::kUmbraLine);
    HorizonLine(p, e.at[Contact::U4], map_colour::kUmbraLine);
  }
  if (e.at[Contact::U2].occurs) {
    HorizonLine(p, e.at[Contact::U2], map_colour::kTotalityLine);
    HorizonLine(p, e.at[Contact::U3], map_colour::kTotalityLine);
  }
  HorizonLine(p, max, map_colour::kGreatestLine);

  // Contact markers, then greatest eclipse over them.
  if (e.type >= EclipseTypeCode::Total) {
    ContactMarker(p, e.at[Contact::U2], map_colour::kTotalityLine);
    ContactMarker(p, e.at[Contact::U3], map_colour::kTotalityLine);
  }
  if (e.type >= EclipseTypeCode::PartialUmbral) {
    ContactMarker(p, e.at[Contact::U1], map_colour::kTotalityLine);
    ContactMarker(p, e.at[Contact::U4], map_colour::kTotalityLine);
  }
  if (e.type == EclipseTypeCode::CompletePenumbral) {
    ContactMarker(p, e.at[Contact::P2], map_colour::kPenumbraLine);
    ContactMarker(p, e.at[Contact::P3], map_colour::kPenumbraLine);
  }
  ContactMarker(p, e.at[Contact::P1], map_colour::kPenumbraLine);
  ContactMarker(p, e.at[Contact::P4], map_colour::kPenumbraLine);
  Disc(p, max.Column(), max.Row(), 6, map_colour::kGreatestFill, map_colour::kGreatestOutline, 1);

  // Texts: near the sub-lunar point and at its antipode, held off the map's edges.
  QFont font("Arial");
  font.setPixelSize(16);
  font.setBold(true);
  font.setItalic(true);
  p.setFont(font);
  const int visibleColumn = std::clamp(MapPixel(max.Column()), 50, 628);
  int oppositeColumn = MapPixel(340 - (max.M + kPi) * 340 / kPi);
  if (oppositeColumn < 0) oppositeColumn += kMapWidth;
  oppositeColumn = std::clamp(oppositeColumn, 50, 628);
  ThreeLines(p, kVisibleRow, in.language, visibleColumn, max.d >= 0 ? 20 : 270, map_colour::kVisibleText);
  ThreeLines(p, kInvisibleRow, in.language, oppositeColumn, max.d > 0 ? 270 : 20, map_colour::kInvisibleText);

  if (in.pointOfInterest)
    Disc(p, MapColumn(in.pointOfInterest->longitude), MapRow(in.pointOfInterest->latitude), 5,
         map_colour::kPlaceFill, map_colour::kPlaceOutline, 1);
  return image;
}

}  // namespace varomintel
