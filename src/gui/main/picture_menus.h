// The context menus of the main window's pictures (a right click on the panel, or the
// menu key while one of its controls has the focus): on the shadow diagram "Copy
// picture", "Save picture as ..." (PNG at the size shown, or at twice the design size)
// and "Save animation as ..." (the play as an MP4 or WebM video, its step, span, frames a
// second and size asked first, then written with a progress dialog that can be cancelled), on the world map "Copy picture" and "Save picture as ...", on
// the report "Copy". In German, English and French, in the language of the moment the
// menu opens.
#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>

class QMenu;
class QTextEdit;
class QWidget;

namespace varomintel {

// Writes `picture` as PNG at `path`, whole or not at all. False, with the line naming
// the file and the reason in `error`, when it cannot.
bool SavePicturePng(const QImage& picture, const QString& path, std::string* error);

// What the diagram's menu takes from the window.
struct DiagramMenuSource {
  std::function<std::uint8_t()> language;
  std::function<QImage()> shown;              // the picture as it is on the screen
  std::function<QImage(double)> drawAtScale;  // the diagram of the moment at a scale
  std::function<QString()> baseName;          // "eclipse-2022-11-08", for the file names
  // The frames of the eclipse's video, `step` slider positions apart (6: 12 seconds, 60: 2
  // minutes), over the whole slider or from 10 minutes before P1 to 10 after P4: their
  // count (the frames that drawFrame then draws), and frame i drawn at a scale without
  // touching the window.
  std::function<int(int step, bool whole)> frameCount;
  std::function<QImage(int, double)> drawFrame;
};

// The menu of the diagram with its actions (objectNames "CopyPicture", "SavePicture",
// "SavePictureDouble", "SaveAnimation"), each connected; the caller shows it.
QMenu* NewDiagramMenu(QWidget* parent, const DiagramMenuSource& source);
// The menu of the map ("CopyPicture", "SavePicture").
QMenu* NewMapMenu(QWidget* parent, std::uint8_t language, const std::function<QImage()>& shown,
                  const QString& baseName);

// The menu of the report ("Copy"): copies the selected text, or the whole report when
// nothing is selected.
QMenu* NewReportMenu(QTextEdit* report, std::uint8_t language);

// Opens NewDiagramMenu / NewMapMenu / NewReportMenu at the pointer (or the widget's centre
// for the menu key) whenever the widget asks for its context menu.
void AttachDiagramMenu(QWidget* picture, DiagramMenuSource source);
void AttachMapMenu(QWidget* picture, std::function<std::uint8_t()> language, std::function<QImage()> shown,
                   std::function<QString()> baseName);
void AttachReportMenu(QTextEdit* report, std::function<std::uint8_t()> language);

}  // namespace varomintel
