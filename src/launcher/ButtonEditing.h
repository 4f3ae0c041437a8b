#pragma once
// Rearranging buttons and tab sheets: which records go where for each move,
// and what the cell and tab strip menus offer before they open. A record never
// moves on the screen; it moves by being stored under another identifier.

#include <cstdint>
#include <string>
#include <vector>

#include "launcher/TopButtons.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"

namespace quorlet {

using TIdMoves = std::vector<TBtnSettingXml::TIdMove>;

// The record at id goes to position 1 of its tab sheet and the positions before
// it move one place right; none for position 1.
TIdMoves MoveToFirstMoves(int32_t id);
// The record at id goes to position 20 and the positions after it move one
// place left; none for position 20.
TIdMoves MoveToLastMoves(int32_t id);
// Two records exchange places; none for the same identifier.
TIdMoves SwapMoves(int32_t a, int32_t b);
// Every position of tab sheet a exchanges with the same position of tab sheet b.
TIdMoves ExchangeSheetMoves(int a, int b);

// Tab sheets a and b (1 or more, both below the page count) exchange their
// records, their names, and their places in the recent list and the most-used
// six. Returns the most-used slots that changed; none when a or b is no tab
// sheet or both are the same.
TSlotList ExchangeTabSheets(TBtnSettingXml& store, TAppSettingXml& settings, TTopButtons& top, int a, int b);

// The cell menu of a button tab sheet's cell.
struct TCellMenuState {
    bool MoveToFirst = false, MoveToBefore = false, MoveToAfter = false, MoveToLast = false;
    // The two path commands work on a cell that shows an icon.
    bool PathCommands = false;
    std::string CopyPathCaption, ExplorerPathCaption;
};
TCellMenuState CellMenuState(int32_t id, bool showsIcon, const std::string& hint);

// The tab strip menu, opened over the tab of page `page` (-1: beside the tabs,
// where it acts on the active page).
struct TPageMenuState {
    bool MoveLeft = false, MoveRight = false, Delete = false;
};
// pageCount counts the Quorlet Tab's page too.
TPageMenuState PageMenuState(int page, int pageCount);
// The page under tab `tab` of the strip, as the menu makes it active: tabs
// count from the Quorlet Tab's when it is shown, from page 1 otherwise.
int PageOfTab(int tab, bool quorletTabShown);

// The question before a copy replaces a button, and before a cell is cleared.
std::string ReplaceButtonQuestion(const std::string& targetHint);
std::string ClearButtonQuestion(const std::string& hint);
std::string DeleteTabQuestion(const std::string& caption);

}  // namespace quorlet
