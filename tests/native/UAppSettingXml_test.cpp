// The application settings store: the new document, loading and saving the
// Application and AlarmClock sections, older and damaged documents, failures
// of the file, and the update-check rule.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "native/UAppSettingXml_fixture.h"
#include "base/DateCalc.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

using namespace quorlet;
using namespace quorlet::appsettingtest;

namespace {

// The document a first start writes with the fixture's clock and screen.
const std::string kNewDocument =
    kDecl +
    "\r\n<RKConfig>"
    "\r\n\t<Application>"
    "\r\n\t\t<Item Name=\"RunStartup\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"ActiveAppPanel\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"ShowAppPanel\" Value=\"1\"/>"
    "\r\n\t\t<Item Name=\"LastPanelIndex\" Value=\"1\"/>"
    "\r\n\t\t<Item Name=\"SplashScreen\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"AlwaysOnTop\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"IgnoreBlankButton\" Value=\"1\"/>"
    "\r\n\t\t<Item Name=\"AnalyseLinkFile\" Value=\"1\"/>"
    "\r\n\t\t<Item Name=\"GlobalHotKey\" Value=\"\"/>"
    "\r\n\t\t<Item Name=\"FavoriteGroup\" Value=\"Quorlet Tab\"/>"
    "\r\n\t\t<Item Name=\"IconSize\" Value=\"32\"/>"
    "\r\n\t\t<Item Name=\"ButtonSpacing\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"TabStyle\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"X\" Value=\"1366\"/>"
    "\r\n\t\t<Item Name=\"Y\" Value=\"728\"/>"
    "\r\n\t\t<Item Name=\"AutoCheckUpdate\" Value=\"1\"/>"
    "\r\n\t\t<Item Name=\"CheckInterval\" Value=\"7\"/>"
    "\r\n\t\t<Item Name=\"LastVersion\" Value=\"1.3.0.1\"/>"
    "\r\n\t\t<Item Name=\"HideAfterClicking\" Value=\"0\"/>"
    "\r\n\t</Application>"
    "\r\n\t<AlarmClock>"
    "\r\n\t\t<Item Name=\"AlarmOn\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"Time\" Value=\"2025-03-05T14-07-09\"/>"
    "\r\n\t\t<Item Name=\"TimerOut\" Value=\"10\"/>"
    "\r\n\t\t<Item Name=\"Message\" Value=\"\"/>"
    "\r\n\t\t<Item Name=\"ToneOn\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"Tone\" Value=\"\"/>"
    "\r\n\t\t<Item Name=\"SystemEventOn\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"SystemEvent\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"RepeatOn\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"Day0\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"Day1\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"Day2\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"Day3\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"Day4\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"Day5\" Value=\"0\"/>"
    "\r\n\t\t<Item Name=\"Day6\" Value=\"0\"/>"
    "\r\n\t</AlarmClock>"
    "\r\n\t<Groups Count=\"2\">"
    "\r\n\t\t<Item ID=\"1\" Value=\"Tabsheet 1\"/>"
    "\r\n\t\t<Item ID=\"2\" Value=\"Tabsheet 2\"/>"
    "\r\n\t</Groups>"
    "\r\n\t<Last6Buttons>"
    "\r\n\t\t<Item ID=\"1\" Value=\"0\"/>"
    "\r\n\t\t<Item ID=\"2\" Value=\"0\"/>"
    "\r\n\t\t<Item ID=\"3\" Value=\"0\"/>"
    "\r\n\t\t<Item ID=\"4\" Value=\"0\"/>"
    "\r\n\t\t<Item ID=\"5\" Value=\"0\"/>"
    "\r\n\t\t<Item ID=\"6\" Value=\"0\"/>"
    "\r\n\t</Last6Buttons>"
    "\r\n\t<Buttons/>"
    "\r\n</RKConfig>";

// An Application section as an older version wrote it: none of
// ActiveAppPanel, AutoCheckUpdate, CheckInterval, LastChecking, LastVersion
// and HideAfterClicking.
const std::string kOldApplication =
    "  <Application>\n"
    "    <Item Name=\"RunStartup\" Value=\"1\"/>\n"
    "    <Item Name=\"ShowAppPanel\" Value=\"0\"/>\n"
    "    <Item Name=\"LastPanelIndex\" Value=\"3\"/>\n"
    "    <Item Name=\"SplashScreen\" Value=\"1\"/>\n"
    "    <Item Name=\"AlwaysOnTop\" Value=\"1\"/>\n"
    "    <Item Name=\"IgnoreBlankButton\" Value=\"0\"/>\n"
    "    <Item Name=\"AnalyseLinkFile\" Value=\"0\"/>\n"
    "    <Item Name=\"GlobalHotKey\" Value=\"Ctrl+Alt+Q\"/>\n"
    "    <Item Name=\"FavoriteGroup\" Value=\"Home\"/>\n"
    "    <Item Name=\"IconSize\" Value=\"32\"/>\n"
    "    <Item Name=\"ButtonSpacing\" Value=\"2\"/>\n"
    "    <Item Name=\"TabStyle\" Value=\"1\"/>\n"
    "    <Item Name=\"X\" Value=\"100\"/>\n"
    "    <Item Name=\"Y\" Value=\"200\"/>\n"
    "  </Application>\n";

TDateTime At(int year, int month, int day, int hour, int minute, int second, int ms = 0) {
    return MakeDateTime(year, month, day, hour, minute, second, ms);
}

TDateTime AddSeconds(const TDateTime& dt, int64_t seconds) {
    TDateTime r = FromUnixSeconds(ToUnixSeconds(dt) + seconds);
    r.Millisecond = dt.Millisecond;
    return r;
}

// Every field of the Application and AlarmClock sections, for comparing two stores.
void ExpectSameSettings(const TAppSettingXml& a, const TAppSettingXml& b) {
    EXPECT_EQ(a.RunStartup, b.RunStartup);
    EXPECT_EQ(a.ActiveAppPanel, b.ActiveAppPanel);
    EXPECT_EQ(a.ShowAppPanel, b.ShowAppPanel);
    EXPECT_EQ(a.LastPanelIndex, b.LastPanelIndex);
    EXPECT_EQ(a.SplashScreen, b.SplashScreen);
    EXPECT_EQ(a.AlwaysOnTop, b.AlwaysOnTop);
    EXPECT_EQ(a.IgnoreBlankButton, b.IgnoreBlankButton);
    EXPECT_EQ(a.AnalyseLinkFile, b.AnalyseLinkFile);
    EXPECT_EQ(a.GlobalHotKey, b.GlobalHotKey);
    EXPECT_EQ(a.FavoriteGroup, b.FavoriteGroup);
    EXPECT_EQ(a.IconSize, b.IconSize);
    EXPECT_EQ(a.ButtonSpacing, b.ButtonSpacing);
    EXPECT_EQ(a.TabStyle, b.TabStyle);
    EXPECT_EQ(a.X, b.X);
    EXPECT_EQ(a.Y, b.Y);
    EXPECT_EQ(a.AutoCheckUpdate, b.AutoCheckUpdate);
    EXPECT_EQ(a.CheckInterval, b.CheckInterval);
    EXPECT_EQ(a.LastCheckingKnown, b.LastCheckingKnown);
    if (a.LastCheckingKnown && b.LastCheckingKnown) {
        EXPECT_EQ(a.LastChecking, b.LastChecking);
    }
    EXPECT_EQ(a.LastVersion, b.LastVersion);
    EXPECT_EQ(a.HideAfterClicking, b.HideAfterClicking);
    EXPECT_EQ(a.AlarmOn, b.AlarmOn);
    EXPECT_EQ(a.AlarmTime, b.AlarmTime);
    EXPECT_EQ(a.TimerOut, b.TimerOut);
    EXPECT_EQ(a.Message, b.Message);
    EXPECT_EQ(a.ToneOn, b.ToneOn);
    EXPECT_EQ(a.Tone, b.Tone);
    EXPECT_EQ(a.SystemEventOn, b.SystemEventOn);
    EXPECT_EQ(a.SystemEvent, b.SystemEvent);
    EXPECT_EQ(a.RepeatOn, b.RepeatOn);
    const bool daysA[7] = {a.Day0, a.Day1, a.Day2, a.Day3, a.Day4, a.Day5, a.Day6};
    const bool daysB[7] = {b.Day0, b.Day1, b.Day2, b.Day3, b.Day4, b.Day5, b.Day6};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(daysA[i], daysB[i]) << "Day" << i;
}

}  // namespace

