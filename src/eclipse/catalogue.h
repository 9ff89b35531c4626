// The catalogue of lunar eclipses: one fixed-size record of 430 bytes per eclipse, each
// with its date, Saros series and the polynomial Besselian elements of the eclipse.
// No header or trailer; integers little-endian two's complement, reals IEEE 754 binary64
// little-endian, packed without padding.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "eclipse/eclipse_type.h"

namespace varomintel {

inline constexpr std::size_t kRecordSize = 430;
// A catalogue is some megabytes; anything past a gigabyte is not one.
inline constexpr std::uintmax_t kMaxCatalogueBytes = std::uintmax_t{1} << 30;
// The years that the catalogue covers (and that the year entry accepts).
inline constexpr int kFirstYear = -4999;
inline constexpr int kLastYear = 7000;
inline constexpr const char* kCatalogueFileName = "Bessel_Lunar_12ky_VNB_0130_25.858.bin";

// Polynomials in t, hours of TT from T0; coefficients constant term first.
struct Quadratic {
  std::array<double, 3> c{};
};
struct Cubic {
  std::array<double, 4> c{};
};


// One eclipse, fields in file order (byte offsets in the comments).
struct EclipseRecord {
  std::int32_t Year = 0;         // 0: year of T0, astronomical numbering
  std::int32_t Month = 0;        // 4: month of T0, 1..12
  std::int32_t Day = 0;          // 8: day of T0
  EclipseTypeCode EclipseType{};  // 12: type code 1..5
  double Reserved16 = 0;         // 16: carried, not interpreted
  double Gamma = 0;              // 24: Gamma, Earth radii, signed
  double JulianDayTT = 0;        // 32: Julian day (TT) of the eclipse
  std::int32_t Reserved40 = 0;   // 40: carried, not interpreted
  std::int32_t Saros = 0;        // 44: Saros series number
  std::int32_t T0Hour = 0;       // 48: whole TT hour of T0 on Year-Month-Day
  Quadratic Aux0;                // 52: carried, not interpreted
  Quadratic Aux1;                // 76: carried, not interpreted
  Quadratic Aux2;                // 100: carried, not interpreted
  Quadratic MoonRA;              // 124: Moon's right ascension, degrees
  Quadratic MoonDec;             // 148: Moon's declination, degrees
  Quadratic Aux5;                // 172: carried, not interpreted
  Cubic X;                       // 196: x of the Moon's centre from the shadow axis, arcseconds
  Cubic Y;                       // 228: y, arcseconds
  Quadratic D;                   // 260: declination of the shadow axis, degrees
  Quadratic M;                   // 284: Greenwich hour angle of the shadow axis (Delta T = 0), degrees
  Quadratic PenContactRadius;    // 308: f1 + Moon's radius, arcseconds
  Quadratic UmbContactRadius;    // 332: f2 + Moon's radius, arcseconds
  Quadratic TotalityRadius;      // 356: f2 - Moon's radius, arcseconds
  Quadratic F1;                  // 380: radius of the penumbra, arcseconds
  Quadratic F2;                  // 404: radius of the umbra, arcseconds
  std::uint8_t SarosMember = 0;  // 428: ordinal within the Saros series
  std::uint8_t SarosCount = 0;   // 429: eclipses in the series
};

using RecordBytes = std::array<unsigned char, kRecordSize>;

EclipseRecord DecodeRecord(const unsigned char* bytes);
RecordBytes EncodeRecord(const EclipseRecord& record);

// Why a record cannot describe an eclipse (a zero record, a year outside the catalogue's
// range, a type outside 1..5, a month of 13, a NaN coefficient, ...); empty when it is usable.
std::string RecordDefect(const EclipseRecord& record);

// The catalogue in memory, indexed 1..Count() as in the file.
class Catalogue {
 public:
  Catalogue() = default;
  explicit Catalogue(std::vector<EclipseRecord> records) : records_(std::move(records)) {}
  int Count() const { return static_cast<int>(records_.size()); }
  bool Contains(int index) const { return index >= 1 && index <= Count(); }
  // Precondition: Contains(index).
  const EclipseRecord& At(int index) const { return records_[static_cast<std::size_t>(index - 1)]; }
  const std::vector<EclipseRecord>& Records() const { return records_; }

 private:
  std::vector<EclipseRecord> records_;
};

struct CatalogueLoad {
  enum class Status { Ok, Missing, Unreadable, Empty, BadSize, TooLarge, BadRecord };
  Status status = Status::Ok;
  Catalogue catalogue;
  std::string path;
  std::uintmax_t fileSize = 0;
  int badIndex = 0;        // BadRecord: 1-based index of the first unusable record
  std::string badReason;   // BadRecord: what is wrong with it
  std::string systemError; // Unreadable: why, when known ("Too many levels of symbolic links")
  bool ok() const { return status == Status::Ok; }
  // One line in English naming the file and what is wrong, e.g.
  // "catalogue file 'x.bin' has 1000 bytes, not a whole multiple of the record size 430".
  std::string Message() const;
};

// Reads the whole file in one block. The number of records is the file size / 430.
// A missing, unreadable or empty file, a size that is not a whole multiple of 430, or a
// record that cannot describe an eclipse is an error; nothing is then loaded.
CatalogueLoad LoadCatalogue(const std::string& path);

// Writes records as a catalogue file (for tests and the catalogue generator). Returns
// false when the file cannot be written whole.
bool WriteCatalogue(const std::string& path, const std::vector<EclipseRecord>& records);

}  // namespace varomintel
