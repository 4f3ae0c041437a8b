// Test helper started by the launcher: appends one line "<folder>|<arguments>"
// with its working folder and raw arguments to recorder.log beside itself, and
// one line "<show command>|<arguments>" to recorder-show.log: the show command
// it was started with ("none" when its starter gave none).
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

// Appends line to the file, retrying while another start appends to it.
bool AppendLine(const std::string& fileName, const std::string& line) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE file = CreateFileA(fileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            return true;
        }
        Sleep(20);
    }
    return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char module[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folderOfExe(module, length);
    folderOfExe = folderOfExe.substr(0, folderOfExe.find_last_of('\\') + 1);

    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    const std::string arguments = ArgumentsOf(GetCommandLineA());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const std::string show =
        startup.dwFlags & STARTF_USESHOWWINDOW ? std::to_string(static_cast<short>(startup.wShowWindow)) : std::string("none");

    // The show command first: a test that waits for recorder.log then finds it.
    const bool shown = AppendLine(folderOfExe + "recorder-show.log", show + "|" + arguments + "\r\n");
    const bool recorded = AppendLine(folderOfExe + "recorder.log", std::string(folder) + "|" + arguments + "\r\n");
    return shown && recorded ? 0 : 1;
}
