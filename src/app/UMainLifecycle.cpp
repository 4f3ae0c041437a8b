// Creation, showing, activation and closing of the main window.
#include "app/AppPaths.h"
#include "app/UMain.h"
#include "settings/UConfigXml.h"

namespace quorlet {

void TfrmQuorlet::FormCreate() {
    CellIconSize = 32;
    SwapPending = false;
    CopyPending = false;

    ButtonIdList.clear();
    RunCountList.clear();
    SortedCountList.clear();

    // The user's settings document, after any restore scheduled by the last run.
    SettingFileName = AppConfig().LoadUserConfig();

    // Settings, tab sheets, rankings, hot key, menus and tray come here as they are built.

    HiddenInTray = false;
    SetWindowTextA(Handle(), "Quorlet");
    UpdateChecked = false;
}

void TfrmQuorlet::FormShow() {}

void TfrmQuorlet::FormActivate() {}

void TfrmQuorlet::FormClose() {
    ButtonIdList.clear();
    RunCountList.clear();
}

void TfrmQuorlet::ApplicationActive() { AppActive = true; }

void TfrmQuorlet::ApplicationDeActive() { AppActive = false; }

void TfrmQuorlet::WMQuorletRunning() {
    // The tray icon's "Quorlet is running." balloon answers this once the tray icon exists.
    ++RunningNoticeCount;
}

}  // namespace quorlet
