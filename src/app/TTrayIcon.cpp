#include "app/TTrayIcon.h"

#include <shellapi.h>

#include "app/MainControls.h"
#include "launcher/TrayState.h"

namespace quorlet {

const char* const TTrayIcon::ClassName = TrayWindowClassName;

namespace {

const UINT kIconId = 1;
const UINT_PTR kAddTimer = 1;
// The first add waits until the window has been shown and the program is
// idle: it asks the shell's process, which costs the start a sixth of its
// time under Wine.
const UINT kFirstAddMs = 100;
const UINT kRetryMs = 2000;

void CopyLimited(char* target, size_t size, const std::string& text) {
    lstrcpynA(target, text.c_str(), static_cast<int>(size));
}

}  // namespace

TTrayIcon::~TTrayIcon() {
    if (FAdded) {
        NOTIFYICONDATAA data = IconData(0);
        Shell_NotifyIconA(NIM_DELETE, &data);
    }
}

bool TTrayIcon::Create(HINSTANCE instance, HICON icon, const std::string& tip) {
    FIcon = icon;
    FTip = CutToLimit(tip, kTrayTipLimit);
    FTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (!RegisterWindowClass(instance, ClassName, nullptr, nullptr, nullptr)) return false;
    // Top-level and never shown: it hears broadcasts, and gets no taskbar button.
    if (!CreateHandle(WS_EX_TOOLWINDOW, ClassName, FTip.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, instance))
        return false;
    SetTimer(Handle(), kAddTimer, kFirstAddMs, nullptr);
    return true;
}

NOTIFYICONDATAA TTrayIcon::IconData(UINT flags) const {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = Handle();
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = WM_TRAYICON;
    data.hIcon = FIcon;
    CopyLimited(data.szTip, sizeof data.szTip, FTip);
    return data;
}

void TTrayIcon::Add() {
    NOTIFYICONDATAA data = IconData(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    FAdded = Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
    if (FAdded) {
        ++FAddCount;
        KillTimer(Handle(), kAddTimer);
        return;
    }
    // The shell is not up yet (a start with Windows): try again later.
    SetTimer(Handle(), kAddTimer, kRetryMs, nullptr);
}

void TTrayIcon::SetTip(const std::string& tip) {
    // Asked on every activation of the window; the shell is asked, across
    // processes, only when the text changes.
    const std::string cut = CutToLimit(tip, kTrayTipLimit);
    if (cut == FTip) return;
    FTip = cut;
    // The window's title shows the tip too, where other programs can read it.
    SetWindowTextA(Handle(), FTip.c_str());
    if (!FAdded) return;
    NOTIFYICONDATAA data = IconData(NIF_TIP);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void TTrayIcon::HideBalloon() {
    if (!FAdded) return;
    NOTIFYICONDATAA data = IconData(NIF_INFO);
    data.szInfo[0] = '\0';
    data.szInfoTitle[0] = '\0';
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void TTrayIcon::ShowBalloon(const std::string& title, const std::string& text) {
    if (!FAdded) return;
    HideBalloon();
    NOTIFYICONDATAA data = IconData(NIF_INFO);
    CopyLimited(data.szInfoTitle, sizeof data.szInfoTitle, CutToLimit(title, kBalloonTitleLimit));
    CopyLimited(data.szInfo, sizeof data.szInfo, CutToLimit(text, kBalloonTextLimit));
    data.dwInfoFlags = NIIF_INFO;
    data.uTimeout = 10000;
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void TTrayIcon::Callback(UINT event) {
    switch (event) {
        case WM_LBUTTONUP:
            if (FSkipNextUp) {
                FSkipNextUp = false;
                return;
            }
            FEvents.CoolTrayIconClick();
            return;
        case WM_LBUTTONDBLCLK:
            FSkipNextUp = true;
            FEvents.CoolTrayIconDblClick();
            return;
        case WM_RBUTTONUP: {
            POINT at;
            GetCursorPos(&at);
            FEvents.CoolTrayIconContextPopup(Handle(), at);
            return;
        }
        case NIN_BALLOONUSERCLICK:
            FEvents.CoolTrayIconBalloonHintClick();
            return;
        default:
            return;
    }
}

LRESULT TTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TRAYICON) {
        Callback(static_cast<UINT>(LOWORD(lParam)));
        return 0;
    }
    if (message == WM_TRAY_ADDCOUNT) return FAddCount;
    if (message == WM_TIMER && wParam == kAddTimer) {
        Add();
        return 0;
    }
    if (FTaskbarCreated && message == FTaskbarCreated) {
        // A new notification area knows nothing of the icon; an old one that
        // sends the broadcast again may still hold it, so it goes first.
        NOTIFYICONDATAA data = IconData(0);
        Shell_NotifyIconA(NIM_DELETE, &data);
        Add();
        return 0;
    }
    return DefaultHandler(message, wParam, lParam);
}

}  // namespace quorlet
