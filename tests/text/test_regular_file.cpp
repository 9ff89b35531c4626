#include "text/regular_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace varomintel {
namespace {

namespace fs = std::filesystem;

// Only a regular file (or a link to one) opens; a FIFO without a writer, a device and a
// folder are refused at once, with the reason, and the open never waits.
TEST(RegularFile, OpensOnlyRegularFilesAndNeverWaits) {
  const fs::path dir = fs::temp_directory_path() / ("varomintel_regular_" + std::to_string(::getpid()));
  fs::create_directories(dir / "folder");
  std::ofstream(dir / "plain.txt", std::ios::binary) << "Basel\t170000\n";
  fs::create_symlink("plain.txt", dir / "link.txt");
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  const struct {
    std::string path;
    bool opens;
    bool missing;
    const char* reason;
  } rows[] = {
      {(dir / "plain.txt").string(), true, false, ""},
      {(dir / "link.txt").string(), true, false, ""},
      {(dir / "none.txt").string(), false, true, "No such file or directory"},
      {(dir / "folder").string(), false, false, "Is a directory"},
      {(dir / "fifo").string(), false, false, "it is not a regular file (a FIFO)"},
      {"/dev/null", false, false, "it is not a regular file (a character device)"},
  };
  for (const auto& row : rows) {
    RegularFileOpen refusal;
    refusal.reason = "untouched";
    std::FILE* f = OpenRegularFileStream(row.path, &refusal);
    ASSERT_EQ(f != nullptr, row.opens) << row.path;
    if (!f) {
      EXPECT_EQ(refusal.fd, -1) << row.path;
      EXPECT_EQ(refusal.missing, row.missing) << row.path;
      EXPECT_EQ(refusal.reason, row.reason) << row.path;
      continue;
    }
    // Blocking reads again, closed across exec, and the file's bytes.
    const int fd = ::fileno(f);
    EXPECT_EQ(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0) << row.path;
    EXPECT_NE(::fcntl(fd, F_GETFD) & FD_CLOEXEC, 0) << row.path;
    char buf[32] = {};
    EXPECT_EQ(std::fread(buf, 1, sizeof buf, f), 13u) << row.path;
    EXPECT_EQ(std::string(buf, 5), "Basel");
    std::fclose(f);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace varomintel
