#include "render/shadow_diagram.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QLineF>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QRegion>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "astro/trig_func.h"
#include "eclipse/eclipse_type.h"
#include "places/place_texts.h"
#include "render/render_scale.h"
#include "text/text_table.h"

namespace varomintel {

namespace {

constexpr double kScale = kArcsecondsPerPixel;

// Nearest integer, ties to the even neighbour (the default rounding mode), of a value held
// within a million pixels first: a crafted record's shadow of billions of pixels lies as
// far off the picture either way, and the radii doubled and the sums formed from the
// result stay well within int.
int Round(double value) { return static_cast<int>(std::lrint(std::clamp(value, -1e6, 1e6))); }

const QColor kBlack(0, 0, 0);
const QColor kPenumbra(96, 96, 96);
const QColor kUmbra(48, 48, 48);
const QColor kPenumbraCaption(176, 176, 176);
const QColor kUmbraCaptionAndGrid(128, 128, 128);
const QColor kCompassAndEcliptic(192, 192, 192);
const QColor kPath(128, 128, 255);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kOrange(255, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kMoonOutline(160, 160, 160);
// The Moon's colour when its picture is missing: a plain disc, so that the shading still shows.
constexpr QRgb kMoonWithoutPicture = 0xffbebebe;

QString Q(const std::string& s) { return QString::fromStdString(s); }

QPen Pen(const QColor& colour, int width, Qt::PenStyle style = Qt::SolidLine) {
  // Round joins: the centre dots are polygons folded onto a pixel or two, on which mitred
  // joins of a 3-pixel pen would grow spikes several pixels long.
  QPen pen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
  // Dotted: every other pixel; dashed: 6 on, 3 off.
  if (style == Qt::DotLine) pen.setDashPattern({1, 1});
  if (style == Qt::DashLine) pen.setDashPattern({6, 3});
  return pen;
}

// The painter with the diagram's centre (520, 240 in design pixels) and its drawing
// helpers. Exact (scale 1): every position rounds to a whole pixel and nothing is
// smoothed, the design's own pixels. Smooth (any other scale): the painter scales the
// design to the picture and positions stay unrounded; the half-pixel shift puts design
// pixel (c, r) on the square from (c, r) to (c + 1, r + 1), where the exact drawing sets it.
class Canvas {
 public:
  // `origin`: where the design's top-left corner lies on a larger picture (design pixels).
  Canvas(QImage& image, double scale, QPoint origin = {}) : p_(&image), exact_(scale == 1.0) {
    cx_ += origin.x();
    cy_ += origin.y();
    p_.setBackgroundMode(Qt::TransparentMode);
    if (exact_) return;
    p_.setRenderHint(QPainter::Antialiasing);
    p_.setRenderHint(QPainter::TextAntialiasing);
    p_.scale(scale, scale);
    p_.translate(0.5, 0.5);
  }
  QPainter& p() { return p_; }
  int cx() const { return cx_; }
  int cy() const { return cy_; }
  bool exact() const { return exact_; }
  // A position as drawn: rounded when exact.
  double Snap(double v) const { return exact_ ? Round(v) : v; }

  void Line(double x1, double y1, double x2, double y2) {
    if (exact_) p_.drawLine(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2), static_cast<int>(y2));
    else p_.drawLine(QLineF(x1, y1, x2, y2));
  }
  template <std::size_t N>
  void Polyline(const std::array<QPointF, N>& points) {
    if (!exact_) {
      p_.drawPolyline(points.data(), static_cast<int>(N));
      return;
    }
    std::array<QPoint, N> whole;
    for (std::size_t i = 0; i < N; ++i) whole[i] = QPoint(static_cast<int>(points[i].x()), static_cast<int>(points[i].y()));
    p_.drawPolyline(whole.data(), static_cast<int>(N));
  }

  // Smooth only. A dashed line through `points`: dashes `on` pixels long with gaps of `off`,
  // the pattern running on across the corners, drawn as separate flat-ended chords with the
  // current pen (solid): a dashed pen's own stroke costs many times as much at large scales.
  template <std::size_t N>
  void Dashed(const std::array<QPointF, N>& points, double on, double off) {
    std::vector<QLineF> dashes;
    double phase = 0;  // how far into the current dash and gap
    for (std::size_t i = 0; i + 1 < N; ++i) {
      const QPointF a = points[i], d = points[i + 1] - a;
      const double length = std::hypot(d.x(), d.y());
      if (length == 0) continue;
      for (double done = 0; done < length;) {
        const bool inDash = phase < on;
        const double step = std::min(length - done, (inDash ? on : on + off) - phase);
        if (inDash) dashes.emplace_back(a + d * (done / length), a + d * ((done + step) / length));
        done += step;
        phase += step;
        if (phase >= on + off) phase = 0;
      }
    }
    QPen pen = p_.pen();
    pen.setStyle(Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    p_.setPen(pen);
    p_.drawLines(dashes.data(), static_cast<int>(dashes.size()));
  }
  void Font(int points) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    p_.setFont(font);
  }
  // Text with its top-left corner at (left, top); on black when opaque.
  void TextAt(int left, int top, const QString& text, const QColor& colour, bool opaque = false) {
    const QFontMetrics m = p_.fontMetrics();
    if (exact_) {
      if (opaque) p_.fillRect(left, top, m.horizontalAdvance(text), m.height(), kBlack);
      p_.setPen(colour);
      p_.drawText(left, top + m.ascent(), text);
      return;
    }
    // Fills and text cover their pixels without the half-pixel shift of the strokes.
    if (opaque) p_.fillRect(QRectF(left - 0.5, top - 0.5, m.horizontalAdvance(text), m.height()), kBlack);
    p_.setPen(colour);
    p_.drawText(QPointF(left - 0.5, top + m.ascent() - 0.5), text);
  }
  // Text with its top-left corner at (left, top) and a halo one design pixel wide round its
  // letters, as the world map's captions have it: the text in the halo's colour shifted by
  // one pixel in each of the eight directions, then over it in its own. It reads where a
  // grid line or another line crosses it, and hides less than a box would.
  void TextWithHalo(int left, int top, const QString& text, const QColor& colour, const QColor& halo) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (dx != 0 || dy != 0) TextAt(left + dx, top + dy, text, halo);
    TextAt(left, top, text, colour);
  }
  // What follows is drawn everywhere but in the boxes (design pixels): the path and the
  // ecliptic stop short of the labels that name them, as lines on a map do, rather than run
  // through a word.
  void LeaveOut(const QRect& box, const QRect& other) {
    // Clipping switched on first: a region set while it is off after an earlier one was
    // switched off does not clip the raster engine's dashed lines (Qt 6.4).
    p_.setClipping(true);
    p_.setClipRegion(QRegion(-kDiagramWidth, -kDiagramHeight, 3 * kDiagramWidth, 3 * kDiagramHeight)
                         .subtracted(QRegion(box))
                         .subtracted(QRegion(other)),
                     Qt::ReplaceClip);
  }
  void NoLongerLeaveOut() { p_.setClipping(false); }
  // Text centred at (x, y): top-left corner at (x - w div 2, y - h div 2).
  void TextCentred(int x, int y, const QString& text, const QColor& colour) {
    const QFontMetrics m = p_.fontMetrics();
    TextAt(x - m.horizontalAdvance(text) / 2, y - m.height() / 2, text, colour);
  }
  int TextWidth(const QString& text) const { return p_.fontMetrics().horizontalAdvance(text); }
  int TextHeight() const { return p_.fontMetrics().height(); }

