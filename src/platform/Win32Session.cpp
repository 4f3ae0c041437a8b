// Ending the Windows session for the alarm's system events.
#include "platform/Win32Platform.h"

#include "win32/WinHandles.h"

namespace quorlet {

void TWin32Platform::EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
    TUniqueHandle owned(token);
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    LookupPrivilegeValueA("", "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    TOKEN_PRIVILEGES previous = {};
    DWORD previousLength = 0;
    AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, &previous, &previousLength);
}

void TWin32Platform::ExitWindowsSession(unsigned flags, unsigned long reason) {
    ExitWindowsEx(flags, reason);
}

}  // namespace quorlet
