#include "app/TSystemMenuMirror.h"

#include "app/MainControls.h"
#include "app/TCommandMenu.h"

namespace quorlet {

namespace {

// System command identifiers keep their low four bits clear (the system uses
// them) and stay below the system's own, which start at 0xF000.
const UINT kFirstSystemCommand = kFirstMirroredSysCommand;
const UINT kSystemCommandStep = kMirroredSysCommandStep;

}  // namespace

void TSystemMenuMirror::Build(HWND window, const TCommandList& commands, const TMenuLayout& layout) {
    FWindow = window;
    FEntries.clear();
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    UINT next = kFirstSystemCommand;
    AppendMenuLayout(menu, commands, layout, [&](const TCommand& command) {
        AppendMenuA(menu, MF_STRING, next, command.Caption.c_str());
        FEntries.push_back({command.Id, next});
        next += kSystemCommandStep;
        Sync(commands, command.Id);
    });
}

bool TSystemMenuMirror::CommandOf(WPARAM systemCommand, TCommandId& id) const {
    const UINT command = static_cast<UINT>(systemCommand) & 0xFFF0;
    for (const TEntry& entry : FEntries)
        if (entry.SystemCommand == command) {
            id = entry.Id;
            return true;
        }
    return false;
}

UINT TSystemMenuMirror::SystemCommandOf(TCommandId id) const {
    for (const TEntry& entry : FEntries)
        if (entry.Id == id) return entry.SystemCommand;
    return 0;
}

void TSystemMenuMirror::Sync(const TCommandList& commands, TCommandId id) const {
    const UINT systemCommand = SystemCommandOf(id);
    const TCommand* command = commands.Find(id);
    HMENU menu = FWindow ? GetSystemMenu(FWindow, FALSE) : nullptr;
    if (!systemCommand || !command || !menu) return;
    const UINT check = commands.IsChecked(id) ? MF_CHECKED : MF_UNCHECKED;
    ModifyMenuA(menu, systemCommand, MF_BYCOMMAND | MF_STRING | check, systemCommand, command->Caption.c_str());
}

}  // namespace quorlet
