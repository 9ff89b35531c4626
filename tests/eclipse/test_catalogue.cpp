#include "eclipse/catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>

#include "astro/trig_func.h"
#include "eclipse/elements.h"
#include "../support/synthetic_eclipse.h"
#include "../support/writer_leftovers.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;

class CatalogueFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("varomintel_catalogue_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) const {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
  }
  fs::path dir_;
};

TEST(EclipseRecord, FieldsSitAtTheirByteOffsetsLittleEndian) {
  EclipseRecord r = testing::LinearEclipse{}.Record(-1234, 3, 5, 22);
  r.Saros = -114;
  r.Gamma = -0.25;
  r.JulianDayTT = 1270000.5;
  r.SarosMember = 200;
  r.SarosCount = 255;
  r.F2.c = {1.0, 2.0, 3.0};
  const RecordBytes b = EncodeRecord(r);
  // Year -1234 = 0xFFFFFB2E little-endian at byte 0.
  EXPECT_EQ(b[0], 0x2E);
  EXPECT_EQ(b[1], 0xFB);
  EXPECT_EQ(b[3], 0xFF);
  EXPECT_EQ(b[4], 3);    // Month
  EXPECT_EQ(b[48], 22);  // T0Hour
  // Saros -114 at byte 44.
  EXPECT_EQ(b[44], static_cast<unsigned char>(-114 & 0xFF));
  EXPECT_EQ(b[47], 0xFF);
  // Gamma -0.25 = 0xBFD0000000000000 at byte 24.
  EXPECT_EQ(b[31], 0xBF);
  EXPECT_EQ(b[30], 0xD0);
  // F2's last coefficient 3.0 = 0x4008000000000000 ends at byte 427.
  EXPECT_EQ(b[427], 0x40);
  EXPECT_EQ(b[426], 0x08);
  EXPECT_EQ(b[428], 200);
  EXPECT_EQ(b[429], 255);
  const EclipseRecord back = DecodeRecord(b.data());
  EXPECT_EQ(EncodeRecord(back), b);
  EXPECT_EQ(back.Year, -1234);
  EXPECT_EQ(back.Saros, -114);
  EXPECT_EQ(back.X.c, r.X.c);
}

TEST_F(CatalogueFile, CountComesFromTheFileSize) {
  std::vector<EclipseRecord> records;
  for (int i = 0; i < 3; ++i) records.push_back(testing::LinearEclipse{}.Record(2000 + i));
  const std::string path = Path("three.bin");
  ASSERT_TRUE(WriteCatalogue(path, records));
  EXPECT_EQ(fs::file_size(path), 3 * kRecordSize);
  EXPECT_EQ(testing::WriterLeftovers(fs::path(path).parent_path()), "");
  const CatalogueLoad load = LoadCatalogue(path);
  ASSERT_TRUE(load.ok()) << load.Message();
  ASSERT_EQ(load.catalogue.Count(), 3);
  EXPECT_EQ(load.catalogue.At(1).Year, 2000);
  EXPECT_EQ(load.catalogue.At(3).Year, 2002);
  EXPECT_FALSE(load.catalogue.Contains(0));
  EXPECT_FALSE(load.catalogue.Contains(4));
}

TEST_F(CatalogueFile, UnusableFilesAreClearErrors) {
  const CatalogueLoad missing = LoadCatalogue(Path("nothing.bin"));
  EXPECT_EQ(missing.status, CatalogueLoad::Status::Missing);
  EXPECT_NE(missing.Message().find("nothing.bin"), std::string::npos);

  WriteBytes(Path("empty.bin"), {});
  EXPECT_EQ(LoadCatalogue(Path("empty.bin")).status, CatalogueLoad::Status::Empty);

  const RecordBytes one = EncodeRecord(testing::LinearEclipse{}.Record());
  std::vector<unsigned char> bytes(one.begin(), one.end());
  bytes.push_back(0);  // 431 bytes
  WriteBytes(Path("long.bin"), bytes);
  const CatalogueLoad bad = LoadCatalogue(Path("long.bin"));
  EXPECT_EQ(bad.status, CatalogueLoad::Status::BadSize);
  EXPECT_NE(bad.Message().find("431"), std::string::npos);
  EXPECT_EQ(bad.catalogue.Count(), 0);

  EXPECT_EQ(LoadCatalogue(dir_.string()).status, CatalogueLoad::Status::Unreadable);
}

