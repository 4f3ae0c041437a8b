// The window's commands, in one table with their captions and hints; menus
// and the Quorlet Tab's command icons are built from it.
#include "app/UMain.h"
#include "app/TBackupRestoreUi.h"
#include "app/UReport.h"
#include "launcher/ClickSound.h"
#include "settings/UAppSettingXml.h"
#include "launcher/ButtonLaunch.h"
#include "settings/UBtnSettingXml.h"
#include "settings/UConfigXml.h"
#include "win32/ModalWindows.h"

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
        {TCommandId::ActionMenu_ShowSysPanel, "Show Quorlet Tab", "Show Quorlet Tab",
         &TfrmQuorlet::ActionMenu_ShowSysPanelExecute},
        {TCommandId::ActionMenu_AutoHide, "Auto hide QL after clicking", "Auto hide QL after clicking",
         &TfrmQuorlet::ActionMenu_AutoHideExecute},
        {TCommandId::ActionMenu_AlwaysOnTop, "Always On Top", "Always On Top",
         &TfrmQuorlet::ActionMenu_AlwaysOnTopExecute},
        {TCommandId::ActionMenu_Help, "Help", "Help", &TfrmQuorlet::ActionMenu_HelpExecute},
        {TCommandId::ActionMenu_Version, "Version History", "Version History",
         &TfrmQuorlet::ActionMenu_VersionExecute},
        {TCommandId::ActionMenu_Website, "Quorlet Home", "Quorlet Home", &TfrmQuorlet::ActionMenu_WebsiteExecute},
        {TCommandId::ActionMenu_About, "&About...", "&About...", &TfrmQuorlet::ActionMenu_AboutExecute},
        {TCommandId::TrayShow, "Show", "Show", &TfrmQuorlet::N6Click},
        {TCommandId::TrayClose, "&Close", "&Close", &TfrmQuorlet::N4Click},
        {TCommandId::ActionBtn_MoveToFirst, "Move to the first", "Move to the first",
         &TfrmQuorlet::ActionBtn_MoveToFirstExecute},
        {TCommandId::ActionBtn_MoveToBefore, "Move left", "Move left", &TfrmQuorlet::ActionBtn_MoveToBeforeExecute},
        {TCommandId::ActionBtn_MoveToAfter, "Move after", "Move after", &TfrmQuorlet::ActionBtn_MoveToAfterExecute},
        {TCommandId::ActionBtn_MoveToLast, "Move to the last", "Move to the last",
         &TfrmQuorlet::ActionBtn_MoveToLastExecute},
        {TCommandId::ActionBtn_Swap, "Swap to...", "Swap to...", &TfrmQuorlet::ActionBtn_SwapExecute},
        {TCommandId::ActionBtn_Copy, "Copy to ...", "Copy to ...", &TfrmQuorlet::ActionBtn_CopyExecute},
        {TCommandId::ActionBtn_ClearButton, "Clear", "Clear", &TfrmQuorlet::ActionBtn_ClearButtonExecute},
        {TCommandId::ActionBtn_CopyButtonPath, "Copy full path/file name", "Copy full path/file name",
         &TfrmQuorlet::ActionBtn_CopyButtonPathExecute},
        {TCommandId::ActionBtn_ExplorerButtonPath, "Open Path in Explorer", "Open Path in Explorer",
         &TfrmQuorlet::ActionBtn_ExplorerButtonPathExecute},
        {TCommandId::ActionBtn_Properties, "Properties", "Properties", &TfrmQuorlet::ActionBtn_PropertiesExecute},
        {TCommandId::ActionPage_Moveleft, "Move Tab left", "Move Tab left", &TfrmQuorlet::ActionPage_MoveleftExecute},
        {TCommandId::ActionPage_MoveRight, "Move Tab right", "Move Tab right",
         &TfrmQuorlet::ActionPage_MoveRightExecute},
        {TCommandId::ActionPage_New, "Create New Tab...", "Create New Tab...", &TfrmQuorlet::ActionPage_NewExecute},
        {TCommandId::ActionPage_Rename, "Rename ...", "Rename ...", &TfrmQuorlet::ActionPage_RenameExecute},
        {TCommandId::ActionPage_Delete, "Delete", "Delete", &TfrmQuorlet::ActionPage_DeleteExecute},
    };
    for (const TEntry& entry : entries) {
        auto handler = entry.Handler;
        FCommands.Add({entry.Id, entry.Caption, entry.Hint, [this, handler] { (this->*handler)(); }, nullptr});
    }
    FCommands.SetGate([this](TCommandId id) { return CommandAllowed(id); });
    FCommands.Find(TCommandId::ActionMenu_ShowSysPanel)->Checked = [] { return AppSettingXml().ShowAppPanel; };
    FCommands.Find(TCommandId::ActionMenu_AutoHide)->Checked = [] { return AppSettingXml().HideAfterClicking; };
    FCommands.Find(TCommandId::ActionMenu_AlwaysOnTop)->Checked = [] { return AppSettingXml().AlwaysOnTop; };
}

bool TfrmQuorlet::BringModalToFront() {
    HWND modal = ActiveModalWindow(Handle());
    if (!modal) return false;
    SetForegroundWindow(modal);
    return true;
}

bool TfrmQuorlet::CommandAllowed(TCommandId id) {
    // No second dialog over the first, and no change under a question that
    // waits for its answer.
    return id == TCommandId::TrayShow || !BringModalToFront();
}

void TfrmQuorlet::ActionMenu_ReportExecute() {
    PlayClickSound(FPlatform, csIcon);
    TfrmReport report(FPlatform, AppSettingXml(), BtnSettingXml());
    report.ShowModal(FInstance, Handle());
}
void TfrmQuorlet::ActionMenu_BackupConfigExecute() { BackupConfigFrom(Handle()); }
void TfrmQuorlet::ActionMenu_ResotreConfigExecute() { RestoreConfigFrom(Handle()); }

bool TfrmQuorlet::BackupConfigFrom(HWND owner) {
    TBackupRestoreUi ui(owner);
    return BackupConfig(FPlatform, ui, FPlatform.Now());
}

void TfrmQuorlet::RestoreConfigFrom(HWND owner) {
    TBackupRestoreUi ui(owner);
    RestoreConfig(FPlatform, ui, AppConfig());
}
void TfrmQuorlet::ActionBtn_PropertiesExecute() {
    const int32_t id = PressedButtonId;
    if (!IsButtonId(id)) return;
    TBtnSettingXml& store = BtnSettingXml();
    store.ReadButton(id);
    if (!ShowBtnProperties()) return;
    store.UpdateButtonProperties(id);
    ShowEditedButton(id);
}

void TfrmQuorlet::ActionBtn_ExplorerButtonPathExecute() {
    ExploreButtonPath(FPlatform, BtnSettingXml(), PressedButtonId);
}

}  // namespace quorlet
