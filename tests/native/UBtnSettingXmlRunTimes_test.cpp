// Launch counters: how a launch updates the weekday counts and their week
// stamps (week and year changes, Sundays), what is saved, and the three numbers
// derived from the counters.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "settings/UBtnSettingXml.h"
#include "settings/XmlDoc.h"

using namespace quorlet;

namespace {

const int32_t kMax = std::numeric_limits<int32_t>::max();

struct TCounters {
    int32_t Total = 0;
    int32_t Days[7] = {};
    int32_t Weeks[7] = {};
};

TDateTime At(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
    return MakeDateTime(year, month, day, hour, minute, second);
}

std::string Item(const std::string& name, const std::string& value) {
    return "\r\n\t\t\t<Item Name=\"" + name + "\" Value=\"" + value + "\"/>";
}

std::string ButtonText(int id, const std::string& description, const TCounters& c, bool ignore = false) {
    std::string text = "\r\n\t\t<Button ID=\"" + std::to_string(id) + "\">" + Item("BtnStyle", "0") +
                       Item("IconFile", "C:\\Tools\\run.exe") + Item("IconNumber", "0") +
                       Item("Command", "C:\\Tools\\run.exe") + Item("Parameters", "") +
                       Item("WorkingDir", "") + Item("Description", description) + Item("HotKey", "") +
                       Item("WindowStyle", "1") + Item("Priority", "0") +
                       Item("IgnoreRunTimes", ignore ? "1" : "0") +
                       Item("TotolRunTimes", std::to_string(c.Total));
    for (int d = 0; d < 7; ++d) text += Item("Day" + std::to_string(d), std::to_string(c.Days[d]));
    for (int d = 0; d < 7; ++d) text += Item("Day" + std::to_string(d) + "Week", std::to_string(c.Weeks[d]));
    return text + "\r\n\t\t</Button>";
}

// A small settings document: the sections of the other store around the records.
std::string Document(const std::string& buttons) {
    return "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<RKConfig>"
           "\r\n\t<Application>\r\n\t\t<Item Name=\"FavoriteGroup\" Value=\"Quorlet Tab\"/>\r\n\t</Application>"
           "\r\n\t<Last6Buttons>\r\n\t\t<Item ID=\"1\" Value=\"101\"/>\r\n\t</Last6Buttons>"
           "\r\n\t<Buttons>" +
           buttons + "\r\n\t</Buttons>\r\n</RKConfig>";
}

TCounters CountersOf(const TBtnSettingXml& store) {
    TCounters c;
    c.Total = store.TotolRunTimes;
    for (int d = 0; d < 7; ++d) {
        c.Days[d] = store.DayCount(d);
        c.Weeks[d] = store.DayWeek(d);
    }
    return c;
}

// The counters of a record as the file holds them.
TCounters FileCounters(int id) {
    XmlElementPtr buttons = ChildElement(RootElement(LoadXmlFile(SettingFileName)), "Buttons");
    XmlElementPtr button = ChildByAttr(buttons, "Button", "ID", id);
    auto value = [&](const std::string& name) {
        return ReadIntAttr(ChildByAttr(button, "Item", "Name", name), "Value", -1);
    };
    TCounters c;
    c.Total = value("TotolRunTimes");
    for (int d = 0; d < 7; ++d) {
        c.Days[d] = value("Day" + std::to_string(d));
        c.Weeks[d] = value("Day" + std::to_string(d) + "Week");
    }
    return c;
}

void ExpectSameCounters(const TCounters& actual, const TCounters& expected, const std::string& what) {
    EXPECT_EQ(actual.Total, expected.Total) << what;
    for (int d = 0; d < 7; ++d) {
        EXPECT_EQ(actual.Days[d], expected.Days[d]) << what << ", Day" << d;
        EXPECT_EQ(actual.Weeks[d], expected.Weeks[d]) << what << ", Day" << d << "Week";
    }
}

class BtnSettingCounters : public ::testing::Test {
protected:
    void SetUp() override { SettingFileName = folder.File("QL_alice.xml"); }
    void TearDown() override { SettingFileName.clear(); }

    TTempFolder folder;
    TFakePlatform platform;
};

}  // namespace