TEST_F(AppSettingTest, FirstStartWritesTheNewDocumentByteForByte) {
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    EXPECT_EQ(ReadFileText(SettingFileName), kNewDocument);

    EXPECT_EQ(settings.X, 1366);
    EXPECT_EQ(settings.Y, 728);
    TDateTime created = platform.FakeNow;
    created.Millisecond = 0;  // the file keeps whole seconds
    EXPECT_EQ(settings.AlarmTime, created);
    EXPECT_EQ(settings.TimerOut, 10);
    EXPECT_EQ(settings.FavoriteGroup, "Quorlet Tab");
    EXPECT_EQ(settings.LastVersion, "1.3.0.1");
    EXPECT_TRUE(settings.ShowAppPanel);
    EXPECT_FALSE(settings.LastCheckingKnown);
    EXPECT_TRUE(settings.IsUpdateCheckDue());

    settings.LoadGroups();
    settings.LoadRecentButtons();
    EXPECT_EQ(settings.GroupCount, 2);
    EXPECT_EQ(settings.GroupNames, (Strings{"Tabsheet 1", "Tabsheet 2"}));
    EXPECT_EQ(settings.RecentButtons, (Strings{"0", "0", "0", "0", "0", "0"}));
    // Reading wrote nothing more.
    EXPECT_EQ(ReadFileText(SettingFileName), kNewDocument);

    // Saving unchanged settings reproduces the document.
    settings.SaveSettings();
    settings.SaveAlarm();
    settings.SaveGroups();
    settings.SaveRecentButtons();
    EXPECT_EQ(ReadFileText(SettingFileName), kNewDocument);
}

