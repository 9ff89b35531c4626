#include "gui/common/help_window.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QKeySequence>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "gui/common/accessible_names.h"
#include "gui/common/qt_translations.h"

namespace varomintel {

namespace {

QString Escaped(const QString& s) { return s.toHtmlEscaped(); }

// A file of the data folder read whole, or why it was not.
struct DataFile {
  enum class Fault { None, Missing, NotRegular, TooLarge, Unreadable };
  Fault fault = Fault::None;
  QByteArray bytes;
  std::string reason;  // Unreadable: the system's words
};

// Opens without blocking (a FIFO would wait for a writer), then asks the open file itself
// what it is: checking the name first and opening it after would let it be swapped between.
DataFile ReadRegularFile(const QString& path, long long limitBytes) {
  DataFile f;
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    f.fault = errno == ENOENT || errno == ENOTDIR ? DataFile::Fault::Missing : DataFile::Fault::Unreadable;
    f.reason = std::strerror(errno);
    return f;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    f.fault = DataFile::Fault::Unreadable;
    f.reason = std::strerror(errno);
  } else if (!S_ISREG(st.st_mode)) {
    f.fault = DataFile::Fault::NotRegular;
  } else if (st.st_size > limitBytes) {
    f.fault = DataFile::Fault::TooLarge;
  } else {
    // Read up to one byte past the limit: a file that grew meanwhile is refused too.
    f.bytes.resize(static_cast<qsizetype>(limitBytes) + 1);
    qsizetype got = 0;
    while (got < f.bytes.size()) {
      const ssize_t n = ::read(fd, f.bytes.data() + got, static_cast<std::size_t>(f.bytes.size() - got));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        f.fault = DataFile::Fault::Unreadable;
        f.reason = std::strerror(errno);
        break;
      }
      if (n == 0) break;
      got += n;
    }
    f.bytes.truncate(got);
    if (f.fault == DataFile::Fault::None && got > limitBytes) f.fault = DataFile::Fault::TooLarge;
  }
  ::close(fd);
  if (f.fault != DataFile::Fault::None) f.bytes.clear();
  return f;
}

// A picture of the manual, or null when it is not one or is too large in pixels (the
// header is read before the pixels are).
QImage DecodePicture(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > kHelpPictureLimitPixels || size.height() > kHelpPictureLimitPixels) return {};
  return reader.read();
}

// The browser of the help window: every page, picture and style sheet it loads goes
// through loadResource, which reads only regular files of the data folder.
class DataFolderBrowser : public QTextBrowser {
 public:
  explicit DataFolderBrowser(QWidget* parent) : QTextBrowser(parent) {}

  // The folder, absolute and without a trailing slash; empty: nothing is read.
  void SetFolder(const QString& folder) { folder_ = folder; }

  QVariant loadResource(int type, const QUrl& name) override {
    if (folder_.isEmpty()) return {};
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (!url.isLocalFile()) return {};  // no network, no resources of the program
    const QString path = QDir::cleanPath(url.toLocalFile());
    if (QFileInfo(path).absolutePath() != folder_) return {};  // only the data folder itself
    const bool picture = type == QTextDocument::ImageResource;
    const DataFile file = ReadRegularFile(path, picture ? kHelpPictureLimitBytes : kHelpPageLimitBytes);
    if (file.fault != DataFile::Fault::None) return {};
    if (picture) {
      const QImage image = DecodePicture(file.bytes);
      return image.isNull() ? QVariant() : QVariant(image);
    }
    return file.bytes;  // a page or a style sheet; the browser finds its encoding
  }

 private:
  QString folder_;
};

}  // namespace

