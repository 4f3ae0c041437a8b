#include "IconPixels.h"

#include <cstdlib>

namespace quorlet {

namespace {

// The colour of a pixel of a picture taken from the screen (rows bottom up).
COLORREF PixelOf(const TWindowPicture& picture, int x, int y) {
    const size_t stride = (static_cast<size_t>(picture.Width) * 3 + 3) & ~size_t(3);
    const uint8_t* p = &picture.Bits[(picture.Height - 1 - y) * stride + x * 3];
    return RGB(p[2], p[1], p[0]);
}

}  // namespace

std::vector<COLORREF> DrawnIcon(HICON icon, int size) {
    std::vector<COLORREF> pixels;
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof format.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT all = {0, 0, size, size};
        FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
        DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        GdiFlush();
        const uint8_t* p = static_cast<const uint8_t*>(bits);
        for (int i = 0; i < size * size; ++i) pixels.push_back(RGB(p[4 * i + 2], p[4 * i + 1], p[4 * i]));
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int DifferentPixels(const TWindowPicture& picture, int left, int top, int size, const std::vector<COLORREF>& expected) {
    int different = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const COLORREF seen = PixelOf(picture, left + x, top + y), wanted = expected[y * size + x];
            const int distance = std::abs(GetRValue(seen) - GetRValue(wanted)) +
                                 std::abs(GetGValue(seen) - GetGValue(wanted)) +
                                 std::abs(GetBValue(seen) - GetBValue(wanted));
            if (distance > 12) ++different;
        }
    return different;
}

}  // namespace quorlet
