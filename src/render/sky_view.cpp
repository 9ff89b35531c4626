#include "render/sky_view.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "astro/trig_func.h"
#include "places/local_sky_text.h"
#include "render/render_scale.h"
#include "render/shadow_diagram.h"
#include "text/number_text.h"

namespace varomintel {

namespace {

constexpr double kW = kSkyViewWidth, kH = kSkyViewHeight;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The panorama's frame in design pixels.
struct Frame {
  const SkyPanorama& p;
  double X(double azimuthOnPanorama) const {
    return kW * (azimuthOnPanorama - p.azimuthLeftDeg) / (p.azimuthRightDeg - p.azimuthLeftDeg);
  }
  double Y(double altitudeDeg) const {
    return kH * (p.altitudeTopDeg - altitudeDeg) / (p.altitudeTopDeg - p.altitudeBottomDeg);
  }
  double DegreesToPixelsX() const { return kW / (p.azimuthRightDeg - p.azimuthLeftDeg); }
};

// The sky at the zenith and at the horizon and the ground, by the Sun's altitude: a blue
// day, the glow of sunset at the horizon, the blue hour of civil twilight, then darker to
// the night below -18 degrees; linear between the rows.
struct Tone {
  double sunAltitudeDeg;
  QColor zenith, horizon, ground;
};
const std::array<Tone, 6> kTones = {{{10, QColor(66, 126, 206), QColor(168, 202, 234), QColor(74, 98, 58)},
                                     {-0.833, QColor(58, 104, 184), QColor(226, 168, 124), QColor(56, 70, 46)},
                                     {-6, QColor(28, 48, 108), QColor(96, 90, 132), QColor(36, 42, 32)},
                                     {-12, QColor(12, 20, 54), QColor(34, 44, 80), QColor(22, 26, 22)},
                                     {-18, QColor(5, 8, 22), QColor(10, 14, 30), QColor(14, 16, 14)},
                                     {-90, QColor(5, 8, 22), QColor(10, 14, 30), QColor(14, 16, 14)}}};

QColor Mix(const QColor& a, const QColor& b, double f) {
  const auto m = [f](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * f)); };
  return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()));
}

Tone ToneAt(double sunAltitudeDeg) {
  const double h = std::clamp(sunAltitudeDeg, kTones.back().sunAltitudeDeg, kTones.front().sunAltitudeDeg);
  for (std::size_t i = 0; i + 1 < kTones.size(); ++i) {
    const Tone& a = kTones[i];
    const Tone& b = kTones[i + 1];
    if (h < b.sunAltitudeDeg) continue;
    const double f = (a.sunAltitudeDeg - h) / (a.sunAltitudeDeg - b.sunAltitudeDeg);
    return {h, Mix(a.zenith, b.zenith, f), Mix(a.horizon, b.horizon, f), Mix(a.ground, b.ground, f)};
  }
  return kTones.back();
}

QColor ContactColour(Contact k) {
  switch (k) {
    case Contact::Max: return QColor(255, 255, 255);
    case Contact::U1:
    case Contact::U4: return QColor(255, 128, 0);
    case Contact::U2:
    case Contact::U3: return QColor(255, 64, 64);
    default: return QColor(255, 255, 0);
  }
}

void SetFont(QPainter& p, int points, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(points);
  font.setBold(bold);
  p.setFont(font);
}

// Text with its top-left corner at (left, top), over a dark shadow so that it reads on any sky.
void Text(QPainter& p, double left, double top, const QString& text, const QColor& colour) {
  const double base = top + p.fontMetrics().ascent();
  p.setPen(QColor(0, 0, 0, 170));
  p.drawText(QPointF(left + 1, base + 1), text);
  p.setPen(colour);
  p.drawText(QPointF(left, base), text);
}
void TextCentred(QPainter& p, double x, double top, const QString& text, const QColor& colour) {
  Text(p, x - p.fontMetrics().horizontalAdvance(text) / 2.0, top, text, colour);
}

