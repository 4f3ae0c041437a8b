// The alarm window and the alarm dialog in this process, each run modally on
// a thread of its own while the test reads and drives it with messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "ModalOnThread.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/UAlarmConfig.h"
#include "app/UAlarmForm.h"
#include "base/FileIo.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "platform/Win32Platform.h"
#include "resources/resource.h"

using namespace quorlet;

namespace {

std::string Text(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A control of a window, or of the alarm dialog's "Config" page.
HWND Ctl(HWND dialog, int id) {
    HWND page = GetDlgItem(dialog, IDC_CFG_PAGE);
    HWND control = page ? GetDlgItem(page, id) : nullptr;
    return control ? control : GetDlgItem(dialog, id);
}

std::string ItemText(HWND dialog, int id) { return Text(Ctl(dialog, id)); }

int VisibleFrame(HWND alarm) {
    const int ids[3] = {IDC_ALARM_IMAGE0, IDC_ALARM_IMAGE1, IDC_ALARM_IMAGE2};
    int shown = -1;
    for (int k = 0; k < 3; ++k)
        if (IsWindowVisible(GetDlgItem(alarm, ids[k]))) shown = shown == -1 ? k : -2;
    return shown;
}

void Click(HWND dialog, int id) { PostMessageA(Ctl(dialog, id), BM_CLICK, 0, 0); }

// The alarm window shows before its opening animation has run; the countdown
// takes the button, in place of the template's caption, once it has.
bool WaitUntilCounting(HWND alarm) {
    return PumpUntil(kShortWait, [&] { return ItemText(alarm, IDOK) != "&OK"; });
}

struct TAlarmSetup {
    std::string Message = "Time for the meeting";
    std::string TimeText = "7:30:00";
    int32_t Countdown = 10;
    bool ToneOn = false;
    std::string Tone;
    bool EventOn = false;
    int32_t Event = 0;
    bool Preview = false;
};

int ShowAlarm(IPlatform& platform, const TAlarmSetup& setup, HWND mainWindow = nullptr) {
    TfrmAlarm alarm(platform);
    alarm.SetAlarmText(setup.Message, setup.TimeText, setup.Countdown);
    alarm.SetAlarmTone(setup.ToneOn, setup.Tone);
    alarm.SetAlarmEvent(setup.EventOn, setup.Event, setup.Preview);
    return alarm.ShowModal(GetModuleHandleA(nullptr), mainWindow);
}

class AlarmWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.FakeScreenWidth = GetSystemMetrics(SM_CXSCREEN);
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        platform.FakeWorkAreaHeight = work.bottom - work.top;
    }
    TTempFolder folder;
    TFakePlatform platform;
};

}  // namespace

