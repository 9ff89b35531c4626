#include "gui/lists/list_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "app/startup_data.h"
#include "gui/common/app_state_object.h"
#include "gui/common/error_texts.h"
#include "gui/common/own_settings.h"
#include "gui/common/qt_translations.h"
#include "gui/common/save_dialog.h"
#include "gui/lists/list_table_model.h"
#include "places/list_file.h"
#include "text/text_table.h"

namespace varomintel {

namespace {

// How often the window takes the run's new lines, milliseconds.
constexpr int kPollMilliseconds = 40;

QString Q(const std::string& s) { return QString::fromStdString(s); }

QSettings LayoutSettings() { return QSettings(ListWindow::LayoutSettingsFile(), QSettings::IniFormat); }

}  // namespace

ListWindow::ListWindow(QWidget* parent, QSize designSize, int listTop, const char* defaultSaveName,
                       const ListColumns& columns, const char* settingsGroup)
    : QMainWindow(parent), listTop_(listTop), defaultSaveName_(defaultSaveName), settingsGroup_(settingsGroup) {
  Liste1 = menuBar()->addMenu(QString());
  Liste1->setObjectName("Liste1");
  Speichern1 = Liste1->addAction(QString());
  Speichern1->setObjectName("Speichern1");
  N1 = Liste1->addSeparator();
  Beenden1 = Liste1->addAction(QString());
  Beenden1->setObjectName("Beenden1");
  connect(Speichern1, &QAction::triggered, this, &ListWindow::Speichern1Click);
  connect(Beenden1, &QAction::triggered, this, &ListWindow::StopAndHide);

  StatusBar1 = statusBar();
  StatusBar1->setObjectName("StatusBar1");
  status_ = new QLabel;
  StatusBar1->addWidget(status_, 1);
  ProgressBar1 = new QProgressBar;
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setMaximumWidth(220);
  ProgressBar1->setRange(0, 1000);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  StatusBar1->addPermanentWidget(ProgressBar1);

  // The controls scroll sideways when the window is narrower than they are; the table
  // below them always takes the window's whole width, so that its own scroll bars stay in
  // view. Top to bottom: the controls' strip, Panel1 with the table and the filter.
  central_ = new QWidget(this);
  central_->installEventFilter(this);
  setCentralWidget(central_);
  auto* column = new QVBoxLayout(central_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  scroll_ = new QScrollArea;
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(true);
  scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  scroll_->setFocusPolicy(Qt::NoFocus);  // it only holds the controls: no stop of its own for Tab
  content_ = new QWidget;
  scroll_->setWidget(content_);
  column->addWidget(scroll_);

  Panel1 = new QFrame;
  Panel1->setObjectName("Panel1");
  Panel1->setFrameShape(QFrame::NoFrame);
  Panel1->setMinimumHeight(10);
  auto* panel = new QVBoxLayout(Panel1);
  panel->setContentsMargins(0, 0, 0, 0);
  panel->setSpacing(0);
  // The view asks the model only for the cells in sight; rows come in one insertion per
  // batch of the run, and every row has the same height (no row is measured).
  model_ = new ListTableModel(columns, this);
  proxy_ = new ListFilterProxy(model_, this);
  list_ = new QTableView;
  list_->setModel(proxy_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setTabKeyNavigation(false);  // Tab leaves the table, as it leaves any read-only control
  list_->setWordWrap(false);
  list_->setAlternatingRowColors(true);
  list_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  Label5 = list_->horizontalHeader();
  Label5->setObjectName("Label5");
  Label5->setSectionsMovable(false);
  Label5->setSectionResizeMode(QHeaderView::Interactive);
  Label5->setHighlightSections(false);
  // Unsorted (the run's order) until a header is clicked; a third click returns to it.
  Label5->setSortIndicatorClearable(true);
  Label5->setSortIndicator(-1, Qt::AscendingOrder);
  list_->setSortingEnabled(true);
  list_->setMinimumSize(0, 0);
  list_->installEventFilter(this);
  panel->addWidget(list_, 1);

  auto* filterRow = new QHBoxLayout;
  filterRow->setContentsMargins(6, 3, 6, 3);
  filterLabel_ = new QLabel;
  Edit_Filter = new QLineEdit;
  Edit_Filter->setObjectName("Edit_Filter");
  Edit_Filter->setClearButtonEnabled(true);
  filterLabel_->setBuddy(Edit_Filter);
  filterRow->addWidget(filterLabel_);
  filterRow->addWidget(Edit_Filter, 1);
  panel->addLayout(filterRow);
  connect(Edit_Filter, &QLineEdit::textChanged, proxy_, &ListFilterProxy::SetFilterText);
  column->addWidget(Panel1, 1);

  // Copy and Select All on the table's keys and in its context menu.
  copy_ = new QAction(list_);
  copy_->setShortcut(QKeySequence::Copy);
  copy_->setShortcutContext(Qt::WidgetShortcut);
  connect(copy_, &QAction::triggered, this, &ListWindow::CopySelectedRows);
  selectAll_ = new QAction(list_);
  selectAll_->setShortcut(QKeySequence::SelectAll);
  selectAll_->setShortcutContext(Qt::WidgetShortcut);
  connect(selectAll_, &QAction::triggered, list_, &QTableView::selectAll);
  list_->addAction(copy_);
  list_->addAction(selectAll_);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);

  // Widths for the column's title (with room for the sort arrow) and a typical cell, until
  // the user's are restored.
  const QFontMetrics metrics = list_->fontMetrics();
  const QFontMetrics titles = Label5->fontMetrics();
  for (int c = 0; c < model_->columnCount(); ++c) {
    const ColumnKind kind = columns.columns[static_cast<std::size_t>(c)].kind;
    const char* sample = kind == ColumnKind::Text ? "Santa Cruz de la Sierra" : kind == ColumnKind::Date ? "-4999-12-31"
                         : kind == ColumnKind::Longitude ? "000°00'W" : kind == ColumnKind::Clock ? "00:00:00"
                                                                                                 : "0000000";
    int cell = metrics.horizontalAdvance(QString::fromUtf8(sample));
    if (kind == ColumnKind::Phase)
      for (const char* phase : {"h", "p", "t"}) cell = std::max(cell, metrics.horizontalAdvance(PhaseName(phase)));
    const int title = titles.horizontalAdvance(model_->headerData(c, Qt::Horizontal).toString()) + 30;
    list_->setColumnWidth(c, std::max(title, cell + 16));
  }
  RestoreColumns();

  poll_.setInterval(kPollMilliseconds);
  connect(&poll_, &QTimer::timeout, this, &ListWindow::Poll);
  resize(designSize);
}

ListWindow::~ListWindow() { StoreColumns(); }

QString ListWindow::LayoutSettingsFile() { return OwnSettings()->fileName(); }

void ListWindow::RestoreColumns() {
  QSettings settings = LayoutSettings();
  const QStringList widths = settings.value(settingsGroup_ + "/columnWidths").toStringList();
  if (widths.size() != model_->columnCount()) return;  // another table's, or none yet
  for (int c = 0; c < widths.size(); ++c) {
    bool ok = false;
    const int w = widths[c].toInt(&ok);
    if (ok && w >= Label5->minimumSectionSize() && w <= 2000) list_->setColumnWidth(c, w);
  }
}

void ListWindow::StoreColumns() const {
  QStringList widths;
  for (int c = 0; c < model_->columnCount(); ++c) widths << QString::number(list_->columnWidth(c));
  QSettings settings = LayoutSettings();
  settings.setValue(settingsGroup_ + "/columnWidths", widths);
}

void ListWindow::CopySelectedRows() {
  const QString text = SelectedRowsText(*list_->selectionModel());
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void ListWindow::ShowWithList() {
  setWindowTitle(Caption());
  show();
  raise();
  activateWindow();
}

void ListWindow::StopAndWait() {
  run_.RequestStop();
  run_.Wait();
  Poll();  // shows the last lines and ends the run
}

void ListWindow::AbandonRun() {
  run_.RequestStop();
  poll_.stop();
  run_.Wait();
}

void ListWindow::StopAndHide() {
  run_.RequestStop();
  hide();
}

QString ListWindow::StatusText() const { return status_->text(); }

QString ListWindow::Caption() const { return Q(CaptionPrefix()); }

const EclipseRecord& ListWindow::SelectedEclipse() const {
  static const EclipseRecord kNone{};
  return state_ ? state_->State().View().Selection().record : kNone;
}

std::optional<double> ListWindow::OwnDeltaT() const {
  return state_ ? state_->State().Time().ownDeltaT : std::nullopt;
}

std::string ListWindow::CaptionPrefix() const { return state_ ? state_->State().CaptionPrefix() : std::string(); }

void ListWindow::SetStatusText(const QString& text) { status_->setText(text); }

void ListWindow::StartRun(QPushButton* startButton, std::vector<std::string> legend,
                          std::function<void(ListRun&)> work, std::function<void()> finished) {
  if (run_.Active()) return;  // one run at a time
  startButton_ = startButton;
  startButton_->setEnabled(false);
  if (Button_Beenden) Button_Beenden->setFocus();
  status_->clear();
  ProgressBar1->setValue(0);
  model_->Clear();
  legend_ = std::move(legend);
  records_.clear();
  runFailure_.reset();
  finished_ = std::move(finished);
  // The end of the run is shown at once, not at the next tick of the poll (up to 40 ms).
  run_.Start(std::move(work), [this] {
    QMetaObject::invokeMethod(
        this, [this] {
          if (run_.Active()) Poll();
        },
        Qt::QueuedConnection);
  });
  poll_.start();
}

void ListWindow::Poll() {
  ListRun::Batch batch = run_.Take();
  if (!batch.records.empty()) {
    records_.insert(records_.end(), batch.records.begin(), batch.records.end());
    model_->Append(std::move(batch.records));
  }
  if (batch.status) status_->setText(Q(*batch.status));
  if (batch.total > 0)
    ProgressBar1->setValue(static_cast<int>(std::min<long long>(1000, batch.done * 1000 / batch.total)));
  if (!batch.finished) return;
  poll_.stop();
  if (batch.failure) {
    // The run ended on an error: what it found stays, and the status bar says why.
    runFailure_ = std::move(batch.failure);
    ShowFailure();
  }
  RichEdit_Tmp = std::move(legend_);
  RichEdit_Tmp.insert(RichEdit_Tmp.end(), std::make_move_iterator(records_.begin()),
                      std::make_move_iterator(records_.end()));
  legend_.clear();
  records_.clear();
  if (startButton_) startButton_->setEnabled(true);
  if (finished_) finished_();
  emit runFinished();
}

void ListWindow::ShowFailure() {
  status_->setText(tr("The run ended on an error: %1. The lines found so far are kept.").arg(Q(*runFailure_)));
}

bool ListWindow::SaveTo(const QString& path) {
  std::string error;
  if (WriteListFile(path.toStdString(), RichEdit_Tmp, &error)) return true;
  QMessageBox::warning(this, windowTitle(), WriteErrorText(error, WindowLanguage()));
  return false;
}

void ListWindow::Speichern1Click() {
  const QString path = AskSaveFileName(this, Speichern1->text(), defaultSaveName_, tr("Text file (*.txt)"), "txt");
  if (!path.isEmpty()) SaveTo(path);
}

void ListWindow::ApplyCommonLanguage() {
  Liste1->setTitle(tr("List"));
  Speichern1->setText(tr("Save as"));
  Beenden1->setText(tr("Exit"));
  ApplyTableLanguage();
  if (RunFailed()) ShowFailure();
  setWindowTitle(Caption());
}

void ListWindow::ApplyTableLanguage() {
  filterLabel_->setText(tr("&Filter:"));
  Edit_Filter->setPlaceholderText(tr("Name or country"));
  for (QAbstractButton* clear : Edit_Filter->findChildren<QAbstractButton*>()) clear->setAccessibleName(tr("Clear the filter"));
  copy_->setText(tr("&Copy"));
  selectAll_->setText(tr("Select &All"));
  model_->Retranslate();
}

void ListWindow::closeEvent(QCloseEvent* event) {
  run_.RequestStop();
  QMainWindow::closeEvent(event);
}

void ListWindow::hideEvent(QHideEvent* event) {
  // Hidden by the program (button, menu, close box): the run ends after its current item.
  // A minimised window goes on.
  if (!event->spontaneous()) run_.RequestStop();
  StoreColumns();
  QMainWindow::hideEvent(event);
}

void ListWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) setWindowTitle(Caption());
  QMainWindow::changeEvent(event);
}

bool ListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == central_ && event->type() == QEvent::Resize) FitControls();
  // Ctrl+C on the table copies whole rows with the header, not only the current cell.
  if (watched == list_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    CopySelectedRows();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void ListWindow::AdoptExitButton(QPushButton* button) {
  Button_Beenden = button;
  connect(Button_Beenden, &QPushButton::clicked, this, &ListWindow::StopAndHide);
}

void ListWindow::SetTabOrder(std::initializer_list<QWidget*> controls) {
  QWidget* before = nullptr;
  for (QWidget* w : controls) {
    if (before) setTabOrder(before, w);
    before = w;
  }
  if (before) setTabOrder(before, list_);
  setTabOrder(list_, Edit_Filter);
}

void ListWindow::FitControls() {
  // The controls' strip is as high as the design's (the table's rows start at listTop_) or
  // as its layout needs, and higher by the sideways scroll bar when the window is narrower
  // than the controls.
  const int header = Label5->sizeHint().height();
  const int controls = std::max(listTop_ - header, content_->minimumSizeHint().height());
  const bool narrow = central_->width() < content_->minimumSizeHint().width();
  const int scrollBar = narrow ? scroll_->horizontalScrollBar()->sizeHint().height() : 0;
  if (scroll_->height() != controls + scrollBar || scroll_->minimumHeight() != controls + scrollBar)
    scroll_->setFixedHeight(controls + scrollBar);
}

}  // namespace varomintel
