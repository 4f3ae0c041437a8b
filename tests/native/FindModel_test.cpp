// Type-to-find as a model: editing the query, the results and the status
// text, moving the selection over the two rows of cells, and what Enter,
// Backspace and Esc ask the window to do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "launcher/FindModel.h"

using namespace quorlet;

namespace {

using Strings = std::vector<std::string>;

TFindItem Button(int32_t id, const std::string& name, int32_t runs = 0, const std::string& command = "",
                 const std::string& hotKey = "") {
    TFindItem item;
    item.ButtonId = id;
    item.Name = name;
    item.TotolRunTimes = runs;
    item.Command = command;
    item.HotKey = hotKey;
    return item;
}

// Three tab sheets; the items' sheet names follow their identifiers.
TFindButtons Buttons(std::vector<TFindItem> items, std::vector<int32_t> alsoOccupied = {}) {
    TFindButtons buttons;
    buttons.SheetNames = {"Tools", "Office", "Games"};
    for (TFindItem& item : items) {
        item.SheetName = buttons.SheetNames[static_cast<size_t>(item.ButtonId / 100 - 1)];
        buttons.OccupiedIds.push_back(item.ButtonId);
    }
    buttons.OccupiedIds.insert(buttons.OccupiedIds.end(), alsoOccupied.begin(), alsoOccupied.end());
    std::sort(buttons.OccupiedIds.begin(), buttons.OccupiedIds.end());
    buttons.Items = std::move(items);
    return buttons;
}

TFindButtons Everyday() {
    return Buttons({Button(101, "Notepad", 4, "C:\\Windows\\notepad.exe", "Ctrl+N"),
                    Button(102, "Notepad Plus", 9, "C:\\Apps\\npp.exe"),
                    Button(103, "Paint", 2, "C:\\Windows\\mspaint.exe"),
                    Button(201, "Word", 1, "C:\\Office\\winword.exe"),
                    Button(305, "Mines", 0, "C:\\Games\\mines.exe")});
}

void TypeText(TFindModel& find, const std::string& text) {
    for (char c : text) EXPECT_TRUE(find.Type(c)) << c;
}

Strings ResultNames(const TFindModel& find) {
    Strings names;
    for (size_t i = 0; i < find.ResultCount(); ++i) names.push_back(find.Result(i).Name);
    return names;
}

std::string SelectedName(const TFindModel& find) {
    return find.Selected() < 0 ? "(none)" : find.Result(static_cast<size_t>(find.Selected())).Name;
}

const std::vector<TStartMenuEntry> kStartMenu = {
    {"Notepad", "C:\\ProgramData\\Start Menu\\Notepad.lnk"},
    {"Paint", "C:\\ProgramData\\Start Menu\\Paint.lnk"},
    {"Snipping Tool", "C:\\Users\\ann\\Start Menu\\Snipping Tool.lnk"},
};

}  // namespace

TEST(FindModel, TypingAndBackspaceEditTheQuery) {
    TFindModel find(1252);
    EXPECT_FALSE(find.Type('n'));  // nothing before a find begins
    EXPECT_EQ(find.StatusText(), "");
    find.Begin(Everyday(), 2);
    EXPECT_TRUE(find.Active());

    TypeText(find, "not");
    EXPECT_EQ(find.Query(), "not");
    EXPECT_EQ(find.StatusText(), "Find: not  (2)");
    EXPECT_EQ(ResultNames(find), (Strings{"Notepad Plus", "Notepad"}));
    EXPECT_EQ(find.Selected(), 0);
    EXPECT_EQ(find.SelectedHint(), "Notepad Plus");

    // Control characters are not typed; Shift's capitals are.
    EXPECT_FALSE(find.Type('\t'));
    EXPECT_FALSE(find.Type('\x7F'));
    EXPECT_TRUE(find.Type('E'));
    EXPECT_EQ(find.StatusText(), "Find: notE  (2)");

    // Every edit selects the best result again.
    ASSERT_TRUE(find.Move(fmRight));
    EXPECT_EQ(find.SelectedHint(), "Notepad -[Ctrl+N]");
    EXPECT_EQ(find.Backspace().Kind, fakNone);
    EXPECT_EQ(find.Query(), "not");
    EXPECT_EQ(find.Selected(), 0);

    TypeText(find, "z");
    EXPECT_EQ(find.StatusText(), "Find: notz  (0)");
    EXPECT_EQ(find.ResultCount(), 0u);
    EXPECT_EQ(find.Selected(), -1);
    EXPECT_EQ(find.SelectedHint(), "");
    EXPECT_FALSE(find.Move(fmRight));
    EXPECT_EQ(find.Enter(0).Kind, fakNone);
    EXPECT_TRUE(find.Active());

    // Backspace on the last letter ends the find and shows the page shown before.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(find.Backspace().Kind, fakNone);
    EXPECT_EQ(find.Query(), "n");
    const TFindAction last = find.Backspace();
    EXPECT_EQ(last.Kind, fakShowPage);
    EXPECT_EQ(last.Page, 2);
    EXPECT_FALSE(find.Active());
    EXPECT_EQ(find.Query(), "");
    EXPECT_EQ(find.StatusText(), "");
    EXPECT_EQ(find.ResultCount(), 0u);
    EXPECT_EQ(find.Backspace().Kind, fakNone);
    EXPECT_FALSE(find.Type('n'));
}

