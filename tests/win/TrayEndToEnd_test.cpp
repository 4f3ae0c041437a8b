// End-to-end: the real Quorlet.exe in the notification area of Wine's own
// standalone tray window (Xvfb has no desktop shell): the icon's window and
// tip, a re-created taskbar, a second start's balloon, the global hot key
// pressed with real keys, the minimise box and a real click on the icon, and
// the drive menu of the status bar.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "app/TTrayIcon.h"
#include "fakes/TempFolder.h"
#include "settings/UAppSettingXml.h"

using namespace quorlet;

namespace {

class TrayEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.File("Quorlet.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.AutoCheckUpdate = false;
        settings.GlobalHotKey = "Ctrl+Shift+F8";
        settings.LastPanelIndex = 1;
        settings.X = 200;
        settings.Y = 200;
        settings.SaveSettings();
    }

    HWND TrayWindow() const {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, TrayWindowClassName, nullptr)))
            if (WindowProcessId(window) == quorlet.ProcessId()) return window;
        return nullptr;
    }

    int AddCount() const { return static_cast<int>(SendMessageA(TrayWindow(), WM_TRAY_ADDCOUNT, 0, 0)); }

    void PressHotKey() {
        ASSERT_TRUE(SendKey(VK_CONTROL, false) && SendKey(VK_SHIFT, false) && SendKey(VK_F8, false));
        ASSERT_TRUE(SendKey(VK_F8, true) && SendKey(VK_SHIFT, true) && SendKey(VK_CONTROL, true));
    }

    bool WaitShown(bool shown) {
        return PumpUntil(kShortWait, [&] { return (IsWindowVisible(quorlet.Window()) != FALSE) == shown; });
    }

    TTempFolder folder;
    std::string exe;
    TQuorletUnderTest quorlet;
};

// The text of a tooltip window of another process (its first tool's), read
// through memory lent by that process.
std::string TooltipText(HWND tooltip) {
    const size_t textSize = 1024;
    TRemoteMemory remote(tooltip, sizeof(TTTOOLINFOA) + textSize);
    if (!remote) return std::string();
    char* remoteText = static_cast<char*>(remote.Address()) + sizeof(TTTOOLINFOA);
    TTTOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszText = remoteText;
    std::vector<char> text(textSize, '\0');
    if (!remote.Write(&info, sizeof info)) return std::string();
    if (!SendMessageA(tooltip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(remote.Address()))) return std::string();
    std::vector<char> all(sizeof(TTTOOLINFOA) + textSize, '\0');
    if (!remote.Read(all.data(), all.size())) return std::string();
    return std::string(all.data() + sizeof(TTTOOLINFOA));
}

// Whether a tooltip window of another process shows text holding needle
// (Wine's tray shows tips and balloons as tooltips of its explorer).
bool TooltipShows(const std::string& needle) {
    std::vector<HWND> tooltips;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            char className[64] = {};
            GetClassNameA(window, className, sizeof className);
            if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0 && IsWindowVisible(window))
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tooltips));
    for (HWND tooltip : tooltips)
        if (WindowProcessId(tooltip) != GetCurrentProcessId() && TooltipText(tooltip).find(needle) != std::string::npos)
            return true;
    return false;
}

// Whether window stands above other in the order of the top-level windows.
bool Above(HWND window, HWND other) {
    for (HWND below = GetWindow(window, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT))
        if (below == other) return true;
    return false;
}

}  // namespace

