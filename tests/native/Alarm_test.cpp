// The alarm's rules: the tick's decision, snooze, the armed icon's hint, the
// alarm window's countdown captions, tone kinds and session ends.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "alarm/AlarmSchedule.h"
#include "alarm/AlarmWindowRules.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"

using namespace quorlet;

namespace {

// 2026-12-07 is a Monday.
TDateTime At(int day, int hour, int minute, int second, int millisecond = 0) {
    return MakeDateTime(2026, 12, day, hour, minute, second, millisecond);
}

TAlarmSchedule ScheduleAt(int hour, int minute, int second) {
    TAlarmSchedule schedule;
    schedule.Load(MakeDateTime(2001, 1, 1, hour, minute, second, 999));
    return schedule;
}

}  // namespace

TEST(AlarmSchedule, RingsOnceAtTheFirstTickInsideTheAlarmSecond) {
    TAlarmSchedule schedule = ScheduleAt(7, 5, 0);
    const TAlarmRepeat once;
    EXPECT_EQ(schedule.Tick(At(7, 7, 4, 59, 200), once), TAlarmTick::Wait);
    EXPECT_EQ(schedule.Tick(At(7, 7, 4, 59, 700), once), TAlarmTick::Wait);
    EXPECT_EQ(schedule.Tick(At(7, 7, 5, 0, 200), once), TAlarmTick::Ring);
    EXPECT_EQ(schedule.Tick(At(7, 7, 5, 0, 700), once), TAlarmTick::Wait);  // the second tick of that second
    EXPECT_EQ(schedule.Tick(At(7, 7, 5, 1, 200), once), TAlarmTick::Wait);
    // The next day at the same second rings again.
    EXPECT_EQ(schedule.Tick(At(8, 7, 4, 59, 700), once), TAlarmTick::Wait);
    EXPECT_EQ(schedule.Tick(At(8, 7, 5, 0, 100), once), TAlarmTick::Ring);
}

TEST(AlarmSchedule, FirstTickRingsOnlyInsideTheAlarmSecond) {
    struct Case {
        TDateTime First;
        TAlarmTick Expected;
    } cases[] = {
        {At(7, 7, 5, 0, 0), TAlarmTick::Ring},
        {At(7, 7, 5, 0, 999), TAlarmTick::Ring},
        {At(7, 7, 5, 1, 0), TAlarmTick::Wait},  // no catch-up before the first tick
        {At(7, 7, 4, 59, 999), TAlarmTick::Wait},
    };
    for (const Case& c : cases) {
        TAlarmSchedule schedule = ScheduleAt(7, 5, 0);
        EXPECT_EQ(schedule.Tick(c.First, TAlarmRepeat()), c.Expected) << c.First.Second << "." << c.First.Millisecond;
    }
}

TEST(AlarmSchedule, LateTicksRingUnlessTheGapIsLongerThanTenMinutes) {
    struct Case {
        TDateTime Previous, Late;
        TAlarmTick Expected;
    } cases[] = {
        {At(7, 7, 4, 58, 500), At(7, 7, 5, 3, 0), TAlarmTick::Ring},     // a busy machine
        {At(7, 6, 56, 0), At(7, 7, 6, 0), TAlarmTick::Ring},             // exactly ten minutes
        {At(7, 6, 55, 59), At(7, 7, 6, 0), TAlarmTick::Wait},            // woken much later
        {At(7, 23, 59, 59, 600), At(8, 0, 0, 3), TAlarmTick::Wait},      // not this alarm
    };
    for (const Case& c : cases) {
        TAlarmSchedule schedule = ScheduleAt(7, 5, 0);
        EXPECT_EQ(schedule.Tick(c.Previous, TAlarmRepeat()), TAlarmTick::Wait);
        EXPECT_EQ(schedule.Tick(c.Late, TAlarmRepeat()), c.Expected) << c.Late.Hour << ":" << c.Late.Minute;
    }
    // A late tick across midnight rings for the alarm of the evening before.
    TAlarmSchedule evening = ScheduleAt(23, 59, 59);
    EXPECT_EQ(evening.Tick(At(7, 23, 59, 58), TAlarmRepeat()), TAlarmTick::Wait);
    EXPECT_EQ(evening.Tick(At(8, 0, 0, 4), TAlarmRepeat()), TAlarmTick::Ring);
    EXPECT_EQ(evening.Tick(At(8, 0, 0, 5), TAlarmRepeat()), TAlarmTick::Wait);
}

