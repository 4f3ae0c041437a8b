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
    // Cells draw with their page's device context: setting up one of their
    // own for each small cell costs more than the drawing itself.
    if (!RegisterWindowClass(instance, CellClassName, nullptr, nullptr, nullptr, CS_PARENTDC)) return false;
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
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TCellWindow::LoadPicture(TIconLoader& loader, const TIconLoader::TIconKey& key) {
    FIcon.Reset();
    FLoader = &loader;
    FTicket = loader.Request(Handle(), WM_CELL_ICONLOADED, key);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TCellWindow::PictureLoaded(uint64_t ticket) {
    if (!FLoader) return;
    TOwnedIcon icon = FLoader->Take(ticket);
    // An answer to an earlier request is dropped: the cell shows something else now.
    if (ticket != FTicket) return;
    FTicket = 0;
    FIcon = std::move(icon);
    InvalidateRect(Handle(), nullptr, FALSE);
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
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TCellWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT r = {0, 0, kCellSize, kCellSize};
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (FIcon) DrawIconEx(dc, 1, 1, static_cast<HICON>(FIcon.Get()), CellIconSize, CellIconSize, 0, nullptr, DI_NORMAL);
    switch (FFramed ? FFrame : TCellFrame::Normal) {
    case TCellFrame::Normal:
        if (!FFramed) break;
        DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
        break;
    case TCellFrame::LeftPressed: {
        DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
        RECT inner = {1, 1, kCellSize - 1, kCellSize - 1};
        DrawEdge(dc, &inner, BDR_SUNKENINNER, BF_RECT);
        break;
    }
    case TCellFrame::RightPressed:
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        break;
    }
    EndPaint(Handle(), &ps);
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
