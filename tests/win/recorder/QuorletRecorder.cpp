// Test helper started by the launcher: appends one line "<folder>|<arguments>"
// with its working folder and raw arguments to recorder.log beside itself.
#include <string>

#include <windows.h>

namespace {

std::string ArgumentsOf(const char* commandLine) {
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char module[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string log(module, length);
    log = log.substr(0, log.find_last_of('\\') + 1) + "recorder.log";

    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::string line = std::string(folder) + "|" + ArgumentsOf(GetCommandLineA()) + "\r\n";

    // Several launches may finish at once: retry while another one appends.
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            return 0;
        }
        Sleep(20);
    }
    return 1;
}
