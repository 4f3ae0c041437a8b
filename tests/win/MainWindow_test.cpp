// The main window created in this process and driven by real messages.
#include <gtest/gtest.h>

#include "CellProbe.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "base/AppPaths.h"
#include "app/TApplicationWindow.h"
#include "app/UMain.h"
#include "fakes/TempFolder.h"
#include "platform/Win32Platform.h"
#include "base/FileIo.h"
#include "settings/UAppSettingXml.h"
#include "settings/UConfigXml.h"

using namespace quorlet;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPlatform(&platform);
        InitAppPaths(folder.File("Quorlet.exe"));
        SetAppConfig(&config);
        ResetAppSettingXml();
        ASSERT_TRUE(application.Create(GetModuleHandleA(nullptr)));
    }
    void TearDown() override {
        ResetAppSettingXml();
        SetAppConfig(nullptr);
        SetPlatform(nullptr);
    }
    TTempFolder folder;
    TWin32Platform platform{GetModuleHandleA(nullptr)};
    TAppConfig config{platform};
    TApplicationWindow application;
};

}  // namespace

TEST_F(MainWindowTest, CreationResolvesTheSettingsDocumentAndShapesTheWindow) {
    TfrmQuorlet form;
    ASSERT_TRUE(form.Create(GetModuleHandleA(nullptr), application.Handle())) << form.ErrorText();
    HWND hwnd = form.Handle();

    EXPECT_EQ(SettingFileName, folder.File("QL_" + config.UserName + ".xml"));
    EXPECT_TRUE(FileExistsOnDisk(ConfigFileName));

    char text[64] = {};
    GetClassNameA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, "TfrmQuorlet");
    GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, "Quorlet");

    LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    HWND owner = GetWindow(hwnd, GW_OWNER);
    EXPECT_EQ(owner, application.Handle());
    EXPECT_EQ(GetWindowLongPtrA(owner, GWL_EXSTYLE), WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_NE(GetClassLongPtrA(hwnd, GCLP_HICON), 0u);
    EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0), 0);

    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right - client.left, 348);

    // The status bar is 18 pixels high at the bottom; the tab strip with its
    // page fills the rest, room for two rows of 34-pixel cells.
    RECT status, strip;
    GetWindowRect(GetDlgItem(hwnd, IdStatusBar), &status);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&status), 2);
    EXPECT_EQ(status.bottom - status.top, 18);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.right - status.left, 348);
    GetWindowRect(GetDlgItem(hwnd, IdMorePageControl), &strip);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&strip), 2);
    EXPECT_EQ(strip.top, 0);
    EXPECT_EQ(strip.bottom, status.top);
    RECT cell;
    const TCellRef lowerLeft = {GetDlgItem(hwnd, IdFirstSheet + 1), 111};
    ASSERT_TRUE(CellRect(lowerLeft, cell));
    EXPECT_EQ(cell.right - cell.left, 34);
    EXPECT_EQ(cell.bottom - cell.top, 34);
    MapWindowPoints(lowerLeft.Sheet, hwnd, reinterpret_cast<POINT*>(&cell), 2);
    EXPECT_GT(cell.top, strip.top);
    EXPECT_LE(cell.bottom, status.top);  // the lower row is not covered
}

TEST_F(MainWindowTest, AnswersTheSecondStartsMessageAndClosesTheLoop) {
    TfrmQuorlet form;
    ASSERT_TRUE(form.Create(GetModuleHandleA(nullptr), application.Handle())) << form.ErrorText();
    form.Show();
    // A second start's notice leaves the window as it is: shown stays shown,
    // minimised stays minimised.
    EXPECT_EQ(SendMessageA(form.Handle(), WM_QUORLET_RUNNING, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(IsIconic(form.Handle()));
    ShowWindow(form.Handle(), SW_MINIMIZE);
    EXPECT_EQ(SendMessageA(form.Handle(), WM_QUORLET_RUNNING, 0, 0), 0);
    PumpUntil(500, [] { return false; });
    EXPECT_TRUE(IsIconic(form.Handle()));

    PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    HWND hwnd = form.Handle();
    ASSERT_TRUE(PumpUntil(5000, [&] { return !IsWindow(hwnd); }));
    EXPECT_EQ(form.Handle(), nullptr);
}

TEST_F(MainWindowTest, DamagedIndexFailsCreationWithTheLayersMessage) {
    HANDLE h = CreateFileA(ConfigFileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, "<Config><UserConfig>", 20, &written, nullptr);
    CloseHandle(h);
    TfrmQuorlet form;
    EXPECT_FALSE(form.Create(GetModuleHandleA(nullptr), application.Handle()));
    EXPECT_FALSE(form.ErrorText().empty());
    EXPECT_EQ(ReadFileText(ConfigFileName), "<Config><UserConfig>");
}