TEST(AlarmSchedule, RepeatRingsOnTheSelectedWeekdaysOnly) {
    TAlarmRepeat weekdays;
    weekdays.RepeatOn = true;
    weekdays.Days[1] = weekdays.Days[3] = true;  // Monday, Wednesday
    TAlarmSchedule schedule = ScheduleAt(6, 30, 0);
    EXPECT_EQ(schedule.Tick(At(7, 6, 30, 0, 100), weekdays), TAlarmTick::Ring);     // Monday
    EXPECT_EQ(schedule.Tick(At(8, 6, 30, 0, 100), weekdays), TAlarmTick::SkipDay);  // Tuesday
    EXPECT_EQ(schedule.Tick(At(8, 6, 30, 0, 600), weekdays), TAlarmTick::Wait);     // asked once
    EXPECT_EQ(schedule.Tick(At(9, 6, 30, 0, 100), weekdays), TAlarmTick::Ring);     // Wednesday
    TAlarmRepeat sunday;
    sunday.RepeatOn = true;
    sunday.Days[0] = true;
    EXPECT_EQ(schedule.Tick(At(13, 6, 30, 0, 100), sunday), TAlarmTick::Ring);  // 13 December is a Sunday
    // No box at all: never; without repeat the boxes do not count.
    TAlarmRepeat none;
    none.RepeatOn = true;
    EXPECT_EQ(schedule.Tick(At(14, 6, 30, 0, 100), none), TAlarmTick::SkipDay);
    TAlarmRepeat boxesWithoutRepeat;
    EXPECT_EQ(schedule.Tick(At(15, 6, 30, 0, 100), boxesWithoutRepeat), TAlarmTick::Ring);
}

TEST(AlarmSchedule, SnoozeIsTenMinutesLaterAcrossMidnightWithTheSecondsKept) {
    TAlarmSchedule schedule = ScheduleAt(23, 55, 30);
    const TDateTime rang = At(7, 23, 55, 30, 400);
    EXPECT_EQ(schedule.Tick(rang, TAlarmRepeat()), TAlarmTick::Ring);
    schedule.Snooze(rang);
    EXPECT_EQ(schedule.AlarmHour, 0);
    EXPECT_EQ(schedule.AlarmMinute, 5);
    EXPECT_EQ(schedule.AlarmSecond, 30);
    EXPECT_STREQ(schedule.EnabledHint(At(8, 0, 1, 2)).Text, "[Alarm Clock - 00:05:30] <- 00:01:02");
    EXPECT_EQ(schedule.Tick(At(8, 0, 5, 29, 900), TAlarmRepeat()), TAlarmTick::Wait);
    EXPECT_EQ(schedule.Tick(At(8, 0, 5, 30, 300), TAlarmRepeat()), TAlarmTick::Ring);
}

TEST(AlarmCountdown, CaptionsCountDownAndCloseHalfASecondBeforeTheEnd) {
    TAlarmCountdown countdown;
    countdown.SetEvent(true, 1);
    countdown.Start(10);
    EXPECT_EQ(countdown.Caption(), "&Shutdown  10");
    std::vector<std::string> captions;
    std::vector<int> frames;
    int closedAt = 0;
    for (int tick = 1; tick <= 30 && !closedAt; ++tick) {
        const TAlarmCountdown::TStep step = countdown.Tick();
        captions.push_back(step.Caption);
        frames.push_back(step.Frame);
        if (step.Close) closedAt = tick;
    }
    EXPECT_EQ(closedAt, 19);  // 9.5 seconds
    EXPECT_EQ(captions[0], "&Shutdown    9");
    EXPECT_EQ(captions[1], "&Shutdown    9");
    EXPECT_EQ(captions[2], "&Shutdown    8");
    EXPECT_EQ(captions.back(), "&Shutdown");
    EXPECT_EQ(std::vector<int>(frames.begin(), frames.begin() + 5), (std::vector<int>{0, 1, 2, 1, 0}));
}

TEST(AlarmCountdown, EventCaptionsAndCountdownsThatNeverEnd) {
    struct Case {
        bool EventOn;
        int32_t Index;
        std::string Start;
    } cases[] = {
        {false, 1, "&Ok  10"}, {true, 0, "&Logoff  10"}, {true, 2, "&Reboot  10"}, {true, 5, "  10"}, {true, -1, "  10"},
    };
    for (const Case& c : cases) {
        TAlarmCountdown countdown;
        countdown.SetEvent(c.EventOn, c.Index);
        countdown.Start(10);
        EXPECT_EQ(countdown.Caption(), c.Start) << c.Index;
    }
    // A countdown of 0 or less goes below zero and never closes the window.
    for (int32_t start : {0, -3}) {
        TAlarmCountdown countdown;
        countdown.SetEvent(false, 0);
        countdown.Start(start);
        bool closed = false;
        for (int tick = 0; tick < 100; ++tick) closed = closed || countdown.Tick().Close;
        EXPECT_FALSE(closed) << start;
        EXPECT_LT(countdown.Countdown(), start);
    }
    // A hand-edited lowest value does not wrap round to a positive count.
    TAlarmCountdown lowest;
    lowest.SetEvent(false, 0);
    lowest.Start(INT32_MIN);
    for (int tick = 0; tick < 4; ++tick) EXPECT_FALSE(lowest.Tick().Close);
    EXPECT_EQ(lowest.Countdown(), INT32_MIN);
}

