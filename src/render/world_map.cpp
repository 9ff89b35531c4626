#include "render/world_map.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <numbers>
#include <vector>

#include "app/point_of_interest.h"
#include "render/dark_map.h"
#include "render/render_scale.h"
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

void HorizonLine(QPainter& p, const SubLunarPoint& at, const QPen& pen) {
  if (!at.occurs) return;
  QPolygon line;
  line.reserve(361);
  // Column 340 - w 340/180 of west longitude w, the negated east longitude.
  for (const GeoPoint& g : HorizonLinePoints(at)) line << Pixel(340 + g.longitude * 340.0 / 180, MapRow(g.latitude));
  p.setPen(pen);
  p.drawPolyline(line);
}

// The pen of a horizon line, two pixels wide.
QPen LinePen(QRgb colour) { return QPen(QColor::fromRgb(colour), 2); }

// The pen of an edge of a line's band: one pixel, dashed, the line's colour halfway to white.
QPen BandPen(QRgb colour) {
  QPen pen(QColor(qRed(colour) / 2 + 128, qGreen(colour) / 2 + 128, qBlue(colour) / 2 + 128), 1, Qt::CustomDashLine,
           Qt::FlatCap);
  pen.setDashPattern({4, 3});
  return pen;
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

// Three lines of the text table from `row` on, centred on `column`, the first at `top`,
// each with a halo of `halo` one map pixel wide round its letters: the text drawn in the
// halo's colour shifted by one map pixel in each of the eight directions, then over it in
// its own. Black on the dark ocean and white on the ice or a white map would not read
// without it. The painter's scale widens the halo with the picture.
void ThreeLines(QPainter& p, int row, std::uint8_t language, int column, int top, QRgb colour, QRgb halo) {
  const QFontMetrics metrics(p.font());
  for (int i = 0; i < 3; ++i) {
    const QString line = QString::fromStdString(Text(row + i, language));
    const QPoint at(column - metrics.horizontalAdvance(line) / 2, top + 17 * i + metrics.ascent());
    p.setPen(QColor::fromRgb(halo));
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (dx != 0 || dy != 0) p.drawText(at + QPoint(dx, dy), line);
    p.setPen(QColor::fromRgb(colour));
    p.drawText(at, line);
  }
}

// A picture smoothly scaled to `size` in Format_RGB32. The last few results are kept by the
// picture's cache key: a window draws the same maps at the same size at every selection.
QImage SmoothlyScaled(const QImage& picture, QSize size) {
  struct Kept {
    qint64 key = 0;
    QSize size;
    QImage image;
  };
  static std::mutex guard;
  static std::array<Kept, 4> kept;
  static std::size_t next = 0;
  const std::lock_guard<std::mutex> lock(guard);
  for (const Kept& k : kept)
    if (!k.image.isNull() && k.key == picture.cacheKey() && k.size == size) return k.image;
  Kept& k = kept[next++ % kept.size()];
  k = {picture.cacheKey(), size,
       picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32)};
  return k.image;
}