  // DrawSkyCircle: the outline of a circle of radius r arcseconds round the sky point (x, y),
  // a closed polygon of 120 chords of 3 degrees from the single-precision degree tables;
  // r, x and y are taken in single precision.
  // Smooth: a true circle, filled as a ring as wide as the pen (a stroke of the polygon
  // costs ten times as much).
  void SkyCircle(double r, double x, double y) {
    const float rs = static_cast<float>(r), xs = static_cast<float>(x), ys = static_cast<float>(y);
    if (!exact_) {
      const QPointF centre(cx_ - double{xs} / kScale, cy_ - double{ys} / kScale);
      const double radius = std::abs(double{rs}) / kScale, half = p_.pen().widthF() / 2;
      QPainterPath ring;
      ring.addEllipse(centre, radius + half, radius + half);
      if (radius > half) ring.addEllipse(centre, radius - half, radius - half);
      p_.fillPath(ring, p_.pen().color());
      return;
    }
    std::array<QPointF, 121> points;
    for (int k = 0; k <= 120; ++k) {
      const double c = CosTable()[static_cast<std::size_t>(3 * k)];
      const double s = SinTable()[static_cast<std::size_t>(3 * k)];
      points[static_cast<std::size_t>(k)] =
          QPointF(Snap(cx_ - (double{xs} + double{rs} * c) / kScale), Snap(cy_ - (double{ys} - double{rs} * s) / kScale));
    }
    Polyline(points);
  }
  // A contact's centre: a dot of about 3 pixels, the current (3-pixel) pen's round end.
  // Exact: the circle of radius 1 arcsecond drawn with that pen; its vertices fall on one
  // or two pixels, and a stroke whose vertices all coincide draws nothing here, so the dot
  // is also set at its first vertex.
  void SkyDot(double x, double y) {
    const float xs = static_cast<float>(x), ys = static_cast<float>(y);
    if (!exact_) {
      const double r = p_.pen().widthF() / 2;
      QPainterPath dot;
      dot.addEllipse(QPointF(cx_ - double{xs} / kScale, cy_ - double{ys} / kScale), r, r);
      p_.fillPath(dot, p_.pen().color());
      return;
    }
    SkyCircle(1, x, y);
    p_.drawPoint(Round(cx_ - (double{xs} + 1.0) / kScale), Round(cy_ - double{ys} / kScale));
  }

 private:
  QPainter p_;
  bool exact_;
  int cx_ = kDiagramWidth / 2, cy_ = kDiagramHeight / 2;
};

// A disc of radius r pixels round the centre: the pixels of the box from (CX - r, CY - r)
// to (CX + r, CY + r), both ends included.
void Disc(Canvas& c, double radius, const QColor& colour) {
  c.p().setPen(Pen(colour, 1));
  c.p().setBrush(colour);
  if (c.exact()) {
    const int r = Round(radius / kScale);
    c.p().drawEllipse(QRect(c.cx() - r, c.cy() - r, 2 * r, 2 * r));
  } else {  // the pen's outer half as part of the disc
    const double r = radius / kScale + 0.5;
    QPainterPath disc;
    disc.addEllipse(QPointF(c.cx(), c.cy()), r, r);
    c.p().fillPath(disc, colour);
  }
}

// The contacts that get an outline, a centre dot and (except P2, P3) a label, in drawing
// order, each with its colour and whether it occurs (an instant of 0 means it does not).
struct ShownContact {
  Contact contact;
  QColor colour;
  bool occurs;
  bool labelled;
};

std::array<ShownContact, 9> ShownContacts(const EclipseCircumstances& c) {
  return {{{Contact::Max, kWhite, true, true},
           {Contact::P1, kYellow, c.TimeP1 != 0, true},
           {Contact::P4, kYellow, c.TimeP1 != 0, true},
           {Contact::P2, kYellow, c.TimeP2 != 0, false},
           {Contact::P3, kYellow, c.TimeP2 != 0, false},
           {Contact::U1, kOrange, c.TimeU1 != 0, true},
           {Contact::U4, kOrange, c.TimeU1 != 0, true},
           {Contact::U2, kRed, c.TimeU2 != 0, true},
           {Contact::U3, kRed, c.TimeU2 != 0, true}}};
}

ContactPosition PositionOf(const EclipseCircumstances& c, Contact contact) {
  if (contact != Contact::Max) return c.At(contact);
  ContactPosition p = c.At(Contact::Max);
  p.x = c.XMax;
  p.y = c.YMax;
  return p;
}

// The diagram's font of `points` points measured at 96 dots per inch, as the painter on a
// diagram image measures it whatever the scale.
QFontMetrics DiagramFontMetrics(int points) {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDiagramDotsPerMetre);
    image.setDotsPerMeterY(kDiagramDotsPerMetre);
    return image;
  }();
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(points);
  return QFontMetrics(font, &device);
}

