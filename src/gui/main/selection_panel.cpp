#include "gui/main/selection_panel.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <array>

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

}  // namespace

SelectionPanel::SelectionPanel(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::SelectionPanel>()) {
  ui_->setupUi(this);
  // The time-zone group keeps its place while hidden (terrestrial time), so that nothing
  // beside or below it moves.
  QSizePolicy zone = ui_->GroupBox_TZone->sizePolicy();
  zone.setRetainSizeWhenHidden(true);
  ui_->GroupBox_TZone->setSizePolicy(zone);
  SetUpElementsTable();

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
}

void SelectionPanel::SetEclipseCount(int count) { ui_->ScrollBar_Eclipse->setRange(1, std::max(1, count)); }
int SelectionPanel::EclipseIndex() const { return ui_->ScrollBar_Eclipse->value(); }
void SelectionPanel::SetEclipseIndex(int index) {
  const QSignalBlocker block(ui_->ScrollBar_Eclipse);
  ui_->ScrollBar_Eclipse->setValue(index);
}
QString SelectionPanel::YearEntry() const { return ui_->Edit_Jahr->text(); }
QString SelectionPanel::SarosEntry() const { return ui_->Saros_Edit->text(); }
QString SelectionPanel::TimeZoneEntry() const { return ui_->Edit_TZone->text(); }
void SelectionPanel::ShowYear(int year) { ui_->Edit_Jahr->setText(QString::number(year)); }
void SelectionPanel::ShowSaros(int saros) { ui_->Saros_Edit->setText(QString::number(saros)); }
void SelectionPanel::ShowTimeZone(const QString& text) { ui_->Edit_TZone->setText(text); }
bool SelectionPanel::UniversalTime() const { return ui_->CheckBox_ET_UT->isChecked(); }
void SelectionPanel::SetUniversalTime(bool universal) {
  ui_->CheckBox_ET_UT->setChecked(universal);
  ui_->GroupBox_TZone->setVisible(universal);
}

void SelectionPanel::ShowSarosCaption(const std::string& caption) { ui_->GroupBox_Saros->setTitle(Q(caption)); }

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
    format.setForeground(line.grey ? QColor(160, 160, 160) : QColor(0, 0, 0));
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

void SelectionPanel::Retranslate(std::uint8_t language) {
  using Texts = std::array<const char*, 3>;  // German, English, French (UTF-8)
  const std::size_t l = std::min<std::size_t>(language, 2);
  const auto pick = [l](const Texts& t) { return QString::fromUtf8(t[l]); };
  ui_->GroupBox_Finsternis->setTitle(pick({"Finsternis im Jahr ...", "Eclipse in the year ...", "Eclipse dans l'an ..."}));
  ui_->Label_Jahr->setText(pick({"Jahr", "Year", "année"}));
  ui_->GroupBox_ET_UT->setTitle(pick({"DeltaT (TT oder UT)", "DeltaT (TT or UT)", "DeltaT (TT ou TU)"}));
  ui_->GroupBox_TZone->setTitle(pick({"Zeitzone", "Time zone", "Fuseau horaire"}));
  ui_->Label_Unterschied->setText(pick({"Lokalzeit = UTC", "Local time = UTC", "Heure local = UTC"}));
  ui_->Label_Std->setText(pick({"Std", "hrs", "hrs"}));
  // The captions' new widths take effect now, not at the next round of the event loop.
  for (QLayout* layout : findChildren<QLayout*>()) layout->activate();
}

}  // namespace varomintel
