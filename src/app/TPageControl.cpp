#include "app/TPageControl.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "app/MainControls.h"
#include "launcher/ButtonEditing.h"
#include "win32/ErrorBoundary.h"

namespace quorlet {

namespace {

// Room on a page for the two rows of cells and a little more, at 96 DPI.
const int kSheetHeight = 2 * kCellSize + 4;

}  // namespace

TPageControl::~TPageControl() = default;

void TPageControl::Create(HINSTANCE instance, HWND parent) {
    FInstance = instance;
    FHandle = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0,
                              FScale.Px(kClientWidth), 100, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdMorePageControl)), instance, nullptr);
    SetFont(nullptr);
    FSheetBounds = {0, 0, FScale.Px(kClientWidth), FScale.Px(2 * kCellSize)};
    SetWindowSubclass(FHandle, &TPageControl::StripProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void TPageControl::AddPage(const std::string& caption) {
    FPages.emplace_back();
    FPages.back().Caption = caption;
    // A page made while a swap or copy waits takes its cursor.
    FPages.back().CellCursor = FStripCursor;
    const int index = PageCount() - 1;
    if (index > 0 || FQuorletTabShown) InsertTab(TabOfPage(index), caption);
}

void TPageControl::InsertTab(int tab, std::string caption) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = &caption[0];
    SendMessageA(FHandle, TCM_INSERTITEMA, tab, reinterpret_cast<LPARAM>(&item));
}

void TPageControl::SetActivePage(int page) {
    if (page < 0 || page >= PageCount() || (page == 0 && !FQuorletTabShown)) return;
    // The page's content first: when it cannot be made, nothing has changed.
    EnsurePageContent(page);
    FActivePage = page;
    ShowActiveSheet();
}

void TPageControl::ShowQuorletTab(bool shown, const std::string& caption) {
    if (!FPages.empty()) FPages[0].Caption = caption;
    if (shown == FQuorletTabShown) return;
    FQuorletTabShown = shown;
    if (shown) {
        InsertTab(0, caption);
    } else {
        SendMessageA(FHandle, TCM_DELETEITEM, 0, 0);
        if (FActivePage == 0 && PageCount() > 1) FActivePage = 1;
    }
    ShowActiveSheet();
}

void TPageControl::HideAllPages() {
    SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(-1), 0);
    for (TPage& page : FPages)
        if (page.Sheet) ShowWindow(page.Sheet->Handle(), SW_HIDE);
    FAllHidden = true;
}

TSheetWindow* TPageControl::ShownSheet() const {
    if (FAllHidden || FActivePage < 0 || FActivePage >= PageCount()) return nullptr;
    return FPages[FActivePage].Sheet.get();
}

void TPageControl::ShowActiveSheet() {
    FAllHidden = false;
    if (FActivePage >= 0) {
        EnsurePageContent(FActivePage);
        EnsureSheet(FActivePage);
        SendMessageA(FHandle, TCM_SETCURSEL, TabOfPage(FActivePage), 0);
    }
    for (int i = 0; i < PageCount(); ++i)
        if (FPages[i].Sheet) ShowWindow(FPages[i].Sheet->Handle(), i == FActivePage ? SW_SHOWNA : SW_HIDE);
    FEvents.ActivePageShown();
}

int TPageControl::PageOfTab(int tab) const { return quorlet::PageOfTab(tab, FQuorletTabShown); }

