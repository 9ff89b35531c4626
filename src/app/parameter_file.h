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

// The fields of the record. Each field is a value of its own type, which holds its offset
// and, by the type, its size (a short string: its capacity too), so that an accessor can
// neither take a capacity apart from its offset nor read an integer out of a text. The
// fields are made at compile time only, and one that would reach past the record's end
// does not compile.
namespace param {

template <typename Kind, std::size_t Size>
class Field {
 public:
  static constexpr std::size_t kSize = Size;
  consteval explicit Field(std::size_t offset) : offset_(offset) {
    if (offset > kParameterRecordSize || Size > kParameterRecordSize - offset)
      throw "a field of the parameter record reaches past its 242 bytes";
  }
  constexpr std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

struct Int32Kind {};   // little-endian, two's complement
struct ByteKind {};    // a number 0..255 (window state, language)
struct FlagKind {};    // 0 false, anything else true
struct DoubleKind {};  // IEEE 754 binary64, little-endian
struct TextKind {};    // a length byte, then at most the capacity in bytes of UTF-8

using Int32Field = Field<Int32Kind, 4>;
using ByteField = Field<ByteKind, 1>;
using FlagField = Field<FlagKind, 1>;
using DoubleField = Field<DoubleKind, 8>;
template <std::size_t Capacity>
using TextField = Field<TextKind, 1 + Capacity>;

inline constexpr TextField<16> kVersion{0};
inline constexpr ByteField kMainState{17};        // window state: 0 normal, 1 minimised, 2 maximised
inline constexpr Int32Field kMainTop{18};
inline constexpr Int32Field kMainLeft{22};
inline constexpr ByteField kLanguage{26};         // 0 German, 1 English, 2 French, 3 Spanish
inline constexpr Int32Field kReserved27{27};      // always 0
inline constexpr Int32Field kEclipse{31};         // catalogue position
inline constexpr FlagField kUniversalTime{35};    // times in UT with Delta T
inline constexpr Int32Field kMap{36};             // map picture index 0..3
inline constexpr FlagField kGraticule{40};
inline constexpr Int32Field kReserved41{41};      // kept as loaded
inline constexpr TextField<16> kPoiLatitude{45};
inline constexpr FlagField kPoiNorth{62};
inline constexpr FlagField kPoiSouth{63};
inline constexpr TextField<16> kPoiLongitude{64};
inline constexpr FlagField kPoiEast{81};
inline constexpr FlagField kPoiWest{82};
inline constexpr FlagField kPoiShown{83};
inline constexpr Int32Field kTimeSlider{84};      // 0..14400
inline constexpr Int32Field kReserved88{88};      // kept as loaded
inline constexpr Int32Field kReserved92{92};      // kept as loaded
inline constexpr Int32Field kReserved96{96};      // kept as loaded
inline constexpr DoubleField kTimeZone{100};      // hours
inline constexpr Int32Field kHistTop{108};        // the city-history window
inline constexpr Int32Field kHistLeft{112};
inline constexpr Int32Field kHistHeight{116};
inline constexpr Int32Field kHistWidth{120};
inline constexpr ByteField kHistState{124};       // window state
inline constexpr TextField<32> kHistPlace{125};
inline constexpr TextField<16> kHistLatitude{158};
inline constexpr FlagField kHistNorth{175};
inline constexpr FlagField kHistSouth{176};
inline constexpr TextField<16> kHistLongitude{177};
inline constexpr FlagField kHistWest{194};
inline constexpr FlagField kHistEast{195};
inline constexpr TextField<16> kHistHeightText{196};
inline constexpr Int32Field kHistFromItem{213};
inline constexpr Int32Field kHistToItem{217};
inline constexpr Int32Field kListTop{221};        // the city-list window
inline constexpr Int32Field kListLeft{225};
inline constexpr Int32Field kListHeight{229};
inline constexpr Int32Field kListWidth{233};
inline constexpr ByteField kListState{237};       // window state
inline constexpr Int32Field kListPopulation{238}; // -1 without selection

// Every field in the order of its offset: each begins where the one before it ends, and
// the last ends at byte 242. A field added, moved or resized without the others fails
// the static_assert below.
struct Span {
  std::size_t offset, size;
};
template <typename Kind, std::size_t Size>
constexpr Span SpanOf(Field<Kind, Size> field) {
  return {field.offset(), Size};
}
inline constexpr Span kLayout[] = {
    SpanOf(kVersion),      SpanOf(kMainState),     SpanOf(kMainTop),       SpanOf(kMainLeft),
    SpanOf(kLanguage),     SpanOf(kReserved27),    SpanOf(kEclipse),       SpanOf(kUniversalTime),
    SpanOf(kMap),          SpanOf(kGraticule),     SpanOf(kReserved41),    SpanOf(kPoiLatitude),
    SpanOf(kPoiNorth),     SpanOf(kPoiSouth),      SpanOf(kPoiLongitude),  SpanOf(kPoiEast),
    SpanOf(kPoiWest),      SpanOf(kPoiShown),      SpanOf(kTimeSlider),    SpanOf(kReserved88),
    SpanOf(kReserved92),   SpanOf(kReserved96),    SpanOf(kTimeZone),      SpanOf(kHistTop),
    SpanOf(kHistLeft),     SpanOf(kHistHeight),    SpanOf(kHistWidth),     SpanOf(kHistState),
    SpanOf(kHistPlace),    SpanOf(kHistLatitude),  SpanOf(kHistNorth),     SpanOf(kHistSouth),
    SpanOf(kHistLongitude), SpanOf(kHistWest),     SpanOf(kHistEast),      SpanOf(kHistHeightText),
    SpanOf(kHistFromItem), SpanOf(kHistToItem),    SpanOf(kListTop),       SpanOf(kListLeft),
    SpanOf(kListHeight),   SpanOf(kListWidth),     SpanOf(kListState),     SpanOf(kListPopulation),
};
constexpr bool FieldsTileTheRecord() {
  std::size_t next = 0;
  for (const Span& span : kLayout) {
    if (span.offset != next) return false;
    next += span.size;
  }
  return next == kParameterRecordSize;
}
static_assert(FieldsTileTheRecord(), "the fields must follow each other without gap or overlap over 242 bytes");

}  // namespace param

class ParameterRecord {
 public:
  using Bytes = std::array<unsigned char, kParameterRecordSize>;

