#include "ScreenPicture.h"

#include <set>

namespace quorlet {
namespace startupbench {

TScreenPicture::TScreenPicture() : FScreen(GetDC(nullptr)) {}

TScreenPicture::~TScreenPicture() {
    Release();
    if (FScreen) ReleaseDC(nullptr, FScreen);
}

void TScreenPicture::Release() {
    if (FMemory) {
        SelectObject(FMemory, FOldBitmap);
        DeleteDC(FMemory);
    }
    if (FBitmap) DeleteObject(FBitmap);
    FMemory = nullptr;
    FBitmap = nullptr;
    FBits = nullptr;
    FWidth = FHeight = 0;
}

bool TScreenPicture::Capture(HWND window) {
    RECT r;
    if (!FScreen || !GetWindowRect(window, &r)) return false;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    // The bitmap is kept from one capture to the next: the benchmark reads the
    // screen in a tight loop.
    if (width != FWidth || height != FHeight || !FMemory) {
        Release();
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = -height;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        FBitmap = CreateDIBSection(FScreen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        FMemory = CreateCompatibleDC(FScreen);
        if (!FBitmap || !FMemory) {
            Release();
            return false;
        }
        FOldBitmap = SelectObject(FMemory, FBitmap);
        FBits = static_cast<const uint32_t*>(bits);
        FWidth = width;
        FHeight = height;
    }
    FIsCopy = false;
    const bool copied = BitBlt(FMemory, 0, 0, width, height, FScreen, r.left, r.top, SRCCOPY) != FALSE;
    GdiFlush();
    return copied;
}

void TScreenPicture::CopyFrom(const TScreenPicture& other) {
    Release();
    const size_t count = static_cast<size_t>(other.FWidth) * static_cast<size_t>(other.FHeight);
    const uint32_t* bits = other.FIsCopy ? other.FKept.data() : other.FBits;
    FKept.assign(bits, bits + count);
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FIsCopy = true;
}

bool TScreenPicture::Same(const TScreenPicture& other) const {
    if (FWidth != other.FWidth || FHeight != other.FHeight || FWidth == 0) return false;
    const uint32_t* mine = FIsCopy ? FKept.data() : FBits;
    const uint32_t* theirs = other.FIsCopy ? other.FKept.data() : other.FBits;
    // The unused top byte of each pixel is left out.
    const size_t count = static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight);
    for (size_t i = 0; i < count; ++i)
        if ((mine[i] ^ theirs[i]) & 0xFFFFFFu) return false;
    return true;
}

size_t TScreenPicture::DistinctColours(size_t enough) const {
    const uint32_t* bits = FIsCopy ? FKept.data() : FBits;
    std::set<uint32_t> colours;
    const size_t count = static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight);
    for (size_t i = 0; i < count && colours.size() < enough; ++i) colours.insert(bits[i] & 0xFFFFFFu);
    return colours.size();
}

}  // namespace startupbench
}  // namespace quorlet
