#pragma once
// The body of one page of the tab control: a plain window that holds the
// page's cells, opens no context menu and has no hint of its own.

#include "win32/TWindowBase.h"

namespace quorlet {

class ISheetEvents {
public:
    virtual ~ISheetEvents() = default;
    // The pointer moved over the body of the page (not over a cell).
    virtual void SheetMouseMove() = 0;
    // A context menu was asked for on the body; the answer is "handled".
    virtual void TabSheetMainContextPopup() = 0;
};

class TSheetWindow : public TWindowBase {
public:
    TSheetWindow(ISheetEvents& events, int pageIndex) : FEvents(events), FPageIndex(pageIndex) {}

    bool Create(HINSTANCE instance, HWND parent, const RECT& bounds);
    int PageIndex() const { return FPageIndex; }
    void SetPageIndex(int pageIndex);
    // A vertical raised line at this x (Bevel1 of the Quorlet Tab); -1 for none.
    void SetBevel(int x, int top, int height);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The page draws the cells on it (see TCellWindow::PaintTo).
    void PaintCells(HDC dc, const RECT& area);

    ISheetEvents& FEvents;
    int FPageIndex;
    int FBevelX = -1, FBevelTop = 0, FBevelHeight = 0;
};

}  // namespace quorlet
