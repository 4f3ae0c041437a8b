// End-to-end: the real Quorlet.exe driven from the keyboard with real keys.
// Typing finds a button on any tab sheet, Enter launches it and Esc brings the
// page back; the cells take the keyboard focus, which Tab, the arrows, Enter,
// the menu keys and the page keys move and use. The recorder program reports
// what was started; the settings document what was counted.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>

#include <string>
#include <vector>

#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "base/AppPaths.h"
#include "fakes/TempFolder.h"
#include "settings/UAppSettingXml.h"
#include "launcher/DroppedPath.h"
#include "resources/resource.h"
#include "settings/UBtnSettingXml.h"
#include "shell/LinkCreateInfo.h"
#include "shell/StartMenuFolders.h"

using namespace quorlet;

namespace {

const char* const kSheets[10] = {"Tools", "Office", "Internet", "Media", "Games",
                                 "System", "Projects", "Graphics", "Admin", "Misc"};

// The keyboard focus of the program's window thread.
HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

bool Press(WORD key) { return SendKey(key, false) && SendKey(key, true); }

// A key with a modifier held.
bool PressWith(WORD modifier, WORD key) {
    return SendKey(modifier, false) && SendKey(key, false) && SendKey(key, true) && ReleaseKey(modifier);
}

// The focus events of a process, as a screen reader hears them.
class TFocusEvents {
public:
    explicit TFocusEvents(DWORD processId) {
        FHook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &Heard, processId, 0,
                                WINEVENT_OUTOFCONTEXT);
        Current() = this;
    }
    ~TFocusEvents() {
        if (FHook) UnhookWinEvent(FHook);
        Current() = nullptr;
    }
    struct TEvent {
        HWND Window;
        LONG Object, Child;
    };
    std::vector<TEvent> Events;

private:
    static TFocusEvents*& Current() {
        static TFocusEvents* current = nullptr;
        return current;
    }
    static void CALLBACK Heard(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
        if (Current()) Current()->Events.push_back({window, object, child});
    }
    HWINEVENTHOOK FHook = nullptr;
};

class KeyboardEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.File("Quorlet.exe");
        recorder = folder.File("QuorletRecorder.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
        TStoreScope scope(exe);
        settingsFile = SettingFileName;
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.AutoCheckUpdate = false;
        settings.ShowAppPanel = true;
        settings.ActiveAppPanel = false;
        settings.LastPanelIndex = 1;
        settings.X = 300;
        settings.Y = 300;
        settings.SaveSettings();
        settings.GroupNames.assign(kSheets, kSheets + 10);
        settings.SaveGroups();
        // Ten full tab sheets, but for one empty cell on the second.
        TBtnSettingXml buttons(scope.Platform());
        for (int sheet = 1; sheet <= 10; ++sheet)
            for (int position = 1; position <= 20; ++position) {
                const int id = sheet * 100 + position;
                if (id == 205) continue;
                const std::string name = id == 707 ? "Zebra Painter" : "Tool " + std::to_string(id);
                StoreButton(buttons, {id, recorder, "-b " + std::to_string(id), "", name, "", recorder, 0, SW_SHOWNORMAL,
                                      id % 7});
            }
    }

    void Start() {
        ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
        quorlet.WaitForTray();
        ASSERT_NO_FATAL_FAILURE(quorlet.BringToFront());
    }
    HWND FindSheet() const { return FindChildControl(quorlet.Window(), IdFindSheet, SheetClassName); }
    int ActiveTab() const { return static_cast<int>(SendMessageA(quorlet.Tabs(), TCM_GETCURSEL, 0, 0)); }
    int32_t StoredCount(int id) {
        TStoreScope scope(exe);
        TBtnSettingXml store(scope.Platform());
        store.LoadButtonsDoc();
        store.ReadButton(id);
        return store.TotolRunTimes;
    }
    // The recorder's lines so far: the arguments each start was given.
    std::vector<std::string> Started() {
        std::vector<std::string> arguments;
        for (const std::string& line : LinesOf(folder.File("recorder.log")))
            arguments.push_back(line.substr(line.find('|') + 1));
        return arguments;
    }
    bool WaitForStarts(size_t count) { return PumpUntil(kLaunchWait, [&] { return Started().size() >= count; }); }

    TTempFolder folder;
    std::string exe, recorder, settingsFile;
    TQuorletUnderTest quorlet;
};

}  // namespace

