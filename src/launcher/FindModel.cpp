#include "launcher/FindModel.h"

#include <algorithm>
#include <utility>

#include "base/TextCompare.h"
#include "launcher/ButtonGrid.h"

namespace quorlet {

namespace {

// Paths compare as the file system does for A to Z.
std::string PathKey(const std::string& path) {
    std::string key = path;
    for (char& c : key) c = AsciiLower(c);
    return key;
}

bool SameResult(const TFindItem& a, const TFindItem& b) {
    return a.Kind == b.Kind && (a.Kind == fiButton ? a.ButtonId == b.ButtonId : a.LinkPath == b.LinkPath);
}

}  // namespace

TFindModel::TFindModel(int codePage) : FLetters(codePage) {}

void TFindModel::SetStartMenu(const std::vector<TStartMenuEntry>& entries) {
    // Which result was selected, to select it again among the new results.
    TFindItem selected;
    const bool hadSelection = FSelected >= 0;
    if (hadSelection) selected = Result(static_cast<size_t>(FSelected));

    FResults.clear();
    FStartMenu.clear();
    FStartMenu.reserve(entries.size());
    for (const TStartMenuEntry& entry : entries) {
        FStartMenu.push_back(StartMenuItemOf(entry));
        PrepareFindItem(FLetters, FStartMenu.back());
    }
    FStartMenuKnown = true;
    if (!FActive) return;
    CollectSearched();
    Rank();
    if (!hadSelection) return;
    for (size_t i = 0; i < FResults.size(); ++i)
        if (SameResult(*FResults[i].Item, selected)) FSelected = static_cast<int>(i);
}

void TFindModel::Begin(TFindButtons buttons, int pageShown) {
    FButtons = std::move(buttons);
    for (TFindItem& item : FButtons.Items) PrepareFindItem(FLetters, item);
    FActive = true;
    FPageBefore = pageShown;
    FQuery.clear();
    CollectSearched();
    Rank();
}

void TFindModel::CollectSearched() {
    FSearched.clear();
    std::vector<std::string> commands;
    for (const TFindItem& item : FButtons.Items) {
        FSearched.push_back(&item);
        commands.push_back(PathKey(item.Command));
    }
    std::sort(commands.begin(), commands.end());
    const auto onButton = [&commands](const std::string& path) {
        return !path.empty() && std::binary_search(commands.begin(), commands.end(), PathKey(path));
    };
    for (const TFindItem& item : FStartMenu)
        if (!onButton(item.LinkPath) && !onButton(item.Target)) FSearched.push_back(&item);
}

void TFindModel::Rank() {
    FResults.clear();
    FMatchCount = 0;
    if (!FQuery.empty()) FResults = RankFindItems(FLetters.Fold(FQuery), FSearched, kFindResultLimit, FMatchCount);
    FSelected = FResults.empty() ? -1 : 0;
}

bool TFindModel::Type(char c) {
    const unsigned char code = static_cast<unsigned char>(c);
    if (!FActive || code < 0x20 || code == 0x7F || FQuery.size() >= kFindQueryLimit) return false;
    FQuery += c;
    Rank();
    return true;
}

TFindAction TFindModel::Backspace() {
    if (!FActive) return TFindAction();
    if (FQuery.size() <= 1) return Ended(fakShowPage, FPageBefore);
    FQuery.pop_back();
    Rank();
    return TFindAction();
}

TFindAction TFindModel::Clear() {
    if (!FActive) return TFindAction();
    return Ended(fakShowPage, FPageBefore);
}

void TFindModel::End() {
    FActive = false;
    FQuery.clear();
    FResults.clear();
    FSearched.clear();
    FMatchCount = 0;
    FSelected = -1;
    // The buttons are read afresh for the next find; the shortcuts are kept.
    FButtons = TFindButtons();
}

TFindAction TFindModel::Ended(TFindActionKind kind, int page) {
    End();
    TFindAction action;
    action.Kind = kind;
    action.Page = page;
    return action;
}

bool TFindModel::Move(TFindMove move) {
    if (FSelected < 0) return false;
    const int count = static_cast<int>(FResults.size());
    const int row = static_cast<int>(kCellsPerRow);
    int target = FSelected;
    switch (move) {
        case fmLeft: target = FSelected - 1; break;
        case fmRight: target = FSelected + 1; break;
        case fmUp: target = FSelected >= row ? FSelected - row : FSelected; break;
        case fmDown:
            if (FSelected < row && count > row) target = std::min(FSelected + row, count - 1);
            break;
    }
    if (target < 0 || target >= count || target == FSelected) return false;
    FSelected = target;
    return true;
}

bool TFindModel::Select(int index) {
    if (!FActive || index < 0 || index >= static_cast<int>(FResults.size()) || index == FSelected) return false;
    FSelected = index;
    return true;
}

TFindAction TFindModel::Enter(TShiftState keys) {
    if (FSelected < 0) return TFindAction();
    const TFindItem& item = Result(static_cast<size_t>(FSelected));
    keys = KeyModifiers(keys);
    if (item.Kind == fiStartMenu) return EnterShortcut(item, keys);
    const int32_t id = item.ButtonId;
    const TClickMode click = CellClickMode(keys | ssLeft, true, true);
    TFindAction action = Ended(fakClickButton, FPageBefore);
    action.ButtonId = id;
    action.Click = click;
    return action;
}

TFindAction TFindModel::EnterShortcut(const TFindItem& item, TShiftState keys) {
    const std::string linkPath = item.LinkPath;
    if (keys != ssCtrl) {
        TFindAction action = Ended(fakStartShortcut, FPageBefore);
        action.Click.Action = caLaunch;
        action.Click.KeepVisible = keys == ssShift;
        action.LinkPath = linkPath;
        return action;
    }
    TFindAction full;
    full.Kind = fakSheetFull;
    const int sheetCount = static_cast<int>(FButtons.SheetNames.size());
    if (sheetCount == 0) {
        full.Message = "No tab sheet to put it on";
        return full;
    }
    // The Quorlet Tab holds no buttons: as a drag over it, the shortcut goes to the first tab sheet.
    const int sheet = FPageBefore >= 1 && FPageBefore <= sheetCount ? FPageBefore : 1;
    const std::vector<int32_t>& occupied = FButtons.OccupiedIds;
    for (int position = 1; position <= kCellCount; ++position) {
        const int32_t id = ButtonId(sheet, position);
        if (std::binary_search(occupied.begin(), occupied.end(), id)) continue;
        TFindAction action = Ended(fakPlaceShortcut, sheet);
        action.ButtonId = id;
        action.LinkPath = linkPath;
        return action;
    }
    full.Message = "No empty button on \"" + FButtons.SheetNames[static_cast<size_t>(sheet - 1)] + "\"";
    return full;
}

std::string TFindModel::StatusText() const {
    if (!FActive) return std::string();
    return "Find: " + FQuery + "  (" + std::to_string(FMatchCount) + ")";
}

std::string TFindModel::SelectedHint() const {
    if (FSelected < 0) return std::string();
    const TFindItem& item = Result(static_cast<size_t>(FSelected));
    if (item.Kind == fiStartMenu) return "Start Menu: " + item.Name;
    return ButtonHint({true, item.Name, item.HotKey});
}

}  // namespace quorlet
