// Runs a program as a script would, in a given folder, and keeps its exit status,
// standard output and standard error.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace varomintel::testing {

struct CliRun {
  int status = -1;
  std::string out, err;
  // Lines split at LF, a CR before it kept.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
  }
};

inline CliRun RunProgram(const std::filesystem::path& cwd, const std::string& program, const std::string& args) {
  // Standard error goes to a file of this run alone: tests run in parallel, often in the
  // same folder (the temporary one).
  static std::atomic<unsigned> runs{0};
  const std::filesystem::path errFile =
      std::filesystem::temp_directory_path() /
      ("varomintel_stderr_" + std::to_string(::getpid()) + "_" + std::to_string(runs++) + ".txt");
  const std::string cmd = "cd '" + cwd.string() + "' && '" + program + "' " + args + " 2>'" + errFile.string() + "'";
  CliRun r;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  for (std::size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) r.out.append(buf.data(), n);
  const int raw = pclose(p);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream e(errFile);
  r.err.assign(std::istreambuf_iterator<char>(e), {});
  std::filesystem::remove(errFile);
  return r;
}

}  // namespace varomintel::testing