TEST_F(AppSettingTest, SavedFieldsLoadBackUnchanged) {
    TAppSettingXml saved(platform);
    saved.LoadSettings();
    saved.RunStartup = true;
    saved.ActiveAppPanel = true;
    saved.ShowAppPanel = false;
    saved.LastPanelIndex = 4;
    saved.SplashScreen = true;
    saved.AlwaysOnTop = true;
    saved.IgnoreBlankButton = false;
    saved.AnalyseLinkFile = false;
    saved.GlobalHotKey = "Shift+Ctrl+F12";
    saved.FavoriteGroup = "\xC3\xEB\xE0\xE2\xED\xE0\xFF & \"my\" <tab> it's";
    saved.IconSize = 48;
    saved.ButtonSpacing = 5;
    saved.TabStyle = 2;
    saved.X = -20;
    saved.Y = 300;
    saved.AutoCheckUpdate = false;
    saved.CheckInterval = 3;
    saved.LastChecking = At(2025, 2, 28, 23, 59, 58);
    saved.LastCheckingKnown = true;
    saved.LastVersion = "1.4.0.0";
    saved.HideAfterClicking = true;
    saved.AlarmOn = true;
    saved.AlarmTime = At(2025, 3, 6, 7, 30, 0);
    saved.TimerOut = 45;
    saved.Message = "Stand up\r\nand stretch";
    saved.ToneOn = true;
    saved.Tone = "C:\\Windows\\Media\\ding.wav";
    saved.SystemEventOn = true;
    saved.SystemEvent = 2;
    saved.RepeatOn = true;
    saved.Day1 = saved.Day3 = saved.Day5 = true;
    saved.SaveSettings();
    saved.SaveAlarm();

    TAppSettingXml loaded(platform);
    loaded.LoadSettings();
    ExpectSameSettings(saved, loaded);
    EXPECT_TRUE(loaded.LastCheckingKnown);
    EXPECT_EQ(loaded.LastChecking, At(2025, 2, 28, 23, 59, 58));
    // A new document has no LastChecking item: the first known check appends it last.
    const std::string app = SectionText(ReadFileText(SettingFileName), "Application");
    EXPECT_NE(app.find("<Item Name=\"HideAfterClicking\" Value=\"1\"/>\r\n\t\t"
                       "<Item Name=\"LastChecking\" Value=\"2025-02-28T23-59-58\"/>\r\n\t</Application>"),
              std::string::npos);
}

TEST_F(AppSettingTest, EachSaveWritesOnlyItsOwnSection) {
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    settings.IconSize = 16;
    settings.AlarmOn = true;
    settings.SaveSettings();
    std::string file = ReadFileText(SettingFileName);
    EXPECT_NE(SectionText(file, "Application").find("\"IconSize\" Value=\"16\""), std::string::npos);
    EXPECT_EQ(SectionText(file, "AlarmClock"), SectionText(kNewDocument, "AlarmClock"));

    settings.IconSize = 24;
    settings.SaveAlarm();
    file = ReadFileText(SettingFileName);
    EXPECT_NE(SectionText(file, "AlarmClock").find("\"AlarmOn\" Value=\"1\""), std::string::npos);
    EXPECT_NE(SectionText(file, "Application").find("\"IconSize\" Value=\"16\""), std::string::npos);
}

