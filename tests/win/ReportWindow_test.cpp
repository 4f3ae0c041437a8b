// The frequency report in this process, on a thread of its own, over a
// settings document with counted buttons: its rows, shares, sorting, tab
// sheet choice and context menu as the list view shows them.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <string>
#include <vector>

#include "ModalOnThread.h"
#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/ExcelAutomation.h"
#include "app/UReport.h"
#include "app/UWait.h"
#include "fakes/FakePlatform.h"
#include "base/AppPaths.h"
#include "fakes/TempFolder.h"
#include "platform/Win32Platform.h"
#include "resources/resource.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

using Strings = std::vector<std::string>;

class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPlatform(&platform);
        InitAppPaths(folder.File("Quorlet.exe"));
        SettingFileName = folder.File("QL_report.xml");
        settings.LoadSettings();
        settings.LoadGroups();  // "Tabsheet 1", "Tabsheet 2"
        windows = platform.SystemFolderPath(TSystemFolder::Windows);
        Store(101, windows + "\\notepad.exe", 6);
        Store(102, "C:\\Gone\\old, tool.exe", 2);
        Store(103, windows + "\\regedit.exe", 9, true);  // not counted
        Store(201, windows, 0);
    }
    void TearDown() override {
        SettingFileName.clear();
        SetPlatform(nullptr);
    }
    void Store(int32_t id, const std::string& command, int32_t total, bool ignored = false) {
        store.BtnStyle = 0;
        store.Command = command;
        store.TotolRunTimes = total;
        store.IgnoreRunTimes = ignored;
        store.WriteButton(id);
    }
    HWND Page(HWND dialog) { return GetDlgItem(dialog, IDC_RPT_PAGE); }
    HWND List(HWND dialog) { return GetDlgItem(Page(dialog), IDC_RPT_LIST); }
    std::string Cell(HWND list, int row, int column) {
        char text[512] = {};
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    Strings Column(HWND list, int column) {
        Strings cells;
        const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) cells.push_back(Cell(list, row, column));
        return cells;
    }
    int Image(HWND list, int row) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }
    void ClickHeader(HWND dialog, int column) {
        NMLISTVIEW click = {};
        click.hdr.hwndFrom = List(dialog);
        click.hdr.idFrom = IDC_RPT_LIST;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageA(Page(dialog), WM_NOTIFY, IDC_RPT_LIST, reinterpret_cast<LPARAM>(&click));
    }
    void ChooseGroup(HWND dialog, int index) {
        HWND groups = GetDlgItem(Page(dialog), IDC_RPT_GROUPS);
        SendMessageA(groups, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(Page(dialog), WM_COMMAND, MAKEWPARAM(IDC_RPT_GROUPS, CBN_SELCHANGE), reinterpret_cast<LPARAM>(groups));
    }

    TTempFolder folder;
    TWin32Platform platform{GetModuleHandleA(nullptr)};
    TAppSettingXml settings{platform};
    TBtnSettingXml store{platform};
    std::string windows;
};

}  // namespace

