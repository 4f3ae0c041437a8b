// The keyboard over the window: Tab between the tab strip and the page, the
// page keys, Esc, and the cells of a page, which take the keyboard focus and
// act on Enter, Delete, the menu key and Shift+F10 as the mouse does on them.
#include "app/UMain.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

namespace {

bool IsPrintable(char c) { return static_cast<unsigned char>(c) >= 32 && c != 127; }

}  // namespace

void TfrmQuorlet::ShowKeyboardCues() {
    SendMessageA(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void TfrmQuorlet::FocusShownPage() {
    TSheetWindow* sheet = FFindPage.Shown() ? FFindPage.Sheet() : FPageControl.ShownSheet();
    SetFocus(sheet ? sheet->Handle() : FPageControl.Handle());
}

void TfrmQuorlet::FocusTabStrip() { SetFocus(FPageControl.Handle()); }

void TfrmQuorlet::TurnPage(int step) {
    const int first = FPageControl.QuorletTabShown() ? 0 : 1;
    const int count = PageCount() - first;
    if (count <= 0) return;
    HWND focus = GetFocus();
    const bool onPage = focus && focus != Handle() && focus != FPageControl.Handle();
    const int active = FindRunning() ? FFind->PageBefore() : FPageControl.ActivePage();
    const int from = active < first ? 0 : active - first;
    const int page = first + ((from + step) % count + count) % count;
    FPageControl.SetActivePage(page);
    // The user's change, as a click on the tab would be.
    MorePageControlChange();
    if (onPage) FocusShownPage();
}

bool TfrmQuorlet::WindowKeyDown(UINT key, TShiftState shift, bool onPage) {
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
    if (FindRunning() && FindKeyDown(key, shift)) return true;
    switch (key) {
    case VK_TAB:
        if (shift & ssAlt) return false;
        ShowKeyboardCues();
        // Tab goes round the tab strip and the page; from the window itself,
        // to the page.
        if (shift & ssCtrl)
            TurnPage(shift & ssShift ? -1 : 1);
        else if (onPage)
            FocusTabStrip();
        else
            FocusShownPage();
        return true;
    case VK_NEXT:
    case VK_PRIOR:
        if (shift != ssCtrl) return false;
        ShowKeyboardCues();
        TurnPage(key == VK_NEXT ? 1 : -1);
        return true;
    case VK_ESCAPE:
        if (shift != 0) return false;
        // As the minimise box does: the window goes to the notification area.
        CoolTrayIconMinimizeToTray();
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_RETURN:
        // On the window itself the keys of the cells take the keyboard to the
        // page shown, where they show the cell that has it.
        if (onPage || GetFocus() != Handle()) return false;
        ShowKeyboardCues();
        FocusShownPage();
        if (GetFocus() != Handle()) SendMessageA(GetFocus(), WM_KEYDOWN, key == VK_RETURN ? VK_HOME : key, 0);
        return true;
    default:
        ShowKeyboardCues();
        return false;
    }
}

bool TfrmQuorlet::WindowChar(char c) {
    if (!IsPrintable(c) || (KeyboardShiftState() & (ssCtrl | ssAlt))) return false;
    // A blank goes on with a find; it starts none.
    if (!FindRunning() && c == ' ') return false;
    if (!FindRunning()) BeginFind();
    if (FFind->Type(c)) ShowFind();
    return true;
}

bool TfrmQuorlet::TabStripKeyDown(UINT key, TShiftState shift) {
    FormKeyDown();
    return WindowKeyDown(key, shift, false);
}

void TfrmQuorlet::TabStripKeyUp() { FormKeyUp(); }

bool TfrmQuorlet::TabStripChar(char c) { return WindowChar(c); }

bool TfrmQuorlet::SheetKeyDown(TSheetWindow& sheet, UINT key, TShiftState shift) {
    FormKeyDown();
    if (WindowKeyDown(key, shift, true)) return true;
    // The find page's keys belong to the find, also once it has ended.
    return &sheet == FFindPage.Sheet();
}

void TfrmQuorlet::SheetKeyUp(TSheetWindow&, UINT) { FormKeyUp(); }

bool TfrmQuorlet::SheetChar(TSheetWindow&, char c) { return WindowChar(c); }

void TfrmQuorlet::CellFocused(TCell& cell) {
    // The hint line follows the keyboard once it is in use, as it follows the pointer.
    if (SendMessageA(cell.Page().Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) return;
    FStatusLine.ShowHint(&cell, cell.Hint());
}

void TfrmQuorlet::CellEnter(TCell& cell, TShiftState shift) {
    // Enter is a left click with the modifiers held.
    struct TRestoreShift {
        TShiftState& Shift;
        ~TRestoreShift() { Shift = 0; }
    } restore{ClickShift};
    TCommandId command;
    switch (cell.Kind()) {
    case TCellKind::Grid:
        FPressedCell = &cell;
        PressedButtonId = cell.ButtonId;
        ClickShift = shift | ssLeft;
        ImageClick(cell);
        break;
    case TCellKind::Recent:
    case TCellKind::Top:
        PressedButtonId = cell.ButtonId;
        ClickShift = shift | ssLeft;
        Image_LastClick(cell);
        break;
    case TCellKind::Command:
        if (FQuorletTab.CommandOf(cell, command)) FCommands.Execute(command);
        break;
    case TCellKind::Find: FindCellClick(cell); break;
    }
}

void TfrmQuorlet::CellDeleteKey(TCell& cell) {
    // As the cell menu's "Clear" does, on a cell that holds a button.
    if (cell.Kind() != TCellKind::Grid || (!cell.HasPicture() && cell.Hint().empty())) return;
    FPressedCell = &cell;
    PressedButtonId = cell.ButtonId;
    FCommands.Execute(TCommandId::ActionBtn_ClearButton);
}

}  // namespace quorlet