TEST(FindModel, TheQueryStopsAtItsLimit) {
    TFindModel find(1252);
    find.Begin(Everyday(), 1);
    TypeText(find, std::string(kFindQueryLimit, 'a'));
    EXPECT_FALSE(find.Type('a'));
    EXPECT_EQ(find.Query().size(), kFindQueryLimit);
    EXPECT_EQ(find.MatchCount(), 0u);
}

TEST(FindModel, EscAndTheHotKeyClearTheFind) {
    TFindModel find(1252);
    EXPECT_EQ(find.Clear().Kind, fakNone);
    find.Begin(Everyday(), 0);
    TypeText(find, "pa");
    const TFindAction action = find.Clear();
    EXPECT_EQ(action.Kind, fakShowPage);
    EXPECT_EQ(action.Page, 0);
    EXPECT_FALSE(find.Active());
    EXPECT_EQ(find.Selected(), -1);
    EXPECT_EQ(find.Clear().Kind, fakNone);
}

TEST(FindModel, EnterClicksTheSelectedButtonWithTheKeysHeld) {
    struct Case {
        TShiftState Keys;
        TClickAction Action;
        bool KeepVisible;
    } cases[] = {
        {0, caLaunch, false},
        {ssShift, caLaunch, true},
        {ssCtrl, caExplorerFolder, false},
        {ssAlt, caProperties, false},
        {ssCtrl | ssAlt, caLaunch, false},
        {ssShift | ssCtrl, caLaunch, false},
        {ssShift | ssRight, caLaunch, true},  // mouse buttons are not keys
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("keys " + std::to_string(c.Keys));
        TFindModel find(1252);
        find.Begin(Everyday(), 3);
        TypeText(find, "p");
        ASSERT_TRUE(find.Move(fmRight));
        const int32_t selected = find.Result(static_cast<size_t>(find.Selected())).ButtonId;
        const TFindAction action = find.Enter(c.Keys);
        EXPECT_EQ(action.Kind, fakClickButton);
        EXPECT_EQ(action.ButtonId, selected);
        EXPECT_EQ(action.Click.Action, c.Action);
        EXPECT_EQ(action.Click.KeepVisible, c.KeepVisible);
        EXPECT_EQ(action.Page, 3);
        EXPECT_FALSE(find.Active());
    }
}

TEST(FindModel, SelectionMovesOverTheTwoRows) {
    // count: how many results; from: the selected index; the index after the move.
    struct Case {
        int Count, From;
        TFindMove Move;
        int To;
    } cases[] = {
        {20, 9, fmRight, 10},  // the end of the upper row wraps to the lower row
        {20, 10, fmLeft, 9},
        {20, 0, fmLeft, 0},    // the first and the last result stop
        {20, 19, fmRight, 19},
        {20, 3, fmDown, 13},
        {20, 13, fmUp, 3},
        {20, 3, fmUp, 3},
        {20, 13, fmDown, 13},
        {13, 7, fmDown, 12},   // below is empty: the last result
        {13, 2, fmDown, 12},
        {13, 12, fmRight, 12},
        {13, 12, fmUp, 2},
        {10, 4, fmDown, 4},    // no lower row
        {10, 9, fmRight, 9},
        {1, 0, fmRight, 0},
        {1, 0, fmDown, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Count) + " results, from " + std::to_string(c.From) + " move " +
                     std::to_string(c.Move));
        std::vector<TFindItem> items;
        for (int i = 0; i < c.Count; ++i) items.push_back(Button(101 + i % 20 + i / 20 * 100, "Tool", c.Count - i));
        TFindModel find(1252);
        find.Begin(Buttons(items), 1);
        TypeText(find, "tool");
        ASSERT_EQ(find.ResultCount(), static_cast<size_t>(c.Count));
        for (int i = 0; i < c.From; ++i) ASSERT_TRUE(find.Move(fmRight));
        EXPECT_EQ(find.Move(c.Move), c.To != c.From);
        EXPECT_EQ(find.Selected(), c.To);
        // The results are ranked by launches, so the index names the button.
        EXPECT_EQ(find.Result(static_cast<size_t>(c.To)).TotolRunTimes, c.Count - c.To);
    }
}

