// Regenerates a few decades of the catalogue at three epochs from the ephemeris and
// finds them byte for byte identical to the shipped file.
#include <gtest/gtest.h>

#include <string>

#include "astro/calendar.h"
#include "catalogue_builder.h"
#include "eclipse/catalogue.h"
#include "../support/test_paths.h"

namespace varomintel {
namespace {

TEST(RegeneratedCatalogue, SamplesAreIdenticalToTheShippedFile) {
  const CatalogueLoad load = LoadCatalogue(testing::DataDir() + "/" + std::string(kCatalogueFileName));
  ASSERT_TRUE(load.ok()) << load.Message();
  catalogue_builder::Builder builder(catalogue_builder::Settings{});
  struct Span {
    int from, to;
  };
  for (const Span s : {Span{-3000, -2981}, Span{2001, 2020}, Span{6000, 6019}}) {
    SCOPED_TRACE(std::to_string(s.from) + ".." + std::to_string(s.to));
    const std::vector<catalogue_builder::Eclipse> fresh =
        builder.BuildCatalogue(DateToJD(s.from, 1, 1, 0, 0, 0), DateToJD(s.to + 1, 1, 1, 0, 0, 0));
    ASSERT_GT(fresh.size(), 30u);
    // Locate the first one in the shipped file by its instant.
    int index = 0;
    for (int i = 1; i <= load.catalogue.Count(); ++i)
      if (load.catalogue.At(i).JulianDayTT == fresh.front().record.JulianDayTT) index = i;
    ASSERT_NE(index, 0);
    for (std::size_t j = 0; j < fresh.size(); ++j) {
      ASSERT_TRUE(load.catalogue.Contains(index + static_cast<int>(j)));
      EXPECT_EQ(EncodeRecord(fresh[j].record), EncodeRecord(load.catalogue.At(index + static_cast<int>(j))))
          << "eclipse " << fresh[j].record.Year << "-" << fresh[j].record.Month << "-" << fresh[j].record.Day;
      EXPECT_LT(fresh[j].worstResidualXY, 0.002);
    }
    // And nothing in the file between them that the ephemeris does not give.
    const int next = index + static_cast<int>(fresh.size());
    if (load.catalogue.Contains(next)) {
      EXPECT_GE(load.catalogue.At(next).JulianDayTT, DateToJD(s.to + 1, 1, 1, 0, 0, 0));
    }
  }
}

TEST(RegeneratedCatalogue, SarosNumberingOfTheCanon) {
  // Lunation 0 (2000 Jan 21) is Saros 124; one saros stays, one inex adds 1.
  EXPECT_EQ(catalogue_builder::Builder::SarosOf(0), 124);
  EXPECT_EQ(catalogue_builder::Builder::SarosOf(223), 124);
  EXPECT_EQ(catalogue_builder::Builder::SarosOf(-223), 124);
  EXPECT_EQ(catalogue_builder::Builder::SarosOf(358), 125);
  EXPECT_EQ(catalogue_builder::Builder::SarosOf(282), 136);  // 2022 Nov 08
  EXPECT_EQ(catalogue_builder::Builder::SarosOf(311), 123);  // 2025 Mar 14
  EXPECT_EQ(catalogue_builder::Builder::LunationNear(DateToJD(2022, 11, 8, 11, 0, 0)), 282);
}

}  // namespace
}  // namespace varomintel
