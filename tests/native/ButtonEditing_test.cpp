// Rearranging buttons and tab sheets: the records each move takes where, in one
// save, and what the cell and tab strip menus offer.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "UAppSettingXml_fixture.h"
#include "launcher/ButtonEditing.h"
#include "settings/UBtnSettingXml.h"
#include "settings/XmlDoc.h"

using namespace quorlet;
using namespace quorlet::appsettingtest;

namespace {

using TRecords = std::map<int, std::string>;  // ID -> Description

std::string ButtonElement(int id, const std::string& description, int style = 0) {
    return "\r\n\t\t<Button ID=\"" + std::to_string(id) + "\"><Item Name=\"BtnStyle\" Value=\"" +
           std::to_string(style) + "\"/><Item Name=\"Description\" Value=\"" + description +
           "\"/><Item Name=\"TotolRunTimes\" Value=\"" + std::to_string(id) + "\"/></Button>";
}

std::string DocumentWith(const TRecords& records, const Strings& groups, const Strings& recent) {
    std::string text = kDecl + "\r\n<RKConfig>\r\n\t<Groups Count=\"" + std::to_string(groups.size()) + "\">";
    for (size_t k = 0; k < groups.size(); ++k)
        text += "\r\n\t\t<Item ID=\"" + std::to_string(k + 1) + "\" Value=\"" + groups[k] + "\"/>";
    text += "\r\n\t</Groups>\r\n\t<Last6Buttons>";
    for (size_t k = 0; k < recent.size(); ++k)
        text += "\r\n\t\t<Item ID=\"" + std::to_string(k + 1) + "\" Value=\"" + recent[k] + "\"/>";
    text += "\r\n\t</Last6Buttons>\r\n\t<Buttons>";
    for (const auto& record : records) text += ButtonElement(record.first, record.second);
    return text + "\r\n\t</Buttons>\r\n</RKConfig>";
}

// What the file holds now, read as the program reads records.
TRecords StoredRecords() {
    TRecords records;
    XmlElementPtr buttons = ChildElement(RootElement(LoadXmlFile(SettingFileName)), "Buttons");
    for (size_t i = 0; i < buttons->ChildCount(); ++i) {
        auto button = std::dynamic_pointer_cast<IXmlElement>(buttons->Child(i));
        const int id = ReadIntAttr(button, "ID", -1);
        EXPECT_EQ(records.count(id), 0u) << "two records under " << id;
        records[id] = ReadStrAttr(ChildByAttr(button, "Item", "Name", std::string("Description")), "Value", "");
    }
    return records;
}

class ButtonEditingTest : public AppSettingTest {
protected:
    void Write(const TRecords& records, const Strings& groups = {"A", "B", "C"},
               const Strings& recent = {"0", "0", "0", "0", "0", "0"}) {
        WriteFileText(SettingFileName, DocumentWith(records, groups, recent));
    }
};

}  // namespace

TEST_F(ButtonEditingTest, MovesTakeRecordsAndEmptyPlacesAlongInOneSave) {
    const TRecords before = {{201, "a"}, {203, "c"}, {207, "g"}, {210, "j"}, {115, "o"}, {116, "p"}, {120, "t"}};
    struct TCase {
        const char* Name;
        TIdMoves Moves;
        TRecords After;
    } cases[] = {
        // 207 to the front, 201..206 one place right; 202 and 204..206 were empty and stay so where they land.
        {"first from 7", MoveToFirstMoves(207),
         {{201, "g"}, {202, "a"}, {204, "c"}, {210, "j"}, {115, "o"}, {116, "p"}, {120, "t"}}},
        {"first from 1", MoveToFirstMoves(201), before},
        // 115 to the end, 116..120 one place left.
        {"last from 15", MoveToLastMoves(115),
         {{201, "a"}, {203, "c"}, {207, "g"}, {210, "j"}, {115, "p"}, {119, "t"}, {120, "o"}}},
        {"last from 20", MoveToLastMoves(120), before},
        // "Move after" on position 10: the end of the upper row and the start of the lower one exchange.
        {"after 10", SwapMoves(210, 211),
         {{201, "a"}, {203, "c"}, {207, "g"}, {211, "j"}, {115, "o"}, {116, "p"}, {120, "t"}}},
        // Across tab sheets, onto an empty place.
        {"swap 115 and 303", SwapMoves(115, 303),
         {{201, "a"}, {203, "c"}, {207, "g"}, {210, "j"}, {303, "o"}, {116, "p"}, {120, "t"}}},
        {"swap with itself", SwapMoves(203, 203), before},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Write(before);
        TBtnSettingXml store(platform);
        const std::string file = ReadFileText(SettingFileName);
        const bool changed = store.RenumberButtons(c.Moves);
        EXPECT_EQ(StoredRecords(), c.After);
        EXPECT_EQ(changed, c.After != before);
        if (!changed) {
            EXPECT_EQ(ReadFileText(SettingFileName), file);
        }
    }
}

