// The Quorlet Tab's recent and most-used rows: the rules of the rows live in
// TTopButtons and the settings' recent list, the pictures in TQuorletTab.
#include "app/UMain.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

void TfrmQuorlet::ShowRecentButtons() { FQuorletTab.ShowRecentButtons(AppSettingXml().RecentButtons); }

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

void TfrmQuorlet::ShowTopSlot(int32_t id, int slot) { FQuorletTab.ShowTopSlot(id, slot); }

}  // namespace quorlet
