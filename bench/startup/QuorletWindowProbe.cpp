#include "QuorletWindowProbe.h"

#include <cstdlib>
#include <stdexcept>

#include <commctrl.h>

#include "ScreenProbe.h"
#include "app/MainControls.h"
#include "win/CellProbe.h"
#include "win/RemoteControls.h"

namespace quorlet {
namespace startupbench {

namespace {

// The program at rest: no processor time used for this long.
const double kQuietMs = 200;

}  // namespace

long FindCount(const std::string& panel) {
    const size_t open = panel.rfind("  (");
    if (panel.rfind("Find: ", 0) != 0 || open == std::string::npos || panel.back() != ')') return -1;
    return std::strtol(panel.c_str() + open + 3, nullptr, 10);
}

TQuorletWindow::TQuorletWindow(HWND main, HANDLE process)
    : FMain(main),
      FProcess(process),
      FTabs(FindChildControl(main, IdMorePageControl, WC_TABCONTROLA)),
      FStatus(FindChildControl(main, IdStatusBar, STATUSCLASSNAMEA)) {
    if (!FTabs || !FStatus) throw std::runtime_error("Quorlet.exe shows no tab strip or no status bar");
}

HWND TQuorletWindow::Sheet(int page) const { return FindChildControl(FMain, IdFirstSheet + page, SheetClassName); }

HWND TQuorletWindow::FindSheet() const { return FindChildControl(FMain, IdFindSheet, SheetClassName); }

std::string TQuorletWindow::HintPanel() const { return StatusPanelText(FStatus, 0); }

bool TQuorletWindow::PageShown(int page) const {
    HWND sheet = Sheet(page);
    return sheet && SendMessageA(FTabs, TCM_GETCURSEL, 0, 0) == page && IsWindowVisible(sheet) && !SheetLoading(sheet);
}

std::string TQuorletWindow::PageState(int page) const {
    HWND sheet = Sheet(page);
    return "the tab strip selects " + std::to_string(SendMessageA(FTabs, TCM_GETCURSEL, 0, 0)) +
           (!sheet                    ? ", the page is not built"
            : !IsWindowVisible(sheet) ? ", the page is hidden"
            : SheetLoading(sheet)     ? ", icons are loading"
                                      : "") +
           (GetForegroundWindow() == FMain ? "" : ", the window is not active");
}

bool TQuorletWindow::FindShown() const {
    HWND sheet = FindSheet();
    return sheet && IsWindowVisible(sheet) && !SheetLoading(sheet);
}

bool TQuorletWindow::FindHidden() const {
    HWND sheet = FindSheet();
    return !sheet || !IsWindowVisible(sheet);
}

void TQuorletWindow::CheckAnswers() const {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(FMain, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kChangeWaitMs, &ignored))
        throw std::runtime_error("Quorlet.exe does not answer");
}

void TQuorletWindow::WaitUntilQuiet() const {
    const TStopwatch clock;
    TStopwatch quiet;
    double used = ProcessorMs();
    for (;;) {
        Sleep(kPollMs);
        const double now = ProcessorMs();
        if (now != used) {
            used = now;
            quiet = TStopwatch();
        } else if (quiet.ElapsedMs() >= kQuietMs) {
            return;
        }
        if (clock.ElapsedMs() > kChangeWaitMs) throw std::runtime_error("Quorlet.exe does not come to rest");
    }
}

void TQuorletWindow::CheckForeground() const {
    if (GetForegroundWindow() != FMain) throw std::runtime_error("Quorlet.exe is not the active window");
}

void TQuorletWindow::WaitForPage(int page, DWORD ms) const {
    if (!WaitUntil(ms, [&] { return PageShown(page); }, kPollMs))
        throw std::runtime_error("Tab sheet " + std::to_string(page) + " is not shown: " + PageState(page));
    CheckAnswers();
}

double TQuorletWindow::ProcessorMs() const {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(FProcess, &created, &ended, &kernel, &user))
        throw std::runtime_error("The processor time of Quorlet.exe cannot be read");
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

HWND ShownTrayWindow() {
    HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    return tray && IsWindowVisible(tray) ? tray : nullptr;
}

void WaitForTrayWindow(bool shownBefore) {
    if (shownBefore || !WaitUntil(kChangeWaitMs, [] { return ShownTrayWindow() != nullptr; }, kPollMs)) return;
    WaitUntil(kChangeWaitMs, [] { return GetForegroundWindow() == ShownTrayWindow(); }, kPollMs);
}

void BringToFront(HWND window) {
    SetForegroundWindow(window);
    if (WaitUntil(2000, [&] { return GetForegroundWindow() == window; }, kPollMs)) return;
    RECT r;
    GetWindowRect(window, &r);
    SendClick(POINT{(r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2});
    if (!WaitUntil(kChangeWaitMs, [&] { return GetForegroundWindow() == window; }, kPollMs))
        throw std::runtime_error("Quorlet.exe cannot be made the active window");
}

}  // namespace startupbench
}  // namespace quorlet
