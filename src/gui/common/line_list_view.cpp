#include "gui/common/line_list_view.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <utility>

namespace varomintel {

namespace {

// Characters (code points) of a UTF-8 line: its bytes that do not continue a sequence.
std::size_t CodePoints(const std::string& s) {
  std::size_t n = 0;
  for (const char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

// The kind of character a double-click selects a run of: space, word, or other.
int CharClass(QChar c) {
  if (c.isSpace()) return 0;
  return c.isLetterOrNumber() || c == '_' ? 1 : 2;
}

// Qt's own captions of a text field's context menu, with the shortcut after a tab, so
// that they come in the program's language from Qt's catalogue as the text field's did.
QString MenuText(const char* text, QKeySequence::StandardKey key) {
  QString caption = QCoreApplication::translate("QWidgetTextControl", text);
  const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
  if (!shortcut.isEmpty()) caption += QLatin1Char('\t') + shortcut;
  return caption;
}

// What a screen reader sees of the view: read-only text of many lines, as a read-only
// text field offers it; offsets count UTF-16 units of the lines joined by '\n'.
class LineListAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit LineListAccessible(LineListView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.selectableText = true;
    return s;
  }

  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index != 0 || !View()->HasSelection()) return;
    const auto [from, to] = std::minmax(View()->Anchor(), View()->End());
    *start = Offset(from);
    *end = Offset(to);
  }
  int selectionCount() const override { return View()->HasSelection() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int) override { View()->Select(View()->End(), View()->End()); }
  void setSelection(int, int start, int end) override {
    View()->Select(View()->PlaceOfOffset(start), View()->PlaceOfOffset(end));
  }
  int cursorPosition() const override { return Offset(View()->End()); }
  void setCursorPosition(int position) override {
    const LineListView::Place p = View()->PlaceOfOffset(position);
    View()->Select(p, p);
    View()->MakeVisible(p);
  }
  QString text(int start, int end) const override {
    const LineListView::Place from = View()->PlaceOfOffset(start), to = View()->PlaceOfOffset(end);
    QString text;
    for (qsizetype i = from.line; i <= to.line && i < View()->LineCount(); ++i) {
      const QString line = View()->Line(i);
      const qsizetype a = i == from.line ? from.column : 0;
      const qsizetype b = i == to.line ? to.column : line.size();
      text += line.mid(a, b - a);
      if (i < to.line) text += QLatin1Char('\n');
    }
    return text;
  }
  QString text(QAccessible::Text t) const override { return QAccessibleWidget::text(t); }
  int characterCount() const override { return Offset({View()->LineCount(), 0}); }
  QRect characterRect(int offset) const override {
    const QRect r = View()->CharacterRect(View()->PlaceOfOffset(offset));
    return QRect(View()->viewport()->mapToGlobal(r.topLeft()), r.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPoint at = View()->viewport()->mapFromGlobal(point);
    if (!View()->viewport()->rect().contains(at)) return -1;
    return Offset(View()->PlaceAt(at));
  }
  void scrollToSubstring(int start, int) override { View()->MakeVisible(View()->PlaceOfOffset(start)); }
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

 private:
  LineListView* View() const { return static_cast<LineListView*>(widget()); }
  int Offset(LineListView::Place p) const { return static_cast<int>(View()->OffsetOf(p)); }
};

QAccessibleInterface* LineListAccessibleFactory(const QString& key, QObject* object) {
  if (key == QLatin1String(LineListView::staticMetaObject.className()) && object && object->isWidgetType())
    return new LineListAccessible(static_cast<LineListView*>(object));
  return nullptr;
}

}  // namespace

LineListView::LineListView(QWidget* parent) : QAbstractScrollArea(parent) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(LineListAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  viewport()->setCursor(Qt::IBeamCursor);
  verticalScrollBar()->setSingleStep(1);  // the vertical scroll counts lines, the sideways one pixels
  autoScroll_.setInterval(50);
  connect(&autoScroll_, &QTimer::timeout, this, &LineListView::AutoScroll);
  MeasureFont();
}

void LineListView::MeasureFont() {
  const QFontMetricsF fm(font());
  // A text field's line of one font is as high as the font's ascent and descent.
  lineHeight_ = std::max(1, static_cast<int>(std::ceil(fm.height())));
  ascent_ = static_cast<int>(std::round(fm.ascent()));
  charWidth_ = std::max(1.0, fm.horizontalAdvance(QLatin1Char('0')));
  longestPixels_ = lines_.empty() ? 0 : static_cast<int>(std::ceil(XOf(Line(static_cast<qsizetype>(longestIndex_)), -1)));
}

void LineListView::AppendLines(std::vector<std::string> lines) {
  if (lines.empty()) return;
  // Like a text field: when the last line is in sight, the new last line comes into sight.
  const bool follow = isVisible() && verticalScrollBar()->value() >= verticalScrollBar()->maximum();
  const std::size_t from = lines_.size();
  if (lines_.empty()) {
    lines_ = std::move(lines);
  } else {
    lines_.insert(lines_.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
  }
  TakeWidths(from);
  UpdateScrollBars();
  if (follow) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  viewport()->update();
}

void LineListView::TakeWidths(std::size_t from) {
  const std::size_t before = longest_;
  for (std::size_t i = from; i < lines_.size(); ++i) {
    if (lines_[i].size() <= longest_) continue;  // no more characters than bytes
    const std::size_t n = CodePoints(lines_[i]);
    if (n > longest_) longest_ = n, longestIndex_ = i;
  }
  // In a fixed-pitch font the line of most characters is the widest; only it is measured.
  if (longest_ != before || from == 0)
    longestPixels_ = lines_.empty() ? 0 : static_cast<int>(std::ceil(XOf(Line(static_cast<qsizetype>(longestIndex_)), -1)));
}

void LineListView::Clear() {
  lines_ = {};
  lineStarts_ = {};
  longest_ = longestIndex_ = 0;
  longestPixels_ = 0;
  anchor_ = end_ = Place{};
  dragging_ = false;
  autoScroll_.stop();
  UpdateScrollBars();
  viewport()->update();
}

void LineListView::SetPlainText(const QString& text) {
  Clear();
  if (text.isEmpty()) return;
  std::vector<std::string> lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(line.toStdString());
  AppendLines(std::move(lines));
}

QString LineListView::Line(qsizetype index) const {
  if (index < 0 || index >= LineCount()) return {};
  return QString::fromStdString(lines_[static_cast<std::size_t>(index)]);
}

QString LineListView::PlainText() const {
  std::string all;
  std::size_t size = 0;
  for (const std::string& l : lines_) size += l.size() + 1;
  all.reserve(size);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i) all += '\n';
    all += lines_[i];
  }
  return QString::fromStdString(all);
}