// The degree text of an azimuth on the panorama: 0..359.
QString AzimuthLabel(double azimuth) {
  const long whole = std::lround(azimuth);
  return QString::number(((whole % 360) + 360) % 360) + QChar(0x00b0);
}

// A pixel lightened towards white by `alpha` of 256.
QRgb Lighter(QRgb c, int alpha) {
  const auto up = [alpha](int v) { return v + ((255 - v) * alpha >> 8); };
  return qRgb(up(qRed(c)), up(qGreen(c)), up(qBlue(c)));
}

// The sky from the zenith's colour at the top to the horizon's at the horizon, the ground
// below it, the grid of 10 degrees (azimuth lines over the sky up to the zenith, altitude
// lines up to the zenith) and the horizon, row by row in physical pixels, each line as
// wide as the scale rounded: through the painter the gradient and the faint lines cost
// many times as much at large scales.
void PaintGround(QImage& image, const SkyScene& scene) {
  const SkyPanorama& pano = *scene.panorama;
  const Frame f{pano};
  const Tone tone = ToneAt(scene.sky.sunAltitudeDeg);
  const double toX = image.width() / kW, toY = image.height() / kH, horizon = f.Y(0);
  const int width = std::max(1, static_cast<int>(std::lround(toX)));
  const auto physical = [](double v, double to) { return static_cast<int>(std::floor(v * to)); };
  const double highest = std::min(90.0, pano.altitudeTopDeg);
  std::vector<int> columns;
  for (double a = std::ceil(pano.azimuthLeftDeg / 10) * 10; a <= pano.azimuthRightDeg; a += 10)
    columns.push_back(physical(f.X(a), toX));
  std::vector<int> rows;
  for (double h = 10; h <= highest; h += 10) rows.push_back(physical(f.Y(h), toY));
  const int horizonRow = physical(horizon, toY), zenithRow = physical(f.Y(highest), toY);
  constexpr int kGridAlpha = 48;
  for (int row = 0; row < image.height(); ++row) {
    const double y = (row + 0.5) / toY;
    const QRgb colour = y >= horizon ? tone.ground.rgb() : Mix(tone.zenith, tone.horizon, y / horizon).rgb();
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
    const bool onLine = [&] {
      for (const int r : rows)
        if (row >= r && row < r + width) return true;
      return false;
    }();
    if (row >= horizonRow && row < horizonRow + width) {
      std::fill(line, line + image.width(), qRgb(210, 210, 200));
      continue;
    }
    std::fill(line, line + image.width(), onLine ? Lighter(colour, kGridAlpha) : colour);
    if (onLine || row < zenithRow || row >= horizonRow) continue;
    const QRgb grid = Lighter(colour, kGridAlpha);
    for (const int c : columns)
      for (int x = std::max(0, c); x < std::min(image.width(), c + width); ++x) line[x] = grid;
  }
}

// The caption's dark box at the top left, in its font (10 points), which it leaves set.
QRectF CaptionBox(QPainter& p, const SkyScene& scene) {
  SetFont(p, 10);
  double width = 0;
  for (const std::string& s : scene.caption) width = std::max<double>(width, p.fontMetrics().horizontalAdvance(Q(s)));
  return {40, 4, width + 12, p.fontMetrics().height() * static_cast<double>(scene.caption.size()) + 6};
}

// True when the polyline crosses or touches `box`.
bool LineMeets(const QPolygonF& line, const QRectF& box) {
  const std::array<QLineF, 4> edges = {QLineF(box.topLeft(), box.topRight()), QLineF(box.topRight(), box.bottomRight()),
                                       QLineF(box.bottomRight(), box.bottomLeft()),
                                       QLineF(box.bottomLeft(), box.topLeft())};
  for (qsizetype i = 0; i < line.size(); ++i) {
    if (box.contains(line[i])) return true;
    if (i == 0) continue;
    const QLineF segment(line[i - 1], line[i]);
    for (const QLineF& edge : edges)
      if (segment.intersects(edge) == QLineF::BoundedIntersection) return true;
  }
  return false;
}

