// vantrels-book run in-process for the tests: its exit status and what it wrote to both streams.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/book_render.h"

namespace vantrels {

// What follows the reason of every usage error.
inline const std::string kTryHelp = "Try 'vantrels-book --help' for more information.\n";

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

// The page labels of a text book in order, e.g. "Page No.:2 of 3".
inline std::vector<std::string> Labels(const std::string& text) {
  std::vector<std::string> labels;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const auto at = line.find("Page No.:");
    if (at != std::string::npos) labels.push_back(line.substr(line.rfind(' ', at) + 1));
  }
  return labels;
}

}  // namespace vantrels
