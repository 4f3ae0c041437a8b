// Clicks on button images: the pressed look, the click modes and launching.
#include "app/UMain.h"
#include "dialogs/UBtnProperties.h"
#include "launcher/ButtonLaunch.h"
#include "launcher/ClickSound.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "shell/ShellServices.h"

namespace quorlet {

void TfrmQuorlet::ImageMouseDown(TCell& image, TShiftFlag button, TShiftState shift) {
    // Every image sits in its own framed panel.
    if (button == ssLeft)
        image.SetFrame(TCellFrame::LeftPressed);
    else if (button == ssRight && !SwapPending && !CopyPending)
        image.SetFrame(TCellFrame::RightPressed);
    if (button == ssLeft || button == ssRight) {
        PressedButtonId = image.ButtonId;
        if (image.Kind() == TCellKind::Grid) FPressedCell = &image;
    }
    ClickShift = shift;
}

void TfrmQuorlet::ImageMouseUp(TCell& image, TShiftFlag, TShiftState) {
    if (!SwapPending && !CopyPending) image.SetFrame(TCellFrame::Normal);
    ClickShift = 0;
}

void TfrmQuorlet::ImageClick(TCell& image) {
    if (SwapPending || CopyPending) {
        CompletePendingCommand(image);
        return;
    }
    const int32_t id = image.ButtonId;
    TBtnSettingXml& store = BtnSettingXml();
    TAppSettingXml& settings = AppSettingXml();
    const bool hasRecord = store.ReadButton(id);
    const TClickMode mode = CellClickMode(ClickShift, hasRecord, settings.IgnoreBlankButton);
    switch (mode.Action) {
    case caProperties:
        FCommands.Execute(TCommandId::ActionBtn_Properties);
        return;
    case caExplorerFolder:
        FCommands.Execute(TCommandId::ActionBtn_ExplorerButtonPath);
        return;
    case caNewButton:
        if (ShowBtnProperties()) {
            store.UpdateButtonProperties(PressedButtonId);
            ShowEditedButton(PressedButtonId);
        }
        return;
    case caNothing:
        return;
    case caLaunch:
        break;
    }
    // The recent list rides in the launch's save. A target that did not start
    // takes the way of a missing one (sound, recent list, counts), and then
    // the user is told why.
    const TLaunchOutcome outcome = LaunchSheetButton(FPlatform, store, settings, id);
    FStatusLine.SetPanel(1, store.RunTimesHint());
    const int32_t count = store.TotolRunTimes;
    PlayClickSound(FPlatform, csIcon);
    {
        // The document this click has just read and saved shows the rows' buttons.
        TFreshDocumentScope fresh(FButtonImages);
        ShowRecentButtons();
        PromoteTopButton(id, count);
    }
    HideAfterLaunch(outcome.Launched, mode.KeepVisible);
    RaiseLaunchFailure(outcome);
}

void TfrmQuorlet::Image_LastClick(TCell& image) {
    const int32_t id = image.ButtonId;
    TBtnSettingXml& store = BtnSettingXml();
    const bool hasRecord = id != 0 && store.ReadButton(id);
    const TClickMode mode = LastClickMode(ClickShift, hasRecord);
    if (mode.Action == caExplorerFolder) {
        FCommands.Execute(TCommandId::ActionBtn_ExplorerButtonPath);
        return;
    }
    if (mode.Action != caLaunch) return;
    const TLaunchOutcome outcome = LaunchButton(FPlatform, store, id);
    FStatusLine.SetPanel(1, store.RunTimesHint());
    UpdateTopCount(id, store.TotolRunTimes);
    PlayClickSound(FPlatform, csIcon);
    HideAfterLaunch(outcome.Launched, mode.KeepVisible);
    RaiseLaunchFailure(outcome);
}

void TfrmQuorlet::HideAfterLaunch(bool launched, bool keepVisible) {
    if (launched && AppSettingXml().HideAfterClicking && !keepVisible) CoolTrayIconMinimizeToTray();
}

bool TfrmQuorlet::ShowBtnProperties() {
    return TfrmBtnProperties::Execute(FInstance, Handle(), FPlatform, BtnSettingXml(),
                                      AppSettingXml().AnalyseLinkFile);
}

void TfrmQuorlet::ShowEditedButton(int32_t id) {
    const TBtnSettingXml& store = BtnSettingXml();
    if (TCell* cell = FPageControl.BuiltCell(ButtonSheet(id), id)) {
        cell->SetHint(NewButtonHint(store.Description, store.HotKey));
        cell->SetPicture(GetFileIcon(FPlatform, store.IconFile, store.IconNumber, FScale.IconSize()));
    }
    FQuorletTab.ShowButtonAgain(id);
}

}  // namespace quorlet
