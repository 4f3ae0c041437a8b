// Loaded into a running Quorlet.exe by a test: the program's calls that would
// end the Windows session are recorded instead of made. Its imports of
// ExitWindowsEx and AdjustTokenPrivileges are pointed at recorders that
// append a line to "session-end.log" in the program's folder.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

void Record(const char* line) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    char* slash = std::strrchr(path, '\\');
    if (!slash) return;
    lstrcpyA(slash + 1, "session-end.log");
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    CloseHandle(file);
}

BOOL WINAPI RecordedExitWindowsEx(UINT flags, DWORD reason) {
    char line[64];
    std::snprintf(line, sizeof line, "ExitWindowsEx %u %lu\r\n", flags, static_cast<unsigned long>(reason));
    Record(line);
    return TRUE;
}

BOOL WINAPI RecordedAdjustTokenPrivileges(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD) {
    Record("AdjustTokenPrivileges\r\n");
    return TRUE;
}

// Points the main program's import of function from library at replacement.
bool Redirect(const char* library, const char* function, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return false;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (entry->OriginalFirstThunk ? entry->OriginalFirstThunk
                                                                                              : entry->FirstThunk));
        auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
            DWORD old = 0;
            if (!VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, PAGE_READWRITE, &old))
                return false;
            addresses->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, old, &old);
            return true;
        }
    }
    return false;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        // Without the redirect of the session end the test must not go on: it
        // refuses to load.
        Redirect("advapi32.dll", "AdjustTokenPrivileges", reinterpret_cast<void*>(&RecordedAdjustTokenPrivileges));
        if (!Redirect("user32.dll", "ExitWindowsEx", reinterpret_cast<void*>(&RecordedExitWindowsEx))) return FALSE;
    }
    return TRUE;
}
