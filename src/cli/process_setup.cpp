#include "cli/process_setup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <new>

#include "model/output_file.h"

namespace vantrels {

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

int RunBookCommand(const std::function<int()>& run) {
  try {
    return run();
  } catch (const std::bad_alloc&) {
    // What was allocated is free again; the message itself needs no memory.
    static const char kMessage[] = "vantrels-book: out of memory\n";
    (void)!::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    return 1;
  }
}

void PrepareBookProcess() {
  HoldClosedStandardDescriptors();
  RemoveTemporaryOutputsOnSignals();
  std::ios::sync_with_stdio(false);
}

}  // namespace vantrels
