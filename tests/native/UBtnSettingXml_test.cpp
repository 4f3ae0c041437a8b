// Button records in the settings document: reading, writing, updating and
// deleting them, moving them between places through two stores, and what a
// hand-edited or damaged document does to each operation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "settings/UBtnSettingXml.h"
#include "settings/XmlDoc.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

using namespace quorlet;

namespace {

using TItems = std::vector<std::pair<std::string, std::string>>;

// The items of a record as the program writes them; the values tell records apart.
TItems RecordItems(const std::string& tag) {
    const std::string exe = "C:\\Tools\\" + tag + ".exe";
    TItems items = {{"BtnStyle", "0"},    {"IconFile", exe},           {"IconNumber", "2"},
                    {"Command", exe},     {"Parameters", "/open " + tag}, {"WorkingDir", "C:\\Tools"},
                    {"Description", tag}, {"HotKey", "Ctrl+F9"},        {"WindowStyle", "3"},
                    {"Priority", "1"},    {"IgnoreRunTimes", "0"},      {"TotolRunTimes", "40"}};
    for (int d = 0; d < 7; ++d) items.push_back({"Day" + std::to_string(d), std::to_string(d + 1)});
    for (int d = 0; d < 7; ++d) items.push_back({"Day" + std::to_string(d) + "Week", std::to_string(10 + d)});
    return items;
}

TItems With(TItems items, const std::string& name, const std::string& value) {
    for (auto& item : items)
        if (item.first == name) item.second = value;
    return items;
}

std::string ButtonText(int id, const TItems& items) {
    std::string text = "\r\n\t\t<Button ID=\"" + std::to_string(id) + "\">";
    for (const auto& item : items)
        text += "\r\n\t\t\t<Item Name=\"" + item.first + "\" Value=\"" + item.second + "\"/>";
    return text + "\r\n\t\t</Button>";
}

std::string ItemLines(const char* indent, const TItems& items) {
    std::string text;
    for (const auto& item : items)
        text += std::string("\r\n") + indent + "<Item Name=\"" + item.first + "\" Value=\"" + item.second + "\"/>";
    return text;
}

// Everything of a new settings document up to its Buttons section.
std::string DocumentHead() {
    const TItems application = {
        {"RunStartup", "0"},      {"ActiveAppPanel", "0"},    {"ShowAppPanel", "1"},
        {"LastPanelIndex", "1"},  {"SplashScreen", "0"},      {"AlwaysOnTop", "0"},
        {"IgnoreBlankButton", "1"}, {"AnalyseLinkFile", "1"}, {"GlobalHotKey", ""},
        {"FavoriteGroup", "Quorlet Tab"}, {"IconSize", "32"}, {"ButtonSpacing", "0"},
        {"TabStyle", "0"},        {"X", "1920"},              {"Y", "1040"},
        {"AutoCheckUpdate", "1"}, {"CheckInterval", "7"},     {"LastVersion", "1.3.0.1"},
        {"HideAfterClicking", "0"}};
    TItems alarm = {{"AlarmOn", "0"}, {"Time", "2025-03-05T14-07-09"}, {"TimerOut", "10"},
                    {"Message", ""},  {"ToneOn", "0"},                 {"Tone", ""},
                    {"SystemEventOn", "0"}, {"SystemEvent", "0"},      {"RepeatOn", "0"}};
    for (int d = 0; d < 7; ++d) alarm.push_back({"Day" + std::to_string(d), "0"});
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<RKConfig>\r\n\t<Application>" +
                       ItemLines("\t\t", application) + "\r\n\t</Application>\r\n\t<AlarmClock>" +
                       ItemLines("\t\t", alarm) +
                       "\r\n\t</AlarmClock>\r\n\t<Groups Count=\"2\">"
                       "\r\n\t\t<Item ID=\"1\" Value=\"Tabsheet 1\"/>\r\n\t\t<Item ID=\"2\" Value=\"Tabsheet 2\"/>"
                       "\r\n\t</Groups>\r\n\t<Last6Buttons>";
    for (int k = 1; k <= 6; ++k) text += "\r\n\t\t<Item ID=\"" + std::to_string(k) + "\" Value=\"0\"/>";
    return text + "\r\n\t</Last6Buttons>";
}

// A settings document whose Buttons section holds the given elements' text.
std::string Document(const std::string& buttons) {
    return DocumentHead() + (buttons.empty() ? "\r\n\t<Buttons/>" : "\r\n\t<Buttons>" + buttons + "\r\n\t</Buttons>") +
           "\r\n</RKConfig>";
}

// The file as the XML layer sees it.
XmlElementPtr FileButtons() { return ChildElement(RootElement(LoadXmlFile(SettingFileName)), "Buttons"); }

std::vector<int> FileButtonIds() {
    std::vector<int> ids;
    XmlElementPtr buttons = FileButtons();
    for (size_t i = 0; i < buttons->ChildCount(); ++i) {
        auto button = std::dynamic_pointer_cast<IXmlElement>(buttons->Child(i));
        ids.push_back(ReadIntAttr(button, "ID", -1));
    }
    return ids;
}

// The Name/Value pairs of a record in file order; empty when there is no record.
TItems FileItems(int id) {
    TItems items;
    XmlElementPtr button = ChildByAttr(FileButtons(), "Button", "ID", id);
    if (!button) return items;
    for (size_t i = 0; i < button->ChildCount(); ++i) {
        auto item = std::dynamic_pointer_cast<IXmlElement>(button->Child(i));
        items.push_back({ReadStrAttr(item, "Name", "?"), ReadStrAttr(item, "Value", "<none>")});
    }
    return items;
}

class BtnSettingTest : public ::testing::Test {
protected:
    void SetUp() override { SettingFileName = folder.File("QL_alice.xml"); }
    void TearDown() override { SettingFileName.clear(); }

