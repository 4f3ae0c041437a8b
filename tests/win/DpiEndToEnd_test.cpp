// End-to-end: the real Quorlet.exe started while Wine's screen density is 144
// DPI (the value a new process reads from the registry at its start) beside
// one started at 96: the window is half as large again, and a cell's icon is
// the file's own 48-pixel picture, not its 32-pixel one stretched.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "QuorletProcess.h"
#include "IconPixels.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "fakes/TempFolder.h"
#include "settings/UAppSettingXml.h"

using namespace quorlet;

namespace {

// Sets the density new processes start with, and puts the old value back.
class TScreenDensity {
public:
    explicit TScreenDensity(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &FKey, nullptr);
        DWORD size = sizeof FOld;
        FHadOld = RegQueryValueExA(FKey, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&FOld), &size) ==
                  ERROR_SUCCESS;
        FSet = RegSetValueExA(FKey, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
               ERROR_SUCCESS;
    }
    ~TScreenDensity() {
        if (FHadOld)
            RegSetValueExA(FKey, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&FOld), sizeof FOld);
        else
            RegDeleteValueA(FKey, "LogPixels");
        RegCloseKey(FKey);
    }
    bool Set() const { return FSet; }

private:
    HKEY FKey = nullptr;
    DWORD FOld = 0;
    bool FHadOld = false, FSet = false;
};

class DpiEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.File("Quorlet.exe");
        icon = WindowsPath(QUORLET_MULTI_IMAGE_ICO);
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.AutoCheckUpdate = false;
        settings.LastPanelIndex = 1;
        settings.X = 100;
        settings.Y = 100;
        settings.SaveSettings();
        TBtnSettingXml buttons(scope.Platform());
        // Its icon file holds one icon with pictures of 16, 24, 32 and 48 pixels.
        StoreButton(buttons, {101, icon, "", "", "Pictures", "", icon, 1, SW_SHOWNORMAL, 0});
    }

    TTempFolder folder;
    std::string exe, icon;
};

TEST_F(DpiEndToEndTest, At144DpiTheWindowIsHalfAsLargeAgainWithSharpIcons) {
    // The page under the tabs and the status bar are the program's layout;
    // the strip of tabs is as high as the system's control makes it.
    const auto height = [](HWND window) {
        RECT r = {};
        GetWindowRect(window, &r);
        return static_cast<int>(r.bottom - r.top);
    };
    RECT client96 = {}, cell96 = {};
    int page96 = 0, status96 = 0;
    {
        TQuorletUnderTest quorlet;
        ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
        GetClientRect(quorlet.Window(), &client96);
        ASSERT_TRUE(CellRect(quorlet.Cell(1, 101), cell96));
        page96 = height(quorlet.Sheet(1));
        status96 = height(GetDlgItem(quorlet.Window(), IdStatusBar));
    }
    EXPECT_EQ(client96.right, 348);
    EXPECT_EQ(cell96.right - cell96.left, 34);

    TQuorletUnderTest quorlet;
    {
        TScreenDensity density(144);
        ASSERT_TRUE(density.Set());
        ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
    }
    RECT client = {}, cell = {};
    GetClientRect(quorlet.Window(), &client);
    ASSERT_TRUE(CellRect(quorlet.Cell(1, 101), cell));
    EXPECT_EQ(client.right, client96.right * 3 / 2);
    EXPECT_EQ(height(quorlet.Sheet(1)), page96 * 3 / 2);
    EXPECT_EQ(height(GetDlgItem(quorlet.Window(), IdStatusBar)), status96 * 3 / 2);
    EXPECT_GT(client.bottom, client96.bottom * 4 / 3);  // the tabs' text grows too
    EXPECT_EQ(cell.right - cell.left, 51);
    ASSERT_NO_FATAL_FAILURE(quorlet.SavePicture("quorlet-144dpi.bmp"));

    // The icon stands in the middle of its cell, at 48 pixels.
    TWindowPicture picture;
    ASSERT_TRUE(CaptureWindowPicture(quorlet.Window(), picture));
    RECT screenCell, window;
    ASSERT_TRUE(CellScreenRect(quorlet.Cell(1, 101), screenCell));
    GetWindowRect(quorlet.Window(), &window);
    const int left = screenCell.left - window.left + 1, top = screenCell.top - window.top + 1;

    HICON sharp = static_cast<HICON>(LoadImageA(nullptr, icon.c_str(), IMAGE_ICON, 48, 48, LR_LOADFROMFILE));
    HICON small = static_cast<HICON>(LoadImageA(nullptr, icon.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
    ASSERT_TRUE(sharp && small);
    const int asSharp = DifferentPixels(picture, left, top, 48, DrawnIcon(sharp, 48));
    // What a stretched 32-pixel picture would look like: far from the cell.
    const int asStretched = DifferentPixels(picture, left, top, 48, DrawnIcon(small, 48));
    DestroyIcon(sharp);
    DestroyIcon(small);
    EXPECT_LE(asSharp, 48 * 48 / 50) << "the cell does not show the 48-pixel picture";
    EXPECT_GT(asStretched, 48 * 48 / 10) << "the comparison cannot tell a stretched picture";

    // The Quorlet Tab's rows, separator and command icons grow alike.
    ASSERT_NO_FATAL_FAILURE(quorlet.ClickTab(0));
    RECT options;
    ASSERT_TRUE(CellRect(quorlet.Cell(0, IdImageOptions), options));
    EXPECT_EQ(options.right - options.left, 51);
    ASSERT_NO_FATAL_FAILURE(quorlet.SavePicture("quorlet-tab-144dpi.bmp"));
}

}  // namespace
