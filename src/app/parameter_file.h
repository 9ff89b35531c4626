// The parameter file: the user's settings as one packed 242-byte record, stored byte for
// byte as "Varomintel.ini" in the program's folder under the per-user configuration
// directory. Multi-byte numbers little-endian; short strings hold a length byte and at most
// their capacity in bytes of UTF-8, cut at a character boundary.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace varomintel {

inline constexpr std::size_t kParameterRecordSize = 242;
inline constexpr const char* kParameterFileName = "Varomintel.ini";

// Byte offsets of the fields (capacity of short strings in brackets).
namespace param {
inline constexpr std::size_t kVersion = 0;          // short string [16]
inline constexpr std::size_t kMainState = 17;       // window state: 0 normal, 1 minimised, 2 maximised
inline constexpr std::size_t kMainTop = 18;         // int32
inline constexpr std::size_t kMainLeft = 22;        // int32
inline constexpr std::size_t kLanguage = 26;        // byte: 0 German, 1 English, 2 French
inline constexpr std::size_t kReserved27 = 27;      // int32, always 0
inline constexpr std::size_t kEclipse = 31;         // int32, catalogue position
inline constexpr std::size_t kUniversalTime = 35;   // flag: times in UT with Delta T
inline constexpr std::size_t kMap = 36;             // int32, map picture index 0..3
inline constexpr std::size_t kGraticule = 40;       // flag
inline constexpr std::size_t kReserved41 = 41;      // int32, kept as loaded
inline constexpr std::size_t kPoiLatitude = 45;     // short string [16]
inline constexpr std::size_t kPoiNorth = 62;        // flag
inline constexpr std::size_t kPoiSouth = 63;        // flag
inline constexpr std::size_t kPoiLongitude = 64;    // short string [16]
inline constexpr std::size_t kPoiEast = 81;         // flag
inline constexpr std::size_t kPoiWest = 82;         // flag
inline constexpr std::size_t kPoiShown = 83;        // flag
inline constexpr std::size_t kTimeSlider = 84;      // int32, 0..14400
inline constexpr std::size_t kReserved88 = 88;      // int32, kept as loaded
inline constexpr std::size_t kReserved92 = 92;      // int32, kept as loaded
inline constexpr std::size_t kReserved96 = 96;      // int32, kept as loaded
inline constexpr std::size_t kTimeZone = 100;       // double, hours
inline constexpr std::size_t kHistTop = 108;        // int32 (city-history window)
inline constexpr std::size_t kHistLeft = 112;
inline constexpr std::size_t kHistHeight = 116;
inline constexpr std::size_t kHistWidth = 120;
inline constexpr std::size_t kHistState = 124;      // window state
inline constexpr std::size_t kHistPlace = 125;      // short string [32]
inline constexpr std::size_t kHistLatitude = 158;   // short string [16]
inline constexpr std::size_t kHistNorth = 175;      // flag
inline constexpr std::size_t kHistSouth = 176;      // flag
inline constexpr std::size_t kHistLongitude = 177;  // short string [16]
inline constexpr std::size_t kHistWest = 194;       // flag
inline constexpr std::size_t kHistEast = 195;       // flag
inline constexpr std::size_t kHistHeightText = 196; // short string [16]
inline constexpr std::size_t kHistFromItem = 213;   // int32
inline constexpr std::size_t kHistToItem = 217;     // int32
inline constexpr std::size_t kListTop = 221;        // int32 (city-list window)
inline constexpr std::size_t kListLeft = 225;
inline constexpr std::size_t kListHeight = 229;
inline constexpr std::size_t kListWidth = 233;
inline constexpr std::size_t kListState = 237;      // window state
inline constexpr std::size_t kListPopulation = 238; // int32, -1 without selection
}  // namespace param

class ParameterRecord {
 public:
  using Bytes = std::array<unsigned char, kParameterRecordSize>;

  const Bytes& bytes() const { return bytes_; }
  Bytes& bytes() { return bytes_; }

  std::int32_t Int(std::size_t offset) const;
  void SetInt(std::size_t offset, std::int32_t value);
  std::uint8_t Byte(std::size_t offset) const { return bytes_[offset]; }
  void SetByte(std::size_t offset, std::uint8_t value) { bytes_[offset] = value; }
  bool Flag(std::size_t offset) const { return bytes_[offset] != 0; }
  void SetFlag(std::size_t offset, bool value) { bytes_[offset] = value ? 1 : 0; }
  double Double(std::size_t offset) const;
  void SetDouble(std::size_t offset, double value);
  // A short string of the given capacity (16 or 32). A length byte beyond the capacity
  // reads as the capacity. Text is stored cut to at most `capacity` bytes, never inside a
  // UTF-8 character; bytes after it keep what they held.
  std::string ShortString(std::size_t offset, std::size_t capacity) const;
  void SetShortString(std::size_t offset, std::size_t capacity, const std::string& text);

 private:
  Bytes bytes_{};
};

// A new record: every byte zero but the version and the defaults of a first start.
ParameterRecord DefaultParameterRecord(const std::string& programVersion);

// The stored version equals the program's: same length byte, same characters.
bool VersionMatches(const ParameterRecord& record, const std::string& programVersion);

struct ParameterStartup {
  enum class Outcome {
    Loaded,        // the file of this version was read
    Created,       // there was none: a default file was written
    NotWritten,    // there was none and it could not be written (defaults in memory)
    OtherVersion,  // written by another version (or unreadable): report, delete, end
    NotARegularFile,  // a folder, FIFO or device in its place: defaults, never written
  };
  Outcome outcome = Outcome::Loaded;
  ParameterRecord record;
  std::string storedVersion;  // OtherVersion: the version text found in the file
};

// Given the folder (created with its parents when missing), the file path and the
// program's version. A file shorter than 242 bytes fills only its length.
ParameterStartup LoadParameterFile(const std::string& folder, const std::string& path,
                                   const std::string& programVersion);

// The message of a file from another version, as caption and text.
std::string IncompatibleParameterCaption();
std::string IncompatibleParameterText(const std::string& storedVersion);
// The file of another version could not be deleted, and why; the program goes on with
// its defaults.
std::string UndeletableParameterText(const std::string& path, const std::string& storedVersion,
                                     const std::string& reason);
// Something that is not a regular file stands at the file's path.
std::string IrregularParameterText(const std::string& path);

// Rewrites the file with the record, only when it exists. Written whole or not at all
// (WriteWholeFile): a read-only file stays as it is, the file keeps its permissions and a
// link is written through to its target. Returns true when the file was written.
bool SaveParameterFile(const std::string& path, const ParameterRecord& record);

}  // namespace varomintel
