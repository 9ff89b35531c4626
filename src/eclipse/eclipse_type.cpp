#include "eclipse/eclipse_type.h"

#include "text/text_table.h"

namespace varomintel {

namespace {

const std::string& TypeName(int firstRow, EclipseTypeCode type, std::uint8_t languageIndex) {
  static const std::string kEmpty;
  const int code = static_cast<int>(type);
  if (code < 1 || code > 6) return kEmpty;
  return Text(firstRow + code - 1, languageIndex);
}

}  // namespace

const std::string& EclipseTypeLongName(EclipseTypeCode type, std::uint8_t languageIndex) {
  return TypeName(text_row::kTypeLong, type, languageIndex);
}

const std::string& EclipseTypeShortName(EclipseTypeCode type, std::uint8_t languageIndex) {
  return TypeName(text_row::kTypeShort, type, languageIndex);
}

}  // namespace varomintel
