#pragma once
// The configuration index: maps each Windows user to the settings document in
// the program folder, and carries a pending restore from one run to the next.

#include <string>

#include "base/Platform.h"
#include "settings/XmlDoc.h"

namespace quorlet {

class TAppConfig {
public:
    // Reads the Windows user name once.
    explicit TAppConfig(IPlatform& platform);

    std::string UserName;
    std::string CurXml;
    std::string RestoreXml;
    XmlDocumentPtr ConfigDoc;

    // Full path of the current user's settings document; carries out a pending
    // restore first, keeping the document it replaces as "<document>.bak".
    std::string LoadUserConfig();
    // Schedules the backup file at path to replace the settings document at the next start.
    void SetRestoreXml(const std::string& path);
    // Writes a fresh index holding only the current user's entry.
    void CreateDefaultConfig();

private:
    std::string DefaultCurXml() const;
    // Loads the index (creating it when missing) and returns its UserConfig section,
    // recreating whatever a hand edit removed.
    XmlElementPtr LoadUserSection();
    XmlElementPtr AddUserItem(const XmlElementPtr& section, const std::string& restoreXml);

    IPlatform& FPlatform;
};

// The process-wide index, created at start before any window.
TAppConfig& AppConfig();
void SetAppConfig(TAppConfig* config);

}  // namespace quorlet