LineListView::Place LineListView::Clamped(Place p) const {
  if (lines_.empty() || p.line < 0) return {};
  if (p.line >= LineCount()) return {LineCount() - 1, Line(LineCount() - 1).size()};
  p.column = std::clamp<qsizetype>(p.column, 0, Line(p.line).size());
  return p;
}

void LineListView::Select(Place anchor, Place end) {
  anchor_ = Clamped(anchor);
  end_ = Clamped(end);
  viewport()->update();
}

void LineListView::SelectAll() {
  if (lines_.empty()) return;
  Select({0, 0}, {LineCount() - 1, Line(LineCount() - 1).size()});
  CopyToSelectionClipboard();
}

QString LineListView::SelectedText() const {
  if (!HasSelection()) return {};
  const auto [from, to] = std::minmax(anchor_, end_);
  QString text;
  for (qsizetype i = from.line; i <= to.line; ++i) {
    const QString line = Line(i);
    const qsizetype a = i == from.line ? from.column : 0;
    const qsizetype b = i == to.line ? to.column : line.size();
    text += line.mid(a, b - a);
    if (i < to.line) text += QLatin1Char('\n');
  }
  return text;
}

void LineListView::Copy() const {
  if (HasSelection()) QGuiApplication::clipboard()->setText(SelectedText());
}

