// The main window created in this process and driven by real messages.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <cstdint>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "CellProbe.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "app/ProgramEntry.h"
#include "base/AppPaths.h"
#include "app/TApplicationWindow.h"
#include "app/UMain.h"
#include "fakes/TempFolder.h"
#include "platform/Win32Platform.h"
#include "base/FileIo.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "settings/UConfigXml.h"

using namespace quorlet;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPlatform(&platform);
        InitAppPaths(folder.File("Quorlet.exe"));
        SetAppConfig(&config);
        ResetAppSettingXml();
        ResetBtnSettingXml();
        ASSERT_TRUE(application.Create(GetModuleHandleA(nullptr)));
    }
    void TearDown() override {
        ResetAppSettingXml();
        ResetBtnSettingXml();
        SetAppConfig(nullptr);
        SetPlatform(nullptr);
    }
    TTempFolder folder;
    TWin32Platform platform{GetModuleHandleA(nullptr)};
    TAppConfig config{platform};
    TApplicationWindow application;
};

}  // namespace

TEST_F(MainWindowTest, CreationResolvesTheSettingsDocumentAndShapesTheWindow) {
    TfrmQuorlet form;
    ASSERT_TRUE(form.Create(GetModuleHandleA(nullptr), application.Handle())) << form.ErrorText();
    HWND hwnd = form.Handle();

    EXPECT_EQ(SettingFileName, folder.File("QL_" + config.UserName + ".xml"));
    EXPECT_TRUE(FileExistsOnDisk(ConfigFileName));

    char text[64] = {};
    GetClassNameA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, "TfrmQuorlet");
    GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, "Quorlet");

    LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    HWND owner = GetWindow(hwnd, GW_OWNER);
    EXPECT_EQ(owner, application.Handle());
    EXPECT_EQ(GetWindowLongPtrA(owner, GWL_EXSTYLE), WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_NE(GetClassLongPtrA(hwnd, GCLP_HICON), 0u);
    EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0), 0);

    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right - client.left, 348);

    // The status bar is 18 pixels high at the bottom; the tab strip with its
    // page fills the rest, room for two rows of 34-pixel cells.
    RECT status, strip;
    GetWindowRect(GetDlgItem(hwnd, IdStatusBar), &status);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&status), 2);
    EXPECT_EQ(status.bottom - status.top, 18);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.right - status.left, 348);
    GetWindowRect(GetDlgItem(hwnd, IdMorePageControl), &strip);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&strip), 2);
    EXPECT_EQ(strip.top, 0);
    EXPECT_EQ(strip.bottom, status.top);
    RECT cell;
    const TCellRef lowerLeft = {GetDlgItem(hwnd, IdFirstSheet + 1), 111};
    ASSERT_TRUE(CellRect(lowerLeft, cell));
    EXPECT_EQ(cell.right - cell.left, 34);
    EXPECT_EQ(cell.bottom - cell.top, 34);
    MapWindowPoints(lowerLeft.Sheet, hwnd, reinterpret_cast<POINT*>(&cell), 2);
    EXPECT_GT(cell.top, strip.top);
    EXPECT_LE(cell.bottom, status.top);  // the lower row is not covered
}

