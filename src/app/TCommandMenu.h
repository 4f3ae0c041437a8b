#pragma once
// A context menu built from the command table: the captions, check marks and
// enabled states the table holds at the moment it opens.

#include <functional>
#include <string>

#include <windows.h>

#include "launcher/Commands.h"

namespace quorlet {

// Appends the layout to menu: a separator for each Separator, and for each
// command the table holds the entry appendEntry makes (the others are left out).
void AppendMenuLayout(HMENU menu, const TCommandList& commands, const TMenuLayout& layout,
                      const std::function<void(const TCommand&)>& appendEntry);

// Opens the menu at a screen point and runs the chosen command.
void PopupCommandMenu(HWND owner, const TCommandList& commands, const TMenuLayout& layout, TCommandId defaultId,
                      POINT at);

// While it lives, menu is the context menu on the screen that OpenMenuItem
// reads (for menus not built by PopupCommandMenu); other processes ask for its
// entries through app/RemoteAnswers.h.
class TShownMenu {
public:
    explicit TShownMenu(HMENU menu);
    ~TShownMenu();
    TShownMenu(const TShownMenu&) = delete;
    TShownMenu& operator=(const TShownMenu&) = delete;

private:
    HMENU FPrevious;
};

// The entry at position of the context menu on the screen now: its MFS_
// state bits (grayed, checked, default) with MF_SEPARATOR for a separator,
// and its caption; -1 without an open menu or such an entry.
int OpenMenuItem(int position, std::string& caption);

}  // namespace quorlet
