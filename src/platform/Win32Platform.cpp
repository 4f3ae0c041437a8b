#include "platform/Win32Platform.h"

#include <shellapi.h>

#include "base/FileIo.h"
#include "win32/ComPtr.h"
#include "win32/SystemTime.h"

namespace quorlet {

std::string TWin32Platform::UserName() {
    char buffer[64] = {};
    DWORD size = sizeof buffer;
    if (!GetUserNameA(buffer, &size)) return std::string();
    return std::string(buffer);
}

std::string TWin32Platform::ExecutableName() {
    std::string name(MAX_PATH, '\0');
    for (;;) {
        DWORD got = GetModuleFileNameA(nullptr, &name[0], static_cast<DWORD>(name.size()));
        if (got == 0) return std::string();
        if (got < name.size()) {
            name.resize(got);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

bool TWin32Platform::FileExists(const std::string& fileName) { return FileExistsOnDisk(fileName); }

bool TWin32Platform::CopyFileOver(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool TWin32Platform::ShellOpen(const std::string& verb, const std::string& file,
                               const std::string& parameters, const std::string& directory,
                               int showCommand, TShellOwner owner, TWindowHandle ownerWindow) {
    EnsureThreadApartment();
    HWND window = owner == TShellOwner::Desktop  ? GetDesktopWindow()
                  : owner == TShellOwner::Window ? static_cast<HWND>(ownerWindow)
                                                 : FOwner;
    HINSTANCE result = ShellExecuteA(window, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                  parameters.empty() ? nullptr : parameters.c_str(),
                  directory.empty() ? nullptr : directory.c_str(), showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

TDateTime TWin32Platform::Now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return DateTimeOf(st);
}

std::string TWin32Platform::LongTimeText(const TDateTime& time) {
    const SYSTEMTIME st = SystemTimeOf(time);
    char text[80];
    if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, text, sizeof text)) return std::string();
    return text;
}

int TWin32Platform::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int TWin32Platform::WorkAreaHeight() {
    RECT work;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return GetSystemMetrics(SM_CYSCREEN);
    return work.bottom - work.top;
}

}  // namespace quorlet