    void WriteDocument(const std::string& buttons) { WriteFileText(SettingFileName, Document(buttons)); }
    std::string FileText() const { return ReadFileText(SettingFileName); }

    TTempFolder folder;
    TFakePlatform platform;
};

using BtnSettingRecords = BtnSettingTest;
using BtnSettingDamaged = BtnSettingTest;

}  // namespace

TEST_F(BtnSettingRecords, ReadButtonTakesEveryValueOfTheRecord) {
    const TItems record = With(With(RecordItems("edit"), "IgnoreRunTimes", "1"), "Description",
                               "edit &amp; &quot;run&quot; &lt;now&gt; it's");
    WriteDocument(ButtonText(101, RecordItems("other")) + ButtonText(203, record));
    TBtnSettingXml store(platform);
    ASSERT_TRUE(store.ReadButton(203));
    EXPECT_EQ(store.ID, 203);
    EXPECT_FALSE(store.Empty);
    EXPECT_EQ(store.BtnStyle, 0);
    EXPECT_EQ(store.IconFile, "C:\\Tools\\edit.exe");
    EXPECT_EQ(store.IconNumber, 2);
    EXPECT_EQ(store.Command, store.IconFile);
    EXPECT_EQ(store.Parameters, "/open edit");
    EXPECT_EQ(store.WorkingDir, "C:\\Tools");
    EXPECT_EQ(store.Description, "edit & \"run\" <now> it's");
    EXPECT_EQ(store.HotKey, "Ctrl+F9");
    EXPECT_EQ(store.WindowStyle, 3);
    EXPECT_EQ(store.Priority, 1);
    EXPECT_TRUE(store.IgnoreRunTimes);
    EXPECT_EQ(store.TotolRunTimes, 40);
    for (int d = 0; d < 7; ++d) {
        EXPECT_EQ(store.DayCount(d), d + 1) << d;
        EXPECT_EQ(store.DayWeek(d), 10 + d) << d;
    }
    EXPECT_EQ(store.Day6, 7);
    EXPECT_EQ(store.Day6Week, 16);
}

