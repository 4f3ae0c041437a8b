// The window's place on the desktop: the notification-area icon, the global
// hot key, the system menu's mirror of the title menu, the status bar's menus
// and showing and hiding the window.
#include "app/TCommandMenu.h"
#include "app/UMain.h"
#include "base/Addresses.h"
#include "dialogs/UAbout.h"
#include "launcher/ClickSound.h"
#include "launcher/HotKeyText.h"
#include "launcher/TrayState.h"
#include "resources/resource.h"
#include "settings/UAppSettingXml.h"
#include "shell/HelpTopics.h"
#include "win32/KeyNames.h"

namespace quorlet {

void TfrmQuorlet::CreateTrayIcon() {
    HICON icon = static_cast<HICON>(LoadImageA(FInstance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_SHARED));
    FTrayIcon.Create(FInstance, icon, "Quorlet");
    UpdateTrayHint();
}

void TfrmQuorlet::UpdateTrayHint() {
    const TAppSettingXml& settings = AppSettingXml();
    const TAlarmSchedule& alarm = FAlarmClock.Schedule();
    FTrayIcon.SetTip(TrayHintText(HotKeyId != 0, settings.GlobalHotKey, settings.AlarmOn, alarm.AlarmHour,
                                  alarm.AlarmMinute, alarm.AlarmSecond));
}

// Showing and hiding.

void TfrmQuorlet::ShowMainWindow() {
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    // A hidden window comes up on top of the others as it is shown; one that
    // was shown already is raised here, even where the window manager keeps
    // the focus where it is. (Raising again costs the show as much as the
    // show itself under Wine.)
    if (ShowWindow(Handle(), SW_SHOW))
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(Handle());
}

void TfrmQuorlet::HideMainWindow() {
    // A find ends with the window that showed it.
    if (FindRunning()) CarryOut(FFind->Clear());
    ShowWindow(Handle(), SW_HIDE);
    HWND application = GetWindow(Handle(), GW_OWNER);
    if (application && IsWindowVisible(application)) ShowWindow(application, SW_HIDE);
}

void TfrmQuorlet::ToggleMainWindow() {
    HiddenInTray = HiddenAfterToggle(AppActive, HiddenInTray);
    if (HiddenInTray)
        HideMainWindow();
    else
        ShowMainWindow();
}

void TfrmQuorlet::CoolTrayIconClick() {
    AppActive = true;
    ToggleMainWindow();
}

void TfrmQuorlet::CoolTrayIconDblClick() { N6Click(); }

void TfrmQuorlet::N6Click() {
    HiddenInTray = false;
    ShowMainWindow();
    BringModalToFront();
}

void TfrmQuorlet::N4Click() { PostMessageA(Handle(), WM_CLOSE, 0, 0); }

void TfrmQuorlet::CoolTrayIconBalloonHintClick() { N6Click(); }

void TfrmQuorlet::CoolTrayIconMinimizeToTray() {
    HiddenInTray = true;
    HideMainWindow();
}

void TfrmQuorlet::CoolTrayIconContextPopup(HWND owner, POINT screen) {
    PopupCommandMenu(owner, FCommands, TrayMenuLayout(), TCommandId::TrayShow, screen);
}

// The global hot key.

uint32_t TfrmQuorlet::ParseHotKey(const std::string& text) const { return ParseHotKeyText(text, SystemKeyName); }

int TfrmQuorlet::RegisterGlobalHotKey(const std::string& text) {
    const uint32_t code = ParseHotKey(text);
    if (!code) return 0;
    HotKeyCode = code;
    if (!FHotKeyWindow.Handle() && !FHotKeyWindow.Create(FInstance)) return 0;
    return FHotKeyWindow.Register(code);
}

int TfrmQuorlet::ChangeGlobalHotKey(const std::string& text) {
    if (HotKeyId == 0) return RegisterGlobalHotKey(text);
    const uint32_t code = ParseHotKey(text);
    FHotKeyWindow.Unregister(HotKeyId);
    if (!code) return 0;
    const int id = FHotKeyWindow.Register(code);
    HotKeyCode = code;
    return id;
}

void TfrmQuorlet::MainHotKeyManagerHotKeyPressed(int id) {
    if (id != HotKeyId || id == 0) return;
    // Whether the launcher is the active program, as the system sees it when
    // the key comes: the activation messages of a switch made just before
    // may still be on their way.
    DWORD foregroundProcess = 0;
    if (HWND foreground = GetForegroundWindow()) GetWindowThreadProcessId(foreground, &foregroundProcess);
    AppActive = foregroundProcess == GetCurrentProcessId();
    ToggleMainWindow();
}

// The system menu and the title menu's commands.

void TfrmQuorlet::BuildSystemMenu() {
    FSystemMenu.Build(Handle(), FCommands, TitleMenuLayout());
    for (TCommandId id : TitleMenuLayout())
        if (id != TCommandId::Separator) SyncSysMenuItem(id);
}

void TfrmQuorlet::SyncSysMenuItem(TCommandId entry) {
    if (entry == TCommandId::ActionMenu_ShowSysPanel) {
        const TAppSettingXml& settings = AppSettingXml();
        ShowTabMenuItem = entry;
        if (FPageControl.QuorletTabShown() != settings.ShowAppPanel)
            FPageControl.ShowQuorletTab(settings.ShowAppPanel, settings.FavoriteGroup);
        // While the window is made the start page is chosen later, so the
        // Quorlet Tab is not built here for nothing.
        if (settings.ShowAppPanel && !FCreating) FPageControl.SetActivePage(0);
    }
    // The check marks of the other entries come from the table's Checked.
    FSystemMenu.Sync(FCommands, entry);
}

bool TfrmQuorlet::SystemCommand(WPARAM command) {
    TCommandId id;
    if (!FSystemMenu.CommandOf(command, id)) return false;
    FCommands.Execute(id);
    SyncSysMenuItem(id);
    return true;
}

void TfrmQuorlet::ApplyAlwaysOnTop() {
    SetWindowPos(Handle(), AppSettingXml().AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmQuorlet::ToggleSavedSetting(bool& setting) {
    setting = !setting;
    try {
        AppSettingXml().SaveSettings();
    } catch (...) {
        // Not saved: the setting keeps the value the file holds.
        setting = !setting;
        throw;
    }
}

void TfrmQuorlet::ActionMenu_AutoHideExecute() { ToggleSavedSetting(AppSettingXml().HideAfterClicking); }

void TfrmQuorlet::ActionMenu_AlwaysOnTopExecute() {
    ToggleSavedSetting(AppSettingXml().AlwaysOnTop);
    ApplyAlwaysOnTop();
}

void TfrmQuorlet::ActionMenu_HelpExecute() { ShowHelpTopic(FPlatform, ""); }

void TfrmQuorlet::ActionMenu_VersionExecute() { ShowHelpTopic(FPlatform, HelpTopicVersion); }

void TfrmQuorlet::ActionMenu_WebsiteExecute() {
    FPlatform.ShellOpen("open", HomePageAddress, "", "", SW_SHOWNORMAL, TShellOwner::Window, Handle());
}

void TfrmQuorlet::ActionMenu_AboutExecute() { TfrmAbout::Execute(FPlatform, FInstance, Handle()); }

// The status bar.

void TfrmQuorlet::StatusBar1DblClick() {
    if (!AppSettingXml().ShowAppPanel) return;
    const int active = FPageControl.ActivePage();
    if (active >= 1) {
        SavedPageIndex = active;
        FPageControl.SetActivePage(0);
    } else {
        FPageControl.SetActivePage(SavedPageIndex);
    }
    if (FPageControl.ActivePage() >= 1) FStatusLine.SetPanel(0, "");
    PlayClickSound(FPlatform, csTabsheet);
}

void TfrmQuorlet::StatusBar1ContextPopup(POINT screen) {
    POINT client = screen;
    ScreenToClient(FStatusLine.Handle(), &client);
    if (client.x > FStatusLine.HintPanelWidth())
        FDriveMenu.Popup(Handle(), screen);
    else
        PopupCommandMenu(Handle(), FCommands, StatusMenuLayout(), TCommandId::ActionMenu_Report, screen);
}

}  // namespace quorlet
