#include "shell/ShellServices.h"

#include "base/AppPaths.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

const char* const ProgramLinkName = "Quorlet";

namespace {

const char* const UserShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const MachineCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char* const UserRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

const char* const UserShellFolderValues[] = {
    "Desktop", "Start Menu", "Programs", "Startup",  "Personal", "AppData",
    "Fonts",   "SendTo",     "Recent",   "Favorites", "Cache",   "Cookies",
    "History", "NetHood",    "PrintHood", "Templates", "Local AppData"};
const char* const MachineFolderValues[] = {"ProgramFilesDir", "CommonFilesDir", "ConfigPath",
                                           "DevicePath",      "MediaPath",      "WallPaperDir"};

std::string SpecialFolderWithoutSlash(IPlatform& platform, uint8_t code) {
    if (code <= 16) return platform.RegistryString(TRegistryRoot::CurrentUser, UserShellFoldersKey, UserShellFolderValues[code]);
    switch (code) {
    case 17: return platform.SystemFolderPath(TSystemFolder::Windows);
    case 18: return platform.SystemFolderPath(TSystemFolder::System);
    case 19: return platform.SystemFolderPath(TSystemFolder::Temp);
    case 20: return platform.SystemFolderPath(TSystemFolder::System).substr(0, 2);
    default: break;
    }
    if (code <= 26)
        return platform.RegistryString(TRegistryRoot::LocalMachine, MachineCurrentVersionKey, MachineFolderValues[code - 21]);
    return std::string();
}

}  // namespace

std::string GetLongPathByShell(IPlatform& platform, const std::string& path) {
    std::string fullPath = platform.FullPathName(path);
    // A path the system cannot expand (too long for it) is kept as given.
    if (fullPath.empty()) fullPath = path;
    std::string longPath;
    if (!fullPath.empty() && platform.ShellLongPath(fullPath, longPath)) return longPath;
    return fullPath;
}

int GetIconCount(IPlatform& platform, const std::string& file) {
    int count = platform.IconCount(file);
    return count > 0 ? count : 0;
}

TOwnedIcon GetShellIcon(IPlatform& platform, const std::string& file, int size) {
    return TOwnedIcon(platform, platform.ShellIconOf(file, size));
}

TOwnedIcon GetFileIcon(IPlatform& platform, const std::string& file, int32_t index, int size) {
    // -1 asks the extraction call for the number of icons, never for an icon:
    // it is shown like index 0.
    if (index == 0 || index == -1) return GetShellIcon(platform, file, size);
    int count = GetIconCount(platform, file);
    if (count == 0) return GetShellIcon(platform, file, size);
    if (index >= count) index = count - 1;
    return TOwnedIcon(platform, platform.ExtractIconAt(file, index, size));
}

bool CreateLink(IPlatform& platform, const TLinkCreateInfo& info, const std::string& linkFileName) {
    return platform.SaveShellLink(info, linkFileName);
}

std::string GetSpecialFolder(IPlatform& platform, uint8_t code) {
    std::string folder = SpecialFolderWithoutSlash(platform, code);
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

std::string ProgramLinkFileName(const std::string& folder) {
    return folder + "\\" + ProgramLinkName + ".lnk";
}

void CreateProgramLink(IPlatform& platform, const std::string& folder) {
    std::string program = platform.ExecutableName();
    TLinkCreateInfo info = {};
    // A shortcut to a cut-off path would start something else: write none.
    if (!AssignLinkField(info.Path, program) || !AssignLinkField(info.WorkingDir, ExtractFilePath(program))) return;
    info.ShowCmd = swShowNormal;
    CreateLink(platform, info, ProgramLinkFileName(folder));
}

void SetRunAtStartup(IPlatform& platform, TAppSettingXml& settings, bool enabled) {
    platform.RegistryDeleteValue(TRegistryRoot::CurrentUser, UserRunKey, ProgramLinkName);
    settings.RunStartup = enabled;
    std::string startup = GetSpecialFolder(platform, sfStartup);
    // Without a known Startup folder there is no place for the shortcut.
    if (startup.empty()) return;
    std::string linkFile = ProgramLinkFileName(startup);
    if (enabled)
        CreateProgramLink(platform, startup);
    else if (platform.FileExists(linkFile))
        platform.RemoveFile(linkFile);
}

}  // namespace quorlet
