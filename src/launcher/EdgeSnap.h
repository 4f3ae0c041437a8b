#pragma once
// Edge snapping of the main window after every move: an edge that comes within
// 19 pixels of the screen's left or top edge, the screen's right edge or the
// bottom of the work area snaps to it, and the window never stays beyond the
// right edge of the screen or below the work area. A window exactly flush with
// an edge stays where it is.

namespace quorlet {

struct TSnapResult {
    int Left = 0;
    int Top = 0;
    bool Changed = false;  // Left or Top differs from the position given
};

// left, top, width, height: the window's frame after the move. screenWidth: width
// of the primary screen. workAreaHeight: bottom minus top of the work area.
// The left and top rules come first; the right and bottom rules then win.
TSnapResult SnapToEdges(int left, int top, int width, int height, int screenWidth, int workAreaHeight);

// The monitor a window is snapped on, in virtual-screen pixels: its origin,
// its width, and the height of its work area (bottom minus top).
struct TMonitorArea {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int WorkAreaHeight = 0;
};

// The same rules measured from the monitor's own origin, so the window can
// live on any monitor. On the primary monitor (origin 0, 0) the result is
// exactly SnapToEdges.
TSnapResult SnapToMonitorEdges(int left, int top, int width, int height, const TMonitorArea& monitor);

}  // namespace quorlet
