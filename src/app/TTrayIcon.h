#pragma once
// The program's icon in the notification area (CoolTrayIcon), from start to
// end. Its callbacks and the shell's "TaskbarCreated" broadcast arrive at a
// hidden top-level window of its own (a message-only window would not hear
// the broadcast). The icon is added once the program is first idle, and when
// the shell is not up yet, as at log-on, retried until it succeeds.

#include <string>

#include <windows.h>

#include <shellapi.h>

#include "win32/ProgramMessages.h"
#include "win32/TWindowBase.h"

namespace quorlet {

class ITrayIconEvents {
public:
    virtual void CoolTrayIconClick() = 0;
    // After the click of the same double click.
    virtual void CoolTrayIconDblClick() = 0;
    virtual void CoolTrayIconBalloonHintClick() = 0;
    // The menu belongs at this screen point, owned by owner.
    virtual void CoolTrayIconContextPopup(HWND owner, POINT screen) = 0;

protected:
    ~ITrayIconEvents() = default;
};

class TTrayIcon : private TWindowBase {
public:
    // The message the icon's callbacks arrive with.
    static const UINT WM_TRAYICON = quorlet::WM_TRAYICON;
    static const char* const ClassName;

    explicit TTrayIcon(ITrayIconEvents& events) : FEvents(events) {}
    ~TTrayIcon() override;

    // Creates the window; the icon follows a moment later (and is retried
    // while the shell is not ready).
    bool Create(HINSTANCE instance, HICON icon, const std::string& tip);
    HWND Handle() const { return TWindowBase::Handle(); }

    // The tip, cut to the notification area's 127 characters.
    void SetTip(const std::string& tip);
    // A balloon with the information icon; one still showing goes first.
    void ShowBalloon(const std::string& title, const std::string& text);
    void HideBalloon();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Add();
    void Callback(UINT event);
    NOTIFYICONDATAA IconData(UINT flags) const;

    ITrayIconEvents& FEvents;
    HICON FIcon = nullptr;
    std::string FTip;
    UINT FTaskbarCreated = 0;
    bool FAdded = false;
    int FAddCount = 0;
    // The button-up of a double click's second click is no click of its own.
    bool FSkipNextUp = false;
};

}  // namespace quorlet
