#include "cli/process_setup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>

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

void PrepareBookProcess() {
  HoldClosedStandardDescriptors();
  RemoveTemporaryOutputsOnSignals();
  // A write past the file size limit (ulimit -f) then fails with EFBIG, which is reported and
  // the temporary file removed, instead of ending the process without a word.
  ::signal(SIGXFSZ, SIG_IGN);
  std::ios::sync_with_stdio(false);
}

}  // namespace vantrels
