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

}  // namespace quorlet
