#include "gui/common/accessible_names.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "eclipse/eclipse_type.h"

namespace varomintel {

namespace {

// The property that keeps the name this helper gave, so that a later call renews only it.
constexpr const char* kGivenName = "varomintelGivenAccessibleName";

std::uint8_t Lang(std::uint8_t language) { return language <= 3 ? language : 0; }

// The caption a control shows, empty when it shows none.
QString CaptionOf(const QWidget* w) {
  if (const auto* b = qobject_cast<const QAbstractButton*>(w)) return WithoutMnemonic(b->text());
  if (const auto* g = qobject_cast<const QGroupBox*>(w)) return WithoutMnemonic(g->title());
  return {};
}

// The controls of the windows that show no caption, no hint and no label of their own:
// their names (English; the catalogue of the windows' language translates them), by design name.
struct KnownName {
  const char* control;
  const char* name;
};
constexpr KnownName kKnownNames[] = {
    {"ScrollBar_Eclipse", QT_TRANSLATE_NOOP("AccessibleNames", "Choose the eclipse")},
    {"ScrollBar_Time", QT_TRANSLATE_NOOP("AccessibleNames", "Time")},
    {"UpDown1_Prev", QT_TRANSLATE_NOOP("AccessibleNames", "Previous eclipse in the Saros")},
    {"UpDown1_Next", QT_TRANSLATE_NOOP("AccessibleNames", "Next eclipse in the Saros")},
    {"UpDown3_Prev", QT_TRANSLATE_NOOP("AccessibleNames", "Third previous eclipse in the Saros")},
    {"UpDown3_Next", QT_TRANSLATE_NOOP("AccessibleNames", "Third next eclipse in the Saros")},
    {"RE_Table", QT_TRANSLATE_NOOP("AccessibleNames", "Eclipse report")},
    {"TabBar_Bericht", QT_TRANSLATE_NOOP("AccessibleNames", "Report or marked place")},
    {"RE_Ort", QT_TRANSLATE_NOOP("AccessibleNames", "The eclipse at the marked place")},
    {"SG", QT_TRANSLATE_NOOP("AccessibleNames", "Besselian elements")},
    {"DiagramChoice", QT_TRANSLATE_NOOP("AccessibleNames", "What the picture shows")},
    {"ComboBox_Globus", QT_TRANSLATE_NOOP("AccessibleNames", "Map")},
    {"Edit_PoI_Breite", QT_TRANSLATE_NOOP("AccessibleNames", "Latitude of the point of interest (degrees)")},
    {"Edit_PoI_Laenge", QT_TRANSLATE_NOOP("AccessibleNames", "Longitude of the point of interest (degrees)")},
    {"CheckBox_PoI", QT_TRANSLATE_NOOP("AccessibleNames", "Show the point of interest")},
    {"StringGrid_VersionsInfo", QT_TRANSLATE_NOOP("AccessibleNames", "Version information")},
    {"Browser", QT_TRANSLATE_NOOP("AccessibleNames", "Help text")},
    {"ComboBox_von", QT_TRANSLATE_NOOP("AccessibleNames", "Search from year")},
    {"ComboBox_Bis", QT_TRANSLATE_NOOP("AccessibleNames", "Search to year")},
    {"RichEdit_CityHist", QT_TRANSLATE_NOOP("AccessibleNames", "Eclipses at the place")},
    {"RichEdit_CityList", QT_TRANSLATE_NOOP("AccessibleNames", "Circumstances at the places")},
};

QString KnownNameOf(const QWidget* w) {
  for (const KnownName& k : kKnownNames)
    if (w->objectName() == QLatin1String(k.control)) return QCoreApplication::translate("AccessibleNames", k.name);
  return {};
}

// The choice that `w` is a part of (its entry, its list), or null.
QComboBox* ChoiceOwning(const QWidget* w) {
  for (QObject* p = w->parent(); p; p = p->parent())
    if (auto* c = qobject_cast<QComboBox*>(p)) return c;
  return nullptr;
}

// The parts of an area (its scroll bars, headers and corner) speak through it; so does a
// frame that only holds other controls.
bool IsPart(const QWidget* w, const QWidget* window) {
  if (w->window() != window || w->objectName().startsWith(QLatin1String("qt_"))) return true;
  if (qobject_cast<const QScrollArea*>(w)) return true;
  const QWidget* parent = w->parentWidget();
  return parent && parent != window &&
         (parent->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<const QAbstractItemView*>(parent));
}

bool IsControl(const QWidget* w) {
  return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
         qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QAbstractScrollArea*>(w) ||
         w->focusPolicy() != Qt::NoFocus;
}

// The label that names `w`: one whose buddy it is, else the label beside it in the same
// parent that ends left of it on its row or stands right above it, with no other control
// between the two; that one becomes its buddy, which screen readers on Linux follow (they
// read a choice's value as its name and its label from the buddy).
QString LabelFor(QWidget* w) {
  const QWidget* parent = w->parentWidget();
  if (!parent) return {};
  const QList<QLabel*> labels = parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  for (const QLabel* l : labels)
    if (l->buddy() == w && !l->text().isEmpty()) return WithoutMnemonic(l->text());
  const QList<QWidget*> siblings = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  const QRect box = w->geometry();
  QLabel* best = nullptr;
  int bestDistance = std::numeric_limits<int>::max();
  for (QLabel* l : labels) {
    if (l->text().trimmed().isEmpty() || l->isHidden() || l->buddy()) continue;
    const QRect lb = l->geometry();
    const bool leftOf = lb.right() <= box.left() + 2 && lb.bottom() >= box.top() && lb.top() <= box.bottom();
    const bool above = lb.bottom() <= box.top() + 2 && lb.left() < box.right() && lb.right() > box.left();
    if (!leftOf && !above) continue;
    const int distance = leftOf ? box.left() - lb.right() : box.top() - lb.bottom();  // pixels
    if (distance < 0 || distance > 60 || distance >= bestDistance) continue;
    // No other control between the label and the control.
    const QRect between = leftOf ? QRect(QPoint(lb.right() + 1, box.top()), QPoint(box.left() - 1, box.bottom()))
                                 : QRect(QPoint(box.left(), lb.bottom() + 1), QPoint(box.right(), box.top() - 1));
    const bool blocked = std::any_of(siblings.begin(), siblings.end(), [&](const QWidget* s) {
      return s != w && s != l && !s->isHidden() && !qobject_cast<const QLabel*>(s) && s->geometry().intersects(between);
    });
    if (blocked) continue;
    best = l;
    bestDistance = distance;
  }
  if (!best) return {};
  best->setBuddy(w);
  return WithoutMnemonic(best->text());
}

// The title of the nearest group box round `w`.
QString GroupTitleOf(const QWidget* w) {
  for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
    if (const auto* g = qobject_cast<const QGroupBox*>(p)) return WithoutMnemonic(g->title());
  return {};
}

QString NameFor(QWidget* w, std::uint8_t /*language: the catalogue's*/) {
  // A choice always gets its label as buddy: on Linux that, not its name, is read.
  const QString label = qobject_cast<QComboBox*>(w) || CaptionOf(w).isEmpty() ? LabelFor(w) : QString();
  QString name = CaptionOf(w);
  if (name.isEmpty()) name = w->toolTip().simplified();
  if (name.isEmpty()) name = KnownNameOf(w);
  if (name.isEmpty()) name = label;
  if (name.isEmpty()) name = GroupTitleOf(w);
  return name;
}

// Gives `w` `name` unless someone else gave it another; a name given here is renewed.
void GiveName(QWidget* w, const QString& name) {
  const QString given = w->property(kGivenName).toString();
  if (!w->accessibleName().isEmpty() && w->accessibleName() != given) return;
  w->setAccessibleName(name);
  w->setProperty(kGivenName, name);
}

void NameControls(QWidget* window, std::uint8_t language) {
  const QList<QWidget*> widgets = window->findChildren<QWidget*>();
  for (QWidget* w : widgets) {
    if (ChoiceOwning(w) || IsPart(w, window) || !IsControl(w)) continue;
    const QString name = NameFor(w, language);
    GiveName(w, name);
    // A choice's entry and list (made on first use) are named after it.
    if (auto* choice = qobject_cast<QComboBox*>(w)) {
      GiveName(choice->view(), name);
      if (QLineEdit* entry = choice->lineEdit()) GiveName(entry, name);
    }
  }
}

// Names the window's controls again whenever it is shown or laid out anew: the labels'
// places are known only then.
class Renamer : public QObject {
 public:
  Renamer(QWidget* window, std::uint8_t language) : QObject(window), language_(language) {}
  void SetLanguage(std::uint8_t language) { language_ = language; }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) NameControls(static_cast<QWidget*>(watched), language_);
    return false;
  }

