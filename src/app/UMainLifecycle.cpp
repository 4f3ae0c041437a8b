// Creation, showing, activation and closing of the main window.
#include "app/AppPaths.h"
#include "app/UMain.h"
#include "settings/UAppSettingXml.h"
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
    TAppSettingXml& settings = AppSettingXml();
    settings.LoadSettings();
    settings.LoadGroups();

    // Tab sheets, rankings, hot key, menus and tray come here as they are built.
    settings.LoadRecentButtons();

    HiddenInTray = false;
    SetWindowTextA(Handle(), "Quorlet");
    MoveToStoredPosition(settings.X, settings.Y);
    UpdateChecked = false;
}

void TfrmQuorlet::FormShow() {}

void TfrmQuorlet::FormActivate() {}

void TfrmQuorlet::MoveToStoredPosition(int left, int top) {
    // Keep the whole window inside the work area, so a position stored on a larger
    // screen (or the new document's bottom-right default) stays reachable.
    RECT window, work;
    GetWindowRect(Handle(), &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = window.right - window.left, height = window.bottom - window.top;
    if (left > work.right - width) left = work.right - width;
    if (top > work.bottom - height) top = work.bottom - height;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmQuorlet::FormClose() {
    RECT window;
    GetWindowRect(Handle(), &window);
    TAppSettingXml& settings = AppSettingXml();
    settings.Y = window.top;
    settings.X = window.left;
    settings.SaveSettings();
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