void LineListView::CopyToSelectionClipboard() const {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (HasSelection() && clipboard->supportsSelection()) clipboard->setText(SelectedText(), QClipboard::Selection);
}

qsizetype LineListView::FirstVisibleLine() const { return verticalScrollBar()->value(); }

int LineListView::VisibleLines() const { return std::max(1, (viewport()->height() - kMargin) / lineHeight_); }

void LineListView::UpdateScrollBars() {
  const int visible = VisibleLines();
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, static_cast<int>(std::max<qsizetype>(0, LineCount() - visible)));
  v->setPageStep(visible);
  QScrollBar* h = horizontalScrollBar();
  h->setRange(0, std::max(0, longestPixels_ + 2 * kMargin + static_cast<int>(charWidth_) - viewport()->width()));
  h->setPageStep(viewport()->width());
  h->setSingleStep(std::max(1, static_cast<int>(std::round(charWidth_ * 2))));
}

double LineListView::XOf(const QString& line, qsizetype column) const {
  const QFontMetricsF fm(font());
  return column < 0 || column >= line.size() ? fm.horizontalAdvance(line) : fm.horizontalAdvance(line.left(column));
}

const std::vector<qsizetype>& LineListView::LineStarts() const {
  // One entry a line and one past the end: the start of line i and where it would start
  // after its '\n'.
  if (lineStarts_.empty()) lineStarts_.push_back(0);
  for (std::size_t i = lineStarts_.size() - 1; i < lines_.size(); ++i)
    lineStarts_.push_back(lineStarts_.back() + Line(static_cast<qsizetype>(i)).size() + 1);
  return lineStarts_;
}

qsizetype LineListView::OffsetOf(Place p) const {
  if (lines_.empty()) return 0;
  const std::vector<qsizetype>& starts = LineStarts();
  if (p.line >= LineCount()) return starts.back() - 1;
  const Place c = Clamped(p);
  return starts[static_cast<std::size_t>(c.line)] + c.column;
}

LineListView::Place LineListView::PlaceOfOffset(qsizetype offset) const {
  if (lines_.empty() || offset <= 0) return {};
  const std::vector<qsizetype>& starts = LineStarts();
  const auto next = std::upper_bound(starts.begin(), starts.end(), offset);
  const qsizetype line = std::min<qsizetype>(std::distance(starts.begin(), next) - 1, LineCount() - 1);
  return Clamped({line, offset - starts[static_cast<std::size_t>(line)]});
}

QRect LineListView::CharacterRect(Place p) const {
  const Place c = Clamped(p);
  const QString line = Line(c.line);
  const double left = kMargin - horizontalScrollBar()->value() + XOf(line, c.column);
  const double right = c.column < line.size() ? kMargin - horizontalScrollBar()->value() + XOf(line, c.column + 1)
                                              : left + charWidth_;
  const int top = kMargin + static_cast<int>(c.line - FirstVisibleLine()) * lineHeight_;
  return QRect(static_cast<int>(std::floor(left)), top, std::max(1, static_cast<int>(std::ceil(right - left))),
               lineHeight_);
}

LineListView::Place LineListView::PlaceAt(QPoint p) const {
  if (lines_.empty()) return {};
  const qsizetype row = static_cast<qsizetype>(std::floor(static_cast<double>(p.y() - kMargin) / lineHeight_));
  const qsizetype line = std::clamp<qsizetype>(FirstVisibleLine() + row, 0, LineCount() - 1);
  const QString text = Line(line);
  const double x = p.x() - kMargin + horizontalScrollBar()->value();
  // The first column whose left edge lies beyond x, less one, then the nearer edge.
  qsizetype lo = 0, hi = text.size();
  while (lo < hi) {
    const qsizetype mid = (lo + hi + 1) / 2;
    if (XOf(text, mid) <= x) lo = mid;
    else hi = mid - 1;
  }
  if (lo < text.size() && x - XOf(text, lo) > XOf(text, lo + 1) - x) ++lo;
  return {line, lo};
}

