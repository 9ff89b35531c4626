#include "gui/main/picture_menus.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTextEdit>
#include <QWidget>

#include "gui/common/error_texts.h"
#include "gui/common/save_dialog.h"
#include "gui/main/animation_dialog.h"
#include "render/video_writer.h"
#include "text/whole_file.h"

namespace varomintel {

namespace {

enum Text {
  kCopyPicture,
  kSavePicture,
  kSavePictureDouble,
  kSaveAnimation,
  kPngFilter,
  kVideoFilter,
  kSavingAnimation,
  kCancel,
  kCopy,
  kTextCount
};

// English; the catalogue of the windows' language translates them.
constexpr const char* kTexts[kTextCount] = {
    QT_TRANSLATE_NOOP("PictureMenus", "Copy picture"),
    QT_TRANSLATE_NOOP("PictureMenus", "Save picture as …"),
    QT_TRANSLATE_NOOP("PictureMenus", "Save picture at double size as …"),
    QT_TRANSLATE_NOOP("PictureMenus", "Save animation as …"),
    QT_TRANSLATE_NOOP("PictureMenus", "PNG picture (*.png)"),
    QT_TRANSLATE_NOOP("PictureMenus", "MP4 video (*.mp4);;WebM video (*.webm)"),
    QT_TRANSLATE_NOOP("PictureMenus", "Saving the animation …"),
    QT_TRANSLATE_NOOP("PictureMenus", "Cancel"),
    QT_TRANSLATE_NOOP("PictureMenus", "Copy"),
};

QString T(Text text, std::uint8_t /*language: the catalogue's*/) {
  return QCoreApplication::translate("PictureMenus", kTexts[text]);
}

// The caption of a dialog: the menu entry without its ellipsis.
QString Caption(Text text, std::uint8_t language) {
  return T(text, language).remove(QStringLiteral(" …"));
}

QAction* AddAction(QMenu* menu, const char* name, const QString& text) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

void SavePictureAsked(QWidget* parent, const QImage& picture, Text caption, std::uint8_t language,
                      const QString& defaultName) {
  const QString path =
      AskSaveFileName(parent, Caption(caption, language), defaultName, T(kPngFilter, language), QStringLiteral("png"));
  if (path.isEmpty()) return;
  std::string error;
  if (!SavePicturePng(picture, path, &error))
    QMessageBox::warning(parent, Caption(caption, language), WriteErrorText(error, language));
}

void SaveAnimationAsked(QWidget* parent, const DiagramMenuSource& source, std::uint8_t language) {
  AnimationOptions options;
  if (!AskAnimationOptions(parent, language, source.frameCount, &options)) return;
  const QString path = AskSaveFileName(parent, Caption(kSaveAnimation, language), source.baseName() + ".mp4",
                                       T(kVideoFilter, language), QStringLiteral("mp4"));
  if (path.isEmpty()) return;
  const int count = source.frameCount(options.step, options.whole);
  const double scale = options.scale;
  const auto draw = [&source, scale](int i) { return source.drawFrame(i, scale); };
  QProgressDialog progress(T(kSavingAnimation, language), T(kCancel, language), 0, count, parent);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  std::string error;
  const VideoOutcome outcome = WriteVideo(
      path.toStdString(), draw(0).size(), options.fps, count, draw,
      [&](int done, int) {
        progress.setValue(done);  // also lets the dialog take the click on Cancel
        return !progress.wasCanceled();
      },
      &error);
  progress.reset();
  if (outcome == VideoOutcome::Failed)
    QMessageBox::warning(parent, Caption(kSaveAnimation, language), WriteErrorText(error, language));
}

// Where a context menu opens: at the pointer for a click, at the widget's centre for the
// menu key.
QPoint MenuPoint(QWidget* widget, const QPoint& at) {
  return widget->mapToGlobal(widget->rect().contains(at) ? at : widget->rect().center());
}

}  // namespace

bool SavePicturePng(const QImage& picture, const QString& path, std::string* error) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (picture.isNull() || !picture.save(&buffer, "PNG")) {
    if (error) *error = "cannot write '" + path.toStdString() + "': the picture cannot be encoded as PNG";
    return false;
  }
  return WriteWholeFile(path.toStdString(),
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), error);
}