// Every write loads the file afresh: what another store (or another instance)
// saved in the meantime survives, and sections this store does not own are
// left exactly as they are.
TEST_F(AppSettingTest, WritesKeepWhatOthersSavedSince) {
    const std::vector<std::pair<std::string, std::function<void(TAppSettingXml&)>>> writes = {
        {"SaveSettings", [](TAppSettingXml& s) { s.SaveSettings(); }},
        {"SaveAlarm", [](TAppSettingXml& s) { s.SaveAlarm(); }},
        {"SaveGroups", [](TAppSettingXml& s) { s.SaveGroups(); }},
        {"SetGroupName", [](TAppSettingXml& s) { s.SetGroupName(1, "Tools"); }},
        {"AddGroup", [](TAppSettingXml& s) { s.AddGroup("More"); }},
        {"SaveRecentButtons", [](TAppSettingXml& s) { s.SaveRecentButtons(); }},
        {"PushRecentButton", [](TAppSettingXml& s) { s.PushRecentButton(101); }},
    };
    const std::string button =
        "\r\n\t\t<Button ID=\"101\">\r\n\t\t\t<Item Name=\"Command\" Value=\"C:\\x.exe\"/>\r\n\t\t</Button>";
    for (const auto& write : writes) {
        SCOPED_TRACE(write.first);
        std::filesystem::remove(std::filesystem::path(SettingFileName));
        TAppSettingXml settings(platform);
        settings.LoadSettings();
        settings.LoadGroups();
        settings.LoadRecentButtons();

        // Meanwhile another store adds a button and another instance changes the
        // alarm and the options.
        std::string file = ReadFileText(SettingFileName);
        ReplaceOnce(file, "<Buttons/>", "<Buttons>" + button + "\r\n\t</Buttons>");
        ReplaceOnce(file, "\"Message\" Value=\"\"", "\"Message\" Value=\"from elsewhere\"");
        ReplaceOnce(file, "\"GlobalHotKey\" Value=\"\"", "\"GlobalHotKey\" Value=\"Alt+K\"");
        WriteFileText(SettingFileName, file);

        write.second(settings);
        const std::string after = ReadFileText(SettingFileName);
        EXPECT_EQ(SectionText(after, "Buttons"), "<Buttons>" + button + "\r\n\t</Buttons>");
        if (write.first != "SaveAlarm") {
            EXPECT_NE(after.find("from elsewhere"), std::string::npos);
        }
        if (write.first != "SaveSettings") {
            EXPECT_NE(after.find("\"GlobalHotKey\" Value=\"Alt+K\""), std::string::npos);
        }
    }
}

TEST_F(AppSettingTest, OlderDocumentLoadsWithDefaultsAndIsUpgradedOnSave) {
    platform.FakeNow.Millisecond = 0;
    const std::string groups = "  <Groups Count=\"1\">\n    <Item ID=\"1\" Value=\"Work\"/>\n  </Groups>\n";
    WriteFileText(SettingFileName, kDecl + "\n<RKConfig>\n" + kOldApplication + groups + "</RKConfig>\n");
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    EXPECT_FALSE(settings.ActiveAppPanel);
    EXPECT_TRUE(settings.AutoCheckUpdate);
    EXPECT_EQ(settings.CheckInterval, 7);
    EXPECT_FALSE(settings.LastCheckingKnown);
    EXPECT_EQ(settings.LastVersion, "1.3.0.1");
    EXPECT_FALSE(settings.HideAfterClicking);
    // the values the file does hold
    EXPECT_TRUE(settings.RunStartup);
    EXPECT_FALSE(settings.ShowAppPanel);
    EXPECT_EQ(settings.LastPanelIndex, 3);
    EXPECT_EQ(settings.GlobalHotKey, "Ctrl+Alt+Q");
    EXPECT_EQ(settings.FavoriteGroup, "Home");
    EXPECT_EQ(settings.X, 100);
    EXPECT_EQ(settings.Y, 200);
    // no AlarmClock section: its defaults
    EXPECT_EQ(settings.TimerOut, 10);
    EXPECT_EQ(settings.AlarmTime, platform.FakeNow);
    EXPECT_FALSE(settings.AlarmOn);

    settings.HideAfterClicking = true;
    settings.SaveSettings();
    const std::string upgraded = ReadFileText(SettingFileName);
    const std::string tail =
        "\r\n\t\t<Item Name=\"Y\" Value=\"200\"/>"
        "\r\n\t\t<Item Name=\"ActiveAppPanel\" Value=\"0\"/>"
        "\r\n\t\t<Item Name=\"AutoCheckUpdate\" Value=\"1\"/>"
        "\r\n\t\t<Item Name=\"CheckInterval\" Value=\"7\"/>"
        "\r\n\t\t<Item Name=\"LastVersion\" Value=\"1.3.0.1\"/>"
        "\r\n\t\t<Item Name=\"HideAfterClicking\" Value=\"1\"/>"
        "\r\n\t</Application>";
    const std::string app = SectionText(upgraded, "Application");
    ASSERT_GE(app.size(), tail.size());
    EXPECT_EQ(app.substr(app.size() - tail.size()), tail);
    // SaveSettings adds no alarm section; the groups are untouched
    EXPECT_EQ(upgraded.find("<AlarmClock"), std::string::npos);
    EXPECT_EQ(SectionText(upgraded, "Groups"), "<Groups Count=\"1\">\r\n\t\t<Item ID=\"1\" Value=\"Work\"/>\r\n\t</Groups>");

    // A check made since adds LastChecking after the items already appended.
    settings.LastChecking = platform.FakeNow;
    settings.LastCheckingKnown = true;
    settings.SaveSettings();
    const std::string checked = SectionText(ReadFileText(SettingFileName), "Application");
    EXPECT_NE(checked.find("\"HideAfterClicking\" Value=\"1\"/>\r\n\t\t"
                           "<Item Name=\"LastChecking\" Value=\"2025-03-05T14-07-09\"/>\r\n\t</Application>"),
              std::string::npos);

    // The alarm section is appended at the end of the root by SaveAlarm.
    settings.SaveAlarm();
    const std::string withAlarm = ReadFileText(SettingFileName);
    EXPECT_LT(withAlarm.find("</Groups>"), withAlarm.find("<AlarmClock>"));
    EXPECT_EQ(SectionText(withAlarm, "AlarmClock"), SectionText(kNewDocument, "AlarmClock"));

    TAppSettingXml reloaded(platform);
    reloaded.LoadSettings();
    ExpectSameSettings(settings, reloaded);
}

