#pragma once

#include <string>
#include <vector>

namespace vantrels {

// Where every message box text goes: the desktop program shows a message box with one OK
// button, the command line prints to stderr, tests record.
class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Show(const std::string& text) = 0;
  // The divided import's wrong-side stop. The caller returns at once after this; the owner of
  // the sink ends the process (the GUI quits, the command line exits with status 3).
  virtual void EndProgram() = 0;
};

// Keeps every message in order; used by tests, the fuzz target and the benchmarks.
class RecordingMessages : public Messages {
 public:
  void Show(const std::string& text) override { shown.push_back(text); }
  void EndProgram() override { ended = true; }
  std::vector<std::string> shown;
  bool ended = false;
};

}  // namespace vantrels
