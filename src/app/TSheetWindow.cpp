#include "app/TSheetWindow.h"

#include "app/MainControls.h"
#include "app/TSheetAccessible.h"
#include "launcher/CellFocus.h"

namespace quorlet {

namespace {
POINT PointOf(LPARAM position) { return POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))}; }
// Its tick comes after the page's paint: a timer's message is the last a
// window is given.
const UINT_PTR kDisposeTimer = 1;
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

void TSheetWindow::SetFocusCell(TCell* cell) {
    if (cell && !cell->Visible()) return;
    if (cell != FFocusCell) {
        InvalidateFocus();
        FFocusCell = cell;
        InvalidateFocus();
    }
    if (!cell || !FHasFocus) return;
    FCellEvents.CellFocused(*cell);
    // A screen reader says what has the focus: the cell, by its hint.
    for (size_t i = 0; i < FCells.size(); ++i)
        if (FCells[i].get() == cell) NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, static_cast<LONG>(i + 1));
}

void TSheetWindow::DisposeLater(TOwnedIcon icon) {
    if (!icon || !Handle()) return;  // without a window, destroyed here and now
    FDisposed.push_back(std::move(icon));
    if (FDisposed.size() == 1 && !SetTimer(Handle(), kDisposeTimer, USER_TIMER_MINIMUM, nullptr)) FDisposed.clear();
}

void TSheetWindow::ForgetCell(const TCell& cell) {
    if (&cell == FFocusCell) FFocusCell = nullptr;
    if (&cell == FHoverCell) FHoverCell = nullptr;
    if (&cell == FPressedCell) FPressedCell = nullptr;
}

void TSheetWindow::InvalidateFocus() {
    if (FFocusCell) Repaint(&FFocusCell->Bounds(), false);
}

bool TSheetWindow::FocusShown() const {
    if (!FFocusCell || !FFocusCell->Visible() || !FHasFocus) return false;
    return !(SendMessageA(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

void TSheetWindow::MoveFocus(int move) {
    std::vector<TCellPlace> places;
    int from = -1;
    for (size_t i = 0; i < FCells.size(); ++i) {
        const RECT& r = FCells[i]->Bounds();
        places.push_back({r.left, r.top, FCells[i]->Visible()});
        if (FCells[i].get() == FFocusCell) from = static_cast<int>(i);
    }
    const int to = MoveCellFocus(places, from, static_cast<TCellFocusMove>(move));
    if (to >= 0) SetFocusCell(FCells[static_cast<size_t>(to)].get());
}

bool TSheetWindow::KeyDown(UINT key) {
    const TShiftState shift = KeyboardShiftState();
    if (FCellEvents.SheetKeyDown(*this, key, shift)) return true;
    // Without a focused cell the first key only shows which cell has it.
    if (!FFocusCell || !FFocusCell->Visible()) {
        if (key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN && key != VK_HOME && key != VK_END &&
            key != VK_RETURN)
            return false;
        MoveFocus(key == VK_END ? cfEnd : cfHome);
        return true;
    }
    switch (key) {
    case VK_LEFT: MoveFocus(cfLeft); return true;
    case VK_RIGHT: MoveFocus(cfRight); return true;
    case VK_UP: MoveFocus(cfUp); return true;
    case VK_DOWN: MoveFocus(cfDown); return true;
    case VK_HOME: MoveFocus(cfHome); return true;
    case VK_END: MoveFocus(cfEnd); return true;
    case VK_RETURN: FCellEvents.CellEnter(*FFocusCell, shift); return true;
    case VK_DELETE:
        if (shift != 0) return false;
        FCellEvents.CellDeleteKey(*FFocusCell);
        return true;
    case VK_APPS:
    case VK_F10: {
        if (key == VK_F10 && shift != ssShift) return false;
        // The menu comes at the cell's lower left corner.
        POINT at = {FFocusCell->Bounds().left, FFocusCell->Bounds().bottom};
        ClientToScreen(Handle(), &at);
        FCellEvents.CellContextPopup(*FFocusCell, at);
        return true;
    }
    default: return false;
    }
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
    if (FocusShown()) {
        RECT focus = FFocusCell->Bounds();
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
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

LRESULT TSheetWindow::AnswerCellQuestion(UINT message, WPARAM id) const {
    for (size_t i = 0; i < FCells.size(); ++i) {
        const TCell* cell = FCells[i].get();
        if (static_cast<WPARAM>(cell->ControlId()) != id) continue;
        switch (message) {
        case WM_CELL_BUTTONID: return cell->ButtonId;
        case WM_CELL_HASPICTURE: return cell->HasPicture() ? 1 : 0;
        case WM_CELL_LOADING: return cell->PictureLoading() ? 1 : 0;
        case WM_CELL_VISIBLE: return cell->Visible() ? 1 : 0;
        case WM_CELL_ACCCHILD: return static_cast<LRESULT>(i + 1);  // as TSheetAccessible numbers them
        default: return -1;
        }
    }
    return -1;
}

LRESULT TSheetWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_TIMER:
        if (wParam != kDisposeTimer) break;
        KillTimer(Handle(), kDisposeTimer);
        FDisposed.clear();
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
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        FHasFocus = true;
        // The cell that had the focus has it again; none is picked before a
        // key asks for one.
        if (FFocusCell && FFocusCell->Visible()) SetFocusCell(FFocusCell);
        InvalidateFocus();
        return 0;
    case WM_KILLFOCUS:
        FHasFocus = false;
        InvalidateFocus();
        return 0;
    case WM_UPDATEUISTATE:
        DefaultHandler(message, wParam, lParam);
        InvalidateFocus();
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (KeyDown(static_cast<UINT>(wParam))) return 0;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        FCellEvents.SheetKeyUp(*this, static_cast<UINT>(wParam));
        // The menu key and Shift+F10 were answered when they went down.
        if (wParam == VK_APPS || wParam == VK_F10) return 0;
        break;
    case WM_CHAR:
        if (FCellEvents.SheetChar(*this, static_cast<char>(wParam))) return 0;
        break;
    case WM_CONTEXTMENU: {
        POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        POINT client = screen;
        ScreenToClient(Handle(), &client);
        // From the keyboard (-1, -1) the key was answered already.
        if (lParam == -1) return 0;
        TCell* cell = CellAt(client);
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
    case WM_CELL_ACCCHILD:
        return AnswerCellQuestion(message, wParam);
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