int TPageControl::PageAt(POINT screen) const {
    POINT client = screen;
    ScreenToClient(FHandle, &client);
    TCHITTESTINFO hit = {client, 0};
    const int tab = static_cast<int>(SendMessageA(FHandle, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return PageOfTab(tab);
}

void TPageControl::SetTabCaption(int page) {
    if (page == 0 && !FQuorletTabShown) return;
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = &FPages[page].Caption[0];
    SendMessageA(FHandle, TCM_SETITEMA, TabOfPage(page), reinterpret_cast<LPARAM>(&item));
}

void TPageControl::SetPageCaption(int page, const std::string& caption) {
    if (page < 0 || page >= PageCount()) return;
    FPages[page].Caption = caption;
    SetTabCaption(page);
}

void TPageControl::NumberCells(int k) {
    TPage& page = FPages[k];
    if (page.Sheet) {
        page.Sheet->SetPageIndex(k);
        for (const auto& cell : page.Sheet->Cells()) {
            const int32_t id = ButtonId(k, ButtonPosition(cell->ControlId()));
            cell->SetControlId(id);
            cell->ButtonId = id;
        }
    }
}

void TPageControl::ExchangePages(int a, int b) {
    if (a == b || a < 1 || b < 1 || a >= PageCount() || b >= PageCount()) return;
    std::swap(FPages[a], FPages[b]);
    NumberCells(a);
    NumberCells(b);
    SetTabCaption(a);
    SetTabCaption(b);
    if (FActivePage == a)
        FActivePage = b;
    else if (FActivePage == b)
        FActivePage = a;
    ShowActiveSheet();
}

void TPageControl::DeletePage(int k) {
    if (k < 1 || k >= PageCount()) return;
    SendMessageA(FHandle, TCM_DELETEITEM, TabOfPage(k), 0);
    FPages.erase(FPages.begin() + k);
    for (int page = k; page < PageCount(); ++page) NumberCells(page);
    if (FActivePage > k || FActivePage >= PageCount()) --FActivePage;
    if (FActivePage == 0 && !FQuorletTabShown) FActivePage = PageCount() > 1 ? 1 : -1;
    ShowActiveSheet();
}

void TPageControl::SetPendingCursor(HCURSOR cursor) {
    FStripCursor = cursor;
    for (int k = 1; k < PageCount(); ++k) {
        SetCellCursors(k, cursor);
        if (FPages[k].Sheet) FPages[k].Sheet->SetBodyCursor(cursor);
    }
}

void TPageControl::ApplyTabStyle(int tabStyle) {
    LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE) & ~static_cast<LONG_PTR>(TCS_BUTTONS | TCS_FLATBUTTONS);
    if (tabStyle == 1) style |= TCS_BUTTONS;
    if (tabStyle == 2) style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    SetWindowLongPtrA(FHandle, GWL_STYLE, style);
}

void TPageControl::SetFont(HFONT font) {
    HGDIOBJ shown = font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(shown), FALSE);
}

void TPageControl::Rescale() {
    for (TPage& page : FPages) {
        if (!page.Sheet) continue;
        page.Sheet->Rescale();
        // The Quorlet Tab's images are shown again by its owner.
        if (page.Sheet->PageIndex() == 0) continue;
        for (const auto& cell : page.Sheet->Cells()) FImages.LoadButtonImage(*cell, false);
    }
}

int TPageControl::Layout(int width) {
    // The strip's height follows its style and font; the page below it holds
    // the two rows of cells.
    RECT control = {0, 0, width, FScale.Px(kSheetHeight)};
    SendMessageA(FHandle, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&control));
    const int height = control.bottom - control.top;
    MoveWindow(FHandle, 0, 0, width, height, TRUE);
    RECT inside = {0, 0, width, height};
    SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inside));
    FSheetBounds = inside;
    for (TPage& page : FPages)
        if (page.Sheet)
            MoveWindow(page.Sheet->Handle(), inside.left, inside.top, inside.right - inside.left,
                       inside.bottom - inside.top, TRUE);
    return height;
}

