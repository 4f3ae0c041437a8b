// The alarm as the main window runs it: ticks through a recording host, the
// answers to the alarm window, what is saved, and the dialog's rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarm/AlarmClock.h"
#include "alarm/AlarmConfigRules.h"
#include "UAppSettingXml_fixture.h"

using namespace quorlet;
using namespace quorlet::appsettingtest;

namespace {

// Records what the alarm asks of the main window; the alarm window answers
// with Answer.
class TRecordingHost : public IAlarmHost {
public:
    std::vector<std::string> Calls;
    std::vector<TAlarmRing> Rings;
    TAlarmAnswer Answer = TAlarmAnswer::Acknowledged;
    std::string ArmedHint;
    bool TimerRunning = false;
    bool ArmedIcon = false;
    int TrayHints = 0;

    void SetAlarmTimer(bool running) override {
        TimerRunning = running;
        Calls.push_back(running ? "timer on" : "timer off");
    }
    void ShowAlarmIcon(bool alarmOn) override {
        ArmedIcon = alarmOn;
        Calls.push_back(alarmOn ? "armed icon" : "resting icon");
    }
    void SetArmedHint(const char* hint) override { ArmedHint = hint; }
    void UpdateTrayHint() override { ++TrayHints; }
    void BringToFront() override { Calls.push_back("front"); }
    TAlarmAnswer ShowAlarm(const TAlarmRing& ring) override {
        Rings.push_back(ring);
        Calls.push_back("alarm window");
        return Answer;
    }
    void CloseMainWindow() override { Calls.push_back("close"); }
    bool ProgramClosing() const override { return Closing; }
    bool Closing = false;
};

using Calls = std::vector<std::string>;

class AlarmClockTest : public AppSettingTest {
protected:
    void SetUp() override {
        AppSettingTest::SetUp();
        settings.LoadSettings();
        settings.AlarmOn = true;
        settings.AlarmTime = MakeDateTime(2020, 1, 1, 7, 30, 15);
        settings.TimerOut = 20;
        settings.Message = "Stand up";
        settings.SaveAlarm();
        clock.LoadSchedule();
        clock.ApplyAlarmState();
        host.Calls.clear();
    }
    // Ticks at day (December 2026; the 7th is a Monday) hh:mm:ss.ms.
    void TickAt(int day, int hour, int minute, int second, int millisecond = 0) {
        platform.FakeNow = MakeDateTime(2026, 12, day, hour, minute, second, millisecond);
        clock.TimerAlarmTimer();
    }
    std::string StoredAlarmSection() { return SectionText(ReadFileText(SettingFileName), "AlarmClock"); }

    TAppSettingXml settings{platform};
    TRecordingHost host;
    TAlarmClock clock{platform, settings, host};
};

}  // namespace

TEST_F(AlarmClockTest, ApplyAlarmStateRunsTheTimerAndShowsTheIconOfTheState) {
    const int hintsBefore = host.TrayHints;
    settings.AlarmOn = false;
    clock.ApplyAlarmState();
    settings.AlarmOn = true;
    clock.ApplyAlarmState();
    EXPECT_EQ(host.Calls, (Calls{"timer off", "resting icon", "timer on", "armed icon"}));
    EXPECT_EQ(host.TrayHints - hintsBefore, 2) << "the tray tip follows each time";
}

TEST_F(AlarmClockTest, TicksBeforeTheAlarmSecondOnlyRefreshTheHint) {
    TickAt(7, 7, 30, 14, 600);
    EXPECT_TRUE(host.Calls.empty());
    EXPECT_EQ(host.ArmedHint, "[Alarm Clock - 07:30:15] <- 07:30:14");
}

TEST_F(AlarmClockTest, AcknowledgedOneShotAlarmIsSwitchedOffAndSaved) {
    const std::string before = ReadFileText(SettingFileName);
    TickAt(7, 7, 30, 14, 600);
    EXPECT_EQ(ReadFileText(SettingFileName), before);  // ticks touch no file
    TickAt(7, 7, 30, 15, 100);
    EXPECT_EQ(host.Calls, (Calls{"timer off", "front", "alarm window", "resting icon"}));
    ASSERT_EQ(host.Rings.size(), 1u);
    const TAlarmRing& ring = host.Rings[0];
    EXPECT_EQ(ring.Message, "Stand up");
    EXPECT_EQ(ring.TimeText, "7:30:15");
    EXPECT_EQ(ring.Countdown, 20);
    EXPECT_FALSE(ring.Preview);
    EXPECT_FALSE(host.TimerRunning);
    EXPECT_FALSE(settings.AlarmOn);
    EXPECT_NE(StoredAlarmSection().find("\"AlarmOn\" Value=\"0\""), std::string::npos);
    EXPECT_TRUE(platform.SessionCalls.empty());
}

