#include "gui/common/qt_translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace varomintel {

namespace {

// The catalogue of the Qt modules the program uses: qtbase holds the widgets' texts.
const char* LanguageCode(std::uint8_t languageIndex) {
  switch (languageIndex) {
    case 0: return "de";
    case 2: return "fr";
    default: return nullptr;  // English: Qt's own texts
  }
}

QPointer<QTranslator> installed;  // owned by the application
int installedLanguage = -1;

}  // namespace

QString QtTranslationsFile(std::uint8_t languageIndex) {
  const char* code = LanguageCode(languageIndex);
  if (!code) return {};
  return QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath(QStringLiteral("qtbase_%1.qm").arg(code));
}

bool ApplyQtTranslations(std::uint8_t languageIndex) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  if (installed && installedLanguage == languageIndex) return true;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  installedLanguage = -1;
  const QString file = QtTranslationsFile(languageIndex);
  if (file.isEmpty()) return false;
  auto* translator = new QTranslator(app);
  // A missing or unreadable catalogue: Qt's English stays.
  if (!translator->load(file)) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  installedLanguage = languageIndex;
  return true;
}

}  // namespace varomintel