TEST_F(ReportWindowTest, OpensOnAllGroupsSortedByTotalAndFollowsClicksAndTheTabSheetChoice) {
    TModalOnThread run([&] {
        TfrmReport report(platform, settings, store);
        report.ShowModal(GetModuleHandleA(nullptr), nullptr);
        return 0;
    });
    HWND dialog = run.WaitForWindow("Frequency Report");
    ASSERT_NE(dialog, nullptr);
    HWND list = List(dialog);
    char cls[64] = {};
    GetClassNameA(list, cls, sizeof cls);
    EXPECT_STREQ(cls, "SysListView32");
    EXPECT_TRUE(ListView_GetExtendedListViewStyle(list) & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(TextOf(GetDlgItem(Page(dialog), IDC_RPT_GROUPS)), "All Groups");

    // Highest total first; the ignored button is left out of the list and the shares.
    EXPECT_EQ(Column(list, rcIndex), (Strings{"101", "102", "201"}));
    EXPECT_EQ(Column(list, rcFile), (Strings{"notepad.exe", "old, tool.exe", "windows"}));
    EXPECT_EQ(Column(list, rcPer), (Strings{"75.00%", "25.00%", ""}));
    EXPECT_EQ(Column(list, rcGroup), (Strings{"Tabsheet 1", "Tabsheet 1", "Tabsheet 2"}));
    EXPECT_NE(Cell(list, 0, rcType), "");
    EXPECT_EQ(Cell(list, 1, rcType), "");  // gone: no type, system image 3
    EXPECT_EQ(Image(list, 1), kMissingTargetImage);
    // The shell hands out its image indexes as it is asked (Wine, on a fresh
    // prefix, in any order): an existing file shows the one it gives.
    EXPECT_EQ(Image(list, 0), platform.ShellImageIndex(Cell(list, 0, rcFullPath)));
    EXPECT_EQ(SaveWindowPicture(dialog, WindowsPath(QUORLET_SCREENSHOT_DIR) + "\\report-window.bmp"), "");

    // A tab sheet while sorted by Total: the order flips; another flips it back.
    ChooseGroup(dialog, 1);
    EXPECT_EQ(Column(list, rcIndex), (Strings{"102", "101"}));
    ChooseGroup(dialog, 2);
    EXPECT_EQ(Column(list, rcIndex), (Strings{"201"}));
    ChooseGroup(dialog, 0);
    EXPECT_EQ(Column(list, rcIndex), (Strings{"201", "102", "101"}));  // flipped once more: lowest first
    // File: the direction in force first, flipped on the second click.
    ClickHeader(dialog, rcFile);
    const Strings byFile = Column(list, rcFile);
    ClickHeader(dialog, rcFile);
    Strings reversed = Column(list, rcFile);
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(byFile, reversed);

    SendMessageA(dialog, WM_COMMAND, IDC_RPT_CLOSE, 0);
    EXPECT_EQ(run.Result(), 0);
}

namespace {

class ReportMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPlatform(&platform);
        platform.FakeExecutableName = folder.File("Quorlet.exe");
        InitAppPaths(platform.FakeExecutableName);
        SettingFileName = folder.File("QL_menu.xml");
        settings.LoadSettings();
        settings.LoadGroups();
        Store(101, "C:\\Gone\\tool.exe", 5);
        Store(102, folder.Path(), 1);
    }
    void TearDown() override {
        SettingFileName.clear();
        SetPlatform(nullptr);
    }
    void Store(int32_t id, const std::string& command, int32_t total) {
        store.BtnStyle = 0;
        store.Command = command;
        store.TotolRunTimes = total;
        store.WriteButton(id);
    }
    void Select(HWND list, int row) {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    std::string Clipboard() {
        std::string text;
        if (!OpenClipboard(nullptr)) return "<closed>";
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }

    TTempFolder folder;
    TFakePlatform platform;
    TAppSettingXml settings{platform};
    TBtnSettingXml store{platform};
};

}  // namespace

TEST_F(ReportMenuTest, CopyPathAndExploreActOnTheSelectedRowAndHelpOpensItsTopic) {
    TModalOnThread run([&] {
        TfrmReport report(platform, settings, store);
        report.ShowModal(GetModuleHandleA(nullptr), nullptr);
        return 0;
    });
    HWND dialog = run.WaitForWindow("Frequency Report");
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(GetDlgItem(dialog, IDC_RPT_PAGE), IDC_RPT_LIST);
    // Without a selection both do nothing.
    SendMessageA(dialog, WM_COMMAND, IDM_RPT_EXPLORE, 0);
    Select(list, 0);  // C:\Gone\tool.exe, total 5
    SendMessageA(dialog, WM_COMMAND, IDM_RPT_COPYPATH, 0);
    EXPECT_EQ(Clipboard(), "C:\\Gone\\tool.exe");
    SendMessageA(dialog, WM_COMMAND, IDM_RPT_EXPLORE, 0);
    Select(list, 1);  // the folder itself
    SendMessageA(dialog, WM_COMMAND, IDM_RPT_EXPLORE, 0);
    SendMessageA(dialog, WM_COMMAND, IDC_RPT_HELP, 0);
    SendMessageA(dialog, WM_COMMAND, IDC_RPT_CLOSE, 0);
    EXPECT_EQ(run.Result(), 0);

    ASSERT_EQ(platform.ShellOpenCalls.size(), 3u);
    EXPECT_EQ(platform.ShellOpenCalls[0].Verb, "explore");
    EXPECT_EQ(platform.ShellOpenCalls[0].File, "C:\\Gone");
    EXPECT_EQ(platform.ShellOpenCalls[0].Owner, TShellOwner::Desktop);
    EXPECT_EQ(platform.ShellOpenCalls[0].ShowCommand, swShowNormal);
    EXPECT_EQ(platform.ShellOpenCalls[1].File, folder.Path());
    EXPECT_EQ(platform.ShellOpenCalls[2].File, "hh.exe");
    EXPECT_NE(platform.ShellOpenCalls[2].Parameters.find("::/frequencyreport.htm"), std::string::npos);
}

