#include "app/TDriveMenu.h"

#include "app/TCommandMenu.h"
#include "shell/ShellServices.h"

namespace quorlet {

namespace {

const UINT kFirstDriveId = 1;
// Marks the items whose pictures this menu draws.
const ULONG_PTR kDriveItemTag = 0x51440000;

int SmallIconSize() { return GetSystemMetrics(SM_CXSMICON); }

}  // namespace

void TDriveMenu::BuildDriveMenu() {
    FRoots.clear();
    FIcons.clear();
    // Room for 26 roots of 4 characters ("C:\" and its terminator) and the final terminator.
    char buffer[105] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
    if (length == 0 || length > sizeof buffer) return;
    for (const char* root = buffer; *root; root += lstrlenA(root) + 1) FRoots.emplace_back(root);
}

void TDriveMenu::LoadIcons() {
    if (FIcons.size() == FRoots.size()) return;
    FIcons.clear();
    for (const std::string& root : FRoots) FIcons.push_back(GetShellIcon(FPlatform, root, SmallIconSize()));
}

void TDriveMenu::Popup(HWND owner, POINT at) {
    if (FRoots.empty()) return;
    LoadIcons();
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    for (size_t i = 0; i < FRoots.size(); ++i) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP | MIIM_DATA;
        item.wID = kFirstDriveId + static_cast<UINT>(i);
        // "C:\" holds no "&", so no accelerator letter is added to it.
        item.dwTypeData = const_cast<char*>(FRoots[i].c_str());
        item.hbmpItem = HBMMENU_CALLBACK;
        item.dwItemData = kDriveItemTag + i;
        InsertMenuItemA(menu, static_cast<UINT>(i), TRUE, &item);
    }
    SetForegroundWindow(owner);
    UINT chosen;
    {
        TShownMenu shown(menu);
        chosen = static_cast<UINT>(
            TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    }
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen >= kFirstDriveId && chosen - kFirstDriveId < FRoots.size())
        PopupMenu_PartitionClick(FRoots[chosen - kFirstDriveId]);
}

void TDriveMenu::PopupMenu_PartitionClick(const std::string& caption) {
    const std::string path = caption.size() > 3 ? caption.substr(0, 3) : caption;
    FPlatform.ShellOpen("explore", path, "", "", SW_SHOWNORMAL, TShellOwner::Desktop);
}

bool TDriveMenu::MeasureItem(MEASUREITEMSTRUCT& item) const {
    if (item.CtlType != ODT_MENU || item.itemData < kDriveItemTag || item.itemData - kDriveItemTag >= FRoots.size())
        return false;
    item.itemWidth = static_cast<UINT>(SmallIconSize());
    item.itemHeight = static_cast<UINT>(SmallIconSize());
    return true;
}

bool TDriveMenu::DrawItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlType != ODT_MENU || item.itemData < kDriveItemTag) return false;
    const size_t index = item.itemData - kDriveItemTag;
    if (index >= FIcons.size()) return false;
    const int size = SmallIconSize();
    const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - size) / 2;
    if (HICON icon = static_cast<HICON>(FIcons[index].Get()))
        DrawIconEx(item.hDC, item.rcItem.left, top, icon, size, size, 0, nullptr, DI_NORMAL);
    return true;
}

}  // namespace quorlet
