// Qt's own texts in the program's language: the file dialog ("Look in", "File name",
// "Save", "Cancel"), its question before overwriting a file and the message boxes'
// buttons come from Qt's translation catalogues (Debian's qt6-translations-l10n).
#pragma once

#include <QString>

#include <cstdint>

namespace varomintel {

// Installs Qt's catalogue of the language (0 German, 1 English, 2 French) on the
// application in place of the one installed before; English and a missing catalogue
// leave Qt's own English texts, without a message. Widgets receive the usual
// QEvent::LanguageChange. True when a catalogue of the language is installed.
bool ApplyQtTranslations(std::uint8_t languageIndex);

// The path of Qt's catalogue for the language ("…/qtbase_de.qm"); empty for English.
QString QtTranslationsFile(std::uint8_t languageIndex);

}  // namespace varomintel
