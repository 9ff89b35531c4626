#include "gui/common/error_texts.h"

#include <array>
#include <string_view>

#include "places/city_file.h"

namespace varomintel {

namespace {

using Texts = std::array<const char*, 3>;  // German, English, French (UTF-8)

QString Pick(const Texts& texts, std::uint8_t language) { return QString::fromUtf8(texts[language <= 2 ? language : 0]); }

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The writers' own reasons; a reason not listed (the system's) stays as it is.
QString Reason(std::string_view reason, std::uint8_t language) {
  struct Row {
    const char* english;
    Texts texts;
  };
  static const Row kReasons[] = {
      {"it is a folder", {"es ist ein Ordner", "it is a folder", "c'est un dossier"}},
      {"it is not a regular file",
       {"es ist keine gewöhnliche Datei", "it is not a regular file", "ce n'est pas un fichier ordinaire"}},
      {"it is read-only", {"sie ist schreibgeschützt", "it is read-only", "il est en lecture seule"}},
      {"it is not a regular file (a FIFO)",
       {"es ist keine gewöhnliche Datei (ein FIFO)", "it is not a regular file (a FIFO)",
        "ce n'est pas un fichier ordinaire (un FIFO)"}},
      {"it is not a regular file (a character device)",
       {"es ist keine gewöhnliche Datei (ein zeichenorientiertes Gerät)", "it is not a regular file (a character device)",
        "ce n'est pas un fichier ordinaire (un périphérique caractère)"}},
      {"it is not a regular file (a block device)",
       {"es ist keine gewöhnliche Datei (ein blockorientiertes Gerät)", "it is not a regular file (a block device)",
        "ce n'est pas un fichier ordinaire (un périphérique bloc)"}},
      {"it is not a regular file (a socket)",
       {"es ist keine gewöhnliche Datei (ein Socket)", "it is not a regular file (a socket)",
        "ce n'est pas un fichier ordinaire (un socket)"}},
      {"the picture cannot be encoded as PNG",
       {"das Bild lässt sich nicht als PNG speichern", "the picture cannot be encoded as PNG",
        "l'image ne peut pas être codée en PNG"}},
      {"the name must end in .mp4 or .webm",
       {"der Name muss auf .mp4 oder .webm enden", "the name must end in .mp4 or .webm",
        "le nom doit se terminer par .mp4 ou .webm"}},
  };
  for (const Row& r : kReasons)
    if (reason == r.english) return Pick(r.texts, language);
  return Q(reason);
}

}  // namespace

QString WriteErrorText(const std::string& error, std::uint8_t language) {
  // "cannot write '" path "': " reason; the path may itself hold "': ", the reason never
  // starts with a quote: the last "': " ends the path.
  constexpr std::string_view kLead = "cannot write '", kSeparator = "': ";
  const std::string_view line = error;
  const std::size_t end = line.rfind(kSeparator);
  if (line.substr(0, kLead.size()) == kLead && end != std::string_view::npos && end >= kLead.size()) {
    const QString path = Q(line.substr(kLead.size(), end - kLead.size()));
    const QString reason = Reason(line.substr(end + kSeparator.size()), language);
    return Pick({"„%1“ kann nicht gespeichert werden: %2", "Cannot write '%1': %2",
                 "Impossible d'enregistrer « %1 » : %2"},
                language)
        .arg(path, reason);
  }
  return Pick({"Die Datei wurde nicht gespeichert: %1", "The file was not written: %1",
               "Le fichier n'a pas été enregistré : %1"},
              language)
      .arg(Q(error));
}

QString CityFileErrorText(const std::string& file, const CityFileFailure& failure, std::uint8_t language) {
  const QString name = Q(file);
  switch (failure.kind) {
    case CityFileFailure::Kind::BadNumber:
      return Pick({"Ortsdatei %1, Zeile %2: „%3“ ist keine gültige ganze Zahl.",
                   "City file %1, line %2: '%3' is not a valid integer value.",
                   "Fichier des villes %1, ligne %2 : « %3 » n'est pas un nombre entier valable."},
                  language)
          .arg(name)
          .arg(failure.lineNumber)
          .arg(Q(failure.error.fieldText));
    case CityFileFailure::Kind::LineTooLong:
      return Pick({"Ortsdatei %1, Zeile %2 ist zu lang (mehr als %3 Bytes).",
                   "City file %1, line %2 is too long (more than %3 bytes).",
                   "Fichier des villes %1, la ligne %2 est trop longue (plus de %3 octets)."},
                  language)
          .arg(name)
          .arg(failure.lineNumber)
          .arg(kMaxCityLineBytes);
    case CityFileFailure::Kind::ReadError:
      break;
  }
  return Pick({"Die Ortsdatei %1 kann nicht gelesen werden: %2.", "The city file %1 cannot be read: %2.",
               "Le fichier des villes %1 ne peut pas être lu : %2."},
              language)
      .arg(name, Reason(failure.systemError, language));
}

}  // namespace varomintel
