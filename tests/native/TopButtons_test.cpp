// The most-used six: ranking at start, promotion after a launch from a cell,
// count updates from the Quorlet Tab, removal and swaps, with the slots each
// change asks the window to redraw.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "launcher/TopButtons.h"

using namespace quorlet;

namespace {

using TSlots = std::vector<std::pair<int32_t, int32_t>>;  // (ID, count) of slots 1..6
using Strings = std::vector<std::string>;

TSlots SlotsOf(const TTopButtons& top) {
    TSlots slots;
    for (int s = 1; s <= kTopSlotCount; ++s) slots.push_back({top.TopButtonId(s), top.TopRunCount(s)});
    return slots;
}

TTopButtons Holding(const TSlots& slots) {
    TTopButtons top;
    for (size_t i = 0; i < slots.size(); ++i)
        top.SetSlot(static_cast<int>(i + 1), slots[i].first, slots[i].second);
    return top;
}

// Build-order lists of IDs 101, 102, ... with the given counts.
Strings IdsFor(size_t n) {
    Strings ids;
    for (size_t i = 0; i < n; ++i) ids.push_back(std::to_string(101 + i));
    return ids;
}

}  // namespace

TEST(TopButtons, SlotsOutsideOneToSixAreEmptyAndCannotBeSet) {
    TTopButtons top = Holding({{101, 3}});
    EXPECT_EQ(top.TopButtonId(1), 101);
    EXPECT_EQ(top.TopButtonId(0), 0);
    EXPECT_EQ(top.TopRunCount(7), 0);
    EXPECT_THROW(top.SetSlot(0, 1, 1), std::out_of_range);
    EXPECT_THROW(top.SetSlot(7, 1, 1), std::out_of_range);
}

TEST(TopButtons, CompareRunCountsDescending) {
    // Before: A sorts before B in the ranking, where an entry that is not an
    // integer sorts as the count 0.
    struct Case { const char *A, *B; int64_t Result; bool Before; } cases[] = {
        {"3", "5", 2, false},
        {"5", "3", -2, true},
        {"7", "7", 0, false},
        {"x", "5", 0, false},
        {"5", "", 0, true},
        {"5", "5.0", 0, true},
        {"-1", "abc", 0, false},
        {"-2147483648", "2147483647", 4294967295LL, false},  // no overflow at the extremes
        {"2147483648", "1", 0, false},                       // beyond 32 bits: not an integer
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.A) + " vs " + c.B);
        EXPECT_EQ(CompareRunCountsDescending({c.A, c.B}, 0, 1), c.Result);
        EXPECT_EQ(RunCountSortsBefore(c.A, c.B), c.Before);
        // Wherever the comparison tells the two apart, the sort order agrees with it.
        if (c.Result != 0) {
            EXPECT_EQ(c.Before, c.Result < 0);
        }
    }
    EXPECT_THROW(CompareRunCountsDescending({"1"}, 0, 1), std::out_of_range);
}

