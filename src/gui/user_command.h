#pragma once

#include <functional>
#include <type_traits>

#include "model/inherited_messages.h"
#include "model/messages.h"
#include "model/result.h"

namespace vantrels {

using inherited::MessageFrame;

// Runs `command` and shows how it failed: a Failure it returns as its own message, an unexpected
// exception as `frame` around the exception's description. A cancelled command shows nothing.
// Returns the command's outcome, the exception as a failure.
Status RunCommandStatus(Messages& messages, const MessageFrame& frame,
                        const std::function<Status()>& command);

// Every user command (a button, a menu item, a key, a window event) runs through here, so each
// keeps its inherited frame. `command` returns a Status or nothing; true when it succeeded.
template <typename Command>
bool RunCommand(Messages& messages, const MessageFrame& frame, Command&& command) {
  const auto as_status = [&command]() -> Status {
    if constexpr (std::is_void_v<std::invoke_result_t<Command&>>) {
      command();
      return {};
    } else {
      return command();
    }
  };
  return RunCommandStatus(messages, frame, as_status).ok();
}

}  // namespace vantrels
