#include <fcntl.h>
#include <unistd.h>

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
  std::ios::sync_with_stdio(false);
  return varomintel::RunCli(argc, argv, std::cout, std::cerr);
}
