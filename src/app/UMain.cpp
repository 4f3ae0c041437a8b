#include "app/UMain.h"

#include <exception>

#include <commctrl.h>

#include "app/MainControls.h"
#include "app/RemoteAnswers.h"
#include "launcher/ClickSound.h"
#include "resources/resource.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"

namespace quorlet {

const char* const TfrmQuorlet::ClassName = "TfrmQuorlet";

namespace {
const DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
}

TfrmQuorlet::TfrmQuorlet()
    : FPlatform(Platform()),
      FIconLoader(FPlatform),
      FButtonImages(FPlatform, BtnSettingXml(), FIconLoader),
      FPageControl(*this, *this, FButtonImages, FScale),
      FQuorletTab(*this, FButtonImages, FCommands),
      FAlarmClock(FPlatform, AppSettingXml(), *this) {
    BuildCommands();
    FStatusLine.SetHintPrefix([this] {
        return StatusHintPrefix(KeyShift, FPageControl.QuorletTabShown(), FPageControl.ActivePage());
    });
}

TfrmQuorlet::~TfrmQuorlet() {
    // The child windows go before the objects that answer their messages.
    DestroyHandle();
}

bool TfrmQuorlet::Create(HINSTANCE instance, HWND applicationWindow) {
    FInstance = instance;
    HICON icon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, 32, 32, LR_SHARED));
    HICON smallIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, 16, 16, LR_SHARED));
    if (!RegisterWindowClass(instance, ClassName, icon, smallIcon,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
        FErrorText = "Cannot register the main window class.";
        return false;
    }
    // FormCreate gives the window its final size.
    RECT frame = {0, 0, ClientWidth, 120};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
    if (!CreateHandle(0, ClassName, "", kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      frame.right - frame.left, frame.bottom - frame.top, applicationWindow,
                      instance)) {
        if (FErrorText.empty()) FErrorText = "Cannot create the main window.";
        return false;
    }
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    return true;
}

void TfrmQuorlet::Show() {
    // The focus rectangle waits for the keyboard to be used, unless the user
    // asked to see it always.
    BOOL cues = FALSE;
    if (!SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0) || !cues)
        SendMessageA(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    FormShow();
    UpdateWindow(Handle());
    // Files dropped on the window: ready once it is shown and idle.
    FDropTarget.StartWhenIdle(Handle(), FPageControl.Handle());
}

