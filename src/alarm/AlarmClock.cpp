#include "alarm/AlarmClock.h"

#include "alarm/AlarmWindowRules.h"

namespace quorlet {

namespace {

TAlarmRepeat RepeatOf(const TAppSettingXml& settings) {
    TAlarmRepeat repeat;
    repeat.RepeatOn = settings.RepeatOn;
    const bool days[7] = {settings.Day0, settings.Day1, settings.Day2, settings.Day3,
                          settings.Day4, settings.Day5, settings.Day6};
    for (int day = 0; day < 7; ++day) repeat.Days[day] = days[day];
    return repeat;
}

}  // namespace

TAlarmRing AlarmRingOf(const TAppSettingXml& settings, const std::string& timeText) {
    TAlarmRing ring;
    ring.Message = settings.Message;
    ring.TimeText = timeText;
    ring.Countdown = settings.TimerOut;
    ring.ToneOn = settings.ToneOn;
    ring.Tone = settings.Tone;
    ring.SystemEventOn = settings.SystemEventOn;
    ring.SystemEvent = settings.SystemEvent;
    ring.Preview = false;
    return ring;
}

void TAlarmClock::SetTimer(bool running) {
    if (running && !FTimerRunning) FSchedule.ForgetPreviousTick();
    FTimerRunning = running;
    FHost.SetAlarmTimer(running);
}

void TAlarmClock::ApplyAlarmState() {
    SetTimer(FSettings.AlarmOn && !FRinging);
    FHost.ShowAlarmIcon(FSettings.AlarmOn);
    FHost.UpdateTrayHint();
}

void TAlarmClock::TimerAlarmTimer() {
    const TDateTime now = FPlatform.Now();
    FHost.SetArmedHint(FSchedule.EnabledHint(now).Text);
    const TAlarmTick tick = FSchedule.Tick(now, RepeatOf(FSettings));
    if (tick == TAlarmTick::Wait) return;
    SetTimer(false);
    if (tick == TAlarmTick::SkipDay) {
        // Not a selected weekday: checking goes on for the following days.
        SetTimer(true);
        return;
    }
    Ring(now);
}

void TAlarmClock::Ring(const TDateTime& now) {
    FHost.BringToFront();
    FRinging = true;
    TAlarmAnswer answer;
    try {
        answer = FHost.ShowAlarm(AlarmRingOf(FSettings, FPlatform.LongTimeText(now)));
    } catch (...) {
        FRinging = false;
        throw;
    }
    FRinging = false;
    // The program was closed while the alarm window was open: that closed the
    // window too, and is no answer to the alarm. Nothing is saved and above
    // all no session ends: the alarm stays as the settings hold it.
    if (FHost.ProgramClosing()) return;
    if (answer == TAlarmAnswer::Snoozed) {
        // In memory only: the stored time stays, and no system event runs.
        FSchedule.Snooze(now);
        SetTimer(true);
        return;
    }
    if (FSettings.RepeatOn) {
        // A repeating alarm returns to its stored time after a snooze.
        LoadSchedule();
        SetTimer(true);
    } else {
        FSettings.AlarmOn = false;
        FSettings.SaveAlarm();
        FHost.ShowAlarmIcon(false);
    }
    if (FSettings.SystemEventOn) {
        EndWindowsSession(FPlatform, FSettings.SystemEvent);
        FHost.CloseMainWindow();
    }
}

void TAlarmClock::ConfigAccepted() {
    FSettings.SaveAlarm();
    LoadSchedule();
    // A new schedule starts from the present second, even on a running timer.
    FSchedule.ForgetPreviousTick();
    ApplyAlarmState();
}

}  // namespace quorlet
