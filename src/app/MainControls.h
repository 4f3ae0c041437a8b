#pragma once
// Control identifiers and window classes of the main window's children. Tests
// and other processes find the controls by these.

namespace quorlet {

// Children of the main window.
const int IdMorePageControl = 100;  // the tab control (WC_TABCONTROL)
const int IdStatusBar = 101;        // the status bar (STATUSCLASSNAME), panels 260 and 50 pixels

// Tab sheets: windows of class SheetClassName, children of the main window,
// identifier IdFirstSheet + page index (page 0 is the Quorlet Tab).
const int IdFirstSheet = 200;
const char* const SheetClassName = "TQuorletSheet";

// Cells: framed 34x34 panels on a sheet, drawn and answered for by the sheet
// (they are no windows of their own). A grid cell's identifier is its button
// identifier.
const int IdImageLast1 = 1001;    // ..1006, the recent row, most recent first
const int IdImageTop1 = 1011;     // ..1016, the most-used row
const int IdImageOptions = 1021;
const int IdImageReport = 1022;
const int IdPanel18 = 1023;       // Image_AlarmConfig, shown while the alarm is off
const int IdPanel19 = 1024;       // Image_AlarmConfigEnabled, shown while it is on
const int IdImageBackup = 1025;   // hidden
const int IdImageRestore = 1026;  // hidden

}  // namespace quorlet

namespace quorlet {

// Questions about a cell, sent to its sheet with the cell's identifier as
// wParam; -1 when the sheet has no such cell. Accessibility tools see the
// cells as the sheet's push-button children, named by their hints.
const unsigned WM_CELL_BUTTONID = 0x8000 + 1;    // the button identifier it shows (0 = none)
const unsigned WM_CELL_HASPICTURE = 0x8000 + 2;  // 1 when it shows a picture (or one is on its way)
const unsigned WM_CELL_LOADING = 0x8000 + 3;     // 1 while its icon is still being loaded
const unsigned WM_CELL_VISIBLE = 0x8000 + 4;     // 1 when it is shown
// lParam points to a RECT in the sheet's process, which gets the cell's place
// in the sheet's client area; 1 when written.
const unsigned WM_CELL_GETRECT = 0x8000 + 5;
// lParam points to kCellHintBuffer chars in the sheet's process, which get the
// cell's hint (cut to fit, ending in a zero); the hint's length is returned.
const unsigned WM_CELL_GETHINT = 0x8000 + 6;
const int kCellHintBuffer = 512;
// Asked of a sheet itself (both parameters 0): 1 while an icon of one of its
// cells is still being loaded.
const unsigned WM_SHEET_LOADING = 0x8000 + 7;

}  // namespace quorlet

namespace quorlet {

// Asked of the main window while one of its context menus is open: wParam is
// the entry's position, lParam points to kMenuTextBuffer chars in the main
// window's process, which get the entry's caption. Returns -1 without an open
// menu or such an entry, else the MFS_ state bits (grayed, checked, default)
// with MF_SEPARATOR for a separator.
const unsigned WM_MENU_GETITEM = 0x8000 + 20;
const int kMenuTextBuffer = 256;

}  // namespace quorlet

namespace quorlet {

// The notification-area icon's window: a hidden top-level window of class
// TrayWindowClassName whose title is the icon's tip. Asked (both parameters
// 0), it answers how many times the icon was added to the notification area
// (once at start, again after each re-created taskbar).
const char* const TrayWindowClassName = "QuorletTrayIcon";
const unsigned WM_TRAY_ADDCOUNT = 0x8000 + 30;
// The system menu's mirrored entries have these WM_SYSCOMMAND identifiers, in
// the title menu's order: auto hide, always on top, show Quorlet Tab, report,
// options, help, version history, home page, about.
const unsigned kFirstMirroredSysCommand = 0x1000;
const unsigned kMirroredSysCommandStep = 0x10;

}  // namespace quorlet
