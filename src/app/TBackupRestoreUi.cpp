#include "app/TBackupRestoreUi.h"

#include "win32/FileDialogs.h"
#include "win32/ModalWindows.h"

namespace quorlet {

bool TBackupRestoreUi::AskSaveFile(const std::string& folder, const char* filter, const std::string& proposed,
                                   std::string& chosen) {
    return quorlet::AskSaveFile(BoxOwner(FOwner), filter, folder, proposed, chosen);
}

bool TBackupRestoreUi::AskOpenFile(const std::string& folder, const char* filter, std::string& chosen) {
    return quorlet::AskOpenFile(BoxOwner(FOwner), filter, folder, chosen);
}

void TBackupRestoreUi::ShowMessage(const std::string& text, TMessageKind kind) {
    MessageBoxA(BoxOwner(FOwner), text.c_str(), "Quorlet", MB_OK | (kind == mkWarning ? MB_ICONWARNING : MB_ICONINFORMATION));
}

bool TBackupRestoreUi::AskYes(const std::string& question) {
    return MessageBoxA(BoxOwner(FOwner), question.c_str(), "Quorlet", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace quorlet
