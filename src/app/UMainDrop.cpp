// Files, folders and shortcuts dragged from the shell onto the window: the
// window comes to the front, the pages follow the drag, and a drop on a cell
// of a button tab sheet makes the path that cell's button.
#include "app/UMain.h"
#include "launcher/DroppedPath.h"
#include "settings/UAppSettingXml.h"
#include "shell/ShellServices.h"
#include "win32/ModalWindows.h"

namespace quorlet {

namespace {

// What the status line shows for a cell a drag comes over: its hint, or its
// button identifier when it has none.
std::string CellHintText(const TCell& cell) {
    return cell.Hint().empty() ? std::to_string(cell.ButtonId) : cell.Hint();
}

// Runs the messages that wait, as the window's own loop would.
void ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

void TfrmQuorlet::ButtonGridBuilt(TSheetWindow& sheet) { FDropTarget.AddSheet(sheet); }

void TfrmQuorlet::BringApplicationToFront() {
    // The window last active under the application: the main window, or a
    // dialog open over it.
    HWND application = GetWindow(Handle(), GW_OWNER);
    HWND top = application ? GetLastActivePopup(application) : Handle();
    if (!top || top == application || !IsWindowVisible(top) || !IsWindowEnabled(top)) top = Handle();
    SetForegroundWindow(top);
}

void TfrmQuorlet::DropFileTarget1Enter(HWND, TCell* cell) {
    BringApplicationToFront();
    if (ActiveModalWindow(Handle())) return;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ProcessMessages();
    BringApplicationToFront();
    if (cell) FStatusLine.SetPanel(0, CellHintText(*cell));
    // A drag cannot end on the Quorlet Tab: the first button tab sheet comes up.
    if (AppSettingXml().ShowAppPanel && FPageControl.ActivePage() == 0) FPageControl.SetActivePage(1);
}

void TfrmQuorlet::DropFileTarget1DragOver(DWORD keyState, POINT screenPoint) {
    // With Ctrl held the pages follow the drag over their tabs, as they follow
    // the pointer, while the keyboard is on the window itself: the window
    // hands its keys to the cells of the shown page, so the focus there is
    // the window's, and only a control of it (the tab strip) stops this.
    const TSheetWindow* shown = FFindPage.Shown() ? FFindPage.Sheet() : FPageControl.ShownSheet();
    const HWND focus = GetFocus();
    if (!(keyState & MK_CONTROL) || !(focus == Handle() || (shown && focus == shown->Handle()))) return;
    const int page = FPageControl.PageAt(screenPoint);
    if (page <= 0 || page == FPageControl.ActivePage()) return;
    FPageControl.SetActivePage(page);
}

void TfrmQuorlet::DropFileTarget1Drop(TCell* cell, const std::string& firstPath) {
    if (!cell || firstPath.empty()) return;
    // A dialog or box of the window waits for its answer: it comes first.
    if (BringModalToFront()) return;
    const int32_t id = cell->ButtonId;
    const TDroppedButton dropped =
        AssignDroppedPath(FPlatform, AppSettingXml().AnalyseLinkFile, id, firstPath, [this](const std::string& question) {
            // Asked where the user looks: the drag came from another window,
            // which still holds the front.
            BringApplicationToFront();
            return AskYesNo(question, true);
        });
    if (!dropped.Assigned) return;
    // Found again: the cell the drop began on may be gone after a question.
    TCell* target = FPageControl.BuiltCell(ButtonSheet(id), id);
    if (!target) return;
    target->SetPicture(GetFileIcon(FPlatform, dropped.IconFile, dropped.IconNumber, FScale.IconSize()));
    target->SetHint(dropped.Description);
}

}  // namespace quorlet
