// The Quorlet Tab: the recent row, the most-used row and the command icons.
#include "app/MainControls.h"
#include "app/UMain.h"
#include "resources/resource.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

namespace {

// Right of the twelve images: the separator, then the command icons.
const int kBevelLeft = kQuorletPanelLeft + kQuorletSlotCount * kQuorletPanelPitch + 4;
const int kCommandLeft = kBevelLeft + 8;

}  // namespace

TCellWindow* TfrmQuorlet::AddQuorletCell(TPage& page, TCellKind kind, int slot, int controlId, int left, int top) {
    std::unique_ptr<TCellWindow> cell(new TCellWindow(*this, kind, slot));
    cell->Create(FInstance, EnsureSheet(0).Handle(), controlId, left, top);
    page.Cells.push_back(std::move(cell));
    return page.Cells.back().get();
}

void TfrmQuorlet::BuildQuorletTab(TPage& page) {
    for (int slot = 1; slot <= kQuorletSlotCount; ++slot) {
        const TCellPoint recent = RecentPanelOrigin(slot), top = TopPanelOrigin(slot);
        FImageLast[slot - 1] = AddQuorletCell(page, TCellKind::Recent, slot, IdImageLast1 + slot - 1, recent.Left, recent.Top);
        FImageTop[slot - 1] = AddQuorletCell(page, TCellKind::Top, slot, IdImageTop1 + slot - 1, top.Left, top.Top);
    }
    EnsureSheet(0).SetBevel(kBevelLeft, kRecentRowTop, 2 * kCellSize);

    // The command icons, bound to their commands, whose hints they show.
    struct TCommandIcon {
        TCellWindow* TfrmQuorlet::*Image;
        int ControlId, Left, Top, IconId;
        const char* Hint;
        bool Framed, Shown;
    };
    const int second = kCommandLeft + kQuorletPanelPitch, third = kCommandLeft + 2 * kQuorletPanelPitch;
    const TCommandIcon icons[] = {
        {&TfrmQuorlet::Image_Options, IdImageOptions, kCommandLeft, kRecentRowTop, IDI_OPTIONS, "Options...", false, true},
        {&TfrmQuorlet::Image_Report, IdImageReport, second, kRecentRowTop, IDI_REPORT, "View Frequency Report", false, true},
        {&TfrmQuorlet::Image_AlarmConfig, IdPanel18, kCommandLeft, kTopRowTop, IDI_ALARM, "Alarm Clock", true, true},
        {&TfrmQuorlet::Image_AlarmConfigEnabled, IdPanel19, kCommandLeft, kTopRowTop, IDI_ALARMON, "Alarm Clock", true, true},
        {&TfrmQuorlet::Image_Backup, IdImageBackup, second, kTopRowTop, IDI_BACKUP, "Backup Settings", true, false},
        {&TfrmQuorlet::Image_Restore, IdImageRestore, third, kTopRowTop, IDI_RESTORE, "Restore Settings", true, false},
    };
    for (const TCommandIcon& icon : icons) {
        TCellWindow* image = AddQuorletCell(page, TCellKind::Command, 0, icon.ControlId, icon.Left, icon.Top);
        this->*icon.Image = image;
        image->SetFramed(icon.Framed);
        BindCommandIcon(image, icon.IconId, icon.Hint);
        if (!icon.Shown) ShowWindow(image->Handle(), SW_HIDE);
    }
}

void TfrmQuorlet::EnsureQuorletTab() {
    if (FQuorletTabBuilt) return;
    // Made when first shown: its rows show what the recent list and the
    // most-used slots hold by then.
    FQuorletTabBuilt = true;
    BuildQuorletTab(FPages[0]);
    ShowAlarmIcon(AppSettingXml().AlarmOn);
    ShowRecentButtons();
    for (int slot = 1; slot <= kQuorletSlotCount; ++slot)
        if (TopButtons.TopButtonId(slot) != 0) ShowTopSlot(TopButtons.TopButtonId(slot), slot);
}