TSheetWindow& TPageControl::EnsureSheet(int k) {
    TPage& page = FPages[k];
    if (!page.Sheet) {
        std::unique_ptr<TSheetWindow> sheet(new TSheetWindow(*this, FCellEvents, FScale, k));
        // A page without its window could show nothing and take no icons: the
        // action that needed it stops here, and the next one tries again.
        if (!sheet->Create(FInstance, GetParent(FHandle), FSheetBounds)) {
            const DWORD error = GetLastError();
            throw std::runtime_error("Cannot create the window of the tab sheet \"" + page.Caption + "\" (error " +
                                     std::to_string(error) + ").");
        }
        SetWindowPos(sheet->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        page.Sheet = std::move(sheet);
    }
    return *page.Sheet;
}

void TPageControl::EnsurePageContent(int k) {
    if (k < 0 || k >= PageCount() || FPages[k].ContentBuilt) return;
    TPage& page = FPages[k];
    if (k == 0) {
        FEvents.QuorletTabNeeded(EnsureSheet(0));
        page.ContentBuilt = true;
        return;
    }
    FEvents.ButtonGridNeeded();
    BuildButtonGrid(page, k);
}

void TPageControl::BuildButtonGrid(TPage& page, int k) {
    TSheetWindow& sheet = EnsureSheet(k);
    page.ContentBuilt = true;
    sheet.SetBodyCursor(FStripCursor);
    for (int position = 1; position <= kCellCount; ++position) {
        const int32_t id = ButtonId(k, position);
        const TCellPoint origin = CellOrigin(position);
        TCell& cell = sheet.AddCell(TCellKind::Grid, 0, id, origin.Left, origin.Top);
        cell.ButtonId = id;
        cell.SetCursor(page.CellCursor);
        FImages.LoadButtonImage(cell, false);
    }
    FEvents.ButtonGridBuilt(sheet);
}

TCell* TPageControl::FindCell(int sheet, int32_t id) {
    if (sheet < 1 || sheet >= PageCount()) return nullptr;
    EnsurePageContent(sheet);
    return FPages[sheet].Sheet ? FPages[sheet].Sheet->FindCell(id) : nullptr;
}

TCell* TPageControl::BuiltCell(int sheet, int32_t id) const {
    if (sheet < 1 || sheet >= PageCount() || !FPages[sheet].Sheet) return nullptr;
    return FPages[sheet].Sheet->FindCell(id);
}

void TPageControl::SetCellCursors(int sheet, HCURSOR cursor) {
    if (sheet < 0 || sheet >= PageCount()) return;
    FPages[sheet].CellCursor = cursor;
    if (FPages[sheet].Sheet)
        for (const auto& cell : FPages[sheet].Sheet->Cells()) cell->SetCursor(cursor);
}

void TPageControl::KeepOnlySelectedTabPressed() {
    // A tab chosen with the arrow keys leaves the one before it marked as
    // pressed (Wine's tab control does): a click on another tab is then taken
    // for one more of several pressed buttons and selects nothing.
    const int selected = static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
    const int count = static_cast<int>(SendMessageA(FHandle, TCM_GETITEMCOUNT, 0, 0));
    for (int tab = 0; tab < count; ++tab) {
        if (tab == selected) continue;
        TCITEMA item = {};
        item.mask = TCIF_STATE;
        item.dwStateMask = TCIS_BUTTONPRESSED;
        SendMessageA(FHandle, TCM_SETITEMA, tab, reinterpret_cast<LPARAM>(&item));
    }
}

bool TPageControl::HandleNotify(const NMHDR& header) {
    if (header.hwndFrom != FHandle || header.code != TCN_SELCHANGE) return false;
    KeepOnlySelectedTabPressed();
    const int tab = static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
    if (tab < 0) return true;
    try {
        SetActivePage(PageOfTab(tab));
    } catch (...) {
        // The page could not be shown: the strip goes back to the page that is.
        if (FActivePage >= 0) SendMessageA(FHandle, TCM_SETCURSEL, TabOfPage(FActivePage), 0);
        throw;
    }
    FEvents.MorePageControlChange();
    return true;
}

void TPageControl::MorePageControlMouseMove(TShiftState shift, int x, int y) {
    FEvents.PointerOverBackground();
    if (shift != ssCtrl) return;
    TCHITTESTINFO hit = {{x, y}, 0};
    const int tab = static_cast<int>(SendMessageA(FHandle, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    // Over the strip but beside the tabs nothing is selected.
    if (tab < 0) return;
    const int page = PageOfTab(tab);
    if (page != FActivePage) SetActivePage(page);
}

void TPageControl::DrawStrip(HDC dc) {
    // As the strip draws itself on the screen: its class background, then
    // the tabs.
    DefSubclassProc(FHandle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    DefSubclassProc(FHandle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

LRESULT CALLBACK TPageControl::StripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
    TPageControl* strip = reinterpret_cast<TPageControl*>(data);
    // 1: the message is answered here and goes no further.
    const int handled = RunGuarded(hwnd, 0, [&] {
        if (strip->FStripPicture.Handle(hwnd, message)) return 1;
        switch (message) {
        case WM_MOUSEMOVE:
            // Keys from the message, Alt from the keyboard: the whole set counts.
            strip->MorePageControlMouseMove(MouseShiftState(wParam), static_cast<short>(LOWORD(lParam)),
                                            static_cast<short>(HIWORD(lParam)));
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (strip->FEvents.TabStripKeyDown(static_cast<UINT>(wParam), KeyboardShiftState())) return 1;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            strip->FEvents.TabStripKeyUp();
            break;
        case WM_CHAR:
            if (strip->FEvents.TabStripChar(static_cast<char>(wParam))) return 1;
            break;
        case WM_CONTEXTMENU:
            strip->FEvents.MorePageControlContextPopup(
                {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return 1;
        case WM_SETCURSOR:
            if (strip->FStripCursor && LOWORD(lParam) == HTCLIENT) {
                SetCursor(strip->FStripCursor);
                return 1;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &TPageControl::StripProc, 1);
            break;
        default:
            break;
        }
        return 0;
    });
    if (handled) return message == WM_SETCURSOR ? TRUE : 0;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace quorlet
