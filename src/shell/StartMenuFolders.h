#pragma once
// Where the Start Menu keeps its programs: the user's own Programs folder and
// the one every user of the machine shares.

#include <string>

#include "base/Platform.h"

namespace quorlet {

struct TStartMenuFolders {
    std::string User;    // with a trailing backslash, or "" when unknown
    std::string Common;  // the same
};

// Both folders as the registry's Shell Folders keys name them: the user's
// "Programs" (the special folder of code 2) and the machine's "Common Programs".
TStartMenuFolders GetStartMenuFolders(IPlatform& platform);

}  // namespace quorlet
