// Rearranging buttons and tab sheets: the cell menu and the tab strip menu
// with their commands, and the swap or copy that waits for the next click.
#include "app/TCommandMenu.h"
#include "app/UMain.h"
#include "dialogs/UGroupName.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "win32/Clipboard.h"
#include "win32/ModalWindows.h"

namespace quorlet {

// The menus.

void TfrmQuorlet::CellContextPopup(TCell& cell, POINT screen) {
    // The Quorlet Tab's images open no menu.
    if (cell.Kind() == TCellKind::Grid) ImageContextPopup(cell, screen);
}

void TfrmQuorlet::ImageContextPopup(TCell& image, POINT at) {
    if (SwapPending) return;
    FPressedCell = &image;
    PressedButtonId = image.ButtonId;
    const TCellMenuState state = CellMenuState(image.ButtonId, image.HasPicture(), image.Hint());
    FCommands.SetEnabled(TCommandId::ActionBtn_MoveToFirst, state.MoveToFirst);
    FCommands.SetEnabled(TCommandId::ActionBtn_MoveToBefore, state.MoveToBefore);
    FCommands.SetEnabled(TCommandId::ActionBtn_MoveToAfter, state.MoveToAfter);
    FCommands.SetEnabled(TCommandId::ActionBtn_MoveToLast, state.MoveToLast);
    FCommands.SetEnabled(TCommandId::ActionBtn_CopyButtonPath, state.PathCommands);
    FCommands.SetEnabled(TCommandId::ActionBtn_ExplorerButtonPath, state.PathCommands);
    FCommands.SetCaption(TCommandId::ActionBtn_CopyButtonPath, state.CopyPathCaption);
    FCommands.SetCaption(TCommandId::ActionBtn_ExplorerButtonPath, state.ExplorerPathCaption);
    PopupCommandMenu(Handle(), FCommands, CellMenuLayout(), TCommandId::ActionBtn_Properties, at);
    // Elsewhere (Ctrl + click) the command has no cell menu's state.
    FCommands.SetEnabled(TCommandId::ActionBtn_ExplorerButtonPath, true);
}

void TfrmQuorlet::MorePageControlContextPopup(POINT screen) {
    const bool fromKeyboard = screen.x == -1 && screen.y == -1;
    int page = fromKeyboard ? -1 : FPageControl.PageAt(screen);
    // Beside the tabs the menu acts on the page that shows.
    if (page < 0)
        page = FPageControl.ActivePage();
    else if (page != FPageControl.ActivePage())
        FPageControl.SetActivePage(page);
    if (fromKeyboard) {
        RECT strip;
        GetWindowRect(FPageControl.Handle(), &strip);
        screen = {strip.left + 8, strip.top + 8};
    }
    const TPageMenuState state = PageMenuState(page, PageCount());
    FCommands.SetEnabled(TCommandId::ActionPage_Moveleft, state.MoveLeft);
    FCommands.SetEnabled(TCommandId::ActionPage_MoveRight, state.MoveRight);
    FCommands.SetEnabled(TCommandId::ActionPage_Delete, state.Delete);
    FCommands.SetEnabled(TCommandId::ActionPage_Rename, page >= 0);
    PopupCommandMenu(Handle(), FCommands, TabStripMenuLayout(), TCommandId::Separator, screen);
}

bool TfrmQuorlet::AskYesNo(const std::string& question, bool inFront) {
    const UINT flags = MB_YESNO | MB_ICONQUESTION;
    HWND owner = BoxOwner(Handle());
    const int answer = inFront ? MessageBoxInFront(owner, question.c_str(), "Quorlet", flags)
                               : MessageBoxA(owner, question.c_str(), "Quorlet", flags);
    return answer == IDYES;
}

std::string TfrmQuorlet::PageCaption(int page) const { return FPageControl.PageCaption(page); }

// Buttons.

void TfrmQuorlet::ReloadCells(const std::vector<TCell*>& cells) {
    BtnSettingXml().LoadButtonsDoc();
    for (TCell* cell : cells)
        if (cell) FButtonImages.LoadButtonImage(*cell, false);
}

void TfrmQuorlet::MoveRecords(const TIdMoves& moves) {
    if (moves.empty()) return;
    TBtnSettingXml store(FPlatform);
    if (!store.RenumberButtons(moves)) return;
    std::vector<TCell*> cells;
    for (const TBtnSettingXml::TIdMove& move : moves) cells.push_back(FindCell(ButtonSheet(move.To), move.To));
    ReloadCells(cells);
}

void TfrmQuorlet::ActionBtn_MoveToFirstExecute() {
    if (FPressedCell) MoveRecords(MoveToFirstMoves(FPressedCell->ButtonId));
}

void TfrmQuorlet::ActionBtn_MoveToLastExecute() {
    if (FPressedCell) MoveRecords(MoveToLastMoves(FPressedCell->ButtonId));
}

void TfrmQuorlet::ActionBtn_MoveToBeforeExecute() {
    if (!FPressedCell || ButtonPosition(FPressedCell->ButtonId) <= 1) return;
    if (TCell* left = FindCell(ActivePageIndex(), FPressedCell->ButtonId - 1)) SwapButtons(*FPressedCell, *left);
}

void TfrmQuorlet::ActionBtn_MoveToAfterExecute() {
    if (!FPressedCell || ButtonPosition(FPressedCell->ButtonId) >= kCellCount) return;
    if (TCell* right = FindCell(ActivePageIndex(), FPressedCell->ButtonId + 1)) SwapButtons(*FPressedCell, *right);
}

void TfrmQuorlet::SwapButtons(TCell& a, TCell& b) { MoveRecords(SwapMoves(a.ButtonId, b.ButtonId)); }

void TfrmQuorlet::CopyButton(TCell& source, TCell& target) {
    if (source.ButtonId == target.ButtonId) return;
    TBtnSettingXml first(FPlatform), present(FPlatform);
    const int32_t targetId = target.ButtonId;
    first.ReadButton(source.ButtonId);
    present.ReadButton(targetId);
    if (!present.Empty && !AskYesNo(ReplaceButtonQuestion(target.Hint()))) return;
    // The copy carries the source's counters; an empty source empties the target.
    first.WriteButton(targetId);
    // Found again: the cell may be gone after the question.
    ReloadCells({FPageControl.BuiltCell(ButtonSheet(targetId), targetId)});
}

void TfrmQuorlet::ActionBtn_SwapExecute() { StartPendingCommand(true); }

void TfrmQuorlet::ActionBtn_CopyExecute() { StartPendingCommand(false); }

void TfrmQuorlet::StartPendingCommand(bool swap) {
    if (!FPressedCell) return;
    if (SwapPending || CopyPending) EndPendingCommand();
    SwapPending = swap;
    CopyPending = !swap;
    FPendingSource = FPressedCell;
    FPendingSource->SetFrame(TCellFrame::RightPressed);
    FPageControl.SetPendingCursor(LoadCursor(nullptr, swap ? IDC_SIZEALL : IDC_CROSS));
}

void TfrmQuorlet::EndPendingCommand() {
    if (FPendingSource) FPendingSource->SetFrame(TCellFrame::Normal);
    FPageControl.SetPendingCursor(nullptr);
    FPendingSource = nullptr;
    SwapPending = CopyPending = false;
}

void TfrmQuorlet::CompletePendingCommand(TCell& clicked) {
    TCell* source = FPendingSource;
    const bool swap = SwapPending;
    // The command ends whatever its work does: a failed save shows its error
    // and the window is back to normal.
    EndPendingCommand();
    if (!source || source == &clicked) return;
    if (!swap) {
        CopyButton(*source, clicked);
        return;
    }
    const int32_t a = source->ButtonId, b = clicked.ButtonId;
    SwapButtons(*source, clicked);
    SwapRecentButtons(a, b);
    SwapTopButtons(a, b);
}

void TfrmQuorlet::ActionBtn_ClearButtonExecute() {
    if (!FPressedCell) return;
    const int32_t id = FPressedCell->ButtonId;
    if (!AskYesNo(ClearButtonQuestion(FPressedCell->Hint()))) return;
    // Found again after the question: what happened while it was open (a
    // change of the tab sheets, say) may have taken the cell away.
    TCell* image = FPageControl.BuiltCell(ButtonSheet(id), id);
    if (!image) return;
    BtnSettingXml().DeleteButton(id);
    image->SetPicture(TOwnedIcon());
    image->SetHint(std::string());
    ForgetRecentButton(id);
    RemoveTopButton(id);
}

void TfrmQuorlet::ActionBtn_CopyButtonPathExecute() {
    TBtnSettingXml store(FPlatform);
    store.ReadButton(PressedButtonId);
    if (!store.Empty) SetClipboardText(Handle(), store.Command);
}

// Tab sheets.

void TfrmQuorlet::ActionMenu_ShowSysPanelExecute() {
    ToggleSavedSetting(AppSettingXml().ShowAppPanel);
    SyncSysMenuItem(ShowTabMenuItem);
}

void TfrmQuorlet::ExchangeTabSheets(int a, int b) {
    if (a == b || a < 1 || b < 1 || a >= PageCount() || b >= PageCount()) return;
    TBtnSettingXml store(FPlatform);
    const TSlotList slots = quorlet::ExchangeTabSheets(store, AppSettingXml(), TopButtons, a, b);
    FPageControl.ExchangePages(a, b);
    ShowRecentButtons();
    ShowTopSlots(slots);
}

void TfrmQuorlet::ActionPage_MoveleftExecute() {
    const int page = ActivePageIndex();
    ExchangeTabSheets(page, page - 1);
}

void TfrmQuorlet::ActionPage_MoveRightExecute() {
    const int page = ActivePageIndex();
    ExchangeTabSheets(page, page + 1);
}

void TfrmQuorlet::ActionPage_NewExecute() {
    std::string name;
    if (!TfrmGroupName::Execute(FInstance, Handle(), name)) return;
    AppSettingXml().AddGroup(name);
    FPageControl.AddPage(name);
    FPageControl.SetActivePage(PageCount() - 1);
}

void TfrmQuorlet::ActionPage_RenameExecute() {
    const int page = ActivePageIndex();
    if (page < 0) return;
    std::string name = PageCaption(page);
    if (!TfrmGroupName::Execute(FInstance, Handle(), name)) return;
    TAppSettingXml& settings = AppSettingXml();
    if (page > 0) {
        settings.SetGroupName(page, name);
    } else {
        const std::string previous = settings.FavoriteGroup;
        settings.FavoriteGroup = name;
        try {
            settings.SaveSettings();
        } catch (...) {
            settings.FavoriteGroup = previous;
            throw;
        }
    }
    FPageControl.SetPageCaption(page, name);
}

void TfrmQuorlet::ActionPage_DeleteExecute() {
    const int page = ActivePageIndex();
    if (page < 1 || PageCount() <= 2) return;
    if (AskYesNo(DeleteTabQuestion(PageCaption(page)))) DeleteTabSheet(page);
}

void TfrmQuorlet::DeleteTabSheet(int k) {
    if (k < 1 || k >= PageCount()) return;
    if (!AppSettingXml().DeleteGroup(k)) return;
    RemoveTabSheetPage(k);
}

void TfrmQuorlet::RemoveTabSheetPage(int k) {
    if (k < 1 || k >= PageCount()) return;
    // Cells of the page are about to go.
    if (FPendingSource && FPendingSource->Page().PageIndex() == k) EndPendingCommand();
    if (FPressedCell && FPressedCell->Page().PageIndex() == k) FPressedCell = nullptr;
    FPageControl.DeletePage(k);
    for (int page = k; page < PageCount(); ++page) RenumberTabSheet(page);
}

void TfrmQuorlet::RenumberTabSheet(int k) {
    // The page control gave the cells their new identifiers; a page not yet
    // built reads them when it is.
    std::vector<TCell*> cells;
    for (int position = 1; position <= kCellCount; ++position) {
        TCell* cell = FPageControl.BuiltCell(k, ButtonId(k, position));
        if (cell) cells.push_back(cell);
    }
    if (!cells.empty()) ReloadCells(cells);
}

}  // namespace quorlet
