#include "QuorletProcess.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include "RemoteControls.h"
#include "app/MainControls.h"
#include "base/AppPaths.h"
#include "fakes/TempFolder.h"

namespace quorlet {

TStoreScope::TStoreScope(const std::string& exe)
    : FSavedSetting(SettingFileName), FSavedConfig(ConfigFileName), FSavedHelp(HelpFileName) {
    SetPlatform(&FPlatform);
    InitAppPaths(exe);
    SettingFileName = FConfig.LoadUserConfig();
}

TStoreScope::~TStoreScope() {
    SettingFileName = FSavedSetting;
    ConfigFileName = FSavedConfig;
    HelpFileName = FSavedHelp;
    SetPlatform(nullptr);
}

void StoreButton(TBtnSettingXml& store, const TButtonRecord& b) {
    store.Empty = false;
    store.BtnStyle = 0;
    store.IconFile = b.IconFile;
    store.IconNumber = b.IconNumber;
    store.Command = b.Command;
    store.Parameters = b.Parameters;
    store.WorkingDir = b.WorkingDir;
    store.Description = b.Description;
    store.HotKey = b.HotKey;
    store.WindowStyle = b.WindowStyle;
    store.Priority = 0;
    store.IgnoreRunTimes = false;
    store.TotolRunTimes = b.TotolRunTimes;
    for (int day = 0; day < 7; ++day) {
        store.DayCount(day) = 0;
        store.DayWeek(day) = 0;
    }
    store.WriteButton(b.Id);
}

std::string WithoutTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

std::vector<std::string> LinesOf(const std::string& fileName) {
    std::vector<std::string> lines;
    if (GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES) return lines;
    const std::string text = ReadFileText(fileName);
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

DWORD WindowProcessId(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        kShortWait, &ignored);
    return text;
}

bool ShownNormally(HWND window) { return IsWindowVisible(window) && !IsIconic(window); }

bool ProcessHasModule(DWORD processId, const char* moduleName) {
    TUniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot) return false;
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot.Get(), &module); more; more = Module32Next(snapshot.Get(), &module))
        if (lstrcmpiA(module.szModule, moduleName) == 0) return true;
    return false;
}

TQuorletUnderTest::~TQuorletUnderTest() {
    if (FProcess.Process && WaitForSingleObject(FProcess.Process.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(FProcess.Process.Get(), 1);
        WaitForSingleObject(FProcess.Process.Get(), kShortWait);
    }
}

namespace {
HWND ShownTrayWindow() {
    HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    return tray && IsWindowVisible(tray) ? tray : nullptr;
}
}  // namespace

void TQuorletUnderTest::Start(const std::string& exe, const std::string& startFolder) {
    FTrayShownBefore = ShownTrayWindow() != nullptr;
    FProcess = StartProgram(exe, startFolder);
    ASSERT_TRUE(FProcess.Process);
    PumpUntil(kLaunchWait, [&] {
        FWindow = FindWindowA("TfrmQuorlet", "Quorlet");
        return FWindow && IsWindowVisible(FWindow) && WindowProcessId(FWindow) == FProcess.ProcessId;
    });
    ASSERT_NE(FWindow, nullptr);
    ASSERT_EQ(WindowProcessId(FWindow), FProcess.ProcessId);
    FTabs = FindChildControl(FWindow, IdMorePageControl, WC_TABCONTROLA);
    FStatus = FindChildControl(FWindow, IdStatusBar, STATUSCLASSNAMEA);
    ASSERT_NE(FTabs, nullptr);
    ASSERT_NE(FStatus, nullptr);
}

bool TQuorletUnderTest::WaitUntilAnswering() const {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(FWindow, WM_NULL, 0, 0, SMTO_NORMAL, kLaunchWait, &ignored) != 0;
}

bool TQuorletUnderTest::LoadLibraryInto(const std::string& dll) const {
    HANDLE process = FProcess.Process.Get();
    void* name = VirtualAllocEx(process, nullptr, dll.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!name) return false;
    SIZE_T written = 0;
    bool loaded = false;
    // The system libraries lie at the same place in every process.
    auto* load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    if (WriteProcessMemory(process, name, dll.c_str(), dll.size() + 1, &written) && written == dll.size() + 1) {
        TUniqueHandle thread(CreateRemoteThread(process, nullptr, 0, load, name, 0, nullptr));
        DWORD module = 0;
        loaded = thread && WaitForSingleObject(thread.Get(), kLaunchWait) == WAIT_OBJECT_0 &&
                 GetExitCodeThread(thread.Get(), &module) && module != 0;
    }
    VirtualFreeEx(process, name, 0, MEM_RELEASE);
    return loaded;
}

bool TQuorletUnderTest::Running() const {
    return FProcess.Process && WaitForSingleObject(FProcess.Process.Get(), 0) == WAIT_TIMEOUT;
}

DWORD TQuorletUnderTest::WaitForExit(DWORD ms) const {
    if (WaitForSingleObject(FProcess.Process.Get(), ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(FProcess.Process.Get(), &code);
    return code;
}

HWND TQuorletUnderTest::Sheet(int page) const { return FindChildControl(FWindow, IdFirstSheet + page, SheetClassName); }

std::string TQuorletUnderTest::Panel(int panel) const { return StatusPanelText(FStatus, panel); }

bool TQuorletUnderTest::WaitForPanel(int panel, const std::string& text) const {
    return PumpUntil(kLaunchWait, [&] { return Panel(panel) == text; });
}

void TQuorletUnderTest::WaitForTray() const {
    // Shown for the first icon of a session, the tray window takes the front
    // once; one that was there before the program started takes nothing.
    if (FTrayShownBefore) return;
    if (!PumpUntil(kShortWait, [] { return ShownTrayWindow() != nullptr; })) return;
    PumpUntil(kShortWait, [] { return GetForegroundWindow() == ShownTrayWindow(); });
}

void TQuorletUnderTest::BringToFront() {
    ASSERT_TRUE(ShownNormally(FWindow)) << "the window is hidden";
    if (GetForegroundWindow() == FWindow) return;
    SetForegroundWindow(FWindow);
    if (!PumpUntil(2000, [&] { return GetForegroundWindow() == FWindow; })) {
        RECT r;
        GetWindowRect(FWindow, &r);
        SendClick(POINT{(r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2});
        PumpUntil(kShortWait, [&] { return GetForegroundWindow() == FWindow; });
    }
    ASSERT_EQ(GetForegroundWindow(), FWindow);
}

void TQuorletUnderTest::ClickTabOnly(int index) {
    ASSERT_NO_FATAL_FAILURE(BringToFront());
    RECT tab;
    ASSERT_TRUE(TabScreenRect(FTabs, index, tab)) << index;
    ASSERT_TRUE(SendClick(POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2}));
}

void TQuorletUnderTest::ClickTab(int index) {
    ASSERT_NO_FATAL_FAILURE(ClickTabOnly(index));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] {
        return SendMessageA(FTabs, TCM_GETCURSEL, 0, 0) == index && IsWindowVisible(Sheet(index));
    })) << "tab " << index;
}

