#pragma once
// The menu of the computer's drives (PopupMenuPartition): one entry per
// logical drive, its root as caption and the shell's icon beside it. The
// roots are read when the window is made; the icons on the first opening, so
// they cost the start nothing. Choosing a drive opens it in the explorer.

#include <string>
#include <vector>

#include <windows.h>

#include "base/Platform.h"
#include "shell/OwnedIcon.h"

namespace quorlet {

class TDriveMenu {
public:
    explicit TDriveMenu(IPlatform& platform) : FPlatform(platform) {}

    // BuildDriveMenu: the drive roots, in the system's order.
    void BuildDriveMenu();
    const std::vector<std::string>& Roots() const { return FRoots; }

    // Opens the menu at a screen point, owned by owner, and explores the
    // chosen drive.
    void Popup(HWND owner, POINT at);
    // PopupMenu_PartitionClick: explores the drive of an entry's caption.
    void PopupMenu_PartitionClick(const std::string& caption);

    // The owner passes its WM_MEASUREITEM and WM_DRAWITEM here; true when
    // they were the menu's icons.
    bool MeasureItem(MEASUREITEMSTRUCT& item) const;
    bool DrawItem(const DRAWITEMSTRUCT& item) const;

private:
    void LoadIcons();

    IPlatform& FPlatform;
    std::vector<std::string> FRoots;
    std::vector<TOwnedIcon> FIcons;  // ImageList_Partition, one per root once loaded
};

}  // namespace quorlet