LRESULT TfrmQuorlet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            // A window that cannot be built is not shown at all: the program
            // entry reports why.
            try {
                FormCreate();
            } catch (const std::exception& e) {
                FErrorText = e.what();
                return -1;
            }
            return 0;
        case WM_ACTIVATE:
            // Keys pressed or released while another window had the keyboard
            // (such as the hot key's own) must not stay in the hint line.
            if (LOWORD(wParam) != WA_INACTIVE) {
                FormKeyDown();
                FormActivate();
                StartCheckVerTimer();
            } else {
                FormKeyUp();
                // The keyboard comes back to where it was.
                HWND focus = GetFocus();
                FFocusBeforeLeaving = focus && IsChild(Handle(), focus) ? focus : nullptr;
            }
            break;
        case WM_SETFOCUS:
            // The keyboard comes back to the part of the window that had it;
            // otherwise the window itself keeps it, as the drag of a file with
            // Ctrl (which turns the pages) asks.
            if (FFocusBeforeLeaving && IsWindow(FFocusBeforeLeaving) && IsWindowVisible(FFocusBeforeLeaving) &&
                IsChild(Handle(), FFocusBeforeLeaving))
                SetFocus(FFocusBeforeLeaving);
            return 0;
        case WM_CHAR:
            if (WindowChar(static_cast<char>(wParam))) return 0;
            break;
        case WM_TIMER:
            if (wParam == TimerAlarm) FAlarmClock.TimerAlarmTimer();
            if (wParam == TimerCheckVer) TimerCheckVerTimer();
            return 0;
        case WM_UPDATE_CHECKED:
            UpdateCheckArrived(wParam);
            return 0;
        case WM_STARTMENU_READ:
            StartMenuRead(wParam);
            return 0;
        case WM_ACTIVATEAPP:
            if (wParam)
                ApplicationActive();
            else
                ApplicationDeActive();
            break;
        case WM_NOTIFY: {
            const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.hwndFrom == FStatusLine.Handle() && header.code == NM_DBLCLK) {
                StatusBar1DblClick();
                return 0;
            }
            if (header.hwndFrom == FStatusLine.Handle() && header.code == NM_RCLICK) {
                POINT screen = reinterpret_cast<const NMMOUSE*>(lParam)->pt;
                ClientToScreen(FStatusLine.Handle(), &screen);
                StatusBar1ContextPopup(screen);
                return TRUE;
            }
            if (FPageControl.HandleNotify(header)) return 0;
            break;
        }
        case WM_SYSCOMMAND:
            // The minimise box hides the window to the notification area.
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                CoolTrayIconMinimizeToTray();
                return 0;
            }
            SystemCommand(wParam);
            break;
        case WM_DPICHANGED:
            FormDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_MEASUREITEM:
            if (FDriveMenu.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_DRAWITEM:
            if (FDriveMenu.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_MOVE:
            DefaultHandler(message, wParam, lParam);
            WMMove();
            return 0;
        case WM_MOUSEMOVE:
            PointerOverBackground();
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            FormKeyDown();
            if (WindowKeyDown(static_cast<UINT>(wParam), KeyboardShiftState(), false)) return 0;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            FormKeyUp();
            break;
        case WM_CLOSE:
            CloseQuery();
            return 0;
        case WM_DESTROY:
            FClosing = true;
            FDropTarget.MainWindowDestroyed();
            PostQuitMessage(0);
            return 0;
        case WM_COPYDATA:
            return AnswerRemoteQuestion(Handle(), reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_QUORLET_RUNNING:
            WMQuorletRunning();
            return 0;
        default:
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

// Events of the tab strip and its pages.

void TfrmQuorlet::MorePageControlChange() {
    TAppSettingXml& settings = AppSettingXml();
    const int page = FPageControl.ActivePage();
    settings.LastPanelIndex = page;
    if (!FPageControl.QuorletTabShown() || page != 0) FStatusLine.SetPanel(0, std::string());
    PlayClickSound(FPlatform, csTabsheet);
    SavedPageIndex = settings.LastPanelIndex;
}

void TfrmQuorlet::QuorletTabNeeded(TSheetWindow& sheet) {
    // Made when first shown: its rows show what the recent list and the
    // most-used slots hold by then.
    if (!FQuorletTab.Built()) FQuorletTab.Build(FInstance, sheet);
    FQuorletTab.ShowAlarmIcon(AppSettingXml().AlarmOn);
    ShowRecentButtons();
    for (int slot = 1; slot <= kQuorletSlotCount; ++slot)
        if (TopButtons.TopButtonId(slot) != 0) ShowTopSlot(TopButtons.TopButtonId(slot), slot);
}

void TfrmQuorlet::ButtonGridNeeded() {
    if (!FCreating) BtnSettingXml().LoadButtonsDoc();
}

void TfrmQuorlet::PointerOverBackground() { FStatusLine.ClearHint(); }

// Events of the cells.

void TfrmQuorlet::CellMouseDown(TCell& cell, TShiftFlag button, TShiftState shift) {
    if (cell.Kind() != TCellKind::Command && cell.Kind() != TCellKind::Find) ImageMouseDown(cell, button, shift);
}

void TfrmQuorlet::CellMouseUp(TCell& cell, TShiftFlag button, TShiftState shift) {
    if (cell.Kind() != TCellKind::Command && cell.Kind() != TCellKind::Find) ImageMouseUp(cell, button, shift);
}

void TfrmQuorlet::CellClick(TCell& cell) {
    TCommandId command;
    switch (cell.Kind()) {
    case TCellKind::Grid: ImageClick(cell); break;
    case TCellKind::Recent:
    case TCellKind::Top: Image_LastClick(cell); break;
    case TCellKind::Command:
        if (FQuorletTab.CommandOf(cell, command)) FCommands.Execute(command);
        break;
    case TCellKind::Find: FindCellClick(cell); break;
    }
}

void TfrmQuorlet::CellHintShown(TCell& cell) { FStatusLine.ShowHint(&cell, cell.Hint()); }

void TfrmQuorlet::CellLeft(TCell& cell) { FStatusLine.SourceLeft(&cell); }

void TfrmQuorlet::ShowHintInStatus() { FStatusLine.ShowHintInStatus(); }

void TfrmQuorlet::FormKeyDown() {
    KeyShift = KeyboardShiftState();
    ShowHintInStatus();
}

void TfrmQuorlet::FormKeyUp() {
    KeyShift = 0;
    ShowHintInStatus();
}

}  // namespace quorlet
