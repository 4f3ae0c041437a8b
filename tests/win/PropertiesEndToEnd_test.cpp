// End-to-end: the real Quorlet.exe's button properties dialog and icon
// chooser, opened with a real Alt-click and typed into with real keys; the
// cell and the settings document are checked after OK and after Cancel.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "IconPixels.h"
#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "base/AppPaths.h"
#include "fakes/TempFolder.h"
#include "resources/resource.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "shell/LinkCreateInfo.h"
#include "shell/ShellServices.h"
#include "win32/ComPtr.h"

using namespace quorlet;

namespace {

class PropertiesEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(apartment.Ok());
        exe = folder.File("Quorlet.exe");
        recorder = folder.File("QuorletRecorder.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
        work = folder.File("work");
        ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
        shortcut = folder.File("Recorder.lnk");
        TStoreScope scope(exe);
        settingsFile = SettingFileName;
        TLinkCreateInfo link = {};
        AssignLinkField(link.Path, recorder);
        AssignLinkField(link.Arguments, "--from-link");
        AssignLinkField(link.WorkingDir, work);
        AssignLinkField(link.Description, "Recorder by link");
        link.ShowCmd = SW_SHOWMAXIMIZED;
        ASSERT_TRUE(CreateLink(scope.Platform(), link, shortcut));

        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.AutoCheckUpdate = false;
        settings.LastPanelIndex = 1;
        settings.X = 200;
        settings.Y = 150;
        settings.SaveSettings();
        TBtnSettingXml buttons(scope.Platform());
        StoreButton(buttons, {104, shortcut, "", "", "Shortcut", "Ctrl+Alt+R", shortcut, 0, SW_SHOWNORMAL, 5});
    }

    void TearDown() override {
        // A dialog left open by a failed step goes with the program.
        if (quorlet.Running()) TerminateProcess(quorlet.Process(), 1);
    }

    // The visible dialog of the program with this caption, waited for.
    HWND WaitForDialog(const char* caption) const {
        HWND found = nullptr;
        PumpUntil(kLaunchWait, [&] {
            found = nullptr;
            while ((found = FindWindowExA(nullptr, found, "#32770", caption)))
                if (IsWindowVisible(found) && WindowProcessId(found) == quorlet.ProcessId()) return true;
            return false;
        });
        return found;
    }

    // The dialog is destroyed and the program takes messages again, so what
    // it does once the dialog has returned (such as saving) is done.
    bool WaitGone(HWND dialog) const {
        DWORD_PTR ignored = 0;
        return PumpUntil(kShortWait, [&] { return !IsWindow(dialog); }) &&
               SendMessageTimeoutA(quorlet.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kShortWait, &ignored) != 0;
    }

    static POINT Centre(HWND control) {
        RECT r = {};
        GetWindowRect(control, &r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // Real input: a click into the field, its text selected and typed over;
    // the field must show the text unless the window takes it back.
    static void TypeInto(HWND field, const std::string& text, bool shown = true) {
        ASSERT_TRUE(SendClick(Centre(field)));
        ASSERT_TRUE(SendKey(VK_END, false) && SendKey(VK_END, true));
        ASSERT_TRUE(SendKey(VK_SHIFT, false) && SendKey(VK_HOME, false) && SendKey(VK_HOME, true) &&
                    SendKey(VK_SHIFT, true));
        ASSERT_TRUE(SendKey(VK_DELETE, false) && SendKey(VK_DELETE, true));
        ASSERT_TRUE(SendText(text));
        if (shown) {
            ASSERT_TRUE(PumpUntil(kShortWait, [&] { return TextOf(field) == text; })) << TextOf(field);
        }
    }

    // Opens the properties of a cell of the first tab sheet with Alt and a click.
    HWND OpenProperties(int id) {
        quorlet.WaitForTray();
        quorlet.BringToFront();
        const POINT cell = quorlet.PointAt(quorlet.Cell(1, id));
        EXPECT_TRUE(SendPointerMove(cell));
        EXPECT_TRUE(SendKey(VK_MENU, false));
        // Alt is down for the window once the hint line says so.
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return quorlet.Panel(0).rfind("Config - ", 0) == 0; }))
            << quorlet.Panel(0);
        EXPECT_TRUE(SendLeftClick());
        EXPECT_TRUE(ReleaseKey(VK_MENU));
        return WaitForDialog("Properties");
    }

    TBtnSettingXml StoredRecord(int id) {
        TStoreScope scope(exe);
        TBtnSettingXml buttons(scope.Platform());
        buttons.LoadButtonsDoc();
        buttons.ReadButton(id);
        return buttons;
    }

    // The cell's picture as the screen shows it, against an icon drawn here.
    int DifferenceFromIcon(int id, HICON icon) {
        TWindowPicture picture;
        if (!CaptureWindowPicture(quorlet.Window(), picture)) return -1;
        RECT cell, window;
        if (!CellScreenRect(quorlet.Cell(1, id), cell)) return -1;
        GetWindowRect(quorlet.Window(), &window);
        return DifferentPixels(picture, cell.left - window.left + 1, cell.top - window.top + 1, 32,
                               DrawnIcon(icon, 32));
    }

    TComApartment apartment;
    TTempFolder folder;
    std::string exe, recorder, work, shortcut, settingsFile;
    TQuorletUnderTest quorlet;
};

