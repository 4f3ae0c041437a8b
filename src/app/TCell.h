#pragma once
// A framed 34x34 panel with one 32x32 image on a page (at 96 DPI; both grow
// with the monitor's density): a cell of a button tab sheet, a recent or
// most-used image, or a command icon of the Quorlet Tab. It
// owns its icon and keeps its hint. Cells are no windows of their own: their
// page draws them, finds them under the pointer and answers for them to other
// processes and to accessibility tools (TSheetWindow).

#include <cstdint>
#include <string>

#include <windows.h>

#include "app/TIconLoader.h"
#include "launcher/ClickModes.h"
#include "shell/OwnedIcon.h"

namespace quorlet {

class TCell;
class TSheetWindow;

// The main window's side of a cell.
class ICellEvents {
public:
    virtual ~ICellEvents() = default;
    virtual void CellMouseDown(TCell& cell, TShiftFlag button, TShiftState shift) = 0;
    virtual void CellMouseUp(TCell& cell, TShiftFlag button, TShiftState shift) = 0;
    virtual void CellClick(TCell& cell) = 0;
    // The pointer entered the cell, or its hint changed while the pointer is over it.
    virtual void CellHintShown(TCell& cell) = 0;
    // The pointer left the cell.
    virtual void CellLeft(TCell& cell) = 0;
    // A context menu was asked for over the cell, at this screen point (the
    // menu key and Shift+F10 ask for the focused cell's at the cell).
    virtual void CellContextPopup(TCell& cell, POINT screen) = 0;

    // The keyboard. A key went down on a page; the modifiers held with it.
    // True when the form took it (the page then does nothing more with it).
    virtual bool SheetKeyDown(TSheetWindow& sheet, UINT key, TShiftState shift) = 0;
    // A key came up on a page.
    virtual void SheetKeyUp(TSheetWindow& sheet, UINT key) = 0;
    // A character was typed on a page (WM_CHAR); true when the form took it.
    virtual bool SheetChar(TSheetWindow& sheet, char c) = 0;
    // The keyboard focus went to the cell (its page has the focus).
    virtual void CellFocused(TCell& cell) = 0;
    // Enter on the focused cell, with the modifiers held (Alt+Enter included).
    virtual void CellEnter(TCell& cell, TShiftState shift) = 0;
    // Delete on the focused cell.
    virtual void CellDeleteKey(TCell& cell) = 0;
};

// How a cell's frame looks.
enum class TCellFrame {
    Normal,        // outer frame raised
    LeftPressed,   // inner frame lowered, outer raised
    RightPressed,  // outer frame lowered
};

// Find: a result on the find page, which shows a button's or a Start Menu
// shortcut's picture and hint.
enum class TCellKind { Grid, Recent, Top, Command, Find };

class TCell {
public:
    // left and top: the place on the page at 96 DPI.
    TCell(TSheetWindow& page, TCellKind kind, int slot, int controlId, int left, int top);
    ~TCell();
    TCell(const TCell&) = delete;
    TCell& operator=(const TCell&) = delete;

    TCellKind Kind() const { return FKind; }
    // Slot 1..6 of a recent or most-used image.
    int Slot() const { return FSlot; }
    // The cell's identifier on its page: a grid cell's is its button
    // identifier, the Quorlet Tab's cells have the ones of MainControls.h.
    int ControlId() const { return FControlId; }
    // A grid cell takes the identifier of its new place when its page moves.
    void SetControlId(int controlId) { FControlId = controlId; }
    // Where the cell stands on its page, in pixels.
    const RECT& Bounds() const { return FBounds; }
    // Takes its bounds from the page's density again.
    void Place();
    TSheetWindow& Page() const { return FPage; }
    // The button identifier the image shows (0 = none).
    int32_t ButtonId = 0;

    void SetPicture(TOwnedIcon icon);
    // The picture comes from the icon loader: until it arrives the cell shows
    // its frame only. A later SetPicture or LoadPicture wins over it.
    void LoadPicture(TIconLoader& loader, const TIconLoader::TIconKey& key);
    // The loader finished a ticket; false when it was not this cell's.
    bool PictureLoaded(uint64_t ticket);
    bool HasPicture() const { return static_cast<bool>(FIcon) || PictureLoading(); }
    bool PictureLoading() const { return FTicket != 0; }

    void SetHint(const std::string& hint);
    // The same from a buffer: no allocation once the hint has its room.
    void SetHint(const char* hint);
    const std::string& Hint() const { return FHint; }
    void SetFrame(TCellFrame frame);
    TCellFrame Frame() const { return FFrame; }
    void SetCursor(HCURSOR cursor) { FCursor = cursor; }
    HCURSOR Cursor() const { return FCursor; }
    // Command icons without a panel draw no frame.
    void SetFramed(bool framed) { FFramed = framed; }
    // A hidden cell is neither drawn nor found under the pointer.
    void SetVisible(bool visible);
    bool Visible() const { return FVisible; }
    // A selected cell is drawn as the system draws a selected item.
    void SetSelected(bool selected);
    bool Selected() const { return FSelected; }
    // A picture drawn over the icon, as the shell draws its overlays (the
    // shortcut arrow of a Start Menu result); the caller keeps it alive.
    void SetOverlay(HICON overlay);

    // Draws the cell on its page's device context.
    void PaintTo(HDC dc);

private:
    void Invalidate();
    // An icon still on its way is no longer wanted.
    void CancelPicture();

    TSheetWindow& FPage;
    TCellKind FKind;
    int FSlot;
    int FControlId;
    int FLeft, FTop;  // at 96 DPI
    RECT FBounds = {};
    TOwnedIcon FIcon;
    TIconLoader* FLoader = nullptr;
    uint64_t FTicket = 0;  // the icon on its way, 0 for none
    std::string FHint;
    TCellFrame FFrame = TCellFrame::Normal;
    HCURSOR FCursor = nullptr;
    bool FFramed = true;
    bool FVisible = true;
    bool FSelected = false;
    HICON FOverlay = nullptr;
};

// The modifier set of a mouse message: keys and buttons from its flags, Alt
// from the keyboard state.
TShiftState MouseShiftState(WPARAM keys);
// The modifiers held now.
TShiftState KeyboardShiftState();

}  // namespace quorlet
