// The list windows' line view, driven offscreen as a user would: lines appended in
// batches while the view follows or stays, scrolling by keys, selecting with the mouse and
// Shift and the keys, copying; after each step what is painted (read from the pixels of a
// grab) and what is selected and copied.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QFontMetricsF>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/common/line_list_view.h"

namespace varomintel {
namespace {

// Line i: its number and a run of 'M' whose length tells the line from its painted width.
std::string LineText(int i) {
  const int letters = i == 7 ? 120 : (i % 5) * 4;  // line 7 is wider than the view
  char number[8];
  std::snprintf(number, sizeof number, "%03d ", i);
  return number + std::string(static_cast<std::size_t>(letters), 'M') + (i % 2 ? " x_y" : "");
}

std::vector<std::string> Lines(int from, int to) {
  std::vector<std::string> lines;
  for (int i = from; i < to; ++i) lines.push_back(LineText(i));
  return lines;
}

class LineListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QFont font("Courier New");
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(17);
    view_ = std::make_unique<LineListView>();
    view_->setFont(font);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view_->resize(360, 8 * view_->LineHeight() + 60);
    view_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
    charWidth_ = QFontMetricsF(font).horizontalAdvance('M');
  }

  // Where the ink of each row of the viewport ends (its rightmost pixel that is not the
  // background, in viewport pixels), -1 for a row without ink; and whether the row holds
  // the selection's colour between x pixels `from` and `to`.
  struct Row {
    int inkRight = -1;
    bool highlighted = false;
  };
  std::vector<Row> Painted(double highlightFrom = 0, double highlightTo = 0) const {
    const QImage image = view_->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = image.devicePixelRatio();
    const QRgb base = view_->palette().color(QPalette::Base).rgb();
    const QRgb mark = view_->palette().color(QPalette::Highlight).rgb();
    std::vector<Row> rows;
    const int h = view_->LineHeight();
    for (int top = LineListView::kMargin; top + h <= view_->viewport()->height(); top += h) {
      Row row;
      for (int y = top; y < top + h; ++y)
        for (int x = 0; x < view_->viewport()->width(); ++x) {
          const QRgb c = image.pixel(static_cast<int>(x * dpr), static_cast<int>(y * dpr));
          if (c != base && c != mark) row.inkRight = std::max(row.inkRight, x);
          if (c == mark && x >= highlightFrom && x < highlightTo) row.highlighted = true;
        }
      rows.push_back(row);
    }
    return rows;
  }
  // The viewport point of a line's column, at the middle of its row.
  QPoint At(qsizetype line, qsizetype column) const {
    const double x = LineListView::kMargin - view_->horizontalScrollBar()->value() + (column + 0.3) * charWidth_;
    const int y = LineListView::kMargin + static_cast<int>(line - view_->FirstVisibleLine()) * view_->LineHeight() +
                  view_->LineHeight() / 2;
    return {static_cast<int>(x), y};
  }

  std::unique_ptr<LineListView> view_;
  double charWidth_ = 0;
};

