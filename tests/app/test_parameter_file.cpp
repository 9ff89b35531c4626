#include "app/parameter_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "../support/writer_leftovers.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;

class ParameterFile : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = fs::temp_directory_path() /
            ("varomintel_param_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(base_);
    folder_ = (base_ / "config" / "Varomintel").string() + "/";
    path_ = folder_ + kParameterFileName;
  }
  void TearDown() override { fs::remove_all(base_); }
  std::vector<unsigned char> Bytes() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path base_;
  std::string folder_, path_;
};

TEST_F(ParameterFile, FirstStartCreatesTheFolderAndADefaultFile) {
  const ParameterStartup s = LoadParameterFile(folder_, path_, "1.19.0.0");
  EXPECT_EQ(s.outcome, ParameterStartup::Outcome::Created);
  const std::vector<unsigned char> b = Bytes();
  ASSERT_EQ(b.size(), 242u);
  EXPECT_EQ(b[0], 8);
  EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 9), "1.19.0.0");
  const ParameterRecord& r = s.record;
  EXPECT_EQ(r.Int(param::kMainTop), 169);
  EXPECT_EQ(b[18], 169);
  EXPECT_EQ(r.Int(param::kMainLeft), 232);
  EXPECT_EQ(r.Int(param::kEclipse), 16690);
  EXPECT_EQ(b[31], 16690 & 0xFF);
  EXPECT_EQ(b[32], 16690 >> 8);
  EXPECT_FALSE(r.Flag(param::kUniversalTime));  // a first start shows terrestrial time
  EXPECT_TRUE(r.Flag(param::kGraticule));
  EXPECT_EQ(r.ShortString(param::kPoiLatitude, 16), "47.5");
  EXPECT_EQ(r.ShortString(param::kPoiLongitude, 16), "7.53");
  EXPECT_EQ(r.Int(param::kTimeSlider), 6300);
  EXPECT_EQ(r.Int(param::kReserved41), 2);
  EXPECT_EQ(r.Int(param::kReserved88), 140);
  EXPECT_EQ(r.Int(param::kReserved92), 222);
  EXPECT_EQ(r.Int(param::kHistHeight), 773);
  EXPECT_EQ(r.Int(param::kHistWidth), 1222);
  EXPECT_EQ(r.Int(param::kListLeft), 67);
  EXPECT_EQ(r.Int(param::kListPopulation), 0);
  EXPECT_EQ(r.ShortString(param::kHistPlace, 32), "");
  EXPECT_EQ(b[241], 0);
  // The next start loads it unchanged.
  const ParameterStartup again = LoadParameterFile(folder_, path_, "1.19.0.0");
  EXPECT_EQ(again.outcome, ParameterStartup::Outcome::Loaded);
  EXPECT_EQ(again.record.bytes(), s.record.bytes());
}

TEST_F(ParameterFile, AnotherVersionIsRecognisedByLengthAndCharacters) {
  LoadParameterFile(folder_, path_, "1.19.0");
  // A shorter prefix of the version counts as another version.
  const ParameterStartup s = LoadParameterFile(folder_, path_, "1.19.0.0");
  EXPECT_EQ(s.outcome, ParameterStartup::Outcome::OtherVersion);
  EXPECT_EQ(s.storedVersion, "1.19.0");
  EXPECT_EQ(IncompatibleParameterText(s.storedVersion),
            "The file from version 1.19.0 is now deleted.\n\rPlease restart the program Varomintel.");
  EXPECT_EQ(IncompatibleParameterCaption(), "Incompatible parameter file found");
}

TEST_F(ParameterFile, ShortAndUnreadableFiles) {
  // A 100-byte file of the right version: the fields past byte 100 read as zero.
  ParameterRecord full = DefaultParameterRecord("2.0.0.0");
  full.SetDouble(param::kTimeZone, 5.5);
  fs::create_directories(folder_);
  std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(full.bytes().data()), 100);
  ParameterStartup s = LoadParameterFile(folder_, path_, "2.0.0.0");
  EXPECT_EQ(s.outcome, ParameterStartup::Outcome::Loaded);
  EXPECT_EQ(s.record.Double(param::kTimeZone), 0.0);
  EXPECT_EQ(s.record.Int(param::kHistWidth), 0);
  EXPECT_EQ(s.record.Int(param::kEclipse), 16690);

  // A folder (or a FIFO, which would block the read) in the file's place is never read:
  // the defaults, and the program must not try to store them there.
  fs::remove(path_);
  fs::create_directories(path_);
  s = LoadParameterFile(folder_, path_, "2.0.0.0");
  EXPECT_EQ(s.outcome, ParameterStartup::Outcome::NotARegularFile);
  EXPECT_TRUE(VersionMatches(s.record, "2.0.0.0"));
  fs::remove(path_);
  ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0);
  s = LoadParameterFile(folder_, path_, "2.0.0.0");  // returns at once
  EXPECT_EQ(s.outcome, ParameterStartup::Outcome::NotARegularFile);
  fs::remove(path_);
  EXPECT_EQ(IncompatibleParameterText(""), "The file from version  is now deleted.\n\rPlease restart the program Varomintel.");
}

