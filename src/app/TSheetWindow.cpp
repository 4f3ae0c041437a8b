#include "app/TSheetWindow.h"

#include <cstring>

#include "app/MainControls.h"
#include "app/TSheetAccessible.h"

namespace quorlet {

namespace {
POINT PointOf(LPARAM position) { return POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))}; }
}  // namespace

TSheetWindow::~TSheetWindow() {
    // The cells go with the window: nothing may reach them through it after that.
    DestroyHandle();
}

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
    Repaint(nullptr, true);
}

void TSheetWindow::Rescale() {
    for (const auto& cell : FCells) cell->Place();
    Repaint(nullptr, true);
}

TCell& TSheetWindow::AddCell(TCellKind kind, int slot, int controlId, int left, int top) {
    FCells.emplace_back(new TCell(*this, kind, slot, controlId, left, top));
    Repaint(&FCells.back()->Bounds(), false);
    return *FCells.back();
}

void TSheetWindow::Repaint(const RECT* part, bool erase) {
    if (part)
        FPicture.Forget(*part);
    else
        FPicture.Forget();
    // Without its window there is nothing to draw again (a null window would
    // mean every window of the desktop).
    if (Handle()) InvalidateRect(Handle(), part, erase ? TRUE : FALSE);
}

TCell* TSheetWindow::FindCell(int controlId) const {
    for (const auto& cell : FCells)
        if (cell->ControlId() == controlId) return cell.get();
    return nullptr;
}

TCell* TSheetWindow::CellAt(POINT point) const {
    for (const auto& cell : FCells)
        if (cell->Visible() && PtInRect(&cell->Bounds(), point)) return cell.get();
    return nullptr;
}

void TSheetWindow::CellHintChanged(TCell& cell) {
    // The pointer is over this cell: the status line follows the new hint.
    if (&cell == FHoverCell) FCellEvents.CellHintShown(cell);
}

void TSheetWindow::Paint() {
    // Into the page's picture, which the screen is copied from; straight onto
    // the screen only when no picture can be had.
    if (FPicture.Handle(Handle(), WM_PAINT)) return;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    DrawCells(dc, ps.rcPaint);
    EndPaint(Handle(), &ps);
}

void TSheetWindow::DrawCells(HDC dc, const RECT& area) {
    // The class background first, as the screen is erased.
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (FBevelX >= 0) {
        RECT line = {FScale.Px(FBevelX), FScale.Px(FBevelTop), FScale.Px(FBevelX + 2), FScale.Px(FBevelTop + FBevelHeight)};
        DrawEdge(dc, &line, BDR_RAISEDINNER, BF_LEFT | BF_RIGHT);
    }
    RECT overlap;
    for (const auto& cell : FCells)
        if (cell->Visible() && IntersectRect(&overlap, &cell->Bounds(), &area)) cell->PaintTo(dc);
}

void TSheetWindow::MouseDown(TShiftFlag button, WPARAM keys, LPARAM position) {
    TCell* cell = CellAt(PointOf(position));
    if (!cell) return;
    if (button == ssLeft) {
        FPressedCell = cell;
        SetCapture(Handle());
    }
    FCellEvents.CellMouseDown(*cell, button, MouseShiftState(keys) | button);
}

void TSheetWindow::MouseUp(TShiftFlag button, WPARAM keys, LPARAM position) {
    TCell* cell = CellAt(PointOf(position));
    bool clicked = false;
    if (button == ssLeft && FPressedCell) {
        // A click is a release over the cell that was pressed; it comes before
        // the release itself, so it sees the modifiers of its own press.
        clicked = cell == FPressedCell;
        cell = FPressedCell;
        FPressedCell = nullptr;
        if (GetCapture() == Handle()) ReleaseCapture();
    }
    if (!cell) return;
    if (clicked) {
        try {
            FCellEvents.CellClick(*cell);
        } catch (...) {
            // The frame comes back to rest when the click fails, too.
            FCellEvents.CellMouseUp(*cell, button, MouseShiftState(keys));
            throw;
        }
    }
    FCellEvents.CellMouseUp(*cell, button, MouseShiftState(keys));
}

