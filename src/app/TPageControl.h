#pragma once
// MorePageControl: the tab strip with its pages. Page 0 is the Quorlet Tab,
// pages 1..N the button tab sheets with their grids of twenty cells. A page's
// body and cells are made when the page is first shown or its cells are
// first needed, which keeps the start short.

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "app/TButtonImages.h"
#include "app/TCell.h"
#include "app/TSheetWindow.h"

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
    // A key went down or up while the tab strip had the focus.
    virtual void TabStripKey(bool down) = 0;
};

class TPageControl : private ISheetEvents {
public:
    TPageControl(IPageControlEvents& events, ICellEvents& cellEvents, TButtonImages& images)
        : FEvents(events), FCellEvents(cellEvents), FImages(images) {}
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
    // Tabs (0), buttons (1) or flat buttons (2).
    void ApplyTabStyle(int tabStyle);
    // Sizes the strip for the two rows of cells; returns its height.
    int Layout(int width);

    // The cells of page k are made when needed; page 0 calls QuorletTabNeeded.
    void EnsurePageContent(int k);
    TSheetWindow& EnsureSheet(int k);
    // FindCell: the cell of button tab sheet `sheet` whose identifier is id.
    TCell* FindCell(int sheet, int32_t id);
    void SetCellCursors(int sheet, HCURSOR cursor);

    // WM_NOTIFY of the parent: true when it was the strip's own and is handled.
    bool HandleNotify(const NMHDR& header);

private:
    struct TPage {
        std::unique_ptr<TSheetWindow> Sheet;
        bool ContentBuilt = false;
        HCURSOR CellCursor = nullptr;
    };

    void BuildButtonGrid(TPage& page, int k);
    void InsertTab(int tab, std::string caption);
    int PageOfTab(int tab) const { return FQuorletTabShown ? tab : tab + 1; }
    int TabOfPage(int page) const { return FQuorletTabShown ? page : page - 1; }
    void ShowActiveSheet();
    void MorePageControlMouseMove(TShiftState shift, int x, int y);
    void SheetMouseMove() override { FEvents.PointerOverBackground(); }
    void TabSheetMainContextPopup() override {}  // handled: the body of a page has no menu
    static LRESULT CALLBACK StripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);

    IPageControlEvents& FEvents;
    ICellEvents& FCellEvents;
    TButtonImages& FImages;
    HINSTANCE FInstance = nullptr;
    HWND FHandle = nullptr;
    std::vector<TPage> FPages;
    int FActivePage = -1;
    bool FQuorletTabShown = true;
    RECT FSheetBounds = {0, 0, kClientWidth, 2 * kCellSize};
};

}  // namespace quorlet