TEST_F(PropertiesEndToEndTest, ANewButtonIsTypedInAndStoredWhole) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    HWND dialog = OpenProperties(103);
    ASSERT_NE(dialog, nullptr) << "no properties dialog";
    HWND page = GetDlgItem(dialog, IDC_BTN_PAGE);
    ASSERT_NE(page, nullptr);
    HWND ok = GetDlgItem(dialog, IDOK);
    EXPECT_FALSE(IsWindowEnabled(ok));
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_BTN_COMMAND)), "");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_BTN_RESOLVE)));  // as drawn until the first edit
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_BTN_HOTKEY)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_BTN_PRIORITY)));
    EXPECT_EQ(SendMessageA(GetDlgItem(page, IDC_BTN_ICON), STM_GETICON, 0, 0), 0);  // no icon file yet
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_BTN_WINDOWSTYLE)), "Normal");

    ASSERT_NO_FATAL_FAILURE(TypeInto(GetDlgItem(page, IDC_BTN_COMMAND), recorder));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return IsWindowEnabled(ok) != FALSE; }));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_BTN_RESOLVE)));
    ASSERT_NO_FATAL_FAILURE(TypeInto(GetDlgItem(page, IDC_BTN_PARAMETERS), "-typed 1"));
    ASSERT_NO_FATAL_FAILURE(TypeInto(GetDlgItem(page, IDC_BTN_DESCRIPTION), "Typed tool"));
    // A work folder that does not exist disables OK until it does.
    ASSERT_NO_FATAL_FAILURE(TypeInto(GetDlgItem(page, IDC_BTN_WORKDIR), work + "x"));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindowEnabled(ok); }));
    ASSERT_NO_FATAL_FAILURE(TypeInto(GetDlgItem(page, IDC_BTN_WORKDIR), work));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return IsWindowEnabled(ok) != FALSE; }));
    EXPECT_EQ(SaveWindowPicture(dialog, ScreenshotPath("quorlet-properties.bmp")), "");

    ASSERT_TRUE(SendClick(Centre(ok)));
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return CellHint(quorlet.Cell(1, 103)) == "Typed tool "; }))
        << CellHint(quorlet.Cell(1, 103));
    EXPECT_TRUE(CellHasPicture(quorlet.Cell(1, 103)));

    const TBtnSettingXml stored = StoredRecord(103);
    EXPECT_FALSE(stored.Empty);
    EXPECT_EQ(stored.BtnStyle, 0);
    EXPECT_EQ(stored.Command, recorder);
    EXPECT_EQ(stored.Parameters, "-typed 1");
    EXPECT_EQ(stored.WorkingDir, work);
    EXPECT_EQ(stored.Description, "Typed tool");
    EXPECT_EQ(stored.HotKey, "");
    EXPECT_EQ(stored.WindowStyle, SW_SHOWNORMAL);  // as the dialog opened
    EXPECT_EQ(stored.Priority, -1);
    EXPECT_FALSE(stored.IgnoreRunTimes);
    EXPECT_EQ(stored.IconFile, recorder);
    EXPECT_EQ(stored.IconNumber, 0);
    EXPECT_EQ(stored.TotolRunTimes, 0);

    // A click starts the new button's program with its window shown.
    PostCellClick(quorlet.Cell(1, 103), MK_SHIFT);
    const std::string shown = folder.File("recorder-show.log");
    EXPECT_TRUE(PumpUntil(kLaunchWait, [&] { return !LinesOf(shown).empty(); }));
    EXPECT_EQ(LinesOf(shown), std::vector<std::string>{"1|-typed 1"});
}

