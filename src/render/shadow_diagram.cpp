#include "render/shadow_diagram.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPoint>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "astro/calendar.h"
#include "astro/sun_constellation.h"
#include "astro/trig_func.h"
#include "eclipse/eclipse_type.h"
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

// The painter with the diagram's centre and its text and sky-circle helpers.
class Canvas {
 public:
  explicit Canvas(QImage& image) : p_(&image), cx_(image.width() / 2), cy_(image.height() / 2) {}
  QPainter& p() { return p_; }
  int cx() const { return cx_; }
  int cy() const { return cy_; }

  void Font(int points) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    p_.setFont(font);
  }
  // Text with its top-left corner at (left, top); on black when opaque.
  void TextAt(int left, int top, const QString& text, const QColor& colour, bool opaque = false) {
    const QFontMetrics m = p_.fontMetrics();
    if (opaque) p_.fillRect(left, top, m.horizontalAdvance(text), m.height(), kBlack);
    p_.setPen(colour);
    p_.drawText(left, top + m.ascent(), text);
  }
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
  void SkyCircle(double r, double x, double y) {
    const float rs = static_cast<float>(r), xs = static_cast<float>(x), ys = static_cast<float>(y);
    std::array<QPoint, 121> points;
    for (int k = 0; k <= 120; ++k) {
      const double c = CosTable()[static_cast<std::size_t>(3 * k)];
      const double s = SinTable()[static_cast<std::size_t>(3 * k)];
      points[static_cast<std::size_t>(k)] =
          QPoint(Round(cx_ - (double{xs} + double{rs} * c) / kScale), Round(cy_ - (double{ys} - double{rs} * s) / kScale));
    }
    p_.drawPolyline(points.data(), static_cast<int>(points.size()));
  }
  // A contact's centre: the circle of radius 1 arcsecond drawn with the current (3-pixel)
  // pen, a dot of about 3 pixels. Its vertices fall on one or two pixels, and a stroke whose
  // vertices all coincide draws nothing here, so the dot is also set at its first vertex.
  void SkyDot(double x, double y) {
    SkyCircle(1, x, y);
    const float xs = static_cast<float>(x), ys = static_cast<float>(y);
    p_.drawPoint(Round(cx_ - (double{xs} + 1.0) / kScale), Round(cy_ - double{ys} / kScale));
  }
  // DrawSkyLabel: text centred horizontally on the sky point (x, y), 2 pixels below it.
  void SkyLabel(const QString& text, double x, double y, const QColor& colour) {
    TextAt(cx_ - Round(TextWidth(text) / 2 + x / kScale), cy_ - Round(y / kScale - 2), text, colour);
  }

 private:
  QPainter p_;
  int cx_, cy_;
};

// A disc of radius r pixels round the centre: the pixels of the box from (CX - r, CY - r)
// to (CX + r, CY + r), both ends included.
void Disc(Canvas& c, double radius, const QColor& colour) {
  const int r = Round(radius / kScale);
  c.p().setPen(Pen(colour, 1));
  c.p().setBrush(colour);
  c.p().drawEllipse(QRect(c.cx() - r, c.cy() - r, 2 * r, 2 * r));
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

// The Moon at the slider time, composed pixel by pixel from its picture and darkened where
// the pixel's sky point lies in the penumbra (f2^2 < q < f1^2) or the umbra (q < f2^2); a
// point exactly on a shadow's edge is in neither. Channels are lowered on integers and held
// at the floor (64 in the penumbra, 16 in the umbra), which also raises darker ones to it.
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
      int red = qRed(pixel), green = qGreen(pixel), blue = qBlue(pixel);
      const float sx = static_cast<float>(e.x - (u - h) * kScale);
      const float q = sx * sx + sy * sy;
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
      target[column] = qRgb(red, green, blue);
    }
  }
}

}  // namespace

QImage NewDiagramImage() {
  QImage image(kDiagramWidth, kDiagramHeight, QImage::Format_RGB32);
  image.setDotsPerMeterX(kDiagramDotsPerMetre);
  image.setDotsPerMeterY(kDiagramDotsPerMetre);
  image.fill(Qt::white);
  return image;
}