TEST_F(AppSettingTest, MissingAlarmItemsUseTheirOwnDefaultsAndAreAppended) {
    platform.FakeNow = At(2025, 6, 1, 8, 0, 0);
    WriteFileText(SettingFileName, kDecl +
                                       "<RKConfig>"
                                       "<AlarmClock>"
                                       "<Item Name=\"AlarmOn\" Value=\"1\"/>"
                                       "<Item Name=\"Message\" Value=\"Tea\"/>"
                                       "<Item Name=\"ToneOn\" Value=\"0\"/>"
                                       "<Item Name=\"Day2\" Value=\"1\"/>"
                                       "</AlarmClock>"
                                       "</RKConfig>");
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    EXPECT_TRUE(settings.AlarmOn);
    EXPECT_EQ(settings.Message, "Tea");
    EXPECT_FALSE(settings.ToneOn);
    EXPECT_TRUE(settings.Day2);
    EXPECT_EQ(settings.TimerOut, 30);  // the item alone is missing
    EXPECT_EQ(settings.AlarmTime, platform.FakeNow);
    EXPECT_FALSE(settings.RepeatOn);

    settings.SaveAlarm();
    EXPECT_EQ(SectionText(ReadFileText(SettingFileName), "AlarmClock"),
              "<AlarmClock>"
              "\r\n\t\t<Item Name=\"AlarmOn\" Value=\"1\"/>"
              "\r\n\t\t<Item Name=\"Message\" Value=\"Tea\"/>"
              "\r\n\t\t<Item Name=\"ToneOn\" Value=\"0\"/>"
              "\r\n\t\t<Item Name=\"Day2\" Value=\"1\"/>"
              "\r\n\t\t<Item Name=\"Time\" Value=\"2025-06-01T08-00-00\"/>"
              "\r\n\t\t<Item Name=\"TimerOut\" Value=\"30\"/>"
              "\r\n\t\t<Item Name=\"Tone\" Value=\"\"/>"
              "\r\n\t\t<Item Name=\"SystemEventOn\" Value=\"0\"/>"
              "\r\n\t\t<Item Name=\"SystemEvent\" Value=\"0\"/>"
              "\r\n\t\t<Item Name=\"RepeatOn\" Value=\"0\"/>"
              "\r\n\t\t<Item Name=\"Day0\" Value=\"0\"/>"
              "\r\n\t\t<Item Name=\"Day1\" Value=\"0\"/>"
              "\r\n\t\t<Item Name=\"Day3\" Value=\"0\"/>"
              "\r\n\t\t<Item Name=\"Day4\" Value=\"0\"/>"
              "\r\n\t\t<Item Name=\"Day5\" Value=\"0\"/>"
              "\r\n\t\t<Item Name=\"Day6\" Value=\"0\"/>"
              "\r\n\t</AlarmClock>");

    // Turning the tone off while the alarm stays armed survives a restart.
    settings.ToneOn = true;
    settings.SaveAlarm();
    settings.ToneOn = false;
    settings.SaveAlarm();
    TAppSettingXml restarted(platform);
    restarted.LoadSettings();
    EXPECT_TRUE(restarted.AlarmOn);
    EXPECT_FALSE(restarted.ToneOn);
}

// Items without a Value attribute read as false, 0, empty text or the zero
// date, whatever the key's default; a LastChecking item is known even then.
TEST_F(AppSettingTest, ItemsWithoutValueReadAsEmpty) {
    WriteFileText(SettingFileName, kDecl +
                                       "<RKConfig><Application>"
                                       "<Item Name=\"ShowAppPanel\"/>"
                                       "<Item Name=\"IconSize\"/>"
                                       "<Item Name=\"FavoriteGroup\"/>"
                                       "<Item Name=\"CheckInterval\"/>"
                                       "<Item Name=\"LastChecking\"/>"
                                       "</Application><AlarmClock>"
                                       "<Item Name=\"TimerOut\"/>"
                                       "<Item Name=\"Time\"/>"
                                       "</AlarmClock></RKConfig>");
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    EXPECT_FALSE(settings.ShowAppPanel);
    EXPECT_EQ(settings.IconSize, 0);
    EXPECT_EQ(settings.FavoriteGroup, "");
    EXPECT_EQ(settings.CheckInterval, 0);
    EXPECT_TRUE(settings.LastCheckingKnown);
    EXPECT_EQ(settings.LastChecking, TDateTime());
    EXPECT_EQ(settings.TimerOut, 0);
    EXPECT_EQ(settings.AlarmTime, TDateTime());
}

