#pragma once
// The main window's commands as one table: each has its caption, its hint, an
// optional check mark and its handler. Menus and the Quorlet Tab's command
// icons are built from this table, so a command looks and acts the same
// wherever it is offered.

#include <functional>
#include <string>
#include <vector>

namespace quorlet {

enum class TCommandId {
    Separator,  // in a menu layout: a line between groups of commands
    ActionMenu_AppOptions,
    ActionMenu_Report,
    ActionMenu_AlarmConfig,
    ActionMenu_BackupConfig,
    ActionMenu_ResotreConfig,  // "Restore": the name the settings and help use
    ActionMenu_ShowSysPanel,
    ActionMenu_AutoHide,
    ActionMenu_AlwaysOnTop,
    ActionMenu_Help,
    ActionMenu_Version,
    ActionMenu_Website,
    ActionMenu_About,
    TrayShow,   // the tray menu's "Show" (N6)
    TrayClose,  // the tray menu's "&Close" (N4)
    ActionBtn_MoveToFirst,
    ActionBtn_MoveToBefore,
    ActionBtn_MoveToAfter,
    ActionBtn_MoveToLast,
    ActionBtn_Swap,
    ActionBtn_Copy,
    ActionBtn_ClearButton,
    ActionBtn_CopyButtonPath,
    ActionBtn_ExplorerButtonPath,
    ActionBtn_Properties,
    ActionPage_Moveleft,
    ActionPage_MoveRight,
    ActionPage_New,
    ActionPage_Rename,
    ActionPage_Delete,
};

// The commands of a menu in order, TCommandId::Separator between groups.
using TMenuLayout = std::vector<TCommandId>;
// The menu of a cell of a button tab sheet; its default entry is Properties.
const TMenuLayout& CellMenuLayout();
// The menu of the tab strip.
const TMenuLayout& TabStripMenuLayout();
// The notification-area icon's menu; its default entry is TrayShow.
const TMenuLayout& TrayMenuLayout();
// The title menu, mirrored into the window's system menu.
const TMenuLayout& TitleMenuLayout();
// The status bar's menu; its default entry is ActionMenu_Report.
const TMenuLayout& StatusMenuLayout();

struct TCommand {
    TCommandId Id;
    std::string Caption;
    std::string Hint;
    std::function<void()> Execute;
    // Empty for a command without a check mark.
    std::function<bool()> Checked;
    // Menus offer a disabled command greyed; the menu's owner sets this before opening it.
    bool Enabled = true;
};

class TCommandList {
public:
    // std::invalid_argument when a command with the same identifier exists.
    void Add(TCommand command);
    // Null when no command has the identifier.
    const TCommand* Find(TCommandId id) const;
    TCommand* Find(TCommandId id);
    // Runs the command's handler; false when there is no such command or the
    // gate refuses it.
    bool Execute(TCommandId id) const;
    // Asked before every command runs: false refuses it (the gate tells the
    // user why, if anything). Without a gate every command runs.
    void SetGate(std::function<bool(TCommandId)> gate) { FGate = std::move(gate); }
    bool IsChecked(TCommandId id) const;
    bool IsEnabled(TCommandId id) const;
    // Before a menu opens, its owner sets what the moment allows and says.
    void SetEnabled(TCommandId id, bool enabled);
    void SetCaption(TCommandId id, const std::string& caption);
    const std::vector<TCommand>& Commands() const { return FCommands; }

private:
    std::vector<TCommand> FCommands;
    std::function<bool(TCommandId)> FGate;
};

}  // namespace quorlet
