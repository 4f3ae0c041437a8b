#pragma once
// What the screen shows, as the user sees it: single pixels read while a
// change is timed, and the colour of a point of a window's picture
// (RemoteControls.h) to choose those pixels from.

#include <windows.h>

#include "StartupTimer.h"
#include "win/RemoteControls.h"

namespace quorlet {
namespace startupbench {

// Polls done until it holds (true) or ms have passed (false), yielding the
// processor between tries (a timed change) or pausing pauseMs (a wait that
// is not timed and should leave the processor to the program).
template <typename TDone>
bool WaitUntil(DWORD ms, TDone done, DWORD pauseMs = 0) {
    const TStopwatch clock;
    while (!done()) {
        if (clock.ElapsedMs() > ms) return false;
        Sleep(pauseMs);
    }
    return true;
}

COLORREF ScreenPixel(POINT point);

// The colour at x, y from the picture's top left corner.
COLORREF PictureColour(const TWindowPicture& picture, int x, int y);

}  // namespace startupbench
}  // namespace quorlet
