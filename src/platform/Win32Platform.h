#pragma once
// The real system services.

#include <windows.h>

#include "platform/Platform.h"

namespace quorlet {

class TWin32Platform : public IPlatform {
public:
    explicit TWin32Platform(HINSTANCE instance) : FInstance(instance) {}

    // The application window that owns shell windows and message boxes.
    void SetOwnerWindow(HWND owner) { FOwner = owner; }
    HWND OwnerWindow() const { return FOwner; }
    HINSTANCE Instance() const { return FInstance; }

    std::string UserName() override;
    std::string ExecutableName() override;
    bool FileExists(const std::string& fileName) override;
    bool CopyFileOver(const std::string& from, const std::string& to) override;
    void ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                   const std::string& directory, int showCommand) override;
    TDateTime Now() override;
    int ScreenWidth() override;
    int WorkAreaHeight() override;

private:
    HINSTANCE FInstance;
    HWND FOwner = nullptr;
};

}  // namespace quorlet