  const Bytes& bytes() const { return bytes_; }
  Bytes& bytes() { return bytes_; }

  std::int32_t Int(param::Int32Field field) const;
  void SetInt(param::Int32Field field, std::int32_t value);
  std::uint8_t Byte(param::ByteField field) const { return bytes_[field.offset()]; }
  void SetByte(param::ByteField field, std::uint8_t value) { bytes_[field.offset()] = value; }
  bool Flag(param::FlagField field) const { return bytes_[field.offset()] != 0; }
  void SetFlag(param::FlagField field, bool value) { bytes_[field.offset()] = value ? 1 : 0; }
  double Double(param::DoubleField field) const;
  void SetDouble(param::DoubleField field, double value);
  // A short string. A length byte beyond the capacity reads as the capacity. Text is
  // stored cut to at most the capacity in bytes, never inside a UTF-8 character; bytes
  // after it keep what they held.
  template <std::size_t Size>
  std::string ShortString(param::Field<param::TextKind, Size> field) const {
    return ReadText(field.offset(), Size - 1);
  }
  template <std::size_t Size>
  void SetShortString(param::Field<param::TextKind, Size> field, const std::string& text) {
    WriteText(field.offset(), Size - 1, text);
  }

 private:
  // The one place that turns a field into bytes: `capacity` bytes after the length byte
  // at `offset`, within the record (the field types guarantee it).
  std::string ReadText(std::size_t offset, std::size_t capacity) const;
  void WriteText(std::size_t offset, std::size_t capacity, const std::string& text);

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
