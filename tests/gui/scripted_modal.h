#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <deque>
#include <functional>
#include <string>

namespace vantrels {

using ModalSteps = std::deque<std::function<void(QDialog&)>>;

// Runs a modal window as the next scripted step: shows it, lets the step press its buttons, and
// returns its result. A test therefore never blocks on a modal window.
inline int RunScriptedStep(ModalSteps& steps, QDialog& dialog) {
  if (steps.empty()) {
    ADD_FAILURE() << "unexpected modal window " << dialog.objectName().toStdString();
    return static_cast<int>(QDialog::Rejected);
  }
  const auto step = std::move(steps.front());
  steps.pop_front();
  dialog.show();
  step(dialog);
  if (dialog.isVisible()) {
    ADD_FAILURE() << dialog.objectName().toStdString() << " is still open after its step";
    dialog.hide();
  }
  return dialog.result();
}

}  // namespace vantrels
