#include "places/list_file.h"

#include "text/whole_file.h"

namespace varomintel {

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& l : lines) size += l.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& l : lines) {
    text += l;
    text += "\r\n";
  }
  return text;
}

bool WriteListFile(const std::string& path, const std::vector<std::string>& lines, std::string* error) {
  return WriteWholeFile(path, JoinCrLf(lines), error);
}

}  // namespace varomintel
