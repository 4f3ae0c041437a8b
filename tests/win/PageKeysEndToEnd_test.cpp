// End-to-end: the page keys of the real Quorlet.exe's tabbed dialogs, pressed
// with real input. Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp turn the
// options dialog's pages, wrapping at both ends; in the alarm dialog and the
// report, which have one page, they turn to that same page and leave the
// focus where it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <string>

#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "fakes/TempFolder.h"
#include "resources/resource.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

class PageKeysEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.File("Quorlet.exe");
        const std::string recorder = folder.File("QuorletRecorder.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.AutoCheckUpdate = false;
        settings.ShowAppPanel = true;
        settings.ActiveAppPanel = true;
        settings.AlarmOn = false;
        settings.SaveSettings();
        TBtnSettingXml buttons(scope.Platform());
        StoreButton(buttons, {101, recorder, "", "", "First", "", recorder, 0, SW_SHOWNORMAL, 3});
        StoreButton(buttons, {102, recorder, "", "", "Second", "", recorder, 0, SW_SHOWNORMAL, 1});
    }
    void TearDown() override {
        if (quorlet.Running()) TerminateProcess(quorlet.Process(), 1);
    }

    // The program's visible dialog whose caption starts with prefix, opened
    // with a click on a command icon of the Quorlet Tab.
    HWND OpenFromQuorletTab(int icon, const std::string& prefix) {
        PostCellClick(quorlet.Cell(0, icon), 0);
        HWND found = nullptr;
        PumpUntil(kLaunchWait, [&] {
            for (HWND w = FindWindowA("#32770", nullptr); w; w = FindWindowExA(nullptr, w, "#32770", nullptr))
                if (IsWindowVisible(w) && WindowProcessId(w) == quorlet.ProcessId() &&
                    TextOf(w).rfind(prefix, 0) == 0) {
                    found = w;
                    return true;
                }
            return false;
        });
        return found;
    }

    // Real keys: each goes down in order and comes up in reverse.
    static bool Keys(std::initializer_list<WORD> keys) {
        bool ok = true;
        for (WORD key : keys) ok = SendKey(key, false) && ok;
        for (auto key = keys.end(); key != keys.begin();) ok = SendKey(*--key, true) && ok;
        return ok;
    }
    static POINT Middle(HWND window) {
        RECT r;
        GetWindowRect(window, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static HWND FocusOf(HWND window) {
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof thread;
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) ? thread.hwndFocus : nullptr;
    }
    static int Selected(HWND tabs) { return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)); }

    TTempFolder folder;
    std::string exe;
    TQuorletUnderTest quorlet;
};

TEST_F(PageKeysEndToEndTest, OptionsTurnsItsThreePagesFromTheTabsAndFromInsideAPage) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return CellExists(quorlet.Cell(0, IdImageOptions)); }));
    HWND options = OpenFromQuorletTab(IdImageOptions, "Options");
    ASSERT_NE(options, nullptr);
    HWND tabs = GetDlgItem(options, IDC_OPT_PAGES);
    const int pages[] = {IDC_OPT_GENERALPAGE, IDC_OPT_TABSHEETPAGE, IDC_OPT_UPDATEPAGE};
    auto showing = [&](int index) {
        if (Selected(tabs) != index) return false;
        for (int k = 0; k < 3; ++k)
            if ((IsWindowVisible(GetDlgItem(options, pages[k])) != FALSE) != (k == index)) return false;
        return true;
    };
    RECT general;
    ASSERT_TRUE(TabScreenRect(tabs, 0, general));
    ASSERT_TRUE(SendClick(POINT{(general.left + general.right) / 2, (general.top + general.bottom) / 2}));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(options) == tabs; }));
    const struct {
        std::initializer_list<WORD> Keys;
        int Page;
    } steps[] = {
        {{VK_CONTROL, VK_TAB}, 1},           {{VK_CONTROL, VK_TAB}, 2},
        {{VK_CONTROL, VK_TAB}, 0},           // past the last: the first
        {{VK_CONTROL, VK_SHIFT, VK_TAB}, 2},  // before the first: the last
        {{VK_CONTROL, VK_SHIFT, VK_TAB}, 1}, {{VK_CONTROL, VK_PRIOR}, 0},
        {{VK_CONTROL, VK_PRIOR}, 2},         {{VK_CONTROL, VK_NEXT}, 0},
        {{VK_CONTROL, VK_NEXT}, 1},
    };
    int step = 0;
    for (const auto& s : steps) {
        ASSERT_TRUE(Keys(s.Keys));
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return showing(s.Page); }))
            << "step " << step << ": page " << Selected(tabs) << " instead of " << s.Page;
        ++step;
    }
    // From a field of the Tabsheet page: the page turns, its text stays, and
    // the focus goes to the tabs rather than stay on a hidden field.
    HWND tabsheet = GetDlgItem(options, IDC_OPT_TABSHEETPAGE), name = GetDlgItem(tabsheet, IDC_OPT_ROWNAME0);
    const std::string nameBefore = TextOf(name);
    RECT tab;
    ASSERT_TRUE(TabScreenRect(tabs, 1, tab));
    ASSERT_TRUE(SendClick(POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2}));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return showing(1); }));
    ASSERT_TRUE(SendClick(Middle(name)));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(options) == name; }));
    ASSERT_TRUE(Keys({VK_CONTROL, VK_NEXT}));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return showing(2); }));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(options) == tabs; }));
    EXPECT_EQ(TextOf(name), nameBefore);
    ASSERT_TRUE(Keys({VK_ESCAPE}));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(options); }));
}

