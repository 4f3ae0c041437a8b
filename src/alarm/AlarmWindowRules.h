#pragma once
// The rules of the alarm window (TfrmAlarm): the OK button's caption and
// countdown with the rocking clock, the kind of tone file, and the session
// end each system event asks Windows for.

#include <cstdint>
#include <string>

#include "base/Platform.h"

namespace quorlet {

// The countdown on the OK button and the clock's frames, one step per tick of
// the window's 500 ms timer.
class TAlarmCountdown {
public:
    // SetAlarmEvent's part: "&Logoff", "&Shutdown" or "&Reboot" for an event
    // 0, 1 or 2 when the switch is on (any other index keeps the caption as it
    // is), "&Ok" when it is off.
    void SetEvent(bool eventOn, int32_t eventIndex);
    const std::string& OkCaption() const { return FOkCaption; }

    // The window opens with this many seconds: "<OkCaption>  <seconds>".
    void Start(int32_t countdown);
    // One tick: the frame to show (0 tilted left, 1 upright, 2 tilted right)
    // and the caption; Close when the countdown has run out (result 1).
    struct TStep {
        int Frame = 1;
        std::string Caption;
        bool Close = false;
    };
    TStep Tick();
    const std::string& Caption() const { return FCaption; }
    int32_t Countdown() const { return FCountdown; }

private:
    std::string FOkCaption;
    std::string FCaption;
    int32_t FCountdown = 0;
    int FPhase = 0;
};

// Where the alarm window opens: just above the main window, or just below it
// when there is no room above; bottom-right of the work area when the main
// window is hidden (or minimised, when its place is off the screen).
struct TAlarmPlace {
    int Left = 0, Top = 0;
};
struct TAlarmPlaceInput {
    bool MainShown = false;
    int MainLeft = 0, MainTop = 0, MainHeight = 0;
    int Width = 0, Height = 0;  // of the alarm window
    int ScreenWidth = 0, WorkAreaHeight = 0;
};
TAlarmPlace AlarmWindowPlace(const TAlarmPlaceInput& in);

enum class TToneKind { None, Wav, Mp3 };
// The kind of a tone file by its extension in lower case.
TToneKind ToneKindOf(const std::string& path);
// The tone as the alarm window opens: when toneOn and the file exists, a .wav
// plays once without waiting and an .mp3 opens in the player Windows
// associates with it; anything else is silent, and nothing is reported.
void PlayAlarmTone(IPlatform& platform, bool toneOn, const std::string& tone);

// What ExitWindowsEx is asked for a system event: false for an index outside
// 0..2, which asks for nothing.
struct TSessionEnd {
    unsigned Flags = 0;
    unsigned long Reason = 0;
};
bool SessionEndOf(int32_t eventIndex, TSessionEnd& end);

// EndWindowsSession: enables the shutdown privilege, then asks Windows to end
// the session as the event says (nothing for an index outside 0..2). Nothing
// is reported; no end is forced, so other programs may still refuse.
void EndWindowsSession(IPlatform& platform, int32_t eventIndex);

}  // namespace quorlet
