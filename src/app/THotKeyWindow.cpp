#include "app/THotKeyWindow.h"

#include <algorithm>
#include <cstdio>

#include "launcher/HotKeyText.h"

namespace quorlet {

const char* const THotKeyWindow::ClassName = "QuorletHotKey";

THotKeyWindow::~THotKeyWindow() {
    while (!FIds.empty()) Unregister(FIds.back());
}

bool THotKeyWindow::Create(HINSTANCE instance) {
    if (!RegisterWindowClass(instance, ClassName, nullptr, nullptr, nullptr)) return false;
    return CreateHandle(WS_EX_TOOLWINDOW, ClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, instance);
}

int THotKeyWindow::Register(uint32_t code) {
    if (!code || !Handle()) return 0;
    char name[64];
    std::snprintf(name, sizeof name, "Quorlet.HotKey.%08X", static_cast<unsigned>(code));
    const ATOM atom = GlobalAddAtomA(name);
    if (!atom) return 0;
    // Held down, the key toggles the window once, not again with each repeat.
    const UINT modifiers = HotKeyModifiers(code) | MOD_NOREPEAT;
    if (!RegisterHotKey(Handle(), atom, modifiers, HotKeyVirtualKey(code))) {
        GlobalDeleteAtom(atom);
        return 0;
    }
    FIds.push_back(atom);
    return atom;
}

void THotKeyWindow::Unregister(int id) {
    if (!id) return;
    UnregisterHotKey(Handle(), id);
    GlobalDeleteAtom(static_cast<ATOM>(id));
    FIds.erase(std::remove(FIds.begin(), FIds.end(), id), FIds.end());
}

LRESULT THotKeyWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        if (FPressed) FPressed(static_cast<int>(wParam));
        return 0;
    }
    return DefaultHandler(message, wParam, lParam);
}

}  // namespace quorlet
