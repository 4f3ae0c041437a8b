#include "platform/Win32Platform.h"

#include <shellapi.h>

#include "base/FileIo.h"
#include "win32/ComPtr.h"
#include "win32/SystemTime.h"

namespace quorlet {

namespace {

// The system error behind one of the shell's own result codes (32 and below).
DWORD ErrorOfShellResult(INT_PTR result) {
    switch (result) {
    case 0: return ERROR_OUTOFMEMORY;
    case SE_ERR_FNF: return ERROR_FILE_NOT_FOUND;
    case SE_ERR_PNF: return ERROR_PATH_NOT_FOUND;
    case SE_ERR_ACCESSDENIED: return ERROR_ACCESS_DENIED;
    case SE_ERR_OOM: return ERROR_NOT_ENOUGH_MEMORY;
    case ERROR_BAD_FORMAT: return ERROR_BAD_EXE_FORMAT;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE: return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
    default: return ERROR_GEN_FAILURE;
    }
}

// The system's text for an error, on one line, with a "%1" in it naming the
// file (by its name: the caller's message names its whole path already).
std::string SystemErrorText(DWORD error, const std::string& file) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (text.empty()) return "error " + std::to_string(static_cast<unsigned long>(error));
    const size_t insert = text.find("%1");
    if (insert != std::string::npos) text.replace(insert, 2, file.substr(file.find_last_of("\\/:") + 1));
    return text;
}

}  // namespace

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

HWND TWin32Platform::ShellOwnerWindow(TShellOwner owner, TWindowHandle ownerWindow) const {
    return owner == TShellOwner::Desktop  ? GetDesktopWindow()
           : owner == TShellOwner::Window ? static_cast<HWND>(ownerWindow)
                                          : FOwner;
}

bool TWin32Platform::ShellOpen(const std::string& verb, const std::string& file,
                               const std::string& parameters, const std::string& directory,
                               int showCommand, TShellOwner owner, TWindowHandle ownerWindow) {
    EnsureThreadApartment();
    HINSTANCE result = ShellExecuteA(ShellOwnerWindow(owner, ownerWindow), verb.empty() ? nullptr : verb.c_str(),
                                     file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                                     directory.empty() ? nullptr : directory.c_str(), showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool TWin32Platform::ShellOpen(const std::string& verb, const std::string& file,
                               const std::string& parameters, const std::string& directory,
                               int showCommand, TShellOwner owner, TWindowHandle ownerWindow,
                               std::string& failure) {
    EnsureThreadApartment();
    SHELLEXECUTEINFOA request = {};
    request.cbSize = sizeof request;
    // The caller tells the user in its own box; a second one from the shell would repeat it.
    request.fMask = SEE_MASK_FLAG_NO_UI;
    request.hwnd = ShellOwnerWindow(owner, ownerWindow);
    request.lpVerb = verb.empty() ? nullptr : verb.c_str();
    request.lpFile = file.c_str();
    request.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    request.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    request.nShow = showCommand;
    SetLastError(ERROR_SUCCESS);
    if (ShellExecuteExA(&request)) return true;
    DWORD error = GetLastError();
    if (error == ERROR_SUCCESS) error = ErrorOfShellResult(reinterpret_cast<INT_PTR>(request.hInstApp));
    failure = SystemErrorText(error, file);
    return false;
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
