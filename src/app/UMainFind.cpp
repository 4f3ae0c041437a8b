// Type-to-find on the main window: typing starts a find over every button of
// the document and the Start Menu's shortcuts, whose results stand on the find
// page; the model (launcher/FindModel.h) decides, the window shows and acts.
#include <windows.h>

#include "app/UMain.h"
#include "launcher/ButtonGrid.h"
#include "launcher/ButtonLaunch.h"
#include "launcher/ClickSound.h"
#include "launcher/DroppedPath.h"
#include "launcher/FindSources.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "shell/ShellLinker.h"
#include "shell/ShellServices.h"

namespace quorlet {

void TfrmQuorlet::BeginFind() {
    if (!FFind) FFind.reset(new TFindModel(static_cast<int>(GetACP())));
    const TAppSettingXml& settings = AppSettingXml();
    TBtnSettingXml& store = BtnSettingXml();
    if (!store.ButtonDoc) store.LoadButtonsDoc();
    FFind->Begin(FindButtonsOf(store.ButtonDoc, settings.GroupNames, settings.RecentButtons), FPageControl.ActivePage());
    // The shortcuts join the results once the worker has read them.
    FStartMenu.Start(Handle(), WM_STARTMENU_READ);
    // Shown over the page, which is hidden once covered: hiding it first
    // costs a repaint of the window behind and a detour of the focus.
    FFindPage.Show(FInstance, Handle(), FPageControl.SheetBounds());
    SetFocus(FFindPage.Sheet()->Handle());
    FPageControl.HideAllPages();
}

void TfrmQuorlet::StartMenuRead(WPARAM ticket) {
    std::vector<TStartMenuEntry> entries;
    if (!FFind || !FStartMenu.Take(ticket, entries)) return;
    FFind->SetStartMenu(entries);
    if (FindRunning()) ShowFind();
}

void TfrmQuorlet::ShowFind() {
    // The focused result's hint gives way to the find's line at once.
    FStatusLine.WriteOnceAround([this] {
        FFindPage.ShowResults(*FFind);
        FStatusLine.ShowHint(&FFindPage, FFind->StatusText());
    });
}

bool TfrmQuorlet::FindKeyDown(UINT key, TShiftState shift) {
    switch (key) {
    case VK_ESCAPE: CarryOut(FFind->Clear()); return true;
    case VK_BACK: CarryOut(FFind->Backspace()); return true;
    case VK_RETURN: CarryOut(FFind->Enter(shift), shift); return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (GetFocus() != FFindPage.Sheet()->Handle()) return false;  // the tab strip's own
        if (FFind->Move(key == VK_LEFT ? fmLeft : key == VK_RIGHT ? fmRight : key == VK_UP ? fmUp : fmDown)) {
            FFindPage.ShowResults(*FFind);
            // The hint line follows the selection, as it follows the pointer.
            if (TCell* cell = FFindPage.SelectedCell()) FStatusLine.ShowHint(cell, cell->Hint());
        }
        return true;
    default: return false;
    }
}

void TfrmQuorlet::FindCellClick(TCell& cell) {
    if (!FindRunning()) return;
    FFind->Select(TFindPage::ResultOf(cell));
    FFindPage.ShowResults(*FFind);
    // The keys held with the click count as they do with Enter.
    const TShiftState keys = KeyboardShiftState();
    CarryOut(FFind->Enter(keys), keys);
}

void TfrmQuorlet::EndFind(int page) {
    const bool hadKeyboard = GetFocus() == FFindPage.Sheet()->Handle();
    FFindPage.Hide();
    FStatusLine.SourceLeft(&FFindPage);
    if (page >= 0 && page < PageCount() && (page != 0 || FPageControl.QuorletTabShown()))
        FPageControl.SetActivePage(page);
    else
        FPageControl.ShowActivePage();
    if (hadKeyboard) FocusShownPage();
}

void TfrmQuorlet::ActivePageShown() {
    // A page the user or the program showed while a find ran: the find ends.
    if (!FindRunning()) return;
    FFind->Clear();
    FFindPage.Hide();
    FStatusLine.SourceLeft(&FFindPage);
}

void TfrmQuorlet::CarryOut(const TFindAction& action, TShiftState keys) {
    switch (action.Kind) {
    case fakNone:
        if (FindRunning()) ShowFind();
        return;
    case fakShowPage: EndFind(action.Page); return;
    case fakSheetFull: FStatusLine.ShowHint(&FFindPage, action.Message); return;
    case fakClickButton: {
        EndFind(action.Page);
        // As a left click on the button's cell with the same keys.
        TCell* cell = FPageControl.FindCell(ButtonSheet(action.ButtonId), action.ButtonId);
        if (cell) CellEnter(*cell, keys);
        return;
    }
    case fakStartShortcut: {
        EndFind(action.Page);
        // As a button of the shortcut would start it, without a count.
        TLaunchOutcome outcome;
        std::string failure;
        outcome.Launched = OpenLink(FPlatform, action.LinkPath, std::string(), failure);
        if (!outcome.Launched) outcome.Failure = "Cannot start " + action.LinkPath + ": " + failure;
        PlayClickSound(FPlatform, csIcon);
        HideAfterLaunch(outcome.Launched, action.Click.KeepVisible);
        RaiseLaunchFailure(outcome);
        return;
    }
    case fakPlaceShortcut: {
        EndFind(-1);
        const TDroppedButton dropped = AssignDroppedPath(FPlatform, AppSettingXml().AnalyseLinkFile, action.ButtonId,
                                                         action.LinkPath, [this](const std::string& question) {
                                                             return AskYesNo(question);
                                                         });
        FPageControl.SetActivePage(action.Page);
        TCell* cell = FPageControl.FindCell(ButtonSheet(action.ButtonId), action.ButtonId);
        if (!cell) return;
        if (dropped.Assigned) {
            cell->SetPicture(GetFileIcon(FPlatform, dropped.IconFile, dropped.IconNumber, FScale.IconSize()));
            cell->SetHint(dropped.Description);
        }
        // The new button is the one the keyboard is on.
        SetFocus(cell->Page().Handle());
        ShowKeyboardCues();
        cell->Page().SetFocusCell(cell);
        return;
    }
    }
}

}  // namespace quorlet
