// The launcher window in this process with its drop targets called the way
// OLE calls them during a drag: which drops a target takes, the hint line
// over cells, and the pages following a drag over the tab strip with Ctrl held.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <memory>

#include "CellProbe.h"
#include "FileListData.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "app/TApplicationWindow.h"
#include "app/UMain.h"
#include "base/AppPaths.h"
#include "fakes/TempFolder.h"
#include "platform/Win32Platform.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "settings/UConfigXml.h"

using namespace quorlet;

namespace {

class DropTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPlatform(&platform);
        InitAppPaths(folder.File("Quorlet.exe"));
        SetAppConfig(&config);
        ResetAppSettingXml();
        ResetBtnSettingXml();
        ASSERT_TRUE(application.Create(GetModuleHandleA(nullptr)));
        platform.SetOwnerWindow(application.Handle());
        // A first start's document: the Quorlet Tab shown, two button tab sheets, page 1 first.
        SettingFileName = config.LoadUserConfig();
        AppSettingXml().LoadSettings();
        AppSettingXml().SaveSettings();
        ResetAppSettingXml();
        form.reset(new TfrmQuorlet);
        ASSERT_TRUE(form->Create(GetModuleHandleA(nullptr), application.Handle())) << form->ErrorText();
        form->Show();
        tabs = GetDlgItem(form->Handle(), IdMorePageControl);
        ASSERT_TRUE(PumpUntil(5000, [&] { return Target(tabs) && Target(Sheet(1)); })) << "no drop targets";
    }
    void TearDown() override {
        form.reset();
        ResetBtnSettingXml();
        ResetAppSettingXml();
        SetAppConfig(nullptr);
        SetPlatform(nullptr);
    }

    // The target OLE finds for a window of this process.
    static IDropTarget* Target(HWND window) {
        return static_cast<IDropTarget*>(GetPropA(window, "OleDropTargetInterface"));
    }
    HWND Sheet(int page) const { return GetDlgItem(form->Handle(), IdFirstSheet + page); }
    POINTL TabPoint(int tab) const {
        RECT r = {};
        SendMessageA(tabs, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r));
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(tabs, &p);
        return POINTL{p.x, p.y};
    }
    POINTL CellPoint(int page, int id) const {
        const POINT p = CellScreenCenter(TCellRef{Sheet(page), id});
        return POINTL{p.x, p.y};
    }

    TTempFolder folder;
    TWin32Platform platform{GetModuleHandleA(nullptr)};
    TAppConfig config{platform};
    TApplicationWindow application;
    std::unique_ptr<TfrmQuorlet> form;
    HWND tabs = nullptr;
};

}  // namespace

