#include "win32/WindowDpi.h"

namespace quorlet {

namespace {

template <typename TFunction>
TFunction User32Function(const char* name) {
    static HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

int SystemDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const TGetDpiForWindow getDpiForWindow = User32Function<TGetDpiForWindow>("GetDpiForWindow");
    if (getDpiForWindow && window)
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    return SystemDpi();
}

TUniqueFont GuiFontForDpi(int dpi) {
    if (dpi == SystemDpi()) return TUniqueFont();
    LOGFONTA font = {};
    if (!GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) return TUniqueFont();
    font.lfHeight = MulDiv(font.lfHeight, dpi, SystemDpi());
    return TUniqueFont(CreateFontIndirectA(&font));
}

void AdjustFrameForDpi(RECT& frame, DWORD style, DWORD exStyle, int dpi) {
    using TAdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const TAdjustForDpi adjustForDpi = User32Function<TAdjustForDpi>("AdjustWindowRectExForDpi");
    if (adjustForDpi && adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
}

}  // namespace quorlet
