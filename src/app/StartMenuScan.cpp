#include "app/StartMenuScan.h"

#include <windows.h>

#include "shell/ShellLinker.h"

namespace quorlet {

namespace {

#ifndef FIND_FIRST_EX_LARGE_FETCH
#define FIND_FIRST_EX_LARGE_FETCH 2
#endif

class TFindHandle {
public:
    explicit TFindHandle(HANDLE handle) : FHandle(handle) {}
    ~TFindHandle() {
        if (FHandle != INVALID_HANDLE_VALUE) FindClose(FHandle);
    }
    TFindHandle(const TFindHandle&) = delete;
    TFindHandle& operator=(const TFindHandle&) = delete;
    HANDLE Get() const { return FHandle; }

private:
    HANDLE FHandle;
};

bool EndsInSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

}  // namespace

std::vector<TFoundShortcut> FindShortcutFiles(const std::string& folder, const std::atomic<bool>& stop) {
    std::vector<TFoundShortcut> found;
    if (folder.empty()) return found;
    const std::string root = EndsInSeparator(folder) ? folder : folder + "\\";
    // Subfolders still to list, relative to root, each ending in a backslash.
    std::vector<std::string> pending(1);
    while (!pending.empty() && !stop) {
        const std::string relative = std::move(pending.back());
        pending.pop_back();
        WIN32_FIND_DATAA data;
        TFindHandle find(FindFirstFileExA((root + relative + "*").c_str(), FindExInfoBasic, &data,
                                          FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (find.Get() == INVALID_HANDLE_VALUE) continue;
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == ".." || name.find('?') != std::string::npos) continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) pending.push_back(relative + name + "\\");
            } else if (IsShortcutFileName(name)) {
                found.push_back({relative + name, root + relative + name});
            }
        } while (FindNextFileA(find.Get(), &data));
    }
    return found;
}

void ReadShortcutTargets(IPlatform& platform, std::vector<TStartMenuEntry>& entries, const std::atomic<bool>& stop) {
    for (TStartMenuEntry& entry : entries) {
        if (stop) return;
        TLinkInfo info;
        if (ReadLink(platform, entry.LinkPath, info)) {
            entry.Target = info.Path;
            // The icon a drop of the shortcut would give its button.
            entry.IconFile = info.IconLocation;
            entry.IconNumber = info.IconIndex;
        }
    }
}

std::vector<TStartMenuEntry> ReadStartMenu(IPlatform& platform, const TStartMenuFolders& folders,
                                           const std::atomic<bool>& stop) {
    const std::vector<TFoundShortcut> user = FindShortcutFiles(folders.User, stop);
    const std::vector<TFoundShortcut> common = FindShortcutFiles(folders.Common, stop);
    std::vector<TStartMenuEntry> entries = MergeStartMenuShortcuts(user, common);
    ReadShortcutTargets(platform, entries, stop);
    return entries;
}

}  // namespace quorlet