void LineListView::MakeVisible(Place p) {
  QScrollBar* v = verticalScrollBar();
  if (p.line < v->value()) v->setValue(static_cast<int>(p.line));
  else if (p.line >= v->value() + VisibleLines()) v->setValue(static_cast<int>(p.line) - VisibleLines() + 1);
  QScrollBar* h = horizontalScrollBar();
  const int x = kMargin + static_cast<int>(std::round(XOf(Line(p.line), p.column)));
  const int w = viewport()->width();
  if (x - kMargin < h->value()) h->setValue(x - kMargin);
  else if (x + static_cast<int>(charWidth_) > h->value() + w) h->setValue(x + static_cast<int>(charWidth_) + kMargin - w);
}

void LineListView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QPalette& pal = palette();
  const QRect area = event->rect();
  const double x0 = kMargin - horizontalScrollBar()->value();
  const auto [from, to] = std::minmax(anchor_, end_);
  const bool selection = HasSelection();
  painter.setFont(font());
  for (qsizetype i = FirstVisibleLine(); i < LineCount(); ++i) {
    const int y = kMargin + static_cast<int>(i - FirstVisibleLine()) * lineHeight_;
    if (y > area.bottom()) break;
    if (y + lineHeight_ < area.top()) continue;
    const QString text = Line(i);
    const QPointF baseline(x0, y + ascent_);
    painter.setPen(pal.color(QPalette::Text));
    painter.drawText(baseline, text);
    if (!selection || i < from.line || i > to.line) continue;
    // The selected part in the selection's colours; a selected line end as one blank.
    const qsizetype a = i == from.line ? from.column : 0;
    const qsizetype b = i == to.line ? to.column : text.size();
    const double left = x0 + XOf(text, a);
    const double right = x0 + XOf(text, b) + (i < to.line ? charWidth_ : 0);
    if (right <= left) continue;
    const QRectF marked(left, y, right - left, lineHeight_);
    painter.save();
    painter.setClipRect(marked);
    painter.fillRect(marked, pal.color(QPalette::Highlight));
    painter.setPen(pal.color(QPalette::HighlightedText));
    painter.drawText(baseline, text);
    painter.restore();
  }
}

void LineListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void LineListView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    MeasureFont();
    UpdateScrollBars();
    viewport()->update();
  }
  QAbstractScrollArea::changeEvent(event);
}

void LineListView::scrollContentsBy(int, int) { viewport()->update(); }

void LineListView::keyPressEvent(QKeyEvent* event) {
  if (event == QKeySequence::Copy) {
    Copy();
    event->accept();
    return;
  }
  if (event == QKeySequence::SelectAll) {
    SelectAll();
    event->accept();
    return;
  }
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool control = event->modifiers() & Qt::ControlModifier;
  // Shift and a key move the selection's end; from the last place clicked, or, when that
  // is out of sight, from the start of the first line in sight.
  const qsizetype first = FirstVisibleLine();
  const Place start = HasSelection() || (end_.line >= first && end_.line < first + VisibleLines())
                          ? end_ : Place{first, 0};
  const auto extend = [&](Place to) {
    if (!HasSelection()) anchor_ = start;
    end_ = Clamped(to);
    MakeVisible(end_);
    viewport()->update();
    CopyToSelectionClipboard();
  };
  QScrollBar* v = verticalScrollBar();
  QScrollBar* h = horizontalScrollBar();
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const int step = event->key() == Qt::Key_Up ? -1 : 1;
      if (shift) extend({start.line + step, start.column});
      else v->triggerAction(step < 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
      break;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      const int step = event->key() == Qt::Key_PageUp ? -VisibleLines() : VisibleLines();
      if (shift) extend({std::max<qsizetype>(0, start.line + step), start.column});
      else v->triggerAction(step < 0 ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd);
      break;
    }
    case Qt::Key_Home:
      if (shift) extend(control ? Place{0, 0} : Place{start.line, 0});
      else v->triggerAction(QAbstractSlider::SliderToMinimum);
      break;
    case Qt::Key_End:
      if (shift) extend(control ? Place{LineCount(), 0} : Place{start.line, Line(start.line).size()});
      else v->triggerAction(QAbstractSlider::SliderToMaximum);
      break;
    case Qt::Key_Left:
    case Qt::Key_Right: {
      const bool left = event->key() == Qt::Key_Left;
      if (shift) {
        Place to = start;
        if (left) to = start.column > 0 ? Place{start.line, start.column - 1}
                       : start.line > 0 ? Place{start.line - 1, Line(start.line - 1).size()} : start;
        else to = start.column < Line(start.line).size() ? Place{start.line, start.column + 1}
                  : start.line + 1 < LineCount() ? Place{start.line + 1, 0} : start;
        extend(to);
      } else {
        h->triggerAction(left ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
      }
      break;
    }
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
}

void LineListView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  const Place p = PlaceAt(at);
  if (doubleClickedAt_ >= 0 && static_cast<qint64>(event->timestamp()) - doubleClickedAt_ <
                                   QApplication::doubleClickInterval()) {
    // The third click selects the line.
    doubleClickedAt_ = -1;
    Select({p.line, 0}, {p.line, Line(p.line).size()});
    CopyToSelectionClipboard();
    return;
  }
  doubleClickedAt_ = -1;
  if (event->modifiers() & Qt::ShiftModifier) end_ = p;
  else anchor_ = end_ = p;
  dragging_ = true;
  dragAt_ = at;
  viewport()->update();
}

