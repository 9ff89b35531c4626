// The output of the two list commands: the saved text (legend and records, CR LF) or the
// on-screen lines under their column header (LF), written as the run finds them, so that
// a long list never sits in memory whole.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace varomintel::cli {

class ListOutput {
 public:
  // Writes the legend (saved text) or the header (screen) at once.
  ListOutput(std::ostream& out, bool screen, const std::vector<std::string>& legend, const std::string& header)
      : out_(out), screen_(screen) {
    if (screen_) {
      out_ << header << '\n';
      return;
    }
    for (const std::string& l : legend) out_ << l << "\r\n";
  }
  // The text of a block: the on-screen lines each ended by '\n', or the records each
  // ended by CR LF.
  void Write(std::string_view text) { out_.write(text.data(), static_cast<std::streamsize>(text.size())); }
  bool Screen() const { return screen_; }
  void Add(const std::string& line, const std::string& record) {
    if (screen_) out_ << line << '\n';
    else out_ << record << "\r\n";
  }

 private:
  std::ostream& out_;
  bool screen_;
};

}  // namespace varomintel::cli
