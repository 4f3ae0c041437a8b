// The button properties dialog and the icon chooser in this process, each run
// modally on a thread of its own while the test reads and drives its controls.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "ModalOnThread.h"
#include "WinTestSupport.h"
#include "dialogs/UBtnProperties.h"
#include "dialogs/UIconForm.h"
#include "fakes/TempFolder.h"
#include "platform/Win32Platform.h"
#include "resources/resource.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

std::string Text(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class PropertiesDialogTest : public ::testing::Test {
protected:
    TWin32Platform platform{GetModuleHandleA(nullptr)};
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
        return TfrmBtnProperties::Execute(GetModuleHandleA(nullptr), nullptr, platform, record) ? IDOK : IDCANCEL;
    });
    HWND dialog = run.WaitForWindow("Properties");
    ASSERT_NE(dialog, nullptr);
    HWND page = GetDlgItem(dialog, IDC_BTN_PAGE);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Text(GetDlgItem(page, IDC_BTN_COMMAND)), recorder);
    EXPECT_EQ(Text(GetDlgItem(page, IDC_BTN_DESCRIPTION)), "Recorder");
    EXPECT_EQ(SendMessageA(GetDlgItem(page, IDC_BTN_WINDOWSTYLE), CB_GETCURSEL, 0, 0), -1);
    EXPECT_NE(SendMessageA(GetDlgItem(page, IDC_BTN_ICON), STM_GETICON, 0, 0), 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    SendMessageA(GetDlgItem(page, IDC_BTN_DESCRIPTION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(run.Result(), IDOK);
    EXPECT_EQ(record.Description, "Renamed");
    EXPECT_EQ(record.WindowStyle, -1);
}

}  // namespace
