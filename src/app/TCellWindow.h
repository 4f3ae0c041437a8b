#pragma once
// A framed 34x34 panel with one 32x32 image: a cell of a button tab sheet, a
// recent or most-used image, or a command icon of the Quorlet Tab. It owns its
// icon, keeps its hint as its window text and reports the mouse to its owner.

#include <functional>
#include <string>

#include "app/ClickModes.h"
#include "platform/TWindowBase.h"
#include "shell/OwnedIcon.h"

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

    TCellKind Kind() const { return FKind; }
    // Slot 1..6 of a recent or most-used image.
    int Slot() const { return FSlot; }
    // The button identifier the image shows (0 = none).
    int ButtonId = 0;

    void SetPicture(TOwnedIcon icon);
    // The picture is made when the cell is first painted: pages that are not
    // shown cost nothing at start.
    void SetPictureLoader(std::function<TOwnedIcon()> loader);
    bool HasPicture() const { return static_cast<bool>(FIcon) || static_cast<bool>(FLoader); }
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
    void MouseDown(TShiftFlag button, WPARAM keys);
    void MouseUp(TShiftFlag button, WPARAM keys, LPARAM position);
    void MouseMove();

    ICellEvents& FEvents;
    TCellKind FKind;
    int FSlot;
    TOwnedIcon FIcon;
    std::function<TOwnedIcon()> FLoader;
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