TEST_F(KeyboardEndToEndTest, TypingFindsAButtonOnAnyTabSheetAndEnterLaunchesIt) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_EQ(ActiveTab(), 1);
    const int32_t before = StoredCount(707);

    // Three letters of a button on the seventh tab sheet, never shown yet.
    ASSERT_TRUE(SendText("zeb"));
    ASSERT_TRUE(quorlet.WaitForPanel(0, "Find: zeb  (1)")) << quorlet.Panel(0);
    HWND find = FindSheet();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(IsWindowVisible(find));
    EXPECT_FALSE(IsWindowVisible(quorlet.Sheet(1)));
    EXPECT_EQ(ActiveTab(), -1);  // no tab is selected while the find page is up
    EXPECT_EQ(CellButtonId({find, 1}), 707);
    EXPECT_TRUE(CellVisible({find, 1}));
    EXPECT_FALSE(CellVisible({find, 2}));
    EXPECT_EQ(CellHint({find, 1}), "Zebra Painter");
    ASSERT_NO_FATAL_FAILURE(quorlet.SavePicture("quorlet-find.bmp"));

    ASSERT_TRUE(Press(VK_RETURN));
    ASSERT_TRUE(WaitForStarts(1));
    EXPECT_EQ(Started(), (std::vector<std::string>{"-b 707"}));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return StoredCount(707) == before + 1; })) << StoredCount(707);
    // The find has ended: the page shown before is back.
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ActiveTab() == 1 && IsWindowVisible(quorlet.Sheet(1)); }));
    EXPECT_FALSE(IsWindowVisible(find));

    // A longer find over many buttons: Esc brings the page back and counts nothing.
    ASSERT_TRUE(SendText("tool 3"));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return quorlet.Panel(0).rfind("Find: tool 3  (", 0) == 0; }))
        << quorlet.Panel(0);
    // Those where it begins a word come first: the third sheet's.
    for (int cell = 1; cell <= 20; ++cell) EXPECT_EQ(CellButtonId({find, cell}) / 100, 3) << cell;
    ASSERT_NO_FATAL_FAILURE(quorlet.SavePicture("quorlet-find-many.bmp"));
    ASSERT_TRUE(Press(VK_ESCAPE));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ActiveTab() == 1 && !IsWindowVisible(find); }));
    EXPECT_TRUE(quorlet.WaitForPanel(0, ""));
    EXPECT_EQ(Started().size(), 1u);
    EXPECT_TRUE(quorlet.Running());
}