// The sky, the ground, the grid, the compass points, the path with its contacts, moonrise
// and moonset, and the caption, in design pixels; where the contact labels went into `layout`.
void PaintPanorama(QPainter& p, const SkyScene& scene, SkyViewLayout& layout) {
  const SkyPanorama& pano = *scene.panorama;
  const Frame f{pano};
  const double horizon = f.Y(0);


  // The grid's altitude labels (the grid itself is PaintGround's).
  const QColor labelColour(225, 230, 240);
  const double highest = std::min(90.0, pano.altitudeTopDeg);
  SetFont(p, 8);
  for (double h = 10; h <= highest; h += 10)
    Text(p, 4, f.Y(h) - p.fontMetrics().height(), QString::number(static_cast<int>(h)) + QChar(0x00b0), labelColour);

  // The compass points every 45 degrees, and the azimuth in degrees at every line that
  // leaves room for its text (every 10, 20, 30 or 90 degrees), both on the ground.
  SetFont(p, 10, true);
  // On the picture's bottom edge, leaving the ground under the horizon to the path's labels.
  const double compassTop = kH - 2 - p.fontMetrics().height();
  // The boxes of the texts so far, which later ones keep clear of: the compass row first.
  std::vector<QRectF> placed{QRectF(0, compassTop, kW, kH - compassTop)};
  layout.compassTop = compassTop;
  std::vector<double> points;
  for (double a = std::ceil(pano.azimuthLeftDeg / 45) * 45; a <= pano.azimuthRightDeg; a += 45) {
    points.push_back(f.X(a));
    TextCentred(p, f.X(a), compassTop, Q(CompassPoint(a, scene.language)), QColor(255, 255, 255));
  }
  SetFont(p, 8);
  double step = 90;
  for (const double s : {10.0, 20.0, 30.0})
    if (s * f.DegreesToPixelsX() >= 40) {
      step = s;
      break;
    }
  for (double a = std::ceil(pano.azimuthLeftDeg / step) * step; a <= pano.azimuthRightDeg; a += step) {
    const double x = f.X(a);
    if (std::any_of(points.begin(), points.end(), [x](double c) { return std::fabs(c - x) < 30; })) continue;
    TextCentred(p, x, compassTop + 1, AzimuthLabel(a), labelColour);
  }

  // The Moon's path: solid above the horizon, dashed below it.
  QPolygonF line;
  for (const SkyPathPoint& q : pano.path) line << QPointF(f.X(q.azimuthDeg), f.Y(q.altitudeDeg));
  p.setBrush(Qt::NoBrush);
  p.setClipRect(QRectF(0, 0, kW, horizon));
  p.setPen(QPen(QColor(255, 250, 210, 210), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(line);
  p.setClipRect(QRectF(0, horizon, kW, kH - horizon));
  p.setPen(QPen(QColor(255, 250, 210, 150), 1.5, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin));
  p.drawPolyline(line);
  p.setClipping(false);
  layout.path = line;

  // A mark and a label at each contact, the labels alternately above and below the path.
  const auto indexAt = [&pano](double t) {
    const auto it = std::min_element(pano.path.begin(), pano.path.end(),
                                     [t](const auto& a, const auto& b) { return std::fabs(a.t - t) < std::fabs(b.t - t); });
    return static_cast<qsizetype>(it - pano.path.begin());
  };
  const auto pointAt = [&pano, &indexAt](double t) { return pano.path[static_cast<std::size_t>(indexAt(t))]; };
  SetFont(p, 8);
  // Moonrise and moonset: a triangle on the horizon pointing the way the Moon goes.
  for (std::size_t i = 0; i < pano.view.crossings.size(); ++i) {
    const HorizonCrossing& x = pano.view.crossings[i];
    const double cx = f.X(pointAt(x.t).azimuthDeg);
    const double d = x.rising ? -7 : 7;
    QPolygonF mark;
    mark << QPointF(cx - 5, horizon) << QPointF(cx + 5, horizon) << QPointF(cx, horizon + d);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 120));
    p.drawPolygon(mark);
    p.setBrush(Qt::NoBrush);
    // Beside the mark, under the horizon where the ground leaves room, else above it.
    if (i >= scene.crossingLabels.size()) continue;
    const QString label = Q(scene.crossingLabels[i]);
    const double width = p.fontMetrics().horizontalAdvance(label), height = p.fontMetrics().height();
    const double top = compassTop - horizon >= height + 6 ? horizon + 3 : horizon - 4 - height;
    const QRectF right(cx + 7, top, width, height), left(cx - 7 - width, top, width, height);
    const QRectF place = std::none_of(placed.begin(), placed.end(), [&](const QRectF& o) { return o.intersects(right); })
                             ? right
                             : left;
    placed.push_back(place);
    Text(p, place.left(), place.top(), label, QColor(255, 210, 120));
  }

  SetFont(p, 8);
  const QRectF moon = [&] {
    const QPointF c(f.X(PanoramaAzimuth(pano, scene.sky.moonAzimuthDeg)), f.Y(scene.sky.moonApparentAltitudeDeg));
    return QRectF(c.x() - kSkyMoonRadius, c.y() - kSkyMoonRadius, 2 * kSkyMoonRadius, 2 * kSkyMoonRadius);
  }();
  // The labels keep a pixel off the path and the compass row, within the sky, and off the
  // caption's box (drawn last, at the top left).
  const QRectF sky(2, 2, kW - 4, compassTop - 4);
  placed.push_back(CaptionBox(p, scene));
  SetFont(p, 8);
  int n = 0;
  for (const Contact k : kListContacts) {
    const auto& c = pano.view.contacts[k];
    if (!c) continue;
    const SkyPathPoint at = pointAt(c->t);
    const QPointF centre(f.X(at.azimuthDeg), f.Y(at.altitudeDeg));
    p.setPen(Qt::NoPen);
    p.setBrush(ContactColour(k));
    p.drawEllipse(centre, 3, 3);
    p.setBrush(Qt::NoBrush);
    // Beside the path, off the mark across it (alternately on its upper and lower side
    // first), further out where the path bends back towards it; beside the Moon where it
    // covers those. Clear of the Moon, which is drawn over everything, of the path, the
    // compass row and the texts so far.
    const QString label = Q(scene.contactLabels[k]);
    const double width = p.fontMetrics().horizontalAdvance(label), height = p.fontMetrics().height();
    const qsizetype i = indexAt(c->t);
    const QPointF along = line.value(std::min(i + 1, line.size() - 1)) - line.value(std::max<qsizetype>(i - 1, 0));
    const double length = std::hypot(along.x(), along.y());
    QPointF up = length > 0 ? QPointF(along.y(), -along.x()) / length : QPointF(0, -1);
    if (up.y() > 0) up = -up;
    // How far the box's centre lies from its edge along the normal.
    const double half = std::fabs(up.x()) * width / 2 + std::fabs(up.y()) * height / 2;
    const bool first = n++ % 2 == 0;
    std::vector<QRectF> candidates;
    for (const double gap : {5.0, 9.0, 15.0, 24.0, 36.0})
      for (const double side : {first ? 1.0 : -1.0, first ? -1.0 : 1.0}) {
        const QPointF middle = centre + up * (side * (gap + half));
        candidates.emplace_back(middle.x() - width / 2, middle.y() - height / 2, width, height);
      }
    candidates.emplace_back(moon.right() + 4, centre.y() - height / 2, width, height);
    candidates.emplace_back(moon.left() - 4 - width, centre.y() - height / 2, width, height);
    const auto free = [&](const QRectF& r) {
      return sky.contains(r) && !r.intersects(moon) && !LineMeets(line, r.adjusted(-1, -1, 1, 1)) &&
             std::none_of(placed.begin(), placed.end(), [&r](const QRectF& o) { return o.intersects(r); });
    };
    const auto it = std::find_if(candidates.begin(), candidates.end(), free);
    QRectF place = candidates.front();
    if (it != candidates.end()) {
      place = *it;
    } else {
      // None (the contact lies under the ground or beyond the picture, or others crowd it):
      // the nearest free box round the first one moved into the sky, on rings 4 pixels
      // apart in 24 directions.
      place.moveLeft(std::clamp(place.left(), sky.left(), sky.right() - width));
      place.moveTop(std::clamp(place.top(), sky.top(), sky.bottom() - height));
      const QRectF home = place;
      bool found = false;
      for (int ring = 1; ring <= 100 && !found; ++ring)
        for (int d = 0; d < 24 && !found; ++d) {
          const double a = d * 15 * DegToRad;
          const QRectF moved = home.translated(4 * ring * std::cos(a), -4 * ring * std::sin(a));
          if (free(moved)) {
            place = moved;
            found = true;
          }
        }
    }
    placed.push_back(place);
    layout.contactLabels.push_back(place);
    Text(p, place.left(), place.top(), label, ContactColour(k));
  }

  // The caption: the place, the date, time and type, the Sun.
  p.fillRect(CaptionBox(p, scene), QColor(0, 0, 0, 110));
  const double lineHeight = p.fontMetrics().height();
  double top = 7;
  for (const std::string& s : scene.caption) {
    Text(p, 46, top, Q(s), QColor(255, 255, 255));
    top += lineHeight;
  }
}

