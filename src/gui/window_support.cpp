#include "gui/window_support.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <utility>

namespace vantrels {

namespace {

class EnterClicksButton : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers others = key->modifiers() & ~Qt::KeypadModifier;
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!enter || others != Qt::NoModifier || button == nullptr || !button->isEnabled()) {
      return false;
    }
    // Taken here, so a dialog does not press its default button as well.
    button->click();
    return true;
  }
};

std::function<int(QDialog&)>& ModalRunner() {
  static std::function<int(QDialog&)> runner;
  return runner;
}

}  // namespace

void Unload(QWidget* window) {
  if (window == nullptr) return;
  window->hide();
  window->deleteLater();
}

int RunModal(QDialog& dialog) {
  // A copy: a runner may set another runner while it runs.
  if (const std::function<int(QDialog&)> runner = ModalRunner()) return runner(dialog);
  return dialog.exec();
}

void SetModalRunner(std::function<int(QDialog&)> runner) {
  ModalRunner() = std::move(runner);
}

void PressFocusedButtonOnEnter(QWidget& window) {
  auto* filter = new EnterClicksButton(&window);
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    button->installEventFilter(filter);
  }
}

void MoveFocusVisibly(QWidget& target) {
  target.window()->setAttribute(Qt::WA_KeyboardFocusChange);
  target.setFocus(Qt::ShortcutFocusReason);
}

void PlaceOver(QWidget& window, const QWidget* owner, bool centre) {
  if (owner == nullptr) return;
  const QWidget* owner_window = owner->window();
  window.winId();
  const_cast<QWidget*>(owner_window)->winId();
  if (QWindow* handle = window.windowHandle()) {
    handle->setTransientParent(owner_window->windowHandle());
  }
  if (!centre) return;
  window.ensurePolished();
  if (!window.testAttribute(Qt::WA_Resized)) window.adjustSize();
  const QRect frame = window.frameGeometry();
  QPoint at = owner_window->frameGeometry().center() - frame.center() + frame.topLeft();
  // Centred over a small window at the screen's edge, its top or left would be off the screen.
  if (const QScreen* screen = owner_window->screen()) {
    const QRect available = screen->availableGeometry();
    at.setX(std::clamp(at.x(), available.left(),
                       std::max(available.left(), available.right() + 1 - frame.width())));
    at.setY(std::clamp(at.y(), available.top(),
                       std::max(available.top(), available.bottom() + 1 - frame.height())));
  }
  window.move(at);
}

QMargins FrameMarginsOf(const QWidget& window) {
  if (const QWindow* own = window.windowHandle(); own && !own->frameMargins().isNull()) {
    return own->frameMargins();
  }
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    const QWindow* handle = other->windowHandle();
    if (other != &window && other->isVisible() && other->windowType() == Qt::Window && handle &&
        !handle->frameMargins().isNull()) {
      return handle->frameMargins();
    }
  }
  return {};
}

QWidget* FrontWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  if (QWidget* focus = QApplication::focusWidget()) return focus->window();
  // Without a window manager no window may be active: any window on screen is better than the
  // middle of the screen.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    const Qt::WindowType type = window->windowType();
    if (window->isVisible() && (type == Qt::Window || type == Qt::Dialog)) return window;
  }
  return nullptr;
}

}  // namespace vantrels
