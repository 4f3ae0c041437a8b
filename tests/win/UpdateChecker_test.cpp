// The update checker in this process against a loopback server: the bytes it
// sends, the boxes it shows for each outcome with their owner, the download
// page it opens, and the bounds it keeps against servers that misbehave.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

#include "LoopbackHttpServer.h"
#include "WinTestSupport.h"
#include "app/TUpdateChecker.h"
#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "settings/UAppSettingXml.h"

using namespace quorlet;

namespace {

// A message box as another thread saw it, and what it answered.
struct TSeenBox {
    std::string Caption, Text;
    HICON Icon = nullptr;
    HWND Owner = nullptr;
    bool HasYes = false;
    int LabelCallsBefore = 0;
};

// Answers the message boxes of one thread from a thread of its own: OK, or
// for a question the given answer.
class TBoxAnswerer {
public:
    TBoxAnswerer(DWORD thread, int questionAnswer, const std::atomic<int>& labelCalls)
        : FThreadId(thread), FAnswer(questionAnswer), FLabelCalls(labelCalls), FThread([this] { Run(); }) {}
    ~TBoxAnswerer() {
        FStop = true;
        FThread.join();
    }
    std::vector<TSeenBox> Boxes() const {
        std::lock_guard<std::mutex> guard(FLock);
        return FBoxes;
    }

private:
    void Run() {
        while (!FStop) {
            HWND box = FindBox();
            if (!box) {
                Sleep(20);
                continue;
            }
            TSeenBox seen;
            seen.LabelCallsBefore = FLabelCalls.load();
            char text[512] = {};
            GetWindowTextA(box, text, sizeof text);
            seen.Caption = text;
            text[0] = '\0';
            GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
            seen.Text = text;
            seen.Owner = GetWindow(box, GW_OWNER);
            seen.HasYes = GetDlgItem(box, IDYES) != nullptr;
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && !seen.Icon)
                    seen.Icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
            {
                std::lock_guard<std::mutex> guard(FLock);
                FBoxes.push_back(seen);
            }
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(seen.HasYes ? FAnswer : IDOK, BN_CLICKED), 0);
            while (!FStop && IsWindow(box)) Sleep(20);
        }
    }
    HWND FindBox() const {
        HWND found = nullptr;
        EnumThreadWindows(
            FThreadId,
            [](HWND window, LPARAM param) -> BOOL {
                char cls[32] = {};
                GetClassNameA(window, cls, sizeof cls);
                if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
                *reinterpret_cast<HWND*>(param) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    DWORD FThreadId;
    int FAnswer;
    const std::atomic<int>& FLabelCalls;
    mutable std::mutex FLock;
    std::vector<TSeenBox> FBoxes;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

// Takes WM_UPDATE_CHECKED as the main window does.
class TReceiver {
public:
    TReceiver() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "UpdateCheckerTestReceiver";
        RegisterClassA(&wc);
        FHandle = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TReceiver() { DestroyWindow(FHandle); }
    HWND Handle() const { return FHandle; }
    TUpdateChecker* Checker = nullptr;
    int Arrived = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TReceiver*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (message == WM_UPDATE_CHECKED && self) {
            ++self->Arrived;
            if (self->Checker) self->Checker->Finished(wParam);
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HWND FHandle = nullptr;
};

class UpdateCheckerTest : public ::testing::Test {
protected:
    void SetUp() override {
        FSavedSettingFile = SettingFileName;
        SettingFileName = folder.File("QL_alice.xml");
        platform.FakeNow = MakeDateTime(2025, 6, 2, 10, 20, 30);
        SetAppSettingXml(std::make_unique<TAppSettingXml>(platform));
        AppSettingXml().LoadSettings();
        AppSettingXml().LastVersion = "1.2";
        AppSettingXml().SaveSettings();
        owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_BORDER | WS_VISIBLE, 160, 140, 420, 260, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        receiver.Checker = checker.get();
    }
    void TearDown() override {
        receiver.Checker = nullptr;
        checker.reset();
        DestroyWindow(owner);
        ResetAppSettingXml();
        SettingFileName = FSavedSettingFile;
    }

    bool StartCheck(int port, TUpdateCheckKind kind) {
        return checker->Start(receiver.Handle(), {"127.0.0.1", port}, kind, owner, [this] {
            ++labelCalls;
            labelVersion = AppSettingXml().LastVersion;
        });
    }
    bool WaitForEnd(DWORD ms) {
        return PumpUntil(ms, [&] { return receiver.Arrived > 0 && !checker->Busy(); });
    }
    // The settings as the file holds them now.
    std::unique_ptr<TAppSettingXml> Saved() {
        auto saved = std::make_unique<TAppSettingXml>(platform);
        saved->LoadSettings();
        return saved;
    }

    TTempFolder folder;
    TFakePlatform platform;
    TReceiver receiver;
    std::unique_ptr<TUpdateChecker> checker = std::make_unique<TUpdateChecker>(platform);
    HWND owner = nullptr;
    std::atomic<int> labelCalls{0};
    std::string labelVersion;

private:
    std::string FSavedSettingFile;
};

const char kRequestStart[] =
    "POST /version.php HTTP/1.0\r\n"
    "Content-Type: application/x-www-form-urlencoded\r\n"
    "Accept: text/html, */*\r\n"
    "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";

}  // namespace

TEST_F(UpdateCheckerTest, ManualCheckSendsTheRequestAndSaysUpToDateAfterTheLabelsFollow) {
    TLoopbackHttpServer server(TServerBehaviour::Reply, "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n1.3.0.1");
    TBoxAnswerer answerer(GetCurrentThreadId(), IDNO, labelCalls);
    ASSERT_TRUE(StartCheck(server.Port(), TUpdateCheckKind::Manual));
    // One at a time.
    EXPECT_FALSE(StartCheck(server.Port(), TUpdateCheckKind::Manual));
    ASSERT_TRUE(WaitForEnd(10000));

    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0], std::string(kRequestStart) + "Host: 127.0.0.1:" +
                                        std::to_string(server.Port()) + "\r\nContent-Length: 0\r\n\r\n");
    const std::vector<TSeenBox> boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "Quorlet Update");
    EXPECT_EQ(boxes[0].Text, "There are no updates available at this time.\r\n\r\nYour Quorlet is up-to-date.");
    EXPECT_NE(boxes[0].Icon, nullptr);
    EXPECT_EQ(boxes[0].Icon, LoadIcon(nullptr, IDI_INFORMATION));
    EXPECT_FALSE(boxes[0].HasYes);
    EXPECT_EQ(boxes[0].Owner, owner);
    EXPECT_EQ(boxes[0].LabelCallsBefore, 1);
    EXPECT_EQ(labelCalls.load(), 1);
    EXPECT_EQ(labelVersion, "1.3.0.1");

    const auto saved = Saved();
    EXPECT_TRUE(saved->LastCheckingKnown);
    EXPECT_EQ(saved->LastChecking, platform.FakeNow);
    EXPECT_EQ(saved->LastVersion, "1.3.0.1");
    EXPECT_TRUE(platform.ShellOpenCalls.empty());
    EXPECT_FALSE(checker->Busy());
}

