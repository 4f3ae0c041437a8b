#pragma once
// Which window the user is dealing with while the program shows a dialog or a
// box. A box must be owned by that window: one owned by a window that a dialog
// has disabled enables it again when it closes, under the open dialog.

#include <windows.h>

namespace quorlet {

// While root is disabled by a modal dialog or box of its own: the window of
// that dialog or box the user can use (the innermost one, when a box is open
// over a dialog). Null while root itself can be used.
HWND ActiveModalWindow(HWND root);

// The owner for a new box or dialog meant for root: the open modal window, or
// root itself.
HWND BoxOwner(HWND root);

// MessageBoxA for a question the user must see at once, though another
// program holds the front (a drag from its window has just ended there): the
// box comes up above every other window, also where the system does not
// honour MB_TOPMOST itself (Wine).
int MessageBoxInFront(HWND owner, const char* text, const char* caption, UINT flags);

}  // namespace quorlet
