// End-to-end: the real Quorlet.exe's options dialog, opened from the Quorlet
// Tab's options icon: fewer tab sheets and back again, a hot key typed into
// the hot-key control with real keys, and the backup and restore buttons
// with the system's own file dialogs.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "base/AppPaths.h"
#include "base/FileIo.h"
#include "fakes/TempFolder.h"
#include "resources/resource.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

class OptionsEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.File("Quorlet.exe");
        recorder = folder.File("QuorletRecorder.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
        TStoreScope scope(exe);
        settingsFile = SettingFileName;
        indexFile = ConfigFileName;
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.LoadGroups();
        settings.AutoCheckUpdate = false;
        settings.LastPanelIndex = 1;
        settings.X = 150;
        settings.Y = 120;
        settings.GroupNames = {"One", "Two", "Three", "Four", "Five"};
        settings.SaveSettings();
        settings.SaveGroups();
        TBtnSettingXml buttons(scope.Platform());
        StoreButton(buttons, {101, recorder, "", "", "First", "", recorder, 1, SW_SHOWNORMAL, 0});
        StoreButton(buttons, {401, recorder, "", "", "Fourth", "", recorder, 2, SW_SHOWNORMAL, 0});
        StoreButton(buttons, {501, recorder, "", "", "Fifth", "", recorder, 3, SW_SHOWNORMAL, 0});
    }
    void TearDown() override {
        if (quorlet.Running()) TerminateProcess(quorlet.Process(), 1);
    }

    HWND WaitForWindow(const char* className, const char* caption) const {
        HWND found = nullptr;
        PumpUntil(kLaunchWait, [&] {
            found = nullptr;
            while ((found = FindWindowExA(nullptr, found, className, caption)))
                if (IsWindowVisible(found) && WindowProcessId(found) == quorlet.ProcessId()) return true;
            return false;
        });
        return found;
    }

    // The options dialog, opened with the Quorlet Tab's options icon.
    HWND OpenOptions() {
        quorlet.ClickTab(0);
        PostCellClick(quorlet.Cell(0, IdImageOptions), 0);
        return WaitForWindow("#32770", "Options");
    }

    static void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    static POINT Middle(HWND window) {
        RECT r;
        GetWindowRect(window, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // Real keys: each goes down in order and comes up in reverse.
    static bool Keys(std::initializer_list<WORD> keys) {
        bool ok = true;
        for (WORD key : keys) ok = SendKey(key, false) && ok;
        for (auto key = keys.end(); key != keys.begin();) ok = SendKey(*--key, true) && ok;
        return ok;
    }
    // The user clicks into a field, deletes what it holds and types text.
    static bool Retype(HWND field, const std::string& text) {
        if (!SendClick(Middle(field)) || !Keys({VK_END})) return false;
        for (size_t n = TextOf(field).size(); n > 0; --n)
            if (!Keys({VK_BACK})) return false;
        return SendText(text);
    }
    // The names grid as it shows: the visible rows' names.
    static std::vector<std::string> ShownRows(HWND tabsheet) {
        std::vector<std::string> rows;
        for (int row = 0; row < 10; ++row) {
            HWND name = GetDlgItem(tabsheet, IDC_OPT_ROWNAME0 + row);
            if (IsWindowVisible(name)) rows.push_back(TextOf(name));
        }
        return rows;
    }
    // The user selects a page of the options dialog by its tab.
    static bool ClickPage(HWND dialog, int index, int pageId) {
        RECT tab;
        if (!TabScreenRect(GetDlgItem(dialog, IDC_OPT_PAGES), index, tab) ||
            !SendClick(POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2}))
            return false;
        HWND page = GetDlgItem(dialog, pageId);
        return PumpUntil(kShortWait, [&] { return IsWindowVisible(page) != FALSE; });
    }

    bool WaitGone(HWND window) const {
        return PumpUntil(kShortWait, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
    }

    int TabCount() const { return static_cast<int>(SendMessageA(quorlet.Tabs(), TCM_GETITEMCOUNT, 0, 0)); }

    std::vector<std::string> StoredGroups() {
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.LoadGroups();
        return settings.GroupNames;
    }

    bool StoredButtonExists(int id) {
        TStoreScope scope(exe);
        TBtnSettingXml buttons(scope.Platform());
        buttons.LoadButtonsDoc();
        return buttons.ReadButton(id);
    }

    TTempFolder folder;
    std::string exe, recorder, settingsFile, indexFile;
    TQuorletUnderTest quorlet;
};

TEST_F(OptionsEndToEndTest, FewerTabSheetsKeepTheirButtonsAndMoreBringThemBack) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    EXPECT_EQ(TabCount(), 6);

    // Cancel changes nothing, in the window or the file.
    const std::string before = ReadFileText(settingsFile);
    HWND cancelled = OpenOptions();
    ASSERT_NE(cancelled, nullptr) << "no options dialog";
    SendMessageA(GetDlgItem(GetDlgItem(cancelled, IDC_OPT_TABSHEETPAGE), IDC_OPT_GROUPS), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("2"));
    CheckDlgButton(GetDlgItem(cancelled, IDC_OPT_GENERALPAGE), IDC_OPT_ALWAYSONTOP, BST_CHECKED);
    Press(cancelled, IDCANCEL);
    ASSERT_TRUE(WaitGone(cancelled));
    EXPECT_EQ(TabCount(), 6);
    EXPECT_EQ(ReadFileText(settingsFile), before);
    EXPECT_FALSE(GetWindowLongPtrA(quorlet.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    HWND dialog = OpenOptions();
    ASSERT_NE(dialog, nullptr) << "no options dialog";
    EXPECT_EQ(SaveWindowPicture(dialog, ScreenshotPath("quorlet-options-general.bmp")), "");
    HWND pages = GetDlgItem(dialog, IDC_OPT_PAGES);
    RECT tab;
    ASSERT_TRUE(TabScreenRect(pages, 1, tab));
    ASSERT_TRUE(SendClick(POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2}));
    HWND tabsheet = GetDlgItem(dialog, IDC_OPT_TABSHEETPAGE);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return IsWindowVisible(tabsheet) != FALSE; }));
    EXPECT_EQ(TextOf(GetDlgItem(tabsheet, IDC_OPT_GROUPS)), "5");
    EXPECT_EQ(TextOf(GetDlgItem(tabsheet, IDC_OPT_ROWNAME0 + 4)), "Five");
    EXPECT_EQ(SaveWindowPicture(dialog, ScreenshotPath("quorlet-options-tabsheet.bmp")), "");

    // The update page as a new document has it: no check recorded yet.
    ASSERT_TRUE(TabScreenRect(pages, 2, tab));
    ASSERT_TRUE(SendClick(POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2}));
    HWND update = GetDlgItem(dialog, IDC_OPT_UPDATEPAGE);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return IsWindowVisible(update) != FALSE; }));
    EXPECT_EQ(TextOf(GetDlgItem(update, IDC_OPT_LASTCHECKING)), "never checking update");
    EXPECT_EQ(TextOf(GetDlgItem(update, IDC_OPT_LASTVERSION)), "1.3.0.1");
    EXPECT_EQ(TextOf(GetDlgItem(update, IDC_OPT_VERSION)), "1.3.0.1");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(update, IDC_OPT_INTERVAL)));  // automatic checks are off
    EXPECT_EQ(SaveWindowPicture(dialog, ScreenshotPath("quorlet-options-update.bmp")), "");

    // Three typed, and the field left: the rows beyond go.
    ASSERT_TRUE(ClickPage(dialog, 1, IDC_OPT_TABSHEETPAGE));
    ASSERT_TRUE(Retype(GetDlgItem(tabsheet, IDC_OPT_GROUPS), "3"));
    ASSERT_TRUE(Keys({VK_TAB}));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ShownRows(tabsheet).size() == 3; }));
    EXPECT_EQ(ShownRows(tabsheet), (std::vector<std::string>{"One", "Two", "Three"}));
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TabCount() == 4; })) << TabCount();
    EXPECT_EQ(StoredGroups(), (std::vector<std::string>{"One", "Two", "Three"}));
    EXPECT_TRUE(StoredButtonExists(401));  // the records of removed sheets stay
    EXPECT_TRUE(StoredButtonExists(501));

    // Step by step back to five with the spin arrow: the new rows are named by number.
    dialog = OpenOptions();
    ASSERT_NE(dialog, nullptr);
    tabsheet = GetDlgItem(dialog, IDC_OPT_TABSHEETPAGE);
    ASSERT_TRUE(ClickPage(dialog, 1, IDC_OPT_TABSHEETPAGE));
    RECT spin;
    GetWindowRect(GetDlgItem(tabsheet, IDC_OPT_GROUPSSPIN), &spin);
    const POINT up{(spin.left + spin.right) / 2, spin.top + (spin.bottom - spin.top) / 4};
    ASSERT_TRUE(SendClick(up));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ShownRows(tabsheet).size() == 4; }));
    ASSERT_TRUE(SendClick(up));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ShownRows(tabsheet).size() == 5; }));
    EXPECT_EQ(TextOf(GetDlgItem(tabsheet, IDC_OPT_GROUPS)), "5");
    EXPECT_EQ(ShownRows(tabsheet), (std::vector<std::string>{"One", "Two", "Three", "Tabsheet4", "Tabsheet5"}));
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TabCount() == 6; })) << TabCount();
    EXPECT_EQ(TabCaption(quorlet.Tabs(), 4), "Tabsheet4");
    quorlet.ClickTab(4);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return CellHasPicture(quorlet.Cell(4, 401)); }));
    EXPECT_EQ(CellHint(quorlet.Cell(4, 401)), "Fourth");
    EXPECT_EQ(TabCaption(quorlet.Tabs(), 5), "Tabsheet5");
}