TEST_F(ButtonEditingTest, MovedRecordsKeepEveryValueAndTheirPlaceInTheFile) {
    WriteFileText(SettingFileName, DocumentWith({}, {"A"}, {"0", "0", "0", "0", "0", "0"}));
    std::string file = ReadFileText(SettingFileName);
    // An operation button and a hand-made element with an item the program does not know.
    ReplaceOnce(file, "<Buttons>",
                "<Buttons>" + ButtonElement(104, "tool", 1) +
                    "<Button ID=\"102\"><Item Name=\"Command\" Value=\"x.exe\"/><Item Name=\"Extra\" Value=\"1\"/></Button>");
    WriteFileText(SettingFileName, file);
    TBtnSettingXml store(platform);
    ASSERT_TRUE(store.RenumberButtons(SwapMoves(104, 102)));
    // In file order: the operation button, now 102, then the hand-made element, now 104, untouched inside.
    XmlElementPtr buttons = ChildElement(RootElement(LoadXmlFile(SettingFileName)), "Buttons");
    ASSERT_EQ(buttons->ChildCount(), 2u);
    auto first = std::dynamic_pointer_cast<IXmlElement>(buttons->Child(0));
    auto second = std::dynamic_pointer_cast<IXmlElement>(buttons->Child(1));
    EXPECT_EQ(ReadIntAttr(first, "ID", -1), 102);
    EXPECT_EQ(ReadStrAttr(ChildByAttr(first, "Item", "Name", std::string("BtnStyle")), "Value", ""), "1");
    EXPECT_EQ(first->ChildCount(), 3u);
    EXPECT_EQ(ReadIntAttr(second, "ID", -1), 104);
    EXPECT_EQ(ReadStrAttr(ChildByAttr(second, "Item", "Name", std::string("Extra")), "Value", ""), "1");
    EXPECT_EQ(second->ChildCount(), 2u);
}

TEST_F(ButtonEditingTest, ExchangedTabSheetsTakeTheirNamesRecentPlacesAndMostUsedSlots) {
    Write({{101, "a1"}, {120, "a20"}, {205, "b5"}, {301, "c1"}, {315, "c15"}}, {"A", "B", "C"},
          {"315", "205", "101", "0", "0", "0"});
    TAppSettingXml settings(platform);
    settings.LoadGroups();
    settings.LoadRecentButtons();
    TTopButtons top;
    top.RankTopButtons({"101", "205", "315"}, {"9", "5", "7"});
    auto slotOf = [&](int32_t id) {
        for (int slot = 1; slot <= 6; ++slot)
            if (top.TopButtonId(slot) == id) return slot;
        return 0;
    };
    const int slot101 = slotOf(101), slot205 = slotOf(205), slot315 = slotOf(315);
    ASSERT_TRUE(slot101 && slot205 && slot315);
    TBtnSettingXml store(platform);

    const TSlotList changed = ExchangeTabSheets(store, settings, top, 1, 3);
    EXPECT_EQ(StoredRecords(), (TRecords{{101, "c1"}, {115, "c15"}, {205, "b5"}, {301, "a1"}, {320, "a20"}}));
    EXPECT_EQ(settings.GroupNames, (Strings{"C", "B", "A"}));
    EXPECT_EQ(settings.RecentButtons, (Strings{"115", "205", "301", "0", "0", "0"}));
    EXPECT_EQ(top.TopButtonId(slot101), 301);
    EXPECT_EQ(top.TopButtonId(slot315), 115);
    EXPECT_EQ(top.TopButtonId(slot205), 205);
    EXPECT_EQ(changed.size(), 2u);

    // What the next start reads back.
    TAppSettingXml reread(platform);
    reread.LoadGroups();
    reread.LoadRecentButtons();
    EXPECT_EQ(reread.GroupNames, settings.GroupNames);
    EXPECT_EQ(reread.RecentButtons, settings.RecentButtons);

    // No tab sheet, or the same one twice: nothing changes.
    const std::string file = ReadFileText(SettingFileName);
    for (auto pair : {std::make_pair(0, 1), std::make_pair(2, 2), std::make_pair(1, 4)})
        EXPECT_TRUE(ExchangeTabSheets(store, settings, top, pair.first, pair.second).empty());
    EXPECT_EQ(ReadFileText(SettingFileName), file);
}

