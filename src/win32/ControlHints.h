#pragma once
// Hints (tooltips) of a dialog's controls.

#include <initializer_list>

#include <windows.h>

namespace quorlet {

struct TControlHint {
    HWND Control;
    const char* Text;
};

// One tooltip window owned by dialog showing each hint over its control;
// null when it cannot be made. It goes with the dialog.
HWND AddControlHints(HWND dialog, std::initializer_list<TControlHint> hints);

}  // namespace quorlet
