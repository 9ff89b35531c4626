#include "app/parameter_file.h"

#include "text/whole_file.h"

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace varomintel {

std::int32_t ParameterRecord::Int(param::Int32Field field) const {
  const std::size_t o = field.offset();
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | bytes_[o + static_cast<std::size_t>(i)];
  return std::bit_cast<std::int32_t>(v);
}

void ParameterRecord::SetInt(param::Int32Field field, std::int32_t value) {
  const std::size_t o = field.offset();
  auto v = std::bit_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i, v >>= 8) bytes_[o + i] = static_cast<unsigned char>(v & 0xFF);
}

double ParameterRecord::Double(param::DoubleField field) const {
  const std::size_t o = field.offset();
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | bytes_[o + static_cast<std::size_t>(i)];
  return std::bit_cast<double>(v);
}

void ParameterRecord::SetDouble(param::DoubleField field, double value) {
  const std::size_t o = field.offset();
  auto v = std::bit_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < 8; ++i, v >>= 8) bytes_[o + i] = static_cast<unsigned char>(v & 0xFF);
}

std::string ParameterRecord::ReadText(std::size_t o, std::size_t capacity) const {
  const std::size_t length = std::min<std::size_t>(bytes_[o], capacity);
  return std::string(reinterpret_cast<const char*>(&bytes_[o + 1]), length);
}

void ParameterRecord::WriteText(std::size_t o, std::size_t capacity, const std::string& text) {
  std::size_t length = std::min(text.size(), capacity);
  // Never end inside a UTF-8 sequence: step back over continuation bytes.
  if (length < text.size())
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  bytes_[o] = static_cast<unsigned char>(length);
  std::memcpy(&bytes_[o + 1], text.data(), length);
}

ParameterRecord DefaultParameterRecord(const std::string& programVersion) {
  using namespace param;
  ParameterRecord r;
  r.SetShortString(kVersion, programVersion);
  r.SetByte(kMainState, 0);
  r.SetInt(kMainTop, 169);
  r.SetInt(kMainLeft, 232);
  r.SetByte(kLanguage, 0);
  r.SetInt(kReserved27, 0);
  r.SetInt(kEclipse, 16690);
  r.SetFlag(kUniversalTime, false);
  r.SetInt(kMap, 0);
  r.SetFlag(kGraticule, true);
  r.SetInt(kReserved41, 2);
  r.SetShortString(kPoiLatitude, "47.5");
  r.SetFlag(kPoiNorth, true);
  r.SetFlag(kPoiSouth, false);
  r.SetShortString(kPoiLongitude, "7.53");
  r.SetFlag(kPoiEast, true);
  r.SetFlag(kPoiWest, false);
  r.SetFlag(kPoiShown, false);
  r.SetInt(kTimeSlider, 6300);
  r.SetInt(kReserved88, 140);
  r.SetInt(kReserved92, 222);
  r.SetInt(kReserved96, 222);
  r.SetDouble(kTimeZone, 0.0);
  r.SetInt(kHistTop, 155);
  r.SetInt(kHistLeft, 0);
  r.SetInt(kHistHeight, 773);
  r.SetInt(kHistWidth, 1222);
  r.SetInt(kListTop, 155);
  r.SetInt(kListLeft, 67);
  r.SetInt(kListHeight, 773);
  r.SetInt(kListWidth, 1222);
  return r;
}

bool VersionMatches(const ParameterRecord& record, const std::string& programVersion) {
  ParameterRecord expected;
  expected.SetShortString(param::kVersion, programVersion);
  const std::size_t at = param::kVersion.offset();
  const std::size_t length = expected.bytes()[at];
  return record.bytes()[at] == length &&
         std::memcmp(&record.bytes()[at + 1], &expected.bytes()[at + 1], length) == 0;
}

namespace {

bool WriteWhole(const std::string& path, const ParameterRecord& record) {
  return WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(record.bytes().data()), kParameterRecordSize));
}

}  // namespace

ParameterStartup LoadParameterFile(const std::string& folder, const std::string& path,
                                   const std::string& programVersion) {
  ParameterStartup s;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);  // a failure shows when the file is written
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    // A folder, a FIFO or a device in its place: never read (a FIFO would block), never written.
    s.record = DefaultParameterRecord(programVersion);
    s.outcome = ParameterStartup::Outcome::NotARegularFile;
    return s;
  }
  if (std::filesystem::exists(status)) {
    std::ifstream in(path, std::ios::binary);
    if (in) in.read(reinterpret_cast<char*>(s.record.bytes().data()), static_cast<std::streamsize>(kParameterRecordSize));
    // A file that cannot be read leaves the record zero: it counts as another version.
    if (VersionMatches(s.record, programVersion)) {
      s.outcome = ParameterStartup::Outcome::Loaded;
    } else {
      s.outcome = ParameterStartup::Outcome::OtherVersion;
      s.storedVersion = s.record.ShortString(param::kVersion);
    }
    return s;
  }
  s.record = DefaultParameterRecord(programVersion);
  s.outcome = WriteWhole(path, s.record) ? ParameterStartup::Outcome::Created : ParameterStartup::Outcome::NotWritten;
  return s;
}

std::string IncompatibleParameterCaption() { return "Incompatible parameter file found"; }

std::string IncompatibleParameterText(const std::string& storedVersion) {
  return "The file from version " + storedVersion + " is now deleted.\n\rPlease restart the program Varomintel.";
}

std::string UndeletableParameterText(const std::string& path, const std::string& storedVersion,
                                     const std::string& reason) {
  return "The settings file " + path + " is from version " + storedVersion + " and cannot be deleted: " + reason +
         ".\n\nVaromintel starts with its default settings and does not store them.";
}

std::string IrregularParameterText(const std::string& path) {
  return "The settings file " + path +
         " is not a regular file.\n\nVaromintel starts with its default settings and does not store them.";
}

bool SaveParameterFile(const std::string& path, const ParameterRecord& record) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return false;  // deleted during the run: not recreated
  return WriteWhole(path, record);
}

}  // namespace varomintel
