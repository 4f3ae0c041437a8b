#pragma once
// The pixel density a window is shown at, and what follows from it for fonts
// and frames. The program declares itself per-monitor aware in its manifest;
// functions newer systems have are looked up at run time, so it still starts
// where they are missing.

#include <windows.h>

#include "win32/WinHandles.h"

namespace quorlet {

// The density of the system as a whole (the primary monitor's at sign-in).
int SystemDpi();
// The density of the monitor the window is on, as the system tells a
// per-monitor aware program; the system's density where it cannot say.
int WindowDpi(HWND window);
// The usual font of controls at this density; null when that is the stock
// font itself (the density is the system's).
TUniqueFont GuiFontForDpi(int dpi);
// AdjustWindowRectEx with the frame sizes of this density.
void AdjustFrameForDpi(RECT& frame, DWORD style, DWORD exStyle, int dpi);

}  // namespace quorlet
