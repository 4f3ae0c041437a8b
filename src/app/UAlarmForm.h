#pragma once
// The alarm window (TfrmAlarm): the message, the time, the rocking clock, the
// tone, and the OK button counting down. The caller gives it the alarm with
// the three setters, shows it modally and learns only how it was closed:
// 1 acknowledged (OK, or the countdown ran out), 2 snoozed ("S&nooze 10min",
// or the close box). It has no owner and stays above other windows.

#include <cstdint>
#include <string>

#include <windows.h>

#include "alarm/AlarmWindowRules.h"
#include "base/Platform.h"
#include "win32/TModalDialog.h"
#include "win32/WinHandles.h"

namespace quorlet {

class TfrmAlarm : public TModalDialog {
public:
    static const char* const Caption;  // "Quorlet Alarm"
    static const UINT_PTR Timer1 = 1;

    explicit TfrmAlarm(IPlatform& platform) : FPlatform(platform) {}

    void SetAlarmText(const std::string& message, const std::string& timeText, int32_t countdown);
    void SetAlarmTone(bool toneOn, const std::string& tone);
    void SetAlarmEvent(bool eventOn, int32_t eventIndex, bool preview);

    // Shows the window modally; it opens against mainWindow when that is
    // shown, bottom-right of the work area otherwise. Returns 1 only when OK
    // was pressed or the countdown ran out; every other end is 2.
    int ShowModal(HINSTANCE instance, HWND mainWindow);

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormShow();
    void PlaceWindow();
    void Timer1Timer();
    void ShowFrame(int frame);
    void FormClose(int result);

    IPlatform& FPlatform;
    HINSTANCE FInstance = nullptr;
    HWND FMainWindow = nullptr;
    std::string FMessage, FTimeText;
    int32_t FCountdown = 0;
    bool FToneOn = false;
    std::string FTone;
    bool FPreview = false;
    // How the window ended, as it ended itself; a dialog loop ended by the
    // program quitting is no answer.
    int FResult = 2;
    TAlarmCountdown FButton;
    TUniqueFont FMessageFont, FTimeFont;
    TUniqueIcon FFrames[3];
};

}  // namespace quorlet