TEST(FindModel, AClickSelectsAResult) {
    TFindModel find(1252);
    EXPECT_FALSE(find.Select(0));  // no find runs
    find.Begin(Everyday(), 1);
    TypeText(find, "not");
    ASSERT_EQ(find.ResultCount(), 2u);
    EXPECT_TRUE(find.Select(1));
    EXPECT_EQ(SelectedName(find), "Notepad");
    EXPECT_FALSE(find.Select(1));  // selected already
    EXPECT_FALSE(find.Select(2));  // no such result
    EXPECT_FALSE(find.Select(-1));
    EXPECT_EQ(find.Enter(0).ButtonId, 101);
}

TEST(FindModel, ShowsTwentyResultsAndCountsAll) {
    std::vector<TFindItem> items;
    for (int i = 0; i < 26; ++i) items.push_back(Button(101 + i % 20 + i / 20 * 100, "Tool " + std::to_string(i), i));
    TFindModel find(1252);
    find.Begin(Buttons(items), 1);
    TypeText(find, "tool");
    EXPECT_EQ(find.ResultCount(), kFindResultLimit);
    EXPECT_EQ(find.MatchCount(), 26u);
    EXPECT_EQ(find.StatusText(), "Find: tool  (26)");
    EXPECT_EQ(SelectedName(find), "Tool 25");
    EXPECT_EQ(find.Result(19).Name, "Tool 6");
}

TEST(FindModel, StartMenuShortcutsFollowTheButtons) {
    TFindModel find(1252);
    EXPECT_FALSE(find.StartMenuKnown());
    find.Begin(Everyday(), 1);
    TypeText(find, "p");
    EXPECT_EQ(ResultNames(find), (Strings{"Notepad Plus", "Paint", "Notepad"}));
    ASSERT_TRUE(find.Move(fmRight));  // Paint

    // The worker's list arrives while the find runs: the selection stays on its result.
    find.SetStartMenu(kStartMenu);
    EXPECT_TRUE(find.StartMenuKnown());
    EXPECT_EQ(ResultNames(find), (Strings{"Notepad Plus", "Paint", "Notepad", "Paint", "Notepad", "Snipping Tool"}));
    for (size_t i = 0; i < find.ResultCount(); ++i) EXPECT_EQ(find.Result(i).Kind, i < 3 ? fiButton : fiStartMenu);
    EXPECT_EQ(find.StatusText(), "Find: p  (6)");
    EXPECT_EQ(find.Selected(), 1);

    // A shortcut selected moves along when a new list puts another before it.
    ASSERT_TRUE(find.Move(fmRight) && find.Move(fmRight) && find.Move(fmRight));
    EXPECT_EQ(find.SelectedHint(), "Start Menu: Notepad");
    std::vector<TStartMenuEntry> more = kStartMenu;
    more.push_back({"Adobe Photoshop", "C:\\ProgramData\\Start Menu\\Adobe Photoshop.lnk"});
    find.SetStartMenu(more);
    EXPECT_EQ(ResultNames(find), (Strings{"Notepad Plus", "Paint", "Notepad", "Adobe Photoshop", "Paint", "Notepad",
                                          "Snipping Tool"}));
    EXPECT_EQ(find.Selected(), 5);
    EXPECT_EQ(find.SelectedHint(), "Start Menu: Notepad");

    // Kept for the next find; the buttons are read again.
    find.Clear();
    find.Begin(Buttons({Button(101, "Snip")}), 1);
    TypeText(find, "snip");
    EXPECT_EQ(ResultNames(find), (Strings{"Snip", "Snipping Tool"}));
    EXPECT_EQ(find.SelectedHint(), "Snip");
}