// A text's box with its top-left corner at (left, top).
DiagramLabel LabelAt(const QFontMetrics& m, const QString& text, int left, int top) {
  return {text, QRect(left, top, m.horizontalAdvance(text), m.height())};
}
// Centred at (x, y): top-left corner at (x - w div 2, y - h div 2).
DiagramLabel LabelCentred(const QFontMetrics& m, const QString& text, int x, int y) {
  return LabelAt(m, text, x - m.horizontalAdvance(text) / 2, y - m.height() / 2);
}

// The path label's box at x = xL arcseconds on the line y = slope x + YAtXZero.
DiagramLabel PathLabelAt(const DiagramScene& scene, const QFontMetrics& m, double xL) {
  const MoonPath& path = *scene.moonPath;
  const double slope = (path.back().y - path.front().y) / (path.back().x - path.front().x + 1e-10);
  const double yL = slope * xL + scene.circumstances->YAtXZero;
  const QString label = QString::fromStdString(Text(text_row::kMoonsPath, scene.language));
  constexpr int cx = kDiagramWidth / 2, cy = kDiagramHeight / 2;
  return LabelAt(m, label, cx - Round(m.horizontalAdvance(label) / 2 + xL / kScale),
                 cy - Round(m.height() / 2 + yL / kScale));
}

// The Moon's picture for diameter D: picture N = D + 2, whose disc fills its top-left
// (D + 1) x (D + 1) square. The pictures cover D = 68..90; the Moon's apparent size keeps
// it within about 79..90 at this scale. Beyond that range the nearest picture is used,
// scaled to N x N so that its disc still fills the square. Null when the picture is missing.
QImage PictureForDiameter(const MoonPictures& pictures, int D) {
  const int n = D + 2;
  const int nearest = MoonPictureNumber(D);
  const QImage& picture = pictures.Picture(nearest);
  if (picture.isNull() || nearest == n) return picture;
  return picture.scaled(n, n, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
}

// The Moon's pixel darkened where its sky point lies in the penumbra (f2^2 < q < f1^2) or
// the umbra (q < f2^2); a point exactly on a shadow's edge is in neither. Channels are
// lowered on integers and held at the floor (64 in the penumbra, 16 in the umbra), which
// also raises darker ones to it.
QRgb Shaded(QRgb pixel, float q, double f1sq, double f2sq) {
  int red = qRed(pixel), green = qGreen(pixel), blue = qBlue(pixel);
  if (q > f2sq && q < f1sq) {
    red = std::max(64, red - 16);
    green = std::max(64, green - 24);
    blue = std::max(64, blue - 32);
  }
  if (q < f2sq) {
    red = std::max(16, red - 48);
    green = std::max(16, green - 144);
    blue = std::max(16, blue - 192);
  }
  return qRgb(red, green, blue);
}

// The Moon at the slider time at scale 1, composed pixel by pixel from its picture and
// shaded by its sky point.
void ComposeMoon(QImage& image, const ElementValues& e, const MoonPictures& pictures) {
  const double rmoo = e.PenContactRadius - e.f1;
  const int D = MoonDiameterPixels(rmoo);
  if (D < 0 || D > image.width()) return;  // not a Moon that fits the picture
  const double h = D / 2.0;
  const QImage picture = PictureForDiameter(pictures, D);
  const double f1sq = e.f1 * e.f1, f2sq = e.f2 * e.f2;
  const int left = image.width() / 2 - Round((e.x + rmoo) / kScale);
  const int top = image.height() / 2 - Round((e.y + rmoo) / kScale);
  for (int v = 0; v <= D; ++v) {
    const int row = top + v;
    if (row < 0 || row >= image.height()) continue;
    auto* target = reinterpret_cast<QRgb*>(image.scanLine(row));
    const auto* source = picture.isNull() || v >= picture.height() ? nullptr
                                                                   : reinterpret_cast<const QRgb*>(picture.constScanLine(v));
    const float sy = static_cast<float>(e.y - (v - h) * kScale);
    for (int u = 0; u <= D; ++u) {
      const int column = left + u;
      if ((u - h) * (u - h) + (v - h) * (v - h) >= h * h || column < 0 || column >= image.width()) continue;
      const QRgb pixel = source && u < picture.width() ? source[u] : kMoonWithoutPicture;
      const float sx = static_cast<float>(e.x - (u - h) * kScale);
      target[column] = Shaded(pixel, sx * sx + sy * sy, f1sq, f2sq);
    }
  }
}

// The Moon at any other scale: each picture pixel inside the Moon's disc takes the colour of
// the Moon's picture (the disc of the scale-1 picture smoothly scaled to its size here) at
// its centre, shaded by its sky point. Design pixel (c, r) covers the picture square from
// (c, r) * scale to (c + 1, r + 1) * scale.
void ComposeMoonSmooth(QImage& image, const ElementValues& e, const MoonPictures& pictures, double scale,
                       QPoint origin) {
  const double rmoo = e.PenContactRadius - e.f1;
  const int D = MoonDiameterPixels(rmoo);
  if (D < 0 || D > kDiagramWidth) return;
  const double R = rmoo / kScale;  // design pixels
  const double mx = kDiagramWidth / 2 + origin.x() - e.x / kScale, my = kDiagramHeight / 2 + origin.y() - e.y / kScale;
  const int size = std::max(1, static_cast<int>(std::lround((D + 1) * scale)));
  QImage picture = PictureForDiameter(pictures, D);
  if (!picture.isNull())
    picture = picture.copy(0, 0, D + 1, D + 1)
                  .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB32);
  const double toPicture = size / (D + 1.0), middle = (D + 1) / 2.0;
  const double f1sq = e.f1 * e.f1, f2sq = e.f2 * e.f2;
  const auto physical = [scale](double design) { return static_cast<int>(std::floor((design + 0.5) * scale)); };
  const int rowFirst = std::max(0, physical(my - R - 1)), rowLast = std::min(image.height() - 1, physical(my + R + 1));
  const int colFirst = std::max(0, physical(mx - R - 1)), colLast = std::min(image.width() - 1, physical(mx + R + 1));
  for (int row = rowFirst; row <= rowLast; ++row) {
    const double dy = (row + 0.5) / scale - 0.5 - my;
    auto* target = reinterpret_cast<QRgb*>(image.scanLine(row));
    const int v = std::clamp(static_cast<int>((middle + dy) * toPicture), 0, size - 1);
    const auto* source = picture.isNull() ? nullptr : reinterpret_cast<const QRgb*>(picture.constScanLine(v));
    const float sy = static_cast<float>(e.y - dy * kScale);
    for (int column = colFirst; column <= colLast; ++column) {
      const double dx = (column + 0.5) / scale - 0.5 - mx;
      if (dx * dx + dy * dy >= R * R) continue;
      const int u = std::clamp(static_cast<int>((middle + dx) * toPicture), 0, size - 1);
      const QRgb pixel = source ? source[u] : kMoonWithoutPicture;
      const float sx = static_cast<float>(e.x - dx * kScale);
      target[column] = Shaded(pixel, sx * sx + sy * sy, f1sq, f2sq);
    }
  }
}