TEST_F(MainWindowTest, AnswersTheSecondStartsMessageAndClosesTheLoop) {
    TfrmQuorlet form;
    ASSERT_TRUE(form.Create(GetModuleHandleA(nullptr), application.Handle())) << form.ErrorText();
    form.Show();
    // A second start's notice leaves the window as it is: shown stays shown,
    // minimised stays minimised.
    EXPECT_EQ(SendMessageA(form.Handle(), WM_QUORLET_RUNNING, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(IsIconic(form.Handle()));
    ShowWindow(form.Handle(), SW_MINIMIZE);
    EXPECT_EQ(SendMessageA(form.Handle(), WM_QUORLET_RUNNING, 0, 0), 0);
    PumpPending();
    EXPECT_TRUE(IsIconic(form.Handle()));

    PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    HWND hwnd = form.Handle();
    ASSERT_TRUE(PumpUntil(5000, [&] { return !IsWindow(hwnd); }));
    EXPECT_EQ(form.Handle(), nullptr);
}

TEST_F(MainWindowTest, DamagedIndexFailsCreationWithTheLayersMessage) {
    HANDLE h = CreateFileA(ConfigFileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, "<Config><UserConfig>", 20, &written, nullptr);
    CloseHandle(h);
    TfrmQuorlet form;
    EXPECT_FALSE(form.Create(GetModuleHandleA(nullptr), application.Handle()));
    EXPECT_FALSE(form.ErrorText().empty());
    EXPECT_EQ(ReadFileText(ConfigFileName), "<Config><UserConfig>");
}

namespace {

// The main window with a settings document written before it is made.
TEST_F(MainWindowTest, AChangeOfDensityScalesTheWindowAndAReturnRestoresItExactly) {
    TfrmQuorlet form;
    ASSERT_TRUE(form.Create(GetModuleHandleA(nullptr), application.Handle())) << form.ErrorText();
    form.Show();
    HWND hwnd = form.Handle();
    struct TShape {
        int ClientWidth, ClientHeight, StatusHeight, CellSize;
    };
    const auto shape = [&] {
        RECT client, status, cell = {};
        GetClientRect(hwnd, &client);
        GetWindowRect(GetDlgItem(hwnd, IdStatusBar), &status);
        CellRect({GetDlgItem(hwnd, IdFirstSheet + 1), 111}, cell);
        return TShape{client.right, client.bottom, status.bottom - status.top, cell.right - cell.left};
    };
    const TShape at96 = shape();
    EXPECT_EQ(at96.ClientWidth, 348);
    EXPECT_EQ(at96.CellSize, 34);

    // Moved to a monitor of 144 DPI: the system suggests a place there.
    RECT suggested = {300, 200, 300 + 600, 200 + 300};
    SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    const TShape at144 = shape();
    EXPECT_EQ(at144.ClientWidth, 522);
    EXPECT_EQ(at144.CellSize, 51);
    EXPECT_EQ(at144.StatusHeight, 27);
    // The tabs' font grows too, so the strip is about half as high again.
    EXPECT_NEAR(at144.ClientHeight, at96.ClientHeight * 3 / 2, 4);
    RECT window;
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(window.left, 300);
    EXPECT_EQ(window.top, 200);
    RECT lowerLeft, upperRight;
    ASSERT_TRUE(CellRect({GetDlgItem(hwnd, IdFirstSheet + 1), 111}, lowerLeft));
    ASSERT_TRUE(CellRect({GetDlgItem(hwnd, IdFirstSheet + 1), 110}, upperRight));
    EXPECT_GE(lowerLeft.top, 51);                  // the rows do not overlap
    EXPECT_LE(upperRight.right, at144.ClientWidth);  // the last column is inside the window

    SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    const TShape back = shape();
    EXPECT_EQ(back.ClientWidth, at96.ClientWidth);
    EXPECT_EQ(back.ClientHeight, at96.ClientHeight);
    EXPECT_EQ(back.StatusHeight, at96.StatusHeight);
    EXPECT_EQ(back.CellSize, at96.CellSize);
}

class TrayWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SettingFileName = folder.File("QL_" + config.UserName + ".xml");
        TAppSettingXml& settings = AppSettingXml();
        settings.LoadSettings();
        settings.GlobalHotKey = "Ctrl+Shift+F9";
        settings.AlarmOn = true;
        settings.AlarmTime = MakeDateTime(2026, 12, 10, 7, 5, 0);
        settings.AutoCheckUpdate = false;
        settings.SaveSettings();
        settings.SaveAlarm();
    }
    void TearDown() override {
        form.reset();
        MainWindowTest::TearDown();
    }
    TfrmQuorlet& Open() {
        form.reset(new TfrmQuorlet);
        EXPECT_TRUE(form->Create(GetModuleHandleA(nullptr), application.Handle())) << form->ErrorText();
        form->Show();
        // The icon goes to the notification area once the window is shown and idle.
        EXPECT_TRUE(PumpUntil(kShortWait, [&] {
            return form->TrayWindow() && SendMessageA(form->TrayWindow(), WM_TRAY_ADDCOUNT, 0, 0) > 0;
        })) << "the icon was not added";
        return *form;
    }
    void TrayEvent(UINT event) {
        SendMessageA(form->TrayWindow(), TTrayIcon::WM_TRAYICON, 0, event);
        PumpPending();
    }
    bool Shown() { return IsWindowVisible(form->Handle()) && !IsIconic(form->Handle()); }
    std::string Tip() {
        char text[256] = {};
        GetWindowTextA(form->TrayWindow(), text, sizeof text);
        return text;
    }
    std::unique_ptr<TfrmQuorlet> form;
};

// 32-bit pixels of a window's rectangle, top row first.
using TPixels = std::vector<uint32_t>;

TPixels PixelsOf(HWND window, bool fromScreen) {
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (fromScreen) {
        HDC screen = GetDC(nullptr);
        BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    } else {
        // As the control draws itself: its background, then its client area.
        SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    }
    GdiFlush();
    TPixels pixels(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);
    for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return pixels;
}

// A control's pixels the screen shows, and those it draws itself, with what
// the windows over it cover left out.
struct TControlLook {
    TPixels Screen, Drawn;
};

TControlLook LookOf(HWND control, std::vector<HWND> covering) {
    TControlLook look = {PixelsOf(control, true), PixelsOf(control, false)};
    RECT r;
    GetWindowRect(control, &r);
    const int width = r.right - r.left;
    for (HWND window : covering) {
        RECT cover;
        if (!window || !GetWindowRect(window, &cover)) continue;
        for (size_t i = 0; i < look.Screen.size(); ++i) {
            const POINT p = {r.left + static_cast<int>(i) % width, r.top + static_cast<int>(i) / width};
            if (PtInRect(&cover, p)) look.Screen[i] = look.Drawn[i] = 0;
        }
    }
    return look;
}

}  // namespace