 private:
  std::uint8_t language_;
};

QString Degrees(double value, std::uint8_t language) {
  QString text = QString::number(std::abs(value), 'f', 1);
  if (language != 1) text.replace('.', ',');
  return text + QStringLiteral("°");
}

// "2023-10-28", "-0584-05-28": the year with at least four digits, as the date-time text.
QString DateOf(const EclipseRecord& r) {
  const QString year = QStringLiteral("%1").arg(std::abs(r.Year), 4, 10, QChar('0'));
  return QStringLiteral("%1%2-%3-%4")
      .arg(r.Year < 0 ? QStringLiteral("-") : QString(), year)
      .arg(r.Month, 2, 10, QChar('0'))
      .arg(r.Day, 2, 10, QChar('0'));
}

QString TypeAndDate(const EclipseRecord& r, std::uint8_t language) {
  return QString::fromStdString(EclipseTypeLongName(r.EclipseType, language)) + QStringLiteral(", ") + DateOf(r);
}

}  // namespace

QString WithoutMnemonic(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += caption[i];
  }
  return out.simplified();
}

void NameControlsForScreenReaders(QWidget* window, std::uint8_t language) {
  if (!window) return;
  Renamer* renamer = nullptr;
  for (QObject* child : window->children())
    if ((renamer = dynamic_cast<Renamer*>(child))) break;
  if (!renamer) {
    renamer = new Renamer(window, language);
    window->installEventFilter(renamer);
  }
  renamer->SetLanguage(language);
  NameControls(window, language);
}