TEST_F(PropertiesEndToEndTest, ATypedShortcutIsNamedAsADropNamesItAndStoredWithThatName) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    HWND dialog = OpenProperties(106);
    ASSERT_NE(dialog, nullptr) << "no properties dialog";
    HWND page = GetDlgItem(dialog, IDC_BTN_PAGE);
    ASSERT_NE(page, nullptr);
    HWND description = GetDlgItem(page, IDC_BTN_DESCRIPTION);
    ASSERT_NO_FATAL_FAILURE(TypeInto(GetDlgItem(page, IDC_BTN_COMMAND), shortcut));
    EXPECT_EQ(TextOf(description), "");  // named when the field is left, not while typing
    ASSERT_TRUE(SendClick(Centre(GetDlgItem(page, IDC_BTN_PARAMETERS))));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TextOf(description) == "Recorder by link"; }))
        << TextOf(description);
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_BTN_COMMAND)), shortcut);  // the shortcut is not resolved
    EXPECT_EQ(SaveWindowPicture(dialog, ScreenshotPath("quorlet-properties-described.bmp")), "");

    ASSERT_TRUE(SendClick(Centre(GetDlgItem(dialog, IDOK))));
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return CellHint(quorlet.Cell(1, 106)) == "Recorder by link "; }))
        << CellHint(quorlet.Cell(1, 106));
    const TBtnSettingXml stored = StoredRecord(106);
    EXPECT_EQ(stored.Command, shortcut);
    EXPECT_EQ(stored.Description, "Recorder by link");
}

TEST_F(PropertiesEndToEndTest, CancelOnANewButtonLeavesTheCellAndTheFile) {
    const std::string before = ReadFileText(settingsFile);
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    HWND dialog = OpenProperties(105);
    ASSERT_NE(dialog, nullptr);
    HWND page = GetDlgItem(dialog, IDC_BTN_PAGE);
    ASSERT_NO_FATAL_FAILURE(TypeInto(GetDlgItem(page, IDC_BTN_COMMAND), recorder));
    ASSERT_TRUE(SendClick(Centre(GetDlgItem(dialog, IDCANCEL))));
    ASSERT_TRUE(WaitGone(dialog));
    ASSERT_TRUE(quorlet.WaitUntilAnswering());
    EXPECT_FALSE(CellHasPicture(quorlet.Cell(1, 105)));
    EXPECT_EQ(CellHint(quorlet.Cell(1, 105)), "");
    EXPECT_EQ(ReadFileText(settingsFile), before);
    EXPECT_TRUE(StoredRecord(105).Empty);
}

