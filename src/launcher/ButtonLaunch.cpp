#include "launcher/ButtonLaunch.h"

#include "base/AppPaths.h"
#include "base/TextCompare.h"
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

// Hands an existing file to the shell; false, with the reason in failure, when
// nothing was started.
bool StartFile(IPlatform& platform, const TBtnSettingXml& store, std::string& failure) {
    const std::string& command = store.Command;
    const int showCommand = ShowCommandOf(store.WindowStyle);
    // Compared case-sensitively: ".EXE" and ".LNK" take the general way.
    const std::string extension = ExtractFileExt(command);
    if (extension == ".exe") {
        // A program without a working folder starts in its own folder; the
        // record keeps its empty WorkingDir.
        const std::string folder = store.WorkingDir.empty() ? FileFolder(command) : store.WorkingDir;
        try {
            return platform.ShellOpen("open", command, store.Parameters, folder, showCommand,
                                      TShellOwner::Application, nullptr, failure);
        } catch (const std::exception& e) {
            failure = e.what();
            return false;
        }
    }
    if (extension == ".lnk") return OpenLink(platform, command, std::string(), failure);
    // The shell follows a shortcut whatever the case of its extension.
    if (SameText(extension, ".lnk") && LinkPointsToShortcut(platform, command)) {
        failure = LinkChainFailure;
        return false;
    }
    return platform.ShellOpen("open", command, store.Parameters, store.WorkingDir, showCommand,
                              TShellOwner::Application, nullptr, failure);
}

}  // namespace

TLaunchOutcome LaunchButton(IPlatform& platform, TBtnSettingXml& store, int32_t id, const TDocumentEdit& alsoWrite) {
    TLaunchOutcome outcome;
    const std::string& command = store.Command;
    std::string failure;
    bool started = false;
    if (platform.FileExists(command)) {
        started = StartFile(platform, store, failure);
    } else if (platform.DirectoryExists(command)) {
        started = platform.ShellOpen("explore", WithTrailingBackslash(command), "", "", swShowNormal,
                                     TShellOwner::Desktop, nullptr, failure);
    } else {
        return outcome;
    }
    if (!started) {
        outcome.Failure = "Cannot start " + command + ": " + failure;
        return outcome;
    }
    store.IncRunTimes(id, alsoWrite);
    outcome.Launched = true;
    return outcome;
}

TLaunchOutcome LaunchSheetButton(IPlatform& platform, TBtnSettingXml& store, TAppSettingXml& settings,
                                 int32_t id) {
    bool pushed = false;
    const TLaunchOutcome outcome = LaunchButton(platform, store, id, [&](const XmlElementPtr& root) {
        settings.PushRecentButton(id, root);
        pushed = true;
    });
    if (!pushed) settings.PushRecentButton(id);
    return outcome;
}

void RaiseLaunchFailure(const TLaunchOutcome& outcome) {
    if (!outcome.Failure.empty()) throw ELaunchError(outcome.Failure);
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
