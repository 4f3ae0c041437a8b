#pragma once
// The title menu's entries mirrored into the window's system menu: built once
// from the command table after a separator, each entry under a system command
// identifier of its own; Sync rewrites an entry's caption and check mark.

#include <vector>

#include <windows.h>

#include "launcher/Commands.h"

namespace quorlet {

class TSystemMenuMirror {
public:
    void Build(HWND window, const TCommandList& commands, const TMenuLayout& layout);
    // The command of a WM_SYSCOMMAND identifier; false for the system's own.
    bool CommandOf(WPARAM systemCommand, TCommandId& id) const;
    // The entry of id shows the table's caption and check mark.
    void Sync(const TCommandList& commands, TCommandId id) const;

private:
    // The system menu identifier of a mirrored command, 0 for none.
    UINT SystemCommandOf(TCommandId id) const;
    struct TEntry {
        TCommandId Id;
        UINT SystemCommand;
    };
    HWND FWindow = nullptr;
    std::vector<TEntry> FEntries;
};

}  // namespace quorlet
