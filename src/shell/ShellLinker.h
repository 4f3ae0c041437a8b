#pragma once
// Reading shortcut (.lnk) files, opening their targets and turning them into
// the fields of a button.

#include <cstdint>
#include <string>

#include "base/Platform.h"

namespace quorlet {

struct TLinkInfo {
    std::string Path;
    std::string WorkingDir;
    std::string Arguments;
    std::string Description;
    std::string IconLocation;  // the shortcut's icon file, or a copy of Path
    int32_t IconIndex = 0;
    uint8_t ShowState = 0;     // 0 normal, 1 minimized, 2 maximized
};

// A shortcut turned into button fields.
struct TLinkButtonFields {
    std::string Command;
    std::string Parameters;
    std::string WorkingDir;
    std::string Description;
    std::string IconFile;
    int32_t IconNumber = 0;
    uint8_t ShowState = 0;
};

// Texts read from a shortcut are cut to this many characters.
const size_t LinkTextLimit = 259;

uint8_t ShowStateFromShowCmd(int showCmd);
int ShowCmdFromShowState(uint8_t showState);

// True if the file is a shortcut with link information and a target item;
// on an early failure info is left as it was.
bool ReadLink(IPlatform& platform, const std::string& linkFile, TLinkInfo& info);
// Opens the shortcut's target (or the shortcut itself when it has none) with
// the application window as owner, the shortcut's own arguments, its working
// folder (or "." when it names none) and its show state, as a double click on
// the shortcut would; an empty verb is the default verb. The shell shows no
// error box of its own: when nothing was started, failure says why. A shortcut
// whose target is itself or another shortcut is never handed to the shell
// (which would follow it without end): it fails with LinkChainFailure.
bool OpenLink(IPlatform& platform, const std::string& linkFile, const std::string& verb, std::string& failure);
bool OpenLink(IPlatform& platform, const std::string& linkFile, const std::string& verb = std::string());
// Why a shortcut to a shortcut is not started.
extern const char* const LinkChainFailure;
// True when the file is a shortcut whose target, as its shell link object
// reads it, is itself a shortcut (or that same file).
bool LinkPointsToShortcut(IPlatform& platform, const std::string& linkFile);
// Fills fields from a ".lnk" file whose target exists; false leaves them untouched.
bool ResolveLinkFields(IPlatform& platform, const std::string& linkFile, TLinkButtonFields& fields);

}  // namespace quorlet
