#include "app/TCellWindow.h"

#include "app/MainControls.h"
#include "launcher/ButtonGrid.h"

namespace quorlet {

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    return shift;
}

TShiftState KeyboardShiftState() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

bool TCellWindow::Create(HINSTANCE instance, HWND sheet, int controlId, int left, int top) {
    if (!RegisterWindowClass(instance, CellClassName, nullptr, nullptr, nullptr)) return false;
    if (!CreateHandle(0, CellClassName, "", WS_CHILD | WS_VISIBLE, left, top, kCellSize, kCellSize, sheet, instance))
        return false;
    SetWindowLongPtrA(Handle(), GWLP_ID, controlId);
    return true;
}

namespace {
// A finished icon; wParam is the loader's ticket.
const UINT WM_CELL_ICONLOADED = WM_APP + 100;
}  // namespace

void TCellWindow::SetPicture(TOwnedIcon icon) {
    FTicket = 0;
    FIcon = std::move(icon);
    Invalidate();
}

void TCellWindow::LoadPicture(TIconLoader& loader, const TIconLoader::TIconKey& key) {
    FIcon.Reset();
    FLoader = &loader;
    FTicket = loader.Request(Handle(), WM_CELL_ICONLOADED, key);
    Invalidate();
}

void TCellWindow::PictureLoaded(uint64_t ticket) {
    if (!FLoader) return;
    TOwnedIcon icon = FLoader->Take(ticket);
    // An answer to an earlier request is dropped: the cell shows something else now.
    if (ticket != FTicket) return;
    FTicket = 0;
    FIcon = std::move(icon);
    Invalidate();
}

void TCellWindow::SetHint(const std::string& hint) {
    if (hint == FHint) return;
    FHint = hint;
    SetWindowTextA(Handle(), hint.c_str());
    // The pointer is over this cell: the status line follows the new hint.
    if (FTracking) FEvents.CellHintShown(*this);
}

void TCellWindow::SetFrame(TCellFrame frame) {
    if (frame == FFrame) return;
    FFrame = frame;
    Invalidate();
}

void TCellWindow::Invalidate() {
    // The page draws its cells: the cell's part of the page is drawn again.
    HWND page = GetParent(Handle());
    RECT r = {0, 0, kCellSize, kCellSize};
    MapWindowPoints(Handle(), page, reinterpret_cast<POINT*>(&r), 2);
    InvalidateRect(page, &r, FALSE);
}

void TCellWindow::Paint() {
    // Shown again, or invalidated from outside: the page draws the cell.
    RECT update;
    if (GetUpdateRect(Handle(), &update, FALSE)) {
        HWND page = GetParent(Handle());
        MapWindowPoints(Handle(), page, reinterpret_cast<POINT*>(&update), 2);
        InvalidateRect(page, &update, FALSE);
    }
    ValidateRect(Handle(), nullptr);
}

void TCellWindow::PaintTo(HDC dc, int left, int top) {
    // An icon that is ready by now is shown at once, not one paint later.
    if (FTicket && FLoader) {
        if (TOwnedIcon icon = FLoader->Take(FTicket)) {
            FTicket = 0;
            FIcon = std::move(icon);
        }
    }
    RECT r = {left, top, left + kCellSize, top + kCellSize};
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (FIcon)
        DrawIconEx(dc, left + 1, top + 1, static_cast<HICON>(FIcon.Get()), CellIconSize, CellIconSize, 0, nullptr,
                   DI_NORMAL);
    switch (FFramed ? FFrame : TCellFrame::Normal) {
    case TCellFrame::Normal:
        if (!FFramed) break;
        DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
        break;
    case TCellFrame::LeftPressed: {
        DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
        RECT inner = {left + 1, top + 1, left + kCellSize - 1, top + kCellSize - 1};
        DrawEdge(dc, &inner, BDR_SUNKENINNER, BF_RECT);
        break;
    }
    case TCellFrame::RightPressed:
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        break;
    }
}

TCellWindow* TCellWindow::FromHandle(HWND window) {
    char className[32] = {};
    if (!GetClassNameA(window, className, sizeof className) || lstrcmpA(className, CellClassName) != 0) return nullptr;
    return static_cast<TCellWindow*>(reinterpret_cast<TWindowBase*>(GetWindowLongPtrA(window, GWLP_USERDATA)));
}

void TCellWindow::MouseDown(TShiftFlag button, WPARAM keys) {
    if (button == ssLeft) {
        FLeftDown = true;
        SetCapture(Handle());
    }
    FEvents.CellMouseDown(*this, button, MouseShiftState(keys) | button);
}

void TCellWindow::MouseUp(TShiftFlag button, WPARAM keys, LPARAM position) {
    HWND self = Handle();
    bool clicked = false;
    if (button == ssLeft && FLeftDown) {
        FLeftDown = false;
        if (GetCapture() == self) ReleaseCapture();
        // A click is a release over the cell that was pressed; it comes before
        // the release itself, so it sees the modifiers of its own press.
        const int x = static_cast<short>(LOWORD(position)), y = static_cast<short>(HIWORD(position));
        clicked = x >= 0 && y >= 0 && x < kCellSize && y < kCellSize;
    }
    if (clicked) {
        try {
            FEvents.CellClick(*this);
        } catch (...) {
            // The frame comes back to rest when the click fails, too.
            if (IsWindow(self)) FEvents.CellMouseUp(*this, button, MouseShiftState(keys));
            throw;
        }
    }
    if (IsWindow(self)) FEvents.CellMouseUp(*this, button, MouseShiftState(keys));
}

void TCellWindow::MouseMove() {
    if (FTracking) return;
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Handle(), 0};
    FTracking = TrackMouseEvent(&track) != FALSE;
    FEvents.CellHintShown(*this);
}

LRESULT TCellWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(ssLeft, wParam);
        return 0;
    case WM_RBUTTONDOWN:
        MouseDown(ssRight, wParam);
        return 0;
    case WM_MBUTTONDOWN:
        MouseDown(ssMiddle, wParam);
        return 0;
    case WM_LBUTTONUP:
        MouseUp(ssLeft, wParam, lParam);
        return 0;
    case WM_RBUTTONUP:
        MouseUp(ssRight, wParam, lParam);
        return 0;
    case WM_MBUTTONUP:
        MouseUp(ssMiddle, wParam, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        FLeftDown = false;
        return 0;
    case WM_MOUSEMOVE:
        MouseMove();
        return 0;
    case WM_MOUSELEAVE:
        FTracking = false;
        FEvents.CellLeft(*this);
        return 0;
    case WM_SETCURSOR:
        if (FCursor && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(FCursor);
            return TRUE;
        }
        break;
    case WM_CELL_BUTTONID:
        return ButtonId;
    case WM_CELL_HASPICTURE:
        return HasPicture() ? 1 : 0;
    case WM_CELL_LOADING:
        return PictureLoading() ? 1 : 0;
    case WM_CELL_ICONLOADED:
        PictureLoaded(static_cast<uint64_t>(wParam));
        return 0;
    default:
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}

}  // namespace quorlet