// The half-degree grid at any scale other than 1, dotted as at scale 1: every other design
// pixel of each line from its first on, each dot the picture pixels of its square, so that
// the dots stay sharp (a dotted pen's stroke costs many times as much).
void DottedGrid(QImage& image, double scale, QPoint origin) {
  const int cx = kDiagramWidth / 2 + origin.x(), cy = kDiagramHeight / 2 + origin.y();
  const QRgb colour = kUmbraCaptionAndGrid.rgb();
  const auto edge = [scale](int design) { return static_cast<int>(std::lround(design * scale)); };
  const auto dot = [&](int x, int y) {
    const int top = std::max(0, edge(y)), bottom = std::min(image.height(), edge(y + 1));
    const int left = std::max(0, edge(x)), right = std::min(image.width(), edge(x + 1));
    for (int row = top; row < bottom; ++row) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
      for (int column = left; column < right; ++column) line[column] = colour;
    }
  };
  for (int i = -6; i <= 6; ++i)
    for (int y = cy - 250; y <= cy + 250; y += 2) dot(cx - Round(i * 1800 / kScale), y);
  for (int j = -3; j <= 3; ++j)
    for (int x = cx - 600; x <= cx + 600; x += 2) dot(x, cy - Round(j * 1800 / kScale));
}

