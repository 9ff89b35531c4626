#include "gui/main/selection_panel.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>

#include <algorithm>
#include <array>

#include "gui/common/qt_translations.h"
#include "text/text_table.h"
#include "ui_selection_panel.h"

namespace varomintel {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// SGDrawCell: the cell's background, then its text from the top edge on one line, the
// value column right-aligned, name and unit left-aligned.
class SGCellDrawer : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->fillRect(option.rect, option.palette.base());
    painter->setFont(option.font);
    painter->setPen(Qt::black);
    const Qt::Alignment align = (index.column() == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
    painter->drawText(option.rect.adjusted(2, 1, -2, 0), static_cast<int>(align | Qt::TextSingleLine),
                      index.data().toString());
  }
};

// The texts of the marked place's panel: Arial 9 points, bold for what matters most, grey
// for the Moon below the horizon and the legend.
QTextCharFormat PlaceFormat(bool bold = false, bool grey = false) {
  QTextCharFormat f;
  f.setFontFamilies({"Arial"});
  f.setFontPointSize(grey && !bold ? 8 : 9);
  f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  f.setForeground(grey ? QColor(120, 120, 120) : QColor(0, 0, 0));
  return f;
}

// The columns whose numbers line up on the right: the altitudes.
bool RightAligned(int column) { return column == 2 || column == 4 || column == 5; }

}  // namespace

SelectionPanel::SelectionPanel(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::SelectionPanel>()) {
  ui_->setupUi(this);
  // The time-zone group keeps its place while hidden (terrestrial time), so that nothing
  // beside or below it moves.
  QSizePolicy zone = ui_->GroupBox_TZone->sizePolicy();
  zone.setRetainSizeWhenHidden(true);
  ui_->GroupBox_TZone->setSizePolicy(zone);
  SetUpElementsTable();
  designRest_ = ui_->DesignRest->sizeHint().height();
  // The tab bar takes the keyboard between the time zone and the report: it is named as a
  // control of its own.
  ui_->Tabs_Bericht->tabBar()->setObjectName("TabBar_Bericht");
  // The bar, not the tab widget, takes the keyboard: one stop in the chain, where the
  // window's reading order puts it.
  ui_->Tabs_Bericht->setFocusProxy(nullptr);
  ui_->Tabs_Bericht->setFocusPolicy(Qt::NoFocus);
  const int tabBar = ui_->Tabs_Bericht->tabBar()->sizeHint().height();
  for (ReportView* view : {ui_->RE_Table, ui_->RE_Ort}) {
    view->SetTabBarHeight(tabBar);
    view->setMinimumHeight(std::max(40, 80 - tabBar));
  }
  // The slider's time rewrites the place's first lines at every step: no undo history.
  ui_->RE_Ort->document()->setUndoRedoEnabled(false);

  connect(ui_->ScrollBar_Eclipse, &QScrollBar::valueChanged, this, &SelectionPanel::eclipseIndexChanged);
  connect(ui_->Edit_Jahr, &QLineEdit::returnPressed, this, [this] { emit yearEntered(ui_->Edit_Jahr->text()); });
  connect(ui_->Saros_Edit, &QLineEdit::returnPressed, this, [this] { emit sarosEntered(ui_->Saros_Edit->text()); });
  connect(ui_->UpDown1_Prev, &QToolButton::clicked, this, [this] { emit sarosStepped(-1, 1); });
  connect(ui_->UpDown1_Next, &QToolButton::clicked, this, [this] { emit sarosStepped(+1, 1); });
  connect(ui_->UpDown3_Prev, &QToolButton::clicked, this, [this] { emit sarosStepped(-1, 3); });
  connect(ui_->UpDown3_Next, &QToolButton::clicked, this, [this] { emit sarosStepped(+1, 3); });
  connect(ui_->CheckBox_ET_UT, &QCheckBox::clicked, this, [this](bool checked) {
    ui_->GroupBox_TZone->setVisible(checked);
    emit timeScaleClicked(checked);
  });
  connect(ui_->Edit_TZone, &QLineEdit::returnPressed, this, [this] { emit timeZoneEntered(ui_->Edit_TZone->text()); });
  connect(ui_->Edit_DeltaT, &QLineEdit::returnPressed, this, [this] { emit ownDeltaTEntered(ui_->Edit_DeltaT->text()); });
}

