#pragma once
// The one owner of an icon handle: destroyed exactly once, when replaced or
// when the owner goes away.

#include <utility>

#include "base/Platform.h"

namespace quorlet {

class TOwnedIcon {
public:
    TOwnedIcon() = default;
    TOwnedIcon(IPlatform& platform, TIconHandle handle)
        : FPlatform(handle ? &platform : nullptr), FHandle(handle) {}
    ~TOwnedIcon() { Reset(); }
    TOwnedIcon(TOwnedIcon&& other) noexcept
        : FPlatform(std::exchange(other.FPlatform, nullptr)), FHandle(std::exchange(other.FHandle, nullptr)) {}
    TOwnedIcon& operator=(TOwnedIcon&& other) noexcept {
        if (this != &other) {
            Reset();
            FPlatform = std::exchange(other.FPlatform, nullptr);
            FHandle = std::exchange(other.FHandle, nullptr);
        }
        return *this;
    }
    TOwnedIcon(const TOwnedIcon&) = delete;
    TOwnedIcon& operator=(const TOwnedIcon&) = delete;

    TIconHandle Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    void Reset() {
        if (FHandle) FPlatform->DestroyIconHandle(FHandle);
        FHandle = nullptr;
        FPlatform = nullptr;
    }

private:
    IPlatform* FPlatform = nullptr;
    TIconHandle FHandle = nullptr;
};

}  // namespace quorlet
