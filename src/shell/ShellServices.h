#pragma once
// Stateless services through which the program reaches the Windows shell:
// long paths, file icons, shortcut writing, special folders and the
// run-at-startup switch. None shows a message; each reports by its result.

#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "shell/LinkCreateInfo.h"
#include "shell/OwnedIcon.h"

namespace quorlet {

// Name of the program's shortcuts and of its old Run value.
extern const char* const ProgramLinkName;  // "Quorlet"

// Special-folder codes the program itself asks for.
enum TSpecialFolder : uint8_t { sfDesktop = 0, sfStartMenu = 1, sfStartup = 3, sfSystemDrive = 20 };

std::string GetLongPathByShell(const std::string& path);
int GetIconCount(const std::string& file);
TOwnedIcon GetShellIcon(const std::string& file);
// Index 0: the shell's icon; k >= 1: the k-th icon stored in the file,
// clamped to the last; a file without icons gives the shell's icon.
TOwnedIcon GetFileIcon(const std::string& file, int32_t index);
// True when the shortcut file was saved.
bool CreateLink(const TLinkCreateInfo& info, const std::string& linkFileName);
// The folder with a trailing backslash, or "" (unknown code, missing value).
std::string GetSpecialFolder(uint8_t code);
// "<folder>\Quorlet.lnk"
std::string ProgramLinkFileName(const std::string& folder);
// Writes the program's shortcut into folder; reports nothing.
void CreateProgramLink(const std::string& folder);
// Removes the old Run value, sets RunStartup and writes or deletes the
// shortcut in the Startup folder (nothing when that folder is unknown).
void SetRunAtStartup(bool enabled);

}  // namespace quorlet
