// The windows' catalogues (translations/*.ts): every entry finished, none obsolete, each
// translation with the placeholders and the shortcut key of its English text, and the
// catalogue built into the program giving exactly the translations of the file.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

#include <set>

#include "../support/test_paths.h"
#include "gui/common/qt_translations.h"

namespace varomintel {
namespace {

struct Entry {
  QString context, source, translation, type;
};

std::vector<Entry> ReadCatalogue(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = "cannot open " + path;
    return {};
  }
  std::vector<Entry> entries;
  QString context;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    if (!xml.readNext() || !xml.isStartElement()) continue;
    if (xml.name() == QLatin1String("name")) context = xml.readElementText();
    if (xml.name() == QLatin1String("message")) entries.push_back({context, {}, {}, {}});
    if (xml.name() == QLatin1String("source")) entries.back().source = xml.readElementText();
    if (xml.name() == QLatin1String("translation")) {
      entries.back().type = xml.attributes().value("type").toString();
      entries.back().translation = xml.readElementText();
    }
  }
  if (xml.hasError()) *error = xml.errorString();
  return entries;
}

// "%1", "%2", ... as a set; and the number of shortcut marks (a single '&').
std::multiset<QString> Placeholders(const QString& text) {
  std::multiset<QString> found;
  static const QRegularExpression kPlaceholder("%[1-9]");
  for (const QRegularExpressionMatch& m : kPlaceholder.globalMatch(text)) found.insert(m.captured());
  return found;
}
int ShortcutMarks(const QString& text) { return static_cast<int>(QString(text).remove("&&").count('&')); }

class Catalogue : public ::testing::TestWithParam<std::uint8_t> {};

TEST_P(Catalogue, IsFinishedAndMatchesItsSourcesAndTheBuiltCatalogue) {
  const QString code = WindowLanguageCode(GetParam());
  QString error;
  const std::vector<Entry> entries =
      ReadCatalogue((QString::fromStdString(testing::DataDir()) + "/../translations/varomintel_%1.ts").arg(code), &error);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
  ASSERT_GT(entries.size(), 100u);
  QTranslator built;
  ASSERT_TRUE(built.load(WindowTranslationsFile(GetParam()))) << WindowTranslationsFile(GetParam()).toStdString();
  std::set<std::pair<QString, QString>> seen;
  for (const Entry& e : entries) {
    const std::string where = e.context.toStdString() + ": \"" + e.source.toStdString() + "\"";
    EXPECT_TRUE(e.type.isEmpty()) << where << " is " << e.type.toStdString();  // unfinished, obsolete, vanished
    EXPECT_FALSE(e.translation.trimmed().isEmpty()) << where;
    EXPECT_EQ(Placeholders(e.translation), Placeholders(e.source)) << where;
    EXPECT_EQ(ShortcutMarks(e.translation), ShortcutMarks(e.source)) << where;
    EXPECT_TRUE(seen.insert({e.context, e.source}).second) << where << " twice";
    EXPECT_EQ(built.translate(e.context.toUtf8().constData(), e.source.toUtf8().constData()), e.translation) << where;
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, Catalogue, ::testing::Values(0, 2, 3), [](const auto& row) {
  return WindowLanguageCode(row.param).toStdString();
});

}  // namespace
}  // namespace varomintel