// The controls outlive the panel's members while QWidget's destructor hides them: a hidden
// entry that had the focus still reports its editing finished. Nothing reaches the panel then.
SelectionPanel::~SelectionPanel() {
  for (QObject* control : findChildren<QObject*>()) control->disconnect(this);
}

void SelectionPanel::SetUpElementsTable() {
  QTableWidget* sg = ui_->SG;
  sg->setRowCount(kElementsTableRows);
  sg->setColumnCount(kElementsTableColumns);
  sg->horizontalHeader()->hide();
  sg->verticalHeader()->hide();
  sg->verticalHeader()->setMinimumSectionSize(1);
  sg->verticalHeader()->setDefaultSectionSize(20);
  // Arial 15 pixels high from the top of its accents to the bottom of its descenders (the
  // line height, not the em size): with the em at 15 pixels a value such as "-4.0000" is
  // wider than its 50-pixel column and loses its minus sign.
  QFont gridFont("Arial");
  for (int pixels = 15; pixels > 8; --pixels) {
    gridFont.setPixelSize(pixels);
    if (QFontMetrics(gridFont).height() <= 15) break;
  }
  sg->setFont(gridFont);
  sg->setItemDelegate(new SGCellDrawer(sg));
  const int widths[kElementsTableColumns] = {88, 50, 75};
  for (int c = 0; c < kElementsTableColumns; ++c) sg->setColumnWidth(c, widths[c]);
  for (int r = 0; r < kElementsTableRows; ++r)
    for (int c = 0; c < kElementsTableColumns; ++c) sg->setItem(r, c, new QTableWidgetItem);
  // Lower than its rows (a low screen) the table scrolls: it widens by its scroll bar then,
  // so that the columns keep their widths and no text is cut.
  const int width = sg->maximumWidth();
  connect(sg->verticalScrollBar(), &QScrollBar::rangeChanged, sg, [sg, width](int, int maximum) {
    sg->setFixedWidth(maximum > 0 ? width + sg->verticalScrollBar()->sizeHint().width() : width);
  });
}

void SelectionPanel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    ui_->retranslateUi(this);
    Retranslate(WindowLanguage());
  }
  QWidget::changeEvent(event);
}

void SelectionPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitElementsTable();
}

void SelectionPanel::FitElementsTable() {
  constexpr int kReportLines = 10;    // the report's lines kept before the table gives up rows
  constexpr int kLeastTableRows = 5;  // of its 13
  QTableWidget* sg = ui_->SG;
  const int rowHeight = sg->verticalHeader()->defaultSectionSize();
  const int allRows = rowHeight * kElementsTableRows;
  // The height of the tabs with the report's ten lines: the bar, the frame, the margins.
  const ReportView* report = ui_->RE_Table;
  const int reportHeight = ui_->Tabs_Bericht->tabBar()->sizeHint().height() + 2 * report->frameWidth() +
                           2 * static_cast<int>(report->document()->documentMargin()) +
                           kReportLines * report->fontMetrics().lineSpacing();
  // What the tabs and the table share: the column's height below the time-zone row, less
  // the date-time panel and the gaps.
  const int spacing = ui_->SelectionLayout->spacing();
  const int shared = height() - ui_->Tabs_Bericht->y() - ui_->Panel_DatumZeit->height() - 3 * spacing;
  // Whole rows: the pixels of a row cut short go to the report.
  const int table = std::clamp((shared - reportHeight) / rowHeight * rowHeight, rowHeight * kLeastTableRows, allRows);
  const int rest = table == allRows ? designRest_ : 0;
  if (sg->height() == table && ui_->DesignRest->sizeHint().height() == rest) return;
  sg->setFixedHeight(table);
  ui_->DesignRest->changeSize(0, rest, QSizePolicy::Minimum, QSizePolicy::Preferred);
  ui_->SelectionLayout->invalidate();
  ui_->SelectionLayout->activate();
}

