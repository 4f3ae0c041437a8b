// End-to-end: the real Quorlet.exe started with /updatehost= pointing at a
// loopback server of this test. The automatic check comes a few seconds
// after the window becomes active with the exact request; a newer version is
// asked about, and Yes hands the download page to the shell, whose handler
// for http addresses is the recorder program for the test. A server that
// never answers leaves the window responsive and the program ends at once.
// The options dialog's button checks at once and its labels follow.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "CellProbe.h"
#include "LoopbackHttpServer.h"
#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "app/UMain.h"
#include "resources/resource.h"
#include "fakes/TempFolder.h"
#include "settings/UAppSettingXml.h"

using namespace quorlet;

namespace {

// The shell's command for http addresses, replaced for the test's lifetime
// and put back afterwards.
class THttpHandlerScope {
public:
    explicit THttpHandlerScope(const std::string& command) {
        FHadOld = Read(FOld);
        FSet = Write(command);
    }
    ~THttpHandlerScope() {
        if (!FSet) return;
        if (FHadOld)
            Write(FOld);
        else
            RegDeleteKeyA(HKEY_CLASSES_ROOT, kKey);
    }
    bool Set() const { return FSet; }

private:
    static constexpr const char* kKey = "http\\shell\\open\\command";
    static bool Read(std::string& value) {
        char text[1024] = {};
        LONG size = sizeof text;
        if (RegQueryValueA(HKEY_CLASSES_ROOT, kKey, text, &size) != ERROR_SUCCESS) return false;
        value = text;
        return true;
    }
    static bool Write(const std::string& value) {
        return RegSetValueA(HKEY_CLASSES_ROOT, kKey, REG_SZ, value.c_str(), static_cast<DWORD>(value.size())) ==
               ERROR_SUCCESS;
    }
    bool FHadOld = false, FSet = false;
    std::string FOld;
};

class UpdateEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.File("Quorlet.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        ASSERT_FALSE(settings.LastCheckingKnown);
        settings.AutoCheckUpdate = true;
        settings.LastPanelIndex = 1;
        settings.X = 200;
        settings.Y = 200;
        settings.SaveSettings();
    }
    void TearDown() override {
        if (process.Process && WaitForSingleObject(process.Process.Get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.Process.Get(), 1);
            WaitForSingleObject(process.Process.Get(), kShortWait);
        }
    }

    // Starts the copy with the switch and waits for its window.
    void Start(int port) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::string commandLine = "\"" + exe + "\" /updatehost=127.0.0.1:" + std::to_string(port);
        ASSERT_TRUE(CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   folder.Path().c_str(), &si, &pi));
        CloseHandle(pi.hThread);
        process.Process.Reset(pi.hProcess);
        process.ProcessId = pi.dwProcessId;
        ASSERT_TRUE(PumpUntil(kLaunchWait, [&] {
            window = FindWindowA("TfrmQuorlet", "Quorlet");
            return window && IsWindowVisible(window) && WindowProcessId(window) == pi.dwProcessId;
        }));
        tabs = FindChildControl(window, IdMorePageControl, WC_TABCONTROLA);
        ASSERT_NE(tabs, nullptr);
    }

    // The program's first visible message box, waited for up to ms.
    HWND WaitForBox(DWORD ms) {
        HWND found = nullptr;
        PumpUntil(ms, [&] {
            struct TSearch {
                DWORD ProcessId;
                HWND Found;
            } search = {process.ProcessId, nullptr};
            EnumWindows(
                [](HWND w, LPARAM param) -> BOOL {
                    auto* s = reinterpret_cast<TSearch*>(param);
                    char cls[32] = {};
                    GetClassNameA(w, cls, sizeof cls);
                    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(w) || WindowProcessId(w) != s->ProcessId)
                        return TRUE;
                    s->Found = w;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            found = search.Found;
            return found != nullptr;
        });
        return found;
    }

    std::unique_ptr<TAppSettingXml> Saved() {
        TStoreScope scope(exe);
        auto saved = std::make_unique<TAppSettingXml>(scope.Platform());
        saved->LoadSettings();
        return saved;
    }

    std::string ExpectedRequest(int port) const {
        return "POST /version.php HTTP/1.0\r\n"
               "Content-Type: application/x-www-form-urlencoded\r\n"
               "Accept: text/html, */*\r\n"
               "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
               "Host: 127.0.0.1:" + std::to_string(port) + "\r\n"
               "Content-Length: 0\r\n"
               "\r\n";
    }

    TTempFolder folder;
    std::string exe;
    TStartedProcess process;
    HWND window = nullptr, tabs = nullptr;
};

}  // namespace