// The whole diagram of `scene` into `image`, which has the size of the scale; without its
// texts (and the gaps the lines leave for them) when `withTexts` is false, for a picture
// that is turned before they are written upright. Such a picture is larger, by `origin`
// (design pixels) on either side, so that what the turn brings into the frame is drawn.
void PaintDiagram(QImage& image, const DiagramScene& scene, const MoonPictures& moonPictures, double scale,
                  const DiagramLayout& layout, bool withTexts, QPoint origin = {}) {
  const EclipseRecord& record = *scene.record;
  const EclipseCircumstances& circ = *scene.circumstances;
  const MoonPath& path = *scene.moonPath;
  const ElementValues& e = scene.elements;
  const std::uint8_t lang = scene.language;
  const auto text = [lang](int row) { return Q(Text(row, lang)); };

  image.fill(kBlack);
  {
    Canvas c(image, scale, origin);
    QPainter& p = c.p();
    const int cx = c.cx(), cy = c.cy();

    // The penumbra and the umbra with their captions, below the centre when the Moon
    // passes north of it (Gamma > 0), above otherwise.
    const bool below = record.Gamma > 0;
    Disc(c, e.f1, kPenumbra);
    c.Font(14);
    if (withTexts) {
      c.TextCentred(cx, below ? cy + 140 : cy - 160, text(text_row::kPenumbraCaption), kPenumbraCaption);
      c.TextCentred(cx, below ? cy + 160 : cy - 140, text(text_row::kPenumbraCaption + 1), kPenumbraCaption);
    }
    Disc(c, e.f2, kUmbra);
    if (withTexts) {
      c.TextCentred(cx, below ? cy + 50 : cy - 60, text(text_row::kUmbraCaption), kUmbraCaptionAndGrid);
      c.TextCentred(cx, below ? cy + 70 : cy - 40, text(text_row::kUmbraCaption + 1), kUmbraCaptionAndGrid);
    }
    p.setBrush(Qt::NoBrush);

    // Grid of half degrees (1800 arcseconds), dotted: every other pixel.
    if (c.exact()) {
      p.setPen(Pen(kUmbraCaptionAndGrid, 1, Qt::DotLine));
      for (int i = -6; i <= 6; ++i) {
        const double column = cx - c.Snap(i * 1800 / kScale);
        c.Line(column, cy - 250, column, cy + 250);
      }
      for (int j = -3; j <= 3; ++j) {
        const double row = cy - c.Snap(j * 1800 / kScale);
        c.Line(cx - 600, row, cx + 600, row);
      }
    }
  }
  if (scale != 1.0) DottedGrid(image, scale, origin);

  {
    Canvas c(image, scale, origin);
    QPainter& p = c.p();
    const int cx = c.cx(), cy = c.cy();

    // Compass: north up, east to the left.
    c.Font(12);
    p.setPen(Pen(kCompassAndEcliptic, 2));
    c.Line(cx, cy - 205, cx, cy - 218);
    c.Line(cx, cy + 205, cx, cy + 218);
    c.Line(cx - 280, cy, cx - 295, cy);
    c.Line(cx + 280, cy, cx + 295, cy);
    if (withTexts) {
      c.TextCentred(cx, cy - 230, QStringLiteral("N"), kWhite);
      c.TextCentred(cx, cy + 230, QStringLiteral("S"), kWhite);
      c.TextCentred(cx - 315, cy, text(text_row::kEast), kWhite);
      c.TextCentred(cx + 322, cy, text(text_row::kWest), kWhite);
    }

    // The Moon's path through its positions at the whole hours of universal time.
    std::array<QPointF, std::tuple_size_v<MoonPath>> pathPoints;
    for (std::size_t i = 0; i < path.size(); ++i)
      pathPoints[i] = QPointF(cx - c.Snap(path[i].x / kScale), cy - c.Snap(path[i].y / kScale));
    // The box of the ecliptic's label (in the labels' font, 10 points) first: the path and
    // the ecliptic both stop short of both labels.
    c.Font(10);
    const double tanA = std::tan(scene.eclipticTilt);
    const QString eclipticLabel = text(text_row::kEcliptic);
    const QRect eclipticBox(cx - Round(c.TextWidth(eclipticLabel) / 2 + 8250 / kScale),
                            cy + Round(8250 * tanA / kScale - c.TextHeight() / 2), c.TextWidth(eclipticLabel),
                            c.TextHeight());
    if (withTexts) c.LeaveOut(layout.path.box, eclipticBox);
    p.setPen(Pen(kPath, 1, Qt::DashLine));
    if (c.exact()) c.Polyline(pathPoints);
    else c.Dashed(pathPoints, 6, 3);

    // Hour marks, 10 pixels across the path, only where the points are the hours of the
    // shown time scale (universal time); none at the two ends.
    if (scene.universalTime) {
      p.setPen(Pen(kPath, 1));
      for (std::size_t k = 1; k + 1 < path.size(); ++k) {
        const double a = ArcTan2(path[k + 1].y - path[k - 1].y, path[k + 1].x - path[k - 1].x);
        const double px = cx - path[k].x / kScale, py = cy - path[k].y / kScale;
        c.Line(c.Snap(px - 5 * std::cos(a + HalfPi)), c.Snap(py - 5 * std::sin(a + HalfPi)),
               c.Snap(px - 5 * std::cos(a - HalfPi)), c.Snap(py - 5 * std::sin(a - HalfPi)));
      }
    }
    c.NoLongerLeaveOut();

    // Path label on the straight line through the point where the Moon crosses x = 0, at
    // x = -7800 arcseconds (west side), in the gap left in the line, with a black halo
    // where the grid or the ecliptic crosses it. Moved along that line when it would cover
    // another text.
    if (withTexts) c.TextWithHalo(layout.path.box.left(), layout.path.box.top(), layout.path.text, kPath, kBlack);

    // Ecliptic through the shadow's centre, inclined by the scene's tilt against the
    // east-west line at the antisolar point; its label at x = +8250 (east), in a gap of
    // the line as the path's label.
    if (withTexts) c.LeaveOut(layout.path.box, eclipticBox);
    p.setPen(Pen(kCompassAndEcliptic, 1, Qt::DashLine));
    const std::array<QPointF, 2> ecliptic = {QPointF(cx - c.Snap(9000 / kScale), cy + c.Snap(9000 * tanA / kScale)),
                                             QPointF(cx + c.Snap(9000 / kScale), cy - c.Snap(9000 * tanA / kScale))};
    if (c.exact()) c.Line(ecliptic[0].x(), ecliptic[0].y(), ecliptic[1].x(), ecliptic[1].y());
    else c.Dashed(ecliptic, 6, 3);
    c.NoLongerLeaveOut();
    if (withTexts) c.TextWithHalo(eclipticBox.left(), eclipticBox.top(), eclipticLabel, kCompassAndEcliptic, kBlack);

    // The Moon's outline at each contact, then its centre as a dot, then the labels.
    const double rmoo = e.PenContactRadius - e.f1;
    const auto contacts = ShownContacts(circ);
    for (const ShownContact& s : contacts) {
      if (!s.occurs) continue;
      p.setPen(Pen(s.colour, 1));
      const ContactPosition at = PositionOf(circ, s.contact);
      c.SkyCircle(rmoo, at.x, at.y);
    }
    for (const ShownContact& s : contacts) {
      if (!s.occurs) continue;
      p.setPen(Pen(s.colour, 3));
      const ContactPosition at = PositionOf(circ, s.contact);
      c.SkyDot(at.x, at.y);
    }
    // The labels where the layout put them, clear of the Moon's picture at t.
    c.Font(12);
    std::size_t next = 0;
    for (const ShownContact& s : contacts) {
      if (!withTexts || !s.occurs || !s.labelled || next >= layout.contacts.size()) continue;
      const DiagramLabel& label = layout.contacts[next++];
      c.TextAt(label.box.left(), label.box.top(), label.text, s.colour);
    }
  }

  if (scale == 1.0) ComposeMoon(image, e, moonPictures);
  else ComposeMoonSmooth(image, e, moonPictures, scale, origin);

  {
    // The Moon's outline at t and the shadows' edges over it.
    Canvas c(image, scale, origin);
    const double rmoo = e.PenContactRadius - e.f1;
    c.p().setPen(Pen(kMoonOutline, 1));
    c.SkyCircle(rmoo, e.x, e.y);
    c.p().setPen(Pen(kUmbra, 1));
    c.SkyCircle(e.f2, 0, 0);
    c.p().setPen(Pen(kPenumbra, 1));
    c.SkyCircle(e.f1, 0, 0);
  }
}

QImage NewDiagramImageOf(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.setDotsPerMeterX(kDiagramDotsPerMetre);
  image.setDotsPerMeterY(kDiagramDotsPerMetre);
  return image;
}

// The margins (design pixels) by which the figure of a turned diagram is drawn larger on
// either side: a square of 1160 pixels round the centre, which holds the frame's corners
// (573 pixels from the centre) at any turn.
constexpr QPoint kTurnMargin(60, 340);

