#pragma once
// The main window: the launcher's one window and the life of the program. It
// holds the state its parts share and wires their events to the commands;
// the parts are components of their own: the tab strip with its pages and
// cells (TPageControl), the Quorlet Tab (TQuorletTab), the status bar
// (TStatusLine), the button images (TButtonImages), the find page (TFindPage)
// and the command table.
// UMain.cpp: window, messages and events; UMainLifecycle.cpp: creation,
// showing, closing; UMainLaunch.cpp: clicks and launching; UMainQuorletTab.cpp:
// the recent and most-used rows; UMainAlarm.cpp: the alarm clock;
// UMainCommands.cpp: the command table; UMainOptions.cpp: the options
// dialog's follow-up; UMainUpdate.cpp: the update check; UMainKeyboard.cpp:
// the keyboard over the tab strip and the cells; UMainFind.cpp: type-to-find.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "app/TButtonImages.h"
#include "app/TCell.h"
#include "app/TDriveMenu.h"
#include "app/TDropTarget.h"
#include "app/TFindPage.h"
#include "app/THotKeyWindow.h"
#include "app/TIconLoader.h"
#include "app/TPageControl.h"
#include "app/TQuorletTab.h"
#include "app/TStartMenuReader.h"
#include "app/TStatusLine.h"
#include "app/TSystemMenuMirror.h"
#include "app/TTrayIcon.h"
#include "app/TUpdateChecker.h"
#include "alarm/AlarmClock.h"
#include "dialogs/UOpations.h"
#include "base/Platform.h"
#include "launcher/ButtonEditing.h"
#include "launcher/ButtonGrid.h"
#include "launcher/ClickModes.h"
#include "launcher/Commands.h"
#include "launcher/EdgeSnap.h"
#include "launcher/FindModel.h"
#include "launcher/TopButtons.h"
#include "launcher/DpiScale.h"
#include "win32/ProgramMessages.h"
#include "win32/TWindowBase.h"
#include "win32/WinHandles.h"

