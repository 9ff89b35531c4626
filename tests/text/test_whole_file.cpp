#include "text/whole_file.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>

namespace varomintel {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// Every entry of a folder: a file with its bytes, a link with "-> " and where it points.
std::map<std::string, std::string> Listing(const fs::path& dir) {
  std::map<std::string, std::string> entries;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (e.is_symlink())
      entries[name] = "-> " + fs::read_symlink(e.path()).string();
    else if (e.is_directory())
      entries[name] = "<folder>";
    else
      entries[name] = Read(e.path());
  }
  return entries;
}

class WholeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_whole_file_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "work");
    fs::create_directories(dir_ / "victims");
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path Work(const std::string& name) const { return dir_ / "work" / name; }
  fs::path Victim(const std::string& name) const { return dir_ / "victims" / name; }
  fs::path dir_;
};

// Links planted at every name that a writer might use for its temporary file, and files
// of the user's own under such names: the write replaces the target and nothing else.
TEST_F(WholeFile, NoOtherFileOfTheFolderIsOpenedReplacedOrRemoved) {
  const char* neighbours[] = {"out.png.part", "out.png.tmp", "out.png~", ".out.png.part", ".out.png.swp",
                              "out.png.new",  ".out.png",    "out.part", ".varomintel-", "#out.png#"};
  Put(Victim("secret"), "the victim's bytes");
  ::chmod(Victim("secret").c_str(), 0600);
  for (const std::string name : neighbours) {
    // A link to an existing file, a dangling link to a file that must not appear, and (in
    // a second run) a file of the user's own.
    fs::remove_all(dir_ / "work");
    fs::create_directories(dir_ / "work");
    fs::create_symlink(Victim("secret"), Work(name));
    fs::create_symlink(Victim("absent-" + name), Work(name + "-dangling"));
    Put(Work("keep-" + name), "mine");
    for (const bool replace : {false, true}) {
      if (replace) Put(Work("out.png"), "old picture");
      auto expected = Listing(dir_ / "work");
      std::string error;
      ASSERT_TRUE(WriteWholeFile(Work("out.png").string(), "new picture", &error)) << name << ": " << error;
      expected["out.png"] = "new picture";
      EXPECT_EQ(Listing(dir_ / "work"), expected) << name;
      EXPECT_EQ(Read(Victim("secret")), "the victim's bytes") << name;
      EXPECT_FALSE(fs::exists(fs::symlink_status(Victim("absent-" + name)))) << name;
    }
  }
  EXPECT_EQ(Listing(dir_ / "victims").size(), 1u);
}

// The longest name the system allows (255 bytes) is written like any other; a symbolic
// link is written at its final target and stays a link; permissions: a new file gets
// 0666 less the umask, a replaced one keeps its own.
TEST_F(WholeFile, WritesLongNamesAndThroughLinks) {
  const std::string longName(255, 'n');
  const mode_t mask = ::umask(022);
  ::umask(mask);
  const mode_t fresh = 0666 & ~mask;
  const struct Row {
    const char* what;
    std::function<std::string()> setUp;  // returns the path to write
    std::function<fs::path()> written;   // where the bytes must land
    mode_t mode;                         // expected permissions of the written file
  } rows[] = {
      {"255-byte name", [&] { return Work(longName).string(); }, [&] { return Work(longName); },
       fresh},
      {"replaces an existing 0640 file",
       [&] {
         Put(Work("kept.txt"), "old");
         ::chmod(Work("kept.txt").c_str(), 0640);
         return Work("kept.txt").string();
       },
       [&] { return Work("kept.txt"); }, 0640},
      {"absolute link to a file elsewhere",
       [&] {
         Put(Victim("target.png"), "old");
         fs::create_symlink(Victim("target.png"), Work("abs.png"));
         return Work("abs.png").string();
       },
       [&] { return Victim("target.png"); }, fresh},
      {"relative link through a second link",
       [&] {
         Put(Victim("deep.png"), "old");
         fs::create_symlink("../victims/deep.png", Work("one.png"));
         fs::create_symlink("one.png", Work("two.png"));
         return Work("two.png").string();
       },
       [&] { return Victim("deep.png"); }, fresh},
      {"link to a file not yet there",
       [&] {
         fs::create_symlink(Victim("new.png"), Work("new-link.png"));
         return Work("new-link.png").string();
       },
       [&] { return Victim("new.png"); }, fresh},
  };
  for (const Row& row : rows) {
    const std::string path = row.setUp();
    const auto linksBefore = Listing(dir_ / "work");
    std::string error;
    ASSERT_TRUE(WriteWholeFile(path, std::string("bytes of ") + row.what, &error)) << row.what << ": " << error;
    EXPECT_EQ(Read(row.written()), std::string("bytes of ") + row.what) << row.what;
    struct stat st {};
    ASSERT_EQ(::stat(row.written().c_str(), &st), 0) << row.what;
    EXPECT_EQ(st.st_mode & 07777, row.mode) << row.what;
    // The links are still links to the same place, and nothing was added beside them.
    for (const auto& [name, entry] : linksBefore)
      if (entry.rfind("-> ", 0) == 0) {
        EXPECT_TRUE(fs::is_symlink(Work(name))) << row.what << ": " << name;
      }
    for (const auto& [name, entry] : Listing(dir_ / "work"))
      EXPECT_TRUE(linksBefore.count(name) || name == path.substr(path.rfind('/') + 1)) << row.what << ": " << name;
  }
}

// A write that fails, early or halfway (the file size limit of the process stands in for
// a full disk), leaves the folder exactly as it was: the old file, no temporary file, and
// an error line naming the file and the system's reason.
TEST_F(WholeFile, AFailedWriteLeavesTheFolderAsItWas) {
  const std::string big(64 * 1024, 'x');
  const struct Row {
    const char* what;
    std::function<void()> setUp;
    const char* name;
    const char* reason;
    rlim_t sizeLimit;  // RLIM_INFINITY: none
  } rows[] = {
      {"full halfway", [&] { Put(Work("map.png"), "old map"); }, "map.png", "File too large", 4096},
      {"full at once", [] {}, "fresh.png", "File too large", 0},
      {"a folder", [&] { fs::create_directories(Work("folder.png")); }, "folder.png", "it is a folder", RLIM_INFINITY},
      {"read-only",
       [&] {
         Put(Work("ro.png"), "old");
         ::chmod(Work("ro.png").c_str(), 0444);
       },
       "ro.png", "it is read-only", RLIM_INFINITY},
      {"a device", [&] { fs::create_symlink("/dev/full", Work("dev.png")); }, "dev.png", "it is not a regular file",
       RLIM_INFINITY},
      {"no such folder", [] {}, "missing/x.png", "No such file or directory", RLIM_INFINITY},
      {"a link loop", [&] { fs::create_symlink("loop.png", Work("loop.png")); }, "loop.png",
       "Too many levels of symbolic links", RLIM_INFINITY},
  };
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
  rlimit unlimited {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &unlimited), 0);
  for (const Row& row : rows) {
    row.setUp();
    const auto before = Listing(dir_ / "work");
    rlimit limited = unlimited;
    limited.rlim_cur = row.sizeLimit;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string error;
    const bool ok = WriteWholeFile(Work(row.name).string(), big, &error);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &unlimited), 0);
    EXPECT_FALSE(ok) << row.what;
    EXPECT_EQ(error, "cannot write '" + Work(row.name).string() + "': " + row.reason) << row.what;
    EXPECT_EQ(Listing(dir_ / "work"), before) << row.what;
  }
  std::signal(SIGXFSZ, oldHandler);
}

}  // namespace
}  // namespace varomintel
