#pragma once
// Control identifiers and window classes of the main window's children. Tests
// and other processes find the controls by these, and ask them the questions
// of win32/ProgramMessages.h.

#include "win32/ProgramMessages.h"

namespace quorlet {

// Children of the main window.
const int IdMorePageControl = 100;  // the tab control (WC_TABCONTROL)
const int IdStatusBar = 101;        // the status bar (STATUSCLASSNAME), panels 260 and 50 pixels

// Tab sheets: windows of class SheetClassName, children of the main window,
// identifier IdFirstSheet + page index (page 0 is the Quorlet Tab).
const int IdFirstSheet = 200;
// The find page: a sheet of the same class that shows the results of a find
// while one runs; its cells are the results, identifiers 1..20 in the grid's
// order, hidden where there is no result.
const int IdFindSheet = IdFirstSheet - 1;
const char* const SheetClassName = "TQuorletSheet";

// Cells: framed 34x34 panels on a sheet, drawn and answered for by the sheet
// (they are no windows of their own; accessibility tools see them as the
// sheet's push-button children, named by their hints). A grid cell's
// identifier is its button identifier.
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

// The notification-area icon's window: a hidden top-level window of class
// TrayWindowClassName whose title is the icon's tip; it answers
// WM_TRAY_ADDCOUNT.
const char* const TrayWindowClassName = "QuorletTrayIcon";
// The system menu's mirrored entries have these WM_SYSCOMMAND identifiers, in
// the title menu's order: auto hide, always on top, show Quorlet Tab, report,
// options, help, version history, home page, about.
const unsigned kFirstMirroredSysCommand = 0x1000;
const unsigned kMirroredSysCommandStep = 0x10;

}  // namespace quorlet
