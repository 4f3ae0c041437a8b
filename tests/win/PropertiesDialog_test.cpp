// The button properties dialog and the icon chooser in this process, each run
// modally on a thread of its own while the test reads and drives its controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include "ModalOnThread.h"
#include "WinTestSupport.h"
#include "base/AppPaths.h"
#include "dialogs/UBtnProperties.h"
#include "dialogs/UIconForm.h"
#include "fakes/TempFolder.h"
#include "platform/Win32Platform.h"
#include "resources/resource.h"
#include "settings/UBtnSettingXml.h"
#include "win32/WindowText.h"

using namespace quorlet;

namespace {

std::string TreeItemText(HWND tree, HTREEITEM item) {
    if (!item) return "";
    char text[MAX_PATH] = {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    return SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) ? text : "";
}

// The real platform, except that shell opens are recorded.
class TRecordingPlatform : public TWin32Platform {
public:
    TRecordingPlatform() : TWin32Platform(GetModuleHandleA(nullptr)) {}
    bool ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                   const std::string&, int, TShellOwner, TWindowHandle) override {
        Opened.push_back(verb + " " + file + " " + parameters);
        return true;
    }
    std::vector<std::string> Opened;
};

class PropertiesDialogTest : public ::testing::Test {
protected:
    TRecordingPlatform platform;
    TBtnSettingXml record{platform};
    TTempFolder folder;
};