TEST_F(ParameterFile, SavingRewritesOnlyAnExistingFileWhole) {
  ParameterRecord r = LoadParameterFile(folder_, path_, "1.0.0.0").record;
  r.SetInt(param::kEclipse, 12345);
  r.SetShortString(param::kPoiLatitude, 16, "12.3456789012345678");  // cut to 16
  r.SetInt(param::kListPopulation, -1);
  ASSERT_TRUE(SaveParameterFile(path_, r));
  EXPECT_EQ(testing::WriterLeftovers(fs::path(path_).parent_path()), "");
  const ParameterStartup s = LoadParameterFile(folder_, path_, "1.0.0.0");
  EXPECT_EQ(s.record.Int(param::kEclipse), 12345);
  EXPECT_EQ(s.record.ShortString(param::kPoiLatitude, 16), "12.3456789012345");
  EXPECT_EQ(s.record.Int(param::kListPopulation), -1);
  // Deleted during the run: not recreated at exit.
  fs::remove(path_);
  EXPECT_FALSE(SaveParameterFile(path_, r));
  EXPECT_FALSE(fs::exists(path_));
}

// The user's file as the user set it up: a read-only file stays unwritten, a private file
// stays private, and a link is written through to its target and stays a link.
TEST_F(ParameterFile, SavingKeepsReadOnlyFilesPermissionsAndLinks) {
  ParameterRecord r = LoadParameterFile(folder_, path_, "1.0.0.0").record;
  const std::vector<unsigned char> original = Bytes();
  r.SetInt(param::kEclipse, 777);

  fs::permissions(path_, fs::perms::owner_read | fs::perms::group_read);  // 440
  EXPECT_FALSE(SaveParameterFile(path_, r));
  EXPECT_EQ(Bytes(), original);
  EXPECT_EQ(testing::WriterLeftovers(fs::path(path_).parent_path()), "");

  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);  // 600
  ASSERT_TRUE(SaveParameterFile(path_, r));
  EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(LoadParameterFile(folder_, path_, "1.0.0.0").record.Int(param::kEclipse), 777);

  const std::string target = (base_ / "elsewhere.ini").string();
  fs::rename(path_, target);
  fs::create_symlink(target, path_);
  r.SetInt(param::kEclipse, 888);
  ASSERT_TRUE(SaveParameterFile(path_, r));
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(LoadParameterFile(folder_, target, "1.0.0.0").record.Int(param::kEclipse), 888);
}

TEST(ParameterRecordFields, ShortStringsCutAtACharacterBoundaryAndKeepTrailingBytes) {
  ParameterRecord r;
  r.SetShortString(param::kHistPlace, 32, "Zürich");
  EXPECT_EQ(r.ShortString(param::kHistPlace, 32), "Zürich");
  // 15 ASCII bytes then a two-byte character: the character does not fit in 16 bytes.
  r.SetShortString(param::kPoiLatitude, 16, std::string(15, 'a') + "é");
  EXPECT_EQ(r.ShortString(param::kPoiLatitude, 16), std::string(15, 'a'));
  // A shorter text leaves the bytes after it as they were.
  r.SetShortString(param::kPoiLatitude, 16, "1");
  EXPECT_EQ(r.Byte(param::kPoiLatitude + 2), 'a');
  // A corrupt length byte never reads past the field.
  r.SetByte(param::kPoiLongitude, 200);
  EXPECT_EQ(r.ShortString(param::kPoiLongitude, 16).size(), 16u);
  r.SetInt(param::kMainTop, -5);
  EXPECT_EQ(r.Int(param::kMainTop), -5);
  r.SetDouble(param::kTimeZone, -3.25);
  EXPECT_EQ(r.Double(param::kTimeZone), -3.25);
}

}  // namespace
}  // namespace varomintel
