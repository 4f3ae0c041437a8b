// The application settings and the button store share one file; interleaved
// saves of the two must never lose each other's changes.
#include "UAppSettingXml_fixture.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;
using namespace quorlet::appsettingtest;

TEST_F(AppSettingTest, InterleavedSavesOfBothStoresKeepEveryChange) {
    TAppSettingXml settings(platform);
    settings.LoadSettings();  // creates the new document
    settings.LoadGroups();
    settings.LoadRecentButtons();
    TBtnSettingXml buttons(platform);

    buttons.Command = "C:\\Tools\\edit.exe";
    buttons.Description = "Editor";
    buttons.WriteButton(101);
    settings.AlwaysOnTop = true;
    settings.X = 640;
    settings.SaveSettings();  // its document predates the button
    ASSERT_TRUE(buttons.ReadButton(101));
    buttons.IncRunTimes(101);  // its document predates the option
    settings.PushRecentButton(101);
    settings.AddGroup("Games");
    buttons.Description = "Text editor";
    ASSERT_TRUE(buttons.UpdateButtonProperties(101));
    settings.Message = "Stand up";
    settings.SaveAlarm();

    TAppSettingXml reloaded(platform);
    reloaded.LoadSettings();
    reloaded.LoadGroups();
    reloaded.LoadRecentButtons();
    EXPECT_TRUE(reloaded.AlwaysOnTop);
    EXPECT_EQ(reloaded.X, 640);
    EXPECT_EQ(reloaded.Message, "Stand up");
    EXPECT_EQ(reloaded.GroupNames.back(), "Games");
    EXPECT_EQ(reloaded.RecentButtons.front(), "101");
    TBtnSettingXml record(platform);
    ASSERT_TRUE(record.ReadButton(101));
    EXPECT_EQ(record.Command, "C:\\Tools\\edit.exe");
    EXPECT_EQ(record.Description, "Text editor");
    EXPECT_EQ(record.TotolRunTimes, 1);
}
