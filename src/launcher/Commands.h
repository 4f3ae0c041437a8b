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
    ActionMenu_AppOptions,
    ActionMenu_Report,
    ActionMenu_AlarmConfig,
    ActionMenu_BackupConfig,
    ActionMenu_ResotreConfig,  // "Restore": the name the settings and help use
    ActionBtn_Properties,
    ActionBtn_ExplorerButtonPath,
};

struct TCommand {
    TCommandId Id;
    std::string Caption;
    std::string Hint;
    std::function<void()> Execute;
    // Empty for a command without a check mark.
    std::function<bool()> Checked;
};

class TCommandList {
public:
    // std::invalid_argument when a command with the same identifier exists.
    void Add(TCommand command);
    // Null when no command has the identifier.
    const TCommand* Find(TCommandId id) const;
    // Runs the command's handler; false when there is no such command.
    bool Execute(TCommandId id) const;
    bool IsChecked(TCommandId id) const;
    const std::vector<TCommand>& Commands() const { return FCommands; }

private:
    std::vector<TCommand> FCommands;
};

}  // namespace quorlet
