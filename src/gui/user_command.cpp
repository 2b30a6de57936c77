#include "gui/user_command.h"

#include <exception>

namespace vantrels {

Status RunCommandStatus(Messages& messages, const MessageFrame& frame,
                        const std::function<Status()>& command) {
  Status outcome;
  try {
    outcome = command();
  } catch (const std::exception& e) {
    outcome = Rejected(frame.Around(e.what()));
  }
  if (!outcome && outcome.failure().kind != FailureKind::kCancelled &&
      !outcome.failure().message.empty()) {
    messages.Show(outcome.failure().message);
  }
  return outcome;
}

}  // namespace vantrels
