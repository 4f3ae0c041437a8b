#include "launcher/ButtonEditing.h"

#include <algorithm>

#include "launcher/ButtonGrid.h"

namespace quorlet {

TIdMoves MoveToFirstMoves(int32_t id) {
    const int sheet = ButtonSheet(id), position = ButtonPosition(id);
    TIdMoves moves;
    if (position < 2 || position > kCellCount) return moves;
    moves.push_back({id, ButtonId(sheet, 1)});
    for (int q = position - 1; q >= 1; --q) moves.push_back({ButtonId(sheet, q), ButtonId(sheet, q + 1)});
    return moves;
}

TIdMoves MoveToLastMoves(int32_t id) {
    const int sheet = ButtonSheet(id), position = ButtonPosition(id);
    TIdMoves moves;
    if (position < 1 || position >= kCellCount) return moves;
    moves.push_back({id, ButtonId(sheet, kCellCount)});
    for (int q = position + 1; q <= kCellCount; ++q) moves.push_back({ButtonId(sheet, q), ButtonId(sheet, q - 1)});
    return moves;
}

TIdMoves SwapMoves(int32_t a, int32_t b) {
    if (a == b) return {};
    return {{a, b}, {b, a}};
}

TIdMoves ExchangeSheetMoves(int a, int b) {
    TIdMoves moves;
    if (a == b || a < 1 || b < 1) return moves;
    for (int position = 1; position <= kCellCount; ++position) {
        moves.push_back({ButtonId(a, position), ButtonId(b, position)});
        moves.push_back({ButtonId(b, position), ButtonId(a, position)});
    }
    return moves;
}

TSlotList ExchangeTabSheets(TBtnSettingXml& store, TAppSettingXml& settings, TTopButtons& top, int a, int b) {
    const int sheets = static_cast<int>(settings.GroupNames.size());
    if (a == b || a < 1 || b < 1 || a > sheets || b > sheets) return {};
    store.RenumberButtons(ExchangeSheetMoves(a, b));
    TSlotList changed;
    for (int position = 1; position <= kCellCount; ++position) {
        const int32_t d = ButtonId(a, position), c = ButtonId(b, position);
        settings.ExchangeRecentButtons(d, c);
        for (int slot : top.SwapTopButtons(d, c))
            if (std::find(changed.begin(), changed.end(), slot) == changed.end()) changed.push_back(slot);
    }
    const std::string nameA = settings.GroupNames[a - 1], nameB = settings.GroupNames[b - 1];
    settings.SetGroupName(a, nameB);
    settings.SetGroupName(b, nameA);
    return changed;
}

TCellMenuState CellMenuState(int32_t id, bool showsIcon, const std::string& hint) {
    const int position = ButtonPosition(id);
    TCellMenuState state;
    state.MoveToFirst = state.MoveToBefore = position > 1;
    state.MoveToAfter = state.MoveToLast = position < kCellCount;
    state.PathCommands = showsIcon;
    state.CopyPathCaption = "Copy \"" + hint + "\" full path/file name";
    state.ExplorerPathCaption = "Open \"" + hint + "\" in Windows Explorer";
    return state;
}

TPageMenuState PageMenuState(int page, int pageCount) {
    TPageMenuState state;
    state.MoveLeft = page > 1 && page < pageCount;
    state.MoveRight = page > 0 && page < pageCount - 1;
    state.Delete = page > 0 && page < pageCount && pageCount > 2;
    return state;
}

int PageOfTab(int tab, bool quorletTabShown) {
    if (tab < 0) return -1;
    return quorletTabShown ? tab : tab + 1;
}

std::string ReplaceButtonQuestion(const std::string& targetHint) {
    return "Replace the exists icon:\r\n\r\n" + targetHint;
}

std::string ClearButtonQuestion(const std::string& hint) {
    return "Are you sure to remove this Icon?\r\n\r\n" + hint + " ";
}

std::string DeleteTabQuestion(const std::string& caption) {
    return "Are you sure to remove this tabsheet and all the icons within?\r\n\r\n" + caption;
}

}  // namespace quorlet