TEST_F(OptionsEndToEndTest, ACountTypedDigitByDigitKeepsTheNamesOfEveryRow) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    HWND dialog = OpenOptions();
    ASSERT_NE(dialog, nullptr);
    HWND tabsheet = GetDlgItem(dialog, IDC_OPT_TABSHEETPAGE), count = GetDlgItem(tabsheet, IDC_OPT_GROUPS);
    ASSERT_TRUE(ClickPage(dialog, 1, IDC_OPT_TABSHEETPAGE));
    // A name typed in a row, then "10" typed over the 5 (passing through "1")
    // and the field left: the rows jump from five to ten.
    ASSERT_TRUE(Retype(GetDlgItem(tabsheet, IDC_OPT_ROWNAME0 + 1), "Second"));
    ASSERT_TRUE(Retype(count, "10"));
    ASSERT_TRUE(Keys({VK_TAB}));
    const std::vector<std::string> ten = {"One", "Second", "Three", "Four", "Five", "", "", "", "", "Tabsheet10"};
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ShownRows(tabsheet).size() == 10; }));
    EXPECT_EQ(ShownRows(tabsheet), ten);
    EXPECT_EQ(SaveWindowPicture(dialog, ScreenshotPath("quorlet-options-tabsheet-ten.bmp")), "");

    // "10" typed again and Enter, without leaving the field: OK takes the
    // count as it stands, and every name with it.
    ASSERT_TRUE(Retype(count, "10"));
    ASSERT_TRUE(Keys({VK_RETURN}));
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_EQ(StoredGroups(), ten);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TabCount() == 11; })) << TabCount();
    EXPECT_EQ(TabCaption(quorlet.Tabs(), 2), "Second");
    EXPECT_EQ(TabCaption(quorlet.Tabs(), 10), "Tabsheet10");
}

