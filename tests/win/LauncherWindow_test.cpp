// The launcher window in this process: pages, cells, the Quorlet Tab, the
// hint line and edge snapping, driven by real window messages.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include "CellProbe.h"
#include "WinTestSupport.h"
#include "base/AppPaths.h"
#include "app/MainControls.h"
#include "app/TApplicationWindow.h"
#include "app/UMain.h"
#include "fakes/TempFolder.h"
#include "win32/ComPtr.h"
#include "win32/WinHandles.h"
#include "platform/Win32Platform.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "settings/UConfigXml.h"

using namespace quorlet;

namespace {

// The real platform, except that the shell's icon calls wait until released.
class TBlockingShellPlatform : public TWin32Platform {
public:
    TBlockingShellPlatform() : TWin32Platform(GetModuleHandleA(nullptr)), FRelease(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    void Release() { SetEvent(FRelease.Get()); }
    TIconHandle ShellIconOf(const std::string& file, int size) override {
        WaitForSingleObject(FRelease.Get(), INFINITE);
        return TWin32Platform::ShellIconOf(file, size);
    }
    TIconHandle ExtractIconAt(const std::string& file, int index, int size) override {
        WaitForSingleObject(FRelease.Get(), INFINITE);
        return TWin32Platform::ExtractIconAt(file, index, size);
    }

private:
    TUniqueHandle FRelease;
};

struct TButtonSeed {
    int32_t Id;
    std::string Command, IconFile, Description, HotKey;
    int32_t Runs;
};

class LauncherWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPlatform(&platform);
        InitAppPaths(folder.File("Quorlet.exe"));
        SetAppConfig(&config);
        ResetAppSettingXml();
        ResetBtnSettingXml();
        ASSERT_TRUE(application.Create(GetModuleHandleA(nullptr)));
        platform.SetOwnerWindow(application.Handle());
        recorder = folder.File("QuorletRecorder.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
        // The settings document as a first start leaves it.
        SettingFileName = config.LoadUserConfig();
        AppSettingXml().LoadSettings();
    }
    void TearDown() override {
        form.reset();
        ResetBtnSettingXml();
        ResetAppSettingXml();
        SetAppConfig(nullptr);
        SetPlatform(nullptr);
    }

    void Seed(const std::vector<TButtonSeed>& buttons) {
        for (const TButtonSeed& seed : buttons) {
            TBtnSettingXml writer(platform);
            writer.BtnStyle = 0;
            writer.Command = seed.Command;
            writer.IconFile = seed.IconFile;
            writer.Description = seed.Description;
            writer.HotKey = seed.HotKey;
            writer.WindowStyle = 1;
            writer.TotolRunTimes = seed.Runs;
            writer.WriteButton(seed.Id);
        }
    }
    // Creates and shows the window from what the files hold.
    TfrmQuorlet& Open() {
        AppSettingXml().SaveSettings();
        form.reset();
        ResetAppSettingXml();
        ResetBtnSettingXml();
        form.reset(new TfrmQuorlet);
        EXPECT_TRUE(form->Create(GetModuleHandleA(nullptr), application.Handle())) << form->ErrorText();
        form->Show();
        return *form;
    }
    HWND Child(int id) const { return GetDlgItem(form->Handle(), id); }
    HWND Sheet(int page) const { return Child(IdFirstSheet + page); }
    TCellRef Cell(int page, int id) const { return TCellRef{Sheet(page), id}; }
    int TabCount() const { return static_cast<int>(SendMessageA(Child(IdMorePageControl), TCM_GETITEMCOUNT, 0, 0)); }
    std::string TabCaption(int tab) const {
        char text[128] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(Child(IdMorePageControl), TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    // The middle of a tab of the tab strip.
    LPARAM TabPoint(int tab) const {
        RECT r;
        SendMessageA(Child(IdMorePageControl), TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r));
        return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void ClickTab(int tab) {
        HWND tabs = Child(IdMorePageControl);
        SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, TabPoint(tab));
        SendMessageA(tabs, WM_LBUTTONUP, 0, TabPoint(tab));
    }
    void Click(const TCellRef& cell, WPARAM keys = 0) {
        SendCellMouse(cell, WM_LBUTTONDOWN, MK_LBUTTON | keys, 10, 10);
        SendCellMouse(cell, WM_LBUTTONUP, keys, 10, 10);
    }
    // Holds or releases a key in this thread's keyboard state, then sends its message.
    void Key(HWND target, int key, bool down) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[key] = down ? 0x80 : 0;
        SetKeyboardState(keys);
        const bool system = key == VK_MENU;
        SendMessageA(target, down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP), key, 0);
    }

