#pragma once
// Comparing what the screen shows of an icon with the icon drawn here.

#include <vector>

#include <windows.h>

#include "RemoteControls.h"

namespace quorlet {

// An icon drawn at size x size on the button face colour, as a cell or a
// dialog's picture draws it; rows from the top.
std::vector<COLORREF> DrawnIcon(HICON icon, int size);

// Pixels of the picture's size x size square at (left, top) that differ
// from the expected ones by more than a trace of rounding.
int DifferentPixels(const TWindowPicture& picture, int left, int top, int size, const std::vector<COLORREF>& expected);

}  // namespace quorlet