TEST(TopButtons, RankingPlacesEqualCountsFirstBuiltInTheHighestSlot) {
    struct Case {
        const char* What;
        Strings Counts;  // of 101, 102, ... in build order
        TSlots Slots;
        TSlotList Redraw;
    } cases[] = {
        {"three tied buttons in slots 2 to 4",
         {"5", "5", "5", "9", "2", "1"},
         {{104, 9}, {103, 5}, {102, 5}, {101, 5}, {105, 2}, {106, 1}},
         {6, 5, 4, 3, 2, 1}},
        {"seven tied buttons: the last built drops out",
         {"4", "4", "4", "4", "4", "4", "4"},
         {{106, 4}, {105, 4}, {104, 4}, {103, 4}, {102, 4}, {101, 4}},
         {6, 5, 4, 3, 2, 1}},
        {"only launched buttons appear",
         {"0", "3", "0", "0", "1", "0"},
         {{102, 3}, {105, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
         {2, 1}},
        {"no launch at all", {"0", "0", "0"}, {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}, {}},
        {"no records", {}, {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}, {}},
        {"entries that are not integers count as nothing",
         {"abc", "", "12", "-3", "9999999999", "7", "5x"},
         {{103, 12}, {106, 7}, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
         {2, 1}},
        {"more counts than slots, ties across the cut",
         {"1", "8", "3", "8", "3", "3", "2", "3"},
         {{104, 8}, {102, 8}, {108, 3}, {106, 3}, {105, 3}, {103, 3}},
         {6, 5, 4, 3, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        // Whatever the slots held before is forgotten.
        TTopButtons top = Holding({{901, 50}, {902, 40}, {903, 30}, {904, 20}, {905, 10}, {906, 5}});
        const TSlotList redraw = top.RankTopButtons(IdsFor(c.Counts.size()), c.Counts);
        EXPECT_EQ(SlotsOf(top), c.Slots);
        EXPECT_EQ(redraw, c.Redraw);
    }
}

TEST(TopButtons, RankingNeverPlacesOneButtonTwice) {
    // The same record listed twice (a cell drawn again before the ranking) and
    // a count without an ID: the slots their counts reach stay empty.
    TTopButtons top;
    EXPECT_EQ(top.RankTopButtons({"101", "102", "101"}, {"6", "2", "6", "4"}), (TSlotList{4, 2}));
    EXPECT_EQ(SlotsOf(top), (TSlots{{0, 0}, {101, 6}, {0, 0}, {102, 2}, {0, 0}, {0, 0}}));
}

TEST(TopButtons, PromotionAfterALaunchFromACell) {
    const TSlots full = {{201, 20}, {202, 15}, {203, 12}, {204, 10}, {205, 9}, {206, 4}};
    const TSlots climbing = {{201, 20}, {202, 9}, {203, 8}, {204, 7}, {0, 0}, {0, 0}};
    struct Case {
        const char* What;
        TSlots Before;
        int32_t Id, Count;
        TSlots After;
        TSlotList Redraw;
    } cases[] = {
        {"a newcomer with 5 takes slot 6 and the old slot 6 drops out", full, 301, 5,
         {{201, 20}, {202, 15}, {203, 12}, {204, 10}, {205, 9}, {301, 5}}, {6}},
        {"a newcomer equal to slot 6 stays out", full, 301, 4, full, {}},
        {"a newcomer with 13 enters at slot 3 and pushes the rest down", full, 301, 13,
         {{201, 20}, {202, 15}, {301, 13}, {203, 12}, {204, 10}, {205, 9}}, {3, 4, 5, 6}},
        {"a newcomer above all takes slot 1", full, 301, 99,
         {{301, 99}, {201, 20}, {202, 15}, {203, 12}, {204, 10}, {205, 9}}, {1, 2, 3, 4, 5, 6}},
        {"a newcomer fills the first empty slot", climbing, 301, 1,
         {{201, 20}, {202, 9}, {203, 8}, {204, 7}, {301, 1}, {0, 0}}, {5, 6}},
        {"slot 4 reaching slot 3's count stays", climbing, 204, 8,
         {{201, 20}, {202, 9}, {203, 8}, {204, 8}, {0, 0}, {0, 0}}, {}},
        {"slot 4 passing slot 3 stops below slot 2's equal count", climbing, 204, 9,
         {{201, 20}, {202, 9}, {204, 9}, {203, 8}, {0, 0}, {0, 0}}, {3, 4}},
        {"slot 6 climbs to the top", full, 206, 21,
         {{206, 21}, {201, 20}, {202, 15}, {203, 12}, {204, 10}, {205, 9}}, {1, 2, 3, 4, 5, 6}},
        {"slot 1 only takes its new count", full, 201, 21,
         {{201, 21}, {202, 15}, {203, 12}, {204, 10}, {205, 9}, {206, 4}}, {}},
        {"ID 0 is no button", climbing, 0, 5, climbing, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TTopButtons top = Holding(c.Before);
        EXPECT_EQ(top.PromoteTopButton(c.Id, c.Count), c.Redraw);
        EXPECT_EQ(SlotsOf(top), c.After);
    }
}

TEST(TopButtons, TwoLaunchesOfTheSlot4ButtonMoveItOnePlace) {
    TTopButtons top = Holding({{201, 20}, {202, 9}, {203, 8}, {204, 7}});
    EXPECT_TRUE(top.PromoteTopButton(204, 8).empty());
    EXPECT_EQ(top.PromoteTopButton(204, 9), (TSlotList{3, 4}));
    EXPECT_EQ(SlotsOf(top), (TSlots{{201, 20}, {202, 9}, {204, 9}, {203, 8}, {0, 0}, {0, 0}}));
}

TEST(TopButtons, LaunchesFromTheQuorletTabOnlyUpdateTheCount) {
    TTopButtons top = Holding({{201, 20}, {202, 9}, {203, 8}, {204, 7}});
    for (int32_t count = 9; count <= 30; ++count) EXPECT_EQ(top.UpdateTopCount(203, count), 3);
    EXPECT_EQ(SlotsOf(top), (TSlots{{201, 20}, {202, 9}, {203, 30}, {204, 7}, {0, 0}, {0, 0}}));

    const TSlots before = SlotsOf(top);
    EXPECT_EQ(top.UpdateTopCount(999, 50), 0);
    EXPECT_EQ(top.UpdateTopCount(0, 50), 0);  // empty slots are not buttons
    EXPECT_EQ(SlotsOf(top), before);
}

TEST(TopButtons, RemovalMovesTheLaterSlotsUpAndEmptiesSlot6) {
    const TSlots full = {{201, 20}, {202, 15}, {203, 12}, {204, 10}, {205, 9}, {206, 4}};
    struct Case {
        const char* What;
        TSlots Before;
        int32_t Id;
        TSlots After;
        TSlotList Redraw;
    } cases[] = {
        {"slot 2", full, 202, {{201, 20}, {203, 12}, {204, 10}, {205, 9}, {206, 4}, {0, 0}}, {2, 3, 4, 5, 6}},
        {"slot 6", full, 206, {{201, 20}, {202, 15}, {203, 12}, {204, 10}, {205, 9}, {0, 0}}, {6}},
        {"not in the six", full, 301, full, {}},
        {"ID 0", {{201, 20}, {0, 0}}, 0, {{201, 20}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}, {}},
        {"listed twice: the last one goes",
         {{201, 20}, {202, 15}, {201, 12}, {204, 10}, {205, 9}, {206, 4}},
         201,
         {{201, 20}, {202, 15}, {204, 10}, {205, 9}, {206, 4}, {0, 0}},
         {3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TTopButtons top = Holding(c.Before);
        EXPECT_EQ(top.RemoveTopButton(c.Id), c.Redraw);
        EXPECT_EQ(SlotsOf(top), c.After);
    }
}

TEST(TopButtons, SwapTradesIdsAndKeepsCounts) {
    const TSlots full = {{201, 20}, {202, 15}, {203, 12}, {204, 10}, {205, 9}, {206, 4}};
    struct Case {
        const char* What;
        int32_t A, B;
        TSlots After;
        TSlotList Redraw;
    } cases[] = {
        {"both in the six", 202, 205, {{201, 20}, {205, 15}, {203, 12}, {204, 10}, {202, 9}, {206, 4}}, {2, 5}},
        {"the other way round", 205, 202, {{201, 20}, {205, 15}, {203, 12}, {204, 10}, {202, 9}, {206, 4}}, {5, 2}},
        {"only a in the six", 203, 118, {{201, 20}, {202, 15}, {118, 12}, {204, 10}, {205, 9}, {206, 4}}, {3}},
        {"only b in the six", 118, 206, {{201, 20}, {202, 15}, {203, 12}, {204, 10}, {205, 9}, {118, 4}}, {6}},
        {"neither", 117, 118, full, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TTopButtons top = Holding(full);
        EXPECT_EQ(top.SwapTopButtons(c.A, c.B), c.Redraw);
        EXPECT_EQ(SlotsOf(top), c.After);
    }
}
