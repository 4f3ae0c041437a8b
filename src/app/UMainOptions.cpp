// The options dialog's command and what the window does after its OK.
#include "app/UMain.h"
#include "launcher/ClickSound.h"
#include "launcher/OptionsRules.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

void TfrmQuorlet::ActionMenu_AppOptionsExecute() {
    PlayClickSound(FPlatform, csIcon);
    const int rememberedPage = FPageControl.ActivePage();
    if (TfrmOptions::Execute(FInstance, Handle(), FPlatform, AppSettingXml(), *this)) ApplyOptions(rememberedPage);
}

void TfrmQuorlet::CheckForUpdateFrom(HWND owner) {
    // The dialog shows what the check recorded; one closed by then takes nothing.
    CheckUpdateNow(owner, [owner] {
        if (IsWindow(owner)) SendMessageA(owner, WM_OPTIONS_UPDATECHECKED, 0, 0);
    });
}

void TfrmQuorlet::ApplyOptions(int rememberedPage) {
    const TAppSettingXml& settings = AppSettingXml();
    FPageControl.ApplyTabStyle(settings.TabStyle);
    LayoutWindow();
    HotKeyId = ChangeGlobalHotKey(settings.GlobalHotKey);
    UpdateTrayHint();
    ApplyAlwaysOnTop();
    for (TCommandId id : TitleMenuLayout())
        if (id != TCommandId::Separator) SyncSysMenuItem(id);
    // The page that was active, unless it is the Quorlet Tab and that is hidden now.
    const int page = rememberedPage == 0 && !settings.ShowAppPanel ? 1 : rememberedPage;
    if (page >= 0 && page < PageCount()) FPageControl.SetActivePage(page);
    ReconcileTabSheets();
}

void TfrmQuorlet::ReconcileTabSheets() {
    const std::vector<std::string>& names = AppSettingXml().GroupNames;
    const TTabSheetPlan plan = PlanTabSheets(PageCount() - 1, static_cast<int>(names.size()));
    for (int k = 1; k <= plan.Renamed; ++k) FPageControl.SetPageCaption(k, names[k - 1]);
    // The document no longer names these groups: only the pages go, and the
    // records stay for a later raise of the count.
    for (int k : plan.Deleted) RemoveTabSheetPage(k);
    for (int k = plan.Renamed + 1; k <= plan.Renamed + plan.Appended; ++k) FPageControl.AddPage(names[k - 1]);
    if (FPageControl.ActivePage() < 0 && PageCount() > 1) FPageControl.SetActivePage(1);
}

}  // namespace quorlet