TEST_F(TrayWindowTest, TheTrayIconShowsAndHidesTheWindow) {
    TfrmQuorlet& window = Open();
    ASSERT_NE(window.TrayWindow(), nullptr);
    EXPECT_NE(window.HotKeyId, 0);
    EXPECT_EQ(Tip(), "Quorlet\r\nHotKey:Ctrl+Shift+F9\r\nAlarm Clock: 07:05:00");
    EXPECT_EQ(SendMessageA(window.TrayWindow(), WM_TRAY_ADDCOUNT, 0, 0), 1);

    // A click always switches; "Show" shows; the next click hides again.
    TrayEvent(WM_LBUTTONUP);
    EXPECT_FALSE(Shown());
    EXPECT_TRUE(window.HiddenInTray);
    TrayEvent(WM_LBUTTONUP);
    EXPECT_TRUE(Shown());
    TrayEvent(WM_LBUTTONUP);
    EXPECT_FALSE(Shown());
    ASSERT_TRUE(window.RunCommand(TCommandId::TrayShow));
    EXPECT_TRUE(Shown());
    TrayEvent(WM_LBUTTONUP);
    EXPECT_FALSE(Shown());

    // A double click: its first click toggles, then "Show" runs; the button-up
    // of the second click is no click of its own.
    TrayEvent(WM_LBUTTONUP);
    TrayEvent(WM_LBUTTONDBLCLK);
    TrayEvent(WM_LBUTTONUP);
    EXPECT_TRUE(Shown());

    // The minimise box hides to the notification area; a click on the balloon
    // brings the window back. A second start's balloon leaves it hidden.
    SendMessageA(window.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(IsIconic(window.Handle()));
    EXPECT_TRUE(window.HiddenInTray);
    SendMessageA(window.Handle(), WM_QUORLET_RUNNING, 0, 0);
    PumpPending();
    EXPECT_FALSE(Shown());
    TrayEvent(NIN_BALLOONUSERCLICK);
    EXPECT_TRUE(Shown());
    EXPECT_FALSE(window.HiddenInTray);

    // A new notification area gets the icon again.
    SendMessageA(window.TrayWindow(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(SendMessageA(window.TrayWindow(), WM_TRAY_ADDCOUNT, 0, 0), 2);
}

TEST_F(TrayWindowTest, AHotKeyTakenByAnotherLeavesItOutOfTheTip) {
    // This thread holds the combination first.
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x3FFF, MOD_CONTROL | MOD_SHIFT, VK_F9));
    TfrmQuorlet& window = Open();
    EXPECT_EQ(window.HotKeyId, 0);
    EXPECT_EQ(Tip(), "Quorlet\r\nAlarm Clock: 07:05:00");
    UnregisterHotKey(nullptr, 0x3FFF);
}

TEST_F(TrayWindowTest, SystemMenuMirrorsTheTitleMenuAndItsChecks) {
    TfrmQuorlet& window = Open();
    HMENU menu = GetSystemMenu(window.Handle(), FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    std::vector<std::string> captions;
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        captions.push_back(info.fType & MFT_SEPARATOR ? "-" : text);
    }
    const std::vector<std::string> mirrored = {"-", "Auto hide QL after clicking", "Always On Top", "Show Quorlet Tab",
                                               "-", "View Frequency Report", "Options...", "-", "Help",
                                               "Version History", "Quorlet Home", "&About..."};
    ASSERT_GE(captions.size(), mirrored.size());
    EXPECT_EQ(std::vector<std::string>(captions.end() - mirrored.size(), captions.end()), mirrored);

    auto checked = [&](unsigned command) { return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    auto stored = [&](const char* item) {
        const std::string text = ReadFileText(SettingFileName);
        return text.find(std::string("<Item Name=\"") + item + "\" Value=\"1\"/>") != std::string::npos ||
               text.find(std::string("<Item Name=\"") + item + "\" Value=\"True\"/>") != std::string::npos;
    };
    const unsigned autoHide = kFirstMirroredSysCommand, onTop = autoHide + kMirroredSysCommandStep,
                   quorletTab = onTop + kMirroredSysCommandStep;
    EXPECT_FALSE(checked(onTop));
    SendMessageA(window.Handle(), WM_SYSCOMMAND, onTop, 0);
    EXPECT_TRUE(checked(onTop));
    EXPECT_TRUE(AppSettingXml().AlwaysOnTop);
    EXPECT_TRUE(stored("AlwaysOnTop"));
    EXPECT_TRUE(GetWindowLongPtrA(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    SendMessageA(window.Handle(), WM_SYSCOMMAND, onTop, 0);
    EXPECT_FALSE(checked(onTop));
    EXPECT_FALSE(GetWindowLongPtrA(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(stored("AlwaysOnTop"));

    SendMessageA(window.Handle(), WM_SYSCOMMAND, autoHide, 0);
    EXPECT_TRUE(checked(autoHide));
    EXPECT_TRUE(stored("HideAfterClicking"));

    const bool tabShown = AppSettingXml().ShowAppPanel;
    EXPECT_EQ(checked(quorletTab), tabShown);
    SendMessageA(window.Handle(), WM_SYSCOMMAND, quorletTab, 0);
    EXPECT_EQ(checked(quorletTab), !tabShown);
    EXPECT_EQ(AppSettingXml().ShowAppPanel, !tabShown);
}

TEST_F(TrayWindowTest, DoubleClickOnTheStatusBarSwitchesToTheQuorletTabAndBack) {
    TfrmQuorlet& window = Open();
    ASSERT_TRUE(AppSettingXml().ShowAppPanel);
    HWND status = GetDlgItem(window.Handle(), IdStatusBar);
    ASSERT_NE(status, nullptr);
    auto doubleClick = [&] {
        NMMOUSE click = {};
        click.hdr.hwndFrom = status;
        click.hdr.idFrom = IdStatusBar;
        click.hdr.code = NM_DBLCLK;
        SendMessageA(window.Handle(), WM_NOTIFY, IdStatusBar, reinterpret_cast<LPARAM>(&click));
    };
    const int sheet = window.ActivePageIndex();
    ASSERT_GE(sheet, 1);
    doubleClick();
    EXPECT_EQ(window.ActivePageIndex(), 0);
    EXPECT_EQ(window.SavedPageIndex, sheet);
    doubleClick();
    EXPECT_EQ(window.ActivePageIndex(), sheet);
    EXPECT_EQ(window.StatusText(0), "");
}

TEST_F(TrayWindowTest, TabStripAndStatusBarShownAgainLookAsTheyDrawThemselvesAfterChangesWhileHidden) {
    TfrmQuorlet& window = Open();
    HWND strip = GetDlgItem(window.Handle(), IdMorePageControl);
    HWND sheet = GetDlgItem(window.Handle(), IdFirstSheet + window.ActivePageIndex());
    HWND status = GetDlgItem(window.Handle(), IdStatusBar);
    ASSERT_NE(strip, nullptr);
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(status, nullptr);
    // The page body and the strip's arrows stand over parts of the strip.
    const std::vector<HWND> overStrip = {sheet, FindWindowExA(strip, nullptr, UPDOWN_CLASSA, nullptr)};
    auto shownAsDrawn = [&] {
        const TControlLook tabs = LookOf(strip, overStrip), bar = LookOf(status, {});
        return tabs.Screen == tabs.Drawn && bar.Screen == bar.Drawn;
    };
    ASSERT_TRUE(PumpUntil(5000, shownAsDrawn));
    const TPixels firstTabs = LookOf(strip, overStrip).Screen, firstBar = LookOf(status, {}).Screen;

    // Hidden, a tab renamed and the counts panel written, shown again: both
    // show what changed.
    TrayEvent(WM_LBUTTONUP);
    ASSERT_FALSE(Shown());
    std::string caption = "Renamed while hidden";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = &caption[0];
    SendMessageA(strip, TCM_SETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("T:1/W:2/A:3"));
    TrayEvent(WM_LBUTTONUP);
    ASSERT_TRUE(Shown());
    EXPECT_TRUE(PumpUntil(5000, shownAsDrawn)) << "a control shows what it showed before the window was hidden";
    const TPixels tabs = LookOf(strip, overStrip).Screen, bar = LookOf(status, {}).Screen;
    EXPECT_NE(tabs, firstTabs);
    EXPECT_NE(bar, firstBar);

    // Hidden and shown with nothing changed: they look as they did.
    TrayEvent(WM_LBUTTONUP);
    TrayEvent(WM_LBUTTONUP);
    ASSERT_TRUE(Shown());
    EXPECT_TRUE(PumpUntil(5000, shownAsDrawn));
    EXPECT_EQ(LookOf(strip, overStrip).Screen, tabs);
    EXPECT_EQ(LookOf(status, {}).Screen, bar);
}

TEST_F(TrayWindowTest, ClosedFromTheTrayWhileHiddenTheWindowKeepsItsPlace) {
    TfrmQuorlet& window = Open();
    SetWindowPos(window.Handle(), nullptr, 150, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(window.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_FALSE(IsWindowVisible(window.Handle()));
    HWND hwnd = window.Handle();
    ASSERT_TRUE(window.RunCommand(TCommandId::TrayClose));
    ASSERT_TRUE(PumpUntil(5000, [&] { return !IsWindow(hwnd); }));
    const std::string saved = ReadFileText(SettingFileName);
    EXPECT_NE(saved.find("<Item Name=\"X\" Value=\"150\"/>"), std::string::npos) << saved;
    EXPECT_NE(saved.find("<Item Name=\"Y\" Value=\"160\"/>"), std::string::npos) << saved;
}

TEST(ProgramEntryTest, ASecondStartLeavesNothingPointingAtItsStores) {
    // The running instance: its mutex, and a window of its class and title
    // (of another module, so this process's own main window class stays).
    const HINSTANCE module = GetModuleHandleA("kernel32.dll");
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = module;
    wc.lpszClassName = TfrmQuorlet::ClassName;
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND running = CreateWindowExA(0, TfrmQuorlet::ClassName, "Quorlet", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                   module, nullptr);
    ASSERT_NE(running, nullptr);
    TUniqueHandle mutex(CreateMutexA(nullptr, FALSE, "TfrmQuorlet"));
    ASSERT_TRUE(mutex);

    EXPECT_EQ(RunProgram(GetModuleHandleA(nullptr), ""), 0);
    // The configuration index it made is gone with it: no pointer to it stays.
    EXPECT_THROW(AppConfig(), std::logic_error);

    DestroyWindow(running);
    UnregisterClassA(TfrmQuorlet::ClassName, module);
    SetPlatform(nullptr);
}
