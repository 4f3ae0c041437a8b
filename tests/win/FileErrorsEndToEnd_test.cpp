// End-to-end: the settings document is made read-only, replaced with garbage
// and deleted under the running Quorlet.exe. Each click, tab change and close
// that then fails shows the file layer's message in a "Quorlet" error box,
// stops there, and leaves the program running and the file as it was. A
// number out of range in the document stops the start with a box that names
// the file, the line and the element.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "base/AppPaths.h"
#include "fakes/TempFolder.h"
#include "settings/UAppSettingXml.h"

using namespace quorlet;

namespace {

class FileErrorsEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.File("Quorlet.exe");
        const std::string recorder = folder.File("QuorletRecorder.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
        TStoreScope scope(exe);
        settingsFile = SettingFileName;
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.AutoCheckUpdate = false;
        settings.LastPanelIndex = 1;
        settings.X = 600;
        settings.Y = 200;
        settings.SaveSettings();
        TBtnSettingXml buttons(scope.Platform());
        StoreButton(buttons, {101, recorder, "first", "", "First", "", recorder, 1, SW_SHOWNORMAL, 3});
        StoreButton(buttons, {201, recorder, "second", "", "Second", "", recorder, 2, SW_SHOWNORMAL, 2});
    }
    void TearDown() override { SetFileAttributesA(settingsFile.c_str(), FILE_ATTRIBUTE_NORMAL); }

    // The action that was just taken shows the error box with a text holding
    // expected; the box is answered, and the program and its window go on.
    void ExpectErrorBox(const std::string& expected) {
        TMessageBox box;
        ASSERT_TRUE(quorlet.WaitForMessageBox(kLaunchWait, box)) << "no message for: " << expected;
        EXPECT_EQ(box.Caption, "Quorlet");
        EXPECT_NE(box.Text.find(expected), std::string::npos) << box.Text;
        EXPECT_TRUE(box.HasIcon);
        EXPECT_FALSE(IsWindowEnabled(quorlet.Window()));  // the box is modal to the window
        ASSERT_TRUE(quorlet.DismissMessageBox(box));
        EXPECT_TRUE(quorlet.Running());
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return IsWindowEnabled(quorlet.Window()) != FALSE; }));
        EXPECT_TRUE(ShownNormally(quorlet.Window()));
    }
    // Closing fails to save: the box gives the file layer's message and asks
    // whether to close all the same; answer is IDYES or IDNO.
    void AnswerCloseQuestion(const std::string& expected, int answer) {
        Close();
        TMessageBox box;
        ASSERT_TRUE(quorlet.WaitForMessageBox(kLaunchWait, box)) << "no question for: " << expected;
        EXPECT_EQ(box.Caption, "Quorlet");
        EXPECT_NE(box.Text.find(expected), std::string::npos) << box.Text;
        EXPECT_NE(box.Text.find("Quorlet could not save its settings. Close it anyway?"), std::string::npos) << box.Text;
        EXPECT_TRUE(box.HasIcon);
        EXPECT_NE(GetDlgItem(box.Window, IDYES), nullptr);
        EXPECT_NE(GetDlgItem(box.Window, IDNO), nullptr);
        PostMessageA(box.Window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !IsWindow(box.Window) || !IsWindowVisible(box.Window); }));
        if (answer == IDNO) {
            EXPECT_TRUE(quorlet.Running());
            EXPECT_TRUE(PumpUntil(kShortWait, [&] { return IsWindowEnabled(quorlet.Window()) != FALSE; }));
            EXPECT_TRUE(ShownNormally(quorlet.Window()));
        }
    }
    // After an action whose work has shown (the page it opened): once the
    // program answers again that work is over, and a box it raised would be
    // open, with the window disabled under it.
    void ExpectNoErrorBox() {
        EXPECT_TRUE(quorlet.WaitUntilAnswering());
        TMessageBox box;
        EXPECT_FALSE(quorlet.WaitForMessageBox(0, box)) << box.Text;
        EXPECT_TRUE(IsWindowEnabled(quorlet.Window()));
        EXPECT_TRUE(quorlet.Running());
    }
    // A click posted to a cell with Shift held, so the window stays shown.
    void ClickCell(int page, int id) {
        const TCellRef cell = quorlet.Cell(page, id);
        ASSERT_TRUE(CellExists(cell)) << id;
        PostCellClick(cell, MK_SHIFT);
    }
    void Close() { PostMessageA(quorlet.Window(), WM_CLOSE, 0, 0); }
    int ActiveTab() const { return static_cast<int>(SendMessageA(quorlet.Tabs(), TCM_GETCURSEL, 0, 0)); }

    TTempFolder folder;
    std::string exe, settingsFile;
    TQuorletUnderTest quorlet;
};

}  // namespace

