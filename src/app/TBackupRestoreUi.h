#pragma once
// The system's dialogs and message boxes for backing up and restoring the
// settings, owned by the window the command came from.

#include <windows.h>

#include "launcher/BackupRestore.h"

namespace quorlet {

class TBackupRestoreUi : public IBackupRestoreUi {
public:
    explicit TBackupRestoreUi(HWND owner) : FOwner(owner) {}
    bool AskSaveFile(const std::string& folder, const char* filter, const std::string& proposed,
                     std::string& chosen) override;
    bool AskOpenFile(const std::string& folder, const char* filter, std::string& chosen) override;
    void ShowMessage(const std::string& text, TMessageKind kind) override;
    bool AskYes(const std::string& question) override;

private:
    HWND FOwner;
};

}  // namespace quorlet
