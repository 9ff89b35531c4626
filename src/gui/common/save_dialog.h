// The save dialog of the windows' "Save as" entries: Qt's own dialog, so that it speaks
// the program's language rather than the desktop session's.
#pragma once

#include <QString>

class QWidget;

namespace varomintel {

// Asks for the file to save to, proposing `defaultName` in the home folder. A name typed
// without an extension gets `suffix` (without the point), or the extension of the type
// chosen in the dialog's `filter`, before the dialog asks whether to overwrite, so that
// the question names the file that will be written. Empty when cancelled.
QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& defaultName, const QString& filter,
                        const QString& suffix);

}  // namespace varomintel
