// The window's commands, in one table with their captions and hints; menus
// and the Quorlet Tab's command icons are built from it.
#include "app/UMain.h"
#include "app/UReport.h"
#include "launcher/ClickSound.h"
#include "settings/UAppSettingXml.h"
#include "launcher/ButtonLaunch.h"
#include "settings/UBtnSettingXml.h"

namespace quorlet {

void TfrmQuorlet::BuildCommands() {
    struct TEntry {
        TCommandId Id;
        const char* Caption;
        const char* Hint;
        void (TfrmQuorlet::*Handler)();
    };
    const TEntry entries[] = {
        {TCommandId::ActionMenu_AppOptions, "Options...", "Options...", &TfrmQuorlet::ActionMenu_AppOptionsExecute},
        {TCommandId::ActionMenu_Report, "View Frequency Report", "View Frequency Report",
         &TfrmQuorlet::ActionMenu_ReportExecute},
        {TCommandId::ActionMenu_AlarmConfig, "Alarm Clock", "Alarm Clock", &TfrmQuorlet::ActionMenu_AlarmConfigExecute},
        {TCommandId::ActionMenu_BackupConfig, "Backup Settings", "Backup Settings",
         &TfrmQuorlet::ActionMenu_BackupConfigExecute},
        {TCommandId::ActionMenu_ResotreConfig, "Restore Settings", "Restore Settings",
         &TfrmQuorlet::ActionMenu_ResotreConfigExecute},
        {TCommandId::ActionBtn_Properties, "Properties", "Properties", &TfrmQuorlet::ActionBtn_PropertiesExecute},
        {TCommandId::ActionBtn_ExplorerButtonPath, "Open Path in Explorer", "Open Path in Explorer",
         &TfrmQuorlet::ActionBtn_ExplorerButtonPathExecute},
    };
    for (const TEntry& entry : entries) {
        auto handler = entry.Handler;
        FCommands.Add({entry.Id, entry.Caption, entry.Hint, [this, handler] { (this->*handler)(); }, nullptr});
    }
}

// The dialogs behind these commands are not part of the program yet.
void TfrmQuorlet::ActionMenu_AppOptionsExecute() {}
void TfrmQuorlet::ActionMenu_ReportExecute() {
    PlayClickSound(FPlatform, csIcon);
    TfrmReport report(FPlatform, AppSettingXml(), BtnSettingXml());
    report.ShowModal(FInstance, Handle());
}
void TfrmQuorlet::ActionMenu_BackupConfigExecute() {}
void TfrmQuorlet::ActionMenu_ResotreConfigExecute() {}
void TfrmQuorlet::ActionBtn_PropertiesExecute() {}

void TfrmQuorlet::ActionBtn_ExplorerButtonPathExecute() {
    ExploreButtonPath(FPlatform, BtnSettingXml(), PressedButtonId);
}

}  // namespace quorlet