TEST_F(AlarmClockTest, SnoozeRingsTenMinutesLaterInMemoryOnly) {
    host.Answer = TAlarmAnswer::Snoozed;
    const std::string stored = StoredAlarmSection();
    settings.SystemEventOn = true;  // a snooze never ends the session
    TickAt(7, 7, 30, 15, 300);
    EXPECT_EQ(host.Calls, (Calls{"timer off", "front", "alarm window", "timer on"}));
    EXPECT_EQ(StoredAlarmSection(), stored);
    EXPECT_TRUE(settings.AlarmOn);
    EXPECT_TRUE(platform.SessionCalls.empty());
    TickAt(7, 7, 30, 15, 800);
    EXPECT_EQ(host.ArmedHint, "[Alarm Clock - 07:40:15] <- 07:30:15");

    host.Calls.clear();
    host.Answer = TAlarmAnswer::Acknowledged;
    settings.SystemEventOn = false;
    TickAt(7, 7, 40, 15, 0);
    EXPECT_EQ(host.Rings.size(), 2u);
    EXPECT_FALSE(settings.AlarmOn);
}

TEST_F(AlarmClockTest, RepeatingAlarmStaysArmedAndRingsOnlyOnSelectedDays) {
    settings.RepeatOn = true;
    settings.Day1 = true;  // Monday
    TickAt(7, 7, 30, 15, 0);  // Monday: rings, stays armed
    EXPECT_EQ(host.Calls, (Calls{"timer off", "front", "alarm window", "timer on"}));
    EXPECT_TRUE(settings.AlarmOn);

    host.Calls.clear();
    TickAt(8, 7, 30, 14, 600);
    TickAt(8, 7, 30, 15, 100);  // Tuesday: no window, checking goes on
    EXPECT_EQ(host.Calls, (Calls{"timer off", "timer on"}));
    EXPECT_EQ(host.Rings.size(), 1u);

    settings.Day1 = false;  // no day at all: never rings, stays armed
    TickAt(14, 7, 30, 15, 100);
    EXPECT_EQ(host.Rings.size(), 1u);
    EXPECT_TRUE(settings.AlarmOn);
}

TEST_F(AlarmClockTest, RepeatingAlarmReturnsToItsStoredTimeAfterASnooze) {
    settings.RepeatOn = true;
    settings.Day1 = settings.Day2 = true;
    host.Answer = TAlarmAnswer::Snoozed;
    TickAt(7, 7, 30, 15, 0);
    host.Answer = TAlarmAnswer::Acknowledged;
    TickAt(7, 7, 40, 15, 0);
    EXPECT_EQ(clock.Schedule().AlarmMinute, 30);
    TickAt(8, 7, 30, 15, 200);
    EXPECT_EQ(host.Rings.size(), 3u);
}

TEST_F(AlarmClockTest, SystemEventEndsTheSessionAfterSavingThenClosesTheProgram) {
    struct Case {
        int32_t Event;
        std::vector<std::string> SessionCalls;
    } cases[] = {
        {0, {"privilege", "exit 0 0"}},
        {1, {"privilege", "exit 9 2147745793"}},
        {2, {"privilege", "exit 2 2147745793"}},
        {3, {"privilege"}},  // no session end, but the program closes all the same
    };
    for (const Case& c : cases) {
        platform.SessionCalls.clear();
        host.Calls.clear();
        settings.AlarmOn = true;
        settings.SystemEventOn = true;
        settings.SystemEvent = c.Event;
        TAlarmClock fresh(platform, settings, host);
        fresh.LoadSchedule();
        platform.FakeNow = MakeDateTime(2026, 12, 7, 7, 30, 15, 0);
        fresh.TimerAlarmTimer();
        EXPECT_EQ(platform.SessionCalls, c.SessionCalls) << c.Event;
        EXPECT_EQ(host.Calls.back(), "close") << c.Event;
        // Saved as off before the session ends.
        EXPECT_NE(StoredAlarmSection().find("\"AlarmOn\" Value=\"0\""), std::string::npos);
    }
}

