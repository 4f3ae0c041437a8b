// End-to-end: the real Quorlet.exe opens the frequency report from the
// Quorlet Tab's icon; its rows are read from the list view of that process,
// its headers clicked, its tab sheets chosen, and both exports go through the
// real save dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "base/AppPaths.h"
#include "fakes/TempFolder.h"
#include "report/ReportRows.h"
#include "resources/resource.h"
#include "settings/UAppSettingXml.h"

using namespace quorlet;

namespace {

using Strings = std::vector<std::string>;

class ReportEndToEndTest : public ::testing::Test {
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
        settings.SaveSettings();
        TBtnSettingXml buttons(scope.Platform());
        StoreButton(buttons, {101, recorder, "", "", "Recorder", "", recorder, 0, SW_SHOWNORMAL, 3});
        StoreButton(buttons, {102, "C:\\Gone\\a, \"b\".exe", "", "", "Gone", "", "", 0, SW_SHOWNORMAL, 1});
    }

    // The program's visible dialog whose caption starts with prefix.
    HWND WaitForDialog(const std::string& prefix, DWORD ms = kLaunchWait) {
        HWND found = nullptr;
        PumpUntil(ms, [&] {
            for (HWND w = FindWindowA("#32770", nullptr); w; w = FindWindowExA(nullptr, w, "#32770", nullptr))
                if (IsWindowVisible(w) && WindowProcessId(w) == quorlet.ProcessId() && TextOf(w).rfind(prefix, 0) == 0) {
                    found = w;
                    return true;
                }
            return false;
        });
        return found;
    }
    Strings Column(HWND list, int column) {
        Strings cells;
        const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) cells.push_back(ListViewCellText(list, row, column));
        return cells;
    }
    // Selects a row of the list, through memory lent by the report's process.
    static bool SelectRow(HWND list, int row) {
        TRemoteMemory memory(list, sizeof(LVITEMA));
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        DWORD_PTR done = 0;
        return memory && memory.Write(&item, sizeof item) &&
               SendMessageTimeoutA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                                   reinterpret_cast<LPARAM>(memory.Address()), SMTO_ABORTIFHUNG, kShortWait, &done) &&
               done;
    }
    static int SelectedRows(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0)); }
    // Types the file name into the save dialog and saves; waits for the file.
    void SaveAs(const std::string& fileName) {
        HWND save = WaitForDialog("Save", kShortWait);
        ASSERT_NE(save, nullptr);
        HWND name = GetDlgItem(save, 1148);  // the file name field
        if (!name)
            if (HWND combo = GetDlgItem(save, 1152)) name = FindWindowExA(combo, nullptr, "Edit", nullptr);
        ASSERT_NE(name, nullptr);
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()));
        PostMessageA(save, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(save); }));
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES; }))
            << fileName;
    }

    TTempFolder folder;
    std::string exe;
    TQuorletUnderTest quorlet;
};

}  // namespace

