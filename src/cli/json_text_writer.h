// A JSON value written straight into a string, laid out byte for byte as
// nlohmann::json's dump(2, ' ', false, error_handler_t::replace) lays out the same value
// at the same depth: for the items of a long list, made on worker threads, without a
// json object (and its allocations) per item.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace varomintel::cli {

// A quoted JSON string of UTF-8 text: '"', '\\' and the control characters escaped
// (\b \t \n \f \r, otherwise \u00xx), everything else as it is; text that is not
// well-formed UTF-8 gets U+FFFD for its invalid bytes, as nlohmann's replace handler does.
void AppendJsonString(std::string& out, std::string_view text);

// A number as nlohmann's dump writes it: the shortest digits of its Grisu2 conversion,
// in fixed notation when the decimal point falls within 10^-4 .. 10^15, otherwise as
// d.ddde+XX; always with a '.' or an exponent ("1.0", "-0.0", "1e-05"). Not finite: null.
void AppendJsonNumber(std::string& out, double value);

class JsonTextWriter {
 public:
  // `indent`: the blanks before the line on which the value starts.
  JsonTextWriter(std::string& out, int indent) : out_(out), indent_(indent) {}

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The key of the next member of the open object.
  void Key(std::string_view key);

  void String(std::string_view text);
  void Integer(std::int64_t value);
  void Unsigned(std::uint64_t value);
  void Number(double value);
  void Boolean(bool value);
  void Null();

 private:
  struct Level {
    bool array = false;
    bool empty = true;
  };
  // An array's element: its separator and line; a member's value follows its key.
  void BeforeValue();
  void Open(bool array, char bracket);
  void Close(char bracket);

  std::string& out_;
  int indent_;
  std::array<Level, 32> levels_{};
  std::size_t depth_ = 0;
};

}  // namespace varomintel::cli