TEST_F(BtnSettingRecords, ReadButtonWithoutRecordMarksThePlaceEmpty) {
    WriteDocument(ButtonText(101, RecordItems("a")) + ButtonText(102, With(RecordItems("op"), "BtnStyle", "1")));
    TBtnSettingXml store(platform);
    ASSERT_TRUE(store.ReadButton(101));
    EXPECT_FALSE(store.ReadButton(1001));  // first button of the tenth tab sheet
    EXPECT_EQ(store.ID, 1001);
    EXPECT_TRUE(store.Empty);
    EXPECT_EQ(store.BtnStyle, -1);
    EXPECT_EQ(store.Command, "C:\\Tools\\a.exe");  // the rest is left as it was

    // An operation button is not launched, but it is read whole, so that moving
    // or copying it keeps its values.
    EXPECT_FALSE(store.ReadButton(102));
    EXPECT_FALSE(store.Empty);
    EXPECT_EQ(store.BtnStyle, 1);
    EXPECT_EQ(store.Command, "C:\\Tools\\op.exe");

    // A Button element parsed directly, and none at all.
    XmlElementPtr button = ChildByAttr(ChildElement(RootElement(store.ButtonDoc), "Buttons"), "Button", "ID", 101);
    EXPECT_TRUE(store.ParseButton(button, 555));
    EXPECT_EQ(store.ID, 555);
    EXPECT_EQ(store.Description, "a");
    EXPECT_FALSE(store.ParseButton(nullptr, 556));
    EXPECT_TRUE(store.Empty);
    EXPECT_EQ(store.BtnStyle, -1);
}

TEST_F(BtnSettingRecords, WriteButtonWritesTheWholeRecordAtTheEnd) {
    WriteDocument(ButtonText(105, RecordItems("old")) + ButtonText(110, RecordItems("x")));
    TBtnSettingXml store(platform);
    ASSERT_TRUE(store.ReadButton(110));
    store.Description = "a & b";
    store.IgnoreRunTimes = true;
    store.Day4 = 9;
    store.WriteButton(203);  // a new place
    const TItems expected203 = With(With(With(RecordItems("x"), "Description", "a &amp; b"),
                                          "IgnoreRunTimes", "1"), "Day4", "9");
    EXPECT_EQ(FileText(), Document(ButtonText(105, RecordItems("old")) + ButtonText(110, RecordItems("x")) +
                                   ButtonText(203, expected203)));

    ASSERT_TRUE(store.ReadButton(105));
    store.Command = "C:\\New\\new.exe";
    store.WriteButton(105);  // an existing place: the element is replaced and goes to the end
    EXPECT_EQ(FileButtonIds(), (std::vector<int>{110, 203, 105}));
    EXPECT_EQ(FileItems(105), With(RecordItems("old"), "Command", "C:\\New\\new.exe"));

    TBtnSettingXml reader(platform);
    ASSERT_TRUE(reader.ReadButton(203));
    EXPECT_EQ(reader.Description, "a & b");
    EXPECT_TRUE(reader.IgnoreRunTimes);
    EXPECT_EQ(reader.Day4, 9);
}

TEST_F(BtnSettingRecords, UpdateButtonPropertiesKeepsPlaceAndCounters) {
    WriteDocument(ButtonText(105, RecordItems("a")) + ButtonText(106, RecordItems("b")));
    TBtnSettingXml store(platform);
    ASSERT_TRUE(store.ReadButton(105));
    store.Description = "renamed";
    store.WindowStyle = 2;
    store.IgnoreRunTimes = true;
    store.TotolRunTimes = 999;  // counters in memory are not what this writes
    store.Day0 = 999;
    EXPECT_TRUE(store.UpdateButtonProperties(105));
    EXPECT_EQ(FileButtonIds(), (std::vector<int>{105, 106}));
    EXPECT_EQ(FileItems(105), With(With(With(RecordItems("a"), "Description", "renamed"), "WindowStyle", "2"),
                                   "IgnoreRunTimes", "1"));

    // A new place gets the whole record with its counters at zero.
    EXPECT_TRUE(store.UpdateButtonProperties(120));
    TItems expected = With(With(With(RecordItems("a"), "Description", "renamed"), "WindowStyle", "2"),
                           "IgnoreRunTimes", "1");
    for (size_t i = 11; i < expected.size(); ++i) expected[i].second = "0";
    EXPECT_EQ(FileItems(120), expected);
    EXPECT_EQ(FileButtonIds(), (std::vector<int>{105, 106, 120}));
}

TEST_F(BtnSettingRecords, DeleteButtonRemovesOnlyAnExistingRecord) {
    WriteDocument(ButtonText(101, RecordItems("a")) + ButtonText(102, RecordItems("b")));
    TBtnSettingXml store(platform);
    EXPECT_TRUE(store.DeleteButton(101));
    EXPECT_EQ(FileText(), Document(ButtonText(102, RecordItems("b"))));

    // Nothing to delete: the file is not saved at all (a save would rewrite this
    // hand-formatted text in the program's own form).
    const std::string hand = "<?xml version=\"1.0\"?>\n<RKConfig>\n  <Buttons>\n    <Button ID=\"102\"/>\n"
                             "  </Buttons>\n</RKConfig>\n";
    WriteFileText(SettingFileName, hand);
    EXPECT_FALSE(store.DeleteButton(101));
    EXPECT_EQ(FileText(), hand);
}

