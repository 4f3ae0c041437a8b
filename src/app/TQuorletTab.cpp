#include "app/TQuorletTab.h"

#include "app/MainControls.h"
#include "resources/resource.h"

namespace quorlet {

namespace {

// Right of the twelve images: the separator, then the command icons.
const int kBevelLeft = kQuorletPanelLeft + kQuorletSlotCount * kQuorletPanelPitch + 4;
const int kCommandLeft = kBevelLeft + 8;

struct TCommandIconPlace {
    TCommandId Command;
    int ControlId, Left, Top, IconId;
    bool Framed, Shown;
};

}  // namespace

void TQuorletTab::Build(HINSTANCE instance, TSheetWindow& sheet) {
    FBuilt = true;
    FInstance = instance;
    FSheet = &sheet;
    for (int slot = 1; slot <= kQuorletSlotCount; ++slot) {
        const TCellPoint recent = RecentPanelOrigin(slot), top = TopPanelOrigin(slot);
        FImageLast[slot - 1] = &sheet.AddCell(TCellKind::Recent, slot, IdImageLast1 + slot - 1, recent.Left, recent.Top);
        FImageTop[slot - 1] = &sheet.AddCell(TCellKind::Top, slot, IdImageTop1 + slot - 1, top.Left, top.Top);
    }
    sheet.SetBevel(kBevelLeft, kRecentRowTop, 2 * kCellSize);

    const int second = kCommandLeft + kQuorletPanelPitch, third = kCommandLeft + 2 * kQuorletPanelPitch;
    const TCommandIconPlace places[] = {
        {TCommandId::ActionMenu_AppOptions, IdImageOptions, kCommandLeft, kRecentRowTop, IDI_OPTIONS, false, true},
        {TCommandId::ActionMenu_Report, IdImageReport, second, kRecentRowTop, IDI_REPORT, false, true},
        {TCommandId::ActionMenu_AlarmConfig, IdPanel18, kCommandLeft, kTopRowTop, IDI_ALARM, true, true},
        {TCommandId::ActionMenu_AlarmConfig, IdPanel19, kCommandLeft, kTopRowTop, IDI_ALARMON, true, true},
        {TCommandId::ActionMenu_BackupConfig, IdImageBackup, second, kTopRowTop, IDI_BACKUP, true, false},
        {TCommandId::ActionMenu_ResotreConfig, IdImageRestore, third, kTopRowTop, IDI_RESTORE, true, false},
    };
    for (const TCommandIconPlace& place : places) {
        TCell* image = &sheet.AddCell(TCellKind::Command, 0, place.ControlId, place.Left, place.Top);
        image->SetFramed(place.Framed);
        FCommandIcons.push_back({image, place.Command, place.IconId});
        LoadCommandIcon(FCommandIcons.back());
        // Bound to its command: the command's hint is the icon's hint.
        if (const TCommand* command = FCommands.Find(place.Command)) image->SetHint(command->Hint);
        image->SetVisible(place.Shown);
        if (place.ControlId == IdPanel18) FPanel18 = image;
        if (place.ControlId == IdPanel19) FPanel19 = image;
    }
}

void TQuorletTab::LoadCommandIcon(const TCommandIcon& icon) {
    const int size = FSheet->Scale().IconSize();
    icon.Image->SetPicture(TOwnedIcon(FImages.PlatformServices(),
                                      LoadImageA(FInstance, MAKEINTRESOURCEA(icon.IconId), IMAGE_ICON, size, size, 0)));
}

void TQuorletTab::ShowButtonAgain(int32_t id) {
    if (!FBuilt) return;
    for (int slot = 1; slot <= kQuorletSlotCount; ++slot) {
        if (FImageLast[slot - 1]->ButtonId == id)
            FImageLast[slot - 1]->SetHint(LastClickHint(slot, FImages.LoadButtonImage(*FImageLast[slot - 1], true)));
        if (FImageTop[slot - 1]->ButtonId == id)
            FImageTop[slot - 1]->SetHint(TopClickHint(slot, FImages.LoadButtonImage(*FImageTop[slot - 1], true)));
    }
}

void TQuorletTab::Rescale() {
    if (!FBuilt) return;
    for (const TCommandIcon& icon : FCommandIcons) LoadCommandIcon(icon);
    for (int slot = 1; slot <= kQuorletSlotCount; ++slot) {
        FImageLast[slot - 1]->SetHint(LastClickHint(slot, FImages.LoadButtonImage(*FImageLast[slot - 1], false)));
        FImageTop[slot - 1]->SetHint(TopClickHint(slot, FImages.LoadButtonImage(*FImageTop[slot - 1], false)));
    }
}

bool TQuorletTab::CommandOf(const TCell& image, TCommandId& command) const {
    for (const TCommandIcon& icon : FCommandIcons)
        if (icon.Image == &image) {
            command = icon.Command;
            return true;
        }
    return false;
}

void TQuorletTab::ShowAlarmIcon(bool alarmOn) {
    if (!FBuilt) return;
    FPanel18->SetVisible(!alarmOn);
    FPanel19->SetVisible(alarmOn);
}

void TQuorletTab::SetArmedHint(const char* hint) {
    if (FBuilt) FPanel19->SetHint(hint);
}

void TQuorletTab::ShowRecentButtons(const std::vector<std::string>& recentButtons) {
    if (recentButtons.size() <= 5 || !FBuilt) return;
    for (int slot = 1; slot <= kQuorletSlotCount; ++slot) {
        TCell& image = *FImageLast[slot - 1];
        int32_t id = 0;
        ParseDecimalInt(recentButtons[slot - 1], id);
        image.ButtonId = id;
        image.SetHint(LastClickHint(slot, FImages.LoadButtonImage(image, true)));
    }
}

void TQuorletTab::ShowTopSlot(int32_t id, int slot) {
    if (slot < 1 || slot > kQuorletSlotCount || !FBuilt) return;
    TCell& image = *FImageTop[slot - 1];
    image.ButtonId = id;
    image.SetHint(TopClickHint(slot, FImages.LoadButtonImage(image, true)));
}

}  // namespace quorlet
