#pragma once
// Where the program's small dialogs open: centred on an area of the screen,
// kept inside the work area of the monitor that area is on.

#include <windows.h>

namespace quorlet {

// Moves the window (still hidden, so that a window manager takes the place
// as given) to the centre of area, in screen coordinates.
void CentreWindowOn(HWND window, const RECT& area);
// The screen rectangle of window, or of the desktop when window is null.
RECT ScreenRectOf(HWND window);

}  // namespace quorlet
