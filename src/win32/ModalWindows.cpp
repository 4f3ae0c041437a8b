#include "win32/ModalWindows.h"

namespace quorlet {

namespace {

struct TSearch {
    HWND Root;
    HWND Found;
    int Depth;
};

// How many owners up from window root is; 0 when it is not among them.
int OwnerDepth(HWND window, HWND root) {
    int depth = 0;
    for (HWND owner = GetWindow(window, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) {
        ++depth;
        if (owner == root) return depth;
    }
    return 0;
}

BOOL CALLBACK Consider(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<TSearch*>(data);
    if (window == search.Root || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    const int depth = OwnerDepth(window, search.Root);
    if (depth > search.Depth) {
        search.Depth = depth;
        search.Found = window;
    }
    return TRUE;
}

thread_local HHOOK g_raiseHook = nullptr;
thread_local bool g_raised = false;

// The first dialog activated while the box opens is the box itself.
LRESULT CALLBACK RaiseBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !g_raised) {
        char name[16] = {};
        HWND window = reinterpret_cast<HWND>(wParam);
        if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "#32770") == 0) {
            g_raised = true;
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    return CallNextHookEx(g_raiseHook, code, wParam, lParam);
}

}  // namespace

int MessageBoxInFront(HWND owner, const char* text, const char* caption, UINT flags) {
    HHOOK previous = g_raiseHook;
    const bool previousRaised = g_raised;
    g_raised = false;
    g_raiseHook = SetWindowsHookExA(WH_CBT, &RaiseBox, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxA(owner, text, caption, flags | MB_TOPMOST | MB_SETFOREGROUND);
    if (g_raiseHook) UnhookWindowsHookEx(g_raiseHook);
    g_raiseHook = previous;
    g_raised = previousRaised;
    return answer;
}

HWND ActiveModalWindow(HWND root) {
    if (!root || !IsWindow(root) || IsWindowEnabled(root)) return nullptr;
    TSearch search = {root, nullptr, 0};
    EnumThreadWindows(GetWindowThreadProcessId(root, nullptr), &Consider, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND BoxOwner(HWND root) {
    HWND modal = ActiveModalWindow(root);
    return modal ? modal : root;
}

}  // namespace quorlet
