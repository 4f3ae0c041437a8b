#include "launcher/ButtonLaunch.h"

#include "base/AppPaths.h"
#include "shell/ShellLinker.h"

namespace quorlet {

namespace {

bool IsPathDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

// The folder of a file without its trailing backslash, except for a root ("C:\").
std::string FileFolder(const std::string& fileName) {
    std::string folder = ExtractFilePath(fileName);
    if (folder.size() > 1 && folder.back() != ':' && !IsPathDelimiter(folder[folder.size() - 2]))
        folder.pop_back();
    return folder;
}

// A stored WindowStyle that names no show command of the system (a list with
// no selection stored -1) would start the program with its window never
// mapped: such a value starts it normally.
int ShowCommandOf(int32_t windowStyle) {
    return windowStyle >= swHide && windowStyle <= swForceMinimize ? windowStyle : swShowNormal;
}

std::string WithTrailingBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

bool LaunchButton(IPlatform& platform, TBtnSettingXml& store, int32_t id) {
    const std::string& command = store.Command;
    const std::string& workingDir = store.WorkingDir;
    if (platform.FileExists(command)) {
        // Compared case-sensitively: ".EXE" and ".LNK" take the general way.
        const std::string extension = ExtractFileExt(command);
        if (extension == ".exe") {
            // A program without a working folder starts in its own folder; the
            // record keeps its empty WorkingDir.
            const std::string folder = workingDir.empty() ? FileFolder(command) : workingDir;
            try {
                platform.ShellOpen("open", command, store.Parameters, folder, ShowCommandOf(store.WindowStyle));
            } catch (...) {
                // A failed start is not reported; the click still counts.
            }
        } else if (extension == ".lnk") {
            OpenLink(platform, command);
        } else {
            platform.ShellOpen("open", command, store.Parameters, workingDir, ShowCommandOf(store.WindowStyle));
        }
    } else if (platform.DirectoryExists(command)) {
        platform.ShellOpen("explore", WithTrailingBackslash(command), "", "", swShowNormal, TShellOwner::Desktop);
    } else {
        return false;
    }
    store.IncRunTimes(id);
    return true;
}

bool ExploreButtonPath(IPlatform& platform, TBtnSettingXml& store, int32_t id) {
    store.ReadButton(id);
    if (store.Empty) return false;
    const std::string& command = store.Command;
    const std::string folder =
        platform.DirectoryExists(command) ? WithTrailingBackslash(command) : ExtractFilePath(command);
    platform.ShellOpen("explore", folder, "", "", swShowNormal, TShellOwner::Desktop);
    return true;
}

}  // namespace quorlet