void SelectionPanel::SetEclipseCount(int count) { ui_->ScrollBar_Eclipse->setRange(1, std::max(1, count)); }
int SelectionPanel::EclipseIndex() const { return ui_->ScrollBar_Eclipse->value(); }
void SelectionPanel::SetEclipseIndex(int index) {
  const QSignalBlocker block(ui_->ScrollBar_Eclipse);
  ui_->ScrollBar_Eclipse->setValue(index);
}
QString SelectionPanel::TimeZoneEntry() const { return ui_->Edit_TZone->text(); }
void SelectionPanel::ShowYear(int year) { ui_->Edit_Jahr->setText(QString::number(year)); }
void SelectionPanel::ShowSaros(int saros) { ui_->Saros_Edit->setText(QString::number(saros)); }
void SelectionPanel::ShowTimeZone(const QString& text) { ui_->Edit_TZone->setText(text); }
QString SelectionPanel::OwnDeltaTEntry() const { return ui_->Edit_DeltaT->text(); }
void SelectionPanel::ShowOwnDeltaT(const QString& text) { ui_->Edit_DeltaT->setText(text); }
bool SelectionPanel::UniversalTime() const { return ui_->CheckBox_ET_UT->isChecked(); }
void SelectionPanel::SetUniversalTime(bool universal) {
  ui_->CheckBox_ET_UT->setChecked(universal);
  ui_->GroupBox_TZone->setVisible(universal);
}


void SelectionPanel::ShowSelection(const std::string& sarosCaption, const std::string& deltaTCaption,
                                   const std::vector<ReportLine>& report, std::uint8_t language) {
  ui_->GroupBox_Saros->setTitle(Q(sarosCaption));
  ui_->CheckBox_ET_UT->setText(Q(deltaTCaption));
  QTextEdit* view = ui_->RE_Table;
  // One tab stop beyond the widest contact label, so that dates and times line up.
  QFont labelFont("Arial");
  labelFont.setPointSize(10);
  labelFont.setBold(true);
  const QFontMetrics metrics(labelFont);
  int widest = 0;
  for (int row = text_row::kLabelP1; row <= text_row::kLabelP4; ++row)
    widest = std::max(widest, metrics.horizontalAdvance(Q(Text(row, language))));
  view->setTabStopDistance(widest + 12);

  view->clear();
  QTextCursor cursor(view->document());
  bool first = true;
  for (const ReportLine& line : report) {
    QTextCharFormat format;
    format.setFontFamilies({"Arial"});
    format.setFontPointSize(line.pointSize);
    format.setFontWeight(line.bold ? QFont::Bold : QFont::Normal);
    format.setForeground(line.grey ? kTerrestrialTimeText : QColor(0, 0, 0));
    if (!first) cursor.insertBlock(QTextBlockFormat(), format);
    cursor.setCharFormat(format);
    cursor.insertText(Q(line.text), format);
    first = false;
  }
  view->moveCursor(QTextCursor::Start);
}

void SelectionPanel::ShowDateTime(const std::string& dateTime, const std::string& shortType) {
  ui_->Label_DatumZeit->setText(Q(dateTime));
  ui_->MoFiTyp_Label->setText(Q(shortType));
}

