#include "app/TCommandMenu.h"

namespace quorlet {

namespace {

const UINT kFirstMenuId = 100;

// The menu while it is on the screen.
HMENU g_openMenu = nullptr;

// Destroyed after it has left the screen.
struct TOpenMenu {
    explicit TOpenMenu(HMENU menu) : Menu(menu), Shown(menu) {}
    ~TOpenMenu() { DestroyMenu(Menu); }
    HMENU Menu;
    TShownMenu Shown;
};

// The chosen entry's identifier, 0 for none; the menu is gone when it returns.
UINT TrackCommandMenu(HWND owner, const TCommandList& commands, const TMenuLayout& layout, TCommandId defaultId,
                      POINT at) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return 0;
    TOpenMenu open(menu);
    AppendMenuLayout(menu, commands, layout, [&](const TCommand& command) {
        UINT flags = MF_STRING;
        if (!command.Enabled) flags |= MF_GRAYED;
        if (commands.IsChecked(command.Id)) flags |= MF_CHECKED;
        AppendMenuA(menu, flags, kFirstMenuId + static_cast<UINT>(command.Id), command.Caption.c_str());
    });
    if (commands.Find(defaultId)) SetMenuDefaultItem(menu, kFirstMenuId + static_cast<UINT>(defaultId), FALSE);
    // The owner must be in front, or the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    return chosen;
}

}  // namespace

void AppendMenuLayout(HMENU menu, const TCommandList& commands, const TMenuLayout& layout,
                      const std::function<void(const TCommand&)>& appendEntry) {
    for (TCommandId id : layout) {
        if (id == TCommandId::Separator) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (const TCommand* command = commands.Find(id)) appendEntry(*command);
    }
}

TShownMenu::TShownMenu(HMENU menu) : FPrevious(g_openMenu) { g_openMenu = menu; }

TShownMenu::~TShownMenu() { g_openMenu = FPrevious; }

void PopupCommandMenu(HWND owner, const TCommandList& commands, const TMenuLayout& layout, TCommandId defaultId,
                      POINT at) {
    const UINT chosen = TrackCommandMenu(owner, commands, layout, defaultId, at);
    if (chosen >= kFirstMenuId) commands.Execute(static_cast<TCommandId>(chosen - kFirstMenuId));
}

int OpenMenuItem(int position, std::string& caption) {
    caption.clear();
    if (!g_openMenu || position < 0 || position >= GetMenuItemCount(g_openMenu)) return -1;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
    char text[512] = {};
    info.dwTypeData = text;
    info.cch = sizeof text;
    if (!GetMenuItemInfoA(g_openMenu, static_cast<UINT>(position), TRUE, &info)) return -1;
    text[sizeof text - 1] = '\0';
    caption = text;
    return static_cast<int>((info.fState & (MFS_GRAYED | MFS_CHECKED | MFS_DEFAULT)) | (info.fType & MFT_SEPARATOR));
}

}  // namespace quorlet
