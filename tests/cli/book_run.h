// vantrels-book run in-process for the tests: its exit status and what it wrote to both streams.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/book_render.h"

namespace vantrels {

struct BookRun {
  int status;
  std::string out;
  std::string err;
};

// Without a platform, PDF files and printers are refused as in a build without Qt.
inline BookRun RunBook(const std::vector<std::string>& args, PrintPlatform* platform = nullptr) {
  std::ostringstream out, err;
  const int status = BookMain(args, out, err, platform);
  return {status, out.str(), err.str()};
}

}  // namespace vantrels