QString DiagramDescription(const EclipseRecord& record, const ShownMoment& now, std::uint8_t language) {
  const std::uint8_t l = Lang(language);
  return TypeAndDate(record, l) + QStringLiteral(". ") + QCoreApplication::translate("AccessibleNames", "Shown") +
         QStringLiteral(": ") +
         QString::fromStdString(now.dateTime);
}

QString MapDescription(const EclipseRecord& record, const WorldMapEclipse& eclipse, std::uint8_t language) {
  // The hemispheres' letters: north, south, east, west.
  static const char* const kLetters[4] = {QT_TRANSLATE_NOOP("AccessibleNames", "N"), QT_TRANSLATE_NOOP("AccessibleNames", "S"),
                                          QT_TRANSLATE_NOOP("AccessibleNames", "E"), QT_TRANSLATE_NOOP("AccessibleNames", "W")};
  const auto letter = [](int i) { return QCoreApplication::translate("AccessibleNames", kLetters[i]); };
  const std::uint8_t l = Lang(language);
  const SubLunarPoint& max = eclipse.at[Contact::Max];
  constexpr double kDegrees = 180 / 3.14159265358979323846;
  const double latitude = max.d * kDegrees;
  double east = -max.M * kDegrees;  // the hour angle is counted westwards
  if (east > 180) east -= 360;
  if (east < -180) east += 360;
  return TypeAndDate(record, l) + QStringLiteral(". ") +
         QCoreApplication::translate("AccessibleNames",
                                     "Seen where the Moon is above the horizon at greatest eclipse: the half of the "
                                     "Earth round the place that has it in the zenith,") +
         QStringLiteral(" ") + Degrees(latitude, l) + letter(latitude < 0 ? 1 : 0) + QStringLiteral(" ") +
         Degrees(east, l) + letter(east < 0 ? 3 : 2) + QStringLiteral(".");
}

}  // namespace varomintel
