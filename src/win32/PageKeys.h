#pragma once
// The keyboard of a dialog with pages, as every property sheet has it:
// Ctrl+Tab and Ctrl+PgDn show the next page, Ctrl+Shift+Tab and Ctrl+PgUp
// the one before, wrapping at the ends, wherever the focus is in the dialog.
// The dialog hears of the change as of a click on the tab (TCN_SELCHANGING,
// which may refuse it, then TCN_SELCHANGE).

#include <windows.h>

namespace quorlet {

// Gives dialog the page keys for its tab control tabs until tabs is
// destroyed. A second call for the same dialog changes nothing.
void EnablePageKeys(HWND dialog, HWND tabs);

}  // namespace quorlet
