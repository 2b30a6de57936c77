#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace vantrels {

// SIGTERM, SIGINT and SIGHUP (a kill, Ctrl-C in the terminal, the session ending) for the desktop
// program. Caught from construction on, they end the program as its Close button does once the
// event loop runs, so choices are kept and windows close in order. While an output is being
// written they end it at once, as vantrels-book ends: the temporary file is removed and the
// process ends by the signal. One at a time; the default handling comes back when it goes.
class TerminationSignals {
 public:
  TerminationSignals();
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // Needs the application object: from the event loop on, a signal runs `end_program`, also
  // one that came before.
  void EndProgramWith(std::function<void()> end_program);

 private:
  void Drain();

  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> end_program_;
};

// Marks an output file being written for as long as it lives (see TerminationSignals).
class OutputBeingWritten {
 public:
  OutputBeingWritten();
  ~OutputBeingWritten();
  OutputBeingWritten(const OutputBeingWritten&) = delete;
  OutputBeingWritten& operator=(const OutputBeingWritten&) = delete;

  static bool Any();
};

}  // namespace vantrels
