// HelpWindow: the manual of the current language, an HTML file shipped in the program's
// data folder ("VaromintelDE.html", "VaromintelEN.html", "VaromintelFR.html"), shown in a
// browser with back, forward and contents.
//
// Only the data folder is read (the installed one, or the build's), never the current
// folder: a page there could hold what the text engine cannot survive (thousands of
// nested tables overflow its stack, a picture of /dev/zero exhausts memory). The page,
// the pictures it shows and the pages its links lead to must be regular files in that
// folder (checked with fstat after a non-blocking open, so that a FIFO in a file's place
// never blocks the window), each under a size limit; a picture is decoded only when its
// size in pixels is sensible. A page that cannot be shown is reported in the window
// itself, named, with the reason.
#pragma once

#include <QSize>
#include <QWidget>

#include <cstdint>
#include <string>

class QTextBrowser;
class QToolButton;

namespace varomintel {

inline constexpr long long kHelpPageLimitBytes = 1 << 20;     // the manuals are about 20 kB
inline constexpr long long kHelpPictureLimitBytes = 8 << 20;  // the pictures up to about 330 kB
inline constexpr int kHelpPictureLimitPixels = 4096;          // per side
// The size the window opens at where the screen has room for it, pixels.
inline constexpr QSize kHelpWindowSize{860, 760};

// The name of the help file of a language (0 German, 1 English, 2 French, 3 Spanish; anything
// else German).
std::string HelpFileName(std::uint8_t languageIndex);

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows `fileName` from `dataFolder` (the program's folder), or the message why it
  // cannot be shown; the window's own captions in the language. From then on only that
  // folder is read. Returns the path shown, empty when none was.
  QString ShowFile(const std::string& fileName, const std::string& dataFolder, std::uint8_t languageIndex);
  // The window's own captions (title, buttons) in the language.
  void ApplyLanguage(std::uint8_t languageIndex);

  QTextBrowser* Browser;
  QToolButton* Button_Back;
  QToolButton* Button_Forward;
  QToolButton* Button_Contents;
  QToolButton* Button_Close;

 protected:
  void changeEvent(QEvent* event) override;
};

}  // namespace varomintel
