#include "launcher/TopButtons.h"

#include <algorithm>
#include <stdexcept>

namespace quorlet {

namespace {

int32_t RunCountValue(const std::string& text) {
    int32_t value = 0;
    return ParseDecimalInt(text, value) ? value : 0;
}

}  // namespace

bool ParseDecimalInt(const std::string& text, int32_t& value) {
    size_t i = 0;
    const size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == n) return false;
    int64_t magnitude = 0;
    for (; i < n; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL) return false;
    }
    const int64_t v = negative ? -magnitude : magnitude;
    if (v > 2147483647LL) return false;
    value = static_cast<int32_t>(v);
    return true;
}

int64_t CompareRunCountsDescending(const std::vector<std::string>& list, size_t i1, size_t i2) {
    int32_t v1 = 0, v2 = 0;
    if (!ParseDecimalInt(list.at(i1), v1) || !ParseDecimalInt(list.at(i2), v2)) return 0;
    return static_cast<int64_t>(v2) - v1;
}

bool RunCountSortsBefore(const std::string& a, const std::string& b) {
    return RunCountValue(a) > RunCountValue(b);
}

TTopButtons::TTopButtons() {
    std::fill(FIds, FIds + kTopSlotCount, 0);
    std::fill(FCounts, FCounts + kTopSlotCount, 0);
}

int32_t TTopButtons::TopButtonId(int slot) const {
    return slot >= 1 && slot <= kTopSlotCount ? FIds[slot - 1] : 0;
}

int32_t TTopButtons::TopRunCount(int slot) const {
    return slot >= 1 && slot <= kTopSlotCount ? FCounts[slot - 1] : 0;
}

void TTopButtons::SetSlot(int slot, int32_t id, int32_t count) {
    if (slot < 1 || slot > kTopSlotCount) throw std::out_of_range("most-used slot " + std::to_string(slot));
    FIds[slot - 1] = id;
    FCounts[slot - 1] = count;
}

int TTopButtons::FirstSlotOf(int32_t id) const {
    for (int s = 1; s <= kTopSlotCount; ++s)
        if (FIds[s - 1] == id) return s;
    return 0;
}

int TTopButtons::LastSlotOf(int32_t id) const {
    for (int s = kTopSlotCount; s >= 1; --s)
        if (FIds[s - 1] == id) return s;
    return 0;
}

TSlotList TTopButtons::RankTopButtons(const std::vector<std::string>& buttonIdList,
                                      const std::vector<std::string>& runCountList) {
    std::vector<std::string> sorted;
    return RankTopButtons(buttonIdList, runCountList, sorted);
}

TSlotList TTopButtons::RankTopButtons(const std::vector<std::string>& buttonIdList,
                                      const std::vector<std::string>& runCountList,
                                      std::vector<std::string>& sorted) {
    sorted = runCountList;
    std::stable_sort(sorted.begin(), sorted.end(), RunCountSortsBefore);
    while (sorted.size() < static_cast<size_t>(kTopSlotCount)) sorted.push_back("0");

    std::fill(FIds, FIds + kTopSlotCount, 0);
    std::fill(FCounts, FCounts + kTopSlotCount, 0);

    // The records, in build order, as (ID, count); an entry without a valid ID
    // or count is never chosen.
    const size_t records = std::min(buttonIdList.size(), runCountList.size());
    std::vector<int32_t> ids(records, 0), counts(records, 0);
    std::vector<bool> usable(records, false);
    for (size_t k = 0; k < records; ++k)
        usable[k] = ParseDecimalInt(buttonIdList[k], ids[k]) && ids[k] != 0 &&
                    ParseDecimalInt(runCountList[k], counts[k]);

    TSlotList filled;
    for (int s = kTopSlotCount; s >= 1; --s) {
        const int32_t c = RunCountValue(sorted[static_cast<size_t>(s - 1)]);
        if (c <= 0) continue;
        for (size_t k = 0; k < records; ++k) {
            // A button already placed (also when the list names it twice) is skipped.
            if (!usable[k] || counts[k] != c || FirstSlotOf(ids[k]) != 0) continue;
            FIds[s - 1] = ids[k];
            FCounts[s - 1] = c;
            filled.push_back(s);
            break;
        }
    }
    return filled;
}

int TTopButtons::UpdateTopCount(int32_t id, int32_t count) {
    if (id == 0) return 0;
    const int slot = FirstSlotOf(id);
    if (slot != 0) FCounts[slot - 1] = count;
    return slot;
}

TSlotList TTopButtons::PromoteTopButton(int32_t id, int32_t count) {
    if (id == 0) return TSlotList();
    int i = FirstSlotOf(id);
    int lastCandidate;
    if (i != 0) {
        FCounts[i - 1] = count;
        lastCandidate = i - 1;
    } else {
        i = kTopSlotCount;  // a newcomer pushes the old slot 6 out
        lastCandidate = kTopSlotCount;
    }
    int j = 0;
    for (int s = 1; s <= lastCandidate && j == 0; ++s)
        if (FCounts[s - 1] < count) j = s;
    if (j == 0) return TSlotList();

    for (int k = i; k > j; --k) {
        FIds[k - 1] = FIds[k - 2];
        FCounts[k - 1] = FCounts[k - 2];
    }
    FIds[j - 1] = id;
    FCounts[j - 1] = count;

    TSlotList redraw;
    for (int s = j; s <= i; ++s) redraw.push_back(s);
    return redraw;
}

TSlotList TTopButtons::RemoveTopButton(int32_t id) {
    if (id == 0) return TSlotList();
    const int s = LastSlotOf(id);
    if (s == 0) return TSlotList();
    TSlotList redraw;
    for (int k = s; k < kTopSlotCount; ++k) {
        FIds[k - 1] = FIds[k];
        FCounts[k - 1] = FCounts[k];
        redraw.push_back(k);
    }
    FIds[kTopSlotCount - 1] = 0;
    FCounts[kTopSlotCount - 1] = 0;
    redraw.push_back(kTopSlotCount);
    return redraw;
}

TSlotList TTopButtons::SwapTopButtons(int32_t a, int32_t b) {
    if (a == 0 || b == 0) return TSlotList();
    // Both looked up before either changes, so the two do not undo each other.
    const int slotA = FirstSlotOf(a);
    const int slotB = FirstSlotOf(b);
    TSlotList redraw;
    if (slotA != 0) {
        FIds[slotA - 1] = b;
        redraw.push_back(slotA);
    }
    if (slotB != 0) {
        FIds[slotB - 1] = a;
        if (slotB != slotA) redraw.push_back(slotB);
    }
    return redraw;
}

}  // namespace quorlet