TEST_F(FileErrorsEndToEndTest, FailedActionsAreReportedAndTheProgramGoesOn) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    ASSERT_EQ(ActiveTab(), 1);

    {
        SCOPED_TRACE("read-only");
        ASSERT_TRUE(SetFileAttributesA(settingsFile.c_str(), FILE_ATTRIBUTE_READONLY));
        const std::string left = ReadFileText(settingsFile);
        ClickCell(1, 101);  // the count cannot be saved
        ASSERT_NO_FATAL_FAILURE(ExpectErrorBox("Cannot write file"));
        ASSERT_NO_FATAL_FAILURE(quorlet.ClickTab(2));  // reading works: no message
        ExpectNoErrorBox();
        // The position cannot be saved: asked, the user keeps the window.
        ASSERT_NO_FATAL_FAILURE(AnswerCloseQuestion("Cannot write file", IDNO));
        EXPECT_EQ(ReadFileText(settingsFile), left);
        ASSERT_TRUE(SetFileAttributesA(settingsFile.c_str(), FILE_ATTRIBUTE_NORMAL));
    }
    {
        SCOPED_TRACE("garbage");
        const std::string garbage = "This is not a settings document.\r\n";
        WriteFileText(settingsFile, garbage);
        ClickCell(2, 201);
        ASSERT_NO_FATAL_FAILURE(ExpectErrorBox(settingsFile));
        // The Quorlet Tab, shown for the first time, reads the file for its
        // most-used row: the tab strip stays on the page that is shown.
        ASSERT_NO_FATAL_FAILURE(quorlet.ClickTabOnly(0));
        ASSERT_NO_FATAL_FAILURE(ExpectErrorBox(settingsFile));
        EXPECT_EQ(ActiveTab(), 2);
        EXPECT_TRUE(IsWindowVisible(quorlet.Sheet(2)));
        ASSERT_NO_FATAL_FAILURE(AnswerCloseQuestion(settingsFile, IDNO));
        EXPECT_EQ(ReadFileText(settingsFile), garbage);
    }
    {
        SCOPED_TRACE("deleted");
        ASSERT_TRUE(DeleteFileA(settingsFile.c_str()));
        ClickCell(2, 201);
        ASSERT_NO_FATAL_FAILURE(ExpectErrorBox("Cannot open file"));
        EXPECT_EQ(GetFileAttributesA(settingsFile.c_str()), INVALID_FILE_ATTRIBUTES);
        // What was read before serves the Quorlet Tab now.
        ASSERT_NO_FATAL_FAILURE(quorlet.ClickTab(0));
        ExpectNoErrorBox();
        EXPECT_EQ(GetFileAttributesA(settingsFile.c_str()), INVALID_FILE_ATTRIBUTES);
        // Closing writes a new settings document with the window's place, as
        // for a first start, and ends the program.
        Close();
        EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
        const std::string written = ReadFileText(settingsFile);
        EXPECT_NE(written.find("<Item Name=\"X\" Value=\""), std::string::npos) << written;
        EXPECT_NE(written.find("<Buttons/>"), std::string::npos) << written;
    }
}

TEST_F(FileErrorsEndToEndTest, ASettingsFileThatCannotBeWrittenDoesNotKeepTheProgramFromClosing) {
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    ASSERT_TRUE(SetFileAttributesA(settingsFile.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string left = ReadFileText(settingsFile);
    ASSERT_NO_FATAL_FAILURE(AnswerCloseQuestion("Cannot write file", IDNO));
    // Once the file can be written again, closing saves and ends the program.
    ASSERT_TRUE(SetFileAttributesA(settingsFile.c_str(), FILE_ATTRIBUTE_NORMAL));
    SetWindowPos(quorlet.Window(), nullptr, 640, 210, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Close();
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
    EXPECT_NE(ReadFileText(settingsFile), left);

    // Closed anyway: the program ends and the file stays as it was.
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    const std::string kept = ReadFileText(settingsFile);
    ASSERT_TRUE(SetFileAttributesA(settingsFile.c_str(), FILE_ATTRIBUTE_READONLY));
    SetWindowPos(quorlet.Window(), nullptr, 300, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_NO_FATAL_FAILURE(AnswerCloseQuestion("Cannot write file", IDYES));
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
    EXPECT_EQ(ReadFileText(settingsFile), kept);
}

TEST_F(FileErrorsEndToEndTest, NumberOutOfRangeStopsTheStartNamingItsPlace) {
    // A hand edit of a launch count deep in the document.
    std::string text = ReadFileText(settingsFile);
    const size_t button = text.find("<Button ID=\"201\">");
    ASSERT_NE(button, std::string::npos) << text;
    const std::string item = "<Item Name=\"TotolRunTimes\" Value=\"";
    const size_t at = text.find(item, button);
    ASSERT_NE(at, std::string::npos) << text;
    const size_t value = at + item.size();
    text.replace(value, text.find('"', value) - value, "2147483648");
    WriteFileText(settingsFile, text);
    const size_t line = 1 + static_cast<size_t>(std::count(text.begin(), text.begin() + at, '\n'));
    ASSERT_GT(line, 50u);

    ASSERT_NO_FATAL_FAILURE(quorlet.StartWithoutWindow(exe, folder.Path()));
    TMessageBox box;
    ASSERT_TRUE(quorlet.WaitForMessageBox(kLaunchWait, box));
    EXPECT_EQ(box.Caption, "Quorlet");
    EXPECT_EQ(box.Text, "File \"" + settingsFile + "\": XML error at line " + std::to_string(line) +
                            " (element <Item>): Attribute \"Value\": \"2147483648\" is not a valid integer value");
    EXPECT_TRUE(box.HasIcon);
    EXPECT_EQ(SaveWindowPicture(box.Window, ScreenshotPath("quorlet-value-error.bmp")), "");
    HWND window = FindWindowA("TfrmQuorlet", "Quorlet");
    EXPECT_TRUE(window == nullptr || !IsWindowVisible(window));  // the start stopped before the window showed

    ASSERT_TRUE(quorlet.DismissMessageBox(box));
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
    EXPECT_EQ(ReadFileText(settingsFile), text);
}