TEST_F(TrayEndToEndTest, TrayIconHotKeyAndASecondStart) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return TrayWindow() && AddCount() == 1; }));
    EXPECT_EQ(TextOf(TrayWindow()), "Quorlet\r\nHotKey:Ctrl+Shift+F8");

    // Wine's tray window, shown for the first icon, takes the focus a moment
    // after it appears: the launcher is made active after that.
    ASSERT_TRUE(PumpUntil(kShortWait, [] {
        HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
        return tray && IsWindowVisible(tray);
    }));
    quorlet.WaitForTray();

    // The hot key, with real keys: while the launcher is active it hides the
    // window; pressed again it shows it and brings it forward.
    quorlet.BringToFront();
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return GetForegroundWindow() == quorlet.Window(); }));
    PressHotKey();
    EXPECT_TRUE(WaitShown(false));
    PressHotKey();
    EXPECT_TRUE(WaitShown(true));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return GetForegroundWindow() == quorlet.Window(); }));

    // Another program active: the visible window is brought forward, not hidden.
    HWND other = CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400, 300,
                                 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return GetForegroundWindow() == other; }));
    PressHotKey();
    // In front: active, or at least raised above the other program where the
    // window manager keeps the focus with the window the user used last.
    EXPECT_TRUE(PumpUntil(kShortWait, [&] {
        return GetForegroundWindow() == quorlet.Window() || Above(quorlet.Window(), other);
    }));
    EXPECT_TRUE(IsWindowVisible(quorlet.Window()));
    DestroyWindow(other);

    // The minimise box hides to the notification area; a second start, while
    // hidden, shows the balloon and leaves the window hidden; a click on the
    // icon brings the window back.
    PostMessageA(quorlet.Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitShown(false));
    EXPECT_FALSE(IsIconic(quorlet.Window()));
    TStartedProcess second = StartProgram(exe, folder.Path());
    ASSERT_TRUE(second.Process);
    EXPECT_EQ(WaitForSingleObject(second.Process.Get(), kLaunchWait), WAIT_OBJECT_0);
    EXPECT_TRUE(PumpUntil(kShortWait, [] { return TooltipShows("Quorlet is running."); }));
    // The second start's notice was answered before that process ended, and
    // its balloon shows: once the program answers again, whatever the notice
    // set going in the window has been done.
    EXPECT_TRUE(quorlet.WaitUntilAnswering());
    EXPECT_FALSE(IsWindowVisible(quorlet.Window()));
    // A real click on the icon in Wine's tray window, whose client area shows
    // the icons in squares from the left (this program's is the only one).
    HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    ASSERT_NE(tray, nullptr) << "Wine's standalone tray window";
    EXPECT_EQ(SaveWindowPicture(tray, ScreenshotPath("quorlet-tray.bmp")), "");
    RECT area;
    GetClientRect(tray, &area);
    POINT icon = {area.bottom / 2, area.bottom / 2};
    ClientToScreen(tray, &icon);
    ASSERT_TRUE(SendClick(icon));
    EXPECT_TRUE(WaitShown(true));
    // The hot key's Ctrl, released while the window was hidden, left no
    // "Explorer - " in the hint line.
    EXPECT_EQ(quorlet.Panel(0).find("Explorer - "), std::string::npos) << quorlet.Panel(0);
    EXPECT_EQ(SaveWindowPicture(quorlet.Window(), ScreenshotPath("quorlet-back-from-tray.bmp")), "");

    // The shell's taskbar is made again: the icon goes back into it. (Last:
    // Wine's tray window takes the focus when it shows the icon again.)
    SendMessageA(TrayWindow(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(AddCount(), 2);

    PostMessageA(quorlet.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
}

TEST_F(TrayEndToEndTest, HotKeyTakenByAnotherProgramIsLeftOutOfTheTip) {
    // This process holds the combination, as another program would.
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x2FFF, MOD_CONTROL | MOD_SHIFT, VK_F8));
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return TrayWindow() && AddCount() == 1; }));
    EXPECT_EQ(TextOf(TrayWindow()), "Quorlet");
    UnregisterHotKey(nullptr, 0x2FFF);
    PostMessageA(quorlet.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
}

TEST_F(TrayEndToEndTest, StatusBarRightOfTheHintLineOpensTheDriveMenu) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    HWND status = FindChildControl(quorlet.Window(), IdStatusBar, STATUSCLASSNAMEA);
    ASSERT_NE(status, nullptr);
    RECT bar;
    GetWindowRect(status, &bar);
    quorlet.BringToFront();
    ASSERT_TRUE(SendRightClick({bar.left + 300, (bar.top + bar.bottom) / 2}));

    std::vector<std::string> expected;
    char roots[105] = {};
    GetLogicalDriveStringsA(sizeof roots, roots);
    for (const char* root = roots; *root; root += lstrlenA(root) + 1) expected.emplace_back(root);
    std::string caption;
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return OpenMenuEntry(quorlet.Window(), 0, caption) >= 0; }));
    std::vector<std::string> entries;
    for (int position = 0; OpenMenuEntry(quorlet.Window(), position, caption) >= 0; ++position)
        entries.push_back(caption);
    EXPECT_EQ(entries, expected);
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu) {
        EXPECT_EQ(SaveWindowPicture(menu, ScreenshotPath("quorlet-drive-menu.bmp")), "");
    }
    SendKey(VK_ESCAPE, false);
    SendKey(VK_ESCAPE, true);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return OpenMenuEntry(quorlet.Window(), 0, caption) < 0; }));

    // Left of it, the status bar's own menu.
    ASSERT_TRUE(SendRightClick({bar.left + 100, (bar.top + bar.bottom) / 2}));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return OpenMenuEntry(quorlet.Window(), 0, caption) >= 0; }));
    entries.clear();
    for (int position = 0;; ++position) {
        const int state = OpenMenuEntry(quorlet.Window(), position, caption);
        if (state < 0) break;
        entries.push_back(state & MF_SEPARATOR ? "-" : caption + ((state & MFS_DEFAULT) ? " (default)" : ""));
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"View Frequency Report (default)", "-", "Options...", "Help"}));
    SendKey(VK_ESCAPE, false);
    SendKey(VK_ESCAPE, true);
    PostMessageA(quorlet.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
}
