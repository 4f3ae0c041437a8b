// Tab sheets and the button grid: building the pages and their cells, icons
// and hints of the cells, and the user's change of tab sheet.
#include <windows.h>
#include <commctrl.h>

#include "app/ClickSound.h"
#include "app/MainControls.h"
#include "app/UMain.h"
#include "settings/FileIo.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "shell/ShellServices.h"

namespace quorlet {

namespace {

// Room on a page for the two rows of cells and a little more.
const int kSheetHeight = 2 * kCellSize + 4;

}  // namespace

void TfrmQuorlet::CreatePageControl() {
    FPageControl = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                                   0, 0, ClientWidth, 100, Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdMorePageControl)), FInstance, nullptr);
    SendMessageA(FPageControl, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetWindowSubclass(FPageControl, &TfrmQuorlet::PageControlProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void TfrmQuorlet::BuildTabSheets() {
    TAppSettingXml& settings = AppSettingXml();
    // The records first: the first page's icons can then load on a worker
    // thread while the controls are made.
    settings.LoadGroups();
    TBtnSettingXml& buttons = BtnSettingXml();
    buttons.LoadButtonsDoc();
    PrefetchStartPageIcons();

    CreatePageControl();
    CreateStatusBar();
    AddPage(settings.FavoriteGroup);
    for (const std::string& group : settings.GroupNames) AddPage(group);
    for (int k = 1; k < PageCount(); ++k) CollectRankingInputs(k);
}

void TfrmQuorlet::CollectRankingInputs(int k) {
    TBtnSettingXml& store = BtnSettingXml();
    for (int position = 1; position <= kCellCount; ++position) {
        const int32_t id = ButtonId(k, position);
        if (!store.ReadButtonBrief(id)) continue;
        ButtonIdList.push_back(std::to_string(id));
        RunCountList.push_back(std::to_string(store.TotolRunTimes));
    }
}

void TfrmQuorlet::EnsureButtonGrid(int k) {
    if (k < 1 || k >= PageCount() || FPages[k].GridBuilt) return;
    if (!FCreating) BtnSettingXml().LoadButtonsDoc();
    BuildButtonGrid(FPages[k], k);
}

void TfrmQuorlet::AddPage(const std::string& caption) {
    FPages.emplace_back();
    const int index = PageCount() - 1;
    if (index > 0 || FQuorletTabShown) InsertTab(TabOfPage(index), caption);
}

void TfrmQuorlet::InsertTab(int tab, std::string caption) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = &caption[0];
    SendMessageA(FPageControl, TCM_INSERTITEMA, tab, reinterpret_cast<LPARAM>(&item));
}

void TfrmQuorlet::EnsurePageContent(int k) {
    if (k == 0)
        EnsureQuorletTab();
    else
        EnsureButtonGrid(k);
}

TSheetWindow& TfrmQuorlet::EnsureSheet(int k) {
    TPage& page = FPages[k];
    if (!page.Sheet) {
        // Like the grids, a page's body is made when it is first needed.
        page.Sheet.reset(new TSheetWindow(*this, k));
        page.Sheet->Create(FInstance, Handle(), FSheetBounds);
        SetWindowPos(page.Sheet->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return *page.Sheet;
}

void TfrmQuorlet::BuildButtonGrid(TPage& page, int k) {
    page.GridBuilt = true;
    for (int position = 1; position <= kCellCount; ++position) {
        const int32_t id = ButtonId(k, position);
        const TCellPoint origin = CellOrigin(position);
        std::unique_ptr<TCellWindow> cell(new TCellWindow(*this, TCellKind::Grid, 0));
        cell->Create(FInstance, EnsureSheet(k).Handle(), id, origin.Left, origin.Top);
        cell->ButtonId = id;
        cell->SetCursor(page.CellCursor);
        LoadButtonImage(*cell, false);
        page.Cells.push_back(std::move(cell));
    }
}

TButtonBrief TfrmQuorlet::LoadButtonImage(TCellWindow& image, bool reload) {
    TBtnSettingXml& store = BtnSettingXml();
    if (reload && !FCreating) store.LoadButtonsDoc();
    TButtonBrief brief;
    brief.Exists = image.ButtonId != 0 && store.ReadButtonBrief(image.ButtonId);
    if (brief.Exists) {
        brief.Description = store.Description;
        brief.HotKey = store.HotKey;
        if (FileExistsOnDisk(store.IconFile) || DirectoryExistsOnDisk(store.IconFile)) {
            const std::string iconFile = store.IconFile;
            const int32_t iconNumber = store.IconNumber;
            image.SetPictureLoader([this, iconFile, iconNumber] {
                TOwnedIcon icon;
                if (!FIconPrefetcher.Take({iconFile, iconNumber}, icon)) icon = GetFileIcon(iconFile, iconNumber);
                return icon;
            });
        } else {
            HICON missed = static_cast<HICON>(ImageMissedIcon.Get());
            image.SetPicture(TOwnedIcon(Platform(), missed ? CopyIcon(missed) : nullptr));
        }
    } else {
        image.SetPicture(TOwnedIcon());
    }
    image.SetHint(ButtonHint(brief));
    return brief;
}

void TfrmQuorlet::ReloadCell(TCellWindow& cell) { LoadButtonImage(cell, true); }

TCellWindow* TfrmQuorlet::FindCell(int sheet, int32_t id) {
    if (sheet < 0 || sheet >= PageCount()) return nullptr;
    EnsurePageContent(sheet);
    for (const auto& cell : FPages[sheet].Cells)
        if (cell->Kind() == TCellKind::Grid && cell->ButtonId == id) return cell.get();
    return nullptr;
}

void TfrmQuorlet::SetCellCursors(int sheet, HCURSOR cursor) {
    if (sheet < 0 || sheet >= PageCount()) return;
    FPages[sheet].CellCursor = cursor;
    for (const auto& cell : FPages[sheet].Cells) cell->SetCursor(cursor);
}

void TfrmQuorlet::LayoutWindow() {
    // The tab strip's height follows its style and font; the page below it
    // holds the two rows of cells.
    RECT display = {0, 0, ClientWidth, kSheetHeight};
    RECT control = display;
    SendMessageA(FPageControl, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&control));
    const int controlHeight = control.bottom - control.top;
    MoveWindow(FPageControl, 0, 0, ClientWidth, controlHeight, TRUE);
    RECT inside = {0, 0, ClientWidth, controlHeight};
    SendMessageA(FPageControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inside));
    FSheetBounds = inside;
    for (TPage& page : FPages)
        if (page.Sheet)
            MoveWindow(page.Sheet->Handle(), inside.left, inside.top, inside.right - inside.left,
                       inside.bottom - inside.top, TRUE);

    SendMessageA(FStatusBar, WM_SIZE, 0, 0);
    RECT status;
    GetWindowRect(FStatusBar, &status);
    const int statusHeight = status.bottom - status.top;
    RECT frame = {0, 0, ClientWidth, controlHeight + statusHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(FStatusBar, WM_SIZE, 0, 0);
}

void TfrmQuorlet::ApplyTabStyle(int tabStyle) {
    LONG_PTR style = GetWindowLongPtrA(FPageControl, GWL_STYLE) & ~static_cast<LONG_PTR>(TCS_BUTTONS | TCS_FLATBUTTONS);
    if (tabStyle == 1) style |= TCS_BUTTONS;
    if (tabStyle == 2) style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    SetWindowLongPtrA(FPageControl, GWL_STYLE, style);
    LayoutWindow();
}

void TfrmQuorlet::ShowQuorletTab(bool shown) {
    if (shown == FQuorletTabShown) return;
    FQuorletTabShown = shown;
    if (shown) {
        InsertTab(0, AppSettingXml().FavoriteGroup);
    } else {
        SendMessageA(FPageControl, TCM_DELETEITEM, 0, 0);
        if (FActivePage == 0 && PageCount() > 1) FActivePage = 1;
    }
    ShowActiveSheet();
}

int TfrmQuorlet::PageOfTab(int tab) const { return FQuorletTabShown ? tab : tab + 1; }

int TfrmQuorlet::TabOfPage(int page) const { return FQuorletTabShown ? page : page - 1; }

void TfrmQuorlet::SetActivePage(int page) {
    if (page < 0 || page >= PageCount() || (page == 0 && !FQuorletTabShown)) return;
    FActivePage = page;
    ShowActiveSheet();
}

void TfrmQuorlet::ShowActiveSheet() {
    if (FActivePage >= 0) {
        EnsurePageContent(FActivePage);
        EnsureSheet(FActivePage);
        SendMessageA(FPageControl, TCM_SETCURSEL, TabOfPage(FActivePage), 0);
    }
    for (int i = 0; i < PageCount(); ++i)
        if (FPages[i].Sheet) ShowWindow(FPages[i].Sheet->Handle(), i == FActivePage ? SW_SHOWNA : SW_HIDE);
}

void TfrmQuorlet::MorePageControlChange() {
    const int tab = static_cast<int>(SendMessageA(FPageControl, TCM_GETCURSEL, 0, 0));
    if (tab < 0) return;
    SetActivePage(PageOfTab(tab));
    TAppSettingXml& settings = AppSettingXml();
    settings.LastPanelIndex = FActivePage;
    if (!FQuorletTabShown || FActivePage != 0) SetStatusPanel(0, std::string());
    PlayClickSound(csTabsheet);
    SavedPageIndex = settings.LastPanelIndex;
}

void TfrmQuorlet::MorePageControlMouseMove(TShiftState shift, int x, int y) {
    SetApplicationHint(std::string());
    if (shift != ssCtrl) return;
    TCHITTESTINFO hit = {{x, y}, 0};
    const int tab = static_cast<int>(SendMessageA(FPageControl, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    // Over the strip but beside the tabs nothing is selected.
    if (tab < 0) return;
    const int page = PageOfTab(tab);
    if (page != FActivePage) SetActivePage(page);
}

void TfrmQuorlet::TabSheetMainContextPopup() {
    // Handled: the body of a page has no menu.
}

void TfrmQuorlet::SheetMouseMove() { SetApplicationHint(std::string()); }

LRESULT CALLBACK TfrmQuorlet::PageControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR data) {
    TfrmQuorlet* form = reinterpret_cast<TfrmQuorlet*>(data);
    switch (message) {
    case WM_MOUSEMOVE: {
        // Keys from the message, Alt from the keyboard: the whole set counts.
        TShiftState shift = MouseShiftState(wParam);
        form->MorePageControlMouseMove(shift, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        form->FormKeyDown();
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        form->FormKeyUp();
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &TfrmQuorlet::PageControlProc, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace quorlet