TEST_F(BtnSettingCounters, LaunchCountsOnTheWeekdayOfItsIsoWeek) {
    struct TCase {
        const char* What;
        TDateTime When;
        int Day;
        int32_t CountBefore, WeekBefore, CountAfter, WeekAfter;
    };
    const TCase cases[] = {
        {"first launch, Wednesday of week 10", At(2025, 3, 5), 3, 0, 0, 1, 10},
        {"again the same day", At(2025, 3, 5, 23, 59, 59), 3, 2, 10, 3, 10},
        {"Monday of the next week starts afresh", At(2025, 3, 10, 0, 0, 0), 1, 3, 10, 1, 11},
        {"same week number a year later goes on", At(2025, 3, 18), 2, 5, 12, 6, 12},
        {"Saturday", At(2025, 3, 8), 6, 0, 0, 1, 10},
        {"Sunday is weekday 0 and ends its ISO week", At(2025, 3, 9, 23, 0, 0), 0, 1, 10, 2, 10},
        {"Friday 1 January 2021 lies in week 53", At(2021, 1, 1), 5, 0, 0, 1, 53},
        {"a week-53 count goes on", At(2021, 1, 1), 5, 2, 53, 3, 53},
        {"Sunday 3 January 2021 is still week 53", At(2021, 1, 3), 0, 4, 52, 1, 53},
        {"from week 53 to week 1", At(2021, 1, 8), 5, 3, 53, 1, 1},
        {"Tuesday 31 December 2024 lies in week 1", At(2024, 12, 31), 2, 4, 52, 1, 1},
        {"Thursday 1 January 2026 lies in week 1, as does 31 December 2025", At(2026, 1, 1), 4, 2, 1, 3, 1},
    };
    for (const TCase& c : cases) {
        TCounters before;
        before.Total = 40;
        for (int d = 0; d < 7; ++d) {
            before.Days[d] = 20 + d;
            before.Weeks[d] = 30 + d;
        }
        before.Days[c.Day] = c.CountBefore;
        before.Weeks[c.Day] = c.WeekBefore;
        WriteFileText(SettingFileName, Document(ButtonText(101, "run", before)));

        TBtnSettingXml store(platform);
        ASSERT_TRUE(store.ReadButton(101)) << c.What;
        platform.FakeNow = c.When;
        store.IncRunTimes(101);

        TCounters expected = before;
        expected.Total = 41;
        expected.Days[c.Day] = c.CountAfter;
        expected.Weeks[c.Day] = c.WeekAfter;
        ExpectSameCounters(CountersOf(store), expected, c.What);
        ExpectSameCounters(FileCounters(101), expected, std::string(c.What) + " (file)");
    }
}

TEST_F(BtnSettingCounters, LaunchSavesTheFifteenCountersAndNothingElse) {
    TCounters first, second;
    first.Total = 7;
    first.Days[1] = 2;
    first.Weeks[1] = 10;
    second.Total = 3;
    WriteFileText(SettingFileName,
                  Document(ButtonText(101, "first", first) + ButtonText(102, "second", second)));
    TBtnSettingXml store(platform);
    ASSERT_TRUE(store.ReadButton(101));
    store.Description = "edited in memory";  // not a counter: stays out of the file
    store.Day4 = 6;                           // counters are written as the record holds them
    store.Day4Week = 8;
    platform.FakeNow = At(2025, 3, 3);  // Monday, week 10
    store.IncRunTimes(101);

    TCounters expected = first;
    expected.Total = 8;
    expected.Days[1] = 3;
    expected.Days[4] = 6;
    expected.Weeks[4] = 8;
    // Same place, same other values, the other record and sections untouched.
    EXPECT_EQ(ReadFileText(SettingFileName),
              Document(ButtonText(101, "first", expected) + ButtonText(102, "second", second)));
}

