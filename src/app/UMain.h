#pragma once
// The main window: the launcher's one window and the life of the program.
// Its parts live in several files: UMain.cpp (window and messages),
// UMainLifecycle.cpp (creation, showing, closing), UMainPages.cpp (tab sheets
// and the button grid), UMainQuorletTab.cpp (recent and most-used buttons,
// command icons), UMainLaunch.cpp (clicks and launching), UMainStatus.cpp
// (hint line, keys, edge snapping).

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "app/ButtonGrid.h"
#include "app/ClickModes.h"
#include "app/TCellWindow.h"
#include "app/TIconPrefetcher.h"
#include "app/TSheetWindow.h"
#include "app/TopButtons.h"
#include "platform/TWindowBase.h"
#include "shell/OwnedIcon.h"

namespace quorlet {

// Sent by a second start to the running instance; both parameters 0.
const UINT WM_QUORLET_RUNNING = 3080;

class TfrmQuorlet : public TWindowBase, private ICellEvents, private ISheetEvents {
public:
    static const char* const ClassName;
    static const int ClientWidth = kClientWidth;

    TfrmQuorlet() = default;
    ~TfrmQuorlet() override;

    // Creates the window (running FormCreate) owned by the application window.
    // On failure returns false and ErrorText() says why.
    bool Create(HINSTANCE instance, HWND applicationWindow);
    // First showing of the window.
    void Show();
    const std::string& ErrorText() const { return FErrorText; }

    // State of the window.
    int CellIconSize = 0;
    bool SwapPending = false;
    bool CopyPending = false;
    TCellWindow* SwapSource = nullptr;
    TCellWindow* CopySource = nullptr;
    TCellWindow* PressedCell = nullptr;
    TCellWindow* PressedImage = nullptr;
    int32_t PressedButtonId = 0;
    TShiftState ClickShift = 0;
    TShiftState KeyShift = 0;
    bool HiddenInTray = false;
    bool AppActive = false;
    bool UpdateChecked = false;
    std::vector<std::string> ButtonIdList, RunCountList, SortedCountList;
    TTopButtons TopButtons;
    int SavedPageIndex = 0;
    // Notices received from second starts.
    int RunningNoticeCount = 0;

    // Pages of MorePageControl: 0 the Quorlet Tab, then one per group.
    int PageCount() const { return static_cast<int>(FPages.size()); }
    int ActivePageIndex() const { return FActivePage; }
    TCellWindow* FindCell(int sheet, int32_t id);
    // The text of status panel 0 or 1.
    std::string StatusText(int panel) const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct TPage {
        std::unique_ptr<TSheetWindow> Sheet;
        std::vector<std::unique_ptr<TCellWindow>> Cells;
        // A button tab sheet's grid is made when the page is first shown or
        // its cells are first needed, which keeps the start short.
        bool GridBuilt = false;
        HCURSOR CellCursor = nullptr;
    };

    // UMainLifecycle.cpp
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose();
    // The page the window opens on (-1 for none): LastPanelIndex, or page 1
    // when that page does not exist or has no tab; the Quorlet Tab when it is
    // to be shown first.
    int StartPage(bool afterShow) const;
    // ShowAppPanel and ActiveAppPanel: the Quorlet Tab is shown first.
    bool QuorletTabFirst() const;
    void SelectStartPage();
    void PrefetchStartPageIcons();
    void MoveToStoredPosition(int left, int top);
    void ApplicationActive();
    void ApplicationDeActive();
    void WMQuorletRunning();

    // UMainPages.cpp
    void CreatePageControl();
    void BuildTabSheets();
    void AddPage(const std::string& caption);
    TSheetWindow& EnsureSheet(int k);
    void InsertTab(int tab, std::string caption);
    // The cells of page k: the Quorlet Tab's or the button grid.
    void EnsurePageContent(int k);
    void BuildButtonGrid(TPage& page, int k);
    void EnsureButtonGrid(int k);
    void CollectRankingInputs(int k);
    TButtonBrief LoadButtonImage(TCellWindow& image, bool reload);
    void ReloadCell(TCellWindow& cell);
    void SetCellCursors(int sheet, HCURSOR cursor);
    void LayoutWindow();
    void ApplyTabStyle(int tabStyle);
    void ShowQuorletTab(bool shown);
    int PageOfTab(int tab) const;
    int TabOfPage(int page) const;
    // A page change made by the program: no sound, LastPanelIndex kept.
    void SetActivePage(int page);
    void ShowActiveSheet();
    void MorePageControlChange();
    void MorePageControlMouseMove(TShiftState shift, int x, int y);
    void TabSheetMainContextPopup() override;
    void SheetMouseMove() override;
    static LRESULT CALLBACK PageControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR data);