TEST(AlarmWindowRules, WindowOpensAboveTheMainWindowBelowItAtTheTopOrBottomRightWhenHidden) {
    struct Case {
        const char* Name;
        bool Shown;
        int MainTop;
        int Left, Top;
    } cases[] = {
        {"room above", true, 400, 100, 250},
        {"exactly room above", true, 150, 100, 0},
        {"at the top of the screen", true, 20, 100, 20 + 300},
        {"hidden", false, 400, 1366 - 320, 728 - 150},
    };
    for (const Case& c : cases) {
        TAlarmPlaceInput in;
        in.MainShown = c.Shown;
        in.MainLeft = 100;
        in.MainTop = c.MainTop;
        in.MainHeight = 300;
        in.Width = 320;
        in.Height = 150;
        in.ScreenWidth = 1366;
        in.WorkAreaHeight = 728;
        const TAlarmPlace place = AlarmWindowPlace(in);
        EXPECT_EQ(place.Left, c.Left) << c.Name;
        EXPECT_EQ(place.Top, c.Top) << c.Name;
    }
}

TEST(AlarmWindowRules, EndWindowsSessionAsksForThePrivilegeThenTheEnd) {
    struct Case {
        int32_t Index;
        std::vector<std::string> Calls;
    } cases[] = {
        {0, {"privilege", "exit 0 0"}},
        {1, {"privilege", "exit 9 2147745793"}},
        {2, {"privilege", "exit 2 2147745793"}},
        {3, {"privilege"}},  // no end asked for an unknown event
    };
    for (const Case& c : cases) {
        TFakePlatform platform;
        EndWindowsSession(platform, c.Index);
        EXPECT_EQ(platform.SessionCalls, c.Calls) << c.Index;
    }
}

TEST(AlarmWindowRules, ToneKindsAndSessionEnds) {
    EXPECT_EQ(ToneKindOf("C:\\Sounds\\Bell.WAV"), TToneKind::Wav);
    EXPECT_EQ(ToneKindOf("C:\\Sounds\\bell.wav"), TToneKind::Wav);
    EXPECT_EQ(ToneKindOf("C:\\Sounds\\song.Mp3"), TToneKind::Mp3);
    EXPECT_EQ(ToneKindOf("C:\\Sounds\\song.ogg"), TToneKind::None);
    EXPECT_EQ(ToneKindOf("C:\\Sounds.wav\\noise"), TToneKind::None);

    struct Case {
        int32_t Index;
        bool Asks;
        unsigned Flags;
        unsigned long Reason;
    } cases[] = {{0, true, 0, 0}, {1, true, 9, 0x80040001UL}, {2, true, 2, 0x80040001UL}, {3, false, 0, 0}, {-1, false, 0, 0}};
    for (const Case& c : cases) {
        TSessionEnd end;
        EXPECT_EQ(SessionEndOf(c.Index, end), c.Asks) << c.Index;
        if (!c.Asks) continue;
        EXPECT_EQ(end.Flags, c.Flags) << c.Index;
        EXPECT_EQ(end.Reason, c.Reason) << c.Index;
    }
}

TEST(AlarmWindowRules, ToneIsPlayedOnlyWhenSwitchedOnAndTheFileExists) {
    TTempFolder folder;
    const std::string wav = folder.File("Bell.WAV"), mp3 = folder.File("song.mp3"), ogg = folder.File("x.ogg");
    for (const std::string& file : {wav, mp3, ogg}) WriteFileText(file, "RIFF");
    TFakePlatform platform;
    PlayAlarmTone(platform, true, wav);
    PlayAlarmTone(platform, false, wav);
    PlayAlarmTone(platform, true, folder.File("missing.wav"));
    PlayAlarmTone(platform, true, ogg);
    EXPECT_EQ(platform.ToneCalls, std::vector<std::string>{"play " + wav});
    EXPECT_TRUE(platform.ShellOpenCalls.empty());

    PlayAlarmTone(platform, true, mp3);
    ASSERT_EQ(platform.ShellOpenCalls.size(), 1u);
    const TShellOpenCall& call = platform.ShellOpenCalls[0];
    EXPECT_EQ(call.Verb, "open");
    EXPECT_EQ(call.File, mp3);
    EXPECT_EQ(call.Parameters, "");
    EXPECT_EQ(call.Directory, "");
    EXPECT_EQ(call.ShowCommand, swShowNormal);
}
