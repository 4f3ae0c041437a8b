#include "shell/StartMenuFolders.h"

#include "shell/ShellServices.h"

namespace quorlet {

namespace {

const char* const MachineShellFoldersKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const CommonProgramsValue = "Common Programs";

}  // namespace

TStartMenuFolders GetStartMenuFolders(IPlatform& platform) {
    TStartMenuFolders folders;
    folders.User = GetSpecialFolder(platform, sfPrograms);
    folders.Common = platform.RegistryString(TRegistryRoot::LocalMachine, MachineShellFoldersKey, CommonProgramsValue);
    if (!folders.Common.empty() && folders.Common.back() != '\\') folders.Common += '\\';
    return folders;
}

}  // namespace quorlet
