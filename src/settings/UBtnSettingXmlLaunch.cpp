// Starting a button's target through the shell and counting the launch.
#include "app/AppPaths.h"
#include "settings/UBtnSettingXml.h"
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

std::string WithTrailingBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

bool TBtnSettingXml::LaunchButton(int32_t id) {
    if (FPlatform.FileExists(Command)) {
        // Compared case-sensitively: ".EXE" and ".LNK" take the general way.
        const std::string extension = ExtractFileExt(Command);
        if (extension == ".exe") {
            // A program without a working folder starts in its own folder; the
            // record keeps its empty WorkingDir.
            const std::string folder = WorkingDir.empty() ? FileFolder(Command) : WorkingDir;
            try {
                FPlatform.ShellOpen("open", Command, Parameters, folder, WindowStyle);
            } catch (...) {
                // A failed start is not reported; the click still counts.
            }
        } else if (extension == ".lnk") {
            OpenLink(Command);
        } else {
            FPlatform.ShellOpen("open", Command, Parameters, WorkingDir, WindowStyle);
        }
    } else if (FPlatform.DirectoryExists(Command)) {
        FPlatform.ShellOpen("explore", WithTrailingBackslash(Command), "", "", swShowNormal, TShellOwner::Desktop);
    } else {
        return false;
    }
    IncRunTimes(id);
    return true;
}

bool TBtnSettingXml::ExploreButtonPath(int32_t id) {
    ReadButton(id);
    if (Empty) return false;
    const std::string folder =
        FPlatform.DirectoryExists(Command) ? WithTrailingBackslash(Command) : ExtractFilePath(Command);
    FPlatform.ShellOpen("explore", folder, "", "", swShowNormal, TShellOwner::Desktop);
    return true;
}

}  // namespace quorlet
