// End-to-end: the real Quorlet.exe rearranged through its context menus with
// real right clicks, keys and clicks; the menus are read while open, the name
// prompt is typed into, and the settings document is checked after each step.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "app/TTrayIcon.h"
#include "base/AppPaths.h"
#include "fakes/TempFolder.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

using TRecords = std::map<int, std::string>;  // ID -> Description
using Strings = std::vector<std::string>;

struct TMenuEntry {
    std::string Caption;
    bool Enabled;
};

class EditingEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.File("Quorlet.exe");
        recorder = folder.File("QuorletRecorder.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
        TStoreScope scope(exe);
        settingsFile = SettingFileName;
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();  // groups "Tabsheet 1" and "Tabsheet 2"
        settings.AutoCheckUpdate = false;
        settings.LastPanelIndex = 1;
        settings.X = 200;
        settings.Y = 200;
        settings.SaveSettings();
        settings.LoadRecentButtons();
        settings.PushRecentButton(201);
        TBtnSettingXml buttons(scope.Platform());
        for (const auto& record : TRecords{{101, "A"}, {103, "C"}, {105, "E"}, {201, "X"}})
            StoreButton(buttons, {record.first, recorder, "", "", record.second, "", recorder, 0, SW_SHOWNORMAL, 0});
    }

    void TearDown() override {
        if (quorlet.Running()) {
            // A menu or a box left open by a failed step.
            SendKey(VK_ESCAPE, false);
            SendKey(VK_ESCAPE, true);
        }
    }

    TRecords StoredRecords() {
        TStoreScope scope(exe);
        TBtnSettingXml store(scope.Platform());
        TRecords records;
        if (!store.ReloadButtons()) return records;
        for (int sheet = 1; sheet <= 4; ++sheet)
            for (int position = 1; position <= 20; ++position) {
                const int id = sheet * 100 + position;
                store.ParseStoredButton(id);
                if (!store.Empty) records[id] = store.Description;
            }
        return records;
    }

    Strings StoredGroups() {
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadGroups();
        return settings.GroupNames;
    }

    Strings StoredRecent() {
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadRecentButtons();
        return settings.RecentButtons;
    }

    // The entries of the open context menu, separators as "-".
    std::vector<TMenuEntry> OpenMenu() {
        std::vector<TMenuEntry> entries;
        std::string caption;
        PumpUntil(kShortWait, [&] { return OpenMenuEntry(quorlet.Window(), 0, caption) >= 0; });
        for (int position = 0;; ++position) {
            const int state = OpenMenuEntry(quorlet.Window(), position, caption);
            if (state < 0) break;
            if (state & MF_SEPARATOR)
                entries.push_back({"-", false});
            else
                entries.push_back({caption, (state & MFS_GRAYED) == 0});
        }
        return entries;
    }

    static std::string Enabled(const std::vector<TMenuEntry>& entries) {
        std::string text;
        for (const TMenuEntry& entry : entries)
            text += entry.Caption == "-" ? "-" : entry.Enabled ? "+" : ".";
        return text;
    }

    // Chooses the entry with this caption from the open menu with the keyboard.
    void Choose(const std::vector<TMenuEntry>& entries, const std::string& caption) {
        int downs = 0;
        bool found = false;
        for (const TMenuEntry& entry : entries) {
            if (entry.Caption == "-") continue;
            ++downs;
            if (entry.Caption == caption) {
                found = true;
                break;
            }
        }
        ASSERT_TRUE(found) << caption;
        for (int i = 0; i < downs; ++i) ASSERT_TRUE(SendKey(VK_DOWN, false) && SendKey(VK_DOWN, true));
        ASSERT_TRUE(SendKey(VK_RETURN, false) && SendKey(VK_RETURN, true));
        std::string ignored;
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return OpenMenuEntry(quorlet.Window(), 0, ignored) < 0; }));
    }

    std::vector<TMenuEntry> RightClickCell(int page, int id) {
        TMessageBox box;
        if (quorlet.WaitForMessageBox(0, box)) ADD_FAILURE() << "a box is open: " << box.Caption << ": " << box.Text;
        quorlet.BringToFront();
        const POINT point = quorlet.PointAt(quorlet.Cell(page, id));
        EXPECT_TRUE(SendRightClick(point));
        return OpenMenu();
    }

    std::vector<TMenuEntry> RightClickTab(int index) {
        quorlet.BringToFront();
        RECT tab;
        EXPECT_TRUE(TabScreenRect(quorlet.Tabs(), index, tab));
        EXPECT_TRUE(SendRightClick({(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2}));
        return OpenMenu();
    }

    void ClickCell(int page, int id) {
        quorlet.BringToFront();
        ASSERT_TRUE(SendClick(quorlet.PointAt(quorlet.Cell(page, id))));
    }

    bool WaitForRecords(const TRecords& expected) {
        TRecords now;
        const bool ok = PumpUntil(kShortWait, [&] { return (now = StoredRecords()) == expected; });
        if (!ok) {
            std::string text;
            for (const auto& r : now) text += std::to_string(r.first) + "=" + r.second + " ";
            ADD_FAILURE() << "records now: " << text;
        }
        return ok;
    }

    bool WaitForHint(int page, int id, const std::string& hint) {
        return PumpUntil(kShortWait, [&] { return CellHint(quorlet.Cell(page, id)) == hint; });
    }

    HWND WaitForPrompt() {
        HWND found = nullptr;
        PumpUntil(kShortWait, [&] {
            found = FindWindowA("#32770", "Tabsheet name");
            return found && IsWindowVisible(found);
        });
        return found;
    }

    // Types a name into the prompt with real keys (replacing what it holds) and presses Enter.
    void TypeIntoPrompt(const std::string& name, const char* picture = nullptr) {
        HWND prompt = WaitForPrompt();
        ASSERT_NE(prompt, nullptr);
        SetForegroundWindow(prompt);
        ASSERT_TRUE(SendKey(VK_CONTROL, false) && SendKey('A', false) && SendKey('A', true) && SendKey(VK_CONTROL, true));
        ASSERT_TRUE(SendText(name));
        if (picture) {
            EXPECT_EQ(SaveWindowPicture(prompt, ScreenshotPath(picture)), "");
        }
        ASSERT_TRUE(SendKey(VK_RETURN, false) && SendKey(VK_RETURN, true));
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(prompt); }));
    }

    void Answer(int button) {
        TMessageBox box;
        ASSERT_TRUE(quorlet.WaitForMessageBox(kShortWait, box));
        EXPECT_EQ(box.Caption, "Quorlet");
        PostMessageA(box.Window, WM_COMMAND, button, 0);
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(box.Window); }));
    }

    int TabCount() { return static_cast<int>(SendMessageA(quorlet.Tabs(), TCM_GETITEMCOUNT, 0, 0)); }

    TTempFolder folder;
    std::string exe, recorder, settingsFile;
    TQuorletUnderTest quorlet;
};

}  // namespace