    TComApartment apartment;
    TTempFolder folder;
    TWin32Platform platform{GetModuleHandleA(nullptr)};
    TAppConfig config{platform};
    TApplicationWindow application;
    std::unique_ptr<TfrmQuorlet> form;
    std::string recorder;
};

TEST_F(LauncherWindowTest, PagesCellsIconsAndHints) {
    Seed({{101, recorder, recorder, "Runner", "Ctrl+R", 0},
          {102, recorder, folder.File("gone.ico"), "Lost icon", "", 0},
          {215, recorder, folder.Path(), "A folder icon", "", 0},
          {305, recorder, recorder, "No such page", "", 0}});
    TfrmQuorlet& window = Open();

    EXPECT_EQ(window.PageCount(), 3);
    ASSERT_EQ(TabCount(), 3);
    EXPECT_EQ(TabCaption(0), "Quorlet Tab");
    EXPECT_EQ(TabCaption(1), "Tabsheet 1");
    EXPECT_EQ(TabCaption(2), "Tabsheet 2");
    RECT client;
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, 348);

    int parts[4] = {};
    ASSERT_EQ(SendMessageA(Child(IdStatusBar), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(parts)), 2);
    EXPECT_EQ(parts[0], 260);
    EXPECT_EQ(parts[1], -1);  // the counts panel runs to the right edge

    ClickTab(2);  // a page's cells are made when it is first shown
    for (int page = 1; page <= 2; ++page)
        for (int position = 1; position <= 20; ++position)
            ASSERT_TRUE(CellExists(Cell(page, page * 100 + position))) << page << " " << position;
    RECT cell;
    ASSERT_TRUE(CellRect(Cell(1, 111), cell));
    EXPECT_EQ(cell.left, 0);
    EXPECT_EQ(cell.top, 34);
    EXPECT_EQ(cell.right - cell.left, 34);
    ASSERT_TRUE(CellRect(Cell(1, 110), cell));
    EXPECT_EQ(cell.left, 9 * 34);
    EXPECT_EQ(cell.top, 0);

    EXPECT_EQ(CellHint(Cell(1, 101)), "Runner -[Ctrl+R]");
    EXPECT_TRUE(CellHasPicture(Cell(1, 101)));
    EXPECT_EQ(CellHint(Cell(1, 102)), "Lost icon");
    EXPECT_TRUE(CellHasPicture(Cell(1, 102)));  // the missing-icon picture
    EXPECT_TRUE(CellHasPicture(Cell(2, 215)));
    EXPECT_EQ(CellHint(Cell(1, 103)), "");
    EXPECT_FALSE(CellHasPicture(Cell(1, 103)));
    EXPECT_EQ(window.FindCell(3, 305), nullptr);

    // The Quorlet Tab's fixed parts.
    ClickTab(0);
    for (int slot = 0; slot < 6; ++slot) {
        EXPECT_TRUE(CellVisible(Cell(0, IdImageLast1 + slot)));
        EXPECT_TRUE(CellVisible(Cell(0, IdImageTop1 + slot)));
    }
    EXPECT_EQ(CellHint(Cell(0, IdImageOptions)), "Options...");
    EXPECT_EQ(CellHint(Cell(0, IdImageReport)), "View Frequency Report");
    EXPECT_TRUE(CellVisible(Cell(0, IdPanel18)));
    EXPECT_FALSE(CellVisible(Cell(0, IdPanel19)));
    EXPECT_FALSE(CellVisible(Cell(0, IdImageBackup)));
    EXPECT_FALSE(CellVisible(Cell(0, IdImageRestore)));
}

