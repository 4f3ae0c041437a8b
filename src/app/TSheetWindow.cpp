#include "app/TSheetWindow.h"

#include "app/MainControls.h"

namespace quorlet {

bool TSheetWindow::Create(HINSTANCE instance, HWND parent, const RECT& bounds) {
    if (!RegisterWindowClass(instance, SheetClassName, nullptr, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return false;
    if (!CreateHandle(WS_EX_CONTROLPARENT, SheetClassName, "", WS_CHILD | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                      bounds.right - bounds.left, bounds.bottom - bounds.top, parent, instance))
        return false;
    SetPageIndex(FPageIndex);
    return true;
}

void TSheetWindow::SetPageIndex(int pageIndex) {
    FPageIndex = pageIndex;
    if (Handle()) SetWindowLongPtrA(Handle(), GWLP_ID, IdFirstSheet + pageIndex);
}

void TSheetWindow::SetBevel(int x, int top, int height) {
    FBevelX = x;
    FBevelTop = top;
    FBevelHeight = height;
    InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TSheetWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (FBevelX >= 0) {
            RECT line = {FBevelX, FBevelTop, FBevelX + 2, FBevelTop + FBevelHeight};
            DrawEdge(dc, &line, BDR_RAISEDINNER, BF_LEFT | BF_RIGHT);
        }
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_MOUSEMOVE:
        FEvents.SheetMouseMove();
        break;
    case WM_CONTEXTMENU:
        FEvents.TabSheetMainContextPopup();
        return 0;
    default:
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}

}  // namespace quorlet
