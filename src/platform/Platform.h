#pragma once
// The few system services the program's rules need. The Win32 implementation
// lives in Win32Platform; tests use a recording fake.

#include <string>

#include "settings/DateTime.h"

namespace quorlet {

// Show commands as ShellExecute takes them.
enum TShowCommand { swHide = 0, swShowNormal = 1, swShowMinimized = 2, swShowMaximized = 3, swShow = 5 };

class IPlatform {
public:
    virtual ~IPlatform() = default;

    // The Windows user name, or "" when it cannot be read.
    virtual std::string UserName() = 0;
    // Full path of the running executable.
    virtual std::string ExecutableName() = 0;
    virtual bool FileExists(const std::string& fileName) = 0;
    // Copies from over to, replacing an existing file; false on failure.
    virtual bool CopyFileOver(const std::string& from, const std::string& to) = 0;
    // ShellExecute with the application window as owner; the result is not examined.
    virtual void ShellOpen(const std::string& verb, const std::string& file,
                           const std::string& parameters, const std::string& directory,
                           int showCommand) = 0;
    // Local wall-clock time.
    virtual TDateTime Now() = 0;
    // Width of the primary screen and height of its work area, in pixels.
    virtual int ScreenWidth() = 0;
    virtual int WorkAreaHeight() = 0;
};

// The process-wide platform; set once at start (tests may swap in a fake).
IPlatform& Platform();
void SetPlatform(IPlatform* platform);

}  // namespace quorlet
