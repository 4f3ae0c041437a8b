#pragma once
// Reading the Start Menu's Programs folders into the list type-to-find
// searches: plain calls for a worker thread, which show nothing and post
// nothing. Each asks stop between files and ends early once it is set.

#include <atomic>
#include <string>
#include <vector>

#include "base/Platform.h"
#include "launcher/StartMenuList.h"
#include "shell/StartMenuFolders.h"

namespace quorlet {

// The shortcut files under folder, subfolders included. A folder that does
// not exist or cannot be read gives none; so does a subfolder that is a link
// to another place (a junction can lead back up the tree), and a name the
// program's code page cannot spell, as no call of this program could open it.
std::vector<TFoundShortcut> FindShortcutFiles(const std::string& folder, const std::atomic<bool>& stop);

// Gives each entry the target its shortcut names, read as a drop of the
// shortcut reads it; a shortcut that cannot be read keeps an empty target.
// COM should be open on the calling thread, or each file opens it anew.
void ReadShortcutTargets(IPlatform& platform, std::vector<TStartMenuEntry>& entries, const std::atomic<bool>& stop);

// Both folders, merged, sorted and with their targets.
std::vector<TStartMenuEntry> ReadStartMenu(IPlatform& platform, const TStartMenuFolders& folders,
                                           const std::atomic<bool>& stop);

}  // namespace quorlet
