#pragma once
// The alarm as the main window runs it: the running schedule, the tick of
// TimerAlarm, the user's answer to the alarm window, and the armed or resting
// state shown on the Quorlet Tab. The main window supplies the timer, the
// icons and the alarm window through IAlarmHost.

#include <cstdint>
#include <string>

#include "alarm/AlarmSchedule.h"
#include "base/Platform.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

// What the alarm window is given: by a ring, or by the dialog's preview.
struct TAlarmRing {
    std::string Message;
    std::string TimeText;  // the time in the user's long time format
    int32_t Countdown = 10;
    bool ToneOn = false;
    std::string Tone;
    bool SystemEventOn = false;
    int32_t SystemEvent = 0;
    bool Preview = false;
};

// The alarm window's modal results.
enum class TAlarmAnswer { Acknowledged = 1, Snoozed = 2 };

class IAlarmHost {
public:
    virtual ~IAlarmHost() = default;
    // TimerAlarm: 500 ms while running.
    virtual void SetAlarmTimer(bool running) = 0;
    // Panel19 (armed) when alarmOn, Panel18 (resting) otherwise.
    virtual void ShowAlarmIcon(bool alarmOn) = 0;
    // The hint of the armed alarm icon; called on every tick, so it must not
    // allocate once the hint has its room.
    virtual void SetArmedHint(const char* hint) = 0;
    // The notification-area icon's tip shows the alarm's state.
    virtual void UpdateTrayHint() = 0;
    // Brings the program to the foreground.
    virtual void BringToFront() = 0;
    // Shows the alarm window modally and answers how it was closed.
    virtual TAlarmAnswer ShowAlarm(const TAlarmRing& ring) = 0;
    // Closes the main window, which ends the program.
    virtual void CloseMainWindow() = 0;
    // The program is closing (its main window is being closed or is gone):
    // nothing the alarm window answered is acted on any more.
    virtual bool ProgramClosing() const = 0;
};

class TAlarmClock {
public:
    TAlarmClock(IPlatform& platform, TAppSettingXml& settings, IAlarmHost& host)
        : FPlatform(platform), FSettings(settings), FHost(host) {}

    // The running schedule from the stored AlarmTime.
    void LoadSchedule() { FSchedule.Load(FSettings.AlarmTime); }
    // TimerAlarm runs and the armed icon shows exactly while AlarmOn (the
    // timer stays stopped while the alarm window is open); the tray tip follows.
    void ApplyAlarmState();
    // TimerAlarmTimer: one tick. Reads the clock and sets the armed icon's
    // hint; no file access and no allocation until the alarm is due.
    void TimerAlarmTimer();
    // The alarm dialog was closed with OK and has filled the settings:
    // saves them, reloads the schedule and applies the alarm state.
    void ConfigAccepted();

    const TAlarmSchedule& Schedule() const { return FSchedule; }

private:
    void Ring(const TDateTime& now);
    // Starts or stops TimerAlarm; a timer that starts forgets the tick before
    // it stopped, so no time it was stopped is caught up on.
    void SetTimer(bool running);
    bool FRinging = false;  // the alarm window is open
    bool FTimerRunning = false;

    IPlatform& FPlatform;
    TAppSettingXml& FSettings;
    IAlarmHost& FHost;
    TAlarmSchedule FSchedule;
};

// The dialog's preview and the ring share how the settings become a ring.
TAlarmRing AlarmRingOf(const TAppSettingXml& settings, const std::string& timeText);

}  // namespace quorlet