TEST_F(BtnSettingCounters, TodayWeekAndHint) {
    struct TCase {
        const char* What;
        TDateTime Now;
        TCounters Counters;
        bool Ignore;
        int32_t Today, Week;
        const char* Hint;
    };
    const TCase cases[] = {
        {"twice today, five times over the week",
         At(2025, 3, 3),
         {40, {0, 2, 0, 3, 0, 0, 0}, {0, 10, 0, 9, 0, 0, 0}},
         false, 2, 5, "T:2/W:5/A:40"},
        {"today's count belongs to last week",
         At(2025, 3, 11),
         {9, {0, 0, 4, 0, 0, 0, 0}, {0, 0, 10, 0, 0, 0, 0}},
         false, 0, 4, "T:0/W:4/A:9"},
        {"Sunday reads Day0",
         At(2025, 3, 9),
         {12, {6, 0, 0, 0, 0, 0, 1}, {10, 0, 0, 0, 0, 0, 10}},
         false, 6, 7, "T:6/W:7/A:12"},
        {"1 January in the ISO week of 31 December",
         At(2026, 1, 1),
         {3, {0, 0, 0, 1, 2, 0, 0}, {0, 0, 0, 1, 1, 0, 0}},
         false, 2, 3, "T:2/W:3/A:3"},
        {"week 53 on 1 January 2021",
         At(2021, 1, 1),
         {5, {0, 0, 0, 0, 0, 3, 0}, {0, 0, 0, 0, 0, 53, 0}},
         false, 3, 3, "T:3/W:3/A:5"},
        {"the week-53 count a week later",
         At(2021, 1, 8),
         {5, {0, 0, 0, 0, 0, 3, 0}, {0, 0, 0, 0, 0, 53, 0}},
         false, 0, 3, "T:0/W:3/A:5"},
        {"left out of the report: no status text",
         At(2025, 3, 3),
         {40, {0, 2, 0, 3, 0, 0, 0}, {0, 10, 0, 9, 0, 0, 0}},
         true, 2, 5, ""},
        {"hand-edited counts beyond 32 bits in sum",
         At(2025, 3, 3),
         {kMax, {kMax, kMax, kMax, kMax, kMax, kMax, kMax}, {0, 10, 0, 0, 0, 0, 0}},
         false, kMax, kMax, "T:2147483647/W:2147483647/A:2147483647"},
    };
    for (const TCase& c : cases) {
        TBtnSettingXml store(platform);
        store.TotolRunTimes = c.Counters.Total;
        for (int d = 0; d < 7; ++d) {
            store.DayCount(d) = c.Counters.Days[d];
            store.DayWeek(d) = c.Counters.Weeks[d];
        }
        store.IgnoreRunTimes = c.Ignore;
        platform.FakeNow = c.Now;
        EXPECT_EQ(store.TodayRunTimes(), c.Today) << c.What;
        EXPECT_EQ(store.WeekRunTimes(), c.Week) << c.What;
        EXPECT_EQ(store.RunTimesHint(), c.Hint) << c.What;
    }
}

// A new button launched over two weeks, each launch as the launcher does it:
// read the record, count, show the status text.
TEST_F(BtnSettingCounters, LaunchesOverTwoWeeks) {
    WriteFileText(SettingFileName, Document(""));
    TBtnSettingXml store(platform);
    store.ReadButton(101);
    store.BtnStyle = 0;
    store.Command = "C:\\Tools\\run.exe";
    store.UpdateButtonProperties(101);

    struct TLaunch {
        TDateTime When;
        const char* Hint;
    };
    const TLaunch launches[] = {
        {At(2025, 3, 3, 8), "T:1/W:1/A:1"},   {At(2025, 3, 3, 9), "T:2/W:2/A:2"},
        {At(2025, 3, 3, 18), "T:3/W:3/A:3"},  {At(2025, 3, 5), "T:1/W:4/A:4"},
        {At(2025, 3, 10), "T:1/W:2/A:5"},  // Monday starts afresh; Wednesday's 1 still adds
    };
    for (const TLaunch& launch : launches) {
        platform.FakeNow = launch.When;
        ASSERT_TRUE(store.ReadButton(101));
        store.IncRunTimes(101);
        EXPECT_EQ(store.RunTimesHint(), launch.Hint);
    }
    // Left out of the report: counted all the same, without a status text.
    store.IgnoreRunTimes = true;
    store.UpdateButtonProperties(101);
    ASSERT_TRUE(store.ReadButton(101));
    store.IncRunTimes(101);
    EXPECT_EQ(store.RunTimesHint(), "");
    EXPECT_EQ(store.TodayRunTimes(), 2);
    TCounters expected;
    expected.Total = 6;
    expected.Days[1] = 2;
    expected.Weeks[1] = 11;
    expected.Days[3] = 1;
    expected.Weeks[3] = 10;
    ExpectSameCounters(FileCounters(101), expected, "after six launches");
}

TEST_F(BtnSettingCounters, CountersAtTheLimitStayThere) {
    TCounters full;
    full.Total = kMax;
    full.Days[1] = kMax;
    full.Weeks[1] = 10;
    WriteFileText(SettingFileName, Document(ButtonText(101, "run", full)));
    TBtnSettingXml store(platform);
    ASSERT_TRUE(store.ReadButton(101));
    platform.FakeNow = At(2025, 3, 3);
    store.IncRunTimes(101);
    ExpectSameCounters(FileCounters(101), full, "at the limit");
}

TEST_F(BtnSettingCounters, RecordRemovedBeforeTheCountIsNotRecreated) {
    WriteFileText(SettingFileName, Document(ButtonText(101, "run", TCounters())));
    TBtnSettingXml store(platform);
    ASSERT_TRUE(store.ReadButton(101));
    // The file changes behind the program's back; a save would rewrite this text.
    const std::string hand = "<?xml version=\"1.0\"?>\n<RKConfig>\n  <Buttons/>\n</RKConfig>\n";
    WriteFileText(SettingFileName, hand);
    platform.FakeNow = At(2025, 3, 3);
    store.IncRunTimes(101);
    EXPECT_EQ(ReadFileText(SettingFileName), hand);
    EXPECT_EQ(store.TotolRunTimes, 1);
}