DiagramScene DiagramSceneOf(const SelectedEclipse& selection, const SliderTime& time, bool universalTime,
                            std::uint8_t language, std::string captionPrefix) {
  DiagramScene scene;
  scene.record = &selection.record;
  scene.circumstances = &selection.circumstances;
  scene.moonPath = &selection.moonPath;
  scene.t = time.t;
  scene.jdTT = time.jdTT;
  scene.jdUT = time.jdUT;
  scene.deltaT = selection.deltaT;
  scene.universalTime = universalTime;
  scene.language = language;
  scene.captionPrefix = std::move(captionPrefix);
  return scene;
}

int MoonDiameterPixels(double moonRadius) { return Round(2 * moonRadius / kScale); }

std::string DiagramCaption(const std::string& prefix, const std::string& dateTime, EclipseTypeCode type,
                           std::uint8_t language) {
  const bool separate = !prefix.empty() && prefix.back() != ' ';
  return prefix + (separate ? "     " : "") + dateTime + "     " + EclipseTypeLongName(type, language);
}

std::string DiagramDateTimeText(double jd, bool universalTime) {
  const CalendarDate d = JDToDate(std::nearbyint(jd * 86400) / 86400);
  char text[64];
  std::snprintf(text, sizeof text, "%s%04d-%02d-%02d  %02d:%02d:%02d%s", d.year < 0 ? "-" : "", std::abs(d.year),
                d.month, d.day, static_cast<int>(d.hour), static_cast<int>(d.minute),
                static_cast<int>(std::lrint(d.second)), universalTime ? " UTC" : " TT");
  return text;
}