// Documents damaged by hand: the missing part takes the new document's
// values, everything else the file holds is kept, and the next save of the
// section puts the missing part back.
TEST_F(AppSettingTest, MissingApplicationPartsTakeNewDocumentValues) {
    // no Application section at all
    WriteFileText(SettingFileName, kDecl +
                                       "<RKConfig><AlarmClock><Item Name=\"TimerOut\" Value=\"15\"/></AlarmClock>"
                                       "<Buttons><Button ID=\"101\"/></Buttons></RKConfig>");
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    EXPECT_EQ(settings.TimerOut, 15);
    EXPECT_EQ(settings.X, 1366);
    EXPECT_EQ(settings.Y, 728);
    EXPECT_EQ(settings.FavoriteGroup, "Quorlet Tab");
    EXPECT_TRUE(settings.IgnoreBlankButton);
    EXPECT_EQ(settings.IconSize, 32);
    settings.SaveSettings();
    std::string file = ReadFileText(SettingFileName);
    EXPECT_EQ(SectionText(file, "Application"), SectionText(kNewDocument, "Application"));
    EXPECT_LT(file.find("</Buttons>"), file.find("<Application>"));  // appended at the end
    EXPECT_NE(file.find("<Item Name=\"TimerOut\" Value=\"15\"/>"), std::string::npos);
    EXPECT_NE(file.find("<Button ID=\"101\"/>"), std::string::npos);

    // some keys that every written document holds are missing
    WriteFileText(SettingFileName, kDecl + "<RKConfig>\n" + kOldApplication + "</RKConfig>");
    file = ReadFileText(SettingFileName);
    for (const char* key : {"\"FavoriteGroup\" Value=\"Home\"", "\"X\" Value=\"100\"", "\"TabStyle\" Value=\"1\""}) {
        std::string line = "    <Item Name=" + std::string(key) + "/>\n";
        ReplaceOnce(file, line, "");
    }
    WriteFileText(SettingFileName, file);
    TAppSettingXml damaged(platform);
    damaged.LoadSettings();
    EXPECT_EQ(damaged.FavoriteGroup, "Quorlet Tab");
    EXPECT_EQ(damaged.X, 1366);
    EXPECT_EQ(damaged.TabStyle, 0);
    EXPECT_EQ(damaged.Y, 200);
    EXPECT_EQ(damaged.GlobalHotKey, "Ctrl+Alt+Q");
    damaged.SaveSettings();
    TAppSettingXml reloaded(platform);
    reloaded.LoadSettings();
    ExpectSameSettings(damaged, reloaded);
}

// A file with no root element holds no settings: it is replaced by a new document.
TEST_F(AppSettingTest, FileWithoutRootElementIsReplacedByANewDocument) {
    for (const std::string& content : {std::string(), std::string(" \r\n\t"), kDecl, kDecl + "<!-- empty -->"}) {
        SCOPED_TRACE(content);
        WriteFileText(SettingFileName, content);
        TAppSettingXml settings(platform);
        settings.LoadSettings();
        EXPECT_EQ(ReadFileText(SettingFileName), kNewDocument);
        EXPECT_EQ(settings.X, 1366);
    }
    // Emptied while the program runs: the saves rebuild their own sections.
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    settings.LoadGroups();
    settings.LoadRecentButtons();
    WriteFileText(SettingFileName, "");
    settings.SaveAlarm();
    settings.PushRecentButton(102);
    EXPECT_EQ(ReadFileText(SettingFileName),
              kDecl + "\r\n<RKConfig>\r\n\t" + SectionText(kNewDocument, "AlarmClock") + "\r\n\t<Last6Buttons>" +
                  "\r\n\t\t<Item ID=\"1\" Value=\"102\"/>\r\n\t\t<Item ID=\"2\" Value=\"0\"/>"
                  "\r\n\t\t<Item ID=\"3\" Value=\"0\"/>\r\n\t\t<Item ID=\"4\" Value=\"0\"/>"
                  "\r\n\t\t<Item ID=\"5\" Value=\"0\"/>\r\n\t\t<Item ID=\"6\" Value=\"0\"/>"
                  "\r\n\t</Last6Buttons>\r\n</RKConfig>");
}