TEST_F(BtnSettingRecords, EmptyRecordWrittenElsewhereEmptiesThatPlace) {
    const std::string doc = Document(ButtonText(101, RecordItems("a")) + ButtonText(102, RecordItems("b")));
    WriteFileText(SettingFileName, doc);
    TBtnSettingXml store(platform);
    ASSERT_FALSE(store.ReadButton(115));
    store.WriteButton(101);
    EXPECT_EQ(FileButtonIds(), (std::vector<int>{102}));

    // BtnStyle -1 alone also means no record.
    ASSERT_TRUE(store.ReadButton(102));
    store.BtnStyle = -1;
    store.WriteButton(102);
    EXPECT_EQ(FileButtonIds(), std::vector<int>{});
}

TEST_F(BtnSettingRecords, SwapAndCopyThroughTwoStoresCarryTheWholeRecord) {
    const TItems counted = With(RecordItems("counted"), "IgnoreRunTimes", "1");
    WriteDocument(ButtonText(101, counted) + ButtonText(201, RecordItems("other")));
    // Swap 101 (occupied) with 102 (empty): read both, clear both, write each under the other's ID.
    {
        TBtnSettingXml a(platform), b(platform);
        a.ReadButton(101);
        b.ReadButton(102);
        a.DeleteButton(101);
        b.DeleteButton(102);
        a.WriteButton(102);
        b.WriteButton(101);
    }
    EXPECT_EQ(FileItems(102), counted);
    EXPECT_EQ(FileItems(101), TItems{});
    EXPECT_EQ(FileButtonIds(), (std::vector<int>{201, 102}));

    // Copy 102 to 305: both hold the record, counters and IgnoreRunTimes included.
    TBtnSettingXml copy(platform);
    ASSERT_TRUE(copy.ReadButton(102));
    copy.WriteButton(305);
    EXPECT_EQ(FileItems(305), counted);
    EXPECT_EQ(FileItems(102), counted);
}

TEST_F(BtnSettingRecords, ReadButtonBriefSeesTheDocumentOfTheLastLoad) {
    WriteDocument(ButtonText(101, With(RecordItems("a"), "TotolRunTimes", "7")));
    TBtnSettingXml icons(platform);
    EXPECT_FALSE(icons.ReadButtonBrief(101));  // nothing loaded yet
    icons.LoadButtonsDoc();

    TBtnSettingXml editor(platform);  // changes the file after that load
    ASSERT_TRUE(editor.ReadButton(101));
    editor.Description = "changed";
    editor.UpdateButtonProperties(101);
    editor.UpdateButtonProperties(102);

    icons.BtnStyle = 5;
    icons.Command = "kept";
    icons.TotolRunTimes = 3;
    ASSERT_TRUE(icons.ReadButtonBrief(101));
    EXPECT_EQ(icons.Description, "a");
    EXPECT_EQ(icons.IconFile, "C:\\Tools\\a.exe");
    EXPECT_EQ(icons.IconNumber, 2);
    EXPECT_EQ(icons.HotKey, "Ctrl+F9");
    EXPECT_EQ(icons.TotolRunTimes, 7);
    EXPECT_EQ(icons.BtnStyle, 5);  // only the five values of the brief are read
    EXPECT_EQ(icons.Command, "kept");

    EXPECT_FALSE(icons.ReadButtonBrief(102));  // not there at the time of the load
    EXPECT_EQ(icons.IconFile, "");
    EXPECT_EQ(icons.IconNumber, 0);
    EXPECT_EQ(icons.Description, "");
    EXPECT_EQ(icons.HotKey, "");
    EXPECT_EQ(icons.TotolRunTimes, 7);  // left as it was

    icons.LoadButtonsDoc();
    EXPECT_TRUE(icons.ReadButtonBrief(102));
    ASSERT_TRUE(icons.ReadButtonBrief(101));
    EXPECT_EQ(icons.Description, "changed");
}

