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

bool TCommandList::Execute(TCommandId id) const {
    const TCommand* command = Find(id);
    if (!command) return false;
    if (command->Execute) command->Execute();
    return true;
}

bool TCommandList::IsChecked(TCommandId id) const {
    const TCommand* command = Find(id);
    return command && command->Checked && command->Checked();
}

}  // namespace quorlet