TEST_F(PropertiesDialogTest, AFileButtonOpensFilledAndOkWritesTheRecord) {
    const std::string recorder = WindowsPath(QUORLET_RECORDER_PATH);
    record.BtnStyle = 0;
    record.Command = recorder;
    record.Description = "Recorder";
    record.WindowStyle = 5;  // outside the list
    record.IconFile = recorder;
    TModalOnThread run([&] {
        return TfrmBtnProperties::Execute(GetModuleHandleA(nullptr), nullptr, platform, record, true) ? IDOK : IDCANCEL;
    });
    HWND dialog = run.WaitForWindow("Properties");
    ASSERT_NE(dialog, nullptr);
    HWND page = GetDlgItem(dialog, IDC_BTN_PAGE);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(page, IDC_BTN_COMMAND)), recorder);
    EXPECT_EQ(WindowText(GetDlgItem(page, IDC_BTN_DESCRIPTION)), "Recorder");
    EXPECT_EQ(SendMessageA(GetDlgItem(page, IDC_BTN_WINDOWSTYLE), CB_GETCURSEL, 0, 0), -1);
    EXPECT_NE(SendMessageA(GetDlgItem(page, IDC_BTN_ICON), STM_GETICON, 0, 0), 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    SendMessageA(GetDlgItem(page, IDC_BTN_DESCRIPTION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(run.Result(), IDOK);
    EXPECT_EQ(record.Description, "Renamed");
    EXPECT_EQ(record.WindowStyle, -1);
}

TEST_F(PropertiesDialogTest, LeavingTheFileFieldNamesAnEmptyDescription) {
    const std::string recorder = WindowsPath(QUORLET_RECORDER_PATH);
    std::string work = folder.Path();
    work.pop_back();
    record.BtnStyle = -1;
    TModalOnThread run([&] {
        return TfrmBtnProperties::Execute(GetModuleHandleA(nullptr), nullptr, platform, record, true) ? IDOK : IDCANCEL;
    });
    HWND dialog = run.WaitForWindow("Properties");
    ASSERT_NE(dialog, nullptr);
    HWND page = GetDlgItem(dialog, IDC_BTN_PAGE);
    HWND command = GetDlgItem(page, IDC_BTN_COMMAND), description = GetDlgItem(page, IDC_BTN_DESCRIPTION),
         parameters = GetDlgItem(page, IDC_BTN_PARAMETERS);
    auto setText = [](HWND control, const std::string& text) {
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    };
    // The dialog's own focus move, done on its thread before the send returns.
    auto focusOn = [&](HWND control) {
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus == control;
    };
    // A path typed into "File " and left for another field.
    auto typeAndLeave = [&](const std::string& path) {
        EXPECT_TRUE(focusOn(command));
        setText(command, path);
        EXPECT_TRUE(focusOn(parameters));
    };

    const struct {
        const char* Name;
        std::string Path, Before, After;
    } cases[] = {
        {"missing file", folder.File("missing.exe"), "", ""},
        {"program", recorder, "", ExtractFileName(recorder)},
        {"folder", work, "", ExtractFileName(work)},
        {"typed description", recorder, "Mine", "Mine"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        setText(description, c.Before);
        typeAndLeave(c.Path);
        EXPECT_EQ(WindowText(description), c.After);
    }

    // Enter in "File " is OK without leaving the field: the name is stored too.
    setText(description, "");
    ASSERT_TRUE(focusOn(command));
    setText(command, recorder);
    ASSERT_TRUE(PumpUntil(5000, [&] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }));
    PostMessageA(command, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(run.Result(), IDOK);
    EXPECT_EQ(record.Command, recorder);
    EXPECT_EQ(record.Description, ExtractFileName(recorder));
}

TEST_F(PropertiesDialogTest, LongTargetsAreTakenWholeUpToTheLimitAndRefusedBeyondIt) {
    // A file whose full name has 259 characters, the most the system takes.
    std::string dir = folder.Path() + std::string(120, 'd');
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir.size();
    const std::string longest = dir + "\\" + std::string(259 - dir.size() - 1, 'f');
    ASSERT_EQ(longest.size(), 259u);
    HANDLE file = CreateFileA(longest.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    record.BtnStyle = -1;
    TModalOnThread run([&] {
        return TfrmBtnProperties::Execute(GetModuleHandleA(nullptr), nullptr, platform, record, true) ? IDOK : IDCANCEL;
    });
    HWND dialog = run.WaitForWindow("Properties");
    ASSERT_NE(dialog, nullptr);
    HWND command = GetDlgItem(GetDlgItem(dialog, IDC_BTN_PAGE), IDC_BTN_COMMAND), ok = GetDlgItem(dialog, IDOK);
    const std::string tooLong = longest + std::string(141, 'x');  // 400 characters
    SendMessageA(command, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tooLong.c_str()));
    EXPECT_EQ(WindowText(command).size(), 400u);
    EXPECT_FALSE(IsWindowEnabled(ok));
    SendMessageA(command, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longest.c_str()));
    EXPECT_TRUE(IsWindowEnabled(ok));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(run.Result(), IDOK);
    EXPECT_EQ(record.Command, longest);
    EXPECT_EQ(record.IconFile, longest);
}

TEST_F(PropertiesDialogTest, TheChooserTakesAFileWithoutIconsAsIndexZero) {
    const std::string text = folder.File("notes.txt");
    HANDLE file = CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "not an image", 12, &written, nullptr);
    CloseHandle(file);

    std::string chosen = WindowsPath(QUORLET_RECORDER_PATH);
    int index = 3;
    TModalOnThread run([&] {
        return TfrmIconForm::Execute(GetModuleHandleA(nullptr), nullptr, platform, chosen, index) ? IDOK : IDCANCEL;
    });
    HWND dialog = run.WaitForWindow("Icon");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ICO_INDEX)), "3");
    EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ICO_MAXINDEX)), "3");

    SendMessageA(GetDlgItem(dialog, IDC_ICO_FILE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ICO_MAXINDEX)), "0");
    EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ICO_INDEX)), "0");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_ICO_INDEX)));
    EXPECT_NE(SendMessageA(GetDlgItem(dialog, IDC_ICO_PREVIEW), STM_GETICON, 0, 0), 0);  // the shell's icon
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));

    // A file that is gone: nothing to show and nothing to take.
    SendMessageA(GetDlgItem(dialog, IDC_ICO_FILE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\gone\\x.ico"));
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_ICO_PREVIEW), STM_GETICON, 0, 0), 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));

    SendMessageA(GetDlgItem(dialog, IDC_ICO_FILE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(run.Result(), IDOK);
    EXPECT_EQ(chosen, text);
    EXPECT_EQ(index, 0);  // icon number -1: the shell's icon
}

TEST_F(PropertiesDialogTest, ThePickersFillTheFieldsAndHelpOpensItsTopic) {
    const std::string recorder = WindowsPath(QUORLET_RECORDER_PATH);
    std::string work = folder.Path();
    work.pop_back();
    record.BtnStyle = -1;
    TModalOnThread run([&] {
        return TfrmBtnProperties::Execute(GetModuleHandleA(nullptr), nullptr, platform, record, true) ? IDOK : IDCANCEL;
    });
    HWND dialog = run.WaitForWindow("Properties");
    ASSERT_NE(dialog, nullptr);
    HWND page = GetDlgItem(dialog, IDC_BTN_PAGE);
    HWND description = GetDlgItem(page, IDC_BTN_DESCRIPTION), workDir = GetDlgItem(page, IDC_BTN_WORKDIR);
    SendMessageA(description, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed before"));

    // "Select target file": the system's open dialog, a name typed into it and Enter.
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_BTN_SELECTFILE, BN_CLICKED), 0);
    HWND open = run.WaitForWindow("Open");
    ASSERT_NE(open, nullptr) << "no open-file dialog";
    HWND name = GetDlgItem(open, 0x47C);  // the file name box
    ASSERT_NE(name, nullptr);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(recorder.c_str()));
    PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil(5000, [&] { return WindowText(GetDlgItem(page, IDC_BTN_COMMAND)) == recorder; }))
        << WindowText(GetDlgItem(page, IDC_BTN_COMMAND));
    EXPECT_EQ(WindowText(description), ExtractFileName(recorder));
    std::string recorderFolder = ExtractFilePath(recorder);
    recorderFolder.pop_back();
    EXPECT_EQ(WindowText(workDir), recorderFolder);
    EXPECT_NE(SendMessageA(GetDlgItem(page, IDC_BTN_ICON), STM_GETICON, 0, 0), 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));

    // "Select folder": the shell's folder browser, a folder chosen in it.
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_BTN_SELECTFOLDER, BN_CLICKED), 0);
    HWND browser = nullptr;
    ASSERT_TRUE(PumpUntil(5000, [&] {
        browser = run.WaitForWindow("", 100);
        return browser && browser != dialog && GetDlgItem(browser, IDOK);
    })) << "no folder browser";
    // The browser may still be filling its tree when it is first shown, and
    // then takes no selection: ask until its tree shows the folder chosen.
    HWND tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(PumpUntil(5000, [&] {
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(work.c_str()));
        return TreeItemText(tree, TreeView_GetSelection(tree)) == ExtractFileName(work);
    })) << "the folder browser did not take " << work;
    PostMessageA(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(PumpUntil(5000, [&] { return WindowText(workDir) == work; })) << WindowText(workDir);

    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BTN_HELP, BN_CLICKED), 0);
    EXPECT_TRUE(PumpUntil(5000, [&] { return !platform.Opened.empty(); }));
    ASSERT_EQ(platform.Opened.size(), 1u);
    EXPECT_EQ(platform.Opened[0], "open hh.exe " + HelpFileName + "::/QuickStart.htm#DescriptionofSettings");

    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(run.Result(), IDOK);
    EXPECT_EQ(record.Command, recorder);
    EXPECT_EQ(record.WorkingDir, work);
    EXPECT_EQ(record.IconFile, recorder);
    EXPECT_EQ(record.IconNumber, 0);
}

}  // namespace
