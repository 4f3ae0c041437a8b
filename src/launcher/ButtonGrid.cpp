#include "launcher/ButtonGrid.h"

#include <stdexcept>

namespace quorlet {

int32_t ButtonId(int sheet, int position) { return static_cast<int32_t>(sheet) * 100 + position; }

int ButtonSheet(int32_t id) { return static_cast<int>(id / 100); }

int ButtonPosition(int32_t id) { return static_cast<int>(id % 100); }

bool IsButtonId(int32_t id) {
    return ButtonSheet(id) >= 1 && ButtonPosition(id) >= 1 && ButtonPosition(id) <= kCellCount;
}

TCellPoint CellOrigin(int position) {
    if (position < 1 || position > kCellCount) throw std::out_of_range("cell position " + std::to_string(position));
    TCellPoint point;
    point.Left = ((position - 1) % kCellsPerRow) * kCellSize;
    point.Top = ((position - 1) / kCellsPerRow) * kCellSize;
    return point;
}

namespace {

TCellPoint QuorletPanelOrigin(int slot, int top) {
    if (slot < 1 || slot > kQuorletSlotCount) throw std::out_of_range("Quorlet Tab slot " + std::to_string(slot));
    TCellPoint point;
    point.Left = kQuorletPanelLeft + (slot - 1) * kQuorletPanelPitch;
    point.Top = top;
    return point;
}

}  // namespace

TCellPoint RecentPanelOrigin(int slot) { return QuorletPanelOrigin(slot, kRecentRowTop); }

TCellPoint TopPanelOrigin(int slot) { return QuorletPanelOrigin(slot, kTopRowTop); }

std::string ButtonHint(const TButtonBrief& button) {
    if (!button.Exists) return std::string();
    if (button.HotKey.empty()) return button.Description;
    return button.Description + " -[" + button.HotKey + "]";
}

std::string LastClickHint(int slot, const TButtonBrief& button) {
    const std::string hint = ButtonHint(button);
    if (hint.empty()) return hint;
    return "LastClick" + std::to_string(slot) + " - " + hint;
}

std::string TopClickHint(int slot, const TButtonBrief& button) {
    if (!button.Exists) return std::string();
    return "TopClick" + std::to_string(slot) + " - " + ButtonHint(button) + " ";
}

std::string NewButtonHint(const std::string& description, const std::string& hotKey) {
    return description + " " + hotKey;
}

}  // namespace quorlet