// The map's pictures at any scale other than 1: the bright map and its darkened twin
// smoothly scaled, the twin shown where the Moon is down at greatest eclipse. A picture
// pixel lies at map position ((column + 0.5) / scale - 0.5, (row + 0.5) / scale - 0.5): the
// Moon is up there when that row lies on the sub-lunar side of the horizon line of greatest
// eclipse at that column. Where the twin holds its transparent colour the bright map shows,
// as at scale 1.
QImage ScaledGround(const QImage& bright, const QImage& twin, const SubLunarPoint& max, double scale) {
  const int width = ScaledLength(kMapWidth, scale), height = ScaledLength(kMapHeight, scale);
  const QImage light = SmoothlyScaled(bright, QSize(width, height));
  const QImage dark = SmoothlyScaled(twin, QSize(width, height));
  QImage image(width, height, QImage::Format_RGB32);
  const QRgb key = twin.pixel(0, kMapHeight - 1) & 0x00FFFFFFu;
  const bool north = SeenFromTheNorth(max.d);
  std::vector<double> horizonRow(static_cast<std::size_t>(width));
  std::vector<int> mapColumn(static_cast<std::size_t>(width));
  for (int column = 0; column < width; ++column) {
    const double x = (column + 0.5) / scale - 0.5;
    horizonRow[static_cast<std::size_t>(column)] = MapRow(HorizonLatitude((340 - x) * 180 / 340, max.d, max.M));
    mapColumn[static_cast<std::size_t>(column)] =
        std::clamp(static_cast<int>((column + 0.5) / scale), 0, kMapWidth - 1);
  }
  // The map rows whose twin holds the transparent colour anywhere (as a rule only the last).
  std::array<bool, kMapHeight> keyInRow{};
  for (int y = 0; y < kMapHeight; ++y) {
    const auto* twinRow = reinterpret_cast<const QRgb*>(twin.constScanLine(y));
    keyInRow[static_cast<std::size_t>(y)] =
        std::any_of(twinRow, twinRow + kMapWidth, [key](QRgb c) { return (c & 0x00FFFFFFu) == key; });
  }
  for (int row = 0; row < height; ++row) {
    const double y = (row + 0.5) / scale - 0.5;
    const int mapRow = std::clamp(static_cast<int>((row + 0.5) / scale), 0, kMapHeight - 1);
    const auto* twinRow = reinterpret_cast<const QRgb*>(twin.constScanLine(mapRow));
    const auto* lightRow = reinterpret_cast<const QRgb*>(light.constScanLine(row));
    const auto* darkRow = reinterpret_cast<const QRgb*>(dark.constScanLine(row));
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
    for (int column = 0; column < width; ++column) {
      const double horizon = horizonRow[static_cast<std::size_t>(column)];
      out[column] = (north ? y <= horizon : y >= horizon) ? lightRow[column] : darkRow[column];
    }
    if (!keyInRow[static_cast<std::size_t>(mapRow)]) continue;
    for (int column = 0; column < width; ++column)
      if ((twinRow[mapColumn[static_cast<std::size_t>(column)]] & 0x00FFFFFFu) == key) out[column] = lightRow[column];
  }
  return image;
}

// As HorizonLine, unrounded: chords drawn each by itself with square ends, which close the
// joints as the joins of one stroke would at a fraction of its cost. Of the 361 points only
// those are kept without which the line would move by more than 0.05 map pixels.
void SmoothHorizonLine(QPainter& p, const SubLunarPoint& at, QPen pen) {
  if (!at.occurs) return;
  std::array<QPointF, kHorizonLinePoints> points;
  const auto line = HorizonLinePoints(at);
  for (std::size_t i = 0; i < line.size(); ++i)
    points[i] = QPointF(340 + line[i].longitude * 340.0 / 180, MapRow(line[i].latitude));
  std::vector<QLineF> chords;
  std::size_t from = 0;
  while (from + 1 < points.size()) {
    std::size_t to = from + 1;
    for (std::size_t next = to + 1; next < points.size(); ++next) {
      const QLineF chord(points[from], points[next]);
      const double length = chord.length();
      bool straight = length > 0;
      for (std::size_t k = from + 1; straight && k < next; ++k) {
        const QPointF d = points[k] - chord.p1();
        straight = std::abs(d.x() * chord.dy() - d.y() * chord.dx()) / length <= 0.05;
      }
      if (!straight) break;
      to = next;
    }
    chords.emplace_back(points[from], points[to]);
    from = to;
  }
  if (pen.style() == Qt::SolidLine) pen.setCapStyle(Qt::SquareCap);
  p.setPen(pen);
  p.drawLines(chords.data(), static_cast<int>(chords.size()));
}

// As Disc, unrounded.
void SmoothDisc(QPainter& p, double column, double row, double radius, QRgb fill, QRgb outline, int penWidth) {
  p.setPen(QPen(QColor::fromRgb(outline), penWidth));
  p.setBrush(QColor::fromRgb(fill));
  for (const int shift : {0, -kMapWidth, kMapWidth}) {
    const double left = column - radius + shift;
    if (left + 2 * radius < -penWidth || left > kMapWidth + penWidth) continue;
    p.drawEllipse(QRectF(left, row - radius, 2 * radius, 2 * radius));
  }
}

// The painter's drawing at scale 1 (whole pixels, not smoothed) or scaled and smoothed.
struct MapPen {
  QPainter& p;
  bool exact;
  void Horizon(const SubLunarPoint& at, const QPen& pen) {
    if (exact) HorizonLine(p, at, pen);
    else SmoothHorizonLine(p, at, pen);
  }
  void Marker(double column, double row, double radius, QRgb fill, QRgb outline, int penWidth) {
    if (exact) Disc(p, column, row, radius, fill, outline, penWidth);
    else SmoothDisc(p, column, row, radius, fill, outline, penWidth);
  }
  void Contact(const SubLunarPoint& at, QRgb outline) {
    if (at.occurs) Marker(at.Column(), at.Row(), 5, map_colour::kMarkerFill, outline, 2);
  }
};