TEST_F(UpdateEndToEndTest, TheAutomaticCheckAsksAboutANewerVersionAndYesOpensTheDownloadPage) {
    const std::string recorder = folder.File("QuorletRecorder.exe");
    ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
    THttpHandlerScope handler("\"" + recorder + "\" \"%1\"");
    ASSERT_TRUE(handler.Set());
    TLoopbackHttpServer server(TServerBehaviour::Reply, "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n2.0.0.0");

    ASSERT_NO_FATAL_FAILURE(Start(server.Port()));
    const ULONGLONG shown = GetTickCount64();
    // The socket library comes with the first check, not with the program.
    EXPECT_FALSE(ProcessHasModule(process.ProcessId, "ws2_32.dll"));

    ASSERT_TRUE(PumpUntil(kLaunchWait, [&] { return !server.Requests().empty(); }));
    const ULONGLONG asked = GetTickCount64() - shown;
    EXPECT_GE(asked, 2000u);  // counted from when this test saw the window, which may be late
    EXPECT_LE(asked, 10000u);
    EXPECT_EQ(server.Requests()[0], ExpectedRequest(server.Port()));

    HWND box = WaitForBox(kLaunchWait);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), "Quorlet Update");
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)),
              "There is a newer version available.\r\n\r\nWould you like to update to the latest version now?");
    EXPECT_EQ(GetWindow(box, GW_OWNER), window);
    EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
    EXPECT_EQ(SaveWindowPicture(box, ScreenshotPath("quorlet-update-question.bmp")), "");

    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    const std::string log = folder.File("recorder.log");
    ASSERT_TRUE(PumpUntil(kLaunchWait, [&] { return !LinesOf(log).empty(); }));
    const std::vector<std::string> lines = LinesOf(log);
    ASSERT_EQ(lines.size(), 1u);
    const std::string page = "http://127.0.0.1:" + std::to_string(server.Port()) + "/download.php";
    EXPECT_EQ(lines[0].substr(lines[0].find('|') + 1), "\"" + page + "\"");

    // Recorded whatever the answer, and saved.
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return Saved()->LastVersion == "2.0.0.0"; }));
    EXPECT_TRUE(Saved()->LastCheckingKnown);

    // Once per run: becoming active again asks no more. Another window takes
    // the front first, so that the program is made active anew.
    HWND other = CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 300,
                                 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return GetForegroundWindow() == other; }));
    SetForegroundWindow(window);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return GetForegroundWindow() == window; }));
    DWORD_PTR ignored = 0;
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kLaunchWait, &ignored));
    // A second check would be asked the program's delay after that
    // activation, and nothing of it shows before: only time can tell that
    // none comes, so the wait is that delay with a margin for a slow machine.
    EXPECT_FALSE(PumpUntil(TfrmQuorlet::TimerCheckVerMs + 3000, [&] { return server.Requests().size() > 1; }))
        << "asked again";
    DestroyWindow(other);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.Process.Get(), kLaunchWait), WAIT_OBJECT_0);
}

TEST_F(UpdateEndToEndTest, AServerThatNeverAnswersLeavesTheWindowResponsiveAndTheProgramEndsAtOnce) {
    TLoopbackHttpServer server(TServerBehaviour::NeverAnswer);
    ASSERT_NO_FATAL_FAILURE(Start(server.Port()));
    ASSERT_TRUE(PumpUntil(kLaunchWait, [&] { return !server.Requests().empty(); }));

    // A click on a tab while the check waits.
    const int other = SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == 1 ? 2 : 1;
    SetForegroundWindow(window);
    PumpUntil(kShortWait, [&] { return GetForegroundWindow() == window; });
    RECT tab;
    ASSERT_TRUE(TabScreenRect(tabs, other, tab));
    ASSERT_TRUE(SendClick(POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2}));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == other; }));
    EXPECT_EQ(server.ClosedByClient(), 0);
    EXPECT_EQ(WaitForBox(0), nullptr);

    const ULONGLONG closing = GetTickCount64();
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.Process.Get(), kLaunchWait), WAIT_OBJECT_0);
    EXPECT_LT(GetTickCount64() - closing, 3000u);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.Process.Get(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return server.ClosedByClient() == 1; }));
    EXPECT_FALSE(Saved()->LastCheckingKnown);
}

