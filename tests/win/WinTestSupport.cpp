#include "WinTestSupport.h"

#include <tlhelp32.h>

namespace quorlet {

std::string WindowsPath(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

namespace {
struct TWindowCount {
    const char* ClassName;
    const char* Title;
    int Count;
};

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM param) {
    auto* count = reinterpret_cast<TWindowCount*>(param);
    char cls[256] = {}, title[256] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, title, sizeof title);
    if (lstrcmpA(cls, count->ClassName) == 0 && lstrcmpA(title, count->Title) == 0) ++count->Count;
    return TRUE;
}
}  // namespace

int CountTopLevelWindows(const char* className, const char* title) {
    TWindowCount count = {className, title, 0};
    EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&count));
    return count.Count;
}

std::vector<DWORD> ThreadIdsOfThisProcess() {
    std::vector<DWORD> ids;
    TUniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return ids;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more; more = Thread32Next(snapshot.Get(), &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.push_back(entry.th32ThreadID);
    return ids;
}

TStartedProcess StartProgram(const std::string& exe, const std::string& currentFolder) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string commandLine = "\"" + exe + "\"";
    TStartedProcess started;
    if (CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                       currentFolder.c_str(), &si, &pi)) {
        CloseHandle(pi.hThread);
        started.Process.Reset(pi.hProcess);
        started.ProcessId = pi.dwProcessId;
    }
    return started;
}

std::string ScreenshotPath(const char* name) { return WindowsPath(QUORLET_SCREENSHOT_DIR) + "\\" + name; }

}  // namespace quorlet
