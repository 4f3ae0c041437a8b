// What type-to-find searches: the button records read from a settings
// document (every existing tab sheet, nothing else) and the Start Menu
// shortcuts' names.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "UAppSettingXml_fixture.h"
#include "launcher/FindSources.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;
using namespace quorlet::appsettingtest;

namespace {

std::string Record(const std::string& id, const std::string& items) {
    return "<Button ID=\"" + id + "\">" + items + "</Button>";
}

std::string Item(const std::string& name, const std::string& value) {
    return "<Item Name=\"" + name + "\" Value=\"" + value + "\"/>";
}

std::string Launch(const std::string& description, const std::string& command, int runs) {
    return Item("BtnStyle", "0") + Item("IconFile", command) + Item("IconNumber", "2") + Item("Command", command) +
           Item("Description", description) + Item("HotKey", "") + Item("TotolRunTimes", std::to_string(runs));
}

XmlDocumentPtr Document(const std::string& buttons) {
    return ParseXmlText("<RKConfig><Groups Count=\"3\"/>" + buttons + "</RKConfig>");
}

std::vector<int32_t> IdsOf(const TFindButtons& buttons) {
    std::vector<int32_t> ids;
    for (const TFindItem& item : buttons.Items) ids.push_back(item.ButtonId);
    return ids;
}

const Strings kSheets = {"Tools", "Office", "Games"};

}  // namespace

TEST(FindSources, ReadsTheLaunchButtonsOfEveryExistingSheet) {
    const XmlDocumentPtr doc = Document(
        "<Buttons>" +
        Record("305", Launch("Solitaire", "C:\\Games\\sol.exe", 3)) +  // a sheet whose page may not be built
        Record("101", Item("HotKey", "Ctrl+N") + Item("TotolRunTimes", "12") + Item("Description", "Notepad") +
                          Item("Command", "C:\\Windows\\notepad.exe") + Item("BtnStyle", "0")) +
        Record("102", Item("BtnStyle", "1") + Item("Description", "An operation")) +  // occupies its cell only
        Record("405", Launch("No sheet 4", "x.exe", 0)) +
        Record("121", Launch("Position 21", "x.exe", 0)) + Record("100", Launch("Position 0", "x.exe", 0)) +
        Record("101", Launch("Second record under 101", "y.exe", 99)) +
        Record("abc", Launch("Not a number", "x.exe", 0)) + "<Button>" + Launch("No ID", "x.exe", 0) + "</Button>" +
        Record("220", Item("Description", "No items but this")) + "</Buttons>");
    const TFindButtons buttons = FindButtonsOf(doc, kSheets, {"220", "0", "305", "101", "305", "7"});

    EXPECT_EQ(IdsOf(buttons), (std::vector<int32_t>{305, 101, 220}));
    EXPECT_EQ(buttons.OccupiedIds, (std::vector<int32_t>{101, 102, 220, 305}));
    EXPECT_EQ(buttons.SheetNames, kSheets);
    ASSERT_EQ(buttons.Items.size(), 3u);

    const TFindItem& solitaire = buttons.Items[0];
    EXPECT_EQ(solitaire.Kind, fiButton);
    EXPECT_EQ(solitaire.Name, "Solitaire");
    EXPECT_EQ(solitaire.SheetName, "Games");
    EXPECT_EQ(solitaire.Command, "C:\\Games\\sol.exe");
    EXPECT_EQ(solitaire.IconFile, "C:\\Games\\sol.exe");
    EXPECT_EQ(solitaire.IconNumber, 2);
    EXPECT_EQ(solitaire.TotolRunTimes, 3);
    EXPECT_EQ(solitaire.RecentRank, 3);

    const TFindItem& notepad = buttons.Items[1];
    EXPECT_EQ(notepad.Name, "Notepad");
    EXPECT_EQ(notepad.HotKey, "Ctrl+N");
    EXPECT_EQ(notepad.SheetName, "Tools");
    EXPECT_EQ(notepad.TotolRunTimes, 12);
    EXPECT_EQ(notepad.RecentRank, 4);

    // Items the record lacks read as empty and zero, and a missing style as a launch button.
    const TFindItem& bare = buttons.Items[2];
    EXPECT_EQ(bare.Name, "No items but this");
    EXPECT_EQ(bare.Command, "");
    EXPECT_EQ(bare.TotolRunTimes, 0);
    EXPECT_EQ(bare.RecentRank, 1);
}

