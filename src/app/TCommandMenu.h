#pragma once
// A context menu built from the command table: the captions, check marks and
// enabled states the table holds at the moment it opens.

#include <functional>

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
// reads (for menus not built by PopupCommandMenu).
class TShownMenu {
public:
    explicit TShownMenu(HMENU menu);
    ~TShownMenu();
    TShownMenu(const TShownMenu&) = delete;
    TShownMenu& operator=(const TShownMenu&) = delete;

private:
    HMENU FPrevious;
};

// The entry at position of the context menu on the screen now, as
// WM_MENU_GETITEM answers it.
LRESULT OpenMenuItem(int position, char* caption, int captionSize);

}  // namespace quorlet
