#pragma once
// Every window message number the program gives a meaning of its own, in the
// ranges each part owns, so that no two parts pick the same number.
//
// Any program on the desktop can send any of these with any parameters, so
// none of them carries a pointer, and the questions among them change
// nothing. What another process may read that does not fit in an answer's
// value it asks for with WM_COPYDATA, which the system copies between the
// processes (base/RemoteQuestion.h, answered by app/RemoteAnswers.h).

#include <windows.h>

namespace quorlet {

// From a second start of the program to the running instance's main window,
// both parameters 0. The number is published and never changes.
const UINT WM_QUORLET_RUNNING = 3080;

// WM_APP + 0 .. 99: questions other processes may ask; the answer is the
// message's value.
//
// WM_APP + 1 .. 19: about a cell, sent to its sheet (a window of class
// SheetClassName) with the cell's identifier as wParam; -1 when the sheet has
// no such cell. The cell's hint and place are read through accessibility.
const UINT WM_CELL_BUTTONID = WM_APP + 1;    // the button identifier it shows (0 = none)
const UINT WM_CELL_HASPICTURE = WM_APP + 2;  // 1 when it shows a picture (or one is on its way)
const UINT WM_CELL_LOADING = WM_APP + 3;     // 1 while its icon is still being loaded
const UINT WM_CELL_VISIBLE = WM_APP + 4;     // 1 when it is shown
// WM_APP + 5 and + 6 are retired (they once wrote a cell's place and hint
// through a pointer) and stay unanswered.
// Asked of a sheet itself (both parameters 0): 1 while an icon of one of its
// cells is still being loaded.
const UINT WM_SHEET_LOADING = WM_APP + 7;
// The cell's child number (1..n) in the sheet's accessible object, whose
// children are the cells by their hints, places and states.
const UINT WM_CELL_ACCCHILD = WM_APP + 8;
// WM_APP + 20 .. 29: retired (+ 20 once wrote an entry of the open context
// menu through a pointer; that question comes through WM_COPYDATA now).
// WM_APP + 30 .. 39: the notification-area icon's window, both parameters 0.
// How many times the icon was added to the notification area (once at start,
// again after each re-created taskbar).
const UINT WM_TRAY_ADDCOUNT = WM_APP + 30;

// WM_APP + 100 .. 509: notices the program's parts post or send to their own
// windows. Their parameters are plain values that are checked before use.
//
// WM_APP + 100 .. 199: the sheets. A finished icon for a cell; wParam is the
// icon loader's ticket.
const UINT WM_CELL_ICONLOADED = WM_APP + 100;
// WM_APP + 300 .. 309: the notification-area icon's callbacks; the low word of
// lParam is the mouse or balloon event.
const UINT WM_TRAYICON = WM_APP + 300;
// WM_APP + 310 .. 399: the options dialog. A check it started has recorded its
// result; both parameters 0.
const UINT WM_OPTIONS_UPDATECHECKED = WM_APP + 310;
// WM_APP + 400 .. 499: the update check has ended; wParam is its ticket.
const UINT WM_UPDATE_CHECKED = WM_APP + 400;
// WM_APP + 500 .. 509: the Start Menu's shortcuts have been read (again);
// wParam is the list's ticket.
const UINT WM_STARTMENU_READ = WM_APP + 500;

}  // namespace quorlet