TEST_F(UpdateCheckerTest, ManualCheckThatFailsSaysSoAndChangesNothing) {
    struct TCase {
        const char* What;
        TServerBehaviour Behaviour;
        const char* Reply;
    } cases[] = {
        {"404", TServerBehaviour::Reply, "HTTP/1.1 404 Not Found\r\n\r\n1.4"},
        {"redirect", TServerBehaviour::Reply, "HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1/\r\n\r\n"},
        {"garbage", TServerBehaviour::Reply, "SSH-2.0-OpenSSH\r\n\r\n"},
        {"portal page", TServerBehaviour::Reply,
         "HTTP/1.1 200 OK\r\n\r\n<html><head><title>Sign in</title></head><body>Sign in first</body></html>"},
        {"refused", TServerBehaviour::Reply, nullptr},
    };
    const std::string before = ReadFileText(SettingFileName);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        std::unique_ptr<TLoopbackHttpServer> server;
        if (c.Reply) server = std::make_unique<TLoopbackHttpServer>(c.Behaviour, c.Reply);
        receiver.Arrived = 0;
        labelCalls = 0;
        TBoxAnswerer answerer(GetCurrentThreadId(), IDYES, labelCalls);
        ASSERT_TRUE(StartCheck(server ? server->Port() : UnusedLoopbackPort(), TUpdateCheckKind::Manual));
        ASSERT_TRUE(WaitForEnd(10000));
        const std::vector<TSeenBox> boxes = answerer.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Caption, "Quorlet Update");
        EXPECT_EQ(boxes[0].Text, "Connecting internet fail, please try later again.");
        EXPECT_NE(boxes[0].Icon, nullptr);
        EXPECT_EQ(boxes[0].Icon, LoadIcon(nullptr, IDI_INFORMATION));
        EXPECT_EQ(boxes[0].Owner, owner);
        EXPECT_EQ(labelCalls.load(), 0);
        EXPECT_EQ(ReadFileText(SettingFileName), before);
        EXPECT_FALSE(AppSettingXml().LastCheckingKnown);
    }
    EXPECT_TRUE(platform.ShellOpenCalls.empty());
}