// After each step: the first line in sight, and the selected text (which Ctrl+C copies).
TEST_F(LineListViewTest, ShowsScrollsSelectsAndCopiesAsATextFieldDid) {
  LineListView& v = *view_;
  const int page = v.verticalScrollBar()->pageStep();
  ASSERT_GE(page, 6);
  auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { return [&v, k, m] { QTest::keyClick(&v, k, m); }; };
  const auto text = [](int line, int from, int to) { return QString::fromStdString(LineText(line).substr(from, to - from)); };
  // From a line's column to the end of line 44.
  const auto toEnd = [&](int line, int from) {
    QString all = text(line, from, 999);
    for (int i = line + 1; i < 45; ++i) all += "\n" + QString::fromStdString(LineText(i));
    return all;
  };
  const struct Step {
    const char* what;
    std::function<void()> act;
    qsizetype first;  // first line in sight afterwards
    QString selected;
  } steps[] = {
      {"two batches: the view follows the last line", [&] { v.AppendLines(Lines(0, 12)); v.AppendLines(Lines(12, 30)); },
       30 - page, ""},
      {"Ctrl+Home", key(Qt::Key_Home, Qt::ControlModifier), 0, ""},
      {"a batch while the top is shown leaves it", [&] { v.AppendLines(Lines(30, 40)); }, 0, ""},
      {"Down", key(Qt::Key_Down), 1, ""},
      {"Page Down", key(Qt::Key_PageDown), 1 + page, ""},
      {"Page Up", key(Qt::Key_PageUp), 1, ""},
      {"End", key(Qt::Key_End), 40 - page, ""},
      {"a batch while the end is shown follows", [&] { v.AppendLines(Lines(40, 45)); }, 45 - page, ""},
      {"Home", key(Qt::Key_Home), 0, ""},
      {"drag from line 1 column 2 to line 3 column 5",
       [&] {
         QTest::mousePress(v.viewport(), Qt::LeftButton, {}, At(1, 2));
         QTest::mouseMove(v.viewport(), At(2, 0));
         QTest::mouseMove(v.viewport(), At(3, 5));
         QTest::mouseRelease(v.viewport(), Qt::LeftButton, {}, At(3, 5));
       },
       0, text(1, 2, 999) + "\n" + text(2, 0, 999) + "\n" + text(3, 0, 5)},
      {"Shift+Down extends by a line", key(Qt::Key_Down, Qt::ShiftModifier), 0,
       text(1, 2, 999) + "\n" + text(2, 0, 999) + "\n" + text(3, 0, 999) + "\n" + text(4, 0, 5)},
      {"Shift+click shortens it", [&] { QTest::mouseClick(v.viewport(), Qt::LeftButton, Qt::ShiftModifier, At(1, 6)); },
       0, text(1, 2, 6)},
      {"Shift+Left", key(Qt::Key_Left, Qt::ShiftModifier), 0, text(1, 2, 5)},
      {"a click clears it", [&] { QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, At(2, 1)); }, 0, ""},
      {"double-click a word", [&] { QTest::mouseDClick(v.viewport(), Qt::LeftButton, {}, At(3, 14)); }, 0,
       text(3, 4, 16)},
      {"Shift+End to the line's end", key(Qt::Key_End, Qt::ShiftModifier), 0, text(3, 4, 999)},
      {"double-click a word with an underscore", [&] { QTest::mouseDClick(v.viewport(), Qt::LeftButton, {}, At(1, 9)); }, 0, "x_y"},
      {"Right scrolls sideways, the selection stays", key(Qt::Key_Right), 0, "x_y"},
      {"Ctrl+Shift+End selects to the end and shows it", key(Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier),
       45 - page, toEnd(1, 9)},
      {"Ctrl+A", key(Qt::Key_A, Qt::ControlModifier), 45 - page, toEnd(0, 0)},
  };
  for (const Step& s : steps) {
    s.act();
    QApplication::processEvents();
    EXPECT_EQ(v.FirstVisibleLine(), s.first) << s.what;
    EXPECT_EQ(v.SelectedText(), s.selected) << s.what;
    if (!s.selected.isEmpty()) {
      QApplication::clipboard()->clear();
      QTest::keyClick(&v, Qt::Key_C, Qt::ControlModifier);
      EXPECT_EQ(QApplication::clipboard()->text(), s.selected) << s.what;
    }
    // The rows in sight paint the lines from the first on: the ink of each ends where its
    // text does without its trailing blank (the letters' side bearings aside), less the
    // sideways scroll.
    const std::vector<Row> rows = Painted();
    ASSERT_GE(rows.size(), static_cast<std::size_t>(page)) << s.what;
    for (int r = 0; r < page; ++r) {
      const qsizetype line = s.first + r;
      QString inked = v.Line(line);
      while (inked.endsWith(' ')) inked.chop(1);
      const double end = LineListView::kMargin - v.horizontalScrollBar()->value() +
                         QFontMetricsF(v.font()).horizontalAdvance(inked);
      const double expected = std::min<double>(end, v.viewport()->width() - 1);
      EXPECT_NEAR(rows[r].inkRight, expected, charWidth_ * 0.6) << s.what << ", row " << r << ", line " << line;
    }
  }
  EXPECT_EQ(v.LineCount(), 45);
  EXPECT_EQ(v.PlainText().toStdString(), [] {
    std::string all;
    for (int i = 0; i < 45; ++i) all += (i ? "\n" : "") + LineText(i);
    return all;
  }());
  // Line 7, wider than the view, can be scrolled into sight to its end.
  EXPECT_GT(v.horizontalScrollBar()->maximum(), 0);
  EXPECT_GE(v.horizontalScrollBar()->maximum() + v.viewport()->width(),
            LineListView::kMargin + QFontMetricsF(v.font()).horizontalAdvance(v.Line(7)));

  // The selection's colour marks the selected columns only: columns 2 to 5 of line 1.
  QTest::keyClick(&v, Qt::Key_Home, Qt::ControlModifier);
  QTest::keyClick(&v, Qt::Key_Home);
  v.horizontalScrollBar()->setValue(0);
  v.Select({1, 2}, {1, 5});
  QApplication::processEvents();
  const double left = LineListView::kMargin + 2 * charWidth_, right = LineListView::kMargin + 5 * charWidth_;
  const std::vector<Row> marked = Painted(left + 1, right - 1), outside = Painted(right + 1, right + 4 * charWidth_);
  EXPECT_FALSE(marked[0].highlighted);
  EXPECT_TRUE(marked[1].highlighted);
  EXPECT_FALSE(marked[2].highlighted);
  EXPECT_FALSE(outside[1].highlighted);

  // The context menu: Copy only with a selection; Select All selects everything.
  std::unique_ptr<QMenu> menu(v.CreateContextMenu(nullptr));
  QAction* copy = menu->findChild<QAction*>("edit-copy");
  QAction* all = menu->findChild<QAction*>("select-all");
  ASSERT_TRUE(copy && all);
  EXPECT_TRUE(copy->isEnabled());
  copy->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), text(1, 2, 5));
  all->trigger();
  EXPECT_EQ(v.SelectedText(), v.PlainText());

  // A screen reader sees read-only text: the lines joined by line ends, the selection as
  // offsets into it, and it can select.
  QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&v);
  ASSERT_TRUE(reader && reader->textInterface());
  EXPECT_EQ(reader->role(), QAccessible::EditableText);
  EXPECT_TRUE(reader->state().readOnly);
  QAccessibleTextInterface* t = reader->textInterface();
  const QString plain = v.PlainText();
  EXPECT_EQ(t->characterCount(), plain.size());
  int start = -1, end = -1;
  t->selection(0, &start, &end);
  EXPECT_EQ(std::pair(start, end), std::pair(0, static_cast<int>(plain.size())));
  const int line7 = static_cast<int>(plain.indexOf("007 ")), line9 = static_cast<int>(plain.indexOf("009 "));
  EXPECT_EQ(t->text(line7, line9 + 3), plain.mid(line7, line9 + 3 - line7));
  t->setSelection(0, line7 + 2, line9 + 3);
  EXPECT_EQ(v.SelectedText(), plain.mid(line7 + 2, line9 + 1 - line7));
  EXPECT_EQ(t->cursorPosition(), line9 + 3);

  // Cleared: nothing painted, nothing to copy or select.
  v.Clear();
  menu.reset(v.CreateContextMenu(nullptr));
  EXPECT_FALSE(menu->findChild<QAction*>("edit-copy")->isEnabled());
  EXPECT_FALSE(menu->findChild<QAction*>("select-all")->isEnabled());
  EXPECT_TRUE(v.PlainText().isEmpty());
  for (const Row& row : Painted()) EXPECT_EQ(row.inkRight, -1);
}

}  // namespace
}  // namespace varomintel