// Runs `work` once the menu that triggered it has closed and its triggering has returned:
// a popup menu deletes itself on closing (WA_DeleteOnClose), and the dialogs that an entry
// opens (a file dialog, the progress of a video) let events run, the menu's deletion among
// them, while the entry's handler would still be running inside that menu. Queued on
// `context`, the work is dropped when `context` has gone meanwhile; it runs on copies of
// what it needs, never on the state of the connection that the menu owns.
namespace {
void AfterMenu(QObject* context, std::function<void()> work) {
  QMetaObject::invokeMethod(context, std::move(work), Qt::QueuedConnection);
}
}  // namespace

QMenu* NewDiagramMenu(QWidget* parent, const DiagramMenuSource& source) {
  const std::uint8_t language = source.language();
  auto* menu = new QMenu(parent);
  QObject::connect(AddAction(menu, "CopyPicture", T(kCopyPicture, language)), &QAction::triggered, menu, [parent, source] {
    AfterMenu(parent, [source] { QGuiApplication::clipboard()->setImage(source.shown()); });
  });
  QObject::connect(AddAction(menu, "SavePicture", T(kSavePicture, language)), &QAction::triggered, menu,
                   [parent, source, language] {
                     AfterMenu(parent, [parent, source, language] {
                       const QImage picture = source.shown();
                       SavePictureAsked(parent, picture, kSavePicture, language, source.baseName() + ".png");
                     });
                   });
  QObject::connect(AddAction(menu, "SavePictureDouble", T(kSavePictureDouble, language)), &QAction::triggered, menu,
                   [parent, source, language] {
                     AfterMenu(parent, [parent, source, language] {
                       const QImage picture = source.drawAtScale(2);
                       SavePictureAsked(parent, picture, kSavePictureDouble, language, source.baseName() + "-2x.png");
                     });
                   });
  menu->addSeparator();
  QObject::connect(AddAction(menu, "SaveAnimation", T(kSaveAnimation, language)), &QAction::triggered, menu,
                   [parent, source, language] {
                     AfterMenu(parent, [parent, source, language] { SaveAnimationAsked(parent, source, language); });
                   });
  return menu;
}

QMenu* NewMapMenu(QWidget* parent, std::uint8_t language, const std::function<QImage()>& shown,
                  const QString& baseName) {
  auto* menu = new QMenu(parent);
  QObject::connect(AddAction(menu, "CopyPicture", T(kCopyPicture, language)), &QAction::triggered, menu,
                   [parent, shown] { AfterMenu(parent, [shown] { QGuiApplication::clipboard()->setImage(shown()); }); });
  QObject::connect(AddAction(menu, "SavePicture", T(kSavePicture, language)), &QAction::triggered, menu,
                   [parent, shown, language, baseName] {
                     AfterMenu(parent, [parent, shown, language, baseName] {
                       const QImage picture = shown();
                       SavePictureAsked(parent, picture, kSavePicture, language, baseName + "-map.png");
                     });
                   });
  return menu;
}

QMenu* NewReportMenu(QTextEdit* report, std::uint8_t language) {
  auto* menu = new QMenu(report);
  QObject::connect(AddAction(menu, "Copy", T(kCopy, language)), &QAction::triggered, menu, [report] {
    AfterMenu(report, [report] {
      const QString selected = report->textCursor().selectedText();
      // A selection's line ends are paragraph separators (U+2029); the clipboard gets LF.
      QGuiApplication::clipboard()->setText(selected.isEmpty() ? report->toPlainText()
                                                               : QString(selected).replace(QChar(0x2029), '\n'));
    });
  });
  return menu;
}

void AttachReportMenu(QTextEdit* report, std::function<std::uint8_t()> language) {
  report->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(report, &QWidget::customContextMenuRequested, report, [report, language](const QPoint& at) {
    QMenu* menu = NewReportMenu(report, language());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(MenuPoint(report, at));
  });
}

void AttachDiagramMenu(QWidget* picture, DiagramMenuSource source) {
  picture->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(picture, &QWidget::customContextMenuRequested, picture, [picture, source](const QPoint& at) {
    QMenu* menu = NewDiagramMenu(picture, source);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(MenuPoint(picture, at));
  });
}

void AttachMapMenu(QWidget* picture, std::function<std::uint8_t()> language, std::function<QImage()> shown,
                   std::function<QString()> baseName) {
  picture->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(picture, &QWidget::customContextMenuRequested, picture,
                   [picture, language, shown, baseName](const QPoint& at) {
                     QMenu* menu = NewMapMenu(picture, language(), shown, baseName());
                     menu->setAttribute(Qt::WA_DeleteOnClose);
                     menu->popup(MenuPoint(picture, at));
                   });
}

}  // namespace varomintel
