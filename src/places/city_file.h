// The city file: the program's gazetteer, one place per line, fields separated by one
// tab: name, population, latitude x 100 (north positive), longitude x 100 (east
// positive), country (the whole rest of the line). UTF-8, no header, never written by
// the program.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "places/place.h"

namespace varomintel {

inline constexpr const char* kCityFileGerman = "Top191744_DE.txt";
inline constexpr const char* kCityFileEnglish = "Top191744_EN.txt";
// The places of the shipped city files come from GeoNames; their licence asks for this credit.
inline constexpr const char* kCityFileCredit = "GeoNames (geonames.org), CC BY 4.0";

// programDir (ending in "/") + the file of the language: German for 0, English for 1,
// 2 and 3 (there is no French or Spanish file).
std::string CityFileName(const std::string& programDir, std::uint8_t languageIndex);

// A number field that is not an optional minus sign followed by decimal digits (or is
// out of the 64-bit range), or whose value no place can have: a population below 0 or
// beyond 2^31 - 1, a latitude beyond ±90°, a longitude beyond ±180°.
struct CityLineError {
  std::string fieldText;  // the offending field, as it stands in the line
  std::string reason;     // empty: not a whole number
  // "'abc' is not a valid integer value", "'9001' is not a latitude (hundredths of a
  // degree, -9000 to 9000)"
  std::string Message() const;
};

// Fills City, Population, Latitude, Longitude and Country of `place` from one line
// without its line break; the result fields are left alone. Nothing is trimmed. The
// coordinates are the fields divided by 100 (degrees). A line with fewer than four tabs
// leaves a number field empty, which is an error. On error the City is filled and the
// numbers and Country are left as they were.
std::optional<CityLineError> ParseCityLine(std::string_view line, Place& place);

// The fields of one line as ParseCityLine reads them, the names as views into the line:
// a run that reports few of its places copies only their names.
struct CityLineFields {
  std::string_view city, country;
  std::int32_t population = 0;
  double latitude = 0, longitude = 0;  // degrees
};
// The same error as ParseCityLine for the same line; on error `fields` is left partly
// filled.
std::optional<CityLineError> SplitCityLine(std::string_view line, CityLineFields& fields);

// The checks of ParseCityLine without filling a place: the same error for the same line,
// and the population (as ParseCityLine gives it) of a line without error. For a pass
// over the file that only counts.
std::optional<CityLineError> CheckCityLine(std::string_view line, std::int32_t& population);

// The longest line a city file may have, in bytes; a place needs some dozens.
inline constexpr std::size_t kMaxCityLineBytes = 4096;

// Why reading a city file stopped before its end: a malformed number, a line longer than
// kMaxCityLineBytes (a file without line breaks, say), or a read error (a missing file, a
// folder, FIFO or device given as the file, an I/O error).
struct CityFileFailure {
  enum class Kind { BadNumber, LineTooLong, ReadError };
  Kind kind = Kind::BadNumber;
  long lineNumber = 0;
  CityLineError error;      // BadNumber: the field and the parser's message
  std::string systemError;  // ReadError: what the system said ("Is a directory")
  bool fileMissing = false;  // ReadError: nothing stands at the path
  static CityFileFailure BadNumberAt(long lineNumber, CityLineError error) {
    CityFileFailure f;
    f.lineNumber = lineNumber;
    f.error = std::move(error);
    return f;
  }
  // "line 12: 'abc' is not a valid integer value", "line 3 is too long (more than 4096
  // bytes)", "cannot be read: Is a directory".
  std::string Message() const;
};

// Sequential reader: CR LF, lone LF, lone CR, a final line without line break and a UTF-8
// byte-order mark are accepted. Only a regular file is opened, without waiting (a FIFO in
// the file's place would block for ever); anything else, and a missing file, does not
// open: IsOpen false and Failure() a ReadError with the reason. A line that is too long or
// a read error ends the reading with Failure() set.
class CityFileReader {
 public:
  explicit CityFileReader(const std::string& path);
  ~CityFileReader();
  CityFileReader(const CityFileReader&) = delete;
  CityFileReader& operator=(const CityFileReader&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // The next line without its line break; false at the end of the file or at a failure.
  bool Next(std::string& line);
  // The same as a view into the reader's buffer, valid until the next call.
  bool Next(std::string_view& line);
  // 1-based number of the line last returned.
  long LineNumber() const { return lineNumber_; }
  // Set when the reading stopped before the end of the file.
  const std::optional<CityFileFailure>& Failure() const { return failure_; }
  // Bytes of the file taken by the lines returned so far (for a progress display).
  std::uint64_t BytesConsumed() const { return consumed_ + begin_; }

 private:
  bool Fill();
  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  // Where the buffer's first LF at or after the scanned position is (end_ when there is
  // none before end_), while lfKnown_; searched anew after every Fill.
  std::size_t nextLf_ = 0;
  bool lfKnown_ = false;
  bool eof_ = false;
  long lineNumber_ = 0;
  std::uint64_t consumed_ = 0;  // bytes moved out of the buffer's front
  std::optional<CityFileFailure> failure_;
};

// The countries of the file in file order, one entry per block of lines: field 5 of each
// line (what remains after removing everything up to and including the first tab, four
// times) when it differs from that of the previous line. Never fails on a malformed
// number; a file that does not open, a line too long or a read error ends the list there,
// and `failure`, when given, receives why.
std::vector<std::string> ReadCountries(const std::string& path, std::optional<CityFileFailure>* failure = nullptr);

struct CountryPlacesRead {
  CountryPlaces places;                    // the places read before any failure
  std::optional<CityFileFailure> failure;  // the line that stopped the reading
};

// The places whose Country equals `country` byte for byte, in file order.
CountryPlacesRead ReadCountryPlaces(const std::string& path, std::string_view country);

}  // namespace varomintel