TEST_F(AlarmClockTest, AnAlarmSwitchedOffOverItsSecondDoesNotRingWhenSwitchedOnAgain) {
    // Ticking before the alarm second, switched off across it, on again after
    // it: the time the timer stood still is no late tick.
    for (const bool throughTheDialog : {true, false}) {
        SCOPED_TRACE(throughTheDialog ? "switched on in the dialog" : "switched on at an activation");
        TickAt(7, 7, 30, 10, 0);
        settings.AlarmOn = false;
        clock.ApplyAlarmState();
        platform.FakeNow = MakeDateTime(2026, 12, 7, 7, 30, 22, 0);
        settings.AlarmOn = true;
        if (throughTheDialog)
            clock.ConfigAccepted();
        else
            clock.ApplyAlarmState();
        TickAt(7, 7, 30, 22, 500);
        TickAt(7, 7, 30, 23, 0);
        EXPECT_TRUE(host.Rings.empty());
    }
    // A running timer's late tick still rings for the second it skipped.
    TickAt(8, 7, 30, 14, 600);
    TickAt(8, 7, 30, 17, 0);
    EXPECT_EQ(host.Rings.size(), 1u);
}

TEST_F(AlarmClockTest, AnAnswerThatComesWhileTheProgramClosesIsNotActedOn) {
    settings.SystemEventOn = true;
    settings.SystemEvent = 1;
    const std::string stored = StoredAlarmSection();
    for (const TAlarmAnswer answer : {TAlarmAnswer::Acknowledged, TAlarmAnswer::Snoozed}) {
        host.Answer = answer;
        host.Closing = true;
        TAlarmClock fresh(platform, settings, host);
        fresh.LoadSchedule();
        host.Calls.clear();
        platform.FakeNow = MakeDateTime(2026, 12, 7, 7, 30, 15, 0);
        fresh.TimerAlarmTimer();
        EXPECT_EQ(host.Calls, (Calls{"timer off", "front", "alarm window"}));
        EXPECT_TRUE(platform.SessionCalls.empty());
        EXPECT_TRUE(settings.AlarmOn);
        EXPECT_EQ(StoredAlarmSection(), stored);
    }
}

TEST_F(AlarmClockTest, DialogOkSavesReloadsTheScheduleAndEndsASnooze) {
    host.Answer = TAlarmAnswer::Snoozed;
    TickAt(7, 7, 30, 15, 0);
    EXPECT_EQ(clock.Schedule().AlarmMinute, 40);
    host.Calls.clear();
    settings.AlarmTime = MakeDateTime(2020, 1, 1, 6, 0, 0);
    clock.ConfigAccepted();
    EXPECT_EQ(clock.Schedule().AlarmHour, 6);
    EXPECT_EQ(clock.Schedule().AlarmMinute, 0);
    EXPECT_EQ(host.Calls, (Calls{"timer on", "armed icon"}));
    EXPECT_NE(StoredAlarmSection().find("\"2020-01-01T06-00-00\""), std::string::npos) << StoredAlarmSection();
}

// The dialog's rules.

TEST(AlarmConfigRules, NumberFieldReadsClampsAndFilters) {
    struct Case {
        const char* Text;
        int32_t Read;
        const char* OnExit;
    } cases[] = {
        {"30", 30, "30"}, {"10", 10, "10"},  {"75", 75, "60"},  {"5", 5, "10"},      {"-3", -3, "10"},
        {"+20", 20, "+20"}, {"", 10, "10"}, {"1.5", 10, "10"}, {"abc", 10, "10"}, {"99999999999", 10, "10"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimerOutOfText(c.Text), c.Read) << c.Text;
        EXPECT_EQ(TimerOutTextOnExit(c.Text), c.OnExit) << c.Text;
    }
    EXPECT_TRUE(IsTimerOutChar('7', '.'));
    EXPECT_TRUE(IsTimerOutChar('-', '.'));
    EXPECT_TRUE(IsTimerOutChar(',', ','));
    EXPECT_FALSE(IsTimerOutChar(',', '.'));
    EXPECT_FALSE(IsTimerOutChar('a', '.'));
}

TEST_F(AppSettingTest, AlarmDialogOpensWithTheStoredValuesAdjustedByTheAlarmRule) {
    TAppSettingXml settings(platform);
    struct Case {
        const char* Name;
        bool AlarmOn, ToneOn;
        const char* Message;
        const char* Tone;
        int32_t TimerOut, Event;
        // expected
        const char* ShownMessage;
        bool ToneChecked;
        const char* ShownTone;
        const char* ShownTimerOut;
        int32_t ShownEvent;
    } cases[] = {
        {"armed, empty message and tone", true, false, "", "", 10, 0,
         "Input your message for Alarm here", true, "C:\\Q\\Alarm1.wav", "10", 0},
        {"armed, stored tone, tone off", true, false, "Hi", "D:\\t.mp3", 60, 2, "Hi", false, "D:\\t.mp3", "60", 2},
        {"off, empty message", false, false, "", "", 5, 7, "", false, "", "10", -1},
        {"off, tone on without path", false, true, "", "", 75, -1, "", true, "C:\\Q\\Alarm1.wav", "60", -1},
    };
    for (const Case& c : cases) {
        settings.AlarmOn = c.AlarmOn;
        settings.ToneOn = c.ToneOn;
        settings.Message = c.Message;
        settings.Tone = c.Tone;
        settings.TimerOut = c.TimerOut;
        settings.SystemEvent = c.Event;
        TAlarmConfigModel model("C:\\Q\\");
        model.Load(settings);
        const TAlarmConfigControls& shown = model.Controls;
        EXPECT_EQ(shown.Message, c.ShownMessage) << c.Name;
        EXPECT_EQ(shown.ToneChecked, c.ToneChecked) << c.Name;
        EXPECT_EQ(shown.TonePath, c.ShownTone) << c.Name;
        EXPECT_EQ(shown.TimerOutText, c.ShownTimerOut) << c.Name;
        EXPECT_EQ(shown.EventIndex, c.ShownEvent) << c.Name;
        EXPECT_EQ(shown.ArmedPicture, c.AlarmOn) << c.Name;
    }
}

