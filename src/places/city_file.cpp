#include "places/city_file.h"

#include <algorithm>
#include <cstdint>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include "text/regular_file.h"

namespace varomintel {

std::string CityFileName(const std::string& programDir, std::uint8_t languageIndex) {
  return programDir + (languageIndex == 0 ? kCityFileGerman : kCityFileEnglish);
}

std::string CityLineError::Message() const {
  return "'" + fieldText + "' " + (reason.empty() ? std::string("is not a valid integer value") : reason);
}

std::string CityFileFailure::Message() const {
  switch (kind) {
    case Kind::BadNumber:
      return "line " + std::to_string(lineNumber) + ": " + error.Message();
    case Kind::LineTooLong:
      return "line " + std::to_string(lineNumber) + " is too long (more than " + std::to_string(kMaxCityLineBytes) +
             " bytes)";
    case Kind::ReadError:
      return "cannot be read: " + systemError;
  }
  return {};
}

namespace {

// An optional minus sign and decimal digits, nothing else, within 64 bits (what
// std::from_chars takes when it consumes the whole field; leading zeros are fine). By hand:
// a run reads three of them per place.
std::optional<std::int64_t> ParseField(std::string_view s) {
  const bool negative = !s.empty() && s.front() == '-';
  std::size_t i = negative ? 1 : 0;
  if (i == s.size()) return std::nullopt;
  constexpr std::uint64_t kMax = std::uint64_t{1} << 63;  // the magnitude of the least int64
  std::uint64_t v = 0;
  for (; i < s.size(); ++i) {
    const auto digit = static_cast<unsigned>(static_cast<unsigned char>(s[i])) - '0';
    if (digit > 9 || v > (kMax - digit) / 10) return std::nullopt;
    v = v * 10 + digit;
  }
  if (!negative && v == kMax) return std::nullopt;
  return negative ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
}

// Splits off the text before the first tab and removes it with the tab from s; with no
// tab the field is empty and s stays as it is.
std::string_view SplitField(std::string_view& s) {
  const std::size_t tab = s.find('\t');
  if (tab == std::string_view::npos) return {};
  const std::string_view field = s.substr(0, tab);
  s.remove_prefix(tab + 1);
  return field;
}

// The three number fields (population, latitude and longitude in hundredths of a degree)
// as whole numbers in their ranges: a population of 0 to 2^31 - 1 (the record's 32 bits
// hold no more, and no place has fewer than nobody), a latitude of -90° to 90°, a longitude
// of -180° to 180°. Anything beyond is a typing error in the file, not a place.
struct CityNumbers {
  std::int32_t population = 0;
  double latitude = 0, longitude = 0;  // degrees
};

std::optional<CityLineError> ReadNumbers(const std::string_view (&fields)[3], CityNumbers& numbers) {
  static constexpr struct {
    std::int64_t least, most;
    const char* reason;
  } kRanges[3] = {
      {0, INT32_MAX, "is not a population (0 to 2147483647)"},
      {-9000, 9000, "is not a latitude (hundredths of a degree, -9000 to 9000)"},
      {-18000, 18000, "is not a longitude (hundredths of a degree, -18000 to 18000)"},
  };
  std::int64_t values[3];
  for (int i = 0; i < 3; ++i) {
    const auto v = ParseField(fields[i]);
    if (!v) return CityLineError{std::string(fields[i]), {}};
    if (*v < kRanges[i].least || *v > kRanges[i].most) return CityLineError{std::string(fields[i]), kRanges[i].reason};
    values[i] = *v;
  }
  numbers.population = static_cast<std::int32_t>(values[0]);
  numbers.latitude = static_cast<double>(values[1]) / 100.0;
  numbers.longitude = static_cast<double>(values[2]) / 100.0;
  return std::nullopt;
}

}  // namespace

std::optional<CityLineError> ParseCityLine(std::string_view s, Place& place) {
  CityLineFields fields;
  const std::optional<CityLineError> error = SplitCityLine(s, fields);
  place.City.assign(fields.city);  // also on error, as far as the line was read
  if (error) return error;
  place.Population = fields.population;
  place.Latitude = fields.latitude;
  place.Longitude = fields.longitude;
  place.Country.assign(fields.country);
  return std::nullopt;
}

std::optional<CityLineError> SplitCityLine(std::string_view s, CityLineFields& fields) {
  fields.city = SplitField(s);
  std::string_view numberFields[3];
  for (std::string_view& field : numberFields) field = SplitField(s);
  CityNumbers numbers;
  if (auto error = ReadNumbers(numberFields, numbers)) return error;
  fields.population = numbers.population;
  fields.latitude = numbers.latitude;
  fields.longitude = numbers.longitude;
  fields.country = s;
  return std::nullopt;
}

std::optional<CityLineError> CheckCityLine(std::string_view s, std::int32_t& population) {
  SplitField(s);
  std::string_view fields[3];
  for (std::string_view& field : fields) field = SplitField(s);
  CityNumbers numbers;
  if (auto error = ReadNumbers(fields, numbers)) return error;
  population = numbers.population;
  return std::nullopt;
}

CityFileReader::CityFileReader(const std::string& path) : buffer_(1 << 16) {
  RegularFileOpen refusal;
  file_ = OpenRegularFileStream(path, &refusal);
  if (!file_) {
    CityFileFailure f;
    f.kind = CityFileFailure::Kind::ReadError;
    f.systemError = std::move(refusal.reason);
    f.fileMissing = refusal.missing;
    failure_ = std::move(f);
  }
}

CityFileReader::~CityFileReader() {
  if (file_) std::fclose(file_);
}

bool CityFileReader::Fill() {
  if (eof_ || !file_ || failure_) return false;
  if (begin_ > 0) {  // keep the unfinished line at the front
    consumed_ += begin_;
    std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(begin_), buffer_.begin() + static_cast<std::ptrdiff_t>(end_),
              buffer_.begin());
    end_ -= begin_;
    begin_ = 0;
  }
  lfKnown_ = false;  // the bytes move and more come
  // The buffer holds far more than the longest line: it never has to grow.
  const std::size_t n = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
  if (n == 0) {
    eof_ = true;
    if (std::ferror(file_)) {
      CityFileFailure f;
      f.kind = CityFileFailure::Kind::ReadError;
      f.lineNumber = lineNumber_ + 1;
      f.systemError = std::strerror(errno);
      failure_ = std::move(f);
    }
  }
  end_ += n;
  return n > 0;
}

