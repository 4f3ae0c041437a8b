#pragma once
// Type-to-find on the main window, as a model: the query being typed, the
// results shown on the find page, the selection among them, and what the keys
// ask the window to do. It holds plain data only; the window feeds it and
// carries out the actions it returns.
//
// How the window drives it:
// - A printable character typed into the active main window with no modifier
//   but Shift, while no find runs: read the buttons once with FindButtonsOf
//   (from the button store's loaded document, the group names and the recent
//   list), call Begin with them and the page shown, then Type. While a find
//   runs, every such character goes to Type and Backspace to Backspace.
// - After each call, show what the model holds: the results Result(0) ..
//   Result(ResultCount() - 1) in the cells of the find page, upper row
//   left to right, then the lower row; the selection Selected() on its cell;
//   StatusText() ("Find: <query>  (<count>)") and SelectedHint() (as hovering
//   over the selected cell would show) in the hint panel.
// - Arrow keys go to Move, Enter to Enter with the modifier keys held, Esc
//   and the hot key that hides the window to Clear. Each returns an action.
// - The Start Menu shortcuts come from a worker: SetStartMenu whenever it has
//   read them (again); a running find takes them in at once. StartMenuKnown
//   tells whether they have been given yet.
//
// Choices a user meets:
// - Backspace on a one-letter query ends the find and shows the page shown
//   before, as Esc does: an empty query finds nothing worth a page.
// - Enter ends the find, unless there is no result or the sheet is full.
// - The selection follows the cells: Left and Right step through the results
//   in reading order, so they wrap from the end of the upper row to the start
//   of the lower one and back, and stop at the first and the last result. Up
//   and Down move between the rows in the same column; Down from a column
//   whose lower cell is empty goes to the last result, and nothing moves when
//   the other row holds no result.
// - Any edit of the query selects the first (best) result again; new Start
//   Menu shortcuts keep the selected result selected wherever it moved.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "launcher/ClickModes.h"
#include "launcher/FindLetters.h"
#include "launcher/FindScore.h"
#include "launcher/FindSources.h"

namespace quorlet {

// The find page shows at most one grid of results.
constexpr size_t kFindResultLimit = 20;
// Typing stops adding to a query this long.
constexpr size_t kFindQueryLimit = 255;

enum TFindMove { fmLeft, fmRight, fmUp, fmDown };

enum TFindActionKind {
    // Nothing for the window to do beyond showing the model's state.
    fakNone,
    // The find has ended: show page Page again.
    fakShowPage,
    // The find has ended: show page Page, then do what a left click on the cell
    // of button ButtonId does with the same modifier keys, whose mode is Click
    // (launch, counted, recent and most-used rows updated, HideAfterClicking
    // obeyed unless Click.KeepVisible; or the properties; or the folder).
    fakClickButton,
    // The find has ended: show page Page, then start the shortcut LinkPath
    // through the shell as a button of that .lnk would, without counting it;
    // the window may hide afterwards (HideAfterClicking) unless
    // Click.KeepVisible.
    fakStartShortcut,
    // The find has ended: drop the shortcut LinkPath on the empty cell of
    // button ButtonId as a drop from the shell would, save, and show its tab
    // sheet, page Page, with that cell selected.
    fakPlaceShortcut,
    // Nothing was added and the find goes on: show Message in the hint panel.
    fakSheetFull,
};

struct TFindAction {
    TFindActionKind Kind = fakNone;
    int Page = -1;
    int32_t ButtonId = 0;
    TClickMode Click;
    std::string LinkPath;
    std::string Message;
};

class TFindModel {
public:
    // codePage: the code page of the window's texts (GetACP).
    explicit TFindModel(int codePage);

    // Takes the Start Menu shortcuts, replacing those given before (on the
    // window's thread, once the worker has read them). A shortcut whose .lnk
    // path or target is the Command of a button is left out: the button is
    // found instead.
    void SetStartMenu(const std::vector<TStartMenuEntry>& entries);
    bool StartMenuKnown() const { return FStartMenuKnown; }

    // Starts a find over buttons with an empty query; pageShown is the page
    // shown before (0 the Quorlet Tab), to show again when the find ends.
    void Begin(TFindButtons buttons, int pageShown);
    // True from Begin until the find ends.
    bool Active() const { return FActive; }

    // Adds a character to the query. False, and nothing changed, when no find
    // runs, for a control character, and when the query is full.
    bool Type(char c);
    // Takes the last character off the query; on a one-letter query it ends
    // the find (fakShowPage). fakNone when no find runs.
    TFindAction Backspace();
    // Ends the find (Esc, or the window hidden by the hot key): fakShowPage
    // with the page shown before; fakNone when no find runs.
    TFindAction Clear();
    // Moves the selection; false when it stays.
    bool Move(TFindMove move);
    // Selects result index (a click on its cell); false when there is no such
    // result or it is selected already.
    bool Select(int index);
    // Enter with the modifier keys held (the keys of a TShiftState; mouse
    // buttons in it are ignored). On the selected button: fakClickButton with
    // the click mode of a left click with those keys (exactly Alt: properties,
    // exactly Ctrl: its folder, exactly Shift: launch and stay visible). On
    // the selected shortcut: exactly Ctrl places it on the first empty cell of
    // the tab sheet shown before (the first tab sheet when the Quorlet Tab
    // was shown), or gives fakSheetFull when that sheet has none; any other
    // keys start it (exactly Shift: and stay visible). fakNone without a
    // selection.
    TFindAction Enter(TShiftState keys);

    const std::string& Query() const { return FQuery; }
    // The page shown before the find.
    int PageBefore() const { return FPageBefore; }
    // How many buttons and shortcuts match in all; ResultCount of them, at
    // most kFindResultLimit, are shown.
    size_t MatchCount() const { return FMatchCount; }
    size_t ResultCount() const { return FResults.size(); }
    const TFindItem& Result(size_t index) const { return *FResults.at(index).Item; }
    // The index of the selected result, -1 when there is none.
    int Selected() const { return FSelected; }

    // "Find: <query>  (<MatchCount>)"; empty when no find runs.
    std::string StatusText() const;
    // The selected result's hint: a button's hint as its cell shows it
    // (Description, or "Description -[HotKey]"), a shortcut's name after
    // "Start Menu: ". Empty without a selection.
    std::string SelectedHint() const;

private:
    void Rank();
    void End();
    TFindAction Ended(TFindActionKind kind, int page);
    TFindAction EnterShortcut(const TFindItem& item, TShiftState keys);
    void CollectSearched();

    TFindLetters FLetters;
    std::vector<TFindItem> FStartMenu;
    bool FStartMenuKnown = false;
    TFindButtons FButtons;
    // The buttons, then the shortcuts that are on no button.
    std::vector<const TFindItem*> FSearched;

    bool FActive = false;
    int FPageBefore = 0;
    std::string FQuery;
    std::vector<TFindMatch> FResults;
    size_t FMatchCount = 0;
    int FSelected = -1;
};

}  // namespace quorlet