TEST_F(PageKeysEndToEndTest, TheAlarmDialogKeepsItsOnePageAndTheFocusInTheNumberField) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return CellExists(quorlet.Cell(0, IdPanel18)); }));
    // The keys turn to the same page and leave the focus where it was, where
    // the next digit lands (Tab would have moved it on).
    HWND alarm = OpenFromQuorletTab(IdPanel18, "Alarm Clock  ");
    ASSERT_NE(alarm, nullptr);
    HWND field = GetDlgItem(GetDlgItem(alarm, IDC_CFG_PAGE), IDC_CFG_TIMEROUT);
    ASSERT_TRUE(SendClick(Middle(field)));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(alarm) == field; }));
    ASSERT_TRUE(Keys({VK_END}));
    const std::string timeOut = TextOf(field);
    ASSERT_TRUE(Keys({VK_CONTROL, VK_TAB}) && Keys({VK_CONTROL, VK_NEXT}) && Keys({VK_CONTROL, VK_PRIOR}));
    ASSERT_TRUE(SendText("5"));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TextOf(field) == timeOut + "5"; })) << TextOf(field);
    EXPECT_EQ(FocusOf(alarm), field);
    EXPECT_EQ(Selected(GetDlgItem(alarm, IDC_CFG_PAGES)), 0);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(alarm, IDC_CFG_PAGE)));
    ASSERT_TRUE(Keys({VK_ESCAPE}));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(alarm); }));
}

TEST_F(PageKeysEndToEndTest, TheReportKeepsItsOnePageAndTheFocusInTheList) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return CellExists(quorlet.Cell(0, IdImageReport)); }));
    // The focus stays in the list, where Down then moves the selection.
    HWND report = OpenFromQuorletTab(IdImageReport, "Frequency Report");
    ASSERT_NE(report, nullptr);
    HWND list = GetDlgItem(GetDlgItem(report, IDC_RPT_PAGE), IDC_RPT_LIST);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));
    RECT first = {};
    first.left = LVIR_LABEL;
    TRemoteMemory place(list, sizeof first);
    ASSERT_TRUE(place.Write(&first, sizeof first));
    ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(place.Address())));
    ASSERT_TRUE(place.Read(&first, sizeof first));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&first), 2);
    ASSERT_TRUE(SendClick(POINT{(first.left + first.right) / 2, (first.top + first.bottom) / 2}));
    auto selectedRow = [&] {
        return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    };
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(report) == list && selectedRow() == 0; }));
    ASSERT_TRUE(Keys({VK_CONTROL, VK_TAB}) && Keys({VK_CONTROL, VK_NEXT}));
    ASSERT_TRUE(Keys({VK_DOWN}));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return selectedRow() == 1; })) << selectedRow();
    EXPECT_EQ(FocusOf(report), list);
    EXPECT_EQ(Selected(GetDlgItem(report, IDC_RPT_PAGES)), 0);
    ASSERT_TRUE(Keys({VK_ESCAPE}));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(report); }));
}

}  // namespace