// The file is shared with the application settings: whatever changed on disk
// since this store last loaded it survives each of its writes.
TEST_F(BtnSettingRecords, WritesStartFromTheFileAsItIsNow) {
    const std::vector<std::pair<const char*, std::function<void(TBtnSettingXml&)>>> writes = {
        {"WriteButton", [](TBtnSettingXml& s) { s.WriteButton(102); }},
        {"UpdateButtonProperties", [](TBtnSettingXml& s) { s.UpdateButtonProperties(101); }},
        {"DeleteButton", [](TBtnSettingXml& s) { s.DeleteButton(101); }},
        {"IncRunTimes", [](TBtnSettingXml& s) { s.IncRunTimes(101); }},
    };
    for (const auto& write : writes) {
        WriteDocument(ButtonText(101, RecordItems("a")));
        TBtnSettingXml store(platform);
        ASSERT_TRUE(store.ReadButton(101));
        // Meanwhile the recent list is saved and another record is added.
        std::string text = FileText();
        text.replace(text.find("<Item ID=\"1\" Value=\"0\"/>"), 25, "<Item ID=\"1\" Value=\"7\"/>");
        WriteFileText(SettingFileName, text);
        TBtnSettingXml other(platform);
        other.ReadButton(101);
        other.WriteButton(120);

        write.second(store);
        const std::string after = FileText();
        EXPECT_NE(after.find("<Item ID=\"1\" Value=\"7\"/>"), std::string::npos) << write.first;
        EXPECT_EQ(FileItems(120), RecordItems("a")) << write.first;
    }
}

TEST_F(BtnSettingRecords, NextReadSeesAnEditThatKeepsTheFileLength) {
    // The store keeps its parsed document while the file is unchanged; an edit
    // by another program that keeps every byte count must still be read.
    WriteDocument(ButtonText(101, RecordItems("a")) + ButtonText(102, RecordItems("b")));
    TBtnSettingXml store(platform);
    ASSERT_TRUE(store.ReadButton(101));
    ASSERT_EQ(store.Description, "a");
    for (const char* edit : {"c", "d"}) {
        std::string text = FileText();
        const std::string from = "<Item Name=\"Description\" Value=\"" + store.Description + "\"/>";
        text.replace(text.find(from), from.size(), "<Item Name=\"Description\" Value=\"" + std::string(edit) + "\"/>");
        WriteFileText(SettingFileName, text);
        ASSERT_TRUE(store.ReadButton(101));
        EXPECT_EQ(store.Description, edit);
    }
}

TEST_F(BtnSettingRecords, DocumentTakenFromTheStoreIsLeftAlone) {
    WriteDocument(ButtonText(101, RecordItems("a")));
    TBtnSettingXml store(platform);
    ASSERT_TRUE(store.ReadButton(101));
    const XmlDocumentPtr taken = store.ButtonDoc;
    const std::string before = XmlDocumentText(taken);
    store.Description = "changed";
    store.UpdateButtonProperties(101);
    store.IncRunTimes(101);
    store.WriteButton(102);
    EXPECT_EQ(XmlDocumentText(taken), before);
    EXPECT_NE(store.ButtonDoc, taken);
}

TEST_F(BtnSettingRecords, ProcessWideStoreIsCreatedOnFirstUse) {
    // The process-wide store and platform are put back as they were, whatever happens here.
    struct TRestore {
        IPlatform* Previous;
        ~TRestore() {
            ResetBtnSettingXml();
            SetPlatform(Previous);
        }
    } restore{nullptr};
    try {
        restore.Previous = &Platform();
    } catch (const std::logic_error&) {
    }
    ResetBtnSettingXml();
    SetPlatform(&platform);

    WriteDocument(ButtonText(101, RecordItems("a")));
    TBtnSettingXml& store = BtnSettingXml();
    EXPECT_EQ(&BtnSettingXml(), &store);
    ASSERT_TRUE(store.ReadButton(101));
    platform.FakeNow = {2025, 3, 5, 12, 0, 0, 0};  // a Wednesday of week 10
    store.IncRunTimes(101);                       // counted by the process-wide platform's clock
    EXPECT_EQ(store.Day3, 1);
    EXPECT_EQ(store.Day3Week, 10);
    ResetBtnSettingXml();
    EXPECT_EQ(BtnSettingXml().ID, 0);  // a fresh store
}

// ---------------------------------------------------------------------------
// Hand-edited and damaged documents