// The contacts whose horizon lines the map draws, with their colours, in drawing order:
// P1 and P4; P2 and P3 when P2 occurs and the type is penumbral; U1 and U4 when U1 occurs;
// U2 and U3 when U2 occurs; greatest eclipse last.
std::vector<std::pair<Contact, QRgb>> HorizonLines(const WorldMapEclipse& e) {
  std::vector<std::pair<Contact, QRgb>> lines;
  for (const Contact k : MapHorizonContacts(e))
    lines.emplace_back(k, k == Contact::Max                       ? map_colour::kGreatestLine
                          : k == Contact::U1 || k == Contact::U4 ? map_colour::kUmbraLine
                          : k == Contact::U2 || k == Contact::U3 ? map_colour::kTotalityLine
                                                                 : map_colour::kPenumbraLine);
  return lines;
}

// The map itself (680 x 340 at scale 1) with everything drawn on it.
QImage PaintMap(const WorldMapInputs& in, double scale) {
  const bool exact = scale == 1.0;
  QImage bright;
  if (in.map.isNull()) {
    bright = QImage(kMapWidth, kMapHeight, QImage::Format_RGB32);
    bright.fill(kPlainGround);
  } else {
    bright = MapSized(in.map);
  }
  const WorldMapEclipse& e = in.eclipse;
  const SubLunarPoint& max = e.at[Contact::Max];
  QImage image;
  if (exact) {
    image = bright.copy();
    DarkenWhereTheMoonIsDown(image, DarkTwin(in.dark, image), max);
  } else {
    image = ScaledGround(bright, DarkTwin(in.dark, bright), max, scale);
  }

  QPainter p(&image);
  if (exact) {
    p.setRenderHint(QPainter::Antialiasing, false);
  } else {
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(static_cast<double>(image.width()) / kMapWidth, static_cast<double>(image.height()) / kMapHeight);
  }
  MapPen pen{p, exact};
  // The horizon lines: first the edges of their bands (under the lines they belong to),
  // then the lines.
  const std::vector<std::pair<Contact, QRgb>> lines = HorizonLines(e);
  if (e.band)
    for (const auto& [k, colour] : lines) {
      pen.Horizon(e.band->low[k], BandPen(colour));
      pen.Horizon(e.band->high[k], BandPen(colour));
    }
  for (const auto& [k, colour] : lines) pen.Horizon(e.at[k], LinePen(colour));

  // Contact markers, then greatest eclipse over them.
  if (e.type >= EclipseTypeCode::Total) {
    pen.Contact(e.at[Contact::U2], map_colour::kTotalityLine);
    pen.Contact(e.at[Contact::U3], map_colour::kTotalityLine);
  }
  if (e.type >= EclipseTypeCode::PartialUmbral) {
    pen.Contact(e.at[Contact::U1], map_colour::kTotalityLine);
    pen.Contact(e.at[Contact::U4], map_colour::kTotalityLine);
  }
  if (e.type == EclipseTypeCode::CompletePenumbral) {
    pen.Contact(e.at[Contact::P2], map_colour::kPenumbraLine);
    pen.Contact(e.at[Contact::P3], map_colour::kPenumbraLine);
  }
  pen.Contact(e.at[Contact::P1], map_colour::kPenumbraLine);
  pen.Contact(e.at[Contact::P4], map_colour::kPenumbraLine);
  pen.Marker(max.Column(), max.Row(), 6, map_colour::kGreatestFill, map_colour::kGreatestOutline, 1);

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
  ThreeLines(p, kVisibleRow, in.language, visibleColumn, max.d >= 0 ? 20 : 270, map_colour::kVisibleText,
             map_colour::kInvisibleText);
  ThreeLines(p, kInvisibleRow, in.language, oppositeColumn, max.d > 0 ? 270 : 20, map_colour::kInvisibleText,
             map_colour::kVisibleText);

  if (in.pointOfInterest)
    pen.Marker(MapColumn(in.pointOfInterest->longitude), MapRow(in.pointOfInterest->latitude), 5,
               map_colour::kPlaceFill, map_colour::kPlaceOutline, 1);
  return image;
}

