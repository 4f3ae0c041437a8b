#pragma once
// The button grid: button IDs, where cells and the Quorlet Tab's panels stand,
// and the hint texts of button images.
//
// A button ID is tab sheet index * 100 + position. Positions 1..10 are the upper
// row from left to right, 11..20 the lower row. Page 0, the Quorlet Tab, holds
// no records, so every ID of a record is 101 or more.

#include <cstdint>
#include <string>

namespace quorlet {

// Size of a button's icon; a cell is a framed panel one pixel wider on each side.
constexpr int CellIconSize = 32;
constexpr int kCellSize = CellIconSize + 2;
constexpr int kCellsPerRow = 10;
constexpr int kCellCount = 2 * kCellsPerRow;
// Client width of the main window; the button rows do not change it.
constexpr int kClientWidth = CellIconSize * kCellsPerRow + 28;

// The Quorlet Tab: two rows of six framed panels (recent above, most-used
// below), 35 pixels apart in a row (one pixel gap), the rows 34 pixels apart.
// They start at the tab sheet's top left corner, like the cells of a button
// tab sheet, so both kinds of page line up.
constexpr int kQuorletPanelLeft = 0;
constexpr int kRecentRowTop = 0;
constexpr int kTopRowTop = kRecentRowTop + kCellSize;
constexpr int kQuorletPanelPitch = kCellSize + 1;
constexpr int kQuorletSlotCount = 6;

int32_t ButtonId(int sheet, int position);
int ButtonSheet(int32_t id);     // id / 100
int ButtonPosition(int32_t id);  // id % 100
// A cell of a button tab sheet: sheet 1 or more, position 1..20.
bool IsButtonId(int32_t id);

// Top left corner of a panel on its tab sheet.
struct TCellPoint {
    int Left = 0;
    int Top = 0;
};

// The cell of position 1..20 on a button tab sheet; std::out_of_range otherwise.
TCellPoint CellOrigin(int position);
// The panel of slot 1..6 in the recent (upper) or most-used (lower) row of the
// Quorlet Tab; std::out_of_range for another slot.
TCellPoint RecentPanelOrigin(int slot);
TCellPoint TopPanelOrigin(int slot);

// What a hint is made of: whether a record is stored under the image's ID, and
// its Description and HotKey.
struct TButtonBrief {
    bool Exists = false;
    std::string Description;
    std::string HotKey;
};

// The hint of a cell's image: Description, or "Description -[HotKey]" when the
// HotKey text is not empty. Empty without a record.
std::string ButtonHint(const TButtonBrief& button);
// A recent image: "LastClick<slot> - <button hint>", empty when the button hint is.
std::string LastClickHint(int slot, const TButtonBrief& button);
// A most-used image: "TopClick<slot> - <button hint> " (note the final blank),
// also for an empty description; empty only without a record.
std::string TopClickHint(int slot, const TButtonBrief& button);
// A button just created on an empty cell: Description, a blank, HotKey (the blank
// also when HotKey is empty). The next start shows ButtonHint instead.
std::string NewButtonHint(const std::string& description, const std::string& hotKey);

}  // namespace quorlet
