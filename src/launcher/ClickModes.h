#pragma once
// Click modes: what a click on a button image does, decided by the modifier
// keys and mouse buttons held at the press, compared as a whole set (Alt with
// the left button opens the properties; Alt and Ctrl together with the left
// button is an ordinary launch). Also the prefix of the status-bar hint line,
// which announces the mode that exactly Ctrl or exactly Alt would pick.

#include <string>

namespace quorlet {

// One member of a modifier set.
enum TShiftFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
};

// A set of TShiftFlag members.
using TShiftState = unsigned;

// The keyboard part of a modifier set.
constexpr TShiftState kKeyModifiers = ssShift | ssAlt | ssCtrl;
constexpr TShiftState KeyModifiers(TShiftState shift) { return shift & kKeyModifiers; }

enum TClickAction {
    caNothing,         // the click does nothing
    caLaunch,          // start the button's target
    caProperties,      // open the button's properties (ActionBtn_Properties)
    caExplorerFolder,  // open the folder of the button's target (ActionBtn_ExplorerButtonPath)
    caNewButton,       // open the properties dialog for a new button on an empty cell
};

struct TClickMode {
    TClickAction Action = caNothing;
    // For caLaunch: the window stays visible even when HideAfterClicking is set.
    bool KeepVisible = false;
};

// A left click on a cell of a button tab sheet (ImageClick), once no swap or
// copy is pending. hasRecord: a launch button is stored under the cell.
TClickMode CellClickMode(TShiftState clickShift, bool hasRecord, bool ignoreBlankButton);

// A left click on a recent or most-used image of the Quorlet Tab
// (Image_LastClick). hasRecord: the image shows a launch button.
TClickMode LastClickMode(TShiftState clickShift, bool hasRecord);

// The text put before the hint in the status bar's hint line: "Explorer - " for
// exactly Ctrl, "Config - " for exactly Alt, nothing otherwise and nothing at all
// while the Quorlet Tab is shown and is the active page (activePage 0). Only the
// keys of keyShift count; mouse buttons in it are ignored.
std::string StatusHintPrefix(TShiftState keyShift, bool quorletTabShown, int activePage);

}  // namespace quorlet