TEST_F(ReportEndToEndTest, ReportFromTheQuorletTabSortsChoosesAndExportsBothFiles) {
    quorlet.Start(exe, folder.Path());
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return CellExists(quorlet.Cell(0, IdImageReport)); }));
    PostCellClick(quorlet.Cell(0, IdImageReport), 0);
    HWND report = WaitForDialog("Frequency Report");
    ASSERT_NE(report, nullptr);
    HWND page = GetDlgItem(report, IDC_RPT_PAGE);
    HWND list = GetDlgItem(page, IDC_RPT_LIST);
    ASSERT_NE(list, nullptr);

    EXPECT_EQ(Column(list, rcIndex), (Strings{"101", "102"}));
    EXPECT_EQ(Column(list, rcFile), (Strings{"QuorletRecorder.exe", "a, \"b\".exe"}));
    EXPECT_EQ(Column(list, rcPer), (Strings{"75.00%", "25.00%"}));
    EXPECT_EQ(SaveWindowPicture(report, WindowsPath(QUORLET_SCREENSHOT_DIR) + "\\quorlet-report.bmp"), "");

    // Real clicks on the headers: Total again flips to the lowest first; File
    // keeps the direction in force, and a second click on it flips it.
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    // dx moves the click off the middle: a second click on the same header
    // that far from the first is no double click, however soon it comes.
    auto clickHeader = [&](int column, int dx = 0) {
        RECT item;
        ASSERT_TRUE(HeaderItemScreenRect(header, column, item));
        ASSERT_LT(std::abs(dx), (item.right - item.left) / 2);
        ASSERT_TRUE(SendClick({(item.left + item.right) / 2 + dx, (item.top + item.bottom) / 2}));
    };
    SetForegroundWindow(report);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return GetForegroundWindow() == report; }));
    clickHeader(rcTotal);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return Column(list, rcIndex) == Strings{"102", "101"}; }));
    // A click that keeps the order: the rows are shown anew all the same, and
    // the selection they lose says that the click has been handled.
    ASSERT_TRUE(SelectRow(list, 0));
    ASSERT_EQ(SelectedRows(list), 1);
    clickHeader(rcFile);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return SelectedRows(list) == 0; })) << "the click on File was not handled";
    EXPECT_EQ(Column(list, rcIndex), (Strings{"102", "101"}));  // "a, ..." before "QuorletRecorder.exe"
    clickHeader(rcFile, GetSystemMetrics(SM_CXDOUBLECLK) + 2);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return Column(list, rcIndex) == Strings{"101", "102"}; }));

    // The second tab sheet holds no buttons; back to all of them.
    HWND groups = GetDlgItem(page, IDC_RPT_GROUPS);
    SendMessageA(groups, CB_SETCURSEL, 2, 0);
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_RPT_GROUPS, CBN_SELCHANGE), reinterpret_cast<LPARAM>(groups));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 0; }));
    SendMessageA(groups, CB_SETCURSEL, 0, 0);
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_RPT_GROUPS, CBN_SELCHANGE), reinterpret_cast<LPARAM>(groups));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));
    const Strings order = Column(list, rcIndex);

    const std::string csv = folder.File("out.csv");
    PostMessageA(GetDlgItem(page, IDC_RPT_EXPORTCSV), BM_CLICK, 0, 0);
    SaveAs(csv);
    std::string text;
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ReadFileText(csv).size() > 60; }));
    text = ReadFileText(csv);
    const std::string gone = "\"a, \"\"b\"\".exe\",Tabsheet 1,102,0,0,1,25.00%,,\"C:\\Gone\\a, \"\"b\"\".exe\"\r\n";
    EXPECT_EQ(text.rfind("File,Group,Index,Today,Week,Total,Per,Type,Full Path\r\n", 0), 0u) << text;
    EXPECT_NE(text.find(gone), std::string::npos) << text;
    // Rows in the order shown.
    EXPECT_LT(text.find(order[0] == "102" ? "\"a, " : "QuorletRecorder"), text.find(order[0] == "102" ? "QuorletRecorder" : "\"a, "));

    // A read-only file is not replaced: the error box, and the file as it was.
    SetFileAttributesA(csv.c_str(), FILE_ATTRIBUTE_READONLY);
    PostMessageA(GetDlgItem(page, IDC_RPT_EXPORTCSV), BM_CLICK, 0, 0);
    SaveAs(csv);
    HWND tip = WaitForDialog("tip", kShortWait);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(tip, 0xFFFF)), "Export to file error!");
    PostMessageA(tip, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(tip); }));
    EXPECT_EQ(ReadFileText(csv), text);
    SetFileAttributesA(csv.c_str(), FILE_ATTRIBUTE_NORMAL);

    const std::string xls = folder.File("out.xls");
    PostMessageA(GetDlgItem(page, IDC_RPT_EXPORTXLS), BM_CLICK, 0, 0);
    SaveAs(xls);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return ReadFileText(xls).size() >= 512; }));
    EXPECT_EQ(ReadFileText(xls).substr(0, 8), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));

    PostMessageA(GetDlgItem(report, IDC_RPT_CLOSE), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(report); }));
    EXPECT_TRUE(quorlet.Running());
}
