// The command table: one entry per command, run and checked by its identifier.
#include <gtest/gtest.h>

#include <stdexcept>

#include "launcher/Commands.h"

using namespace quorlet;

TEST(Commands, RunAndCheckByIdentifier) {
    int optionsRuns = 0;
    bool alarmOn = false;
    TCommandList commands;
    commands.Add({TCommandId::ActionMenu_AppOptions, "Options...", "Options...", [&] { ++optionsRuns; }, nullptr});
    commands.Add({TCommandId::ActionMenu_AlarmConfig, "Alarm Clock", "Alarm Clock", nullptr, [&] { return alarmOn; }});

    EXPECT_TRUE(commands.Execute(TCommandId::ActionMenu_AppOptions));
    EXPECT_EQ(optionsRuns, 1);
    EXPECT_TRUE(commands.Execute(TCommandId::ActionMenu_AlarmConfig));  // no handler yet: nothing runs
    EXPECT_FALSE(commands.Execute(TCommandId::ActionMenu_Report));     // not in the table
    EXPECT_EQ(optionsRuns, 1);

    EXPECT_FALSE(commands.IsChecked(TCommandId::ActionMenu_AlarmConfig));
    alarmOn = true;
    EXPECT_TRUE(commands.IsChecked(TCommandId::ActionMenu_AlarmConfig));  // asked each time, never cached
    EXPECT_FALSE(commands.IsChecked(TCommandId::ActionMenu_AppOptions));  // no check mark at all

    ASSERT_NE(commands.Find(TCommandId::ActionMenu_AlarmConfig), nullptr);
    EXPECT_EQ(commands.Find(TCommandId::ActionMenu_AlarmConfig)->Caption, "Alarm Clock");
    EXPECT_EQ(commands.Find(TCommandId::ActionMenu_Report), nullptr);
    EXPECT_THROW(commands.Add({TCommandId::ActionMenu_AppOptions, "Again", "", nullptr, nullptr}),
                 std::invalid_argument);
    EXPECT_EQ(commands.Commands().size(), 2u);
}