TEST_F(LauncherWindowTest, AStuckShellNeverHoldsUpTheWindow) {
    Seed({{101, recorder, recorder, "Runner", "", 0}, {102, recorder, recorder, "Walker", "", 0}});
    AppSettingXml().LastPanelIndex = 1;
    TBlockingShellPlatform stuck;
    SetPlatform(&stuck);
    const DWORD start = GetTickCount();
    TfrmQuorlet& window = Open();
    // Built, shown and painted with the frames of its cells while the shell
    // hangs: the first paint sets the icons loading, and the window goes on
    // with its messages meanwhile.
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return CellAnswer(Cell(1, 101), WM_CELL_LOADING) == 1; }));
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(CellHint(Cell(1, 101)), "Runner");
    EXPECT_EQ(CellAnswer(Cell(1, 101), WM_CELL_HASPICTURE), 1);
    // A notice of a finished icon sent by someone else, whatever its ticket,
    // takes nothing while none is finished.
    for (WPARAM ticket = 0; ticket < 64; ++ticket) SendMessageA(Sheet(1), WM_CELL_ICONLOADED, ticket, 0);
    EXPECT_EQ(CellAnswer(Cell(1, 101), WM_CELL_LOADING), 1);
    EXPECT_EQ(CellAnswer(Cell(1, 102), WM_CELL_LOADING), 1);
    // The user can go on meanwhile: another page, and back.
    ClickTab(2);
    EXPECT_EQ(window.ActivePageIndex(), 2);
    ClickTab(1);
    EXPECT_EQ(window.ActivePageIndex(), 1);

    stuck.Release();
    EXPECT_TRUE(PumpUntil(5000, [&] {
        return CellAnswer(Cell(1, 101), WM_CELL_LOADING) == 0 && CellAnswer(Cell(1, 102), WM_CELL_LOADING) == 0;
    }));
    EXPECT_EQ(CellAnswer(Cell(1, 102), WM_CELL_HASPICTURE), 1);
    form.reset();
    SetPlatform(&platform);
}