// Graticule rows and columns (map pixels) and the degree labels' texts.
constexpr std::array<int, 5> kGraticuleColumns = {113, 227, 340, 453, 567};
constexpr std::array<int, 5> kGraticuleRows = {57, 113, 170, 227, 283};
constexpr std::array<int, 7> kLabelRows = {0, 57, 113, 170, 227, 283, 340};
constexpr std::array<const char*, 7> kLatitudeLabels = {"90°N", "60°N", "30°N", "0° -", "30°S", "60°S", "90°"};
constexpr std::array<int, 7> kLabelColumns = {0, 113, 227, 340, 453, 567, 680};
constexpr std::array<int, 7> kLongitudes = {-180, -120, -60, 0, 60, 120, 180};

QString LongitudeLabel(int degrees, std::uint8_t language) {
  if (degrees == 0) return QStringLiteral("0°");
  return QString("%1°%2").arg(std::abs(degrees)).arg(QChar(degrees < 0 ? WestLetter(language) : EastLetter(language)));
}

// The graticule over the map: lines of one map pixel, each on whole picture pixels so that
// it stays sharp at any scale.
void Graticule(QImage& map, double scale) {
  QPainter p(&map);
  const QColor colour = QGuiApplication::palette().color(QPalette::Dark);
  const int width = std::max(1, static_cast<int>(std::lround(scale)));
  for (const int column : kGraticuleColumns)
    p.fillRect(static_cast<int>(std::lround(column * scale)), 0, width, map.height(), colour);
  for (const int row : kGraticuleRows)
    p.fillRect(0, static_cast<int>(std::lround(row * scale)), map.width(), width, colour);
}

}  // namespace

QSize WorldMapSizeAt(const MapDrawing& drawing) {
  const int width = kMapWidth + (drawing.degreeLabels ? kMapLabelMarginLeft + kMapLabelMarginRight : 0);
  const int height = kMapHeight + (drawing.degreeLabels ? kMapLabelMarginTop + kMapLabelMarginBottom : 0);
  return {ScaledLength(width, drawing.scale), ScaledLength(height, drawing.scale)};
}

QRect WorldMapAreaIn(const MapDrawing& drawing) {
  const double scale = UsableRenderScale(drawing.scale);
  const QPoint corner = drawing.degreeLabels ? QPoint(static_cast<int>(std::lround(kMapLabelMarginLeft * scale)),
                                                      static_cast<int>(std::lround(kMapLabelMarginTop * scale)))
                                             : QPoint(0, 0);
  return {corner, QSize(ScaledLength(kMapWidth, scale), ScaledLength(kMapHeight, scale))};
}

QImage RenderWorldMap(const WorldMapInputs& inputs, const MapDrawing& drawing) {
  const double scale = UsableRenderScale(drawing.scale);
  return FrameWorldMap(scale == 1.0 ? RenderWorldMap(inputs) : PaintMap(inputs, scale), drawing, inputs.language);
}

QImage FrameWorldMap(QImage map, const MapDrawing& drawing, std::uint8_t language) {
  const double scale = UsableRenderScale(drawing.scale);
  const QSize mapSize = WorldMapAreaIn(drawing).size();
  if (map.isNull()) {
    map = QImage(mapSize, QImage::Format_RGB32);
    map.fill(kPlainGround);
  } else if (map.size() != mapSize) {
    map = SmoothlyScaled(map, mapSize);
  }
  if (map.format() != QImage::Format_RGB32) map = map.convertToFormat(QImage::Format_RGB32);
  if (drawing.graticule) Graticule(map, scale);
  if (!drawing.degreeLabels) return map;

  const QPalette palette = QGuiApplication::palette();
  QImage picture(WorldMapSizeAt(drawing), QImage::Format_RGB32);
  picture.fill(palette.color(QPalette::Window));
  QPainter p(&picture);
  const QRect area = WorldMapAreaIn(drawing);
  p.drawImage(area.topLeft(), map);
  if (scale != 1.0) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
  }
  p.setFont(QGuiApplication::font());
  p.setPen(palette.color(QPalette::WindowText));
  for (std::size_t i = 0; i < kLabelRows.size(); ++i)
    p.drawText(QRect(0, LatitudeLabelTop(kLabelRows[i]), 40, 16), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromUtf8(kLatitudeLabels[i]));
  for (std::size_t i = 0; i < kLabelColumns.size(); ++i)
    p.drawText(QRect(kMapLabelMarginLeft + kLabelColumns[i] - 25, kMapLabelMarginTop + kMapHeight + 3, 50, 18),
               Qt::AlignHCenter | Qt::AlignTop, LongitudeLabel(kLongitudes[i], language));
  return picture;
}

QImage RenderWorldMap(const WorldMapInputs& in) { return PaintMap(in, 1.0); }

}  // namespace varomintel