TEST(ButtonEditingMenus, CellMenuEnablesMovesByPositionAndPathsByIcon) {
    struct TCase {
        int32_t Id;
        bool Icon;
        bool First, Before, After, Last, Paths;
    } cases[] = {
        {101, true, false, false, true, true, true},
        {102, false, true, true, true, true, false},
        {110, true, true, true, true, true, true},
        {311, true, true, true, true, true, true},
        {320, true, true, true, false, false, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Id);
        const TCellMenuState state = CellMenuState(c.Id, c.Icon, "Notes");
        EXPECT_EQ(state.MoveToFirst, c.First);
        EXPECT_EQ(state.MoveToBefore, c.Before);
        EXPECT_EQ(state.MoveToAfter, c.After);
        EXPECT_EQ(state.MoveToLast, c.Last);
        EXPECT_EQ(state.PathCommands, c.Paths);
    }
    const TCellMenuState state = CellMenuState(105, true, "Notes -[Ctrl+N]");
    EXPECT_EQ(state.CopyPathCaption, "Copy \"Notes -[Ctrl+N]\" full path/file name");
    EXPECT_EQ(state.ExplorerPathCaption, "Open \"Notes -[Ctrl+N]\" in Windows Explorer");
}

TEST(ButtonEditingMenus, TabMenuFollowsThePageUnderThePointer) {
    // Four pages: the Quorlet Tab and three tab sheets.
    struct TCase {
        int Tab;
        bool Shown;
        int Page;
        bool Left, Right, Delete;
    } cases[] = {
        {0, true, 0, false, false, false},  // the Quorlet Tab itself
        {1, true, 1, false, true, true},    // first tab sheet: not left of the Quorlet Tab
        {2, true, 2, true, true, true},
        {3, true, 3, true, false, true},    // last: not further right
        {0, false, 1, false, true, true},   // tab hidden: tab 0 is page 1
        {2, false, 3, true, false, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Tab) + (c.Shown ? " shown" : " hidden"));
        const int page = PageOfTab(c.Tab, c.Shown);
        EXPECT_EQ(page, c.Page);
        const TPageMenuState state = PageMenuState(page, 4);
        EXPECT_EQ(state.MoveLeft, c.Left);
        EXPECT_EQ(state.MoveRight, c.Right);
        EXPECT_EQ(state.Delete, c.Delete);
    }
    EXPECT_EQ(PageOfTab(-1, true), -1);
    // One tab sheet left: it cannot be deleted.
    EXPECT_FALSE(PageMenuState(1, 2).Delete);
    EXPECT_FALSE(PageMenuState(1, 2).MoveRight);
}

TEST(ButtonEditingMenus, QuestionsNameWhatTheyAskAbout) {
    EXPECT_EQ(ReplaceButtonQuestion("Notes"), "Replace the exists icon:\r\n\r\nNotes");
    EXPECT_EQ(ClearButtonQuestion("Notes"), "Are you sure to remove this Icon?\r\n\r\nNotes ");
    EXPECT_EQ(DeleteTabQuestion("Tools"), "Are you sure to remove this tabsheet and all the icons within?\r\n\r\nTools");
}
