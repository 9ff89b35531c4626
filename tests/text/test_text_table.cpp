#include "text/text_table.h"

#include "eclipse/eclipse_type.h"

#include <gtest/gtest.h>

namespace varomintel {
namespace {

TEST(TextTable, SlotIsRowTimesLanguageCountPlusLanguage) {
  const TextTableSlots& t = TextTable();
  ASSERT_EQ(t.size(), 400u);
  EXPECT_EQ(t[kLanguageCount * 67 + kEnglish], "Maximum Eclipse              ");
  EXPECT_EQ(Text(67, kGerman), "Finsternismaximum           ");
  EXPECT_EQ(Text(67, kFrench), "Maximum de l'éclipse        ");
  EXPECT_EQ(Text(12, kEnglish), "Eclipse in Saros (");
  EXPECT_EQ(Text(13, kGerman), ". von ");
  EXPECT_EQ(Text(14, kGerman), " Sek. ");
  EXPECT_EQ(Text(73, kFrench), "Les temps sont des temps civils");
  EXPECT_EQ(Text(61, kEnglish), "Earth's");
  EXPECT_EQ(Text(60, kEnglish), "Penumbra");
}

TEST(TextTable, BlanksAndEmptySlotsAreExact) {
  EXPECT_EQ(Text(65, kEnglish), "Begin of Umbral Eclipse   ");
  EXPECT_EQ(Text(68, kFrench), "Fin de la totalité                  ");
  EXPECT_EQ(Text(5, kGerman), "");
  EXPECT_EQ(Text(5, kFrench), " ");
  EXPECT_EQ(Text(47, kFrench), " ");
  EXPECT_EQ(Text(45, kEnglish), "");
  for (int row = 81; row < 100; ++row)
    for (std::uint8_t l = 0; l < kLanguageCount; ++l) EXPECT_EQ(Text(row, l), "") << row;
  for (std::uint8_t l = 0; l < kLanguageCount; ++l) EXPECT_FALSE(Text(text_row::kSubtitle, l).empty());
}

TEST(TextTable, TypeNamesAndOutOfRangeIndices) {
  using T = EclipseTypeCode;
  EXPECT_EQ(EclipseTypeLongName(T::PartialPenumbral, kGerman), "Teilweise Halbschatten-Mondfinsternis");
  EXPECT_EQ(EclipseTypeLongName(T::TotalCentral, kFrench), "Eclipse lunaire totale et centrale");
  EXPECT_EQ(EclipseTypeShortName(T::PartialPenumbral, kFrench), "Ecl.lunaire p.l.pénombre(part.)");
  EXPECT_EQ(EclipseTypeShortName(T::TotalCentral, kGerman), "Totale Mondfinsternis (zentr.)");
  EXPECT_EQ(EclipseTypeLongName(T{0}, kEnglish), "");
  EXPECT_EQ(EclipseTypeLongName(T{7}, kEnglish), "");
  EXPECT_EQ(Text(100, kEnglish), "");
  EXPECT_EQ(Text(-1, kEnglish), "");
  EXPECT_EQ(Text(0, 4), "");  // a language outside 0..3 never reaches the next row
  EXPECT_EQ(ValidLanguageIndex(3), kSpanish);
  EXPECT_EQ(ValidLanguageIndex(4), kGerman);
  EXPECT_EQ(ValidLanguageIndex(7), kGerman);
  EXPECT_EQ(LanguageFromCode("fr"), kFrench);
  EXPECT_EQ(LanguageFromCode("es"), kSpanish);
  EXPECT_FALSE(LanguageFromCode("it"));
}

}  // namespace
}  // namespace varomintel
