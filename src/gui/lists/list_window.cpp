#include "gui/lists/list_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

#include "app/startup_data.h"
#include "gui/common/app_state_object.h"
#include "gui/common/error_texts.h"
#include "gui/common/line_list_view.h"
#include "gui/common/qt_translations.h"
#include "gui/common/save_dialog.h"
#include "places/list_file.h"
#include "text/text_table.h"

namespace varomintel {

namespace {

// How often the window takes the run's new lines, milliseconds.
constexpr int kPollMilliseconds = 40;

QFont FixedPitch() {
  QFont f("Courier New");
  f.setStyleHint(QFont::Monospace);
  f.setPixelSize(17);
  return f;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ListWindow::ListWindow(QWidget* parent, QSize designSize, int listTop, const char* defaultSaveName)
    : QMainWindow(parent), listTop_(listTop), defaultSaveName_(defaultSaveName) {
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

  // The controls scroll sideways when the window is narrower than they are; the header
  // and the list below them always take the window's whole width, so that the list's own
  // scroll bars stay in view. Top to bottom: the controls' strip, the header, Panel1.
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

  // The header sits in a strip as wide as the list and moves sideways inside it (it is
  // wider than the strip and clipped by it, as the list's columns are by the list).
  headerClip_ = new QWidget;
  headerClip_->setObjectName("HeaderStrip");
  Label5 = new QLabel(headerClip_);
  Label5->setObjectName("Label5");
  Label5->setFont(FixedPitch());
  Label5->setTextFormat(Qt::PlainText);
  headerClip_->setFixedHeight(Label5->sizeHint().height() + 1);
  column->addWidget(headerClip_);

  Panel1 = new QFrame;
  Panel1->setObjectName("Panel1");
  Panel1->setFrameShape(QFrame::NoFrame);
  Panel1->setMinimumHeight(10);
  auto* panel = new QVBoxLayout(Panel1);
  panel->setContentsMargins(0, 0, 0, 0);
  // A view that paints only the lines in sight: a run's hundred thousand lines are shown
  // at once (see line_list_view.h). Tab leaves it as any read-only control.
  list_ = new LineListView;
  list_->setFont(FixedPitch());
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list_->setMinimumSize(0, 0);
  panel->addWidget(list_);
  column->addWidget(Panel1, 1);
  connect(list_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ListWindow::AlignHeader);

  poll_.setInterval(kPollMilliseconds);
  connect(&poll_, &QTimer::timeout, this, &ListWindow::Poll);
  resize(designSize);
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
  list_->Clear();
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
  if (!batch.lines.empty()) {
    list_->AppendLines(std::move(batch.lines));
    records_.insert(records_.end(), std::make_move_iterator(batch.records.begin()),
                    std::make_move_iterator(batch.records.end()));
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
  if (RunFailed()) ShowFailure();
  setWindowTitle(Caption());
}

void ListWindow::closeEvent(QCloseEvent* event) {
  run_.RequestStop();
  QMainWindow::closeEvent(event);
}

void ListWindow::hideEvent(QHideEvent* event) {
  // Hidden by the program (button, menu, close box): the run ends after its current item.
  // A minimised window goes on.
  if (!event->spontaneous()) run_.RequestStop();
  QMainWindow::hideEvent(event);
}

void ListWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) setWindowTitle(Caption());
  QMainWindow::changeEvent(event);
}

bool ListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == central_ && event->type() == QEvent::Resize) {
    FitControls();
    AlignHeader();
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
}

void ListWindow::FitControls() {
  // The controls' strip is as high as the design's (the list starts at listTop_) or as its
  // layout needs, and higher by the sideways scroll bar when the window is narrower than
  // the controls.
  const int header = headerClip_->height();
  const int controls = std::max(listTop_ - header, content_->minimumSizeHint().height());
  const bool narrow = central_->width() < content_->minimumSizeHint().width();
  const int scrollBar = narrow ? scroll_->horizontalScrollBar()->sizeHint().height() : 0;
  if (scroll_->height() != controls + scrollBar || scroll_->minimumHeight() != controls + scrollBar)
    scroll_->setFixedHeight(controls + scrollBar);
}

void ListWindow::AlignHeader() {
  // The header's left edge follows the list's columns: the list's left edge, less its
  // sideways scroll, plus its frame and margin.
  Label5->adjustSize();
  Label5->move(list_->ColumnsInset() - list_->horizontalScrollBar()->value(), 0);
}

}  // namespace varomintel
