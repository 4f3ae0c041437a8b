// End-to-end: the real Quorlet.exe, started from a temporary program folder,
// launches its buttons when their cells are clicked with real mouse and
// keyboard input or with posted mouse messages. The recorder program reports
// what was started and in which folder; the settings document read back through
// the program's own stores reports what was counted.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "base/AppPaths.h"
#include "app/MainControls.h"
#include "fakes/TempFolder.h"
#include "win32/ComPtr.h"
#include "platform/Win32Platform.h"
#include "win32/WinHandles.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "settings/UConfigXml.h"
#include "shell/ShellLinker.h"
#include "shell/ShellServices.h"

using namespace quorlet;

namespace {


// A window of the shell's folder browser showing the folder of that name.
struct TFolderWindowSearch {
    std::string Title;
    HWND Found;
};

BOOL CALLBACK MatchFolderWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TFolderWindowSearch*>(param);
    char cls[64] = {}, title[MAX_PATH] = {};
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, title, sizeof title);
    if (IsWindowVisible(window) && lstrcmpA(cls, "ExplorerWClass") == 0 && search->Title == title) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindFolderWindow(const std::string& folderName) {
    TFolderWindowSearch search = {folderName, nullptr};
    EnumWindows(&MatchFolderWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// Waits for a folder window on folderName and closes it; false when none opened.
bool CloseFolderWindowWhenOpen(const std::string& folderName) {
    HWND found = nullptr;
    if (!PumpUntil(kLaunchWait, [&] { return (found = FindFolderWindow(folderName)) != nullptr; })) return false;
    PostMessageA(found, WM_CLOSE, 0, 0);
    PumpUntil(kShortWait, [&] { return !IsWindow(found); });
    return true;
}

// Closes every visible folder window that is left (after a failed step).
void CloseAllFolderWindows() {
    for (int i = 0; i < 20; ++i) {
        HWND window = FindWindowA("ExplorerWClass", nullptr);
        if (!window) return;
        PostMessageA(window, WM_CLOSE, 0, 0);
        PumpUntil(kShortWait, [&] { return !IsWindow(window); });
    }
}

// Closes (cancels) the visible top-level windows of a process other than its main window.
struct TDialogSearch {
    DWORD ProcessId;
    HWND MainWindow;
    std::vector<HWND> Found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TDialogSearch*>(param);
    if (window != search->MainWindow && IsWindowVisible(window) && WindowProcessId(window) == search->ProcessId)
        search->Found.push_back(window);
    return TRUE;
}

void CloseDialogsOf(DWORD processId, HWND mainWindow) {
    TDialogSearch search = {processId, mainWindow, {}};
    EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
    for (HWND dialog : search.Found) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        PumpUntil(kShortWait, [&] { return !IsWindowVisible(dialog); });
    }
}

std::string LastPathComponent(const std::string& folder) {
    const std::string path = WithoutTrailingBackslash(folder);
    return path.substr(path.find_last_of('\\') + 1);
}

class LaunchEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(apartment.Ok());
        exe = folder.File("Quorlet.exe");
        recorder = folder.File("QuorletRecorder.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
        programFolder = WithoutTrailingBackslash(folder.Path());
        workFolder = folder.File("work");
        docsFolder = folder.File("docs");
        startFolder = folder.File("start");
        for (const std::string& sub : {workFolder, docsFolder, startFolder})
            ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr)) << sub;
        recorderLog = folder.File("recorder.log");
        shortcut = folder.File("Recorder.lnk");

        TStoreScope scope(exe);
        TLinkCreateInfo link = {};
        AssignLinkField(link.Path, recorder);
        AssignLinkField(link.Arguments, "--from-link");
        AssignLinkField(link.WorkingDir, workFolder);
        link.ShowCmd = SW_SHOWNORMAL;
        ASSERT_TRUE(CreateLink(scope.Platform(), link, shortcut));

        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();  // a new document: groups "Tabsheet 1" and "Tabsheet 2"
        settings.HideAfterClicking = true;
        settings.AutoCheckUpdate = false;
        settings.LastPanelIndex = 1;
        settings.X = 760;  // clear of the folder windows, which open at the top left
        settings.Y = 120;
        settings.SaveSettings();

        TBtnSettingXml buttons(scope.Platform());
        const TButtonRecord records[] = {
            {101, recorder, "plain \"a b\"", "", "Plain program", "", recorder, 1, SW_SHOWNORMAL, 5},
            {102, recorder, "-w two", workFolder, "Program in work", "Ctrl+W", recorder, 2, SW_SHOWNORMAL, 4},
            {103, folder.File("QuorletRecorder.EXE"), "caps", "", "Capital EXE", "", recorder, 3, SW_SHOWNORMAL, 0},
            {201, shortcut, "record-parameters", workFolder, "Recorder shortcut", "", recorder, 1, SW_SHOWNORMAL, 0},
            {202, docsFolder, "", "", "Documents folder", "", docsFolder, 0, SW_HIDE, 4},
            {203, folder.File("gone.exe"), "", "", "Gone", "", folder.File("gone.exe"), 0, SW_SHOWNORMAL, 0},
        };
        for (const TButtonRecord& record : records) StoreButton(buttons, record);
    }

    void TearDown() override {
        for (WORD key : {VK_SHIFT, VK_CONTROL, VK_MENU})
            if (GetAsyncKeyState(key) & 0x8000) ReleaseKey(key);
        CloseAllFolderWindows();
    }

    // Starts Quorlet in startFolder and finds its window and controls.
    void StartQuorlet() {
        ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, startFolder));
        window = quorlet.Window();
        tabs = quorlet.Tabs();
    }

    HWND Sheet(int page) const { return quorlet.Sheet(page); }
    TCellRef Cell(int page, int id) const { return quorlet.Cell(page, id); }
    std::string Panel(int panel) const { return quorlet.Panel(panel); }
    bool WaitForPanel(int panel, const std::string& text) const { return quorlet.WaitForPanel(panel, text); }
    std::string ReadLog() const {
        std::string text;
        for (const std::string& line : LinesOf(recorderLog)) text += line + "\n";
        return text;
    }
    bool WaitForRecorderLines(size_t count) const {
        return PumpUntil(kLaunchWait, [&] { return LinesOf(recorderLog).size() >= count; });
    }
    void BringToFront() { ASSERT_NO_FATAL_FAILURE(quorlet.BringToFront()) << "recorder log:\n" << ReadLog(); }
    void ClickTab(int index) { ASSERT_NO_FATAL_FAILURE(quorlet.ClickTab(index)); }
    POINT PointAt(const TCellRef& cell) { return quorlet.PointAt(cell); }

    // A real click with one modifier held; hintWhileHeld is the hint line seen
    // with the pointer on the cell and the key down.
    void ClickHolding(const TCellRef& cell, WORD key, const std::string& hintWhileHeld) {
        ASSERT_TRUE(CellExists(cell)) << cell.Id;
        ASSERT_NO_FATAL_FAILURE(BringToFront());
        const POINT point = PointAt(cell);
        ASSERT_TRUE(SendPointerMove(point));
        ASSERT_TRUE(SendKey(key, false));
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return Panel(0) == hintWhileHeld; })) << "hint line: " << Panel(0);
        ASSERT_TRUE(GetAsyncKeyState(key) & 0x8000) << "the key did not stay down";
        EXPECT_TRUE(SendLeftClick());
        ASSERT_TRUE(ReleaseKey(key));
    }

    void ClickPlain(const TCellRef& cell) {
        ASSERT_TRUE(CellExists(cell)) << cell.Id;
        ASSERT_NO_FATAL_FAILURE(BringToFront());
        ASSERT_TRUE(SendClick(PointAt(cell)));
    }

    // The twenty cells of a tab sheet in two rows of ten, 34 pixels apart, and
    // the stored buttons among them with their pictures and hints; the other
    // cells are empty.
    void ExpectGrid(int page, const std::vector<std::pair<int, std::string>>& stored) const {
        RECT sheet;
        ASSERT_TRUE(GetWindowRect(Sheet(page), &sheet));
        for (int position = 1; position <= 20; ++position) {
            const int id = page * 100 + position;
            SCOPED_TRACE("cell " + std::to_string(id));
            const TCellRef cell = Cell(page, id);
            RECT r;
            ASSERT_TRUE(CellScreenRect(cell, r));
            EXPECT_EQ(r.left - sheet.left, ((position - 1) % 10) * 34);
            EXPECT_EQ(r.top - sheet.top, position > 10 ? 34 : 0);
            EXPECT_EQ(r.right - r.left, 34);
            EXPECT_EQ(r.bottom - r.top, 34);
            std::string hint;
            for (const auto& button : stored)
                if (button.first == id) hint = button.second;
            EXPECT_EQ(CellButtonId(cell), id);
            // A missing icon file shows the missing-icon picture; an empty cell none.
            EXPECT_EQ(CellHasPicture(cell), !hint.empty());
            EXPECT_EQ(CellHint(cell), hint);
        }
    }

    // Button IDs and hints of the six images from firstId on the Quorlet Tab.
    void ExpectRow(int firstId, const std::vector<int32_t>& ids, const std::vector<std::string>& hints) const {
        for (int slot = 0; slot < 6; ++slot) {
            SCOPED_TRACE("image " + std::to_string(firstId + slot));
            const TCellRef image = Cell(0, firstId + slot);
            EXPECT_EQ(CellButtonId(image), ids[slot]);
            EXPECT_EQ(CellHasPicture(image), ids[slot] != 0);
            EXPECT_EQ(CellHint(image), hints[slot]);
        }
    }

    void SavePicture(const char* name) { ASSERT_NO_FATAL_FAILURE(quorlet.SavePicture(name)); }

    TComApartment apartment;
    TTempFolder folder;
    std::string exe, recorder, programFolder, workFolder, docsFolder, startFolder, recorderLog, shortcut;
    TQuorletUnderTest quorlet;
    HWND window = nullptr, tabs = nullptr;
};

}  // namespace