TEST_F(BtnSettingDamaged, RecordWithMissingItemsReadsDefaultsAndIsMadeWhole) {
    // Items in another order, some missing, one without a Value.
    const std::string partial = "\r\n\t\t<Button ID=\"101\">"
                                "\r\n\t\t\t<Item Name=\"Day1\" Value=\"4\"/>"
                                "\r\n\t\t\t<Item Name=\"Command\" Value=\"C:\\a.exe\"/>"
                                "\r\n\t\t\t<Item Name=\"Day1Week\" Value=\"11\"/>"
                                "\r\n\t\t\t<Item Name=\"IconNumber\"/>"
                                "\r\n\t\t</Button>";
    WriteDocument(partial);
    TBtnSettingXml store(platform);
    store.Description = "stale";
    store.WindowStyle = 7;
    ASSERT_TRUE(store.ReadButton(101));  // no BtnStyle: a launch button
    EXPECT_EQ(store.Command, "C:\\a.exe");
    EXPECT_EQ(store.Description, "");
    EXPECT_EQ(store.WindowStyle, 0);
    EXPECT_EQ(store.IconNumber, 0);
    EXPECT_EQ(store.Day1, 4);
    EXPECT_EQ(store.Day1Week, 11);

    // Updating the properties keeps what is there, sets the properties and
    // appends the missing items in their usual order.
    store.HotKey = "Alt+X";
    store.UpdateButtonProperties(101);
    TItems expected = {{"Day1", "4"}, {"Command", "C:\\a.exe"}, {"Day1Week", "11"}, {"IconNumber", "0"}};
    const TItems appended = {{"BtnStyle", "0"},    {"IconFile", ""},       {"Parameters", ""},
                             {"WorkingDir", ""},   {"Description", ""},    {"HotKey", "Alt+X"},
                             {"WindowStyle", "0"}, {"Priority", "0"},      {"IgnoreRunTimes", "0"},
                             {"TotolRunTimes", "0"}, {"Day0", "0"},        {"Day2", "0"},
                             {"Day3", "0"},        {"Day4", "0"},          {"Day5", "0"},
                             {"Day6", "0"},        {"Day0Week", "0"},      {"Day2Week", "0"},
                             {"Day3Week", "0"},    {"Day4Week", "0"},      {"Day5Week", "0"},
                             {"Day6Week", "0"}};
    expected.insert(expected.end(), appended.begin(), appended.end());
    EXPECT_EQ(FileItems(101), expected);

    // The counter save makes an element whole too, with the properties it lacks
    // at the values a read gives them and the counters from the record.
    WriteDocument(partial);
    TBtnSettingXml counter(platform);
    ASSERT_TRUE(counter.ReadButton(101));
    counter.Description = "not saved by the counters";
    platform.FakeNow = {2025, 3, 10, 8, 0, 0, 0};  // Monday, week 11
    counter.IncRunTimes(101);
    expected = {{"Day1", "5"}, {"Command", "C:\\a.exe"}, {"Day1Week", "11"}, {"IconNumber", "<none>"}};
    expected.insert(expected.end(), appended.begin(), appended.end());
    expected = With(With(expected, "HotKey", ""), "TotolRunTimes", "1");
    EXPECT_EQ(FileItems(101), expected);
}

TEST_F(BtnSettingDamaged, DocumentWithoutButtonsSectionGetsOne) {
    const std::string noButtons = DocumentHead() + "\r\n</RKConfig>";
    WriteFileText(SettingFileName, noButtons);
    TBtnSettingXml store(platform);
    EXPECT_FALSE(store.ReadButton(101));
    EXPECT_TRUE(store.Empty);
    store.LoadButtonsDoc();
    EXPECT_FALSE(store.ReadButtonBrief(101));
    EXPECT_FALSE(store.DeleteButton(101));
    EXPECT_EQ(FileText(), noButtons);  // nothing saved

    TBtnSettingXml source(platform);
    WriteFileText(folder.File("other.xml"), Document(ButtonText(101, RecordItems("a"))));
    SettingFileName = folder.File("other.xml");
    ASSERT_TRUE(source.ReadButton(101));
    SettingFileName = folder.File("QL_alice.xml");
    source.WriteButton(101);
    EXPECT_EQ(FileText(), Document(ButtonText(101, RecordItems("a"))));
}

