#pragma once
// The most-used six: the buttons shown in the lower row of the Quorlet Tab,
// most launched first. Ranked once at start from the launch counts of every
// record, then kept current by the launches, clears and swaps of buttons.
//
// Slots are numbered 1..6, left to right. Each holds a button ID (0 = empty)
// and the launch count the ranking last saw for it. Every operation that
// changes what a slot shows returns the slots the window must redraw, in the
// order to redraw them; the window shows slot s with the ID TopButtonId(s)
// (ID 0: no picture and an empty hint).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlet {

constexpr int kTopSlotCount = 6;

// Slot numbers (1..6) to redraw.
using TSlotList = std::vector<int>;

// Reads a count or ID written as decimal text: an optional sign and at least one
// digit, nothing else, within 32 bits. False for anything else.
bool ParseDecimalInt(const std::string& text, int32_t& value);

// Sort comparison of the ranking: the value of entry i2 minus the value of entry
// i1, so that larger counts come first; 0 when either entry is not a decimal
// integer.
int64_t CompareRunCountsDescending(const std::vector<std::string>& list, size_t i1, size_t i2);

// The order the ranking sorts counts in: a strict weak order that agrees with
// CompareRunCountsDescending wherever both entries are decimal integers. An entry
// that is not one sorts as the count 0.
bool RunCountSortsBefore(const std::string& a, const std::string& b);

class TTopButtons {
public:
    TTopButtons();

    // ID and count of slot 1..6; 0 for an empty slot and for any other number.
    int32_t TopButtonId(int slot) const;
    int32_t TopRunCount(int slot) const;
    // Sets one slot (1..6); std::out_of_range for any other number.
    void SetSlot(int slot, int32_t id, int32_t count);

    // Ranks the six from the records met while the grids were built:
    // buttonIdList[k] is the ID of the k-th record in build order and
    // runCountList[k] its TotolRunTimes, both as decimal text. Every slot is
    // emptied, then slots 6, 5, ..., 1 in turn take the s-th largest count c;
    // with c > 0 the slot gets the first button in build order, not yet placed,
    // whose count is c (so among equal counts the first built takes the highest
    // slot). Returns the slots filled, in filling order.
    TSlotList RankTopButtons(const std::vector<std::string>& buttonIdList,
                             const std::vector<std::string>& runCountList);
    // The same, leaving the counts sorted largest first (and padded with "0"
    // to six entries) in sortedCountList.
    TSlotList RankTopButtons(const std::vector<std::string>& buttonIdList,
                             const std::vector<std::string>& runCountList,
                             std::vector<std::string>& sortedCountList);

    // A launch from the Quorlet Tab: the first slot holding id takes the count.
    // Nothing is reordered or redrawn. Returns that slot, or 0 when no slot holds id.
    int UpdateTopCount(int32_t id, int32_t count);

    // A launch from a cell. A button in the six takes the new count and moves up
    // before the first higher slot whose count is strictly less; a newcomer takes
    // the first slot whose count is strictly less than its count, and the old
    // slot 6 drops out. A button never passes an equal count.
    TSlotList PromoteTopButton(int32_t id, int32_t count);

    // The button was cleared: the slots after the last one holding id move one
    // place up and slot 6 becomes empty.
    TSlotList RemoveTopButton(int32_t id);

    // The records under a and b were exchanged: the slot holding a now holds b and
    // the slot holding b holds a. Counts stay in their slots.
    TSlotList SwapTopButtons(int32_t a, int32_t b);

private:
    // The first (or last) slot holding id, 0 when none does.
    int FirstSlotOf(int32_t id) const;
    int LastSlotOf(int32_t id) const;

    // Index 0 is slot 1.
    int32_t FIds[kTopSlotCount];
    int32_t FCounts[kTopSlotCount];
};

}  // namespace quorlet
