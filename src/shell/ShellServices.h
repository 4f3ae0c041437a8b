#pragma once
// Stateless services through which the program reaches the Windows shell:
// long paths, file icons, shortcut writing, special folders and the
// run-at-startup switch. None shows a message; each reports by its result.

#include <cstdint>
#include <string>

#include "base/Platform.h"
#include "shell/LinkCreateInfo.h"
#include "shell/OwnedIcon.h"

namespace quorlet {

class TAppSettingXml;

// Name of the program's shortcuts and of its old Run value.
extern const char* const ProgramLinkName;  // "Quorlet"

// Special-folder codes the program itself asks for.
enum TSpecialFolder : uint8_t { sfDesktop = 0, sfStartMenu = 1, sfPrograms = 2, sfStartup = 3, sfSystemDrive = 20 };

std::string GetLongPathByShell(IPlatform& platform, const std::string& path);
int GetIconCount(IPlatform& platform, const std::string& file);
// Icons size x size pixels (a shell icon may come larger when the shell has
// none of that size).
TOwnedIcon GetShellIcon(IPlatform& platform, const std::string& file, int size);
// Index 0: the shell's icon; k >= 1: the k-th icon stored in the file,
// clamped to the last; a file without icons gives the shell's icon.
TOwnedIcon GetFileIcon(IPlatform& platform, const std::string& file, int32_t index, int size);
// True when the shortcut file was saved.
bool CreateLink(IPlatform& platform, const TLinkCreateInfo& info, const std::string& linkFileName);
// The folder with a trailing backslash, or "" (unknown code, missing value).
std::string GetSpecialFolder(IPlatform& platform, uint8_t code);
// "<folder>\Quorlet.lnk"
std::string ProgramLinkFileName(const std::string& folder);
// Writes the program's shortcut into folder; reports nothing.
void CreateProgramLink(IPlatform& platform, const std::string& folder);
// Removes the old Run value, sets the settings' RunStartup and writes or
// deletes the shortcut in the Startup folder (nothing when that folder is
// unknown). The settings are not saved here.
void SetRunAtStartup(IPlatform& platform, TAppSettingXml& settings, bool enabled);

}  // namespace quorlet
