#pragma once
// What accessibility tools see of a sheet: its cells as push-button children,
// each named by its hint, placed where it stands and marked invisible while
// hidden; the default action of a cell is a click.

#include <windows.h>

namespace quorlet {

// The answer to WM_GETOBJECT for the sheet's client area (wParam as the
// message gave it); 0 when the accessibility library is not there.
LRESULT AnswerAccessibilityRequest(HWND sheet, WPARAM flags);

}  // namespace quorlet