TEST(FindSources, NoDocumentOrNoButtonsSectionGivesNoButtons) {
    EXPECT_TRUE(FindButtonsOf(nullptr, kSheets, {}).Items.empty());
    const XmlDocumentPtr doc = Document("");
    const std::string before = XmlDocumentText(doc);
    const TFindButtons buttons = FindButtonsOf(doc, kSheets, {});
    EXPECT_TRUE(buttons.Items.empty());
    EXPECT_TRUE(buttons.OccupiedIds.empty());
    EXPECT_EQ(buttons.SheetNames, kSheets);
    // A read leaves the document as it was: no section is added.
    EXPECT_EQ(XmlDocumentText(doc), before);
    // Without tab sheets no record has a place.
    EXPECT_TRUE(FindButtonsOf(Document("<Buttons>" + Record("101", Launch("A", "a.exe", 1)) + "</Buttons>"), {}, {})
                    .OccupiedIds.empty());
}

TEST(FindSources, AValueThatIsNoNumberIsReported) {
    const XmlDocumentPtr doc =
        Document("<Buttons>" + Record("101", Item("BtnStyle", "0") + Item("TotolRunTimes", "many")) + "</Buttons>");
    EXPECT_THROW(FindButtonsOf(doc, kSheets, {}), EXmlError);
}

class FindSourcesStore : public AppSettingTest {};

TEST_F(FindSourcesStore, ReadsTheStoresLoadedDocumentAndLeavesItsRecordAlone) {
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    settings.LoadGroups();
    {
        TBtnSettingXml writer(platform);
        writer.BtnStyle = 0;
        writer.Description = "Far Manager";
        writer.Command = "C:\\Far\\Far.exe";
        writer.HotKey = "Alt+F";
        writer.IconFile = "C:\\Far\\Far.ico";
        writer.IconNumber = 1;
        writer.TotolRunTimes = 17;
        writer.WriteButton(203);
        writer.Description = "Calculator";
        writer.Command = "C:\\Windows\\calc.exe";
        writer.WriteButton(104);
    }
    TBtnSettingXml store(platform);
    ASSERT_TRUE(store.ReadButton(104));
    store.LoadButtonsDoc();
    const TFindButtons buttons = FindButtonsOf(store.ButtonDoc, settings.GroupNames, settings.RecentButtons);
    ASSERT_EQ(buttons.Items.size(), 2u);
    const TFindItem& far = buttons.Items[0];
    EXPECT_EQ(far.ButtonId, 203);
    EXPECT_EQ(far.Name, "Far Manager");
    EXPECT_EQ(far.Command, "C:\\Far\\Far.exe");
    EXPECT_EQ(far.HotKey, "Alt+F");
    EXPECT_EQ(far.IconFile, "C:\\Far\\Far.ico");
    EXPECT_EQ(far.IconNumber, 1);
    EXPECT_EQ(far.TotolRunTimes, 17);
    EXPECT_EQ(far.SheetName, "Tabsheet 2");
    EXPECT_EQ(buttons.Items[1].Name, "Calculator");
    // The store's current record is still the one it read.
    EXPECT_EQ(store.ID, 104);
    EXPECT_EQ(store.Description, "Calculator");
}

TEST(FindSources, StartMenuEntries) {
    struct Case {
        const char* Path;
        const char* Name;
    } cases[] = {
        {"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Notepad++.lnk", "Notepad++"},
        {"C:\\Start Menu\\Programs\\Accessories\\v1.2 Tool.lnk", "v1.2 Tool"},
        {"Paint", "Paint"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path);
        const TStartMenuEntry entry = StartMenuEntryOf(c.Path);
        EXPECT_EQ(entry.Name, c.Name);
        EXPECT_EQ(entry.LinkPath, c.Path);
        EXPECT_EQ(entry.Target, "");
        const TFindItem item = StartMenuItemOf(StartMenuEntryOf(c.Path, "C:\\Target.exe"));
        EXPECT_EQ(item.Target, "C:\\Target.exe");
        EXPECT_EQ(item.Kind, fiStartMenu);
        EXPECT_EQ(item.Name, c.Name);
        EXPECT_EQ(item.LinkPath, c.Path);
    }
}
