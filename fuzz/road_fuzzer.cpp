// Feeds arbitrary bytes through the whole headless road: classification, both imports, the
// grade computations, page counting and the printing of every page on a text printer. The
// first byte chooses the page size and an optional valid header (DecodeFuzzInput), so the
// fuzzer reaches the imports without first having to find the header.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "book/road.h"
#include "reliability/book_run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const vantrels::reliability::FuzzInput input = vantrels::reliability::DecodeFuzzInput(
      std::string_view(reinterpret_cast<const char*>(data), size));

  // What one input leaves for the next, as the desktop program keeps it from one Preview to the
  // next.
  static vantrels::RoadMemory memory;
  const auto run = vantrels::reliability::RunBookOnBytes(memory, input.file, input.size);
  const auto violations = vantrels::reliability::Violations(run);
  if (!violations.empty()) {
    for (const std::string& v : violations) {
      std::fprintf(stderr, "invariant broken: %s\n", v.c_str());
    }
    std::abort();
  }
  return 0;
}
