// The error boundary of the program's windows: an error raised while a message
// is handled is shown in a "Quorlet" error box, the message's work stops, and
// the window and the program go on.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>

#include "WinTestSupport.h"
#include "win32/ErrorBoundary.h"
#include "resources/resource.h"
#include "win32/TModalDialog.h"
#include "win32/TWindowBase.h"

using namespace quorlet;

namespace {

const UINT WM_FAIL = WM_APP + 1;
const UINT WM_FAIL_TWICE = WM_APP + 2;

class TFailingWindow : public TWindowBase {
public:
    bool Create() {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        return RegisterWindowClass(instance, "TFailingWindow", nullptr, nullptr,
                                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) &&
               CreateHandle(0, "TFailingWindow", "Failing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                            nullptr, GetModuleHandleA(nullptr));
    }
    int Paints = 0;
    int TimerFailures = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_FAIL:
            throw std::runtime_error("Cannot write file \"C:\\x.xml\"");
        case WM_FAIL_TWICE:
            // A timer that fails while this failure's box is open.
            SetTimer(Handle(), 1, 20, nullptr);
            throw std::logic_error("first");
        case WM_TIMER:
            KillTimer(Handle(), 1);
            ++TimerFailures;
            throw std::runtime_error("timer");
        case WM_PAINT:
            if (FailPaint) {
                ++Paints;
                throw std::runtime_error("paint");
            }
            break;
        default:
            break;
        }
        return DefaultHandler(message, wParam, lParam);
    }

public:
    bool FailPaint = false;
};

struct TSeenBox {
    std::string Caption, Text;
    bool ErrorIcon = false;
    HWND Owner = nullptr;
};

std::vector<TSeenBox> g_seen;
HWND g_seenWindow = nullptr;  // the box answered last

BOOL CALLBACK AnswerBox(HWND window, LPARAM) {
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    TSeenBox seen;
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    seen.Caption = text;
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
    seen.Text = text;
    const HICON error = LoadIconA(nullptr, IDI_HAND);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == error) seen.ErrorIcon = true;
    seen.Owner = GetWindow(window, GW_OWNER);
    g_seen.push_back(seen);
    g_seenWindow = window;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return TRUE;
}

// Runs inside the box's own message loop.
void CALLBACK LookForBoxes(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), &AnswerBox, 0); }

class ErrorBoundaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_seen.clear();
        ASSERT_TRUE(window.Create());
        timer = SetTimer(nullptr, 0, 100, &LookForBoxes);
    }
    void TearDown() override { KillTimer(nullptr, timer); }
    TFailingWindow window;
    UINT_PTR timer = 0;
};

}  // namespace

TEST_F(ErrorBoundaryTest, AFailedMessageIsShownAndTheWindowGoesOn) {
    EXPECT_EQ(SendMessageA(window.Handle(), WM_FAIL, 0, 0), 0);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].Caption, "Quorlet");
    EXPECT_EQ(g_seen[0].Text, "Cannot write file \"C:\\x.xml\"");
    EXPECT_TRUE(g_seen[0].ErrorIcon);
    EXPECT_EQ(g_seen[0].Owner, window.Handle());
    EXPECT_TRUE(IsWindow(window.Handle()));
    EXPECT_TRUE(IsWindowEnabled(window.Handle()));

    // A second failure while the box is open is not stacked on top of it.
    g_seen.clear();
    EXPECT_EQ(SendMessageA(window.Handle(), WM_FAIL_TWICE, 0, 0), 0);
    EXPECT_EQ(window.TimerFailures, 1);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].Text, "first");
}

TEST_F(ErrorBoundaryTest, AFailedPaintIsShownOnceNotOverAndOver) {
    window.FailPaint = true;
    InvalidateRect(window.Handle(), nullptr, TRUE);
    // Shown and answered, and nothing left to paint: no paint can come again.
    EXPECT_TRUE(PumpUntil(kShortWait, [&] {
        return !g_seen.empty() && !IsWindow(g_seenWindow) && !GetUpdateRect(window.Handle(), nullptr, FALSE);
    })) << window.Paints << " paints";
    EXPECT_EQ(window.Paints, 1);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].Text, "paint");
}

TEST(ErrorBoundary, GuardedCallsGiveTheFallback) {
    g_seen.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &LookForBoxes);
    EXPECT_EQ(RunGuarded(nullptr, 7, [] { return 3; }), 3);
    EXPECT_EQ(RunGuarded(nullptr, 7, []() -> int { throw 42; }), 7);
    KillTimer(nullptr, timer);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].Text, "An unexpected error occurred.");
}

namespace {

// A dialog whose snooze button fails; set up to fail at its start if asked.
class TFailingDialog : public TModalDialog {
public:
    bool FailAtStart = false;
    int Snoozes = 0;

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) override {
        if (message == WM_INITDIALOG) {
            if (FailAtStart) throw std::runtime_error("cannot set up");
            PostMessageA(Handle(), WM_COMMAND, IDC_ALARM_SNOOZE, 0);
            PostMessageA(Handle(), WM_COMMAND, IDOK, 0);
            return TRUE;
        }
        if (message != WM_COMMAND) return FALSE;
        if (LOWORD(wParam) == IDC_ALARM_SNOOZE) {
            ++Snoozes;
            throw std::runtime_error("snooze failed");
        }
        if (LOWORD(wParam) == IDOK) EndDialog(Handle(), 1);
        return TRUE;
    }
};

}  // namespace

TEST(ErrorBoundary, DialogsShowAFailedCommandAndGoOnAndCloseWhenTheyCannotStart) {
    g_seen.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &LookForBoxes);
    TFailingDialog dialog;
    EXPECT_EQ(dialog.ShowModal(GetModuleHandleA(nullptr), IDD_ALARM, nullptr), 1);
    EXPECT_EQ(dialog.Snoozes, 1);
    TFailingDialog broken;
    broken.FailAtStart = true;
    EXPECT_EQ(broken.ShowModal(GetModuleHandleA(nullptr), IDD_ALARM, nullptr), IDCANCEL);
    KillTimer(nullptr, timer);
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].Text, "snooze failed");
    EXPECT_EQ(g_seen[0].Caption, "Quorlet");
    EXPECT_EQ(g_seen[1].Text, "cannot set up");
}
