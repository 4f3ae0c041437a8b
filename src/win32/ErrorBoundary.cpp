#include "win32/ErrorBoundary.h"

#include <new>

#include "win32/ModalWindows.h"

namespace quorlet {

namespace {
bool g_showing = false;
}

std::string CurrentErrorText() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "Out of memory.";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "An unexpected error occurred.";
    }
}

void ShowActionError(HWND window, const std::string& message) {
    // The box's own message loop may run into the same failure again (a
    // paint, a timer): one box at a time is enough.
    if (g_showing) return;
    g_showing = true;
    HWND owner = window ? BoxOwner(GetAncestor(window, GA_ROOT)) : nullptr;
    if (owner && !IsWindowVisible(owner)) owner = nullptr;
    MessageBoxA(owner, message.c_str(), "Quorlet", MB_OK | MB_ICONERROR | (owner ? 0 : MB_TASKMODAL));
    g_showing = false;
}

}  // namespace quorlet
