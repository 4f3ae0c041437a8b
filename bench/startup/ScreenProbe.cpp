#include "ScreenProbe.h"

namespace quorlet {
namespace startupbench {

COLORREF ScreenPixel(POINT point) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

COLORREF PictureColour(const TWindowPicture& picture, int x, int y) {
    // 24-bit rows from the bottom up, each padded to four bytes: blue, green, red.
    const size_t stride = (static_cast<size_t>(picture.Width) * 3 + 3) & ~static_cast<size_t>(3);
    const uint8_t* p = &picture.Bits[static_cast<size_t>(picture.Height - 1 - y) * stride + static_cast<size_t>(x) * 3];
    return RGB(p[2], p[1], p[0]);
}

}  // namespace startupbench
}  // namespace quorlet
