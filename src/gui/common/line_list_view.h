// LineListView: a read-only view of many lines of plain text in one font, for the list
// windows' results (a hundred thousand lines and more).
//
// Why a view of our own rather than QPlainTextEdit or QListView: QPlainTextEdit lays out
// every line it is given in its text document, which takes about 3.5 µs a line on the
// window's thread (0.35 s for the whole city list), although a window shows fifty. A
// QListView over a list model paints only what is seen too, but it selects whole items,
// not characters, and asks its model for every row's data through QVariant. This view
// keeps the lines as the run gives them (UTF-8, moved in, never copied), and converts and
// paints only the lines in sight; appending a batch costs a move of its strings and a
// scan of their lengths for the longest line.
//
// What it offers is what the read-only text field offered: scrolling by wheel and keys
// (arrows, Page Up/Down, Home/End and Ctrl+Home/End), selecting characters or lines with
// the mouse (drag, Shift+click, double-click a word, triple-click a line) and with Shift
// and the keys, copying (Ctrl+C, X11's selection on release), Select All (Ctrl+A), and a
// context menu with Copy and Select All in Qt's own words of the program's language. When
// the last line is in sight, appended lines keep it in sight (the view follows a run).
// Screen readers see it as a read-only text of many lines, with its text and selection.
#pragma once

#include <QAbstractScrollArea>
#include <QTimer>

#include <compare>

#include <string>
#include <vector>

class QMenu;

namespace varomintel {

class LineListView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // A place in the text: a line and a character (UTF-16 unit) within it.
  struct Place {
    qsizetype line = 0, column = 0;
    auto operator<=>(const Place&) const = default;
  };

  explicit LineListView(QWidget* parent = nullptr);

  // Appends lines (UTF-8, without line ends).
  void AppendLines(std::vector<std::string> lines);
  void Clear();
  // The lines of `text`, split at '\n', in place of the view's.
  void SetPlainText(const QString& text);
  qsizetype LineCount() const { return static_cast<qsizetype>(lines_.size()); }
  QString Line(qsizetype index) const;
  // All lines joined by '\n', as a text field gives its text.
  QString PlainText() const;

  // The selection from `anchor` to `end` (either order); the view does not scroll.
  void Select(Place anchor, Place end);
  void SelectAll();
  QString SelectedText() const;
  bool HasSelection() const { return anchor_ != end_; }
  // Puts the selected text on the clipboard; nothing without a selection.
  void Copy() const;

  // Where the columns' left edge stands at no sideways scroll, from the view's left edge
  // (frame and margin): what a header over the columns aligns with.
  int ColumnsInset() const { return frameWidth() + kMargin; }
  // The first line in sight; the pixels from one line's top to the next's.
  qsizetype FirstVisibleLine() const;
  int LineHeight() const { return lineHeight_; }
  // Offsets into PlainText() (UTF-16 units) and places, for screen readers.
  qsizetype OffsetOf(Place p) const;
  Place PlaceOfOffset(qsizetype offset) const;
  // The place nearest a viewport point, and the viewport rectangle of a place's character.
  Place PlaceAt(QPoint viewportPoint) const;
  QRect CharacterRect(Place p) const;
  // Shows a place, scrolling as little as needed.
  void MakeVisible(Place p);
  // The selection's ends, the moving one second.
  const Place& Anchor() const { return anchor_; }
  const Place& End() const { return end_; }
  // The context menu (Copy, Select All), owned by the caller.
  QMenu* CreateContextMenu(QWidget* parent);

  static constexpr int kMargin = 4;  // pixels round the text, as a text field's document margin

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void MeasureFont();
  void UpdateScrollBars();
  // Counts the characters of lines_[from..] and keeps the longest line's width.
  void TakeWidths(std::size_t from);
  int VisibleLines() const;  // lines wholly in sight, at least 1
  // `p` moved into the text: a line of it, a column of that line.
  Place Clamped(Place p) const;
  double XOf(const QString& line, qsizetype column) const;  // pixels from the line's start
  void AutoScroll();
  const std::vector<qsizetype>& LineStarts() const;
  void CopyToSelectionClipboard() const;

  std::vector<std::string> lines_;
  std::size_t longest_ = 0;      // characters (code points) of the longest line
  std::size_t longestIndex_ = 0; // and its index
  int longestPixels_ = 0;        // its width
  int lineHeight_ = 1, ascent_ = 0;
  double charWidth_ = 1;
  Place anchor_, end_;           // the selection: the fixed end and the moving end
  bool dragging_ = false;
  QPoint dragAt_;                // viewport coordinates of the mouse while dragging
  QTimer autoScroll_;            // scrolls while the mouse is held beyond the view
  qint64 doubleClickedAt_ = -1;  // ms (QEvent timestamp) of the last double-click, for the triple
  // Where each line starts in PlainText(), made when a screen reader first asks; the lines
  // appended since are added on the next question.
  mutable std::vector<qsizetype> lineStarts_;
};

}  // namespace varomintel