void SelectionPanel::ShowElements(const ElementsTableCells& cells) {
  for (int r = 0; r < kElementsTableRows; ++r)
    for (int c = 0; c < kElementsTableColumns; ++c)
      ui_->SG->item(r, c)->setText(Q(cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
}

void SelectionPanel::ShowPlaceTable(const ObserverTable& table) {
  QTextEdit* view = ui_->RE_Ort;
  view->clear();
  QTextCursor cursor(view->document());
  // One layout of the whole document at the end, not one per cell (a hundred times faster).
  cursor.beginEditBlock();
  placeLines_ = table.placeMarked;
  if (!table.placeMarked) {
    cursor.insertText(Q(table.hint), PlaceFormat());
    cursor.endEditBlock();
    return;
  }
  // Lines 0 and 1: the slider's time (ShowPlaceNow).
  cursor.setCharFormat(PlaceFormat(true));
  cursor.insertBlock(QTextBlockFormat(), PlaceFormat());
  QTextBlockFormat spaced;
  spaced.setTopMargin(4);
  cursor.insertBlock(spaced, PlaceFormat());
  cursor.insertText(Q(table.place + "   " + table.timeScale), PlaceFormat());
  cursor.insertBlock(QTextBlockFormat(), PlaceFormat());
  cursor.insertText(Q(table.deltaT), PlaceFormat());
  if (!table.historiansDate.empty()) {
    cursor.insertBlock(QTextBlockFormat(), PlaceFormat());
    cursor.insertText(Q(table.historiansDate), PlaceFormat());
  }
  cursor.insertBlock(spaced, PlaceFormat(true));
  cursor.insertText(Q(table.summary), PlaceFormat(true));

  QTextTableFormat grid;
  grid.setBorderStyle(QTextFrameFormat::BorderStyle_None);
  grid.setCellSpacing(0);
  grid.setCellPadding(2);
  grid.setTopMargin(4);
  QTextTable* t = cursor.insertTable(static_cast<int>(table.rows.size()) + 1, kObserverColumns, grid);
  const auto fill = [t](int row, int column, const std::string& text, const QTextCharFormat& format) {
    QTextCursor cell = t->cellAt(row, column).firstCursorPosition();
    QTextBlockFormat align;
    align.setAlignment(RightAligned(column) ? Qt::AlignRight : Qt::AlignLeft);
    cell.setBlockFormat(align);
    cell.insertText(Q(text), format);
  };
  for (int c = 0; c < kObserverColumns; ++c) fill(0, c, table.header[static_cast<std::size_t>(c)], PlaceFormat(true));
  for (std::size_t r = 0; r < table.rows.size(); ++r)
    for (int c = 0; c < kObserverColumns; ++c)
      fill(static_cast<int>(r) + 1, c, table.rows[r].cells[static_cast<std::size_t>(c)],
           PlaceFormat(c == 0, !table.rows[r].visible));

  cursor.movePosition(QTextCursor::End);
  for (const std::string& line : table.crossings) {
    cursor.insertBlock(spaced, PlaceFormat());
    cursor.insertText(Q(line), PlaceFormat());
  }
  // The verdicts over Delta T's uncertainty: the title spaced off, its lines under it.
  for (std::size_t i = 0; i < table.verdicts.size(); ++i) {
    cursor.insertBlock(i == 0 ? spaced : QTextBlockFormat(), PlaceFormat(i == 0));
    cursor.insertText(Q(table.verdicts[i]), PlaceFormat(i == 0));
  }
  cursor.insertBlock(spaced, PlaceFormat(false, true));
  cursor.insertText(Q(table.legend), PlaceFormat(false, true));
  cursor.endEditBlock();
  view->moveCursor(QTextCursor::Start);
}

void SelectionPanel::ShowPlaceNow(const ObserverNow& now) {
  if (!placeLines_) return;
  QTextDocument* document = ui_->RE_Ort->document();
  const std::string* lines[2] = {&now.moon, &now.sun};
  for (int i = 0; i < 2; ++i) {
    QTextCursor line(document->findBlockByNumber(i));
    line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    line.insertText(Q(*lines[i]), PlaceFormat(i == 0));
  }
}

QTextEdit* SelectionPanel::Report() const { return ui_->RE_Table; }

std::vector<QWidget*> SelectionPanel::ReadingOrder() const {
  return {ui_->Edit_Jahr,      ui_->ScrollBar_Eclipse, ui_->Saros_Edit, ui_->UpDown1_Prev,  ui_->UpDown1_Next,
          ui_->UpDown3_Prev,   ui_->UpDown3_Next,      ui_->CheckBox_ET_UT, ui_->Edit_DeltaT, ui_->Edit_TZone, ui_->Tabs_Bericht->tabBar(),
          ui_->RE_Table,       ui_->RE_Ort};
}


void SelectionPanel::Retranslate(std::uint8_t language) {
  ui_->Tabs_Bericht->setTabText(0, QString::fromUtf8(ReportTabCaption(language)));
  ui_->Tabs_Bericht->setTabText(1, QString::fromUtf8(PlaceTabCaption(language)));
  // The captions' new widths take effect now, not at the next round of the event loop.
  for (QLayout* layout : findChildren<QLayout*>()) layout->activate();
}

}  // namespace varomintel
