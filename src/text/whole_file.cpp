#include "text/whole_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace varomintel {

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(temp.c_str());
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace varomintel