TEST_F(CatalogueFile, AZeroRecordIsNeverLoaded) {
  std::vector<unsigned char> bytes;
  const RecordBytes good = EncodeRecord(testing::LinearEclipse{}.Record());
  bytes.insert(bytes.end(), good.begin(), good.end());
  bytes.insert(bytes.end(), kRecordSize, 0);
  WriteBytes(Path("zero.bin"), bytes);
  const CatalogueLoad load = LoadCatalogue(Path("zero.bin"));
  EXPECT_EQ(load.status, CatalogueLoad::Status::BadRecord);
  EXPECT_EQ(load.badIndex, 2);
  EXPECT_EQ(load.catalogue.Count(), 0);

  EclipseRecord nan = testing::LinearEclipse{}.Record();
  nan.Y.c[2] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(RecordDefect(nan).empty());
  EXPECT_TRUE(RecordDefect(testing::LinearEclipse{}.Record()).empty());
}

TEST(Elements, AtZeroEveryElementIsItsConstantTerm) {
  EclipseRecord r = testing::LinearEclipse{}.Record();
  r.X.c = {-3000, 1800, 2.5, -0.125};
  r.Aux0.c = {1, 2, 3};
  r.Aux5.c = {-7, 1, 1};
  const ElementValues e = EvaluateElements(r, 0.0, 0.0);
  EXPECT_EQ(e.Aux0, 1);
  EXPECT_EQ(e.Aux5, -7);
  EXPECT_EQ(e.x, -3000);
  EXPECT_EQ(e.xRate, 1800);
  EXPECT_EQ(e.MoonRA, 223.0);
  EXPECT_EQ(e.d, 16.5 * DegToRad);
  EXPECT_EQ(e.f1, 4600);
  EXPECT_EQ(e.L, std::hypot(-3000.0, 400.0));
  EXPECT_EQ(e.sinD, std::sin(16.5 * DegToRad));

  const ElementValues at2 = EvaluateElements(r, 2.0, 0.0);
  EXPECT_DOUBLE_EQ(at2.x, -3000 + 1800 * 2 + 2.5 * 4 - 0.125 * 8);
  EXPECT_DOUBLE_EQ(at2.xRate, 1800 + 2 * 2.5 * 2 + 3 * -0.125 * 4);
  EXPECT_EQ(EvaluateXY(r, 2.0).x, at2.x);  // the cheap form agrees to the last bit
  EXPECT_EQ(EvaluateXY(r, 2.0).y, at2.y);
}

TEST(Elements, HourAngleIsCorrectedForDeltaTAndReduced) {
  EclipseRecord r = testing::LinearEclipse{}.Record();
  r.M.c = {7 * 180.0, 0, 0};  // 7 pi
  EXPECT_NEAR(EvaluateElements(r, 0, 0).M, Pi, 1e-12);
  r.M.c = {-7 * 180.0, 0, 0};
  EXPECT_NEAR(EvaluateElements(r, 0, 0).M, -Pi, 1e-12);

  r.M.c = {30.0, 0, 0};
  const double base = EvaluateElements(r, 0, 0).M;
  EXPECT_EQ(base, 30 * DegToRad);
  const double dayLater = EvaluateElements(r, 0, 86400).M;
  // Minus 1.00273790935 turns: the fractional 0.00273790935 turn shows.
  EXPECT_NEAR(dayLater, base - 0.00273790935 * TwoPi, 1e-12);
  for (double dt : {0.0, 64.0, 17125.0, 148148.9}) {
    const double m = EvaluateElements(r, 1.5, dt).M;
    EXPECT_GE(m, -Pi);
    EXPECT_LE(m, Pi);
  }
}

TEST(Elements, ReductionNeverHangsOnHugeOrNonFiniteAngles) {
  EXPECT_NEAR(ReduceToPlusMinusPi(1e15), std::remainder(1e15, TwoPi), 1e-3);
  EXPECT_TRUE(std::isinf(ReduceToPlusMinusPi(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(ReduceToHalfOpenPi(std::nan(""))));
  EXPECT_EQ(ReduceToHalfOpenPi(-Pi), Pi);
  EXPECT_EQ(ReduceToHalfOpenPi(Pi), Pi);
}

}  // namespace
}  // namespace varomintel
