// Creation, showing, activation, moving and closing of the main window.
#include "app/UMain.h"
#include "base/AppPaths.h"
#include "base/FileIo.h"
#include "launcher/EdgeSnap.h"
#include "win32/ErrorBoundary.h"
#include "win32/ModalWindows.h"
#include "win32/WindowDpi.h"
#include "resources/resource.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "settings/UConfigXml.h"

namespace quorlet {

void TfrmQuorlet::FormCreate() {
    FCreating = true;
    FButtonImages.SetDocumentFresh(true);
    SwapPending = false;
    CopyPending = false;

    ButtonIdList.clear();
    RunCountList.clear();
    SortedCountList.clear();

    // Saves cut short by an earlier run's end left their temporary files.
    RemoveAbandonedTemporaryFiles(ConfigFileName);
    // The user's settings document, after any restore scheduled by the last run.
    SettingFileName = AppConfig().LoadUserConfig();
    RemoveAbandonedTemporaryFiles(SettingFileName);
    TAppSettingXml& settings = AppSettingXml();
    settings.LoadSettings();
    FAlarmClock.LoadSchedule();

    // The monitor the window starts on; a move to another one changes it.
    FScale.Dpi = WindowDpi(Handle());
    FGuiFont = GuiFontForDpi(FScale.Dpi);
    FButtonImages.SetMissedIcon(LoadCellIcon(IDI_MISSEDICON));
    BuildTabSheets();
    RankTopButtons();
    settings.LoadRecentButtons();
    ShowRecentButtons();

    HotKeyId = RegisterGlobalHotKey(settings.GlobalHotKey);
    HiddenInTray = false;
    FPageControl.ApplyTabStyle(settings.TabStyle);
    LayoutWindow();
    ApplyAlwaysOnTop();
    FDriveMenu.BuildDriveMenu();
    // The system menu's "Show Quorlet Tab" entry decides whether page 0 has a tab.
    BuildSystemMenu();
    // The Quorlet Tab, with its command icons, is made when it is first shown.
    SelectStartPage();
    SetWindowTextA(Handle(), "Quorlet");
    MoveToStoredPosition(settings.X, settings.Y);
    UpdateChecked = false;
    CreateTrayIcon();
    FButtonImages.SetDocumentFresh(false);
    FCreating = false;
}

void TfrmQuorlet::BuildTabSheets() {
    TAppSettingXml& settings = AppSettingXml();
    settings.LoadGroups();
    BtnSettingXml().LoadButtonsDoc();

    FPageControl.Create(FInstance, Handle());
    FStatusLine.Create(FInstance, Handle());
    // Away from the system's density the controls need a font of their own.
    if (FGuiFont) {
        FPageControl.SetFont(FGuiFont.Get());
        FStatusLine.Rescale(FGuiFont.Get());
    }
    FPageControl.AddPage(settings.FavoriteGroup);
    for (const std::string& group : settings.GroupNames) FPageControl.AddPage(group);
    for (int k = 1; k < PageCount(); ++k) CollectRankingInputs(k);
}

void TfrmQuorlet::CollectRankingInputs(int k) {
    TBtnSettingXml& store = BtnSettingXml();
    for (int position = 1; position <= kCellCount; ++position) {
        const int32_t id = ButtonId(k, position);
        if (!store.ReadButtonBrief(id)) continue;
        ButtonIdList.push_back(std::to_string(id));
        RunCountList.push_back(std::to_string(store.TotolRunTimes));
    }
}

void TfrmQuorlet::LayoutWindow() {
    const int width = FScale.Px(ClientWidth);
    const int stripHeight = FPageControl.Layout(width);
    FStatusLine.Place(stripHeight, width);
    RECT frame = {0, 0, width, stripHeight + FStatusLine.Height()};
    AdjustFrameForDpi(frame, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)),
                      static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)), FScale.Dpi);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TOwnedIcon TfrmQuorlet::LoadCellIcon(int resourceId) const {
    const int size = FScale.IconSize();
    return TOwnedIcon(FPlatform, LoadImageA(FInstance, MAKEINTRESOURCEA(resourceId), IMAGE_ICON, size, size, 0));
}

void TfrmQuorlet::ApplyScale() {
    FGuiFont = GuiFontForDpi(FScale.Dpi);
    FPageControl.SetFont(FGuiFont.Get());
    FStatusLine.Rescale(FGuiFont.Get());
    // Cells showing the missed icon take a copy of the new one.
    FButtonImages.SetMissedIcon(LoadCellIcon(IDI_MISSEDICON));
    FPageControl.Rescale();
    FQuorletTab.Rescale();
    FFindPage.Rescale();
    LayoutWindow();
    if (FFindPage.Shown()) FFindPage.Show(FInstance, Handle(), FPageControl.SheetBounds());
}