TEST_F(LaunchEndToEndTest, ClicksLaunchCountAndFillTheQuorletTab) {
    ASSERT_NO_FATAL_FAILURE(StartQuorlet());
    const std::string plainHint = "Plain program", workHint = "Program in work -[Ctrl+W]",
                      capsHint = "Capital EXE", linkHint = "Recorder shortcut", docsHint = "Documents folder",
                      goneHint = "Gone";

    // The Quorlet Tab and one tab sheet per group; the stored page is shown.
    ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(TabCaption(tabs, 0), "Quorlet Tab");
    EXPECT_EQ(TabCaption(tabs, 1), "Tabsheet 1");
    EXPECT_EQ(TabCaption(tabs, 2), "Tabsheet 2");
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
    ASSERT_NE(Sheet(1), nullptr);
    EXPECT_TRUE(IsWindowVisible(Sheet(1)));
    EXPECT_FALSE(IsWindowVisible(Sheet(2)));

    ExpectGrid(1, {{101, plainHint}, {102, workHint}, {103, capsHint}});
    {
        SCOPED_TRACE("accessibility tools of another process see the cells by their hints");
        std::vector<TAccessibleCell> cells;
        ASSERT_TRUE(AccessibleCells(Sheet(1), cells));
        ASSERT_EQ(cells.size(), 20u);
        EXPECT_EQ(cells[1].Name, workHint);
        EXPECT_EQ(cells[1].Role, ROLE_SYSTEM_PUSHBUTTON);
        RECT second;
        ASSERT_TRUE(CellScreenRect(Cell(1, 102), second));
        EXPECT_TRUE(EqualRect(&cells[1].Location, &second));
    }

    // The sound library comes with the first click sound (here a tab's), not with the start.
    EXPECT_FALSE(ProcessHasModule(quorlet.ProcessId(), "winmm.dll"));
    // Ranked at start from the stored counts (101: 5, 102: 4, 202: 4): of equal
    // counts the button built first takes the lower place.
    ASSERT_NO_FATAL_FAILURE(ClickTab(0));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ProcessHasModule(quorlet.ProcessId(), "winmm.dll"); }));
    ExpectRow(IdImageTop1, {101, 202, 102, 0, 0, 0},
              {"TopClick1 - " + plainHint + " ", "TopClick2 - " + docsHint + " ", "TopClick3 - " + workHint + " ", "",
               "", ""});
    ExpectRow(IdImageLast1, {0, 0, 0, 0, 0, 0}, {"", "", "", "", "", ""});
    ASSERT_NO_FATAL_FAILURE(ClickTab(1));

    ASSERT_NO_FATAL_FAILURE(BringToFront());
    SavePicture("quorlet-buttons.bmp");

    std::vector<std::string> expectedLines;
    {
        SCOPED_TRACE("Shift + click posted to a program with no working folder: it starts in its own folder");
        PostCellClick(Cell(1, 101), MK_SHIFT);
        expectedLines.push_back(programFolder + "|plain \"a b\"");
        EXPECT_TRUE(WaitForRecorderLines(expectedLines.size()));
        EXPECT_TRUE(WaitForPanel(1, "T:1/W:1/A:6")) << Panel(1);
        EXPECT_TRUE(ShownNormally(window));
    }
    {
        SCOPED_TRACE("Shift + real click on a program with working folder and parameters");
        ASSERT_NO_FATAL_FAILURE(BringToFront());
        ASSERT_TRUE(SendClick(PointAt(Cell(1, 102)), {VK_SHIFT}));
        expectedLines.push_back(WithoutTrailingBackslash(workFolder) + "|-w two");
        EXPECT_TRUE(WaitForRecorderLines(expectedLines.size()));
        EXPECT_TRUE(WaitForPanel(1, "T:1/W:1/A:5")) << Panel(1);
        EXPECT_TRUE(ShownNormally(window));
    }
    {
        SCOPED_TRACE(".EXE in capitals: the stored empty working folder, so Quorlet's own current folder");
        PostCellClick(Cell(1, 103), MK_SHIFT);
        expectedLines.push_back(WithoutTrailingBackslash(startFolder) + "|caps");
        EXPECT_TRUE(WaitForRecorderLines(expectedLines.size()));
        EXPECT_TRUE(WaitForPanel(1, "T:1/W:1/A:1")) << Panel(1);
    }
    {
        SCOPED_TRACE("Ctrl + click opens the folder of the program and counts nothing");
        ClickHolding(Cell(1, 101), VK_CONTROL, "Explorer - " + plainHint);
        EXPECT_TRUE(CloseFolderWindowWhenOpen(LastPathComponent(programFolder)));
    }
    {
        SCOPED_TRACE("Alt + click opens the properties (cancelled) and launches nothing");
        ClickHolding(Cell(1, 102), VK_MENU, "Config - " + workHint);
        TMessageBox properties;
        EXPECT_TRUE(quorlet.WaitForMessageBox(kLaunchWait, properties, "Properties")) << "no properties dialog";
        CloseDialogsOf(quorlet.ProcessId(), window);
        EXPECT_TRUE(quorlet.WaitUntilAnswering());
        EXPECT_TRUE(ShownNormally(window));
    }

    ASSERT_NO_FATAL_FAILURE(ClickTab(2));
    ExpectGrid(2, {{201, linkHint}, {202, docsHint}, {203, goneHint}});
    {
        SCOPED_TRACE("a shortcut starts its target with its own arguments in its own folder");
        ASSERT_NO_FATAL_FAILURE(BringToFront());
        ASSERT_TRUE(SendClick(PointAt(Cell(2, 201)), {VK_SHIFT}));
        expectedLines.push_back(WithoutTrailingBackslash(workFolder) + "|--from-link");
        EXPECT_TRUE(WaitForRecorderLines(expectedLines.size()));
        EXPECT_TRUE(WaitForPanel(1, "T:1/W:1/A:1")) << Panel(1);
    }
    {
        SCOPED_TRACE("a folder opens in a folder window whatever its show command, and counts");
        PostCellClick(Cell(2, 202), MK_SHIFT);
        EXPECT_TRUE(WaitForPanel(1, "T:1/W:1/A:5")) << Panel(1);
        EXPECT_TRUE(CloseFolderWindowWhenOpen("docs"));
    }
    {
        SCOPED_TRACE("a missing target is not counted and does not hide the window");
        ASSERT_NO_FATAL_FAILURE(ClickPlain(Cell(2, 203)));
        EXPECT_TRUE(WaitForPanel(1, "T:0/W:0/A:0")) << Panel(1);
        // The count shows while the click is handled: once the program
        // answers again, the click is over and would have hidden the window.
        EXPECT_TRUE(quorlet.WaitUntilAnswering());
        EXPECT_TRUE(ShownNormally(window));
    }

    ASSERT_NO_FATAL_FAILURE(ClickTab(0));
    // Every launch from a cell (and the missing one) went to the front of the
    // recent row; Ctrl and Alt clicks did not. 102 passed 202's 4 and took its
    // place; 202 at 5 did not pass 102's 5; the newcomers took the empty places.
    const std::vector<std::string> recentHints = {"LastClick1 - " + goneHint, "LastClick2 - " + docsHint,
                                                  "LastClick3 - " + linkHint, "LastClick4 - " + capsHint,
                                                  "LastClick5 - " + workHint, "LastClick6 - " + plainHint};
    const std::vector<std::string> topHints = {"TopClick1 - " + plainHint + " ", "TopClick2 - " + workHint + " ",
                                               "TopClick3 - " + docsHint + " ", "TopClick4 - " + capsHint + " ",
                                               "TopClick5 - " + linkHint + " ", ""};
    ExpectRow(IdImageLast1, {203, 202, 201, 103, 102, 101}, recentHints);
    ExpectRow(IdImageTop1, {101, 102, 202, 103, 201, 0}, topHints);
    SavePicture("quorlet-tab.bmp");
    {
        SCOPED_TRACE("Alt + click on a most-used image launches and keeps the window");
        ClickHolding(Cell(0, IdImageTop1), VK_MENU, topHints[0]);
        expectedLines.push_back(programFolder + "|plain \"a b\"");
        EXPECT_TRUE(WaitForRecorderLines(expectedLines.size()));
        EXPECT_TRUE(WaitForPanel(1, "T:2/W:2/A:7")) << Panel(1);
        EXPECT_TRUE(ShownNormally(window));
    }
    {
        SCOPED_TRACE("a launch from the Quorlet Tab passes a higher place's count without moving");
        PostCellClick(Cell(0, IdImageTop1 + 2), MK_SHIFT);
        EXPECT_TRUE(WaitForPanel(1, "T:2/W:2/A:6")) << Panel(1);
        EXPECT_TRUE(CloseFolderWindowWhenOpen("docs"));
    }
    {
        SCOPED_TRACE("Ctrl + click on a recent image opens the shortcut's folder");
        ClickHolding(Cell(0, IdImageLast1 + 2), VK_CONTROL, recentHints[2]);
        EXPECT_TRUE(CloseFolderWindowWhenOpen(LastPathComponent(programFolder)));
    }
    ExpectRow(IdImageLast1, {203, 202, 201, 103, 102, 101}, recentHints);
    ExpectRow(IdImageTop1, {101, 102, 202, 103, 201, 0}, topHints);

    {
        SCOPED_TRACE("Ctrl held over a tab shows its page: the program's change, not the user's");
        ASSERT_NO_FATAL_FAILURE(BringToFront());
        RECT tab;
        ASSERT_TRUE(TabScreenRect(tabs, 1, tab));
        const POINT onTab = {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
        ASSERT_TRUE(SendPointerMove(onTab));
        EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);  // no page change without Ctrl
        ASSERT_TRUE(SendKey(VK_CONTROL, false));
        ASSERT_TRUE(SendPointerMove(POINT{onTab.x + 2, onTab.y}));
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == 1; }));
        ASSERT_TRUE(SendKey(VK_CONTROL, true));
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return IsWindowVisible(Sheet(1)) != FALSE; }));
    }
    {
        SCOPED_TRACE("a plain click launches and hides the window");
        ASSERT_NO_FATAL_FAILURE(ClickPlain(Cell(1, 103)));
        expectedLines.push_back(WithoutTrailingBackslash(startFolder) + "|caps");
        EXPECT_TRUE(WaitForRecorderLines(expectedLines.size()));
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !ShownNormally(window); }));
    }

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);

    // Exactly the launches of programs and shortcuts reached the recorder, in order.
    EXPECT_EQ(LinesOf(recorderLog), expectedLines);

    TStoreScope scope(exe);
    TBtnSettingXml store(scope.Platform());
    struct CountCase {
        int32_t Id, Total, Today;
    } counts[] = {{101, 7, 2}, {102, 5, 1}, {103, 2, 2}, {201, 1, 1}, {202, 6, 2}, {203, 0, 0}};
    for (const CountCase& c : counts) {
        SCOPED_TRACE("button " + std::to_string(c.Id));
        ASSERT_TRUE(store.ReadButton(c.Id));
        EXPECT_EQ(store.TotolRunTimes, c.Total);
        EXPECT_EQ(store.TodayRunTimes(), c.Today);
        EXPECT_EQ(store.WeekRunTimes(), c.Today);
    }
    ASSERT_TRUE(store.ReadButton(101));
    EXPECT_EQ(store.WorkingDir, "");  // the folder of the program was used for the launch only
    EXPECT_EQ(store.Parameters, "plain \"a b\"");

    TAppSettingXml settings(scope.Platform());
    settings.LoadSettings();
    settings.LoadRecentButtons();
    EXPECT_EQ(settings.RecentButtons, (std::vector<std::string>{"103", "203", "202", "201", "102", "101"}));
    EXPECT_EQ(settings.LastPanelIndex, 0);  // the user's last own choice
}

