// The least a Win32 program does to show a window: register a class, create
// and show an empty window, and run the message loop until it is closed.
#include <windows.h>

#include "EmptyWindow.h"

namespace {

LRESULT CALLBACK EmptyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE && GetWindowLongPtrA(window, GWLP_USERDATA)) {
        ShowWindow(window, SW_HIDE);
        return 0;
    }
    if (message == WM_HOTKEY) {
        // As plain as showing a hidden window gets: the hot-key benchmark's yardstick.
        if (IsWindowVisible(window) && GetForegroundWindow() == window) {
            ShowWindow(window, SW_HIDE);
        } else {
            ShowWindow(window, SW_SHOW);
            SetForegroundWindow(window);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    using namespace quorlet::startupbench;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = EmptyWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kEmptyWindowClass;
    if (!RegisterClassA(&wc)) return 1;
    HWND window = CreateWindowExA(0, kEmptyWindowClass, kEmptyWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 420, 160, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    // "--hotkey": the window hides and shows on the benchmark's hot key.
    if (lstrcmpA(commandLine, kHotKeyArgument) == 0) {
        if (!RegisterHotKey(window, 1, kEmptyWindowHotKeyModifiers, kEmptyWindowHotKeyKey)) return 1;
        // Its minimise box hides it, as Quorlet's does.
        SetWindowLongPtrA(window, GWLP_USERDATA, 1);
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