// The Moon at the shown instant, enlarged, in physical pixels: its picture turned by the
// parallactic angle (the diagram's north-up picture turned clockwise by q puts the zenith
// up), each pixel darkened by the shadows at its sky point as the diagram darkens it; a
// ring of kSkyMoonOutline round it. Half as bright while it is below the horizon.
void ComposeMoon(QImage& image, const SkyScene& scene, const MoonPictures& pictures) {
  const SkyPanorama& pano = *scene.panorama;
  const Frame f{pano};
  const double scale = image.width() / kW;
  const double cx = f.X(PanoramaAzimuth(pano, scene.sky.moonAzimuthDeg)) * scale;
  const double cy = f.Y(scene.sky.moonApparentAltitudeDeg) * image.height() / kH;
  const double radius = kSkyMoonRadius * scale;
  const ElementValues& e = scene.elements;
  const double rmoo = e.PenContactRadius - e.f1;  // arcseconds
  const int diameter = std::max(1, static_cast<int>(std::lround(2 * radius)));
  QImage picture = MoonPictureOfDiameter(pictures, std::min(diameter, kLastMoonPicture - 2));
  int size = std::min(diameter, kLastMoonPicture - 2);
  if (!picture.isNull() && diameter > size) {
    picture = picture.copy(0, 0, size + 1, size + 1)
                  .scaled(diameter + 1, diameter + 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB32);
    size = diameter;
  }
  const double q = scene.sky.moonParallacticAngleDeg * DegToRad;
  const double cosQ = std::cos(q), sinQ = std::sin(q);
  const bool dim = !scene.sky.moonVisible;
  const int rowFirst = std::max(0, static_cast<int>(std::floor(cy - radius)));
  const int rowLast = std::min(image.height() - 1, static_cast<int>(std::ceil(cy + radius)));
  const int colFirst = std::max(0, static_cast<int>(std::floor(cx - radius)));
  const int colLast = std::min(image.width() - 1, static_cast<int>(std::ceil(cx + radius)));
  const double ring = radius > 3 ? (radius - 1) / radius : 1.0;
  for (int row = rowFirst; row <= rowLast; ++row) {
    auto* target = reinterpret_cast<QRgb*>(image.scanLine(row));
    const double dy = (row + 0.5 - cy) / radius;
    for (int column = colFirst; column <= colLast; ++column) {
      const double dx = (column + 0.5 - cx) / radius;
      const double d2 = dx * dx + dy * dy;
      if (d2 >= 1) continue;
      if (d2 >= ring * ring) {
        target[column] = kSkyMoonOutline;
        continue;
      }
      // The point of the north-up picture: the screen offset turned back.
      const double sx = dx * cosQ + dy * sinQ, sy = -dx * sinQ + dy * cosQ;
      QRgb pixel = 0xffbebebe;
      if (!picture.isNull()) {
        const int u = std::clamp(static_cast<int>((sx + 1) / 2 * (size + 1)), 0, size);
        const int v = std::clamp(static_cast<int>((sy + 1) / 2 * (size + 1)), 0, size);
        pixel = reinterpret_cast<const QRgb*>(picture.constScanLine(v))[u];
      }
      // East is to the left of the north-up picture, as on the diagram.
      const double x = e.x - sx * rmoo, y = e.y - sy * rmoo;
      pixel = ShadedMoonPixel(pixel, static_cast<float>(x * x + y * y), e.f1, e.f2);
      if (dim) pixel = qRgb(qRed(pixel) / 2, qGreen(pixel) / 2, qBlue(pixel) / 2);
      target[column] = pixel;
    }
  }
}