TEST_F(ReportMenuTest, ContextMenuItemsAreEnabledOnlyWithASelectedRow) {
    TModalOnThread run([&] {
        TfrmReport report(platform, settings, store);
        report.ShowModal(GetModuleHandleA(nullptr), nullptr);
        return 0;
    });
    HWND dialog = run.WaitForWindow("Frequency Report");
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(GetDlgItem(dialog, IDC_RPT_PAGE), IDC_RPT_LIST);
    // The menu as it opens: its items' states, then it is closed without a choice.
    auto menuStates = [&](UINT& copy, UINT& explore) {
        RECT r;
        GetWindowRect(list, &r);
        PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(r.left + 20, r.top + 40));
        HWND menu = nullptr;
        PumpUntil(kShortWait, [&] {
            menu = FindWindowA("#32768", nullptr);
            return menu && IsWindowVisible(menu);
        });
        if (!menu) return false;
        HMENU items = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
        copy = GetMenuState(items, IDM_RPT_COPYPATH, MF_BYCOMMAND);
        explore = GetMenuState(items, IDM_RPT_EXPLORE, MF_BYCOMMAND);
        PostMessageA(dialog, WM_CANCELMODE, 0, 0);
        PumpUntil(kShortWait, [&] { return !IsWindowVisible(menu); });
        return true;
    };
    UINT copy = 0, explore = 0;
    ASSERT_TRUE(menuStates(copy, explore));
    EXPECT_TRUE(copy & MF_GRAYED);
    EXPECT_TRUE(explore & MF_GRAYED);
    Select(list, 0);
    ASSERT_TRUE(menuStates(copy, explore));
    EXPECT_FALSE(copy & MF_GRAYED);
    EXPECT_FALSE(explore & MF_GRAYED);
    SendMessageA(dialog, WM_COMMAND, IDC_RPT_CLOSE, 0);
    EXPECT_EQ(run.Result(), 0);
    EXPECT_TRUE(platform.ShellOpenCalls.empty());  // closing the menu chose nothing
}

TEST(WaitWindow, ShowsItsTextCentredOnItsOwnerAtOnce) {
    // On a thread of its own, as the other windows of these tests, pumping its messages.
    std::atomic<HWND> shown{nullptr}, ownerShown{nullptr};
    std::atomic<bool> done{false}, hidden{false};
    std::thread thread([&] {
        HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 100, 600, 300,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ownerShown = owner;
        {
            TfrmWait wait(GetModuleHandleA(nullptr), owner);
            shown = wait.Handle();
            PumpUntil(10000, [&] { return done.load(); });
            wait.Hide();
            hidden = !IsWindowVisible(wait.Handle());
        }
        DestroyWindow(owner);
    });
    PumpUntil(5000, [&] { return shown.load() != nullptr; });
    HWND wait = shown;
    ASSERT_NE(wait, nullptr);
    RECT o = {};
    GetWindowRect(ownerShown, &o);
    EXPECT_NE(ownerShown.load(), nullptr);
    EXPECT_EQ(o.left, 100) << "owner " << o.left << "," << o.top << "," << o.right << "," << o.bottom;
    EXPECT_TRUE(IsWindowVisible(wait));
    EXPECT_EQ(TextOf(GetDlgItem(wait, IDC_WAIT_PANEL)), "Exporting report to file, please wait...");
    RECT w;
    GetWindowRect(wait, &w);
    EXPECT_NEAR((w.left + w.right) / 2, 400, 1);
    EXPECT_NEAR((w.top + w.bottom) / 2, 250, 1);
    EXPECT_FALSE(GetWindowLongPtrA(wait, GWL_STYLE) & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME));
    EXPECT_EQ(SaveWindowPicture(wait, WindowsPath(QUORLET_SCREENSHOT_DIR) + "\\wait-window.bmp"), "");
    done = true;
    thread.join();
    EXPECT_TRUE(hidden);
}

TEST(SpreadsheetProgram, WithoutItsAutomationObjectNothingIsDone) {
    // The settings key alone (as a removed spreadsheet program leaves it) is not enough.
    HKEY key = nullptr;
    const bool existed = SpreadsheetProgramKnown();
    if (!existed) {
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Office", &key), ERROR_SUCCESS);
    }
    if (key) RegCloseKey(key);
    EXPECT_TRUE(SpreadsheetProgramKnown());
    TTempFolder folder;
    bool shown = false;
    EXPECT_FALSE(ExportThroughSpreadsheetProgram(folder.File("book.xls"), {{u"File"}}, [&] { shown = true; }, [] {}));
    EXPECT_FALSE(shown);
    EXPECT_EQ(GetFileAttributesA(folder.File("book.xls").c_str()), INVALID_FILE_ATTRIBUTES);
    if (!existed) RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Office");
    EXPECT_EQ(SpreadsheetProgramKnown(), existed);
}