TEST_F(LaunchEndToEndTest, AStoredWindowStyleOfNoShowCommandStartsTheProgramShown) {
    {
        TStoreScope scope(exe);
        TBtnSettingXml buttons(scope.Platform());
        // -1 is what a window style list without a selection stored.
        StoreButton(buttons, {104, recorder, "minus-one", "", "No style", "", recorder, 0, -1, 0});
        StoreButton(buttons, {105, recorder, "maximized", "", "Maximized", "", recorder, 0, SW_SHOWMAXIMIZED, 0});
    }
    ASSERT_NO_FATAL_FAILURE(StartQuorlet());
    const std::string shown = folder.File("recorder-show.log");
    PostCellClick(Cell(1, 104), MK_SHIFT);
    EXPECT_TRUE(PumpUntil(kLaunchWait, [&] { return LinesOf(shown).size() >= 1; }));
    PostCellClick(Cell(1, 105), MK_SHIFT);
    EXPECT_TRUE(PumpUntil(kLaunchWait, [&] { return LinesOf(shown).size() >= 2; }));
    EXPECT_EQ(LinesOf(shown), (std::vector<std::string>{"1|minus-one", "3|maximized"}));
    EXPECT_TRUE(WaitForPanel(1, "T:1/W:1/A:1")) << Panel(1);
}