std::string HelpFileName(std::uint8_t languageIndex) {
  static const char* const kNames[] = {"VaromintelDE.html", "VaromintelEN.html", "VaromintelFR.html",
                                       "VaromintelES.html"};
  return kNames[languageIndex <= 3 ? languageIndex : 0];
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  Browser = new DataFolderBrowser(this);
  Browser->setObjectName("Browser");
  Browser->setOpenExternalLinks(false);
  Browser->setOpenLinks(true);
  auto button = [this](const char* name, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return b;
  };
  Button_Back = button("Button_Back", QStyle::SP_ArrowBack);
  Button_Forward = button("Button_Forward", QStyle::SP_ArrowForward);
  Button_Contents = button("Button_Contents", QStyle::SP_DirHomeIcon);
  Button_Close = button("Button_Close", QStyle::SP_DialogCloseButton);
  Button_Back->setEnabled(false);
  Button_Forward->setEnabled(false);
  connect(Button_Back, &QToolButton::clicked, Browser, &QTextBrowser::backward);
  connect(Button_Forward, &QToolButton::clicked, Browser, &QTextBrowser::forward);
  connect(Button_Contents, &QToolButton::clicked, Browser, &QTextBrowser::home);
  connect(Button_Close, &QToolButton::clicked, this, &QWidget::close);
  connect(Browser, &QTextBrowser::backwardAvailable, Button_Back, &QToolButton::setEnabled);
  connect(Browser, &QTextBrowser::forwardAvailable, Button_Forward, &QToolButton::setEnabled);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);

  auto* bar = new QHBoxLayout;
  bar->addWidget(Button_Back);
  bar->addWidget(Button_Forward);
  bar->addWidget(Button_Contents);
  bar->addStretch(1);
  bar->addWidget(Button_Close);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(bar);
  layout->addWidget(Browser, 1);
  resize(kHelpWindowSize);
  ApplyLanguage(0);
}

void HelpWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) ApplyLanguage(WindowLanguage());
  QWidget::changeEvent(event);
}

void HelpWindow::ApplyLanguage(std::uint8_t lang) {
  setWindowTitle(tr("Varomintel – Help"));
  Button_Back->setText(tr("Back"));
  Button_Forward->setText(tr("Forward"));
  Button_Contents->setText(tr("Contents"));
  Button_Close->setText(tr("Close"));
  NameControlsForScreenReaders(this, lang);
}

QString HelpWindow::ShowFile(const std::string& fileName, const std::string& dataFolder, std::uint8_t lang) {
  ApplyLanguage(lang);
  // No folder known: nothing is read (an empty name would mean the current folder).
  const QString folder =
      dataFolder.empty() ? QString() : QDir::cleanPath(QDir(QString::fromStdString(dataFolder)).absolutePath());
  const QString path = folder + "/" + QString::fromStdString(fileName);
  auto* browser = static_cast<DataFolderBrowser*>(Browser);
  browser->SetFolder(folder);
  // Read once here to say what is wrong; the browser reads it again through the same check.
  DataFile page;
  page.fault = DataFile::Fault::Missing;
  if (!folder.isEmpty()) page = ReadRegularFile(path, kHelpPageLimitBytes);
  if (page.fault == DataFile::Fault::None) {
    // Pictures and links in the page are found relative to the page's own folder.
    Browser->setSource(QUrl::fromLocalFile(path));
    Browser->clearHistory();
    return path;
  }
  const QString named = "<b>" + Escaped(path) + "</b>";
  QString head;
  if (page.fault == DataFile::Fault::Missing) {
    head = tr("The help file %1 was not found.")
               .arg(named);
  } else {
    const QString reason =
        page.fault == DataFile::Fault::NotRegular
            ? tr("it is not a regular file")
        : page.fault == DataFile::Fault::TooLarge
            ? tr("it is larger than 1 MiB")
            : Escaped(QString::fromStdString(page.reason));
    head = tr("The help file %1 cannot be read: %2.")
               .arg(named, reason);
  }
  const QString hint = tr("The help files belong in the program's folder.");
  Browser->clearHistory();
  Browser->setHtml("<h2>" + head + "</h2><p>" + hint + "</p>");
  return QString();
}

}  // namespace varomintel
