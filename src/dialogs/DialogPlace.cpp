#include "dialogs/DialogPlace.h"

namespace quorlet {

void CentreWindowOn(HWND window, const RECT& area) {
    RECT own;
    GetWindowRect(window, &own);
    const int width = own.right - own.left, height = own.bottom - own.top;
    int left = area.left + (area.right - area.left - width) / 2;
    int top = area.top + (area.bottom - area.top - height) / 2;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        if (left + width > work.right) left = work.right - width;
        if (top + height > work.bottom) top = work.bottom - height;
        if (left < work.left) left = work.left;
        if (top < work.top) top = work.top;
    }
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ScreenRectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window ? window : GetDesktopWindow(), &rect);
    return rect;
}

}  // namespace quorlet