TEST_F(UpdateCheckerTest, ANewerVersionIsAskedAboutAndYesOpensTheDownloadPageOwnedByTheAsker) {
    struct TCase {
        TUpdateCheckKind Kind;
        int Answer;
    } cases[] = {
        {TUpdateCheckKind::Automatic, IDYES},
        {TUpdateCheckKind::Automatic, IDNO},
        {TUpdateCheckKind::Manual, IDYES},
        {TUpdateCheckKind::Manual, IDNO},
    };
    for (const TCase& c : cases) {
        const bool manual = c.Kind == TUpdateCheckKind::Manual;
        SCOPED_TRACE(std::string(manual ? "manual" : "automatic") + (c.Answer == IDYES ? ", yes" : ", no"));
        TLoopbackHttpServer server(TServerBehaviour::Reply, "HTTP/1.1 200 OK\r\n\r\n1.4.0.0");
        AppSettingXml().LastVersion = "1.2";
        platform.ShellOpenCalls.clear();
        receiver.Arrived = 0;
        labelCalls = 0;
        TBoxAnswerer answerer(GetCurrentThreadId(), c.Answer, labelCalls);
        ASSERT_TRUE(StartCheck(server.Port(), c.Kind));
        ASSERT_TRUE(WaitForEnd(10000));

        const std::vector<TSeenBox> boxes = answerer.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Caption, "Quorlet Update");
        EXPECT_EQ(boxes[0].Text,
                  "There is a newer version available.\r\n\r\nWould you like to update to the latest version now?");
        EXPECT_NE(boxes[0].Icon, nullptr);
        EXPECT_EQ(boxes[0].Icon, LoadIcon(nullptr, IDI_QUESTION));
        EXPECT_TRUE(boxes[0].HasYes);
        EXPECT_EQ(boxes[0].Owner, owner);
        // The options dialog shows the new version behind the question.
        EXPECT_EQ(boxes[0].LabelCallsBefore, manual ? 1 : 0);
        EXPECT_EQ(labelCalls.load(), manual ? 1 : 0);

        ASSERT_EQ(platform.ShellOpenCalls.size(), c.Answer == IDYES ? 1u : 0u);
        if (c.Answer == IDYES) {
            const TShellOpenCall& call = platform.ShellOpenCalls[0];
            EXPECT_EQ(call.Verb, "open");
            EXPECT_EQ(call.File, "http://127.0.0.1:" + std::to_string(server.Port()) + "/download.php");
            EXPECT_EQ(call.ShowCommand, SW_SHOWNORMAL);
            EXPECT_EQ(call.Owner, TShellOwner::Window);
            EXPECT_EQ(call.OwnerWindow, owner);
        }
        EXPECT_EQ(Saved()->LastVersion, "1.4.0.0");
    }
}

