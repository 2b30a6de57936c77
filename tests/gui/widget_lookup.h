#pragma once

#include <QObject>
#include <stdexcept>
#include <string>

#include "gui/object_names.h"

namespace vantrels::gui_test {

namespace names = object_names;

// The child of `window` with this object name and type. A missing control fails the test at
// once (the exception ends it) instead of crashing on a null pointer.
template <typename Widget>
Widget& Child(const QObject& window, const char* name) {
  auto* found = window.findChild<Widget*>(QString::fromLatin1(name));
  if (found == nullptr) {
    throw std::runtime_error(window.objectName().toStdString() + " has no control named " + name);
  }
  return *found;
}

}  // namespace vantrels::gui_test