void TfrmQuorlet::FormDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == FScale.Dpi) return;
    FScale.Dpi = dpi;
    ApplyScale();
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TfrmQuorlet::StartPage(bool afterShow) const {
    const TAppSettingXml& settings = AppSettingXml();
    const bool quorletTabShown = settings.ShowAppPanel;
    const int pageCount = static_cast<int>(settings.GroupNames.size()) + 1;
    if (afterShow && QuorletTabFirst()) return 0;
    int page = settings.LastPanelIndex;
    if (page < 0 || page >= pageCount || (page == 0 && !quorletTabShown)) page = 1;
    // Without any group there is no page 1: the Quorlet Tab, when it has a tab.
    if (page >= pageCount) page = quorletTabShown ? 0 : -1;
    return page;
}

void TfrmQuorlet::SelectStartPage() {
    const int page = StartPage(false);
    if (page >= 0) FPageControl.SetActivePage(page);
    SavedPageIndex = AppSettingXml().LastPanelIndex;
}

bool TfrmQuorlet::QuorletTabFirst() const {
    const TAppSettingXml& settings = AppSettingXml();
    return settings.ShowAppPanel && settings.ActiveAppPanel;
}

void TfrmQuorlet::FormShow() {
    if (QuorletTabFirst()) FPageControl.SetActivePage(0);
}

void TfrmQuorlet::FormActivate() { FAlarmClock.ApplyAlarmState(); }

void TfrmQuorlet::MoveToStoredPosition(int left, int top) {
    // One move, snapped to the edges of the monitor it lands on: this brings
    // a position beyond them (such as the new document's bottom-right
    // default, or one on a monitor that is gone) back onto the screen. On one
    // monitor it ends where moving the top and then the left would.
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TMonitorArea TfrmQuorlet::SnapMonitor(const RECT& window) const {
    // The primary monitor, also for a window on no monitor at all (one stored
    // on a monitor that is gone): the screen and work area the rules name.
    TMonitorArea area;
    area.Width = FPlatform.ScreenWidth();
    area.WorkAreaHeight = FPlatform.WorkAreaHeight();
    HMONITOR monitor = MonitorFromRect(&window, MONITOR_DEFAULTTONULL);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoA(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY)) return area;
    area.Left = info.rcMonitor.left;
    area.Top = info.rcMonitor.top;
    area.Width = info.rcMonitor.right - info.rcMonitor.left;
    area.WorkAreaHeight = info.rcWork.bottom - info.rcWork.top;
    return area;
}

void TfrmQuorlet::WMMove() {
    if (IsIconic(Handle())) return;
    RECT window;
    GetWindowRect(Handle(), &window);
    const TSnapResult snapped = SnapToMonitorEdges(window.left, window.top, window.right - window.left,
                                                   window.bottom - window.top, SnapMonitor(window));
    if (snapped.Changed)
        SetWindowPos(Handle(), nullptr, snapped.Left, snapped.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT TfrmQuorlet::RestoredPosition() const {
    RECT window;
    GetWindowRect(Handle(), &window);
    POINT position = {window.left, window.top};
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!IsIconic(Handle()) || !GetWindowPlacement(Handle(), &placement)) return position;
    // The normal position of a window with a taskbar style is given relative
    // to the work area of its monitor.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY), &monitor);
    position.x = placement.rcNormalPosition.left + monitor.rcWork.left - monitor.rcMonitor.left;
    position.y = placement.rcNormalPosition.top + monitor.rcWork.top - monitor.rcMonitor.top;
    return position;
}

void TfrmQuorlet::CloseQuery() {
    try {
        FormClose();
    } catch (...) {
        // Nothing is lost without a word, and a file that cannot be written
        // (a full disk, a locked file) does not keep the program from ending.
        // A failed save leaves the file as it was.
        const std::string question = CurrentErrorText() + "\r\n\r\nQuorlet could not save its settings. Close it anyway?";
        if (MessageBoxA(BoxOwner(Handle()), question.c_str(), "Quorlet", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    }
    FClosing = true;
    DestroyWindow(Handle());
}

void TfrmQuorlet::FormClose() {
    const POINT position = RestoredPosition();
    TAppSettingXml& settings = AppSettingXml();
    settings.Y = position.y;
    settings.X = position.x;
    settings.SaveSettings();
    ButtonIdList.clear();
    RunCountList.clear();
}

void TfrmQuorlet::ApplicationActive() { AppActive = true; }

void TfrmQuorlet::ApplicationDeActive() { AppActive = false; }

void TfrmQuorlet::WMQuorletRunning() {
    // The window stays as it is; a click on the balloon shows it.
    FTrayIcon.ShowBalloon("Quorlet", "Quorlet is running.");
}

}  // namespace quorlet