// The figure (drawn with kTurnMargin round the diagram) turned clockwise by the parallactic
// angle q (degrees) round the diagram's centre into a picture of `size`, so that the zenith
// of the place is up. An arrow at the top right points to the zenith, with its name.
QImage TurnedToZenith(const QImage& figure, QSize size, double q, std::uint8_t language, double scale) {
  QImage turned = NewDiagramImageOf(size);
  turned.fill(kBlack);
  QPainter p(&turned);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.translate(size.width() / 2.0, size.height() / 2.0);
  p.rotate(q);  // clockwise on the picture, whose rows run down
  p.translate(-figure.width() / 2.0, -figure.height() / 2.0);
  p.drawImage(0, 0, figure);
  p.resetTransform();
  p.scale(scale, scale);
  const double x = kDiagramWidth - 60, top = 30, bottom = 80;
  p.setPen(QPen(kWhite, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(x, bottom), QPointF(x, top));
  p.drawLine(QPointF(x, top), QPointF(x - 6, top + 10));
  p.drawLine(QPointF(x, top), QPointF(x + 6, top + 10));
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(10);
  p.setFont(font);
  const QString label = QString::fromUtf8(Text(PlacesText::kSkyZenith, language));
  const QFontMetrics m = p.fontMetrics();
  p.drawText(QPointF(x - m.horizontalAdvance(label) / 2.0, top - 6), label);
  return turned;
}

}  // namespace

QImage NewDiagramImage() {
  QImage image = NewDiagramImageOf(QSize(kDiagramWidth, kDiagramHeight));
  image.fill(Qt::white);
  return image;
}

QSize DiagramSizeAt(double scale) {
  return {ScaledLength(kDiagramWidth, scale), ScaledLength(kDiagramHeight, scale)};
}

int MoonDiameterPixels(double moonRadius) { return Round(2 * moonRadius / kScale); }

QImage MoonPictureOfDiameter(const MoonPictures& pictures, int diameter) { return PictureForDiameter(pictures, diameter); }

QRgb ShadedMoonPixel(QRgb pixel, float distanceSq, double f1, double f2) {
  return Shaded(pixel, distanceSq, f1 * f1, f2 * f2);
}

// FixedDiagramLabels: the shadows' four caption lines, the four compass letters and the
// ecliptic's label come before the contact labels.
constexpr std::size_t kFixedTextsBeforeContacts = 9;

std::vector<DiagramLabel> FixedDiagramLabels(const DiagramScene& scene) {
  const auto text = [&scene](int row) { return Q(Text(row, scene.language)); };
  constexpr int cx = kDiagramWidth / 2, cy = kDiagramHeight / 2;
  std::vector<DiagramLabel> labels;
  const QFontMetrics m14 = DiagramFontMetrics(14), m12 = DiagramFontMetrics(12), m10 = DiagramFontMetrics(10);
  const bool below = scene.record->Gamma > 0;
  labels.push_back(LabelCentred(m14, text(text_row::kPenumbraCaption), cx, below ? cy + 140 : cy - 160));
  labels.push_back(LabelCentred(m14, text(text_row::kPenumbraCaption + 1), cx, below ? cy + 160 : cy - 140));
  labels.push_back(LabelCentred(m14, text(text_row::kUmbraCaption), cx, below ? cy + 50 : cy - 60));
  labels.push_back(LabelCentred(m14, text(text_row::kUmbraCaption + 1), cx, below ? cy + 70 : cy - 40));
  labels.push_back(LabelCentred(m12, QStringLiteral("N"), cx, cy - 230));
  labels.push_back(LabelCentred(m12, QStringLiteral("S"), cx, cy + 230));
  labels.push_back(LabelCentred(m12, text(text_row::kEast), cx - 315, cy));
  labels.push_back(LabelCentred(m12, text(text_row::kWest), cx + 322, cy));
  const double tanA = std::tan(scene.eclipticTilt);
  const QString ecliptic = text(text_row::kEcliptic);
  labels.push_back(LabelAt(m10, ecliptic, cx - Round(m10.horizontalAdvance(ecliptic) / 2 + 8250 / kScale),
                           cy + Round(8250 * tanA / kScale - m10.height() / 2)));
  const EclipseCircumstances& circ = *scene.circumstances;
  for (const ShownContact& s : ShownContacts(circ)) {
    if (!s.occurs || !s.labelled) continue;
    const ContactPosition at = PositionOf(circ, s.contact);
    const QString name = QString::fromLatin1(ContactName(s.contact));
    labels.push_back(LabelAt(m12, name, cx - Round(m12.horizontalAdvance(name) / 2 + at.x / kScale),
                             cy - Round(at.y / kScale - 2)));
  }
  return labels;
}

DiagramLabel PathLabel(const DiagramScene& scene) {
  const QFontMetrics m = DiagramFontMetrics(10);
  constexpr double kHome = -7800, kStep = 100;  // arcseconds
  const DiagramLabel home = PathLabelAt(scene, m, kHome);
  const std::vector<DiagramLabel> fixed = FixedDiagramLabels(scene);
  const QRect picture(0, 0, kDiagramWidth, kDiagramHeight);
  const auto free = [&fixed](const QRect& box) {
    return std::none_of(fixed.begin(), fixed.end(), [&box](const DiagramLabel& l) { return l.box.intersects(box); });
  };
  if (free(home.box)) return home;
  // Outwards first (further west), then inwards, one step further each time, up to
  // 9000 arcseconds either way (the picture is 1040 pixels, 23,000 arcseconds wide).
  for (int k = 1; k <= 90; ++k)
    for (const double x : {kHome - k * kStep, kHome + k * kStep}) {
      const DiagramLabel moved = PathLabelAt(scene, m, x);
      if (picture.contains(moved.box) && free(moved.box)) return moved;
    }
  return home;
}

