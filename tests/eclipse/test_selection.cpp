#include "eclipse/selection.h"

#include <gtest/gtest.h>

#include "../support/synthetic_eclipse.h"

namespace varomintel {
namespace {

// Twelve eclipses, two or three a year from 1999 on, in three Saros series.
Catalogue SmallCatalogue() {
  const int years[] = {1999, 1999, 2000, 2000, 2001, 2001, 2002, 2003, 2003, 2004, 2004, 2005};
  const int saros[] = {131, 136, 131, 141, 136, 131, 141, 136, 131, 141, 136, 131};
  std::vector<EclipseRecord> records;
  for (int i = 0; i < 12; ++i) {
    EclipseRecord r = testing::LinearEclipse{}.Record(years[i]);
    r.Saros = saros[i];
    records.push_back(r);
  }
  return Catalogue(std::move(records));
}

TEST(Selection, YearSearchClampsAndFallsBackToTheLastRecord) {
  const Catalogue cat = SmallCatalogue();
  EXPECT_EQ(FindByYear(cat, "2001")->index, 5);
  EXPECT_EQ(FindByYear(cat, "2002")->index, 7);
  EXPECT_EQ(FindByYear(cat, " 2000 ")->index, 3);
  const auto early = FindByYear(cat, "-9999");
  EXPECT_EQ(early->year, -4999);
  EXPECT_EQ(early->index, 1);
  const auto late = FindByYear(cat, "7000");
  EXPECT_EQ(late->year, 7000);
  EXPECT_EQ(late->index, 12);  // the catalogue ends earlier
  EXPECT_EQ(FindByYear(cat, "99999")->year, 7000);
  EXPECT_FALSE(FindByYear(cat, "2000.5"));
  EXPECT_FALSE(FindByYear(cat, "abc"));
  EXPECT_FALSE(FindByYear(cat, ""));
  EXPECT_FALSE(FindByYear(Catalogue(), "2000"));
}

TEST(Selection, SarosSearchDefaultsTo139AndClamps) {
  const Catalogue cat = SmallCatalogue();
  EXPECT_EQ(FindBySaros(cat, "136").index, 2);
  EXPECT_EQ(FindBySaros(cat, "141").index, 4);
  const SarosSearch junk = FindBySaros(cat, "abc");
  EXPECT_EQ(junk.saros, 139);
  EXPECT_EQ(junk.index, 0);  // no record of 139 here: the selection stays
  EXPECT_EQ(FindBySaros(cat, "999").saros, 322);
  EXPECT_EQ(FindBySaros(cat, "-999").saros, -114);
}

TEST(Selection, StepsAlongASarosSeries) {
  const Catalogue cat = SmallCatalogue();
  // Saros 131 sits at 1, 3, 6, 9, 12.
  EXPECT_EQ(StepInSaros(cat, 1, +1, 1), 3);
  EXPECT_EQ(StepInSaros(cat, 3, -1, 1), 1);
  EXPECT_EQ(StepInSaros(cat, 9, +1, 1), 12);  // one step may select the end record
  EXPECT_FALSE(StepInSaros(cat, 12, +1, 1));  // last of its series: nothing happens
  EXPECT_FALSE(StepInSaros(cat, 1, -1, 1));
  EXPECT_EQ(StepInSaros(cat, 1, +1, 3), 9);
  EXPECT_EQ(StepInSaros(cat, 3, +1, 3), 12);  // the fourth-last member reaches the last
  EXPECT_FALSE(StepInSaros(cat, 6, +1, 3));   // the third-last has no third later member
  EXPECT_EQ(StepInSaros(cat, 12, -1, 3), 3);
  EXPECT_FALSE(StepInSaros(cat, 6, -1, 3));
  // Saros 141 at 4, 7, 10: from 4 three steps would need a fourth member.
  EXPECT_FALSE(StepInSaros(cat, 4, +1, 3));
  EXPECT_FALSE(StepInSaros(cat, 0, +1, 1));
  EXPECT_FALSE(StepInSaros(cat, 13, -1, 1));
}

TEST(Selection, IntermediateSearchesGiveUpAtTheEndRecord) {
  // Series 131 at 1, 2 and at the very last index: the first of three steps from 2
  // reaches the end record, which an intermediate search may not select.
  std::vector<EclipseRecord> records;
  for (int s : {131, 131, 140, 131}) {
    EclipseRecord r = testing::LinearEclipse{}.Record();
    r.Saros = s;
    records.push_back(r);
  }
  const Catalogue cat(std::move(records));
  EXPECT_FALSE(StepInSaros(cat, 1, +1, 3));
  EXPECT_EQ(StepInSaros(cat, 2, +1, 1), 4);
  EXPECT_FALSE(StepInSaros(cat, 4, -1, 3));
}

}  // namespace
}  // namespace varomintel
