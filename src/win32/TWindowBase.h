#pragma once
// Base of the program's windows: the instance pointer lives in GWLP_USERDATA
// from WM_NCCREATE on, and messages go to the virtual HandleMessage through
// the error boundary: an error a message raises is shown to the user, the
// message's work stops there, and the window goes on.

#include <string>

#include <windows.h>

namespace quorlet {

class TWindowBase {
public:
    TWindowBase() = default;
    virtual ~TWindowBase();
    TWindowBase(const TWindowBase&) = delete;
    TWindowBase& operator=(const TWindowBase&) = delete;

    HWND Handle() const { return FHandle; }

protected:
    // Registers the class once per process (later calls are no-ops).
    static bool RegisterWindowClass(HINSTANCE instance, const char* className, HICON icon,
                                    HICON smallIcon, HBRUSH background, UINT classStyle = 0);
    bool CreateHandle(DWORD exStyle, const char* className, const char* caption, DWORD style,
                      int x, int y, int width, int height, HWND owner, HINSTANCE instance);
    // Destroys the window if it still exists.
    void DestroyHandle();

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(FHandle, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT GuardedHandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND FHandle = nullptr;
};

}  // namespace quorlet
