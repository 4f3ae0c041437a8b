// The application settings store: the tab sheet names (Groups), deleting a
// group with its buttons, and the recent-buttons list (Last6Buttons).
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>

#include "native/UAppSettingXml_fixture.h"

using namespace quorlet;
using namespace quorlet::appsettingtest;

namespace {

// A settings document laid out by hand (LF line breaks, spaces), so that any
// save shows in its bytes. Each button carries its original ID in Description.
std::string HandMadeDocument(const std::string& groups, const std::vector<int>& buttons,
                             const std::string& recent) {
    std::string text = kDecl + "\n<RKConfig>\n  <Application>\n    <Item Name=\"IconSize\" Value=\"32\"/>\n"
                               "  </Application>\n" +
                       groups + "  <Buttons>\n";
    for (int id : buttons) {
        text += "    <Button ID=\"" + std::to_string(id) + "\">\n      <Item Name=\"Description\" Value=\"was " +
                std::to_string(id) + "\"/>\n    </Button>\n";
    }
    return text + "  </Buttons>\n" + recent + "</RKConfig>\n";
}

std::string GroupsSection(const Strings& names) {
    std::string text = "  <Groups Count=\"" + std::to_string(names.size()) + "\">\n";
    for (size_t i = 0; i < names.size(); ++i)
        text += "    <Item ID=\"" + std::to_string(i + 1) + "\" Value=\"" + names[i] + "\"/>\n";
    return text + "  </Groups>\n";
}

std::string RecentSection(const Strings& entries) {
    std::string text = "  <Last6Buttons>\n";
    for (size_t i = 0; i < entries.size(); ++i)
        text += "    <Item ID=\"" + std::to_string(i + 1) + "\" Value=\"" + entries[i] + "\"/>\n";
    return text + "  </Last6Buttons>\n";
}

// The written form of Last6Buttons holding the entries.
std::string WrittenRecent(const Strings& entries) {
    std::string text = "<Last6Buttons>";
    for (size_t i = 0; i < entries.size(); ++i)
        text += "\r\n\t\t<Item ID=\"" + std::to_string(i + 1) + "\" Value=\"" + entries[i] + "\"/>";
    return text + "\r\n\t</Last6Buttons>";
}

// The buttons of the file in document order: "ID:Description".
Strings ButtonsOf(const std::string& fileName) {
    Strings result;
    XmlElementPtr buttons = ChildElement(RootElement(LoadXmlFile(fileName)), "Buttons");
    for (size_t i = 0; buttons && i < buttons->ChildCount(); ++i) {
        XmlElementPtr button = std::dynamic_pointer_cast<IXmlElement>(buttons->Child(i));
        XmlElementPtr description = ChildByAttr(button, "Item", "Name", std::string("Description"));
        result.push_back(std::to_string(ReadIntAttr(button, "ID", 0)) + ":" +
                         ReadStrAttr(description, "Value", ""));
    }
    return result;
}

}  // namespace

TEST_F(AppSettingTest, LoadGroupsReadsCountItemsByID) {
    const std::string items =
        "    <Item ID=\"3\" Value=\"third\"/>\n"
        "    <Item ID=\"1\" Value=\"first\"/>\n"
        "    <Item ID=\"4\" Value=\"beyond the count\"/>\n";
    struct TCase {
        std::string CountAttr;
        int32_t Count;
        Strings Names;
    } cases[] = {
        {" Count=\"3\"", 3, {"first", "", "third"}},  // ID 2 missing: an empty name
        {" Count=\"1\"", 1, {"first"}},
        {"", 0, {}},
        {" Count=\"-2\"", 0, {}},
        {" Count=\"2000000000\"", 1000, {}},  // a runaway count is cut, not looped over
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.CountAttr);
        const std::string file = HandMadeDocument("  <Groups" + c.CountAttr + ">\n" + items + "  </Groups>\n", {}, "");
        WriteFileText(SettingFileName, file);
        TAppSettingXml settings(platform);
        settings.LoadGroups();
        EXPECT_EQ(settings.GroupCount, c.Count);
        ASSERT_EQ(settings.GroupNames.size(), static_cast<size_t>(c.Count));
        if (!c.Names.empty()) {
            EXPECT_EQ(settings.GroupNames, c.Names);
        }
        EXPECT_EQ(ReadFileText(SettingFileName), file);  // reading writes nothing
    }
}

