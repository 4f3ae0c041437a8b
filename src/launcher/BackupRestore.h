#pragma once
// Backing up the settings document to a file of the user's choice, and
// scheduling a chosen file to replace it at the next start. Neither may touch
// the configuration index or the current settings document under any
// spelling of their names.

#include <string>

#include "base/DateTime.h"
#include "base/Platform.h"
#include "settings/UConfigXml.h"

namespace quorlet {

// The dialogs and boxes the two commands show; message boxes have the caption "Quorlet".
class IBackupRestoreUi {
public:
    enum TMessageKind { mkWarning, mkInformation };
    virtual ~IBackupRestoreUi() = default;
    // The save dialog in folder with the filter and a proposed name; false for Cancel.
    virtual bool AskSaveFile(const std::string& folder, const char* filter, const std::string& proposed,
                             std::string& chosen) = 0;
    // The open dialog in folder; false for Cancel.
    virtual bool AskOpenFile(const std::string& folder, const char* filter, std::string& chosen) = 0;
    virtual void ShowMessage(const std::string& text, TMessageKind kind) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool AskYes(const std::string& question) = 0;
};

extern const char* const BackupFilter;  // "Xml file (*.xml)|*.xml"
extern const char* const BackupRefusedMessage;
extern const char* const BackupDoneMessage;
extern const char* const RestoreRefusedMessage;
extern const char* const RestoreDoneMessage;
extern const char* const RestoreNotSettingsMessage;

// "Quorlet Config(yyyymmdd).xml" for the day.
std::string BackupFileProposal(const TDateTime& today);

// Whether two paths name the same file: compared whole, after relative parts,
// short (8.3) names and letter case are resolved.
bool SameFilePath(IPlatform& platform, const std::string& a, const std::string& b);

// Whether the file is a settings document: it parses and its root is the
// settings documents' own (the index's root, Config, is not).
bool IsSettingsDocumentFile(const std::string& fileName);

// BackupConfig: true when a backup file was written.
bool BackupConfig(IPlatform& platform, IBackupRestoreUi& ui, const TDateTime& today);
// RestoreConfig: the chosen file is scheduled with config's SetRestoreXml.
void RestoreConfig(IPlatform& platform, IBackupRestoreUi& ui, TAppConfig& config);

}  // namespace quorlet
