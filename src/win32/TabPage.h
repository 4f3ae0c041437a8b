#pragma once
// The one page of a dialog's tab control: a child dialog from its own
// template, laid on the tab control's page area with the tab's themed
// background. Its controls report to the dialog (WM_COMMAND, WM_NOTIFY,
// WM_CONTEXTMENU and the spin arrows' WM_HSCROLL and WM_VSCROLL are passed
// up), so the dialog handles them as its own. The dialog gets the page keys
// of a property sheet (win32/PageKeys.h).

#include <windows.h>

namespace quorlet {

// Makes the page (control id pageId) over the tab control tabId of dialog,
// with a tab captioned caption after those already there. Throws std::runtime_error when it cannot.
HWND CreateTabPage(HINSTANCE instance, HWND dialog, int tabId, const char* caption, int templateId, int pageId);

}  // namespace quorlet
