#include "app/TSheetWindow.h"

#include "app/MainControls.h"
#include "app/TCellWindow.h"

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

void TSheetWindow::PaintCells(HDC dc, const RECT& area) {
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE)) continue;
        TCellWindow* cell = TCellWindow::FromHandle(child);
        if (!cell) continue;
        RECT bounds, overlap;
        GetWindowRect(child, &bounds);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
        if (IntersectRect(&overlap, &bounds, &area)) cell->PaintTo(dc, bounds.left, bounds.top);
    }
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
        PaintCells(dc, ps.rcPaint);
        EndPaint(Handle(), &ps);
        // The cells in this part are drawn: they need no paint of their own.
        RedrawWindow(Handle(), &ps.rcPaint, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN);
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