    // UMainQuorletTab.cpp
    void EnsureQuorletTab();
    void BuildQuorletTab(TPage& page);
    TCellWindow* AddQuorletCell(TPage& page, TCellKind kind, int slot, int controlId, int left, int top);
    void BindCommandIcon(TCellWindow* image, int iconId, const char* hint);
    void ShowRecentButtons();
    void ForgetRecentButton(int32_t id);
    void SwapRecentButtons(int32_t a, int32_t b);
    void RankTopButtons();
    void UpdateTopCount(int32_t id, int32_t count);
    void PromoteTopButton(int32_t id, int32_t count);
    void RemoveTopButton(int32_t id);
    void SwapTopButtons(int32_t a, int32_t b);
    void ShowTopSlot(int32_t id, int slot);
    void ShowTopSlots(const TSlotList& slots);
    void ShowAlarmIcon(bool alarmOn);
    void CommandIconClick(TCellWindow& image);
    void ActionMenu_AppOptionsExecute();
    void ActionMenu_ReportExecute();
    void ActionMenu_AlarmConfigExecute();
    void ActionMenu_BackupConfigExecute();
    void ActionMenu_ResotreConfigExecute();

    // UMainLaunch.cpp
    void ImageMouseDown(TCellWindow& image, TShiftFlag button, TShiftState shift);
    void ImageMouseUp(TCellWindow& image, TShiftFlag button, TShiftState shift);
    void ImageClick(TCellWindow& image);
    void Image_LastClick(TCellWindow& image);
    void ActionBtn_PropertiesExecute();
    void ActionBtn_ExplorerButtonPathExecute();
    bool ShowBtnPropertiesForNewButton();
    // Launches the current record and shows its counts in the second panel.
    bool LaunchAndShowCounts(int32_t id);
    void HideAfterLaunch(bool launched, bool keepVisible);
    void MinimizeApplication();
    void CellMouseDown(TCellWindow& cell, TShiftFlag button, TShiftState shift) override;
    void CellMouseUp(TCellWindow& cell, TShiftFlag button, TShiftState shift) override;
    void CellClick(TCellWindow& cell) override;

    // UMainStatus.cpp
    void CreateStatusBar();
    void SetStatusPanel(int panel, const std::string& text);
    void SetApplicationHint(const std::string& hint);
    void CellHintShown(TCellWindow& cell) override;
    void CellLeft(TCellWindow& cell) override;
    void ShowHintInStatus();
    void FormKeyDown();
    void FormKeyUp();
    void WMMove();

    HINSTANCE FInstance = nullptr;
    std::string FErrorText;
    HWND FPageControl = nullptr;
    HWND FStatusBar = nullptr;
    // While FormCreate runs the document was just read: images need no reload.
    bool FCreating = false;
    bool FQuorletTabBuilt = false;
    RECT FSheetBounds = {0, 0, kClientWidth, 2 * kCellSize};
    std::vector<TPage> FPages;
    int FActivePage = -1;
    bool FQuorletTabShown = true;
    std::string FApplicationHint;
    // The cell whose hint the hint line shows; a late "left" from another
    // cell must not clear it.
    TCellWindow* FHintCell = nullptr;
    TOwnedIcon ImageMissedIcon;
    TIconPrefetcher FIconPrefetcher;
    TCellWindow* FImageLast[kQuorletSlotCount] = {};
    TCellWindow* FImageTop[kQuorletSlotCount] = {};
    TCellWindow* Image_Options = nullptr;
    TCellWindow* Image_Report = nullptr;
    TCellWindow* Image_AlarmConfig = nullptr;         // in Panel18
    TCellWindow* Image_AlarmConfigEnabled = nullptr;  // in Panel19
    TCellWindow* Image_Backup = nullptr;
    TCellWindow* Image_Restore = nullptr;
};

}  // namespace quorlet