bool CityFileReader::Next(std::string_view& line) {
  if (!file_ || failure_) return false;
  std::size_t scanned = begin_;
  for (;;) {
    // The first CR or LF from `scanned` on: the next LF (found once for the lines before
    // it, so that a file of lone CRs is not searched to the buffer's end for every line),
    // then a CR before it.
    const char* const data = buffer_.data();
    if (!lfKnown_ || nextLf_ < scanned) {
      const void* lf = std::memchr(data + scanned, '\n', end_ - scanned);
      nextLf_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : end_;
      lfKnown_ = true;
    }
    std::size_t pos = nextLf_;
    if (const void* cr = std::memchr(data + scanned, '\r', pos - scanned))
      pos = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
    if (pos - begin_ > kMaxCityLineBytes) {
      CityFileFailure f;
      f.kind = CityFileFailure::Kind::LineTooLong;
      f.lineNumber = lineNumber_ + 1;
      failure_ = std::move(f);
      return false;
    }
    if (pos < end_) {
      // CR LF, LF or CR alone; a CR at the end of the buffer waits for the next byte.
      if (buffer_[pos] == '\r' && pos + 1 == end_ && !eof_) {
        const std::size_t offset = pos - begin_;
        const bool more = Fill();  // moves the unfinished line to the front
        if (failure_) return false;
        pos = begin_ + offset;
        if (more) {
          scanned = pos;
          continue;
        }
      }
      line = std::string_view(buffer_.data() + begin_, pos - begin_);
      std::size_t next = pos + 1;
      if (buffer_[pos] == '\r' && next < end_ && buffer_[next] == '\n') ++next;
      begin_ = next;
      break;
    }
    const std::size_t offset = end_ - begin_;
    if (!Fill()) {
      if (failure_ || begin_ == end_) return false;
      // A last line without line break.
      line = std::string_view(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      break;
    }
    scanned = begin_ + offset;
  }
  if (++lineNumber_ == 1 && line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.remove_prefix(3);
  return true;
}

bool CityFileReader::Next(std::string& line) {
  std::string_view view;
  if (!Next(view)) return false;
  line.assign(view);
  return true;
}

std::vector<std::string> ReadCountries(const std::string& path, std::optional<CityFileFailure>* failure) {
  std::vector<std::string> countries;
  CityFileReader reader(path);
  std::string line;
  std::string previous;
  while (reader.Next(line)) {
    std::string_view s = line;
    for (int i = 0; i < 4; ++i) {
      const std::size_t tab = s.find('\t');
      if (tab != std::string_view::npos) s.remove_prefix(tab + 1);
    }
    if (s != previous) {
      previous.assign(s);
      countries.push_back(previous);
    }
  }
  if (failure) *failure = reader.Failure();
  return countries;
}

CountryPlacesRead ReadCountryPlaces(const std::string& path, std::string_view country) {
  CountryPlacesRead result;
  CityFileReader reader(path);
  std::string line;
  Place place;
  while (reader.Next(line)) {
    if (auto error = ParseCityLine(line, place)) {
      result.failure = CityFileFailure::BadNumberAt(reader.LineNumber(), std::move(*error));
      break;
    }
    if (place.Country == country) result.places.push_back(place);
  }
  if (!result.failure) result.failure = reader.Failure();
  return result;
}

}  // namespace varomintel
