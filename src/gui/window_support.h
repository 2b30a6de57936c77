#pragma once

#include <QMargins>
#include <functional>

class QDialog;
class QWidget;

namespace vantrels {

// Enter and keypad Enter press the push button that has the focus, in every window (Qt's own
// dialogs only do it for their default buttons). Covers the buttons `window` holds now.
void PressFocusedButtonOnEnter(QWidget& window);

// Moves the focus to `target` as a key does, so the style draws the focus on it.
void MoveFocusVisibly(QWidget& target);

// Keeps `window` above `owner`'s window (its transient parent, so without a window manager it
// never opens behind it) and, when `centre` is set, centres it on that window. A null owner
// leaves the window where it is.
void PlaceOver(QWidget& window, const QWidget* owner, bool centre = true);

// The frame a window manager puts around `window`: its own once known, else that of another
// window on screen (a window manager tells the frame only after mapping the window), else none.
QMargins FrameMarginsOf(const QWidget& window);

// Hides `window` and deletes it once control is back in the event loop: it may be running one of
// its own handlers (a frame close, a button). Null does nothing.
void Unload(QWidget* window);

// Runs `dialog` modally and returns its result: its own event loop, or the runner set last.
int RunModal(QDialog& dialog);
// Tests press a modal window's buttons instead of waiting for a user; null restores exec().
void SetModalRunner(std::function<int(QDialog&)> runner);

// The window a message belongs to: the modal window in front, else the active window, else the
// window holding the focus, else a window on screen; null when none is shown.
QWidget* FrontWindow();

}  // namespace vantrels
