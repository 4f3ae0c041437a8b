#pragma once
// The Start Menu shortcuts of the find benchmark: 500 shortcuts, in vendor
// folders, in a folder of their own in the user's Programs folder (the one
// the program reads), each pointing at target. The folder goes when the
// object goes; one left behind by a run that was killed goes at the next.

#include <string>
#include <vector>

#include "base/Platform.h"
#include "launcher/FindSources.h"

namespace quorlet {
namespace startupbench {

class TStartMenuShortcuts {
public:
    // Throws std::runtime_error when the user's Programs folder is unknown or
    // a shortcut cannot be written (what was written is removed).
    TStartMenuShortcuts(IPlatform& platform, const std::string& target);
    ~TStartMenuShortcuts();
    TStartMenuShortcuts(const TStartMenuShortcuts&) = delete;
    TStartMenuShortcuts& operator=(const TStartMenuShortcuts&) = delete;

    // As the program's reader gives them: name, .lnk file and target.
    const std::vector<TStartMenuEntry>& Entries() const { return FEntries; }
    const std::string& Folder() const { return FFolder; }

private:
    void Remove() const;
    std::string FFolder;
    std::vector<TStartMenuEntry> FEntries;
};

}  // namespace startupbench
}  // namespace quorlet
