#include "win32/TWindowBase.h"

#include "win32/ErrorBoundary.h"

namespace quorlet {

TWindowBase::~TWindowBase() { DestroyHandle(); }

bool TWindowBase::RegisterWindowClass(HINSTANCE instance, const char* className, HICON icon,
                                      HICON smallIcon, HBRUSH background, UINT classStyle) {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, className, &existing)) return true;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &TWindowBase::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0;
}

bool TWindowBase::CreateHandle(DWORD exStyle, const char* className, const char* caption,
                               DWORD style, int x, int y, int width, int height, HWND owner,
                               HINSTANCE instance) {
    HWND hwnd = CreateWindowExA(exStyle, className, caption, style, x, y, width, height, owner,
                                nullptr, instance, this);
    return hwnd != nullptr;
}

void TWindowBase::DestroyHandle() {
    if (FHandle && IsWindow(FHandle)) DestroyWindow(FHandle);
    FHandle = nullptr;
}

LRESULT TWindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandler(message, wParam, lParam);
}

LRESULT CALLBACK TWindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TWindowBase* self;
    if (message == WM_NCCREATE) {
        self = static_cast<TWindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->FHandle = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<TWindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    const LRESULT result = self->GuardedHandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->FHandle = nullptr;
    }
    return result;
}

LRESULT TWindowBase::GuardedHandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMessage(message, wParam, lParam);
    } catch (...) {
        // A paint that failed must not come back at once, again and again.
        if (message == WM_PAINT) ValidateRect(FHandle, nullptr);
        ShowActionError(FHandle, CurrentErrorText());
        if (message == WM_NCCREATE) return FALSE;
        if (message == WM_CREATE) return -1;
        return 0;
    }
}

}  // namespace quorlet