void TfrmQuorlet::BindCommandIcon(TCellWindow* image, int iconId, const char* hint) {
    HINSTANCE instance = FInstance;
    const int size = CellIconSize;
    image->SetPictureLoader([instance, iconId, size] {
        return TOwnedIcon(Platform(), LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, 0));
    });
    image->SetHint(hint);
}

void TfrmQuorlet::ShowAlarmIcon(bool alarmOn) {
    if (!FQuorletTabBuilt) return;
    ShowWindow(Image_AlarmConfig->Handle(), alarmOn ? SW_HIDE : SW_SHOWNA);
    ShowWindow(Image_AlarmConfigEnabled->Handle(), alarmOn ? SW_SHOWNA : SW_HIDE);
}

void TfrmQuorlet::ShowRecentButtons() {
    const std::vector<std::string>& recent = AppSettingXml().RecentButtons;
    if (recent.size() <= 5 || !FQuorletTabBuilt) return;
    for (int slot = 1; slot <= kQuorletSlotCount; ++slot) {
        TCellWindow& image = *FImageLast[slot - 1];
        int32_t id = 0;
        ParseDecimalInt(recent[slot - 1], id);
        image.ButtonId = id;
        TButtonBrief brief = LoadButtonImage(image, true);
        image.SetHint(LastClickHint(slot, brief));
    }
}

void TfrmQuorlet::ForgetRecentButton(int32_t id) {
    if (AppSettingXml().RemoveRecentButton(id)) ShowRecentButtons();
}

void TfrmQuorlet::SwapRecentButtons(int32_t a, int32_t b) {
    if (AppSettingXml().ExchangeRecentButtons(a, b)) ShowRecentButtons();
}

void TfrmQuorlet::RankTopButtons() {
    ShowTopSlots(TopButtons.RankTopButtons(ButtonIdList, RunCountList, SortedCountList));
}

void TfrmQuorlet::UpdateTopCount(int32_t id, int32_t count) { TopButtons.UpdateTopCount(id, count); }

void TfrmQuorlet::PromoteTopButton(int32_t id, int32_t count) { ShowTopSlots(TopButtons.PromoteTopButton(id, count)); }

void TfrmQuorlet::RemoveTopButton(int32_t id) { ShowTopSlots(TopButtons.RemoveTopButton(id)); }

void TfrmQuorlet::SwapTopButtons(int32_t a, int32_t b) { ShowTopSlots(TopButtons.SwapTopButtons(a, b)); }

void TfrmQuorlet::ShowTopSlots(const TSlotList& slots) {
    for (int slot : slots) ShowTopSlot(TopButtons.TopButtonId(slot), slot);
}

void TfrmQuorlet::ShowTopSlot(int32_t id, int slot) {
    if (slot < 1 || slot > kQuorletSlotCount || !FQuorletTabBuilt) return;
    TCellWindow& image = *FImageTop[slot - 1];
    image.ButtonId = id;
    TButtonBrief brief = LoadButtonImage(image, true);
    image.SetHint(TopClickHint(slot, brief));
}

void TfrmQuorlet::CommandIconClick(TCellWindow& image) {
    if (&image == Image_Options) ActionMenu_AppOptionsExecute();
    else if (&image == Image_Report) ActionMenu_ReportExecute();
    else if (&image == Image_AlarmConfig || &image == Image_AlarmConfigEnabled) ActionMenu_AlarmConfigExecute();
    else if (&image == Image_Backup) ActionMenu_BackupConfigExecute();
    else if (&image == Image_Restore) ActionMenu_ResotreConfigExecute();
}

// The commands behind the icons open dialogs that are not part of the program yet.
void TfrmQuorlet::ActionMenu_AppOptionsExecute() {}
void TfrmQuorlet::ActionMenu_ReportExecute() {}
void TfrmQuorlet::ActionMenu_AlarmConfigExecute() {}
void TfrmQuorlet::ActionMenu_BackupConfigExecute() {}
void TfrmQuorlet::ActionMenu_ResotreConfigExecute() {}

}  // namespace quorlet
