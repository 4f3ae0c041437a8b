// End-to-end: the real Quorlet.exe started with its alarm armed a few seconds
// ahead. The alarm window rings with its caption, message and countdown; its
// answer is applied to the settings document and to the Quorlet Tab's icons.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "base/AppPaths.h"
#include "base/DateCalc.h"
#include "fakes/TempFolder.h"
#include "resources/resource.h"
#include "settings/UAppSettingXml.h"

using namespace quorlet;

namespace {

const int kAlarmLead = 6;  // seconds from writing the document to the ring

class AlarmEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.File("Quorlet.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        tone = folder.File("Alarm1.wav");
        ASSERT_TRUE(CopyFileA((ExtractFilePath(WindowsPath(QUORLET_EXE_PATH)) + "Alarm1.wav").c_str(), tone.c_str(),
                              FALSE));
    }

    // Writes the alarm, armed kAlarmLead seconds from now, and starts the
    // program; with a system event (log off), the program's calls that would
    // end the session are recorded in session-end.log instead.
    void StartWithAlarm(bool repeatOn, bool systemEvent = false) {
        {
            TStoreScope scope(exe);
            TAppSettingXml settings(scope.Platform());
            settings.LoadSettings();
            settings.AutoCheckUpdate = false;
            settings.ShowAppPanel = true;
            settings.ActiveAppPanel = true;
            settings.X = 300;
            settings.Y = 400;
            settings.SaveSettings();
            const TDateTime now = scope.Platform().Now();
            alarmTime = FromUnixSeconds(ToUnixSeconds(now) + kAlarmLead);
            settings.AlarmOn = true;
            settings.AlarmTime = alarmTime;
            settings.TimerOut = 10;
            settings.Message = "Water the plants";
            settings.ToneOn = true;
            settings.Tone = tone;
            settings.SystemEventOn = systemEvent;
            settings.SystemEvent = 0;
            settings.RepeatOn = repeatOn;
            const int today = WeekDayIndex(alarmTime);
            bool* days[7] = {&settings.Day0, &settings.Day1, &settings.Day2, &settings.Day3,
                             &settings.Day4, &settings.Day5, &settings.Day6};
            for (int day = 0; day < 7; ++day) *days[day] = repeatOn && day == today;
            settings.SaveAlarm();
        }
        quorlet.Start(exe, folder.Path());
        if (systemEvent) ASSERT_TRUE(quorlet.LoadLibraryInto(WindowsPath(QUORLET_SESSION_HOOK_PATH)));
    }
    std::string SessionEndLog() { return ReadFileTextIfAny(folder.File("session-end.log")); }
    static std::string ReadFileTextIfAny(const std::string& file) {
        return GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES ? std::string() : ReadFileText(file);
    }

    // The program's visible window captioned "Quorlet Alarm", waited for.
    HWND WaitForAlarmWindow(DWORD ms) {
        HWND found = nullptr;
        PumpUntil(ms, [&] {
            found = nullptr;
            for (HWND w = FindWindowA(nullptr, "Quorlet Alarm"); w; w = FindWindowExA(nullptr, w, nullptr, "Quorlet Alarm"))
                if (IsWindowVisible(w) && WindowProcessId(w) == quorlet.ProcessId()) found = w;
            return found != nullptr;
        });
        return found;
    }

    TAppSettingXml* ReadSettings(TStoreScope& scope) {
        stored.reset(new TAppSettingXml(scope.Platform()));
        stored->LoadSettings();
        return stored.get();
    }

    std::string TimeText(const TDateTime& t) {
        char text[16];
        snprintf(text, sizeof text, "%.2d:%.2d:%.2d", t.Hour, t.Minute, t.Second);
        return text;
    }

    TTempFolder folder;
    std::string exe, tone;
    TDateTime alarmTime;
    TQuorletUnderTest quorlet;
    std::unique_ptr<TAppSettingXml> stored;
};

}  // namespace