namespace {

const QRect kPicture(0, 0, kDiagramWidth, kDiagramHeight);

// The Moon's disc with its outline (a polygon of rounded vertices up to a pixel further
// out) and a pixel between: what a text keeps clear of.
struct MoonClearance {
  double x = 0, y = 0, radius = 0;
  double Clear() const { return radius + 2; }
  bool Covers(const QRect& box) const {
    if (radius <= 0) return false;
    const double nx = std::clamp(x, static_cast<double>(box.left()), static_cast<double>(box.right()));
    const double ny = std::clamp(y, static_cast<double>(box.top()), static_cast<double>(box.bottom()));
    return (nx - x) * (nx - x) + (ny - y) * (ny - y) < Clear() * Clear();
  }
};

bool FreeOf(const std::vector<QRect>& others, const QRect& box) {
  return std::none_of(others.begin(), others.end(), [&box](const QRect& o) { return o.intersects(box); });
}

// `box` where the Moon covers it moved up or down, the nearer first, the side away from the
// Moon's centre first at equal distance: the first box that clears the Moon and `others`
// within the picture, else the first that clears the Moon; unmoved when none does.
QRect OffTheMoon(const QRect& box, const MoonClearance& moon, const std::vector<QRect>& others) {
  if (!moon.Covers(box)) return box;
  const int away = box.center().y() >= moon.y ? 1 : -1;
  std::optional<QRect> clearOfMoon;
  const int reach = 2 * static_cast<int>(moon.Clear()) + box.height() + 2;
  for (int d = 1; d <= reach; ++d)
    for (const int dy : {away * d, -away * d}) {
      const QRect moved = box.translated(0, dy);
      if (moon.Covers(moved) || !kPicture.contains(moved)) continue;
      if (!clearOfMoon) clearOfMoon = moved;
      if (FreeOf(others, moved)) return moved;
    }
  return clearOfMoon ? *clearOfMoon : box;
}

// The layout of the diagram drawn north up.
DiagramLayout LayOutNorthUp(const DiagramScene& scene) {
  DiagramLayout layout;
  layout.path = PathLabel(scene);
  const ElementValues& e = scene.elements;
  const double rmoo = e.PenContactRadius - e.f1;
  const int D = MoonDiameterPixels(rmoo);
  if (D >= 0 && D <= kDiagramWidth) {  // as ComposeMoon draws it
    layout.moonRadius = D / 2.0;
    layout.moonX = kDiagramWidth / 2 - Round((e.x + rmoo) / kScale) + layout.moonRadius;
    layout.moonY = kDiagramHeight / 2 - Round((e.y + rmoo) / kScale) + layout.moonRadius;
  }
  const MoonClearance moon{layout.moonX, layout.moonY, layout.moonRadius};
  // The texts a moved label should not land on: the fixed ones other than the contact
  // labels, the path label, and the contact labels placed before it.
  std::vector<QRect> others;
  const std::vector<DiagramLabel> fixed = FixedDiagramLabels(scene);
  for (std::size_t i = 0; i < fixed.size() && i < kFixedTextsBeforeContacts; ++i) others.push_back(fixed[i].box);
  others.push_back(layout.path.box);
  for (std::size_t i = kFixedTextsBeforeContacts; i < fixed.size(); ++i) {
    DiagramLabel label = fixed[i];
    label.box = OffTheMoon(label.box, moon, others);
    others.push_back(label.box);
    layout.contacts.push_back(label);
  }
  return layout;
}

// Texts keep this many pixels off the turned picture's edges.
constexpr int kEdgeMargin = 3;
const QRect kWithinEdges = kPicture.adjusted(kEdgeMargin, kEdgeMargin, -kEdgeMargin, -kEdgeMargin);

// The box moved by the fewest pixels to within the picture's edges.
QRect WithinEdges(QRect box) {
  box.moveLeft(std::clamp(box.left(), kWithinEdges.left(), kWithinEdges.right() + 1 - box.width()));
  box.moveTop(std::clamp(box.top(), kWithinEdges.top(), kWithinEdges.bottom() + 1 - box.height()));
  return box;
}

QRect CentredOn(QPointF centre, QSize size) {
  return {Round(centre.x() - size.width() / 2.0), Round(centre.y() - size.height() / 2.0), size.width(), size.height()};
}

// A text of `size` on the line from `from` to `to`: centred at `from` when it lies there
// within the picture, else slid along the line pixel by pixel to where it first does (where
// the line meets the picture's edge), and further on to where it also covers neither the
// Moon nor `others` when that comes before `to`; the box moved into the picture when the
// line never holds it (nor goes further than about 120 pixels). Then off the Moon.
QRect AlongLine(QPointF from, QPointF to, QSize size, const MoonClearance& moon, const std::vector<QRect>& others) {
  const QPointF step = to - from;
  const int steps = std::max(1, static_cast<int>(std::ceil(std::hypot(step.x(), step.y()))));
  std::optional<QRect> first;
  for (int k = 0; k <= steps; ++k) {
    const QRect box = CentredOn(from + step * (static_cast<double>(k) / steps), size);
    if (!kWithinEdges.contains(box)) {
      if (first) break;  // past the picture again
      continue;
    }
    if (!first) first = box;
    if (!moon.Covers(box) && FreeOf(others, box)) return box;
    if ((box.topLeft() - first->topLeft()).manhattanLength() > 160) break;  // not far from its place
  }
  return OffTheMoon(first ? *first : WithinEdges(CentredOn(from, size)), moon, others);
}

// The zenith arrow's box with its name (as TurnedToZenith draws it), which the texts keep clear of.
QRect ZenithArrowBox(std::uint8_t language) {
  const QFontMetrics m = DiagramFontMetrics(10);
  const int width = m.horizontalAdvance(QString::fromUtf8(Text(PlacesText::kSkyZenith, language)));
  const int x = kDiagramWidth - 60, top = 30 - 6 - m.ascent();
  return QRect(std::min(x - width / 2, x - 8), top, std::max(width, 16), 80 + 2 - top);
}

// The layout of the diagram turned clockwise by q degrees, from its north-up layout.
DiagramLayout LayOutTurned(const DiagramScene& scene, const DiagramLayout& northUp, double q) {
  const double cosQ = std::cos(q * DegToRad), sinQ = std::sin(q * DegToRad);
  const QPointF middle(kDiagramWidth / 2.0, kDiagramHeight / 2.0);
  const auto turned = [&](QPointF p) {
    const QPointF d = p - middle;
    return middle + QPointF(d.x() * cosQ - d.y() * sinQ, d.x() * sinQ + d.y() * cosQ);
  };
  // Pixel (c, r) covers the square from (c, r) to (c + 1, r + 1).
  const auto centreOf = [](const QRect& box) { return QRectF(box).center(); };

  DiagramLayout layout;
  if (northUp.moonRadius > 0) {
    const QPointF moon = turned(QPointF(northUp.moonX + 0.5, northUp.moonY + 0.5)) - QPointF(0.5, 0.5);
    layout.moonX = moon.x();
    layout.moonY = moon.y();
    layout.moonRadius = northUp.moonRadius;
  }
  // The turned disc's edge is smoothed over a pixel more.
  const MoonClearance moon{layout.moonX, layout.moonY, layout.moonRadius > 0 ? layout.moonRadius + 1 : 0};
  std::vector<QRect> others{ZenithArrowBox(scene.language)};
  const std::vector<DiagramLabel> fixed = FixedDiagramLabels(scene);

  // The shadows' captions: each two lines together, upright round their turned middle.
  for (std::size_t i = 0; i < 4; i += 2) {
    const QRect both = fixed[i].box.united(fixed[i + 1].box);
    const QRect block = OffTheMoon(WithinEdges(CentredOn(turned(centreOf(both)), both.size())), moon, others);
    for (std::size_t k = i; k < i + 2; ++k) {
      DiagramLabel label = fixed[k];
      label.box.translate(block.left() - both.left(), block.top() - both.top());
      others.push_back(label.box);
      layout.texts.push_back(label);
    }
  }
  // The compass letters and the ecliptic's label on their turned lines from the centre.
  for (std::size_t i = 4; i < kFixedTextsBeforeContacts; ++i) {
    DiagramLabel label = fixed[i];
    label.box = AlongLine(turned(centreOf(label.box)), middle, label.box.size(), moon, others);
    others.push_back(label.box);
    layout.texts.push_back(label);
  }
  // The path label on the turned path, towards the point of it nearest the centre and on.
  {
    const MoonPath& path = *scene.moonPath;
    const QPointF home = turned(centreOf(northUp.path.box));
    const QPointF along =
        turned(middle + QPointF(path.front().x - path.back().x, path.front().y - path.back().y)) - middle;
    const double length = std::hypot(along.x(), along.y());
    QPointF to = middle;
    if (length > 0) {
      const QPointF u = along / length;
      const QPointF d = middle - home;
      const double s = d.x() * u.x() + d.y() * u.y();
      to = home + u * (2 * s);  // as far past the nearest point as home lies before it
    }
    layout.path = northUp.path;
    layout.path.box = AlongLine(home, to, northUp.path.box.size(), moon, others);
    others.push_back(layout.path.box);
  }
  // The contact labels 2 pixels below their turned contacts, within the picture, off the Moon.
  for (std::size_t i = kFixedTextsBeforeContacts; i < fixed.size(); ++i) {
    DiagramLabel label = fixed[i];
    const QPointF contact = turned(QPointF(centreOf(label.box).x(), label.box.top() - 2));
    label.box = QRect(Round(contact.x() - label.box.width() / 2.0), Round(contact.y()) + 2, label.box.width(),
                      label.box.height());
    label.box = OffTheMoon(WithinEdges(label.box), moon, others);
    others.push_back(label.box);
    layout.contacts.push_back(label);
  }
  return layout;
}

// The texts of the turned diagram, upright where `layout` puts them, each with a black halo.
void WriteUpright(QImage& image, const DiagramScene& scene, const DiagramLayout& layout, double scale) {
  Canvas c(image, scale);
  const std::array<QColor, kFixedTextsBeforeContacts> colours = {
      kPenumbraCaption, kPenumbraCaption, kUmbraCaptionAndGrid, kUmbraCaptionAndGrid, kWhite, kWhite, kWhite, kWhite,
      kCompassAndEcliptic};
  const std::array<int, kFixedTextsBeforeContacts> points = {14, 14, 14, 14, 12, 12, 12, 12, 10};
  for (std::size_t i = 0; i < layout.texts.size() && i < colours.size(); ++i) {
    c.Font(points[i]);
    c.TextWithHalo(layout.texts[i].box.left(), layout.texts[i].box.top(), layout.texts[i].text, colours[i], kBlack);
  }
  c.Font(10);
  c.TextWithHalo(layout.path.box.left(), layout.path.box.top(), layout.path.text, kPath, kBlack);
  c.Font(12);
  std::size_t next = 0;
  for (const ShownContact& s : ShownContacts(*scene.circumstances)) {
    if (!s.occurs || !s.labelled || next >= layout.contacts.size()) continue;
    const DiagramLabel& label = layout.contacts[next++];
    c.TextWithHalo(label.box.left(), label.box.top(), label.text, s.colour, kBlack);
  }
}

}  // namespace

