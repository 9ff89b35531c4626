// The windows' language: our catalogue of the windows' texts (translations/*.ts, built into
// .qm files and embedded under :/translations) and Qt's own catalogue for its dialogs ("Look
// in", "File name", "Save", "Cancel", the message boxes' buttons; Debian's
// qt6-translations-l10n). The sources' texts are English: English installs neither.
#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

namespace varomintel {

// The language the windows show: that of the catalogues installed last (0 German, 1 English,
// 2 French, 3 Spanish), German before any.
std::uint8_t WindowLanguage();

// "de", "en", "fr", "es"; German for an index outside 0..3.
QString WindowLanguageCode(std::uint8_t languageIndex);

// Replaces the installed catalogues with those of the language. Every window then receives
// QEvent::LanguageChange (posted, so it arrives once the event loop runs) and sets its texts
// again itself. A missing Qt catalogue leaves Qt's English, without a message. True when
// our catalogue of the language is in place (always for English).
bool InstallTranslations(std::uint8_t languageIndex);

// The path of Qt's catalogue for the language ("…/qtbase_de.qm"); empty for English.
QString QtTranslationsFile(std::uint8_t languageIndex);
// The resource of our catalogue for the language (":/translations/varomintel_de.qm");
// empty for English.
QString WindowTranslationsFile(std::uint8_t languageIndex);

// The language of a first start: the locale's, where it is one of ours, English otherwise.
std::uint8_t LanguageOfLocale(const QLocale& locale);

}  // namespace varomintel