void TSheetWindow::MouseMove(LPARAM position) {
    if (!FTracking) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Handle(), 0};
        FTracking = TrackMouseEvent(&track) != FALSE;
    }
    TCell* cell = CellAt(PointOf(position));
    if (cell == FHoverCell) {
        if (!cell) FEvents.SheetMouseMove();
        return;
    }
    TCell* left = FHoverCell;
    FHoverCell = cell;
    if (left) FCellEvents.CellLeft(*left);
    if (cell)
        FCellEvents.CellHintShown(*cell);
    else
        FEvents.SheetMouseMove();
}

void TSheetWindow::MouseLeft() {
    FTracking = false;
    TCell* left = FHoverCell;
    FHoverCell = nullptr;
    if (left) FCellEvents.CellLeft(*left);
}

bool TSheetWindow::SetCellCursor() {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(Handle(), &point);
    TCell* cell = CellAt(point);
    const HCURSOR cursor = cell && cell->Cursor() ? cell->Cursor() : FBodyCursor;
    if (!cursor) return false;
    SetCursor(cursor);
    return true;
}

LRESULT TSheetWindow::AnswerCellQuestion(UINT message, WPARAM id, LPARAM lParam) {
    const TCell* cell = FindCell(static_cast<int>(id));
    if (!cell) return -1;
    switch (message) {
    case WM_CELL_BUTTONID: return cell->ButtonId;
    case WM_CELL_HASPICTURE: return cell->HasPicture() ? 1 : 0;
    case WM_CELL_LOADING: return cell->PictureLoading() ? 1 : 0;
    case WM_CELL_VISIBLE: return cell->Visible() ? 1 : 0;
    case WM_CELL_GETRECT:
        if (!lParam) return 0;
        *reinterpret_cast<RECT*>(lParam) = cell->Bounds();
        return 1;
    case WM_CELL_GETHINT: {
        if (!lParam) return -1;
        const size_t length = std::min(cell->Hint().size(), static_cast<size_t>(kCellHintBuffer - 1));
        std::memcpy(reinterpret_cast<char*>(lParam), cell->Hint().data(), length);
        reinterpret_cast<char*>(lParam)[length] = '\0';
        return static_cast<LRESULT>(length);
    }
    default: return -1;
    }
}

LRESULT TSheetWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_LBUTTONDOWN:
        MouseDown(ssLeft, wParam, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        MouseDown(ssRight, wParam, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        MouseDown(ssMiddle, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        MouseUp(ssLeft, wParam, lParam);
        return 0;
    case WM_RBUTTONUP:
        MouseUp(ssRight, wParam, lParam);
        break;  // the default handling asks for the context menu
    case WM_MBUTTONUP:
        MouseUp(ssMiddle, wParam, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle()) FPressedCell = nullptr;
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(lParam);
        return 0;
    case WM_MOUSELEAVE:
        MouseLeft();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && SetCellCursor()) return TRUE;
        break;
    case WM_CONTEXTMENU: {
        POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        POINT client = screen;
        ScreenToClient(Handle(), &client);
        // From the keyboard (-1, -1) the menu belongs to the body.
        TCell* cell = lParam == -1 ? nullptr : CellAt(client);
        if (cell)
            FCellEvents.CellContextPopup(*cell, screen);
        else
            FEvents.TabSheetMainContextPopup();
        return 0;
    }
    case WM_CELL_ICONLOADED:
        for (const auto& cell : FCells)
            if (cell->PictureLoaded(static_cast<uint64_t>(wParam))) break;
        return 0;
    case WM_SHEET_LOADING:
        for (const auto& cell : FCells)
            if (cell->PictureLoading()) return 1;
        return 0;
    case WM_CELL_BUTTONID:
    case WM_CELL_HASPICTURE:
    case WM_CELL_LOADING:
    case WM_CELL_VISIBLE:
    case WM_CELL_GETRECT:
    case WM_CELL_GETHINT:
        return AnswerCellQuestion(message, wParam, lParam);
    case WM_SHOWWINDOW:
        // A page turned away from keeps no picture: ten pages would hold ten.
        if (!wParam && lParam == 0) FPicture.Release();
        break;
    case WM_DESTROY:
        // Once: the handler may put another in its place.
        if (FDestroyed) {
            const std::function<void()> destroyed = std::move(FDestroyed);
            FDestroyed = nullptr;
            destroyed();
        }
        break;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
            const LRESULT answer = AnswerAccessibilityRequest(Handle(), wParam);
            if (answer) return answer;
        }
        break;
    default:
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}

}  // namespace quorlet
