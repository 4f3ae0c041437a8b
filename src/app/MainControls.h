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

// Cells: framed 34x34 windows of class CellClassName, children of a sheet.
// A grid cell's identifier is its button identifier (page x 100 + position).
// The window text of every cell is its current hint.
const char* const CellClassName = "TQuorletCell";
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

// Questions a cell answers (WM_APP range, both parameters 0): the button
// identifier it shows (0 = none), 1 when it shows a picture (or one is on its
// way), and 1 while its icon is still being loaded.
const unsigned WM_CELL_BUTTONID = 0x8000 + 1;
const unsigned WM_CELL_HASPICTURE = 0x8000 + 2;
const unsigned WM_CELL_LOADING = 0x8000 + 3;

}  // namespace quorlet