TEST_F(EditingEndToEndTest, CellMenuMovesSwapsAndCopiesButtons) {
    quorlet.Start(exe, folder.Path());
    ASSERT_TRUE(WaitForHint(1, 105, "E"));

    // A filled cell in the upper row: everything is offered, the path entries name it.
    std::vector<TMenuEntry> menu = RightClickCell(1, 105);
    ASSERT_EQ(menu.size(), 13u);
    EXPECT_EQ(menu[0].Caption, "Move to the first");
    EXPECT_EQ(menu[5].Caption, "Swap to...");
    EXPECT_EQ(menu[6].Caption, "Copy to ...");
    EXPECT_EQ(menu[9].Caption, "Copy \"E\" full path/file name");
    EXPECT_EQ(menu[10].Caption, "Open \"E\" in Windows Explorer");
    EXPECT_EQ(menu[12].Caption, "Properties");
    EXPECT_EQ(Enabled(menu), "++++-+++-++-+");
    HWND popup = FindWindowA("#32768", nullptr);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(SaveWindowPicture(popup, ScreenshotPath("quorlet-cell-menu.bmp")), "");
    ASSERT_NO_FATAL_FAILURE(Choose(menu, "Move to the first"));
    ASSERT_TRUE(WaitForRecords({{101, "E"}, {102, "A"}, {104, "C"}, {201, "X"}}));
    EXPECT_TRUE(WaitForHint(1, 101, "E"));
    EXPECT_EQ(CellHint(quorlet.Cell(1, 105)), "");
    EXPECT_EQ(StoredRecent()[0], "201");  // moves leave the recent list alone

    // The last, empty cell: no moves to the right, no path entries.
    menu = RightClickCell(1, 120);
    EXPECT_EQ(Enabled(menu), "++..-+++-..-+");
    EXPECT_EQ(menu[9].Caption, "Copy \"\" full path/file name");
    ASSERT_TRUE(SendKey(VK_ESCAPE, false) && SendKey(VK_ESCAPE, true));

    // Swap: 101 with 201 on the other tab sheet; the recent list follows the record.
    menu = RightClickCell(1, 101);
    EXPECT_EQ(Enabled(menu), "..++-+++-++-+");
    ASSERT_NO_FATAL_FAILURE(Choose(menu, "Swap to..."));
    ASSERT_NO_FATAL_FAILURE(quorlet.ClickTab(2));
    ASSERT_NO_FATAL_FAILURE(ClickCell(2, 201));
    ASSERT_TRUE(WaitForRecords({{101, "X"}, {102, "A"}, {104, "C"}, {201, "E"}}));
    EXPECT_TRUE(WaitForHint(2, 201, "E"));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return StoredRecent()[0] == "101"; })) << StoredRecent()[0];

    // Copy 201 onto the empty 205, then onto the occupied 102 answered No and then Yes.
    ASSERT_NO_FATAL_FAILURE(Choose(RightClickCell(2, 201), "Copy to ..."));
    ASSERT_NO_FATAL_FAILURE(ClickCell(2, 205));
    ASSERT_TRUE(WaitForRecords({{101, "X"}, {102, "A"}, {104, "C"}, {201, "E"}, {205, "E"}}));
    ASSERT_NO_FATAL_FAILURE(Choose(RightClickCell(2, 201), "Copy to ..."));
    ASSERT_NO_FATAL_FAILURE(quorlet.ClickTab(1));
    ASSERT_NO_FATAL_FAILURE(ClickCell(1, 102));
    ASSERT_NO_FATAL_FAILURE(Answer(IDNO));
    ASSERT_TRUE(WaitForRecords({{101, "X"}, {102, "A"}, {104, "C"}, {201, "E"}, {205, "E"}}));
    // The copy ended with the No: a click now launches nothing and asks nothing.
    ASSERT_NO_FATAL_FAILURE(Choose(RightClickCell(1, 101), "Copy to ..."));
    ASSERT_NO_FATAL_FAILURE(ClickCell(1, 102));
    ASSERT_NO_FATAL_FAILURE(Answer(IDYES));
    ASSERT_TRUE(WaitForRecords({{101, "X"}, {102, "X"}, {104, "C"}, {201, "E"}, {205, "E"}}));
    EXPECT_TRUE(WaitForHint(1, 102, "X"));

    // Clear asks, then empties the cell.
    ASSERT_NO_FATAL_FAILURE(Choose(RightClickCell(1, 104), "Clear"));
    ASSERT_NO_FATAL_FAILURE(Answer(IDYES));
    ASSERT_TRUE(WaitForRecords({{101, "X"}, {102, "X"}, {201, "E"}, {205, "E"}}));
    EXPECT_TRUE(WaitForHint(1, 104, ""));

    // A file that cannot be written: the move shows why and changes nothing.
    const std::string before = ReadFileText(settingsFile);
    ASSERT_TRUE(SetFileAttributesA(settingsFile.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_NO_FATAL_FAILURE(Choose(RightClickCell(1, 102), "Move to the last"));
    TMessageBox box;
    ASSERT_TRUE(quorlet.WaitForMessageBox(kShortWait, box));
    EXPECT_EQ(box.Caption, "Quorlet");
    EXPECT_NE(box.Text.find("Cannot write file"), std::string::npos) << box.Text;
    EXPECT_TRUE(quorlet.DismissMessageBox(box));
    SetFileAttributesA(settingsFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileText(settingsFile), before);
    EXPECT_EQ(CellHint(quorlet.Cell(1, 102)), "X");
    EXPECT_EQ(CellHint(quorlet.Cell(1, 120)), "");
    EXPECT_TRUE(quorlet.Running());
}

TEST_F(EditingEndToEndTest, TabMenuCreatesRenamesMovesAndDeletesTabSheets) {
    quorlet.Start(exe, folder.Path());
    ASSERT_EQ(TabCount(), 3);

    // Over the last tab sheet: not further right.
    std::vector<TMenuEntry> menu = RightClickTab(2);
    ASSERT_EQ(menu.size(), 9u);
    EXPECT_EQ(menu[0].Caption, "Show Quorlet Tab");
    EXPECT_EQ(menu[2].Caption, "Move Tab left");
    EXPECT_EQ(menu[5].Caption, "Create New Tab...");
    EXPECT_EQ(menu[6].Caption, "Rename ...");
    EXPECT_EQ(menu[8].Caption, "Delete");
    EXPECT_EQ(Enabled(menu), "+-+.-++-+");
    EXPECT_EQ(SendMessageA(quorlet.Tabs(), TCM_GETCURSEL, 0, 0), 2);
    HWND popup = FindWindowA("#32768", nullptr);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(SaveWindowPicture(popup, ScreenshotPath("quorlet-tab-menu.bmp")), "");

    ASSERT_NO_FATAL_FAILURE(Choose(menu, "Create New Tab..."));
    ASSERT_NO_FATAL_FAILURE(TypeIntoPrompt("Tools", "quorlet-name-prompt.bmp"));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TabCount() == 4; }));
    EXPECT_EQ(TabCaption(quorlet.Tabs(), 3), "Tools");
    EXPECT_EQ(SendMessageA(quorlet.Tabs(), TCM_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(StoredGroups(), (Strings{"Tabsheet 1", "Tabsheet 2", "Tools"}));

    // Over the first tab sheet: not left of the Quorlet Tab.
    menu = RightClickTab(1);
    EXPECT_EQ(Enabled(menu), "+-.+-++-+");
    ASSERT_TRUE(SendKey(VK_ESCAPE, false) && SendKey(VK_ESCAPE, true));

    ASSERT_NO_FATAL_FAILURE(Choose(RightClickTab(3), "Rename ..."));
    ASSERT_NO_FATAL_FAILURE(TypeIntoPrompt(" My tools "));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TabCaption(quorlet.Tabs(), 3) == " My tools "; }));
    EXPECT_EQ(StoredGroups(), (Strings{"Tabsheet 1", "Tabsheet 2", " My tools "}));

    // Moving it left takes the records of tab sheet 2 along: 201 becomes 301.
    ASSERT_NO_FATAL_FAILURE(Choose(RightClickTab(3), "Move Tab left"));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TabCaption(quorlet.Tabs(), 2) == " My tools "; }));
    EXPECT_EQ(TabCaption(quorlet.Tabs(), 3), "Tabsheet 2");
    EXPECT_EQ(StoredGroups(), (Strings{"Tabsheet 1", " My tools ", "Tabsheet 2"}));
    EXPECT_TRUE(WaitForRecords({{101, "A"}, {103, "C"}, {105, "E"}, {301, "X"}}));
    EXPECT_EQ(StoredRecent()[0], "301");
    EXPECT_EQ(CellButtonId(quorlet.Cell(3, 301)), 301);
    EXPECT_EQ(CellHint(quorlet.Cell(3, 301)), "X");

    // Deleting the renamed tab sheet: tab sheet 3 becomes 2 with its records.
    ASSERT_NO_FATAL_FAILURE(Choose(RightClickTab(2), "Delete"));
    ASSERT_NO_FATAL_FAILURE(Answer(IDYES));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TabCount() == 3; }));
    EXPECT_EQ(TabCaption(quorlet.Tabs(), 2), "Tabsheet 2");
    EXPECT_EQ(StoredGroups(), (Strings{"Tabsheet 1", "Tabsheet 2"}));
    EXPECT_TRUE(WaitForRecords({{101, "A"}, {103, "C"}, {105, "E"}, {201, "X"}}));
    EXPECT_TRUE(WaitForHint(2, 201, "X"));

    // Hiding the Quorlet Tab is saved.
    ASSERT_NO_FATAL_FAILURE(Choose(RightClickTab(1), "Show Quorlet Tab"));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TabCount() == 2; }));
    TStoreScope scope(exe);
    TAppSettingXml settings(scope.Platform());
    settings.LoadSettings();
    EXPECT_FALSE(settings.ShowAppPanel);
}

