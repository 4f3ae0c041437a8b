// The icons a page's cells let go of: a picture a cell replaces is destroyed
// after the change has been handled (once the page could paint it), not while
// the change is being made, and not never.
#include <gtest/gtest.h>

#include <windows.h>

#include "WinTestSupport.h"
#include "app/TSheetWindow.h"
#include "platform/Win32Platform.h"

namespace quorlet {
namespace {

class TQuietEvents : public ISheetEvents, public ICellEvents {
public:
    void SheetMouseMove() override {}
    void TabSheetMainContextPopup() override {}
    void CellMouseDown(TCell&, TShiftFlag, TShiftState) override {}
    void CellMouseUp(TCell&, TShiftFlag, TShiftState) override {}
    void CellClick(TCell&) override {}
    void CellHintShown(TCell&) override {}
    void CellLeft(TCell&) override {}
    void CellContextPopup(TCell&, POINT) override {}
    bool SheetKeyDown(TSheetWindow&, UINT, TShiftState) override { return false; }
    void SheetKeyUp(TSheetWindow&, UINT) override {}
    bool SheetChar(TSheetWindow&, char) override { return false; }
    void CellFocused(TCell&) override {}
    void CellEnter(TCell&, TShiftState) override {}
    void CellDeleteKey(TCell&) override {}
};

bool IconAlive(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

TEST(SheetWindowTest, APictureACellReplacesIsDestroyedAfterTheChangeNotDuringIt) {
    TWin32Platform platform(GetModuleHandleA(nullptr));
    TQuietEvents events;
    const TDpiScale scale;
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    {
        TSheetWindow sheet(events, events, scale, 1);
        ASSERT_TRUE(sheet.Create(GetModuleHandleA(nullptr), parent, RECT{0, 0, 200, 100}));
        ShowWindow(sheet.Handle(), SW_SHOWNA);
        TCell& cell = sheet.AddCell(TCellKind::Grid, 0, 101, 0, 0);
        HICON old = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
        ASSERT_NE(old, nullptr);
        cell.SetPicture(TOwnedIcon(platform, old));
        ASSERT_TRUE(PumpUntil(5000, [&] { return !GetUpdateRect(sheet.Handle(), nullptr, FALSE); }));

        // No such file: the worker makes no icon that could take the old one's handle.
        TIconLoader loader(platform);
        cell.LoadPicture(loader, {"Z:\\no such folder\\none.ico", 0});
        EXPECT_TRUE(IconAlive(old)) << "destroyed while the cells were being changed";
        EXPECT_TRUE(PumpUntil(5000, [&] { return !IconAlive(old); })) << "never destroyed";
    }
    DestroyWindow(parent);
}

}  // namespace
}  // namespace quorlet