void LineListView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return QAbstractScrollArea::mouseMoveEvent(event);
  dragAt_ = event->position().toPoint();
  end_ = PlaceAt(dragAt_);
  viewport()->update();
  if (viewport()->rect().contains(dragAt_)) autoScroll_.stop();
  else if (!autoScroll_.isActive()) autoScroll_.start();
}

void LineListView::AutoScroll() {
  if (!dragging_) return autoScroll_.stop();
  const QRect r = viewport()->rect();
  QScrollBar* v = verticalScrollBar();
  QScrollBar* h = horizontalScrollBar();
  if (dragAt_.y() < r.top()) v->triggerAction(QAbstractSlider::SliderSingleStepSub);
  if (dragAt_.y() > r.bottom()) v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  if (dragAt_.x() < r.left()) h->triggerAction(QAbstractSlider::SliderSingleStepSub);
  if (dragAt_.x() > r.right()) h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  end_ = PlaceAt(dragAt_);
  viewport()->update();
}

void LineListView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return QAbstractScrollArea::mouseReleaseEvent(event);
  dragging_ = false;
  autoScroll_.stop();
  CopyToSelectionClipboard();
}

void LineListView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseDoubleClickEvent(event);
  // The run of word characters, of blanks or of other signs under the mouse.
  const Place p = PlaceAt(event->position().toPoint());
  const QString text = Line(p.line);
  qsizetype a = p.column, b = p.column;
  const qsizetype at = std::min(p.column, text.size() - 1);
  if (at >= 0) {
    const int kind = CharClass(text[at]);
    a = at;
    b = at + 1;
    while (a > 0 && CharClass(text[a - 1]) == kind) --a;
    while (b < text.size() && CharClass(text[b]) == kind) ++b;
  }
  Select({p.line, a}, {p.line, b});
  dragging_ = false;
  doubleClickedAt_ = static_cast<qint64>(event->timestamp());
  CopyToSelectionClipboard();
}

QMenu* LineListView::CreateContextMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  QAction* copy = menu->addAction(MenuText("&Copy", QKeySequence::Copy), this, &LineListView::Copy);
  copy->setObjectName(QStringLiteral("edit-copy"));
  copy->setEnabled(HasSelection());
  menu->addSeparator();
  QAction* all = menu->addAction(MenuText("Select All", QKeySequence::SelectAll), this, &LineListView::SelectAll);
  all->setObjectName(QStringLiteral("select-all"));
  all->setEnabled(!lines_.empty());
  return menu;
}

void LineListView::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(CreateContextMenu(this));
  menu->exec(event->globalPos());
}

}  // namespace varomintel
