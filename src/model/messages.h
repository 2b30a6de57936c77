#pragma once

#include <string>
#include <vector>

namespace vantrels {

// Where every message box text goes: the desktop program shows a message box with one OK
// button, the command line prints to stderr, tests record. A failure that ends an operation
// travels in its Result (model/result.h) and is shown here once by whoever ends the command;
// a message after which the work goes on (a row stored in part, a page that could not be laid
// out) is shown here at once.
class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Show(const std::string& text) = 0;
};

// Keeps every message in order; used by tests, the fuzz target and the benchmarks.
class RecordingMessages : public Messages {
 public:
  void Show(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

}  // namespace vantrels
