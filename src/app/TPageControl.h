#pragma once
// MorePageControl: the tab strip with its pages. Page 0 is the Quorlet Tab,
// pages 1..N the button tab sheets with their grids of twenty cells. A page's
// body and cells are made when the page is first shown or its cells are
// first needed, which keeps the start short.

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "app/TButtonImages.h"
#include "app/TCell.h"
#include "app/TSheetWindow.h"
#include "win32/ControlPicture.h"

namespace quorlet {

// The form's side of the page control.
class IPageControlEvents {
public:
    virtual ~IPageControlEvents() = default;
    // The user chose a tab; the page is active already. Never called for a
    // change the program makes.
    virtual void MorePageControlChange() = 0;
    // The Quorlet Tab's body is shown, or its images needed, for the first
    // time; asked again next time when it failed.
    virtual void QuorletTabNeeded(TSheetWindow& sheet) = 0;
    // A button tab sheet's grid is about to be built from the settings document.
    virtual void ButtonGridNeeded() = 0;
    // The pointer moved over the tab strip or a page's body, not over a cell.
    virtual void PointerOverBackground() = 0;
    // A key went down while the tab strip had the focus, with the modifiers
    // held; true when the form took it (the strip then does nothing with it).
    virtual bool TabStripKeyDown(UINT key, TShiftState shift) = 0;
    // A key came up while the tab strip had the focus.
    virtual void TabStripKeyUp() = 0;
    // A character was typed on the tab strip; true when the form took it.
    virtual bool TabStripChar(char c) = 0;
    // A context menu was asked for over the tab strip, at this screen point.
    virtual void MorePageControlContextPopup(POINT screen) = 0;
    // A button tab sheet's grid of cells was built on its page body.
    virtual void ButtonGridBuilt(TSheetWindow& sheet) = 0;
    // The active page was shown (by the user or the program).
    virtual void ActivePageShown() = 0;
};

class TPageControl : private ISheetEvents {
public:
    // scale: the main window's density, followed as it changes.
    TPageControl(IPageControlEvents& events, ICellEvents& cellEvents, TButtonImages& images, const TDpiScale& scale)
        : FEvents(events), FCellEvents(cellEvents), FImages(images), FScale(scale) {}
    ~TPageControl() override;
    TPageControl(const TPageControl&) = delete;
    TPageControl& operator=(const TPageControl&) = delete;

    void Create(HINSTANCE instance, HWND parent);
    HWND Handle() const { return FHandle; }

    // Appends a page whose tab shows caption (page 0 first: the Quorlet Tab).
    void AddPage(const std::string& caption);
    int PageCount() const { return static_cast<int>(FPages.size()); }
    // The active page, -1 for none.
    int ActivePage() const { return FActivePage; }
    // A page change made by the program: no sound, no MorePageControlChange.
    void SetActivePage(int page);
    bool QuorletTabShown() const { return FQuorletTabShown; }
    // Shows or hides the Quorlet Tab's tab (its caption when shown).
    void ShowQuorletTab(bool shown, const std::string& caption);
    // The page whose tab lies under a screen point, -1 for none.
    int PageAt(POINT screen) const;
    const std::string& PageCaption(int page) const { return FPages[page].Caption; }
    void SetPageCaption(int page, const std::string& caption);
    // Pages a and b (1 or more) change places with their tabs; their cells take
    // the identifiers of their new places. The active page stays active.
    void ExchangePages(int a, int b);
    // Removes button tab sheet k; the pages after it move one place down and
    // their cells take the identifiers of their new places (the caller shows
    // what is stored there). The page now at k becomes active, or the last page.
    void DeletePage(int k);
    // The pages a pending swap or copy covers: the strip, every button tab
    // sheet and every cell of them (null: the usual cursors again).
    void SetPendingCursor(HCURSOR cursor);
    // Tabs (0), buttons (1) or flat buttons (2).
    void ApplyTabStyle(int tabStyle);
    // The tabs' font (null: the system's usual one).
    void SetFont(HFONT font);
    // Sizes the strip for the two rows of cells; returns its height.
    int Layout(int width);
    // The density changed: the built pages place their cells again and show
    // their images at the new size.
    void Rescale();

    // The cells of page k are made when needed; page 0 calls QuorletTabNeeded.
    void EnsurePageContent(int k);
    TSheetWindow& EnsureSheet(int k);
    // FindCell: the cell of button tab sheet `sheet` whose identifier is id.
    TCell* FindCell(int sheet, int32_t id);
    // The same without building the page: null while its cells are not made.
    TCell* BuiltCell(int sheet, int32_t id) const;
    void SetCellCursors(int sheet, HCURSOR cursor);

    // WM_NOTIFY of the parent: true when it was the strip's own and is handled.
    bool HandleNotify(const NMHDR& header);
    // The page body's place in the parent's client area.
    const RECT& SheetBounds() const { return FSheetBounds; }
    // While the find page is up, no page shows and no tab is selected; the
    // active page stays what it was and shows again with ShowActivePage.
    void HideAllPages();
    void ShowActivePage() { ShowActiveSheet(); }
    // The shown page's body, null while none shows.
    TSheetWindow* ShownSheet() const;

private:
    struct TPage {
        std::unique_ptr<TSheetWindow> Sheet;
        bool ContentBuilt = false;
        HCURSOR CellCursor = nullptr;
        std::string Caption;
    };

    // The cells of page k carry k * 100 + their position.
    void NumberCells(int k);
    void SetTabCaption(int page);

    void BuildButtonGrid(TPage& page, int k);
    void InsertTab(int tab, std::string caption);
    int PageOfTab(int tab) const;
    int TabOfPage(int page) const { return FQuorletTabShown ? page : page - 1; }
    void ShowActiveSheet();
    void KeepOnlySelectedTabPressed();
    void MorePageControlMouseMove(TShiftState shift, int x, int y);
    void SheetMouseMove() override { FEvents.PointerOverBackground(); }
    void TabSheetMainContextPopup() override {}  // handled: the body of a page has no menu
    static LRESULT CALLBACK StripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);
    void DrawStrip(HDC dc);

    IPageControlEvents& FEvents;
    ICellEvents& FCellEvents;
    TButtonImages& FImages;
    const TDpiScale& FScale;
    HINSTANCE FInstance = nullptr;
    HWND FHandle = nullptr;
    std::vector<TPage> FPages;
    int FActivePage = -1;
    bool FAllHidden = false;
    bool FQuorletTabShown = true;
    HCURSOR FStripCursor = nullptr;
    RECT FSheetBounds = {};
    // The strip paints from a picture of itself until something changes it.
    TControlPicture FStripPicture{[this](HDC dc) { DrawStrip(dc); },
                                  {TCM_GETITEMRECT, TCM_HITTEST, TCM_GETCURSEL, TCM_GETITEMCOUNT, TCM_ADJUSTRECT,
                                   TCM_GETROWCOUNT, TCM_GETITEMA, TCM_GETITEMW, TCM_GETCURFOCUS}};
};

}  // namespace quorlet
