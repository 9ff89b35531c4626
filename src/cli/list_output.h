// The output of the two list commands: the saved text (legend and records, CR LF) or the
// on-screen lines under their column header (LF).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "places/list_file.h"

namespace varomintel::cli {

class ListOutput {
 public:
  ListOutput(bool screen, std::vector<std::string> legend, const std::string& header) : screen_(screen) {
    if (screen_) lines_.push_back(header);
    else lines_ = std::move(legend);
  }
  void Add(const std::string& line, const std::string& record) { lines_.push_back(screen_ ? line : record); }
  void Write(std::ostream& out) const {
    if (!screen_) {
      out << JoinCrLf(lines_);
      return;
    }
    for (const std::string& l : lines_) out << l << '\n';
  }

 private:
  bool screen_;
  std::vector<std::string> lines_;
};

}  // namespace varomintel::cli