TEST_F(AlarmEndToEndTest, OneShotAlarmRingsCountsDownAndIsSwitchedOffByOk) {
    StartWithAlarm(false);
    // The Quorlet Tab is built once it shows.
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return CellExists(quorlet.Cell(0, IdPanel19)); }));
    const TCellRef armed = quorlet.Cell(0, IdPanel19), resting = quorlet.Cell(0, IdPanel18);
    EXPECT_TRUE(CellVisible(armed));
    EXPECT_FALSE(CellVisible(resting));
    // The armed icon's hint: the alarm time, then the present time.
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return CellHint(armed).rfind("[Alarm Clock - ", 0) == 0; }));
    EXPECT_EQ(CellHint(armed).substr(0, 28), "[Alarm Clock - " + TimeText(alarmTime) + "] <- ");
    quorlet.SavePicture("quorlet-alarm-armed.bmp");

    HWND alarm = WaitForAlarmWindow((kAlarmLead + 10) * 1000);
    ASSERT_NE(alarm, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(alarm, IDC_ALARM_MESSAGE)), "Water the plants");
    EXPECT_NE(TextOf(GetDlgItem(alarm, IDC_ALARM_TIME)), "");
    HWND ok = GetDlgItem(alarm, IDOK);
    // The countdown runs on the OK button: "&Ok  10", then "&Ok    9" ...
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TextOf(ok) == "&Ok    9"; })) << TextOf(ok);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TextOf(ok) == "&Ok    8"; })) << TextOf(ok);
    EXPECT_EQ(SaveWindowPicture(alarm, WindowsPath(QUORLET_SCREENSHOT_DIR) + "\\quorlet-alarm.bmp",
                                kMovingPictureStillMs),
              "");

    PostMessageA(ok, BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(alarm); }));
    // Off, saved, and the resting icon shows.
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return CellVisible(resting) && !CellVisible(armed); }));
    {
        TStoreScope scope(exe);
        EXPECT_FALSE(ReadSettings(scope)->AlarmOn);
        EXPECT_EQ(stored->Message, "Water the plants");
    }
    EXPECT_TRUE(quorlet.Running());

    // The resting icon opens the alarm dialog; switched on there, OK saves
    // the alarm and arms it again.
    PostCellClick(resting, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(PumpUntil(kShortWait, [&] {
        dialog = FindWindowA("#32770", nullptr);
        while (dialog && !(IsWindowVisible(dialog) && WindowProcessId(dialog) == quorlet.ProcessId() &&
                           TextOf(dialog).rfind("Alarm Clock  ", 0) == 0))
            dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr);
        return dialog != nullptr;
    }));
    HWND page = GetDlgItem(dialog, IDC_CFG_PAGE);
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_CFG_MESSAGE)), "Water the plants");
    PostMessageA(GetDlgItem(page, IDC_CFG_ALARMON), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return SendMessageA(GetDlgItem(page, IDC_CFG_ALARMON), BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    EXPECT_EQ(SaveWindowPicture(dialog, WindowsPath(QUORLET_SCREENSHOT_DIR) + "\\quorlet-alarm-dialog.bmp"), "");
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return CellVisible(armed) && !CellVisible(resting); }));
    TStoreScope scope(exe);
    EXPECT_TRUE(ReadSettings(scope)->AlarmOn);
}

TEST_F(AlarmEndToEndTest, RepeatingAlarmStaysArmedAndSnoozeMovesOnlyTheRunningTime) {
    StartWithAlarm(true);
    HWND alarm = WaitForAlarmWindow((kAlarmLead + 10) * 1000);
    ASSERT_NE(alarm, nullptr);
    PostMessageA(GetDlgItem(alarm, IDC_ALARM_SNOOZE), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(alarm); }));

    // The running schedule is ten minutes later; the document keeps the set time.
    const TCellRef armed = quorlet.Cell(0, IdPanel19);
    const TDateTime snoozed = FromUnixSeconds(ToUnixSeconds(alarmTime) + 600);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] {
        return CellHint(armed).rfind("[Alarm Clock - " + TimeText(snoozed) + "]", 0) == 0;
    })) << CellHint(armed);
    EXPECT_TRUE(CellVisible(armed));
    TStoreScope scope(exe);
    TAppSettingXml* settings = ReadSettings(scope);
    EXPECT_TRUE(settings->AlarmOn);
    EXPECT_EQ(TimeText(settings->AlarmTime), TimeText(alarmTime));
    EXPECT_TRUE(quorlet.Running());
}

TEST_F(AlarmEndToEndTest, AnAcknowledgedAlarmWithASystemEventEndsTheSessionAndTheProgram) {
    ASSERT_NO_FATAL_FAILURE(StartWithAlarm(false, true));
    HWND alarm = WaitForAlarmWindow((kAlarmLead + 10) * 1000);
    ASSERT_NE(alarm, nullptr);
    HWND ok = GetDlgItem(alarm, IDOK);
    // The countdown takes the button once the window has shown.
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TextOf(ok).rfind("&Logoff", 0) == 0; })) << TextOf(ok);
    PostMessageA(ok, BM_CLICK, 0, 0);
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
    EXPECT_EQ(SessionEndLog(), "AdjustTokenPrivileges\r\nExitWindowsEx 0 0\r\n");
    TStoreScope scope(exe);
    EXPECT_FALSE(ReadSettings(scope)->AlarmOn);
}

TEST_F(AlarmEndToEndTest, ClosingTheProgramWhileTheAlarmRingsIsNoAnswerAndEndsNoSession) {
    ASSERT_NO_FATAL_FAILURE(StartWithAlarm(false, true));
    HWND alarm = WaitForAlarmWindow((kAlarmLead + 10) * 1000);
    ASSERT_NE(alarm, nullptr);
    // The main window, which the alarm window does not disable, is closed
    // with its close box.
    EXPECT_TRUE(IsWindowEnabled(quorlet.Window()));
    PostMessageA(quorlet.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
    EXPECT_EQ(SessionEndLog(), "");
    // Not acknowledged: the alarm stays on, as it was set.
    TStoreScope scope(exe);
    TAppSettingXml* settings = ReadSettings(scope);
    EXPECT_TRUE(settings->AlarmOn);
    EXPECT_TRUE(settings->SystemEventOn);
}