TEST_F(OptionsEndToEndTest, AHotKeyTypedIntoTheControlTogglesTheWindow) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    quorlet.WaitForTray();
    HWND dialog = OpenOptions();
    ASSERT_NE(dialog, nullptr);
    HWND hotKey = GetDlgItem(GetDlgItem(dialog, IDC_OPT_GENERALPAGE), IDC_OPT_HOTKEY);
    RECT r;
    GetWindowRect(hotKey, &r);
    ASSERT_TRUE(SendClick(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    ASSERT_TRUE(SendKey(VK_CONTROL, false) && SendKey(VK_SHIFT, false) && SendKey(VK_F7, false));
    ASSERT_TRUE(SendKey(VK_F7, true) && SendKey(VK_SHIFT, true) && SendKey(VK_CONTROL, true));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return SendMessageA(hotKey, HKM_GETHOTKEY, 0, 0) != 0; }));
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
    {
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        EXPECT_EQ(settings.GlobalHotKey, "Shift+Ctrl+F7");
    }
    // Registered once the tray tip names it.
    EXPECT_TRUE(PumpUntil(kShortWait, [&] {
        return TextOf(FindWindowA("QuorletTrayIcon", nullptr)).find("HotKey:Shift+Ctrl+F7") != std::string::npos;
    })) << TextOf(FindWindowA("QuorletTrayIcon", nullptr));
    ASSERT_NO_FATAL_FAILURE(quorlet.BringToFront());
    // The activation is the program's to take before the key comes.
    ASSERT_TRUE(quorlet.WaitUntilAnswering());
    ASSERT_TRUE(SendKey(VK_CONTROL, false) && SendKey(VK_SHIFT, false) && SendKey(VK_F7, false));
    ASSERT_TRUE(SendKey(VK_F7, true) && SendKey(VK_SHIFT, true) && SendKey(VK_CONTROL, true));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindowVisible(quorlet.Window()); }))
        << "the new hot key did not hide the window";
}