TEST_F(LaunchEndToEndTest, TargetsThatDoNotStartAreReportedAndNotCounted) {
    // A shortcut to itself, which the shell would follow until its stack ran
    // out; a program of garbage bytes; a name the shell cannot take; a
    // shortcut of garbage bytes, which is handed over itself.
    const std::string selfLink = folder.File("self.lnk"), garbageExe = folder.File("garbage.exe"),
                      oddName = folder.File("odd%PATH%.exe"), garbageLink = folder.File("garbage.lnk");
    WriteFileText(garbageExe, std::string(4096, 'x'));
    WriteFileText(oddName, "MZ");
    WriteFileText(garbageLink, std::string(4096, 'x'));
    WriteFileText(selfLink, "");
    {
        TStoreScope scope(exe);
        TLinkCreateInfo link = {};
        AssignLinkField(link.Path, selfLink);
        link.ShowCmd = SW_SHOWNORMAL;
        ASSERT_TRUE(CreateLink(scope.Platform(), link, selfLink));
        TLinkInfo info;
        ASSERT_TRUE(ReadLink(scope.Platform(), selfLink, info));
        ASSERT_EQ(info.Path, selfLink);
        TBtnSettingXml buttons(scope.Platform());
        StoreButton(buttons, {104, selfLink, "", "", "Self", "", recorder, 0, SW_SHOWNORMAL, 0});
        StoreButton(buttons, {105, garbageExe, "", "", "Garbage", "", recorder, 0, SW_SHOWNORMAL, 0});
        StoreButton(buttons, {106, oddName, "", "", "Odd name", "", recorder, 0, SW_SHOWNORMAL, 0});
        StoreButton(buttons, {107, garbageLink, "", "", "Garbage link", "", recorder, 0, SW_SHOWNORMAL, 0});
    }
    ASSERT_NO_FATAL_FAILURE(StartQuorlet());
    const struct {
        int Id;
        std::string Text;  // the whole text, or its start when the system's reason follows
        bool Whole;
    } cases[] = {
        {105, "Cannot start " + garbageExe + ": ", false},
        {106, "Cannot start " + oddName + ": ", false},
        {107, "Cannot start " + garbageLink + ": ", false},
        {104, "Cannot start " + selfLink + ": the shortcut points to a shortcut.", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("button " + std::to_string(c.Id));
        // A plain click: a launch would hide the window (HideAfterClicking).
        PostCellClick(Cell(1, c.Id), 0);
        TMessageBox box;
        ASSERT_TRUE(quorlet.WaitForMessageBox(kLaunchWait, box, "Quorlet")) << "no message";
        if (c.Whole) {
            EXPECT_EQ(box.Text, c.Text);
        } else {
            EXPECT_EQ(box.Text.rfind(c.Text, 0), 0u) << box.Text;
            EXPECT_GT(box.Text.size(), c.Text.size() + 2) << box.Text;  // the system's reason
        }
        EXPECT_TRUE(box.HasIcon);
        if (c.Id == 104) {
            EXPECT_EQ(SaveWindowPicture(box.Window, ScreenshotPath("quorlet-launch-error.bmp")), "");
        }
        ASSERT_TRUE(quorlet.DismissMessageBox(box));
        // One box: the shell showed none of its own. The shell's would have
        // come while the click was handled, and the click is over once the
        // program answers again.
        EXPECT_TRUE(quorlet.WaitUntilAnswering()) << "the program does not answer";
        TMessageBox other;
        EXPECT_FALSE(quorlet.WaitForMessageBox(0, other)) << other.Caption << ": " << other.Text;
        EXPECT_TRUE(WaitForPanel(1, "T:0/W:0/A:0")) << Panel(1);
        EXPECT_TRUE(ShownNormally(window));
    }
    EXPECT_TRUE(LinesOf(recorderLog).empty());

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
    TStoreScope scope(exe);
    TBtnSettingXml store(scope.Platform());
    for (int id = 104; id <= 107; ++id) {
        ASSERT_TRUE(store.ReadButton(id));
        EXPECT_EQ(store.TotolRunTimes, 0) << id;
    }
    // As for a missing target, each click still put its button at the front.
    TAppSettingXml settings(scope.Platform());
    settings.LoadSettings();
    settings.LoadRecentButtons();
    EXPECT_EQ(settings.RecentButtons, (std::vector<std::string>{"104", "107", "106", "105", "0", "0"}));
}