TEST_F(AlarmWindowTest, CountsDownOnARealTimerRocksTheClockAndClosesAsAcknowledged) {
    TAlarmSetup setup;
    setup.Countdown = 3;
    setup.EventOn = true;
    setup.Event = 1;
    setup.ToneOn = true;
    setup.Tone = WindowsPath(folder.File("Ring.WAV"));
    WriteFileText(folder.File("Ring.WAV"), "RIFF");
    const DWORD start = GetTickCount();
    TModalOnThread run([&] { return ShowAlarm(platform, setup); });
    HWND alarm = run.WaitForWindow(TfrmAlarm::Caption);
    ASSERT_NE(alarm, nullptr);

    // What the window is: an unowned top-most window of the desktop with only a close box.
    EXPECT_EQ(Text(alarm), "Quorlet Alarm");
    EXPECT_EQ(GetWindow(alarm, GW_OWNER), nullptr);
    EXPECT_EQ(GetAncestor(alarm, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(GetWindowLongPtrA(alarm, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const LONG_PTR style = GetWindowLongPtrA(alarm, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(ItemText(alarm, IDC_ALARM_MESSAGE), "Time for the meeting");
    EXPECT_EQ(ItemText(alarm, IDC_ALARM_TIME), "7:30:00");
    EXPECT_EQ(ItemText(alarm, IDC_ALARM_SNOOZE), "S&nooze 10min");
    ASSERT_TRUE(WaitUntilCounting(alarm));

    // Captions as they change, and the frames of the clock.
    // A frame change seen half done from this thread passes; a state without
    // exactly one frame that lasts is a fault.
    std::vector<std::string> captions;
    std::vector<int> frames;
    DWORD oddSince = 0;
    bool oddLasted = false;
    PumpUntil(6000, [&] {
        const std::string caption = ItemText(alarm, IDOK);
        if (!run.Done() && IsWindow(alarm) && (captions.empty() || captions.back() != caption))
            captions.push_back(caption);
        const int frame = VisibleFrame(alarm);
        if (run.Done() || !IsWindow(alarm)) return run.Done();
        if (frame < 0) {
            if (!oddSince) oddSince = GetTickCount();
            oddLasted = oddLasted || GetTickCount() - oddSince > 150;
        } else {
            oddSince = 0;
            if (frames.empty() || frames.back() != frame) frames.push_back(frame);
        }
        return run.Done();
    });
    EXPECT_FALSE(oddLasted);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(run.Result(), 1);
    ASSERT_GE(captions.size(), 3u);
    EXPECT_EQ(captions[0], "&Shutdown  3");
    EXPECT_EQ(captions[1], "&Shutdown    2");
    EXPECT_EQ(captions[2], "&Shutdown    1");
    // Closed at the fifth tick, two and a half seconds after showing (with the
    // opening animation and a slow machine's share on top).
    EXPECT_GE(elapsed, 2400u);
    EXPECT_LT(elapsed, 5500u);
    // The clock rocked: left, upright, right, upright in turn.
    ASSERT_GE(frames.size(), 3u);
    for (size_t k = 1; k < frames.size(); ++k)
        EXPECT_TRUE(frames[k - 1] == 1 || frames[k] == 1) << frames[k - 1] << " then " << frames[k];
    EXPECT_NE(std::find(frames.begin(), frames.end(), 0), frames.end());
    EXPECT_NE(std::find(frames.begin(), frames.end(), 2), frames.end());
    // The tone played once at the start and was purged at the close.
    EXPECT_EQ(platform.ToneCalls, (std::vector<std::string>{"play " + setup.Tone, "stop"}));
}

TEST_F(AlarmWindowTest, OkGivesOneSnoozeAndTheCloseBoxGiveTwo) {
    struct Case {
        const char* Name;
        std::function<void(HWND)> Close;
        int Result;
    } cases[] = {
        {"OK", [](HWND alarm) { Click(alarm, IDOK); }, 1},
        {"snooze", [](HWND alarm) { Click(alarm, IDC_ALARM_SNOOZE); }, 2},
        {"close box", [](HWND alarm) { PostMessageA(alarm, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
    };
    for (const Case& c : cases) {
        TAlarmSetup setup;
        setup.Preview = true;
        TModalOnThread run([&] { return ShowAlarm(platform, setup); });
        HWND alarm = run.WaitForWindow(TfrmAlarm::Caption);
        ASSERT_NE(alarm, nullptr) << c.Name;
        EXPECT_EQ(Text(alarm), "Quorlet Alarm - preview only") << c.Name;
        EXPECT_TRUE(WaitUntilCounting(alarm)) << c.Name;
        EXPECT_EQ(ItemText(alarm, IDOK), "&Ok  10") << c.Name;
        c.Close(alarm);
        EXPECT_EQ(run.Result(), c.Result) << c.Name;
        EXPECT_EQ(platform.ToneCalls.back(), "stop") << c.Name;
    }
}

TEST_F(AlarmWindowTest, OpensAboveTheMainWindowBelowItAtTheTopAndBottomRightWhenHidden) {
    TWin32Platform real(GetModuleHandleA(nullptr));
    HWND main = CreateWindowExA(0, "STATIC", "main", WS_POPUP | WS_BORDER, 200, 400, 300, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(main, nullptr);
    struct Case {
        const char* Name;
        int MainTop;
        bool Shown;
    } cases[] = {{"room above", 400, true}, {"at the top", 5, true}, {"hidden", 400, false}};
    for (const Case& c : cases) {
        SetWindowPos(main, nullptr, 200, c.MainTop, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(main, c.Shown ? SW_SHOWNOACTIVATE : SW_HIDE);
        TModalOnThread run([&] { return ShowAlarm(real, TAlarmSetup(), main); });
        HWND alarm = run.WaitForWindow(TfrmAlarm::Caption);
        ASSERT_NE(alarm, nullptr) << c.Name;
        RECT a, m;
        GetWindowRect(alarm, &a);
        GetWindowRect(main, &m);
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        if (!c.Shown) {
            EXPECT_EQ(a.right, GetSystemMetrics(SM_CXSCREEN)) << c.Name;
            EXPECT_EQ(a.bottom, work.bottom - work.top) << c.Name;
        } else if (c.MainTop > a.bottom - a.top) {
            EXPECT_EQ(a.left, m.left) << c.Name;
            EXPECT_EQ(a.bottom, m.top) << c.Name;
        } else {
            EXPECT_EQ(a.left, m.left) << c.Name;
            EXPECT_EQ(a.top, m.bottom) << c.Name;
        }
        if (c.MainTop == 400 && c.Shown) {
            EXPECT_TRUE(WaitUntilCounting(alarm));
            EXPECT_EQ(SaveWindowPicture(alarm, ScreenshotPath("alarm-window.bmp"), kMovingPictureStillMs), "");
        }
        Click(alarm, IDC_ALARM_SNOOZE);
        EXPECT_EQ(run.Result(), 2) << c.Name;
    }
    DestroyWindow(main);
}

// The alarm dialog.

namespace {

class AlarmConfigTest : public AlarmWindowTest {
protected:
    void SetUp() override {
        AlarmWindowTest::SetUp();
        platform.FakeExecutableName = "C:\\Tools\\Quorlet.exe";
        platform.FakeNow = MakeDateTime(2026, 12, 10, 9, 41, 7);
        settings.AlarmTime = MakeDateTime(2026, 12, 1, 6, 45, 30);
    }
    int ShowDialog() {
        TfrmAlarmConfig dialog(platform, settings);
        return dialog.ShowModal(GetModuleHandleA(nullptr), nullptr);
    }
    bool Enabled(HWND dialog, int id) { return IsWindowEnabled(Ctl(dialog, id)) != FALSE; }
    bool Checked(HWND dialog, int id) {
        return SendMessageA(Ctl(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    TAppSettingXml settings{platform};
};

const int kAlwaysEnabled[] = {IDC_CFG_ALARMON, IDC_CFG_TIMEROUT, IDC_CFG_IMAGEENABLED, IDC_CFG_IMAGEDISABLED,
                              IDOK, IDCANCEL, IDC_CFG_HELP};
const int kFollowAlarm[] = {IDC_CFG_TIME, IDC_CFG_MESSAGE, IDC_CFG_TONEON, IDC_CFG_EVENTON, IDC_CFG_REPEAT,
                            IDC_CFG_TEST};

}  // namespace

TEST_F(AlarmConfigTest, RealControlsFollowTheRulesAndOkStoresTheClampedRingLength) {
    settings.TimerOut = 5;
    settings.RepeatOn = true;
    settings.Day2 = true;
    TModalOnThread run([&] { return ShowDialog(); });
    HWND dialog = run.WaitForWindow("Alarm Clock");
    ASSERT_NE(dialog, nullptr);

    // The real common controls, and the title clock.
    char cls[64] = {};
    GetClassNameA(Ctl(dialog, IDC_CFG_TIME), cls, sizeof cls);
    EXPECT_STREQ(cls, "SysDateTimePick32");
    EXPECT_TRUE(GetWindowLongPtrA(Ctl(dialog, IDC_CFG_TIME), GWL_STYLE) & DTS_TIMEFORMAT);
    GetClassNameA(Ctl(dialog, IDC_CFG_TIMEROUTSPIN), cls, sizeof cls);
    EXPECT_STREQ(cls, "msctls_updown32");
    EXPECT_EQ(Text(dialog), "Alarm Clock  9:41:07");
    SYSTEMTIME shown = {};
    SendMessageA(Ctl(dialog, IDC_CFG_TIME), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown.wHour * 10000 + shown.wMinute * 100 + shown.wSecond, 64530);

    // Off: only the always-enabled controls can be used; the resting picture shows.
    for (int id : kAlwaysEnabled) EXPECT_TRUE(Enabled(dialog, id)) << id;
    for (int id : kFollowAlarm) EXPECT_FALSE(Enabled(dialog, id)) << id;
    EXPECT_FALSE(Enabled(dialog, IDC_CFG_DAY0 + 2));
    EXPECT_TRUE(Checked(dialog, IDC_CFG_DAY0 + 2));
    EXPECT_FALSE(IsWindowVisible(Ctl(dialog, IDC_CFG_IMAGEENABLED)));
    EXPECT_TRUE(IsWindowVisible(Ctl(dialog, IDC_CFG_IMAGEDISABLED)));
    EXPECT_EQ(ItemText(dialog, IDC_CFG_TIMEROUT), "10");

    // A click on the picture switches the alarm on, with the two defaults.
    SendMessageA(GetParent(Ctl(dialog, IDC_CFG_IMAGEDISABLED)), WM_COMMAND, MAKEWPARAM(IDC_CFG_IMAGEDISABLED, STN_CLICKED),
                 reinterpret_cast<LPARAM>(Ctl(dialog, IDC_CFG_IMAGEDISABLED)));
    EXPECT_TRUE(Checked(dialog, IDC_CFG_ALARMON));
    for (int id : kFollowAlarm) EXPECT_TRUE(Enabled(dialog, id)) << id;
    EXPECT_TRUE(Enabled(dialog, IDC_CFG_DAY0 + 2));
    EXPECT_TRUE(IsWindowVisible(Ctl(dialog, IDC_CFG_IMAGEENABLED)));
    EXPECT_EQ(ItemText(dialog, IDC_CFG_MESSAGE), "Input your message for Alarm here");
    EXPECT_TRUE(Checked(dialog, IDC_CFG_TONEON));
    EXPECT_EQ(ItemText(dialog, IDC_CFG_TONE), "C:\\Tools\\Alarm1.wav");
    EXPECT_TRUE(Enabled(dialog, IDC_CFG_TONEBROWSE));
    EXPECT_FALSE(Enabled(dialog, IDC_CFG_EVENT));

    // Unchecking repeat disables the days but keeps their ticks.
    SendMessageA(Ctl(dialog, IDC_CFG_REPEAT), BM_CLICK, 0, 0);
    EXPECT_FALSE(Enabled(dialog, IDC_CFG_DAY0 + 2));
    EXPECT_TRUE(Checked(dialog, IDC_CFG_DAY0 + 2));

    // Typing 75 (a letter is refused) and leaving the field shows 60.
    HWND field = Ctl(dialog, IDC_CFG_TIMEROUT);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    SendMessageA(field, EM_SETSEL, 0, -1);
    for (char c : std::string("7x5")) SendMessageA(field, WM_CHAR, static_cast<WPARAM>(c), 0);
    EXPECT_EQ(Text(field), "75");
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Ctl(dialog, IDC_CFG_MESSAGE)), TRUE);
    EXPECT_EQ(Text(field), "60");

    EXPECT_EQ(SaveWindowPicture(dialog, ScreenshotPath("alarm-dialog.bmp")), "");

    Click(dialog, IDOK);
    EXPECT_EQ(run.Result(), 1);
    EXPECT_TRUE(settings.AlarmOn);
    EXPECT_EQ(settings.TimerOut, 60);
    EXPECT_EQ(settings.Message, "Input your message for Alarm here");
    EXPECT_TRUE(settings.ToneOn);
    EXPECT_EQ(settings.Tone, "C:\\Tools\\Alarm1.wav");
    EXPECT_FALSE(settings.RepeatOn);
    EXPECT_TRUE(settings.Day2);
    EXPECT_EQ(settings.AlarmTime, MakeDateTime(2026, 12, 1, 6, 45, 30));
}

TEST_F(AlarmConfigTest, CancelStoresNothingAndTheTestPreviewsWithoutEndingTheSession) {
    settings.AlarmOn = true;
    settings.Message = "Stretch";
    settings.SystemEventOn = true;
    settings.SystemEvent = 1;
    TModalOnThread run([&] { return ShowDialog(); });
    HWND dialog = run.WaitForWindow("Alarm Clock");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Enabled(dialog, IDC_CFG_EVENT));
    EXPECT_EQ(SendMessageA(Ctl(dialog, IDC_CFG_EVENT), CB_GETCURSEL, 0, 0), 1);

    Click(dialog, IDC_CFG_TEST);
    HWND preview = nullptr;
    PumpUntil(kShortWait, [&] {
        preview = FindWindowA(nullptr, "Quorlet Alarm - preview only");
        return preview && IsWindowVisible(preview);
    });
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(WaitUntilCounting(preview));
    EXPECT_EQ(ItemText(preview, IDOK), "&Shutdown  10");
    EXPECT_EQ(ItemText(preview, IDC_ALARM_MESSAGE), "Stretch");
    EXPECT_EQ(ItemText(preview, IDC_ALARM_TIME), "6:45:30");
    EXPECT_EQ(SaveWindowPicture(preview, ScreenshotPath("alarm-preview.bmp"), kMovingPictureStillMs), "");
    Click(preview, IDOK);
    PumpUntil(kShortWait, [&] { return !IsWindow(preview); });
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_TRUE(platform.SessionCalls.empty());

    SetWindowTextA(Ctl(dialog, IDC_CFG_MESSAGE), "changed");
    Click(dialog, IDCANCEL);
    EXPECT_EQ(run.Result(), 2);
    EXPECT_EQ(settings.Message, "Stretch");
}

TEST_F(AlarmConfigTest, HelpOpensTheAlarmTopic) {
    TModalOnThread run([&] { return ShowDialog(); });
    HWND dialog = run.WaitForWindow("Alarm Clock");
    ASSERT_NE(dialog, nullptr);
    SendMessageA(Ctl(dialog, IDC_CFG_HELP), BM_CLICK, 0, 0);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(run.Result(), 2);
    ASSERT_EQ(platform.ShellOpenCalls.size(), 1u);
    EXPECT_EQ(platform.ShellOpenCalls[0].File, "hh.exe");
    EXPECT_NE(platform.ShellOpenCalls[0].Parameters.find("::/Alarm Config.htm"), std::string::npos);
}
