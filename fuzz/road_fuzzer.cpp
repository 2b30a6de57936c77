// Feeds arbitrary bytes through the whole headless road: classification, both imports, the
// grade computations, page counting and the drawing of every page on a text printer. The
// first byte chooses the page size and an optional valid header (DecodeFuzzInput), so the
// fuzzer reaches the imports without first having to find the header.

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/store.h"
#include "reliability/book_run.h"

namespace {

std::string& InputPath() {
  static std::string path;
  return path;
}

void RemoveInput() {
  if (!InputPath().empty()) ::unlink(InputPath().c_str());
}

void WriteInput(const std::string& bytes) {
  const int fd = ::open(InputPath().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) std::abort();
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) std::abort();
    written += static_cast<size_t>(n);
  }
  ::close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* dir = std::getenv("TMPDIR");
  std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/vantrels-fuzz-XXXXXX.csv";
  const int fd = ::mkstemps(pattern.data(), 4);
  if (fd < 0) std::abort();
  ::close(fd);
  InputPath() = pattern;
  std::atexit(RemoveInput);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const vantrels::reliability::FuzzInput input = vantrels::reliability::DecodeFuzzInput(
      std::string_view(reinterpret_cast<const char*>(data), size));
  WriteInput(input.file);

  // One store for every input, as the desktop program keeps one for every Preview: creating
  // six arrays of 2001 stations each time would cost more than the road of a small file.
  static vantrels::Store store = [] {
    vantrels::Store fresh;
    vantrels::InitialiseStore(fresh);
    return fresh;
  }();
  const auto run = vantrels::reliability::RunBook(store, InputPath(), input.size);
  const auto violations = vantrels::reliability::Violations(store, run);
  if (!violations.empty()) {
    for (const std::string& v : violations) {
      std::fprintf(stderr, "invariant broken: %s\n", v.c_str());
    }
    std::abort();
  }
  return 0;
}