TEST_F(UpdateCheckerTest, MisbehavingServersEndTheCheckWithinItsBoundWithoutATrace) {
    struct TCase {
        const char* What;
        TServerBehaviour Behaviour;
        DWORD LimitMs;
        DWORD AtLeastMs, AtMostMs;
    } cases[] = {
        {"never answers", TServerBehaviour::NeverAnswer, 1500, 1300, 4000},
        {"answers forever", TServerBehaviour::Drip, 1500, 1300, 4000},
        // Reading stops past 64 KiB, long before the bound.
        {"100 MB", TServerBehaviour::Flood, 20000, 0, 5000},
    };
    const std::string before = ReadFileText(SettingFileName);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TLoopbackHttpServer server(c.Behaviour);
        receiver.Arrived = 0;
        TBoxAnswerer answerer(GetCurrentThreadId(), IDYES, labelCalls);
        checker->SetTimeLimit(c.LimitMs);
        const ULONGLONG start = GetTickCount64();
        ASSERT_TRUE(StartCheck(server.Port(), TUpdateCheckKind::Automatic));
        // The user-interface thread does not wait for the network.
        EXPECT_LT(GetTickCount64() - start, 200u);
        ASSERT_TRUE(WaitForEnd(c.AtMostMs));
        const ULONGLONG took = GetTickCount64() - start;
        EXPECT_GE(took, c.AtLeastMs);
        EXPECT_EQ(receiver.Arrived, 1);
        EXPECT_TRUE(answerer.Boxes().empty());
        EXPECT_EQ(ReadFileText(SettingFileName), before);
        if (c.Behaviour == TServerBehaviour::Flood) {
            EXPECT_LT(server.BodyBytesSent(), 100LL * 1024 * 1024);
        }
        // The connection is closed, not left open.
        EXPECT_TRUE(PumpUntil(3000, [&] { return server.ClosedByClient() == 1 || server.Stopped(); }));
    }
}

TEST_F(UpdateCheckerTest, DestroyingTheCheckerWhileACheckWaitsReturnsAtOnceAndLeavesNothingBehind) {
    TLoopbackHttpServer server(TServerBehaviour::NeverAnswer);
    const std::vector<DWORD> before = ThreadIdsOfThisProcess();
    ASSERT_TRUE(StartCheck(server.Port(), TUpdateCheckKind::Manual));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return server.Requests().size() == 1; }));
    // The check's own threads: the one that would post its end, and the worker.
    std::vector<TUniqueHandle> checkThreads;
    for (DWORD id : ThreadIdsOfThisProcess())
        if (std::find(before.begin(), before.end(), id) == before.end())
            if (HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id)) checkThreads.emplace_back(thread);
    EXPECT_FALSE(checkThreads.empty());
    receiver.Checker = nullptr;
    const ULONGLONG start = GetTickCount64();
    checker.reset();
    EXPECT_LT(GetTickCount64() - start, 200u);
    // The worker lets the connection go, and no end is posted: once the
    // check's threads have ended, anything they posted is in this queue.
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return server.ClosedByClient() == 1; }));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] {
        for (const TUniqueHandle& thread : checkThreads)
            if (WaitForSingleObject(thread.Get(), 0) != WAIT_OBJECT_0) return false;
        return true;
    })) << "the check's threads did not end";
    PumpPending();
    EXPECT_EQ(receiver.Arrived, 0);
}
