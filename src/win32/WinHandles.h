#pragma once
// One owner for each Windows handle: closed or destroyed exactly once.

#include <utility>

#include <windows.h>

namespace quorlet {

template <typename THandle, typename TTraits>
class TUniqueWinHandle {
public:
    TUniqueWinHandle() = default;
    explicit TUniqueWinHandle(THandle h) : FHandle(h) {}
    ~TUniqueWinHandle() { Reset(); }
    TUniqueWinHandle(TUniqueWinHandle&& o) noexcept : FHandle(o.Release()) {}
    TUniqueWinHandle& operator=(TUniqueWinHandle&& o) noexcept {
        if (this != &o) Reset(o.Release());
        return *this;
    }
    TUniqueWinHandle(const TUniqueWinHandle&) = delete;
    TUniqueWinHandle& operator=(const TUniqueWinHandle&) = delete;

    THandle Get() const { return FHandle; }
    explicit operator bool() const { return TTraits::IsValid(FHandle); }
    THandle Release() { return std::exchange(FHandle, TTraits::Invalid()); }
    void Reset(THandle h = TTraits::Invalid()) {
        if (TTraits::IsValid(FHandle)) TTraits::Close(FHandle);
        FHandle = h;
    }

private:
    THandle FHandle = TTraits::Invalid();
};

struct TKernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct TIconHandleTraits {
    static HICON Invalid() { return nullptr; }
    static bool IsValid(HICON h) { return h != nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};
struct TFontHandleTraits {
    static HFONT Invalid() { return nullptr; }
    static bool IsValid(HFONT h) { return h != nullptr; }
    static void Close(HFONT h) { DeleteObject(h); }
};
struct TWindowHandleTraits {
    static HWND Invalid() { return nullptr; }
    static bool IsValid(HWND h) { return h != nullptr; }
    static void Close(HWND h) {
        if (IsWindow(h)) DestroyWindow(h);
    }
};

using TUniqueHandle = TUniqueWinHandle<HANDLE, TKernelHandleTraits>;
using TUniqueIcon = TUniqueWinHandle<HICON, TIconHandleTraits>;
using TUniqueFont = TUniqueWinHandle<HFONT, TFontHandleTraits>;

}  // namespace quorlet
