#pragma once
// The global hot key (MainHotKeyManager): registered system-wide on a hidden
// window of its own under an identifier from the global atom table, one name
// per combination. WM_HOTKEY is reported to the form with that identifier.

#include <cstdint>
#include <functional>
#include <vector>

#include <windows.h>

#include "win32/TWindowBase.h"

namespace quorlet {

class THotKeyWindow : private TWindowBase {
public:
    static const char* const ClassName;

    // pressed: the identifier of the hot key that was pressed.
    explicit THotKeyWindow(std::function<void(int)> pressed) : FPressed(std::move(pressed)) {}
    ~THotKeyWindow() override;

    bool Create(HINSTANCE instance);
    HWND Handle() const { return TWindowBase::Handle(); }

    // Registers a combination (HotKeyCode form); its identifier, or 0 when
    // the system refuses it (taken by another program) or the code is 0.
    int Register(uint32_t code);
    // Ends the registration made under id.
    void Unregister(int id);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::function<void(int)> FPressed;
    // Identifiers registered and not yet ended.
    std::vector<int> FIds;
};

}  // namespace quorlet