TEST_F(UpdateEndToEndTest, TheOptionsDialogsCheckSaysUpToDateAndItsResultStaysAfterCancel) {
    {
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.AutoCheckUpdate = false;  // only the button asks
        settings.SaveSettings();
    }
    TLoopbackHttpServer server(TServerBehaviour::Reply, "HTTP/1.0 200 OK\r\n\r\n1.3.0.1");
    ASSERT_NO_FATAL_FAILURE(Start(server.Port()));

    // The options, from the Quorlet Tab's options icon.
    SetForegroundWindow(window);
    RECT tab;
    ASSERT_TRUE(TabScreenRect(tabs, 0, tab));
    ASSERT_TRUE(SendClick(POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2}));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == 0; }));
    PostCellClick({GetDlgItem(window, IdFirstSheet), IdImageOptions}, 0);
    HWND options = nullptr;
    ASSERT_TRUE(PumpUntil(kLaunchWait, [&] {
        options = FindWindowA("#32770", "Options");
        return options && IsWindowVisible(options);
    }));
    HWND update = GetDlgItem(options, IDC_OPT_UPDATEPAGE);
    EXPECT_EQ(TextOf(GetDlgItem(update, IDC_OPT_LASTCHECKING)), "never checking update");
    PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDC_OPT_CHECKNOW, BN_CLICKED), 0);

    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil(kLaunchWait, [&] {
        box = FindWindowA("#32770", "Quorlet Update");
        return box && IsWindowVisible(box);
    })) << "no answer box";
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)),
              "There are no updates available at this time.\r\n\r\nYour Quorlet is up-to-date.");
    EXPECT_EQ(GetWindow(box, GW_OWNER), options);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0], ExpectedRequest(server.Port()));
    // The labels follow before the box shows.
    EXPECT_NE(TextOf(GetDlgItem(update, IDC_OPT_LASTCHECKING)), "never checking update");
    EXPECT_EQ(TextOf(GetDlgItem(update, IDC_OPT_LASTVERSION)), "1.3.0.1");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(box); }));

    PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(options); }));
    EXPECT_TRUE(Saved()->LastCheckingKnown);  // saved by the check itself
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.Process.Get(), kLaunchWait), WAIT_OBJECT_0);
}

TEST_F(UpdateEndToEndTest, AnAnswerThatComesWhileTheOptionsAreOpenIsAskedOverThemAndOpensNoSecondOptions) {
    {
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.ShowAppPanel = true;
        settings.ActiveAppPanel = true;  // the options icon shows first
        settings.SaveSettings();
    }
    TLoopbackHttpServer server(TServerBehaviour::ReplyWhenReleased,
                               "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n2.0.0.0");
    ASSERT_NO_FATAL_FAILURE(Start(server.Port()));
    ASSERT_TRUE(PumpUntil(kLaunchWait, [&] { return !server.Requests().empty(); }));

    // The options are open when the answer comes.
    const TCellRef optionsIcon = {GetDlgItem(window, IdFirstSheet), IdImageOptions};
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return CellVisible(optionsIcon); }));
    PostCellClick(optionsIcon, 0);
    HWND options = nullptr;
    ASSERT_TRUE(PumpUntil(kLaunchWait, [&] {
        options = FindWindowA("#32770", "Options");
        return options && IsWindowVisible(options);
    }));
    server.Release();
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil(kLaunchWait, [&] {
        box = FindWindowA("#32770", "Quorlet Update");
        return box && IsWindowVisible(box);
    })) << "no question";
    // Asked over the dialog the user has open, not over the window under it.
    EXPECT_EQ(GetWindow(box, GW_OWNER), options);
    EXPECT_FALSE(IsWindowEnabled(options));
    EXPECT_EQ(SaveWindowPicture(box, ScreenshotPath("quorlet-update-over-options.bmp")), "");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(box); }));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return IsWindowEnabled(options) != FALSE; }));
    EXPECT_FALSE(IsWindowEnabled(window)) << "the window under the open options was enabled again";

    // The options icon, clicked while the options are open, opens no second
    // one: the click is sent, so it has been handled when it returns.
    EXPECT_TRUE(SendCellClick(optionsIcon, 0, kLaunchWait));
    int open = 0;
    for (HWND w = FindWindowA("#32770", "Options"); w; w = FindWindowExA(nullptr, w, "#32770", "Options"))
        if (IsWindowVisible(w) && WindowProcessId(w) == process.ProcessId) ++open;
    EXPECT_EQ(open, 1);

    PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(options); }));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return IsWindowEnabled(window) != FALSE; }));
    EXPECT_EQ(Saved()->LastVersion, "2.0.0.0");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.Process.Get(), kLaunchWait), WAIT_OBJECT_0);
}
