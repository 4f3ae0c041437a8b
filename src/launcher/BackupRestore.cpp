#include "launcher/BackupRestore.h"

#include <cstdio>

#include "base/AppPaths.h"
#include "base/TextCompare.h"
#include "settings/UAppSettingXml.h"
#include "settings/XmlDoc.h"
#include "shell/ShellServices.h"

namespace quorlet {

const char* const BackupFilter = "Xml file (*.xml)|*.xml";
const char* const BackupRefusedMessage = "Can't bakcup to current configuration file, please choose again.";
const char* const BackupDoneMessage = "Backup Quorlet configuration done.";
const char* const RestoreRefusedMessage = "Can't restore from current configuration file, please choose again.";
const char* const RestoreDoneMessage = "Restore configuration done, please exit and run Quorlet again.";
const char* const RestoreNotSettingsMessage =
    "The chosen file is not a Quorlet configuration file, nothing will be restored:\r\n\r\n";

std::string BackupFileProposal(const TDateTime& today) {
    char name[64];
    std::snprintf(name, sizeof name, "%s Config(%04d%02d%02d).xml", "Quorlet", today.Year, today.Month, today.Day);
    return name;
}

bool SameFilePath(IPlatform& platform, const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    return SameText(GetLongPathByShell(platform, a), GetLongPathByShell(platform, b));
}

bool IsSettingsDocumentFile(const std::string& fileName) {
    try {
        XmlElementPtr root = RootElement(LoadXmlFile(fileName));
        return root && root->NodeName() == SettingsDocumentRoot;
    } catch (const std::exception&) {
        return false;
    }
}

namespace {

// The index or the current settings document under any spelling.
bool IsOwnFile(IPlatform& platform, const std::string& path) {
    return SameFilePath(platform, path, ConfigFileName) || SameFilePath(platform, path, SettingFileName);
}

}  // namespace

bool BackupConfig(IPlatform& platform, IBackupRestoreUi& ui, const TDateTime& today) {
    const std::string folder = ExtractFilePath(platform.ExecutableName());
    std::string chosen;
    if (!ui.AskSaveFile(folder, BackupFilter, BackupFileProposal(today), chosen)) return false;
    if (IsOwnFile(platform, chosen)) {
        ui.ShowMessage(BackupRefusedMessage, IBackupRestoreUi::mkWarning);
        return false;
    }
    if (platform.FileExists(chosen) && !ui.AskYes("Replace the exists file:\r\n\r\n" + chosen)) return false;
    if (!platform.CopyFileOver(SettingFileName, chosen)) return false;
    ui.ShowMessage(BackupDoneMessage, IBackupRestoreUi::mkInformation);
    return true;
}

void RestoreConfig(IPlatform& platform, IBackupRestoreUi& ui, TAppConfig& config) {
    const std::string folder = ExtractFilePath(platform.ExecutableName());
    std::string chosen;
    if (!ui.AskOpenFile(folder, BackupFilter, chosen)) return;
    if (IsOwnFile(platform, chosen)) {
        ui.ShowMessage(RestoreRefusedMessage, IBackupRestoreUi::mkWarning);
        return;
    }
    if (!platform.FileExists(chosen)) return;
    // A file that is no settings document would become one at the next start.
    if (!IsSettingsDocumentFile(chosen)) {
        ui.ShowMessage(RestoreNotSettingsMessage + chosen, IBackupRestoreUi::mkWarning);
        return;
    }
    config.SetRestoreXml(chosen);
    ui.ShowMessage(RestoreDoneMessage, IBackupRestoreUi::mkInformation);
}

}  // namespace quorlet