TEST_F(EditingEndToEndTest, AQuestionThatWaitsComesFirstAndNothingChangesTheSheetsUnderIt) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    ASSERT_NO_FATAL_FAILURE(Choose(RightClickCell(1, 103), "Clear"));
    TMessageBox question;
    ASSERT_TRUE(quorlet.WaitForMessageBox(kShortWait, question));
    // While it waits, the tray icon's menu (which stays usable) offers the
    // options, which could remove the cell's tab sheet: they do not open,
    // and the question comes to the front.
    HWND tray = nullptr;
    for (HWND w = FindWindowExA(nullptr, nullptr, TrayWindowClassName, nullptr); w && !tray;
         w = FindWindowExA(nullptr, w, TrayWindowClassName, nullptr))
        if (WindowProcessId(w) == quorlet.ProcessId()) tray = w;
    ASSERT_NE(tray, nullptr);
    PostMessageA(tray, TTrayIcon::WM_TRAYICON, 0, WM_RBUTTONUP);
    ASSERT_NO_FATAL_FAILURE(Choose(OpenMenu(), "Options..."));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return GetForegroundWindow() == question.Window; }));
    HWND options = FindWindowA("#32770", "Options");
    EXPECT_TRUE(options == nullptr || WindowProcessId(options) != quorlet.ProcessId()) << "the options opened";
    // The question is answered and does what it asked.
    PostMessageA(question.Window, WM_COMMAND, IDYES, 0);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(question.Window); }));
    EXPECT_TRUE(WaitForRecords({{101, "A"}, {105, "E"}, {201, "X"}}));
    EXPECT_TRUE(WaitForHint(1, 103, ""));
    EXPECT_TRUE(quorlet.Running());
}
