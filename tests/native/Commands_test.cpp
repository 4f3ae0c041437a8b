// The command table: one entry per command, run and checked by its identifier.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

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

TEST(Commands, TheGateIsAskedBeforeEveryCommandAndCanRefuseIt) {
    int runs = 0;
    TCommandList commands;
    commands.Add({TCommandId::ActionMenu_AppOptions, "Options...", "", [&] { ++runs; }, nullptr});
    commands.Add({TCommandId::TrayShow, "Show", "", [&] { ++runs; }, nullptr});
    std::vector<TCommandId> asked;
    bool open = true;
    commands.SetGate([&](TCommandId id) {
        asked.push_back(id);
        return !open || id == TCommandId::TrayShow;
    });
    EXPECT_FALSE(commands.Execute(TCommandId::ActionMenu_AppOptions));
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(commands.Execute(TCommandId::TrayShow));
    EXPECT_EQ(runs, 1);
    open = false;
    EXPECT_TRUE(commands.Execute(TCommandId::ActionMenu_AppOptions));
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(asked, (std::vector<TCommandId>{TCommandId::ActionMenu_AppOptions, TCommandId::TrayShow,
                                              TCommandId::ActionMenu_AppOptions}));
}