TEST_F(AppSettingTest, SaveGroupsRewritesTheSection) {
    WriteFileText(SettingFileName, HandMadeDocument(GroupsSection({"a", "b", "c", "d"}), {101}, ""));
    TAppSettingXml settings(platform);
    settings.LoadGroups();
    settings.GroupNames = {"One", "Two & <2>", ""};
    settings.SaveGroups();
    EXPECT_EQ(settings.GroupCount, 3);
    const std::string file = ReadFileText(SettingFileName);
    EXPECT_EQ(SectionText(file, "Groups"),
              "<Groups Count=\"3\">"
              "\r\n\t\t<Item ID=\"1\" Value=\"One\"/>"
              "\r\n\t\t<Item ID=\"2\" Value=\"Two &amp; &lt;2&gt;\"/>"
              "\r\n\t\t<Item ID=\"3\" Value=\"\"/>"
              "\r\n\t</Groups>");
    EXPECT_EQ(ButtonsOf(SettingFileName), Strings{"101:was 101"});
    TAppSettingXml reloaded(platform);
    reloaded.LoadGroups();
    EXPECT_EQ(reloaded.GroupNames, settings.GroupNames);
}

TEST_F(AppSettingTest, SetGroupNameAndAddGroup) {
    // The file lacks the item of group 2 (as after a hand edit).
    WriteFileText(SettingFileName, HandMadeDocument("  <Groups Count=\"2\">\n    <Item ID=\"1\" Value=\"Work\"/>\n"
                                                    "  </Groups>\n",
                                                    {}, ""));
    TAppSettingXml settings(platform);
    settings.LoadGroups();
    ASSERT_EQ(settings.GroupNames, (Strings{"Work", ""}));

    settings.SetGroupName(1, "Office");
    settings.SetGroupName(2, "Games");
    settings.AddGroup("Tools");
    EXPECT_EQ(settings.GroupNames, (Strings{"Office", "Games", "Tools"}));
    EXPECT_EQ(settings.GroupCount, 3);
    EXPECT_EQ(SectionText(ReadFileText(SettingFileName), "Groups"),
              "<Groups Count=\"3\">"
              "\r\n\t\t<Item ID=\"1\" Value=\"Office\"/>"
              "\r\n\t\t<Item ID=\"2\" Value=\"Games\"/>"
              "\r\n\t\t<Item ID=\"3\" Value=\"Tools\"/>"
              "\r\n\t</Groups>");

    // Only existing groups can be renamed; nothing is written otherwise.
    const std::string before = ReadFileText(SettingFileName);
    EXPECT_THROW(settings.SetGroupName(4, "x"), std::out_of_range);
    EXPECT_THROW(settings.SetGroupName(0, "x"), std::out_of_range);
    EXPECT_EQ(ReadFileText(SettingFileName), before);
    EXPECT_EQ(settings.GroupNames.size(), 3u);
}

TEST_F(AppSettingTest, MissingGroupsSectionGivesTheNewDocumentGroups) {
    WriteFileText(SettingFileName, HandMadeDocument("", {101}, ""));
    TAppSettingXml settings(platform);
    settings.LoadGroups();
    EXPECT_EQ(settings.GroupCount, 2);
    EXPECT_EQ(settings.GroupNames, (Strings{"Tabsheet 1", "Tabsheet 2"}));
    // A rename writes every name, not only the renamed one.
    settings.SetGroupName(2, "Mine");
    const std::string file = ReadFileText(SettingFileName);
    EXPECT_EQ(SectionText(file, "Groups"),
              "<Groups Count=\"2\">"
              "\r\n\t\t<Item ID=\"1\" Value=\"Tabsheet 1\"/>"
              "\r\n\t\t<Item ID=\"2\" Value=\"Mine\"/>"
              "\r\n\t</Groups>");
    EXPECT_LT(file.find("</Buttons>"), file.find("<Groups"));
    EXPECT_EQ(ButtonsOf(SettingFileName), Strings{"101:was 101"});
}

