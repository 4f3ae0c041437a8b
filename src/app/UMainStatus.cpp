// The status bar's hint line and counts, the modifier keys that change the
// hint line, and the edge snapping of the window.
#include <windows.h>
#include <commctrl.h>

#include "app/EdgeSnap.h"
#include "app/MainControls.h"
#include "app/UMain.h"

namespace quorlet {

void TfrmQuorlet::CreateStatusBar() {
    FStatusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdStatusBar)), FInstance, nullptr);
    // The counts panel is the last one: it runs to the right edge, so longer
    // counts are not cut off.
    int edges[2] = {260, -1};
    SendMessageA(FStatusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
}

void TfrmQuorlet::SetStatusPanel(int panel, const std::string& text) {
    SendMessageA(FStatusBar, SB_SETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TfrmQuorlet::StatusText(int panel) const {
    const LRESULT info = SendMessageA(FStatusBar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel), 0);
    std::string text(LOWORD(info) + 1, '\0');
    SendMessageA(FStatusBar, SB_GETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(LOWORD(info));
    return text;
}

void TfrmQuorlet::SetApplicationHint(const std::string& hint) {
    FHintCell = nullptr;
    if (hint == FApplicationHint) return;
    FApplicationHint = hint;
    ShowHintInStatus();
}

void TfrmQuorlet::CellHintShown(TCellWindow& cell) {
    SetApplicationHint(cell.Hint());
    FHintCell = &cell;
}

void TfrmQuorlet::CellLeft(TCellWindow& cell) {
    if (FHintCell == &cell) SetApplicationHint(std::string());
}

void TfrmQuorlet::ShowHintInStatus() {
    SetStatusPanel(0, StatusHintPrefix(KeyShift, FQuorletTabShown, FActivePage) + FApplicationHint);
}

void TfrmQuorlet::FormKeyDown() {
    KeyShift = KeyboardShiftState();
    ShowHintInStatus();
}

void TfrmQuorlet::FormKeyUp() {
    KeyShift = 0;
    ShowHintInStatus();
}

void TfrmQuorlet::WMMove() {
    if (IsIconic(Handle())) return;
    RECT window;
    GetWindowRect(Handle(), &window);
    IPlatform& platform = Platform();
    const TSnapResult snapped = SnapToEdges(window.left, window.top, window.right - window.left,
                                            window.bottom - window.top, platform.ScreenWidth(),
                                            platform.WorkAreaHeight());
    if (snapped.Changed)
        SetWindowPos(Handle(), nullptr, snapped.Left, snapped.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quorlet
