#pragma once

#include <string>

#include "model/messages.h"

namespace vantrels {

// The desktop program's sink: every message is a message box with one OK button over the
// window in front.
class MessageBoxMessages : public Messages {
 public:
  void Show(const std::string& text) override;
};

}  // namespace vantrels