namespace quorlet {

class TfrmQuorlet : public TWindowBase, private ICellEvents, private IPageControlEvents, private IAlarmHost,
                    private IDropTargetEvents, private ITrayIconEvents, private IOptionsHost {
public:
    static const char* const ClassName;
    // At 96 DPI; the window grows with its monitor's density.
    static const int ClientWidth = kClientWidth;
    // The alarm's tick, twice a second while the alarm is armed.
    static const UINT_PTR TimerAlarm = 1;

    // Uses the process-wide platform and stores.
    TfrmQuorlet();
    ~TfrmQuorlet() override;

    // Creates the window (running FormCreate) owned by the application window.
    // On failure returns false and ErrorText() says why.
    bool Create(HINSTANCE instance, HWND applicationWindow);
    // First showing of the window.
    void Show();
    const std::string& ErrorText() const { return FErrorText; }

    // State shared by the window's parts.
    bool SwapPending = false;
    bool CopyPending = false;
    int32_t PressedButtonId = 0;
    TShiftState ClickShift = 0;
    TShiftState KeyShift = 0;
    bool HiddenInTray = false;
    bool AppActive = false;
    bool UpdateChecked = false;
    std::vector<std::string> ButtonIdList, RunCountList, SortedCountList;
    TTopButtons TopButtons;
    int SavedPageIndex = 0;
    // The global hot key's registration (0: none) and its combination.
    int HotKeyId = 0;
    uint32_t HotKeyCode = 0;
    // The system menu's mirror of "Show Quorlet Tab".
    TCommandId ShowTabMenuItem = TCommandId::ActionMenu_ShowSysPanel;

    // Pages of MorePageControl: 0 the Quorlet Tab, then one per group.
    int PageCount() const { return FPageControl.PageCount(); }
    int ActivePageIndex() const { return FPageControl.ActivePage(); }
    TCell* FindCell(int sheet, int32_t id) { return FPageControl.FindCell(sheet, id); }
    // The text of status panel 0 or 1.
    std::string StatusText(int panel) const { return FStatusLine.PanelText(panel); }
    HWND TrayWindow() const { return FTrayIcon.Handle(); }
    // Runs a command of the table, as its menu entry would.
    bool RunCommand(TCommandId id) { return FCommands.Execute(id); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // UMainLifecycle.cpp
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose();
    // WM_CLOSE: saves and destroys the window. When the settings cannot be
    // saved, the user is told why and decides whether to close all the same.
    void CloseQuery();
    bool ProgramClosing() const override { return FClosing; }
    void BuildTabSheets();
    // ReloadCell: the cell shows what its record holds on disk now.
    void ReloadCell(TCell& cell) { FButtonImages.LoadButtonImage(cell, true); }
    void CollectRankingInputs(int k);
    void LayoutWindow();
    // The monitor's density changed (WM_DPICHANGED): fonts, cells, icons and
    // the window's size follow, and it moves to the place the system suggests.
    void FormDpiChanged(int dpi, const RECT& suggested);
    // Fonts, cells and icons at FScale's density.
    void ApplyScale();
    // One of the program's icons at the size of a cell's image.
    TOwnedIcon LoadCellIcon(int resourceId) const;
    // The page the window opens on (-1 for none): LastPanelIndex, or page 1
    // when that page does not exist or has no tab; the Quorlet Tab when it is
    // to be shown first.
    int StartPage(bool afterShow) const;
    // ShowAppPanel and ActiveAppPanel: the Quorlet Tab is shown first.
    bool QuorletTabFirst() const;
    void SelectStartPage();
    void MoveToStoredPosition(int left, int top);
    // The window's position as it stands when shown normally, also while it
    // is minimised.
    POINT RestoredPosition() const;
    void ApplicationActive();
    void ApplicationDeActive();
    void WMQuorletRunning();
    void WMMove();
    // The monitor whose edges a window at this place snaps to.
    TMonitorArea SnapMonitor(const RECT& window) const;

    // UMain.cpp: events of the parts
    void MorePageControlChange() override;
    void QuorletTabNeeded(TSheetWindow& sheet) override;
    void ButtonGridNeeded() override;
    void PointerOverBackground() override;
    // UMainKeyboard.cpp: the keyboard over the tab strip and the pages
    bool TabStripKeyDown(UINT key, TShiftState shift) override;
    void TabStripKeyUp() override;
    bool TabStripChar(char c) override;
    bool SheetKeyDown(TSheetWindow& sheet, UINT key, TShiftState shift) override;
    void SheetKeyUp(TSheetWindow& sheet, UINT key) override;
    bool SheetChar(TSheetWindow& sheet, char c) override;
    void CellFocused(TCell& cell) override;
    void CellEnter(TCell& cell, TShiftState shift) override;
    void CellDeleteKey(TCell& cell) override;
    // Keys that mean the same wherever the keyboard is in the window: Tab
    // between the tab strip and the page, Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn
    // and Ctrl+PgUp through the tab sheets, Esc. onPage: the key came on a page.
    bool WindowKeyDown(UINT key, TShiftState shift, bool onPage);
    // A character typed anywhere in the window: a printable one, with no
    // modifier but Shift, starts or goes on with a find.
    bool WindowChar(char c);
    // The user turns to the next (step 1) or the one before (-1) of the pages
    // that have a tab, wrapping at the ends; the keyboard stays where it was.
    void TurnPage(int step);
    // The keyboard goes to the page shown (the find page while a find runs;
    // the tab strip when no page shows).
    void FocusShownPage();
    void FocusTabStrip();
    // The focus rectangle shows from now on (the keyboard is in use).
    void ShowKeyboardCues();
    // The keyboard's place in the window when it was last left; it comes back there.
    HWND FFocusBeforeLeaving = nullptr;

    // UMainFind.cpp: type-to-find
    bool FindRunning() const { return FFind && FFind->Active(); }
    void BeginFind();
    // The find page and the hint line show what the model holds.
    void ShowFind();
    // The keys of a running find; true when taken.
    bool FindKeyDown(UINT key, TShiftState shift);
    // Carries out what the find asks of the window; keys: the modifiers held with Enter.
    void CarryOut(const TFindAction& action, TShiftState keys = 0);
    // The find page goes; page (when valid) shows again, and the keyboard with it.
    void EndFind(int page);
    // A click, Enter or a pointer on a result of the find page.
    void FindCellClick(TCell& cell);
    // The page control showed a page: a find that still runs ends without a word.
    void ActivePageShown() override;
    std::unique_ptr<TFindModel> FFind;  // made at the first find
    // WM_STARTMENU_READ: the Start Menu's shortcuts, (again) for the find.
    void StartMenuRead(WPARAM ticket);
    void CellMouseDown(TCell& cell, TShiftFlag button, TShiftState shift) override;
    void CellMouseUp(TCell& cell, TShiftFlag button, TShiftState shift) override;
    void CellClick(TCell& cell) override;
    void CellHintShown(TCell& cell) override;
    void CellLeft(TCell& cell) override;
    void CellContextPopup(TCell& cell, POINT screen) override;
    void MorePageControlContextPopup(POINT screen) override;
    void ShowHintInStatus();
    void FormKeyDown();
    void FormKeyUp();

    // UMainLaunch.cpp
    void ImageMouseDown(TCell& image, TShiftFlag button, TShiftState shift);
    void ImageMouseUp(TCell& image, TShiftFlag button, TShiftState shift);
    void ImageClick(TCell& image);
    void Image_LastClick(TCell& image);
    // The properties dialog on the working record (loaded by the caller);
    // true for OK.
    bool ShowBtnProperties();
    // The button id was edited and stored: its cell and the Quorlet Tab's
    // images of it show the working record.
    void ShowEditedButton(int32_t id);
    void HideAfterLaunch(bool launched, bool keepVisible);

    // UMainQuorletTab.cpp
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

    // UMainAlarm.cpp: what the alarm asks of the window
    void SetAlarmTimer(bool running) override;
    void ShowAlarmIcon(bool alarmOn) override;
    void SetArmedHint(const char* hint) override;
    void BringToFront() override;
    TAlarmAnswer ShowAlarm(const TAlarmRing& ring) override;
    void CloseMainWindow() override;

    // UMainEditing.cpp: rearranging buttons and tab sheets
    void ImageContextPopup(TCell& image, POINT at);
    void ActionBtn_MoveToFirstExecute();
    void ActionBtn_MoveToLastExecute();
    void ActionBtn_MoveToBeforeExecute();
    void ActionBtn_MoveToAfterExecute();
    void ActionBtn_SwapExecute();
    void ActionBtn_CopyExecute();
    void ActionBtn_ClearButtonExecute();
    void ActionBtn_CopyButtonPathExecute();
    void ActionMenu_ShowSysPanelExecute();
    void ActionPage_MoveleftExecute();
    void ActionPage_MoveRightExecute();
    void ActionPage_NewExecute();
    void ActionPage_RenameExecute();
    void ActionPage_DeleteExecute();
    // Gives records new identifiers and shows the cells of the active page they reach.
    void MoveRecords(const TIdMoves& moves);
    void SwapButtons(TCell& a, TCell& b);
    void CopyButton(TCell& source, TCell& target);
    // Starts a swap or copy that the next click on a cell completes.
    void StartPendingCommand(bool swap);
    // A click on a cell while a swap or copy waits for it.
    void CompletePendingCommand(TCell& clicked);
    void EndPendingCommand();
    void ExchangeTabSheets(int a, int b);
    void DeleteTabSheet(int k);
    void RenumberTabSheet(int k);
    // The cells show their records as the file holds them now.
    void ReloadCells(const std::vector<TCell*>& cells);
    // A Yes/No question in a "Quorlet" box over the window or the dialog open
    // over it; inFront: above every other window.
    bool AskYesNo(const std::string& question, bool inFront = false);
    // Pages: 0 the Quorlet Tab, then one per group; its caption as the tab shows it.
    std::string PageCaption(int page) const;

    // UMainDrop.cpp: dropping files
    void ButtonGridBuilt(TSheetWindow& sheet) override;
    void DropFileTarget1Enter(HWND target, TCell* cell) override;
    void DropFileTarget1DragOver(DWORD keyState, POINT screenPoint) override;
    void DropFileTarget1Drop(TCell* cell, const std::string& firstPath) override;
    // Brings the window, or the dialog open over it, to the front.
    void BringApplicationToFront();

    // UMainTray.cpp: the tray icon, the hot key, the system menu, the drive
    // menu and showing and hiding the window
    void CreateTrayIcon();
    void UpdateTrayHint() override;
    void ShowMainWindow();
    void HideMainWindow();
    void ToggleMainWindow();
    void CoolTrayIconClick() override;
    void CoolTrayIconDblClick() override;
    void CoolTrayIconBalloonHintClick() override;
    void CoolTrayIconContextPopup(HWND owner, POINT screen) override;
    void CoolTrayIconMinimizeToTray();
    void N6Click();
    void N4Click();
    int RegisterGlobalHotKey(const std::string& text);
    int ChangeGlobalHotKey(const std::string& text);
    void MainHotKeyManagerHotKeyPressed(int id);
    uint32_t ParseHotKey(const std::string& text) const;
    void BuildSystemMenu();
    void SyncSysMenuItem(TCommandId entry);
    // WM_SYSCOMMAND: true when the command was a mirrored entry's.
    bool SystemCommand(WPARAM command);
    void ApplyAlwaysOnTop();
    // Flips a setting and saves the settings; a failed save flips it back.
    void ToggleSavedSetting(bool& setting);
    void StatusBar1DblClick();
    void StatusBar1ContextPopup(POINT screen);
    void ActionMenu_AutoHideExecute();
    void ActionMenu_AlwaysOnTopExecute();
    void ActionMenu_HelpExecute();
    void ActionMenu_VersionExecute();
    void ActionMenu_WebsiteExecute();
    void ActionMenu_AboutExecute();

    // UMainCommands.cpp
    void BuildCommands();
    // The commands' gate: while a dialog or box of the window is open, it is
    // to be answered first; a command (from the tray menu, say) brings it to
    // the front instead of running. Showing the window is always allowed.
    bool CommandAllowed(TCommandId id);
    // Brings the open dialog or box of the window to the front; false when
    // none is open.
    bool BringModalToFront();
    void ActionMenu_AppOptionsExecute();
    void ActionMenu_ReportExecute();
    void ActionMenu_AlarmConfigExecute();
    void ActionMenu_BackupConfigExecute();
    // BackupConfig and RestoreConfig with their dialogs and boxes owned by
    // owner (the main window, or the options dialog).
    bool BackupConfigFrom(HWND owner) override;
    void RestoreConfigFrom(HWND owner) override;
    void CheckForUpdateFrom(HWND owner) override;
    // After the options dialog's OK: the window follows the new settings.
    void ApplyOptions(int rememberedPage);
    // The tab sheets after the names changed: renamed, removed (their records
    // stay in the file) or added.
    void ReconcileTabSheets();
    // Removes page k from the window only; the document is left as it is.
    void RemoveTabSheetPage(int k);
    void ActionMenu_ResotreConfigExecute();
    void ActionBtn_PropertiesExecute();
    void ActionBtn_ExplorerButtonPathExecute();

    IPlatform& FPlatform;
    HINSTANCE FInstance = nullptr;
    std::string FErrorText;
    // While FormCreate runs: the document was just read.
    bool FCreating = false;
    // The window is being destroyed: the program ends.
    bool FClosing = false;
    // The density of the window's monitor, and the controls' font at it (null:
    // the system's usual one).
    TDpiScale FScale;
    TUniqueFont FGuiFont;
    TIconLoader FIconLoader;
    TButtonImages FButtonImages;
    TCommandList FCommands;
    TPageControl FPageControl;
    TQuorletTab FQuorletTab;
    TStatusLine FStatusLine{FScale};
    TAlarmClock FAlarmClock;
    TFindPage FFindPage{*this, FButtonImages, FScale, [this] { PointerOverBackground(); }};
    // Reads nothing and holds no thread before the first find.
    TStartMenuReader FStartMenu{FPlatform};
    TDropTarget FDropTarget{*this};
    TTrayIcon FTrayIcon{*this};
    THotKeyWindow FHotKeyWindow{[this](int id) { MainHotKeyManagerHotKeyPressed(id); }};
    TSystemMenuMirror FSystemMenu;
    TDriveMenu FDriveMenu{FPlatform};
    // The cell of the last press, and the cell a pending swap or copy started from.
    TCell* FPressedCell = nullptr;
    TCell* FPendingSource = nullptr;

    // ---- The update check (UMainUpdate.cpp) ----
public:
    // The automatic check's delay after the window becomes active (one shot).
    static const UINT_PTR TimerCheckVer = 2;
    static const UINT TimerCheckVerMs = 3000;
    // The value of the /updatehost= switch of the program's arguments.
    void SetUpdateHostSwitch(const std::string& value) { FUpdateHostSwitch = value; }
    // The manual check (the options dialog's button): the boxes are owned by
    // owner, and labelsChanged is called once LastChecking or LastVersion of
    // AppSettingXml() has changed. False when a check already runs.
    bool CheckUpdateNow(HWND owner, std::function<void()> labelsChanged);

private:
    // The server the check asks: the switch, QUORLET_UPDATE_HOST, the
    // settings item UpdateHost, or the build's default.
    TUpdateEndpoint UpdateEndpoint() const;
    // WM_ACTIVATE: the automatic check follows the delay until it has run.
    void StartCheckVerTimer();
    void TimerCheckVerTimer();
    void UpdateCheckArrived(WPARAM ticket);
    std::string FUpdateHostSwitch;
    TUpdateChecker FUpdateChecker{FPlatform};
    // ---- end of the update check ----
};

}  // namespace quorlet
