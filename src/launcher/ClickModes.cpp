#include "launcher/ClickModes.h"

namespace quorlet {

TClickMode CellClickMode(TShiftState clickShift, bool hasRecord, bool ignoreBlankButton) {
    TClickMode mode;
    if (!hasRecord) {
        if (!ignoreBlankButton || clickShift == (ssAlt | ssLeft)) mode.Action = caNewButton;
        return mode;
    }
    if (clickShift == (ssAlt | ssLeft)) {
        mode.Action = caProperties;
    } else if (clickShift == (ssCtrl | ssLeft)) {
        mode.Action = caExplorerFolder;
    } else {
        mode.Action = caLaunch;
        mode.KeepVisible = clickShift == (ssShift | ssLeft);
    }
    return mode;
}

TClickMode LastClickMode(TShiftState clickShift, bool hasRecord) {
    TClickMode mode;
    if (!hasRecord) return mode;
    if (clickShift == (ssCtrl | ssLeft)) {
        mode.Action = caExplorerFolder;
    } else {
        // Alt has no properties here: like Shift, it launches and keeps the window.
        mode.Action = caLaunch;
        mode.KeepVisible = clickShift == (ssAlt | ssLeft) || clickShift == (ssShift | ssLeft);
    }
    return mode;
}

std::string StatusHintPrefix(TShiftState keyShift, bool quorletTabShown, int activePage) {
    if (quorletTabShown && activePage == 0) return std::string();
    const TShiftState keys = KeyModifiers(keyShift);
    if (keys == ssCtrl) return "Explorer - ";
    if (keys == ssAlt) return "Config - ";
    return std::string();
}

}  // namespace quorlet