DiagramFrame DrawShadowDiagram(QImage& image, const DiagramScene& scene, const MoonPictures& moonPictures) {
  if (image.size() != QSize(kDiagramWidth, kDiagramHeight) || image.format() != QImage::Format_RGB32)
    image = NewDiagramImage();
  const EclipseRecord& record = *scene.record;
  const EclipseCircumstances& circ = *scene.circumstances;
  const MoonPath& path = *scene.moonPath;
  const std::uint8_t lang = scene.language;
  const auto text = [lang](int row) { return Q(Text(row, lang)); };

  // Steps 1 to 4: the elements at t, the Julian day of universal time in whole seconds,
  // and the three texts.
  DiagramFrame frame;
  frame.elements = EvaluateElements(record, scene.t, scene.deltaT);
  const ElementValues& e = frame.elements;
  frame.jdUT = std::nearbyint(scene.jdUT * 86400) / 86400;
  frame.dateTime = DiagramDateTimeText(scene.universalTime ? frame.jdUT : scene.jdTT, scene.universalTime);
  frame.caption = DiagramCaption(scene.captionPrefix, frame.dateTime, record.EclipseType, lang);
  frame.shortType = EclipseTypeShortName(record.EclipseType, lang);

  {
    Canvas c(image);
    QPainter& p = c.p();
    const int cx = c.cx(), cy = c.cy();
    p.fillRect(image.rect(), kBlack);
    p.setBackgroundMode(Qt::TransparentMode);

    // The penumbra and the umbra with their captions, below the centre when the Moon
    // passes north of it (Gamma > 0), above otherwise.
    const bool below = record.Gamma > 0;
    Disc(c, e.f1, kPenumbra);
    c.Font(14);
    c.TextCentred(cx, below ? cy + 140 : cy - 160, text(text_row::kPenumbraCaption), kPenumbraCaption);
    c.TextCentred(cx, below ? cy + 160 : cy - 140, text(text_row::kPenumbraCaption + 1), kPenumbraCaption);
    Disc(c, e.f2, kUmbra);
    c.TextCentred(cx, below ? cy + 50 : cy - 60, text(text_row::kUmbraCaption), kUmbraCaptionAndGrid);
    c.TextCentred(cx, below ? cy + 70 : cy - 40, text(text_row::kUmbraCaption + 1), kUmbraCaptionAndGrid);
    p.setBrush(Qt::NoBrush);

    // Grid of half degrees (1800 arcseconds).
    p.setPen(Pen(kUmbraCaptionAndGrid, 1, Qt::DotLine));
    for (int i = -6; i <= 6; ++i) {
      const int column = cx - Round(i * 1800 / kScale);
      p.drawLine(column, cy - 250, column, cy + 250);
    }
    for (int j = -3; j <= 3; ++j) {
      const int row = cy - Round(j * 1800 / kScale);
      p.drawLine(cx - 600, row, cx + 600, row);
    }

    // Compass: north up, east to the left.
    c.Font(12);
    p.setPen(Pen(kCompassAndEcliptic, 2));
    p.drawLine(cx, cy - 205, cx, cy - 218);
    p.drawLine(cx, cy + 205, cx, cy + 218);
    p.drawLine(cx - 280, cy, cx - 295, cy);
    p.drawLine(cx + 280, cy, cx + 295, cy);
    c.TextCentred(cx, cy - 230, QStringLiteral("N"), kWhite);
    c.TextCentred(cx, cy + 230, QStringLiteral("S"), kWhite);
    c.TextCentred(cx - 315, cy, text(text_row::kEast), kWhite);
    c.TextCentred(cx + 322, cy, text(text_row::kWest), kWhite);

    // The Moon's path through its positions at the whole hours of universal time.
    std::array<QPoint, std::tuple_size_v<MoonPath>> pathPoints;
    for (std::size_t i = 0; i < path.size(); ++i)
      pathPoints[i] = QPoint(cx - Round(path[i].x / kScale), cy - Round(path[i].y / kScale));
    p.setPen(Pen(kPath, 1, Qt::DashLine));
    p.drawPolyline(pathPoints.data(), static_cast<int>(pathPoints.size()));

    // Hour marks, 10 pixels across the path, only where the points are the hours of the
    // shown time scale (universal time); none at the two ends.
    if (scene.universalTime) {
      p.setPen(Pen(kPath, 1));
      for (std::size_t k = 1; k + 1 < path.size(); ++k) {
        const double a = ArcTan2(path[k + 1].y - path[k - 1].y, path[k + 1].x - path[k - 1].x);
        const double px = cx - path[k].x / kScale, py = cy - path[k].y / kScale;
        p.drawLine(Round(px - 5 * std::cos(a + HalfPi)), Round(py - 5 * std::sin(a + HalfPi)),
                   Round(px - 5 * std::cos(a - HalfPi)), Round(py - 5 * std::sin(a - HalfPi)));
      }
    }

    // Path label on the straight line through the point where the Moon crosses x = 0, at
    // x = -7800 arcseconds (west side), on black so that it masks the dashed line.
    c.Font(10);
    {
      const double slope = (path.back().y - path.front().y) / (path.back().x - path.front().x + 1e-10);
      const double xL = -7800;
      const double yL = slope * xL + circ.YAtXZero;
      const QString label = text(text_row::kMoonsPath);
      c.TextAt(cx - Round(c.TextWidth(label) / 2 + xL / kScale), cy - Round(c.TextHeight() / 2 + yL / kScale), label,
               kPath, true);
    }

    // Ecliptic through the shadow's centre, inclined by A = cos(Sun's RA) * 23.44 degrees
    // against the east-west line at the antisolar point; its label at x = +8250 (east).
    const double A = std::cos(SunRightAscension(scene.jdTT)) * 23.44 * DegToRad;
    const double tanA = std::tan(A);
    p.setPen(Pen(kCompassAndEcliptic, 1, Qt::DashLine));
    p.drawLine(cx - Round(9000 / kScale), cy + Round(9000 * tanA / kScale), cx + Round(9000 / kScale),
               cy - Round(9000 * tanA / kScale));
    {
      const QString label = text(text_row::kEcliptic);
      c.TextAt(cx - Round(c.TextWidth(label) / 2 + 8250 / kScale), cy + Round(8250 * tanA / kScale - c.TextHeight() / 2),
               label, kCompassAndEcliptic, true);
    }

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
    c.Font(12);
    for (const ShownContact& s : contacts) {
      if (!s.occurs || !s.labelled) continue;
      const ContactPosition at = PositionOf(circ, s.contact);
      c.SkyLabel(QString::fromLatin1(ContactName(s.contact)), at.x, at.y, s.colour);
    }
  }

  ComposeMoon(image, e, moonPictures);

  {
    // The Moon's outline at t and the shadows' edges over it.
    Canvas c(image);
    const double rmoo = e.PenContactRadius - e.f1;
    c.p().setPen(Pen(kMoonOutline, 1));
    c.SkyCircle(rmoo, e.x, e.y);
    c.p().setPen(Pen(kUmbra, 1));
    c.SkyCircle(e.f2, 0, 0);
    c.p().setPen(Pen(kPenumbra, 1));
    c.SkyCircle(e.f1, 0, 0);
  }
  return frame;
}

}  // namespace varomintel