// Deleting a group removes its buttons and moves those of every later group
// one group down, keeping their positions, their content and their place in
// the file. Buttons beyond the last group (left by a smaller tab count) stay.
TEST_F(AppSettingTest, DeleteGroupRemovesAndRenumbersButtons) {
    const std::vector<int> buttons = {101, 120, 201, 205, 220, 301, 310, 320, 405};
    const Strings recent = {"201", "301", "405", "0", "0", "0"};
    struct TCase {
        int32_t K;
        bool Deleted;
        Strings Buttons;
        Strings Names;
    } cases[] = {
        {2, true,
         {"101:was 101", "120:was 120", "201:was 301", "210:was 310", "220:was 320", "405:was 405"},
         {"A", "C"}},
        {1, true,
         {"101:was 201", "105:was 205", "120:was 220", "201:was 301", "210:was 310", "220:was 320", "405:was 405"},
         {"B", "C"}},
        {3, true, {"101:was 101", "120:was 120", "201:was 201", "205:was 205", "220:was 220", "405:was 405"}, {"A", "B"}},
        {5, false, {}, {"A", "B", "C"}},
        {4, false, {}, {"A", "B", "C"}},
        {0, false, {}, {"A", "B", "C"}},
        {-1, false, {}, {"A", "B", "C"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE("DeleteGroup(" + std::to_string(c.K) + ")");
        const std::string file = HandMadeDocument(GroupsSection({"A", "B", "C"}), buttons, RecentSection(recent));
        WriteFileText(SettingFileName, file);
        TAppSettingXml settings(platform);
        settings.LoadGroups();
        settings.LoadRecentButtons();
        EXPECT_EQ(settings.DeleteGroup(c.K), c.Deleted);
        EXPECT_EQ(settings.GroupNames, c.Names);
        EXPECT_EQ(settings.GroupCount, static_cast<int32_t>(c.Names.size()));
        EXPECT_EQ(settings.RecentButtons, recent);
        if (!c.Deleted) {
            EXPECT_EQ(ReadFileText(SettingFileName), file);
            continue;
        }
        EXPECT_EQ(ButtonsOf(SettingFileName), c.Buttons);
        std::string groups = "<Groups Count=\"2\">";
        for (size_t i = 0; i < c.Names.size(); ++i)
            groups += "\r\n\t\t<Item ID=\"" + std::to_string(i + 1) + "\" Value=\"" + c.Names[i] + "\"/>";
        EXPECT_EQ(SectionText(ReadFileText(SettingFileName), "Groups"), groups + "\r\n\t</Groups>");
        EXPECT_EQ(SectionText(ReadFileText(SettingFileName), "Last6Buttons"), WrittenRecent(recent));
    }
}

TEST_F(AppSettingTest, DeleteGroupWithoutButtonsSection) {
    WriteFileText(SettingFileName, kDecl + "<RKConfig>" + GroupsSection({"A", "B"}) + "</RKConfig>");
    TAppSettingXml settings(platform);
    settings.LoadGroups();
    EXPECT_TRUE(settings.DeleteGroup(1));
    EXPECT_EQ(ReadFileText(SettingFileName),
              kDecl + "\r\n<RKConfig>\r\n\t<Groups Count=\"1\">\r\n\t\t<Item ID=\"1\" Value=\"B\"/>"
                      "\r\n\t</Groups>\r\n</RKConfig>");
}

// The recent list operations against a starting list: what they return, the
// list afterwards, and whether they wrote the file.
TEST_F(AppSettingTest, RecentButtonOperations) {
    const Strings zeros = {"0", "0", "0", "0", "0", "0"};
    using TOp = std::function<bool(TAppSettingXml&)>;
    auto push = [](std::vector<int32_t> ids) {
        return TOp([ids](TAppSettingXml& s) {
            for (int32_t id : ids) s.PushRecentButton(id);
            return true;
        });
    };
    auto remove = [](int32_t id) { return TOp([id](TAppSettingXml& s) { return s.RemoveRecentButton(id); }); };
    auto exchange = [](int32_t a, int32_t b) {
        return TOp([a, b](TAppSettingXml& s) { return s.ExchangeRecentButtons(a, b); });
    };
    struct TCase {
        const char* What;
        Strings Start;
        TOp Op;
        bool Result;
        Strings After;
    } cases[] = {
        {"push 105 on an empty list", zeros, push({105}), true, {"105", "0", "0", "0", "0", "0"}},
        {"push 203 then 105", zeros, push({203, 105}), true, {"105", "203", "0", "0", "0", "0"}},
        {"push the most recent again", {"105", "203", "0", "0", "0", "0"}, push({105}), true,
         {"105", "203", "0", "0", "0", "0"}},
        {"push one that is listed", {"105", "203", "301", "0", "0", "0"}, push({301}), true,
         {"301", "105", "203", "0", "0", "0"}},
        {"push six more", {"105", "203", "0", "0", "0", "0"}, push({101, 102, 103, 104, 106, 107}), true,
         {"107", "106", "104", "103", "102", "101"}},
        {"push onto a full list", {"101", "102", "103", "104", "105", "106"}, push({110}), true,
         {"110", "101", "102", "103", "104", "105"}},
        {"remove 203", {"105", "203", "301", "0", "0", "0"}, remove(203), true, {"105", "301", "0", "0", "0", "0"}},
        {"remove from a full list", {"101", "102", "103", "104", "105", "106"}, remove(101), true,
         {"102", "103", "104", "105", "106", "0"}},
        {"remove one not listed", {"105", "203", "301", "0", "0", "0"}, remove(999), false,
         {"105", "203", "301", "0", "0", "0"}},
        {"exchange 105 with absent 110", {"105", "203", "0", "0", "0", "0"}, exchange(105, 110), true,
         {"110", "203", "0", "0", "0", "0"}},
        {"exchange absent 110 with 203", {"105", "203", "0", "0", "0", "0"}, exchange(110, 203), true,
         {"105", "110", "0", "0", "0", "0"}},
        {"exchange two listed", {"105", "203", "0", "0", "0", "0"}, exchange(105, 203), true,
         {"203", "105", "0", "0", "0", "0"}},
        {"exchange two absent", {"105", "203", "0", "0", "0", "0"}, exchange(110, 111), false,
         {"105", "203", "0", "0", "0", "0"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const std::string file = HandMadeDocument(GroupsSection({"A"}), {101}, RecentSection(c.Start));
        WriteFileText(SettingFileName, file);
        TAppSettingXml settings(platform);
        settings.LoadRecentButtons();
        ASSERT_EQ(settings.RecentButtons, c.Start);
        EXPECT_EQ(c.Op(settings), c.Result);
        EXPECT_EQ(settings.RecentButtons, c.After);
        if (!c.Result) {
            EXPECT_EQ(ReadFileText(SettingFileName), file);  // nothing saved
            continue;
        }
        const std::string after = ReadFileText(SettingFileName);
        EXPECT_EQ(SectionText(after, "Last6Buttons"), WrittenRecent(c.After));
        EXPECT_EQ(ButtonsOf(SettingFileName), Strings{"101:was 101"});
        EXPECT_NE(after.find("<Item ID=\"1\" Value=\"A\"/>"), std::string::npos);
    }
}

TEST_F(AppSettingTest, LoadRecentButtonsAlwaysGivesSixEntries) {
    // fewer items, out of order, one without a value, one beyond six
    WriteFileText(SettingFileName, HandMadeDocument("", {},
                                                    "  <Last6Buttons>\n"
                                                    "    <Item ID=\"2\" Value=\"305\"/>\n"
                                                    "    <Item ID=\"1\" Value=\"104\"/>\n"
                                                    "    <Item ID=\"4\"/>\n"
                                                    "    <Item ID=\"7\" Value=\"999\"/>\n"
                                                    "  </Last6Buttons>\n"));
    TAppSettingXml settings(platform);
    settings.LoadRecentButtons();
    EXPECT_EQ(settings.RecentButtons, (Strings{"104", "305", "0", "0", "0", "0"}));
    settings.PushRecentButton(305);
    EXPECT_EQ(SectionText(ReadFileText(SettingFileName), "Last6Buttons"),
              WrittenRecent({"305", "104", "0", "0", "0", "0"}));

    // Loading again replaces the list rather than adding to it.
    settings.LoadRecentButtons();
    EXPECT_EQ(settings.RecentButtons, (Strings{"305", "104", "0", "0", "0", "0"}));
}

TEST_F(AppSettingTest, MissingRecentSectionIsAppendedAtOnce) {
    const std::string file = HandMadeDocument(GroupsSection({"A"}), {101}, "");
    WriteFileText(SettingFileName, file);
    TAppSettingXml settings(platform);
    settings.LoadRecentButtons();
    EXPECT_EQ(settings.RecentButtons, (Strings{"0", "0", "0", "0", "0", "0"}));
    const std::string after = ReadFileText(SettingFileName);
    const std::string tail = "\r\n\t" + WrittenRecent({"0", "0", "0", "0", "0", "0"}) + "\r\n</RKConfig>";
    ASSERT_GT(after.size(), tail.size());
    EXPECT_EQ(after.substr(after.size() - tail.size()), tail);
    EXPECT_EQ(ButtonsOf(SettingFileName), Strings{"101:was 101"});

    // A push before the list was ever loaded still writes six places.
    WriteFileText(SettingFileName, file);
    TAppSettingXml unloaded(platform);
    unloaded.PushRecentButton(101);
    EXPECT_EQ(SectionText(ReadFileText(SettingFileName), "Last6Buttons"),
              WrittenRecent({"101", "0", "0", "0", "0", "0"}));
}