TEST_F(BtnSettingDamaged, MissingFileRaisesAndCreatesNothing) {
    TBtnSettingXml store(platform);
    store.LoadButtonsDoc();  // tolerated: there is simply nothing loaded
    EXPECT_FALSE(store.ButtonDoc);
    EXPECT_THROW(store.ReadButton(101), EXmlError);
    store.BtnStyle = 0;
    EXPECT_THROW(store.WriteButton(101), EXmlError);
    EXPECT_THROW(store.UpdateButtonProperties(101), EXmlError);
    EXPECT_THROW(store.DeleteButton(101), EXmlError);
    EXPECT_THROW(store.SaveRunTimes(101), EXmlError);
    EXPECT_FALSE(platform.FileExists(SettingFileName));

    // A loaded document stays when the file goes away.
    WriteDocument(ButtonText(101, RecordItems("a")));
    store.LoadButtonsDoc();
    std::remove(SettingFileName.c_str());
    store.LoadButtonsDoc();
    EXPECT_TRUE(store.ReadButtonBrief(101));
}

TEST_F(BtnSettingDamaged, UnreadableOrEmptyFileIsNeverOverwritten) {
    TBtnSettingXml store(platform);
    for (const std::string& garbage :
         {Document(ButtonText(101, RecordItems("a"))).substr(0, 900), std::string("<<not a settings file>>"),
          std::string("\r\n<RKConfig><Buttons></Button></RKConfig>"),
          // Plain text is no document without buttons: every button would be dead without a word.
          std::string("This is not a settings document.\r\n")}) {
        WriteFileText(SettingFileName, garbage);
        EXPECT_THROW(store.LoadButtonsDoc(), EXmlError);
        EXPECT_THROW(store.ReadButton(101), EXmlError);
        store.BtnStyle = 0;
        store.Empty = false;
        EXPECT_THROW(store.WriteButton(101), EXmlError);
        EXPECT_THROW(store.UpdateButtonProperties(101), EXmlError);
        EXPECT_THROW(store.DeleteButton(101), EXmlError);
        EXPECT_THROW(store.IncRunTimes(101), EXmlError);
        EXPECT_EQ(FileText(), garbage);
    }
    // An empty file holds no records, and no settings document is made up in it.
    WriteFileText(SettingFileName, "");
    EXPECT_FALSE(store.ReadButton(101));
    EXPECT_FALSE(store.DeleteButton(101));
    store.BtnStyle = 0;
    store.Empty = false;
    EXPECT_THROW(store.WriteButton(101), EXmlError);
    EXPECT_THROW(store.UpdateButtonProperties(101), EXmlError);
    EXPECT_EQ(FileText(), "");
}

#ifndef _WIN32
// A save that cannot be written (here: the file size limit, which stops root as
// well) raises, and the file keeps its old content. The store's next save starts
// from the file, not from the change that failed.
TEST_F(BtnSettingDamaged, FailedSaveRaisesAndKeepsTheFile) {
    const std::vector<std::pair<const char*, std::function<void(TBtnSettingXml&)>>> saves = {
        {"IncRunTimes", [](TBtnSettingXml& s) { s.IncRunTimes(101); }},
        {"WriteButton", [](TBtnSettingXml& s) { s.WriteButton(103); }},
        {"UpdateButtonProperties", [](TBtnSettingXml& s) { s.UpdateButtonProperties(101); }},
        {"DeleteButton", [](TBtnSettingXml& s) { s.DeleteButton(101); }},
    };
    for (const auto& save : saves) {
        WriteDocument(ButtonText(101, RecordItems("a")) + ButtonText(102, RecordItems("b")));
        const std::string old = FileText();
        TBtnSettingXml store(platform);
        ASSERT_TRUE(store.ReadButton(101));
        store.Description = "changed";
        platform.FakeNow = {2025, 3, 5, 12, 0, 0, 0};

        struct rlimit saved;
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        struct rlimit limited = saved;
        limited.rlim_cur = 1024;  // every save of this document exceeds it
        void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        bool raised = false;
        try {
            save.second(store);
        } catch (const EXmlError&) {
            raised = true;
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, oldHandler);

        EXPECT_TRUE(raised) << save.first;
        EXPECT_EQ(FileText(), old) << save.first;
        EXPECT_TRUE(store.DeleteButton(102)) << save.first;
        EXPECT_EQ(FileText(), Document(ButtonText(101, RecordItems("a")))) << save.first;
    }
}
#endif
