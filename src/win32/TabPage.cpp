#include "win32/TabPage.h"

#include <commctrl.h>

#include <stdexcept>

#include "win32/PageKeys.h"

namespace quorlet {

namespace {

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_CONTEXTMENU:
    case WM_HSCROLL:
    case WM_VSCROLL:
        SendMessageA(GetParent(page), message, wParam, lParam);
        return TRUE;
    case WM_NOTIFY:
        SetWindowLongPtrA(page, DWLP_MSGRESULT, SendMessageA(GetParent(page), message, wParam, lParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

HWND CreateTabPage(HINSTANCE instance, HWND dialog, int tabId, const char* caption, int templateId, int pageId) {
    HWND tabs = GetDlgItem(dialog, tabId);
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(caption);
    // After the tabs already there: a dialog of several pages adds them in order.
    const LRESULT index = SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
    SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
    HWND page = CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), dialog, &PageProc, 0);
    if (!page) throw std::runtime_error("Cannot create the page of the dialog.");
    SetWindowLongPtrA(page, GWLP_ID, pageId);
    // The page shows the tab control's page background, as a property sheet's does.
    using TEnableTexture = HRESULT(WINAPI*)(HWND, DWORD);
    if (HMODULE theme = GetModuleHandleA("uxtheme.dll"))
        if (auto enable = reinterpret_cast<TEnableTexture>(
                reinterpret_cast<void*>(GetProcAddress(theme, "EnableThemeDialogTexture"))))
            enable(page, 6 /* ETDT_ENABLETAB */);
    RECT area;
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EnablePageKeys(dialog, tabs);
    return page;
}

}  // namespace quorlet