TEST_F(PropertiesEndToEndTest, AShortcutIsResolvedAndAnIconChosenFromAFileWithSeveral) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    HWND dialog = OpenProperties(104);
    ASSERT_NE(dialog, nullptr);
    HWND page = GetDlgItem(dialog, IDC_BTN_PAGE);
    HWND command = GetDlgItem(page, IDC_BTN_COMMAND), resolve = GetDlgItem(page, IDC_BTN_RESOLVE);
    EXPECT_EQ(TextOf(command), shortcut);
    EXPECT_TRUE(IsWindowVisible(resolve));
    EXPECT_TRUE(IsWindowEnabled(resolve));
    RECT narrow, full;
    GetWindowRect(command, &narrow);
    GetWindowRect(GetDlgItem(page, IDC_BTN_WORKDIR), &full);
    EXPECT_LT(narrow.right, full.right) << "the field leaves room for the button";
    EXPECT_EQ(SaveWindowPicture(dialog, ScreenshotPath("quorlet-properties-shortcut.bmp")), "");

    ASSERT_TRUE(SendClick(Centre(resolve)));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TextOf(command) == recorder; })) << TextOf(command);
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_BTN_PARAMETERS)), "--from-link");
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_BTN_WORKDIR)), work);
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_BTN_DESCRIPTION)), "Recorder by link");
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_BTN_WINDOWSTYLE)), "Maximized");
    EXPECT_FALSE(IsWindowVisible(resolve));
    GetWindowRect(command, &narrow);
    EXPECT_EQ(narrow.right, full.right) << "the field has its full width again";

    // The chooser: icon 2 of the recorder, which holds three.
    ASSERT_TRUE(SendClick(Centre(GetDlgItem(page, IDC_BTN_CHOOSE))));
    HWND chooser = WaitForDialog("Icon");
    ASSERT_NE(chooser, nullptr) << "no icon chooser";
    HWND file = GetDlgItem(chooser, IDC_ICO_FILE), index = GetDlgItem(chooser, IDC_ICO_INDEX);
    EXPECT_EQ(TextOf(file), recorder);
    EXPECT_EQ(TextOf(GetDlgItem(chooser, IDC_ICO_MAXINDEX)), "3");
    EXPECT_EQ(TextOf(index), "1");
    EXPECT_TRUE(IsWindowEnabled(index));
    const LRESULT shellPreview = SendMessageA(GetDlgItem(chooser, IDC_ICO_PREVIEW), STM_GETICON, 0, 0);
    ASSERT_NO_FATAL_FAILURE(TypeInto(index, "3"));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] {
        return SendMessageA(GetDlgItem(chooser, IDC_ICO_PREVIEW), STM_GETICON, 0, 0) != shellPreview;
    })) << "the preview did not follow the index";
    // Beyond the count the index comes back to the last icon.
    ASSERT_NO_FATAL_FAILURE(TypeInto(index, "9", false));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TextOf(index) == "3"; })) << TextOf(index);
    EXPECT_EQ(SaveWindowPicture(chooser, ScreenshotPath("quorlet-icon-chooser.bmp")), "");
    ASSERT_TRUE(SendClick(Centre(GetDlgItem(chooser, IDOK))));
    ASSERT_TRUE(WaitGone(chooser));

    ASSERT_TRUE(SendClick(Centre(GetDlgItem(dialog, IDOK))));
    ASSERT_TRUE(WaitGone(dialog));
    // The caller stores the record after the dialog has gone: the file's bytes are waited for.
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return StoredRecord(104).Command == recorder; }));
    const TBtnSettingXml stored = StoredRecord(104);
    EXPECT_EQ(stored.Command, recorder);
    EXPECT_EQ(stored.Parameters, "--from-link");
    EXPECT_EQ(stored.WindowStyle, SW_SHOWMAXIMIZED);
    EXPECT_EQ(stored.HotKey, "Ctrl+Alt+R");  // carried through
    EXPECT_EQ(stored.IconFile, recorder);
    EXPECT_EQ(stored.IconNumber, 2);
    EXPECT_EQ(stored.TotolRunTimes, 5);  // the counts stay

    // The cell shows stored icon 2 of the file, not the shell's icon of it.
    TStoreScope scope(exe);
    TOwnedIcon chosen = GetFileIcon(scope.Platform(), recorder, 2, 32);
    TOwnedIcon first = GetFileIcon(scope.Platform(), recorder, 1, 32);
    ASSERT_TRUE(chosen && first);
    ASSERT_NO_FATAL_FAILURE(quorlet.SavePicture("quorlet-after-properties.bmp"));
    EXPECT_LE(DifferenceFromIcon(104, static_cast<HICON>(chosen.Get())), 32 * 32 / 50);
    EXPECT_GT(DifferenceFromIcon(104, static_cast<HICON>(first.Get())), 32 * 32 / 10);
}

}  // namespace
