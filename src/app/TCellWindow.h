#pragma once
// A framed 34x34 panel with one 32x32 image: a cell of a button tab sheet, a
// recent or most-used image, or a command icon of the Quorlet Tab. It owns its
// icon, keeps its hint as its window text and reports the mouse to its owner.

#include <cstdint>
#include <string>

#include "app/TIconLoader.h"
#include "launcher/ClickModes.h"
#include "shell/OwnedIcon.h"
#include "win32/TWindowBase.h"

namespace quorlet {

class TCellWindow;

// The main window's side of a cell.
class ICellEvents {
public:
    virtual ~ICellEvents() = default;
    virtual void CellMouseDown(TCellWindow& cell, TShiftFlag button, TShiftState shift) = 0;
    virtual void CellMouseUp(TCellWindow& cell, TShiftFlag button, TShiftState shift) = 0;
    virtual void CellClick(TCellWindow& cell) = 0;
    // The pointer entered the cell, or its hint changed while the pointer is over it.
    virtual void CellHintShown(TCellWindow& cell) = 0;
    // The pointer left the cell.
    virtual void CellLeft(TCellWindow& cell) = 0;
};

// How a cell's frame looks.
enum class TCellFrame {
    Normal,        // outer frame raised
    LeftPressed,   // inner frame lowered, outer raised
    RightPressed,  // outer frame lowered
};

enum class TCellKind { Grid, Recent, Top, Command };

class TCellWindow : public TWindowBase {
public:
    TCellWindow(ICellEvents& events, TCellKind kind, int slot) : FEvents(events), FKind(kind), FSlot(slot) {}

    bool Create(HINSTANCE instance, HWND sheet, int controlId, int left, int top);
    // The cell of a window of the cell class, or null.
    static TCellWindow* FromHandle(HWND window);
    // Draws the cell at this place of its page's device context. The page
    // draws its cells in its own paint: a paint of each small cell window of
    // its own costs more than all the drawing.
    void PaintTo(HDC dc, int left, int top);

    TCellKind Kind() const { return FKind; }
    // Slot 1..6 of a recent or most-used image.
    int Slot() const { return FSlot; }
    // The button identifier the image shows (0 = none).
    int ButtonId = 0;

    void SetPicture(TOwnedIcon icon);
    // The picture comes from the icon loader: until it arrives the cell shows
    // its frame only. A later SetPicture or LoadPicture wins over it.
    void LoadPicture(TIconLoader& loader, const TIconLoader::TIconKey& key);
    bool HasPicture() const { return static_cast<bool>(FIcon) || PictureLoading(); }
    bool PictureLoading() const { return FTicket != 0; }
    void SetHint(const std::string& hint);
    const std::string& Hint() const { return FHint; }
    void SetFrame(TCellFrame frame);
    TCellFrame Frame() const { return FFrame; }
    void SetCursor(HCURSOR cursor) { FCursor = cursor; }
    // Command icons without a panel draw no frame.
    void SetFramed(bool framed) { FFramed = framed; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void Invalidate();
    void MouseDown(TShiftFlag button, WPARAM keys);
    void MouseUp(TShiftFlag button, WPARAM keys, LPARAM position);
    void MouseMove();
    void PictureLoaded(uint64_t ticket);

    ICellEvents& FEvents;
    TCellKind FKind;
    int FSlot;
    TOwnedIcon FIcon;
    TIconLoader* FLoader = nullptr;
    uint64_t FTicket = 0;  // the icon on its way, 0 for none
    std::string FHint;
    TCellFrame FFrame = TCellFrame::Normal;
    HCURSOR FCursor = nullptr;
    bool FFramed = true;
    bool FTracking = false;
    bool FLeftDown = false;
};

// The modifier set of a mouse message: keys and buttons from its flags, Alt
// from the keyboard state.
TShiftState MouseShiftState(WPARAM keys);
// The modifiers held now.
TShiftState KeyboardShiftState();

}  // namespace quorlet
