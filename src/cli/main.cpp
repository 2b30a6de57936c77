#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <string>
#include <vector>

#include "cli/book_render.h"
#include "model/output_file.h"
#ifdef VANTRELS_BOOK_WITH_QT
#include "cli/qt_book_platform.h"
#endif

namespace {

// A standard descriptor the caller closed would be taken by the next file opened (a font, a
// socket), and the book would be written into that. /dev/null opened for reading holds the
// place: every write to it fails with EBADF, which the command reports.
void HoldClosedStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int held = ::open("/dev/null", O_RDONLY);
    if (held >= 0 && held != fd) {
      ::dup2(held, fd);
      ::close(held);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  HoldClosedStandardDescriptors();
  // Ctrl-C during a long book leaves no temporary PDF beside the old one.
  vantrels::RemoveTemporaryOutputsOnSignals();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef VANTRELS_BOOK_WITH_QT
  vantrels::QtBookPlatform platform;
  return vantrels::BookMain(args, std::cout, std::cerr, &platform);
#else
  return vantrels::BookMain(args, std::cout, std::cerr);
#endif
}
