#pragma once
// The body of one page of the tab control: a window that holds the page's
// cells. It draws them, finds the one under the pointer and reports presses,
// clicks, hints and leaving to the form; it answers other processes'
// questions about them (win32/ProgramMessages.h) and shows them to
// accessibility tools as its push-button children. The body itself opens no
// context menu and has no hint of its own.

#include <functional>
#include <memory>
#include <vector>

#include "app/TCell.h"
#include "launcher/DpiScale.h"
#include "win32/ControlPicture.h"
#include "win32/ProgramMessages.h"
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
    TSheetWindow(ISheetEvents& events, ICellEvents& cellEvents, const TDpiScale& scale, int pageIndex)
        : FEvents(events), FCellEvents(cellEvents), FScale(scale), FPageIndex(pageIndex) {}
    ~TSheetWindow() override;

    bool Create(HINSTANCE instance, HWND parent, const RECT& bounds);
    int PageIndex() const { return FPageIndex; }
    void SetPageIndex(int pageIndex);
    // A vertical raised line at this x (Bevel1 of the Quorlet Tab); -1 for
    // none. At 96 DPI, like the places of cells.
    void SetBevel(int x, int top, int height);
    const TDpiScale& Scale() const { return FScale; }
    // The density changed: the cells take their new bounds.
    void Rescale();

    TCell& AddCell(TCellKind kind, int slot, int controlId, int left, int top);
    const std::vector<std::unique_ptr<TCell>>& Cells() const { return FCells; }
    TCell* FindCell(int controlId) const;
    // The shown cell at this point of the client area, or null.
    TCell* CellAt(POINT point) const;
    // Called by a cell whose hint changed.
    void CellHintChanged(TCell& cell);
    // This part (null: all) looks different now and is drawn again.
    void Repaint(const RECT* part, bool erase);
    // The pointer over the body between the cells (null: the class cursor).
    void SetBodyCursor(HCURSOR cursor) { FBodyCursor = cursor; }
    // Called as the window is destroyed (null: nothing). A handler in place
    // of a subclass, which would look up a window property for every message.
    void SetDestroyedHandler(std::function<void()> handler) { FDestroyed = std::move(handler); }

    // The keyboard: the cell that has the focus while the page has it (null
    // before the page first had it). The arrows, Home and End move it
    // (launcher/CellFocus.h); Enter, Delete, the menu key and Shift+F10 act on
    // it through the cell events. Its focus rectangle shows once the keyboard
    // has been used (the window's keyboard cues).
    TCell* FocusCell() const { return FFocusCell; }
    // The page has the keyboard focus.
    bool HasFocus() const { return FHasFocus; }
    // Gives the focus to cell (one of this page's, shown); when the page has
    // the keyboard focus, the cell events and accessibility tools hear of it.
    void SetFocusCell(TCell* cell);
    // A cell about to go or to hide: the focus leaves it.
    void ForgetCell(const TCell& cell);
    // An icon a cell let go of, destroyed once the page has painted what
    // changed: a find that gives twenty cells new pictures is on the screen
    // before the old ones are paid for.
    void DisposeLater(TOwnedIcon icon);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void DrawCells(HDC dc, const RECT& area);
    void MouseDown(TShiftFlag button, WPARAM keys, LPARAM position);
    void MouseUp(TShiftFlag button, WPARAM keys, LPARAM position);
    void MouseMove(LPARAM position);
    void MouseLeft();
    bool SetCellCursor();
    LRESULT AnswerCellQuestion(UINT message, WPARAM id) const;
    // WM_KEYDOWN and WM_SYSKEYDOWN; true when the key was used here.
    bool KeyDown(UINT key);
    // The focus moves over the shown cells.
    void MoveFocus(int move);
    // The focus rectangle is drawn: the page has the focus and the window's
    // keyboard cues are shown.
    bool FocusShown() const;
    void InvalidateFocus();

    ISheetEvents& FEvents;
    ICellEvents& FCellEvents;
    const TDpiScale& FScale;
    int FPageIndex;
    int FBevelX = -1, FBevelTop = 0, FBevelHeight = 0;
    std::vector<std::unique_ptr<TCell>> FCells;
    TCell* FPressedCell = nullptr;  // under the left button, while it is down
    TCell* FHoverCell = nullptr;    // under the pointer
    TCell* FFocusCell = nullptr;    // the keyboard's
    bool FHasFocus = false;
    bool FTracking = false;
    HCURSOR FBodyCursor = nullptr;
    std::function<void()> FDestroyed;
    // The cells are drawn into a picture of the page and copied from there:
    // a window shown again copies it instead of drawing every icon.
    TControlPicture FPicture{[this](HDC dc) {
                                 RECT area;
                                 GetClipBox(dc, &area);
                                 DrawCells(dc, area);
                             },
                             {}};
    std::vector<TOwnedIcon> FDisposed;
};

}  // namespace quorlet
