#include "gui/common/qt_translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <array>

#include "text/text_table.h"

namespace varomintel {

namespace {

// By language index.
constexpr std::array<const char*, 4> kCodes = {"de", "en", "fr", "es"};

// The catalogues installed now, owned by the application.
QPointer<QTranslator> ours, qts;
int installedLanguage = -1;

void Remove(QPointer<QTranslator>& translator) {
  if (!translator) return;
  QCoreApplication::removeTranslator(translator);
  delete translator;
}

QTranslator* Load(const QString& file) {
  if (file.isEmpty()) return nullptr;
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(file)) return translator;
  delete translator;
  return nullptr;
}

}  // namespace

std::uint8_t WindowLanguage() {
  return installedLanguage >= 0 ? static_cast<std::uint8_t>(installedLanguage) : kGerman;
}

QString WindowLanguageCode(std::uint8_t languageIndex) {
  return QString::fromLatin1(kCodes[languageIndex <= kSpanish ? languageIndex : kGerman]);
}

QString QtTranslationsFile(std::uint8_t languageIndex) {
  if (languageIndex == kEnglish) return {};
  return QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath))
      .filePath(QStringLiteral("qtbase_%1.qm").arg(WindowLanguageCode(languageIndex)));
}

QString WindowTranslationsFile(std::uint8_t languageIndex) {
  if (languageIndex == kEnglish) return {};
  return QStringLiteral(":/translations/varomintel_%1.qm").arg(WindowLanguageCode(languageIndex));
}

bool InstallTranslations(std::uint8_t languageIndex) {
  if (!QCoreApplication::instance()) return false;
  const int language = languageIndex <= kSpanish ? languageIndex : kGerman;
  if (language == installedLanguage) return language == kEnglish || ours;
  Remove(ours);
  Remove(qts);
  installedLanguage = language;
  ours = Load(WindowTranslationsFile(static_cast<std::uint8_t>(language)));
  qts = Load(QtTranslationsFile(static_cast<std::uint8_t>(language)));
  if (ours) QCoreApplication::installTranslator(ours);
  if (qts) QCoreApplication::installTranslator(qts);
  return language == kEnglish || ours;
}

std::uint8_t LanguageOfLocale(const QLocale& locale) {
  switch (locale.language()) {
    case QLocale::German: return kGerman;
    case QLocale::French: return kFrench;
    case QLocale::Spanish: return kSpanish;
    default: return kEnglish;
  }
}

}  // namespace varomintel
