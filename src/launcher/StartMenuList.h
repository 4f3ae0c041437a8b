#pragma once
// The Start Menu list that type-to-find searches, made from the shortcut files
// found in the user's and the shared Programs folders.

#include <string>
#include <vector>

#include "launcher/FindSources.h"

namespace quorlet {

// A shortcut file under one of the Programs folders.
struct TFoundShortcut {
    std::string RelativePath;  // below its Programs folder, e.g. "Tools\\Editor.lnk"
    std::string LinkPath;      // the whole path of the file
};

// True for a name ending in ".lnk", in any letter case, with something before it.
bool IsShortcutFileName(const std::string& fileName);

// The user's shortcuts, then the shared ones the user has no shortcut of the
// same relative path for (the user's own wins, as the Start Menu shows one),
// as entries without targets sorted by name and, among equal names, by path.
// Relative paths and names compare without regard to the case of A to Z.
std::vector<TStartMenuEntry> MergeStartMenuShortcuts(const std::vector<TFoundShortcut>& user,
                                                     const std::vector<TFoundShortcut>& common);

}  // namespace quorlet
