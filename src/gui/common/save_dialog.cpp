#include "gui/common/save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>

namespace varomintel {

QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& defaultName, const QString& filter,
                        const QString& suffix) {
  // Qt's own dialog rather than the desktop's: it speaks the program's language, not the
  // session's. With a default suffix it adds the extension to the typed name before it
  // asks whether to overwrite, so that the question names the file that will be written;
  // the suffix follows the type chosen in the dialog.
  QFileDialog dialog(parent, caption, QDir::homePath(), filter);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(suffix);
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(chosen);
    if (m.hasMatch()) dialog.setDefaultSuffix(m.captured(1));
  });
  dialog.selectFile(defaultName);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

}  // namespace varomintel