TEST(AlarmConfigRules, EnabledStatesFollowTheCheckBoxes) {
    // A: alarm on, T: tone, E: event, R: repeat checked; then the enabled
    // states of time/message/tone box/test, path, event list, repeat box, days.
    struct Case {
        bool A, T, E, R;
        bool Main, Path, EventList, Repeat, Days;
    } cases[] = {
        {false, true, true, true, false, false, false, false, false},
        {true, false, false, false, true, false, false, true, false},
        {true, true, false, false, true, true, false, true, false},
        {true, false, true, false, true, false, true, true, false},
        {true, false, false, true, true, false, false, true, true},
    };
    for (const Case& c : cases) {
        TAlarmConfigModel model("C:\\Q\\");
        model.Controls.TonePath = "x.wav";  // keeps the alarm rule from ticking "Tone"
        model.Controls.AlarmChecked = c.A;
        model.Controls.ToneChecked = c.T;
        model.Controls.EventChecked = c.E;
        model.Controls.RepeatChecked = c.R;
        model.AlarmClick();
        const TAlarmConfigControls& s = model.Controls;
        const std::string name = std::string("A") + "TF"[!c.A] + "T" + "TF"[!c.T] + "E" + "TF"[!c.E] + "R" + "TF"[!c.R];
        for (bool enabled : {s.TimeEnabled, s.MessageEnabled, s.ToneEnabled, s.EventEnabled, s.TestEnabled})
            EXPECT_EQ(enabled, c.Main) << name;
        EXPECT_EQ(s.TonePathEnabled, c.Path) << name;
        EXPECT_EQ(s.EventListEnabled, c.EventList) << name;
        EXPECT_EQ(s.RepeatEnabled, c.Repeat) << name;
        EXPECT_EQ(s.DaysEnabled, c.Days) << name;
    }
}

TEST_F(AppSettingTest, AlarmDialogClicksAndOkStoreEveryControl) {
    TAppSettingXml settings(platform);
    settings.RepeatOn = true;
    settings.Day3 = settings.Day0 = true;
    settings.Tone = "D:\\ring.wav";
    settings.TimerOut = 5;
    TAlarmConfigModel model("C:\\Q\\");
    model.Load(settings);
    EXPECT_FALSE(model.Controls.ArmedPicture);

    model.PictureClick();  // switches the alarm on
    EXPECT_TRUE(model.Controls.AlarmChecked);
    EXPECT_TRUE(model.Controls.ArmedPicture);
    EXPECT_FALSE(model.Controls.ToneChecked);  // a stored path: "Tone" stays as it was
    EXPECT_FALSE(model.Controls.TonePathEnabled);
    EXPECT_TRUE(model.Controls.DaysEnabled);

    model.Controls.RepeatChecked = false;
    model.RepeatClick();
    EXPECT_FALSE(model.Controls.DaysEnabled);
    model.Controls.TimerOutText = "75";
    model.TimerOutExit();
    model.Controls.EventChecked = true;
    model.Controls.EventIndex = 1;
    model.EventClick();
    model.Controls.Time = MakeDateTime(2026, 12, 10, 6, 45, 0);
    model.Store(settings);

    EXPECT_TRUE(settings.AlarmOn);
    EXPECT_EQ(settings.Message, "Input your message for Alarm here");
    EXPECT_EQ(settings.TimerOut, 60);
    EXPECT_FALSE(settings.RepeatOn);
    EXPECT_TRUE(settings.Day3 && settings.Day0);  // ticks kept while the boxes are disabled
    EXPECT_FALSE(settings.Day1);
    EXPECT_TRUE(settings.SystemEventOn);
    EXPECT_EQ(settings.SystemEvent, 1);
    EXPECT_EQ(settings.AlarmTime, MakeDateTime(2026, 12, 10, 6, 45, 0));
}