// A file the XML layer cannot read is reported to the caller and never
// replaced: neither a load nor a save writes over it.
TEST_F(AppSettingTest, UnreadableFileRaisesAndIsLeftAlone) {
    const std::vector<std::string> contents = {
        "This is not XML at all.\r\n",                                       // parses as bare text
        "Settings: <![CDATA[x]]>",
        kNewDocument.substr(0, kNewDocument.size() / 2),                      // truncated
        kNewDocument.substr(0, kNewDocument.find("<Groups") + 10),            // ends inside a start tag
        std::string("\x00\x01\xFF\xFE<\x80garbage", 12),
    };
    const std::vector<std::pair<std::string, std::function<void(TAppSettingXml&)>>> operations = {
        {"LoadSettings", [](TAppSettingXml& s) { s.LoadSettings(); }},
        {"SaveSettings", [](TAppSettingXml& s) { s.SaveSettings(); }},
        {"SaveAlarm", [](TAppSettingXml& s) { s.SaveAlarm(); }},
        {"LoadGroups", [](TAppSettingXml& s) { s.LoadGroups(); }},
        {"AddGroup", [](TAppSettingXml& s) { s.AddGroup("x"); }},
        {"LoadRecentButtons", [](TAppSettingXml& s) { s.LoadRecentButtons(); }},
        {"PushRecentButton", [](TAppSettingXml& s) { s.PushRecentButton(101); }},
    };
    for (const std::string& content : contents) {
        for (const auto& operation : operations) {
            SCOPED_TRACE(operation.first + " on " + content.substr(0, 30));
            WriteFileText(SettingFileName, content);
            TAppSettingXml settings(platform);
            EXPECT_THROW(operation.second(settings), EXmlError);
            EXPECT_EQ(ReadFileText(SettingFileName), content);
            EXPECT_EQ(FolderEntries(folder), Strings{"QL_alice.xml"});
        }
    }
}

TEST_F(AppSettingTest, ValueThatCannotBeConvertedRaisesAtLoad) {
    for (const char* item : {"<Item Name=\"AlwaysOnTop\" Value=\"yes\"/>", "<Item Name=\"IconSize\" Value=\"3x\"/>",
                             "<Item Name=\"LastChecking\" Value=\"2025-02-30T10-00-00\"/>"}) {
        SCOPED_TRACE(item);
        const std::string content = kDecl + "<RKConfig><Application>" + item + "</Application></RKConfig>";
        WriteFileText(SettingFileName, content);
        TAppSettingXml settings(platform);
        EXPECT_THROW(settings.LoadSettings(), EXmlError);
        EXPECT_EQ(ReadFileText(SettingFileName), content);
    }
}

TEST_F(AppSettingTest, NoFileAndNoFolderRaisesAndCreatesNothing) {
    SettingFileName = folder.File("gone/QL_alice.xml");
    TAppSettingXml settings(platform);
    settings.X = 77;
    EXPECT_THROW(settings.LoadSettings(), EXmlError);
    EXPECT_THROW(settings.SaveSettings(), EXmlError);
    EXPECT_EQ(settings.X, 77);  // a failed new document leaves the position alone
    EXPECT_THROW(settings.SaveAlarm(), EXmlError);
    EXPECT_THROW(settings.LoadRecentButtons(), EXmlError);
    EXPECT_TRUE(FolderEntries(folder).empty());
}

// SaveSettings on a file removed while the program runs writes a new document
// but keeps the live options, the window position included.
TEST_F(AppSettingTest, SaveSettingsRecreatesAMissingFileWithTheLiveValues) {
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    std::filesystem::remove(std::filesystem::path(SettingFileName));
    settings.X = 40;
    settings.Y = 50;
    settings.TabStyle = 1;
    settings.SaveSettings();
    TAppSettingXml reloaded(platform);
    reloaded.LoadSettings();
    EXPECT_EQ(reloaded.X, 40);
    EXPECT_EQ(reloaded.Y, 50);
    EXPECT_EQ(reloaded.TabStyle, 1);
    EXPECT_EQ(SectionText(ReadFileText(SettingFileName), "Groups"), SectionText(kNewDocument, "Groups"));
}