TEST_F(KeyboardEndToEndTest, TheCellsTakeTheKeyboard) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND sheet = quorlet.Sheet(1);
    TFocusEvents focus(quorlet.ProcessId());
    // The window has the keyboard, as before there were keys for the cells;
    // the first arrow takes it to the page and shows its first cell, the next
    // ones move over the grid.
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(quorlet.Window()) == quorlet.Window(); }));
    ASSERT_TRUE(Press(VK_RIGHT));
    ASSERT_TRUE(quorlet.WaitForPanel(0, "Tool 101")) << quorlet.Panel(0);
    EXPECT_EQ(FocusOf(quorlet.Window()), sheet);
    ASSERT_TRUE(Press(VK_RIGHT));
    ASSERT_TRUE(Press(VK_RIGHT));
    ASSERT_TRUE(Press(VK_DOWN));
    ASSERT_TRUE(quorlet.WaitForPanel(0, "Tool 113")) << quorlet.Panel(0);
    // A screen reader hears of the focused cell, named by its hint.
    EXPECT_TRUE(PumpUntil(kShortWait, [&] {
        return !focus.Events.empty() && focus.Events.back().Window == sheet &&
               focus.Events.back().Child == CellAnswer({sheet, 113}, WM_CELL_ACCCHILD);
    }));
    std::vector<TAccessibleCell> cells;
    ASSERT_TRUE(AccessibleCells(sheet, cells));
    const TAccessibleCell& focused = cells[static_cast<size_t>(CellAnswer({sheet, 113}, WM_CELL_ACCCHILD)) - 1];
    EXPECT_EQ(focused.Name, "Tool 113");
    EXPECT_TRUE(focused.State & STATE_SYSTEM_FOCUSED);
    ASSERT_NO_FATAL_FAILURE(quorlet.SavePicture("quorlet-keyboard-focus.bmp"));

    ASSERT_TRUE(Press(VK_RETURN));
    ASSERT_TRUE(WaitForStarts(1));
    EXPECT_EQ(Started(), (std::vector<std::string>{"-b 113"}));

    // Shift+F10 opens the cell's menu at the cell; Esc closes it.
    ASSERT_TRUE(PressWith(VK_SHIFT, VK_F10));
    std::string caption;
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return OpenMenuEntry(quorlet.Window(), 0, caption) >= 0; }));
    std::vector<std::string> entries;
    for (int position = 0; OpenMenuEntry(quorlet.Window(), position, caption) >= 0; ++position)
        entries.push_back(caption);
    EXPECT_NE(std::find(entries.begin(), entries.end(), "Properties"), entries.end());
    EXPECT_NE(std::find(entries.begin(), entries.end(), "Clear"), entries.end());
    ASSERT_TRUE(Press(VK_ESCAPE));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return OpenMenuEntry(quorlet.Window(), 0, caption) < 0; }));

    // Delete asks as the menu's "Clear" does; No keeps the button.
    ASSERT_TRUE(Press(VK_DELETE));
    TMessageBox question;
    ASSERT_TRUE(quorlet.WaitForMessageBox(kShortWait, question));
    EXPECT_EQ(question.Text, "Are you sure to remove this Icon?\r\n\r\nTool 113 ");
    PostMessageA(question.Window, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(question.Window); }));
    // Alt+Enter opens the focused button's properties.
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(quorlet.Window()) == sheet; }));
    ASSERT_TRUE(SendKey(VK_MENU, false) && SendKey(VK_RETURN, false) && SendKey(VK_RETURN, true) && ReleaseKey(VK_MENU));
    HWND properties = nullptr;
    ASSERT_TRUE(PumpUntil(kShortWait, [&] {
        properties = FindWindowA("#32770", "Properties");
        return properties && IsWindowVisible(properties) && WindowProcessId(properties) == quorlet.ProcessId();
    }));
    EXPECT_EQ(TextOf(GetDlgItem(GetDlgItem(properties, IDC_BTN_PAGE), IDC_BTN_DESCRIPTION)), "Tool 113");
    PostMessageA(properties, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(properties); }));
    EXPECT_TRUE(CellHasPicture({sheet, 113}));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(quorlet.Window()) == sheet; }));

    // Tab goes to the tab strip and back; Ctrl+Tab and Ctrl+PgUp turn the tab
    // sheets as the user's own change.
    ASSERT_TRUE(Press(VK_TAB));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(quorlet.Window()) == quorlet.Tabs(); }));
    ASSERT_TRUE(Press(VK_TAB));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(quorlet.Window()) == sheet; }));
    ASSERT_TRUE(PressWith(VK_CONTROL, VK_TAB));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ActiveTab() == 2 && IsWindowVisible(quorlet.Sheet(2)); }));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(quorlet.Window()) == quorlet.Sheet(2); }));
    ASSERT_TRUE(PressWith(VK_CONTROL, VK_PRIOR));
    ASSERT_TRUE(PressWith(VK_CONTROL, VK_PRIOR));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ActiveTab() == 0 && IsWindowVisible(quorlet.Sheet(0)); }));
    // On the Quorlet Tab the keys go over its rows and command icons: Enter on
    // the first command icon after the recent and most-used rows opens the options.
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(quorlet.Window()) == quorlet.Sheet(0); }));
    // The accessible child that has the focus, and its name; -1 for none.
    auto focusedChild = [&](std::string& name) {
        std::vector<TAccessibleCell> tab;
        if (!AccessibleCells(quorlet.Sheet(0), tab)) return -1;
        for (size_t i = 0; i < tab.size(); ++i)
            if (tab[i].State & STATE_SYSTEM_FOCUSED) {
                name = tab[i].Name;
                return static_cast<int>(i);
            }
        return -1;
    };
    std::string name;
    ASSERT_TRUE(Press(VK_HOME));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return focusedChild(name) >= 0; }));
    for (int step = 0; step < 12 && name != "Options..."; ++step) {
        const int before = focusedChild(name);
        ASSERT_TRUE(Press(VK_RIGHT));
        ASSERT_TRUE(PumpUntil(kShortWait, [&] { return focusedChild(name) != before; })) << "stuck at " << name;
    }
    ASSERT_EQ(name, "Options...");
    ASSERT_TRUE(quorlet.WaitForPanel(0, "Options...")) << quorlet.Panel(0);
    ASSERT_TRUE(Press(VK_RETURN));
    HWND options = nullptr;
    ASSERT_TRUE(PumpUntil(kShortWait, [&] {
        options = FindWindowA("#32770", "Options");
        return options && IsWindowVisible(options);
    }));
    PostMessageA(options, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(options); }));

    // Esc hides the window to the notification area.
    ASSERT_TRUE(Press(VK_ESCAPE));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindowVisible(quorlet.Window()); }));
    EXPECT_TRUE(quorlet.Running());
    // The page last chosen is kept.
    PostMessageA(quorlet.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
    TStoreScope scope(exe);
    TAppSettingXml settings(scope.Platform());
    settings.LoadSettings();
    EXPECT_EQ(settings.LastPanelIndex, 0);
}

