#pragma once
// What the screen shows of a window, pixel for pixel: the hot-key benchmark
// waits for the whole window to look as it does once painted, not for one
// point of it that an erased background already colours.

#include <cstdint>
#include <vector>

#include <windows.h>

namespace quorlet {
namespace startupbench {

class TScreenPicture {
public:
    TScreenPicture();
    ~TScreenPicture();
    TScreenPicture(const TScreenPicture&) = delete;
    TScreenPicture& operator=(const TScreenPicture&) = delete;

    // Reads the window's rectangle from the screen; false when it cannot.
    bool Capture(HWND window);
    // The last capture, pixel for pixel the same as other's (sizes too).
    bool Same(const TScreenPicture& other) const;
    // Number of different colours in the last capture, counted up to enough.
    size_t DistinctColours(size_t enough) const;
    void CopyFrom(const TScreenPicture& other);

private:
    void Release();

    HDC FScreen = nullptr;
    HDC FMemory = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    const uint32_t* FBits = nullptr;  // top-down rows of the DIB section
    int FWidth = 0, FHeight = 0;
    std::vector<uint32_t> FKept;  // a copy, for a picture kept as the reference
    bool FIsCopy = false;
};

}  // namespace startupbench
}  // namespace quorlet