#ifndef _WIN32
// Writing stops half way (the file size limit stops root as well): every
// writing operation raises, and the file keeps its old content.
TEST_F(AppSettingTest, WriteFailingHalfWayKeepsTheOldFile) {
    const std::vector<std::pair<std::string, std::function<void(TAppSettingXml&)>>> operations = {
        {"SaveSettings", [](TAppSettingXml& s) { s.SaveSettings(); }},
        {"SaveAlarm", [](TAppSettingXml& s) { s.SaveAlarm(); }},
        {"SaveGroups", [](TAppSettingXml& s) { s.SaveGroups(); }},
        {"SetGroupName", [](TAppSettingXml& s) { s.SetGroupName(2, "Renamed"); }},
        {"DeleteGroup", [](TAppSettingXml& s) { s.DeleteGroup(1); }},
        {"PushRecentButton", [](TAppSettingXml& s) { s.PushRecentButton(105); }},
    };
    for (const auto& operation : operations) {
        SCOPED_TRACE(operation.first);
        std::filesystem::remove(std::filesystem::path(SettingFileName));
        TAppSettingXml settings(platform);
        settings.LoadSettings();
        settings.LoadGroups();
        settings.LoadRecentButtons();
        settings.IconSize = 64;
        const std::string old = ReadFileText(SettingFileName);

        struct rlimit saved;
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        struct rlimit limited = saved;
        limited.rlim_cur = 512;
        void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        bool raised = false;
        try {
            operation.second(settings);
        } catch (const EXmlError&) {
            raised = true;
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, oldHandler);

        EXPECT_TRUE(raised);
        EXPECT_EQ(ReadFileText(SettingFileName), old);
        EXPECT_EQ(FolderEntries(folder), Strings{"QL_alice.xml"});
        if (operation.first == "DeleteGroup") {
            EXPECT_EQ(settings.GroupNames, (Strings{"Tabsheet 1", "Tabsheet 2"}));
        }
    }
}
#endif

TEST_F(AppSettingTest, UpdateCheckIsDueAfterTheIntervalInWholeDays) {
    const TDateTime noon = At(2025, 3, 1, 12, 0, 0);
    const int64_t hour = 3600, day = 24 * hour;
    struct TCase {
        const char* What;
        bool AutoCheck;
        bool Known;
        int32_t Interval;
        TDateTime Last;
        int64_t SecondsSince;
        int NowMs;
        bool Due;
    } cases[] = {
        {"6 days 23 hours", true, true, 7, noon, 6 * day + 23 * hour, 0, false},
        {"exactly 7 days", true, true, 7, noon, 7 * day, 0, true},
        {"a millisecond short of 7 days", true, true, 7, noon, 7 * day - 1, 999, false},
        {"30 days", true, true, 7, noon, 30 * day, 0, true},
        {"never checked", true, false, 7, noon, 0, 0, true},
        {"automatic check off", false, true, 7, noon, 30 * day, 0, false},
        {"automatic check off, never checked", false, false, 7, noon, 0, 0, false},
        {"last check 7 days in the future", true, true, 7, noon, -7 * day, 0, true},
        {"last check 6 days in the future", true, true, 7, noon, -6 * day, 0, false},
        {"interval 1, 23 hours", true, true, 1, noon, 23 * hour, 0, false},
        {"interval 1, 24 hours", true, true, 1, noon, day, 0, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TAppSettingXml settings(platform);
        settings.AutoCheckUpdate = c.AutoCheck;
        settings.LastCheckingKnown = c.Known;
        settings.LastChecking = c.Last;
        settings.CheckInterval = c.Interval;
        platform.FakeNow = AddSeconds(c.Last, c.SecondsSince);
        platform.FakeNow.Millisecond = c.NowMs;
        EXPECT_EQ(settings.IsUpdateCheckDue(), c.Due);
    }
    // Calendar dates over a leap day: 25 February to 3 March 2024 is seven days.
    TAppSettingXml settings(platform);
    settings.LastCheckingKnown = true;
    settings.LastChecking = At(2024, 2, 25, 9, 0, 0);
    platform.FakeNow = At(2024, 3, 3, 8, 59, 59);
    EXPECT_FALSE(settings.IsUpdateCheckDue());
    platform.FakeNow = At(2024, 3, 3, 9, 0, 0);
    EXPECT_TRUE(settings.IsUpdateCheckDue());
}

TEST_F(AppSettingTest, OneProcessWideInstance) {
    IPlatform* previous = nullptr;
    try {
        previous = &Platform();
    } catch (const std::logic_error&) {
    }
    SetPlatform(&platform);
    ResetAppSettingXml();
    TAppSettingXml& first = AppSettingXml();
    EXPECT_EQ(&AppSettingXml(), &first);
    first.LoadSettings();  // bound to the process-wide (fake) platform
    EXPECT_EQ(first.X, 1366);
    EXPECT_TRUE(first.GroupNames.empty());
    EXPECT_TRUE(first.RecentButtons.empty());

    platform.FakeScreenWidth = 800;
    auto replacement = std::make_unique<TAppSettingXml>(platform);
    TAppSettingXml* raw = replacement.get();
    SetAppSettingXml(std::move(replacement));
    EXPECT_EQ(&AppSettingXml(), raw);
    ResetAppSettingXml();
    EXPECT_EQ(AppSettingXml().X, 0);  // a fresh, unloaded instance

    ResetAppSettingXml();
    SetPlatform(previous);
}