namespace {

// A shortcut in the user's Start Menu Programs folder, to a copy of the
// recorder with arguments of its own; removed afterwards.
struct TStartMenuShortcut {
    std::string Folder, Link;
    TStartMenuShortcut(IPlatform& platform, const std::string& target) {
        const TStartMenuFolders folders = GetStartMenuFolders(platform);
        Folder = folders.User + "Quorlet Keys " + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(Folder.c_str(), nullptr);
        Link = Folder + "\\Quokka Viewer.lnk";
        TLinkCreateInfo info = {};
        AssignLinkField(info.Path, target);
        AssignLinkField(info.Arguments, "--from-start-menu");
        AssignLinkField(info.WorkingDir, ExtractFilePath(target));
        info.ShowCmd = SW_SHOWNORMAL;
        Written = platform.SaveShellLink(info, Link);
    }
    ~TStartMenuShortcut() {
        DeleteFileA(Link.c_str());
        RemoveDirectoryA(Folder.c_str());
    }
    bool Written = false;
};

}  // namespace

TEST_F(KeyboardEndToEndTest, AStartMenuShortcutIsFoundStartedAndPutOnAButton) {
    const std::string viewer = folder.File("Quokka.exe");
    ASSERT_TRUE(CopyFileA(recorder.c_str(), viewer.c_str(), FALSE));
    TWin32Platform platform(GetModuleHandleA(nullptr));
    TStartMenuShortcut shortcut(platform, viewer);
    ASSERT_TRUE(shortcut.Written) << shortcut.Link;
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string before = ReadFileText(settingsFile);

    // Found once the Start Menu has been read, after the buttons, marked as
    // no button; Enter starts it through the shell and counts nothing.
    ASSERT_TRUE(SendText("quok"));
    ASSERT_TRUE(PumpUntil(kLaunchWait, [&] { return quorlet.Panel(0) == "Find: quok  (1)"; })) << quorlet.Panel(0);
    HWND find = FindSheet();
    EXPECT_EQ(CellHint({find, 1}), "Start Menu: Quokka Viewer");
    EXPECT_EQ(CellButtonId({find, 1}), 0);
    EXPECT_TRUE(CellHasPicture({find, 1}));
    ASSERT_NO_FATAL_FAILURE(quorlet.SavePicture("quorlet-find-start-menu.bmp"));
    ASSERT_TRUE(Press(VK_RETURN));
    ASSERT_TRUE(WaitForStarts(1));
    EXPECT_EQ(Started(), (std::vector<std::string>{"--from-start-menu"}));
    ASSERT_TRUE(quorlet.WaitUntilAnswering());
    EXPECT_EQ(ReadFileText(settingsFile), before);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ActiveTab() == 1 && !IsWindowVisible(find); }));

    // Ctrl+Enter on a full tab sheet says so and adds nothing.
    ASSERT_TRUE(SendText("quok"));
    ASSERT_TRUE(quorlet.WaitForPanel(0, "Find: quok  (1)")) << quorlet.Panel(0);
    ASSERT_TRUE(PressWith(VK_CONTROL, VK_RETURN));
    EXPECT_TRUE(quorlet.WaitForPanel(0, "No empty button on \"Tools\"")) << quorlet.Panel(0);
    EXPECT_TRUE(IsWindowVisible(find));
    ASSERT_TRUE(Press(VK_ESCAPE));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindowVisible(find); }));
    ASSERT_TRUE(quorlet.WaitUntilAnswering());
    EXPECT_EQ(ReadFileText(settingsFile), before);

    // On the second tab sheet, which has an empty cell, Ctrl+Enter makes it a
    // button there, as a drop of the shortcut on that cell would.
    ASSERT_TRUE(PressWith(VK_CONTROL, VK_NEXT));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return ActiveTab() == 2; }));
    ASSERT_TRUE(SendText("quok"));
    ASSERT_TRUE(quorlet.WaitForPanel(0, "Find: quok  (1)")) << quorlet.Panel(0);
    ASSERT_TRUE(PressWith(VK_CONTROL, VK_RETURN));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return CellHint(quorlet.Cell(2, 205)) != ""; }));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ActiveTab() == 2 && IsWindowVisible(quorlet.Sheet(2)); }));
    // The new button is the one the keyboard is on.
    EXPECT_TRUE(quorlet.WaitForPanel(0, CellHint(quorlet.Cell(2, 205)))) << quorlet.Panel(0);
    ASSERT_NO_FATAL_FAILURE(quorlet.SavePicture("quorlet-find-placed.bmp"));
    struct TRecord {
        bool Empty = true;
        std::string Command, Parameters, WorkingDir, Description, IconFile;
        int32_t IconNumber = 0, WindowStyle = 0, TotolRunTimes = 0;
        explicit TRecord(IPlatform& platform) {
            TBtnSettingXml store(platform);
            store.LoadButtonsDoc();
            store.ReadButton(205);
            Empty = store.Empty;
            Command = store.Command;
            Parameters = store.Parameters;
            WorkingDir = store.WorkingDir;
            Description = store.Description;
            IconFile = store.IconFile;
            IconNumber = store.IconNumber;
            WindowStyle = store.WindowStyle;
            TotolRunTimes = store.TotolRunTimes;
        }
    };
    TStoreScope placedScope(exe);
    const TRecord placed(placedScope.Platform());
    // The same shortcut dropped on the same cell of a copy of the document
    // as it was before.
    TTempFolder other;
    const std::string copy = other.File("Quorlet.exe");
    ASSERT_TRUE(CopyFileA(folder.File("Quorlet.xml").c_str(), other.File("Quorlet.xml").c_str(), FALSE));
    WriteFileText(other.File(ExtractFileName(settingsFile)), before);
    TStoreScope droppedScope(copy);
    ASSERT_TRUE(AssignDroppedPath(droppedScope.Platform(), true, 205, shortcut.Link, [](const std::string&) {
                    return true;
                }).Assigned);
    const TRecord dropped(droppedScope.Platform());
    EXPECT_FALSE(placed.Empty);
    EXPECT_EQ(placed.Command, dropped.Command);
    EXPECT_EQ(placed.Parameters, dropped.Parameters);
    EXPECT_EQ(placed.WorkingDir, dropped.WorkingDir);
    EXPECT_EQ(placed.Description, dropped.Description);
    EXPECT_EQ(placed.IconFile, dropped.IconFile);
    EXPECT_EQ(placed.IconNumber, dropped.IconNumber);
    EXPECT_EQ(placed.WindowStyle, dropped.WindowStyle);
    EXPECT_EQ(placed.TotolRunTimes, 0);
    EXPECT_EQ(placed.Command, viewer);  // the shortcut's target, as the settings ask shortcuts to be read
}
