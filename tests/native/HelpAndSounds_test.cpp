#include <gtest/gtest.h>

#include <cstring>

#include "base/AppPaths.h"
#include "launcher/ClickSound.h"
#include "fakes/FakePlatform.h"
#include "shell/HelpTopics.h"

using namespace quorlet;

TEST(ShowHelpTopic, HandsTheViewerFileAndTopicAsOneParameter) {
    TFakePlatform platform;
    InitAppPaths("C:\\Program Files\\Quorlet\\Quorlet.exe");
    struct Case { std::string topic, parameters; } cases[] = {
        {"", "C:\\Program Files\\Quorlet\\Quorlet_Help.chm"},
        {HelpTopicAlarmConfig, "C:\\Program Files\\Quorlet\\Quorlet_Help.chm::/Alarm Config.htm"},
        {HelpTopicButtonProperties,
         "C:\\Program Files\\Quorlet\\Quorlet_Help.chm::/QuickStart.htm#DescriptionofSettings"},
    };
    for (const Case& c : cases) {
        platform.ShellOpenCalls.clear();
        ShowHelpTopic(platform, c.topic);
        ASSERT_EQ(platform.ShellOpenCalls.size(), 1u);
        const TShellOpenCall& call = platform.ShellOpenCalls[0];
        EXPECT_EQ(call.Verb, "open");
        EXPECT_EQ(call.File, "hh.exe");
        EXPECT_EQ(call.Parameters, c.parameters);
        EXPECT_EQ(call.Directory, "");
        EXPECT_EQ(call.ShowCommand, 5);  // SW_SHOW
    }
}

TEST(ClickSound, KindsMapToTheEmbeddedWaves) {
    EXPECT_STREQ(ClickSoundResourceName(0), "ICON");
    EXPECT_STREQ(ClickSoundResourceName(1), "TABSHEET");
    EXPECT_EQ(ClickSoundResourceName(2), nullptr);
    EXPECT_EQ(ClickSoundResourceName(-1), nullptr);
}