POINT TQuorletUnderTest::PointAt(const TCellRef& cell) {
    EXPECT_TRUE(CellVisible(cell)) << "cell " << cell.Id;
    const POINT point = CellScreenCenter(cell);
    EXPECT_EQ(WindowFromPoint(point), cell.Sheet) << "the cell is covered";
    return point;
}

void TQuorletUnderTest::SavePicture(const char* name) {
    ASSERT_NO_FATAL_FAILURE(BringToFront());
    const int page = static_cast<int>(SendMessageA(FTabs, TCM_GETCURSEL, 0, 0));
    HWND sheet = nullptr;
    for (int p = -1; p < 100 && !sheet; ++p)  // -1: the find page
        if (IsWindowVisible(Sheet(p))) sheet = Sheet(p);
    ASSERT_NE(sheet, nullptr) << "no page is shown (tab " << page << ")";
    const bool loaded = PumpUntil(kLaunchWait, [&] { return !SheetLoading(sheet); });
    EXPECT_TRUE(loaded) << "icons still loading";
    const std::string file = WindowsPath(QUORLET_SCREENSHOT_DIR) + "\\" + name;
    const std::string failure = SaveWindowPicture(FWindow, file);
    EXPECT_EQ(failure, "");
}

namespace {

struct TBoxSearch {
    DWORD ProcessId;
    HWND Found;
    const char* Caption;
};

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TBoxSearch*>(param);
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window) && WindowProcessId(window) == search->ProcessId &&
        (!search->Caption || TextOf(window) == search->Caption)) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void TQuorletUnderTest::StartWithoutWindow(const std::string& exe, const std::string& startFolder) {
    FProcess = StartProgram(exe, startFolder);
    ASSERT_TRUE(FProcess.Process);
}

bool TQuorletUnderTest::WaitForMessageBox(DWORD ms, TMessageBox& box, const char* caption) const {
    TBoxSearch search = {FProcess.ProcessId, nullptr, caption};
    if (!PumpUntil(ms, [&] {
            search.Found = nullptr;
            EnumWindows(&MatchMessageBox, reinterpret_cast<LPARAM>(&search));
            return search.Found != nullptr;
        }))
        return false;
    box = TMessageBox();
    box.Window = search.Found;
    box.Caption = TextOf(search.Found);
    // The message is the static text control 0xFFFF of the box; the icon a
    // static picture beside it.
    HWND text = GetDlgItem(search.Found, 0xFFFF);
    if (text) box.Text = TextOf(text);
    for (HWND child = GetWindow(search.Found, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0 || (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        DWORD_PTR icon = 0;
        SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kShortWait, &icon);
        box.HasIcon = box.HasIcon || (icon != 0 && IsWindowVisible(child));
    }
    return true;
}

bool TQuorletUnderTest::DismissMessageBox(const TMessageBox& box) const {
    PostMessageA(box.Window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return PumpUntil(kShortWait, [&] { return !IsWindow(box.Window) || !IsWindowVisible(box.Window); });
}

}  // namespace quorlet