TEST_F(DropTargetTest, CellsTakeFilesAsCopiesOrLinksAndNothingElse) {
    TFileList files(folder.File("Quorlet.exe"));
    TFileList text(folder.File("Quorlet.exe"));
    text.OffersFiles = false;
    IDropTarget* sheet = Target(Sheet(1));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(Target(Sheet(0)), nullptr);  // the Quorlet Tab takes no drops
    struct Case {
        const char* Name;
        IDropTarget* Target;
        TFileList* Data;
        POINTL Point;
        DWORD Allowed, Expected;
    } cases[] = {
        {"files on a cell", sheet, &files, CellPoint(1, 105), DROPEFFECT_COPY | DROPEFFECT_LINK | DROPEFFECT_MOVE,
         DROPEFFECT_COPY},
        {"linked only", sheet, &files, CellPoint(1, 105), DROPEFFECT_LINK, DROPEFFECT_LINK},
        {"moved only", sheet, &files, CellPoint(1, 105), DROPEFFECT_MOVE, DROPEFFECT_NONE},
        {"something else than files", sheet, &text, CellPoint(1, 105), DROPEFFECT_COPY, DROPEFFECT_NONE},
        {"on the tab strip", Target(tabs), &files, TabPoint(1), DROPEFFECT_COPY, DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        DWORD effect = c.Allowed;
        ASSERT_EQ(c.Target->DragEnter(c.Data, MK_LBUTTON, c.Point, &effect), S_OK);
        EXPECT_EQ(effect, c.Expected);
        effect = c.Allowed;
        ASSERT_EQ(c.Target->DragOver(MK_LBUTTON, c.Point, &effect), S_OK);
        EXPECT_EQ(effect, c.Expected);
        EXPECT_EQ(c.Target->DragLeave(), S_OK);
    }
    // Entering a cell puts its identifier in the hint line (it has no hint).
    DWORD effect = DROPEFFECT_COPY;
    ASSERT_EQ(sheet->DragEnter(&files, MK_LBUTTON, CellPoint(1, 107), &effect), S_OK);
    EXPECT_EQ(form->StatusText(0), "107");
    effect = DROPEFFECT_COPY;
    ASSERT_EQ(sheet->DragOver(MK_LBUTTON, CellPoint(1, 112), &effect), S_OK);  // onto another cell
    EXPECT_EQ(form->StatusText(0), "112");
    sheet->DragLeave();
}

TEST_F(DropTargetTest, CtrlDragOverATabShowsItsPage) {
    TFileList files(folder.File("Quorlet.exe"));
    IDropTarget* strip = Target(tabs);
    ASSERT_NE(strip, nullptr);
    ASSERT_EQ(form->ActivePageIndex(), 1);
    DWORD effect = DROPEFFECT_COPY;
    ASSERT_EQ(strip->DragEnter(&files, MK_LBUTTON, TabPoint(1), &effect), S_OK);
    // The window keeps the keyboard given to it (the cells take it only once
    // a key asks for them).
    SetForegroundWindow(form->Handle());
    SetFocus(form->Handle());
    ASSERT_EQ(GetFocus(), form->Handle());
    struct Step {
        const char* Name;
        DWORD Keys;
        int Tab;
        int ExpectedPage;
    } steps[] = {
        {"no Ctrl: the page stays", MK_LBUTTON, 2, 1},
        {"Ctrl over the second sheet's tab", MK_LBUTTON | MK_CONTROL, 2, 2},
        {"Ctrl over the Quorlet Tab's tab: never page 0", MK_LBUTTON | MK_CONTROL, 0, 2},
        {"Ctrl over the first sheet's tab", MK_LBUTTON | MK_CONTROL, 1, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.Name);
        effect = DROPEFFECT_COPY;
        ASSERT_EQ(strip->DragOver(s.Keys, TabPoint(s.Tab), &effect), S_OK);
        EXPECT_EQ(form->ActivePageIndex(), s.ExpectedPage);
    }
    // With the keyboard on the cells of the shown page, the window's own,
    // the tabs follow too.
    SetFocus(Sheet(1));
    effect = DROPEFFECT_COPY;
    ASSERT_EQ(strip->DragOver(MK_LBUTTON | MK_CONTROL, TabPoint(2), &effect), S_OK);
    EXPECT_EQ(form->ActivePageIndex(), 2);
    effect = DROPEFFECT_COPY;
    ASSERT_EQ(strip->DragOver(MK_LBUTTON | MK_CONTROL, TabPoint(1), &effect), S_OK);
    EXPECT_EQ(form->ActivePageIndex(), 1);
    // With a control holding the focus the tabs do not follow.
    SetFocus(tabs);
    effect = DROPEFFECT_COPY;
    ASSERT_EQ(strip->DragOver(MK_LBUTTON | MK_CONTROL, TabPoint(2), &effect), S_OK);
    EXPECT_EQ(form->ActivePageIndex(), 1);
    strip->DragLeave();
}

TEST_F(DropTargetTest, TargetsAreRevokedWhenTheWindowGoes) {
    // Held past the window's end: OLE lets go of each target once it is
    // revoked, and a target that is left answers every drag with nothing.
    TFileList files(folder.File("Quorlet.exe"));
    const POINTL cell = CellPoint(1, 105);
    auto expectLetGo = [&](IDropTarget* target) {
        DWORD effect = DROPEFFECT_COPY;
        EXPECT_EQ(target->DragEnter(&files, MK_LBUTTON, cell, &effect), S_OK);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
        EXPECT_EQ(target->Release(), 0u) << "OLE still holds the target";
    };
    IDropTarget* targets[] = {Target(form->Handle()), Target(tabs), Target(Sheet(1))};
    for (IDropTarget* target : targets) {
        ASSERT_NE(target, nullptr);
        target->AddRef();
    }
    // A page body goes alone, as with a tab sheet removed.
    DestroyWindow(Sheet(1));
    expectLetGo(targets[2]);
    form.reset();
    expectLetGo(targets[0]);
    expectLetGo(targets[1]);
}
