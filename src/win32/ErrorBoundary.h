#pragma once
// The one place where an error raised by a user action ends: every message,
// timer tick, tray callback, hot key and dialog command of the program's
// windows runs through it. The user sees the error's text in a "Quorlet" box
// with the error icon, the action stops, and the program goes on.

#include <exception>
#include <string>

#include <windows.h>

namespace quorlet {

// Shows message in the "Quorlet" error box, owned by the top-level window of
// window (which may be null). While one such box is open, further errors are
// not stacked on top of it.
void ShowActionError(HWND window, const std::string& message);

// The text to show for the exception in flight (call inside a catch block).
std::string CurrentErrorText();

// Runs action(); an exception it raises is shown with ShowActionError and
// fallback is returned instead of the action's result.
template <typename TResult, typename TAction>
TResult RunGuarded(HWND window, TResult fallback, TAction&& action) {
    try {
        return action();
    } catch (...) {
        ShowActionError(window, CurrentErrorText());
        return fallback;
    }
}

}  // namespace quorlet
