#pragma once

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

// The window a message belongs to: the modal window in front, else the active window, else the
// window holding the focus, else a window on screen; null when none is shown.
QWidget* FrontWindow();

}  // namespace vantrels
