#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
  // A standard stream that was closed (">&-") is taken by /dev/null opened for reading, so
  // that no file the program opens later gets its number and receives the output, and a
  // write to it fails (and is reported) instead of vanishing.
  for (int fd = 0; fd <= 2; ++fd)
    if (fcntl(fd, F_GETFD) == -1) {
      const int null = open("/dev/null", O_RDONLY);
      if (null >= 0 && null != fd) {
        dup2(null, fd);
        close(null);
      }
    }
  // A reader that has gone (`| head`) ends the program at its next write, quietly, by
  // SIGPIPE, as it ends cat and grep: the output is no longer wanted, which is no error
  // to report. Also when the caller left SIGPIPE ignored, so that the program neither
  // computes on for nobody nor reports a failure where nothing failed. A full disk or a
  // closed output still ends with a line and status 3 (RunCli).
  std::signal(SIGPIPE, SIG_DFL);
  // A write beyond the file size limit (ulimit -f) fails with EFBIG and is reported (status
  // 3), instead of SIGXFSZ ending the program without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  std::ios::sync_with_stdio(false);
  return varomintel::RunCli(argc, argv, std::cout, std::cerr);
}