QString Number(double value) { return QString::fromStdString(FormatFixed(value, 6)); }

}  // namespace

QSize SkyViewSizeAt(double scale) {
  return {ScaledLength(kSkyViewWidth, scale), ScaledLength(kSkyViewHeight, scale)};
}

QImage DrawSkyView(const SkyScene& scene, const MoonPictures& moonPictures, double scale, SkyViewLayout* placed) {
  scale = UsableRenderScale(scale);
  QImage image(SkyViewSizeAt(scale), QImage::Format_RGB32);
  image.setDotsPerMeterX(kDiagramDotsPerMetre);
  image.setDotsPerMeterY(kDiagramDotsPerMetre);
  if (!scene.panorama || !scene.panorama->eclipse || !scene.record) {
    image.fill(Qt::black);
    return image;
  }
  PaintGround(image, scene);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // The design's width and height onto the picture's, which are rounded.
    p.scale(image.width() / kW, image.height() / kH);
    SkyViewLayout layout;
    PaintPanorama(p, scene, layout);
    if (placed) *placed = std::move(layout);
  }
  ComposeMoon(image, scene, moonPictures);
  const SkyPanorama& pano = *scene.panorama;
  image.setText(QStringLiteral("time_utc"), Q(scene.timeUtc));
  image.setText(QStringLiteral("latitude_deg"), Number(pano.observer.latitudeDeg));
  image.setText(QStringLiteral("longitude_deg"), Number(pano.observer.longitudeDeg));
  image.setText(QStringLiteral("height_m"), Number(pano.observer.heightM));
  image.setText(QStringLiteral("moon_altitude_deg"), Number(scene.sky.moonApparentAltitudeDeg));
  image.setText(QStringLiteral("moon_azimuth_deg"), Number(scene.sky.moonAzimuthDeg));
  image.setText(QStringLiteral("sun_altitude_deg"), Number(scene.sky.sunAltitudeDeg));
  image.setText(QStringLiteral("parallactic_angle_deg"), Number(scene.sky.moonParallacticAngleDeg));
  image.setText(QStringLiteral("azimuth_left_deg"), Number(pano.azimuthLeftDeg));
  image.setText(QStringLiteral("azimuth_right_deg"), Number(pano.azimuthRightDeg));
  image.setText(QStringLiteral("altitude_top_deg"), Number(pano.altitudeTopDeg));
  image.setText(QStringLiteral("altitude_bottom_deg"), Number(pano.altitudeBottomDeg));
  return image;
}

}  // namespace varomintel
