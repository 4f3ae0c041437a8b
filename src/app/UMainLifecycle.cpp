// Creation, showing, activation and closing of the main window.
#include "app/AppPaths.h"
#include "app/UMain.h"
#include "resources/resource.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "settings/UConfigXml.h"

namespace quorlet {

void TfrmQuorlet::FormCreate() {
    FCreating = true;
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

    ImageMissedIcon = TOwnedIcon(Platform(), LoadImageA(FInstance, MAKEINTRESOURCEA(IDI_MISSEDICON), IMAGE_ICON,
                                                        CellIconSize, CellIconSize, 0));
    BuildTabSheets();
    RankTopButtons();
    settings.LoadRecentButtons();
    ShowRecentButtons();

    HiddenInTray = false;
    ApplyTabStyle(settings.TabStyle);
    // The system menu's "Show Quorlet Tab" entry decides whether page 0 has a tab.
    ShowQuorletTab(settings.ShowAppPanel);
    // The Quorlet Tab, with its command icons, is made when it is first shown.
    SelectStartPage();
    SetWindowTextA(Handle(), "Quorlet");
    MoveToStoredPosition(settings.X, settings.Y);
    UpdateChecked = false;
    FCreating = false;
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
    if (page >= 0) SetActivePage(page);
    SavedPageIndex = AppSettingXml().LastPanelIndex;
}

void TfrmQuorlet::PrefetchStartPageIcons() {
    std::vector<TIconPrefetcher::TIconKey> requests;
    const int page = StartPage(true);
    TBtnSettingXml& store = BtnSettingXml();
    for (int position = 1; page >= 1 && position <= kCellCount; ++position)
        if (store.ReadButtonBrief(ButtonId(page, position)) && !store.IconFile.empty())
            requests.emplace_back(store.IconFile, store.IconNumber);
    FIconPrefetcher.Start(std::move(requests));
}

bool TfrmQuorlet::QuorletTabFirst() const {
    const TAppSettingXml& settings = AppSettingXml();
    return settings.ShowAppPanel && settings.ActiveAppPanel;
}

void TfrmQuorlet::FormShow() {
    if (QuorletTabFirst()) SetActivePage(0);
}

void TfrmQuorlet::FormActivate() { ShowAlarmIcon(AppSettingXml().AlarmOn); }

void TfrmQuorlet::MoveToStoredPosition(int left, int top) {
    // Top first, then left; each move is snapped to the screen's edges, which
    // brings a position beyond them (such as the new document's bottom-right
    // default) back onto the screen.
    RECT window;
    GetWindowRect(Handle(), &window);
    SetWindowPos(Handle(), nullptr, window.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(Handle(), &window);
    SetWindowPos(Handle(), nullptr, left, window.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