DiagramLayout LayOutDiagram(const DiagramScene& scene) {
  const DiagramLayout northUp = LayOutNorthUp(scene);
  if (!scene.parallacticAngleDeg) return northUp;
  return LayOutTurned(scene, northUp, *scene.parallacticAngleDeg);
}

QImage DrawShadowDiagram(const DiagramScene& scene, const MoonPictures& moonPictures, double scale,
                         DiagramLayout* placed) {
  scale = UsableRenderScale(scale);
  const DiagramLayout layout = LayOutDiagram(scene);
  if (placed) *placed = layout;
  if (!scene.parallacticAngleDeg) {
    QImage image = NewDiagramImageOf(DiagramSizeAt(scale));
    PaintDiagram(image, scene, moonPictures, scale, layout, true);
    return image;
  }
  // The figure turned, then its texts written upright over it.
  QImage figure = NewDiagramImageOf(QSize(ScaledLength(kDiagramWidth + 2 * kTurnMargin.x(), scale),
                                          ScaledLength(kDiagramHeight + 2 * kTurnMargin.y(), scale)));
  PaintDiagram(figure, scene, moonPictures, scale, layout, false, kTurnMargin);
  QImage turned = TurnedToZenith(figure, DiagramSizeAt(scale), *scene.parallacticAngleDeg, scene.language, scale);
  WriteUpright(turned, scene, layout, scale);
  return turned;
}

}  // namespace varomintel
