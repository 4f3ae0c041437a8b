#include "launcher/Commands.h"

#include <stdexcept>

namespace quorlet {

void TCommandList::Add(TCommand command) {
    if (Find(command.Id)) throw std::invalid_argument("Command \"" + command.Caption + "\" is already in the list");
    FCommands.push_back(std::move(command));
}

const TCommand* TCommandList::Find(TCommandId id) const {
    for (const TCommand& command : FCommands)
        if (command.Id == id) return &command;
    return nullptr;
}

TCommand* TCommandList::Find(TCommandId id) {
    for (TCommand& command : FCommands)
        if (command.Id == id) return &command;
    return nullptr;
}

bool TCommandList::Execute(TCommandId id) const {
    const TCommand* command = Find(id);
    if (!command) return false;
    if (FGate && !FGate(id)) return false;
    if (command->Execute) command->Execute();
    return true;
}

bool TCommandList::IsChecked(TCommandId id) const {
    const TCommand* command = Find(id);
    return command && command->Checked && command->Checked();
}

bool TCommandList::IsEnabled(TCommandId id) const {
    const TCommand* command = Find(id);
    return command && command->Enabled;
}

void TCommandList::SetEnabled(TCommandId id, bool enabled) {
    if (TCommand* command = Find(id)) command->Enabled = enabled;
}

void TCommandList::SetCaption(TCommandId id, const std::string& caption) {
    if (TCommand* command = Find(id)) command->Caption = caption;
}

const TMenuLayout& CellMenuLayout() {
    using C = TCommandId;
    static const TMenuLayout layout = {
        C::ActionBtn_MoveToFirst, C::ActionBtn_MoveToBefore, C::ActionBtn_MoveToAfter, C::ActionBtn_MoveToLast,
        C::Separator,
        C::ActionBtn_Swap, C::ActionBtn_Copy, C::ActionBtn_ClearButton,
        C::Separator,
        C::ActionBtn_CopyButtonPath, C::ActionBtn_ExplorerButtonPath,
        C::Separator,
        C::ActionBtn_Properties};
    return layout;
}

const TMenuLayout& TabStripMenuLayout() {
    using C = TCommandId;
    static const TMenuLayout layout = {
        C::ActionMenu_ShowSysPanel,
        C::Separator,
        C::ActionPage_Moveleft, C::ActionPage_MoveRight,
        C::Separator,
        C::ActionPage_New, C::ActionPage_Rename,
        C::Separator,
        C::ActionPage_Delete};
    return layout;
}

const TMenuLayout& TrayMenuLayout() {
    using C = TCommandId;
    static const TMenuLayout layout = {C::TrayShow, C::Separator, C::ActionMenu_AppOptions, C::ActionMenu_Website,
                                       C::Separator, C::TrayClose};
    return layout;
}

const TMenuLayout& TitleMenuLayout() {
    using C = TCommandId;
    static const TMenuLayout layout = {
        C::ActionMenu_AutoHide, C::ActionMenu_AlwaysOnTop, C::ActionMenu_ShowSysPanel,
        C::Separator,
        C::ActionMenu_Report, C::ActionMenu_AppOptions,
        C::Separator,
        C::ActionMenu_Help, C::ActionMenu_Version, C::ActionMenu_Website, C::ActionMenu_About};
    return layout;
}

const TMenuLayout& StatusMenuLayout() {
    using C = TCommandId;
    static const TMenuLayout layout = {C::ActionMenu_Report, C::Separator, C::ActionMenu_AppOptions, C::ActionMenu_Help};
    return layout;
}

}  // namespace quorlet