TEST_F(LauncherWindowTest, AccessibilityToolsSeeTheCellsByTheirHints) {
    Seed({{101, recorder, recorder, "Runner", "Ctrl+R", 0}, {120, recorder, recorder, "Last one", "", 0}});
    AppSettingXml().LastPanelIndex = 1;
    TfrmQuorlet& window = Open();
    std::vector<TAccessibleCell> cells;
    ASSERT_TRUE(AccessibleCells(Sheet(1), cells));
    ASSERT_EQ(cells.size(), 20u);
    EXPECT_EQ(cells[0].Name, "Runner -[Ctrl+R]");
    EXPECT_EQ(cells[1].Name, "");
    EXPECT_EQ(cells[19].Name, "Last one");
    EXPECT_EQ(cells[19].Role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(cells[19].State & STATE_SYSTEM_INVISIBLE, 0);
    // Placed where the sheet draws the cell.
    ASSERT_NE(window.FindCell(1, 120), nullptr);
    RECT last = window.FindCell(1, 120)->Bounds();
    MapWindowPoints(Sheet(1), nullptr, reinterpret_cast<POINT*>(&last), 2);
    EXPECT_TRUE(EqualRect(&cells[19].Location, &last));
    EXPECT_EQ(AccessibleChildAt(Sheet(1), CellScreenCenter(Cell(1, 120))), 20);

    // The Quorlet Tab: hidden icons are there, marked invisible.
    ClickTab(0);
    ASSERT_TRUE(AccessibleCells(Sheet(0), cells));
    bool sawOptions = false, sawHiddenBackup = false;
    for (const TAccessibleCell& cell : cells) {
        sawOptions = sawOptions || (cell.Name == "Options..." && !(cell.State & STATE_SYSTEM_INVISIBLE));
        sawHiddenBackup = sawHiddenBackup || (cell.Name == "Backup Settings" && (cell.State & STATE_SYSTEM_INVISIBLE));
    }
    EXPECT_TRUE(sawOptions);
    EXPECT_TRUE(sawHiddenBackup);
    (void)window;
}

TEST_F(LauncherWindowTest, StartPageRules) {
    struct Case {
        bool ShowAppPanel, ActiveAppPanel;
        int LastPanelIndex, ExpectedPage, ExpectedTabs;
    } cases[] = {
        {true, false, 2, 2, 3},
        {false, false, 0, 1, 2},  // the hidden Quorlet Tab is never the first page
        {true, true, 2, 0, 3},    // shown first, the user's page kept for later
        {true, false, 7, 1, 3},   // no such page
    };
    for (const Case& c : cases) {
        TAppSettingXml& settings = AppSettingXml();
        settings.ShowAppPanel = c.ShowAppPanel;
        settings.ActiveAppPanel = c.ActiveAppPanel;
        settings.LastPanelIndex = c.LastPanelIndex;
        TfrmQuorlet& window = Open();
        EXPECT_EQ(window.ActivePageIndex(), c.ExpectedPage) << c.LastPanelIndex;
        EXPECT_EQ(TabCount(), c.ExpectedTabs);
        EXPECT_TRUE(IsWindowVisible(Sheet(c.ExpectedPage)));
        EXPECT_EQ(AppSettingXml().LastPanelIndex, c.LastPanelIndex);
        EXPECT_EQ(window.SavedPageIndex, c.LastPanelIndex);
        form.reset();
    }
}

TEST_F(LauncherWindowTest, TabStyleFollowsTheSetting) {
    const LONG_PTR expected[] = {0, TCS_BUTTONS, TCS_BUTTONS | TCS_FLATBUTTONS};
    for (int tabStyle = 0; tabStyle < 3; ++tabStyle) {
        AppSettingXml().TabStyle = tabStyle;
        Open();
        EXPECT_EQ(GetWindowLongPtrA(Child(IdMorePageControl), GWL_STYLE) & (TCS_BUTTONS | TCS_FLATBUTTONS),
                  expected[tabStyle]);
        form.reset();
    }
}

TEST_F(LauncherWindowTest, UserTabChangesAreKeptProgramChangesAreNot) {
    AppSettingXml().ShowAppPanel = false;
    TfrmQuorlet& window = Open();
    HWND tabs = Child(IdMorePageControl);
    ASSERT_EQ(TabCount(), 2);
    ClickTab(1);
    EXPECT_EQ(window.ActivePageIndex(), 2);
    EXPECT_EQ(AppSettingXml().LastPanelIndex, 2);
    EXPECT_EQ(window.SavedPageIndex, 2);

    // Ctrl over the first visible tab: page 1, made active by the program.
    Key(tabs, VK_CONTROL, true);
    SendMessageA(tabs, WM_MOUSEMOVE, MK_CONTROL, TabPoint(0));
    Key(tabs, VK_CONTROL, false);
    EXPECT_EQ(window.ActivePageIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(Sheet(1)));
    EXPECT_FALSE(IsWindowVisible(Sheet(2)));
    EXPECT_EQ(AppSettingXml().LastPanelIndex, 2);

    // Without Ctrl, moving over a tab selects nothing.
    SendMessageA(tabs, WM_MOUSEMOVE, 0, TabPoint(1));
    EXPECT_EQ(window.ActivePageIndex(), 1);
}

TEST_F(LauncherWindowTest, ClicksOnTabsStillChangeTheSheetAfterAnArrowKeyDid) {
    AppSettingXml().GroupNames = {"One", "Two", "Three"};
    AppSettingXml().SaveGroups();
    AppSettingXml().ShowAppPanel = false;
    TfrmQuorlet& window = Open();
    HWND tabs = Child(IdMorePageControl);
    ASSERT_EQ(TabCount(), 3);
    ClickTab(0);
    ASSERT_EQ(window.ActivePageIndex(), 1);
    // Right on the focused strip: the next sheet, chosen by the user.
    SetFocus(tabs);
    Key(tabs, VK_RIGHT, true);
    Key(tabs, VK_RIGHT, false);
    EXPECT_EQ(window.ActivePageIndex(), 2);
    EXPECT_EQ(AppSettingXml().LastPanelIndex, 2);
    // Then clicks, on each of the other tabs in turn.
    for (int tab : {2, 0, 1}) {
        ClickTab(tab);
        EXPECT_EQ(window.ActivePageIndex(), tab + 1) << "tab " << tab;
        EXPECT_TRUE(IsWindowVisible(Sheet(tab + 1))) << "tab " << tab;
    }
}

TEST_F(LauncherWindowTest, APageWhoseWindowCannotBeMadeIsAnErrorAndIsTriedAgain) {
    AppSettingXml().ShowAppPanel = false;  // the two tab sheets of a new document
    TfrmQuorlet& window = Open();
    ASSERT_EQ(window.ActivePageIndex(), 1);
    ASSERT_EQ(Sheet(2), nullptr);  // made when first shown
    // The system refuses the page's window, as it does when a process has
    // used up its window handles.
    HHOOK refuse = SetWindowsHookExA(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_CREATEWND) {
                char name[64] = {};
                GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
                if (lstrcmpA(name, SheetClassName) == 0) return 1;
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(refuse, nullptr);
    EXPECT_THROW(window.FindCell(2, 201), std::runtime_error);
    EXPECT_EQ(window.ActivePageIndex(), 1);
    UnhookWindowsHookEx(refuse);
    // Once windows can be made again, the page comes.
    TCell* cell = window.FindCell(2, 201);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->ButtonId, 201);
    EXPECT_NE(Sheet(2), nullptr);
}

TEST_F(LauncherWindowTest, HintsGoToTheStatusLineWithTheModifierPrefixes) {
    Seed({{101, recorder, recorder, "Runner", "Ctrl+R", 0}});
    AppSettingXml().LastPanelIndex = 1;
    TfrmQuorlet& window = Open();
    const TCellRef cell = Cell(1, 101);
    SendCellMouse(cell, WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(window.StatusText(0), "Runner -[Ctrl+R]");
    Key(window.Handle(), VK_CONTROL, true);
    EXPECT_EQ(window.StatusText(0), "Explorer - Runner -[Ctrl+R]");
    Key(window.Handle(), VK_CONTROL, false);
    EXPECT_EQ(window.StatusText(0), "Runner -[Ctrl+R]");
    Key(window.Handle(), VK_MENU, true);
    EXPECT_EQ(window.StatusText(0), "Config - Runner -[Ctrl+R]");
    Key(window.Handle(), VK_MENU, false);
    SendMessageA(cell.Sheet, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(window.StatusText(0), "");
    SendCellMouse(Cell(1, 102), WM_MOUSEMOVE, 0, 5, 5);  // an empty cell has no hint
    EXPECT_EQ(window.StatusText(0), "");
    // Straight from one cell to the next and back, within the cell, and off the page.
    SendCellMouse(cell, WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(window.StatusText(0), "Runner -[Ctrl+R]");
    SendCellMouse(cell, WM_MOUSEMOVE, 0, 20, 20);
    EXPECT_EQ(window.StatusText(0), "Runner -[Ctrl+R]");
    SendMessageA(cell.Sheet, WM_MOUSEMOVE, 0, MAKELPARAM(5, 70));  // the page's body below the cells
    EXPECT_EQ(window.StatusText(0), "");

    // On the Quorlet Tab, Ctrl adds nothing.
    ClickTab(0);
    ASSERT_EQ(window.ActivePageIndex(), 0);
    SendCellMouse(Cell(0, IdImageOptions), WM_MOUSEMOVE, 0, 6, 6);
    Key(window.Handle(), VK_CONTROL, true);
    EXPECT_EQ(window.StatusText(0), "Options...");
    Key(window.Handle(), VK_CONTROL, false);
}

TEST_F(LauncherWindowTest, StartUpRankingAndALaunchFromACell) {
    std::string document = folder.File("notes.txt");
    HANDLE file = CreateFileA(document.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    Seed({{101, recorder, recorder, "One", "", 5},
          {102, recorder, recorder, "Two", "", 5},
          {103, recorder, recorder, "Three", "", 5},
          {201, recorder, recorder, "Most", "", 9},
          {202, folder.File("gone.exe"), recorder, "Gone", "", 0}});
    AppSettingXml().HideAfterClicking = true;
    TfrmQuorlet& window = Open();
    ClickTab(0);
    const int32_t expected[] = {201, 103, 102, 101, 0, 0};
    for (int slot = 1; slot <= 6; ++slot)
        EXPECT_EQ(CellButtonId(Cell(0, IdImageTop1 + slot - 1)), expected[slot - 1]) << slot;
    EXPECT_EQ(CellHint(Cell(0, IdImageTop1 + 1)), "TopClick2 - Three ");
    EXPECT_EQ(CellHint(Cell(0, IdImageTop1 + 4)), "");

    // A missing target: nothing counted, nothing hidden, but remembered as recent.
    ClickTab(2);
    Click(Cell(2, 202));
    EXPECT_FALSE(IsIconic(window.Handle()));
    EXPECT_EQ(window.StatusText(1), "T:0/W:0/A:0");
    EXPECT_EQ(CellButtonId(Cell(0, IdImageLast1)), 202);
    EXPECT_EQ(CellHint(Cell(0, IdImageLast1)), "LastClick1 - Gone");

    // Shift keeps the window visible; the launch counts and moves 101 up to 6 launches.
    Click(Cell(1, 101), MK_SHIFT);
    EXPECT_FALSE(IsIconic(window.Handle()));
    EXPECT_EQ(window.StatusText(1), "T:1/W:1/A:6");
    EXPECT_EQ(CellButtonId(Cell(0, IdImageLast1)), 101);
    EXPECT_EQ(CellButtonId(Cell(0, IdImageLast1 + 1)), 202);
    EXPECT_EQ(CellButtonId(Cell(0, IdImageTop1 + 1)), 101);
    EXPECT_EQ(CellButtonId(Cell(0, IdImageTop1 + 2)), 103);
    EXPECT_EQ(CellHint(Cell(0, IdImageTop1 + 1)), "TopClick2 - One ");

    // A plain launch hides the window to the notification area.
    ClickTab(1);
    Click(Cell(1, 102));
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    EXPECT_TRUE(window.HiddenInTray);
    TBtnSettingXml reader(platform);
    reader.ReadButton(102);
    EXPECT_EQ(reader.TotolRunTimes, 6);
}

TEST_F(LauncherWindowTest, WindowSnapsToTheScreenEdges) {
    TfrmQuorlet& window = Open();
    HWND hwnd = window.Handle();
    RECT r;
    GetWindowRect(hwnd, &r);
    const int width = r.right - r.left;
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    struct Case {
        int Left, Expected;
    } cases[] = {{15, 0}, {20, 20}, {-30, 0}, {screen - width - 10, screen - width},
                 {screen - width, screen - width}, {screen - width + 5, screen - width}};
    for (const Case& c : cases) {
        SetWindowPos(hwnd, nullptr, c.Left, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetWindowRect(hwnd, &r);
        EXPECT_EQ(r.left, c.Expected) << c.Left;
        EXPECT_EQ(r.top, 300);
    }
    SetWindowPos(hwnd, nullptr, 100, 15, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.top, 0);
}

TEST_F(LauncherWindowTest, NewDocumentPlacesTheWindowInTheBottomRightCorner) {
    TfrmQuorlet& window = Open();
    RECT r, work;
    GetWindowRect(window.Handle(), &r);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, work.bottom);
}

}  // namespace