TEST(FindModel, AShortcutOnAButtonIsFoundAsTheButton) {
    // A button of the shortcut itself, and one made by dropping a shortcut
    // whose target the reader knows: the path compares without case.
    std::vector<TStartMenuEntry> entries = kStartMenu;
    entries.push_back(StartMenuEntryOf("C:\\Start Menu\\Paint Shop.lnk", "C:\\Apps\\PSP\\psp.exe"));
    TFindModel find(1252);
    find.SetStartMenu(entries);
    find.Begin(Buttons({Button(101, "My editor", 0, "c:\\programdata\\start menu\\NOTEPAD.lnk"),
                        Button(102, "Photos", 0, "C:\\APPS\\PSP\\PSP.EXE")}),
               1);
    TypeText(find, "notepad");
    EXPECT_EQ(find.MatchCount(), 1u);
    EXPECT_EQ(find.Result(0).ButtonId, 101);
    find.Clear();
    find.Begin(Buttons({Button(101, "My editor", 0, "c:\\programdata\\start menu\\NOTEPAD.lnk"),
                        Button(102, "Photos", 0, "C:\\APPS\\PSP\\PSP.EXE")}),
               1);
    TypeText(find, "paint");
    EXPECT_EQ(ResultNames(find), (Strings{"Paint"}));
    EXPECT_EQ(find.Result(0).Kind, fiStartMenu);
}

TEST(FindModel, EnterStartsAShortcut) {
    for (TShiftState keys : {0u, unsigned(ssShift), unsigned(ssAlt), unsigned(ssCtrl | ssShift)}) {
        SCOPED_TRACE(keys);
        TFindModel find(1252);
        find.SetStartMenu(kStartMenu);
        find.Begin(Everyday(), 2);
        TypeText(find, "snip");
        const TFindAction action = find.Enter(keys);
        EXPECT_EQ(action.Kind, fakStartShortcut);
        EXPECT_EQ(action.LinkPath, "C:\\Users\\ann\\Start Menu\\Snipping Tool.lnk");
        EXPECT_EQ(action.Click.KeepVisible, keys == ssShift);
        EXPECT_EQ(action.Page, 2);
        EXPECT_FALSE(find.Active());
    }
}

TEST(FindModel, CtrlEnterPutsAShortcutOnTheFirstEmptyCellOfTheSheetShown) {
    struct Case {
        const char* What;
        int PageBefore;
        std::vector<int32_t> Occupied;  // besides the everyday buttons 101-103, 201, 305
        int32_t Cell;                   // 0: the sheet is full
        std::string Message;
    } cases[] = {
        {"the second sheet", 2, {202, 204}, 203, ""},
        {"the third sheet, first cell", 3, {}, 301, ""},
        {"from the Quorlet Tab, the first sheet", 0, {}, 104, ""},
        {"a full sheet", 1, {104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120},
         0, "No empty button on \"Tools\""},
        {"a full sheet but its last cell", 1, {104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117,
                                               118, 119},
         120, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TFindModel find(1252);
        find.SetStartMenu(kStartMenu);
        TFindButtons buttons = Everyday();
        buttons = Buttons(buttons.Items, c.Occupied);
        find.Begin(buttons, c.PageBefore);
        TypeText(find, "snip");
        const TFindAction action = find.Enter(ssCtrl);
        if (c.Cell == 0) {
            EXPECT_EQ(action.Kind, fakSheetFull);
            EXPECT_EQ(action.Message, c.Message);
            // Nothing is added and the find goes on.
            EXPECT_TRUE(find.Active());
            EXPECT_EQ(find.Query(), "snip");
            EXPECT_EQ(SelectedName(find), "Snipping Tool");
        } else {
            EXPECT_EQ(action.Kind, fakPlaceShortcut);
            EXPECT_EQ(action.ButtonId, c.Cell);
            EXPECT_EQ(action.Page, c.Cell / 100);
            EXPECT_EQ(action.LinkPath, "C:\\Users\\ann\\Start Menu\\Snipping Tool.lnk");
            EXPECT_FALSE(find.Active());
        }
    }

    TFindModel find(1252);
    find.SetStartMenu(kStartMenu);
    find.Begin(TFindButtons(), 0);
    TypeText(find, "snip");
    const TFindAction action = find.Enter(ssCtrl);
    EXPECT_EQ(action.Kind, fakSheetFull);
    EXPECT_EQ(action.Message, "No tab sheet to put it on");
}