TEST_F(OptionsEndToEndTest, BackupRefusesTheIndexAndARestoreComesAtTheNextStart) {
    // A settings document to restore: the current one with other group names.
    const std::string saved = folder.File("saved.xml");
    {
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.LoadGroups();
        settings.GroupNames = {"Restored"};
        settings.SaveGroups();
        ASSERT_TRUE(CopyFileA(settingsFile.c_str(), saved.c_str(), FALSE));
        settings.GroupNames = {"One", "Two", "Three", "Four", "Five"};
        settings.SaveGroups();
    }
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    HWND dialog = OpenOptions();
    ASSERT_NE(dialog, nullptr);
    HWND general = GetDlgItem(dialog, IDC_OPT_GENERALPAGE);

    // The index under another spelling: upper case, through a relative part.
    std::string other = ExtractFilePath(indexFile) + "sub\\..\\" + ExtractFileName(indexFile);
    for (char& c : other) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    const std::string indexBefore = ReadFileText(indexFile);
    Press(general, IDC_OPT_BACKUP);
    HWND save = WaitForWindow("#32770", "Save As");
    ASSERT_NE(save, nullptr) << "no save dialog";
    SendMessageA(GetDlgItem(save, 0x47C), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()));
    Press(save, IDOK);
    TMessageBox box;
    ASSERT_TRUE(quorlet.WaitForMessageBox(kShortWait, box, "Quorlet"));
    EXPECT_EQ(box.Caption, "Quorlet");
    EXPECT_EQ(box.Text, "Can't bakcup to current configuration file, please choose again.");
    ASSERT_TRUE(quorlet.DismissMessageBox(box));
    EXPECT_EQ(ReadFileText(indexFile), indexBefore);

    Press(general, IDC_OPT_RESTORE);
    HWND open = WaitForWindow("#32770", "Open");
    ASSERT_NE(open, nullptr) << "no open dialog";
    SendMessageA(GetDlgItem(open, 0x47C), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(saved.c_str()));
    Press(open, IDOK);
    ASSERT_TRUE(quorlet.WaitForMessageBox(kShortWait, box, "Quorlet"));
    EXPECT_EQ(box.Text, "Restore configuration done, please exit and run Quorlet again.");
    ASSERT_TRUE(quorlet.DismissMessageBox(box));
    Press(dialog, IDCANCEL);
    ASSERT_TRUE(WaitGone(dialog));

    // The next start carries it out and keeps the document it replaced.
    PostMessageA(quorlet.Window(), WM_CLOSE, 0, 0);
    ASSERT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
    TQuorletUnderTest next;
    ASSERT_NO_FATAL_FAILURE(next.Start(exe, folder.Path()));
    EXPECT_EQ(TabCaption(next.Tabs(), 1), "Restored");
    EXPECT_EQ(StoredGroups(), std::vector<std::string>{"Restored"});
    EXPECT_TRUE(FileExistsOnDisk(settingsFile + ".bak"));
    PostMessageA(next.Window(), WM_CLOSE, 0, 0);
    next.WaitForExit(kLaunchWait);
}

}  // namespace
