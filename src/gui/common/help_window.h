// HelpWindow: the manual of the current language, an HTML file shipped beside the
// program ("VaromintelDE.html", "VaromintelEN.html", "VaromintelFR.html"), shown in a
// browser with back, forward and contents. A file that cannot be found is reported in
// the window itself, with the folders that were searched.
#pragma once

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class QTextBrowser;
class QToolButton;

namespace varomintel {

// The name of the help file of a language (0 German, 1 English, 2 French; anything else German).
std::string HelpFileName(std::uint8_t languageIndex);

// Where a help file is looked for, in this order: the current directory (where the
// program reads its catalogue and pictures), then the program's folder.
std::vector<std::string> HelpFolders(const std::string& currentDir, const std::string& programDir);

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows `fileName` from the first of `folders` that holds it, or the message that it is
  // missing; the window's own captions in the language. Returns the path shown, empty
  // when the file was not found.
  QString ShowFile(const std::string& fileName, const std::vector<std::string>& folders, std::uint8_t languageIndex);
  // The window's own captions (title, buttons) in the language.
  void ApplyLanguage(std::uint8_t languageIndex);

  QTextBrowser* Browser;
  QToolButton* Button_Back;
  QToolButton* Button_Forward;
  QToolButton* Button_Contents;
  QToolButton* Button_Close;
};

}  // namespace varomintel
