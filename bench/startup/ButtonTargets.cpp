#include "ButtonTargets.h"

#include <algorithm>
#include <stdexcept>

#include <windows.h>
#include <shellapi.h>

#include "win32/WinHandles.h"

namespace quorlet {
namespace startupbench {

namespace {

// Programs and libraries that a Windows (or Wine) installation carries.
const char* const kSystemFiles[] = {
    "shell32.dll", "user32.dll",   "comdlg32.dll", "explorer.exe", "notepad.exe",  "regedit.exe",
    "cmd.exe",     "taskmgr.exe",  "control.exe",  "winecfg.exe",  "wordpad.exe",  "winemine.exe",
    "write.exe",   "winhlp32.exe", "hh.exe",       "msiexec.exe",  "iexplore.exe", "oleview.exe",
};
const char* const kWindowsFiles[] = {"explorer.exe", "notepad.exe", "regedit.exe", "winhlp32.exe", "win.ini"};

std::string Folder(UINT (WINAPI* query)(LPSTR, UINT)) {
    char buffer[MAX_PATH + 1] = {};
    const UINT got = query(buffer, MAX_PATH);
    return got > 0 && got < MAX_PATH ? std::string(buffer, got) + "\\" : std::string();
}

bool Exists(const std::string& file) { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool ShellGivesIcon(const std::string& file) {
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(file.c_str(), 0, &info, sizeof info, SHGFI_ICON)) return false;
    TUniqueIcon icon(info.hIcon);
    return static_cast<bool>(icon);
}

int StoredIcons(const std::string& file) {
    const UINT count = ExtractIconExA(file.c_str(), -1, nullptr, nullptr, 0);
    if (count == 0) return 0;
    // The count alone could come from a header: take the last icon for real.
    HICON large = nullptr;
    if (ExtractIconExA(file.c_str(), static_cast<int>(count) - 1, &large, nullptr, 1) != 1) return 0;
    TUniqueIcon icon(large);
    return icon ? static_cast<int>(count) : 0;
}

}  // namespace

TTargetFiles FindTargetFiles(const std::vector<std::string>& extraFiles) {
    std::vector<std::string> candidates;
    const std::string system = Folder(&GetSystemDirectoryA);
    const std::string windows = Folder(&GetWindowsDirectoryA);
    for (const char* name : kSystemFiles) candidates.push_back(system + name);
    for (const char* name : kWindowsFiles) candidates.push_back(windows + name);
    candidates.push_back(windows.substr(0, windows.size() - 1));  // the folders themselves
    candidates.push_back(system.substr(0, system.size() - 1));

    TTargetFiles files;
    for (const std::string& file : candidates) {
        if (!Exists(file)) continue;
        if (ShellGivesIcon(file)) files.ShellIconFiles.push_back(file);
        if (const int count = StoredIcons(file)) {
            files.IconFiles.push_back(file);
            files.IconCounts.push_back(count);
        }
    }
    for (const std::string& file : extraFiles)
        if (Exists(file) && ShellGivesIcon(file)) files.ShellIconFiles.push_back(file);
    if (files.ShellIconFiles.empty()) throw std::runtime_error("No file gives a shell icon");
    if (files.IconFiles.empty()) throw std::runtime_error("No file with stored icons was found");
    return files;
}

std::vector<TButtonTarget> ButtonTargets(const TTargetFiles& files, int count) {
    std::vector<TButtonTarget> targets;
    size_t nextShell = 0, nextStored = 0;
    for (int i = 0; i < count; ++i) {
        TButtonTarget target;
        if (i % 2 == 0) {
            target.File = files.ShellIconFiles[nextShell++ % files.ShellIconFiles.size()];
        } else {
            const size_t k = nextStored++;
            const size_t f = k % files.IconFiles.size();
            target.File = files.IconFiles[f];
            // Indexes from 1 to the last icon, a different one on each pass over the files.
            const int last = std::max(1, files.IconCounts[f] - 1);
            target.IconNumber = 1 + static_cast<int>((k / files.IconFiles.size()) % last);
        }
        targets.push_back(target);
    }
    return targets;
}

}  // namespace startupbench
}  // namespace quorlet
