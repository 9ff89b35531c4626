#include "gui/common/error_texts.h"

#include <QCoreApplication>

#include <array>
#include <string_view>

#include "places/city_file.h"

namespace varomintel {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The writers' own reasons; a reason not listed (the system's) stays as it is.
QString Reason(std::string_view reason) {
  static const char* const kReasons[] = {
      QT_TRANSLATE_NOOP("ErrorTexts", "it is a folder"),
      QT_TRANSLATE_NOOP("ErrorTexts", "it is not a regular file"),
      QT_TRANSLATE_NOOP("ErrorTexts", "it is read-only"),
      QT_TRANSLATE_NOOP("ErrorTexts", "it is not a regular file (a FIFO)"),
      QT_TRANSLATE_NOOP("ErrorTexts", "it is not a regular file (a character device)"),
      QT_TRANSLATE_NOOP("ErrorTexts", "it is not a regular file (a block device)"),
      QT_TRANSLATE_NOOP("ErrorTexts", "it is not a regular file (a socket)"),
      QT_TRANSLATE_NOOP("ErrorTexts", "the picture cannot be encoded as PNG"),
      QT_TRANSLATE_NOOP("ErrorTexts", "the name must end in .mp4 or .webm"),
  };
  for (const char* r : kReasons)
    if (reason == r) return QCoreApplication::translate("ErrorTexts", r);
  return Q(reason);
}

}  // namespace

QString WriteErrorText(const std::string& error, std::uint8_t /*language: the catalogue's*/) {
  // "cannot write '" path "': " reason; the path may itself hold "': ", the reason never
  // starts with a quote: the last "': " ends the path.
  constexpr std::string_view kLead = "cannot write '", kSeparator = "': ";
  const std::string_view line = error;
  const std::size_t end = line.rfind(kSeparator);
  if (line.substr(0, kLead.size()) == kLead && end != std::string_view::npos && end >= kLead.size()) {
    const QString path = Q(line.substr(kLead.size(), end - kLead.size()));
    const QString reason = Reason(line.substr(end + kSeparator.size()));
    return QCoreApplication::translate("ErrorTexts", "Cannot write '%1': %2")
        .arg(path, reason);
  }
  return QCoreApplication::translate("ErrorTexts", "The file was not written: %1")
      .arg(Q(error));
}

QString CityFileErrorText(const std::string& file, const CityFileFailure& failure,
                          std::uint8_t /*language: the catalogue's*/) {
  const QString name = Q(file);
  switch (failure.kind) {
    case CityFileFailure::Kind::BadNumber:
      return QCoreApplication::translate("ErrorTexts", "City file %1, line %2: '%3' is not a valid integer value.")
          .arg(name)
          .arg(failure.lineNumber)
          .arg(Q(failure.error.fieldText));
    case CityFileFailure::Kind::LineTooLong:
      return QCoreApplication::translate("ErrorTexts", "City file %1, line %2 is too long (more than %3 bytes).")
          .arg(name)
          .arg(failure.lineNumber)
          .arg(kMaxCityLineBytes);
    case CityFileFailure::Kind::ReadError:
      break;
  }
  return QCoreApplication::translate("ErrorTexts", "The city file %1 cannot be read: %2.")
      .arg(name, Reason(failure.systemError));
}

}  // namespace varomintel
